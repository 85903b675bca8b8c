// The customer-number counter: it only moves up, and an unreadable counter is no number.
// Account sums tell "no entries" from "not read".
#include "app/ledger/Customers.h"
#include "app/ledger/LedgerWrite.h"
#include "platform/data/Database.h"
#include "tests/harness/Harness.h"

#include <QtTest>

using pv::test::Harness;

class TestLedgerCounter : public QObject
{
    Q_OBJECT
private slots:
    void takenNumber_data();
    void takenNumber();
    void unreadableCounter();
    void unreadableTotals();
};

void TestLedgerCounter::takenNumber_data()
{
    QTest::addColumn<qint64>("taken");
    QTest::addColumn<qint64>("after");
    QTest::newRow("below the counter") << qint64(41) << qint64(43);
    QTest::newRow("the counter itself") << qint64(43) << qint64(43);
    QTest::newRow("the next one") << qint64(44) << qint64(44);
    QTest::newRow("far above") << qint64(500) << qint64(500);
}

void TestLedgerCounter::takenNumber()
{
    QFETCH(qint64, taken);
    QFETCH(qint64, after);
    Harness h;
    QVERIFY(h.exec(QStringLiteral("UPDATE son_musterino SET musterino = 43")));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    {
        pv::ledger::LedgerTransaction t(db);
        QVERIFY(pv::ledger::takeCustomerNumber(t, db, taken));
        QVERIFY(t.commit());
    }
    QCOMPARE(h.value(QStringLiteral("SELECT musterino FROM son_musterino")).toLongLong(), after);
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM son_musterino")).toInt(), 1);
}

void TestLedgerCounter::unreadableCounter()
{
    Harness h;
    QVERIFY(h.exec(QStringLiteral("ALTER TABLE son_musterino RENAME TO son_musterino_t")));
    QVERIFY(h.exec(QStringLiteral(
        "CREATE VIEW son_musterino AS SELECT * FROM son_musterino_t WHERE json('bozuk') IS NOT NULL")));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(!pv::ledger::customerNumber(db));
    QString why;
    pv::ledger::LedgerTransaction t(db);
    QVERIFY(!pv::ledger::takeCustomerNumber(t, db, 500, &why));
    QVERIFY(!why.isEmpty());
}

void TestLedgerCounter::unreadableTotals()
{
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    const auto none = pv::ledger::customerTotals(db, QStringLiteral("100"));
    QVERIFY(none.ok());
    QCOMPARE(none.balance(), 0.0);
    QVERIFY(h.exec(QStringLiteral("ALTER TABLE veresiye RENAME TO veresiye_t")));
    QVERIFY(h.exec(
        QStringLiteral("CREATE VIEW veresiye AS SELECT * FROM veresiye_t WHERE json('bozuk') IS NOT NULL")));
    const auto all = pv::ledger::customerTotals(db, QStringLiteral("100"));
    QVERIFY(!all.ok());
    QCOMPARE(all.error, QStringLiteral("Veri tabanı işlemi yapılamadı."));
    const auto range =
        pv::ledger::rangeTotals(db, QStringLiteral("100"), QDate(2026, 12, 1), QDate(2026, 12, 10));
    QVERIFY(!range.ok());
}

QTEST_MAIN(TestLedgerCounter)
#include "test_ledger_counter.moc"
