#include "repair/Compaction.h"

#include "platform/data/Database.h"
#include "platform/data/ProgramDatabase.h"
#include "platform/forms/Program.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace repair
{

namespace
{

ReplaceHook g_beforeReplace;

using RowCounts = QMap<QString, qint64>;

// What a failed statement tells about the file: held by someone else, or damaged.
Outcome outcomeOf(const pv::DbError &error, Outcome otherwise)
{
    if (error.number == pv::DbError::DuplicateKey)
        return Outcome::Damaged; // rows an index had hidden break a unique key
    switch (error.number & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Outcome::InUse;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return Outcome::Damaged;
    default:
        return otherwise;
    }
}

// The failure the connection last met.
pv::DbError engineError(sqlite3 *db)
{
    const int number = sqlite3_extended_errcode(db);
    return {number, pv::userReason(number), QString::fromUtf8(sqlite3_errmsg(db))};
}

// The first column of every row the statement gives; false when it fails.
bool firstColumn(sqlite3 *db, const char *sql, QStringList *out)
{
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        return false;
    }
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        *out << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return rc == SQLITE_DONE;
}

// Every table's rows, counted on the table itself: an index may be the damaged part.
// SQLite's statistics tables but sqlite_stat1 (which the copy carries) are made anew by
// ANALYZE: neither carried nor counted.
bool countRows(pv::Database &db, RowCounts *counts, pv::DbError *error)
{
    QStringList tables;
    if (!firstColumn(db.handle(),
                     "SELECT name FROM sqlite_master WHERE type = 'table' AND rootpage > 0 AND "
                     "(substr(name, 1, 11) <> 'sqlite_stat' OR name = 'sqlite_stat1') ORDER BY name",
                     &tables)) {
        *error = engineError(db.handle());
        return false;
    }
    counts->clear();
    for (const QString &table : tables) {
        const QVariant n = db.scalar(
            QStringLiteral("SELECT count(*) FROM %1 NOT INDEXED").arg(pv::Database::quoteName(table)));
        if (db.lastError()) {
            *error = db.lastError();
            return false;
        }
        counts->insert(table, n.toLongLong());
    }
    return true;
}

// The rows of PRAGMA integrity_check are exactly one "ok".
bool integrityOk(sqlite3 *db)
{
    QStringList rows;
    return firstColumn(db, "PRAGMA integrity_check", &rows) && rows == QStringList{QStringLiteral("ok")};
}

// Builds every table of the original anew in the empty database copy, fills it from the
// table's own rows, and only then creates the indexes, so that each is built from the
// rows and never copied from a damaged index of the original.
bool rebuildInto(pv::Database &copy, const QString &original, pv::DbError *error)
{
    auto fail = [&] {
        *error = copy.lastError();
        return false;
    };
    if (!copy.exec(QStringLiteral("ATTACH ? AS original"), {original}))
        return fail();
    QStringList tables, definitions, others;
    sqlite3 *h = copy.handle();
    if (!firstColumn(h,
                     "SELECT name FROM original.sqlite_master WHERE type = 'table' AND rootpage > 0 AND "
                     "sql IS NOT NULL AND substr(name, 1, 7) <> 'sqlite_' ORDER BY rowid",
                     &tables) ||
        !firstColumn(h,
                     "SELECT sql FROM original.sqlite_master WHERE type = 'table' AND rootpage > 0 AND "
                     "sql IS NOT NULL AND substr(name, 1, 7) <> 'sqlite_' ORDER BY rowid",
                     &definitions) ||
        !firstColumn(h,
                     "SELECT sql FROM original.sqlite_master WHERE type IN ('index', 'view', 'trigger') AND "
                     "sql IS NOT NULL ORDER BY type = 'trigger', rowid",
                     &others)) {
        *error = engineError(h);
        return false;
    }
    // Two whole numbers the program may keep in the header; read back as numbers, they
    // can only be numbers in the statement.
    for (const char *pragma : {"user_version", "application_id"}) {
        const qint64 n =
            copy.scalar(QStringLiteral("PRAGMA original.%1").arg(QLatin1String(pragma))).toLongLong();
        if (copy.lastError() ||
            !copy.exec(QStringLiteral("PRAGMA main.%1 = %2").arg(QLatin1String(pragma)).arg(n)))
            return fail();
    }
    if (!copy.exec(QStringLiteral("BEGIN")))
        return fail();
    for (const QString &definition : definitions)
        if (!copy.exec(definition))
            return fail();
    for (const QString &table : tables) {
        const QString name = pv::Database::quoteName(table);
        // Row by row from the table itself (the condition keeps SQLite from copying the
        // original's index pages wholesale).
        if (!copy.exec(QStringLiteral("INSERT INTO main.%1 SELECT * FROM original.%1 NOT INDEXED WHERE 1")
                           .arg(name)))
            return fail();
    }
    // SQLite's own tables that hold something of the file: the AUTOINCREMENT counters (made
    // with their tables) and the statistics an outside ANALYZE left (an ANALYZE of the schema
    // table alone makes their table and gathers nothing).
    for (const auto &[table, make] :
         {std::pair{"sqlite_sequence", ""}, {"sqlite_stat1", "ANALYZE main.sqlite_master"}}) {
        const QString name = QLatin1String(table);
        const QVariant there =
            copy.scalar(QStringLiteral("SELECT count(*) FROM original.sqlite_master WHERE name = ?"), {name});
        if (copy.lastError())
            return fail();
        if (there.toInt() == 0)
            continue;
        if ((*make && !copy.exec(QLatin1String(make))) ||
            !copy.exec(QStringLiteral("DELETE FROM main.%1; INSERT INTO main.%1 SELECT * FROM original.%1")
                           .arg(name)))
            return fail();
    }
    for (const QString &definition : others)
        if (!copy.exec(definition))
            return fail();
    if (!copy.exec(QStringLiteral("COMMIT")) || !copy.exec(QStringLiteral("DETACH original")))
        return fail();
    return true;
}

bool flushToDisk(const QString &path, bool folder)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | (folder ? O_DIRECTORY : 0));
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// The rebuilt copy takes the original's permission bits and, where allowed, its owner.
bool takeOverMode(const QString &from, const QString &to)
{
    struct stat st {
    };
    const QByteArray target = QFile::encodeName(to);
    if (::stat(QFile::encodeName(from).constData(), &st) != 0 ||
        ::chmod(target.constData(), st.st_mode & 07777) != 0)
        return false;
    if (::chown(target.constData(), st.st_uid, st.st_gid) != 0) {
        // Only the owner's own group or root may give it away; the bits are what matter.
    }
    return true;
}

bool fileThere(const QString &path)
{
    const QFileInfo fi(path);
    return fi.exists() || fi.isSymLink();
}

// The temporary file goes on every way out but the one that renamed it.
struct TemporaryGuard {
    QString path;
    bool created = false;
    ~TemporaryGuard()
    {
        if (created)
            QFile::remove(path);
    }
};

} // namespace

void setBeforeReplaceHook(ReplaceHook hook)
{
    g_beforeReplace = std::move(hook);
}

Outcome compactDatabase(const QString &path)
{
    const QFileInfo given(path);
    if (path.isEmpty() || !given.exists() || !given.isFile())
        return Outcome::Missing;
    // A link is followed: the file it names is rebuilt, the link stays a link.
    const QString original = given.canonicalFilePath();
    const QFileInfo info(original);
    if (info.fileName().compare(QLatin1String(pv::kCompactionTemporaryName), Qt::CaseInsensitive) == 0)
        return Outcome::NotOurDatabase;
    const QString folder = info.absolutePath();
    const QString temporary = pv::compactionTemporaryPath(original);

    // The main program on this file runs (from whatever folder names it, through any link):
    // it holds the file and would go on writing to the replaced one. Holding the file's lock
    // keeps it from starting until the work is done.
    pv::FileLock mainProgram(original);
    if (!mainProgram.isHeld())
        return Outcome::InUse;

    // Read without SQLite first: opening a file that is no database must not touch it.
    if (!pv::hasDatabaseHeader(original))
        return Outcome::NotOurDatabase;

    pv::Database db;
    if (!db.open(original))
        return outcomeOf(db.lastError(), Outcome::NotOurDatabase);
    if (db.connection().use_count() > 2)
        return Outcome::InUse; // another window of this process has it open
    sqlite3 *handle = db.handle();

    // The first read rolls a hot journal back, so the copy starts from a consistent file.
    db.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    if (db.lastError())
        return outcomeOf(db.lastError(), Outcome::Damaged);
    if (!pv::holdsProgramTables(handle))
        return Outcome::NotOurDatabase;

    const QVariant versionBefore = db.scalar(QStringLiteral("PRAGMA data_version"));
    RowCounts before;
    pv::DbError error;
    if (!countRows(db, &before, &error))
        return outcomeOf(error, Outcome::Damaged);

    // A leftover journal beside the temporary name would be rolled into the new copy.
    if (!pv::removeCompactionLeftovers(original))
        return Outcome::TemporaryFile;
    TemporaryGuard guard{temporary, true};

    {
        pv::Database copy;
        // The copy counts for nothing until it is checked and flushed as a whole, so it
        // needs no journal of its own.
        if (!copy.open(temporary, pv::Database::CreateIfMissing) ||
            !copy.exec(QStringLiteral("PRAGMA main.journal_mode = OFF; PRAGMA main.synchronous = OFF")))
            return Outcome::TemporaryFile;
        if (!rebuildInto(copy, original, &error))
            return outcomeOf(error, Outcome::TemporaryFile);
        RowCounts after;
        if (!integrityOk(copy.handle()) || !pv::holdsProgramTables(copy.handle()) ||
            !countRows(copy, &after, &error) || after != before)
            return Outcome::Damaged;
    }
    if (!takeOverMode(original, temporary) || !flushToDisk(temporary, false))
        return Outcome::TemporaryFile;

    // Nobody wrote since the copy was taken, and nobody may until it stands in place.
    if (sqlite3_exec(handle, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK)
        return Outcome::InUse;
    struct EndTransaction {
        sqlite3 *db;
        ~EndTransaction() { sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr); }
    } endTransaction{handle};
    if (db.scalar(QStringLiteral("PRAGMA data_version")) != versionBefore)
        return Outcome::InUse;
    // A journal of the old file must never be rolled into the new one.
    for (const char *suffix : {"-journal", "-wal"}) {
        const QString leftover = original + QLatin1String(suffix);
        if (fileThere(leftover) && !QFile::remove(leftover))
            return Outcome::InUse;
    }

    if (g_beforeReplace)
        g_beforeReplace(temporary, original);
    if (::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(original).constData()) != 0)
        return Outcome::Replace;
    guard.created = false;
    // The rename is only lasting once the folder is on disk.
    if (!flushToDisk(folder, true))
        return Outcome::Replace;
    return Outcome::Done;
}

} // namespace repair
