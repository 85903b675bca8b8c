#pragma once
// The postings of a customer's account (table veresiye) and what goes with them: the
// sales log (SatisRapor), the stock (Product) and the cash book (kasa). Windows parse and
// check what was typed, fill one of the typed inputs below and call the operation; each
// operation owns its transaction (all rows or none) and answers ok or one Turkish reason.
#include "app/ledger/Result.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <functional>
#include <optional>

namespace pv
{
class Database;
}

namespace pv::ledger
{

class LedgerTransaction;

// ---------------------------------------------------------------- kind words (veresiye.Turu)

inline const QString kFreeSaleKind = QStringLiteral("Stoktan Bağımsız Satış");
inline const QString kStockSaleKind = QStringLiteral("Stoktan Satış");
inline const QString kCollectionKind = QStringLiteral("Tahsilat "); // followed by the payment kind
inline const QString kCreditNoteKind = QStringLiteral("Alacak Dekontu ");
inline const QString kPaymentKind = QStringLiteral("Ödeme "); // a supplier's: followed by the payment kind
// The account type whose collections and payments move money out of the till.
inline const QString kSupplierType = QStringLiteral("Satıcı");
// kasa.Tur
inline const QString kMoneyIn = QStringLiteral("Giren");
inline const QString kMoneyOut = QStringLiteral("Çıkan");

// ---------------------------------------------------------------- one ledger row

// One veresiye row as every writer fills it (sales, collections, credit notes, payments, a
// customer's bank movements). Empty texts and amounts not given are stored as NULL; Tarih
// is written "dd.mm.yyyy", Saat "HH:mm:ss" and Tarih2 the date's key.
struct LedgerRow {
    QString customerCode; // mus_kodu
    QDate date;
    QTime time;
    QString kind;                // Turu
    QString description;         // Aciklama
    std::optional<double> debit; // Eklenen
    std::optional<double> paid;  // Odenen
    QString quantity;            // Miktar, as the seller spelt it
    QString unit;                // Birim
    QString unitPrice;           // BirimFiyat, as the seller spelt it
    QString priceLevel;          // UygFiyat
    QString postingId;           // islemNo2
    QString productCode;         // ProductCode
};

// Writes the row inside the caller's transaction: the one writer of veresiye rows. A date
// or time that is none, or an amount past the amount check's limit, is refused before
// anything is written. False with the reason in *error.
bool writeLedgerRow(LedgerTransaction &tx, pv::Database &db, const LedgerRow &row, QString *error);

// ---------------------------------------------------------------- typed inputs

// A credit sale of one line. veresiye keeps quantity and unit price as text: the seller's
// own spelling from the boxes (empty: the plain number); the sales log keeps the numbers.
struct SaleEntry {
    QString customerCode;
    QDate date;
    QTime time;
    QString description;
    double quantity = 0;
    QString quantityText;
    QString unit;
    double unitPrice = 0;
    QString unitPriceText;
    double total = 0;   // the amount booked: quantity × price as the window rounds it
    QString priceLevel; // "Satış Fiyatı 1" ... (veresiye.UygFiyat)
    QDate savedOn;      // the day of the save: the sales log's date
};

// The product of a sale. From stock, only the code is needed: the names are read from
// Product. A free-text sale names the product picked from the list, if any, as it was shown.
struct StockSaleLine {
    QString productCode;
    QString genericName; // [Generic Name]
    QString brandName;   // [Brand Name]
};

// Money received on an account (or, from a supplier's account, paid out), with its cash row.
struct CollectionEntry {
    QString customerCode;
    QString accountType; // kSupplierType turns the cash row into money out
    QDate date;
    QTime time;
    QString description;
    QString paymentKind; // "Nakit", "POS", "Çek", "Banka"
    double amount = 0;
    QString caption;      // the panel's caption, named in the cash row's description
    QDateTime openedAt;   // the moment the posting id is made of
    QDateTime savedAt;    // the cash row's date and time
    bool receipt = false; // a receipt is printed with it
};

// A credit note: the account is credited, nothing else moves.
struct CreditNoteEntry {
    QString customerCode;
    QDate date;
    QTime time;
    QString description;
    double amount = 0;
    QDateTime openedAt;
};

// A payment on an account. To a supplier it is a debit with its money-out cash row; to
// anyone else a credit row alone.
struct PaymentEntry {
    QString customerCode;
    QString accountType;
    QDate date;
    QTime time;
    QString description;
    QString paymentKind;
    double amount = 0;
    QString caption; // named in the cash row's description
    QDateTime openedAt;
};

// A change to one entry: only the fields that are set are written, so a value the user
// did not touch stays exactly as stored.
struct EntryEdit {
    using Amount = std::optional<double>; // no value: the field is emptied (NULL)
    qint64 id = 0;
    std::optional<QDate> date; // Tarih and its key Tarih2
    std::optional<QTime> time;
    std::optional<QString> kind;
    std::optional<QString> description;
    std::optional<Amount> debit; // Eklenen
    std::optional<Amount> paid;  // Odenen
    std::optional<QString> quantity;
    std::optional<QString> unit;
    std::optional<QString> unitPrice;
};

// What a posting left behind for the window to show.
struct Posted {
    QString postingId;        // empty for a sale, which has none
    qint64 receiptNumber = 0; // the customer receipt's number, when one was asked for
    bool receiptPrinted = false;
};

// Lays the collection's receipt out while the posting's rows are written but not yet
// committed, selecting them by the posting id; true only when the receipt came out holding
// the posting. The receipt number is used up only then, in the posting's transaction.
using ReceiptPrinter = std::function<bool(qint64 receiptNumber, const QString &postingId)>;
// The printer runs with the ledger's write scope suspended: a write of a shop table it
// tries is refused, and the collection fails whole with this reason.
inline const QString kReceiptWriteRefused =
    QStringLiteral("Makbuz hazırlanırken kayıtlara yazılmak istendi; tahsilat kaydedilmedi.");

// ---------------------------------------------------------------- stock

struct ProductStock {
    QString genericName;
    QString brandName;
    double onHand = 0;
    double reorderLevel = 0;
};
// The product of that code; none for an empty or unknown code.
std::optional<ProductStock> findProduct(pv::Database &db, const QString &productCode);

// The warning of a sale asking for more than the product holds, naming the product and
// what is on hand (title kStockWarningTitle); empty when the stock suffices.
QString stockShortage(const ProductStock &product, double quantity);
inline const QString kStockWarningTitle = QStringLiteral("Uyarı!");

// Shown when a sale names a product the stock does not hold.
inline const QString kNoProduct =
    QStringLiteral("Stokta bu koda ait ürün bulunamadı. Ürünü stoktaki ürünler listesinden seçin.");

// ---------------------------------------------------------------- operations

// The sale's row and its sales-log row; the stock is not touched.
Result postFreeSale(pv::Database &db, const SaleEntry &sale, const StockSaleLine &picked = {});
// The sale's row, its sales-log row and the quantity taken off the product's stock. The
// stock is checked inside the transaction: a quantity above what is on hand is refused
// with stockShortage's warning and nothing is written.
Result postStockSale(pv::Database &db, const SaleEntry &sale, const StockSaleLine &line);
// The account's row and its cash row, paired by a new posting id; with a receipt, the
// printer runs inside the transaction and the receipt counter moves on when it printed.
Result postCollection(pv::Database &db, const CollectionEntry &entry, Posted *posted = nullptr,
                      const ReceiptPrinter &print = {});
Result postCreditNote(pv::Database &db, const CreditNoteEntry &entry, Posted *posted = nullptr);
Result postPayment(pv::Database &db, const PaymentEntry &entry, Posted *posted = nullptr);

// Deletes one entry: a sale from stock gives its quantity back to the product, the cash
// rows of its posting id go with it.
Result deletePosting(pv::Database &db, qint64 entryId);
// Writes the fields of the edit. When the entry carries a posting id with cash rows, the
// same transaction carries a changed amount (into the side each cash row uses) and a
// changed date with its key to those rows, so that the cash book keeps agreeing with the
// account; the rest of each cash row stays.
Result editEntry(pv::Database &db, const EntryEdit &edit);
// Marks an entry for the customer receipt print (veresiye.form_kodu); an empty code clears it.
Result markForReceipt(pv::Database &db, qint64 entryId, const QString &code);

} // namespace pv::ledger
