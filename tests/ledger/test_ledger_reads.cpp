// Sums, counts and counters that cannot be read: "no rows" is 0, "not read" is an error that
// no operation turns into a figure, a stored total or a receipt number.
#include "app/ledger/Bank.h"
#include "app/ledger/CashBook.h"
#include "app/ledger/Customers.h"
#include "app/ledger/Postings.h"
#include "app/ledger/ReceiptNumbers.h"
#include "platform/data/Database.h"
#include "tests/harness/Harness.h"

#include <QtTest>

using pv::test::Harness;

namespace
{

enum Read { CashBalanceRead, CashTotalsRead, BankTotalsRead, CustomerTotalsRead };

// Whether the read gave a figure (empty) or the reason it gave none, and the figure.
std::pair<QString, double> readOnce(pv::Database &db, Read read)
{
    switch (read) {
    case CashBalanceRead: {
        const auto b = pv::ledger::cashBalance(db);
        return {b.error, b.balance()};
    }
    case CashTotalsRead: {
        const auto t = pv::ledger::cashTotals(db, QStringLiteral("20260101"), QStringLiteral("20261231"));
        return {t.error, t.remaining()};
    }
    case BankTotalsRead: {
        const auto t = pv::ledger::bankTotals(db, QStringLiteral("TR1"));
        return {t.error, t.balance()};
    }
    case CustomerTotalsRead: {
        const auto t = pv::ledger::customerTotals(db, QStringLiteral("5"));
        // The balance alone tells a failed read too.
        if (pv::ledger::balance(db, QStringLiteral("5")).has_value() != t.ok())
            return {QStringLiteral("balance disagrees"), 0};
        return {t.error, t.balance()};
    }
    }
    return {};
}

QStringList dump(Harness &h, const QString &table)
{
    QStringList out;
    for (const QVariantList &row : h.rows(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(table))) {
        QStringList cells;
        for (const QVariant &v : row)
            cells << v.toString();
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

} // namespace

class TestLedgerReads : public QObject
{
    Q_OBJECT
private slots:
    void sums_data();
    void sums();
    void unreadBankTotalsAreNotStored();
    void unreadMovementsKeepTheAccount();
    void unreadReceiptCounterOffersNoNumber();
    void unreadCustomerReceiptCounterPostsNothing();
};

void TestLedgerReads::sums_data()
{
    QTest::addColumn<int>("read");
    QTest::addColumn<QString>("table");
    QTest::newRow("carried cash balance") << int(CashBalanceRead) << QStringLiteral("kasa");
    QTest::newRow("cash range totals") << int(CashTotalsRead) << QStringLiteral("kasa");
    QTest::newRow("bank totals") << int(BankTotalsRead) << QStringLiteral("banka2");
    QTest::newRow("account totals") << int(CustomerTotalsRead) << QStringLiteral("veresiye");
}

void TestLedgerReads::sums()
{
    QFETCH(int, read);
    QFETCH(QString, table);
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    // No rows: a figure, 0.
    const auto none = readOnce(db, Read(read));
    QCOMPARE(none.first, QString());
    QCOMPARE(none.second, 0.0);
    // Not read: no figure, and the reason in Turkish.
    QVERIFY(h.breakReadsOf(table));
    QCOMPARE(readOnce(db, Read(read)).first, QStringLiteral("Veri tabanı işlemi yapılamadı."));
}

void TestLedgerReads::unreadBankTotalsAreNotStored()
{
    Harness h;
    QVERIFY(h.insert(QStringLiteral("banka"), {{QStringLiteral("HesapNo"), QStringLiteral("TR1")},
                                               {QStringLiteral("Giren"), 500.0},
                                               {QStringLiteral("Cikan"), 100.0},
                                               {QStringLiteral("Bakiye"), 400.0}}));
    QVERIFY(h.breakReadsOf(QStringLiteral("banka2")));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    const pv::ledger::BankTotals t = pv::ledger::bankTotals(db, QStringLiteral("TR1"));
    QVERIFY(!t.ok());
    QVERIFY(!pv::ledger::storeBankTotals(db, QStringLiteral("TR1"), t).ok);
    QCOMPARE(h.rows(QStringLiteral("SELECT Giren, Cikan, Bakiye FROM banka")),
             (QList<QVariantList>{{500.0, 100.0, 400.0}}));
}

// Movements that cannot be counted are not "no movements": the account is neither deleted
// nor renumbered away from them.
void TestLedgerReads::unreadMovementsKeepTheAccount()
{
    Harness h;
    QVERIFY(h.insert(QStringLiteral("banka"), {{QStringLiteral("HesapNo"), QStringLiteral("TR1")}}));
    QVERIFY(h.insert(QStringLiteral("banka2"), {{QStringLiteral("Banka_Kodu"), QStringLiteral("TR1")},
                                                {QStringLiteral("Giren"), 50.0}}));
    QVERIFY(h.breakReadsOf(QStringLiteral("banka2")));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(!pv::ledger::bankHasMovements(db, QStringLiteral("TR1")));
    const qint64 id = h.value(QStringLiteral("SELECT id FROM banka")).toLongLong();
    const pv::ledger::Result deleted = pv::ledger::deleteBankAccount(db, id);
    QVERIFY(!deleted.ok);
    QVERIFY2(deleted.reason.contains(QStringLiteral("Veri tabanı işlemi yapılamadı.")),
             qPrintable(deleted.reason));
    pv::ledger::BankAccount renamed{QStringLiteral("Ziraat"), {}, {}, QStringLiteral("TR2"), {}};
    QVERIFY(!pv::ledger::updateBankAccount(db, id, renamed).ok);
    QCOMPARE(h.value(QStringLiteral("SELECT HesapNo FROM banka")).toString(), QStringLiteral("TR1"));
}

void TestLedgerReads::unreadReceiptCounterOffersNoNumber()
{
    Harness h;
    QVERIFY(h.exec(QStringLiteral("UPDATE son_islemno SET islemno = 41")));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QCOMPARE(pv::ledger::offerReceiptNumber(db), std::optional<qint64>(42));
    QVERIFY(h.breakReadsOf(QStringLiteral("son_islemno")));
    QString why;
    QVERIFY(!pv::ledger::offerReceiptNumber(db, &why)); // not 1
    QCOMPARE(why, QStringLiteral("Veri tabanı işlemi yapılamadı."));
}

// A collection with a receipt whose counter cannot be read: no receipt numbered 0, no
// counter moved on from it, and the posting taken back.
void TestLedgerReads::unreadCustomerReceiptCounterPostsNothing()
{
    Harness h;
    QVERIFY(h.exec(QStringLiteral("UPDATE yedek_yeri SET yolu = 7")));
    QVERIFY(h.breakReadsOf(QStringLiteral("yedek_yeri")));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    const QStringList veresiye = dump(h, QStringLiteral("veresiye")), kasa = dump(h, QStringLiteral("kasa"));
    const QDateTime at(QDate(2026, 12, 10), QTime(10, 0));
    const pv::ledger::CollectionEntry entry{QStringLiteral("5"),
                                            QStringLiteral("Alıcı"),
                                            at.date(),
                                            at.time(),
                                            QStringLiteral("ÖDEME"),
                                            QStringLiteral("Nakit"),
                                            100,
                                            QStringLiteral("TAHSİLAT"),
                                            at,
                                            at,
                                            true};
    bool printed = false;
    const pv::ledger::Result r = pv::ledger::postCollection(db, entry, nullptr, [&](qint64, const QString &) {
        printed = true;
        return true;
    });
    QVERIFY(!r.ok);
    QCOMPARE(r.reason, QStringLiteral("Makbuz numarası okunamadı: Veri tabanı işlemi yapılamadı."));
    QVERIFY(!printed);
    QCOMPARE(dump(h, QStringLiteral("veresiye")), veresiye);
    QCOMPARE(dump(h, QStringLiteral("kasa")), kasa);
    QCOMPARE(h.value(QStringLiteral("SELECT yolu FROM yedek_yeri_t")).toLongLong(), qint64(7));
}

QTEST_MAIN(TestLedgerReads)
#include "test_ledger_reads.moc"
