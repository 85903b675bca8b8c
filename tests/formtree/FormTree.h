#pragma once
// The widget-tree record's text form of a window, and the form dump: a window's controls
// as a form file of the form loader, read from the live widget tree.
#include <QByteArray>
#include <QList>
#include <QRect>
#include <QString>

class QWidget;

namespace pv::test
{

QString widgetTree(QWidget *window);
// Where the window draws what moves by real time (a self-scrolling bar): left out of its image.
QList<QRect> movingParts(QWidget *window);
QByteArray formJson(QWidget *window);

} // namespace pv::test
