#pragma once
// Small helpers the shell's windows share: placing controls in twips as the designs give
// them, creating the program's controls from design properties, and binding hidden
// fields to a data control.
#include <QLabel>
#include <QString>
#include <QVariant>
#include <initializer_list>
#include <utility>

class BvButton;
class FrameFendrixon;
class QWidget;

namespace pv {
class DataControl;
class HandOff;
} // namespace pv

namespace kit {

using Design = std::initializer_list<std::pair<const char *, QVariant>>;

// Left, top, width and height in twips.
void place(QWidget *w, double left, double top, double width, double height);
void moveTo(QWidget *w, double left, double top);

BvButton *button(QWidget *parent, const char *name, double l, double t, double w, double h,
                 const QString &caption, const QString &toolTip = {}, Design extra = {});
FrameFendrixon *frame(QWidget *parent, const char *name, double l, double t, double w, double h,
                      const QString &caption);
QLabel *label(QWidget *parent, const char *name, double l, double t, double w, double h, const QString &caption,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);

// A hidden text field stands for a field of the data control's current row.
void bindField(pv::DataControl *dc, pv::HandOff *field, const QString &column);

// A whole-day difference that fits 32 bits, or false when the stored text is no date.
bool daysSince(const QVariant &stored, const QString &shownText, const QDate &today, int *days);

// The colours of the program's frames when they are given back after a lock.
void giveFrameItsColours(FrameFendrixon *f);

} // namespace kit
