#pragma once
// Inside of the data layer: one open file, shared by every handle on it.
#include "platform/data/Database.h"
#include "platform/data/FileId.h"
#include "platform/data/Values.h"

#include <QByteArray>
#include <QHash>
#include <span>
#include <sqlite3.h>
#include <unordered_map>

namespace pv::detail
{

struct ColumnInfo {
    ColumnKind kind = ColumnKind::Blob;
    QString collation;
};

struct Connection {
    sqlite3 *db = nullptr;
    QString path;
    FileId file; // the file it opened (read-write connections)
    int txDepth = 0;
    bool txDoomed = false;
    // The write guard (WriteScope.h): the tables it keeps (none on a connection without it),
    // how many scopes are open and how many suspensions stand over them, whether a prepare
    // of ours runs (else SQLite prepares a statement again inside its step), the guarded
    // table the statement being prepared writes, whether it attaches a file, and whether it
    // begins or ends a transaction or a savepoint.
    std::span<const char *const> guardedTables;
    int writeScopes = 0;
    int suspensions = 0;
    bool preparing = false;
    const char *preparedWrite = nullptr;
    bool preparedAttach = false;
    bool preparedTransaction = false;
    // Moves on when SQLite prepared a statement again inside its step and found it writing a
    // guarded table: the marks of every statement kept before then are out of date.
    unsigned marksRevision = 0;
    // Prepared statements kept for reuse; a node keeps its place, so a Stmt may hold on to it.
    struct Cached {
        sqlite3_stmt *stmt = nullptr;
        bool inUse = false;
        const char *guardedWrite = nullptr; // the guarded table it writes: handed out in a scope only
        unsigned marksRevision = 0;         // the connection's, when it was prepared
    };
    struct KeyHash {
        size_t operator()(const QByteArray &k) const { return qHash(k); }
    };
    std::unordered_map<QByteArray, Cached, KeyHash> statements;
    std::pair<const QByteArray, Cached> *lastStatement = nullptr; // the last one handed out
    QHash<QString, ColumnInfo> columns;                           // "table\ncolumn" (lower case)

    ~Connection();
    // A guarded table may be written now: a scope is open and none is suspended.
    bool writing() const { return writeScopes > 0 && suspensions == 0; }
    ColumnInfo columnInfo(const QString &table, const QString &column);
};

// A prepared statement, taken from the connection's idle set and given back when done.
class Stmt
{
public:
    Stmt(Connection *c, const QByteArray &sql);
    ~Stmt();
    Stmt(const Stmt &) = delete;
    Stmt &operator=(const Stmt &) = delete;
    sqlite3_stmt *get() const { return m_stmt; }
    explicit operator bool() const { return m_stmt != nullptr; }
    int rc() const { return m_rc; }
    // False when the SQL holds more than one statement; such a statement is not kept.
    bool single() const { return m_single; }
    // sqlite3_step, and after a statement that attached a file the guard's check of what
    // it attached (refuseGuardedAttachments): SQLITE_AUTH when it was the guarded file.
    int step();

private:
    Connection *m_conn;
    Connection::Cached *m_cached = nullptr; // null for a statement of its own
    sqlite3_stmt *m_stmt = nullptr;
    int m_rc = SQLITE_OK;
    bool m_single = true;
    bool m_attaches = false; // an ATTACH whose files are not checked yet (never kept)
};

// Installs the guard on a connection just opened: the write guard when it is read-write on
// a guarded file, and on every connection the refusal to attach a guarded file.
void installWriteGuard(Connection &c);
// The refusal of a write outside a scope: logged (tests fail on it) and answered as the
// data layer's failure SQLITE_AUTH.
void reportRefusedWrite(const char *table);
// Run right after a statement that attaches has run: every file attached to the connection
// that the guard keeps is detached again, its refusal logged as a refused write's. True
// when there was one: the statement then fails with SQLITE_AUTH.
bool refuseGuardedAttachments(Connection &c);
// How many refusals the guard has logged in this process: a ScopeSuspension compares it.
unsigned refusalCount();

DbError sqliteError(sqlite3 *db, int rc);
DbError makeError(int number, const QString &message);
bool bindValue(sqlite3_stmt *st, int index, const QVariant &v);
bool bindAll(sqlite3_stmt *st, const QVariantList &params);
bool bindNamed(sqlite3_stmt *st, const QVariantMap &params);
QVariant columnValue(sqlite3_stmt *st, int i);

} // namespace pv::detail
