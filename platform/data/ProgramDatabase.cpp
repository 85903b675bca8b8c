#include "platform/data/ProgramDatabase.h"

#include "platform/data/Database.h"
#include "platform/data/SqlFunctions.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace pv
{

namespace
{
struct SqliteHandle {
    sqlite3 *db = nullptr;
    ~SqliteHandle() { sqlite3_close(db); }
};

// The first column of the statement's first row as text; empty when there is none.
QString firstText(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *st = nullptr;
    QString text;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        text = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return text;
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
    return firstText(db, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND lower(name) IN "
                         "('user', 'dgrayr', 'musteriler', 'veresiye', 'kasa', 'yedek_yeri')") ==
           QLatin1String("6");
}

bool isProgramDatabase(const QString &path)
{
    if (!hasDatabaseHeader(path))
        return false;
    SqliteHandle h;
    if (sqlite3_open_v2(path.toUtf8().constData(), &h.db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK ||
        registerSqlFunctions(h.db) != SQLITE_OK)
        return false;
    // A damaged file must not replace a working one.
    return holdsProgramTables(h.db) && firstText(h.db, "PRAGMA quick_check") == QLatin1String("ok");
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

} // namespace pv
