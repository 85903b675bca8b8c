#include "app/ledger/AccountBulk.h"

#include "app/ledger/Customers.h"
#include "app/ledger/LedgerWrite.h"
#include "app/ledger/Rows.h"
#include "platform/data/Database.h"
#include "platform/data/Recordset.h"
#include "platform/text/Formats.h"
#include "platform/text/InputChecks.h"

namespace pv::ledger
{

namespace
{

Result refused(const QString &head, const QString &why)
{
    return Result::failure(head + QLatin1Char('\n') + why);
}

// The product a code names; false with the reason when the read failed.
bool findPriceSource(pv::Database &db, const QString &productCode, std::optional<PriceSource> *found,
                     QString *error)
{
    pv::Recordset rs(db,
                     QStringLiteral("select id, SatisFiyati from Product where [Product Code] = ? "
                                    "order by id asc limit 1"),
                     {productCode});
    if (rs.lastError()) {
        *error = rs.lastError().message;
        return false;
    }
    found->reset();
    if (rs.hasCurrent()) {
        PriceSource p;
        p.id = rs.Fields(0).value().toLongLong();
        const QVariant price = rs.Fields(1).value();
        if (price.isValid())
            p.price = price.toDouble();
        *found = p;
    }
    return true;
}

} // namespace

Result dayDebitTotal(pv::Database &db, const QString &customerCode, const QDate &day, double *total)
{
    if (!day.isValid())
        return refused(kContractAmountFailed, pv::kBadDateMessage);
    // One day is the range from it to itself.
    const Totals totals = rangeTotals(db, customerCode, day, day);
    if (!totals.ok())
        return refused(kContractAmountFailed, totals.error);
    if (total)
        *total = totals.debt;
    return Result::success();
}

Result resetAccount(pv::Database &db, const QString &customerCode, const QList<qint64> &entryIds)
{
    LedgerTransaction t(db);
    if (!t.isActive())
        return refused(kResetFailed, t.lastError().message);
    for (const qint64 id : entryIds) {
        if (!db.exec(QStringLiteral("delete from veresiye where id = ? and mus_kodu = ?"),
                     {id, customerCode}))
            return refused(kResetFailed, db.lastError().message);
    }
    if (!t.commit())
        return refused(kResetFailed, t.lastError().message);
    return Result::success();
}

std::optional<PriceSource> priceSource(pv::Database &db, const QString &productCode)
{
    std::optional<PriceSource> found;
    QString ignored;
    findPriceSource(db, productCode, &found, &ignored);
    return found;
}

Result repriceEntry(pv::Database &db, qint64 entryId, Repricing *outcome)
{
    Repricing none = Repricing::Missing;
    Repricing &what = outcome ? *outcome : none;
    LedgerTransaction t(db);
    if (!t.isActive())
        return refused(kRepriceFailed, t.lastError().message);

    pv::Recordset row(
        db, QStringLiteral("select ProductCode, BirimFiyat, Eklenen, Miktar from veresiye where id = ?"),
        {entryId});
    if (row.lastError())
        return refused(kRepriceFailed, row.lastError().message);
    if (!row.hasCurrent()) {
        what = Repricing::Missing;
        return Result::success();
    }
    const QString code = row.Fields(0).text();
    if (code.trimmed().isEmpty()) {
        what = Repricing::NoProductCode;
        return Result::success();
    }
    if (row.Fields(1).text().isEmpty() && row.Fields(2).isNull()) {
        what = Repricing::NoPriceOrDebit;
        return Result::success();
    }
    std::optional<PriceSource> product;
    if (QString error; !findPriceSource(db, code, &product, &error))
        return refused(kRepriceFailed, error);
    if (!product) {
        what = Repricing::NoProduct;
        return Result::success();
    }
    if (!product->price) {
        what = Repricing::NoPrice;
        return Result::success();
    }

    // The price is rounded to two decimals before the amount is made of it.
    const QString priceText = pv::formatMoney(*product->price);
    const double price = roundedMoney(*product->price);
    const std::optional<double> quantity = pv::toNumber(row.Fields(3).text());
    const bool ok =
        quantity ? db.exec(QStringLiteral("update veresiye set BirimFiyat = ?, Eklenen = ? where id = ?"),
                           {priceText, roundedMoney(price * *quantity), entryId})
                 : db.exec(QStringLiteral("update veresiye set BirimFiyat = ? where id = ?"),
                           {priceText, entryId});
    if (!ok)
        return refused(kRepriceFailed, db.lastError().message);
    if (!t.commit())
        return refused(kRepriceFailed, t.lastError().message);
    what = Repricing::Repriced;
    return Result::success();
}

} // namespace pv::ledger
