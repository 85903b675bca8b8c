#pragma once
// Writes of the stock card: products, their categories and suppliers, stock in and out
// and the cached stock values. Each operation is all or nothing, in its own transaction.
#include "app/ledger/Result.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace pv
{
class Database;
}

namespace pv::ledger
{

// The reasons a window recognises to answer in its own words.
inline const QString kDuplicateProductCode = QStringLiteral("BU ÜRÜN KODU STOKLARDA MEVCUT...");
inline const QString kDuplicateName = QStringLiteral("Bu kayıt Mevcut");
inline const QString kNoSuchProduct = QStringLiteral("Ürün bulunamadı.");

// Product fields as the card's boxes give them: column name and text ("1.234,50" into a
// price, "" for none). Only the fields the card edits are taken.
using ProductFields = QList<QPair<QString, QString>>;

// Adds a product (id 0) or changes the product with that id, writing only the fields
// given; the others keep their stored values (empty for a new row). A code already used
// answers kDuplicateProductCode. savedId receives the row's id.
Result saveProduct(pv::Database &db, qint64 id, const ProductFields &fields, qint64 *savedId = nullptr);
Result deleteProduct(pv::Database &db, qint64 id);

// Category (urun_marka) and supplier (urun_reyon) names, stored exactly as typed; a blank
// name is refused, a name already there answers kDuplicateName.
Result addCategory(pv::Database &db, const QString &name);
Result deleteCategory(pv::Database &db, qint64 id);
Result addSupplier(pv::Database &db, const QString &name);
Result deleteSupplier(pv::Database &db, qint64 id);

// Stock in (positive) or out (negative) of one product: its stored stock (empty counts as
// 0) plus delta, which may go below zero. newStock receives what was stored.
Result changeStock(pv::Database &db, qint64 id, double delta, double *newStock = nullptr);

// The four cached stock values of one product; a value left out keeps what is stored.
struct StockValues {
    std::optional<double> alis, satis1, satis2, satis3;
};
struct ProductStockValues {
    qint64 id = 0;
    StockValues values;
};
// The values of a group of products in one transaction: every product written, or none (a
// product no longer there answers kNoSuchProduct).
Result writeStockValues(pv::Database &db, const QList<ProductStockValues> &products);

} // namespace pv::ledger
