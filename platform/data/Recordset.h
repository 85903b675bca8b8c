#pragma once
// A record set: the rows of a table or a select, held in memory with their rowid. A select
// is read whole when opened; a table (which may be the whole ledger) counts its rows at
// once and reads each row's values when it is first looked at.
//
//   pv::Recordset rs(db, "select * from veresiye where mus_kodu = ? ORDER BY Tarih2, Saat",
//                    {code});
//   for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
//       total += rs.Fields("Eklenen").value().toDouble();
//
// Rows of a single-table source (a table name, or a select whose columns all come from
// one table) are updatable: AddNew/Edit, set fields, Update. A field is handed text as a
// box gives it and stored by its column's type ("1.234,50" into a REAL is 1234.5, "" is
// NULL); it reads back as the text a box shows (numbers plain, "37,5").
//
// Positions: Bof before the first row, Eof after the last; an empty set is both. After
// Delete the deleted row is gone and there is no current row until the next move.
#include "platform/data/Database.h"
#include "platform/data/Values.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

namespace pv
{

class Recordset;

// One field of the current row (or of the row being added or edited).
class Field
{
public:
    Field(Recordset *rs, int index) : m_rs(rs), m_index(index) {}
    bool exists() const;
    int index() const { return m_index; }
    QString name() const;
    QString text() const;   // as a box shows it; "" for NULL
    QVariant value() const; // qint64, double, QString, QDate/QDateTime, QByteArray; invalid for NULL
    bool isNull() const;
    // Only between AddNew/Edit and Update. Text is stored by the column's type; false with
    // error 3421 when the column cannot take it (the field keeps its value).
    bool setValue(const QVariant &v);
    Field &operator=(const QVariant &v)
    {
        setValue(v);
        return *this;
    }

private:
    Recordset *m_rs;
    int m_index;
};

class Recordset
{
public:
    // What a watcher (the data control) learns about.
    enum class Change { Moved, CurrentRowChanged, RowsChanged, EditStarted, RowsRead };
    using Bookmark = qint64; // 0 is no bookmark

    Recordset();
    // source: a table name or a select; params bind to its `?` / `:name` placeholders.
    Recordset(const Database &db, const QString &source, const QVariantList &params = {});
    Recordset(const Recordset &) = delete;
    Recordset &operator=(const Recordset &) = delete;

    // Rows of an updatable select read when first looked at: opening reads the keys of its
    // first rows only, in the select's order; further keys are read as rows past them are
    // asked for (a move, a position, a count, a find), and each row's values when a grid, a
    // field or a find first needs them, so a long ledger opens in the time of one screen.
    // Every answer stays that of the whole set: RecordCount and MoveLast read the remaining
    // keys first. Kept across opens; a select that cannot be read so (not updatable,
    // DISTINCT or LIMIT, placeholders in its column list) is read whole as usual. Its ORDER
    // BY names columns, not positions, and should end in a unique order for the rows to
    // follow one another the same way from one read to the next.
    void setReadOnDemand(bool on) { m_onDemand = on; }
    // Rows not read yet that a look at the first of them reads along: a screen.
    static constexpr int kReadAhead = 24;

    bool open(const Database &db, const QString &source, const QVariantList &params = {});
    bool open(const Database &db, const QString &source, const QVariantMap &params);
    // Runs the source again and stands on the first row.
    bool Requery();
    void close();
    bool isOpen() const { return m_open; }
    bool isUpdatable() const { return !m_table.isEmpty(); }
    const Database &database() const { return m_db; }

    // Navigation. Moving discards a pending AddNew/Edit.
    bool MoveFirst();
    bool MoveLast();
    bool MoveNext();
    bool MovePrevious();
    // EOF and BOF of the old engine (named apart from the C library's EOF macro).
    bool Eof() const;
    bool Bof() const;
    bool hasCurrent() const;
    int RecordCount() const; // every row: reads the remaining keys of a set read on demand
    // Rows whose keys are read so far (all of them unless read on demand), and reading more
    // of them; watchers learn of the rows added (RowsRead). For grids that show what is read.
    int rowsRead() const { return int(m_rows.size()); }
    bool hasMoreRows() const { return !m_keysDone; }
    void readMoreRows() const;
    int AbsolutePosition() const { return hasCurrent() ? m_pos : -1; } // 0-based; -1 none
    bool setAbsolutePosition(int row);

    // Criteria are SQL conditions on the source's columns ("[Product Code] = ?"), their
    // values bound. NoMatch() tells whether the last Find found nothing; then the current
    // row stays where it was.
    bool FindFirst(const QString &criterion, const QVariantList &params = {});
    bool FindNext(const QString &criterion, const QVariantList &params = {});
    bool NoMatch() const { return m_noMatch; }

    // The row holding the table row of that rowid (for a table with an INTEGER PRIMARY KEY,
    // its key), found without reading any row's values; -1 when the set has none or is not
    // updatable.
    int rowOfRowid(qint64 rowid) const;
    // The rowid of a row's table row (its INTEGER PRIMARY KEY), known without reading the
    // row's values; 0 for a set that is not updatable or a row out of range.
    qint64 rowidAt(int row) const;

    Bookmark bookmark() const;
    bool setBookmark(Bookmark b);
    Bookmark LastModified() const { return m_lastModified; }

    // Editing. AddNew starts an empty row (every field NULL until written); Edit starts
    // from the current row. Update writes it; CancelUpdate drops it.
    bool AddNew();
    bool Edit();
    bool Update();
    void CancelUpdate();
    bool Delete();
    bool isEditing() const { return m_mode != Mode::None; }
    bool isAdding() const { return m_mode == Mode::Add; }

    // Fields by name (case-insensitive, brackets allowed) or by 0-based position in the
    // source's column order (for a table, the table's column order).
    Field Fields(const QString &name) { return Field(this, fieldIndex(name)); }
    Field Fields(int index) { return Field(this, index >= 0 && index < FieldCount() ? index : -1); }
    int FieldCount() const { return int(m_cols.size()); }
    QString FieldName(int index) const;
    int fieldIndex(const QString &name) const; // -1 when there is none

    // A cell of any row, without moving (for grids); the same text and value as Fields().
    QString textAt(int row, int field) const;
    QVariant valueAt(int row, int field) const;
    // The cell as the file holds it: a DATE column's text stays text (no date is made of it,
    // which a pass over every row would pay for at each one).
    QVariant storedAt(int row, int field) const;
    // A value the caller has itself just stored into the row's column (an UPDATE of its own,
    // committed), given as the column stores it: the row shows it without being read again.
    // The current row's watchers are told; other rows show it when next looked at.
    void noteStored(int row, int field, const QVariant &stored);

    const DbError &lastError() const { return m_error; }
    // A row of a table source that could not be read when it was first looked at (as
    // opposed to one deleted meanwhile, which reads as NULLs): its values read as NULL too,
    // so whoever sums, counts or lists rows checks this before trusting them. Cleared by
    // the next open.
    const DbError &readError() const { return m_readError; }

    // The data control's hook; called after every change of position or rows.
    void setWatcher(std::function<void(Change)> watcher) { m_watcher = std::move(watcher); }

private:
    friend class Field;
    enum class Mode { None, Edit, Add };
    struct Column {
        QString name;
        QString origin; // column of the source table; empty for an expression
        ColumnKind kind = ColumnKind::Blob;
        QString collation;
    };
    struct Row {
        qint64 rowid = 0;
        Bookmark serial = 0;
        QByteArray cells; // every value of the row in one block; empty until read
    };

    bool load(const QVariantList *list, const QVariantMap *map);
    bool readRowById(qint64 rowid, Row &row);
    const QByteArray &cellsOf(int row) const;
    void readAhead(int first) const;
    // Reads keys until the set holds at least count rows or has no more.
    void ensureRows(int count) const;
    bool readKeys(int limit) const;
    int findFrom(int start, const QString &criterion, const QVariantList &params);
    // The value of a field of the current row or of the row being written; false when
    // there is none.
    bool cell(int index, QVariant &out) const;
    bool fail(int number, const QString &message);
    bool run(const QByteArray &sql, const QVariantList &values);
    // Runs an INSERT or UPDATE of writeSql with the written fields bound from the buffer,
    // then the row's rowid for an UPDATE.
    bool runWrite(const QByteArray &sql, std::optional<qint64> rowid);
    const QByteArray &writeSql(QByteArrayView mask);
    int indexOfRowid(qint64 rowid) const;
    bool failSql();
    void notify(Change c) const
    {
        if (m_watcher)
            m_watcher(c);
    }
    void dropEdit() { m_mode = Mode::None; }

    Database m_db;
    QString m_source;
    QVariantList m_params;
    QVariantMap m_named;
    bool m_open = false;
    QString m_table;           // set when updatable
    QByteArray m_refetchSql;   // one row by rowid, same columns
    QByteArray m_readAheadSql; // rowid and the same columns of several rows by rowid
    std::vector<Column> m_cols;
    mutable std::vector<Row> m_rows;       // rows of a table source are read when first looked at
    mutable QHash<qint64, int> m_rowIndex; // rowid -> row, built when a find needs it
    mutable bool m_rowIndexValid = false;
    bool m_onDemand = false;
    QByteArray m_moreKeysSql;                 // the key select with LIMIT ? OFFSET ? (read on demand)
    mutable bool m_keysDone = true;           // every key of the set is in m_rows
    mutable int m_keyOffset = 0;              // keys of the select consumed so far
    QHash<QByteArray, QByteArray> m_writeSql; // mode and written columns -> statement
    QByteArray m_lastMask, m_lastSql;         // the last of them asked for
    int m_pos = 0;
    bool m_currentDeleted = false;
    bool m_noMatch = false;
    mutable Bookmark m_nextSerial = 1; // rows read on demand take theirs when read
    Bookmark m_lastModified = 0;
    Mode m_mode = Mode::None;
    std::vector<QVariant> m_buffer;
    std::vector<char> m_dirty; // bytes, not bits: a write pass reads them for every field
    DbError m_error;
    mutable DbError m_readError;
    mutable QByteArray m_unreadCells; // the NULL row shown for a row that could not be read
    std::function<void(Change)> m_watcher;
};

} // namespace pv
