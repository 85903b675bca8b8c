// The account window driven as a shopkeeper uses it: open an account, read the ledger
// and totals, post through the entry commands, edit and delete entries, go back.
#include "app/accounts/CariYazdir.h"
#include "app/accounts/veresiye2.h"
#include "app/ledger/Customers.h"
#include "app/ledger/LedgerWrite.h"
#include "app/reports/AppReports.h"
#include "app/sales/veresiyealacakekle.h"
#include "app/sales/veresiyeekleode.h"
#include "app/shell/veresiye.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/components/Twips.h"
#include "platform/data/Database.h"
#include "platform/databind/DataControl.h"
#include "platform/report/ReportPreview.h"
#include "platform/text/Formats.h"
#include "tests/harness/Harness.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

#include <functional>

using pv::test::Harness;
using pv::test::lastMoved;

namespace
{

struct Entry {
    QString tarih, saat, turu;
    QVariant eklenen, odenen;
    QString islemNo2 = {};
    QString productCode = {};
    QString miktar = {};
};

qint64 addEntry(Harness &h, const QString &code, const Entry &e)
{
    const QString key = e.tarih.mid(6, 4) + e.tarih.mid(3, 2) + e.tarih.mid(0, 2);
    h.insert(QStringLiteral("veresiye"), {{QStringLiteral("Tarih"), e.tarih},
                                          {QStringLiteral("Saat"), e.saat},
                                          {QStringLiteral("Turu"), e.turu},
                                          {QStringLiteral("Aciklama"), e.turu + QStringLiteral(" açıklama")},
                                          {QStringLiteral("Miktar"), e.miktar},
                                          {QStringLiteral("Eklenen"), e.eklenen},
                                          {QStringLiteral("Odenen"), e.odenen},
                                          {QStringLiteral("Tarih2"), key},
                                          {QStringLiteral("islemNo2"), e.islemNo2},
                                          {QStringLiteral("ProductCode"), e.productCode},
                                          {QStringLiteral("mus_kodu"), code}});
    return h.value(QStringLiteral("select max(id) from veresiye")).toLongLong();
}

void addCash(Harness &h, const QString &code, const QString &islemNo2, double giren)
{
    h.insert(QStringLiteral("kasa"), {{QStringLiteral("mus_kodu"), code},
                                      {QStringLiteral("Tarih"), QStringLiteral("10.12.2026")},
                                      {QStringLiteral("Tur"), QStringLiteral("Giren")},
                                      {QStringLiteral("Giren"), giren},
                                      {QStringLiteral("Tarih2"), QStringLiteral("20261210")},
                                      {QStringLiteral("islemNo2"), islemNo2}});
}

// The hand-off the main window makes, then the window shown.
veresiye2 &openAccount(const QString &code, const QString &rights = QStringLiteral("0"),
                       const QString &type = QStringLiteral("Alıcı"))
{
    veresiye2 &w = pv::form<veresiye2>();
    w.setCaption(QStringLiteral("Ahmet / %1 - ( TL/%2 ) HESABI").arg(code, type));
    w.Text10 = code;
    w.txtYetki = rights;
    w.txtMusTuru = type;
    w.txtPt1->setText(QStringLiteral("TL"));
    w.txtPt2->setText(QStringLiteral("TL"));
    w.txtPt3->setText(QStringLiteral("TL"));
    w.Show();
    Harness::settle();
    return w;
}

QStringList column(veresiye2 &w, int col)
{
    QStringList out;
    QAbstractItemModel *m = w.DBGrid2->model();
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->index(r, col).data().toString();
    return out;
}

QStringList totals(veresiye2 &w)
{
    return {w.VornXPTextBox2->text(), w.VornXPTextBox3->text(), w.VornXPTextBox4->text()};
}

void selectRow(veresiye2 &w, int row)
{
    w.DBGrid2->selectRow(row);
}

QList<bool> enabledStates(const QList<QWidget *> &commands)
{
    QList<bool> on;
    for (const QWidget *c : commands)
        on << c->isEnabled();
    return on;
}

} // namespace

class TestAccountWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { pv::registerAppReports(); }
    void ledgerAndTotals_data();
    void ledgerAndTotals();
    void codeMatchesOnlyItsAccount();
    void rangeTotals_data();
    void rangeTotals();
    void sortChoices_data();
    void sortChoices();
    void commandStates_data();
    void commandStates();
    void lockAndUnlock();
    void deleteMode();
    void deleteModeRedrawsNothingOnceLocked();
    void noCloseBox();
    void refreshSignal();
    void confirmationBlinksAndHides();
    void closingWritesTheAccountRow_data();
    void closingWritesTheAccountRow();
    void ledgerStoresTheSummaryAsClosingDoes();
    void closingWriteRefusedSaysWhy();
    void closingLeavesTheMainListsCurrentRowAlone();
    void fromTheMainWindow();
    void entryCommands_data();
    void entryCommands();
    void editEntry();
    void rangeAroundEditMode();
    void editRefusesBadValues_data();
    void editRefusesBadValues();
    void editCancelWritesNothing();
    void editKeepsTypedValuesWhileTheConfirmationBlinks();
    void deleteEntry_data();
    void deleteEntry();
    void deleteFailureChangesNothing();
    void deleteTakesTheEntryThePanelWasOpenedOn();
    void deletePanelHoldsThroughAPosting_data();
    void deletePanelHoldsThroughAPosting();
    void printPanelHoldsThroughItsPrints_data();
    void printPanelHoldsThroughItsPrints();
};

// ---------------------------------------------------------------- ledger and totals

void TestAccountWindow::ledgerAndTotals_data()
{
    QTest::addColumn<QList<Entry>>("entries");
    QTest::addColumn<QStringList>("dates");
    QTest::addColumn<QStringList>("expected");

    const QString sale = QStringLiteral("Stoktan Bağımsız Satış");
    QTest::newRow("three sales, one collection")
        << QList<Entry>{{"05.12.2026", "10:00:00", sale, 100.0, {}},
                        {"01.11.2026", "09:00:00", sale, 100.0, {}},
                        {"05.12.2026", "08:30:00", "Tahsilat Nakit", {}, 50.0},
                        {"20.01.2027", "12:00:00", sale, 100.0, {}}}
        << QStringList{"01.11.2026", "05.12.2026", "05.12.2026", "20.01.2027"}
        << QStringList{"300,00", "50,00", "250,00"};
    QTest::newRow("credit balance") << QList<Entry>{{"01.12.2026", "10:00:00", sale, 100.0, {}},
                                                    {"02.12.2026", "10:00:00", "Tahsilat Nakit", {}, 150.0}}
                                    << QStringList{"01.12.2026", "02.12.2026"}
                                    << QStringList{"100,00", "150,00", "-50,00"};
    QTest::newRow("thousands and cents") << QList<Entry>{{"01.12.2026", "10:00:00", sale, 1234.5, {}},
                                                         {"01.12.2026", "11:00:00", sale, 0.1, {}},
                                                         {"01.12.2026", "12:00:00", sale, 0.2, {}}}
                                         << QStringList{"01.12.2026", "01.12.2026", "01.12.2026"}
                                         << QStringList{"1.234,80", "0,00", "1.234,80"};
    QTest::newRow("no rows") << QList<Entry>{} << QStringList{} << QStringList{"0,00", "0,00", "0,00"};
}

void TestAccountWindow::ledgerAndTotals()
{
    QFETCH(QList<Entry>, entries);
    QFETCH(QStringList, dates);
    QFETCH(QStringList, expected);
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"), lastMoved());
    for (const Entry &e : entries)
        addEntry(h, QStringLiteral("100"), e);

    veresiye2 &w = openAccount(QStringLiteral("100"));
    QCOMPARE(column(w, 0), dates);
    QCOMPARE(totals(w), expected);
    QCOMPARE(w.Text9.text(), expected.at(2));
    QCOMPARE(w.xpText3->text(), QStringLiteral("Ahmet"));
    QCOMPARE(w.DBGrid2->model()->headerData(7, Qt::Horizontal).toString(), QStringLiteral("BORÇ"));
    if (entries.size() > 1) {
        // Same day: ordered by the time.
        const QStringList times = column(w, 1);
        for (int i = 1; i < dates.size(); ++i)
            if (dates.at(i) == dates.at(i - 1))
                QVERIFY(times.at(i - 1) <= times.at(i));
    }
}

void TestAccountWindow::codeMatchesOnlyItsAccount()
{
    Harness h;
    addCustomer(h, QStringLiteral("12"), QStringLiteral("Ali"), lastMoved());
    addCustomer(h, QStringLiteral("1*"), QStringLiteral("Yıldız"), lastMoved());
    addEntry(h, QStringLiteral("12"), {"01.12.2026", "10:00:00", "Stoktan Bağımsız Satış", 70.0, {}});
    addEntry(h, QStringLiteral("1*"), {"01.12.2026", "10:00:00", "Stoktan Bağımsız Satış", 5.0, {}});

    veresiye2 &w = openAccount(QStringLiteral("1*"));
    QCOMPARE(w.DBGrid2->model()->rowCount(), 1);
    QCOMPARE(totals(w), (QStringList{"5,00", "0,00", "5,00"}));
    QCOMPARE(w.xpText3->text(), QStringLiteral("Yıldız"));
}

void TestAccountWindow::rangeTotals_data()
{
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("both ends included")
        << QDate(2026, 11, 1) << QDate(2026, 12, 5) << QStringList{"200,00", "50,00", "150,00"};
    QTest::newRow("one day") << QDate(2026, 12, 5) << QDate(2026, 12, 5)
                             << QStringList{"100,00", "50,00", "50,00"};
    QTest::newRow("no rows in range")
        << QDate(2025, 1, 1) << QDate(2025, 2, 1) << QStringList{"0,00", "0,00", "0,00"};
}

void TestAccountWindow::rangeTotals()
{
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(QStringList, expected);
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"), lastMoved());
    addCustomer(h, QStringLiteral("200"), QStringLiteral("Veli"), lastMoved());
    const QString sale = QStringLiteral("Stoktan Bağımsız Satış");
    addEntry(h, QStringLiteral("100"), {"01.11.2026", "09:00:00", sale, 100.0, {}});
    addEntry(h, QStringLiteral("100"), {"05.12.2026", "10:00:00", sale, 100.0, {}});
    addEntry(h, QStringLiteral("100"), {"05.12.2026", "11:00:00", "Tahsilat Nakit", {}, 50.0});
    addEntry(h, QStringLiteral("100"), {"20.01.2027", "12:00:00", sale, 100.0, {}});
    addEntry(h, QStringLiteral("200"), {"05.12.2026", "10:00:00", sale, 999.0, {}});

    veresiye2 &w = openAccount(QStringLiteral("100"));
    // The range's pickers and totals are made with its command.
    QVERIFY(!w.frmTarihBakiyeler && !w.ilk);
    Harness::click(w.tgoster2);
    QCOMPARE((QStringList{w.txtT1->text(), w.txtT2->text(), w.txtT3->text()}),
             (QStringList{"0,00", "0,00", "0,00"}));
    QCOMPARE(w.ilk->date(), QDate(2026, 12, 10));
    w.ilk->setDate(first);
    w.son->setDate(last);
    w.btnT1_Click();
    QCOMPARE((QStringList{w.txtT1->text(), w.txtT2->text(), w.txtT3->text()}), expected);
}

void TestAccountWindow::sortChoices_data()
{
    QTest::addColumn<QString>("direction");
    QTest::addColumn<QString>("sortColumn");
    QTest::addColumn<QString>("expected");
    QTest::newRow("start") << QString() << QString() << QStringLiteral("Tarih2,[Saat] asc");
    QTest::newRow("debt descending") << QStringLiteral("Azalan") << QStringLiteral("Borç")
                                     << QStringLiteral("Eklenen desc");
    QTest::newRow("record order descending")
        << QStringLiteral("Azalan") << QStringLiteral("İşlem Sırası") << QStringLiteral("id desc");
    QTest::newRow("paid ascending") << QStringLiteral("Artan") << QStringLiteral("Ödenen")
                                    << QStringLiteral("Odenen asc");
}

void TestAccountWindow::sortChoices()
{
    QFETCH(QString, direction);
    QFETCH(QString, sortColumn);
    QFETCH(QString, expected);
    Harness h;
    veresiye2 &w = openAccount(QStringLiteral("100"));
    QCOMPARE(w.txtSirala3.text(), QStringLiteral("Tarih2,[Saat] asc"));
    w.cariYazdir->mnuMHY->trigger(); // the print panel holds the sort lists
    if (!direction.isEmpty())
        w.xpCombo1->setCurrentText(direction);
    if (!sortColumn.isEmpty())
        w.xpCombo2->setCurrentText(sortColumn);
    QCOMPARE(w.txtSirala3.text(), expected);
}

// ---------------------------------------------------------------- command states

void TestAccountWindow::commandStates_data()
{
    QTest::addColumn<QString>("rights");
    QTest::addColumn<bool>("rows");
    // Order: delete, edit, reset, price update, customer edit, collection, list print,
    // date range, sale, back.
    QTest::addColumn<QList<bool>>("enabled");
    QTest::newRow("full rights") << "0" << true
                                 << QList<bool>{true, true, true, true, true, true, true, true, true, true};
    QTest::newRow("cashier") << "1" << true
                             << QList<bool>{false, false, false, false, false, true, true, true, true, true};
    QTest::newRow("no rights level") << "" << true << QList<bool>{true, true, true, true, true,
                                                                  true, true, true, true, true};
    QTest::newRow("full rights, empty ledger")
        << "0" << false << QList<bool>{false, false, false, false, true, false, false, false, true, true};
    QTest::newRow("cashier, empty ledger")
        << "1" << false << QList<bool>{false, false, false, false, false, false, false, false, true, true};
}

void TestAccountWindow::commandStates()
{
    QFETCH(QString, rights);
    QFETCH(bool, rows);
    QFETCH(QList<bool>, enabled);
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"), lastMoved());
    if (rows)
        addEntry(h, QStringLiteral("100"), {"01.12.2026", "10:00:00", "Stoktan Bağımsız Satış", 10.0, {}});
    veresiye2 &w = openAccount(QStringLiteral("100"), rights);
    const QList<BvButton *> buttons{w.VornXPButton9, w.btnEdit,        w.VornXPButton6, w.btnFiyatGuncelle,
                                    w.MyButton2,     w.VornXPButton10, w.VornXPButton5, w.tgoster2,
                                    w.VornXPButton8, w.VornXPButton7};
    for (int i = 0; i < buttons.size(); ++i)
        QVERIFY2(buttons.at(i)->Enabled() == enabled.at(i), qPrintable(buttons.at(i)->objectName()));
    QVERIFY(w.Frame1s->Enabled());
}

void TestAccountWindow::lockAndUnlock()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"), lastMoved());
    addEntry(h, QStringLiteral("100"), {"01.12.2026", "10:00:00", "Stoktan Bağımsız Satış", 10.0, {}});
    veresiye2 &w = openAccount(QStringLiteral("100"));
    w.menukitle2();
    for (BvButton *b : {w.VornXPButton7, w.VornXPButton8, w.VornXPButton2, w.btnFiyatGuncelle})
        QVERIFY2(!b->Enabled(), qPrintable(b->objectName()));
    QVERIFY(!w.Frame1s->Enabled());
    w.Frame1s->setBorderColor(0);
    w.menukilitac2();
    for (BvButton *b :
         {w.VornXPButton7, w.VornXPButton8, w.VornXPButton2, w.btnFiyatGuncelle, w.VornXPButton9})
        QVERIFY2(b->Enabled(), qPrintable(b->objectName()));
    QVERIFY(w.Frame1s->Enabled());
    QCOMPARE(w.Frame1s->BorderColor(), FrameFendrixon::OleColor(0xA87E28));

    // Unlocking gives back no more than the rights level allows.
    w.txtYetki = QStringLiteral("1");
    w.menukitle2();
    w.menukilitac2();
    QVERIFY(!w.VornXPButton9->Enabled());
    QVERIFY(!w.btnFiyatGuncelle->Enabled());
}

void TestAccountWindow::noCloseBox()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"),
                lastMoved({{QStringLiteral("Bakiye"), 5.0}}));
    veresiye2 &w = openAccount(QStringLiteral("100"));
    w.close();
    Harness::settle();
    QVERIFY(pv::isLoaded<veresiye2>());
    QVERIFY(w.isVisible());
}

void TestAccountWindow::deleteMode()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"), lastMoved());
    addEntry(h, QStringLiteral("100"), {"01.12.2026", "10:00:00", "Stoktan Bağımsız Satış", 10.0, {}});
    veresiye2 &w = pv::form<veresiye2>();
    w.setCaption(QStringLiteral("Ahmet / 100 - ( Alıcı )"));
    w.Text10 = QStringLiteral("100");
    w.buildDeleteCustomerPanel(); // as the delete command opens the window
    w.musilfrm->setVisible(true);
    w.Timer5->setEnabled(true);
    w.Show();
    Harness::settle();
    QCOMPARE(w.Text3->text(), QStringLiteral("Ahmet"));

    const QList<BvButton *> locked{w.MyButton1,        w.VornXPButton7, w.VornXPButton9, w.VornXPButton8,
                                   w.VornXPButton10,   w.VornXPButton6, w.VornXPButton5, w.VornXPButton2,
                                   w.btnFiyatGuncelle, w.tgoster2};
    for (int round = 0; round < 2; ++round) {
        // Whatever an activation enabled is disabled again within one tick.
        w.Form_Activate();
        QVERIFY(w.VornXPButton9->Enabled());
        Harness::advance(10);
        for (BvButton *b : locked)
            QVERIFY2(!b->Enabled(), qPrintable(b->objectName()));
        QVERIFY(!w.Frame1s->Enabled());
    }

    // " İptal" leaves the customer as it was, but for its cached values.
    Harness::click(w.MyButton3);
    Harness::settle();
    QVERIFY(!pv::isLoaded<veresiye2>());
    QCOMPARE(h.value(QStringLiteral("select count(*) from musteriler where mus_kodu = '100'")).toInt(), 1);
    QCOMPARE(h.value(QStringLiteral("select Bakiye from musteriler where mus_kodu = '100'")).toDouble(),
             10.0);
}

void TestAccountWindow::deleteModeRedrawsNothingOnceLocked()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"), lastMoved());
    addEntry(h, QStringLiteral("100"), {"01.12.2026", "10:00:00", "Stoktan Bağımsız Satış", 10.0, {}});
    veresiye2 &w = pv::form<veresiye2>();
    w.Text10 = QStringLiteral("100");
    w.buildDeleteCustomerPanel(); // as the delete command opens the window
    w.musilfrm->setVisible(true);
    w.Timer5->setEnabled(true);
    w.Show();
    Harness::settle();
    Harness::advance(10);
    // Every tick past the first finds the commands disabled already: nothing to redraw.
    QSignalSpy button(w.VornXPButton7, &BvButton::PropertyChanged);
    QSignalSpy frame(w.Frame1s, &FrameFendrixon::propertyChanged);
    Harness::advance(50);
    QCOMPARE(button.count(), 0);
    QCOMPARE(frame.count(), 0);
    QVERIFY(!w.VornXPButton7->Enabled());
    QVERIFY(!w.Frame1s->Enabled());
}

// ---------------------------------------------------------------- refresh signal

void TestAccountWindow::refreshSignal()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"), lastMoved());
    addEntry(h, QStringLiteral("100"), {"01.12.2026", "10:00:00", "Stoktan Bağımsız Satış", 100.0, {}});
    veresiye2 &w = openAccount(QStringLiteral("100"));
    QCOMPARE(w.DBGrid2->model()->rowCount(), 1);

    struct Step {
        QString code;
        bool requeried;
        int rows;
        QString debt;
    };
    // A code equal to the last one raises no change: no re-query until the next one.
    const QList<Step> steps{{"11", true, 2, "200,00"},
                            {"11", false, 2, "200,00"},
                            {"33", true, 4, "400,00"},
                            {"22", true, 5, "500,00"}};
    for (const Step &s : steps) {
        // An entry dialog saved a row, then answers as it does.
        addEntry(h, QStringLiteral("100"), {"10.12.2026", "10:00:00", "Stoktan Bağımsız Satış", 100.0, {}});
        w.postingSaved(s.code);
        QCOMPARE(w.Frame1->isHidden(), s.requeried);
        QCOMPARE(w.DBGrid2->model()->rowCount(), s.rows);
        QCOMPARE(w.VornXPTextBox2->text(), s.debt);
    }
}

void TestAccountWindow::confirmationBlinksAndHides()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"), lastMoved());
    veresiye2 &w = openAccount(QStringLiteral("100"));
    QVERIFY(w.Timer4->Enabled());
    QCOMPARE(w.Timer4->Interval(), 5500);
    QCOMPARE(w.Timer3->Interval(), 200);
    QVERIFY(!w.islemfrm); // built with the first posting saved
    Harness::advance(5500);
    w.postingSaved(QStringLiteral("11"));
    QVERIFY(w.Timer3->Enabled());
    QVERIFY(w.islemfrm->isVisible());
    QCOMPARE(w.msj2->text(), QStringLiteral("İşlem Kaydediliyor... Bekleyiniz."));
    const QString before = w.msj2->styleSheet();
    QVERIFY(Harness::fire(*w.Timer3));
    const QString after = w.msj2->styleSheet();
    QVERIFY(before != after);
    QVERIFY(Harness::fire(*w.Timer3));
    QVERIFY(w.msj2->styleSheet() != after);
    Harness::advance(5500);
    QVERIFY(w.islemfrm->isHidden());
    QVERIFY(!w.Timer3->Enabled());
}

// ---------------------------------------------------------------- closing

namespace
{

// "Veresiye Ekle", and the dialog saves: it writes its rows, then the five writes of a save.
void saveAnEntry(Harness &h, veresiye2 &w, const std::function<void()> &rows)
{
    h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
        rows();
        w.postingSaved(QStringLiteral("22"));
        pv::Unload(d);
    });
    w.VornXPButton8_Click();
    Harness::settle();
}

} // namespace

void TestAccountWindow::closingWritesTheAccountRow_data()
{
    QTest::addColumn<bool>("entrySaved");
    QTest::addColumn<int>("gun");
    QTest::addColumn<QString>("sonislem");
    QTest::newRow("nothing saved") << false << 7 << QStringLiteral("2026-12-03");
    QTest::newRow("entry saved today") << true << 0 << QStringLiteral("2026-12-10");
}

void TestAccountWindow::closingWritesTheAccountRow()
{
    QFETCH(bool, entrySaved);
    QFETCH(int, gun);
    QFETCH(QString, sonislem);
    Harness h;
    addCustomer(
        h, QStringLiteral("100"), QStringLiteral("Ahmet"),
        lastMoved({{QStringLiteral("Adres"), QStringLiteral("Çarşı 1")}, {QStringLiteral("Bakiye"), 5.0}}));
    const QString sale = QStringLiteral("Stoktan Bağımsız Satış");
    for (int i = 0; i < 3; ++i)
        addEntry(h, QStringLiteral("100"),
                 {"01.12.2026", QStringLiteral("1%1:00:00").arg(i), sale, 100.0, {}});
    addEntry(h, QStringLiteral("100"), {"02.12.2026", "10:00:00", "Tahsilat Nakit", {}, 50.0});

    veresiye2 &w = openAccount(QStringLiteral("100"));
    // Typed into a bound box but never saved: closing must not write it.
    w.xpText2->setText(QStringLiteral("yazılmamalı"));
    if (entrySaved)
        saveAnEntry(h, w, [&] {
            addEntry(h, QStringLiteral("100"), {"10.12.2026", "10:00:00", sale, 20.0, {}});
        });
    Harness::click(w.VornXPButton7);
    Harness::settle();
    QVERIFY(!pv::isLoaded<veresiye2>());

    const auto row = h.rows(QStringLiteral("select Bakiye, Gun, Sonislem, Sonislem2, Adres from musteriler "
                                           "where mus_kodu = '100'"));
    QCOMPARE(row.size(), 1);
    QCOMPARE(row[0][0].toDouble(), entrySaved ? 270.0 : 250.0);
    QCOMPARE(row[0][1].toInt(), gun);
    QCOMPARE(row[0][2].toString(), sonislem);
    QCOMPARE(row[0][3].toString(), QStringLiteral("20261210"));
    QCOMPARE(row[0][4].toString(), QStringLiteral("Çarşı 1"));
}

void TestAccountWindow::ledgerStoresTheSummaryAsClosingDoes()
{
    Harness h;
    // Two accounts with the same rows, whose totals the window rounds before it subtracts:
    // 20,01 less 0,00, where the plain difference 20,004 would give 20,00.
    const QString sale = QStringLiteral("Stoktan Bağımsız Satış");
    for (const QString &code : {QStringLiteral("100"), QStringLiteral("200")}) {
        addCustomer(h, code, QStringLiteral("Ahmet ") + code, lastMoved({{QStringLiteral("Bakiye"), 5.0}}));
        addEntry(h, code, {"01.12.2026", "10:00:00", sale, 10.004, {}});
        addEntry(h, code, {"02.12.2026", "10:00:00", sale, 10.004, {}});
        addEntry(h, code, {"03.12.2026", "10:00:00", "Tahsilat Nakit", {}, 0.004});
    }
    // One through the account window with an entry saved today, the other by the ledger.
    veresiye2 &w = openAccount(QStringLiteral("100"));
    saveAnEntry(h, w, [] {});
    Harness::click(w.VornXPButton7);
    Harness::settle();
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QString error;
    pv::ledger::LedgerTransaction t(db);
    QVERIFY2(pv::ledger::storeAccountSummary(t, db, QStringLiteral("200"),
                                             pv::ledger::postedOn(QDate(2026, 12, 10)), &error),
             qPrintable(error));
    QVERIFY(t.commit());

    const auto rows =
        h.rows(QStringLiteral("select Bakiye, typeof(Bakiye), Gun, typeof(Gun), Sonislem, typeof(Sonislem), "
                              "Sonislem2 from musteriler order by mus_kodu"));
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[0][0].toDouble(), 20.01);
    QCOMPARE(rows[1], rows[0]);
}

// A customer row that refuses the closing write: the window says why and closes, the row
// keeps what it had.
void TestAccountWindow::closingWriteRefusedSaysWhy()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"),
                lastMoved({{QStringLiteral("Bakiye"), 5.0}}));
    addEntry(h, QStringLiteral("100"), {"01.12.2026", "10:00:00", "Stoktan Bağımsız Satış", 40.0, {}});
    const QString row = QStringLiteral("select Bakiye, Gun, Sonislem, Sonislem2 from musteriler");
    const auto before = h.rows(row);
    veresiye2 &w = openAccount(QStringLiteral("100"));
    saveAnEntry(h, w, [] {});
    QVERIFY(h.exec(QStringLiteral("create trigger kilit before update on musteriler "
                                  "begin select raise(abort, 'kayıt kilitli'); end")));
    h.expectMsgBox(QStringLiteral("Hesabın bakiyesi müşteri kaydına yazılamadı.\nkayıt kilitli"),
                   pv::vbCritical, QStringLiteral("Hata"));
    Harness::click(w.VornXPButton7);
    Harness::settle();
    QVERIFY(!pv::isLoaded<veresiye2>());
    QCOMPARE(h.rows(row), before);
}

void TestAccountWindow::closingLeavesTheMainListsCurrentRowAlone()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"),
                lastMoved({{QStringLiteral("Sonislem2"), "20261203"}}));
    addCustomer(h, QStringLiteral("200"), QStringLiteral("Zeki"),
                lastMoved({{QStringLiteral("Sonislem2"), "20261101"}}));
    addEntry(h, QStringLiteral("100"), {"01.12.2026", "10:00:00", "Stoktan Bağımsız Satış", 40.0, {}});

    // The main list stands on another customer, as when the account was opened elsewhere.
    veresiye &main = pv::form<veresiye>();
    main.Data1->setDatabaseName(h.databasePath());
    main.Data1->setRecordSource(QStringLiteral("select * from musteriler ORDER BY MusteriFirma asc"));
    main.Data1->Refresh();
    main.Data1->setCurrentRow(1);
    QCOMPARE(main.Text1.text(), QStringLiteral("200"));

    veresiye2 &w = openAccount(QStringLiteral("100"));
    w.VornXPButton7_Click();
    Harness::settle();

    QCOMPARE(h.value(QStringLiteral("select Sonislem2 from musteriler where mus_kodu = '100'")).toString(),
             QStringLiteral("20261210"));
    QCOMPARE(h.value(QStringLiteral("select Sonislem2 from musteriler where mus_kodu = '200'")).toString(),
             QStringLiteral("20261101"));
    // The main list shows the new balance.
    QCOMPARE(main.Data1->Recordset().textAt(0, main.Data1->Recordset().fieldIndex(QStringLiteral("Bakiye"))),
             QStringLiteral("40"));
}

void TestAccountWindow::fromTheMainWindow()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"), lastMoved());
    addCustomer(h, QStringLiteral("200"), QStringLiteral("Zeki"), lastMoved());
    const QString sale = QStringLiteral("Stoktan Bağımsız Satış");
    for (int i = 0; i < 3; ++i)
        addEntry(h, QStringLiteral("100"),
                 {"01.12.2026", QStringLiteral("1%1:00:00").arg(i), sale, 100.0, {}});
    addEntry(h, QStringLiteral("100"), {"02.12.2026", "10:00:00", "Tahsilat Nakit", {}, 50.0});
    veresiye &main = pv::form<veresiye>();
    main.Show();
    Harness::settle();
    main.txtYetki = QStringLiteral("1");
    main.Data1->setCurrentRow(0);
    QCOMPARE(main.Text1.text(), QStringLiteral("100"));

    QStringList seen;
    h.onModal<veresiye2>([&](veresiye2 &w) {
        seen << totals(w) << w.txtYetki.text() << QString::number(w.btnEdit->Enabled());
        Harness::click(w.VornXPButton7);
    });
    main.VornXPButton2_Click();
    Harness::settle();
    QCOMPARE(seen, (QStringList{"300,00", "50,00", "250,00", "1", "0"}));
    QCOMPARE(h.value(QStringLiteral("select Bakiye from musteriler where mus_kodu = '100'")).toDouble(),
             250.0);
    pv::Recordset &list = main.Data1->Recordset();
    QCOMPARE(list.textAt(0, list.fieldIndex(QStringLiteral("Bakiye"))), QStringLiteral("250"));

    // Delete mode, left with " İptal": the customer stays.
    main.txtYetki = QStringLiteral("0");
    main.Form_Activate();
    main.Data1->setCurrentRow(1);
    bool locked = false;
    h.onModal<veresiye2>([&](veresiye2 &w) {
        Harness::advance(10);
        locked = !w.VornXPButton7->Enabled() && !w.VornXPButton8->Enabled() && !w.Frame1s->Enabled();
        Harness::click(w.MyButton3);
    });
    main.VornXPButton9_Click();
    Harness::settle();
    QVERIFY(locked);
    QVERIFY(!pv::isLoaded<veresiye2>());
    QCOMPARE(h.value(QStringLiteral("select count(*) from musteriler")).toInt(), 2);
}

// ---------------------------------------------------------------- entry commands

void TestAccountWindow::entryCommands_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("type");
    QTest::newRow("sale") << "VornXPButton8"
                          << "Alıcı";
    QTest::newRow("collection") << "VornXPButton10"
                                << "Satıcı";
    QTest::newRow("credit note") << "mnuAlacak"
                                 << "Alıcı";
    QTest::newRow("payment") << "mnuOdeme"
                             << "Satıcı";
}

void TestAccountWindow::entryCommands()
{
    QFETCH(QString, command);
    QFETCH(QString, type);
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"),
                lastMoved({{QStringLiteral("Turu"), type}}));
    addEntry(h, QStringLiteral("100"), {"01.12.2026", "10:00:00", "Stoktan Bağımsız Satış", 10.0, {}});
    veresiye2 &w = openAccount(QStringLiteral("100"), QStringLiteral("0"), type);
    const QString caption = w.Caption();
    bool shown = false;

    if (command == "VornXPButton8" || command == "VornXPButton10") {
        h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
            shown = true;
            QCOMPARE(d.Text1.text(), QStringLiteral("100"));
            if (command == "VornXPButton8") {
                QCOMPARE(d.eklefrm2->Caption(), QStringLiteral("VERESİYE EKLE - ") + caption);
                QVERIFY(!d.eklefrm->isHidden());
                QVERIFY(d.odefrm->isHidden());
                QCOMPARE(d.txtOnay.text(), QStringLiteral("1"));
                QCOMPARE(d.txtMusTuru.text(), QString());
            } else {
                QCOMPARE(d.odefrm2->Caption(), QStringLiteral("TAHSİLAT - ") + caption);
                QVERIFY(!d.odefrm->isHidden());
                QVERIFY(d.eklefrm->isHidden());
                QCOMPARE(d.txtMusTuru.text(), type);
                QCOMPARE(d.cboOdemeSekli->currentText(), QStringLiteral("Nakit"));
                QCOMPARE(d.txtOnay.text(), QString());
            }
            pv::Unload(d);
        });
        Harness::click(command == "VornXPButton8" ? w.VornXPButton8 : w.VornXPButton10);
    } else {
        const bool credit = command == "mnuAlacak";
        h.onModal<veresiyealacakekle>([&](veresiyealacakekle &d) {
            shown = true;
            QCOMPARE(d.Text1.text(), QStringLiteral("100"));
            QCOMPARE(d.txtMusTuru.text(), type);
            QCOMPARE(d.odefrm2->Caption(),
                     (credit ? QStringLiteral("ALACAK DEKONTU - ") : QStringLiteral("ÖDEME - ")) + caption);
            QCOMPARE(d.txtIslemTuru.text(),
                     credit ? QStringLiteral("Alacak Dekontu ") : QStringLiteral("Ödeme "));
            QCOMPARE(d.Text4->text(), credit ? QString() : QStringLiteral("ÖDEME YAPILDI"));
            QCOMPARE(d.cboOdemeSekli->currentText(), credit ? QString() : QStringLiteral("Nakit"));
            QCOMPARE(d.cboOdemeSekli->isHidden(), credit);
            QCOMPARE(d.Label3->isHidden(), credit);
            const auto px = [](int twips) { return pv::twipsToPixels(twips); };
            QCOMPARE(d.Text5->pos(), QPoint(px(2520), px(credit ? 2405 : 3160)));
            QCOMPARE(d.Label8->pos(), QPoint(px(2520), px(credit ? 2110 : 2895)));
            pv::Unload(d);
        });
        (credit ? w.mnuAlacak : w.mnuOdeme)->trigger();
    }
    Harness::settle();
    QVERIFY(shown);
    QVERIFY(pv::isLoaded<veresiye2>());

    // Cancelled, yet the account counts as used today.
    w.VornXPButton7_Click();
    Harness::settle();
    QCOMPARE(h.value(QStringLiteral("select Sonislem from musteriler where mus_kodu = '100'")).toString(),
             QStringLiteral("2026-12-10"));
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye")).toInt(), 1);
}

// ---------------------------------------------------------------- editing

void TestAccountWindow::editEntry()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"), lastMoved());
    const QString sale = QStringLiteral("Stoktan Bağımsız Satış");
    const qint64 first = addEntry(h, QStringLiteral("100"),
                                  {"01.12.2026", "10:00:00", sale, 200.0, {}, {}, {}, QStringLiteral("2")});
    addEntry(h, QStringLiteral("100"), {"02.12.2026", "10:00:00", "Tahsilat Nakit", {}, 50.0});
    veresiye2 &w = openAccount(QStringLiteral("100"));

    // A credit row: the paid amount on the upper line, no quantity group.
    selectRow(w, 1);
    Harness::click(w.btnEdit);
    QVERIFY(!w.frmHareketEdit->isHidden());
    QVERIFY(w.txtEdit5->isHidden());
    QVERIFY(!w.txtEdit6->isHidden());
    QVERIFY(w.Frame4->isHidden());
    QCOMPARE(w.txtEdit6->y(), pv::twipsToPixels(2400));
    QVERIFY(!w.Frame1s->Enabled());
    QVERIFY(!w.VornXPButton7->Enabled());
    Harness::click(w.BvButton1);
    QVERIFY(w.frmHareketEdit->isHidden());
    QVERIFY(w.Frame1s->Enabled());
    QVERIFY(w.VornXPButton7->Enabled());

    // A debit row: new date and quantity; the amount stays as it was.
    selectRow(w, 0);
    Harness::click(w.btnEdit);
    QVERIFY(!w.txtEdit5->isHidden());
    QVERIFY(!w.Frame4->isHidden());
    QCOMPARE(w.txtEdit5->y(), pv::twipsToPixels(3120));
    QVERIFY(!w.txtEdit1->isEnabled());
    Harness::click(w.BvButton2);
    QVERIFY(w.txtEdit1->isEnabled());
    w.txtEdit1->setText(QString());
    Harness::type(w.txtEdit1, QStringLiteral("05.03.2027"));
    w.txtEdit7->setText(QString());
    Harness::type(w.txtEdit7, QStringLiteral("3"));
    w.txtEdit4->setText(QStringLiteral("Tüp"));
    Harness::click(w.BvButton3);
    QVERIFY(w.frmHareketEdit->isHidden());
    QVERIFY(!w.txtEdit1->isEnabled());

    const auto row =
        h.rows(QStringLiteral("select Tarih, Tarih2, Miktar, Eklenen, Aciklama from veresiye where id = ?"),
               {first});
    QCOMPARE(row[0][0].toString(), QStringLiteral("05.03.2027"));
    QCOMPARE(row[0][1].toString(), QStringLiteral("20270305"));
    QCOMPARE(row[0][2].toString(), QStringLiteral("3"));
    QCOMPARE(row[0][3].toDouble(), 200.0);
    QCOMPARE(row[0][4].toString(), QStringLiteral("Tüp"));
    // The row moved to its new place and stays selected.
    QCOMPARE(column(w, 0), (QStringList{"02.12.2026", "05.03.2027"}));
    QCOMPARE(w.Data5->currentRow(), 1);
    QCOMPARE(totals(w), (QStringList{"200,00", "50,00", "150,00"}));
}

// The range is built when first used; whenever that is, its pickers are locked and freed with
// the window's modes.
void TestAccountWindow::rangeAroundEditMode()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"), lastMoved());
    addEntry(h, QStringLiteral("100"), {"01.12.2026", "10:00:00", "Stoktan Bağımsız Satış", 200.0, {}});
    veresiye2 &w = openAccount(QStringLiteral("100"));

    selectRow(w, 0);
    Harness::click(w.btnEdit);
    QVERIFY(!w.tgoster2->Enabled());
    QVERIFY(!w.ilk);
    Harness::click(w.BvButton1);
    QVERIFY(w.tgoster2->Enabled());
    // A print that names the range's days makes the pickers, hidden, at today.
    w.cariYazdir->reportAll();
    QVERIFY(w.ilk && w.ilk->isHidden());
    QCOMPARE(w.son->date(), QDate(2026, 12, 10));
    Harness::click(w.tgoster2);
    for (QWidget *picker : {static_cast<QWidget *>(w.ilk), static_cast<QWidget *>(w.son)})
        QVERIFY(picker->isVisible() && picker->isEnabled());

    Harness::click(w.btnEdit);
    QVERIFY(!w.ilk->isEnabled() && !w.son->isEnabled());
    Harness::click(w.BvButton1);
    QVERIFY(w.ilk->isEnabled() && w.son->isEnabled());
}

void TestAccountWindow::editRefusesBadValues_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("no such day") << "txtEdit1"
                                 << "31.02.2024"
                                 << "Tarih";
    QTest::newRow("not a date") << "txtEdit1"
                                << "abc"
                                << "Tarih";
    QTest::newRow("empty date") << "txtEdit1"
                                << ""
                                << "Tarih";
    QTest::newRow("year 0226") << "txtEdit1"
                               << "10.12.0226"
                               << "Tarih 01.01.1900 ile 31.12.2099 arasında olmalıdır.";
    QTest::newRow("after 2099") << "txtEdit1"
                                << "01.01.2100"
                                << "Tarih 01.01.1900 ile 31.12.2099 arasında olmalıdır.";
    QTest::newRow("not a time") << "txtEdit2"
                                << "25:61"
                                << "Saat";
    QTest::newRow("letters in the amount") << "txtEdit5"
                                           << "12a"
                                           << "Tutar geçerli bir sayı olmalıdır (ör. 1.234,50).";
    QTest::newRow("letters in the quantity") << "txtEdit7"
                                             << "iki"
                                             << "Miktar geçerli bir sayı";
    QTest::newRow("amount past the limit") << "txtEdit5"
                                           << "1.000.000.000.000"
                                           << "Tutar en fazla 999.999.999.999,99 olabilir.";
    QTest::newRow("unit price past the limit") << "txtEdit9"
                                               << "99999999999999999999"
                                               << "Fiyat en fazla 999.999.999.999,99 olabilir.";
    QTest::newRow("quantity with a point") << "txtEdit7"
                                           << "1.5"
                                           << "Miktar geçerli bir sayı";
}

void TestAccountWindow::editRefusesBadValues()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, message);
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"), lastMoved());
    const qint64 id = addEntry(h, QStringLiteral("100"),
                               {"01.12.2026", "10:00:00", "Stoktan Bağımsız Satış", 200.0, {}, {}, {}, "2"});
    veresiye2 &w = openAccount(QStringLiteral("100"));
    Harness::click(w.btnEdit);
    Harness::click(w.BvButton2);
    w.txtEdit4->setText(QStringLiteral("değişti"));
    w.findChild<QLineEdit *>(box)->setText(text);
    h.expectMsgBoxContaining(message);
    Harness::click(w.BvButton3);
    QCOMPARE(h.msgBoxes().size(), 1);
    QCOMPARE(h.msgBoxes().first().title, QStringLiteral("Dikkat!!"));
    // The panel stays open with what was typed; the row is as stored.
    QVERIFY(!w.frmHareketEdit->isHidden());
    QCOMPARE(w.findChild<QLineEdit *>(box)->text(), text);
    QCOMPARE(w.txtEdit4->text(), QStringLiteral("değişti"));
    const auto row = h.rows(
        QStringLiteral("select Tarih, Saat, Aciklama, Eklenen, Miktar from veresiye where id = ?"), {id});
    QCOMPARE(row[0][0].toString(), QStringLiteral("01.12.2026"));
    QCOMPARE(row[0][2].toString(), QStringLiteral("Stoktan Bağımsız Satış açıklama"));
    QCOMPARE(row[0][3].toDouble(), 200.0);
}

void TestAccountWindow::editCancelWritesNothing()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"), lastMoved());
    const qint64 id =
        addEntry(h, QStringLiteral("100"), {"01.12.2026", "10:00:00", "Stoktan Bağımsız Satış", 200.0, {}});
    veresiye2 &w = openAccount(QStringLiteral("100"));
    Harness::click(w.btnEdit);
    Harness::click(w.BvButton2);
    w.txtEdit5->setText(QStringLiteral("999"));
    Harness::click(w.BvButton1);
    QCOMPARE(h.value(QStringLiteral("select Eklenen from veresiye where id = ?"), {id}).toDouble(), 200.0);
    QCOMPARE(w.txtEdit5->text(), QStringLiteral("200"));
    QCOMPARE(w.VornXPTextBox2->text(), QStringLiteral("200,00"));
}

void TestAccountWindow::editKeepsTypedValuesWhileTheConfirmationBlinks()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"), lastMoved());
    const qint64 id =
        addEntry(h, QStringLiteral("100"), {"01.12.2026", "10:00:00", "Stoktan Bağımsız Satış", 200.0, {}});
    veresiye2 &w = openAccount(QStringLiteral("100"));
    // An entry was just saved: the confirmation blinks while the user edits a row, under
    // the edit panel, also when that panel was built first.
    Harness::click(w.btnEdit);
    Harness::click(w.BvButton1);
    w.postingSaved(QStringLiteral("11"));
    Harness::click(w.btnEdit);
    QVERIFY(w.frmHareketEdit->isAncestorOf(w.childAt(w.islemfrm->geometry().center())));
    Harness::click(w.BvButton2);
    w.txtEdit4->setText(QStringLiteral("Tüp"));
    QVERIFY(Harness::fire(*w.Timer3));
    QCOMPARE(w.txtEdit4->text(), QStringLiteral("Tüp"));
    Harness::click(w.BvButton3);
    QCOMPARE(h.value(QStringLiteral("select Aciklama from veresiye where id = ?"), {id}).toString(),
             QStringLiteral("Tüp"));
}

// ---------------------------------------------------------------- deleting

void TestAccountWindow::deleteEntry_data()
{
    QTest::addColumn<QString>("turu");
    QTest::addColumn<QString>("posting");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<double>("stockAfter");
    QTest::addColumn<int>("cashAfter");
    // Cash rows at start: two of posting 011226100000, one of another posting, one without.
    QTest::newRow("stock sale") << "Stoktan Satış"
                                << "011226100000" << true << 12.5 << 2;
    QTest::newRow("stock sale, cancelled") << "Stoktan Satış"
                                           << "011226100000" << false << 10.0 << 4;
    QTest::newRow("free-text sale") << "Stoktan Bağımsız Satış"
                                    << "011226100000" << true << 10.0 << 2;
    QTest::newRow("no posting id") << "Tahsilat Nakit"
                                   << "" << true << 10.0 << 4;
}

void TestAccountWindow::deleteEntry()
{
    QFETCH(QString, turu);
    QFETCH(QString, posting);
    QFETCH(bool, confirm);
    QFETCH(double, stockAfter);
    QFETCH(int, cashAfter);
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"), lastMoved());
    h.insert(QStringLiteral("Product"),
             {{QStringLiteral("Product Code"), QStringLiteral("P-1")}, {QStringLiteral("OnHand"), 10.0}});
    addEntry(h, QStringLiteral("100"), {"01.12.2026", "09:00:00", "Stoktan Bağımsız Satış", 30.0, {}});
    const qint64 id =
        addEntry(h, QStringLiteral("100"),
                 {"01.12.2026", "10:00:00", turu, 100.0, {}, posting, QStringLiteral("p-1"), "2,5"});
    addCash(h, QStringLiteral("100"), QStringLiteral("011226100000"), 100);
    addCash(h, QStringLiteral("100"), QStringLiteral("011226100000"), 5);
    addCash(h, QStringLiteral("100"), QStringLiteral("021226100000"), 7);
    addCash(h, QStringLiteral("100"), QString(), 9);

    veresiye2 &w = openAccount(QStringLiteral("100"));
    selectRow(w, 1);
    QCOMPARE(w.txtIslemTuru.text(), turu);
    Harness::click(w.VornXPButton9);
    QVERIFY(!w.frmSilEkran->isHidden());
    QVERIFY(!w.Frame1s->Enabled());
    QVERIFY(!w.VornXPButton7->Enabled());
    QVERIFY(!w.btnEdit->Enabled());
    QCOMPARE(w.DataKasaSil2->Recordset().RecordCount(), posting.isEmpty() ? 0 : 2);
    Harness::click(confirm ? w.Command12 : w.btnSilIptal);
    QVERIFY(w.frmSilEkran->isHidden());
    QVERIFY(w.Frame1s->Enabled());
    QVERIFY(w.VornXPButton7->Enabled());

    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye where id = ?"), {id}).toInt(),
             confirm ? 0 : 1);
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye")).toInt(), confirm ? 1 : 2);
    QCOMPARE(h.value(QStringLiteral("select OnHand from Product")).toDouble(), stockAfter);
    QCOMPARE(h.value(QStringLiteral("select count(*) from kasa")).toInt(), cashAfter);
    QCOMPARE(w.DBGrid2->model()->rowCount(), confirm ? 1 : 2);
    QCOMPARE(w.VornXPTextBox2->text(), confirm ? QStringLiteral("30,00") : QStringLiteral("130,00"));
}

void TestAccountWindow::deleteFailureChangesNothing()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"), lastMoved());
    h.insert(QStringLiteral("Product"),
             {{QStringLiteral("Product Code"), QStringLiteral("P-1")}, {QStringLiteral("OnHand"), 10.0}});
    const qint64 id =
        addEntry(h, QStringLiteral("100"),
                 {"01.12.2026", "10:00:00", "Stoktan Satış", 100.0, {}, "011226100000", "P-1", "2"});
    addCash(h, QStringLiteral("100"), QStringLiteral("011226100000"), 100);
    QVERIFY(h.exec(QStringLiteral("CREATE TRIGGER kasa_no_delete BEFORE DELETE ON kasa "
                                  "BEGIN SELECT RAISE(ABORT, 'kasa kilitli'); END")));

    veresiye2 &w = openAccount(QStringLiteral("100"));
    Harness::click(w.VornXPButton9);
    h.expectMsgBoxContaining(QStringLiteral("silinemedi"));
    Harness::click(w.Command12);
    QCOMPARE(h.msgBoxes().size(), 1);
    QCOMPARE(h.msgBoxes().first().title, QStringLiteral("Hata"));

    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye where id = ?"), {id}).toInt(), 1);
    QCOMPARE(h.value(QStringLiteral("select OnHand from Product")).toDouble(), 10.0);
    QCOMPARE(h.value(QStringLiteral("select count(*) from kasa")).toInt(), 1);
    QCOMPARE(w.DBGrid2->model()->rowCount(), 1);
    QVERIFY(w.frmSilEkran->isHidden());
    QVERIFY(w.Frame1s->Enabled());
}

void TestAccountWindow::deleteTakesTheEntryThePanelWasOpenedOn()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"), lastMoved());
    const qint64 first =
        addEntry(h, QStringLiteral("100"), {"01.12.2026", "09:00:00", "Stoktan Bağımsız Satış", 30.0, {}});
    const qint64 second =
        addEntry(h, QStringLiteral("100"), {"02.12.2026", "10:00:00", "Stoktan Bağımsız Satış", 100.0, {}});
    veresiye2 &w = openAccount(QStringLiteral("100"));
    selectRow(w, 1);
    Harness::click(w.VornXPButton9);
    // "Alacak/Ödeme Ekle" stays usable under the delete panel; its dialog's closing
    // re-reads the ledger.
    h.onModal<veresiyealacakekle>([](veresiyealacakekle &d) { pv::Unload(d); });
    w.mnuAlacak->trigger();
    Harness::settle();
    Harness::click(w.Command12);
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye where id = ?"), {second}).toInt(), 0);
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye where id = ?"), {first}).toInt(), 1);
}

void TestAccountWindow::deletePanelHoldsThroughAPosting_data()
{
    QTest::addColumn<bool>("credit");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("panelRow");
    // The second and third rows and the posting share today's date and time.
    QTest::newRow("credit note, first of the equal rows") << true << "Alıcı" << 1;
    QTest::newRow("credit note, second of the equal rows") << true << "Alıcı" << 2;
    QTest::newRow("supplier payment, a debit row") << false << "Satıcı" << 2;
}

void TestAccountWindow::deletePanelHoldsThroughAPosting()
{
    QFETCH(bool, credit);
    QFETCH(QString, type);
    QFETCH(int, panelRow);
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"),
                lastMoved({{QStringLiteral("Turu"), type}}));
    const QString sale = QStringLiteral("Stoktan Bağımsız Satış");
    addEntry(h, QStringLiteral("100"), {"01.12.2026", "09:00:00", sale, 30.0, {}});
    addEntry(h, QStringLiteral("100"), {"10.12.2026", "10:00:00", sale, 100.0, {}});
    addEntry(h, QStringLiteral("100"), {"10.12.2026", "10:00:00", sale, 200.0, {}});
    veresiye2 &w = openAccount(QStringLiteral("100"), QStringLiteral("0"), type);

    // The entry the grid marks, by its id.
    const auto marked = [&w] {
        const QModelIndexList rows = w.DBGrid2->selectionModel()->selectedRows();
        if (rows.size() != 1)
            return qint64(-1);
        pv::Recordset &rs = w.Data5->Recordset();
        return rs.valueAt(rows.first().row(), rs.fieldIndex(QStringLiteral("id"))).toLongLong();
    };
    const QList<QWidget *> commands{w.Frame1s,          w.VornXPButton6, w.VornXPButton5, w.VornXPButton8,
                                    w.VornXPButton10,   w.VornXPButton7, w.MyButton1,     w.tgoster2,
                                    w.btnFiyatGuncelle, w.btnEdit,       w.btnNote,       w.VornXPButton9,
                                    w.btnEkle};
    const auto states = [&commands] { return enabledStates(commands); };

    selectRow(w, panelRow);
    const qint64 id = marked();
    QVERIFY(id > 0);
    const qint64 amount =
        h.value(QStringLiteral("select Eklenen from veresiye where id = ?"), {id}).toLongLong();
    Harness::click(w.VornXPButton9);
    const QList<bool> locked = states();
    QCOMPARE(locked, (QList<bool>{false, false, false, false, false, false, false, false, false, false, false,
                                  true, true}));

    // "Alacak/Ödeme Ekle" is left usable under the panel: a posting of today, typed in.
    h.onModal<veresiyealacakekle>([&](veresiyealacakekle &d) {
        QApplication::setActiveWindow(&d);
        if (credit)
            Harness::type(d.Text4, QStringLiteral("İade"));
        d.Text5->clear();
        Harness::type(d.Text5, QStringLiteral("25"));
        Harness::click(d.VornXPButton9);
        // Read again by the posting's refresh signal, before the window is active again.
        QCOMPARE(marked(), id);
    });
    (credit ? w.mnuAlacak : w.mnuOdeme)->trigger();
    Harness::settle();
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye where Tarih2 = '20261210' and Saat = "
                                    "'10:00:00'"))
                 .toInt(),
             3);
    QCOMPARE(w.DBGrid2->model()->rowCount(), 4);
    QVERIFY(!w.frmSilEkran->isHidden());
    QCOMPARE(marked(), id);
    QCOMPARE(states(), locked);
    // The confirmation's blink re-reads the ledger too.
    QVERIFY(Harness::fire(*w.Timer3));
    QCOMPARE(marked(), id);
    QCOMPARE(states(), locked);

    Harness::click(w.Command12);
    QVERIFY(w.frmSilEkran->isHidden());
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye where id = ?"), {id}).toInt(), 0);
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye")).toInt(), 3);
    QCOMPARE(w.DBGrid2->model()->rowCount(), 3);
    const double debt = 330 - amount + (credit ? 0 : 25);
    QCOMPARE(w.VornXPTextBox2->text(), pv::formatMoney(debt));
    QCOMPARE(w.VornXPTextBox4->text(), pv::formatMoney(debt - (credit ? 25 : 0)));
    QVERIFY(w.Frame1s->isEnabled());
    QVERIFY(w.VornXPButton7->Enabled());
}

void TestAccountWindow::printPanelHoldsThroughItsPrints_data()
{
    QTest::addColumn<QString>("rights");
    QTest::addColumn<bool>("receipt"); // the day's receipt from the print menu, else the panel's list
    QTest::newRow("full rights, movement list") << "0" << false;
    QTest::newRow("cashier, movement list") << "1" << false;
    QTest::newRow("full rights, the day's receipt") << "0" << true;
}

// A print made while the print panel is open leaves its locks on: neither the re-read of
// the ledger nor the activation after the preview gives the commands back before "Vazgeç".
void TestAccountWindow::printPanelHoldsThroughItsPrints()
{
    QFETCH(QString, rights);
    QFETCH(bool, receipt);
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"), lastMoved());
    addEntry(h, QStringLiteral("100"), {"10.12.2026", "10:00:00", "Stoktan Bağımsız Satış", 10.0, {}});
    veresiye2 &w = openAccount(QStringLiteral("100"), rights);
    // "Tahsilat Yap", " Seçili Satırı Sil", "Hesabı Sıfırla", "Tüm Fiyatları Güncelle" and the
    // date range's command.
    const QList<QWidget *> commands{w.VornXPButton10, w.VornXPButton9, w.VornXPButton6, w.btnFiyatGuncelle,
                                    w.tgoster2};
    const auto states = [&commands] { return enabledStates(commands); };
    const QList<bool> byTheRules = states();
    QCOMPARE(byTheRules, (rights == QLatin1String("0") ? QList<bool>{true, true, true, true, true}
                                                       : QList<bool>{true, false, false, false, true}));
    const QList<bool> locked{false, false, false, false, false};

    w.cariYazdir->mnuMHY->trigger();
    QVERIFY(w.cariYazdir->musListesiFrm->isVisible());
    QCOMPARE(states(), locked);
    bool previewed = false;
    h.onModal<pv::ReportPreview>([&](pv::ReportPreview &p) {
        previewed = true;
        p.close();
    });
    if (receipt) {
        QVERIFY(w.VornXPButton5->Enabled()); // the print menu stays usable under the panel
        w.cariYazdir->mnuMiM->trigger();
    } else {
        QCOMPARE(w.cariYazdir->muslisyzdBtn->Caption(), QStringLiteral(" Hareket Listesini Yazdır"));
        Harness::click(w.cariYazdir->muslisyzdBtn);
    }
    Harness::settle();
    QVERIFY(previewed);
    QVERIFY(w.cariYazdir->musListesiFrm->isVisible());
    QCOMPARE(states(), locked);
    // Another activation and a re-read of the ledger (a mark written) hold them too.
    w.Form_Activate();
    QCOMPARE(states(), locked);
    w.cariYazdir->mnuSime->trigger();
    QCOMPARE(states(), locked);

    Harness::click(w.cariYazdir->vekbutton1);
    QVERIFY(w.cariYazdir->musListesiFrm->isHidden());
    QCOMPARE(states(), byTheRules);
}

QTEST_MAIN(TestAccountWindow)
#include "test_accountwindow.moc"
