#include "app/ledger/Stock.h"

#include "app/ledger/LedgerWrite.h"
#include "platform/data/Database.h"
#include "platform/data/Recordset.h"
#include "platform/data/Values.h"
#include "platform/text/Formats.h"

#include <QStringList>

namespace pv::ledger
{

namespace
{

// The fields the card edits; the VAT fields and the stock values are not the card's.
const QStringList &cardFields()
{
    static const QStringList fields{
        QStringLiteral("Product Code"), QStringLiteral("Generic Name"), QStringLiteral("Brand Name"),
        QStringLiteral("Price"),        QStringLiteral("SatisFiyati"),  QStringLiteral("SatisFiyati2"),
        QStringLiteral("SatisFiyati3"), QStringLiteral("OnHand"),       QStringLiteral("Reorder Level"),
        QStringLiteral("Unit"),         QStringLiteral("SaticiFirma"),  QStringLiteral("Sinifi"),
        QStringLiteral("OzelKod1"),     QStringLiteral("OzelKod2"),     QStringLiteral("KayitTarihi"),
        QStringLiteral("Month"),        QStringLiteral("Year"),         QStringLiteral("Expiration Date")};
    return fields;
}

QString bare(QString name)
{
    name = name.trimmed();
    if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
        name = name.mid(1, name.size() - 2);
    return name;
}

Result failed(const pv::DbError &e)
{
    return Result::failure(e.message.isEmpty() ? QStringLiteral("Veritabanı hatası %1").arg(e.number)
                                               : e.message);
}

// One statement in a transaction of its own; rows is what it touched.
Result runOne(pv::Database &db, const QString &sql, const QVariantList &params, int *rows = nullptr)
{
    LedgerTransaction t(db);
    if (!t.isActive())
        return failed(t.lastError());
    if (!db.exec(sql, params))
        return failed(db.lastError());
    if (rows)
        *rows = db.changes();
    if (!t.commit())
        return failed(t.lastError());
    return Result::success();
}

Result addName(pv::Database &db, const QString &table, const QString &column, const QString &name,
               const QString &blankReason)
{
    if (name.trimmed().isEmpty())
        return Result::failure(blankReason);
    LedgerTransaction t(db);
    if (!t.isActive())
        return failed(t.lastError());
    if (!db.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (?)").arg(table, column), {name})) {
        if (db.lastError().number == pv::DbError::DuplicateKey)
            return Result::failure(kDuplicateName);
        return failed(db.lastError());
    }
    if (!t.commit())
        return failed(t.lastError());
    return Result::success();
}

Result deleteById(pv::Database &db, const QString &table, qint64 id, const QString &missing)
{
    int rows = 0;
    const Result r = runOne(db, QStringLiteral("DELETE FROM %1 WHERE id = ?").arg(table), {id}, &rows);
    if (r && rows == 0)
        return Result::failure(missing);
    return r;
}

} // namespace

Result saveProduct(pv::Database &db, qint64 id, const ProductFields &fields, qint64 *savedId)
{
    for (const auto &[name, text] : fields) {
        if (!cardFields().contains(bare(name), Qt::CaseInsensitive))
            return Result::failure(QStringLiteral("%1 alanı kartta yazılmaz.").arg(name));
    }
    LedgerTransaction t(db);
    if (!t.isActive())
        return failed(t.lastError());
    // A select of the one row (none for a new product) writes that row and nothing else.
    pv::Recordset rs;
    if (!rs.open(db, QStringLiteral("SELECT * FROM Product WHERE id = ?"), {id}))
        return failed(rs.lastError());
    if (id != 0 && rs.RecordCount() != 1)
        return Result::failure(kNoSuchProduct);
    if (!(id == 0 ? rs.AddNew() : rs.Edit()))
        return failed(rs.lastError());
    for (const auto &[name, text] : fields) {
        if (!rs.Fields(bare(name)).setValue(text))
            return Result::failure(QStringLiteral("%1: \"%2\" yazılamadı.").arg(bare(name), text));
    }
    if (!rs.Update()) {
        if (rs.lastError().number == pv::DbError::DuplicateKey)
            return Result::failure(kDuplicateProductCode);
        return failed(rs.lastError());
    }
    const qint64 written = id != 0 ? id : db.lastInsertRowId();
    if (!t.commit())
        return failed(t.lastError());
    if (savedId)
        *savedId = written;
    return Result::success();
}

Result deleteProduct(pv::Database &db, qint64 id)
{
    return deleteById(db, QStringLiteral("Product"), id, kNoSuchProduct);
}

Result addCategory(pv::Database &db, const QString &name)
{
    return addName(db, QStringLiteral("urun_marka"), QStringLiteral("urunmarkaadi"), name,
                   QStringLiteral("Kategori Adını Yazın"));
}

Result deleteCategory(pv::Database &db, qint64 id)
{
    return deleteById(db, QStringLiteral("urun_marka"), id, QStringLiteral("Kategori bulunamadı."));
}

Result addSupplier(pv::Database &db, const QString &name)
{
    return addName(db, QStringLiteral("urun_reyon"), QStringLiteral("reyon"), name,
                   QStringLiteral("Tedarikçi Firma Adını Yazın"));
}

Result deleteSupplier(pv::Database &db, qint64 id)
{
    return deleteById(db, QStringLiteral("urun_reyon"), id, QStringLiteral("Tedarikçi firma bulunamadı."));
}

Result changeStock(pv::Database &db, qint64 id, double delta, double *newStock)
{
    LedgerTransaction t(db);
    if (!t.isActive())
        return failed(t.lastError());
    const QVariant found = db.scalar(QStringLiteral("SELECT count(*) FROM Product WHERE id = ?"), {id});
    if (db.lastError())
        return failed(db.lastError());
    if (found.toLongLong() != 1)
        return Result::failure(kNoSuchProduct);
    const QVariant stored = db.scalar(QStringLiteral("SELECT OnHand FROM Product WHERE id = ?"), {id});
    if (db.lastError())
        return failed(db.lastError());
    // The stock is written as the plain number text the account window's return writes,
    // read back by the column's type, so both writers store the same value.
    const double now = pv::toNumber(pv::displayText(stored, pv::ColumnKind::Real)).value_or(0) + delta;
    const auto value = pv::storageValue(pv::plainNumber(now), pv::ColumnKind::Real);
    if (!value)
        return Result::failure(QStringLiteral("Stok miktarı sayı değil."));
    if (!db.exec(QStringLiteral("UPDATE Product SET OnHand = ? WHERE id = ?"), {*value, id}))
        return failed(db.lastError());
    if (!t.commit())
        return failed(t.lastError());
    if (newStock)
        *newStock = value->toDouble();
    return Result::success();
}

Result writeStockValues(pv::Database &db, const QList<ProductStockValues> &products)
{
    LedgerTransaction t(db);
    if (!t.isActive())
        return failed(t.lastError());
    for (const ProductStockValues &p : products) {
        QStringList sets;
        QVariantList params;
        const auto add = [&](const char *column, const std::optional<double> &v) {
            if (v) {
                sets << QLatin1String(column) + QStringLiteral(" = ?");
                params << *v;
            }
        };
        add("AlisFiyatiTopTut", p.values.alis);
        add("SatisFiyatiTopTut", p.values.satis1);
        add("SatisFiyati2TopTut", p.values.satis2);
        add("SatisFiyati3TopTut", p.values.satis3);
        if (sets.isEmpty())
            continue;
        params << p.id;
        if (!db.exec(
                QStringLiteral("UPDATE Product SET %1 WHERE id = ?").arg(sets.join(QStringLiteral(", "))),
                params))
            return failed(db.lastError());
        if (db.changes() == 0)
            return Result::failure(kNoSuchProduct);
    }
    if (!t.commit())
        return failed(t.lastError());
    return Result::success();
}

} // namespace pv::ledger
