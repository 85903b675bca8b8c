#include "platform/data/Database.h"
#include "platform/data/Connection.h"
#include "platform/data/WriteScope.h"
#include "platform/text/Formats.h"

#include <QDate>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <vector>

namespace pv
{

namespace detail
{

static bool isSpaceOnly(const char *p)
{
    for (; *p; ++p)
        if (!isspace(static_cast<unsigned char>(*p)) && *p != ';')
            return false;
    return true;
}

Connection::~Connection()
{
    for (auto &[sql, cached] : statements)
        sqlite3_finalize(cached.stmt);
    if (db)
        sqlite3_close_v2(db);
}

ColumnInfo Connection::columnInfo(const QString &table, const QString &column)
{
    const QString key = table.toLower() + QLatin1Char('\n') + column.toLower();
    auto it = columns.constFind(key);
    if (it != columns.constEnd())
        return *it;
    ColumnInfo info;
    const char *declType = nullptr, *collSeq = nullptr;
    const QByteArray t = table.toUtf8(), c = column.toUtf8();
    if (sqlite3_table_column_metadata(db, nullptr, t.constData(), c.constData(), &declType, &collSeq, nullptr,
                                      nullptr, nullptr) == SQLITE_OK) {
        info.kind = columnKindOf(QString::fromUtf8(declType ? declType : ""));
        info.collation = QString::fromUtf8(collSeq ? collSeq : "");
    }
    columns.insert(key, info);
    return info;
}

Stmt::Stmt(Connection *c, const QByteArray &sql) : m_conn(c)
{
    // A pass that writes row after row asks for the same statement each time: comparing
    // it with the last one handed out is cheaper than hashing it.
    auto *node = c->lastStatement;
    if (!node || node->first != sql) {
        const auto it = c->statements.find(sql);
        node = it == c->statements.end() ? nullptr : &*it;
    }
    if (node && !node->second.inUse && node->second.marksRevision != c->marksRevision) {
        // Its mark may be out of date (Connection::marksRevision): prepared afresh instead.
        sqlite3_finalize(node->second.stmt);
        if (c->lastStatement == node)
            c->lastStatement = nullptr;
        c->statements.erase(sql);
        node = nullptr;
    }
    if (node && !node->second.inUse) {
        if (node->second.guardedWrite && !c->writing()) {
            reportRefusedWrite(node->second.guardedWrite);
            m_rc = SQLITE_AUTH;
            return;
        }
        c->lastStatement = node;
        m_cached = &node->second;
        m_cached->inUse = true;
        m_stmt = m_cached->stmt;
        return;
    }
    const char *tail = nullptr;
    c->preparedWrite = nullptr;
    c->preparedAttach = false;
    c->preparedTransaction = false;
    c->preparing = true;
    m_rc = sqlite3_prepare_v2(c->db, sql.constData(), int(sql.size()), &m_stmt, &tail);
    c->preparing = false;
    m_single = !tail || isSpaceOnly(tail);
    if (m_rc != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        return;
    }
    // An ATTACH is prepared afresh each time: a name given as text is looked at again. So
    // is a transaction's statement: whether it may run depends on the moment (a suspension).
    m_attaches = c->preparedAttach;
    // A statement already in use (nested reads of the same SQL) gets a twin of its own.
    if (m_single && !node && !m_attaches && !c->preparedTransaction && c->statements.size() < 200) {
        const auto added =
            c->statements.emplace(sql, Connection::Cached{m_stmt, true, c->preparedWrite, c->marksRevision})
                .first;
        c->lastStatement = &*added;
        m_cached = &added->second;
    }
}

Stmt::~Stmt()
{
    if (!m_stmt)
        return;
    if (m_cached) {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
        m_cached->inUse = false;
    } else {
        sqlite3_finalize(m_stmt);
    }
    // Run by other means than step(): the caller is not told, but nothing stays attached.
    if (m_attaches)
        refuseGuardedAttachments(*m_conn);
}

int Stmt::step()
{
    int rc = sqlite3_step(m_stmt);
    if (m_attaches && rc != SQLITE_ROW) {
        m_attaches = false;
        if (refuseGuardedAttachments(*m_conn))
            rc = SQLITE_AUTH;
    }
    return rc;
}

DbError makeError(int number, const QString &detail)
{
    DbError e;
    e.number = number;
    e.message = userReason(number);
    e.detail = detail;
    return e;
}

DbError sqliteError(sqlite3 *db, int rc)
{
    // The write guard's refusal, whether at the prepare, from the statement cache or when
    // SQLite prepares a statement again inside its step.
    if ((rc & 0xff) == SQLITE_AUTH)
        return makeError(SQLITE_AUTH, QStringLiteral("refused by the write guard"));
    const int ext = db ? sqlite3_extended_errcode(db) : rc;
    const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
    if (ext == SQLITE_CONSTRAINT_UNIQUE || ext == SQLITE_CONSTRAINT_PRIMARYKEY)
        return makeError(DbError::DuplicateKey, msg);
    DbError e = makeError(ext != 0 ? ext : rc, msg);
    // A trigger's RAISE gives the words of whoever wrote the rule, not the engine's.
    if (ext == SQLITE_CONSTRAINT_TRIGGER && !msg.isEmpty())
        e.message = msg;
    return e;
}

bool bindValue(sqlite3_stmt *st, int index, const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return sqlite3_bind_null(st, index) == SQLITE_OK;
    switch (v.typeId()) {
    case QMetaType::Bool:
        return sqlite3_bind_int(st, index, v.toBool() ? 1 : 0) == SQLITE_OK;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return sqlite3_bind_int64(st, index, v.toLongLong()) == SQLITE_OK;
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(st, index, v.toDouble()) == SQLITE_OK;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        return sqlite3_bind_blob64(st, index, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT) ==
               SQLITE_OK;
    }
    case QMetaType::QDate: {
        const QByteArray s = v.toDate().toString(QStringLiteral("dd.MM.yyyy")).toUtf8();
        return sqlite3_bind_text(st, index, s.constData(), int(s.size()), SQLITE_TRANSIENT) == SQLITE_OK;
    }
    default: {
        const QByteArray s = v.toString().toUtf8();
        return sqlite3_bind_text(st, index, s.constData(), int(s.size()), SQLITE_TRANSIENT) == SQLITE_OK;
    }
    }
}

bool bindAll(sqlite3_stmt *st, const QVariantList &params)
{
    const int n = sqlite3_bind_parameter_count(st);
    for (int i = 0; i < n && i < params.size(); ++i)
        if (!bindValue(st, i + 1, params.at(i)))
            return false;
    return true;
}

bool bindNamed(sqlite3_stmt *st, const QVariantMap &params)
{
    for (auto it = params.constBegin(); it != params.constEnd(); ++it) {
        QString name = it.key();
        if (!name.startsWith(u':') && !name.startsWith(u'@') && !name.startsWith(u'$'))
            name.prepend(u':');
        const int idx = sqlite3_bind_parameter_index(st, name.toUtf8().constData());
        if (idx > 0 && !bindValue(st, idx, it.value()))
            return false;
    }
    return true;
}

QVariant columnValue(sqlite3_stmt *st, int i)
{
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(st, i)));
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

// ---------------------------------------------------------------- the write guard

// The guarded names (absolute), each with the tables it keeps.
static QHash<QString, std::span<const char *const>> &guardedNames()
{
    static QHash<QString, std::span<const char *const>> names;
    return names;
}

// The read-write connections open, by the absolute name they were opened by.
static QHash<QString, std::weak_ptr<Connection>> &openFiles()
{
    static QHash<QString, std::weak_ptr<Connection>> files;
    return files;
}

static unsigned g_refusals = 0;

unsigned refusalCount()
{
    return g_refusals;
}

// A schema change through a guarded connection, refused whatever the scope: logged as a
// refused write is.
static int refuseSchemaChange(const char *what)
{
    ++g_refusals;
    qWarning("write refused: the schema is changed (%s)", what ? what : "");
    return SQLITE_DENY;
}

// BEGIN, COMMIT (END), ROLLBACK, SAVEPOINT or RELEASE while the connection's scopes are
// suspended: the code run there would end or split the ledger's transaction under it.
static int authorizeTransaction(Connection &c, const char *kind, const char *what)
{
    if (c.preparing)
        c.preparedTransaction = true;
    if (c.suspensions == 0)
        return SQLITE_OK;
    ++g_refusals;
    qWarning("write refused: %s %s inside a suspended write scope", kind, what ? what : "");
    return SQLITE_DENY;
}

static void reportRefusedAttach(const char *file)
{
    ++g_refusals;
    qWarning("write refused: %s is a guarded file and is not attached", file);
}

// The files the guard keeps now: those its names lead to, and those of the guarded
// connections open (a restore may have put another file at the name since).
static std::vector<FileId> guardedFiles()
{
    std::vector<FileId> files;
    for (auto it = guardedNames().constBegin(); it != guardedNames().constEnd(); ++it)
        if (const auto file = fileAt(it.key()))
            files.push_back(*file);
    for (const auto &open : std::as_const(openFiles()))
        if (const auto c = open.lock(); c && !c->guardedTables.empty())
            files.push_back(c->file);
    return files;
}

// The file an attached schema (by its name) is, if any.
static std::optional<FileId> fileOfSchema(sqlite3 *db, const char *schema)
{
    const char *file = sqlite3_db_filename(db, schema);
    return file && *file ? fileAt(QString::fromUtf8(file)) : std::nullopt;
}

// Whether the connection has the file attached (its own file aside).
static bool attaches(const Connection &c, const FileId &file)
{
    for (int i = 2; const char *schema = sqlite3_db_name(c.db, i); ++i)
        if (fileOfSchema(c.db, schema) == file)
            return true;
    return false;
}

bool refuseGuardedAttachments(Connection &c)
{
    const std::vector<FileId> guarded = guardedFiles();
    QList<QByteArray> refused;
    for (int i = 2; const char *schema = sqlite3_db_name(c.db, i); ++i) {
        const auto file = fileOfSchema(c.db, schema);
        if (file && std::find(guarded.begin(), guarded.end(), *file) != guarded.end())
            refused << QByteArray(schema);
    }
    for (const QByteArray &schema : std::as_const(refused)) {
        reportRefusedAttach(sqlite3_db_filename(c.db, schema.constData()));
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(c.db, "DETACH DATABASE ?", -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_bind_text(st, 1, schema.constData(), int(schema.size()), SQLITE_STATIC) == SQLITE_OK &&
            sqlite3_step(st) != SQLITE_DONE)
            qWarning("write refused: %s stays attached, it could not be detached", schema.constData());
        sqlite3_finalize(st);
    }
    return !refused.isEmpty();
}

// An ATTACH, on any connection. SQLite gives the file's name here only when it is a
// literal: such a name leading to a guarded file is refused before the file is opened.
// Any other (a bound name, an expression) arrives as NULL: the statement is marked, and
// what it attached is looked at when it has run (refuseGuardedAttachments).
static int authorizeAttach(Connection &c, const char *file)
{
    if (file && *file) {
        const auto id = fileAt(QString::fromUtf8(file));
        const std::vector<FileId> guarded = id ? guardedFiles() : std::vector<FileId>();
        if (id && std::find(guarded.begin(), guarded.end(), *id) != guarded.end()) {
            reportRefusedAttach(file);
            return SQLITE_DENY;
        }
    }
    if (c.preparing)
        c.preparedAttach = true;
    return SQLITE_OK;
}

// A write of table: outside a scope refused; inside one it marks the statement being
// prepared. When SQLite prepares a kept statement again inside its step (the schema
// changed, a trigger may have come), the statement is not known here: every mark kept
// before is put out of date instead (Connection::marksRevision).
static int authorizeWrite(Connection &c, const char *table)
{
    if (!table)
        return SQLITE_OK;
    for (const char *guarded : c.guardedTables) {
        if (sqlite3_stricmp(guarded, table) != 0)
            continue;
        if (!c.writing()) {
            reportRefusedWrite(guarded);
            return SQLITE_DENY;
        }
        if (c.preparing)
            c.preparedWrite = guarded;
        else
            ++c.marksRevision;
        break;
    }
    return SQLITE_OK;
}

// Asked by SQLite while a statement is prepared (also when it is prepared again inside a
// step): called for every column read too, so it answers those first and allocates nothing.
static int authorize(void *self, int action, const char *arg1, const char *arg2, const char *, const char *)
{
    if (action == SQLITE_READ)
        return SQLITE_OK;
    switch (action) {
    case SQLITE_INSERT:
    case SQLITE_UPDATE:
    case SQLITE_DELETE:
        return authorizeWrite(*static_cast<Connection *>(self), arg1);
    case SQLITE_CREATE_INDEX:
    case SQLITE_CREATE_TABLE:
    case SQLITE_CREATE_TEMP_INDEX:
    case SQLITE_CREATE_TEMP_TABLE:
    case SQLITE_CREATE_TEMP_TRIGGER:
    case SQLITE_CREATE_TEMP_VIEW:
    case SQLITE_CREATE_TRIGGER:
    case SQLITE_CREATE_VIEW:
    case SQLITE_CREATE_VTABLE:
    case SQLITE_DROP_INDEX:
    case SQLITE_DROP_TABLE:
    case SQLITE_DROP_TEMP_INDEX:
    case SQLITE_DROP_TEMP_TABLE:
    case SQLITE_DROP_TEMP_TRIGGER:
    case SQLITE_DROP_TEMP_VIEW:
    case SQLITE_DROP_TRIGGER:
    case SQLITE_DROP_VIEW:
    case SQLITE_DROP_VTABLE:
        return refuseSchemaChange(arg1);
    case SQLITE_ALTER_TABLE: // the database's name, then the table's
        return refuseSchemaChange(arg2);
    case SQLITE_PRAGMA:
        return arg1 && sqlite3_stricmp(arg1, "writable_schema") == 0 ? refuseSchemaChange(arg1) : SQLITE_OK;
    case SQLITE_ATTACH:
        return authorizeAttach(*static_cast<Connection *>(self), arg1);
    case SQLITE_TRANSACTION:
        return authorizeTransaction(*static_cast<Connection *>(self), "transaction", arg1);
    case SQLITE_SAVEPOINT:
        return authorizeTransaction(*static_cast<Connection *>(self), "savepoint", arg1);
    default:
        return SQLITE_OK;
    }
}

// A connection without the write guard looks at an ATTACH and a transaction's statements alone.
static int authorizeAttachOnly(void *self, int action, const char *arg1, const char *, const char *,
                               const char *)
{
    if (action == SQLITE_READ)
        return SQLITE_OK;
    if (action == SQLITE_ATTACH)
        return authorizeAttach(*static_cast<Connection *>(self), arg1);
    if (action == SQLITE_TRANSACTION)
        return authorizeTransaction(*static_cast<Connection *>(self), "transaction", arg1);
    if (action == SQLITE_SAVEPOINT)
        return authorizeTransaction(*static_cast<Connection *>(self), "savepoint", arg1);
    return SQLITE_OK;
}

void installWriteGuard(Connection &c)
{
    // Once, at the opening: every call expires the connection's prepared statements.
    // The names are looked up afresh: whatever file each leads to now is the guarded one (a
    // read-only connection has no file set and is never the guarded one).
    for (auto it = guardedNames().constBegin(); it != guardedNames().constEnd(); ++it) {
        if (fileAt(it.key()) != c.file)
            continue;
        c.guardedTables = *it;
        sqlite3_set_authorizer(c.db, authorize, &c);
        return;
    }
    sqlite3_set_authorizer(c.db, authorizeAttachOnly, &c);
}

void reportRefusedWrite(const char *table)
{
    ++g_refusals;
    qWarning("write refused: %s is written outside a write scope", table);
}

} // namespace detail

using namespace detail;

QString userReason(int number)
{
    if (number == DbError::DuplicateKey)
        return QStringLiteral("Bu anahtarla bir kayıt zaten var.");
    // SQLite's codes carry their condition in the low byte (the old engine's numbers, 3020
    // to 3421, fall on none of those below).
    switch (number > 0 && number < 0x10000 ? number & 0xff : -1) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("Veri tabanı dosyası başka bir program tarafından kullanılıyor; biraz sonra "
                              "yeniden deneyin.");
    case SQLITE_READONLY:
        return QStringLiteral("Veri tabanı dosyası salt okunur; kayıt yapılamaz.");
    case SQLITE_FULL:
        return QStringLiteral("Diskte yer kalmadı.");
    case SQLITE_IOERR:
        return QStringLiteral("Veri tabanı dosyası okunurken ya da yazılırken disk hatası oluştu.");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("Veri tabanı dosyası zarar görmüş.");
    case SQLITE_CANTOPEN:
        return QStringLiteral("Veri tabanı dosyası açılamadı.");
    default:
        return QStringLiteral("Veri tabanı işlemi yapılamadı.");
    }
}

Database::Database() = default;
Database::~Database() = default;
Database::Database(const Database &o) : m_conn(o.m_conn) {}
Database &Database::operator=(const Database &o)
{
    m_conn = o.m_conn;
    m_error = {};
    return *this;
}

bool Database::open(const QString &path, OpenMode mode)
{
    m_error = {};
    const QString key = QFileInfo(path).absoluteFilePath();
    // A read-only look at a file (checks before anything may write to it) never shares the
    // program's connection and sets nothing on the file.
    const bool readOnly = mode == ReadOnly;
    if (!readOnly) {
        if (auto existing = openFiles().value(key).lock()) {
            m_conn = existing;
            return true;
        }
    }
    m_conn.reset();
    if (mode != CreateIfMissing && !QFileInfo::exists(key)) {
        m_error = makeError(SQLITE_CANTOPEN, QStringLiteral("file not found: %1").arg(path));
        return false;
    }
    auto conn = std::make_shared<Connection>();
    conn->path = key;
    // The program has one thread; SQLite's own locking per call would be pure cost.
    const int flags = SQLITE_OPEN_NOMUTEX | (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
                      (mode == CreateIfMissing ? SQLITE_OPEN_CREATE : 0);
    int rc = sqlite3_open_v2(key.toUtf8().constData(), &conn->db, flags, nullptr);
    if (rc == SQLITE_OK)
        rc = registerSqlFunctions(conn->db);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(conn->db, 5000);
        sqlite3_extended_result_codes(conn->db, 1);
        // Reads through a mapping of the file: a long ledger's pages are not copied one by
        // one at every opening of an account.
        if (!readOnly)
            rc = sqlite3_exec(conn->db,
                              "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL; PRAGMA foreign_keys=OFF; "
                              "PRAGMA mmap_size=268435456;",
                              nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        m_error = sqliteError(conn->db, rc);
        return false;
    }
    if (!readOnly) {
        // The file SQLite has just opened is the one the name leads to now.
        if (const auto file = fileAt(key))
            conn->file = *file;
        openFiles().insert(key, conn);
    }
    installWriteGuard(*conn);
    m_conn = std::move(conn);
    return true;
}

void Database::close()
{
    m_conn.reset();
}

bool Database::isOpen() const
{
    return m_conn != nullptr;
}
QString Database::path() const
{
    return m_conn ? m_conn->path : QString();
}
sqlite3 *Database::handle() const
{
    return m_conn ? m_conn->db : nullptr;
}
int Database::changes() const
{
    return m_conn ? sqlite3_changes(m_conn->db) : 0;
}
qint64 Database::lastInsertRowId() const
{
    return m_conn ? sqlite3_last_insert_rowid(m_conn->db) : 0;
}
bool Database::inTransaction() const
{
    return m_conn && m_conn->txDepth > 0;
}

// Runs every statement of sql; bind(st) fills each statement's parameters.
template <typename Bind> static bool runAll(Connection *c, const QString &sql, DbError &err, Bind bind)
{
    const QByteArray text = Database::translateSql(sql).toUtf8();
    const QString head = sql.trimmed().left(6).toUpper();
    if (head.startsWith(QLatin1String("CREATE")) || head.startsWith(QLatin1String("ALTER")) ||
        head.startsWith(QLatin1String("DROP")))
        c->columns.clear();
    // One statement: reuse its prepared form.
    {
        Stmt st(c, text);
        if (!st) {
            err = sqliteError(c->db, st.rc());
            return false;
        }
        if (st.single()) {
            if (!bind(st.get())) {
                err = makeError(SQLITE_RANGE, QStringLiteral("parameter cannot be bound"));
                return false;
            }
            int rc;
            while ((rc = st.step()) == SQLITE_ROW) {
            }
            if (rc != SQLITE_DONE) {
                err = sqliteError(c->db, rc);
                return false;
            }
            return true;
        }
    }
    const char *p = text.constData();
    while (p && *p) {
        sqlite3_stmt *st = nullptr;
        const char *tail = nullptr;
        c->preparedAttach = false;
        c->preparing = true;
        int rc = sqlite3_prepare_v2(c->db, p, -1, &st, &tail);
        c->preparing = false;
        if (rc != SQLITE_OK) {
            err = sqliteError(c->db, rc);
            return false;
        }
        p = tail;
        if (!st)
            continue;
        const bool attaches = c->preparedAttach;
        bind(st);
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        }
        sqlite3_finalize(st);
        // Before the next statement can use what this one attached.
        if (attaches && refuseGuardedAttachments(*c))
            rc = SQLITE_AUTH;
        if (rc != SQLITE_DONE) {
            err = sqliteError(c->db, rc);
            return false;
        }
    }
    return true;
}

bool Database::exec(const QString &sql, const QVariantList &params)
{
    m_error = {};
    if (!m_conn) {
        m_error = makeError(DbError::NotOpen, QStringLiteral("database not open"));
        return false;
    }
    return runAll(m_conn.get(), sql, m_error, [&](sqlite3_stmt *st) { return bindAll(st, params); });
}

bool Database::exec(const QString &sql, const QVariantMap &params)
{
    m_error = {};
    if (!m_conn) {
        m_error = makeError(DbError::NotOpen, QStringLiteral("database not open"));
        return false;
    }
    return runAll(m_conn.get(), sql, m_error, [&](sqlite3_stmt *st) { return bindNamed(st, params); });
}

QVariant Database::scalar(const QString &sql, const QVariantList &params)
{
    m_error = {};
    if (!m_conn) {
        m_error = makeError(DbError::NotOpen, QStringLiteral("database not open"));
        return {};
    }
    Stmt st(m_conn.get(), translateSql(sql).toUtf8());
    if (!st) {
        m_error = sqliteError(m_conn->db, st.rc());
        return {};
    }
    bindAll(st.get(), params);
    const int rc = st.step();
    if (rc == SQLITE_ROW)
        return columnValue(st.get(), 0);
    if (rc != SQLITE_DONE)
        m_error = sqliteError(m_conn->db, rc);
    return {};
}

std::optional<QVariant> Database::tryScalar(const QString &sql, const QVariantList &params)
{
    QVariant v = scalar(sql, params);
    if (m_error)
        return std::nullopt;
    return v;
}

QString Database::translateSql(const QString &sql)
{
    // Only words outside literals and bracketed names are looked at.
    QString out;
    out.reserve(sql.size());
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = sql.at(i);
        if (c == u'\'' || c == u'"' || c == u'[' || c == u'`') {
            const QChar close = c == u'[' ? QChar(u']') : c;
            qsizetype j = i + 1;
            while (j < n) {
                if (sql.at(j) == close) {
                    if (close != u']' && j + 1 < n && sql.at(j + 1) == close) { // doubled quote
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            out += QStringView(sql).mid(i, std::min(j + 1, n) - i);
            i = j + 1;
        } else if (c.isLetter() || c == u'_') {
            qsizetype j = i;
            while (j < n && (sql.at(j).isLetterOrNumber() || sql.at(j) == u'_'))
                ++j;
            const QStringView word = QStringView(sql).mid(i, j - i);
            if (word.compare(QLatin1String("DISTINCTROW"), Qt::CaseInsensitive) == 0)
                out += QLatin1String("DISTINCT");
            else
                out += word;
            i = j;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

QString Database::quoteName(const QString &name)
{
    QString n = name;
    if (n.startsWith(u'[') && n.endsWith(u']'))
        n = n.mid(1, n.size() - 2);
    n.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

// ---------------------------------------------------------------- Transaction

Transaction::Transaction(Database &db) : m_conn(db.m_conn)
{
    if (!m_conn) {
        m_error = makeError(DbError::NotOpen, QStringLiteral("database not open"));
        return;
    }
    if (m_conn->txDepth == 0) {
        const int rc = sqlite3_exec(m_conn->db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) {
            m_error = sqliteError(m_conn->db, rc);
            return;
        }
        m_outer = true;
        m_conn->txDoomed = false;
    }
    ++m_conn->txDepth;
    m_active = true;
}

Transaction::~Transaction()
{
    if (m_active)
        rollback();
}

bool Transaction::commit()
{
    if (!m_active) {
        if (!m_error)
            m_error = makeError(DbError::TransactionRolledBack, QStringLiteral("no active transaction"));
        return false;
    }
    m_active = false;
    --m_conn->txDepth;
    if (!m_outer)
        return true;
    if (m_conn->txDoomed) {
        sqlite3_exec(m_conn->db, "ROLLBACK", nullptr, nullptr, nullptr);
        m_conn->txDoomed = false;
        m_error =
            makeError(DbError::TransactionRolledBack, QStringLiteral("an inner part failed; rolled back"));
        return false;
    }
    const int rc = sqlite3_exec(m_conn->db, "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        m_error = sqliteError(m_conn->db, rc);
        sqlite3_exec(m_conn->db, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }
    return true;
}

void Transaction::rollback()
{
    if (!m_active)
        return;
    m_active = false;
    --m_conn->txDepth;
    if (m_outer) {
        sqlite3_exec(m_conn->db, "ROLLBACK", nullptr, nullptr, nullptr);
        m_conn->txDoomed = false;
    } else {
        m_conn->txDoomed = true;
    }
}

// ---------------------------------------------------------------- WriteScope

WriteScope::WriteScope(const Database &db, Key) : m_conn(db.connection())
{
    if (m_conn)
        ++m_conn->writeScopes;
}

WriteScope::~WriteScope()
{
    if (m_conn)
        --m_conn->writeScopes;
}

ScopeSuspension::ScopeSuspension(const Database &db) : m_conn(db.connection()), m_refusals(refusalCount())
{
    if (m_conn)
        ++m_conn->suspensions;
}

ScopeSuspension::~ScopeSuspension()
{
    if (m_conn)
        --m_conn->suspensions;
}

bool ScopeSuspension::refused() const
{
    return refusalCount() != m_refusals;
}

bool guardWrites(const QString &path, std::span<const char *const> tables)
{
    const QString name = QFileInfo(path).absoluteFilePath();
    // A connection open on the file by any of its names, without these tables' guard, or
    // one that has it attached (it writes the file past any guard).
    if (const auto file = fileAt(name)) {
        for (const auto &open : std::as_const(openFiles())) {
            const auto c = open.lock();
            if (c && ((c->file == *file && (c->guardedTables.data() != tables.data() ||
                                            c->guardedTables.size() != tables.size())) ||
                      attaches(*c, *file)))
                return false;
        }
    }
    guardedNames().insert(name, tables);
    return true;
}

// ---------------------------------------------------------------- Counter

Counter::Counter(Database db, const QString &table, const QString &field)
    : m_db(std::move(db)), m_table(table), m_field(field)
{
}

qint64 Counter::value()
{
    return tryValue().value_or(0);
}

std::optional<qint64> Counter::tryValue()
{
    const auto read = m_db.tryScalar(QStringLiteral("SELECT %1 FROM %2 LIMIT 1")
                                         .arg(Database::quoteName(m_field), Database::quoteName(m_table)));
    if (!read)
        return std::nullopt;
    const QVariant &v = *read;
    if (!v.isValid() || v.isNull())
        return 0;
    if (v.typeId() == QMetaType::LongLong)
        return v.toLongLong();
    if (v.typeId() == QMetaType::Double)
        return qint64(v.toDouble());
    const auto n = toNumber(v.toString());
    return n ? qint64(*n) : 0;
}

bool Counter::write(qint64 value)
{
    const QString t = Database::quoteName(m_table), f = Database::quoteName(m_field);
    if (!m_db.exec(QStringLiteral("UPDATE %1 SET %2 = ?").arg(t, f), {QVariant(value)}))
        return false;
    if (m_db.changes() == 0)
        return m_db.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (?)").arg(t, f), {QVariant(value)});
    return true;
}

} // namespace pv
