// The cash book driven as a cashier uses it: opened from the main window's "Kasa", money
// entered in and out with receipt numbers, lists, searches, totals, deleting and printing.
#include "app/cashbook/kasa.h"
#include "app/ledger/CashBook.h"
#include "app/reports/AppReports.h"
#include "app/shell/veresiye.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/databind/DataControl.h"
#include "platform/report/ReportPreview.h"
#include "platform/text/Formats.h"
#include "tests/harness/Harness.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTableView>
#include <QtTest>

using pv::test::Harness;

namespace
{

const QString kWarn = QStringLiteral("Dikkat!!");

struct Cash {
    QString tarih, saat, tur;
    double amount = 0;
    QString aciklama = QStringLiteral("-");
    QVariant islemNo2 = {};
    QVariant odemeSekli = {};
    QVariant islemNo = {};
};

qint64 addCash(Harness &h, const Cash &c)
{
    const QString key = c.tarih.mid(6, 4) + c.tarih.mid(3, 2) + c.tarih.mid(0, 2);
    QVariantMap row{{"Tarih", c.tarih},           {"Saat", c.saat},      {"Tur", c.tur},
                    {"Aciklama", c.aciklama},     {"Tarih2", key},       {"islemNo2", c.islemNo2},
                    {"OdemeSekli", c.odemeSekli}, {"islemNo", c.islemNo}};
    row.insert(c.tur == QStringLiteral("Giren") ? "Giren" : "Cikan", c.amount);
    h.insert(QStringLiteral("kasa"), row);
    return h.value(QStringLiteral("select max(id) from kasa")).toLongLong();
}

void addLedger(Harness &h, const QString &customer, const QVariant &posting)
{
    h.insert(QStringLiteral("veresiye"), {{"Tarih", "10.12.2026"},
                                          {"Saat", "09:00:00"},
                                          {"Turu", "Tahsilat Nakit"},
                                          {"Odenen", 100},
                                          {"Tarih2", "20261210"},
                                          {"mus_kodu", customer},
                                          {"islemNo2", posting}});
}

// The main window with the user's rights level, then its "Kasa" clicked.
kasa &openFromMain(const QString &rights)
{
    veresiye &main = pv::form<veresiye>();
    if (main.isHidden()) {
        main.Show();
        Harness::settle();
    }
    main.txtYetki = rights;
    Harness::click(main.KasaBtn);
    Harness::settle();
    return pv::form<kasa>();
}

QStringList column(kasa &w, int col)
{
    QStringList out;
    QAbstractItemModel *m = w.DBGrid1->model();
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->index(r, col).data().toString();
    return out;
}

qint64 counter(Harness &h)
{
    return h.value(QStringLiteral("select islemno from son_islemno")).toLongLong();
}

int cashRows(Harness &h)
{
    return h.value(QStringLiteral("select count(*) from kasa")).toInt();
}

void pickKind(kasa &w, int index)
{
    w.xpCombo1->setCurrentIndex(index);
    emit w.xpCombo1->activated(index);
}

} // namespace

class TestCashBook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { pv::registerAppReports(); }
    void opening();
    void rights_data();
    void rights();
    void secondClickReappliesTheLevel();
    void closingAndReopening();
    void entrySaved_data();
    void entrySaved();
    void entryRefused_data();
    void entryRefused();
    void entryAtTheEndsOfTheRange_data();
    void entryAtTheEndsOfTheRange();
    void entrySaveFailureKeepsThePanel();
    void receiptNumbers();
    void typedReceiptNumber_data();
    void typedReceiptNumber();
    void enterWalksThePanels_data();
    void enterWalksThePanels();
    void panelStates();
    void deleting_data();
    void deleting();
    void deleteLocksWhatMovesTheList_data();
    void deleteLocksWhatMovesTheList();
    void deleteAnswerRestoresTheCommands_data();
    void deleteAnswerRestoresTheCommands();
    void deleteCancelAndEmptyList();
    void deleteFailure();
    void deleteShowsInTheMainList();
    void crossedDates();
    void kinds_data();
    void kinds();
    void search_data();
    void search();
    void carriedBalance();
    void longDayListedByScreens();
    void rangeTotals_data();
    void rangeTotals();
    void report();
};

// ---------------------------------------------------------------- opening

void TestCashBook::opening()
{
    Harness h;
    addCash(h, {"10.12.2026", "15:00:00", "Giren", 300, "Peşin Satış"});
    addCash(h, {"10.12.2026", "08:30:00", "Çıkan", 50, "Kira Ödemesi"});
    addCash(h, {"09.12.2026", "12:00:00", "Giren", 1000});
    kasa &w = openFromMain(QStringLiteral("0"));
    QVERIFY(w.isVisible());
    QCOMPARE(w.Caption(), QStringLiteral("Kasa Hareketleri"));
    QCOMPARE(w.ilk->date(), QDate(2026, 12, 10));
    QCOMPARE(w.son->date(), QDate(2026, 12, 10));
    QCOMPARE(w.xpCombo1->currentText(), QStringLiteral("Tüm Kayıtlar"));
    QCOMPARE(w.xpCombo1->count(), 5);
    QCOMPARE(column(w, 1), (QStringList{"08:30:00", "15:00:00"}));
    QCOMPARE(column(w, 2), (QStringList{"Çıkan", "Giren"}));
    // The carried balance covers every date.
    QCOMPARE(w.xpText5->text(), QStringLiteral("1.250,00"));
    QCOMPARE(w.TextSize->currentText(), QStringLiteral("8"));
    QCOMPARE(w.TextSize->count(), 8);
    QCOMPARE(w.Text8->itemText(0), QStringLiteral("Peşin Satış"));
    QCOMPARE(w.xpText3->itemText(0), QStringLiteral("Mal Alımı"));
    QCOMPARE(w.Text8->currentText(), QString());
    QStringList headers;
    for (int c = 0; c < w.DBGrid1->model()->columnCount(); ++c)
        headers << w.DBGrid1->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(headers, (QStringList{"TARİH", "SAAT", "TÜR", "FİŞ / İŞLEM NO", "AÇIKLAMA", "ÖDEME ŞEKLİ",
                                   "GİREN MİKTAR", "ÇIKAN MİKTAR"}));
    QCOMPARE(w.txtAra->toolTip(), QStringLiteral("HAREKET AÇIKLAMALARINDA ARA"));
    QCOMPARE(w.btnNoVer->ToolTip(), QStringLiteral("İşlem Numarası Ver"));
}

void TestCashBook::rights_data()
{
    QTest::addColumn<QString>("rights");
    QTest::addColumn<bool>("rows");
    QTest::addColumn<bool>("deleteOn");
    QTest::newRow("cashier") << "1" << true << false;
    QTest::newRow("full rights") << "0" << true << true;
    QTest::newRow("no level") << "" << true << true;
    QTest::newRow("other text") << "x" << true << true;
    QTest::newRow("cashier, empty range") << "1" << false << false;
    // The activation's rights step enables it again for full rights.
    QTest::newRow("full rights, empty range") << "0" << false << true;
    QTest::newRow("no level, empty range") << "" << false << false;
    QTest::newRow("other text, empty range") << "x" << false << false;
}

void TestCashBook::rights()
{
    QFETCH(QString, rights);
    QFETCH(bool, rows);
    QFETCH(bool, deleteOn);
    Harness h;
    if (rows)
        addCash(h, {"10.12.2026", "09:00:00", "Giren", 10});
    kasa &w = openFromMain(rights);
    QCOMPARE(w.txtYetki.text(), rights);
    QCOMPARE(w.KasaSilBtn->Enabled(), deleteOn);
    QCOMPARE(w.yazdirBtn->Enabled(), rows);
    QVERIFY(w.KasaGrsBtn->Enabled());
    QVERIFY(w.KasaCksBtn->Enabled());
}

void TestCashBook::secondClickReappliesTheLevel()
{
    Harness h;
    addCash(h, {"10.12.2026", "09:00:00", "Giren", 10});
    kasa &w = openFromMain(QStringLiteral("0"));
    QVERIFY(w.KasaSilBtn->Enabled());
    // A row posted elsewhere meanwhile shows at the next activation.
    addCash(h, {"10.12.2026", "11:00:00", "Giren", 20});
    pv::form<veresiye>().Form_Activate();
    pv::userActivate(&pv::form<veresiye>());
    kasa &again = openFromMain(QStringLiteral("1"));
    QCOMPARE(&again, &w);
    QCOMPARE(w.txtYetki.text(), QStringLiteral("1"));
    QVERIFY(!w.KasaSilBtn->Enabled());
    QCOMPARE(column(w, 1), (QStringList{"09:00:00", "11:00:00"}));
    QCOMPARE(pv::activeProgramWindow(), &w);
}

void TestCashBook::closingAndReopening()
{
    Harness h;
    kasa &w = openFromMain(QStringLiteral("0"));
    w.ilk->setDate(QDate(2026, 12, 1));
    pickKind(w, 1);
    Harness::click(w.kptBtn);
    Harness::settle();
    QVERIFY(!pv::isLoaded<kasa>());
    kasa &w2 = openFromMain(QStringLiteral("0"));
    QCOMPARE(w2.ilk->date(), QDate(2026, 12, 10));
    QCOMPARE(w2.xpCombo1->currentText(), QStringLiteral("Tüm Kayıtlar"));
    QCOMPARE(w2.frmShowtxt.text(), QStringLiteral("0"));
}

// ---------------------------------------------------------------- entries

void TestCashBook::entrySaved_data()
{
    QTest::addColumn<bool>("moneyIn");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("stored");
    QTest::newRow("money in 1500") << true << "1500"
                                   << "1.500,00" << 1500.0;
    QTest::newRow("money in -20") << true << "-20"
                                  << "(20,00)" << -20.0;
    QTest::newRow("money out 1234,5") << false << "1234,5"
                                      << "1.234,50" << 1234.5;
    QTest::newRow("money out zero") << false << "0"
                                    << "0,00" << 0.0;
}

void TestCashBook::entrySaved()
{
    QFETCH(bool, moneyIn);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(double, stored);
    Harness h;
    h.setNow(QDateTime(QDate(2026, 12, 10), QTime(14, 5, 9)));
    QVERIFY(h.exec(QStringLiteral("update son_islemno set islemno = 41")));
    kasa &w = openFromMain(QStringLiteral("0"));
    Harness::click(moneyIn ? w.KasaGrsBtn : w.KasaCksBtn);
    QVERIFY(w.GrsCksFrm->isVisible());
    QCOMPARE((moneyIn ? w.girisFrm : w.cikisFrm)->isVisible(), true);
    QCOMPARE((moneyIn ? w.cikisFrm : w.girisFrm)->isVisible(), false);
    QCOMPARE(w.Text10->text(), QStringLiteral("42"));
    QCOMPARE((moneyIn ? w.Text6 : w.xpText2)->text(), QStringLiteral("10.12.2026"));
    QCOMPARE((moneyIn ? w.Text7 : w.xpText1)->text(), QStringLiteral("14:05:09"));
    QComboBox *description = moneyIn ? w.Text8 : w.xpText3;
    QLineEdit *amount = moneyIn ? w.Text9 : w.xpText4;
    Harness::type(description->lineEdit(), QStringLiteral("Kırtasiye"));
    Harness::type(amount, typed);
    amount->setFocus();
    (moneyIn ? w.Text6 : w.xpText2)->setFocus(); // leaving the amount box formats it
    QCOMPARE(amount->text(), shown);
    Harness::click(moneyIn ? w.ekleBtn1 : w.ekleBtn2);
    QVERIFY(h.msgBoxes().isEmpty());
    QVERIFY(!w.GrsCksFrm->isVisible());

    const auto rows =
        h.rows(QStringLiteral("select mus_kodu, Tarih, Saat, Tur, Aciklama, Giren, Cikan, Tarih2, "
                              "islemNo, islemNo2, OdemeSekli from kasa"));
    QCOMPARE(rows.size(), 1);
    const QVariantList &r = rows.first();
    QVERIFY(r[0].isNull());
    QCOMPARE(r[1].toString(), QStringLiteral("10.12.2026"));
    QCOMPARE(r[2].toString(), QStringLiteral("14:05:09"));
    QCOMPARE(r[3].toString(), moneyIn ? QStringLiteral("Giren") : QStringLiteral("Çıkan"));
    QCOMPARE(r[4].toString(), QStringLiteral("Kırtasiye"));
    QCOMPARE(r[moneyIn ? 5 : 6].toDouble(), stored);
    QVERIFY(!r[moneyIn ? 5 : 6].isNull());
    QVERIFY(r[moneyIn ? 6 : 5].isNull());
    QCOMPARE(r[7].toString(), QStringLiteral("20261210"));
    QCOMPARE(r[8].toString(), QStringLiteral("42"));
    QVERIFY(r[9].isNull());
    QVERIFY(r[10].isNull());
    QCOMPARE(counter(h), qint64(42));
    // The list, the balance and the panel's fields for the next entry.
    QCOMPARE(column(w, 4), (QStringList{"Kırtasiye"}));
    QCOMPARE(w.xpText5->text(), pv::formatMoney(moneyIn ? stored : -stored));
    QCOMPARE(description->currentText(), QStringLiteral("-"));
    QCOMPARE(amount->text(), QString());
}

void TestCashBook::entryRefused_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty amount") << "Text9"
                                  << ""
                                  << "Miktarı Yazın";
    QTest::newRow("no number") << "Text9"
                               << "abc"
                               << "Miktar geçerli bir sayı olmalıdır (ör. 1.234,50).";
    QTest::newRow("too large") << "Text9"
                               << "1.000.000.000.000"
                               << "Miktar en fazla 999.999.999.999,99 olabilir.";
    QTest::newRow("no real date") << "Text6"
                                  << "31.02.2026"
                                  << "Tarih geçerli bir tarih olmalıdır (gg.aa.yyyy).";
    QTest::newRow("no time") << "Text7"
                             << "25:00"
                             << "Saat geçerli bir saat olmalıdır (ss:dd:sn).";
    // A real day that no range picker reaches would be counted in the balance but never
    // listed nor deleted.
    const QString outOfRange = QStringLiteral("Tarih 01.01.1900 ile 31.12.2099 arasında olmalıdır.");
    QTest::newRow("year 0226") << "Text6"
                               << "10.12.0226" << outOfRange;
    QTest::newRow("the day before 1900") << "Text6"
                                         << "31.12.1899" << outOfRange;
    QTest::newRow("the day after 2099") << "Text6"
                                        << "01.01.2100" << outOfRange;
}

void TestCashBook::entryRefused()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, message);
    Harness h;
    QVERIFY(h.exec(QStringLiteral("update son_islemno set islemno = 41")));
    kasa &w = openFromMain(QStringLiteral("0"));
    Harness::click(w.KasaGrsBtn);
    w.Text9->setText(QStringLiteral("10"));
    auto *spoilt = w.findChild<QLineEdit *>(box);
    QVERIFY(spoilt);
    spoilt->setText(text);
    h.expectMsgBox(message, pv::vbExclamation, kWarn);
    Harness::click(w.ekleBtn1);
    QCOMPARE(QApplication::focusWidget(), spoilt);
    QCOMPARE(cashRows(h), 0);
    QCOMPARE(counter(h), qint64(41));
    QVERIFY(w.GrsCksFrm->isVisible());
    QCOMPARE(spoilt->text(), text);
    QCOMPARE(w.xpText5->text(), QStringLiteral("0,00"));
}

void TestCashBook::entryAtTheEndsOfTheRange_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("day");
    QTest::newRow("first day") << "01.01.1900" << QDate(1900, 1, 1);
    QTest::newRow("last day") << "31.12.2099" << QDate(2099, 12, 31);
    QTest::newRow("last day, short") << "31.12.99" << QDate(1999, 12, 31);
}

// A day at either end of the range is saved, and the range pickers reach it to list and
// delete it.
void TestCashBook::entryAtTheEndsOfTheRange()
{
    QFETCH(QString, typed);
    QFETCH(QDate, day);
    Harness h;
    kasa &w = openFromMain(QStringLiteral("0"));
    Harness::click(w.KasaCksBtn);
    w.xpText2->clear();
    Harness::type(w.xpText2, typed);
    Harness::type(w.xpText4, QStringLiteral("25"));
    Harness::click(w.ekleBtn2);
    QVERIFY(h.msgBoxes().isEmpty());
    QCOMPARE(h.rows(QStringLiteral("select Tarih, Tarih2 from kasa")),
             (QList<QVariantList>{{pv::dateText(day), pv::dateKey(day)}}));
    QCOMPARE(w.xpText5->text(), QStringLiteral("-25,00"));
    // The end nearer the day first, so that the range never crosses.
    if (day > w.son->date()) {
        w.son->setDate(day);
        w.ilk->setDate(day);
    } else {
        w.ilk->setDate(day);
        w.son->setDate(day);
    }
    QCOMPARE(w.ilk->date(), day);
    QCOMPARE(w.son->date(), day);
    QCOMPARE(column(w, 0), QStringList{pv::dateText(day)});
    Harness::click(w.KasaSilBtn);
    Harness::click(w.Command12);
    QCOMPARE(cashRows(h), 0);
    QCOMPARE(w.xpText5->text(), QStringLiteral("0,00"));
}

void TestCashBook::entrySaveFailureKeepsThePanel()
{
    Harness h;
    QVERIFY(h.exec(QStringLiteral("update son_islemno set islemno = 41")));
    QVERIFY(h.exec(QStringLiteral(
        "CREATE TRIGGER no_cash BEFORE INSERT ON kasa BEGIN SELECT RAISE(ABORT, 'disk dolu'); END")));
    kasa &w = openFromMain(QStringLiteral("0"));
    Harness::click(w.KasaCksBtn);
    w.xpText4->setText(QStringLiteral("75"));
    h.expectMsgBoxContaining(pv::ledger::kCashSaveFailed);
    Harness::click(w.ekleBtn2);
    QCOMPARE(h.msgBoxes().size(), 1);
    QCOMPARE(h.msgBoxes().first().title, QStringLiteral("Hata"));
    QVERIFY(h.msgBoxes().first().text.contains(QStringLiteral("disk dolu")));
    QVERIFY(w.cikisFrm->isVisible());
    QCOMPARE(w.xpText4->text(), QStringLiteral("75,00"));
    QCOMPARE(cashRows(h), 0);
    QCOMPARE(counter(h), qint64(41));
    QVERIFY(!w.KasaGrsBtn->Enabled());
}

void TestCashBook::receiptNumbers()
{
    Harness h;
    QVERIFY(h.exec(QStringLiteral("update son_islemno set islemno = 9999998")));
    kasa &w = openFromMain(QStringLiteral("0"));
    auto enter = [&](BvButton *open, QLineEdit *amount, BvButton *save) {
        Harness::click(open);
        const QString number = w.Text10->text();
        amount->setText(QStringLiteral("5"));
        Harness::click(save);
        return number;
    };
    QCOMPARE(enter(w.KasaGrsBtn, w.Text9, w.ekleBtn1), QStringLiteral("9999999"));
    QCOMPARE(enter(w.KasaCksBtn, w.xpText4, w.ekleBtn2), QStringLiteral("10000000"));
    // A cancelled entry offers its number again.
    Harness::click(w.KasaGrsBtn);
    QCOMPARE(w.Text10->text(), QStringLiteral("10000001"));
    Harness::click(w.vazgec1);
    QCOMPARE(w.Text8->currentText(), QStringLiteral("-"));
    QCOMPARE(counter(h), qint64(10000000));
    Harness::click(w.KasaGrsBtn);
    QCOMPARE(w.Text10->text(), QStringLiteral("10000001"));
    // A bank movement takes numbers meanwhile: "<" fetches the stored counter afresh.
    QVERIFY(h.exec(QStringLiteral("update son_islemno set islemno = 10000057")));
    Harness::click(w.btnNoVer);
    QCOMPARE(w.Text10->text(), QStringLiteral("10000058"));
    Harness::click(w.vazgec1);
    Harness::click(w.KasaCksBtn);
    QCOMPARE(w.Text10->text(), QStringLiteral("10000058"));
    Harness::click(w.vazgec2);
    QCOMPARE(h.rows(QStringLiteral("select islemNo from kasa order by id")),
             (QList<QVariantList>{{"9999999"}, {"10000000"}}));
}

void TestCashBook::typedReceiptNumber_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("nextOffer");
    QTest::newRow("above: a new receipt book") << "500"
                                               << "501";
    QTest::newRow("below") << "7"
                           << "8";
    QTest::newRow("no whole number") << "12a"
                                     << "42";
}

void TestCashBook::typedReceiptNumber()
{
    QFETCH(QString, typed);
    QFETCH(QString, nextOffer);
    Harness h;
    QVERIFY(h.exec(QStringLiteral("update son_islemno set islemno = 41")));
    kasa &w = openFromMain(QStringLiteral("0"));
    Harness::click(w.KasaGrsBtn);
    w.Text10->setText(typed);
    w.Text9->setText(QStringLiteral("1"));
    Harness::click(w.ekleBtn1);
    QCOMPARE(h.value(QStringLiteral("select islemNo from kasa")).toString(), typed);
    Harness::click(w.KasaGrsBtn);
    QCOMPARE(w.Text10->text(), nextOffer);
}

void TestCashBook::enterWalksThePanels_data()
{
    QTest::addColumn<bool>("moneyIn");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("money in") << true << QStringList{"Text8", "Text7", "Text6", "Text9", "ekleBtn1"};
    QTest::newRow("money out") << false
                               << QStringList{"xpText3", "xpText4", "xpText2", "xpText1", "ekleBtn2"};
}

void TestCashBook::enterWalksThePanels()
{
    QFETCH(bool, moneyIn);
    QFETCH(QStringList, order);
    Harness h;
    kasa &w = openFromMain(QStringLiteral("0"));
    QApplication::setActiveWindow(&w);
    Harness::click(moneyIn ? w.KasaGrsBtn : w.KasaCksBtn);
    QStringList walked;
    for (int i = 0; i < order.size(); ++i) {
        QWidget *f = QApplication::focusWidget();
        QVERIFY(f);
        // The editable combo's line edit stands for its combo.
        if (qobject_cast<QComboBox *>(f->parentWidget()))
            f = f->parentWidget();
        walked << f->objectName();
        if (i + 1 < order.size())
            Harness::key(QApplication::focusWidget(), Qt::Key_Return);
    }
    QCOMPARE(walked, order);
    // Esc does nothing: the panel and the window stay.
    Harness::key(QApplication::focusWidget(), Qt::Key_Escape);
    Harness::settle();
    QVERIFY(w.isVisible());
    QVERIFY(w.GrsCksFrm->isVisible());
    QCOMPARE(cashRows(h), 0);
}

void TestCashBook::panelStates()
{
    Harness h;
    addCash(h, {"10.12.2026", "09:00:00", "Giren", 10});
    kasa &w = openFromMain(QStringLiteral("1"));
    auto state = [&] {
        return QList<bool>{w.hrktFrm->Enabled(),    w.KasaGrsBtn->Enabled(), w.KasaCksBtn->Enabled(),
                           w.KasaSilBtn->Enabled(), w.yazdirBtn->Enabled(),  w.ilk->isEnabled(),
                           w.xpCombo1->isEnabled(), w.txtAra->isEnabled(),   w.kptBtn->Enabled()};
    };
    const QList<bool> browsing{true, true, true, false, true, true, true, true, true};
    QCOMPARE(state(), browsing);
    Harness::click(w.KasaGrsBtn);
    QCOMPARE(state(), (QList<bool>{false, false, false, false, false, false, false, true, true}));
    // Coming back to the window while the panel is open keeps the panel's commands off.
    w.Form_Activate();
    QCOMPARE(state(), (QList<bool>{false, false, false, false, false, false, false, true, true}));
    Harness::click(w.vazgec1);
    QCOMPARE(state(), browsing);
    Harness::click(w.KasaCksBtn);
    QCOMPARE(state(), (QList<bool>{false, false, false, false, false, false, false, true, true}));
    Harness::click(w.vazgec2);
    QCOMPARE(state(), browsing);
    Harness::click(w.KasaSilBtn); // disabled for a cashier: nothing opens
    QVERIFY(!w.frmSilEkran->isVisible());
    Harness::click(w.yazdirBtn);
    QCOMPARE(state(), (QList<bool>{false, false, false, false, true, false, false, true, true}));
    Harness::click(w.vazgec3);
    QCOMPARE(state(), browsing);

    w.txtYetki = QStringLiteral("0");
    w.btnYetki_Click();
    Harness::click(w.KasaSilBtn);
    QVERIFY(w.frmSilEkran->isVisible());
    QCOMPARE(state(), (QList<bool>{false, false, false, true, false, false, false, false, true}));
    Harness::click(w.MyButton3);
    QVERIFY(!w.frmSilEkran->isVisible());
    QVERIFY(w.hrktFrm->Enabled());
    QCOMPARE(cashRows(h), 1);
}

// ---------------------------------------------------------------- deleting

void TestCashBook::deleting_data()
{
    QTest::addColumn<QVariant>("posting");
    QTest::addColumn<int>("ledgerLeft");
    // Ledger fixture: two rows of posting "081226143005" (two customers), one of
    // "081226143006", one with an empty posting id, one without.
    QTest::newRow("a collection's cash row") << QVariant("081226143005") << 3;
    QTest::newRow("a cash-book entry") << QVariant() << 5;
    QTest::newRow("a bank deposit's row") << QVariant("Bankaya Yatırılan") << 5;
    QTest::newRow("an empty posting id") << QVariant("") << 5;
}

void TestCashBook::deleting()
{
    QFETCH(QVariant, posting);
    QFETCH(int, ledgerLeft);
    Harness h;
    addLedger(h, "1", "081226143005");
    addLedger(h, "2", "081226143005");
    addLedger(h, "1", "081226143006");
    addLedger(h, "1", "");
    addLedger(h, "1", QVariant());
    addCash(h, {"10.12.2026", "08:00:00", "Giren", 7, "first", "081226143006"});
    const qint64 id = addCash(h, {"10.12.2026", "09:00:00", "Giren", 100, "second", posting});
    kasa &w = openFromMain(QStringLiteral("0"));
    QCOMPARE(w.xpText5->text(), QStringLiteral("107,00"));
    w.DBGrid1->selectRow(1);
    QCOMPARE(w.txtIslemNo2.text(), posting.toString());
    Harness::click(w.KasaSilBtn);
    QCOMPARE(w.DataVeresiyeSil2->Recordset().RecordCount(), ledgerLeft == 5 ? 0 : 2);
    Harness::click(w.Command12);
    QVERIFY(h.msgBoxes().isEmpty());
    QCOMPARE(h.value(QStringLiteral("select count(*) from kasa where id = ?"), {id}).toInt(), 0);
    QCOMPARE(cashRows(h), 1);
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye")).toInt(), ledgerLeft);
    QCOMPARE(column(w, 4), (QStringList{"first"}));
    QCOMPARE(w.xpText5->text(), QStringLiteral("7,00"));
    QVERIFY(!w.frmSilEkran->isVisible());
    QVERIFY(w.hrktFrm->Enabled());
}

void TestCashBook::deleteLocksWhatMovesTheList_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("confirm"); // " İşlemi Sil", else " İptal"
    for (const char *control :
         {"ilk", "son", "xpCombo1", "txtAra", "KasaGrsBtn", "KasaCksBtn", "yazdirBtn"}) {
        QTest::addRow("%s, delete", control) << control << true;
        QTest::addRow("%s, cancel", control) << control << false;
    }
}

// While the delete confirmation is shown nothing re-lists the grid or opens a panel over
// it: the row deleted is the one highlighted when " Seçili Kaydı Sil" was clicked.
void TestCashBook::deleteLocksWhatMovesTheList()
{
    QFETCH(QString, control);
    QFETCH(bool, confirm);
    Harness h;
    addCash(h, {"01.12.2026", "08:00:00", "Giren", 1, "old"});
    const qint64 first = addCash(h, {"10.12.2026", "09:00:00", "Giren", 2, "Kırtasiye"});
    const qint64 second = addCash(h, {"10.12.2026", "09:00:00", "Giren", 3, "Kırtasiye"});
    const qint64 rent = addCash(h, {"10.12.2026", "11:00:00", "Çıkan", 4, "Kira"});
    kasa &w = openFromMain(QStringLiteral("0"));
    QCOMPARE(column(w, 1), (QStringList{"09:00:00", "09:00:00", "11:00:00"}));
    auto highlighted = [&w] {
        pv::Recordset &rs = w.Data10->Recordset();
        return rs.hasCurrent() ? rs.Fields(QStringLiteral("id")).value().toLongLong() : 0;
    };
    // The second of the two rows of the same date and time.
    w.DBGrid1->selectRow(1);
    const qint64 chosen = highlighted();
    QVERIFY(chosen == first || chosen == second);
    const qint64 other = chosen == first ? second : first;

    Harness::click(w.KasaSilBtn);
    auto *c = w.findChild<QWidget *>(control);
    QVERIFY(c);
    QVERIFY(!c->isEnabled());
    // What the user tries on it does nothing, nor does coming back to the window.
    Harness::click(c);
    Harness::key(c, Qt::Key_Down);
    Harness::type(c, QStringLiteral("K"));
    w.Form_Activate();
    QVERIFY(w.frmSilEkran->isVisible());
    QVERIFY(!w.GrsCksFrm->isVisible());
    QVERIFY(!w.toplaFrm->isVisible());
    QCOMPARE(w.ilk->date(), QDate(2026, 12, 10));
    QCOMPARE(w.txtAra->text(), QString());
    QCOMPARE(w.DBGrid1->model()->rowCount(), 3);
    QCOMPARE(w.DBGrid1->currentIndex().row(), 1);
    QCOMPARE(highlighted(), chosen);

    Harness::click(confirm ? w.Command12 : w.MyButton3);
    QVERIFY(!w.frmSilEkran->isVisible());
    QVERIFY(c->isEnabled());
    QVERIFY(w.hrktFrm->Enabled());
    const auto left = h.rows(QStringLiteral("select id from kasa where Tarih2 = '20261210' order by id"));
    if (confirm)
        QCOMPARE(left, (QList<QVariantList>{{other}, {rent}}));
    else
        QCOMPARE(left.size(), 3);
    QCOMPARE(cashRows(h), confirm ? 3 : 4);
}

void TestCashBook::deleteAnswerRestoresTheCommands_data()
{
    QTest::addColumn<QString>("rights");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<bool>("totalsOn");
    QTest::addColumn<bool>("deleteOn");
    // One row in the range: deleting it leaves nothing to total.
    QTest::newRow("full rights, deleted") << "0" << true << false << true;
    QTest::newRow("full rights, cancelled") << "0" << false << true << true;
    QTest::newRow("no level, deleted") << "" << true << false << false;
    QTest::newRow("no level, cancelled") << "" << false << true << true;
}

void TestCashBook::deleteAnswerRestoresTheCommands()
{
    QFETCH(QString, rights);
    QFETCH(bool, confirm);
    QFETCH(bool, totalsOn);
    QFETCH(bool, deleteOn);
    Harness h;
    addCash(h, {"10.12.2026", "09:00:00", "Giren", 10});
    kasa &w = openFromMain(rights);
    Harness::click(w.KasaSilBtn);
    QVERIFY(w.frmSilEkran->isVisible());
    Harness::click(confirm ? w.Command12 : w.MyButton3);
    QCOMPARE(w.yazdirBtn->Enabled(), totalsOn);
    QCOMPARE(w.KasaSilBtn->Enabled(), deleteOn);
    for (QWidget *c : std::initializer_list<QWidget *>{w.ilk, w.son, w.xpCombo1, w.txtAra, w.KasaGrsBtn,
                                                       w.KasaCksBtn, w.hrktFrm, w.kptBtn})
        QVERIFY2(c->isEnabled(), qPrintable(c->objectName()));
    QCOMPARE(cashRows(h), confirm ? 0 : 1);
}

void TestCashBook::deleteCancelAndEmptyList()
{
    Harness h;
    addCash(h, {"01.12.2026", "08:00:00", "Giren", 1, "old"});
    kasa &w = openFromMain(QStringLiteral("0"));
    QCOMPARE(w.DBGrid1->model()->rowCount(), 0);
    QVERIFY(w.KasaSilBtn->Enabled()); // full rights, as the activation left it
    Harness::click(w.KasaSilBtn);
    Harness::click(w.Command12);
    QCOMPARE(cashRows(h), 1);
    QVERIFY(h.msgBoxes().isEmpty());

    w.ilk->setDate(QDate(2026, 12, 1));
    Harness::click(w.KasaSilBtn);
    Harness::click(w.MyButton3);
    QCOMPARE(cashRows(h), 1);
    QVERIFY(w.hrktFrm->Enabled());
}

void TestCashBook::deleteFailure()
{
    Harness h;
    addLedger(h, "1", "081226143005");
    addCash(h, {"10.12.2026", "09:00:00", "Giren", 100, "x", "081226143005"});
    QVERIFY(h.exec(QStringLiteral("CREATE TRIGGER keep_ledger BEFORE DELETE ON veresiye BEGIN SELECT "
                                  "RAISE(ABORT, 'kayıt kilitli'); END")));
    const auto before =
        h.rows(QStringLiteral("select * from kasa")) + h.rows(QStringLiteral("select * from veresiye"));
    kasa &w = openFromMain(QStringLiteral("0"));
    Harness::click(w.KasaSilBtn);
    h.expectMsgBoxContaining(pv::ledger::kCashDeleteFailed);
    Harness::click(w.Command12);
    QCOMPARE(h.msgBoxes().size(), 1);
    QCOMPARE(h.msgBoxes().first().title, QStringLiteral("Hata"));
    QVERIFY(h.msgBoxes().first().text.contains(QStringLiteral("kayıt kilitli")));
    QCOMPARE(h.rows(QStringLiteral("select * from kasa")) + h.rows(QStringLiteral("select * from veresiye")),
             before);
    QCOMPARE(column(w, 4), (QStringList{"x"}));
}

void TestCashBook::deleteShowsInTheMainList()
{
    Harness h;
    // Sold 220, collected 100: the account window stored 120 when it closed.
    pv::test::addCustomer(
        h, "1", "Ahmet",
        {{"ParaTuru", QVariant()}, {"Bakiye", 120.0}, {"Sonislem", "2026-12-10"}, {"Sonislem2", "20261210"}});
    h.insert(QStringLiteral("veresiye"),
             {{"Tarih", "09.12.2026"}, {"Tarih2", "20261209"}, {"Eklenen", 220}, {"mus_kodu", "1"}});
    addLedger(h, "1", "081226143005");
    addCash(h, {"10.12.2026", "09:00:00", "Giren", 100, "tahsilat", "081226143005"});
    kasa &w = openFromMain(QStringLiteral("0"));
    veresiye &main = pv::form<veresiye>();
    auto shownBalance = [&] {
        const QAbstractItemModel *m = main.DBGrid1->model();
        return m->rowCount() == 1 ? m->index(0, 6).data().toString() : QString();
    };
    QCOMPARE(shownBalance(), QStringLiteral("120"));
    Harness::click(w.KasaSilBtn);
    Harness::click(w.Command12);
    QVERIFY(h.msgBoxes().isEmpty());
    QCOMPARE(h.value(QStringLiteral("select Bakiye from musteriler")).toDouble(), 220.0);
    // Back in the main window: the list shows what the account now holds.
    pv::userActivate(&main);
    Harness::settle();
    QCOMPARE(shownBalance(), QStringLiteral("220"));
}

// ---------------------------------------------------------------- lists

void TestCashBook::crossedDates()
{
    Harness h;
    addCash(h, {"10.12.2026", "09:00:00", "Giren", 10, "today"});
    kasa &w = openFromMain(QStringLiteral("0"));
    const QString warning = QStringLiteral("İlk Tarih Son Tarihten Gün Olarak Büyük ");
    h.expectMsgBox(warning, pv::vbExclamation, QStringLiteral("Kasa Hareketleri"));
    w.son->setDate(QDate(2026, 12, 9));
    QCOMPARE(column(w, 4), (QStringList{"today"}));
    QCOMPARE(QApplication::focusWidget() == w.ilk || w.ilk->hasFocus() ||
                 w.ilk->isAncestorOf(QApplication::focusWidget()),
             true);
    // Once per activation while the dates stay crossed.
    h.expectMsgBox(warning, pv::vbExclamation, QStringLiteral("Kasa Hareketleri"));
    pv::userActivate(&pv::form<veresiye>());
    pv::userActivate(&w);
    Harness::settle();
    QCOMPARE(h.msgBoxes().size(), 2);
    // Equal dates are a one-day range.
    w.son->setDate(QDate(2026, 12, 10));
    QCOMPARE(column(w, 4), (QStringList{"today"}));
}

void TestCashBook::kinds_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("criterion");
    QTest::newRow("Tüm Kayıtlar") << 0 << QStringList{"own in", "cash sale", "card sale", "own out"} << "0"
                                  << "";
    QTest::newRow("Giren Kayıtlar") << 1 << QStringList{"own in", "cash sale", "card sale"} << "1"
                                    << " and Tur='Giren'";
    QTest::newRow("Çıkan Kayıtlar") << 2 << QStringList{"own out"} << "2"
                                    << " and Tur='Çıkan'";
    QTest::newRow("Nakit Satışlar") << 3 << QStringList{"cash sale"} << "3"
                                    << " and Tur='Giren'";
    QTest::newRow("POS Satışlar") << 4 << QStringList{"card sale"} << "4"
                                  << " and Tur='Giren'";
}

void TestCashBook::kinds()
{
    QFETCH(int, index);
    QFETCH(QStringList, rows);
    QFETCH(QString, code);
    QFETCH(QString, criterion);
    Harness h;
    addCash(h, {"10.12.2026", "08:00:00", "Giren", 10, "own in"});
    addCash(h, {"10.12.2026", "09:00:00", "Giren", 20, "cash sale", "081226090000", "Nakit"});
    addCash(h, {"10.12.2026", "10:00:00", "Giren", 30, "card sale", "081226100000", "POS"});
    addCash(h, {"10.12.2026", "11:00:00", "Çıkan", 5, "own out"});
    addCash(h, {"09.12.2026", "11:00:00", "Giren", 5, "yesterday", {}, "Nakit"});
    kasa &w = openFromMain(QStringLiteral("0"));
    pickKind(w, index);
    QCOMPARE(column(w, 4), rows);
    QCOMPARE(w.frmShowtxt.text(), code);
    QCOMPARE(w.krt3.text(), criterion);
    // A date change lists every row of the new range; the hand-off stays.
    w.ilk->setDate(QDate(2026, 12, 9));
    QCOMPARE(column(w, 4).size(), 5);
    QCOMPARE(w.frmShowtxt.text(), code);
}

void TestCashBook::search_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("begins with") << "Pe" << QStringList{"Peşin Satış"};
    QTest::newRow("other case") << "peş" << QStringList{"Peşin Satış"};
    QTest::newRow("apostrophe") << "O'B" << QStringList{"O'Brien borç"};
    QTest::newRow("a star is a star") << "50*" << QStringList{"50* indirim"};
    QTest::newRow("cleared") << ""
                             << QStringList{"Peşin Satış", "Kira Peşin", "O'Brien borç", "50* indirim",
                                            "500 TL"};
}

void TestCashBook::search()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, rows);
    Harness h;
    int minute = 0;
    for (const char *d : {"Peşin Satış", "Kira Peşin", "O'Brien borç", "50* indirim", "500 TL"})
        addCash(h, {"10.12.2026", QStringLiteral("09:%1:00").arg(minute++, 2, 10, QLatin1Char('0')), "Giren",
                    1, QString::fromUtf8(d)});
    addCash(h, {"09.12.2026", "09:00:00", "Giren", 1, "Peşin eski"}); // outside the range
    kasa &w = openFromMain(QStringLiteral("0"));
    Harness::type(w.txtAra, QStringLiteral("x"));
    w.txtAra->clear();
    Harness::type(w.txtAra, typed);
    QCOMPARE(column(w, 4), rows);
}

void TestCashBook::carriedBalance()
{
    Harness h;
    addCash(h, {"01.01.2020", "09:00:00", "Giren", 1234567.89});
    addCash(h, {"10.12.2026", "09:00:00", "Giren", 0.5});
    addCash(h, {"10.12.2026", "10:00:00", "Çıkan", 0.25});
    // A money-in amount in a money-out row counts nowhere.
    h.insert(QStringLiteral("kasa"), {{"Tur", "Çıkan"}, {"Giren", 1000}, {"Tarih2", "20261210"}});
    kasa &w = openFromMain(QStringLiteral("0"));
    QCOMPARE(w.xpText5->text(), QStringLiteral("1.234.568,14"));
    QVERIFY(h.exec(QStringLiteral("delete from kasa where Tarih2 = '20261210'")));
    w.Form_Activate();
    QCOMPARE(w.xpText5->text(), QStringLiteral("1.234.567,89"));
}

// A day of 600 entries opens with its first rows read, and the grid reads on as it scrolls;
// the activation reads the balance once.
void TestCashBook::longDayListedByScreens()
{
    Harness h;
    QVERIFY(
        h.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 600) "
                              "INSERT INTO kasa (Tarih, Saat, Tur, Aciklama, Giren, Tarih2) "
                              "SELECT '10.12.2026', printf('%02d:%02d:00', i / 60, i % 60), 'Giren', "
                              "printf('Satış %03d', i), 1, '20261210' FROM n")));
    addCash(h, {"09.12.2026", "12:00:00", "Çıkan", 100});
    kasa &w = openFromMain(QStringLiteral("0"));
    pv::Recordset &rs = w.Data10->Recordset();
    QVERIFY(rs.rowsRead() < 600);
    QCOMPARE(column(w, 4).first(), QStringLiteral("Satış 001"));
    QVERIFY(w.yazdirBtn->Enabled() && w.KasaSilBtn->Enabled());
    QCOMPARE(w.xpText5->text(), QStringLiteral("500,00"));
    // Scrolled to the end, the grid has read every row in order.
    w.DBGrid1->scrollToBottom();
    while (w.DBGrid1->model()->canFetchMore({}))
        w.DBGrid1->model()->fetchMore({});
    QCOMPARE(w.DBGrid1->model()->rowCount(), 600);
    QCOMPARE(column(w, 4).last(), QStringLiteral("Satış 600"));

    QCOMPARE(h.statementsRun("sum(Cikan) FROM kasa WHERE Tur = 'Çıkan'", [&] { w.Form_Activate(); }), 1);
    QCOMPARE(w.xpText5->text(), QStringLiteral("500,00"));
}

void TestCashBook::rangeTotals_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<bool>>("covers");
    QTest::newRow("all rows") << 0 << QList<bool>{false, false, false, false, false};
    QTest::newRow("money in") << 1 << QList<bool>{false, true, true, true, true};
    QTest::newRow("money out") << 2 << QList<bool>{true, false, true, true, true};
    QTest::newRow("cash sales") << 3 << QList<bool>{false, true, true, false, true};
    QTest::newRow("card sales") << 4 << QList<bool>{false, true, true, true, false};
}

void TestCashBook::rangeTotals()
{
    QFETCH(int, kind);
    QFETCH(QList<bool>, covers);
    Harness h;
    addCash(h, {"01.03.2024", "09:00:00", "Giren", 100, "cash", "010324090000", "Nakit"});
    addCash(h, {"15.03.2024", "09:00:00", "Giren", 40.5, "card", "150324090000", "POS"});
    addCash(h, {"31.03.2024", "09:00:00", "Giren", 7, "own"});
    addCash(h, {"10.03.2024", "09:00:00", "Çıkan", 1000, "rent"});
    addCash(h, {"01.04.2024", "09:00:00", "Giren", 999, "april", {}, "Nakit"});
    kasa &w = openFromMain(QStringLiteral("0"));
    w.ilk->setDate(QDate(2024, 3, 1));
    w.son->setDate(QDate(2024, 3, 31));
    pickKind(w, kind);
    Harness::click(w.yazdirBtn);
    QVERIFY(w.toplaFrm->isVisible());
    QCOMPARE(w.Label3->text(),
             QStringLiteral("01.03.2024 İLE 31.03.2024 TARİHLERİ ARASINDAKİ TOPLAM TUTARLAR"));
    QCOMPARE((QStringList{w.VornXPTextBox2->text(), w.VornXPTextBox3->text(), w.VornXPTextBox4->text(),
                          w.VornXPTextBox5->text(), w.VornXPTextBox6->text()}),
             (QStringList{"147,50", "1.000,00", "-852,50", "100,00", "40,50"}));
    const QList<bool> shownCovers{w.Frame1->isVisible(), w.Frame2->isVisible(), w.Frame3->isVisible(),
                                  w.Frame4->isVisible(), w.Frame5->isVisible()};
    QCOMPARE(shownCovers, covers);
    Harness::click(w.vazgec3);
    QVERIFY(!w.toplaFrm->isVisible());

    // A range with money out only.
    w.ilk->setDate(QDate(2024, 3, 10));
    w.son->setDate(QDate(2024, 3, 10));
    Harness::click(w.yazdirBtn);
    QCOMPARE((QStringList{w.VornXPTextBox2->text(), w.VornXPTextBox4->text(), w.VornXPTextBox5->text()}),
             (QStringList{"0,00", "-1.000,00", "0,00"}));
}

// ---------------------------------------------------------------- report

void TestCashBook::report()
{
    Harness h;
    // 3 rows in March (one on another day's time order), 60 in the first days of April to
    // make a second page.
    addCash(h, {"01.03.2024", "15:00:00", "Giren", 100, "second", "x", "Nakit", "41"});
    addCash(h, {"01.03.2024", "09:00:00", "Çıkan", 30, "first"});
    addCash(h, {"31.03.2024", "08:00:00", "Giren", 20, "third", "y", "POS"});
    for (int i = 0; i < 60; ++i)
        addCash(h, {"01.04.2024", QStringLiteral("10:%1:00").arg(i, 2, 10, QLatin1Char('0')), "Giren", 1,
                    "april"});
    kasa &w = openFromMain(QStringLiteral("0"));
    w.ilk->setDate(QDate(2024, 3, 1));
    w.son->setDate(QDate(2024, 3, 31));
    Harness::click(w.yazdirBtn);
    w.TextSize->setCurrentText(QStringLiteral("3"));

    pv::PageModel model;
    QString caption;
    const QString pdf = h.folder() + QStringLiteral("/kasa.pdf");
    h.onModal<pv::ReportPreview>([&](pv::ReportPreview &p) {
        model = p.document().pageModel();
        caption = p.windowTitle();
        QVERIFY(p.document().exportPdf(pdf));
        p.close();
    });
    Harness::click(w.muslisyzdBtn);
    Harness::settle();
    QCOMPARE(caption, QStringLiteral("Kasa Raporu"));
    QCOMPARE(model.pageCount, 1);
    QCOMPARE(model.textsOf(QStringLiteral("Label111")),
             (QStringList{"01.03.2024 - 31.03.2024 TARİHLERİ ARASI KASA RAPORU"}));
    QCOMPARE(model.textsOf(QStringLiteral("Field10")), (QStringList{"first", "second", "third"}));
    QCOMPARE(model.textsOf(QStringLiteral("lblRank")), (QStringList{"1", "2", "3"}));
    const QList<pv::PageText> ranks = model.ofItem(QStringLiteral("lblRank"));
    QCOMPARE(ranks[0].background, QColor(Qt::white));
    QCOMPARE(ranks[1].background, QColor(223, 245, 253));
    QCOMPARE(ranks[2].background, QColor(Qt::white));
    for (const char *item : {"Field1", "Field2", "Field10", "Field13", "Field14", "Field15", "lblRank"})
        QCOMPARE(model.ofItem(QLatin1String(item)).first().fontSize, 3.0);
    QCOMPARE(model.ofItem(QStringLiteral("Field18")).first().fontSize, 9.0);
    QCOMPARE(model.textsOf(QStringLiteral("Label121")), (QStringList{"120,00"}));
    QCOMPARE(model.textsOf(QStringLiteral("Label122")), (QStringList{"30,00"}));
    QCOMPARE(model.textsOf(QStringLiteral("Label123")), (QStringList{"90,00"}));
    QCOMPARE(model.textsOf(QStringLiteral("Label126")), (QStringList{"150,00"}));
    QCOMPARE(model.textsOf(QStringLiteral("Label131")), (QStringList{"100,00"}));
    QCOMPARE(model.textsOf(QStringLiteral("Label132")), (QStringList{"20,00"}));
    QCOMPARE(model.textsOf(QStringLiteral("Label124")), (QStringList{"10.12.2026"}));
    QCOMPARE(model.textsOf(QStringLiteral("LabelFirma")), (QStringList{"firma bilgileri"}));

    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(30000));
    const QString read = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(read.contains(QStringLiteral("01.03.2024 - 31.03.2024 TARİHLERİ ARASI KASA RAPORU")),
             qPrintable(read));
    QVERIFY(read.contains(QStringLiteral("Toplam Nakit Satış Miktarı :")));
    QVERIFY(read.contains(QStringLiteral("90,00")));

    // Money in over March and April: two pages, numbered again from 1.
    Harness::click(w.vazgec3);
    pickKind(w, 1);
    w.son->setDate(QDate(2024, 4, 30));
    Harness::click(w.yazdirBtn);
    h.onModal<pv::ReportPreview>([&](pv::ReportPreview &p) {
        model = p.document().pageModel();
        QVERIFY(p.document().exportPdf(pdf));
        p.close();
    });
    Harness::click(w.muslisyzdBtn);
    Harness::settle();
    QCOMPARE(model.pageCount, 2);
    const QStringList numbers = model.textsOf(QStringLiteral("lblRank"));
    QCOMPARE(numbers.size(), 62);
    QCOMPARE(numbers.first(), QStringLiteral("1"));
    QCOMPARE(numbers.last(), QStringLiteral("62"));
    QVERIFY(!model.textsOf(QStringLiteral("Field10")).contains(QStringLiteral("first")));
    QCOMPARE(model.textsOf(QStringLiteral("Field16")), (QStringList{"1", "2"}));
    QCOMPARE(model.textsOf(QStringLiteral("Field17")), (QStringList{"2", "2"}));
    QCOMPARE(model.textsOf(QStringLiteral("Label124")), (QStringList{"10.12.2026", "10.12.2026"}));
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(30000));
    const QString layout = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(layout.contains(QRegularExpression(QStringLiteral("1\\s*/\\s*2"))),
             qPrintable(layout.right(400)));
    QVERIFY(layout.contains(QRegularExpression(QStringLiteral("2\\s*/\\s*2"))));
}

QTEST_MAIN(TestCashBook)
#include "test_cashbook.moc"
