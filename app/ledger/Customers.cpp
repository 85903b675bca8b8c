#include "app/ledger/Customers.h"

#include "app/ledger/Rows.h"
#include "platform/data/Database.h"
#include "platform/data/Recordset.h"
#include "platform/text/Formats.h"

namespace pv::ledger
{

namespace
{

// Debt and paid of the rows a select of the two sums finds, in one reading of them: a sum
// over no rows is 0; a read that failed leaves its reason in error.
Totals totals(pv::Database &db, const QString &sql, const QVariantList &params)
{
    Totals t;
    const pv::Recordset rs(db, sql, params);
    if (!rs.isOpen() || rs.RecordCount() != 1) {
        t.error = rs.lastError().message.isEmpty() ? QStringLiteral("read failed") : rs.lastError().message;
        return t;
    }
    t.debt = rs.valueAt(0, 0).toDouble();
    t.paid = rs.valueAt(0, 1).toDouble();
    return t;
}

pv::Counter customerCounter(pv::Database &db)
{
    return pv::Counter(db, QStringLiteral("son_musterino"), QStringLiteral("musterino"));
}

pv::Counter receiptCounter(pv::Database &db)
{
    return pv::Counter(db, QStringLiteral("yedek_yeri"), QStringLiteral("yolu"));
}

} // namespace

double Totals::shownBalance() const
{
    return roundedMoney(roundedMoney(debt) - roundedMoney(paid));
}

Totals customerTotals(pv::Database &db, const QString &customerCode)
{
    return totals(db, QStringLiteral("select sum(Eklenen), sum(Odenen) from veresiye where mus_kodu = ?"),
                  {customerCode});
}

Totals rangeTotals(pv::Database &db, const QString &customerCode, const QDate &from, const QDate &to)
{
    return totals(
        db,
        QStringLiteral(
            "select sum(Eklenen), sum(Odenen) from veresiye where Tarih2 between ? and ? and mus_kodu = ?"),
        {pv::dateKey(from), pv::dateKey(to), customerCode});
}

std::optional<double> balance(pv::Database &db, const QString &customerCode)
{
    const Totals t = customerTotals(db, customerCode);
    return t.ok() ? std::optional<double>(t.balance()) : std::nullopt;
}

AccountSummary postedOn(const QDate &day)
{
    return {day, 0, day};
}

bool storeAccountSummary(pv::Database &db, const QString &customerCode, const AccountSummary &fields,
                         QString *error)
{
    const Totals t = customerTotals(db, customerCode);
    if (!t.ok()) {
        *error = t.error;
        return false;
    }
    // Through the record set, as the account window writes the row: the same stored forms.
    pv::Recordset rs(db, QStringLiteral("select * from musteriler where mus_kodu = ? order by id asc"),
                     {customerCode});
    auto failed = [&] {
        *error = rs.lastError().message;
        rs.CancelUpdate();
        return false;
    };
    if (rs.lastError())
        return failed();
    if (!rs.hasCurrent())
        return true;
    if (!rs.Edit() || !rs.Fields(QStringLiteral("Bakiye")).setValue(t.shownBalance()))
        return failed();
    if (fields.lastEntry && !rs.Fields(QStringLiteral("Sonislem")).setValue(*fields.lastEntry))
        return failed();
    if (fields.days && !rs.Fields(QStringLiteral("Gun")).setValue(*fields.days))
        return failed();
    if (fields.visited && !rs.Fields(QStringLiteral("Sonislem2")).setValue(pv::dateKey(*fields.visited)))
        return failed();
    if (!rs.Update())
        return failed();
    return true;
}

std::optional<qint64> customerNumber(pv::Database &db, QString *error)
{
    pv::Counter counter = customerCounter(db);
    const auto held = counter.tryValue();
    if (!held && error)
        *error = counter.lastError().message;
    return held;
}

bool takeCustomerNumber(pv::Database &db, qint64 number, QString *error)
{
    pv::Counter counter = customerCounter(db);
    const auto held = counter.tryValue();
    if (held && number <= *held)
        return true;
    if (held && counter.write(number))
        return true;
    if (error)
        *error = counter.lastError().message;
    return false;
}

std::optional<qint64> customerReceiptNumber(pv::Database &db, QString *error)
{
    pv::Counter counter = receiptCounter(db);
    const auto held = counter.tryValue();
    if (!held && error)
        *error = QStringLiteral("Makbuz numarası okunamadı: ") + counter.lastError().message;
    return held;
}

bool setCustomerReceiptNumber(pv::Database &db, qint64 next, QString *error)
{
    pv::Counter counter = receiptCounter(db);
    if (counter.write(next))
        return true;
    if (error)
        *error = counter.lastError().message;
    return false;
}

Result deleteCustomer(pv::Database &db, qint64 customerId, const QString &customerCode)
{
    pv::Transaction tx(db);
    if (!tx.isActive())
        return Result::failure(tx.lastError().message);
    if (!db.exec(QStringLiteral("delete from veresiye where mus_kodu = ?"), {customerCode}) ||
        !db.exec(QStringLiteral("delete from musteriler where id = ?"), {customerId}))
        return Result::failure(db.lastError().message);
    if (!tx.commit())
        return Result::failure(tx.lastError().message);
    return Result::success();
}

} // namespace pv::ledger
