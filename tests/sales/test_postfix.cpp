// Postings a careful shop owner tried to get wrong, each driven through the windows as
// they used them: a stock sale changed after Enter, a price changed without Enter, odd
// times and amounts, a receipt that must hold its own collection, a range statement
// printed after the pickers moved, and an edited collection whose cash row must follow.
#include "app/accounts/CariYazdir.h"
#include "app/accounts/veresiye2.h"
#include "app/reports/AppReports.h"
#include "app/sales/veresiyealacakekle.h"
#include "app/sales/veresiyeekleode.h"
#include "app/shell/veresiye.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/databind/DataControl.h"
#include "platform/databind/DataGridModel.h"
#include "platform/report/ReportPreview.h"
#include "platform/text/Formats.h"
#include "tests/harness/Harness.h"
#include "tests/sales/EntryFixtures.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QtTest>

using pv::test::Harness;
using namespace entryfix;

namespace
{

const QString kWarn = QStringLiteral("Dikkat!!");
const QString kBadTime = QStringLiteral("Saat geçerli bir saat olmalıdır (ss:dd:sn).");
const QString kNotNumber = QStringLiteral("Tutar geçerli bir sayı olmalıdır (ör. 1.234,50).");
const QString kTooLarge = QStringLiteral("Tutar en fazla 999.999.999.999,99 olabilir.");

void addEntry(Harness &h, const QString &code, const QString &date, const QString &time,
              const QString &description, QVariant debit, QVariant paid)
{
    QVERIFY(h.insert(QStringLiteral("veresiye"),
                     {{QStringLiteral("Tarih"), date},
                      {QStringLiteral("Saat"), time},
                      {QStringLiteral("Turu"), debit.isValid() ? QStringLiteral("Stoktan Bağımsız Satış")
                                                               : QStringLiteral("Tahsilat Nakit")},
                      {QStringLiteral("Aciklama"), description},
                      {QStringLiteral("Eklenen"), debit},
                      {QStringLiteral("Odenen"), paid},
                      {QStringLiteral("Tarih2"), date.mid(6, 4) + date.mid(3, 2) + date.mid(0, 2)},
                      {QStringLiteral("mus_kodu"), code}}));
}

// Opens the stock mode and takes the one product over into the sale.
void takeProduct(veresiyeekleode &d)
{
    Harness::click(d.BvButton1);
    d.DBGrid2->selectRow(0);
    Harness::click(d.btnAktar);
    QCOMPARE(d.bartext->text(), QStringLiteral("P1"));
}

} // namespace

class TestPostfix : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { pv::registerAppReports(); }
    void cleanup() { pv::discardAllForms(true); }

    void stockCheckedAgainAtSave();
    void stockTotalIsWhatIsCharged();
    void timeAndAmountBoxes_data();
    void timeAndAmountBoxes();
    void receiptHoldsItsCollection_data();
    void receiptHoldsItsCollection();
    void receiptWithoutItsCollectionUsesNoNumber();
    void rangeStatementTotalsFromItsRows();
    void editedCollectionMovesItsCashRow();
    void mainListComesBackOnTheVisitedCustomer_data();
    void mainListComesBackOnTheVisitedCustomer();
};

// Enter with 5 passes the check; the quantity then changed to 12 must not slip through.
void TestPostfix::stockCheckedAgainAtSave()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"));
    addProduct(h, QStringLiteral("P1"), QStringLiteral("Gıda"), QStringLiteral("Un"), 10, 0, 3);
    veresiye2 &w = openAccount(QStringLiteral("100"));
    QString before;
    h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
        activate(d);
        takeProduct(d);
        retype(d.Text10, QStringLiteral("5"));
        Harness::key(d.Text10, Qt::Key_Return);
        QCOMPARE(d.Text9->text(), QStringLiteral("15,00"));
        retype(d.Text10, QStringLiteral("12"));
        before = snapshot(h);
        h.expectMsgBox(QStringLiteral("' Un ' ürünü için kullanılabilecek stok miktarı max: ' 10 ' adetir. "),
                       pv::vbOKOnly | pv::vbExclamation, QStringLiteral("Uyarı!"));
        Harness::click(d.VornXPButton2);
        QVERIFY(pv::isLoaded<veresiyeekleode>());
        QCOMPARE(snapshot(h), before);
        QVERIFY(d.Text10->hasFocus());
        QCOMPARE(d.Text10->text(), QString());
        // All that is on hand goes.
        retype(d.Text10, QStringLiteral("10"));
        Harness::click(d.VornXPButton2);
    });
    Harness::click(w.VornXPButton8);
    Harness::settle();
    QVERIFY(!pv::isLoaded<veresiyeekleode>());
    QCOMPARE(h.value(QStringLiteral("select OnHand from Product")).toDouble(), 0.0);
    QCOMPARE(h.value(QStringLiteral("select Eklenen from veresiye")).toDouble(), 30.0);
    QCOMPARE(h.value(QStringLiteral("select count(*) from SatisRapor")).toInt(), 1);
}

// The price changed from 3 to 30 without Enter: the box shows the new total at once, and
// that total is what the account is charged.
void TestPostfix::stockTotalIsWhatIsCharged()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"));
    addProduct(h, QStringLiteral("P1"), QStringLiteral("Gıda"), QStringLiteral("Un"), 10, 0, 3);
    veresiye2 &w = openAccount(QStringLiteral("100"));
    QString shown;
    h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
        activate(d);
        takeProduct(d);
        retype(d.Text10, QStringLiteral("4"));
        Harness::key(d.Text10, Qt::Key_Return);
        QCOMPARE(d.Text9->text(), QStringLiteral("12,00"));
        retype(d.Text12, QStringLiteral("30"));
        QCOMPARE(d.Text9->text(), QStringLiteral("120,00"));
        retype(d.Text10, QStringLiteral("2,5"));
        QCOMPARE(d.Text9->text(), QStringLiteral("75,00"));
        // The rounding switch shows four decimals: the total follows it too.
        retype(d.Text12, QStringLiteral("3,3333"));
        Harness::click(d.btnFormat);
        QCOMPARE(d.Text9->text(), QStringLiteral("8,3333"));
        Harness::click(d.btnFormat);
        QCOMPARE(d.Text9->text(), QStringLiteral("8,33"));
        shown = d.Text9->text();
        Harness::click(d.VornXPButton2);
    });
    Harness::click(w.VornXPButton8);
    Harness::settle();
    QVERIFY(!pv::isLoaded<veresiyeekleode>());
    QCOMPARE(shown, QStringLiteral("8,33"));
    QCOMPARE(h.value(QStringLiteral("select Eklenen from veresiye")).toDouble(), 8.33);
    QCOMPARE(h.value(QStringLiteral("select Tutar from SatisRapor")).toDouble(), 8.33);
}

void TestPostfix::timeAndAmountBoxes_data()
{
    QTest::addColumn<QString>("dialog"); // "collection", "credit", "sale"
    QTest::addColumn<QString>("box");    // "time", "amount"
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message"); // empty: saved at 09:15:00 with the largest amount
    const QString emptyAmount = QStringLiteral("Ödenen Miktarı Girin.");
    const QStringList texts{"", "abc", "1.5", "9:15", "25:00", "999.999.999.999,99", "1.000.000.000.000"};
    for (const QString &dialog : {QStringLiteral("collection"), QStringLiteral("credit")}) {
        const QStringList timeMessages{kBadTime, kBadTime, kBadTime, {}, kBadTime, kBadTime, kBadTime};
        const QStringList amountMessages{
            dialog == QLatin1String("collection") ? emptyAmount : QStringLiteral("Tutarı Girin."),
            kNotNumber,
            kNotNumber,
            kNotNumber,
            kNotNumber,
            {},
            kTooLarge};
        for (int i = 0; i < texts.size(); ++i) {
            QTest::addRow("%s: time \"%s\"", qPrintable(dialog), qPrintable(texts[i]))
                << dialog << "time" << texts[i] << timeMessages[i];
            QTest::addRow("%s: amount \"%s\"", qPrintable(dialog), qPrintable(texts[i]))
                << dialog << "amount" << texts[i] << amountMessages[i];
        }
    }
    QTest::newRow("sale: time \"9:15\"") << "sale"
                                         << "time"
                                         << "9:15" << QString();
    QTest::newRow("sale: time \"x\"") << "sale"
                                      << "time"
                                      << "x" << kBadTime;
    QTest::newRow("sale: empty time") << "sale"
                                      << "time"
                                      << "" << kBadTime;
    QTest::newRow("sale: largest price") << "sale"
                                         << "amount"
                                         << "999.999.999.999,99" << QString();
    QTest::newRow("sale: price past the limit")
        << "sale"
        << "amount"
        << "1.000.000.000.000" << QStringLiteral("Fiyat en fazla 999.999.999.999,99 olabilir.");
    QTest::newRow("sale: total past the limit") << "sale"
                                                << "total"
                                                << "1.000.000" << kTooLarge;
}

void TestPostfix::timeAndAmountBoxes()
{
    QFETCH(QString, dialog);
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, message);
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"));
    addEntry(h, QStringLiteral("100"), QStringLiteral("01.11.2026"), QStringLiteral("09:00:00"),
             QStringLiteral("Un"), 40.0, QVariant());
    veresiye2 &w = openAccount(QStringLiteral("100"));
    const QString before = snapshot(h);
    if (!message.isEmpty())
        h.expectMsgBox(message, pv::vbOKOnly | pv::vbExclamation, kWarn);
    bool stayed = false, focused = false;
    auto check = [&](QLineEdit *typed, QWidget &d, BvButton *cancel) {
        stayed = d.isVisible();
        focused = typed->hasFocus();
        if (stayed)
            Harness::click(cancel);
    };
    if (dialog == QLatin1String("credit")) {
        h.onModal<veresiyealacakekle>([&](veresiyealacakekle &d) {
            activate(d);
            retype(d.Text4, QStringLiteral("İade"));
            retype(d.Text5, QStringLiteral("999.999.999.999,99"));
            retype(d.Text3, QStringLiteral("9:15"));
            QLineEdit *typed = box == QLatin1String("time") ? d.Text3 : d.Text5;
            retype(typed, text);
            Harness::click(d.VornXPButton9);
            check(typed, d, d.VornXPButton8);
        });
        w.mnuAlacak->trigger();
    } else {
        h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
            activate(d);
            QLineEdit *typed = nullptr;
            if (dialog == QLatin1String("sale")) {
                retype(d.Text12a, QStringLiteral("999.999.999.999,99"));
                retype(d.Text7, QStringLiteral("9:15"));
                typed = box == QLatin1String("time") ? d.Text7 : d.Text12a;
                if (box == QLatin1String("total")) // each box within the limit, their product not
                    retype(d.Text10a, QStringLiteral("1.000.000"));
                retype(typed, text);
                Harness::click(d.VornXPButton2);
                check(typed, d, d.VornXPButton1);
            } else {
                retype(d.Text5, QStringLiteral("999.999.999.999,99"));
                retype(d.Text3, QStringLiteral("9:15"));
                typed = box == QLatin1String("time") ? d.Text3 : d.Text5;
                retype(typed, text);
                Harness::click(d.VornXPButton9);
                check(typed, d, d.VornXPButton8);
            }
        });
        Harness::click(dialog == QLatin1String("sale") ? w.VornXPButton8 : w.VornXPButton10);
    }
    Harness::settle();
    if (!message.isEmpty()) {
        QVERIFY(stayed);
        QVERIFY(focused);
        QCOMPARE(snapshot(h), before);
        return;
    }
    QVERIFY(!stayed);
    const auto row = h.rows(QStringLiteral("select Saat, coalesce(Odenen, Eklenen) from veresiye "
                                           "where Tarih2 = '20261210'"));
    QCOMPARE(row.size(), 1);
    QCOMPARE(row[0][0].toString(), QStringLiteral("09:15:00"));
    QCOMPARE(row[0][1].toDouble(), 999999999999.99);
}

void TestPostfix::receiptHoldsItsCollection_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("plain code") << "100";
    QTest::newRow("code with a quote") << "O'Brien";
    QTest::newRow("code with a NUL") << QString::fromUtf8("A\0B", 3);
}

// The receipt lists the collection just saved and nothing else, even where another row of
// the same account carries the same date and time; its number is used up once.
void TestPostfix::receiptHoldsItsCollection()
{
    QFETCH(QString, code);
    Harness h;
    QVERIFY(h.exec(QStringLiteral("update yedek_yeri set yolu = 41")));
    addCustomer(h, code, QStringLiteral("Ahmet Usta"));
    addCustomer(h, QStringLiteral("A"), QStringLiteral("Başka"));
    addEntry(h, code, QStringLiteral("10.12.2026"), QStringLiteral("10:00:00"), QStringLiteral("Un"), 100.0,
             QVariant());
    addEntry(h, QStringLiteral("A"), QStringLiteral("10.12.2026"), QStringLiteral("10:00:00"),
             QStringLiteral("Başkasının"), QVariant(), 5.0);
    veresiye2 &w = openAccount(code);
    pv::PageModel model;
    h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
        activate(d);
        retype(d.Text4, QStringLiteral("Peşinat"));
        retype(d.Text5, QStringLiteral("25"));
        QCOMPARE(d.Text3->text(), QStringLiteral("10:00:00"));
        Harness::click(d.btnMakbuz);
        Harness::click(d.VornXPButton9);
    });
    h.onModal<pv::ReportPreview>([&](pv::ReportPreview &p) {
        model = p.document().pageModel();
        p.close();
    });
    Harness::click(w.VornXPButton10);
    Harness::settle();
    QVERIFY(!pv::isLoaded<veresiyeekleode>());
    QCOMPARE(model.pageCount, 1);
    QCOMPARE(model.textsOf(QStringLiteral("Field7")), QStringList{QStringLiteral("Peşinat")});
    QCOMPARE(model.textsOf(QStringLiteral("Label183")), QStringList{QStringLiteral("41")});
    QCOMPARE(model.textsOf(QStringLiteral("Label168")), QStringList{QStringLiteral("Ahmet Usta")});
    QCOMPARE(model.textsOf(QStringLiteral("Label177")), QStringList{QStringLiteral("75,00")});
    QCOMPARE(h.value(QStringLiteral("select yolu from yedek_yeri")).toInt(), 42);
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye where mus_kodu = ?"), {code}).toInt(), 2);
    QCOMPARE(h.value(QStringLiteral("select count(*) from kasa where mus_kodu = ?"), {code}).toInt(), 1);
}

// A receipt that cannot find its collection prints nothing, says so, and uses no number;
// the collection itself stands.
void TestPostfix::receiptWithoutItsCollectionUsesNoNumber()
{
    Harness h;
    QVERIFY(h.exec(QStringLiteral("update yedek_yeri set yolu = 41")));
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"));
    addEntry(h, QStringLiteral("100"), QStringLiteral("01.11.2026"), QStringLiteral("09:00:00"),
             QStringLiteral("Un"), 100.0, QVariant());
    // Something rewrites the posting id behind the posting's back.
    QVERIFY(h.exec(QStringLiteral("CREATE TRIGGER lost AFTER INSERT ON veresiye BEGIN "
                                  "UPDATE veresiye SET islemNo2 = 'başka' WHERE id = new.id; END")));
    veresiye2 &w = openAccount(QStringLiteral("100"));
    h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
        activate(d);
        retype(d.Text5, QStringLiteral("25"));
        Harness::click(d.btnMakbuz);
        h.expectMsgBox(QStringLiteral("Tahsilat kaydedildi, ancak makbuz yazdırılamadı; makbuz numarası "
                                      "kullanılmadı."),
                       pv::vbOKOnly | pv::vbExclamation, kWarn);
        Harness::click(d.VornXPButton9);
    });
    Harness::click(w.VornXPButton10);
    Harness::settle();
    QVERIFY(!pv::isLoaded<veresiyeekleode>());
    QCOMPARE(h.msgBoxes().size(), 1);
    QCOMPARE(h.value(QStringLiteral("select yolu from yedek_yeri")).toInt(), 41);
    QCOMPARE(h.value(QStringLiteral("select count(*) from kasa")).toInt(), 1);
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye")).toInt(), 2);
}

// October shown, then both pickers moved to 10.12 without showing again: the printed
// statement lists 10.12's rows under 10.12's totals.
void TestPostfix::rangeStatementTotalsFromItsRows()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"));
    addEntry(h, QStringLiteral("100"), QStringLiteral("05.10.2026"), QStringLiteral("09:00:00"),
             QStringLiteral("Ekim"), 500.0, QVariant());
    addEntry(h, QStringLiteral("100"), QStringLiteral("20.10.2026"), QStringLiteral("09:00:00"),
             QStringLiteral("Ekim ödeme"), QVariant(), 100.0);
    addEntry(h, QStringLiteral("100"), QStringLiteral("10.12.2026"), QStringLiteral("09:00:00"),
             QStringLiteral("Aralık"), 30.0, QVariant());
    addEntry(h, QStringLiteral("100"), QStringLiteral("10.12.2026"), QStringLiteral("09:30:00"),
             QStringLiteral("Aralık ödeme"), QVariant(), 12.5);
    veresiye2 &w = openAccount(QStringLiteral("100"));
    CariYazdir &p = *w.cariYazdir;
    p.tgoster2_Click();
    p.ilk->setDate(QDate(2026, 10, 1));
    p.son->setDate(QDate(2026, 10, 31));
    p.tgoster_Click();
    QCOMPARE(w.txtT1->text(), QStringLiteral("500,00"));
    p.ilk->setDate(QDate(2026, 12, 10));
    p.son->setDate(QDate(2026, 12, 10));
    pv::PageModel model;
    h.onModal<pv::ReportPreview>([&](pv::ReportPreview &preview) {
        model = preview.document().pageModel();
        preview.close();
    });
    p.muslisyzdBtn2_Click();
    Harness::settle();
    QCOMPARE(model.textsOf(QStringLiteral("Field10")).size(), 2);
    QCOMPARE(model.textsOf(QStringLiteral("Label186")), QStringList{QStringLiteral("30,00")});
    QCOMPARE(model.textsOf(QStringLiteral("Label187")), QStringList{QStringLiteral("12,50")});
    QCOMPARE(model.textsOf(QStringLiteral("Label188")), QStringList{QStringLiteral("17,50")});
}

// A collection of 10 edited to 15 on an earlier day: the cash book follows the account.
void TestPostfix::editedCollectionMovesItsCashRow()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"));
    addEntry(h, QStringLiteral("100"), QStringLiteral("01.11.2026"), QStringLiteral("09:00:00"),
             QStringLiteral("Un"), 100.0, QVariant());
    veresiye2 &w = openAccount(QStringLiteral("100"));
    h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
        activate(d);
        retype(d.Text5, QStringLiteral("10"));
        Harness::click(d.VornXPButton9);
    });
    Harness::click(w.VornXPButton10);
    Harness::settle();
    const auto cashBefore =
        h.rows(QStringLiteral("select Saat, Tur, Aciklama, Cikan, islemNo2, OdemeSekli, mus_kodu from kasa"));
    QCOMPARE(cashBefore.size(), 1);
    w.Data5->Refresh();
    w.DBGrid2->selectRow(1);
    Harness::click(w.btnEdit);
    QCOMPARE(w.txtEdit6->text(), QStringLiteral("10"));
    Harness::click(w.BvButton2);
    w.txtEdit6->setText(QStringLiteral("15"));
    w.txtEdit1->setText(QStringLiteral("08.12.2026"));
    Harness::click(w.BvButton3);
    QVERIFY(w.frmHareketEdit->isHidden());
    QCOMPARE(h.value(QStringLiteral("select Odenen from veresiye where Tarih2 = '20261208'")).toDouble(),
             15.0);
    const auto cash = h.rows(QStringLiteral("select Giren, Tarih, Tarih2 from kasa"));
    QCOMPARE(cash.size(), 1);
    QCOMPARE(cash[0][0].toDouble(), 15.0);
    QCOMPARE(cash[0][1].toString(), QStringLiteral("08.12.2026"));
    QCOMPARE(cash[0][2].toString(), QStringLiteral("20261208"));
    QCOMPARE(
        h.rows(QStringLiteral("select Saat, Tur, Aciklama, Cikan, islemNo2, OdemeSekli, mus_kodu from kasa")),
        cashBefore);
}

void TestPostfix::mainListComesBackOnTheVisitedCustomer_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("visited");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("searched by name") << "ismail"
                                      << "İsmail Şahin" << QStringList{"İsmail Şahin", "Kadir İsmailoğlu"};
    QTest::newRow("whole list") << ""
                                << "Kadir İsmailoğlu"
                                << QStringList{"Ahmet", "Ayşe", "İsmail Şahin", "Kadir İsmailoğlu", "Zeki"};
}

// The main list after an account visit: what the search box says, on the customer visited,
// so that the next "Müşteri Hesabını Göster" opens that account again.
void TestPostfix::mainListComesBackOnTheVisitedCustomer()
{
    QFETCH(QString, search);
    QFETCH(QString, visited);
    QFETCH(QStringList, listed);
    Harness h;
    const QStringList names{"Zeki", "Ahmet", "İsmail Şahin", "Ayşe", "Kadir İsmailoğlu"};
    for (int i = 0; i < names.size(); ++i)
        addCustomer(h, QString::number(40 + i), names[i]);
    const QString code = QString::number(40 + names.indexOf(visited));
    veresiye &m = pv::form<veresiye>();
    m.Show();
    Harness::settle();
    auto shown = [&] {
        QStringList out;
        for (int r = 0; r < m.DBGrid1Model->rowCount(); ++r)
            out << m.DBGrid1Model->data(m.DBGrid1Model->index(r, 3)).toString();
        return out;
    };
    Harness::type(m.musaratext, search);
    QCOMPARE(shown(), listed);
    m.DBGrid1->selectRow(int(listed.indexOf(visited)));
    QCOMPARE(m.Text1.text(), code);
    QStringList opened;
    const auto visit = [&](veresiye2 &w) {
        opened << w.Text10.text();
        Harness::click(w.VornXPButton7); // "Geri"
    };
    h.onModal<veresiye2>(visit);
    Harness::click(m.VornXPButton2);
    Harness::settle();
    QVERIFY(!pv::isLoaded<veresiye2>());
    QCOMPARE(m.musaratext->text(), search);
    QCOMPARE(shown(), listed);
    QCOMPARE(m.Text1.text(), code);
    QCOMPARE(m.DBGrid1->currentIndex().row(), int(listed.indexOf(visited)));
    // The next opening goes to the same account.
    h.onModal<veresiye2>(visit);
    Harness::click(m.VornXPButton2);
    Harness::settle();
    QCOMPARE(opened, (QStringList{code, code}));
}

QTEST_MAIN(TestPostfix)
#include "test_postfix.moc"
