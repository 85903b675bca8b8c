#pragma once
// The small pieces every posting is made of: one new row written field by field as the data
// layer reads values, and the checks a row's values pass before it is written. Each writer
// takes the caller's LedgerTransaction, so it writes inside the caller's write scope only;
// the posting id lies in PostingId.h, which windows include.
#include <QDate>
#include <QList>
#include <QString>
#include <QTime>
#include <QVariant>

namespace pv
{
class Database;
class Recordset;
} // namespace pv

namespace pv::ledger
{

class LedgerTransaction;

// Deletes the rows of table (veresiye or kasa) whose islemNo2 is postingId. An empty (or
// blank) id deletes nothing: rows without a posting id belong to no posting. Returns the
// rows deleted, -1 on error. Inside the caller's transaction.
int deleteByPostingId(LedgerTransaction &tx, pv::Database &db, const QString &table,
                      const QString &postingId);

// A value for one column of a new row: by name, or by position in the table's order.
struct Value {
    QVariant column; // QString name or int position
    QVariant value;
};
// Adds one row to table; every value is stored by its column's type as a box's text is
// ("" is NULL, a QDate into a text column "dd.mm.yyyy"). False with the reason in *error
// when a value or the row is refused; the caller's transaction then rolls everything
// back. The new row's id goes to *id when given.
bool addRow(LedgerTransaction &tx, pv::Database &db, const QString &table, const QList<Value> &values,
            QString *error, qint64 *id = nullptr);

// Named fields of an existing row, with the values to store in them.
using FieldValues = QList<std::pair<QString, QVariant>>;
// Writes the fields into the record set's current row (Edit, each field, Update), each
// stored as a box's text is. False with the reason in *error; the row stays as stored.
bool writeFields(LedgerTransaction &tx, pv::Recordset &rs, const FieldValues &fields, QString *error);

// Why a row with this date, time and amounts cannot be written: a date or time that is
// none, an amount that is no number or past the amount check's limit (named `word` in its
// message). Empty when it can.
QString rowRefusal(const QDate &date, const QTime &time, const QList<double> &amounts, const QString &word);

// A sum read fresh: 0 over no rows. One that could not be read gives 0 and leaves its
// reason in error (the first reason of several sums stays), so the caller tells it instead
// of showing or storing that 0.
double readSum(pv::Database &db, const QString &sql, const QVariantList &params, QString &error);

// A money value as the "#,##0.00" text shows it, so that a stored number and the text agree.
double roundedMoney(double value);

} // namespace pv::ledger
