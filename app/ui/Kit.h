#pragma once
// The one kit the program's windows are built with: controls made from their design
// properties and placed in twips, the money, date and time boxes and the refusal of what
// they hold, the dates the lists show, the customer card's box rules, and the database
// file's backup copy and hand-over of the administration windows.
//
// Event hooks of single controls (got/lost focus, click, double click) are in
// platform/forms/Events.h; key handling in platform/forms/Keys.h.
#include <QDate>
#include <QLabel>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>
#include <initializer_list>

class FrameFendrixon;
class QComboBox;
class QDateEdit;
class QFrame;
class QAbstractScrollArea;
class QLineEdit;
class QuorvelXPProgressBar;
class QWidget;

namespace pv
{
class DataControl;
class FormMember;
class Form;
class HandOff;
class Recordset;
} // namespace pv

namespace ui
{

// ---------------------------------------------------------------- controls

// Left, top, width and height in twips.
void place(QWidget *w, double left, double top, double width, double height);
void moveTo(QWidget *w, double left, double top);
// Moves a panel to its place and shows it on top of its siblings.
void showAt(QWidget *w, double left, double top);

// The administration windows' captions pass wordWrap: they wrap onto a second line.
QLabel *label(QWidget *parent, const char *name, double l, double t, double w, double h,
              const QString &caption, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter,
              bool wordWrap = false);
// The scroll bars of area drawn as the program's style draws them, each look drawn once and
// copied to the screen from then on.
void scrollBarsFromImages(QAbstractScrollArea *area);
// A text box; when it masks its text (a password) it shows "*" for each character.
QLineEdit *textBox(QWidget *parent, const char *name, double l, double t, double w, double h,
                   const QString &text = {});
// A list the user picks from, not types into.
QComboBox *comboBox(QWidget *parent, const char *name, double l, double t, double w, double h,
                    const QStringList &items = {});
// A date picker showing "dd.mm.yyyy" with a calendar to drop down, within the date range.
QDateEdit *datePicker(QWidget *parent, const char *name, double l, double t, double w, double h);
// A panel that stands over other controls and hides what lies beneath; box draws its edge.
QFrame *panel(QWidget *parent, const char *name, double l, double t, double w, double h, bool box = true);
// The window's controls made from its form file ":/forms/<objectName>.form.json" (a
// <Window>.form.json beside the window's source; platform/forms/FormLoader.h tells its
// form), the members pointed at them, the handlers connected. The kit's controls are the
// classes "Kit.Label", "Kit.TextBox", "Kit.ComboBox", "Kit.DatePicker", "Kit.Panel" (design
// "Box"), "Kit.PickedList" (design "Text"), "Kit.TabWidget" (design "Tabs", the pages'
// captions), "Kit.Menu" (its actions added by the window), and Qt's as the windows make
// them: "Kit.Grid", "Kit.List", "Kit.TextEdit", "Kit.PlainTextEdit", "Kit.TextBrowser",
// "Kit.CheckBox", "Kit.Frame", "Kit.Widget". False (and the reason
// logged as a warning "form file: ...", which fails any test of the harness) when the
// file cannot be loaded.
bool loadForm(QWidget *window, const QList<pv::FormMember> &members);
// A panel's controls, made on `on`, their handlers looked for on `handlers` (the panel
// object that owns them): "Window" is the form of ":/forms/Window.form.json", and
// "Window.panel" the panel of that name under the file's "panels".
bool loadForm(QWidget *on, const QString &formName, QObject *handlers, const QList<pv::FormMember> &members);

// Enabled for any control of the program (the button and the frame keep their own state).
void setEnabled(QWidget *w, bool on);
// The same for each of these controls.
void setEnabled(const QList<QWidget *> &controls, bool on);
// The same for those not yet in the state asked: a button redraws itself at every change.
void setEnabledWhereNot(std::initializer_list<QWidget *> widgets, bool on);

// The window's control of this name and class, for a helper class that takes the
// window's controls once, when it is made (or when it builds the panel they are on). A
// name the window lacks, or a control of another class, is a fault of the program: it is
// logged as the warning "form file: <window> has no <class> named <name>", which fails any
// test of the harness, and a hidden stand-in of the class, never shown, is answered, so
// that the program goes on without that control's part instead of stopping.
template <class T> T *control(QWidget *window, const char *name);
// The same for several controls of any class, in the order named.
QList<QWidget *> controls(QWidget *window, std::initializer_list<const char *> names);

// A drop-down filled again with the names of a lookup list as it stands; the name picked
// stays picked while it is listed.
void fillList(pv::DataControl *dc, const QString &field, QComboBox *list);

// The colours of the program's frames when they are given back after a lock.
void giveFrameItsColours(FrameFendrixon *f);

// A hidden text field stands for a field of the data control's current row.
void bindField(pv::DataControl *dc, pv::HandOff *field, const QString &column);

// ---------------------------------------------------------------- boxes

inline const QString kWarnTitle = QStringLiteral("Dikkat!!");
inline const QString kErrorTitle = QStringLiteral("Hata");
// Shown when a posting could not be written; the reason follows on a new line.
inline const QString kSaveFailed =
    QStringLiteral("Kayıt yapılamadı; hiçbir değişiklik yazılmadı. Bilgiler ekranda duruyor.");
inline const QString kBadDate = QStringLiteral("Tarihi gg.aa.yyyy biçiminde yazın.");

// The one range of days every date box and date picker takes: a day outside it would be
// saved, yet no range picker could list it again.
inline const QDate kFirstDay{1900, 1, 1};
inline const QDate kLastDay{2099, 12, 31};
// "Tarih 01.01.1900 ile 31.12.2099 arasında olmalıdır."
QString dateOutOfRange();

// Refuses what a box holds: the message (title "Dikkat!!", exclamation), then the focus
// back in the box with its text selected for typing over.
void refuse(QLineEdit *box, const QString &message);
// The entry dialogs' refusal: the message (title "Dikkat!!", OK, exclamation), then the
// focus back in the field, its text left as it is.
void refuseField(QWidget *field, const QString &message);
// The posting could not be written: kSaveFailed and the reason, title "Hata".
void showSaveFailed(const QString &reason);

// The one amount check of every amount, price and quantity box. An empty box gets
// `emptyMessage`, text that is no Turkish number or above 999.999.999.999,99 gets the
// check's own message naming `word` ("Tutar", "Miktar", "Fiyat"); each refuses the box.
// With an empty `emptyMessage` an empty box reads as 0.
bool readAmount(QLineEdit *box, double *value, const QString &emptyMessage,
                const QString &word = QStringLiteral("Tutar"));
// A date ("gg.aa.yyyy") within the date range, or a time ("9:15" reads 09:15:00); anything
// else is refused with the program's date, range or time message.
bool readDate(QLineEdit *box, QDate *date);
bool readTime(QLineEdit *box, QTime *time);
// The entry dialogs' date box: the same date, refused as their fields are (refuseField),
// with kBadDate when it is no date.
bool readDateField(QLineEdit *box, QDate *date);

// A money box rewritten with a pattern ("#,##0.00", "#,##0.0000"): a number is grouped and
// rounded, any other text is left as typed.
void formatMoneyBox(QLineEdit *box, const QString &pattern);
// A date box rewritten as "dd.mm.yyyy" when it holds a date; other text is left as typed.
void formatDateBox(QLineEdit *box);

// A box holding nothing but blanks counts as empty.
bool isBlank(const QString &text);
// The e-mail box's design text "@" alone is no address.
QString mailValue(const QString &typed);
// The domain the shop's sending address must carry, and the example the message gives.
QString mailDomain();
QString mailExample();

// ---------------------------------------------------------------- dates of the lists

// "dd.mm.yyyy" or "yyyy-mm-dd" as a date; invalid for anything else.
QDate quickDate(const QString &text);
// Whole days from last to today, in 32 bits.
bool daysBetween(const QDate &last, const QDate &today, int *days);
// Whole days from a row's date field to today, in 32 bits; false when the field holds no
// date (empty, not a date, or too far away).
bool daysSince(const pv::Recordset &rs, int row, int field, const QDate &today, int *days);

// ---------------------------------------------------------------- the customer card

// The vendor's address named in the program's messages.
QString makerAddress();

// Photo paths: the file must exist and be a JPG, GIF or BMP picture.
enum class PhotoCheck { Ok, Missing, WrongType };
PhotoCheck checkPhoto(const QString &path);
// Shows the check's message; true when the picture may be loaded.
bool reportPhoto(const QString &path);

// ---------------------------------------------------------------- the database file

// "BrennavikPelvanor_Yedek_DD-MM-YY(HH-MM-SS).ydk" for the program clock's now.
QString backupFileName();
// Where backups go: the folder set in the settings, or, with none set, the folder
// "Yedekler" beside the database (created when missing). Native separators, ending in a
// separator, ready to have a file name appended.
QString backupFolder(const QString &configured);
// A backup file name as the user left it, made whole: a name without a folder goes into
// the backup folder, never into the process's working folder.
QString backupTarget(const QString &typed, const QString &configuredFolder);
// The folder with a path separator at its end, so that a file name can follow it; an
// empty folder stays empty.
QString withTrailingSeparator(const QString &folder);

// The automatic-backup switch as the settings row holds it: on for any number but 0.
bool switchIsOn(const QString &text);

enum class CopyKind {
    Backup,  // source is the program's database, possibly open
    Restore, // source is a backup file; the destination must be free
};

// Copies source over destination and returns the bytes written, 0 when nothing was.
// The source is checked first (exists, readable, not empty, not the destination; for a
// restore, a database of this program), then the user is asked before an existing
// destination is replaced (questionTitle). The copy goes to a temporary file beside the
// destination, through SQLite's online backup, so it is consistent even while the
// program has the file open, and replaces the destination only when complete. The bar
// follows in percent and is left at 0. Failures show "Kopyalama Hatası!, Yeniden deneyin.".
qint64 copyDatabase(const QString &source, const QString &destination, const QString &questionTitle,
                    QuorvelXPProgressBar *bar, CopyKind kind);
// The temporary file a copy to destination is written into (hidden, beside it); a copy
// broken off leaves it behind, with its journal (the same name followed by "-journal").
QString copyPartPath(const QString &destination);
// Removes what a copy to destination broken off left: its part file and that file's journal.
void removeCopyPart(const QString &destination);

// Unloads every loaded window but keep, and lets their deferred deletions run so that
// their data controls let go of the file.
void unloadOtherForms(pv::Form *keep);

// Hands the database file to another program (the repair program, the updater): every
// other window is unloaded and mainWindow's own data controls let go of the file, then
// the program is started; mainWindow unloads once it has started. When it does not start,
// failText is shown and mainWindow stays, its data read again.
bool startProgramWithDatabaseFree(const QString &bareName, const QString &failText, pv::Form *mainWindow,
                                  const QList<pv::DataControl *> &ownControls);
// Starts a tool beside the program (the remote help); failText when it does not start.
bool startTool(const QString &bareName, const QString &failText);

// ---------------------------------------------------------------- controls by name

namespace detail
{
// The control, or null after the warning.
QWidget *findControl(QWidget *window, const char *name, const QMetaObject &type);
} // namespace detail

template <class T> T *control(QWidget *window, const char *name)
{
    if (QWidget *found = detail::findControl(window, name, T::staticMetaObject))
        return static_cast<T *>(found);
    auto *standIn = new T(window);
    standIn->hide();
    return standIn;
}

} // namespace ui
