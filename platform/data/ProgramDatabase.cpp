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

} // namespace

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

bool isProgramDatabase(const QString &path, const QString &schemaSql, QString *reason)
{
    if (!hasDatabaseHeader(path))
        return setReason(reason, QStringLiteral("not an SQLite file"));
    const TableColumns expected = expectedTables(schemaSql);
    if (expected.isEmpty())
        return setReason(reason, QStringLiteral("the schema could not be read"));
    Database db;
    if (!db.open(path, Database::ReadOnly))
        return setReason(reason, db.lastError().message);
    const TableColumns present = tableColumns(db.handle());
    for (auto it = expected.constBegin(); it != expected.constEnd(); ++it) {
        const auto found = present.constFind(it.key());
        if (found == present.constEnd())
            return setReason(reason, QStringLiteral("table %1 missing").arg(it.key()));
        for (const QString &column : it.value())
            if (!found->contains(column))
                return setReason(reason, QStringLiteral("column %1.%2 missing").arg(it.key(), column));
    }
    DbError error;
    if (!checkAnswersOk(db, "PRAGMA integrity_check", &error))
        return setReason(reason, error ? error.message : QStringLiteral("integrity check failed"));
    // As the start-up reads it: the version table through a record set, standing on its row.
    Recordset version;
    if (!version.open(db, QStringLiteral("surum")) || !version.hasCurrent() ||
        !version.Fields(QStringLiteral("surum")).exists())
        return setReason(reason, QStringLiteral("version row unreadable"));
    return true;
}

DatabaseState databaseState(const QString &path, QString *reason, int busyMs)
{
    const QFileInfo fi(path);
    if (!fi.exists()) {
        setReason(reason, QStringLiteral("file not found"));
        return DatabaseState::Missing;
    }
    Database db;
    if (!db.open(path, Database::ReadOnly)) {
        setReason(reason, db.lastError().message);
        return isBusy(db.lastError()) ? DatabaseState::Locked : DatabaseState::CannotOpen;
    }
    sqlite3_busy_timeout(db.handle(), busyMs);
    DbError error;
    if (!checkAnswersOk(db, "PRAGMA quick_check", &error)) {
        if (isBusy(error)) {
            setReason(reason, error.message);
            return DatabaseState::Locked;
        }
        if (error && !isDamage(error)) {
            setReason(reason, error.message);
            return DatabaseState::CannotOpen;
        }
        setReason(reason, error ? error.message : QStringLiteral("quick check found faults"));
        return DatabaseState::Damaged;
    }
    db.close();
    // The journal is made beside the file, so the folder must take new files too.
    const QFileInfo folder(fi.absolutePath());
#ifdef Q_OS_UNIX
    const bool writable = ::access(QFile::encodeName(fi.absoluteFilePath()).constData(), W_OK) == 0 &&
                          ::access(QFile::encodeName(folder.absoluteFilePath()).constData(), W_OK) == 0;
#else
    const bool writable = fi.isWritable() && folder.isWritable();
#endif
    if (!writable) {
        setReason(reason, QStringLiteral("read-only"));
        return DatabaseState::ReadOnly;
    }
    return DatabaseState::Usable;
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
