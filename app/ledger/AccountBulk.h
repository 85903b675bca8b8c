#pragma once
// The account window's work on a whole day or a whole account at once (table veresiye):
// the debits of one day that a sales contract is made for, emptying the account's ledger,
// and re-pricing its rows from the stock card's first sale price.
//
//   double amount = 0;
//   if (const Result r = pv::ledger::dayDebitTotal(db, code, day, &amount); !r) ...
//   pv::ledger::resetAccount(db, code, idsShown);       // all of them or none
//   pv::ledger::repriceEntry(db, id, &outcome);         // one row, written whole
//
// Account and product codes are matched by equality (the columns ignore case the Turkish
// way), never as patterns: a code holding a wildcard reaches no other account or product.
#include "app/ledger/Result.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace pv
{
class Database;
}

namespace pv::ledger
{

// ---------------------------------------------------------------- the day's debits

// The sum of Eklenen over the account's rows dated on day (every kind of debit row;
// credits are not subtracted); 0 for a day without debits.
Result dayDebitTotal(pv::Database &db, const QString &customerCode, const QDate &day, double *total);

inline const QString kContractAmountFailed = QStringLiteral("Sözleşme tutarı okunamadı.");

// ---------------------------------------------------------------- reset

// Deletes the account's rows of these ids (the rows the ledger shows) in one transaction:
// every one or none. Ids of another account's rows are passed over; cash rows, stock and
// the customer row are not touched.
Result resetAccount(pv::Database &db, const QString &customerCode, const QList<qint64> &entryIds);

inline const QString kResetFailed =
    QStringLiteral("Müşteri hesabı sıfırlanamadı; hiçbir kayıt değiştirilmedi.");

// ---------------------------------------------------------------- prices from stock

// The product whose [Product Code] equals code, the lowest id winning among equal codes;
// price is its first sale price (SatisFiyati), none when the field is empty.
struct PriceSource {
    qint64 id = 0;
    std::optional<double> price;
};
std::optional<PriceSource> priceSource(pv::Database &db, const QString &productCode);

enum class Repricing {
    Repriced,       // unit price and, with a quantity, the amount written
    NoProductCode,  // left as it is
    NoPriceOrDebit, // neither a unit price nor a debit: left as it is
    NoProduct,      // the code names no product: left as it is
    NoPrice,        // the product has no first sale price: left as it is
    Missing,        // the row is no longer there
};

// One ledger row re-priced: BirimFiyat := the product's first sale price as "#,##0.00"
// text (rounded to two decimals first), Eklenen := that price times Miktar, rounded to two
// decimals. A quantity that is empty or no number keeps the amount; UygFiyat and every
// other field stay. Both fields are written by one statement in a transaction of its own.
Result repriceEntry(pv::Database &db, qint64 entryId, Repricing *outcome = nullptr);

inline const QString kRepriceFailed = QStringLiteral("Fiyatlar güncellenemedi.");

} // namespace pv::ledger
