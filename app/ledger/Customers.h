#pragma once
// A customer's account as a whole: its row of musteriler (the card, the note, the day
// counts, the summary its ledger leaves), its totals, the two counters the customer windows
// hand out, and deleting a customer with its ledger.
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

class LedgerTransaction;

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
// rows as they stand now (shownBalance), and the fields given, inside the transaction of
// the operation that changed the rows, so that rows and summary change together; an
// account without a customer row has nothing to store. False with the reason otherwise.
bool storeAccountSummary(LedgerTransaction &tx, pv::Database &db, const QString &customerCode,
                         const AccountSummary &fields, QString *error);
// The account window's closing write: the same summary in a transaction of its own.
Result closeAccount(pv::Database &db, const QString &customerCode, const AccountSummary &fields);

// ---------------------------------------------------------------- the customer row

// A new account as the customer card gives it. Empty texts are stored as NULL; the
// balance starts at 0, Sonislem is the day of creation and Sonislem2 its key.
struct NewCustomer {
    QString code;      // mus_kodu
    QString name;      // MusteriFirma
    QString contact;   // ilgili
    QString phone;     // Telefon1
    QString fax;       // Telefon2
    QString mobile;    // Gsm
    QString address;   // Adres
    QString taxOffice; // vd
    QString taxNumber; // vdn
    QString mail;      // mail
    QString type;      // Turu
    QString group;     // MusGrup
    QString currency;  // ParaTuru
    QString photo;     // foto
    QDate createdOn;
};
// The answer to a code another customer already has; the card tells it in its own words.
inline const QString kCustomerCodeTaken = QStringLiteral("Bu müşteri numarası kayıtlarda mevcut.");
// The number of the customer counter a code stands for: a code of digits alone; nothing
// for any other code, which the counter does not follow.
std::optional<qint64> customerNumberOf(const QString &code);
// Adds the customer's row and records its number (takeCustomerNumber) in one transaction:
// both or neither.
Result addCustomer(pv::Database &db, const NewCustomer &customer);

// A change to the card fields of a customer row: only the fields set are written, each
// given as its box shows it and stored by its column's type, so a field not touched
// keeps exactly what is stored.
struct CustomerCardEdit {
    std::optional<QString> name;      // MusteriFirma
    std::optional<QString> phone;     // Telefon1
    std::optional<QString> address;   // Adres
    std::optional<QString> contact;   // ilgili
    std::optional<QString> mail;      // mail
    std::optional<QString> fax;       // Telefon2
    std::optional<QString> mobile;    // Gsm
    std::optional<QString> taxOffice; // vd
    std::optional<QString> taxNumber; // vdn
    std::optional<QString> type;      // Turu
    std::optional<QString> currency;  // ParaTuru
};
// Writes the edit into the customer row of that id; a row that is gone is a failure.
Result updateCustomerCard(pv::Database &db, qint64 customerId, const CustomerCardEdit &edit);
// Writes the note (Not; an empty one is NULL) into the customer row of that id.
Result updateCustomerNote(pv::Database &db, qint64 customerId, const QString &note);

// Days since a customer's last entry (Gun), as the main list counts them.
struct DayCount {
    qint64 customerId = 0;
    int days = 0;
};
// Stores the counts in one transaction. A row that refuses its count keeps what it had and
// the others are still stored: (*stored)[i] tells whether counts[i] was. When the
// transaction cannot begin or commit, nothing is stored and the reason is given.
Result storeDayCounts(pv::Database &db, const QList<DayCount> &counts, QList<bool> *stored);

// The last customer number handed out (son_musterino.musterino), read fresh; nullopt when
// it could not be read (the reason in error).
std::optional<qint64> customerNumber(pv::Database &db, QString *error = nullptr);
// Records the number a customer was saved with, inside the card's transaction. The
// counter only moves up: a typed number at or below it (a gap filled by hand) leaves it
// alone, so the next proposal is never a number already handed out.
bool takeCustomerNumber(LedgerTransaction &tx, pv::Database &db, qint64 number, QString *error = nullptr);

// The number the next customer receipt prints with (yedek_yeri.yolu), read fresh; nothing
// when it could not be read (the reason in *error): a receipt is never printed with a
// made-up number, nor the counter moved on from one.
std::optional<qint64> customerReceiptNumber(pv::Database &db, QString *error = nullptr);
// Sets the number of the next customer receipt; inside the transaction of the receipt's posting.
bool setCustomerReceiptNumber(pv::Database &db, qint64 next, QString *error = nullptr);

// The customer's ledger rows and its card (musteriler row `customerId`); its cash rows stay.
Result deleteCustomer(pv::Database &db, qint64 customerId, const QString &customerCode);

} // namespace pv::ledger
