// The account's whole-day and whole-account work without a window: the debits of one day
// for a contract, emptying the ledger, and re-pricing rows from the stock card.
#include "app/ledger/AccountBulk.h"
#include "platform/data/Database.h"
#include "tests/harness/Harness.h"

#include <QtTest>

using pv::test::Harness;
using namespace pv::ledger;

namespace
{

struct Row {
    QString code;
    QString tarih;
    QVariant eklenen;
    QVariant odenen = {};
    QString productCode = {};
    QString birimFiyat = {};
    QString miktar = {};
};

qint64 addRow(Harness &h, const Row &r)
{
    const QString key = r.tarih.mid(6, 4) + r.tarih.mid(3, 2) + r.tarih.mid(0, 2);
    h.insert(QStringLiteral("veresiye"), {{"Tarih", r.tarih},
                                          {"Saat", "10:00:00"},
                                          {"Turu", r.odenen.isValid() ? "Tahsilat Nakit" : "Stoktan Satış"},
                                          {"Aciklama", "satır"},
                                          {"Miktar", r.miktar},
                                          {"Birim", "Adet"},
                                          {"BirimFiyat", r.birimFiyat},
                                          {"Eklenen", r.eklenen},
                                          {"Odenen", r.odenen},
                                          {"Tarih2", key},
                                          {"UygFiyat", "Satış Fiyatı 2"},
                                          {"ProductCode", r.productCode},
                                          {"islemNo2", "081226100000"},
                                          {"mus_kodu", r.code}});
    return h.value(QStringLiteral("SELECT max(id) FROM veresiye")).toLongLong();
}

void addProduct(Harness &h, const QString &code, const QVariant &price)
{
    h.insert(QStringLiteral("Product"), {{"Product Code", code}, {"SatisFiyati", price}, {"OnHand", 10}});
}

void addCash(Harness &h)
{
    h.insert(QStringLiteral("kasa"), {{"mus_kodu", "1"},
                                      {"Tarih", "10.12.2026"},
                                      {"Tur", "Giren"},
                                      {"Giren", 40},
                                      {"Tarih2", "20261210"},
                                      {"islemNo2", "081226100000"}});
}

// Every row of the tables beside the ledger, to compare before and after.
QList<QVariantList> others(Harness &h)
{
    QList<QVariantList> all = h.rows(QStringLiteral("SELECT * FROM kasa ORDER BY id"));
    all += h.rows(QStringLiteral("SELECT * FROM Product ORDER BY id"));
    all += h.rows(QStringLiteral("SELECT * FROM musteriler ORDER BY id"));
    return all;
}

QList<QVariantList> ledger(Harness &h)
{
    return h.rows(QStringLiteral("SELECT * FROM veresiye ORDER BY id"));
}

// A database carried over from before product codes were unique may hold one code twice.
void dropUniqueCodes(Harness &h)
{
    QVERIFY(h.exec(QStringLiteral("ALTER TABLE Product RENAME TO Product_old")));
    QVERIFY(h.exec(QStringLiteral("CREATE TABLE Product (id INTEGER PRIMARY KEY AUTOINCREMENT, "
                                  "[Product Code] TEXT COLLATE TURKISH, SatisFiyati REAL, OnHand REAL)")));
    QVERIFY(h.exec(QStringLiteral("DROP TABLE Product_old")));
}

} // namespace

class TestLedgerBulk : public QObject
{
    Q_OBJECT

private slots:
    void dayDebits_data();
    void dayDebits();
    void dayDebitsReadFails();
    void reset();
    void resetEmptyList();
    void resetFailureChangesNothing();
    void reprice_data();
    void reprice();
    void repriceMissingRow();
    void repriceFailureChangesNothing();
    void priceSourceLowestId();
};

// ---------------------------------------------------------------- the day's debits

void TestLedgerBulk::dayDebits_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<double>("total");
    QTest::newRow("every debit of the day, credits left out") << "1" << QDate(2026, 12, 10) << 150.5;
    QTest::newRow("a day without debits") << "1" << QDate(2026, 12, 11) << 0.0;
    QTest::newRow("only credits that day") << "1" << QDate(2026, 12, 8) << 0.0;
    QTest::newRow("another day") << "1" << QDate(2026, 12, 9) << 999.0;
    QTest::newRow("another customer") << "2" << QDate(2026, 12, 10) << 7.0;
    QTest::newRow("percent is no pattern") << "1%" << QDate(2026, 12, 10) << 3.0;
    QTest::newRow("star is no pattern") << "1*" << QDate(2026, 12, 10) << 4.0;
    QTest::newRow("case folded the Turkish way") << "ıi" << QDate(2026, 12, 10) << 5.0;
}

void TestLedgerBulk::dayDebits()
{
    QFETCH(QString, code);
    QFETCH(QDate, day);
    QFETCH(double, total);
    Harness h;
    addRow(h, {"1", "10.12.2026", 100.0});
    addRow(h, {"1", "10.12.2026", 50.5});
    addRow(h, {"1", "10.12.2026", {}, 30.0});
    addRow(h, {"1", "08.12.2026", {}, 30.0});
    addRow(h, {"1", "09.12.2026", 999.0});
    addRow(h, {"2", "10.12.2026", 7.0});
    addRow(h, {"1%", "10.12.2026", 3.0});
    addRow(h, {"1*", "10.12.2026", 4.0});
    addRow(h, {"Iİ", "10.12.2026", 5.0});
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    double got = -1;
    const Result r = dayDebitTotal(db, code, day, &got);
    QVERIFY2(r.ok, qPrintable(r.reason));
    QCOMPARE(got, total);
}

void TestLedgerBulk::dayDebitsReadFails()
{
    Harness h;
    addRow(h, {"1", "10.12.2026", 100.0});
    QVERIFY(h.exec(QStringLiteral("ALTER TABLE veresiye RENAME TO veresiye_eski")));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    double got = -1;
    const Result r = dayDebitTotal(db, "1", QDate(2026, 12, 10), &got);
    QVERIFY(!r.ok);
    QVERIFY2(r.reason.startsWith(kContractAmountFailed + QLatin1Char('\n')), qPrintable(r.reason));
    QVERIFY2(r.reason.endsWith(QStringLiteral("Veri tabanı işlemi yapılamadı.")), qPrintable(r.reason));
    QCOMPARE(got, -1.0);
}

// ---------------------------------------------------------------- reset

void TestLedgerBulk::reset()
{
    Harness h;
    const qint64 a = addRow(h, {"1", "09.12.2026", 100.0});
    const qint64 b = addRow(h, {"1", "10.12.2026", {}, 40.0});
    const qint64 kept = addRow(h, {"1", "01.11.2026", 12.0});
    const qint64 other = addRow(h, {"2", "10.12.2026", 7.0});
    addCash(h);
    addProduct(h, "A1", 5);
    QVERIFY(h.insert("musteriler", {{"mus_kodu", "1"}, {"MusteriFirma", "Ahmet"}, {"Bakiye", 72}}));
    const auto before = others(h);
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));

    // The other account's id in the list is passed over.
    const Result r = resetAccount(db, "1", {a, b, other});
    QVERIFY2(r.ok, qPrintable(r.reason));
    const auto left = h.rows(QStringLiteral("SELECT id FROM veresiye ORDER BY id"));
    QCOMPARE(left.size(), 2);
    QCOMPARE(left.at(0).at(0).toLongLong(), kept);
    QCOMPARE(left.at(1).at(0).toLongLong(), other);
    QCOMPARE(others(h), before);
}

void TestLedgerBulk::resetEmptyList()
{
    Harness h;
    addRow(h, {"1", "09.12.2026", 100.0});
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(resetAccount(db, "1", {}).ok);
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM veresiye")).toInt(), 1);
}

void TestLedgerBulk::resetFailureChangesNothing()
{
    Harness h;
    const qint64 a = addRow(h, {"1", "09.12.2026", 100.0});
    const qint64 b = addRow(h, {"1", "10.12.2026", 20.0});
    const qint64 c = addRow(h, {"1", "10.12.2026", 30.0});
    addCash(h);
    // The second row refuses: the first, already deleted, must come back.
    QVERIFY(h.exec(QStringLiteral("CREATE TRIGGER keep_b BEFORE DELETE ON veresiye WHEN old.id = %1 "
                                  "BEGIN SELECT RAISE(ABORT, 'satır kilitli'); END")
                       .arg(b)));
    const auto rows = ledger(h);
    const auto rest = others(h);
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    const Result r = resetAccount(db, "1", {a, b, c});
    QVERIFY(!r.ok);
    QVERIFY2(r.reason.startsWith(kResetFailed + QLatin1Char('\n')), qPrintable(r.reason));
    QVERIFY2(r.reason.contains(QStringLiteral("satır kilitli")), qPrintable(r.reason));
    QCOMPARE(ledger(h), rows);
    QCOMPARE(others(h), rest);
}

// ---------------------------------------------------------------- prices from stock

void TestLedgerBulk::reprice_data()
{
    QTest::addColumn<Row>("row");
    QTest::addColumn<QVariantList>("products"); // code, price, code, price ...
    QTest::addColumn<bool>("legacyCodes");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QVariant>("amount");

    const auto repriced = int(Repricing::Repriced);
    QTest::newRow("quantity 3 at 12,5")
        << Row{"1", "01.12.2026", 30.0, {}, "A1", "10,00", "3"} << QVariantList{"A1", 12.5} << false
        << repriced << "12,50" << QVariant(37.5);
    QTest::newRow("price rounded before the amount")
        << Row{"1", "01.12.2026", 2.0, {}, "A1", "1,00", "2"} << QVariantList{"A1", 1.237} << false
        << repriced << "1,24" << QVariant(2.48);
    QTest::newRow("grouped price") << Row{"1", "01.12.2026", 10.0, {}, "A1", "5,00", "2"}
                                   << QVariantList{"A1", 1234.5} << false << repriced << "1.234,50"
                                   << QVariant(2469.0);
    QTest::newRow("decimal quantity")
        << Row{"1", "01.12.2026", 10.0, {}, "A1", "5,00", "1,5"} << QVariantList{"A1", 3.0} << false
        << repriced << "3,00" << QVariant(4.5);
    QTest::newRow("debit without unit price")
        << Row{"1", "01.12.2026", 30.0, {}, "A1", "", "3"} << QVariantList{"A1", 12.5} << false << repriced
        << "12,50" << QVariant(37.5);
    QTest::newRow("unit price without debit")
        << Row{"1", "01.12.2026", {}, {}, "A1", "10,00", "3"} << QVariantList{"A1", 12.5} << false << repriced
        << "12,50" << QVariant(37.5);
    QTest::newRow("two products of one code: the lower id")
        << Row{"1", "01.12.2026", 2.0, {}, "A1", "1,00", "2"} << QVariantList{"A1", 5.0, "a1", 7.0} << true
        << repriced << "5,00" << QVariant(10.0);
    QTest::newRow("code matched ignoring case")
        << Row{"1", "01.12.2026", 2.0, {}, "ab", "1,00", "2"} << QVariantList{"AB", 4.0} << false << repriced
        << "4,00" << QVariant(8.0);
    QTest::newRow("A* takes no price of AB")
        << Row{"1", "01.12.2026", 2.0, {}, "A*", "1,00", "2"} << QVariantList{"AB", 4.0} << false
        << int(Repricing::NoProduct) << "1,00" << QVariant(2.0);
    QTest::newRow("A% takes no price of AB")
        << Row{"1", "01.12.2026", 2.0, {}, "A%", "1,00", "2"} << QVariantList{"AB", 4.0} << false
        << int(Repricing::NoProduct) << "1,00" << QVariant(2.0);
    QTest::newRow("payment row") << Row{"1", "01.12.2026", {}, 50.0, "", "", ""} << QVariantList{"A1", 4.0}
                                 << false << int(Repricing::NoProductCode) << "" << QVariant();
    QTest::newRow("no product code") << Row{"1", "01.12.2026", 20.0, {}, "", "10,00", "2"}
                                     << QVariantList{"A1", 4.0} << false << int(Repricing::NoProductCode)
                                     << "10,00" << QVariant(20.0);
    QTest::newRow("neither price nor debit")
        << Row{"1", "01.12.2026", {}, {}, "A1", "", "2"} << QVariantList{"A1", 4.0} << false
        << int(Repricing::NoPriceOrDebit) << "" << QVariant();
    QTest::newRow("quantity x: price only")
        << Row{"1", "01.12.2026", 30.0, {}, "A1", "10,00", "x"} << QVariantList{"A1", 12.5} << false
        << repriced << "12,50" << QVariant(30.0);
    QTest::newRow("empty quantity: price only")
        << Row{"1", "01.12.2026", 30.0, {}, "A1", "10,00", ""} << QVariantList{"A1", 12.5} << false
        << repriced << "12,50" << QVariant(30.0);
    QTest::newRow("product without a sale price")
        << Row{"1", "01.12.2026", 30.0, {}, "A1", "10,00", "3"} << QVariantList{"A1", QVariant()} << false
        << int(Repricing::NoPrice) << "10,00" << QVariant(30.0);
}

void TestLedgerBulk::reprice()
{
    QFETCH(Row, row);
    QFETCH(QVariantList, products);
    QFETCH(bool, legacyCodes);
    QFETCH(int, outcome);
    QFETCH(QString, price);
    QFETCH(QVariant, amount);
    Harness h;
    if (legacyCodes)
        dropUniqueCodes(h);
    for (int i = 0; i + 1 < products.size(); i += 2)
        addProduct(h, products.at(i).toString(), products.at(i + 1));
    const qint64 id = addRow(h, row);
    const qint64 neighbour = addRow(h, {"1", "02.12.2026", 1.0, {}, row.productCode, "1,00", "1"});
    addCash(h);
    const auto rest = others(h);
    const QString columns = QStringLiteral("Tarih, Saat, Turu, Aciklama, Miktar, Birim, Odenen, Tarih2, "
                                           "UygFiyat, islemNo2, ProductCode, form_kodu, mus_kodu");
    const auto fixedBefore =
        h.rows(QStringLiteral("SELECT %1 FROM veresiye WHERE id = ?").arg(columns), {id});
    const auto neighbourBefore = h.rows(QStringLiteral("SELECT * FROM veresiye WHERE id = ?"), {neighbour});

    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    Repricing got = Repricing::Missing;
    const Result r = repriceEntry(db, id, &got);
    QVERIFY2(r.ok, qPrintable(r.reason));
    QCOMPARE(int(got), outcome);
    QCOMPARE(h.value(QStringLiteral("SELECT BirimFiyat FROM veresiye WHERE id = ?"), {id}).toString(), price);
    const QVariant stored = h.value(QStringLiteral("SELECT Eklenen FROM veresiye WHERE id = ?"), {id});
    QCOMPARE(stored.isNull(), amount.isNull());
    if (!amount.isNull())
        QCOMPARE(stored.toDouble(), amount.toDouble());
    // Nothing else of the row, of the other rows or of the other tables moves.
    QCOMPARE(h.rows(QStringLiteral("SELECT %1 FROM veresiye WHERE id = ?").arg(columns), {id}), fixedBefore);
    QCOMPARE(h.rows(QStringLiteral("SELECT * FROM veresiye WHERE id = ?"), {neighbour}), neighbourBefore);
    QCOMPARE(others(h), rest);
}

void TestLedgerBulk::repriceMissingRow()
{
    Harness h;
    addProduct(h, "A1", 5);
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    Repricing got = Repricing::Repriced;
    QVERIFY(repriceEntry(db, 4711, &got).ok);
    QCOMPARE(got, Repricing::Missing);
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM veresiye")).toInt(), 0);
}

void TestLedgerBulk::repriceFailureChangesNothing()
{
    Harness h;
    addProduct(h, "A1", 12.5);
    const qint64 id = addRow(h, {"1", "01.12.2026", 30.0, {}, "A1", "10,00", "3"});
    QVERIFY(h.exec(QStringLiteral("CREATE TRIGGER keep_prices BEFORE UPDATE ON veresiye "
                                  "BEGIN SELECT RAISE(ABORT, 'fiyat kilitli'); END")));
    const auto rows = ledger(h);
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    const Result r = repriceEntry(db, id);
    QVERIFY(!r.ok);
    QVERIFY2(r.reason.startsWith(kRepriceFailed + QLatin1Char('\n')), qPrintable(r.reason));
    QVERIFY2(r.reason.contains(QStringLiteral("fiyat kilitli")), qPrintable(r.reason));
    QCOMPARE(ledger(h), rows);
}

void TestLedgerBulk::priceSourceLowestId()
{
    Harness h;
    dropUniqueCodes(h);
    addProduct(h, "B7", QVariant());
    addProduct(h, "B7", 9.0);
    addProduct(h, "B70", 1.0);
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    const auto found = priceSource(db, "B7");
    QVERIFY(found.has_value());
    QCOMPARE(found->id, h.value(QStringLiteral("SELECT min(id) FROM Product")).toLongLong());
    QVERIFY(!found->price.has_value());
    QVERIFY(!priceSource(db, "B").has_value());
    QVERIFY(!priceSource(db, "B_").has_value());
    QVERIFY(!priceSource(db, "").has_value());
}

QTEST_MAIN(TestLedgerBulk)
#include "test_ledger_bulk.moc"
