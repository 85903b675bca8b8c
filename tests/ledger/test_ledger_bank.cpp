// Bank movements and accounts posted without any window: the movement row, its mirror in
// the cash book or a customer's ledger, the shared receipt counter, totals and accounts.
#include "app/ledger/Bank.h"
#include "app/ledger/CashBook.h"
#include "app/ledger/LedgerWrite.h"
#include "app/ledger/ReceiptNumbers.h"
#include "platform/data/Database.h"
#include "tests/harness/Harness.h"

#include <QtTest>

using pv::ledger::BankKind;
using pv::test::Harness;

namespace
{

pv::ledger::BankMovement movement(BankKind kind, double amount = 100)
{
    pv::ledger::BankMovement m;
    m.account = QStringLiteral("TR-100");
    m.kind = kind;
    m.date = QDate(2026, 12, 8);
    m.time = QTime(9, 30);
    m.receiptNo = QStringLiteral("58");
    m.description = QStringLiteral("kira");
    m.amount = amount;
    m.customer = QStringLiteral("12");
    m.postedOn = QDate(2026, 12, 10);
    return m;
}

QList<QVariantList> everyRow(Harness &h)
{
    QList<QVariantList> all;
    for (const char *t : {"banka", "banka2", "kasa", "veresiye", "son_islemno", "musteriler"})
        all += h.rows(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(QLatin1String(t)));
    return all;
}

} // namespace

class TestLedgerBank : public QObject
{
    Q_OBJECT

private slots:
    void kinds();
    void posting_data();
    void posting();
    void bracketedAmountKeepsItsSide();
    void customerKindStoresTheSummary_data();
    void customerKindStoresTheSummary();
    void failedMirrorLeavesNothing_data();
    void failedMirrorLeavesNothing();
    void cashEntryAndBankShareTheSequence();
    void totalsRoundedAndStoredInFirstRow();
    void accounts_data();
    void accounts();
    void renameWithAndWithoutMovements();
    void deleteGuard();
    void deletingMovementKeepsMirror();
    void cashBookDeletesOnlyTheDepositRow();
};

void TestLedgerBank::kinds()
{
    QCOMPARE(pv::ledger::bankKindFromCaption(QStringLiteral("Genel Gelir [Gelir]")), BankKind::GenelGelir);
    QCOMPARE(pv::ledger::bankKindFromCaption(QStringLiteral("Para Çekme")), BankKind::ParaCekme);
    QVERIFY(!pv::ledger::bankKindFromCaption(QStringLiteral("para çekme")));
    QVERIFY(!pv::ledger::bankKindFromCaption(QStringLiteral("Genel Gelir")));
}

void TestLedgerBank::posting_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("moneyIn");
    QTest::addColumn<QString>("mirror"); // "", "kasa", "veresiye"
    QTest::newRow("Para Yatırma") << int(BankKind::ParaYatirma) << "Bankaya Yatırılan" << true << "kasa";
    QTest::newRow("Para Çekme") << int(BankKind::ParaCekme) << "Bankadan Çekilen" << false << "kasa";
    QTest::newRow("Gelen Havale") << int(BankKind::GelenHavale) << "Gelen Havale / Eft" << true << "veresiye";
    QTest::newRow("Gönderilen Havale")
        << int(BankKind::GonderilenHavale) << "Gönderilen Havale / Eft" << false << "veresiye";
    QTest::newRow("Kart Tahsilat") << int(BankKind::KartTahsilat) << "Kredi Kartı İle Tahsilat" << true
                                   << "veresiye";
    QTest::newRow("Kart Ödeme") << int(BankKind::KartOdeme) << "Kredi Kartı İle Ödeme" << false << "veresiye";
    QTest::newRow("Genel Gelir") << int(BankKind::GenelGelir) << "Genel Gelir" << true << "";
    QTest::newRow("Genel Gider") << int(BankKind::GenelGider) << "Genel Gider" << false << "";
}

void TestLedgerBank::posting()
{
    QFETCH(int, kind);
    QFETCH(QString, stored);
    QFETCH(bool, moneyIn);
    QFETCH(QString, mirror);
    Harness h;
    QVERIFY(h.exec(QStringLiteral("UPDATE son_islemno SET islemno = 41")));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    const bool customer = mirror == QLatin1String("veresiye");

    const pv::ledger::Result r = pv::ledger::postBankMovement(db, movement(BankKind(kind), 100));
    QVERIFY2(r.ok, qPrintable(r.reason));

    const auto bank =
        h.rows(QStringLiteral("SELECT Banka_Kodu, Tarih, Saat, Turu, Aciklama, Giren, Cikan, islemNo, "
                              "Tarih2, mus_kodu FROM banka2"));
    QCOMPARE(bank.size(), 1);
    const QVariantList b = bank.first();
    QCOMPARE(b.at(0).toString(), QStringLiteral("TR-100"));
    QCOMPARE(b.at(1).toString(), QStringLiteral("2026-12-08")); // a date value, not text
    QCOMPARE(b.at(2).toString(), QStringLiteral("09:30:00"));
    QCOMPARE(b.at(3).toString(), stored);
    QCOMPARE(b.at(4).toString(), QStringLiteral("kira"));
    QCOMPARE(b.at(5).isNull(), !moneyIn);
    QCOMPARE(b.at(6).isNull(), moneyIn);
    QCOMPARE((moneyIn ? b.at(5) : b.at(6)).toDouble(), 100.0);
    QCOMPARE(b.at(7).toString(), QStringLiteral("58"));
    QCOMPARE(b.at(8).toString(), QStringLiteral("20261208"));
    QCOMPARE(b.at(9).isNull(), !customer);
    if (customer)
        QCOMPARE(b.at(9).toString(), QStringLiteral("12"));
    QCOMPARE(h.value(QStringLiteral("SELECT islemno FROM son_islemno")).toLongLong(), qint64(58));

    const auto cash =
        h.rows(QStringLiteral("SELECT mus_kodu, Tarih, Saat, Tur, Aciklama, Giren, Cikan, Tarih2, "
                              "islemNo, islemNo2, OdemeSekli FROM kasa"));
    const auto ledger =
        h.rows(QStringLiteral("SELECT Tarih, Saat, Turu, Aciklama, Eklenen, Odenen, Tarih2, "
                              "islemNo2, mus_kodu, Miktar, Birim, BirimFiyat, ProductCode FROM "
                              "veresiye"));
    QCOMPARE(cash.size(), mirror == QLatin1String("kasa") ? 1 : 0);
    QCOMPARE(ledger.size(), customer ? 1 : 0);
    if (!cash.isEmpty()) {
        const QVariantList k = cash.first();
        QCOMPARE(k.at(0).toString(), QStringLiteral("0"));
        QCOMPARE(k.at(1).toString(), QStringLiteral("08.12.2026"));
        QCOMPARE(k.at(2).toString(), QStringLiteral("09:30:00"));
        QCOMPARE(k.at(3).toString(), moneyIn ? QStringLiteral("Çıkan") : QStringLiteral("Giren"));
        QCOMPARE(k.at(4).toString(), stored + QStringLiteral(" / kira"));
        QCOMPARE(k.at(5).isNull(), moneyIn); // the till moves the other way
        QCOMPARE(k.at(6).isNull(), !moneyIn);
        QCOMPARE((moneyIn ? k.at(6) : k.at(5)).toDouble(), 100.0);
        QCOMPARE(k.at(7).toString(), QStringLiteral("20261208"));
        QCOMPARE(k.at(8).toString(), QStringLiteral("58"));
        QCOMPARE(k.at(9).toString(), stored);
        QCOMPARE(k.at(10).toString(), QStringLiteral("Banka"));
    }
    if (!ledger.isEmpty()) {
        const QVariantList v = ledger.first();
        QCOMPARE(v.at(0).toString(), QStringLiteral("08.12.2026"));
        QCOMPARE(v.at(1).toString(), QStringLiteral("09:30:00"));
        QCOMPARE(v.at(2).toString(), QStringLiteral("Bankaya Yatan"));
        QCOMPARE(v.at(3).toString(), QStringLiteral("Fiş No: [58] / kira"));
        QCOMPARE(v.at(4).isNull(), moneyIn); // money sent to the customer is a debit
        QCOMPARE(v.at(5).isNull(), !moneyIn);
        QCOMPARE((moneyIn ? v.at(5) : v.at(4)).toDouble(), 100.0);
        QCOMPARE(v.at(6).toString(), QStringLiteral("20261208"));
        QCOMPARE(v.at(7).toString(), stored);
        QCOMPARE(v.at(8).toString(), QStringLiteral("12"));
        for (int i = 9; i < v.size(); ++i)
            QVERIFY(v.at(i).isNull());
    }
}

void TestLedgerBank::bracketedAmountKeepsItsSide()
{
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(pv::ledger::postBankMovement(db, movement(BankKind::ParaYatirma, -50)).ok);
    QVERIFY(pv::ledger::postBankMovement(db, movement(BankKind::KartOdeme, -50)).ok);
    QCOMPARE(h.rows(QStringLiteral("SELECT Giren, Cikan FROM banka2 ORDER BY id")),
             (QList<QVariantList>{{-50.0, QVariant()}, {QVariant(), -50.0}}));
    QCOMPARE(h.rows(QStringLiteral("SELECT Giren, Cikan FROM kasa")),
             (QList<QVariantList>{{QVariant(), -50.0}}));
    QCOMPARE(h.rows(QStringLiteral("SELECT Eklenen, Odenen FROM veresiye")),
             (QList<QVariantList>{{-50.0, QVariant()}}));
}

void TestLedgerBank::customerKindStoresTheSummary_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QVariantList>("summary"); // Bakiye, Sonislem, Gun, Sonislem2 afterwards
    const QVariantList untouched{7.0, "2026-12-01", 9, "20261201"};
    // The account owed 80,004 (80,00 on screen) and stored a stale 7.
    QTest::newRow("Gelen Havale") << int(BankKind::GelenHavale)
                                  << QVariantList{-20.0, "2026-12-10", 0, "20261210"};
    QTest::newRow("Gönderilen Havale")
        << int(BankKind::GonderilenHavale) << QVariantList{180.0, "2026-12-10", 0, "20261210"};
    QTest::newRow("Kart Tahsilat") << int(BankKind::KartTahsilat)
                                   << QVariantList{-20.0, "2026-12-10", 0, "20261210"};
    QTest::newRow("Kart Ödeme") << int(BankKind::KartOdeme)
                                << QVariantList{180.0, "2026-12-10", 0, "20261210"};
    QTest::newRow("Para Yatırma: no account row") << int(BankKind::ParaYatirma) << untouched;
    QTest::newRow("Genel Gelir: no account row") << int(BankKind::GenelGelir) << untouched;
}

void TestLedgerBank::customerKindStoresTheSummary()
{
    QFETCH(int, kind);
    QFETCH(QVariantList, summary);
    Harness h;
    QVERIFY(h.insert(QStringLiteral("musteriler"), {{"mus_kodu", "12"},
                                                    {"MusteriFirma", "Ahmet"},
                                                    {"Turu", "Alıcı"},
                                                    {"Bakiye", 7.0},
                                                    {"Sonislem", "2026-12-01"},
                                                    {"Gun", 9},
                                                    {"Sonislem2", "20261201"}}));
    QVERIFY(h.insert(QStringLiteral("musteriler"), {{"mus_kodu", "13"}, {"Bakiye", 4.0}}));
    QVERIFY(
        h.insert(QStringLiteral("veresiye"),
                 {{"Tarih", "01.12.2026"}, {"Tarih2", "20261201"}, {"Eklenen", 80.004}, {"mus_kodu", "12"}}));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    // Posted on the 10th for a movement dated the 8th: the last entry is the day of posting.
    const pv::ledger::Result r = pv::ledger::postBankMovement(db, movement(BankKind(kind)));
    QVERIFY2(r.ok, qPrintable(r.reason));
    const auto rows = h.rows(QStringLiteral("SELECT Bakiye, Sonislem, Gun, Sonislem2, typeof(Bakiye), "
                                            "typeof(Gun) FROM musteriler ORDER BY id"));
    QCOMPARE(rows[0].mid(0, 4), summary);
    QCOMPARE(rows[0].mid(4), (QVariantList{"real", "integer"}));
    QCOMPARE(rows[1][0].toDouble(), 4.0); // another customer keeps what it has
}

void TestLedgerBank::failedMirrorLeavesNothing_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("table");
    QTest::newRow("deposit, cash row refused") << int(BankKind::ParaYatirma) << "kasa";
    QTest::newRow("transfer, ledger row refused") << int(BankKind::GelenHavale) << "veresiye";
    QTest::newRow("general, movement refused") << int(BankKind::GenelGider) << "banka2";
    QTest::newRow("counter refused") << int(BankKind::ParaCekme) << "son_islemno";
    QTest::newRow("card payment, customer's balance refused") << int(BankKind::KartOdeme) << "musteriler";
}

void TestLedgerBank::failedMirrorLeavesNothing()
{
    QFETCH(int, kind);
    QFETCH(QString, table);
    Harness h;
    QVERIFY(h.exec(QStringLiteral("UPDATE son_islemno SET islemno = 41")));
    QVERIFY(h.insert(QStringLiteral("musteriler"), {{"mus_kodu", "12"}, {"Bakiye", 3.0}}));
    const bool update = table == QLatin1String("son_islemno") || table == QLatin1String("musteriler");
    const QString when = update ? QStringLiteral("UPDATE") : QStringLiteral("INSERT");
    QVERIFY(h.exec(
        QStringLiteral("CREATE TRIGGER refuse BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, 'disk dolu'); END")
            .arg(when, table)));
    const auto before = everyRow(h);
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    const pv::ledger::Result r = pv::ledger::postBankMovement(db, movement(BankKind(kind)));
    QVERIFY(!r.ok);
    // The row writes pass the database's own words on; the counter names itself.
    QVERIFY2(r.reason.contains(table == QLatin1String("son_islemno") ? QStringLiteral("İşlem numarası")
                                                                     : QStringLiteral("disk dolu")),
             qPrintable(r.reason));
    QCOMPARE(everyRow(h), before);
    QVERIFY(!db.inTransaction());
}

void TestLedgerBank::cashEntryAndBankShareTheSequence()
{
    Harness h;
    QVERIFY(h.exec(QStringLiteral("UPDATE son_islemno SET islemno = 70")));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    // A cash entry takes 71 the way the cash book does; the bank is then offered 72.
    {
        pv::ledger::LedgerTransaction t(db);
        QCOMPARE(pv::ledger::offerReceiptNumber(db).value_or(0), qint64(71));
        QVERIFY(pv::ledger::takeReceiptNumber(t, db, QStringLiteral("71")));
        QVERIFY(t.commit());
    }
    auto m = movement(BankKind::GenelGelir);
    m.receiptNo = QString::number(pv::ledger::offerReceiptNumber(db).value_or(0));
    QCOMPARE(m.receiptNo, QStringLiteral("72"));
    QVERIFY(pv::ledger::postBankMovement(db, m).ok);
    QCOMPARE(pv::ledger::offerReceiptNumber(db).value_or(0), qint64(73));
    // A typed number that is no whole number is posted as typed and leaves the counter.
    m.receiptNo = QStringLiteral("A-5");
    QVERIFY(pv::ledger::postBankMovement(db, m).ok);
    QCOMPARE(pv::ledger::offerReceiptNumber(db).value_or(0), qint64(73));
    QCOMPARE(h.value(QStringLiteral("SELECT islemNo FROM banka2 ORDER BY id DESC")).toString(),
             QStringLiteral("A-5"));
}

void TestLedgerBank::totalsRoundedAndStoredInFirstRow()
{
    Harness h;
    for (int i = 0; i < 2; ++i)
        QVERIFY(h.insert(QStringLiteral("banka"), {{QStringLiteral("HesapNo"), QStringLiteral("TR-100")},
                                                   {QStringLiteral("Giren"), 9.0}}));
    const auto add = [&](QVariant giren, QVariant cikan, const QString &account = QStringLiteral("TR-100")) {
        QVERIFY(h.insert(QStringLiteral("banka2"), {{QStringLiteral("Banka_Kodu"), account},
                                                    {QStringLiteral("Giren"), giren},
                                                    {QStringLiteral("Cikan"), cikan}}));
    };
    add(1000.004, QVariant());
    add(0.004, QVariant());
    add(QVariant(), 1500.006);
    add(QVariant(), QVariant()); // an empty movement adds nothing
    add(77.0, QVariant(), QStringLiteral("TR-200"));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    const pv::ledger::BankTotals t = pv::ledger::bankTotals(db, QStringLiteral("tr-100"));
    QCOMPARE(t.in, 1000.01);
    QCOMPARE(t.out, 1500.01);
    QCOMPARE(t.balance(), -500.0);
    QVERIFY(pv::ledger::storeBankTotals(db, QStringLiteral("TR-100"), t).ok);
    QCOMPARE(h.rows(QStringLiteral("SELECT Giren, Cikan, Bakiye FROM banka ORDER BY id")),
             (QList<QVariantList>{{1000.01, 1500.01, -500.0}, {9.0, QVariant(), QVariant()}}));
    const pv::ledger::BankTotals none = pv::ledger::bankTotals(db, QStringLiteral("TR-300"));
    QCOMPARE(none.in, 0.0);
    QCOMPARE(none.balance(), 0.0);
}

void TestLedgerBank::accounts_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("reason");
    QTest::newRow("empty") << "" << pv::ledger::kBankNoNumber;
    QTest::newRow("blanks") << "  " << pv::ledger::kBankNoNumber;
    QTest::newRow("taken, other case") << "tr-ıiş" << pv::ledger::kBankNumberTaken;
    QTest::newRow("good") << "TR-2" << QString();
}

void TestLedgerBank::accounts()
{
    QFETCH(QString, number);
    QFETCH(QString, reason);
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(pv::ledger::addBankAccount(db, {QStringLiteral("Ziraat"), QStringLiteral("Merkez"),
                                            QStringLiteral("12"), QStringLiteral("TR-IİŞ"),
                                            QStringLiteral("Vadesiz")})
                .ok);
    const auto before = everyRow(h);
    const pv::ledger::Result r = pv::ledger::addBankAccount(
        db, {QStringLiteral("Garanti"), QString(), QString(), number, QStringLiteral("Vadeli")});
    QCOMPARE(r.reason, reason);
    if (reason.isEmpty()) {
        QCOMPARE(h.rows(QStringLiteral(
                     "SELECT Banka, Sube, SubeKod, HesapNo, Giren, Cikan, Bakiye, HesapTuru FROM "
                     "banka ORDER BY id DESC LIMIT 1")),
                 (QList<QVariantList>{{QStringLiteral("Garanti"), QVariant(), QVariant(), number, 0.0, 0.0,
                                       0.0, QStringLiteral("Vadeli")}}));
    } else {
        QCOMPARE(everyRow(h), before);
        // Editing refuses the same numbers.
        const qint64 id = h.value(QStringLiteral("SELECT id FROM banka")).toLongLong();
        QVERIFY(h.insert(QStringLiteral("banka"), {{QStringLiteral("HesapNo"), QStringLiteral("TR-9")}}));
        const qint64 other = h.value(QStringLiteral("SELECT max(id) FROM banka")).toLongLong();
        QCOMPARE(
            pv::ledger::updateBankAccount(db, other, {QString(), QString(), QString(), number, QString()})
                .reason,
            reason);
        // An account may keep its own number.
        QVERIFY(pv::ledger::updateBankAccount(
                    db, id,
                    {QStringLiteral("Ziraat 2"), QString(), QString(), QStringLiteral("TR-IİŞ"), QString()})
                    .ok);
    }
}

void TestLedgerBank::renameWithAndWithoutMovements()
{
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(h.insert(QStringLiteral("banka"),
                     {{QStringLiteral("HesapNo"), QStringLiteral("TR-1")}, {QStringLiteral("Giren"), 5.0}}));
    const qint64 id = h.value(QStringLiteral("SELECT id FROM banka")).toLongLong();
    const pv::ledger::BankAccount renamed{QStringLiteral("Akbank"), QStringLiteral("Şube"),
                                          QStringLiteral("7"), QStringLiteral("TR-2"),
                                          QStringLiteral("Vadesiz")};
    QVERIFY(pv::ledger::updateBankAccount(db, id, renamed).ok);
    QCOMPARE(h.rows(QStringLiteral("SELECT Banka, Sube, SubeKod, HesapNo, Giren, HesapTuru FROM banka")),
             (QList<QVariantList>{{QStringLiteral("Akbank"), QStringLiteral("Şube"), QStringLiteral("7"),
                                   QStringLiteral("TR-2"), 5.0, QStringLiteral("Vadesiz")}}));

    QVERIFY(h.insert(QStringLiteral("banka2"), {{QStringLiteral("Banka_Kodu"), QStringLiteral("TR-2")}}));
    auto again = renamed;
    again.hesapNo = QStringLiteral("TR-3");
    QCOMPARE(pv::ledger::updateBankAccount(db, id, again).reason, pv::ledger::kBankNumberInUse);
    // A change of letter case keeps the link, so it is allowed.
    again.hesapNo = QStringLiteral("tr-2");
    QVERIFY(pv::ledger::updateBankAccount(db, id, again).ok);
    QCOMPARE(h.value(QStringLiteral("SELECT HesapNo FROM banka")).toString(), QStringLiteral("tr-2"));
}

void TestLedgerBank::deleteGuard()
{
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    // Only withdrawals: the cached money-in total is zero, yet the account has movements.
    QVERIFY(h.insert(QStringLiteral("banka"),
                     {{QStringLiteral("HesapNo"), QStringLiteral("TR-1")}, {QStringLiteral("Giren"), 0.0}}));
    QVERIFY(h.insert(QStringLiteral("banka"), {{QStringLiteral("HesapNo"), QStringLiteral("TR-2")}}));
    QVERIFY(h.insert(QStringLiteral("banka2"), {{QStringLiteral("Banka_Kodu"), QStringLiteral("tr-1")},
                                                {QStringLiteral("Cikan"), 10.0}}));
    const auto ids = h.rows(QStringLiteral("SELECT id FROM banka ORDER BY id"));
    QCOMPARE(pv::ledger::deleteBankAccount(db, ids.at(0).at(0).toLongLong()).reason,
             pv::ledger::kBankHasMovements);
    QCOMPARE(pv::ledger::deleteBankAccount(db, 999).reason, pv::ledger::kBankHasMovements);
    QVERIFY(pv::ledger::deleteBankAccount(db, ids.at(1).at(0).toLongLong()).ok);
    QCOMPARE(h.rows(QStringLiteral("SELECT HesapNo FROM banka")),
             (QList<QVariantList>{{QStringLiteral("TR-1")}}));
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM banka2")).toInt(), 1);
}

void TestLedgerBank::deletingMovementKeepsMirror()
{
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(pv::ledger::postBankMovement(db, movement(BankKind::ParaYatirma)).ok);
    QVERIFY(
        pv::ledger::deleteBankMovement(db, h.value(QStringLiteral("SELECT id FROM banka2")).toLongLong()).ok);
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM banka2")).toInt(), 0);
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM kasa")).toInt(), 1);
}

// The cash book deletes a row with the ledger rows of its posting id; a deposit's kind text
// is no posting id of any ledger row, the bank's transfer rows included.
void TestLedgerBank::cashBookDeletesOnlyTheDepositRow()
{
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(pv::ledger::postBankMovement(db, movement(BankKind::ParaYatirma)).ok);
    QVERIFY(pv::ledger::postBankMovement(db, movement(BankKind::ParaCekme)).ok);
    QVERIFY(pv::ledger::postBankMovement(db, movement(BankKind::GelenHavale)).ok);
    QVERIFY(pv::ledger::postBankMovement(db, movement(BankKind::KartOdeme)).ok);
    const qint64 deposit =
        h.value(QStringLiteral("SELECT id FROM kasa WHERE islemNo2 = 'Bankaya Yatırılan'")).toLongLong();
    const pv::ledger::Result r = pv::ledger::deleteCashRow(db, deposit);
    QVERIFY2(r.ok, qPrintable(r.reason));
    QCOMPARE(h.rows(QStringLiteral("SELECT islemNo2 FROM kasa")),
             (QList<QVariantList>{{QStringLiteral("Bankadan Çekilen")}}));
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM veresiye")).toInt(), 2);
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM banka2")).toInt(), 4);
}

QTEST_MAIN(TestLedgerBank)
#include "test_ledger_bank.moc"
