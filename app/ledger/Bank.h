#pragma once
// The bank accounts (table banka) and their movements (table banka2), with the mirror row
// a movement leaves in the cash book (kasa) or in a customer's ledger (veresiye).
#include "app/ledger/Result.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <optional>

namespace pv
{
class Database;
}

namespace pv::ledger
{

// ---------------------------------------------------------------- movements

enum class BankKind {
    GenelGelir,
    GenelGider,
    ParaYatirma,
    ParaCekme,
    GelenHavale,
    GonderilenHavale,
    KartTahsilat,
    KartOdeme,
};

enum class BankMirror { None, Cash, Customer };

struct BankKindInfo {
    BankKind kind;
    QString menuCaption; // the item of the window's add menu
    QString stored;      // banka2.Turu and the mirror's kind text
    bool moneyIn;        // the amount goes into banka2.Giren (else Cikan)
    BankMirror mirror;
    bool needsCustomer() const { return mirror == BankMirror::Customer; }
};

const BankKindInfo &bankKind(BankKind kind);
// The kind a menu caption ("Para Yatırma", "Genel Gelir [Gelir]") stands for.
std::optional<BankKind> bankKindFromCaption(const QString &menuCaption);

struct BankMovement {
    QString account; // banka.HesapNo the movement belongs to
    BankKind kind = BankKind::GenelGelir;
    QDate date;
    QTime time;        // the time the entry was opened
    QString receiptNo; // as typed; a whole number also becomes the shared counter
    QString description;
    double amount = 0; // negative amounts stay on the kind's own side, mirror included
    QString customer;  // musteriler.mus_kodu, for the four customer kinds
    QDate postedOn;    // today, by the program's clock: the customer's last entry day
};

// One transaction: the receipt counter, the banka2 row and the mirror row (kasa for
// deposits and withdrawals, veresiye for transfers and card movements, none for general
// income and expense). A customer's row comes with the customer's summary, as an entry of
// the account window leaves it: the balance of the rows, last entry postedOn, 0 days.
// Nothing is written when any of them fails.
Result postBankMovement(pv::Database &db, const BankMovement &m);

// Deletes one movement; its mirror row stays, as the cash book and the ledger own it.
Result deleteBankMovement(pv::Database &db, qint64 id);

// ---------------------------------------------------------------- totals

struct BankTotals {
    double in = 0;  // sum of Giren, rounded to two decimals
    double out = 0; // sum of Cikan, rounded to two decimals
    // Why the sums could not be read; then in and out are no figures (neither shown nor
    // stored). An account without movements has 0 and no error.
    QString error = {};
    bool ok() const { return error.isEmpty(); }
    double balance() const;
};

// The totals over every movement of the account, whatever a list shows.
BankTotals bankTotals(pv::Database &db, const QString &account);
// Writes the cached totals into the account row (the lowest id when a number repeats).
// Totals that were not read are refused and the row keeps what it has.
Result storeBankTotals(pv::Database &db, const QString &account, const BankTotals &t);

// ---------------------------------------------------------------- accounts

struct BankAccount {
    QString banka, sube, subeKod, hesapNo, hesapTuru;
};

inline const QString kBankNoNumber = QStringLiteral("Hesap No Yazın");
inline const QString kBankNumberTaken = QStringLiteral("Bu kayıt Mevcut");
inline const QString kBankNumberInUse =
    QStringLiteral("Seçili Banka Hareket Görmüş, Hesap No DEĞİŞTİRİLEMEZ.");
inline const QString kBankHasMovements = QStringLiteral("Seçili Banka Hareket Görmüş SİLİNEMEZ.");

// Whether an account other than exceptId already carries the number (compared as the
// movements link to it: Turkish case folded). Nothing when it could not be read (the reason
// in db.lastError()).
std::optional<bool> bankNumberTaken(pv::Database &db, const QString &hesapNo, qint64 exceptId = 0);
// Whether any movement carries the number; nothing when it could not be read.
std::optional<bool> bankHasMovements(pv::Database &db, const QString &hesapNo);

// Adds an account with zero totals. Refuses an empty or taken number.
Result addBankAccount(pv::Database &db, const BankAccount &a);
// Rewrites the account's own fields, never the totals. Refuses an empty or taken number,
// and a new number for an account whose movements carry the old one.
Result updateBankAccount(pv::Database &db, qint64 id, const BankAccount &a);
// Deletes an account that no movement refers to.
Result deleteBankAccount(pv::Database &db, qint64 id);

} // namespace pv::ledger
