#pragma once
// The shop's database file (pelvanor.dll) on the sqlite3 C API.
//
// A Database is a handle: copies share one connection, and opening a path that is already
// open anywhere in the program joins that connection, so that every window's data controls
// and a Transaction see the same file state. The connection closes with its last handle.
//
// Nothing here throws. Every operation returns whether it worked and leaves the reason in
// lastError(): the windows skip a failed statement and go on, and test the number 3022.
// The reason's message is Turkish, for the user; the engine's English stays in its detail.
#include "platform/data/SqlFunctions.h"

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>
#include <memory>
#include <optional>

struct sqlite3;

namespace pv
{

namespace detail
{
struct Connection;
}

// An error of the data layer. number 0 means none.
struct DbError {
    // Numbers the windows know from the old engine; any other failure of SQLite carries
    // SQLite's extended result code as its number.
    enum : int {
        None = 0,
        UpdateWithoutEdit = 3020, // Update/field write without AddNew or Edit
        NoCurrentRecord = 3021,
        DuplicateKey = 3022, // a unique key given twice
        RecordDeleted = 3167,
        ItemNotFound = 3265,   // no field of that name or position
        TypeConversion = 3421, // a value its column cannot take
        NotUpdatable = 3027,   // the record set is read-only
        NotOpen = 3420,
        TransactionRolledBack = 3034,
    };
    int number = None;
    QString message; // what the user is told (userReason of the number)
    QString detail;  // the engine's own words, for tests and debugging; never shown

    explicit operator bool() const { return number != None; }
};

// What a failure of the data layer means to the user, in one Turkish sentence: the
// conditions a user can meet (the file held by another program, read-only, a full disk, a
// disk error, a damaged or missing file, a key given twice) by name, any other in one
// general reason.
QString userReason(int number);

class Database
{
public:
    // ReadOnly opens a connection of its own that never writes the file (not even its
    // journal mode): for looking at a file before the program takes it.
    enum OpenMode { OpenExisting, CreateIfMissing, ReadOnly };

    Database();
    ~Database();
    Database(const Database &);
    Database &operator=(const Database &);

    // Opens (or joins) the file at path: rollback journal, synchronous=FULL, a busy
    // timeout, the collation TURKISH and the program's LIKE.
    bool open(const QString &path, OpenMode mode = OpenExisting);
    // Drops this handle; the file closes when no handle is left.
    void close();
    bool isOpen() const;
    QString path() const;

    // Runs SQL (several statements allowed when there are no parameters). Parameters are
    // bound in order to `?` or by name to `:name` placeholders: typed text never becomes
    // SQL text. QDate binds as "dd.mm.yyyy", bool as 1/0, an invalid QVariant as NULL.
    bool exec(const QString &sql, const QVariantList &params = {});
    bool exec(const QString &sql, const QVariantMap &params);
    // First column of the first row; an invalid QVariant for no row or NULL (a sum over no
    // rows).
    QVariant scalar(const QString &sql, const QVariantList &params = {});
    // The same, telling a failed read apart: nullopt when the statement failed (the reason
    // in lastError()), an invalid QVariant for no row or NULL.
    std::optional<QVariant> tryScalar(const QString &sql, const QVariantList &params = {});

    int changes() const; // rows touched by the last statement
    qint64 lastInsertRowId() const;
    bool inTransaction() const;

    const DbError &lastError() const { return m_error; }

    // The SQL the engine runs for the program's SQL text (DISTINCTROW read as DISTINCT).
    static QString translateSql(const QString &sql);
    // A name quoted for SQL we generate ("Not", "User", "Product Code").
    static QString quoteName(const QString &name);

    sqlite3 *handle() const;
    std::shared_ptr<detail::Connection> connection() const { return m_conn; }

private:
    friend class Transaction;
    friend class Recordset;
    std::shared_ptr<detail::Connection> m_conn;
    DbError m_error;
};

// BEGIN IMMEDIATE on construction, COMMIT by commit(), ROLLBACK when it goes out of scope
// uncommitted. A Transaction opened while another is active on the same file joins it; if
// the inner one is not committed, the outer commit rolls everything back and fails.
class Transaction
{
public:
    explicit Transaction(Database &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    bool isActive() const { return m_active; }
    bool commit();
    void rollback();
    const DbError &lastError() const { return m_error; }

private:
    std::shared_ptr<detail::Connection> m_conn;
    bool m_active = false;
    bool m_outer = false;
    DbError m_error;
};

// The one-row counters (son_islemno.islemno, son_musterino.musterino, yedek_yeri.yolu):
// always read fresh from the file, 64-bit, written inside the caller's transaction.
class Counter
{
public:
    Counter(Database db, const QString &table, const QString &field);
    // The stored value; 0 when the row is missing, NULL or not a number (or unreadable).
    qint64 value();
    // The same, but nullopt when the file could not be read (reason in lastError()).
    std::optional<qint64> tryValue();
    qint64 next() { return value() + 1; }
    bool write(qint64 value);
    const DbError &lastError() const { return m_db.lastError(); }

private:
    Database m_db;
    QString m_table, m_field;
};

} // namespace pv
