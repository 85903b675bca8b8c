#include "platform/data/Recordset.h"
#include "platform/data/Connection.h"

#include <QVarLengthArray>
#include <algorithm>
#include <cstring>
#include <limits>

namespace pv
{

using namespace detail;

namespace
{
constexpr int kFirstKeys = 24; // rows whose keys an opening on demand reads: a grid's screen
} // namespace

// ---------------------------------------------------------------- row storage
//
// A row is one block: an offset per field, then each value as a type byte followed by
// 8 bytes of number or a 4-byte length and the UTF-8 text. Reading ten thousand rows
// then costs ten thousand allocations, not one per text.

namespace
{
enum CellType : char { NullCell, IntCell, RealCell, TextCell, BlobCell };

qsizetype cellSize(sqlite3_stmt *st, int i)
{
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_NULL:
        return 1;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return 9;
    default:
        return 5 + sqlite3_column_bytes(st, i);
    }
}

template <typename T> void put(char *&p, T v)
{
    std::memcpy(p, &v, sizeof v);
    p += sizeof v;
}

template <typename T> T get(const char *p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

QByteArray packStatement(sqlite3_stmt *st, int first, int total)
{
    const int n = total - first;
    qsizetype size = qsizetype(n) * 4;
    for (int i = first; i < total; ++i)
        size += cellSize(st, i);
    QByteArray block(size, Qt::Uninitialized);
    char *head = block.data();
    char *p = head + qsizetype(n) * 4;
    for (int i = first; i < total; ++i) {
        put<quint32>(head, quint32(p - block.data()));
        switch (sqlite3_column_type(st, i)) {
        case SQLITE_NULL:
            *p++ = NullCell;
            break;
        case SQLITE_INTEGER:
            *p++ = IntCell;
            put<qint64>(p, sqlite3_column_int64(st, i));
            break;
        case SQLITE_FLOAT:
            *p++ = RealCell;
            put<double>(p, sqlite3_column_double(st, i));
            break;
        default: {
            const bool text = sqlite3_column_type(st, i) == SQLITE_TEXT;
            const void *src =
                text ? static_cast<const void *>(sqlite3_column_text(st, i)) : sqlite3_column_blob(st, i);
            const int len = sqlite3_column_bytes(st, i);
            *p++ = text ? TextCell : BlobCell;
            put<quint32>(p, quint32(len));
            if (len > 0)
                std::memcpy(p, src, size_t(len));
            p += len;
        }
        }
    }
    return block;
}

QVariant unpack(const QByteArray &block, int i)
{
    const char *base = block.constData();
    const char *p = base + get<quint32>(base + qsizetype(i) * 4);
    switch (*p) {
    case IntCell:
        return QVariant(get<qint64>(p + 1));
    case RealCell:
        return QVariant(get<double>(p + 1));
    case TextCell:
        return QVariant(QString::fromUtf8(p + 5, qsizetype(get<quint32>(p + 1))));
    case BlobCell:
        return QVariant(QByteArray(p + 5, qsizetype(get<quint32>(p + 1))));
    default:
        return QVariant();
    }
}

// Appends one value in the row block's form.
void appendCell(QByteArray &out, const QVariant &v)
{
    if (!v.isValid() || v.isNull()) {
        out.append(char(NullCell));
    } else if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int) {
        const qint64 i = v.toLongLong();
        out.append(char(IntCell)).append(reinterpret_cast<const char *>(&i), sizeof i);
    } else if (v.typeId() == QMetaType::Double) {
        const double d = v.toDouble();
        out.append(char(RealCell)).append(reinterpret_cast<const char *>(&d), sizeof d);
    } else {
        const QByteArray t = v.typeId() == QMetaType::QByteArray ? v.toByteArray() : v.toString().toUtf8();
        const quint32 len = quint32(t.size());
        out.append(char(v.typeId() == QMetaType::QByteArray ? BlobCell : TextCell))
            .append(reinterpret_cast<const char *>(&len), sizeof len)
            .append(t);
    }
}

// The row with the written fields replaced; the others are copied as they are.
QByteArray repack(const QByteArray &old, const std::vector<QVariant> &buffer, const std::vector<char> &dirty)
{
    const qsizetype n = qsizetype(buffer.size());
    const char *o = old.constData();
    auto oldSpan = [&](qsizetype i) {
        const qsizetype from = get<quint32>(o + i * 4);
        const qsizetype to = i + 1 < n ? qsizetype(get<quint32>(o + (i + 1) * 4)) : old.size();
        return std::pair{from, to - from};
    };
    // The written values first, end to end; then the block is laid out in one go.
    QByteArray written;
    QVarLengthArray<qsizetype, 32> at(n + 1);
    for (qsizetype i = 0; i < n; ++i) {
        at[i] = written.size();
        if (dirty[size_t(i)])
            appendCell(written, buffer[size_t(i)]);
    }
    at[n] = written.size();
    qsizetype size = n * 4;
    for (qsizetype i = 0; i < n; ++i)
        size += dirty[size_t(i)] ? at[i + 1] - at[i] : oldSpan(i).second;
    QByteArray block(size, Qt::Uninitialized);
    char *head = block.data();
    char *p = head + n * 4;
    for (qsizetype i = 0; i < n; ++i) {
        put<quint32>(head, quint32(p - block.data()));
        const auto [src, len] = dirty[size_t(i)] ? std::pair{written.constData() + at[i], at[i + 1] - at[i]}
                                                 : std::pair{o + oldSpan(i).first, oldSpan(i).second};
        std::memcpy(p, src, size_t(len));
        p += len;
    }
    return block;
}

// The written fields put into the row's own block where each keeps its size (a number over
// a number, an empty field staying empty): the common write of a count or an amount copies
// no row. False, the block untouched, when any field changes its size.
bool patchInPlace(QByteArray &block, const std::vector<QVariant> &buffer, const std::vector<char> &dirty)
{
    const qsizetype n = qsizetype(buffer.size());
    const auto kindOf = [](const QVariant &v) {
        if (!v.isValid() || v.isNull())
            return NullCell;
        if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int)
            return IntCell;
        if (v.typeId() == QMetaType::Double)
            return RealCell;
        return TextCell;
    };
    const auto spanOf = [&](qsizetype i) {
        const qsizetype to =
            i + 1 < n ? qsizetype(get<quint32>(block.constData() + (i + 1) * 4)) : block.size();
        return to - qsizetype(get<quint32>(block.constData() + i * 4));
    };
    for (qsizetype i = 0; i < n; ++i) {
        if (!dirty[size_t(i)])
            continue;
        const CellType k = kindOf(buffer[size_t(i)]);
        if (k == TextCell || spanOf(i) != (k == NullCell ? 1 : 9))
            return false;
    }
    char *base = block.data();
    for (qsizetype i = 0; i < n; ++i) {
        if (!dirty[size_t(i)])
            continue;
        char *p = base + get<quint32>(base + i * 4);
        const QVariant &v = buffer[size_t(i)];
        switch (kindOf(v)) {
        case IntCell:
            *p++ = IntCell;
            put<qint64>(p, v.toLongLong());
            break;
        case RealCell:
            *p++ = RealCell;
            put<double>(p, v.toDouble());
            break;
        default:
            *p = NullCell;
        }
    }
    return true;
}
} // namespace

// ---------------------------------------------------------------- Field

bool Field::exists() const
{
    return m_rs && m_index >= 0 && m_index < m_rs->FieldCount();
}

QString Field::name() const
{
    return exists() ? m_rs->m_cols[size_t(m_index)].name : QString();
}

QString Field::text() const
{
    QVariant v;
    return exists() && m_rs->cell(m_index, v) ? displayText(v, m_rs->m_cols[size_t(m_index)].kind)
                                              : QString();
}

// A DATE column's ISO text comes back as a date value.
static QVariant presented(const QVariant &v, ColumnKind kind)
{
    if (kind == ColumnKind::Date && v.typeId() == QMetaType::QString) {
        const QDateTime dt = parseDateText(v.toString());
        if (dt.isValid())
            return dt.time() == QTime(0, 0) ? QVariant(dt.date()) : QVariant(dt);
    }
    return v;
}

QVariant Field::value() const
{
    QVariant v;
    return exists() && m_rs->cell(m_index, v) ? presented(v, m_rs->m_cols[size_t(m_index)].kind) : QVariant();
}

bool Field::isNull() const
{
    QVariant v;
    return !exists() || !m_rs->cell(m_index, v) || !v.isValid() || v.isNull();
}

bool Field::setValue(const QVariant &given)
{
    Recordset *rs = m_rs;
    if (!exists())
        return rs && rs->fail(DbError::ItemNotFound, QStringLiteral("no such field"));
    if (rs->m_mode == Recordset::Mode::None)
        return rs->fail(DbError::UpdateWithoutEdit, QStringLiteral("field written without AddNew or Edit"));
    const auto &col = rs->m_cols[size_t(m_index)];
    if (col.origin.isEmpty())
        return rs->fail(DbError::NotUpdatable,
                        QStringLiteral("field %1 is not a table column").arg(col.name));
    const auto stored = storageValue(given, col.kind);
    if (!stored)
        return rs->fail(
            DbError::TypeConversion,
            QStringLiteral("data type conversion error: %1 = '%2'").arg(col.name, given.toString()));
    rs->m_buffer[size_t(m_index)] = *stored;
    rs->m_dirty[size_t(m_index)] = true;
    rs->m_error = {};
    return true;
}

// ---------------------------------------------------------------- opening

Recordset::Recordset() = default;

Recordset::Recordset(const Database &db, const QString &source, const QVariantList &params)
{
    open(db, source, params);
}

bool Recordset::open(const Database &db, const QString &source, const QVariantList &params)
{
    m_db = db;
    m_source = source;
    m_params = params;
    m_named.clear();
    return load(&m_params, nullptr);
}

bool Recordset::open(const Database &db, const QString &source, const QVariantMap &params)
{
    m_db = db;
    m_source = source;
    m_params.clear();
    m_named = params;
    return load(nullptr, &m_named);
}

bool Recordset::Requery()
{
    return m_named.isEmpty() ? load(&m_params, nullptr) : load(nullptr, &m_named);
}

void Recordset::close()
{
    m_db.close();
    m_open = false;
    m_moreKeysSql.clear();
    m_keysDone = true;
    m_rows.clear();
    m_cols.clear();
    m_table.clear();
    m_pos = 0;
    m_currentDeleted = false;
    m_mode = Mode::None;
    notify(Change::RowsChanged);
}

static bool isTableName(const QString &s)
{
    if (s.startsWith(u'[') && s.endsWith(u']') && s.indexOf(u']') == s.size() - 1)
        return true;
    for (const QChar c : s)
        if (!(c.isLetterOrNumber() || c == u'_'))
            return false;
    return !s.isEmpty();
}

// Position just after the leading SELECT [DISTINCT|ALL] of a select, or -1.
static qsizetype selectListStart(const QString &sql)
{
    qsizetype i = 0;
    const qsizetype n = sql.size();
    auto skipSpace = [&] {
        while (i < n && sql.at(i).isSpace())
            ++i;
    };
    auto word = [&]() -> QString {
        const qsizetype b = i;
        while (i < n && (sql.at(i).isLetter()))
            ++i;
        return sql.mid(b, i - b).toUpper();
    };
    skipSpace();
    if (word() != QLatin1String("SELECT"))
        return -1;
    const qsizetype afterSelect = i;
    skipSpace();
    const QString w = word();
    if (w == QLatin1String("DISTINCT") || w == QLatin1String("ALL"))
        return i;
    return afterSelect;
}

// Whether sql holds the keyword w outside literals and bracketed names.
static bool hasWord(const QString &sql, QLatin1String w)
{
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = sql.at(i);
        if (c == u'\'' || c == u'"' || c == u'[') {
            const QChar close = c == u'[' ? QChar(u']') : c;
            const qsizetype j = sql.indexOf(close, i + 1);
            i = j < 0 ? n : j + 1;
        } else if (c.isLetter() || c == u'_') {
            qsizetype j = i;
            while (j < n && (sql.at(j).isLetterOrNumber() || sql.at(j) == u'_'))
                ++j;
            if (QStringView(sql).mid(i, j - i).compare(w, Qt::CaseInsensitive) == 0)
                return true;
            i = j;
        } else {
            ++i;
        }
    }
    return false;
}

// Position of the FROM that ends a select's column list (outside parentheses, literals and
// bracketed names), or -1.
static qsizetype topLevelFrom(const QString &sql, qsizetype from)
{
    const qsizetype n = sql.size();
    int depth = 0;
    for (qsizetype i = from; i < n;) {
        const QChar c = sql.at(i);
        if (c == u'\'' || c == u'"' || c == u'[' || c == u'`') {
            const QChar close = c == u'[' ? QChar(u']') : c;
            const qsizetype j = sql.indexOf(close, i + 1);
            i = j < 0 ? n : j + 1;
        } else if (c == u'(') {
            ++depth;
            ++i;
        } else if (c == u')') {
            --depth;
            ++i;
        } else if (c.isLetter() || c == u'_') {
            qsizetype j = i;
            while (j < n && (sql.at(j).isLetterOrNumber() || sql.at(j) == u'_'))
                ++j;
            if (depth == 0 &&
                QStringView(sql).mid(i, j - i).compare(QLatin1String("FROM"), Qt::CaseInsensitive) == 0)
                return i;
            i = j;
        } else {
            ++i;
        }
    }
    return -1;
}

// The select reading only the rowid of each row of sql, in its order; empty when sql cannot
// be narrowed so without changing which rows it yields or how its values are bound.
static QString keySelect(const QString &sql)
{
    const qsizetype at = selectListStart(sql);
    if (at < 0)
        return {};
    const qsizetype from = topLevelFrom(sql, at);
    if (from < 0)
        return {};
    const QStringView list = QStringView(sql).mid(at, from - at);
    for (const QChar c : list)
        if (c == u'?' || c == u':' || c == u'@' || c == u'$')
            return {};
    if (hasWord(sql.left(at), QLatin1String("DISTINCT")) || hasWord(sql, QLatin1String("LIMIT")))
        return {};
    return sql.left(at) + QStringLiteral(" rowid ") + sql.mid(from);
}

bool Recordset::fail(int number, const QString &message)
{
    m_error = makeError(number, message);
    return false;
}

bool Recordset::failSql()
{
    m_error = sqliteError(m_db.handle(), SQLITE_ERROR);
    return false;
}

bool Recordset::load(const QVariantList *list, const QVariantMap *map)
{
    m_error = {};
    m_readError = {};
    m_open = false;
    m_rows.clear();
    m_rowIndexValid = false;
    m_writeSql.clear();
    m_lastMask.clear();
    m_lastSql.clear();
    m_cols.clear();
    m_table.clear();
    m_refetchSql.clear();
    m_readAheadSql.clear();
    m_pos = 0;
    m_currentDeleted = false;
    m_noMatch = false;
    m_mode = Mode::None;
    m_moreKeysSql.clear();
    m_keysDone = true;
    m_keyOffset = 0;
    Connection *c = m_db.m_conn.get();
    if (!c) {
        notify(Change::RowsChanged);
        return fail(DbError::NotOpen, QStringLiteral("database not open"));
    }
    auto bind = [&](sqlite3_stmt *st) { return list ? bindAll(st, *list) : bindNamed(st, *map); };

    const QString source = m_source.trimmed();
    QString sql;
    QString table;
    QString keySql; // set when only the rows' keys are read now
    bool withRowid = false;
    const bool tableSource = isTableName(source);
    if (tableSource) {
        table = source.startsWith(u'[') ? source.mid(1, source.size() - 2) : source;
        sql = QStringLiteral("SELECT rowid, * FROM %1").arg(Database::quoteName(table));
        withRowid = true;
    } else {
        sql = Database::translateSql(source);
        const QString plain = sql;
        // Updatable when every column comes from one table and rows are table rows.
        const qsizetype at = selectListStart(sql);
        if (at >= 0 && !hasWord(sql, QLatin1String("GROUP")) && !hasWord(sql, QLatin1String("UNION"))) {
            Stmt probe(c, sql.toUtf8());
            if (probe) {
                const int n = sqlite3_column_count(probe.get());
                for (int i = 0; i < n; ++i) {
                    const char *t = sqlite3_column_table_name(probe.get(), i);
                    const QString tn = QString::fromUtf8(t ? t : "");
                    if (tn.isEmpty() || (!table.isEmpty() && tn.compare(table, Qt::CaseInsensitive) != 0)) {
                        table.clear();
                        break;
                    }
                    table = tn;
                }
            }
            if (!table.isEmpty()) {
                const QString injected = sql.left(at) + QStringLiteral(" rowid,") + sql.mid(at);
                Stmt check(c, injected.toUtf8());
                if (check) {
                    sql = injected;
                    withRowid = true;
                } else {
                    table.clear();
                }
            }
        }
        if (withRowid && m_onDemand)
            keySql = keySelect(plain);
    }

    Stmt st(c, sql.toUtf8());
    if (!st) {
        m_error = sqliteError(c->db, st.rc());
        notify(Change::RowsChanged);
        return false;
    }
    bind(st.get());
    const int total = sqlite3_column_count(st.get());
    const int first = withRowid ? 1 : 0;
    m_cols.reserve(size_t(total - first));
    QStringList origins;
    for (int i = first; i < total; ++i) {
        Column col;
        col.name = QString::fromUtf8(sqlite3_column_name(st.get(), i));
        const char *t = sqlite3_column_table_name(st.get(), i);
        const char *o = sqlite3_column_origin_name(st.get(), i);
        if (t && o) {
            const ColumnInfo info = c->columnInfo(QString::fromUtf8(t), QString::fromUtf8(o));
            col.kind = info.kind;
            col.collation = info.collation;
            if (withRowid)
                col.origin = QString::fromUtf8(o);
        }
        origins << Database::quoteName(col.origin);
        m_cols.push_back(std::move(col));
    }
    if (withRowid) {
        m_table = table;
        m_refetchSql = QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                           .arg(origins.join(QLatin1Char(',')), Database::quoteName(table))
                           .toUtf8();
        QStringList marks;
        for (int k = 0; k < kReadAhead; ++k)
            marks << QStringLiteral("?");
        m_readAheadSql =
            QStringLiteral("SELECT rowid,%1 FROM %2 WHERE rowid IN (%3)")
                .arg(origins.join(QLatin1Char(',')), Database::quoteName(table), marks.join(QLatin1Char(',')))
                .toUtf8();
    }
    // A whole table can be large (the ledger): only its rows' keys are read now, their values
    // when first looked at. A select read on demand reads the keys of its first rows only.
    if (!keySql.isEmpty()) {
        const QByteArray more = (keySql + QStringLiteral(" LIMIT ? OFFSET ?")).toUtf8();
        if (Stmt(c, more)) // else read whole, as any select
            m_moreKeysSql = more;
    }
    int rc;
    if (!m_moreKeysSql.isEmpty()) {
        m_keysDone = false;
        rc = readKeys(kFirstKeys) ? SQLITE_DONE : m_readError.number;
        if (rc != SQLITE_DONE)
            m_error = m_readError;
    } else if (tableSource) {
        Stmt ids(
            c,
            QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid").arg(Database::quoteName(table)).toUtf8());
        rc = ids ? SQLITE_ROW : ids.rc();
        while (ids && (rc = sqlite3_step(ids.get())) == SQLITE_ROW) {
            Row row;
            row.serial = m_nextSerial++;
            row.rowid = sqlite3_column_int64(ids.get(), 0);
            m_rows.push_back(std::move(row));
        }
    } else {
        while ((rc = st.step()) == SQLITE_ROW) {
            Row row;
            row.serial = m_nextSerial++;
            if (withRowid)
                row.rowid = sqlite3_column_int64(st.get(), 0);
            row.cells = packStatement(st.get(), first, total);
            m_rows.push_back(std::move(row));
        }
    }
    if (rc != SQLITE_DONE) {
        if (!m_error)
            m_error = sqliteError(c->db, rc);
        m_rows.clear();
        m_table.clear();
        notify(Change::RowsChanged);
        return false;
    }
    m_open = true;
    notify(Change::RowsChanged);
    return true;
}

// SQL of our own making: no translation, prepared once per connection.
bool Recordset::run(const QByteArray &sql, const QVariantList &values)
{
    Connection *c = m_db.m_conn.get();
    Stmt st(c, sql);
    if (!st) {
        m_error = sqliteError(c->db, st.rc());
        return false;
    }
    bindAll(st.get(), values);
    const int rc = sqlite3_step(st.get());
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
        m_error = sqliteError(c->db, rc);
        return false;
    }
    return true;
}

bool Recordset::runWrite(const QByteArray &sql, std::optional<qint64> rowid)
{
    Connection *c = m_db.m_conn.get();
    Stmt st(c, sql);
    if (!st) {
        m_error = sqliteError(c->db, st.rc());
        return false;
    }
    int n = 0;
    for (size_t i = 0; i < m_cols.size(); ++i)
        if (m_dirty[i])
            bindValue(st.get(), ++n, m_buffer[i]);
    if (rowid)
        sqlite3_bind_int64(st.get(), ++n, *rowid);
    const int rc = sqlite3_step(st.get());
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
        m_error = sqliteError(c->db, rc);
        return false;
    }
    return true;
}

int Recordset::indexOfRowid(qint64 rowid) const
{
    if (!m_rowIndexValid) {
        m_rowIndex.clear();
        m_rowIndex.reserve(qsizetype(m_rows.size()));
        for (size_t i = 0; i < m_rows.size(); ++i)
            m_rowIndex.insert(m_rows[i].rowid, int(i));
        m_rowIndexValid = true;
    }
    return m_rowIndex.value(rowid, -1);
}

bool Recordset::readKeys(int limit) const
{
    Connection *c = m_db.m_conn.get();
    if (!c) { // closed meanwhile: nothing more to read
        m_keysDone = true;
        return false;
    }
    Stmt st(c, m_moreKeysSql);
    int rc = st ? SQLITE_OK : st.rc();
    int read = 0;
    if (st) {
        if (m_named.isEmpty())
            bindAll(st.get(), m_params);
        else
            bindNamed(st.get(), m_named);
        const int n = sqlite3_bind_parameter_count(st.get());
        sqlite3_bind_int(st.get(), n - 1, limit);
        sqlite3_bind_int(st.get(), n, m_keyOffset);
        const size_t before = m_rows.size();
        while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
            Row row;
            row.serial = m_nextSerial++;
            row.rowid = sqlite3_column_int64(st.get(), 0);
            m_rows.push_back(std::move(row));
            ++read;
        }
        if (m_rowIndexValid)
            for (size_t i = before; i < m_rows.size(); ++i)
                m_rowIndex.insert(m_rows[i].rowid, int(i));
    }
    m_keyOffset += read;
    if (rc != SQLITE_DONE) {
        // The rest of the set cannot be read: what was read stays, and the failure is told.
        m_readError = sqliteError(c->db, rc);
        m_keysDone = true;
        return false;
    }
    if (read < limit)
        m_keysDone = true;
    return true;
}

void Recordset::ensureRows(int count) const
{
    while (!m_keysDone && int(m_rows.size()) < count) {
        const int before = int(m_rows.size());
        // Growing steps keep the reading of a whole long set about as fast as one read.
        readKeys(std::max({count - before + 1, before, kFirstKeys})); // one past: the end is known
        if (int(m_rows.size()) > before)
            notify(Change::RowsRead);
    }
}

void Recordset::readMoreRows() const
{
    ensureRows(int(m_rows.size()) + 1);
}

int Recordset::RecordCount() const
{
    ensureRows(std::numeric_limits<int>::max());
    return int(m_rows.size());
}

int Recordset::rowOfRowid(qint64 rowid) const
{
    if (!isUpdatable()) // other sets hold no table rows
        return -1;
    int row = indexOfRowid(rowid);
    while (row < 0 && !m_keysDone) {
        ensureRows(int(m_rows.size()) + 1);
        row = indexOfRowid(rowid);
    }
    return row;
}

qint64 Recordset::rowidAt(int row) const
{
    if (!isUpdatable() || row < 0)
        return 0;
    ensureRows(row + 1);
    return row < int(m_rows.size()) ? m_rows[size_t(row)].rowid : 0;
}

const QByteArray &Recordset::cellsOf(int i) const
{
    Row &row = m_rows[size_t(i)];
    if (row.cells.isEmpty())
        readAhead(i);
    if (row.cells.isEmpty()) {
        const auto nullRow = [this] {
            const qsizetype n = qsizetype(m_cols.size());
            QByteArray cells(n * 5, char(NullCell));
            char *head = cells.data();
            for (qsizetype k = 0; k < n; ++k)
                put<quint32>(head, quint32(n * 4 + k));
            return cells;
        };
        Stmt st(m_db.m_conn.get(), m_refetchSql);
        int rc = st ? SQLITE_OK : st.rc();
        if (st) {
            sqlite3_bind_int64(st.get(), 1, row.rowid);
            rc = sqlite3_step(st.get());
            if (rc == SQLITE_ROW)
                row.cells = packStatement(st.get(), 0, sqlite3_column_count(st.get()));
        }
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
            // Not read (locked, damaged): shown as NULLs but not kept, and told.
            m_readError = sqliteError(m_db.m_conn->db, rc);
            m_unreadCells = nullRow();
            return m_unreadCells;
        }
        if (row.cells.isEmpty()) // gone from the table meanwhile: every field NULL
            row.cells = nullRow();
    }
    return row.cells;
}

void Recordset::readAhead(int first) const
{
    // A grid looks at its rows one after another: the next rows not read yet come in the
    // same statement. A row it does not give (gone, or the read failed) is read alone.
    QVarLengthArray<int, kReadAhead> wanted;
    for (int r = first; r < int(m_rows.size()) && wanted.size() < kReadAhead; ++r)
        if (m_rows[size_t(r)].cells.isEmpty())
            wanted.append(r);
    if (wanted.size() < 2 || m_readAheadSql.isEmpty())
        return;
    Stmt st(m_db.m_conn.get(), m_readAheadSql);
    if (!st)
        return;
    for (int k = 0; k < kReadAhead; ++k) {
        if (k < wanted.size())
            sqlite3_bind_int64(st.get(), k + 1, m_rows[size_t(wanted[k])].rowid);
        else
            sqlite3_bind_null(st.get(), k + 1);
    }
    const int n = sqlite3_column_count(st.get());
    while (sqlite3_step(st.get()) == SQLITE_ROW) {
        const qint64 rowid = sqlite3_column_int64(st.get(), 0);
        for (const int r : wanted)
            if (Row &row = m_rows[size_t(r)]; row.rowid == rowid && row.cells.isEmpty()) {
                row.cells = packStatement(st.get(), 1, n);
                break;
            }
    }
}

bool Recordset::readRowById(qint64 rowid, Row &row)
{
    Stmt st(m_db.m_conn.get(), m_refetchSql);
    if (!st)
        return failSql();
    sqlite3_bind_int64(st.get(), 1, rowid);
    if (sqlite3_step(st.get()) != SQLITE_ROW)
        return fail(DbError::RecordDeleted, QStringLiteral("record is deleted"));
    row.rowid = rowid;
    row.cells = packStatement(st.get(), 0, sqlite3_column_count(st.get()));
    return true;
}

// ---------------------------------------------------------------- position

bool Recordset::Eof() const
{
    ensureRows(std::max(m_pos, 0) + 1);
    return m_rows.empty() || m_pos >= int(m_rows.size());
}
bool Recordset::Bof() const
{
    ensureRows(1);
    return m_rows.empty() || m_pos < 0;
}
bool Recordset::hasCurrent() const
{
    return !m_currentDeleted && m_pos >= 0 && m_pos < int(m_rows.size());
}

bool Recordset::cell(int index, QVariant &out) const
{
    if (m_mode == Mode::Add || (m_mode == Mode::Edit && m_dirty[size_t(index)])) {
        out = m_buffer[size_t(index)];
        return true;
    }
    if (!hasCurrent())
        return false;
    out = unpack(cellsOf(m_pos), index);
    return true;
}

bool Recordset::MoveFirst()
{
    ensureRows(1);
    dropEdit();
    m_currentDeleted = false;
    m_pos = 0;
    notify(Change::Moved);
    if (m_rows.empty())
        return fail(DbError::NoCurrentRecord, QStringLiteral("no current record"));
    m_error = {};
    return true;
}

bool Recordset::MoveLast()
{
    ensureRows(std::numeric_limits<int>::max());
    dropEdit();
    m_currentDeleted = false;
    m_pos = m_rows.empty() ? 0 : int(m_rows.size()) - 1;
    notify(Change::Moved);
    if (m_rows.empty())
        return fail(DbError::NoCurrentRecord, QStringLiteral("no current record"));
    m_error = {};
    return true;
}

bool Recordset::MoveNext()
{
    dropEdit();
    if (m_currentDeleted) {
        m_currentDeleted = false; // the next row already stands at the deleted row's place
    } else {
        if (Eof())
            return fail(DbError::NoCurrentRecord, QStringLiteral("no current record"));
        ++m_pos;
    }
    ensureRows(m_pos + 1);
    m_error = {};
    notify(Change::Moved);
    return true;
}

bool Recordset::MovePrevious()
{
    dropEdit();
    if (!m_currentDeleted && Bof())
        return fail(DbError::NoCurrentRecord, QStringLiteral("no current record"));
    m_currentDeleted = false;
    m_pos = std::min(m_pos, int(m_rows.size())) - 1;
    m_error = {};
    notify(Change::Moved);
    return true;
}

bool Recordset::setAbsolutePosition(int row)
{
    if (row >= 0)
        ensureRows(row + 1);
    if (row < 0 || row >= int(m_rows.size()))
        return fail(DbError::NoCurrentRecord, QStringLiteral("no such row"));
    dropEdit();
    m_currentDeleted = false;
    m_pos = row;
    m_error = {};
    notify(Change::Moved);
    return true;
}

Recordset::Bookmark Recordset::bookmark() const
{
    return hasCurrent() ? m_rows[size_t(m_pos)].serial : 0;
}

bool Recordset::setBookmark(Bookmark b)
{
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].serial == b)
            return setAbsolutePosition(int(i));
    return fail(DbError::NoCurrentRecord, QStringLiteral("bookmark not valid"));
}

// ---------------------------------------------------------------- fields

int Recordset::fieldIndex(const QString &nameIn) const
{
    QString name = nameIn.trimmed();
    if (name.startsWith(u'[') && name.endsWith(u']'))
        name = name.mid(1, name.size() - 2);
    for (size_t i = 0; i < m_cols.size(); ++i) // names are mostly written as declared
        if (m_cols[i].name == name)
            return int(i);
    for (size_t i = 0; i < m_cols.size(); ++i)
        if (m_cols[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

QString Recordset::FieldName(int index) const
{
    return index >= 0 && index < FieldCount() ? m_cols[size_t(index)].name : QString();
}

QVariant Recordset::valueAt(int row, int field) const
{
    if (row >= 0)
        ensureRows(row + 1);
    if (row < 0 || row >= int(m_rows.size()) || field < 0 || field >= FieldCount())
        return {};
    return presented(unpack(cellsOf(row), field), m_cols[size_t(field)].kind);
}

QVariant Recordset::storedAt(int row, int field) const
{
    if (row >= 0)
        ensureRows(row + 1);
    if (row < 0 || row >= int(m_rows.size()) || field < 0 || field >= FieldCount())
        return {};
    return unpack(cellsOf(row), field);
}

void Recordset::noteStored(int row, int field, const QVariant &stored)
{
    if (row < 0 || row >= int(m_rows.size()) || field < 0 || field >= FieldCount())
        return;
    Row &r = m_rows[size_t(row)];
    if (r.cells.isEmpty()) // not read yet: it is read from the table when looked at
        return;
    std::vector<QVariant> value(m_cols.size());
    std::vector<char> written(m_cols.size(), false);
    value[size_t(field)] = stored;
    written[size_t(field)] = true;
    r.cells = repack(r.cells, value, written);
    if (row == m_pos && hasCurrent() && m_mode == Mode::None)
        notify(Change::CurrentRowChanged);
}

QString Recordset::textAt(int row, int field) const
{
    if (row >= 0)
        ensureRows(row + 1);
    if (row < 0 || row >= int(m_rows.size()) || field < 0 || field >= FieldCount())
        return {};
    return displayText(unpack(cellsOf(row), field), m_cols[size_t(field)].kind);
}

// ---------------------------------------------------------------- editing

bool Recordset::AddNew()
{
    if (!isUpdatable())
        return fail(DbError::NotUpdatable, QStringLiteral("record set is not updatable"));
    m_mode = Mode::Add;
    m_buffer.assign(m_cols.size(), QVariant());
    m_dirty.assign(m_cols.size(), false);
    m_error = {};
    notify(Change::EditStarted);
    return true;
}

bool Recordset::Edit()
{
    if (!isUpdatable())
        return fail(DbError::NotUpdatable, QStringLiteral("record set is not updatable"));
    if (!hasCurrent())
        return fail(DbError::NoCurrentRecord, QStringLiteral("no current record"));
    m_mode = Mode::Edit;
    // Fields not written are read from the row; their slots here are never looked at.
    m_buffer.resize(m_cols.size());
    m_dirty.assign(m_cols.size(), false);
    m_error = {};
    return true;
}

void Recordset::CancelUpdate()
{
    const bool wasAdding = m_mode == Mode::Add;
    dropEdit();
    if (wasAdding)
        notify(Change::CurrentRowChanged);
}

// The INSERT or UPDATE for one set of written columns, made once per record set.
const QByteArray &Recordset::writeSql(QByteArrayView mask)
{
    // A pass writing the same fields row after row asks for the same statement each time.
    if (mask == m_lastMask)
        return m_lastSql;
    m_lastMask = mask.toByteArray();
    QByteArray &sql = m_writeSql[m_lastMask];
    if (!sql.isEmpty())
        return m_lastSql = sql;
    QStringList names;
    for (size_t i = 0; i < m_cols.size(); ++i)
        if (m_dirty[i])
            names << Database::quoteName(m_cols[i].origin);
    const QString table = Database::quoteName(m_table);
    if (m_mode == Mode::Add) {
        if (names.isEmpty()) {
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table).toUtf8();
        } else {
            QStringList marks;
            for (qsizetype i = 0; i < names.size(); ++i)
                marks << QStringLiteral("?");
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')))
                      .toUtf8();
        }
    } else {
        QStringList sets;
        for (const QString &n : std::as_const(names))
            sets << n + QStringLiteral(" = ?");
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                  .arg(table, sets.join(QLatin1Char(',')))
                  .toUtf8();
    }
    return m_lastSql = sql;
}

bool Recordset::Update()
{
    if (m_mode == Mode::None)
        return fail(DbError::UpdateWithoutEdit, QStringLiteral("Update without AddNew or Edit"));
    Connection *c = m_db.m_conn.get();
    QVarLengthArray<char, 64> mask(qsizetype(m_cols.size()) + 1);
    std::fill(mask.begin(), mask.end(), '0');
    mask[0] = m_mode == Mode::Add ? 'A' : 'E';
    bool written = false;
    for (size_t i = 0; i < m_cols.size(); ++i) {
        if (m_dirty[i]) {
            mask[qsizetype(i) + 1] = '1';
            written = true;
        }
    }
    if (m_mode == Mode::Add) {
        ensureRows(std::numeric_limits<int>::max()); // the new row goes after every row of the set
        if (!runWrite(writeSql({mask.data(), mask.size()}), std::nullopt))
            return false;
        Row row;
        row.serial = m_nextSerial++;
        if (!readRowById(sqlite3_last_insert_rowid(c->db), row)) {
            dropEdit();
            return false;
        }
        const bool atEnd = m_pos >= int(m_rows.size());
        m_rows.push_back(std::move(row));
        m_rowIndexValid = false;
        if (atEnd)
            m_pos = int(m_rows.size());
        m_lastModified = m_rows.back().serial;
        dropEdit();
        m_error = {};
        notify(Change::RowsChanged);
        return true;
    }
    Row &cur = m_rows[size_t(m_pos)];
    if (written) {
        if (!runWrite(writeSql({mask.data(), mask.size()}), cur.rowid))
            return false;
        // The buffer holds exactly what was stored. A row not read yet is read from the
        // table when first looked at, as any other.
        if (!cur.cells.isEmpty() && !patchInPlace(cur.cells, m_buffer, m_dirty))
            cur.cells = repack(cur.cells, m_buffer, m_dirty);
    }
    m_lastModified = cur.serial;
    dropEdit();
    m_error = {};
    notify(Change::CurrentRowChanged);
    return true;
}

bool Recordset::Delete()
{
    if (!isUpdatable())
        return fail(DbError::NotUpdatable, QStringLiteral("record set is not updatable"));
    dropEdit();
    if (!hasCurrent())
        return fail(DbError::NoCurrentRecord, QStringLiteral("no current record"));
    if (!run(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(Database::quoteName(m_table)).toUtf8(),
             {m_rows[size_t(m_pos)].rowid}))
        return false;
    m_rows.erase(m_rows.begin() + m_pos);
    if (!m_keysDone) // one row fewer before the keys still to read
        --m_keyOffset;
    m_rowIndexValid = false;
    m_currentDeleted = true;
    m_error = {};
    notify(Change::RowsChanged);
    return true;
}

// ---------------------------------------------------------------- finding

int Recordset::findFrom(int start, const QString &criterion, const QVariantList &params)
{
    Connection *c = m_db.m_conn.get();
    ensureRows(std::numeric_limits<int>::max());
    if (!c || start >= int(m_rows.size()))
        return -1;
    const QString crit = Database::translateSql(criterion);
    if (isUpdatable()) {
        // The table's own columns keep their collation, and an index can serve the search.
        Stmt st(c, QStringLiteral("SELECT rowid FROM %1 WHERE (%2)")
                       .arg(Database::quoteName(m_table), crit)
                       .toUtf8());
        if (st) {
            bindAll(st.get(), params);
            int best = -1;
            int rc;
            while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
                const int i = indexOfRowid(sqlite3_column_int64(st.get(), 0));
                if (i >= start && (best < 0 || i < best))
                    best = i;
            }
            if (rc != SQLITE_DONE) {
                m_error = sqliteError(c->db, rc);
                return -1;
            }
            return best;
        }
    }
    // Any other source: test each row's values against the criterion.
    QStringList cols;
    for (size_t i = 0; i < m_cols.size(); ++i) {
        const QString coll =
            m_cols[i].collation.isEmpty() ? QString() : QStringLiteral(" COLLATE ") + m_cols[i].collation;
        cols << QStringLiteral(":pvc%1%2 AS %3").arg(i).arg(coll, Database::quoteName(m_cols[i].name));
    }
    Stmt st(c,
            QStringLiteral("SELECT (%1) FROM (SELECT %2)").arg(crit, cols.join(QLatin1Char(','))).toUtf8());
    if (!st) {
        m_error = sqliteError(c->db, st.rc());
        return -1;
    }
    std::vector<int> columnParam;
    for (size_t i = 0; i < m_cols.size(); ++i)
        columnParam.push_back(
            sqlite3_bind_parameter_index(st.get(), QStringLiteral(":pvc%1").arg(i).toUtf8().constData()));
    for (int r = std::max(start, 0); r < int(m_rows.size()); ++r) {
        sqlite3_reset(st.get());
        bindAll(st.get(), params);
        for (size_t i = 0; i < m_cols.size(); ++i)
            bindValue(st.get(), columnParam[i], unpack(cellsOf(r), int(i)));
        if (sqlite3_step(st.get()) == SQLITE_ROW && sqlite3_column_int(st.get(), 0) != 0)
            return r;
    }
    return -1;
}

bool Recordset::FindFirst(const QString &criterion, const QVariantList &params)
{
    m_error = {};
    const int hit = findFrom(0, criterion, params);
    m_noMatch = hit < 0;
    if (m_noMatch)
        return false;
    return setAbsolutePosition(hit);
}

bool Recordset::FindNext(const QString &criterion, const QVariantList &params)
{
    m_error = {};
    const int start = m_currentDeleted ? m_pos : m_pos + 1;
    const int hit = findFrom(start, criterion, params);
    m_noMatch = hit < 0;
    if (m_noMatch)
        return false;
    return setAbsolutePosition(hit);
}

} // namespace pv
