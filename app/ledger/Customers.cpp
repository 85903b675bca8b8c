#include "app/ledger/Customers.h"

#include "platform/data/Database.h"
#include "platform/text/Formats.h"

namespace pv::ledger
{

namespace
{

// A sum over no rows is 0; a sum that could not be read leaves its reason in error.
double sum(pv::Database &db, const QString &sql, const QVariantList &params, QString &error)
{
    const auto v = db.tryScalar(sql, params);
    if (!v) {
        if (error.isEmpty())
            error = db.lastError().message.isEmpty() ? QStringLiteral("read failed") : db.lastError().message;
        return 0.0;
    }
    return v->isValid() ? v->toDouble() : 0.0;
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

Totals customerTotals(pv::Database &db, const QString &customerCode)
{
    Totals t;
    t.debt = sum(db, QStringLiteral("select sum(Eklenen) from veresiye where mus_kodu = ?"), {customerCode},
                 t.error);
    t.paid = sum(db, QStringLiteral("select sum(Odenen) from veresiye where mus_kodu = ?"), {customerCode},
                 t.error);
    return t;
}

Totals rangeTotals(pv::Database &db, const QString &customerCode, const QDate &from, const QDate &to)
{
    const QVariantList params{pv::dateKey(from), pv::dateKey(to), customerCode};
    Totals t;
    t.debt = sum(
        db, QStringLiteral("select sum(Eklenen) from veresiye where Tarih2 between ? and ? and mus_kodu = ?"),
        params, t.error);
    t.paid = sum(
        db, QStringLiteral("select sum(Odenen) from veresiye where Tarih2 between ? and ? and mus_kodu = ?"),
        params, t.error);
    return t;
}

double balance(pv::Database &db, const QString &customerCode)
{
    return customerTotals(db, customerCode).balance();
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

qint64 customerReceiptNumber(pv::Database &db)
{
    return receiptCounter(db).value();
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
