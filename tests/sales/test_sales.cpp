// The entry dialogs driven as a shopkeeper uses them, from the account window: credit
// sales (free text and from stock), collections, credit notes and supplier payments, with
// their cash rows, stock, sales log, receipt and the account window's refresh.
#include "app/accounts/veresiye2.h"
#include "app/reports/AppReports.h"
#include "app/sales/veresiyealacakekle.h"
#include "app/sales/veresiyeekleode.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/components/Twips.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/Timer.h"
#include "platform/report/ReportPreview.h"
#include "platform/text/Formats.h"
#include "tests/harness/Harness.h"
#include "tests/sales/EntryFixtures.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QtTest>

using pv::test::Harness;
using namespace entryfix;

namespace
{

const QString kSaved = QStringLiteral("Kayıt yapılamadı");

// Records what the account window shows when the refresh code arrives.
struct SignalWatch {
    int count = 0;
    bool timerOn = false, panelShown = false;
    int ledgerRows = -1;
    void watch(veresiye2 &w, Harness &h)
    {
        QObject::connect(&w.txtUygulaOdemeVeresiye, &pv::HandOff::changed, &w, [this, &w, &h] {
            ++count;
            timerOn = w.Timer3->Enabled();
            panelShown = !w.islemfrm->isHidden();
            ledgerRows = h.value(QStringLiteral("select count(*) from veresiye")).toInt();
        });
    }
};

// A customer's account opened on a shop with two products in stock: Un at 15,00, Tuz at 4,00.
veresiye2 &openStockShop(Harness &h)
{
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"));
    addProduct(h, QStringLiteral("P1"), QStringLiteral("Gıda"), QStringLiteral("Un"), 10, 2);
    addProduct(h, QStringLiteral("P2"), QStringLiteral("Gıda"), QStringLiteral("Tuz"), 50, 2, 4);
    return openAccount(QStringLiteral("100"), QStringLiteral("Alıcı"));
}

} // namespace

class TestSales : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { pv::registerAppReports(); }
    void cleanup() { pv::discardAllForms(true); }

    void saleOpens();
    void freeTextSale_data();
    void freeTextSale();
    void roundingSwitch();
    void dateBoxes_data();
    void dateBoxes();
    void stockSale_data();
    void stockSale();
    void stockTotalFollowsTheQuantity();
    void quantityHintEndsWithTheTotal_data();
    void quantityHintEndsWithTheTotal();
    void modeButtonsAndKeys();
    void stockWarningsOnTheList_data();
    void stockWarningsOnTheList();
    void stockSaleRefusals_data();
    void stockSaleRefusals();
    void productSearch_data();
    void productSearch();
    void collection_data();
    void collection();
    void creditNoteAndPayment_data();
    void creditNoteAndPayment();
    void refusals_data();
    void refusals();
    void receipt_data();
    void receipt();
    void postingIdMovesOn();
    void twoCollectionsInOneVisit();
    void cancelWritesNothing_data();
    void cancelWritesNothing();
    void failureLeavesEverythingUnchanged_data();
    void failureLeavesEverythingUnchanged();
    void cannedDescriptions();
};

// ---------------------------------------------------------------- sales

void TestSales::saleOpens()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"));
    veresiye2 &w = openAccount(QStringLiteral("100"), QStringLiteral("Alıcı"));
    bool shown = false;
    h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
        activate(d);
        shown = true;
        QCOMPARE(d.txtOnay.text(), QStringLiteral("1"));
        QVERIFY(!d.Text10a->isHidden());
        QVERIFY(d.Text10->isHidden());
        QCOMPARE(d.Text10a->text(), QStringLiteral("1"));
        QCOMPARE(d.Text12a->text(), QString());
        QCOMPARE(d.Text9a->text(), QString());
        QVERIFY(!d.VornXPButton2->Enabled());
        QCOMPARE(d.xpText6->toPlainText(), QStringLiteral("-"));
        QCOMPARE(d.Text6->text(), QStringLiteral("10.12.2026"));
        QCOMPARE(d.Text7->text(), QStringLiteral("10:00:00"));
        QCOMPARE(d.Text11->currentText(), QStringLiteral("Adet"));
        QCOMPARE(d.Text11->count(), 6); // the units of the shop
        QVERIFY(d.btnFormat->Value());
        QCOMPARE(d.txtIslemNo2.text(), QStringLiteral("101226100000"));
        // A quantity of letters leaves the total alone.
        retype(d.Text12a, QStringLiteral("12,5"));
        QCOMPARE(d.Text9a->text(), QStringLiteral("12,5"));
        QVERIFY(d.VornXPButton2->Enabled());
        retype(d.Text10a, QStringLiteral("ab"));
        QCOMPARE(d.Text9a->text(), QStringLiteral("12,5"));
        Harness::click(d.VornXPButton1);
    });
    Harness::click(w.VornXPButton8);
    Harness::settle();
    QVERIFY(shown);
    QVERIFY(!pv::isLoaded<veresiyeekleode>());
}

void TestSales::freeTextSale_data()
{
    QTest::addColumn<bool>("rounded");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("shownPrice");
    QTest::addColumn<double>("amount");
    QTest::newRow("rounded") << true << "2"
                             << "1234,5"
                             << "1.234,50" << 2469.0;
    QTest::newRow("four decimals") << false << "2"
                                   << "1234,5"
                                   << "1.234,5000" << 2469.0;
    QTest::newRow("half a unit") << true << "2,5"
                                 << "3"
                                 << "3,00" << 7.5;
    QTest::newRow("zero quantity") << true << "0"
                                   << "3"
                                   << "3,00" << 0.0;
}

void TestSales::freeTextSale()
{
    QFETCH(bool, rounded);
    QFETCH(QString, quantity);
    QFETCH(QString, price);
    QFETCH(QString, shownPrice);
    QFETCH(double, amount);
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"));
    veresiye2 &w = openAccount(QStringLiteral("100"), QStringLiteral("Alıcı"));
    SignalWatch signal;
    signal.watch(w, h);
    h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
        activate(d);
        if (!rounded) {
            Harness::click(d.btnFormat);
            QCOMPARE(d.txtFormat.text(), QStringLiteral("0"));
        }
        retype(d.xpText6, QStringLiteral("Un ve şeker"));
        retype(d.Text10a, quantity);
        retype(d.Text12a, price);
        leave(d.Text12a, d.Text10a);
        QCOMPARE(d.Text12a->text(), shownPrice);
        Harness::click(d.VornXPButton2);
    });
    Harness::click(w.VornXPButton8);
    Harness::settle();
    QVERIFY(!pv::isLoaded<veresiyeekleode>());

    const auto rows =
        h.rows(QStringLiteral("select Tarih, Saat, Turu, Aciklama, Miktar, Birim, BirimFiyat, Eklenen, "
                              "Odenen, Tarih2, UygFiyat, islemNo2, ProductCode, mus_kodu from veresiye"));
    QCOMPARE(rows.size(), 1);
    const QVariantList expected{"10.12.2026",
                                "10:00:00",
                                "Stoktan Bağımsız Satış",
                                "Un ve şeker",
                                quantity,
                                "Adet",
                                shownPrice,
                                amount,
                                QVariant(),
                                "20261210",
                                "Satış Fiyatı 1",
                                QVariant(),
                                QVariant(),
                                "100"};
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(rows[0][i].toString(), expected[i].toString());
    QVERIFY(rows[0][8].isNull());

    const auto log = h.rows(QStringLiteral("select * from SatisRapor"));
    QCOMPARE(log.size(), 1);
    QVERIFY(log[0][1].isNull() && log[0][2].isNull() && log[0][3].isNull());
    QCOMPARE(log[0][4].toDouble(), pv::toNumber(quantity).value());
    QCOMPARE(log[0][5].toString(), QStringLiteral("Adet"));
    QCOMPARE(log[0][6].toDouble(), pv::toNumber(price).value());
    QCOMPARE(log[0][7].toDouble(), amount);
    QCOMPARE(log[0][10].toString(), QStringLiteral("2026-12-10"));
    QCOMPARE(log[0][11].toInt(), 12);
    QCOMPARE(log[0][12].toInt(), 2026);
    QCOMPARE(log[0][13].toString(), QStringLiteral("20261210"));
    QCOMPARE(log[0][15].toString(), QStringLiteral("100"));

    // The account window heard of it once, after the row was written, in the signal's order.
    QCOMPARE(signal.count, 1);
    QVERIFY(signal.timerOn && signal.panelShown);
    QCOMPARE(signal.ledgerRows, 1);
    QCOMPARE(w.txtUygulaOdemeVeresiye.text(), QStringLiteral("22"));
    QCOMPARE(w.Text11.text(), QStringLiteral("10.12.2026"));
    QCOMPARE(w.VornXPTextBox2->text(), pv::formatMoney(amount));
}

void TestSales::roundingSwitch()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"));
    veresiye2 &w = openAccount(QStringLiteral("100"), QStringLiteral("Alıcı"));
    h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
        activate(d);
        retype(d.Text12a, QStringLiteral("1234,5"));
        QCOMPARE(d.Text9a->text(), QStringLiteral("1234,5"));
        Harness::click(d.btnFormat); // released: total, then price, with four decimals
        QCOMPARE(d.Text12a->text(), QStringLiteral("1.234,5000"));
        QCOMPARE(d.Text9a->text(), QStringLiteral("1234,5")); // recomputed by the price's rewrite
        leave(d.Text9a, d.Text10a);
        QCOMPARE(d.Text9a->text(), QStringLiteral("1.234,5000"));
        Harness::click(d.btnFormat); // pressed again
        QCOMPARE(d.txtFormat.text(), QStringLiteral("1"));
        QCOMPARE(d.Text12a->text(), QStringLiteral("1.234,50"));
        // The collection panel has a switch of its own.
        retype(d.Text5, QStringLiteral("1234,5"));
        Harness::click(d.btnFormat2);
        QCOMPARE(d.Text5->text(), QStringLiteral("1.234,5000"));
        retype(d.Text5, QStringLiteral("elli"));
        Harness::click(d.btnFormat2);
        QCOMPARE(d.Text5->text(), QStringLiteral("elli"));
        Harness::click(d.VornXPButton1);
    });
    Harness::click(w.VornXPButton8);
    Harness::settle();
}

void TestSales::dateBoxes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("short day") << "8.12.2026"
                               << "08.12.2026";
    QTest::newRow("slashes") << "1/2/2026"
                             << "01.02.2026";
    QTest::newRow("no date") << "yarın"
                             << "yarın";
    QTest::newRow("no such day") << "31.02.2026"
                                 << "31.02.2026";
}

void TestSales::dateBoxes()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"));
    addSale(h, QStringLiteral("100"), 40);
    veresiye2 &w = openAccount(QStringLiteral("100"), QStringLiteral("Alıcı"));
    h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
        activate(d);
        retype(d.Text2, typed);
        leave(d.Text2, d.Text3);
        QCOMPARE(d.Text2->text(), shown);
        Harness::click(d.VornXPButton8);
    });
    Harness::click(w.VornXPButton10);
    Harness::settle();
}

void TestSales::stockSale_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::newRow("more than on hand")
        << "12"
        << "' Un ' ürünü için kullanılabilecek stok miktarı max: ' 10 ' adetir. "
        << "Uyarı!";
    QTest::newRow("zero") << "0"
                          << "Miktarı Girin."
                          << "Gerekli Bilgi";
    QTest::newRow("empty") << ""
                           << "Miktarı Girin."
                           << "Gerekli Bilgi";
    QTest::newRow("all of it") << "10"
                               << ""
                               << "";
}

void TestSales::stockSale()
{
    QFETCH(QString, first);
    QFETCH(QString, message);
    QFETCH(QString, title);
    Harness h;
    veresiye2 &w = openStockShop(h);
    SignalWatch signal;
    signal.watch(w, h);
    h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
        activate(d);
        Harness::click(d.BvButton1);
        QCOMPARE(d.txtOnay.text(), QStringLiteral("2"));
        QVERIFY(!d.frmstok->isHidden());
        QCOMPARE(d.width(), pv::twipsToPixels(15525));
        QVERIFY(d.Text10a->isHidden() && !d.Text10->isHidden());
        d.DBGrid2->selectRow(1); // Tuz, then back to Un: no warnings for either
        d.DBGrid2->selectRow(0);
        Harness::click(d.btnAktar);
        QCOMPARE(d.bartext->text(), QStringLiteral("P1"));
        QCOMPARE(d.xpText6->toPlainText(), QStringLiteral("Un / Gıda"));
        QCOMPARE(d.Text12->text(), QStringLiteral("15"));
        QCOMPARE(d.Text11->currentText(), QStringLiteral("Kg"));
        QVERIFY(d.frmstok->isHidden());
        QCOMPARE(d.width(), pv::twipsToPixels(6855));
        QVERIFY(!d.BvButton1->Value() && !d.BvButton4->Value());
        // The quantity 1 gives the total at once: the quantity hint has ended with it.
        QCOMPARE(d.Text9->text(), QStringLiteral("15,00"));
        QVERIFY(d.msj->isHidden() && !d.Timer6->Enabled());

        retype(d.Text10, first);
        if (!message.isEmpty())
            h.expectMsgBox(message, pv::vbOKOnly | pv::vbExclamation, title);
        Harness::key(d.Text10, Qt::Key_Return);
        if (!message.isEmpty()) {
            // The total follows what the quantity box holds, refused or not.
            QCOMPARE(d.Text9->text(), first == QLatin1String("0") ? QStringLiteral("0,00") : QString());
            QCOMPARE(d.Text10->text(), message.startsWith(QLatin1Char('\'')) ? QString() : first);
            retype(d.Text10, QStringLiteral("2,5"));
            Harness::key(d.Text10, Qt::Key_Return);
        }
        const bool all = message.isEmpty();
        QCOMPARE(d.Text9->text(), all ? QStringLiteral("150,00") : QStringLiteral("37,50"));
        QVERIFY(d.msj->isHidden() && !d.Timer6->Enabled());
        QVERIFY(d.VornXPButton2->Enabled());
        // Enter in the total only moves on: the stock is the save's.
        Harness::key(d.Text9, Qt::Key_Return);
        QCOMPARE(h.value(QStringLiteral("select OnHand from Product where [Product Code] = 'P1'")).toDouble(),
                 10.0);
        QCOMPARE(h.value(QStringLiteral("select count(*) from SatisRapor")).toInt(), 0);
        Harness::click(d.VornXPButton2);
    });
    Harness::click(w.VornXPButton8);
    Harness::settle();
    QVERIFY(!pv::isLoaded<veresiyeekleode>());

    const bool all = message.isEmpty();
    const double sold = all ? 10 : 2.5;
    QCOMPARE(h.value(QStringLiteral("select OnHand from Product where [Product Code] = 'P1'")).toDouble(),
             10 - sold);
    QCOMPARE(h.value(QStringLiteral("select OnHand from Product where [Product Code] = 'P2'")).toDouble(),
             50.0);
    const auto rows =
        h.rows(QStringLiteral("select Turu, Miktar, Birim, BirimFiyat, Eklenen, ProductCode, UygFiyat, "
                              "Aciklama from veresiye"));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0][0].toString(), QStringLiteral("Stoktan Satış"));
    QCOMPARE(rows[0][1].toString(), all ? QStringLiteral("10") : QStringLiteral("2,5"));
    QCOMPARE(rows[0][2].toString(), QStringLiteral("Kg"));
    QCOMPARE(rows[0][3].toString(), QStringLiteral("15"));
    QCOMPARE(rows[0][4].toDouble(), 15 * sold);
    QCOMPARE(rows[0][5].toString(), QStringLiteral("P1"));
    QCOMPARE(rows[0][6].toString(), QStringLiteral("Satış Fiyatı 1"));
    QCOMPARE(rows[0][7].toString(), QStringLiteral("Un / Gıda"));
    const auto log =
        h.rows(QStringLiteral("select ProductCode, UrunMarkasi, UrunAdi, Miktar, Birim, BirimFiyat, "
                              "Tutar, mus_kodu from SatisRapor"));
    QCOMPARE(log.size(), 1);
    QCOMPARE(log[0][0].toString(), QStringLiteral("P1"));
    QCOMPARE(log[0][1].toString(), QStringLiteral("Gıda"));
    QCOMPARE(log[0][2].toString(), QStringLiteral("Un"));
    QCOMPARE(log[0][3].toDouble(), sold);
    QCOMPARE(log[0][4].toString(), QStringLiteral("Kg"));
    QCOMPARE(log[0][5].toDouble(), 15.0);
    QCOMPARE(log[0][6].toDouble(), 15 * sold);
    QCOMPARE(log[0][7].toString(), QStringLiteral("100"));
    QCOMPARE(signal.count, 1);
    QCOMPARE(w.txtUygulaOdemeVeresiye.text(), QStringLiteral("33"));
}

// A quantity changed after the total was shown is booked at its own total.
void TestSales::stockTotalFollowsTheQuantity()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"));
    addProduct(h, QStringLiteral("P1"), QStringLiteral("Gıda"), QStringLiteral("Un"), 10, 2);
    veresiye2 &w = openAccount(QStringLiteral("100"), QStringLiteral("Alıcı"));
    h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
        activate(d);
        Harness::click(d.BvButton1);
        Harness::click(d.btnAktar);
        retype(d.Text10, QStringLiteral("2"));
        Harness::key(d.Text10, Qt::Key_Return);
        QCOMPARE(d.Text9->text(), QStringLiteral("30,00"));
        retype(d.Text10, QStringLiteral("3"));
        Harness::click(d.VornXPButton2);
    });
    Harness::click(w.VornXPButton8);
    Harness::settle();
    QCOMPARE(h.value(QStringLiteral("select Eklenen from veresiye")).toDouble(), 45.0);
    QCOMPARE(h.value(QStringLiteral("select Tutar from SatisRapor")).toDouble(), 45.0);
    QCOMPARE(h.value(QStringLiteral("select OnHand from Product")).toDouble(), 7.0);
}

void TestSales::quantityHintEndsWithTheTotal_data()
{
    QTest::addColumn<bool>("emptied"); // the quantity box emptied before the product is taken
    QTest::newRow("taken with a quantity") << false;
    QTest::newRow("taken without a quantity") << true;
}

// The blinking "Miktarı Yazıp ENTER Tuşuna Basın" asks for the quantity until the line total
// changes, also when taking the product is what fills the total.
void TestSales::quantityHintEndsWithTheTotal()
{
    QFETCH(bool, emptied);
    Harness h;
    veresiye2 &w = openStockShop(h);
    auto hintShown = [](veresiyeekleode &d) {
        return !d.msj->isHidden() || !d.Image4->isHidden() || !d.Image5->isHidden() || d.Timer6->Enabled();
    };
    h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
        activate(d);
        if (emptied) {
            Harness::click(d.BvButton1);
            d.DBGrid2->selectRow(0);
            Harness::click(d.btnAktar);
            retype(d.Text10, QString());
            QCOMPARE(d.Text9->text(), QString());
        }
        Harness::click(d.BvButton1);
        d.DBGrid2->selectRow(1);
        Harness::click(d.btnAktar);
        QCOMPARE(d.Text12->text(), QStringLiteral("4"));
        if (emptied) {
            // Nothing to total yet: the hint blinks beside the quantity.
            QCOMPARE(d.Text9->text(), QString());
            QVERIFY(!d.msj->isHidden() && d.Timer6->Enabled());
            QVERIFY(pv::Timer::fire(*d.Timer6));
            QVERIFY(!d.Image4->isHidden() && d.Image5->isHidden());
            QVERIFY(pv::Timer::fire(*d.Timer6));
            QVERIFY(d.Image4->isHidden() && !d.Image5->isHidden());
            Harness::type(d.Text10, QStringLiteral("2"));
        }
        QCOMPARE(d.Text9->text(), emptied ? QStringLiteral("8,00") : QStringLiteral("4,00"));
        QVERIFY(!hintShown(d));
        Harness::advance(2000);
        QVERIFY(!hintShown(d));
        QVERIFY(d.VornXPButton2->Enabled());
        Harness::click(d.VornXPButton2);
    });
    Harness::click(w.VornXPButton8);
    Harness::settle();
    QVERIFY(!pv::isLoaded<veresiyeekleode>());
    QCOMPARE(h.value(QStringLiteral("select Eklenen from veresiye")).toDouble(), emptied ? 8.0 : 4.0);
}

void TestSales::modeButtonsAndKeys()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"));
    addProduct(h, QStringLiteral("P1"), QStringLiteral("Gıda"), QStringLiteral("Un"), 10, 2);
    veresiye2 &w = openAccount(QStringLiteral("100"), QStringLiteral("Alıcı"));
    h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
        activate(d);
        const int narrow = pv::twipsToPixels(6855), wide = pv::twipsToPixels(15525);
        Harness::click(d.BvButton4);
        QVERIFY(d.BvButton4->Value());
        QCOMPARE(d.width(), wide);
        Harness::click(d.BvButton1); // the other mode: the first button is released
        QVERIFY(d.BvButton1->Value() && !d.BvButton4->Value());
        QCOMPARE(d.txtOnay.text(), QStringLiteral("2"));
        QVERIFY(!d.btnAktar->isHidden() && d.BtnAktarA->isHidden());
        QCOMPARE(d.width(), wide);
        Harness::click(d.BvButton1); // released: panel closed, mode kept
        QVERIFY(d.frmstok->isHidden());
        QCOMPARE(d.width(), narrow);
        QCOMPARE(d.txtOnay.text(), QStringLiteral("2"));
        Harness::click(d.BvButton1);
        Harness::click(d.BvButton3);
        QVERIFY(d.frmstok->isHidden());
        QCOMPARE(d.width(), narrow);
        QVERIFY(d.BvButton1->Value()); // the close button leaves the mode buttons alone

        // Without a product the quantity box hands the keys on to the product code.
        d.Text10->setFocus(Qt::TabFocusReason);
        QVERIFY(d.bartext->hasFocus());
        d.bartext->setText(QStringLiteral("P1"));
        retype(d.Text10, QStringLiteral("2a b"));
        QCOMPARE(d.Text10->text(), QStringLiteral("2"));
        QVERIFY(!d.VornXPButton2->Enabled());
        retype(d.Text12, QStringLiteral("0"));
        h.expectMsgBox(QStringLiteral("Tutarı Girin."), pv::vbOKOnly | pv::vbExclamation,
                       QStringLiteral("Gerekli Bilgi"));
        Harness::key(d.Text12, Qt::Key_Return);
        // The total follows every change, Enter or not.
        QCOMPARE(d.Text9->text(), QStringLiteral("0,00"));
        retype(d.Text12, QStringLiteral("1234,5"));
        Harness::key(d.Text12, Qt::Key_Return);
        QCOMPARE(d.Text9->text(), QStringLiteral("2.469,00"));
        QVERIFY(d.Text9->hasFocus());
        QVERIFY(d.VornXPButton2->Enabled());
        Harness::click(d.VornXPButton1);
    });
    Harness::click(w.VornXPButton8);
    Harness::settle();
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye")).toInt(), 0);
}

void TestSales::stockWarningsOnTheList_data()
{
    QTest::addColumn<double>("onHand");
    QTest::addColumn<double>("reorder");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("plenty") << 5.0 << 3.0 << QStringList{};
    QTest::newRow("at the reorder level") << 3.0 << 3.0 << QStringList{};
    QTest::newRow("below the reorder level")
        << 2.0 << 3.0 << QStringList{"' Tuz ' Ürünü Kritik Stok Seviyesinin Altında."};
    QTest::newRow("none left, no level") << 0.0 << 0.0 << QStringList{"' Tuz ' Ürününün Stoku Tükenmiş."};
    QTest::newRow("none left, below the level")
        << 0.0 << 5.0
        << QStringList{"' Tuz ' Ürününün Stoku Tükenmiş.", "' Tuz ' Ürünü Kritik Stok Seviyesinin Altında."};
}

void TestSales::stockWarningsOnTheList()
{
    QFETCH(double, onHand);
    QFETCH(double, reorder);
    QFETCH(QStringList, messages);
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"));
    addProduct(h, QStringLiteral("P1"), QStringLiteral("Gıda"), QStringLiteral("Un"), 10, 2);
    addProduct(h, QStringLiteral("P2"), QStringLiteral("Gıda"), QStringLiteral("Tuz"), onHand, reorder);
    veresiye2 &w = openAccount(QStringLiteral("100"), QStringLiteral("Alıcı"));
    h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
        activate(d);
        Harness::click(d.BvButton4);
        QCOMPARE(d.txtOnay.text(), QStringLiteral("1"));
        QCOMPARE(d.frmstok->Caption(), QStringLiteral("Stoktan Bağımsız Ekle / Stoktaki Ürünler"));
        for (const QString &m : messages)
            h.expectMsgBox(m, pv::vbOKOnly | pv::vbExclamation,
                           m.contains(QStringLiteral("Kritik")) ? QStringLiteral("Dikkat!")
                                                                : QStringLiteral("Uyarı!"));
        d.DBGrid2->selectRow(1);
        // A free-text line may still name the product; the stock stays as it is.
        Harness::click(d.BtnAktarA);
        QCOMPARE(d.Text12a->text(), QStringLiteral("15"));
        QVERIFY(d.msj->isHidden());
        Harness::click(d.VornXPButton2);
    });
    Harness::click(w.VornXPButton8);
    Harness::settle();
    QCOMPARE(h.value(QStringLiteral("select ProductCode from veresiye")).toString(), QStringLiteral("P2"));
    QCOMPARE(h.value(QStringLiteral("select UrunAdi from SatisRapor")).toString(), QStringLiteral("Tuz"));
    QCOMPARE(h.value(QStringLiteral("select OnHand from Product where [Product Code] = 'P2'")).toDouble(),
             onHand);
}

void TestSales::stockSaleRefusals_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("message");
    const QString none = QStringLiteral("Stokta bu koda ait ürün bulunamadı");
    QTest::newRow("unknown code") << "X9"
                                  << "1" << none;
    QTest::newRow("no code") << ""
                             << "1" << none;
    QTest::newRow("zero quantity") << "P1"
                                   << "0"
                                   << "Miktarı Girin.";
    QTest::newRow("negative quantity") << "P1"
                                       << "-2"
                                       << "Miktarı Girin.";
    QTest::newRow("not a number") << "P1"
                                  << "1,2,3"
                                  << "Miktar geçerli bir sayı olmalıdır (ör. 1.234,50).";
}

void TestSales::stockSaleRefusals()
{
    QFETCH(QString, code);
    QFETCH(QString, quantity);
    QFETCH(QString, message);
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"));
    addProduct(h, QStringLiteral("P1"), QStringLiteral("Gıda"), QStringLiteral("Un"), 10, 2);
    veresiye2 &w = openAccount(QStringLiteral("100"), QStringLiteral("Alıcı"));
    const QString before = snapshot(h);
    h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
        activate(d);
        d.txtOnay = QStringLiteral("2");
        // A code typed (or scanned) into the product box; lower case arrives upper case.
        retype(d.bartext, code.toLower() + QStringLiteral("= "));
        QCOMPARE(d.bartext->text(), code);
        d.Text10->setText(quantity);
        d.Text12->setText(QStringLiteral("15"));
        d.Text9->setText(QStringLiteral("15"));
        h.expectMsgBoxContaining(message);
        Harness::click(d.VornXPButton2);
        QVERIFY(pv::isLoaded<veresiyeekleode>());
        QCOMPARE(d.Text10->text(), quantity);
        Harness::click(d.VornXPButton1);
    });
    Harness::click(w.VornXPButton8);
    Harness::settle();
    QCOMPARE(snapshot(h), before);
}

void TestSales::productSearch_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("anywhere in the name") << "ek"
                                          << "" << QStringList{"Şeker", "Tereyağ Ekstra"};
    QTest::newRow("Turkish case") << "ŞEK"
                                  << "" << QStringList{"Şeker"};
    QTest::newRow("a star is a star") << "a*"
                                      << "" << QStringList{"Un a*b"};
    QTest::newRow("an apostrophe") << "O'n"
                                   << "" << QStringList{"O'nun"};
    QTest::newRow("cleared") << ""
                             << "" << QStringList{"O'nun", "Şeker", "Tereyağ Ekstra", "Un a*b"};
    QTest::newRow("category prefix") << "ek"
                                     << "Süt" << QStringList{"O'nun", "Tereyağ Ekstra"};
}

void TestSales::productSearch()
{
    QFETCH(QString, name);
    QFETCH(QString, category);
    QFETCH(QStringList, listed);
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"));
    addProduct(h, QStringLiteral("P1"), QStringLiteral("Gıda"), QStringLiteral("Şeker"), 10, 0);
    addProduct(h, QStringLiteral("P2"), QStringLiteral("Süt"), QStringLiteral("Tereyağ Ekstra"), 10, 0);
    addProduct(h, QStringLiteral("P3"), QStringLiteral("Gıda"), QStringLiteral("Un a*b"), 10, 0);
    addProduct(h, QStringLiteral("P4"), QStringLiteral("Süt Ürünleri"), QStringLiteral("O'nun"), 10, 0);
    QVERIFY(
        h.insert(QStringLiteral("urun_marka"), {{QStringLiteral("urunmarkaadi"), QStringLiteral("Süt")}}));
    QVERIFY(
        h.insert(QStringLiteral("urun_marka"), {{QStringLiteral("urunmarkaadi"), QStringLiteral("Gıda")}}));
    veresiye2 &w = openAccount(QStringLiteral("100"), QStringLiteral("Alıcı"));
    h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
        activate(d);
        Harness::click(d.BvButton1);
        QCOMPARE(d.xpCombo1->count(), 2);
        Harness::type(d.xpText15, QStringLiteral("x"));
        retype(d.xpText15, name);
        if (!category.isEmpty()) {
            d.xpCombo1->setCurrentIndex(d.xpCombo1->findText(category));
            emit d.xpCombo1->activated(d.xpCombo1->currentIndex());
        }
        QStringList shown;
        for (int r = 0; r < d.DBGrid2->model()->rowCount(); ++r)
            shown << d.DBGrid2->model()->index(r, 2).data().toString();
        QCOMPARE(shown, listed);
        Harness::click(d.VornXPButton1);
    });
    Harness::click(w.VornXPButton8);
    Harness::settle();
}

// ---------------------------------------------------------------- collections and credits

void TestSales::collection_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("moneyIn");
    QTest::newRow("cash from a customer") << "Alıcı" << 0 << true;
    QTest::newRow("card from a customer") << "Alıcı" << 1 << true;
    QTest::newRow("cheque from a dealer") << "Bayi" << 2 << true;
    QTest::newRow("bank from both kinds") << "Alıcı/Satıcı" << 3 << true;
    QTest::newRow("cash on a supplier") << "Satıcı" << 0 << false;
    QTest::newRow("card on a supplier") << "Satıcı" << 1 << false;
}

void TestSales::collection()
{
    QFETCH(QString, type);
    QFETCH(int, kind);
    QFETCH(bool, moneyIn);
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"), {{QStringLiteral("Turu"), type}});
    addSale(h, QStringLiteral("100"), 40);
    veresiye2 &w = openAccount(QStringLiteral("100"), type);
    const QString header = QStringLiteral("TAHSİLAT - ") + w.Caption();
    SignalWatch signal;
    signal.watch(w, h);
    QString kindText;
    h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
        activate(d);
        QCOMPARE(d.Text4->text(), QStringLiteral("ÖDEME YAPILDI"));
        QVERIFY(!d.btnMakbuz->Value() && d.btnFormat2->Value());
        d.cboOdemeSekli->setCurrentIndex(kind);
        emit d.cboOdemeSekli->activated(kind);
        QVERIFY(d.Text5->hasFocus());
        kindText = d.cboOdemeSekli->currentText();
        retype(d.Text2, QStringLiteral("1.12.2026"));
        retype(d.Text3, QStringLiteral("09:15:00"));
        retype(d.Text5, QStringLiteral("250"));
        leave(d.Text5, d.Text4);
        QCOMPARE(d.Text5->text(), QStringLiteral("250,00"));
        Harness::click(d.VornXPButton9);
    });
    h.setNow(QDateTime(QDate(2026, 12, 10), QTime(10, 0, 0))); // opened and saved in the same second
    Harness::click(w.VornXPButton10);
    Harness::settle();
    QVERIFY(!pv::isLoaded<veresiyeekleode>());

    const auto led =
        h.rows(QStringLiteral("select Tarih, Saat, Turu, Aciklama, Odenen, Eklenen, Tarih2, islemNo2, "
                              "mus_kodu from veresiye where islemNo2 is not null"));
    QCOMPARE(led.size(), 1);
    QCOMPARE(led[0][0].toString(), QStringLiteral("01.12.2026"));
    QCOMPARE(led[0][1].toString(), QStringLiteral("09:15:00"));
    QCOMPARE(led[0][2].toString(), QStringLiteral("Tahsilat ") + kindText);
    QCOMPARE(led[0][3].toString(), QStringLiteral("ÖDEME YAPILDI"));
    QCOMPARE(led[0][4].toDouble(), 250.0);
    QVERIFY(led[0][5].isNull());
    QCOMPARE(led[0][6].toString(), QStringLiteral("20261201"));
    QCOMPARE(led[0][7].toString(), QStringLiteral("101226100000"));
    const auto cash =
        h.rows(QStringLiteral("select mus_kodu, Tarih, Saat, Tur, Aciklama, Giren, Cikan, Tarih2, "
                              "islemNo, islemNo2, OdemeSekli from kasa"));
    QCOMPARE(cash.size(), 1);
    QCOMPARE(cash[0][0].toString(), QStringLiteral("100"));
    QCOMPARE(cash[0][1].toString(), QStringLiteral("10.12.2026"));
    QCOMPARE(cash[0][2].toString(), QStringLiteral("10:00:00"));
    QCOMPARE(cash[0][3].toString(), moneyIn ? QStringLiteral("Giren") : QStringLiteral("Çıkan"));
    QCOMPARE(cash[0][4].toString(), QStringLiteral("ÖDEME YAPILDI (") + header + QLatin1Char(')'));
    QCOMPARE(cash[0][moneyIn ? 5 : 6].toDouble(), 250.0);
    QVERIFY(cash[0][moneyIn ? 6 : 5].isNull());
    QCOMPARE(cash[0][7].toString(), QStringLiteral("20261210"));
    QVERIFY(cash[0][8].isNull());
    QCOMPARE(cash[0][9].toString(), led[0][7].toString());
    QCOMPARE(cash[0][10].toString(), kindText);
    QCOMPARE(h.value(QStringLiteral("select count(*) from SatisRapor")).toInt(), 0);
    QCOMPARE(signal.count, 1);
    QCOMPARE(w.txtUygulaOdemeVeresiye.text(), QStringLiteral("11"));
    QCOMPARE(w.VornXPTextBox3->text(), QStringLiteral("250,00"));
    QCOMPARE(h.value(QStringLiteral("select yolu from yedek_yeri")).toInt(), 1);
}

void TestSales::creditNoteAndPayment_data()
{
    QTest::addColumn<bool>("credit");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("turu");
    QTest::addColumn<bool>("debit");
    QTest::newRow("credit note on a supplier") << true << "Satıcı"
                                               << "Alacak Dekontu " << false;
    QTest::newRow("credit note on a customer") << true << "Alıcı"
                                               << "Alacak Dekontu " << false;
    QTest::newRow("payment on a customer") << false << "Alıcı"
                                           << "Ödeme " << false;
    QTest::newRow("payment on staff") << false << "Personel"
                                      << "Ödeme " << false;
    QTest::newRow("cheque to a supplier") << false << "Satıcı"
                                          << "Ödeme Çek" << true;
}

void TestSales::creditNoteAndPayment()
{
    QFETCH(bool, credit);
    QFETCH(QString, type);
    QFETCH(QString, turu);
    QFETCH(bool, debit);
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"), {{QStringLiteral("Turu"), type}});
    veresiye2 &w = openAccount(QStringLiteral("100"), type);
    const QString header =
        (credit ? QStringLiteral("ALACAK DEKONTU - ") : QStringLiteral("ÖDEME - ")) + w.Caption();
    SignalWatch signal;
    signal.watch(w, h);
    h.onModal<veresiyealacakekle>([&](veresiyealacakekle &d) {
        activate(d);
        QCOMPARE(d.Text2->text(), QStringLiteral("10.12.2026"));
        QCOMPARE(d.Text3->text(), QStringLiteral("10:00:00"));
        if (credit)
            retype(d.Text4, QStringLiteral("İade"));
        else {
            d.cboOdemeSekli->setCurrentIndex(2);
            emit d.cboOdemeSekli->activated(2);
            QVERIFY(d.Text5->hasFocus());
        }
        retype(d.Text2, QStringLiteral("3.12.2026"));
        retype(d.Text5, QStringLiteral("1234,5"));
        leave(d.Text5, d.Text4);
        QCOMPARE(d.Text5->text(), QStringLiteral("1.234,50"));
        Harness::click(d.VornXPButton9);
    });
    (credit ? w.mnuAlacak : w.mnuOdeme)->trigger();
    Harness::settle();
    QVERIFY(!pv::isLoaded<veresiyealacakekle>());

    const auto led =
        h.rows(QStringLiteral("select Tarih, Saat, Turu, Aciklama, Eklenen, Odenen, Tarih2, islemNo2, "
                              "Miktar, Birim from veresiye"));
    QCOMPARE(led.size(), 1);
    QCOMPARE(led[0][0].toString(), QStringLiteral("03.12.2026"));
    QCOMPARE(led[0][2].toString(), turu);
    QCOMPARE(led[0][3].toString(), credit ? QStringLiteral("İade") : QStringLiteral("ÖDEME YAPILDI"));
    QCOMPARE(led[0][debit ? 4 : 5].toDouble(), 1234.5);
    QVERIFY(led[0][debit ? 5 : 4].isNull());
    QCOMPARE(led[0][6].toString(), QStringLiteral("20261203"));
    QCOMPARE(led[0][7].toString(), QStringLiteral("101226100000"));
    QVERIFY(led[0][8].isNull() && led[0][9].isNull());
    const auto cash =
        h.rows(QStringLiteral("select mus_kodu, Tarih, Saat, Tur, Aciklama, Giren, Cikan, Tarih2, "
                              "islemNo2, OdemeSekli from kasa"));
    QCOMPARE(cash.size(), debit ? 1 : 0);
    if (debit) {
        QCOMPARE(cash[0][1].toString(), QStringLiteral("03.12.2026"));
        QCOMPARE(cash[0][2].toString(), QStringLiteral("10:00:00"));
        QCOMPARE(cash[0][3].toString(), QStringLiteral("Çıkan"));
        QCOMPARE(cash[0][4].toString(), QStringLiteral("ÖDEME YAPILDI (") + header + QLatin1Char(')'));
        QVERIFY(cash[0][5].isNull());
        QCOMPARE(cash[0][6].toDouble(), 1234.5);
        QCOMPARE(cash[0][7].toString(), QStringLiteral("20261203"));
        QCOMPARE(cash[0][8].toString(), led[0][7].toString());
        QCOMPARE(cash[0][9].toString(), QStringLiteral("Çek"));
    }
    QCOMPARE(signal.count, 1);
    QCOMPARE(signal.ledgerRows, 1);
    QCOMPARE(w.txtUygulaOdemeVeresiye.text(), QStringLiteral("11"));
}

void TestSales::refusals_data()
{
    QTest::addColumn<QString>("dialog"); // sale, collection, credit
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("sale: no description") << "sale"
                                          << "description"
                                          << ""
                                          << "Açıklama Yazın.";
    QTest::newRow("sale: no quantity") << "sale"
                                       << "quantity"
                                       << ""
                                       << "Miktarı Girin.";
    QTest::newRow("sale: no price") << "sale"
                                    << "price"
                                    << ""
                                    << "Birim Fiyatını Yazın";
    QTest::newRow("sale: price of letters") << "sale"
                                            << "price"
                                            << "on"
                                            << "Fiyat geçerli bir sayı olmalıdır (ör. 1.234,50).";
    QTest::newRow("sale: no such day") << "sale"
                                       << "date"
                                       << "30.02.2026"
                                       << "Tarihi gg.aa.yyyy biçiminde yazın.";
    QTest::newRow("collection: no description") << "collection"
                                                << "description"
                                                << ""
                                                << "Açıklama Yazın.";
    QTest::newRow("collection: no kind") << "collection"
                                         << "kind"
                                         << ""
                                         << "Ödeme Şeklini Girin";
    QTest::newRow("collection: no amount") << "collection"
                                           << "amount"
                                           << ""
                                           << "Ödenen Miktarı Girin.";
    QTest::newRow("collection: amount of letters") << "collection"
                                                   << "amount"
                                                   << "yüz"
                                                   << "Tutar geçerli bir sayı olmalıdır (ör. 1.234,50).";
    QTest::newRow("collection: no date") << "collection"
                                         << "date"
                                         << "dün"
                                         << "Tarihi gg.aa.yyyy biçiminde yazın.";
    QTest::newRow("credit: no description") << "credit"
                                            << "description"
                                            << ""
                                            << "Açıklama Yazın.";
    QTest::newRow("credit: no amount") << "credit"
                                       << "amount"
                                       << ""
                                       << "Tutarı Girin.";
    QTest::newRow("credit: amount of letters") << "credit"
                                               << "amount"
                                               << "12a"
                                               << "Tutar geçerli bir sayı olmalıdır (ör. 1.234,50).";
    // Past twelve integer digits every box refuses, in its own word; a point is no decimal comma.
    QTest::newRow("sale: quantity past the limit") << "sale"
                                                   << "quantity"
                                                   << "99999999999999999999"
                                                   << "Miktar en fazla 999.999.999.999,99 olabilir.";
    QTest::newRow("sale: price past the limit") << "sale"
                                                << "price"
                                                << "1.000.000.000.000"
                                                << "Fiyat en fazla 999.999.999.999,99 olabilir.";
    QTest::newRow("collection: amount past the limit") << "collection"
                                                       << "amount"
                                                       << "1.000.000.000.000"
                                                       << "Tutar en fazla 999.999.999.999,99 olabilir.";
    QTest::newRow("credit: amount with a point") << "credit"
                                                 << "amount"
                                                 << "1.5"
                                                 << "Tutar geçerli bir sayı olmalıdır (ör. 1.234,50).";
    QTest::newRow("credit: amount past the limit") << "credit"
                                                   << "amount"
                                                   << "99999999999999999999"
                                                   << "Tutar en fazla 999.999.999.999,99 olabilir.";
    QTest::newRow("credit: date of another shape") << "credit"
                                                   << "date"
                                                   << "2026-12-01"
                                                   << "Tarihi gg.aa.yyyy biçiminde yazın.";
    // A real day outside the range the pickers list is refused: it could never be listed.
    const QString outOfRange = QStringLiteral("Tarih 01.01.1900 ile 31.12.2099 arasında olmalıdır.");
    QTest::newRow("sale: year 0226") << "sale"
                                     << "date"
                                     << "10.12.0226" << outOfRange;
    QTest::newRow("collection: after 2099") << "collection"
                                            << "date"
                                            << "01.01.2100" << outOfRange;
    QTest::newRow("credit: before 1900") << "credit"
                                         << "date"
                                         << "31.12.1899" << outOfRange;
    // The time is read as a time before anything is written.
    const QString badTime = QStringLiteral("Saat geçerli bir saat olmalıdır (ss:dd:sn).");
    QTest::newRow("sale: time of letters") << "sale"
                                           << "time"
                                           << "abc" << badTime;
    QTest::newRow("collection: no time") << "collection"
                                         << "time"
                                         << "" << badTime;
    QTest::newRow("credit: no such hour") << "credit"
                                          << "time"
                                          << "25:00" << badTime;
}

void TestSales::refusals()
{
    QFETCH(QString, dialog);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, message);
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"));
    addSale(h, QStringLiteral("100"), 40);
    veresiye2 &w = openAccount(QStringLiteral("100"), QStringLiteral("Alıcı"));
    const QString before = snapshot(h);
    h.expectMsgBox(message, pv::vbOKOnly | pv::vbExclamation, QStringLiteral("Dikkat!!"));
    QWidget *focused = nullptr;
    bool lineEdit = false;
    QString kept;
    if (dialog == QLatin1String("credit")) {
        h.onModal<veresiyealacakekle>([&](veresiyealacakekle &d) {
            activate(d);
            retype(d.Text4, QStringLiteral("İade"));
            retype(d.Text5, QStringLiteral("10"));
            QLineEdit *box = field == "description" ? d.Text4
                             : field == "amount"    ? d.Text5
                             : field == "time"      ? d.Text3
                                                    : d.Text2;
            retype(box, value);
            Harness::click(d.VornXPButton9);
            QVERIFY(pv::isLoaded<veresiyealacakekle>());
            QVERIFY(box->hasFocus());
            QCOMPARE(box->text(), value);
            Harness::click(d.VornXPButton8);
        });
        w.mnuAlacak->trigger();
    } else {
        h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
            activate(d);
            if (dialog == QLatin1String("sale")) {
                retype(d.Text12a, QStringLiteral("5"));
                QWidget *box = field == "description" ? static_cast<QWidget *>(d.xpText6)
                               : field == "quantity"  ? d.Text10a
                               : field == "price"     ? d.Text12a
                               : field == "time"      ? d.Text7
                                                      : d.Text6;
                retype(box, value);
                Harness::click(d.VornXPButton2);
                focused = box;
            } else {
                retype(d.Text5, QStringLiteral("10"));
                QWidget *box = field == "description" ? d.Text4
                               : field == "amount"    ? d.Text5
                               : field == "kind"      ? static_cast<QWidget *>(d.cboOdemeSekli)
                               : field == "time"      ? d.Text3
                                                      : d.Text2;
                if (field == "kind")
                    d.cboOdemeSekli->setCurrentIndex(-1);
                else
                    retype(box, value);
                Harness::click(d.VornXPButton9);
                focused = box;
            }
            QVERIFY(pv::isLoaded<veresiyeekleode>());
            QVERIFY(focused->hasFocus());
            if (auto *e = qobject_cast<QLineEdit *>(focused)) {
                kept = e->text();
                lineEdit = true;
            }
            Harness::click(dialog == "sale" ? d.VornXPButton1 : d.VornXPButton8);
        });
        Harness::click(dialog == QLatin1String("sale") ? w.VornXPButton8 : w.VornXPButton10);
    }
    Harness::settle();
    if (lineEdit)
        QCOMPARE(kept, value);
    QCOMPARE(snapshot(h), before);
    QCOMPARE(w.txtUygulaOdemeVeresiye.text(), QString());
}

// ---------------------------------------------------------------- receipt

void TestSales::receipt_data()
{
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("stored");
    QTest::newRow("receipt asked for") << true << 41;
    QTest::newRow("no receipt") << false << 856;
}

void TestSales::receipt()
{
    QFETCH(bool, asked);
    QFETCH(int, stored);
    Harness h;
    QVERIFY(h.exec(QStringLiteral("update yedek_yeri set yolu = ?"), {stored}));
    QVERIFY(h.exec(QStringLiteral("update dgrayr set kurumismi = 'Deniz Market'")));
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet Usta"));
    addCustomer(h, QStringLiteral("200"), QStringLiteral("Başka"));
    h.insert(QStringLiteral("veresiye"), {{QStringLiteral("Tarih"), QStringLiteral("01.12.2026")},
                                          {QStringLiteral("Saat"), QStringLiteral("10:00:00")},
                                          {QStringLiteral("Turu"), QStringLiteral("Stoktan Bağımsız Satış")},
                                          {QStringLiteral("Eklenen"), 1000.0},
                                          {QStringLiteral("Tarih2"), QStringLiteral("20261201")},
                                          {QStringLiteral("mus_kodu"), QStringLiteral("100")}});
    // Another account's row at the same moment stays off the receipt.
    h.insert(QStringLiteral("veresiye"), {{QStringLiteral("Tarih"), QStringLiteral("10.12.2026")},
                                          {QStringLiteral("Saat"), QStringLiteral("10:00:00")},
                                          {QStringLiteral("Turu"), QStringLiteral("Tahsilat Nakit")},
                                          {QStringLiteral("Odenen"), 5.0},
                                          {QStringLiteral("Tarih2"), QStringLiteral("20261210")},
                                          {QStringLiteral("mus_kodu"), QStringLiteral("200")}});
    veresiye2 &w = openAccount(QStringLiteral("100"), QStringLiteral("Alıcı"));
    pv::PageModel model;
    int atPreview = -1;
    h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
        activate(d);
        retype(d.Text5, QStringLiteral("250"));
        if (asked)
            Harness::click(d.btnMakbuz);
        Harness::click(d.VornXPButton9);
    });
    if (asked)
        h.onModal<pv::ReportPreview>([&](pv::ReportPreview &p) {
            model = p.document().pageModel();
            // Everything is written before the receipt is on screen.
            atPreview = h.value(QStringLiteral("select yolu from yedek_yeri")).toInt();
            p.close();
        });
    Harness::click(w.VornXPButton10);
    Harness::settle();
    QVERIFY(!pv::isLoaded<veresiyeekleode>());
    QCOMPARE(h.value(QStringLiteral("select yolu from yedek_yeri")).toInt(), asked ? stored + 1 : stored);
    QCOMPARE(h.value(QStringLiteral("select count(*) from kasa")).toInt(), 1);
    if (!asked)
        return;
    QCOMPARE(atPreview, stored + 1);
    QCOMPARE(model.pageCount, 1);
    QCOMPARE(model.textsOf(QStringLiteral("Label183")), QStringList{QString::number(stored)});
    QCOMPARE(model.textsOf(QStringLiteral("Label168")), QStringList{QStringLiteral("Ahmet Usta")});
    QCOMPARE(model.textsOf(QStringLiteral("LabelFirma")), QStringList{QStringLiteral("Deniz Market")});
    QCOMPARE(model.textsOf(QStringLiteral("Label173")), QStringList{QStringLiteral("1.000,00")});
    QCOMPARE(model.textsOf(QStringLiteral("Label175")), QStringList{QStringLiteral("250,00")});
    QCOMPARE(model.textsOf(QStringLiteral("Label177")), QStringList{QStringLiteral("750,00")});
    QCOMPARE(model.textsOf(QStringLiteral("Field1")), QStringList{QStringLiteral("Tahsilat Nakit")});
    const QList<pv::PageText> field = model.ofItem(QStringLiteral("Field7"));
    QCOMPARE(field.size(), 1);
    QCOMPARE(field[0].fontSize, 8.0);
}

void TestSales::postingIdMovesOn()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"),
                {{QStringLiteral("Turu"), QStringLiteral("Satıcı")}});
    // The ids of this second and the next are taken already.
    h.insert(QStringLiteral("kasa"), {{QStringLiteral("islemNo2"), QStringLiteral("101226100000")}});
    h.insert(QStringLiteral("veresiye"), {{QStringLiteral("islemNo2"), QStringLiteral("101226100001")}});
    veresiye2 &w = openAccount(QStringLiteral("100"), QStringLiteral("Satıcı"));
    h.onModal<veresiyealacakekle>([&](veresiyealacakekle &d) {
        activate(d);
        QCOMPARE(d.txtIslemNo2.text(), QStringLiteral("101226100002"));
        // Meanwhile another posting takes that one too.
        h.insert(QStringLiteral("kasa"), {{QStringLiteral("islemNo2"), QStringLiteral("101226100002")}});
        retype(d.Text5, QStringLiteral("10"));
        Harness::click(d.VornXPButton9);
    });
    w.mnuOdeme->trigger();
    Harness::settle();
    QCOMPARE(h.value(QStringLiteral("select islemNo2 from veresiye where mus_kodu = '100'")).toString(),
             QStringLiteral("101226100003"));
    QCOMPARE(h.value(QStringLiteral("select count(*) from kasa where islemNo2 = '101226100003'")).toInt(), 1);
}

// The second collection writes the code the account window already holds; the window
// shows both all the same once the dialog has closed.
void TestSales::twoCollectionsInOneVisit()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"));
    addSale(h, QStringLiteral("100"), 100);
    veresiye2 &w = openAccount(QStringLiteral("100"), QStringLiteral("Alıcı"));
    QStringList ids;
    for (const QString &amount : {QStringLiteral("30"), QStringLiteral("20")}) {
        h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
            activate(d);
            retype(d.Text5, amount);
            Harness::click(d.VornXPButton9);
        });
        Harness::click(w.VornXPButton10);
        Harness::settle();
        QCOMPARE(w.txtUygulaOdemeVeresiye.text(), QStringLiteral("11"));
    }
    QCOMPARE(w.DBGrid2->model()->rowCount(), 3);
    QCOMPARE(w.VornXPTextBox4->text(), QStringLiteral("50,00"));
    // Both opened in the same second of the fixed clock, yet each has its own posting id.
    const auto rows = h.rows(QStringLiteral("select islemNo2 from kasa order by id"));
    QCOMPARE(rows.size(), 2);
    QVERIFY(rows[0][0].toString() != rows[1][0].toString());
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye v join kasa k on k.islemNo2 = v.islemNo2"))
                 .toInt(),
             2);
}

// ---------------------------------------------------------------- nothing half-written

void TestSales::cancelWritesNothing_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("free-text sale") << "sale";
    QTest::newRow("stock sale after Enter in the total") << "stock";
    QTest::newRow("stock sale, blinking picture") << "picture";
    QTest::newRow("collection") << "collection";
    QTest::newRow("payment") << "payment";
}

void TestSales::cancelWritesNothing()
{
    QFETCH(QString, command);
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"),
                {{QStringLiteral("Turu"), QStringLiteral("Satıcı")}});
    addSale(h, QStringLiteral("100"), 40);
    addProduct(h, QStringLiteral("P1"), QStringLiteral("Gıda"), QStringLiteral("Un"), 10, 2);
    veresiye2 &w = openAccount(QStringLiteral("100"), QStringLiteral("Satıcı"));
    const QString before = snapshot(h);
    if (command == QLatin1String("payment")) {
        h.onModal<veresiyealacakekle>([&](veresiyealacakekle &d) {
            activate(d);
            retype(d.Text5, QStringLiteral("10"));
            Harness::click(d.VornXPButton8);
        });
        w.mnuOdeme->trigger();
    } else {
        h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
            activate(d);
            if (command == QLatin1String("collection")) {
                retype(d.Text5, QStringLiteral("10"));
                Harness::click(d.btnMakbuz);
                Harness::click(d.VornXPButton8);
                return;
            }
            if (command == QLatin1String("sale")) {
                retype(d.Text12a, QStringLiteral("10"));
                Harness::click(d.VornXPButton1);
                return;
            }
            Harness::click(d.BvButton1);
            Harness::click(d.btnAktar);
            retype(d.Text10, QStringLiteral("2"));
            if (command == QLatin1String("picture")) {
                pv::Timer::fire(*d.Timer6);
                Harness::click(d.Image4);
                return;
            }
            Harness::key(d.Text10, Qt::Key_Return);
            Harness::key(d.Text9, Qt::Key_Return);
            Harness::click(d.VornXPButton1);
        });
        Harness::click(command == QLatin1String("collection") ? w.VornXPButton10 : w.VornXPButton8);
    }
    Harness::settle();
    QVERIFY(!pv::isLoaded<veresiyeekleode>());
    QVERIFY(!pv::isLoaded<veresiyealacakekle>());
    QCOMPARE(snapshot(h), before);
    QCOMPARE(w.txtUygulaOdemeVeresiye.text(), QString());
}

void TestSales::failureLeavesEverythingUnchanged_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("trigger");
    const QString onKasa = QStringLiteral("BEFORE INSERT ON kasa");
    QTest::newRow("collection, cash row refused") << "collection" << onKasa;
    QTest::newRow("receipt number refused") << "receipt"
                                            << "BEFORE UPDATE ON yedek_yeri";
    QTest::newRow("supplier payment, cash row refused") << "payment" << onKasa;
    QTest::newRow("stock sale, log refused") << "stock"
                                             << "BEFORE INSERT ON SatisRapor";
    QTest::newRow("stock sale, stock refused") << "stock"
                                               << "BEFORE UPDATE ON Product";
    QTest::newRow("free-text sale, log refused") << "sale"
                                                 << "BEFORE INSERT ON SatisRapor";
}

void TestSales::failureLeavesEverythingUnchanged()
{
    QFETCH(QString, command);
    QFETCH(QString, trigger);
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"),
                {{QStringLiteral("Turu"), QStringLiteral("Satıcı")}});
    addSale(h, QStringLiteral("100"), 40);
    addProduct(h, QStringLiteral("P1"), QStringLiteral("Gıda"), QStringLiteral("Un"), 10, 2);
    QVERIFY(h.exec(
        QStringLiteral("CREATE TRIGGER refuse %1 BEGIN SELECT RAISE(ABORT, 'disk dolu'); END").arg(trigger)));
    veresiye2 &w = openAccount(QStringLiteral("100"), QStringLiteral("Satıcı"));
    const QString before = snapshot(h);
    h.expectMsgBoxContaining(kSaved);
    bool stayed = false;
    if (command == QLatin1String("payment")) {
        h.onModal<veresiyealacakekle>([&](veresiyealacakekle &d) {
            activate(d);
            retype(d.Text5, QStringLiteral("10"));
            Harness::click(d.VornXPButton9);
            stayed = pv::isLoaded<veresiyealacakekle>() && d.Text5->text() == QStringLiteral("10");
            Harness::click(d.VornXPButton8);
        });
        w.mnuOdeme->trigger();
    } else {
        h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
            activate(d);
            QLineEdit *kept = nullptr;
            if (command == QLatin1String("collection") || command == QLatin1String("receipt")) {
                retype(d.Text5, QStringLiteral("10"));
                if (command == QLatin1String("receipt"))
                    Harness::click(d.btnMakbuz);
                Harness::click(d.VornXPButton9);
                kept = d.Text5;
            } else if (command == QLatin1String("sale")) {
                retype(d.Text12a, QStringLiteral("10"));
                Harness::click(d.VornXPButton2);
                kept = d.Text12a;
            } else {
                Harness::click(d.BvButton1);
                Harness::click(d.btnAktar);
                retype(d.Text10, QStringLiteral("2"));
                Harness::key(d.Text10, Qt::Key_Return);
                Harness::click(d.VornXPButton2);
                kept = d.Text10;
            }
            stayed = pv::isLoaded<veresiyeekleode>() && !kept->text().isEmpty();
            Harness::click(d.VornXPButton1);
        });
        Harness::click(command == QLatin1String("sale") || command == QLatin1String("stock")
                           ? w.VornXPButton8
                           : w.VornXPButton10);
    }
    Harness::settle();
    QVERIFY(stayed);
    QCOMPARE(h.msgBoxes().size(), 1);
    QCOMPARE(h.msgBoxes()[0].title, QStringLiteral("Hata"));
    QVERIFY(h.msgBoxes()[0].text.contains(QStringLiteral("disk dolu")));
    QCOMPARE(snapshot(h), before);
    QCOMPARE(w.txtUygulaOdemeVeresiye.text(), QString());
}

// ---------------------------------------------------------------- canned descriptions

void TestSales::cannedDescriptions()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"));
    addSale(h, QStringLiteral("100"), 40);
    h.insert(QStringLiteral("VeresiyeEkleAcik"), {{QStringLiteral("Aciklama"), QStringLiteral("Zeytin")}});
    veresiye2 &w = openAccount(QStringLiteral("100"), QStringLiteral("Alıcı"));
    auto texts = [](QTableView *g) {
        QStringList out;
        for (int r = 0; r < g->model()->rowCount(); ++r)
            out << g->model()->index(r, 0).data().toString();
        return out;
    };
    h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
        activate(d);
        QVERIFY(d.frmAciklama->isHidden());
        QTest::mouseDClick(d.xpText6->viewport(), Qt::LeftButton);
        QVERIFY(!d.frmAciklama->isHidden());
        QCOMPARE(d.frmAciklama->pos(), QPoint(pv::twipsToPixels(2400), pv::twipsToPixels(360)));

        h.expectMsgBox(QStringLiteral("Açıklama Yazın"), pv::vbOKOnly | pv::vbExclamation,
                       QStringLiteral("Dikkat!!"));
        Harness::click(d.btnEkle);
        retype(d.xpText1, QStringLiteral("Ali'nin siparişi"));
        Harness::click(d.btnEkle);
        QCOMPARE(d.xpText1->text(), QString());
        retype(d.xpText1, QStringLiteral("Ali'nin siparişi"));
        Harness::click(d.btnEkle); // the same text twice is allowed
        QCOMPARE(texts(d.DBGrid1), (QStringList{"Ali'nin siparişi", "Ali'nin siparişi", "Zeytin"}));

        // A text the database refuses stays in the box, and the user is told why.
        QVERIFY(h.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON VeresiyeEkleAcik BEGIN "
                                      "SELECT RAISE(ABORT, 'liste kilitli'); END")));
        retype(d.xpText1, QStringLiteral("Peynir"));
        h.expectMsgBoxContaining(QStringLiteral("liste kilitli"));
        Harness::click(d.btnEkle);
        QCOMPARE(d.xpText1->text(), QStringLiteral("Peynir"));
        QCOMPARE(texts(d.DBGrid1).size(), 3);

        d.DBGrid1->selectRow(0);
        h.expectMsgBox(QStringLiteral("Seçmiş olduğunuz Kayıt silinecektir. Emin misiniz?"),
                       pv::vbYesNo | pv::vbQuestion, QStringLiteral("KAYIT SİL"), pv::vbNo);
        Harness::click(d.btnSil);
        QCOMPARE(texts(d.DBGrid1).size(), 3);
        h.expectMsgBox(QStringLiteral("Seçmiş olduğunuz Kayıt silinecektir. Emin misiniz?"), pv::vbYes);
        Harness::click(d.btnSil);
        QCOMPARE(texts(d.DBGrid1), (QStringList{"Ali'nin siparişi", "Zeytin"}));

        // Picking replaces the whole description and closes the list.
        d.DBGrid1->selectRow(1);
        emit d.DBGrid1->doubleClicked(d.DBGrid1->model()->index(1, 0));
        QCOMPARE(d.xpText6->toPlainText(), QStringLiteral("Zeytin"));
        QVERIFY(d.frmAciklama->isHidden());
        Harness::click(d.VornXPButton1);
    });
    Harness::click(w.VornXPButton8);
    Harness::settle();
    QCOMPARE(h.value(QStringLiteral("select count(*) from VeresiyeEkleAcik")).toInt(), 2);

    // The collection's list is a list of its own.
    h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
        activate(d);
        QTest::mouseDClick(d.Text4, Qt::LeftButton);
        QVERIFY(!d.frmAciklama2->isHidden());
        QCOMPARE(texts(d.DBGrid3), QStringList{});
        retype(d.xpText2, QStringLiteral("Elden alındı"));
        Harness::click(d.btnEkle2);
        emit d.DBGrid3->doubleClicked(d.DBGrid3->model()->index(0, 0));
        QCOMPARE(d.Text4->text(), QStringLiteral("Elden alındı"));
        QCOMPARE(d.Text4->cursorPosition(), 0); // a long description shows its start
        Harness::click(d.btnKapat2);
        Harness::click(d.VornXPButton8);
    });
    Harness::click(w.VornXPButton10);
    Harness::settle();
    QCOMPARE(h.value(QStringLiteral("select Aciklama from VeresiyeOdeAcik")).toString(),
             QStringLiteral("Elden alındı"));
}

QTEST_MAIN(TestSales)
#include "test_sales.moc"
