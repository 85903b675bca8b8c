// Rules that keep a posting from going wrong: the stock checked inside the sale's own
// transaction, and an edited entry's cash rows carried along in the edit's transaction.
#include "app/ledger/Postings.h"
#include "platform/data/Database.h"
#include "platform/text/Formats.h"
#include "tests/harness/Harness.h"

#include <QtTest>

using pv::test::Harness;

namespace
{

QStringList dump(Harness &h, const QString &sql, const QVariantList &params = {})
{
    QStringList out;
    for (const QVariantList &row : h.rows(sql, params)) {
        QStringList cells;
        for (const QVariant &v : row)
            cells << (v.isNull() ? QStringLiteral("NULL") : v.toString());
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

const QString kVeresiye =
    QStringLiteral("select Tarih, Saat, Turu, Aciklama, Miktar, Eklenen, Odenen, Tarih2, islemNo2, mus_kodu "
                   "from veresiye order by id");
const QString kKasa = QStringLiteral("select mus_kodu, Tarih, Saat, Tur, Aciklama, Giren, Cikan, Tarih2, "
                                     "islemNo, islemNo2, OdemeSekli from kasa order by id");
const QString kSatisRapor =
    QStringLiteral("select ProductCode, Miktar, Tutar, mus_kodu from SatisRapor order by id");
const QString kProduct = QStringLiteral("select [Product Code], OnHand from Product order by id");

QStringList everything(Harness &h)
{
    return dump(h, kVeresiye) + QStringList{QStringLiteral("--")} + dump(h, kKasa) +
           QStringList{QStringLiteral("--")} + dump(h, kSatisRapor) + QStringList{QStringLiteral("--")} +
           dump(h, kProduct);
}

const QDate kDay(2026, 12, 9);
const QTime kTime(9, 15, 0);
const QDateTime kOpened(QDate(2026, 12, 10), QTime(10, 0, 0));
const QDateTime kSaved(QDate(2026, 12, 10), QTime(10, 5, 30));

pv::ledger::SaleEntry sale(double quantity)
{
    pv::ledger::SaleEntry s;
    s.customerCode = QStringLiteral("100");
    s.date = kDay;
    s.time = kTime;
    s.description = QStringLiteral("Un / Gıda");
    s.quantity = quantity;
    s.unit = QStringLiteral("Kg");
    s.unitPrice = 3;
    s.total = quantity * 3;
    s.priceLevel = QStringLiteral("Satış Fiyatı 1");
    s.savedOn = kSaved.date();
    return s;
}

// A cash collection of the customer, opened at `opened`.
pv::ledger::CollectionEntry collection(const QString &code, double amount, const QDateTime &opened = kOpened)
{
    return {code,
            QStringLiteral("Alıcı"),
            kDay,
            kTime,
            QStringLiteral("ÖDEME YAPILDI"),
            QStringLiteral("Nakit"),
            amount,
            QStringLiteral("TAHSİLAT - ") + code,
            opened,
            kSaved,
            false};
}

} // namespace

class TestLedgerFixes : public QObject
{
    Q_OBJECT

private slots:
    void stockCheckedAtSave_data();
    void stockCheckedAtSave();
    void editCarriesCashRows_data();
    void editCarriesCashRows();
    void failedCashCarryChangesNothing();
    void bankKindTextPairsNoCashRow();
};

void TestLedgerFixes::stockCheckedAtSave_data()
{
    QTest::addColumn<double>("onHand");
    QTest::addColumn<double>("quantity");
    QTest::addColumn<bool>("taken");
    QTest::newRow("more than on hand") << 10.0 << 12.0 << false;
    QTest::newRow("all that is on hand") << 10.0 << 10.0 << true;
    QTest::newRow("a part") << 10.0 << 2.5 << true;
    QTest::newRow("a fraction too many") << 2.0 << 2.5 << false;
    QTest::newRow("nothing on hand") << 0.0 << 1.0 << false;
}

void TestLedgerFixes::stockCheckedAtSave()
{
    QFETCH(double, onHand);
    QFETCH(double, quantity);
    QFETCH(bool, taken);
    Harness h;
    QVERIFY(h.insert(QStringLiteral("Product"), {{QStringLiteral("Product Code"), QStringLiteral("P1")},
                                                 {QStringLiteral("Generic Name"), QStringLiteral("Gıda")},
                                                 {QStringLiteral("Brand Name"), QStringLiteral("Un")},
                                                 {QStringLiteral("OnHand"), onHand}}));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    const QStringList before = everything(h);
    const pv::ledger::Result r =
        pv::ledger::postStockSale(db, sale(quantity), {QStringLiteral("P1"), {}, {}});
    QCOMPARE(r.ok, taken);
    if (!taken) {
        QCOMPARE(r.reason, QStringLiteral("' Un ' ürünü için kullanılabilecek stok miktarı max: ' ") +
                               pv::plainNumber(onHand) + QStringLiteral(" ' adetir. "));
        QCOMPARE(everything(h), before);
        return;
    }
    QCOMPARE(h.value(QStringLiteral("select OnHand from Product")).toDouble(), onHand - quantity);
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye")).toInt(), 1);
    QCOMPARE(h.value(QStringLiteral("select count(*) from SatisRapor")).toInt(), 1);
}

void TestLedgerFixes::editCarriesCashRows_data()
{
    QTest::addColumn<QString>("posting"); // "collection", "supplier payment", "credit note"
    QTest::addColumn<bool>("newAmount");
    QTest::addColumn<bool>("newDate");
    QTest::newRow("collection: amount") << "collection" << true << false;
    QTest::newRow("collection: amount and date") << "collection" << true << true;
    QTest::newRow("collection: date alone") << "collection" << false << true;
    QTest::newRow("collection: description alone") << "collection" << false << false;
    QTest::newRow("supplier payment: amount and date") << "supplier payment" << true << true;
    QTest::newRow("credit note: no cash row") << "credit note" << true << true;
}

void TestLedgerFixes::editCarriesCashRows()
{
    QFETCH(QString, posting);
    QFETCH(bool, newAmount);
    QFETCH(bool, newDate);
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    // Another posting's cash row, which no edit may touch.
    QVERIFY(pv::ledger::postCollection(db, collection(QStringLiteral("200"), 40, kOpened.addDays(-1))).ok);
    pv::ledger::Posted done;
    bool paidSide = true;
    if (posting == QLatin1String("collection")) {
        QVERIFY(pv::ledger::postCollection(db, collection(QStringLiteral("100"), 10), &done).ok);
    } else if (posting == QLatin1String("supplier payment")) {
        paidSide = false;
        QVERIFY(pv::ledger::postPayment(db,
                                        {QStringLiteral("100"), QStringLiteral("Satıcı"), kDay, kTime,
                                         QStringLiteral("ÖDEME YAPILDI"), QStringLiteral("Nakit"), 10,
                                         QStringLiteral("ÖDEME - Ahmet"), kOpened},
                                        &done)
                    .ok);
    } else {
        QVERIFY(pv::ledger::postCreditNote(
                    db, {QStringLiteral("100"), kDay, kTime, QStringLiteral("İade"), 10, kOpened}, &done)
                    .ok);
    }
    const qint64 id =
        h.value(QStringLiteral("select id from veresiye where islemNo2 = ?"), {done.postingId}).toLongLong();
    const QString cashOfPosting = QStringLiteral("select mus_kodu, Tarih, Saat, Tur, Aciklama, Giren, Cikan, "
                                                 "Tarih2, islemNo, islemNo2, OdemeSekli from kasa "
                                                 "where islemNo2 = ?");
    const QList<QVariantList> cashBefore = h.rows(cashOfPosting, {done.postingId});
    const QString others = QStringLiteral("select * from kasa where islemNo2 <> ? order by id");
    const QStringList othersBefore = dump(h, others, {done.postingId});

    pv::ledger::EntryEdit edit;
    edit.id = id;
    edit.description = QStringLiteral("düzeltildi");
    const QDate moved(2026, 11, 30);
    if (newAmount)
        (paidSide ? edit.paid : edit.debit) = pv::ledger::EntryEdit::Amount(15.0);
    if (newDate)
        edit.date = moved;
    QVERIFY(pv::ledger::editEntry(db, edit).ok);

    // The account row as edited.
    const auto row =
        h.rows(QStringLiteral("select Eklenen, Odenen, Tarih, Tarih2 from veresiye where id = ?"), {id})
            .value(0);
    QCOMPARE(row.value(paidSide ? 1 : 0).toDouble(), newAmount ? 15.0 : 10.0);
    QCOMPARE(row.value(2).toString(), newDate ? QStringLiteral("30.11.2026") : QStringLiteral("09.12.2026"));

    // Its cash rows follow: amount on its own side, date and key; everything else stays.
    const QList<QVariantList> cashAfter = h.rows(cashOfPosting, {done.postingId});
    QCOMPARE(cashAfter.size(), cashBefore.size());
    QCOMPARE(cashAfter.isEmpty(), posting == QLatin1String("credit note"));
    for (int i = 0; i < cashAfter.size(); ++i) {
        QVariantList expected = cashBefore[i];
        const bool in = expected[3].toString() == QStringLiteral("Giren");
        QCOMPARE(in, paidSide);
        if (newAmount)
            expected[in ? 5 : 6] = 15.0;
        if (newDate) {
            expected[1] = QStringLiteral("30.11.2026");
            expected[7] = QStringLiteral("20261130");
        }
        for (int c = 0; c < expected.size(); ++c)
            QVERIFY2(cashAfter[i][c] == expected[c] || (cashAfter[i][c].isNull() && expected[c].isNull()),
                     qPrintable(QString::number(c) + QLatin1Char(' ') + cashAfter[i][c].toString()));
        QVERIFY(cashAfter[i][in ? 6 : 5].isNull()); // the other side stays empty
    }
    QCOMPARE(dump(h, others, {done.postingId}), othersBefore);
}

// A cash row that cannot be written takes the account row's edit back with it.
void TestLedgerFixes::failedCashCarryChangesNothing()
{
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    pv::ledger::Posted done;
    QVERIFY(pv::ledger::postCollection(db, collection(QStringLiteral("100"), 10), &done).ok);
    QVERIFY(h.exec(QStringLiteral(
        "CREATE TRIGGER fail BEFORE UPDATE ON kasa BEGIN SELECT RAISE(ABORT, 'kilitli'); END")));
    const QStringList before = everything(h);
    pv::ledger::EntryEdit edit;
    edit.id = h.value(QStringLiteral("select id from veresiye")).toLongLong();
    edit.paid = pv::ledger::EntryEdit::Amount(15.0);
    const pv::ledger::Result r = pv::ledger::editEntry(db, edit);
    QVERIFY(!r.ok);
    QVERIFY(r.reason.contains(QStringLiteral("kilitli")));
    QCOMPARE(everything(h), before);
}

// A bank movement marks its account row and the till's rows with its kind text, which many
// rows share: editing the account row leaves the till alone.
void TestLedgerFixes::bankKindTextPairsNoCashRow()
{
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    const QString kind = QStringLiteral("Gelen Havale / Eft");
    QVERIFY(h.insert(QStringLiteral("veresiye"), {{QStringLiteral("mus_kodu"), QStringLiteral("100")},
                                                  {QStringLiteral("Tarih"), QStringLiteral("09.12.2026")},
                                                  {QStringLiteral("Tarih2"), QStringLiteral("20261209")},
                                                  {QStringLiteral("Odenen"), 10.0},
                                                  {QStringLiteral("islemNo2"), kind}}));
    QVERIFY(h.insert(QStringLiteral("kasa"), {{QStringLiteral("mus_kodu"), QStringLiteral("0")},
                                              {QStringLiteral("Tarih"), QStringLiteral("09.12.2026")},
                                              {QStringLiteral("Tarih2"), QStringLiteral("20261209")},
                                              {QStringLiteral("Tur"), QStringLiteral("Giren")},
                                              {QStringLiteral("Giren"), 10.0},
                                              {QStringLiteral("islemNo2"), kind}}));
    const QStringList till = dump(h, kKasa);
    pv::ledger::EntryEdit edit;
    edit.id = h.value(QStringLiteral("select id from veresiye")).toLongLong();
    edit.paid = pv::ledger::EntryEdit::Amount(15.0);
    edit.date = QDate(2026, 11, 30);
    QVERIFY(pv::ledger::editEntry(db, edit).ok);
    QCOMPARE(h.value(QStringLiteral("select Odenen from veresiye")).toDouble(), 15.0);
    QCOMPARE(dump(h, kKasa), till);
}

QTEST_MAIN(TestLedgerFixes)
#include "test_ledger_fixes.moc"
