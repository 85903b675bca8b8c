#pragma once
// What the two entry dialogs share: placing their controls in twips, the money and date
// boxes, the posting id, writing one row inside the posting's transaction and the
// refresh signal they give the account window.
#include "app/FormKit.h"
#include "platform/data/Database.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <functional>
#include <initializer_list>

namespace entry
{

// Controls placed by their design's twips (left, top, width, height).
using kit::button;
using kit::comboBox;
using kit::frame;
using kit::label;
using kit::place;
using kit::textBox;

// Event hooks in the manner of a control's GotFocus, LostFocus, Click and DblClick. Focus
// lost to another application or a message box is not the user leaving the field.
void onGotFocus(QWidget *w, std::function<void()> handler);
void onLostFocus(QWidget *w, std::function<void()> handler);
void onClick(QWidget *w, std::function<void()> handler);
void onDblClick(QWidget *w, std::function<void()> handler);

// A money box rewritten with a pattern ("#,##0.00", "#,##0.0000"): a number is grouped and
// rounded, any other text is left as typed.
void formatMoneyBox(QLineEdit *box, const QString &pattern);
// A date box rewritten as "dd.mm.yyyy" when it holds a date; other text is left as typed.
void formatDateBox(QLineEdit *box);

// The posting id of `at`, moved on second by second while veresiye or kasa already
// carries it, so that two postings never share one.
QString uniquePostingId(pv::Database &db, QDateTime at);

// A value for one column of a new row: by name, or by position in the table's order.
struct Value {
    QVariant column; // QString name or int position
    QVariant value;
};
// Adds one row to table. False with the reason in *error when a value or the row is
// refused; the caller's transaction then rolls everything back.
bool addRow(pv::Database &db, const QString &table, std::initializer_list<Value> values, QString *error);

// An apostrophe doubled, for the few texts a report source carries.
QString sqlText(const QString &text);

// The account window's answer to a saved posting: confirmation shown, ledger re-read,
// last-entry date set to today. Only when the account window is open.
void raiseRefreshSignal(const QString &code);

inline const QString kWarnTitle = QStringLiteral("Dikkat!!");
inline const QString kErrorTitle = QStringLiteral("Hata");
// Shown when a posting could not be written; the reason follows on a new line.
inline const QString kSaveFailed =
    QStringLiteral("Kayıt yapılamadı; hiçbir değişiklik yazılmadı. Bilgiler ekranda duruyor.");
inline const QString kBadDate = QStringLiteral("Tarihi gg.aa.yyyy biçiminde yazın.");

} // namespace entry
