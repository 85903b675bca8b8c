#include "tests/harness/Harness.h"

#include "app/ledger/ShopFile.h"
#include "database/DbScripts.h"
#include "platform/components/Twips.h"
#include "platform/data/Database.h"
#include "platform/data/SqlFunctions.h"
#include "platform/forms/Clock.h"
#include "platform/forms/Language.h"
#include "platform/forms/Program.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>

#include <sqlite3.h>
#include <unistd.h>

namespace pv::test
{

namespace
{
QtMessageHandler g_previousHandler = nullptr;

// The offscreen platform warns about window features it lacks; that says nothing
// about the program, so it stays out of the test output.
void filterMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}
} // namespace

Harness::Harness(Guard guard) : m_context(std::make_unique<QObject>())
{
    // A window whose form file cannot be loaded fails the test (ui::loadForm says why), and
    // so does a write of a shop table that the guard refused.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^form file")));
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^write refused")));
    static const bool filtering = [] {
        g_previousHandler = qInstallMessageHandler(filterMessages);
        return true;
    }();
    Q_UNUSED(filtering);
    if (!m_dir.isValid())
        fail(QStringLiteral("no temporary folder"));
    setProgramFolder(m_dir.path());
    QString error;
    if (!createDatabaseFromScripts(databasePath(), &error))
        fail(QStringLiteral("database not built: ") + error);
    // As the program guards its shop file, so that every test runs under the guard.
    if (guard == Guard::ShopFile && !pv::ledger::guardShopFile(databasePath()))
        fail(QStringLiteral("shop file open before it was guarded"));

    Clock::setFixed(defaultNow());
    Timer::setTestMode(true);
    useTurkish(); // the program's own start-up language step
    setTwipsPerPixel(15);

    setMsgBoxHandler([this](const MsgBoxCall &call) { return answerBox(call); });
    setPickerHandler([this](const PickerCall &call) { return answerPicker(call); });
    setLaunchHandler([this](const QString &path) {
        m_launches.append(path);
        return m_launchResult;
    });
    resetProgramEnd();
    setProgramEndHandler([this] { m_ended = true; });

    QObject::connect(&FormEvents::instance(), &FormEvents::modalShown, m_context.get(), [this](QWidget *w) {
        // The action runs once the modal window's own loop is running.
        QPointer<QWidget> pw(w);
        QMetaObject::invokeMethod(
            m_context.get(), [this, pw] { modalShown(pw); }, Qt::QueuedConnection);
    });
}

Harness::~Harness()
{
    finish();
    m_context.reset();
    discardAllForms(true);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    setMsgBoxHandler({});
    setPickerHandler({});
    setLaunchHandler({});
    setProgramEndHandler({});
    resetProgramEnd();
    Clock::clearFixed();
    Timer::setTestMode(false);
    setTwipsPerPixel(0);
    setProgramFolder({});
}

QString Harness::folder() const
{
    return m_dir.path();
}
QString Harness::databasePath() const
{
    return m_dir.path() + QStringLiteral("/pelvanor.dll");
}

QDateTime Harness::defaultNow()
{
    return QDateTime(QDate(2026, 12, 10), QTime(10, 0, 0));
}
void Harness::setNow(const QDateTime &now)
{
    Clock::setFixed(now);
}

void Harness::fail(const QString &message)
{
    if (m_failSink)
        m_failSink(message);
    else
        QTest::qFail(message.toUtf8().constData(), __FILE__, __LINE__);
}

void Harness::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    for (const auto &b : std::as_const(m_expectedBoxes))
        fail(QStringLiteral("expected message box not shown: \"%1\"").arg(b.text));
    for (const auto &m : std::as_const(m_expectedModals))
        fail(QStringLiteral("expected modal window not shown: %1").arg(m.name));
    for (const auto &p : std::as_const(m_expectedPicks))
        fail(QStringLiteral("expected picker not shown, answer \"%1\"").arg(p.answer));
    m_expectedBoxes.clear();
    m_expectedModals.clear();
    m_expectedPicks.clear();
}

// ---- message boxes

void Harness::expectMsgBox(const QString &text, int answer)
{
    m_expectedBoxes.append({text, false, -1, {}, false, answer, {}});
}

void Harness::expectMsgBox(const QString &text, int flags, const QString &title, int answer)
{
    m_expectedBoxes.append({text, false, flags, title, true, answer, {}});
}

void Harness::expectMsgBox(const QString &text, std::function<int(const MsgBoxCall &)> answer)
{
    m_expectedBoxes.append({text, false, -1, {}, false, vbOK, std::move(answer)});
}

void Harness::expectMsgBoxContaining(const QString &part, int answer)
{
    m_expectedBoxes.append({part, true, -1, {}, false, answer, {}});
}

int Harness::unansweredMsgBoxes() const
{
    return int(m_expectedBoxes.size());
}

int Harness::answerBox(const MsgBoxCall &call)
{
    m_boxes.append(call);
    const QString shown =
        QStringLiteral("\"%1\" (title \"%2\", flags %3)").arg(call.text, call.title).arg(call.flags);
    if (m_expectedBoxes.isEmpty()) {
        fail(QStringLiteral("unexpected message box ") + shown);
        return msgBoxEscapeAnswer(call.flags);
    }
    const ExpectedBox e = m_expectedBoxes.takeFirst();
    const bool textOk = e.partial ? call.text.contains(e.text) : call.text == e.text;
    if (!textOk || (e.flags >= 0 && e.flags != call.flags) || (e.checkTitle && e.title != call.title)) {
        fail(QStringLiteral("message box %1 where \"%2\" was expected").arg(shown, e.text));
        return msgBoxEscapeAnswer(call.flags);
    }
    return e.answerBy ? e.answerBy(call) : e.answer;
}

// ---- modal windows

void Harness::addModal(const QString &name, std::function<bool(QWidget *)> matches,
                       std::function<void(QWidget *)> action)
{
    m_expectedModals.append({name, std::move(matches), std::move(action)});
}

void Harness::onAnyModal(std::function<void(QWidget *)> action)
{
    addModal(
        QStringLiteral("any window"), [](QWidget *) { return true; }, std::move(action));
}

void Harness::modalShown(QWidget *w)
{
    if (!w || !w->isVisible())
        return;
    const QString shown =
        QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(w->metaObject()->className()), w->windowTitle());
    if (m_expectedModals.isEmpty() || !m_expectedModals.first().matches(w)) {
        fail(QStringLiteral("unexpected modal window ") + shown +
             (m_expectedModals.isEmpty() ? QString()
                                         : QStringLiteral(", expected ") + m_expectedModals.first().name));
        w->hide();
        return;
    }
    const ExpectedModal e = m_expectedModals.takeFirst();
    QPointer<QWidget> guard(w);
    e.action(w);
    if (guard && guard->isVisible() && modalWindows().contains(guard.data())) {
        fail(QStringLiteral("modal window left open: ") + shown);
        guard->hide();
    }
}

// ---- pickers

void Harness::expectOpenFile(const QString &path)
{
    m_expectedPicks.append({PickerCall::OpenFile, path});
}
void Harness::expectFolder(const QString &path)
{
    m_expectedPicks.append({PickerCall::Folder, path});
}
void Harness::expectSaveFile(const QString &path)
{
    m_expectedPicks.append({PickerCall::SaveFile, path});
}

QString Harness::answerPicker(const PickerCall &call)
{
    m_pickerCalls.append(call);
    if (m_expectedPicks.isEmpty() || m_expectedPicks.first().kind != call.kind) {
        fail(QStringLiteral("unexpected %1 picker \"%2\"")
                 .arg(call.kind == PickerCall::Folder ? QStringLiteral("folder") : QStringLiteral("file"),
                      call.title));
        return {};
    }
    return m_expectedPicks.takeFirst().answer;
}

// ---- driving

void Harness::settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void Harness::click(QWidget *widget)
{
    if (widget)
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

void Harness::type(QWidget *widget, const QString &text)
{
    // Character by character with the character as the key's text, so that letters
    // outside Latin-1 (ş, ğ, İ) type as they do on a Turkish keyboard.
    for (QChar c : text) {
        if (!widget)
            return;
        const QChar up = c.toUpper();
        const Qt::Key k = up.unicode() < 0x80 && up.isPrint() ? Qt::Key(up.unicode()) : Qt::Key_unknown;
        const Qt::KeyboardModifiers mods = c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier;
        QTest::sendKeyEvent(QTest::Press, widget, k, QString(c), mods);
        QTest::sendKeyEvent(QTest::Release, widget, k, QString(c), mods);
    }
}

void Harness::key(QWidget *widget, Qt::Key k, Qt::KeyboardModifiers modifiers)
{
    if (widget)
        QTest::keyClick(widget, k, modifiers);
}

// ---- database

namespace
{
struct Db {
    sqlite3 *db = nullptr;
    explicit Db(const QString &path)
    {
        if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK)
            registerSqlFunctions(db);
        else {
            sqlite3_close(db);
            db = nullptr;
        }
    }
    ~Db() { sqlite3_close(db); }
};

void bind(sqlite3_stmt *st, const QVariantList &params)
{
    for (int i = 0; i < params.size(); ++i) {
        const QVariant &v = params[i];
        const int n = i + 1;
        if (v.isNull() || !v.isValid())
            sqlite3_bind_null(st, n);
        else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong ||
                 v.typeId() == QMetaType::Bool || v.typeId() == QMetaType::UInt)
            sqlite3_bind_int64(st, n, v.toLongLong());
        else if (v.typeId() == QMetaType::Double)
            sqlite3_bind_double(st, n, v.toDouble());
        else if (v.typeId() == QMetaType::QByteArray) {
            const QByteArray b = v.toByteArray();
            sqlite3_bind_blob(st, n, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        } else {
            const QByteArray t = v.toString().toUtf8();
            sqlite3_bind_text(st, n, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        }
    }
}

QVariant column(sqlite3_stmt *st, int i)
{
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(st, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(st, i));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i)),
                                          sqlite3_column_bytes(st, i)));
    case SQLITE_BLOB:
        return QVariant(
            QByteArray(static_cast<const char *>(sqlite3_column_blob(st, i)), sqlite3_column_bytes(st, i)));
    default:
        return QVariant();
    }
}
} // namespace

QList<QVariantList> Harness::rows(const QString &sql, const QVariantList &params)
{
    QList<QVariantList> out;
    Db db(databasePath());
    if (!db.db) {
        fail(QStringLiteral("cannot open ") + databasePath());
        return out;
    }
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db.db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
        fail(QStringLiteral("SQL error in \"%1\": %2").arg(sql, QString::fromUtf8(sqlite3_errmsg(db.db))));
        return out;
    }
    bind(st, params);
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        QVariantList row;
        for (int i = 0; i < sqlite3_column_count(st); ++i)
            row.append(column(st, i));
        out.append(row);
    }
    if (rc != SQLITE_DONE)
        fail(QStringLiteral("SQL error in \"%1\": %2").arg(sql, QString::fromUtf8(sqlite3_errmsg(db.db))));
    sqlite3_finalize(st);
    return out;
}

bool Harness::breakReadsOf(const QString &table)
{
    return exec(QStringLiteral("ALTER TABLE %1 RENAME TO %1_t").arg(table)) &&
           exec(QStringLiteral("CREATE VIEW %1 AS SELECT * FROM %1_t WHERE json('bozuk') IS NOT NULL")
                    .arg(table));
}

bool Harness::mendReadsOf(const QString &table)
{
    return exec(QStringLiteral("DROP VIEW %1").arg(table)) &&
           exec(QStringLiteral("ALTER TABLE %1_t RENAME TO %1").arg(table));
}

int Harness::statementsRun(const QByteArray &part, const std::function<void()> &action)
{
    struct Count {
        QByteArray part;
        int n = 0;
        static int seen(unsigned, void *self, void *stmt, void *)
        {
            auto *c = static_cast<Count *>(self);
            if (QByteArray(sqlite3_sql(static_cast<sqlite3_stmt *>(stmt))).contains(c->part))
                ++c->n;
            return 0;
        }
    } count{part};
    // Opening a file the program has open joins its connection.
    pv::Database same;
    const bool joined = same.open(databasePath());
    if (joined)
        sqlite3_trace_v2(same.handle(), SQLITE_TRACE_STMT, Count::seen, &count);
    action();
    if (joined)
        sqlite3_trace_v2(same.handle(), 0, nullptr, nullptr);
    return count.n;
}

bool Harness::exec(const QString &sql, const QVariantList &params)
{
    Db db(databasePath());
    if (!db.db) {
        fail(QStringLiteral("cannot open ") + databasePath());
        return false;
    }
    if (params.isEmpty()) {
        char *err = nullptr;
        if (sqlite3_exec(db.db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
            fail(QStringLiteral("SQL error in \"%1\": %2").arg(sql, QString::fromUtf8(err)));
            sqlite3_free(err);
            return false;
        }
        return true;
    }
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db.db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
        fail(QStringLiteral("SQL error in \"%1\": %2").arg(sql, QString::fromUtf8(sqlite3_errmsg(db.db))));
        return false;
    }
    bind(st, params);
    const int rc = sqlite3_step(st);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        fail(QStringLiteral("SQL error in \"%1\": %2").arg(sql, QString::fromUtf8(sqlite3_errmsg(db.db))));
    sqlite3_finalize(st);
    return rc == SQLITE_DONE || rc == SQLITE_ROW;
}

QVariant Harness::value(const QString &sql, const QVariantList &params)
{
    const QList<QVariantList> r = rows(sql, params);
    if (r.isEmpty() || r.first().isEmpty())
        return {};
    return r.first().first();
}

bool Harness::insert(const QString &table, const QVariantMap &values)
{
    QStringList cols, marks;
    QVariantList params;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        cols.append(QLatin1Char('[') + it.key() + QLatin1Char(']'));
        marks.append(QStringLiteral("?"));
        params.append(it.value());
    }
    return exec(QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
                    .arg(table, cols.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                params);
}

void addCustomer(Harness &h, const QString &code, const QString &name, const QVariantMap &fields)
{
    QVariantMap row{{QStringLiteral("mus_kodu"), code},
                    {QStringLiteral("MusteriFirma"), name},
                    {QStringLiteral("Turu"), QStringLiteral("Alıcı")},
                    {QStringLiteral("ParaTuru"), QStringLiteral("TL")}};
    row.insert(fields);
    h.insert(QStringLiteral("musteriler"), row); // a refused row fails the test
}

QVariantMap lastMoved(const QVariantMap &more)
{
    QVariantMap fields{{QStringLiteral("Gun"), 7},
                       {QStringLiteral("Sonislem"), QStringLiteral("2026-12-03")}};
    fields.insert(more);
    return fields;
}

QVariantMap listedToday(const QVariantMap &more)
{
    QVariantMap fields{{QStringLiteral("MusGrup"), QStringLiteral("GENEL")},
                       {QStringLiteral("Sonislem"), QStringLiteral("2026-12-10")},
                       {QStringLiteral("Sonislem2"), QStringLiteral("20261210")},
                       {QStringLiteral("Bakiye"), 0.0}};
    fields.insert(more);
    return fields;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

bool hardLink(const QString &path, const QString &name)
{
    return ::link(QFile::encodeName(path).constData(), QFile::encodeName(name).constData()) == 0;
}

QList<QPair<int, int>> inkRuns(const QImage &img, const QRect &area, const std::function<bool(QRgb)> &isInk)
{
    QList<QPair<int, int>> runs;
    const QRect r = area.intersected(img.rect());
    bool before = false;
    for (int x = r.left(); x <= r.right(); ++x) {
        bool any = false;
        for (int y = r.top(); y <= r.bottom() && !any; ++y)
            any = isInk(img.pixel(x, y));
        if (any && !before)
            runs.append({x, x});
        if (any)
            runs.last().second = x;
        before = any;
    }
    return runs;
}

} // namespace pv::test
