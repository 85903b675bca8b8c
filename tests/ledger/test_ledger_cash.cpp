// The cash book's writes without a window: entries with their receipt numbers, rows of
// other writers, deleting with the linked account rows, and the sums the window shows.
#include "app/ledger/CashBook.h"
#include "app/ledger/Customers.h"
#include "app/ledger/ReceiptNumbers.h"
#include "platform/data/Database.h"
#include "tests/harness/Harness.h"

#include <QtTest>

using pv::test::Harness;
using namespace pv::ledger;

namespace
{

const QDate kDay(2026, 12, 10);
const QTime kTime(9, 15, 30);

// Every row of the tables a cash write may touch, to compare before and after.
QList<QVariantList> snapshot(Harness &h)
{
    QList<QVariantList> all = h.rows(QStringLiteral("SELECT * FROM kasa ORDER BY id"));
    all += h.rows(QStringLiteral("SELECT * FROM veresiye ORDER BY id"));
    all += h.rows(QStringLiteral("SELECT * FROM son_islemno"));
    return all;
}

qint64 addKasa(Harness &h, const QString &tur, double amount, const QVariant &posting,
               const QString &key = "20261210")
{
    QVariantMap m{{"Tarih", "10.12.2026"}, {"Saat", "08:00:00"}, {"Tur", tur},
                  {"Aciklama", "x"},       {"Tarih2", key},      {"islemNo2", posting}};
    m.insert(tur == QStringLiteral("Giren") ? "Giren" : "Cikan", amount);
    h.insert(QStringLiteral("kasa"), m);
    return h.value(QStringLiteral("SELECT max(id) FROM kasa")).toLongLong();
}

void addLedger(Harness &h, const QString &customer, const QVariant &posting)
{
    h.insert(QStringLiteral("veresiye"), {{"Tarih", "10.12.2026"},
                                          {"Saat", "08:00:00"},
                                          {"Turu", "Tahsilat"},
                                          {"Odenen", 100},
                                          {"Tarih2", "20261210"},
                                          {"mus_kodu", customer},
                                          {"islemNo2", posting}});
}

CashRow plainRow()
{
    CashRow row;
    row.date = kDay;
    row.time = kTime;
    row.description = QStringLiteral("a");
    row.amount = 1;
    return row;
}

} // namespace

class TestLedgerCash : public QObject
{
    Q_OBJECT

private slots:
    void entry_data();
    void entry();
    void entryReceiptNumber_data();
    void entryReceiptNumber();
    void entryFailureChangesNothing_data();
    void entryFailureChangesNothing();
    void rowOfAnotherWriter();
    void rowJoinsCallersTransaction();
    void deleteWithLinkedRows_data();
    void deleteWithLinkedRows();
    void deleteFailureChangesNothing_data();
    void deleteFailureChangesNothing();
    void deleteMissingRow();
    void deleteStoresTheAccountsBalances_data();
    void deleteStoresTheAccountsBalances();
    void balanceAndTotals();
};

void TestLedgerCash::entry_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("tur");
    QTest::addColumn<QVariant>("giren");
    QTest::addColumn<QVariant>("cikan");
    QTest::newRow("money in") << int(CashDirection::In) << 1500.0 << "Giren" << QVariant(1500.0)
                              << QVariant();
    QTest::newRow("money out") << int(CashDirection::Out) << 250.5 << "Çıkan" << QVariant()
                               << QVariant(250.5);
    QTest::newRow("negative in") << int(CashDirection::In) << -20.0 << "Giren" << QVariant(-20.0)
                                 << QVariant();
    QTest::newRow("zero out") << int(CashDirection::Out) << 0.0 << "Çıkan" << QVariant() << QVariant(0.0);
}

void TestLedgerCash::entry()
{
    QFETCH(int, direction);
    QFETCH(double, amount);
    QFETCH(QString, tur);
    QFETCH(QVariant, giren);
    QFETCH(QVariant, cikan);
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    qint64 id = 0;
    const Result r = addCashEntry(
        db, {CashDirection(direction), QDate(2026, 3, 8), kTime, QStringLiteral("Kira"), amount, "1"}, &id);
    QVERIFY2(r.ok, qPrintable(r.reason));
    const auto rows =
        h.rows(QStringLiteral("SELECT id, mus_kodu, Tarih, Saat, Tur, Aciklama, Giren, Cikan, Tarih2, "
                              "islemNo, islemNo2, OdemeSekli FROM kasa"));
    QCOMPARE(rows.size(), 1);
    const QVariantList &row = rows.first();
    QCOMPARE(row[0].toLongLong(), id);
    QVERIFY(row[1].isNull());
    QCOMPARE(row[2].toString(), QStringLiteral("08.03.2026"));
    QCOMPARE(row[3].toString(), QStringLiteral("09:15:30"));
    QCOMPARE(row[4].toString(), tur);
    QCOMPARE(row[5].toString(), QStringLiteral("Kira"));
    QCOMPARE(row[6].isNull(), giren.isNull());
    QCOMPARE(row[7].isNull(), cikan.isNull());
    if (!giren.isNull())
        QCOMPARE(row[6].toDouble(), giren.toDouble());
    if (!cikan.isNull())
        QCOMPARE(row[7].toDouble(), cikan.toDouble());
    QCOMPARE(row[8].toString(), QStringLiteral("20260308"));
    QCOMPARE(row[9].toString(), QStringLiteral("1"));
    QVERIFY(row[10].isNull());
    QVERIFY(row[11].isNull());
}

void TestLedgerCash::entryReceiptNumber_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<qint64>("counterAfter");
    QTest::newRow("the offered number") << "42" << qint64(42);
    QTest::newRow("above: a new receipt book") << "500" << qint64(500);
    QTest::newRow("below") << "7" << qint64(7);
    QTest::newRow("no whole number") << "12a" << qint64(41);
    QTest::newRow("past 32 bits") << "9999999999" << qint64(9999999999);
}

void TestLedgerCash::entryReceiptNumber()
{
    QFETCH(QString, typed);
    QFETCH(qint64, counterAfter);
    Harness h;
    QVERIFY(h.exec(QStringLiteral("UPDATE son_islemno SET islemno = 41")));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(addCashEntry(db, {CashDirection::In, kDay, kTime, QString(), 10, typed}).ok);
    QCOMPARE(h.value(QStringLiteral("SELECT islemNo FROM kasa")).toString(), typed);
    QCOMPARE(h.value(QStringLiteral("SELECT islemno FROM son_islemno")).toLongLong(), counterAfter);
    QCOMPARE(offerReceiptNumber(db).value_or(0), counterAfter + 1);
}

void TestLedgerCash::entryFailureChangesNothing_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<QString>("reason");
    QTest::newRow("row refused")
        << "CREATE TRIGGER no_kasa BEFORE INSERT ON kasa BEGIN SELECT RAISE(ABORT, 'kasa kilitli'); END"
        << "kasa kilitli";
    QTest::newRow("counter refused") << "CREATE TRIGGER no_counter BEFORE UPDATE ON son_islemno BEGIN SELECT "
                                        "RAISE(ABORT, 'sayaç kilitli'); END"
                                     << "Fiş numarası sayaca yazılamadı.";
}

void TestLedgerCash::entryFailureChangesNothing()
{
    QFETCH(QString, trigger);
    QFETCH(QString, reason);
    Harness h;
    QVERIFY(h.exec(QStringLiteral("UPDATE son_islemno SET islemno = 41")));
    addKasa(h, QStringLiteral("Giren"), 5, QVariant());
    QVERIFY(h.exec(trigger));
    const auto before = snapshot(h);
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    const Result r = addCashEntry(db, {CashDirection::In, kDay, kTime, QStringLiteral("Kira"), 10, "42"});
    QVERIFY(!r.ok);
    QVERIFY2(r.reason.startsWith(kCashSaveFailed + QLatin1Char('\n')), qPrintable(r.reason));
    QVERIFY2(r.reason.contains(reason), qPrintable(r.reason));
    QCOMPARE(snapshot(h), before);
    QVERIFY(!db.inTransaction());
}

void TestLedgerCash::rowOfAnotherWriter()
{
    Harness h;
    QVERIFY(h.exec(QStringLiteral("UPDATE son_islemno SET islemno = 41")));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    CashRow row;
    row.direction = CashDirection::Out;
    row.date = kDay;
    row.time = kTime;
    row.description = QStringLiteral("Bankaya Yatırılan / günlük");
    row.amount = 500;
    row.receiptNumber = QStringLiteral("57");
    row.customerCode = QStringLiteral("0");
    row.postingId = QStringLiteral("Bankaya Yatırılan");
    row.paymentKind = QStringLiteral("Banka");
    QVERIFY(addCashRow(db, row).ok);
    const auto rows =
        h.rows(QStringLiteral("SELECT mus_kodu, Tur, Cikan, Giren, islemNo, islemNo2, OdemeSekli FROM kasa"));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0], (QVariantList{"0", "Çıkan", 500.0, QVariant(), "57", "Bankaya Yatırılan", "Banka"}));
    // A row of another writer leaves the counter to that writer.
    QCOMPARE(h.value(QStringLiteral("SELECT islemno FROM son_islemno")).toLongLong(), qint64(41));

    // Nothing is written for a row that cannot be stored.
    row.amount = 1e13;
    const Result tooLarge = addCashRow(db, row);
    QVERIFY(!tooLarge.ok);
    QVERIFY(tooLarge.reason.contains(QStringLiteral("999.999.999.999,99")));
    row.amount = 1;
    row.date = QDate();
    QVERIFY(!addCashRow(db, row).ok);
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM kasa")).toInt(), 1);
}

void TestLedgerCash::rowJoinsCallersTransaction()
{
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    {
        pv::Transaction outer(db);
        QVERIFY(addCashRow(db, plainRow()).ok);
        // The caller's later step fails: its transaction ends without a commit.
    }
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM kasa")).toInt(), 0);
    {
        pv::Transaction outer(db);
        QVERIFY(addCashRow(db, plainRow()).ok);
        QVERIFY(outer.commit());
    }
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM kasa")).toInt(), 1);
}

void TestLedgerCash::deleteWithLinkedRows_data()
{
    QTest::addColumn<QVariant>("posting");
    QTest::addColumn<int>("ledgerLeft");
    // Fixture: ledger rows "081226143005" (two customers), "Bankaya Yatırılan"-free rows,
    // one with an empty posting id and one with none; 5 in all.
    QTest::newRow("a collection: both halves, any customer") << QVariant("081226143005") << 3;
    QTest::newRow("an own entry without posting id") << QVariant() << 5;
    QTest::newRow("an empty posting id") << QVariant("") << 5;
    QTest::newRow("a bank deposit's kind text") << QVariant("Bankaya Yatırılan") << 5;
    QTest::newRow("a posting id with a wildcard") << QVariant("08122614300*") << 5;
}

void TestLedgerCash::deleteWithLinkedRows()
{
    QFETCH(QVariant, posting);
    QFETCH(int, ledgerLeft);
    Harness h;
    addLedger(h, "1", "081226143005");
    addLedger(h, "2", "081226143005");
    addLedger(h, "1", "081226143006");
    addLedger(h, "1", "");
    addLedger(h, "1", QVariant());
    const qint64 other = addKasa(h, QStringLiteral("Giren"), 7, "081226143006");
    const qint64 id = addKasa(h, QStringLiteral("Giren"), 100, posting);
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    const Result r = deleteCashRow(db, id);
    QVERIFY2(r.ok, qPrintable(r.reason));
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM veresiye")).toInt(), ledgerLeft);
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM veresiye WHERE islemNo2 = '081226143006'")).toInt(),
             1);
    QCOMPARE(h.rows(QStringLiteral("SELECT id FROM kasa")), (QList<QVariantList>{{other}}));
}

void TestLedgerCash::deleteFailureChangesNothing_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::newRow("ledger row refused")
        << "CREATE TRIGGER keep_ledger BEFORE DELETE ON veresiye BEGIN SELECT RAISE(ABORT, 'kilitli'); END";
    QTest::newRow("cash row refused")
        << "CREATE TRIGGER keep_cash BEFORE DELETE ON kasa BEGIN SELECT RAISE(ABORT, 'kilitli'); END";
}

void TestLedgerCash::deleteFailureChangesNothing()
{
    QFETCH(QString, trigger);
    Harness h;
    addLedger(h, "1", "081226143005");
    const qint64 id = addKasa(h, QStringLiteral("Giren"), 100, "081226143005");
    QVERIFY(h.exec(trigger));
    const auto before = snapshot(h);
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    const Result r = deleteCashRow(db, id);
    QVERIFY(!r.ok);
    QVERIFY2(r.reason.startsWith(kCashDeleteFailed + QLatin1Char('\n')), qPrintable(r.reason));
    QVERIFY(r.reason.contains(QStringLiteral("kilitli")));
    QCOMPARE(snapshot(h), before);
}

void TestLedgerCash::deleteMissingRow()
{
    Harness h;
    addLedger(h, "1", "081226143005");
    const qint64 id = addKasa(h, QStringLiteral("Giren"), 100, "081226143005");
    QVERIFY(h.exec(QStringLiteral("DELETE FROM kasa")));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(!deleteCashRow(db, id).ok);
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM veresiye")).toInt(), 1);
}

void TestLedgerCash::deleteStoresTheAccountsBalances_data()
{
    QTest::addColumn<QVariant>("posting");
    QTest::addColumn<QVariantList>("balances"); // of customers 1, 2 and 3 afterwards
    // Stored before: 11, 7 and 5, none of them what the rows say.
    QTest::newRow("a collection of one account") << QVariant("081226143006") << QVariantList{190.0, 7.0, 5.0};
    QTest::newRow("a posting two accounts carry")
        << QVariant("081226143005") << QVariantList{120.0, 50.0, 5.0};
    QTest::newRow("an own entry: no account row goes") << QVariant() << QVariantList{11.0, 7.0, 5.0};
}

void TestLedgerCash::deleteStoresTheAccountsBalances()
{
    QFETCH(QVariant, posting);
    QFETCH(QVariantList, balances);
    Harness h;
    const double stale[] = {11, 7, 5};
    for (int c = 0; c < 3; ++c)
        QVERIFY(
            h.insert(QStringLiteral("musteriler"), {{"mus_kodu", QString::number(c + 1)},
                                                    {"MusteriFirma", QStringLiteral("Müşteri %1").arg(c + 1)},
                                                    {"Turu", "Alıcı"},
                                                    {"Bakiye", stale[c]},
                                                    {"Sonislem", "2026-12-01"},
                                                    {"Gun", 9},
                                                    {"Sonislem2", "20261201"}}));
    auto row = [&](const QString &customer, const char *side, double amount, const QVariant &id) {
        h.insert(QStringLiteral("veresiye"), {{"Tarih", "09.12.2026"},
                                              {"Tarih2", "20261209"},
                                              {side, amount},
                                              {"mus_kodu", customer},
                                              {"islemNo2", id}});
    };
    // Customer 1 owes 220,004 (220,00 on screen), paid 100 and 30; customer 2 owes 50,
    // paid 100 with the same posting as customer 1's 30; customer 3 has no rows.
    row("1", "Eklenen", 220.004, {});
    row("1", "Odenen", 100, "081226143006");
    row("1", "Odenen", 30, "081226143005");
    row("2", "Eklenen", 50, {});
    row("2", "Odenen", 100, "081226143005");
    const qint64 id = addKasa(h, QStringLiteral("Giren"), 100, posting);
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    const Result r = deleteCashRow(db, id);
    QVERIFY2(r.ok, qPrintable(r.reason));
    // The balance as the account window stores it; the dates of the last entry stay.
    const auto rows = h.rows(QStringLiteral("SELECT Bakiye, typeof(Bakiye), Sonislem, Gun, Sonislem2 "
                                            "FROM musteriler ORDER BY id"));
    for (int c = 0; c < 3; ++c) {
        QCOMPARE(rows[c][0].toDouble(), balances[c].toDouble());
        QCOMPARE(rows[c][1].toString(), QStringLiteral("real"));
        QCOMPARE(rows[c].mid(2), (QVariantList{"2026-12-01", 9, "20261201"}));
    }
}

void TestLedgerCash::balanceAndTotals()
{
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QCOMPARE(cashBalance(db).balance(), 0.0);
    // Beyond seven significant digits: single precision would give 1234568.
    addKasa(h, QStringLiteral("Giren"), 1234567.89, QVariant(), "20240101");
    QCOMPARE(cashBalance(db).balance(), 1234567.89);
    QVERIFY(h.exec(QStringLiteral("DELETE FROM kasa")));

    auto add = [&](const QString &tur, double amount, const QVariant &kind, const QString &key) {
        addKasa(h, tur, amount, QVariant(), key);
        QVERIFY(h.exec(QStringLiteral("UPDATE kasa SET OdemeSekli = ? WHERE id = (SELECT max(id) FROM kasa)"),
                       {kind}));
    };
    add(QStringLiteral("Giren"), 100, "Nakit", "20240301");
    add(QStringLiteral("Giren"), 40, "POS", "20240315");
    add(QStringLiteral("Giren"), 7, QVariant(), "20240331"); // an own entry: in neither payment total
    add(QStringLiteral("Çıkan"), 30, QVariant(), "20240310");
    add(QStringLiteral("Giren"), 1000, "Nakit", "20240401"); // outside the range
    add(QStringLiteral("Çıkan"), 5, QVariant(), "20240229"); // outside the range
    const CashTotals t = cashTotals(db, "20240301", "20240331");
    QCOMPARE(t.in, 147.0);
    QCOMPARE(t.out, 30.0);
    QCOMPARE(t.remaining(), 117.0);
    QCOMPARE(t.cash, 100.0);
    QCOMPARE(t.card, 40.0);
    QCOMPARE(cashBalance(db).in, 1147.0);
    QCOMPARE(cashBalance(db).out, 35.0);

    const CashTotals onlyOut = cashTotals(db, "20240310", "20240310");
    QCOMPARE(onlyOut.in, 0.0);
    QCOMPARE(onlyOut.remaining(), -30.0);
}

QTEST_MAIN(TestLedgerCash)
#include "test_ledger_cash.moc"
