#include "platform/data/ProgramDatabase.h"

#include "platform/data/Database.h"
#include "platform/data/Recordset.h"
#include "platform/data/SqlFunctions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <filesystem>
#include <sqlite3.h>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace pv
{

namespace
{

using TableColumns = QHash<QString, QStringList>; // table (lower case) -> columns (lower case)

// Column names of every table of db.
TableColumns tableColumns(sqlite3 *db)
{
    TableColumns out;
    sqlite3_stmt *tables = nullptr;
    if (sqlite3_prepare_v2(db,
                           "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'",
                           -1, &tables, nullptr) != SQLITE_OK)
        return out;
    QStringList names;
    while (sqlite3_step(tables) == SQLITE_ROW)
        names << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(tables, 0)));
    sqlite3_finalize(tables);
    for (const QString &name : names) {
        sqlite3_stmt *cols = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT name FROM pragma_table_info(?)", -1, &cols, nullptr) != SQLITE_OK)
            continue;
        const QByteArray n = name.toUtf8();
        sqlite3_bind_text(cols, 1, n.constData(), int(n.size()), SQLITE_TRANSIENT);
        QStringList list;
        while (sqlite3_step(cols) == SQLITE_ROW)
            list << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(cols, 0))).toLower();
        sqlite3_finalize(cols);
        out.insert(name.toLower(), list);
    }
    return out;
}

// The tables and columns the schema script makes, read back from a database in memory.
TableColumns expectedTables(const QString &schemaSql)
{
    sqlite3 *mem = nullptr;
    TableColumns out;
    if (sqlite3_open_v2(":memory:", &mem, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK &&
        registerSqlFunctions(mem) == SQLITE_OK &&
        sqlite3_exec(mem, schemaSql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK)
        out = tableColumns(mem);
    sqlite3_close(mem);
    return out;
}

bool setReason(QString *reason, const QString &text)
{
    if (reason)
        *reason = text;
    return false;
}

// "ok" from an integrity pragma (the first row of a sound file's answer; a faulty file's
// answer lists the faults instead).
bool checkAnswersOk(Database &db, const char *pragma, DbError *error)
{
    const auto answer = db.tryScalar(QString::fromLatin1(pragma));
    if (!answer) {
        if (error)
            *error = db.lastError();
        return false;
    }
    return answer->toString() == QLatin1String("ok");
}

bool isBusy(const DbError &e)
{
    const int primary = e.number & 0xff;
    return e.number > 0 && e.number < 0x10000 && (primary == SQLITE_BUSY || primary == SQLITE_LOCKED);
}

bool isDamage(const DbError &e)
{
    const int primary = e.number & 0xff;
    return e.number > 0 && e.number < 0x10000 && (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB);
}

std::function<bool(const QString &)> &writableCheck()
{
    static std::function<bool(const QString &)> check;
    return check;
}

// SQLite's answer on a read-only connection when a crash's journal must be rolled back.
bool mustRollBack(const DbError &e)
{
    return e.number == SQLITE_READONLY_ROLLBACK;
}

enum class Look { Opened, NeedsRollBack, Failed };

// Opens db read-only on path and reads its schema once. A crash's journal in the way is
// rolled back through a read-write connection (SQLite does so at its first read) when the
// file and its folder may be written, and the look is taken again.
Look openToLook(Database &db, const QString &path, int busyMs, DbError *error)
{
    const QString firstRead = QStringLiteral("SELECT count(*) FROM sqlite_master");
    for (bool rolledBack = false;; rolledBack = true) {
        if (db.open(path, Database::ReadOnly)) {
            sqlite3_busy_timeout(db.handle(), busyMs);
            if (db.tryScalar(firstRead))
                return Look::Opened;
        }
        *error = db.lastError();
        db.close();
        if (rolledBack || !mustRollBack(*error))
            return Look::Failed;
        if (!fileAndFolderWritable(path))
            return Look::NeedsRollBack;
        Database writer;
        const bool opened = writer.open(path);
        if (opened)
            sqlite3_busy_timeout(writer.handle(), busyMs);
        if (!opened || !writer.tryScalar(firstRead)) {
            *error = writer.lastError();
            return (error->number & 0xff) == SQLITE_READONLY ? Look::NeedsRollBack : Look::Failed;
        }
    }
}

} // namespace

bool fileAndFolderWritable(const QString &path)
{
    if (writableCheck())
        return writableCheck()(path);
    const QFileInfo fi(path);
    const QFileInfo folder(fi.absolutePath());
#ifdef Q_OS_UNIX
    return ::access(QFile::encodeName(fi.absoluteFilePath()).constData(), W_OK) == 0 &&
           ::access(QFile::encodeName(folder.absoluteFilePath()).constData(), W_OK) == 0;
#else
    return fi.isWritable() && folder.isWritable();
#endif
}

void setWritableCheck(std::function<bool(const QString &path)> check)
{
    writableCheck() = std::move(check);
}

bool hasDatabaseHeader(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.read(16) == QByteArray("SQLite format 3\0", 16);
}

bool holdsProgramTables(sqlite3 *db)
{
    sqlite3_stmt *st = nullptr;
    bool ours = false;
    if (sqlite3_prepare_v2(db,
                           "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND lower(name) IN "
                           "('user', 'dgrayr', 'musteriler', 'veresiye', 'kasa', 'yedek_yeri')",
                           -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        ours = sqlite3_column_int(st, 0) == 6;
    sqlite3_finalize(st);
    return ours;
}

bool databaseInUse(const QString &path)
{
    if (!QFileInfo::exists(path))
        return false;
    Database probe;
    if (!probe.open(path))
        return false;
    // Held here and by the probe: anything more is another handle of the program.
    const auto held = probe.connection();
    return held.use_count() > 2;
}

ProgramFile checkProgramDatabase(const QString &path, const QString &schemaSql, QString *reason)
{
    const auto notOurs = [reason](const QString &text) {
        setReason(reason, text);
        return ProgramFile::NotOurs;
    };
    if (!hasDatabaseHeader(path))
        return notOurs(QStringLiteral("not an SQLite file"));
    const TableColumns expected = expectedTables(schemaSql);
    if (expected.isEmpty())
        return notOurs(QStringLiteral("the schema could not be read"));
    Database db;
    DbError error;
    switch (openToLook(db, path, 5000, &error)) {
    case Look::Opened:
        break;
    case Look::NeedsRollBack:
        setReason(reason, QStringLiteral("a crash's journal waits"));
        return ProgramFile::NeedsRollBack;
    case Look::Failed:
        return notOurs(error.detail);
    }
    const TableColumns present = tableColumns(db.handle());
    for (auto it = expected.constBegin(); it != expected.constEnd(); ++it) {
        const auto found = present.constFind(it.key());
        if (found == present.constEnd())
            return notOurs(QStringLiteral("table %1 missing").arg(it.key()));
        for (const QString &column : it.value())
            if (!found->contains(column))
                return notOurs(QStringLiteral("column %1.%2 missing").arg(it.key(), column));
    }
    if (!checkAnswersOk(db, "PRAGMA integrity_check", &error))
        return notOurs(error ? error.detail : QStringLiteral("integrity check failed"));
    // As the start-up reads it: the version table through a record set, standing on its row.
    Recordset version;
    if (!version.open(db, QStringLiteral("surum")) || !version.hasCurrent() ||
        !version.Fields(QStringLiteral("surum")).exists())
        return notOurs(QStringLiteral("version row unreadable"));
    return ProgramFile::Ours;
}

DatabaseState databaseState(const QString &path, QString *reason, int busyMs)
{
    if (!QFileInfo::exists(path)) {
        setReason(reason, QStringLiteral("file not found"));
        return DatabaseState::Missing;
    }
    Database db;
    DbError error;
    switch (openToLook(db, path, busyMs, &error)) {
    case Look::Opened:
        if (checkAnswersOk(db, "PRAGMA quick_check", &error)) {
            db.close();
            if (!fileAndFolderWritable(path)) {
                setReason(reason, QStringLiteral("read-only"));
                return DatabaseState::ReadOnly;
            }
            return DatabaseState::Usable;
        }
        if (!error) {
            setReason(reason, QStringLiteral("quick check found faults"));
            return DatabaseState::Damaged;
        }
        break;
    case Look::NeedsRollBack:
        setReason(reason, QStringLiteral("a crash's journal waits"));
        return DatabaseState::NeedsRollBack;
    case Look::Failed:
        break;
    }
    setReason(reason, error.detail);
    if (isBusy(error))
        return DatabaseState::Locked;
    return isDamage(error) ? DatabaseState::Damaged : DatabaseState::CannotOpen;
}

QString compactionTemporaryPath(const QString &resolvedDatabasePath)
{
    return QFileInfo(resolvedDatabasePath).absolutePath() + QLatin1Char('/') +
           QLatin1String(kCompactionTemporaryName);
}

bool removeCompactionLeftovers(const QString &resolvedDatabasePath)
{
    const QString temporary = compactionTemporaryPath(resolvedDatabasePath);
    for (const QString &leftover :
         {temporary, temporary + QStringLiteral("-journal"), temporary + QStringLiteral("-wal")}) {
        const QFileInfo fi(leftover);
        if ((fi.exists() || fi.isSymLink()) && !QFile::remove(leftover))
            return false;
    }
    return true;
}

QString previousDatabasePath(const QString &databasePath)
{
    return databasePath + QStringLiteral(".onceki");
}

void flushFolder(const QString &folder)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

bool renameDurably(const QString &from, const QString &to)
{
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()),
                            std::filesystem::path(to.toStdU16String()), ec);
    if (ec)
        return false;
    flushFolder(QFileInfo(to).absolutePath());
    if (QFileInfo(from).absolutePath() != QFileInfo(to).absolutePath())
        flushFolder(QFileInfo(from).absolutePath());
    return true;
}

} // namespace pv
