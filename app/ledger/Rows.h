#pragma once
// The small pieces every posting is made of: the posting id that pairs a ledger row with
// its cash row, and one new row written field by field as the data layer reads values.
#include <QDateTime>
#include <QString>
#include <QVariant>

#include <initializer_list>

namespace pv
{
class Database;
}

namespace pv::ledger
{

// The posting id of `at` ("yyyyMMddHHmmss"), moved on second by second while veresiye or
// kasa already carries it, so that two postings never share one.
QString uniquePostingId(pv::Database &db, QDateTime at);

// A value for one column of a new row: by name, or by position in the table's order.
struct Value {
    QVariant column; // QString name or int position
    QVariant value;
};
// Adds one row to table. False with the reason in *error when a value or the row is
// refused; the caller's transaction then rolls everything back.
bool addRow(pv::Database &db, const QString &table, std::initializer_list<Value> values, QString *error);

// A sum read fresh: 0 over no rows. One that could not be read gives 0 and leaves its
// reason in error (the first reason of several sums stays), so the caller tells it instead
// of showing or storing that 0.
double readSum(pv::Database &db, const QString &sql, const QVariantList &params, QString &error);

// A money value as the "#,##0.00" text shows it, so that a stored number and the text agree.
double roundedMoney(double value);

} // namespace pv::ledger
