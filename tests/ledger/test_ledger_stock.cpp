// The stock card's writes without any window: products, categories and suppliers, stock
// in and out, the cached stock values; each all or nothing.
#include "app/ledger/Stock.h"
#include "platform/data/Database.h"
#include "tests/harness/Harness.h"

#include <QtTest>

using pv::test::Harness;
namespace ledger = pv::ledger;

namespace
{

qint64 addProduct(Harness &h, const QString &code, const QVariantMap &extra = {})
{
    QVariantMap row{{QStringLiteral("Product Code"), code},
                    {QStringLiteral("Brand Name"), QStringLiteral("Ürün ") + code},
                    {QStringLiteral("OnHand"), 10},
                    {QStringLiteral("Price"), 2.5}};
    for (auto it = extra.begin(); it != extra.end(); ++it)
        row[it.key()] = it.value();
    h.insert(QStringLiteral("Product"), row);
    return h.value(QStringLiteral("SELECT max(id) FROM Product")).toLongLong();
}

// Every row of the stock tables, to show that a refused write changed nothing.
QList<QVariantList> everything(Harness &h)
{
    auto all = h.rows(QStringLiteral("SELECT * FROM Product ORDER BY id"));
    all += h.rows(QStringLiteral("SELECT * FROM urun_marka ORDER BY id"));
    all += h.rows(QStringLiteral("SELECT * FROM urun_reyon ORDER BY id"));
    return all;
}

} // namespace

class TestLedgerStock : public QObject
{
    Q_OBJECT

private slots:
    void addWritesOnlyTheGivenFields();
    void editKeepsTheOtherFields();
    void refusedSaves_data();
    void refusedSaves();
    void deleteProduct();
    void injectedFailures_data();
    void injectedFailures();
    void names_data();
    void names();
    void changeStock_data();
    void changeStock();
    void stockValues();
};

void TestLedgerStock::addWritesOnlyTheGivenFields()
{
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    qint64 id = 0;
    const ledger::Result r = ledger::saveProduct(db, 0,
                                                 {{QStringLiteral("Product Code"), QStringLiteral("AB12")},
                                                  {QStringLiteral("[Brand Name]"), QStringLiteral("Çaykur")},
                                                  {QStringLiteral("Price"), QStringLiteral("1.234,50")},
                                                  {QStringLiteral("SatisFiyati2"), QString()},
                                                  {QStringLiteral("Month"), QStringLiteral("12")}},
                                                 &id);
    QVERIFY2(r.ok, qPrintable(r.reason));
    QVERIFY(id > 0);
    const auto row =
        h.rows(QStringLiteral("SELECT [Product Code], [Brand Name], Price, SatisFiyati2, \"Month\", "
                              "OnHand, AlisFiyatiTopTut FROM Product WHERE id = ?"),
               {id});
    QCOMPARE(row.size(), 1);
    QCOMPARE(row[0][0].toString(), QStringLiteral("AB12"));
    QCOMPARE(row[0][1].toString(), QStringLiteral("Çaykur"));
    QCOMPARE(row[0][2].toDouble(), 1234.5);
    QVERIFY(row[0][3].isNull());
    QCOMPARE(row[0][4].toInt(), 12);
    QVERIFY(row[0][5].isNull());
    QVERIFY(row[0][6].isNull());
}

void TestLedgerStock::editKeepsTheOtherFields()
{
    Harness h;
    const qint64 id = addProduct(h, QStringLiteral("P1"),
                                 {{QStringLiteral("AlisFiyatiTopTut"), 25.0},
                                  {QStringLiteral("KayitTarihi"), QStringLiteral("01.02.2025")}});
    addProduct(h, QStringLiteral("P2"));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(ledger::saveProduct(db, id, {{QStringLiteral("OnHand"), QStringLiteral("7")}}).ok);
    QCOMPARE(h.value(QStringLiteral("SELECT OnHand FROM Product WHERE id = ?"), {id}).toDouble(), 7.0);
    QCOMPARE(h.value(QStringLiteral("SELECT Price FROM Product WHERE id = ?"), {id}).toDouble(), 2.5);
    QCOMPARE(h.value(QStringLiteral("SELECT AlisFiyatiTopTut FROM Product WHERE id = ?"), {id}).toDouble(),
             25.0);
    QCOMPARE(h.value(QStringLiteral("SELECT KayitTarihi FROM Product WHERE id = ?"), {id}).toString(),
             QStringLiteral("01.02.2025"));
    QCOMPARE(h.value(QStringLiteral("SELECT OnHand FROM Product WHERE [Product Code] = 'P2'")).toDouble(),
             10.0);
}

void TestLedgerStock::refusedSaves_data()
{
    QTest::addColumn<qint64>("id"); // -1: the first product's id
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason"); // empty: any reason
    QTest::newRow("duplicate code on add") << qint64(0) << "Product Code"
                                           << "P1" << ledger::kDuplicateProductCode;
    QTest::newRow("duplicate code, other case") << qint64(0) << "Product Code"
                                                << "p1" << ledger::kDuplicateProductCode;
    QTest::newRow("price not a number") << qint64(-1) << "Price"
                                        << "abc"
                                        << "";
    QTest::newRow("no such product") << qint64(999) << "Price"
                                     << "1" << ledger::kNoSuchProduct;
    QTest::newRow("a stock value") << qint64(-1) << "AlisFiyatiTopTut"
                                   << "1"
                                   << "";
    QTest::newRow("the id") << qint64(-1) << "id"
                            << "5"
                            << "";
}

void TestLedgerStock::refusedSaves()
{
    QFETCH(qint64, id);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, reason);
    Harness h;
    const qint64 first = addProduct(h, QStringLiteral("P1"));
    addProduct(h, QStringLiteral("P2"));
    const auto before = everything(h);
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    ledger::ProductFields fields{{field, text}};
    if (field != QLatin1String("Product Code"))
        fields.prepend({QStringLiteral("Brand Name"), QStringLiteral("Yeni ad")});
    const ledger::Result r = ledger::saveProduct(db, id < 0 ? first : id, fields);
    QVERIFY(!r.ok);
    QVERIFY(!r.reason.isEmpty());
    if (!reason.isEmpty())
        QCOMPARE(r.reason, reason);
    QCOMPARE(everything(h), before);
}

void TestLedgerStock::deleteProduct()
{
    Harness h;
    const qint64 id = addProduct(h, QStringLiteral("P1"));
    addProduct(h, QStringLiteral("P2"));
    h.insert(QStringLiteral("veresiye"), {{QStringLiteral("ProductCode"), QStringLiteral("P1")},
                                          {QStringLiteral("mus_kodu"), QStringLiteral("1")}});
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(ledger::deleteProduct(db, id).ok);
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM Product")).toInt(), 1);
    // The ledger keeps the rows that name the product.
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM veresiye WHERE ProductCode = 'P1'")).toInt(), 1);
    const ledger::Result again = ledger::deleteProduct(db, id);
    QVERIFY(!again.ok);
    QCOMPARE(again.reason, ledger::kNoSuchProduct);
}

void TestLedgerStock::injectedFailures_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<int>("operation");
    QTest::newRow("add product") << "BEFORE INSERT ON Product" << 0;
    QTest::newRow("edit product") << "BEFORE UPDATE ON Product" << 1;
    QTest::newRow("delete product") << "BEFORE DELETE ON Product" << 2;
    QTest::newRow("add category") << "BEFORE INSERT ON urun_marka" << 3;
    QTest::newRow("delete category") << "BEFORE DELETE ON urun_marka" << 4;
    QTest::newRow("add supplier") << "BEFORE INSERT ON urun_reyon" << 5;
    QTest::newRow("delete supplier") << "BEFORE DELETE ON urun_reyon" << 6;
    QTest::newRow("stock in") << "BEFORE UPDATE ON Product" << 7;
    QTest::newRow("stock values") << "BEFORE UPDATE ON Product" << 8;
}

void TestLedgerStock::injectedFailures()
{
    QFETCH(QString, trigger);
    QFETCH(int, operation);
    Harness h;
    const qint64 id = addProduct(h, QStringLiteral("P1"));
    h.insert(QStringLiteral("urun_marka"), {{QStringLiteral("urunmarkaadi"), QStringLiteral("Çay")}});
    h.insert(QStringLiteral("urun_reyon"), {{QStringLiteral("reyon"), QStringLiteral("Toptancı")}});
    const qint64 cat = h.value(QStringLiteral("SELECT id FROM urun_marka")).toLongLong();
    const qint64 sup = h.value(QStringLiteral("SELECT id FROM urun_reyon")).toLongLong();
    QVERIFY(h.exec(
        QStringLiteral("CREATE TRIGGER fail %1 BEGIN SELECT RAISE(ABORT, 'disk dolu'); END").arg(trigger)));
    const auto before = everything(h);
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    ledger::Result r;
    switch (operation) {
    case 0:
        r = ledger::saveProduct(db, 0, {{QStringLiteral("Product Code"), QStringLiteral("P9")}});
        break;
    case 1:
        r = ledger::saveProduct(db, id, {{QStringLiteral("Price"), QStringLiteral("3")}});
        break;
    case 2:
        r = ledger::deleteProduct(db, id);
        break;
    case 3:
        r = ledger::addCategory(db, QStringLiteral("Süt"));
        break;
    case 4:
        r = ledger::deleteCategory(db, cat);
        break;
    case 5:
        r = ledger::addSupplier(db, QStringLiteral("Bakkal"));
        break;
    case 6:
        r = ledger::deleteSupplier(db, sup);
        break;
    case 7:
        r = ledger::changeStock(db, id, 3);
        break;
    case 8:
        r = ledger::writeStockValues(db, {{id, {1.0, 2.0, 3.0, 4.0}}});
        break;
    }
    QVERIFY(!r.ok);
    QVERIFY2(r.reason.contains(QStringLiteral("disk dolu")), qPrintable(r.reason));
    QCOMPARE(everything(h), before);
}

void TestLedgerStock::names_data()
{
    QTest::addColumn<bool>("supplier");
    QTest::newRow("category") << false;
    QTest::newRow("supplier") << true;
}

void TestLedgerStock::names()
{
    QFETCH(bool, supplier);
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    const auto add = [&](const QString &n) {
        return supplier ? ledger::addSupplier(db, n) : ledger::addCategory(db, n);
    };
    const QString table = supplier ? QStringLiteral("urun_reyon") : QStringLiteral("urun_marka");
    const QString column = supplier ? QStringLiteral("reyon") : QStringLiteral("urunmarkaadi");
    QVERIFY(add(QStringLiteral(" İçecek")).ok);
    const ledger::Result twice = add(QStringLiteral(" içecek"));
    QVERIFY(!twice.ok);
    QCOMPARE(twice.reason, ledger::kDuplicateName);
    const ledger::Result blank = add(QStringLiteral("   "));
    QVERIFY(!blank.ok);
    QCOMPARE(blank.reason, supplier ? QStringLiteral("Tedarikçi Firma Adını Yazın")
                                    : QStringLiteral("Kategori Adını Yazın"));
    QCOMPARE(h.rows(QStringLiteral("SELECT %1 FROM %2").arg(column, table)),
             QList<QVariantList>{{QStringLiteral(" İçecek")}});
    const qint64 id = h.value(QStringLiteral("SELECT id FROM %1").arg(table)).toLongLong();
    QVERIFY((supplier ? ledger::deleteSupplier(db, id) : ledger::deleteCategory(db, id)).ok);
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM %1").arg(table)).toInt(), 0);
    QVERIFY(!(supplier ? ledger::deleteSupplier(db, id) : ledger::deleteCategory(db, id)).ok);
}

void TestLedgerStock::changeStock_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<double>("delta");
    QTest::addColumn<double>("expected");
    QTest::newRow("in") << QVariant(10.0) << 3.0 << 13.0;
    QTest::newRow("out") << QVariant(10.0) << -3.0 << 7.0;
    QTest::newRow("below zero") << QVariant(2.0) << -5.0 << -3.0;
    QTest::newRow("fraction") << QVariant(1.0) << 2.5 << 3.5;
    QTest::newRow("a cent on a million") << QVariant(1000000.0) << 0.01 << 1000000.01;
    QTest::newRow("empty stock") << QVariant() << 4.0 << 4.0;
}

void TestLedgerStock::changeStock()
{
    QFETCH(QVariant, stored);
    QFETCH(double, delta);
    QFETCH(double, expected);
    Harness h;
    const qint64 id = addProduct(h, QStringLiteral("P1"), {{QStringLiteral("OnHand"), stored}});
    const qint64 other = addProduct(h, QStringLiteral("P2"));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    double now = 0;
    QVERIFY(ledger::changeStock(db, id, delta, &now).ok);
    QCOMPARE(now, expected);
    QCOMPARE(h.value(QStringLiteral("SELECT OnHand FROM Product WHERE id = ?"), {id}).toDouble(), expected);
    QCOMPARE(h.value(QStringLiteral("SELECT typeof(OnHand) FROM Product WHERE id = ?"), {id}).toString(),
             QStringLiteral("real"));
    QCOMPARE(h.value(QStringLiteral("SELECT OnHand FROM Product WHERE id = ?"), {other}).toDouble(), 10.0);
    QCOMPARE(ledger::changeStock(db, 999, 1).reason, ledger::kNoSuchProduct);
}

void TestLedgerStock::stockValues()
{
    Harness h;
    const qint64 id = addProduct(h, QStringLiteral("P1"), {{QStringLiteral("SatisFiyati3TopTut"), 9.0}});
    const qint64 other = addProduct(h, QStringLiteral("P2"));
    const qint64 none = addProduct(h, QStringLiteral("P3"), {{QStringLiteral("AlisFiyatiTopTut"), 5.0}});
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    const auto values = [&](qint64 product) {
        return h
            .rows(QStringLiteral("SELECT AlisFiyatiTopTut, SatisFiyatiTopTut, SatisFiyati2TopTut, "
                                 "SatisFiyati3TopTut FROM Product WHERE id = ?"),
                  {product})
            .value(0);
    };
    // A group: each product its own values; a value left out keeps what is stored.
    QVERIFY(ledger::writeStockValues(
                db, {{id, {10.0, 12.0, 12.8, std::nullopt}}, {other, {1.0, 2.0, 3.0, 4.0}}, {none, {}}})
                .ok);
    QCOMPARE(values(id), (QVariantList{10.0, 12.0, 12.8, 9.0}));
    QCOMPARE(values(other), (QVariantList{1.0, 2.0, 3.0, 4.0}));
    QCOMPARE(values(none), (QVariantList{5.0, QVariant(), QVariant(), QVariant()}));
    QVERIFY(!db.inTransaction());

    // A product gone: the group writes nothing, not even the products before it.
    const auto before = everything(h);
    QCOMPARE(ledger::writeStockValues(db, {{id, {1.0, {}, {}, {}}}, {999, {1.0, {}, {}, {}}}}).reason,
             ledger::kNoSuchProduct);
    QCOMPARE(everything(h), before);
    QVERIFY(!db.inTransaction());

    // A failure at the group's last product leaves the earlier ones unwritten too.
    QVERIFY(h.exec(QStringLiteral("CREATE TRIGGER fail BEFORE UPDATE ON Product WHEN old.id = %1 "
                                  "BEGIN SELECT RAISE(ABORT, 'disk dolu'); END")
                       .arg(other)));
    const ledger::Result failed =
        ledger::writeStockValues(db, {{id, {7.0, {}, {}, {}}}, {other, {7.0, {}, {}, {}}}});
    QVERIFY(!failed.ok);
    QVERIFY2(failed.reason.contains(QStringLiteral("disk dolu")), qPrintable(failed.reason));
    QCOMPARE(everything(h), before);
    QVERIFY(ledger::writeStockValues(db, {}).ok);
}

QTEST_MAIN(TestLedgerStock)
#include "test_ledger_stock.moc"
