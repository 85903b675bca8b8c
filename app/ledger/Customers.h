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
    // The balance as the account window shows and stores it: debt and paid each to the
    // kuruş, then their difference to the kuruş.
    double shownBalance() const;
};
// Every entry of the account.
Totals customerTotals(pv::Database &db, const QString &customerCode);
// The entries dated from `from` to `to`, both days included.
Totals rangeTotals(pv::Database &db, const QString &customerCode, const QDate &from, const QDate &to);
// Nothing when the entries could not be read (never a balance of 0 for them).
std::optional<double> balance(pv::Database &db, const QString &customerCode);

// ---------------------------------------------------------------- the account's summary

// The fields of the customer row that a write of the summary sets beside the balance; a
// field not given keeps what the row holds. Each is stored as the account window stores it.
struct AccountSummary {
    std::optional<QDate> lastEntry; // Sonislem: the day of the last entry
    std::optional<int> days;        // Gun: days since the last entry
    std::optional<QDate> visited;   // Sonislem2: the day the account was last used, as its key
};
// What an entry posted on `day` leaves: the last entry and the use on that day, 0 days.
AccountSummary postedOn(const QDate &day);

// Stores the account's summary in its customer row (musteriler): Bakiye from the account's
// rows as they stand now (shownBalance), and the fields given. Meant for the transaction
// of the operation that changed the rows, so that rows and summary change together; an
// account without a customer row has nothing to store. False with the reason otherwise.
bool storeAccountSummary(pv::Database &db, const QString &customerCode, const AccountSummary &fields,
                         QString *error);

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
