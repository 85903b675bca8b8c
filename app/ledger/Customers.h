#pragma once
// A customer's account as a whole: its totals, the two counters the customer windows hand
// out, and deleting a customer with its ledger.
#include "app/ledger/Result.h"

#include <QDate>
#include <QString>

#include <QtGlobal>
#include <optional>

namespace pv
{
class Database;
}

namespace pv::ledger
{

struct Totals {
    double debt = 0; // sum of Eklenen
    double paid = 0; // sum of Odenen
    // Why the sums could not be read; then debt and paid are no figures at all and must
    // be neither shown nor written anywhere (an account with no entries has 0 and no error).
    QString error = {};
    bool ok() const { return error.isEmpty(); }
    double balance() const { return debt - paid; }
};
// Every entry of the account.
Totals customerTotals(pv::Database &db, const QString &customerCode);
// The entries dated from `from` to `to`, both days included.
Totals rangeTotals(pv::Database &db, const QString &customerCode, const QDate &from, const QDate &to);
// Nothing when the entries could not be read (never a balance of 0 for them).
std::optional<double> balance(pv::Database &db, const QString &customerCode);

// The last customer number handed out (son_musterino.musterino), read fresh; nullopt when
// it could not be read (the reason in error).
std::optional<qint64> customerNumber(pv::Database &db, QString *error = nullptr);
// Records the number a customer was saved with; call it inside the card's transaction.
// The counter only moves up: a typed number at or below it (a gap filled by hand) leaves
// it alone, so the next proposal is never a number already handed out.
bool takeCustomerNumber(pv::Database &db, qint64 number, QString *error = nullptr);

// The number the next customer receipt prints with (yedek_yeri.yolu), read fresh; nothing
// when it could not be read (the reason in *error): a receipt is never printed with a
// made-up number, nor the counter moved on from one.
std::optional<qint64> customerReceiptNumber(pv::Database &db, QString *error = nullptr);
// Sets the number of the next customer receipt; inside the transaction of the receipt's posting.
bool setCustomerReceiptNumber(pv::Database &db, qint64 next, QString *error = nullptr);

// The customer's ledger rows and its card (musteriler row `customerId`); its cash rows stay.
Result deleteCustomer(pv::Database &db, qint64 customerId, const QString &customerCode);

} // namespace pv::ledger
