// The bank windows driven from the main window's "Banka" as a shopkeeper uses them: the
// account list, the movements of one account, posting every kind of movement with its
// mirror row, and the list queries.
#include "app/bank/Banka1.h"
#include "app/bank/Banka2.h"
#include "app/ledger/LedgerWrite.h"
#include "app/ledger/ReceiptNumbers.h"
#include "app/shell/veresiye.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/data/Database.h"
#include "platform/databind/DataControl.h"
#include "tests/harness/Harness.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

using pv::test::Harness;

namespace
{

const QString kDikkat = QStringLiteral("Dikkat!!");

void addAccount(Harness &h, const QString &number, const QString &bank = QStringLiteral("Ziraat"),
                const QString &type = QStringLiteral("Vadesiz"), double giren = 0)
{
    QVERIFY(h.insert(QStringLiteral("banka"), {{QStringLiteral("Banka"), bank},
                                               {QStringLiteral("Sube"), QStringLiteral("Merkez")},
                                               {QStringLiteral("SubeKod"), QStringLiteral("01")},
                                               {QStringLiteral("HesapNo"), number},
                                               {QStringLiteral("Giren"), giren},
                                               {QStringLiteral("Cikan"), 0.0},
                                               {QStringLiteral("Bakiye"), 0.0},
                                               {QStringLiteral("HesapTuru"), type}}));
}

void addMove(Harness &h, const QString &account, const QDate &date, const QString &time, const QString &kind,
             const QVariant &giren, const QVariant &cikan, const QString &number = QString())
{
    QVERIFY(h.insert(QStringLiteral("banka2"),
                     {{QStringLiteral("Banka_Kodu"), account},
                      {QStringLiteral("Tarih"), date.toString(Qt::ISODate)},
                      {QStringLiteral("Saat"), time},
                      {QStringLiteral("Turu"), kind},
                      {QStringLiteral("Aciklama"), kind.toLower()},
                      {QStringLiteral("Giren"), giren},
                      {QStringLiteral("Cikan"), cikan},
                      {QStringLiteral("islemNo"), number},
                      {QStringLiteral("Tarih2"), date.toString(QStringLiteral("yyyyMMdd"))}}));
}

// The bank's customers carry no currency.
const QVariantMap kNoCurrency{{QStringLiteral("ParaTuru"), QVariant()}};

void pick(QComboBox *combo, const QString &text)
{
    const int i = combo->findText(text);
    QVERIFY2(i >= 0, qPrintable(text));
    combo->setCurrentIndex(i);
    emit combo->activated(i);
}

// The main window's "Banka" with the user's rights level, as the login left it.
Banka1 &openAccounts(Harness &h, const QString &rights = QStringLiteral("0"))
{
    veresiye &m = pv::form<veresiye>();
    m.Show();
    Harness::settle();
    m.txtYetki = rights;
    h.click(m.btnBanka);
    Harness::settle();
    return pv::form<Banka1>();
}

QStringList column(QTableView *grid, int col)
{
    QStringList out;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        out << grid->model()->index(r, col).data().toString();
    return out;
}

QStringList totals(Banka2 &w)
{
    return {w.VornXPTextBox2->text(), w.VornXPTextBox3->text(), w.VornXPTextBox4->text()};
}

// Opens the movements of the list's row and runs the test inside the modal window; the
// action ends it (" Geri" or the close box).
void inMovements(Harness &h, Banka1 &b, int row, const std::function<void(Banka2 &)> &action)
{
    h.onModal<Banka2>(action);
    b.DBGrid1->selectRow(row);
    h.click(b.btnHrktAc);
    Harness::settle();
}

// Types over what a box holds.
void retype(Harness &h, QLineEdit *box, const QString &text)
{
    box->clear();
    h.type(box, text);
}

} // namespace

class TestBank : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }
    void cleanup() { pv::discardAllForms(true); }

    void mainWindowButton();
    void commandStates_data();
    void commandStates();
    void addingAccounts_data();
    void addingAccounts();
    void viewEditSaveAndCancel();
    void renameWithMovementsRefused();
    void deleteAccount();
    void searches_data();
    void searches();
    void sortPickThenSearch();
    void openMovementsHandsOver();
    void openMovementsNeedsAnAccount();

    void totalsShownAndStored();
    void deleteMovement();
    void geriShowsNewTotals();
    void crossedDatesWarn();

    void posting_data();
    void posting();
    void bracketedAmount();
    void badAmountRefused_data();
    void badAmountRefused();
    void failureLeavesNothing();
    void numbersFollowTheCashBook();
    void customerPicker();
    void totalsClearOfPanels_data();
    void totalsClearOfPanels();

    void rangeQueries_data();
    void rangeQueries();
    void kindQuery();
    void numberQuery();
    void descendingDateTime();
};

// ---------------------------------------------------------------- the way in

void TestBank::mainWindowButton()
{
    Harness h;
    veresiye &m = pv::form<veresiye>();
    m.Show();
    Harness::settle();
    QVERIFY(m.btnBanka->isVisible());
    // The top row: eight commands side by side, clear of the filter area.
    QList<BvButton *> row{m.KasaBtn, m.stokbut,   m.btnBanka,  m.VornXPButton11,
                          m.rapbut,  m.BvButton4, m.BvButton5, m.ayarbtn};
    for (int i = 1; i < row.size(); ++i)
        QVERIFY2(row.at(i - 1)->geometry().right() < row.at(i)->geometry().left(),
                 qPrintable(row.at(i)->objectName()));
    QVERIFY(m.ayarbtn->geometry().right() < m.BvButton3->geometry().left());
    QVERIFY(m.stokbut->geometry().right() < m.btnBanka->geometry().left());

    m.menukitle();
    QVERIFY(!m.btnBanka->Enabled());
    m.menukilitac();
    QVERIFY(m.btnBanka->Enabled());

    Banka1 &b = openAccounts(h, QStringLiteral("1"));
    QVERIFY(b.isVisible());
    QVERIFY(!b.isShownModal());
    QCOMPARE(b.Caption(), QStringLiteral("Banka Hesapları"));
    QCOMPARE(b.txtYetki.text(), QStringLiteral("1"));
}

// ---------------------------------------------------------------- accounts window

void TestBank::commandStates_data()
{
    QTest::addColumn<QString>("rights");
    QTest::addColumn<bool>("filled");
    QTest::addColumn<bool>("edit"); // " Düzenle" and " Seçili Bankayı Sil"
    QTest::addColumn<bool>("open");
    QTest::newRow("1, empty") << "1" << false << false << false;
    QTest::newRow("1, filled") << "1" << true << false << true;
    QTest::newRow("0, empty") << "0" << false << true << false;
    QTest::newRow("0, filled") << "0" << true << true << true;
    QTest::newRow("none, empty") << "" << false << false << false;
    QTest::newRow("none, filled") << "" << true << true << true;
}

void TestBank::commandStates()
{
    QFETCH(QString, rights);
    QFETCH(bool, filled);
    QFETCH(bool, edit);
    QFETCH(bool, open);
    Harness h;
    if (filled)
        addAccount(h, QStringLiteral("TR-1"));
    Banka1 &b = openAccounts(h, rights);
    QCOMPARE(b.btnBankEdit->Enabled(), edit);
    QCOMPARE(b.btnBankSil->Enabled(), edit);
    QCOMPARE(b.btnHrktAc->Enabled(), open);
    QVERIFY(b.btnBankEkle->Enabled());
}

void TestBank::addingAccounts_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::newRow("empty number") << ""
                                  << "Hesap No Yazın" << kDikkat;
    QTest::newRow("another account's, other case") << "tr-ıi"
                                                   << "Bu kayıt Mevcut"
                                                   << "Dikkat";
    QTest::newRow("good") << "TR-2"
                          << ""
                          << "";
}

void TestBank::addingAccounts()
{
    QFETCH(QString, number);
    QFETCH(QString, message);
    QFETCH(QString, title);
    Harness h;
    addAccount(h, QStringLiteral("TR-Iİ"));
    Banka1 &b = openAccounts(h);
    h.click(b.btnBankEkle);
    QVERIFY(b.frmBankaEkle->isVisible());
    QCOMPARE(b.frmBankaEkle->Caption(), QStringLiteral("Banka Ekle"));
    QVERIFY(!b.DBGrid1->isEnabled());
    h.type(b.xpText1, QStringLiteral("Kuveyt Türk"));
    h.type(b.xpText2, QStringLiteral("Çarşı"));
    h.type(b.xpText3, QStringLiteral("77"));
    h.type(b.xpText4, number);
    h.type(b.xpText5, QStringLiteral("Vadeli"));
    if (!message.isEmpty())
        h.expectMsgBox(message, pv::vbExclamation, title);
    h.click(b.btnOnay);
    Harness::settle();
    if (!message.isEmpty()) {
        QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM banka")).toInt(), 1);
        QVERIFY(b.frmBankaEkle->isVisible());
        QCOMPARE(b.xpText1->text(), QStringLiteral("Kuveyt Türk"));
        QCOMPARE(b.xpText4->text(), number);
        return;
    }
    QCOMPARE(h.rows(QStringLiteral(
                 "SELECT Banka, Sube, SubeKod, HesapNo, Giren, Cikan, Bakiye, HesapTuru FROM banka "
                 "ORDER BY id DESC LIMIT 1")),
             (QList<QVariantList>{{QStringLiteral("Kuveyt Türk"), QStringLiteral("Çarşı"),
                                   QStringLiteral("77"), number, 0.0, 0.0, 0.0, QStringLiteral("Vadeli")}}));
    QVERIFY(!b.frmBankaEkle->isVisible());
    QVERIFY(b.DBGrid1->isEnabled());
    QVERIFY(b.xpText1->text().isEmpty());
    QCOMPARE(column(b.DBGrid1, 0), (QStringList{QStringLiteral("TR-Iİ"), number}));
}

void TestBank::viewEditSaveAndCancel()
{
    Harness h;
    addAccount(h, QStringLiteral("TR-1"), QStringLiteral("Ziraat"));
    Banka1 &b = openAccounts(h);
    h.click(b.btnBankEdit);
    QCOMPARE(b.frmBankaEkle->Caption(), QStringLiteral("Banka Düzenle"));
    QVERIFY(b.xpText1d->isVisible());
    QVERIFY(!b.xpText1d->isEnabled());
    QVERIFY(!b.xpText1->isVisible());
    QVERIFY(b.btnDuzEdit->isVisible());
    QVERIFY(!b.btnOnay->isVisible());
    QVERIFY(!b.DBGrid1->isEnabled());
    QCOMPARE(b.xpText1d->text(), QStringLiteral("Ziraat"));

    // Editing, then " Vazgeç": the row and the boxes are as stored.
    h.click(b.btnDuzEdit);
    QVERIFY(b.xpText1d->isEnabled());
    QVERIFY(b.btnDuzKaydet->isVisible());
    retype(h, b.xpText1d, QStringLiteral("Yanlış"));
    h.click(b.btnDuzVazgec);
    QVERIFY(!b.frmBankaEkle->isVisible());
    QCOMPARE(h.value(QStringLiteral("SELECT Banka FROM banka")).toString(), QStringLiteral("Ziraat"));
    QCOMPARE(b.xpText1d->text(), QStringLiteral("Ziraat"));

    // Editing and saving.
    h.click(b.btnBankEdit);
    h.click(b.btnDuzEdit);
    retype(h, b.xpText1d, QStringLiteral("Ziraat Bankası"));
    retype(h, b.xpText4d, QStringLiteral("TR-9"));
    h.click(b.btnDuzKaydet);
    Harness::settle();
    QCOMPARE(h.rows(QStringLiteral("SELECT Banka, HesapNo FROM banka")),
             (QList<QVariantList>{{QStringLiteral("Ziraat Bankası"), QStringLiteral("TR-9")}}));
    QVERIFY(!b.frmBankaEkle->isVisible());
    QVERIFY(!b.xpText1d->isVisibleTo(b.frmBankaEkle));
    QVERIFY(b.xpText1->isVisibleTo(b.frmBankaEkle));
    QVERIFY(b.btnOnay->isVisibleTo(b.frmBankaEkle));
    QVERIFY(!b.btnDuzKaydet->isVisibleTo(b.frmBankaEkle));
    QVERIFY(b.DBGrid1->isEnabled());
    QCOMPARE(column(b.DBGrid1, 2), QStringList{QStringLiteral("Ziraat Bankası")});

    // " Banka Ekle" while viewing leaves the viewing state cleanly.
    h.click(b.btnBankEdit);
    h.click(b.btnBankEkle);
    QCOMPARE(b.frmBankaEkle->Caption(), QStringLiteral("Banka Ekle"));
    QVERIFY(b.xpText1->isVisible());
    QVERIFY(!b.xpText1d->isVisible());
    QVERIFY(b.btnOnay->isVisible());
    QVERIFY(!b.btnDuzEdit->isVisible());
}

void TestBank::renameWithMovementsRefused()
{
    Harness h;
    addAccount(h, QStringLiteral("TR-1"));
    addMove(h, QStringLiteral("TR-1"), QDate(2026, 12, 1), QStringLiteral("10:00:00"),
            QStringLiteral("Genel Gider"), QVariant(), 5.0);
    Banka1 &b = openAccounts(h);
    h.click(b.btnBankEdit);
    h.click(b.btnDuzEdit);
    retype(h, b.xpText4d, QStringLiteral("TR-2"));
    h.expectMsgBox(QStringLiteral("Seçili Banka Hareket Görmüş, Hesap No DEĞİŞTİRİLEMEZ."), pv::vbInformation,
                   QStringLiteral("Bilgi"));
    h.click(b.btnDuzKaydet);
    QCOMPARE(h.value(QStringLiteral("SELECT HesapNo FROM banka")).toString(), QStringLiteral("TR-1"));
    QVERIFY(b.frmBankaEkle->isVisible());
    QCOMPARE(b.xpText4d->text(), QStringLiteral("TR-2"));
    // The other fields may still change.
    retype(h, b.xpText4d, QStringLiteral("TR-1"));
    retype(h, b.xpText5d, QStringLiteral("Vadeli"));
    h.click(b.btnDuzKaydet);
    QCOMPARE(h.value(QStringLiteral("SELECT HesapTuru FROM banka")).toString(), QStringLiteral("Vadeli"));
}

void TestBank::deleteAccount()
{
    Harness h;
    addAccount(h, QStringLiteral("TR-1"), QStringLiteral("Ziraat"));
    addAccount(h, QStringLiteral("TR-2"), QStringLiteral("Garanti"));
    // Only withdrawals: the stored money-in total is zero.
    addMove(h, QStringLiteral("TR-1"), QDate(2026, 12, 1), QStringLiteral("10:00:00"),
            QStringLiteral("Genel Gider"), QVariant(), 5.0);
    Banka1 &b = openAccounts(h);
    b.DBGrid1->selectRow(0);
    h.expectMsgBox(QStringLiteral("Seçili Banka Hareket Görmüş SİLİNEMEZ."), pv::vbInformation,
                   QStringLiteral("Bilgi"));
    h.click(b.btnBankSil);
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM banka")).toInt(), 2);

    b.DBGrid1->selectRow(1);
    const QString question = QStringLiteral("SEÇİLİ BANKA SİLİNECEKTİR. EMİN MİSİNİZ?");
    h.expectMsgBox(question, pv::vbYesNo | pv::vbQuestion, QStringLiteral("KAYIT SİL"), pv::vbNo);
    h.click(b.btnBankSil);
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM banka")).toInt(), 2);
    b.DBGrid1->selectRow(1);
    h.expectMsgBox(question, pv::vbYesNo | pv::vbQuestion, QStringLiteral("KAYIT SİL"), pv::vbYes);
    h.click(b.btnBankSil);
    QCOMPARE(h.rows(QStringLiteral("SELECT HesapNo FROM banka")),
             (QList<QVariantList>{{QStringLiteral("TR-1")}}));
    QCOMPARE(column(b.DBGrid1, 0), QStringList{QStringLiteral("TR-1")});
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM banka2")).toInt(), 1);
}

void TestBank::searches_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("type, Turkish case")
        << "Hesap Türü İle Sorgu"
        << "vadesiz" << QStringList{QStringLiteral("TR-1"), QStringLiteral("TR-3")};
    QTest::newRow("bank, apostrophe") << "Banka Adı İle Sorgu"
                                      << "Kuveyt'in Şubesi" << QStringList{QStringLiteral("TR-2")};
    QTest::newRow("number, equality") << "Hesap No İle Sorgu"
                                      << "TR" << QStringList{};
    QTest::newRow("number, wildcard is literal") << "Hesap No İle Sorgu"
                                                 << "TR*" << QStringList{};
    QTest::newRow("number") << "Hesap No İle Sorgu"
                            << "tr-3" << QStringList{QStringLiteral("TR-3")};
}

void TestBank::searches()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    Harness h;
    addAccount(h, QStringLiteral("TR-1"), QStringLiteral("Ziraat"), QStringLiteral("VADESİZ"));
    addAccount(h, QStringLiteral("TR-2"), QStringLiteral("Kuveyt'in Şubesi"), QStringLiteral("Vadeli"));
    addAccount(h, QStringLiteral("TR-3"), QStringLiteral("Akbank"), QStringLiteral("Vadesiz"));
    Banka1 &b = openAccounts(h);
    pick(b.xpCombo2, field);
    QCOMPARE(b.frmB->Caption(), field);
    BvButton *ara = field.startsWith(QStringLiteral("Hesap Türü")) ? b.btnaAra1
                    : field.startsWith(QStringLiteral("Banka"))    ? b.btnaAra2
                                                                   : b.btnaAra3;
    QVERIFY(ara->isVisible());
    h.type(b.xpText14, text);
    h.click(ara);
    QCOMPARE(column(b.DBGrid1, 0), found);
}

void TestBank::sortPickThenSearch()
{
    Harness h;
    addAccount(h, QStringLiteral("TR-1"), QStringLiteral("Akbank"));
    addAccount(h, QStringLiteral("TR-2"), QStringLiteral("Ziraat"));
    addAccount(h, QStringLiteral("TR-3"), QStringLiteral("Çağ Bank"));
    Banka1 &b = openAccounts(h);
    pick(b.xpCombo3, QStringLiteral("Banka Adı"));
    pick(b.xpCombo5, QStringLiteral("Azalan"));
    QCOMPARE(b.txtSirala3.text(), QStringLiteral("Banka desc"));
    // A pick alone does not reorder the list.
    QCOMPARE(column(b.DBGrid1, 0),
             (QStringList{QStringLiteral("TR-1"), QStringLiteral("TR-2"), QStringLiteral("TR-3")}));
    h.type(b.xpText14, QStringLiteral("Vadesiz"));
    h.click(b.btnaAra1);
    QCOMPARE(column(b.DBGrid1, 2),
             (QStringList{QStringLiteral("Ziraat"), QStringLiteral("Çağ Bank"), QStringLiteral("Akbank")}));
}

void TestBank::openMovementsHandsOver()
{
    Harness h;
    addAccount(h, QStringLiteral("TR-1"), QStringLiteral("Ziraat"), QStringLiteral("Vadesiz"));
    addAccount(h, QStringLiteral("TR-2"), QStringLiteral("Garanti"), QStringLiteral("Vadeli"));
    Banka1 &b = openAccounts(h, QStringLiteral("1"));
    QStringList seen;
    h.onModal<Banka2>([&](Banka2 &w) {
        seen << w.Banka_Kodu.text() << w.Caption() << w.txtYetki.text();
        pv::Unload(w, pv::Form::FormControlMenu);
    });
    b.DBGrid1->selectRow(1);
    QTest::mouseDClick(b.DBGrid1->viewport(), Qt::LeftButton, Qt::NoModifier,
                       b.DBGrid1->visualRect(b.DBGrid1->model()->index(1, 0)).center());
    Harness::settle();
    QCOMPARE(seen,
             (QStringList{QStringLiteral("TR-2"), QStringLiteral("Vadeli Garanti"), QStringLiteral("1")}));
}

void TestBank::openMovementsNeedsAnAccount()
{
    Harness h;
    Banka1 &b = openAccounts(h);
    b.btnHrktAc_Click(); // an unexpected modal window would fail the test
    b.DBGrid1_DblClick();
    addAccount(h, QString(), QStringLiteral("Numarasız"));
    b.Data4->Refresh();
    QCOMPARE(b.Data4->Recordset().RecordCount(), 1);
    b.btnHrktAc_Click();
    QVERIFY(!pv::isLoaded<Banka2>());
}

// ---------------------------------------------------------------- movements window

void TestBank::totalsShownAndStored()
{
    Harness h;
    addAccount(h, QStringLiteral("TR-1"));
    addAccount(h, QStringLiteral("TR-1"), QStringLiteral("Aynı No")); // a duplicate kept from before
    addMove(h, QStringLiteral("TR-1"), QDate(2026, 12, 1), QStringLiteral("10:00:00"),
            QStringLiteral("Genel Gelir"), 600.004, QVariant());
    addMove(h, QStringLiteral("tr-1"), QDate(2026, 12, 2), QStringLiteral("10:00:00"),
            QStringLiteral("Genel Gelir"), 400.0, QVariant());
    addMove(h, QStringLiteral("TR-1"), QDate(2026, 12, 3), QStringLiteral("10:00:00"),
            QStringLiteral("Genel Gider"), QVariant(), 1500.0);
    Banka1 &b = openAccounts(h, QStringLiteral("1"));
    QStringList shown;
    bool deleteEnabled = true;
    inMovements(h, b, 0, [&](Banka2 &w) {
        shown = totals(w);
        deleteEnabled = w.btnSil->Enabled();
        QCOMPARE(column(w.DBGrid1, 0).first(), QStringLiteral("01.12.2026"));
        h.click(w.btnGeri);
    });
    QCOMPARE(shown, (QStringList{QStringLiteral("1.000,00"), QStringLiteral("1.500,00"),
                                 QStringLiteral("-500,00")}));
    QVERIFY(!deleteEnabled); // rights "1"
    QCOMPARE(h.rows(QStringLiteral("SELECT Giren, Cikan, Bakiye FROM banka ORDER BY id")),
             (QList<QVariantList>{{1000.0, 1500.0, -500.0}, {0.0, 0.0, 0.0}}));
}

void TestBank::deleteMovement()
{
    Harness h;
    addAccount(h, QStringLiteral("TR-1"));
    Banka1 &b = openAccounts(h);
    inMovements(h, b, 0, [&](Banka2 &w) {
        QCOMPARE(totals(w),
                 (QStringList{QStringLiteral("0,00"), QStringLiteral("0,00"), QStringLiteral("0,00")}));
        w.mnubankPY->trigger();
        h.type(w.xpText5, QStringLiteral("kira"));
        h.type(w.xpText6, QStringLiteral("250"));
        h.click(w.btnOnay);
        QCOMPARE(totals(w),
                 (QStringList{QStringLiteral("250,00"), QStringLiteral("0,00"), QStringLiteral("250,00")}));
        w.DBGrid1->selectRow(0);
        h.expectMsgBox(QStringLiteral("SEÇİLİ SATIR SİLİNECEKTİR. EMİN MİSİNİZ?"),
                       pv::vbYesNo | pv::vbQuestion, QStringLiteral("KAYIT SİL"), pv::vbYes);
        h.click(w.btnSil);
        QCOMPARE(totals(w),
                 (QStringList{QStringLiteral("0,00"), QStringLiteral("0,00"), QStringLiteral("0,00")}));
        QCOMPARE(w.DBGrid1->model()->rowCount(), 0);
        h.click(w.btnGeri);
    });
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM banka2")).toInt(), 0);
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM kasa")).toInt(), 1);
    QCOMPARE(h.value(QStringLiteral("SELECT Giren FROM banka")).toDouble(), 0.0);
}

void TestBank::geriShowsNewTotals()
{
    Harness h;
    addAccount(h, QStringLiteral("TR-1"));
    addAccount(h, QStringLiteral("TR-2"));
    addMove(h, QStringLiteral("TR-2"), QDate(2026, 12, 1), QStringLiteral("10:00:00"),
            QStringLiteral("Genel Gelir"), 75.5, QVariant());
    Banka1 &b = openAccounts(h);
    // The close box stores the last totals but leaves the list as it was.
    inMovements(h, b, 1, [&](Banka2 &w) { pv::Unload(w, pv::Form::FormControlMenu); });
    QCOMPARE(b.DBGrid1->model()->index(1, 3).data().toString(), QStringLiteral("0"));
    inMovements(h, b, 1, [&](Banka2 &w) { h.click(w.btnGeri); });
    QCOMPARE(b.DBGrid1->model()->index(1, 3).data().toString(), QStringLiteral("75,5"));
    QCOMPARE(b.DBGrid1->model()->index(1, 5).data().toString(), QStringLiteral("75,5"));
}

void TestBank::crossedDatesWarn()
{
    Harness h;
    addAccount(h, QStringLiteral("TR-1"), QStringLiteral("Ziraat"), QStringLiteral("Vadesiz"));
    Banka1 &b = openAccounts(h);
    inMovements(h, b, 0, [&](Banka2 &w) {
        h.expectMsgBox(QStringLiteral("İlk Tarih Son Tarihten Gün Olarak Büyük "), pv::vbExclamation,
                       QStringLiteral("Vadesiz Ziraat"));
        w.ilk->setDate(QDate(2026, 12, 11));
        h.expectMsgBox(QStringLiteral("İlk Tarih Son Tarihten Gün Olarak Büyük "), pv::vbExclamation,
                       QStringLiteral("Vadesiz Ziraat"));
        w.son2->setDate(QDate(2026, 12, 9));
        h.click(w.btnGeri);
    });
}

// ---------------------------------------------------------------- posting

void TestBank::posting_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("moneyIn");
    QTest::addColumn<QString>("mirror");
    QTest::newRow("Para Yatırma") << "mnubankPY"
                                  << "Bankaya Yatırılan" << true << "kasa";
    QTest::newRow("Para Çekme") << "mnubankPC"
                                << "Bankadan Çekilen" << false << "kasa";
    QTest::newRow("Gelen Havale") << "mnubankGlnHE"
                                  << "Gelen Havale / Eft" << true << "veresiye";
    QTest::newRow("Gönderilen Havale") << "mnubankGdnHE"
                                       << "Gönderilen Havale / Eft" << false << "veresiye";
    QTest::newRow("Kart Tahsilat") << "mnubankKT"
                                   << "Kredi Kartı İle Tahsilat" << true << "veresiye";
    QTest::newRow("Kart Ödeme") << "mnubankKO"
                                << "Kredi Kartı İle Ödeme" << false << "veresiye";
    QTest::newRow("Genel Gelir") << "mnuGGelir"
                                 << "Genel Gelir" << true << "";
    QTest::newRow("Genel Gider") << "mnuGGider"
                                 << "Genel Gider" << false << "";
}

void TestBank::posting()
{
    QFETCH(QString, item);
    QFETCH(QString, stored);
    QFETCH(bool, moneyIn);
    QFETCH(QString, mirror);
    const bool customer = mirror == QLatin1String("veresiye");
    Harness h;
    QVERIFY(h.exec(QStringLiteral("UPDATE son_islemno SET islemno = 57")));
    addAccount(h, QStringLiteral("TR-1"));
    addCustomer(h, QStringLiteral("12"), QStringLiteral("Çınar Ticaret"), kNoCurrency);
    Banka1 &b = openAccounts(h);
    inMovements(h, b, 0, [&](Banka2 &w) {
        // A customer picked for an earlier movement must not reach a cash row.
        w.btnSec_Click();
        w.DBGrid6->selectRow(0);
        w.btnCariSec_Click();
        QCOMPARE(w.mkodu.text(), QStringLiteral("12"));

        w.findChild<QAction *>(item)->trigger();
        QVERIFY(w.frmBankaEkle->isVisible());
        QCOMPARE(w.frmBankaEkle->Caption(), stored + QStringLiteral(" (Yeni)"));
        QCOMPARE(w.xpText4->isVisibleTo(w.frmBankaEkle), customer);
        QCOMPARE(w.btnOnay->Enabled(), !customer);
        QCOMPARE(w.frmBankaEkle->height(), customer ? 289 : 257);
        QCOMPARE(w.xpText3->text(), QStringLiteral("58"));
        QCOMPARE(w.xpText2->text(), QStringLiteral("10:00:00"));
        if (customer) {
            h.click(w.btnSec);
            w.DBGrid6->selectRow(0);
            h.click(w.btnCariSec);
            QVERIFY(w.btnOnay->Enabled());
            QCOMPARE(w.xpText4->text(), QStringLiteral("Çınar Ticaret"));
            QCOMPARE(w.xpText4->cursorPosition(), 0); // a long name shows its start
        }
        w.xpText1->setDate(QDate(2026, 12, 8));
        h.type(w.xpText5, QStringLiteral("kira"));
        h.type(w.xpText6, QStringLiteral("1234,5"));
        w.xpText6_LostFocus();
        QCOMPARE(w.xpText6->text(), QStringLiteral("1.234,50"));
        h.click(w.btnOnay);
        QVERIFY(!w.frmBankaEkle->isVisible());
        QVERIFY(w.xpText6->text().isEmpty());
        QCOMPARE(w.DBGrid1->model()->rowCount(), 1);
        QCOMPARE(moneyIn ? w.VornXPTextBox2->text() : w.VornXPTextBox3->text(), QStringLiteral("1.234,50"));
        h.click(w.btnGeri);
    });
    const auto bank =
        h.rows(QStringLiteral("SELECT Banka_Kodu, Tarih, Turu, Giren, Cikan, islemNo, Tarih2, mus_kodu "
                              "FROM banka2"));
    const QVariant amount(1234.5);
    QCOMPARE(bank, (QList<QVariantList>{{QStringLiteral("TR-1"), QStringLiteral("2026-12-08"), stored,
                                         moneyIn ? amount : QVariant(), moneyIn ? QVariant() : amount,
                                         QStringLiteral("58"), QStringLiteral("20261208"),
                                         customer ? QVariant(QStringLiteral("12")) : QVariant()}}));
    QCOMPARE(h.value(QStringLiteral("SELECT islemno FROM son_islemno")).toLongLong(), qint64(58));
    const auto cash =
        h.rows(QStringLiteral("SELECT mus_kodu, Tarih, Tur, Aciklama, Giren, Cikan, islemNo, islemNo2, "
                              "OdemeSekli FROM kasa"));
    const auto ledger = h.rows(QStringLiteral(
        "SELECT Tarih, Turu, Aciklama, Eklenen, Odenen, Tarih2, islemNo2, mus_kodu FROM veresiye"));
    if (mirror == QLatin1String("kasa"))
        QCOMPARE(cash, (QList<QVariantList>{{QStringLiteral("0"), QStringLiteral("08.12.2026"),
                                             moneyIn ? QStringLiteral("Çıkan") : QStringLiteral("Giren"),
                                             stored + QStringLiteral(" / kira"),
                                             moneyIn ? QVariant() : amount, moneyIn ? amount : QVariant(),
                                             QStringLiteral("58"), stored, QStringLiteral("Banka")}}));
    else
        QVERIFY(cash.isEmpty());
    if (customer)
        QCOMPARE(ledger, (QList<QVariantList>{{QStringLiteral("08.12.2026"), QStringLiteral("Bankaya Yatan"),
                                               QStringLiteral("Fiş No: [58] / kira"),
                                               moneyIn ? QVariant() : amount, moneyIn ? amount : QVariant(),
                                               QStringLiteral("20261208"), stored, QStringLiteral("12")}}));
    else
        QVERIFY(ledger.isEmpty());
}

void TestBank::bracketedAmount()
{
    Harness h;
    addAccount(h, QStringLiteral("TR-1"));
    Banka1 &b = openAccounts(h);
    inMovements(h, b, 0, [&](Banka2 &w) {
        w.mnubankPC->trigger();
        h.type(w.xpText6, QStringLiteral("-50"));
        w.xpText6_LostFocus();
        QCOMPARE(w.xpText6->text(), QStringLiteral("(50,00)"));
        h.click(w.btnOnay);
        h.click(w.btnGeri);
    });
    QCOMPARE(h.rows(QStringLiteral("SELECT Giren, Cikan FROM banka2")),
             (QList<QVariantList>{{QVariant(), -50.0}}));
    QCOMPARE(h.rows(QStringLiteral("SELECT Giren, Cikan FROM kasa")),
             (QList<QVariantList>{{-50.0, QVariant()}}));
}

void TestBank::badAmountRefused_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << ""
                           << "Tutarı Girin.";
    QTest::newRow("abc") << "abc"
                         << "Tutar geçerli bir sayı olmalıdır (ör. 1.234,50).";
    QTest::newRow("too large") << "1.000.000.000.000"
                               << "Tutar en fazla 999.999.999.999,99 olabilir.";
}

void TestBank::badAmountRefused()
{
    QFETCH(QString, amount);
    QFETCH(QString, message);
    Harness h;
    addAccount(h, QStringLiteral("TR-1"));
    Banka1 &b = openAccounts(h);
    inMovements(h, b, 0, [&](Banka2 &w) {
        w.mnubankPY->trigger();
        h.type(w.xpText6, amount);
        h.expectMsgBox(message, pv::vbExclamation, kDikkat);
        h.click(w.btnOnay);
        QVERIFY(w.frmBankaEkle->isVisible());
        QCOMPARE(w.focusWidget(), w.xpText6);
        // Zero is a movement like any other.
        retype(h, w.xpText6, QStringLiteral("0"));
        h.click(w.btnOnay);
        QVERIFY(!w.frmBankaEkle->isVisible());
        h.click(w.btnGeri);
    });
    QCOMPARE(h.rows(QStringLiteral("SELECT Giren FROM banka2")), (QList<QVariantList>{{0.0}}));
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM kasa")).toInt(), 1);
}

void TestBank::failureLeavesNothing()
{
    Harness h;
    QVERIFY(h.exec(QStringLiteral("UPDATE son_islemno SET islemno = 9")));
    QVERIFY(h.exec(QStringLiteral(
        "CREATE TRIGGER no_cash BEFORE INSERT ON kasa BEGIN SELECT RAISE(ABORT, 'kasa kilitli'); END")));
    addAccount(h, QStringLiteral("TR-1"));
    Banka1 &b = openAccounts(h);
    inMovements(h, b, 0, [&](Banka2 &w) {
        w.mnubankPY->trigger();
        h.type(w.xpText5, QStringLiteral("kira"));
        h.type(w.xpText6, QStringLiteral("100"));
        h.expectMsgBoxContaining(
            QStringLiteral("Banka hareketi kaydedilemedi; hiçbir kayıt değiştirilmedi.\n"));
        h.click(w.btnOnay);
        QCOMPARE(h.msgBoxes().last().title, QStringLiteral("Hata"));
        QVERIFY(h.msgBoxes().last().text.contains(QStringLiteral("kasa kilitli")));
        QVERIFY(w.frmBankaEkle->isVisible());
        QCOMPARE(w.xpText5->text(), QStringLiteral("kira"));
        QCOMPARE(w.xpText3->text(), QStringLiteral("10"));
        h.click(w.btnVazgec);
        h.click(w.btnGeri);
    });
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM banka2")).toInt(), 0);
    QCOMPARE(h.value(QStringLiteral("SELECT islemno FROM son_islemno")).toInt(), 9);
}

void TestBank::numbersFollowTheCashBook()
{
    Harness h;
    QVERIFY(h.exec(QStringLiteral("UPDATE son_islemno SET islemno = 20")));
    addAccount(h, QStringLiteral("TR-1"));
    Banka1 &b = openAccounts(h);
    inMovements(h, b, 0, [&](Banka2 &w) {
        w.mnuGGelir->trigger();
        QCOMPARE(w.xpText3->text(), QStringLiteral("21"));
        h.type(w.xpText6, QStringLiteral("1"));
        h.click(w.btnOnay);
        // The cash book takes the next number while this window stays open.
        pv::Database db;
        QVERIFY(db.open(h.databasePath()));
        {
            pv::ledger::LedgerTransaction t(db);
            QVERIFY(pv::ledger::takeReceiptNumber(
                t, db, QString::number(pv::ledger::offerReceiptNumber(db).value_or(0))));
            QVERIFY(t.commit());
        }
        w.mnuGGider->trigger();
        QCOMPARE(w.xpText3->text(), QStringLiteral("23"));
        // A hand-typed number lower than the counter becomes the counter.
        retype(h, w.xpText3, QStringLiteral("5"));
        h.type(w.xpText6, QStringLiteral("1"));
        h.click(w.btnOnay);
        w.mnuGGider->trigger();
        QCOMPARE(w.xpText3->text(), QStringLiteral("6"));
        h.click(w.btnVazgec);
        h.click(w.btnGeri);
    });
    QCOMPARE(h.rows(QStringLiteral("SELECT islemNo FROM banka2 ORDER BY id")),
             (QList<QVariantList>{{QStringLiteral("21")}, {QStringLiteral("5")}}));
}

void TestBank::customerPicker()
{
    Harness h;
    addAccount(h, QStringLiteral("TR-1"));
    addCustomer(h, QStringLiteral("12"), QStringLiteral("Çınar Ticaret"), kNoCurrency);
    addCustomer(h, QStringLiteral("120"), QStringLiteral("İpek Tekstil"), kNoCurrency);
    addCustomer(h, QStringLiteral("7"), QStringLiteral("ılgaz"), kNoCurrency);
    addCustomer(h, QStringLiteral("8"), QStringLiteral("Cam Evi"), kNoCurrency);
    addCustomer(h, QStringLiteral("9"), QStringLiteral("50% Market"), kNoCurrency);
    Banka1 &b = openAccounts(h);
    inMovements(h, b, 0, [&](Banka2 &w) {
        w.mnubankKT->trigger();
        QVERIFY(!w.btnOnay->Enabled());
        h.type(w.xpText6, QStringLiteral("10"));
        h.click(w.btnSec);
        QVERIFY(w.frmmusteri->isVisible());
        h.type(w.VxpText4, QStringLiteral("ç"));
        QCOMPARE(column(w.DBGrid6, 1), QStringList{QStringLiteral("Çınar Ticaret")});
        retype(h, w.VxpText4, QStringLiteral("i"));
        QCOMPARE(column(w.DBGrid6, 1), QStringList{QStringLiteral("İpek Tekstil")});
        retype(h, w.VxpText4, QStringLiteral("I"));
        QCOMPARE(column(w.DBGrid6, 1), QStringList{QStringLiteral("ılgaz")});
        retype(h, w.VxpText4, QStringLiteral("5_%"));
        QCOMPARE(column(w.DBGrid6, 1), QStringList{});
        retype(h, w.VxpText4, QStringLiteral("50%"));
        QCOMPARE(column(w.DBGrid6, 1), QStringList{QStringLiteral("50% Market")});
        w.VxpText4->clear();
        h.type(w.xpText17, QStringLiteral("12"));
        QCOMPARE(column(w.DBGrid6, 0), (QStringList{QStringLiteral("12"), QStringLiteral("120")}));
        retype(h, w.xpText17, QStringLiteral("x"));
        // No current row: choosing does nothing.
        h.click(w.btnCariSec);
        QVERIFY(w.frmmusteri->isVisible());
        QVERIFY(!w.btnOnay->Enabled());
        retype(h, w.xpText17, QStringLiteral("120"));
        QTest::mouseDClick(w.DBGrid6->viewport(), Qt::LeftButton, Qt::NoModifier,
                           w.DBGrid6->visualRect(w.DBGrid6->model()->index(0, 1)).center());
        Harness::settle();
        QVERIFY(!w.frmmusteri->isVisible());
        QVERIFY(w.xpText17->text().isEmpty());
        QCOMPARE(w.xpText4->text(), QStringLiteral("İpek Tekstil"));
        QVERIFY(w.btnOnay->Enabled());
        QCOMPARE(w.focusWidget(), w.xpText6);
        h.click(w.btnOnay);
        // The next customer kind waits for a pick again.
        w.mnubankKO->trigger();
        QVERIFY(!w.btnOnay->Enabled());
        h.click(w.btnVazgec);
        h.click(w.btnGeri);
    });
    QCOMPARE(h.value(QStringLiteral("SELECT mus_kodu FROM veresiye")).toString(), QStringLiteral("120"));
}

void TestBank::totalsClearOfPanels_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("customer");
    QTest::addColumn<bool>("picker"); // the customer picker opened from the entry too
    const struct {
        const char *name, *item;
        bool customer;
    } kinds[] = {{"Para Yatırma", "mnubankPY", false},   {"Para Çekme", "mnubankPC", false},
                 {"Gelen Havale", "mnubankGlnHE", true}, {"Gönderilen Havale", "mnubankGdnHE", true},
                 {"Kart Tahsilat", "mnubankKT", true},   {"Kart Ödeme", "mnubankKO", true},
                 {"Genel Gelir", "mnuGGelir", false},    {"Genel Gider", "mnuGGider", false}};
    for (const auto &k : kinds) {
        QTest::newRow(k.name) << k.item << k.customer << false;
        if (k.customer)
            QTest::newRow(qPrintable(QString::fromUtf8(k.name) + QStringLiteral(", picker")))
                << k.item << true << true;
    }
}

// Whatever panel is open, the totals row stays in sight below it: no other control of
// the window lies over a totals label or box, and the panels keep their designed place.
void TestBank::totalsClearOfPanels()
{
    QFETCH(QString, item);
    QFETCH(bool, customer);
    QFETCH(bool, picker);
    Harness h;
    addAccount(h, QStringLiteral("TR-1"));
    addCustomer(h, QStringLiteral("12"), QStringLiteral("Çınar Ticaret"), kNoCurrency);
    addMove(h, QStringLiteral("TR-1"), QDate(2026, 12, 1), QStringLiteral("10:00:00"),
            QStringLiteral("Genel Gelir"), 1500.0, QVariant());
    Banka1 &b = openAccounts(h);
    inMovements(h, b, 0, [&](Banka2 &w) {
        w.findChild<QAction *>(item)->trigger();
        if (picker)
            h.click(w.btnSec);
        Harness::settle();
        QCOMPARE(w.frmBankaEkle->geometry(), QRect(16, 224, 409, customer ? 289 : 257));
        QCOMPARE(w.frmmusteri->isVisible(), picker);
        QCOMPARE(w.frmmusteri->geometry(), QRect(512, 80, 449, 457));
        QList<QWidget *> totalsRow;
        for (const char *name : {"Label12", "Label13", "Label14"})
            totalsRow << w.findChild<QLabel *>(QLatin1String(name));
        totalsRow << w.VornXPTextBox2 << w.VornXPTextBox3 << w.VornXPTextBox4;
        for (QWidget *t : totalsRow) {
            QVERIFY(t);
            QVERIFY2(t->isVisible(), qPrintable(t->objectName()));
            QVERIFY2(w.rect().contains(t->geometry()), qPrintable(t->objectName()));
            for (QWidget *other : w.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                if (other->isVisible() && !totalsRow.contains(other))
                    QVERIFY2(!other->geometry().intersects(t->geometry()),
                             qPrintable(other->objectName() + QStringLiteral(" covers ") + t->objectName()));
        }
        QCOMPARE(totals(w), (QStringList{QStringLiteral("1.500,00"), QStringLiteral("0,00"),
                                         QStringLiteral("1.500,00")}));
        // The commands under the list stay within reach while the panel is open.
        for (BvButton *c : {w.btnGeri, w.btnEkle, w.btnSil}) {
            QVERIFY(c->Enabled());
            QVERIFY(w.rect().contains(c->geometry()));
            QVERIFY(!c->geometry().intersects(w.frmBankaEkle->geometry()));
        }
        if (picker)
            h.click(w.btnCariVazgec);
        h.click(w.btnVazgec);
        h.click(w.btnGeri);
    });
}

// ---------------------------------------------------------------- queries

void TestBank::rangeQueries_data()
{
    QTest::addColumn<QString>("scope");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<QStringList>("numbers");
    QTest::newRow("all, ends included")
        << "Tüm İşlemler" << QDate(2026, 12, 2) << QDate(2026, 12, 8)
        << QStringList{QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")};
    QTest::newRow("one day") << "Tüm İşlemler" << QDate(2026, 12, 8) << QDate(2026, 12, 8)
                             << QStringList{QStringLiteral("4"), QStringLiteral("5")};
    // 3 holds 0 in Cikan, 5 holds both fields empty.
    QTest::newRow("money in") << "Sadece Giren İşlemler" << QDate(2026, 12, 1) << QDate(2026, 12, 31)
                              << QStringList{QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("6")};
    QTest::newRow("money out") << "Sadece Çıkan İşlemler" << QDate(2026, 12, 1) << QDate(2026, 12, 31)
                               << QStringList{QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("5")};
}

void TestBank::rangeQueries()
{
    QFETCH(QString, scope);
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(QStringList, numbers);
    Harness h;
    addAccount(h, QStringLiteral("TR-1"));
    const QString a = QStringLiteral("TR-1");
    addMove(h, a, QDate(2026, 12, 1), QStringLiteral("09:00:00"), QStringLiteral("Genel Gelir"), 10.0,
            QVariant(), QStringLiteral("1"));
    addMove(h, a, QDate(2026, 12, 2), QStringLiteral("09:00:00"), QStringLiteral("Genel Gider"), QVariant(),
            20.0, QStringLiteral("2"));
    addMove(h, a, QDate(2026, 12, 5), QStringLiteral("09:00:00"), QStringLiteral("Genel Gelir"), 30.0, 0.0,
            QStringLiteral("3"));
    addMove(h, a, QDate(2026, 12, 8), QStringLiteral("09:00:00"), QStringLiteral("Genel Gider"), QVariant(),
            40.0, QStringLiteral("4"));
    addMove(h, a, QDate(2026, 12, 8), QStringLiteral("12:00:00"), QStringLiteral("Genel Gider"), QVariant(),
            QVariant(), QStringLiteral("5"));
    addMove(h, a, QDate(2026, 12, 9), QStringLiteral("09:00:00"), QStringLiteral("Genel Gelir"), 50.0,
            QVariant(), QStringLiteral("6"));
    addMove(h, QStringLiteral("TR-2"), QDate(2026, 12, 8), QStringLiteral("09:00:00"),
            QStringLiteral("Genel Gelir"), 60.0, QVariant(), QStringLiteral("7"));
    Banka1 &b = openAccounts(h);
    QStringList listed, shownTotals;
    inMovements(h, b, 0, [&](Banka2 &w) {
        pick(w.xpCombo1, scope);
        BvButton *ara = scope == QStringLiteral("Tüm İşlemler")            ? w.btn2Tarih3
                        : scope == QStringLiteral("Sadece Giren İşlemler") ? w.btn2Tarih2
                                                                           : w.btn2Tarih1;
        QVERIFY(ara->isVisible());
        w.ilk->setDate(first);
        w.son->setDate(last);
        h.click(ara);
        listed = column(w.DBGrid1, 2);
        shownTotals = totals(w);
        h.click(w.btnGeri);
    });
    QCOMPARE(listed, numbers);
    // The totals cover every movement of the account, whatever the list shows.
    QCOMPARE(shownTotals,
             (QStringList{QStringLiteral("90,00"), QStringLiteral("60,00"), QStringLiteral("30,00")}));
}

void TestBank::kindQuery()
{
    Harness h;
    addAccount(h, QStringLiteral("TR-1"));
    addMove(h, QStringLiteral("TR-1"), QDate(2026, 12, 10), QStringLiteral("09:00:00"),
            QStringLiteral("Genel Gelir"), 10.0, QVariant(), QStringLiteral("1"));
    addMove(h, QStringLiteral("TR-1"), QDate(2026, 12, 10), QStringLiteral("10:00:00"),
            QStringLiteral("Bankadan Çekilen"), QVariant(), 5.0, QStringLiteral("2"));
    addMove(h, QStringLiteral("TR-1"), QDate(2026, 11, 10), QStringLiteral("10:00:00"),
            QStringLiteral("Bankadan Çekilen"), QVariant(), 5.0, QStringLiteral("3"));
    Banka1 &b = openAccounts(h);
    inMovements(h, b, 0, [&](Banka2 &w) {
        pick(w.xpCombo2, QStringLiteral("İşlem Türü İle Sorgu"));
        QVERIFY(w.frmIslemTur->isVisible());
        QVERIFY(!w.frm2Tarih->isVisible());
        QVERIFY(!w.frmGS->isVisible());
        QCOMPARE(w.xpCombo6->currentText(), QStringLiteral("Genel Gelir"));
        h.click(w.btnIslemTur1);
        QCOMPARE(column(w.DBGrid1, 2), QStringList{QStringLiteral("1")});
        pick(w.xpCombo6, QStringLiteral("Bankadan Çekilen"));
        h.click(w.btnIslemTur1);
        QCOMPARE(column(w.DBGrid1, 2), QStringList{QStringLiteral("2")});
        h.click(w.btnGeri);
    });
}

void TestBank::numberQuery()
{
    Harness h;
    addAccount(h, QStringLiteral("TR-1"));
    for (const char *n : {"12", "1*2", "123", "21"})
        addMove(h, QStringLiteral("TR-1"), QDate(2026, 12, 10), QStringLiteral("09:00:00"),
                QStringLiteral("Genel Gelir"), 1.0, QVariant(), QLatin1String(n));
    addMove(h, QStringLiteral("TR-9"), QDate(2026, 12, 10), QStringLiteral("09:00:00"),
            QStringLiteral("Genel Gelir"), 1.0, QVariant(), QStringLiteral("1*9"));
    Banka1 &b = openAccounts(h);
    inMovements(h, b, 0, [&](Banka2 &w) {
        pick(w.xpCombo2, QStringLiteral("İşlem No İle Sorgu"));
        QVERIFY(w.frmIslemNo->isVisible());
        h.type(w.xpText14, QStringLiteral("1")); // a query at every keystroke
        QCOMPARE(column(w.DBGrid1, 2).size(), 3);
        h.type(w.xpText14, QStringLiteral("*"));
        QCOMPARE(column(w.DBGrid1, 2), QStringList{QStringLiteral("1*2")});
        retype(h, w.xpText14, QStringLiteral("1'"));
        QCOMPARE(column(w.DBGrid1, 2), QStringList{});
        h.click(w.btnGeri);
    });
}

void TestBank::descendingDateTime()
{
    Harness h;
    addAccount(h, QStringLiteral("TR-1"));
    addMove(h, QStringLiteral("TR-1"), QDate(2026, 12, 1), QStringLiteral("15:00:00"),
            QStringLiteral("Genel Gelir"), 1.0, QVariant(), QStringLiteral("a"));
    addMove(h, QStringLiteral("TR-1"), QDate(2026, 12, 2), QStringLiteral("09:00:00"),
            QStringLiteral("Genel Gelir"), 1.0, QVariant(), QStringLiteral("b"));
    addMove(h, QStringLiteral("TR-1"), QDate(2026, 12, 2), QStringLiteral("11:00:00"),
            QStringLiteral("Genel Gelir"), 1.0, QVariant(), QStringLiteral("c"));
    Banka1 &b = openAccounts(h);
    inMovements(h, b, 0, [&](Banka2 &w) {
        QCOMPARE(w.xpCombo3->currentText(), QStringLiteral("Tarih / Saat"));
        QCOMPARE(column(w.DBGrid1, 2),
                 (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
        pick(w.xpCombo5, QStringLiteral("Azalan"));
        // A pick alone queries nothing.
        QCOMPARE(column(w.DBGrid1, 2),
                 (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
        w.ilk->setDate(QDate(2026, 12, 1));
        h.click(w.btn2Tarih3);
        QCOMPARE(column(w.DBGrid1, 2),
                 (QStringList{QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("a")}));
        pick(w.xpCombo3, QStringLiteral("İşlem Sırası"));
        pick(w.xpCombo5, QStringLiteral("Artan"));
        h.click(w.btn2Tarih3);
        QCOMPARE(column(w.DBGrid1, 2),
                 (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
        h.click(w.btnGeri);
    });
}

QTEST_MAIN(TestBank)
#include "test_bank.moc"
