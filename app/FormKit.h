#pragma once
// Small helpers the shell's windows share: placing controls in twips as the designs give
// them, creating the program's controls from design properties, and binding hidden
// fields to a data control.
#include <QDate>
#include <QTime>
#include <QLabel>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <initializer_list>
#include <utility>

class BvButton;
class FrameFendrixon;
class QComboBox;
class QLineEdit;
class QuorvelXPProgressBar;
class QWidget;

namespace pv
{
class DataControl;
class HandOff;
class Recordset;
} // namespace pv

namespace kit
{

using Design = std::initializer_list<std::pair<const char *, QVariant>>;

// Left, top, width and height in twips.
void place(QWidget *w, double left, double top, double width, double height);
void moveTo(QWidget *w, double left, double top);

// The program's button in the Office 2003 style; extra design properties (a check mode,
// a picture) follow the caption and tool tip.
BvButton *button(QWidget *parent, const char *name, double l, double t, double w, double h,
                 const QString &caption, const QString &toolTip = {}, Design extra = {});
// The frame keeps the design's twips as its own size, not the rounded pixels.
FrameFendrixon *frame(QWidget *parent, const char *name, double l, double t, double w, double h,
                      const QString &caption);
QLabel *label(QWidget *parent, const char *name, double l, double t, double w, double h,
              const QString &caption, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter,
              bool wordWrap = false);
QLineEdit *textBox(QWidget *parent, const char *name, double l, double t, double w, double h,
                   const QString &text = {});
// A list the user picks from, not types into.
QComboBox *comboBox(QWidget *parent, const char *name, double l, double t, double w, double h,
                    const QStringList &items = {});
// The backup windows' bar: metallic, percentage shown as text.
QuorvelXPProgressBar *progressBar(QWidget *parent, const char *name, double l, double t, double w, double h);

// A hidden text field stands for a field of the data control's current row.
void bindField(pv::DataControl *dc, pv::HandOff *field, const QString &column);

// "dd.mm.yyyy" or "yyyy-mm-dd" as a date; invalid for anything else.
QDate quickDate(const QString &text);
// Whole days from last to today, in 32 bits.
bool daysBetween(const QDate &last, const QDate &today, int *days);
// Whole days from a row's date field to today, in 32 bits; false when the field holds no
// date (empty, not a date, or too far away).
bool daysSince(const pv::Recordset &rs, int row, int field, const QDate &today, int *days);

// The colours of the program's frames when they are given back after a lock.
void giveFrameItsColours(FrameFendrixon *f);

// Refuses what a box holds: the message (title "Dikkat!!", exclamation), then the focus
// back in the box with its text selected for typing over.
void refuse(QLineEdit *box, const QString &message);

// The one amount check of every amount, price and quantity box. An empty box gets
// `emptyMessage`, text that is no Turkish number or above 999.999.999.999,99 gets the
// check's own message naming `word` ("Tutar", "Miktar", "Fiyat"); each refuses the box.
// With an empty `emptyMessage` an empty box reads as 0.
bool readAmount(QLineEdit *box, double *value, const QString &emptyMessage,
                const QString &word = QStringLiteral("Tutar"));
// A date ("gg.aa.yyyy") or a time ("9:15" reads 09:15:00); anything else is refused with
// the program's date or time message.
bool readDate(QLineEdit *box, QDate *date);
bool readTime(QLineEdit *box, QTime *time);

} // namespace kit
