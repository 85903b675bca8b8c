#pragma once
// The test harness. One Harness per test function (make it in init(), drop it in
// cleanup(), or keep one on the test function's stack):
//
//   pv::test::Harness h;                                // fresh folder, database, clock
//   h.expectMsgBox("Şifre Yanlış", pv::vbOK);           // scripted answer, in order
//   h.onModal<frmLogin>([&](frmLogin &f) {               // when the login shows modally
//       h.type(f.txtPass, "admin");
//       h.click(f.cmdOK);                                 // must close or hide it
//   });
//   pv::form<veresiye>().mnuUser_Click();
//   h.settle();                                          // the opener's Form_Activate runs
//   QCOMPARE(h.value("SELECT count(*) FROM \"User\"").toInt(), 1);
//
// What it sets up: a temporary program folder (programFolder()) holding pelvanor.dll
// built from the schema and seed scripts; the clock fixed at 10.12.2026 10:00:00;
// timers in test mode; the Turkish locale; 15 twips a pixel; message boxes, pickers,
// the launcher and the program's end replaced by fakes. A message box, picker or modal
// window nobody expected fails the test (and is answered with its escape answer, or
// hidden, so the test goes on); expectations left unused fail it at the end.
// The database file is guarded as the program guards its shop file: a write of a shop table
// outside the ledger is refused and fails the test, and so is any schema change through the
// program's connection (a harness made with Guard::Nothing stands in for the repair
// program, which guards nothing and attaches the file it compacts). The database helpers
// work on their own sqlite3 connection, independent of the data layer under test (and of the
// guard): a test changes the file's schema (a trigger, a renamed table) through them.
#include "platform/forms/Form.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Pickers.h"
#include "platform/forms/Timer.h"

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include <functional>
#include <memory>

namespace pv::test
{

class Harness
{
public:
    enum class Guard { ShopFile, Nothing };
    explicit Harness(Guard guard = Guard::ShopFile);
    ~Harness();
    Harness(const Harness &) = delete;
    Harness &operator=(const Harness &) = delete;

    QString folder() const;       // the program folder, without a trailing separator
    QString databasePath() const; // folder() + "/pelvanor.dll"

    // Clock.
    static QDateTime defaultNow(); // 10.12.2026 10:00:00
    void setNow(const QDateTime &now);

    // Message boxes, answered in the order expected. exact text (or a part of it), then
    // optionally the flags (buttons | icon) and title the box must have.
    void expectMsgBox(const QString &text, int answer = vbOK);
    void expectMsgBox(const QString &text, int flags, const QString &title, int answer = vbOK);
    void expectMsgBoxContaining(const QString &part, int answer = vbOK);
    // The answer is worked out while the box is up (to look at the windows behind it).
    void expectMsgBox(const QString &text, std::function<int(const MsgBoxCall &)> answer);
    const QList<MsgBoxCall> &msgBoxes() const { return m_boxes; } // every box shown, in order
    int unansweredMsgBoxes() const;

    // Modal windows: when the next modal window shows, action runs inside its nested
    // loop; the action must close or hide it (else the test fails and it is hidden).
    template <class T> void onModal(std::function<void(T &)> action)
    {
        addModal(
            QString::fromLatin1(T::staticMetaObject.className()),
            [](QWidget *w) { return qobject_cast<T *>(w) != nullptr; },
            [action](QWidget *w) { action(*qobject_cast<T *>(w)); });
    }
    void onAnyModal(std::function<void(QWidget *)> action);

    // Pickers: the path the next picker returns; "" is a cancel.
    void expectOpenFile(const QString &path);
    void expectFolder(const QString &path);
    void expectSaveFile(const QString &path);
    const QList<PickerCall> &pickerCalls() const { return m_pickerCalls; }

    // Launcher: what startProgram reports (true by default) and what it was asked for
    // (absolute paths).
    void setLaunchResult(bool started) { m_launchResult = started; }
    const QStringList &launches() const { return m_launches; }

    // endProgram() ran.
    bool programEnded() const { return m_ended; }

    // Timers and the event loop.
    static bool fire(Timer &timer) { return Timer::fire(timer); }
    static int advance(int ms) { return Timer::advance(ms); }
    // Lets posted work run: deferred activations, deferred deletions, queued calls.
    static void settle();

    // Driving widgets as a user would.
    static void click(QWidget *widget);
    static void type(QWidget *widget, const QString &text);
    static void key(QWidget *widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // Database helpers. Parameters bind to '?' in order. A failing statement fails the
    // test (exec returns false).
    bool exec(const QString &sql, const QVariantList &params = {});
    QVariant value(const QString &sql, const QVariantList &params = {});
    QList<QVariantList> rows(const QString &sql, const QVariantList &params = {});
    bool insert(const QString &table, const QVariantMap &values);
    // Every read of the table fails from now on (a view that breaks on each row stands in
    // for a locked or damaged file); the rows stay in <table>_t. mendReadsOf undoes it.
    bool breakReadsOf(const QString &table);
    bool mendReadsOf(const QString &table);
    // How many statements whose SQL holds part the program's connection to the database
    // runs during action (nothing is counted when the program has the file closed).
    int statementsRun(const QByteArray &part, const std::function<void()> &action);

    // Where failures go; the default fails the running Qt test. The harness's own tests
    // collect them instead.
    void setFailureSink(std::function<void(const QString &)> sink) { m_failSink = std::move(sink); }
    // Checks that every expectation was used; run by the destructor too.
    void finish();

private:
    struct ExpectedBox {
        QString text;
        bool partial = false;
        int flags = -1;
        QString title;
        bool checkTitle = false;
        int answer = vbOK;
        std::function<int(const MsgBoxCall &)> answerBy;
    };
    struct ExpectedModal {
        QString name;
        std::function<bool(QWidget *)> matches;
        std::function<void(QWidget *)> action;
    };
    struct ExpectedPick {
        PickerCall::Kind kind;
        QString answer;
    };

    void addModal(const QString &name, std::function<bool(QWidget *)> matches,
                  std::function<void(QWidget *)> action);
    int answerBox(const MsgBoxCall &call);
    QString answerPicker(const PickerCall &call);
    void modalShown(QWidget *w);
    void fail(const QString &message);

    QTemporaryDir m_dir;
    QList<ExpectedBox> m_expectedBoxes;
    QList<MsgBoxCall> m_boxes;
    QList<ExpectedModal> m_expectedModals;
    QList<ExpectedPick> m_expectedPicks;
    QList<PickerCall> m_pickerCalls;
    QStringList m_launches;
    bool m_launchResult = true;
    bool m_ended = false;
    bool m_finished = false;
    std::function<void(const QString &)> m_failSink;
    std::unique_ptr<QObject> m_context; // owns the connections to the runtime's signals
};

// A customer row in musteriler: its code and name, kind (Turu) "Alıcı" and currency
// (ParaTuru) "TL"; fields add columns or replace those (an invalid QVariant leaves one NULL).
void addCustomer(Harness &h, const QString &code, const QString &name, const QVariantMap &fields = {});
// Its columns as most tests want them, more on top: last moved on 03.12.2026, 7 days before
// the harness's day; and listed on that day (10.12.2026) in the GENEL group, no balance.
QVariantMap lastMoved(const QVariantMap &more = {});
QVariantMap listedToday(const QVariantMap &more = {});

// A file's whole contents ("" when it cannot be read), and writing them back: the tests
// that check a file was left byte-identical.
QByteArray fileBytes(const QString &path);
bool writeFile(const QString &path, const QByteArray &bytes);
// Another name for the file at path (a hard link): one file, which every name reaches.
bool hardLink(const QString &path, const QString &name);

// The runs of columns of an image area holding ink, as [first, last] pairs: one letter
// each when the letters of a line do not touch.
QList<QPair<int, int>> inkRuns(const QImage &img, const QRect &area, const std::function<bool(QRgb)> &isInk);

} // namespace pv::test
