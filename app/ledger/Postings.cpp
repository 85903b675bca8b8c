#include "app/ledger/Postings.h"

#include "app/ledger/CashBook.h"
#include "app/ledger/Customers.h"
#include "app/ledger/LedgerWrite.h"
#include "app/ledger/PostingId.h"
#include "app/ledger/Rows.h"
#include "platform/data/Database.h"
#include "platform/data/Recordset.h"
#include "platform/text/Formats.h"

#include <QStringList>
#include <QVariantList>

namespace pv::ledger
{

namespace
{

// Runs the rows of one posting in one transaction: all of them or none.
Result inTransaction(pv::Database &db, const std::function<bool(LedgerTransaction &, QString *)> &rows)
{
    LedgerTransaction tx(db);
    if (!tx.isActive())
        return Result::failure(tx.lastError().message);
    QString error;
    if (!rows(tx, &error))
        return Result::failure(error);
    if (!tx.commit())
        return Result::failure(tx.lastError().message);
    return Result::success();
}

bool exec(pv::Database &db, const QString &sql, const QVariantList &params, QString *error)
{
    if (db.exec(sql, params))
        return true;
    *error = db.lastError().message;
    return false;
}

QString shown(const QString &text, double value)
{
    return text.isEmpty() ? pv::plainNumber(value) : text;
}

QString cashDescription(const QString &description, const QString &caption)
{
    return description + QStringLiteral(" (") + caption + QLatin1Char(')');
}

bool addSaleRow(LedgerTransaction &tx, pv::Database &db, const SaleEntry &sale, const QString &kind,
                const QString &productCode, QString *error)
{
    LedgerRow row;
    row.customerCode = sale.customerCode;
    row.date = sale.date;
    row.time = sale.time;
    row.kind = kind;
    row.description = sale.description;
    row.debit = sale.total;
    row.quantity = shown(sale.quantityText, sale.quantity);
    row.unit = sale.unit;
    row.unitPrice = shown(sale.unitPriceText, sale.unitPrice);
    row.priceLevel = sale.priceLevel;
    row.productCode = productCode;
    return writeLedgerRow(tx, db, row, error);
}

// A collection's, credit note's or payment's row: an amount on one side and its posting id.
LedgerRow moneyRow(const QString &customerCode, const QDate &date, const QTime &time, const QString &kind,
                   const QString &description, const QString &postingId)
{
    LedgerRow row;
    row.customerCode = customerCode;
    row.date = date;
    row.time = time;
    row.kind = kind;
    row.description = description;
    row.postingId = postingId;
    return row;
}

// The sales log is written by position, as its columns have no names anyone reads.
bool addSalesLogRow(LedgerTransaction &tx, pv::Database &db, const SaleEntry &sale, const StockSaleLine &line,
                    QString *error)
{
    return addRow(tx, db, QStringLiteral("SatisRapor"),
                  {{1, line.productCode},
                   {2, line.genericName},
                   {3, line.brandName},
                   {4, sale.quantity},
                   {5, sale.unit},
                   {6, sale.unitPrice},
                   {7, sale.total},
                   {10, sale.savedOn},
                   {11, sale.savedOn.month()},
                   {12, sale.savedOn.year()},
                   {13, pv::dateKey(sale.date)},
                   {15, sale.customerCode}},
                  error);
}

// An edited entry's amount and date go to the cash rows of its posting: the amount into
// the side each row uses (Giren for money in, Cikan for money out), the date with its key.
// Only the account's own cash rows: a bank movement's kind text, which many rows share,
// pairs no row of the till with this entry.
bool carryToCashRows(pv::Database &db, const EntryEdit &edit, const QString &postingId,
                     const QString &customerCode, QString *error)
{
    if (postingId.isEmpty())
        return true;
    // The amount the entry is booked with: a collection's paid side, a supplier payment's debit.
    const std::optional<EntryEdit::Amount> &amount = edit.paid ? edit.paid : edit.debit;
    if (amount) {
        const QVariant value = *amount ? QVariant(**amount) : QVariant();
        if (!exec(db,
                  QStringLiteral("UPDATE kasa SET Giren = CASE WHEN Tur = ?1 THEN ?2 ELSE Giren END, "
                                 "Cikan = CASE WHEN Tur = ?1 THEN Cikan ELSE ?2 END "
                                 "WHERE islemNo2 = ?3 AND mus_kodu = ?4"),
                  {kMoneyIn, value, postingId, customerCode}, error))
            return false;
    }
    if (edit.date &&
        !exec(db, QStringLiteral("UPDATE kasa SET Tarih = ?, Tarih2 = ? WHERE islemNo2 = ? AND mus_kodu = ?"),
              {pv::dateText(*edit.date), pv::dateKey(*edit.date), postingId, customerCode}, error))
        return false;
    return true;
}

void tellPosted(Posted *posted, const QString &postingId)
{
    if (posted)
        posted->postingId = postingId;
}

} // namespace

bool writeLedgerRow(LedgerTransaction &tx, pv::Database &db, const LedgerRow &row, QString *error)
{
    QList<double> amounts;
    for (const std::optional<double> &amount : {row.debit, row.paid})
        if (amount)
            amounts << *amount;
    if (const QString bad = rowRefusal(row.date, row.time, amounts, QStringLiteral("Tutar"));
        !bad.isEmpty()) {
        *error = bad;
        return false;
    }
    auto amount = [](const std::optional<double> &a) { return a ? QVariant(*a) : QVariant(); };
    return addRow(tx, db, QStringLiteral("veresiye"),
                  {{QStringLiteral("mus_kodu"), row.customerCode},
                   {QStringLiteral("Tarih"), pv::dateText(row.date)},
                   {QStringLiteral("Saat"), pv::timeText(row.time)},
                   {QStringLiteral("Turu"), row.kind},
                   {QStringLiteral("Aciklama"), row.description},
                   {QStringLiteral("Eklenen"), amount(row.debit)},
                   {QStringLiteral("Odenen"), amount(row.paid)},
                   {QStringLiteral("Miktar"), row.quantity},
                   {QStringLiteral("Birim"), row.unit},
                   {QStringLiteral("BirimFiyat"), row.unitPrice},
                   {QStringLiteral("UygFiyat"), row.priceLevel},
                   {QStringLiteral("Tarih2"), pv::dateKey(row.date)},
                   {QStringLiteral("islemNo2"), row.postingId},
                   {QStringLiteral("ProductCode"), row.productCode}},
                  error);
}

std::optional<ProductStock> findProduct(pv::Database &db, const QString &productCode)
{
    if (productCode.isEmpty())
        return std::nullopt;
    pv::Recordset rs(
        db,
        QStringLiteral("select [Generic Name], [Brand Name], OnHand, [Reorder Level] from Product "
                       "where [Product Code] = ?"),
        {productCode});
    if (!rs.hasCurrent())
        return std::nullopt;
    return ProductStock{rs.Fields(0).text(), rs.Fields(1).text(), rs.Fields(2).value().toDouble(),
                        rs.Fields(3).value().toDouble()};
}

QString stockShortage(const ProductStock &product, double quantity)
{
    if (!(product.onHand < quantity))
        return {};
    return QStringLiteral("' ") + product.brandName +
           QStringLiteral(" ' ürünü için kullanılabilecek stok miktarı max: ' ") +
           pv::plainNumber(product.onHand) + QStringLiteral(" ' adetir. ");
}

Result postFreeSale(pv::Database &db, const SaleEntry &sale, const StockSaleLine &picked)
{
    return inTransaction(db, [&](LedgerTransaction &tx, QString *error) {
        return addSaleRow(tx, db, sale, kFreeSaleKind, picked.productCode, error) &&
               addSalesLogRow(tx, db, sale, picked, error);
    });
}

Result postStockSale(pv::Database &db, const SaleEntry &sale, const StockSaleLine &line)
{
    return inTransaction(db, [&](LedgerTransaction &tx, QString *error) {
        const auto product = findProduct(db, line.productCode);
        if (!product) {
            *error = kNoProduct;
            return false;
        }
        // Read in the sale's own transaction, so that no other sale slips in between.
        if (const QString short_ = stockShortage(*product, sale.quantity); !short_.isEmpty()) {
            *error = short_;
            return false;
        }
        const StockSaleLine logged{line.productCode, product->genericName, product->brandName};
        if (!addSaleRow(tx, db, sale, kStockSaleKind, line.productCode, error) ||
            !addSalesLogRow(tx, db, sale, logged, error))
            return false;
        if (!exec(db,
                  QStringLiteral(
                      "UPDATE Product SET OnHand = coalesce(OnHand, 0) - ? WHERE [Product Code] = ?"),
                  {sale.quantity, line.productCode}, error))
            return false;
        if (db.changes() != 1) {
            *error = kNoProduct;
            return false;
        }
        return true;
    });
}

Result postCollection(pv::Database &db, const CollectionEntry &entry, Posted *posted,
                      const ReceiptPrinter &print)
{
    Posted done;
    const Result r = inTransaction(db, [&](LedgerTransaction &tx, QString *error) {
        done.postingId = uniquePostingId(db, entry.openedAt);
        const QString kind = entry.paymentKind;
        LedgerRow row = moneyRow(entry.customerCode, entry.date, entry.time, kCollectionKind + kind,
                                 entry.description, done.postingId);
        row.paid = entry.amount;
        if (!writeLedgerRow(tx, db, row, error))
            return false;
        // The cash book gets the moment of the save, whatever date the panel carries.
        CashRow cash;
        cash.direction = entry.accountType == kSupplierType ? CashDirection::Out : CashDirection::In;
        cash.date = entry.savedAt.date();
        cash.time = entry.savedAt.time();
        cash.description = cashDescription(entry.description, entry.caption);
        cash.amount = entry.amount;
        cash.customerCode = entry.customerCode;
        cash.postingId = done.postingId;
        cash.paymentKind = kind;
        if (!writeCashRow(tx, db, cash, error))
            return false;
        if (entry.receipt) {
            const auto number = customerReceiptNumber(db, error);
            if (!number)
                return false;
            done.receiptNumber = *number;
            {
                // The window's code: it reads the rows just written and writes none of the
                // shop's. A write it tried was refused, so the receipt may not show what it
                // meant to: the posting goes back whole and no receipt is shown.
                const pv::ScopeSuspension suspended(db);
                done.receiptPrinted = print && print(done.receiptNumber, done.postingId);
                if (suspended.refused()) {
                    *error = kReceiptWriteRefused;
                    return false;
                }
            }
            if (done.receiptPrinted && !setCustomerReceiptNumber(db, done.receiptNumber + 1, error))
                return false;
        }
        return true;
    });
    if (r && posted)
        *posted = done;
    return r;
}

Result postCreditNote(pv::Database &db, const CreditNoteEntry &entry, Posted *posted)
{
    QString id;
    const Result r = inTransaction(db, [&](LedgerTransaction &tx, QString *error) {
        id = uniquePostingId(db, entry.openedAt);
        LedgerRow row =
            moneyRow(entry.customerCode, entry.date, entry.time, kCreditNoteKind, entry.description, id);
        row.paid = entry.amount;
        return writeLedgerRow(tx, db, row, error);
    });
    if (r)
        tellPosted(posted, id);
    return r;
}

Result postPayment(pv::Database &db, const PaymentEntry &entry, Posted *posted)
{
    QString id;
    const Result r = inTransaction(db, [&](LedgerTransaction &tx, QString *error) {
        // Another posting may have taken this opening's id meanwhile.
        id = uniquePostingId(db, entry.openedAt);
        const bool supplier = entry.accountType == kSupplierType;
        LedgerRow row =
            moneyRow(entry.customerCode, entry.date, entry.time,
                     supplier ? kPaymentKind + entry.paymentKind : kPaymentKind, entry.description, id);
        (supplier ? row.debit : row.paid) = entry.amount;
        if (!writeLedgerRow(tx, db, row, error))
            return false;
        if (!supplier)
            return true;
        CashRow cash;
        cash.direction = CashDirection::Out;
        cash.date = entry.date;
        cash.time = entry.time;
        cash.description = cashDescription(entry.description, entry.caption);
        cash.amount = entry.amount;
        cash.customerCode = entry.customerCode;
        cash.postingId = id;
        cash.paymentKind = entry.paymentKind;
        return writeCashRow(tx, db, cash, error);
    });
    if (r)
        tellPosted(posted, id);
    return r;
}

Result deletePosting(pv::Database &db, qint64 entryId)
{
    return inTransaction(db, [&](LedgerTransaction &tx, QString *error) {
        pv::Recordset entry(
            db, QStringLiteral("select Turu, islemNo2, ProductCode, Miktar from veresiye where id = ?"),
            {entryId});
        if (!entry.hasCurrent()) {
            *error = entry.lastError() ? entry.lastError().message : QStringLiteral("Kayıt bulunamadı.");
            return false;
        }
        const QString kind = entry.Fields(0).text();
        const QString postingId = entry.Fields(1).text();
        const QString productCode = entry.Fields(2).text();
        // A sale from stock gives its quantity back; an unknown product has no stock to take it.
        const double quantity = pv::toNumber(entry.Fields(3).text()).value_or(0);
        if (kind == kStockSaleKind && quantity != 0 && findProduct(db, productCode) &&
            !exec(db,
                  QStringLiteral(
                      "UPDATE Product SET OnHand = coalesce(OnHand, 0) + ? WHERE [Product Code] = ?"),
                  {quantity, productCode}, error))
            return false;
        if (deleteByPostingId(tx, db, QStringLiteral("kasa"), postingId) < 0) {
            *error = db.lastError().message;
            return false;
        }
        return exec(db, QStringLiteral("delete from veresiye where id = ?"), {entryId}, error);
    });
}

Result editEntry(pv::Database &db, const EntryEdit &edit)
{
    // Written field by field through the record set, as every other row of the ledger: an
    // empty text or amount stores NULL.
    FieldValues fields;
    auto amount = [](const EntryEdit::Amount &a) { return a ? QVariant(*a) : QVariant(QString()); };
    if (edit.date) {
        fields.append({QStringLiteral("Tarih"), pv::dateText(*edit.date)});
        fields.append({QStringLiteral("Tarih2"), pv::dateKey(*edit.date)});
    }
    if (edit.time)
        fields.append({QStringLiteral("Saat"), pv::timeText(*edit.time)});
    if (edit.kind)
        fields.append({QStringLiteral("Turu"), *edit.kind});
    if (edit.description)
        fields.append({QStringLiteral("Aciklama"), *edit.description});
    if (edit.debit)
        fields.append({QStringLiteral("Eklenen"), amount(*edit.debit)});
    if (edit.paid)
        fields.append({QStringLiteral("Odenen"), amount(*edit.paid)});
    if (edit.quantity)
        fields.append({QStringLiteral("Miktar"), *edit.quantity});
    if (edit.unit)
        fields.append({QStringLiteral("Birim"), *edit.unit});
    if (edit.unitPrice)
        fields.append({QStringLiteral("BirimFiyat"), *edit.unitPrice});
    if (fields.isEmpty())
        return Result::success();
    return inTransaction(db, [&](LedgerTransaction &tx, QString *error) {
        pv::Recordset rs(db, QStringLiteral("select * from veresiye where id = ?"), {edit.id});
        if (!rs.hasCurrent()) {
            *error = rs.lastError() ? rs.lastError().message : QStringLiteral("Kayıt bulunamadı.");
            return false;
        }
        const QString postingId = rs.Fields(QStringLiteral("islemNo2")).text();
        const QString customerCode = rs.Fields(QStringLiteral("mus_kodu")).text();
        return writeFields(tx, rs, fields, error) &&
               carryToCashRows(db, edit, postingId, customerCode, error);
    });
}

Result markForReceipt(pv::Database &db, qint64 entryId, const QString &code)
{
    return inTransaction(db, [&](LedgerTransaction &, QString *error) {
        return exec(db, QStringLiteral("update veresiye set form_kodu = ? where id = ?"),
                    {code.isEmpty() ? QVariant() : QVariant(code), entryId}, error);
    });
}

} // namespace pv::ledger
