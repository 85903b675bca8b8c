#include "app/ledger/CashBook.h"

#include "app/ledger/Customers.h"
#include "app/ledger/LedgerWrite.h"
#include "app/ledger/Postings.h"
#include "app/ledger/ReceiptNumbers.h"
#include "app/ledger/Rows.h"
#include "platform/data/Database.h"
#include "platform/data/Recordset.h"
#include "platform/text/Formats.h"

#include <QStringList>

namespace pv::ledger
{

namespace
{

Result refused(const QString &head, const QString &why)
{
    return Result::failure(head + QLatin1Char('\n') + why);
}

Result add(pv::Database &db, const CashRow &row, const QString *receipt, qint64 *id)
{
    LedgerTransaction t(db);
    if (!t.isActive())
        return refused(kCashSaveFailed, t.lastError().message);
    qint64 newId = 0;
    if (QString error; !writeCashRow(t, db, row, &error, &newId))
        return refused(kCashSaveFailed, error);
    // The counter's own handle keeps the engine's reason; ours names the step.
    if (receipt && !takeReceiptNumber(t, db, *receipt))
        return refused(kCashSaveFailed, QStringLiteral("Fiş numarası sayaca yazılamadı."));
    if (!t.commit())
        return refused(kCashSaveFailed, t.lastError().message);
    if (id)
        *id = newId;
    return Result::success();
}

} // namespace

bool writeCashRow(LedgerTransaction &tx, pv::Database &db, const CashRow &row, QString *error, qint64 *id)
{
    if (const QString bad = rowRefusal(row.date, row.time, {row.amount}, QStringLiteral("Miktar"));
        !bad.isEmpty()) {
        *error = bad;
        return false;
    }
    const bool in = row.direction == CashDirection::In;
    return addRow(tx, db, QStringLiteral("kasa"),
                  {{QStringLiteral("mus_kodu"), row.customerCode},
                   {QStringLiteral("Tarih"), pv::dateText(row.date)},
                   {QStringLiteral("Saat"), pv::timeText(row.time)},
                   {QStringLiteral("Tur"), in ? kMoneyIn : kMoneyOut},
                   {QStringLiteral("Aciklama"), row.description},
                   {in ? QStringLiteral("Giren") : QStringLiteral("Cikan"), row.amount},
                   {QStringLiteral("Tarih2"), pv::dateKey(row.date)},
                   {QStringLiteral("islemNo"), row.receiptNumber},
                   {QStringLiteral("islemNo2"), row.postingId},
                   {QStringLiteral("OdemeSekli"), row.paymentKind}},
                  error, id);
}

Result addCashRow(pv::Database &db, const CashRow &row, qint64 *id)
{
    return add(db, row, nullptr, id);
}

Result addCashEntry(pv::Database &db, const CashEntry &entry, qint64 *id)
{
    CashRow row;
    row.direction = entry.direction;
    row.date = entry.date;
    row.time = entry.time;
    row.description = entry.description;
    row.amount = entry.amount;
    row.receiptNumber = entry.receiptNumber;
    return add(db, row, &entry.receiptNumber, id);
}

Result deleteCashRow(pv::Database &db, qint64 id)
{
    LedgerTransaction t(db);
    if (!t.isActive())
        return refused(kCashDeleteFailed, t.lastError().message);
    // The posting id as stored now, read inside the transaction that deletes by it.
    const QVariant exists = db.scalar(QStringLiteral("SELECT count(*) FROM kasa WHERE id = ?"), {id});
    if (!exists.isValid())
        return refused(kCashDeleteFailed, db.lastError().message);
    if (exists.toLongLong() == 0)
        return refused(kCashDeleteFailed, QStringLiteral("Kayıt artık kasada yok."));
    // An unread posting id would delete the cash row and leave its account rows behind.
    const auto posting = db.tryScalar(QStringLiteral("SELECT islemNo2 FROM kasa WHERE id = ?"), {id});
    if (!posting)
        return refused(kCashDeleteFailed, db.lastError().message);
    // The accounts that lose rows, whose stored balances then follow their rows.
    QStringList accounts;
    if (!posting->toString().trimmed().isEmpty()) {
        pv::Recordset linked(db,
                             QStringLiteral("SELECT DISTINCT mus_kodu FROM veresiye WHERE islemNo2 = ? "
                                            "AND mus_kodu IS NOT NULL"),
                             {posting->toString()});
        if (linked.lastError())
            return refused(kCashDeleteFailed, linked.lastError().message);
        for (int row = 0; row < linked.RecordCount(); ++row)
            accounts << linked.textAt(row, 0);
    }
    if (deleteByPostingId(t, db, QStringLiteral("veresiye"), posting->toString()) < 0)
        return refused(kCashDeleteFailed, db.lastError().message);
    if (!db.exec(QStringLiteral("DELETE FROM kasa WHERE id = ?"), {id}))
        return refused(kCashDeleteFailed, db.lastError().message);
    for (const QString &account : accounts)
        if (QString error; !storeAccountSummary(t, db, account, {}, &error))
            return refused(kCashDeleteFailed, error);
    if (!t.commit())
        return refused(kCashDeleteFailed, t.lastError().message);
    return Result::success();
}

CashBalance cashBalance(pv::Database &db)
{
    CashBalance b;
    b.in = readSum(db, QStringLiteral("SELECT sum(Giren) FROM kasa WHERE Tur = 'Giren'"), {}, b.error);
    b.out = readSum(db, QStringLiteral("SELECT sum(Cikan) FROM kasa WHERE Tur = 'Çıkan'"), {}, b.error);
    return b;
}

CashTotals cashTotals(pv::Database &db, const QString &firstKey, const QString &lastKey)
{
    const QVariantList range{firstKey, lastKey};
    CashTotals t;
    t.in = readSum(
        db, QStringLiteral("SELECT sum(Giren) FROM kasa WHERE Tur = 'Giren' AND Tarih2 BETWEEN ? AND ?"),
        range, t.error);
    t.out = readSum(
        db, QStringLiteral("SELECT sum(Cikan) FROM kasa WHERE Tur = 'Çıkan' AND Tarih2 BETWEEN ? AND ?"),
        range, t.error);
    t.cash =
        readSum(db,
                QStringLiteral("SELECT sum(Giren) FROM kasa WHERE Tur = 'Giren' AND OdemeSekli = 'Nakit' "
                               "AND Tarih2 BETWEEN ? AND ?"),
                range, t.error);
    t.card = readSum(db,
                     QStringLiteral("SELECT sum(Giren) FROM kasa WHERE Tur = 'Giren' AND OdemeSekli = 'POS' "
                                    "AND Tarih2 BETWEEN ? AND ?"),
                     range, t.error);
    return t;
}

} // namespace pv::ledger
