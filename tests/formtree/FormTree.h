#pragma once
// The widget-tree record's text form of a window, and the form dump: a window's controls
// as a form file of the form loader, read from the live widget tree.
#include <QByteArray>
#include <QString>

class QWidget;

namespace pv::test
{

QString widgetTree(QWidget *window);
QByteArray formJson(QWidget *window);

} // namespace pv::test
