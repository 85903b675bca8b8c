// The stock card's operations driven as a user would: stock in and out, the product-code
// generator, the stock-value walk and the stock report.
#include "app/cashbook/kasa.h"
#include "app/shell/veresiye.h"
#include "app/stock/StokArama.h"
#include "app/stock/StokIslemleri.h"
#include "app/stock/frmProduct.h"
#include "controls/button/BvButton.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/Timer.h"
#include "platform/report/ReportPreview.h"
#include "platform/text/Formats.h"
#include "tests/harness/Harness.h"
#include "tests/stock/StockFixtures.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFrame>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>
#include <sqlite3.h>

using pv::test::Harness;
using namespace stockfixtures;

namespace
{

double stockOf(Harness &h, const QString &code)
{
    return h.value(QStringLiteral("SELECT OnHand FROM Product WHERE [Product Code] = ?"), {code}).toDouble();
}

// Fires the walk's timer until the walk ends; the ticks fired.
int runWalk(frmProduct &f)
{
    int ticks = 0;
    while (f.islemler->Timer1->Enabled() && ticks < 10000) {
        Harness::fire(*f.islemler->Timer1);
        ++ticks;
    }
    return ticks;
}

QVariantList valuesOf(Harness &h, const QString &code)
{
    const auto rows = h.rows(QStringLiteral("SELECT AlisFiyatiTopTut, SatisFiyatiTopTut, SatisFiyati2TopTut, "
                                            "SatisFiyati3TopTut FROM Product WHERE [Product Code] = ?"),
                             {code});
    return rows.isEmpty() ? QVariantList{} : rows.first();
}

// n products K0001, K0002, ... with stock 2 and every price 1: each value the walk writes is 2.
void addProducts(Harness &h, int n)
{
    QVERIFY(h.exec(
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                       "INSERT INTO Product ([Product Code], [Brand Name], OnHand, Price, SatisFiyati, "
                       "SatisFiyati2, SatisFiyati3, Unit) "
                       "SELECT printf('K%04d', i), printf('Ürün %04d', i), 2, 1, 1, 1, 1, 'Adet' FROM n")
            .arg(n)));
}

// Products whose values are on file (read on a connection of the test's own).
int valuedProducts(Harness &h)
{
    return h.value(QStringLiteral("SELECT count(*) FROM Product WHERE AlisFiyatiTopTut = 2")).toInt();
}

int countCommit(void *count)
{
    ++*static_cast<int *>(count);
    return 0;
}

} // namespace

class TestStockOps : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void stockInOut_data();
    void stockInOut();
    void stockWriteFailure();
    void stepButtons();
    void editModeClosesThePanel();
    void generator_data();
    void generator();
    void generatedCodeReplacesTheTypedOne();
    void fixedSeedRepeats();
    void checkCard_data();
    void checkCard();
    void walk();
    void walkCoversTheFilteredList();
    void walkRefusedInEditModeAndOnAnEmptyList();
    void walkFailureStops();
    void walkWritesInGroups();
    void walkStoppedByClosingKeepsItsValues();
    void cashEntryDuringWalkIsOnFile();
    void report();
};

void TestStockOps::cleanup()
{
    pv::discardAllForms(true);
}

void TestStockOps::stockInOut_data()
{
    QTest::addColumn<double>("stock");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<bool>("in");
    QTest::addColumn<QString>("message"); // the refusal, empty when done
    QTest::addColumn<double>("after");
    const QString notNumber = QStringLiteral("Miktar geçerli bir sayı olmalıdır (ör. 1.234,50).");
    QTest::newRow("10 + 3") << 10.0 << "3" << true << "" << 13.0;
    QTest::newRow("10 - 3") << 10.0 << "3" << false << "" << 7.0;
    QTest::newRow("2 - 5") << 2.0 << "5" << false << "" << -3.0;
    QTest::newRow("1 + 2,5") << 1.0 << "2,5" << true << "" << 3.5;
    QTest::newRow("a million and a cent") << 1000000.0 << "0,01" << true << "" << 1000000.01;
    QTest::newRow("empty in") << 10.0 << "" << true << "Eklenecek Miktarı Yazın" << 10.0;
    QTest::newRow("empty out") << 10.0 << "" << false << "Çıkarılacak Miktarı Yazın" << 10.0;
    QTest::newRow("letters") << 10.0 << "abc" << true << notNumber << 10.0;
}

void TestStockOps::stockInOut()
{
    QFETCH(double, stock);
    QFETCH(QString, quantity);
    QFETCH(bool, in);
    QFETCH(QString, message);
    QFETCH(double, after);
    Harness h;
    addProduct(h, {"A1", "Armut", {}, 50});
    addProduct(h, {"B1", "Bal", {}, stock});
    frmProduct &f = openCard();
    Harness::click(f.cmdLast);
    Harness::click(f.arama->btnSec);
    QVERIFY(f.islemler->frmStokEkle->isVisible());
    QCOMPARE(f.islemler->frmStokEkle->pos(), QPoint(568, 128));
    QCOMPARE(f.islemler->xpText3->text(), QStringLiteral("0"));
    QCOMPARE(f.islemler->xpText2->text(), pv::plainNumber(stock));
    f.islemler->xpText3->setText(quantity);
    if (message.isEmpty())
        h.expectMsgBox(in ? QStringLiteral("Miktar Eklendi.") : QStringLiteral("Miktar Çıkarıldı."),
                       pv::vbInformation, QStringLiteral("Bilgi"));
    else
        h.expectMsgBox(message, pv::vbExclamation, QStringLiteral("Dikkat!!"));
    Harness::click(in ? f.islemler->BvButton5 : f.islemler->BvButton16);
    QCOMPARE(stockOf(h, QStringLiteral("B1")), after);
    QCOMPARE(stockOf(h, QStringLiteral("A1")), 50.0);
    if (message.isEmpty()) {
        QVERIFY(!f.islemler->frmStokEkle->isVisible());
        QVERIFY(f.islemler->xpText3->text().isEmpty());
        QCOMPARE(f.Data1->currentRow(), 0);
        QCOMPARE(f.txtBName->text(), QStringLiteral("Armut"));
        QCOMPARE(column(f, 6).last(), pv::plainNumber(after));
        QCOMPARE(f.arama->txtPrice6->text(), pv::plainNumber(50 + after));
    } else {
        QVERIFY(f.islemler->frmStokEkle->isVisible());
        QCOMPARE(f.focusWidget(), f.islemler->xpText3);
    }
}

void TestStockOps::stockWriteFailure()
{
    Harness h;
    addProduct(h, {"A1", "Armut", {}, 10});
    QVERIFY(h.exec(QStringLiteral(
        "CREATE TRIGGER noupdate BEFORE UPDATE ON Product BEGIN SELECT RAISE(ABORT, 'kilitli'); END")));
    frmProduct &f = openCard();
    Harness::click(f.arama->btnSec);
    f.islemler->xpText3->setText(QStringLiteral("3"));
    h.expectMsgBox(QStringLiteral("Stok miktarı kaydedilemedi.\nkilitli"), pv::vbCritical,
                   QStringLiteral("Hata"));
    Harness::click(f.islemler->BvButton5);
    QCOMPARE(h.msgBoxes().size(), 1);
    QCOMPARE(stockOf(h, QStringLiteral("A1")), 10.0);
    QVERIFY(f.islemler->frmStokEkle->isVisible());
    QCOMPARE(f.islemler->xpText3->text(), QStringLiteral("3"));
}

void TestStockOps::stepButtons()
{
    Harness h;
    addProduct(h, {"A1", "Armut"});
    frmProduct &f = openCard();
    Harness::click(f.arama->btnSec);
    f.islemler->xpText3->setText(QStringLiteral("3"));
    Harness::click(f.islemler->btnAsagi);
    QCOMPARE(f.islemler->xpText3->text(), QStringLiteral("2"));
    QVERIFY(f.islemler->btnAsagi->Enabled());
    Harness::click(f.islemler->btnAsagi);
    QCOMPARE(f.islemler->xpText3->text(), QStringLiteral("1"));
    QVERIFY(!f.islemler->btnAsagi->Enabled());
    Harness::click(f.islemler->btnYukari);
    QVERIFY(f.islemler->btnAsagi->Enabled());
    QCOMPARE(f.islemler->xpText3->text(), QStringLiteral("2"));
    // Empty or not a number counts as 0.
    f.islemler->xpText3->setText(QStringLiteral("x"));
    Harness::click(f.islemler->btnYukari);
    QCOMPARE(f.islemler->xpText3->text(), QStringLiteral("1"));
    // "Vazgeç" closes and empties; the text kept between openings otherwise.
    f.islemler->xpText3->setText(QStringLiteral("7"));
    Harness::click(f.arama->btnSec);
    QCOMPARE(f.islemler->xpText3->text(), QStringLiteral("7"));
    Harness::click(f.islemler->BvButton3);
    QVERIFY(!f.islemler->frmStokEkle->isVisible());
    QVERIFY(f.islemler->xpText3->text().isEmpty());
}

void TestStockOps::editModeClosesThePanel()
{
    Harness h;
    addProduct(h, {"A1", "Armut"});
    frmProduct &f = openCard();
    Harness::click(f.arama->btnSec);
    QVERIFY(f.islemler->frmStokEkle->isVisible());
    Harness::click(f.cmdEdit);
    QVERIFY(!f.islemler->frmStokEkle->isVisible());
    QVERIFY(!f.arama->btnSec->Enabled());
    QVERIFY(!f.btnTutarHesapla->Enabled());
    Harness::click(f.cmdCancel);
    QVERIFY(f.btnTutarHesapla->Enabled());
}

void TestStockOps::generator_data()
{
    QTest::addColumn<int>("kind"); // 0 Ean 13, 1 Ean 8, 2 Rasgele 13, 3 Rasgele 10
    QTest::addColumn<int>("length");
    QTest::addColumn<QStringList>("prefixes");
    QTest::addColumn<int>("genType");
    QTest::newRow("Ean 13 gives 12 digits") << 0 << 12 << QStringList{"392"} << 2;
    QTest::newRow("Ean 8") << 1 << 8 << QStringList{"81", "82", "83", "84", "85", "86", "87", "88"} << 3;
    QTest::newRow("Rasgele 13") << 2 << 13
                                << QStringList{"4032", "4128", "4250", "4312", "4421", "4539", "4556",
                                               "4673", "4722", "4800", "4933", "5083", "5128", "5242",
                                               "5343", "5463", "5595", "5694", "5722", "6411", "8434",
                                               "7293", "2313", "3431", "2445", "1178"}
                                << 1;
    QTest::newRow("Rasgele 10") << 3 << 10 << QStringList{"352103"} << 4;
}

void TestStockOps::generator()
{
    QFETCH(int, kind);
    QFETCH(int, length);
    QFETCH(QStringList, prefixes);
    QFETCH(int, genType);
    Harness h;
    addProduct(h, {"A1", "Armut"});
    frmProduct &f = openCard();
    QVERIFY(!f.barkodver->Enabled());
    Harness::click(f.cmdAdd);
    QVERIFY(f.barkodver->Enabled());
    QAction *items[] = {f.islemler->mnuEan13, f.islemler->mnuEan8, f.islemler->mnuRas13,
                        f.islemler->mnuRas10};
    const QStringList captions{"Barkod Üret (Ean 13)", "Barkod Üret (Ean 8)", "Barkod Üret (Rasgele 13)",
                               "Barkod Üret (Rasgele 10)"};
    QCOMPARE(items[kind]->text(), captions[kind]);
    QSet<QString> seenPrefixes;
    for (int i = 0; i < 200; ++i) {
        items[kind]->trigger();
        const QString code = f.txtPCode->text();
        QCOMPARE(code.size(), length);
        QString prefix;
        for (const QString &p : prefixes)
            if (code.startsWith(p))
                prefix = p;
        QVERIFY2(!prefix.isEmpty(), qPrintable(code));
        seenPrefixes.insert(prefix);
        QVERIFY2(!code.mid(prefix.size()).contains(QLatin1Char('0')), qPrintable(code));
        QVERIFY2(StokIslemleri::CheckCard(code), qPrintable(code));
    }
    QCOMPARE(f.islemler->GenType, genType);
    // The prefix is drawn afresh: many of the list turn up.
    QVERIFY(seenPrefixes.size() >= std::min<qsizetype>(prefixes.size(), 5));
    Harness::click(f.cmdCancel);
}

void TestStockOps::generatedCodeReplacesTheTypedOne()
{
    Harness h;
    addProduct(h, {"A1", "Armut"});
    frmProduct &f = openCard();
    Harness::click(f.cmdAdd);
    Harness::type(f.txtPCode, QStringLiteral("ab"));
    f.txtBName->setFocus();
    f.islemler->mnuRas10->trigger();
    QVERIFY(f.txtPCode->text().startsWith(QStringLiteral("352103")));
    QCOMPARE(f.focusWidget(), f.txtPCode);
    Harness::click(f.cmdCancel);
}

void TestStockOps::fixedSeedRepeats()
{
    Harness h;
    addProduct(h, {"A1", "Armut"});
    frmProduct &f = openCard();
    Harness::click(f.cmdAdd);
    QStringList first, second;
    f.islemler->setSeed(7);
    for (int i = 0; i < 5; ++i) {
        f.islemler->mnuRas13->trigger();
        first << f.txtPCode->text();
    }
    f.islemler->setSeed(7);
    for (int i = 0; i < 5; ++i) {
        f.islemler->mnuRas13->trigger();
        second << f.txtPCode->text();
    }
    QCOMPARE(first, second);
    QVERIFY(QSet<QString>(first.begin(), first.end()).size() > 1);
    Harness::click(f.cmdCancel);
}

void TestStockOps::checkCard_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("passes");
    QTest::newRow("19") << "19" << true;
    QTest::newRow("91") << "91" << false;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("13-digit Luhn") << "4222222222222" << true;
    QTest::newRow("13-digit, last changed") << "4222222222223" << false;
    QTest::newRow("letter counts 0") << "1A9" << true;
}

void TestStockOps::checkCard()
{
    QFETCH(QString, code);
    QFETCH(bool, passes);
    QCOMPARE(StokIslemleri::CheckCard(code), passes);
}

void TestStockOps::walk()
{
    Harness h;
    addProduct(h, {"A1", "Armut", {}, 4, 1, 2.5, 3.0});
    QVERIFY(h.exec(QStringLiteral("UPDATE Product SET SatisFiyati2 = 3.2, SatisFiyati3 = 3.4")));
    addProduct(h, {"B1", "Bal", {}, 4, 1, 2.125, {}, "Kg"});
    addProduct(h, {"C1", "Ceviz", {}, 4, 1, 2.125, 1, "Adet"});
    addProduct(h, {"D1", "Dut", {}, {}, 1, 5, 5, "Adet"});
    QVERIFY(h.exec(QStringLiteral("UPDATE Product SET SatisFiyatiTopTut = 99 WHERE [Product Code] = 'D1'")));
    frmProduct &f = openCard();
    Harness::click(f.cmdLast);
    Harness::click(f.btnTutarHesapla);
    QVERIFY(f.islemler->Frame1->isVisible());
    QVERIFY(!f.DBGrid1->isEnabled());
    QVERIFY(!f.cmdAdd->Enabled() && !f.arama->btnSec->Enabled() && !f.btnPrint->Enabled() &&
            !f.cmdNext->Enabled());
    QCOMPARE(f.Data1->currentRow(), 0);
    Harness::fire(*f.islemler->Timer1);
    QCOMPARE(f.islemler->Text9->text(), QStringLiteral("1"));
    QCOMPARE(f.arama->txtPrice2->text(), QStringLiteral("10,00"));
    QCOMPARE(f.arama->txtPrice3->text(), QStringLiteral("111,00")); // 12 and D1's old 99
    const int ticks = runWalk(f);
    QCOMPARE(ticks, 4);
    QVERIFY(!f.islemler->Frame1->isVisible());
    QCOMPARE(f.islemler->Text9->text(), QStringLiteral("0"));
    QCOMPARE(f.Data1->currentRow(), 0);
    QVERIFY(f.DBGrid1->isEnabled() && f.cmdAdd->Enabled() && f.cmdEdit->Enabled());

    QCOMPARE(valuesOf(h, QStringLiteral("A1")), (QVariantList{10.0, 12.0, 12.8, 13.6}));
    // A weight unit counts three decimals, others two; an empty price leaves its value.
    QCOMPARE(valuesOf(h, QStringLiteral("B1")), (QVariantList{8.5, QVariant(), QVariant(), QVariant()}));
    QCOMPARE(valuesOf(h, QStringLiteral("C1")), (QVariantList{8.52, 4.0, QVariant(), QVariant()}));
    // No stock: nothing computed, the stored value stays.
    QCOMPARE(valuesOf(h, QStringLiteral("D1")), (QVariantList{QVariant(), 99.0, QVariant(), QVariant()}));
    QCOMPARE((QStringList{f.arama->txtPrice2->text(), f.arama->txtPrice3->text(), f.arama->txtPrice4->text(),
                          f.arama->txtPrice5->text()}),
             (QStringList{"27,02", "115,00", "12,80", "13,60"}));

    // A product added afterwards has no values and the totals leave it out.
    addProduct(h, {"E1", "Elma", {}, 100, 1, 100, 100});
    Harness::click(f.cmdFirst);
    f.arama->topla2_Click();
    QCOMPARE(valuesOf(h, QStringLiteral("E1")),
             (QVariantList{QVariant(), QVariant(), QVariant(), QVariant()}));
    QCOMPARE(f.arama->txtPrice2->text(), QStringLiteral("27,02"));
}

void TestStockOps::walkCoversTheFilteredList()
{
    Harness h;
    addProduct(h, {"A1", "Armut", {}, 2, 1, 1, 1});
    addProduct(h, {"A2", "Ayva", {}, 3, 1, 1, 1});
    addProduct(h, {"B1", "Bal", {}, 4, 1, 1, 1});
    frmProduct &f = openCard();
    pick(f.arama->txtAra, QStringLiteral("Ara > Ürün Adı"));
    Harness::type(f.arama->aramatext, QStringLiteral("a"));
    QCOMPARE(names(f), (QStringList{"Armut", "Ayva"}));
    QCOMPARE(f.Text7.text(), QStringLiteral("3")); // the count of the last activation
    Harness::click(f.btnTutarHesapla);
    QCOMPARE(runWalk(f), 3);
    QCOMPARE(valuesOf(h, QStringLiteral("A1")).first(), QVariant(2.0));
    QCOMPARE(valuesOf(h, QStringLiteral("A2")).first(), QVariant(3.0));
    QCOMPARE(valuesOf(h, QStringLiteral("B1")).first(), QVariant());
    QCOMPARE(names(f), (QStringList{"Armut", "Ayva"}));
}

void TestStockOps::walkRefusedInEditModeAndOnAnEmptyList()
{
    Harness h;
    addProduct(h, {"A1", "Armut", {}, 2, 1, 1, 1});
    frmProduct &f = openCard();
    Harness::click(f.cmdEdit);
    f.islemler->btnTutarHesapla_Click();
    QVERIFY(!f.islemler->Timer1->Enabled());
    QVERIFY(!f.islemler->Frame1->isVisible());
    Harness::click(f.cmdCancel);
    pick(f.arama->txtAra, QStringLiteral("Ara > Ürün Adı"));
    Harness::type(f.arama->aramatext, QStringLiteral("zz"));
    QCOMPARE(names(f), QStringList{});
    Harness::click(f.btnTutarHesapla);
    QVERIFY(!f.islemler->Timer1->Enabled());
    QVERIFY(!f.islemler->Frame1->isVisible());
    QCOMPARE(valuesOf(h, QStringLiteral("A1")).first(), QVariant());
}

void TestStockOps::walkFailureStops()
{
    Harness h;
    addProducts(h, 501);
    frmProduct &f = openCard();
    Harness::click(f.btnTutarHesapla);
    for (int i = 0; i < 500; ++i)
        Harness::fire(*f.islemler->Timer1);
    QCOMPARE(valuedProducts(h), 500);
    // The last group fails, at its product or at the end: nothing of it is written.
    QVERIFY(h.exec(QStringLiteral(
        "CREATE TRIGGER noupdate BEFORE UPDATE ON Product BEGIN SELECT RAISE(ABORT, 'kilitli'); END")));
    h.expectMsgBox(QStringLiteral("Stok değerleri kaydedilemedi.\nkilitli"), pv::vbCritical,
                   QStringLiteral("Hata"));
    runWalk(f);
    QVERIFY(!f.islemler->Timer1->Enabled());
    QVERIFY(!f.islemler->Frame1->isVisible());
    QCOMPARE(f.islemler->Text9->text(), QStringLiteral("0"));
    QVERIFY(f.cmdAdd->Enabled() && f.DBGrid1->isEnabled());
    QVERIFY(!f.m_db.inTransaction());
    QCOMPARE(valuedProducts(h), 500);
    QCOMPARE(h.value(QStringLiteral("SELECT AlisFiyatiTopTut FROM Product WHERE [Product Code] = 'K0501'")),
             QVariant());
    // The totals are those on file.
    QCOMPARE(f.arama->txtPrice2->text(), QStringLiteral("1.000,00"));
}

void TestStockOps::walkWritesInGroups()
{
    Harness h;
    addProducts(h, 1001);
    frmProduct &f = openCard();
    int commits = 0;
    sqlite3_commit_hook(f.m_db.handle(), countCommit, &commits);
    QElapsedTimer clock;
    clock.start();
    Harness::click(f.btnTutarHesapla);
    for (int i = 0; i < 500; ++i) {
        Harness::fire(*f.islemler->Timer1);
        // Each group begins and commits within its tick.
        QVERIFY(!f.m_db.inTransaction());
    }
    QCOMPARE(f.islemler->Text9->text(), QStringLiteral("500"));
    QCOMPARE(valuedProducts(h), 500);
    QCOMPARE(runWalk(f), 502);
    const qint64 ms = clock.elapsed();
    sqlite3_commit_hook(f.m_db.handle(), nullptr, nullptr);
    QCOMPARE(valuedProducts(h), 1001);
    // One commit for every 500 products, one for every 250 ms the walk took, one at the end.
    QVERIFY2(commits >= 3 && commits <= 3 + ms / 250,
             qPrintable(QStringLiteral("%1 commits in %2 ms").arg(commits).arg(ms)));
    QCOMPARE(f.arama->txtPrice2->text(), QStringLiteral("2.002,00"));
}

void TestStockOps::walkStoppedByClosingKeepsItsValues()
{
    Harness h;
    addProducts(h, 10);
    frmProduct &f = openCard();
    Harness::click(f.btnTutarHesapla);
    for (int i = 0; i < 4; ++i)
        Harness::fire(*f.islemler->Timer1);
    Harness::click(f.cmdClose);
    Harness::settle();
    QVERIFY(!pv::isLoaded<frmProduct>());
    QCOMPARE(valuedProducts(h), 4);
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM Product WHERE AlisFiyatiTopTut IS NULL")).toInt(),
             6);

    // The program's end, which discards its windows without their handlers, writes them too.
    frmProduct &again = openCard();
    Harness::click(again.btnTutarHesapla);
    for (int i = 0; i < 7; ++i)
        Harness::fire(*again.islemler->Timer1);
    pv::discardAllForms(true);
    QCOMPARE(valuedProducts(h), 7);
}

void TestStockOps::cashEntryDuringWalkIsOnFile()
{
    Harness h;
    addProducts(h, 10);
    frmProduct &f = openCard();
    Harness::click(f.btnTutarHesapla);
    Harness::fire(*f.islemler->Timer1);
    Harness::fire(*f.islemler->Timer1);
    // The cash book, opened from the main window while the walk runs, saves an entry.
    veresiye &main = pv::form<veresiye>();
    Harness::click(main.KasaBtn);
    Harness::settle();
    kasa &cash = pv::form<kasa>();
    Harness::click(cash.KasaGrsBtn);
    cash.Text9->setText(QStringLiteral("12,50"));
    Harness::click(cash.ekleBtn1);
    QCOMPARE(h.value(QStringLiteral("SELECT Giren FROM kasa")), QVariant(12.5));
    QVERIFY(!f.m_db.inTransaction());
    QVERIFY(f.islemler->walking());
    QCOMPARE(runWalk(f), 9);
    QCOMPARE(valuedProducts(h), 10);
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM kasa")).toInt(), 1);
}

void TestStockOps::report()
{
    Harness h;
    // Three pages of products; two share a name and print in code order.
    for (int i = 0; i < 78; ++i)
        addProduct(h, {QStringLiteral("K%1").arg(i, 3, 10, QLatin1Char('0')),
                       QStringLiteral("Ürün %1").arg(i, 3, 10, QLatin1Char('0'))});
    addProduct(h, {"Z2", "Aynı", {}, 1, 1, 12.5, 1, "Adet", "12/9999"});
    addProduct(h, {"Z1", "Aynı", {}, 1, 1, 3, 1});
    frmProduct &f = openCard();
    pick(f.arama->txtAra, QStringLiteral("Ara > Ürün Adı"));
    Harness::type(f.arama->aramatext, QStringLiteral("ürün 00"));
    QCOMPARE(names(f).size(), 10);

    pv::PageModel model;
    QString caption;
    const QString pdf = h.folder() + QStringLiteral("/stok.pdf");
    h.onModal<pv::ReportPreview>([&](pv::ReportPreview &p) {
        model = p.document().pageModel();
        caption = p.windowTitle();
        QVERIFY(p.document().exportPdf(pdf));
        p.close();
    });
    Harness::click(f.btnPrint);
    Harness::settle();
    QCOMPARE(caption, QStringLiteral("Stok Raporları"));
    QCOMPARE(model.pageCount, 3);
    const QStringList printed = model.textsOf(QStringLiteral("Field4"));
    QCOMPARE(printed.size(), 80);
    QCOMPARE(printed.mid(0, 2), (QStringList{"Aynı", "Aynı"}));
    QCOMPARE(model.textsOf(QStringLiteral("Field1")).mid(0, 3), (QStringList{"Z1", "Z2", "K000"}));
    QCOMPARE(model.textsOf(QStringLiteral("Field5")).at(1), QStringLiteral("12,5"));
    QCOMPARE(model.textsOf(QStringLiteral("Field2")), QStringList{"12/9999"}); // the only expiry given
    QCOMPARE(model.textsOf(QStringLiteral("Label111")),
             (QStringList{"STOK RAPORU", "STOK RAPORU", "STOK RAPORU"}));
    QCOMPARE(model.textsOf(QStringLiteral("Field15")), (QStringList{"1", "2", "3"}));
    QCOMPARE(model.textsOf(QStringLiteral("Field16")), (QStringList{"3", "3", "3"}));
    QCOMPARE(model.textsOf(QStringLiteral("Label117")),
             (QStringList{"10.12.2026", "10.12.2026", "10.12.2026"}));
    // No row numbers and no stripes.
    for (const pv::PageText &t : model.ofItem(QStringLiteral("Field4")))
        QVERIFY(!t.background.isValid() || t.background == QColor(Qt::white) || t.background.alpha() == 0);
    QCOMPARE(model.ofItem(QStringLiteral("Label2")).first().background, QColor(218, 217, 231));

    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(30000));
    const QString read = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(read.contains(QStringLiteral("STOK RAPORU")), qPrintable(read.left(400)));
    QVERIFY(read.contains(QStringLiteral("ÜRÜN KATEGORİSİ")));
    for (const char *page : {"1\\s*/\\s*3", "2\\s*/\\s*3", "3\\s*/\\s*3"})
        QVERIFY2(read.contains(QRegularExpression(QLatin1String(page))), page);
    QVERIFY(read.contains(QStringLiteral("12/9999")));
    QVERIFY(read.contains(QStringLiteral("12,5")));

    // A second showing starts from the design again and reads the table afresh.
    addProduct(h, {"ZZ", "Yeni"});
    h.onModal<pv::ReportPreview>([&](pv::ReportPreview &p) {
        model = p.document().pageModel();
        p.close();
    });
    Harness::click(f.btnPrint);
    Harness::settle();
    QCOMPARE(model.textsOf(QStringLiteral("Field4")).size(), 81);
}

QTEST_MAIN(TestStockOps)
#include "test_stockops.moc"
