#include "app/ledger/Bank.h"

#include "app/ledger/CashBook.h"
#include "app/ledger/Customers.h"
#include "app/ledger/LedgerWrite.h"
#include "app/ledger/Postings.h"
#include "app/ledger/ReceiptNumbers.h"
#include "app/ledger/Rows.h"
#include "platform/data/Database.h"
#include "platform/text/Formats.h"
#include "platform/text/InputChecks.h"
#include "platform/text/TurkishText.h"

#include <array>

namespace pv::ledger
{

namespace
{

using enum BankKind;
using enum BankMirror;

const std::array<BankKindInfo, 8> kKinds{{
    {GenelGelir, QStringLiteral("Genel Gelir [Gelir]"), QStringLiteral("Genel Gelir"), true, None},
    {GenelGider, QStringLiteral("Genel Gider [Gider]"), QStringLiteral("Genel Gider"), false, None},
    {ParaYatirma, QStringLiteral("Para Yatırma"), QStringLiteral("Bankaya Yatırılan"), true, Cash},
    {ParaCekme, QStringLiteral("Para Çekme"), QStringLiteral("Bankadan Çekilen"), false, Cash},
    {GelenHavale, QStringLiteral("Gelen Havale / Eft"), QStringLiteral("Gelen Havale / Eft"), true, Customer},
    {GonderilenHavale, QStringLiteral("Gönderilen Havale / Eft"), QStringLiteral("Gönderilen Havale / Eft"),
     false, Customer},
    {KartTahsilat, QStringLiteral("Kredi Kartı İle Tahsilat"), QStringLiteral("Kredi Kartı İle Tahsilat"),
     true, Customer},
    {KartOdeme, QStringLiteral("Kredi Kartı İle Ödeme"), QStringLiteral("Kredi Kartı İle Ödeme"), false,
     Customer},
}};

// Text fields take NULL for an empty text, as every box the program stores does.
QVariant text(const QString &s)
{
    return s.isEmpty() ? QVariant() : QVariant(s);
}

Result failed(const QString &what, const pv::DbError &e)
{
    return Result::failure(e.message.isEmpty() ? what
                                               : what + QStringLiteral(" (") + e.message + QLatin1Char(')'));
}

// A count read fresh: whether it found any row; nothing when it could not be read.
std::optional<bool> anyRow(pv::Database &db, const QString &sql, const QVariantList &params)
{
    const auto n = db.tryScalar(sql, params);
    if (!n)
        return std::nullopt;
    return n->toLongLong() > 0;
}

const QString kBankAccountsUnread = QStringLiteral("Banka hesapları okunamadı");
const QString kBankMovementsUnread = QStringLiteral("Banka hareketleri okunamadı");

Result checkNumber(pv::Database &db, const BankAccount &a, qint64 exceptId)
{
    if (a.hesapNo.trimmed().isEmpty())
        return Result::failure(kBankNoNumber);
    const auto taken = bankNumberTaken(db, a.hesapNo, exceptId);
    if (!taken)
        return failed(kBankAccountsUnread, db.lastError());
    if (*taken)
        return Result::failure(kBankNumberTaken);
    return Result::success();
}

} // namespace

const BankKindInfo &bankKind(BankKind kind)
{
    return kKinds.at(std::size_t(kind));
}

std::optional<BankKind> bankKindFromCaption(const QString &menuCaption)
{
    for (const BankKindInfo &k : kKinds)
        if (k.menuCaption == menuCaption)
            return k.kind;
    return std::nullopt;
}

Result postBankMovement(pv::Database &db, const BankMovement &m)
{
    const BankKindInfo &kind = bankKind(m.kind);
    if (!m.date.isValid())
        return Result::failure(pv::kBadDateMessage);
    if (!m.time.isValid())
        return Result::failure(pv::kBadTimeMessage);
    if (kind.needsCustomer() && m.customer.isEmpty())
        return Result::failure(QStringLiteral("Cari hesap seçilmedi."));
    if (kind.needsCustomer() && !m.postedOn.isValid())
        return Result::failure(pv::kBadDateMessage);

    LedgerTransaction t(db);
    if (!t.isActive())
        return failed(QStringLiteral("Veri tabanı yazmaya açılamadı"), t.lastError());
    if (!takeReceiptNumber(t, db, m.receiptNo))
        return failed(QStringLiteral("İşlem numarası yazılamadı"), db.lastError());

    const QString time = pv::timeText(m.time);
    const QString key = pv::dateKey(m.date);
    const QVariant amount(m.amount);
    if (!db.exec(QStringLiteral("INSERT INTO banka2 (Banka_Kodu, Tarih, Saat, Turu, Aciklama, Giren, Cikan, "
                                "islemNo, Tarih2, mus_kodu) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {text(m.account), m.date.toString(Qt::ISODate), time, kind.stored, text(m.description),
                  kind.moneyIn ? amount : QVariant(), kind.moneyIn ? QVariant() : amount, text(m.receiptNo),
                  key, kind.needsCustomer() ? text(m.customer) : QVariant()}))
        return failed(QStringLiteral("Banka hareketi yazılamadı"), db.lastError());

    switch (kind.mirror) {
    case None:
        break;
    case Cash: {
        // The till moves the other way: a deposit takes money out of it. The row names no
        // customer, whatever an earlier movement of the window picked.
        CashRow cash;
        cash.direction = kind.moneyIn ? CashDirection::Out : CashDirection::In;
        cash.date = m.date;
        cash.time = m.time;
        cash.description = kind.stored + QStringLiteral(" / ") + m.description;
        cash.amount = m.amount;
        cash.receiptNumber = m.receiptNo;
        cash.customerCode = QStringLiteral("0");
        cash.postingId = kind.stored;
        cash.paymentKind = QStringLiteral("Banka");
        if (QString error; !writeCashRow(t, db, cash, &error))
            return Result::failure(QStringLiteral("Kasa kaydı yazılamadı (") + error + QLatin1Char(')'));
        break;
    }
    case Customer: {
        // Money that reached the bank from the customer is a payment on the account;
        // money sent to them is a debit.
        LedgerRow row;
        row.customerCode = m.customer;
        row.date = m.date;
        row.time = m.time;
        row.kind = QStringLiteral("Bankaya Yatan");
        row.description = QStringLiteral("Fiş No: [") + m.receiptNo + QStringLiteral("] / ") + m.description;
        (kind.moneyIn ? row.paid : row.debit) = m.amount;
        row.postingId = kind.stored;
        if (QString error; !writeLedgerRow(t, db, row, &error))
            return Result::failure(QStringLiteral("Cari hesap kaydı yazılamadı (") + error +
                                   QLatin1Char(')'));
        if (QString error; !storeAccountSummary(t, db, m.customer, postedOn(m.postedOn), &error))
            return Result::failure(QStringLiteral("Cari hesap bakiyesi yazılamadı (") + error +
                                   QLatin1Char(')'));
        break;
    }
    }
    if (!t.commit())
        return failed(QStringLiteral("Kayıt tamamlanamadı"), t.lastError());
    return Result::success();
}

Result deleteBankMovement(pv::Database &db, qint64 id)
{
    LedgerTransaction t(db);
    if (!t.isActive())
        return failed(QStringLiteral("Veri tabanı yazmaya açılamadı"), t.lastError());
    if (!db.exec(QStringLiteral("DELETE FROM banka2 WHERE id = ?"), {id}))
        return failed(QStringLiteral("Banka hareketi silinemedi"), db.lastError());
    if (!t.commit())
        return failed(QStringLiteral("Silme tamamlanamadı"), t.lastError());
    return Result::success();
}

double BankTotals::balance() const
{
    return roundedMoney(in - out);
}

BankTotals bankTotals(pv::Database &db, const QString &account)
{
    BankTotals t;
    t.in = roundedMoney(readSum(db, QStringLiteral("SELECT sum(Giren) FROM banka2 WHERE Banka_Kodu = ?"),
                                {account}, t.error));
    t.out = roundedMoney(readSum(db, QStringLiteral("SELECT sum(Cikan) FROM banka2 WHERE Banka_Kodu = ?"),
                                 {account}, t.error));
    return t;
}

Result storeBankTotals(pv::Database &db, const QString &account, const BankTotals &totals)
{
    if (!totals.ok())
        return Result::failure(QStringLiteral("Banka toplamları okunamadı: ") + totals.error);
    LedgerTransaction t(db);
    if (!t.isActive())
        return failed(QStringLiteral("Veri tabanı yazmaya açılamadı"), t.lastError());
    if (!db.exec(QStringLiteral("UPDATE banka SET Giren = ?, Cikan = ?, Bakiye = ? WHERE id = "
                                "(SELECT min(id) FROM banka WHERE HesapNo = ?)"),
                 {totals.in, totals.out, totals.balance(), account}))
        return failed(QStringLiteral("Banka toplamları yazılamadı"), db.lastError());
    if (!t.commit())
        return failed(QStringLiteral("Kayıt tamamlanamadı"), t.lastError());
    return Result::success();
}

std::optional<bool> bankNumberTaken(pv::Database &db, const QString &hesapNo, qint64 exceptId)
{
    return anyRow(db, QStringLiteral("SELECT count(*) FROM banka WHERE HesapNo = ? AND id <> ?"),
                  {hesapNo, exceptId});
}

std::optional<bool> bankHasMovements(pv::Database &db, const QString &hesapNo)
{
    return anyRow(db, QStringLiteral("SELECT count(*) FROM banka2 WHERE Banka_Kodu = ?"), {hesapNo});
}

Result addBankAccount(pv::Database &db, const BankAccount &a)
{
    LedgerTransaction t(db);
    if (!t.isActive())
        return failed(QStringLiteral("Veri tabanı yazmaya açılamadı"), t.lastError());
    if (Result r = checkNumber(db, a, 0); !r)
        return r;
    if (!db.exec(QStringLiteral(
                     "INSERT INTO banka (Banka, Sube, SubeKod, HesapNo, Giren, Cikan, Bakiye, HesapTuru) "
                     "VALUES (?, ?, ?, ?, 0, 0, 0, ?)"),
                 {text(a.banka), text(a.sube), text(a.subeKod), a.hesapNo, text(a.hesapTuru)}))
        return failed(QStringLiteral("Banka hesabı yazılamadı"), db.lastError());
    if (!t.commit())
        return failed(QStringLiteral("Kayıt tamamlanamadı"), t.lastError());
    return Result::success();
}

Result updateBankAccount(pv::Database &db, qint64 id, const BankAccount &a)
{
    LedgerTransaction t(db);
    if (!t.isActive())
        return failed(QStringLiteral("Veri tabanı yazmaya açılamadı"), t.lastError());
    const QVariant old = db.scalar(QStringLiteral("SELECT HesapNo FROM banka WHERE id = ?"), {id});
    if (db.scalar(QStringLiteral("SELECT count(*) FROM banka WHERE id = ?"), {id}).toLongLong() == 0)
        return Result::failure(QStringLiteral("Banka hesabı bulunamadı."));
    if (Result r = checkNumber(db, a, id); !r)
        return r;
    // Movements find their account by its number: renaming it would orphan them.
    const QString oldNumber = old.toString();
    if (!pv::trEqualsIgnoreCase(oldNumber, a.hesapNo)) {
        const auto moved = bankHasMovements(db, oldNumber);
        if (!moved)
            return failed(kBankMovementsUnread, db.lastError());
        if (*moved)
            return Result::failure(kBankNumberInUse);
    }
    if (!db.exec(
            QStringLiteral("UPDATE banka SET Banka = ?, Sube = ?, SubeKod = ?, HesapNo = ?, HesapTuru = ? "
                           "WHERE id = ?"),
            {text(a.banka), text(a.sube), text(a.subeKod), a.hesapNo, text(a.hesapTuru), id}))
        return failed(QStringLiteral("Banka hesabı yazılamadı"), db.lastError());
    if (!t.commit())
        return failed(QStringLiteral("Kayıt tamamlanamadı"), t.lastError());
    return Result::success();
}

Result deleteBankAccount(pv::Database &db, qint64 id)
{
    LedgerTransaction t(db);
    if (!t.isActive())
        return failed(QStringLiteral("Veri tabanı yazmaya açılamadı"), t.lastError());
    const QVariant number = db.scalar(QStringLiteral("SELECT HesapNo FROM banka WHERE id = ?"), {id});
    if (db.scalar(QStringLiteral("SELECT count(*) FROM banka WHERE id = ?"), {id}).toLongLong() == 0)
        return Result::failure(kBankHasMovements);
    const auto moved = bankHasMovements(db, number.toString());
    if (!moved)
        return failed(kBankMovementsUnread, db.lastError());
    if (*moved)
        return Result::failure(kBankHasMovements);
    if (!db.exec(QStringLiteral("DELETE FROM banka WHERE id = ?"), {id}))
        return failed(QStringLiteral("Banka hesabı silinemedi"), db.lastError());
    if (!t.commit())
        return failed(QStringLiteral("Silme tamamlanamadı"), t.lastError());
    return Result::success();
}

} // namespace pv::ledger
