#pragma once
// The cash book's writes (table kasa): a row of any writer, the cash book's own entry with
// its receipt number, and deleting a row together with the account rows of its posting.
//
//   pv::ledger::CashEntry e{pv::ledger::CashDirection::In, date, time, "Kira", 1500.0, "57"};
//   const pv::ledger::Result r = pv::ledger::addCashEntry(db, e);
//   if (!r) pv::MsgBox(r.reason, ...);
//
// Each operation owns its transaction; called inside a caller's transaction (a bank
// movement that adds its own row too) it joins it, and the caller's commit decides.
#include "app/ledger/Result.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <QtGlobal>
#include <optional>

namespace pv
{
class Database;
}

namespace pv::ledger
{

class LedgerTransaction;

enum class CashDirection { In, Out }; // Tur "Giren" / "Çıkan"

// One kasa row as any writer fills it. Empty texts are stored as NULL; the amount goes into
// Giren for money in and Cikan for money out, the other column stays NULL. Tarih is written
// "dd.mm.yyyy", Saat "HH:mm:ss" and Tarih2 the date's key.
struct CashRow {
    CashDirection direction = CashDirection::In;
    QDate date;
    QTime time;
    QString description;   // Aciklama
    double amount = 0;     // zero and negative amounts are allowed
    QString receiptNumber; // islemNo, stored as typed
    QString customerCode;  // mus_kodu
    QString postingId;     // islemNo2: posting id, or a bank movement's kind text
    QString paymentKind;   // OdemeSekli: "Nakit", "POS", "Çek", "Banka"
};

// Writes the row inside the caller's transaction: the one writer of kasa rows (the cash
// book's entries, collections, supplier payments, the bank's deposits and withdrawals).
// A date or time that is none, or an amount past the amount check's limit, is refused
// before anything is written. False with the reason in *error; the id of the new row goes
// to *id when given.
bool writeCashRow(LedgerTransaction &tx, pv::Database &db, const CashRow &row, QString *error,
                  qint64 *id = nullptr);

// Adds the row in a transaction of its own (or the caller's, which it joins).
Result addCashRow(pv::Database &db, const CashRow &row, qint64 *id = nullptr);

// The cash book's own entry: date, time, description, amount and the receipt number as
// typed; no customer, posting id or payment kind.
struct CashEntry {
    CashDirection direction = CashDirection::In;
    QDate date;
    QTime time;
    QString description;
    double amount = 0;
    QString receiptNumber;
};

// Adds the entry's row and records its receipt number (takeReceiptNumber) in one
// transaction: both or neither.
Result addCashEntry(pv::Database &db, const CashEntry &entry, qint64 *id = nullptr);

// Deletes the kasa row of this id and, first, every veresiye row carrying the row's posting
// id (islemNo2 as stored now; none for a row without one), in one transaction, which also
// stores the balance of each account that lost rows (storeAccountSummary; its dates stay).
// A row that no longer exists is a failure with its own reason, and nothing is deleted.
Result deleteCashRow(pv::Database &db, qint64 id);

// The messages the window shows before the reason of a failure.
inline const QString kCashSaveFailed =
    QStringLiteral("Kasa hareketi kaydedilemedi; hiçbir kayıt değiştirilmedi.");
inline const QString kCashDeleteFailed =
    QStringLiteral("Seçili kasa hareketi silinemedi; hiçbir kayıt değiştirilmedi.");

// ---------------------------------------------------------------- reads

// The carried balance over all dates: money in of the "Giren" rows less money out of the
// "Çıkan" rows, in double precision. Sums over no rows are 0; sums that could not be read
// leave their reason in error and are no figures at all (neither shown nor stored).
struct CashBalance {
    double in = 0;
    double out = 0;
    QString error = {};
    bool ok() const { return error.isEmpty(); }
    double balance() const { return in - out; }
};
CashBalance cashBalance(pv::Database &db);

// The totals of a range of date keys (yyyymmdd, both ends included); sums as above.
struct CashTotals {
    double in = 0;
    double out = 0;
    double cash = 0; // money in paid "Nakit"
    double card = 0; // money in paid "POS"
    QString error = {};
    bool ok() const { return error.isEmpty(); }
    double remaining() const { return in - out; }
};
CashTotals cashTotals(pv::Database &db, const QString &firstKey, const QString &lastKey);

} // namespace pv::ledger
