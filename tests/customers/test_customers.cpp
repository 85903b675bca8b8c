// The customer card, the account window's customer details, note, photo and deletion,
// and its receipts and account reports, driven as a shopkeeper uses them.
#include "app/accounts/CariYazdir.h"
#include "app/accounts/MusteriDetay.h"
#include "app/accounts/musteriekle.h"
#include "app/accounts/veresiye2.h"
#include "app/reports/AppReports.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/databind/DataControl.h"
#include "platform/databind/DataGridModel.h"
#include "platform/forms/Program.h"
#include "platform/report/Report.h"
#include "platform/report/ReportPreview.h"
#include "tests/harness/Harness.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using pv::test::Harness;

namespace
{

const QString kDuplicate = QStringLiteral("BU MÜŞTERİ NUMARASI KAYITLARDA MEVCUT. PROGRAMINIZDAKİ BU HATAYI "
                                          "LÜTFEN www.brennavik.com ADRESİNE BİLDİRİNİZ.");

// A customer's columns in the group GENEL; more adds columns or replaces those.
QVariantMap inGeneralGroup(const QVariantMap &more = {})
{
    QVariantMap fields{{QStringLiteral("MusGrup"), QStringLiteral("GENEL")}};
    fields.insert(more);
    return fields;
}

musteriekle &openCard(const QString &rights = QStringLiteral("0"))
{
    musteriekle &c = pv::form<musteriekle>();
    c.txtYetki = rights;
    c.Show();
    Harness::settle();
    return c;
}

// What a shopkeeper types into the three required boxes (over the blank they start with).
void fillRequired(musteriekle &c, const QString &name = QStringLiteral("Ahmet Yılmaz"))
{
    c.xpText2->setFocus();
    Harness::type(c.xpText2, name);
    c.xpText3->clear();
    Harness::type(c.xpText3, QStringLiteral("0212 555 44 33"));
    c.xpText4->clear();
    Harness::type(c.xpText4, QStringLiteral("Çarşı Cad. No 5"));
}

QStringList gridColumn(QTableView *grid, int col)
{
    QStringList out;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        out << grid->model()->index(r, col).data().toString();
    return out;
}

QStringList listItems(QComboBox *c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

// An account window as far as the panels need one: the customer row, the ledger, the
// commands they lock and free by name, the totals they print, and the window's own
// procedures counted through the hooks.
class AccountHost : public pv::Form
{
    Q_OBJECT
public:
    explicit AccountHost(const QString &code)
    {
        setCaption(QStringLiteral("Ahmet / %1 - ( Alıcı ) Hesabı").arg(code));
        setClientSizeTwips(15600, 9840);
        m_code = code;
        Data1 = new pv::DataControl(this);
        Data5 = new pv::DataControl(this);
        for (const char *name :
             {"VornXPButton6", "VornXPButton9", "VornXPButton8", "VornXPButton10", "VornXPButton7",
              "btnFiyatGuncelle", "btnEdit", "btnMail", "VornXPButton2", "MyButton1"}) {
            auto *b = new BvButton(this);
            b->setObjectName(QLatin1String(name));
            commands << b;
        }
        for (const char *name :
             {"xpText3", "VornXPTextBox2", "VornXPTextBox3", "VornXPTextBox4", "txtT1", "txtT2", "txtT3"}) {
            auto *e = new QLineEdit(this);
            e->setObjectName(QLatin1String(name));
            e->setText(QStringLiteral("0,00"));
        }
        findChild<QLineEdit *>(QStringLiteral("xpText3"))->setText(QStringLiteral("Ahmet Yılmaz"));
        auto *range = new QFrame(this);
        range->setObjectName(QStringLiteral("frmTarihBakiyeler"));
        range->hide();
        DBGrid2 = new QTableView(this);
        DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
        auto *ledger = new pv::DataGridModel(Data5,
                                             {{QStringLiteral("TARİH"), QStringLiteral("Tarih")},
                                              {QStringLiteral("AÇIKLAMA"), QStringLiteral("Aciklama")}},
                                             this);
        ledger->attach(DBGrid2);

        const QString path = pv::databasePath();
        Data1->setDatabaseName(path);
        Data1->setRecordSource(QStringLiteral("select * from musteriler where mus_kodu = ? ORDER BY id"),
                               {code});
        Data5->setDatabaseName(path);
        Data5->setRecordSource(
            QStringLiteral("select * from veresiye where mus_kodu = ? ORDER BY Tarih2, Saat"), {code});

        auto count = [this](const char *what) { return [this, what] { calls << QLatin1String(what); }; };
        detay = new MusteriDetay(*this, *Data1,
                                 {count("menukitle2"),
                                  count("menukilitac2"),
                                  count("Command6_Click"),
                                  [this] {
                                      calls << QStringLiteral("ara_Click");
                                      Data1->Refresh();
                                      Data5->Refresh();
                                  },
                                  count("VornXPButton7_Click"),
                                  {}}); // no print or range commands to lock
        yazdir = new CariYazdir(*this, *Data5,
                                {[this] { return m_code; },
                                 [this] { return txtSecYazdir; },
                                 [this] { return txtSirala3; },
                                 [] { return QStringLiteral("Pelvanor Ticaret"); },
                                 count("btnT1_Click"),
                                 count("Command6_Click"),
                                 {},   // no range of its own: the print helper makes the pickers
                                 {}}); // no sort handlers to connect
        Data1->Refresh();
        Data5->Refresh();
    }
    BvButton *command(const char *name) const { return findChild<BvButton *>(QLatin1String(name)); }

    pv::DataControl *Data1 = nullptr;
    pv::DataControl *Data5 = nullptr;
    QTableView *DBGrid2 = nullptr;
    MusteriDetay *detay = nullptr;
    CariYazdir *yazdir = nullptr;
    QList<BvButton *> commands;
    QStringList calls;
    QString txtSecYazdir = QStringLiteral("101226100000");
    QString txtSirala3 = QStringLiteral("Tarih2,[Saat] asc");

private:
    QString m_code;
};

struct Entry {
    QString tarih, saat, aciklama;
    QVariant eklenen, odenen;
    QString formKodu = {};
};

void addEntries(Harness &h, const QString &code, const QList<Entry> &entries)
{
    for (const Entry &e : entries) {
        const QString key = e.tarih.mid(6, 4) + e.tarih.mid(3, 2) + e.tarih.mid(0, 2);
        QVERIFY(h.insert(QStringLiteral("veresiye"),
                         {{QStringLiteral("Tarih"), e.tarih},
                          {QStringLiteral("Saat"), e.saat},
                          {QStringLiteral("Turu"),
                           e.eklenen.isValid() ? QStringLiteral("Satış") : QStringLiteral("Tahsilat")},
                          {QStringLiteral("Aciklama"), e.aciklama},
                          {QStringLiteral("Eklenen"), e.eklenen},
                          {QStringLiteral("Odenen"), e.odenen},
                          {QStringLiteral("Tarih2"), key},
                          {QStringLiteral("form_kodu"), e.formKodu},
                          {QStringLiteral("mus_kodu"), code}}));
    }
}

// One customer with its card fields, two sales and a collection; another customer beside it.
AccountHost &openHost(Harness &h, const QVariantMap &extra = {})
{
    QVariantMap row{{QStringLiteral("Telefon1"), QStringLiteral("555 11 22")},
                    {QStringLiteral("Adres"), QStringLiteral("Çarşı Cad. 5")},
                    {QStringLiteral("mail"), QStringLiteral("ahmet@example.com")},
                    {QStringLiteral("vd"), QStringLiteral("Kadıköy")}};
    for (auto it = extra.begin(); it != extra.end(); ++it)
        row[it.key()] = it.value();
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet Yılmaz"), inGeneralGroup(row));
    addCustomer(h, QStringLiteral("200"), QStringLiteral("Veli Kaya"), inGeneralGroup());
    addEntries(h, QStringLiteral("100"),
               {{"05.12.2026", "10:00:00", "Un", 100.0, {}},
                {"10.12.2026", "09:00:00", "Şeker", 40.0, {}},
                {"10.12.2026", "08:00:00", "Tahsilat", {}, 50.0}});
    addEntries(h, QStringLiteral("200"), {{"10.12.2026", "09:30:00", "Başkasının", 999.0, {}}});
    h.exec(QStringLiteral("insert into kasa (mus_kodu, Tarih, Tur, Giren, Tarih2, islemNo2) "
                          "values ('100', '10.12.2026', 'Giren', 50, '20261210', '101226080000')"));
    auto *w = new AccountHost(QStringLiteral("100"));
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->Show();
    Harness::settle();
    return *w;
}

} // namespace

class TestCustomers : public QObject
{
    Q_OBJECT
private slots:
    // customer card
    void proposal_data();
    void proposal();
    void saveStoresTheCardAndTheCounter_data();
    void saveStoresTheCardAndTheCounter();
    void requiredBoxes_data();
    void requiredBoxes();
    void duplicateNumberKeepsTheCard_data();
    void duplicateNumberKeepsTheCard();
    void saveRefusedSaysWhyAndKeepsTheCard_data();
    void saveRefusedSaysWhyAndKeepsTheCard();
    void groupsAddedAndRemoved();
    void similarRecords_data();
    void similarRecords();
    void openTheNewAccount();
    void keys();
    void picture_data();
    void picture();
    void helpPanel();

    // customer details, note, photo, deletion
    void initTestCase() { pv::registerAppReports(); }
    void editDetails_data();
    void editDetails();
    void detailsWriteFailureKeepsThePanel();
    void noteWriteFailureKeepsTheText();
    void cancelWritesNothing();
    void note();
    void photo_data();
    void photo();
    void mailRule_data();
    void mailRule();
    void smsAndCalculator();
    void deleteCustomer();
    void deleteFailureLeavesBoth();
    void deleteCancelled();

    // receipts and account reports
    void marksAndMarkedReceipt();
    void todaysReceipt();
    void reportSorts_data();
    void reportSorts();
    void reportAllIgnoresTheSortChoice();
    void printPanelAndRangeMode();
    void rangeView_data();
    void rangeView();

    // the panels on the account window itself
    void accountWindowDetailsAndRights_data();
    void accountWindowDetailsAndRights();
    void accountWindowDeleteMode();
    void accountWindowMarkedReceipt();
};

// ---------------------------------------------------------------- customer card

void TestCustomers::proposal_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("proposed");
    QTest::newRow("41") << QVariant(41) << QStringLiteral("42");
    QTest::newRow("shipped") << QVariant(0) << QStringLiteral("1");
    QTest::newRow("empty") << QVariant() << QStringLiteral("1");
    QTest::newRow("not a number") << QVariant(QStringLiteral("abc")) << QStringLiteral("1");
    // Beyond single and double precision: every digit counts.
    QTest::newRow("64-bit") << QVariant(qint64(9007199254740993LL)) << QStringLiteral("9007199254740994");
}

void TestCustomers::proposal()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, proposed);
    Harness h;
    QVERIFY(h.exec(QStringLiteral("update son_musterino set musterino = ?"), {stored}));
    musteriekle &c = openCard();
    QCOMPARE(c.xpText1->text(), proposed);
    QCOMPARE(c.windowTitle(), QStringLiteral("Yeni Müşteri Ekle"));
    QCOMPARE(c.xpCombo1->currentText(), QStringLiteral("Alıcı"));
    QCOMPARE(c.xpCombo2->currentText(), QStringLiteral("GENEL"));
    QCOMPARE(c.xpCombo3->currentText(), QStringLiteral("TL"));
    QCOMPARE(c.xpText7->text(), QStringLiteral("@"));
    QCOMPARE(c.txtHsbAc.text(), QStringLiteral("0"));
}

void TestCustomers::saveStoresTheCardAndTheCounter_data()
{
    QTest::addColumn<QString>("typed"); // over the proposal; empty keeps it
    QTest::addColumn<QString>("code");
    QTest::addColumn<qint64>("counter");
    QTest::addColumn<QString>("nextProposal");
    QTest::newRow("proposal") << QString() << QStringLiteral("42") << qint64(42) << QStringLiteral("43");
    QTest::newRow("typed number") << QStringLiteral("500") << QStringLiteral("500") << qint64(500)
                                  << QStringLiteral("501");
    // A number below the counter is taken as the code, but the counter never goes back.
    QTest::newRow("typed number below the counter")
        << QStringLiteral("30") << QStringLiteral("30") << qint64(41) << QStringLiteral("42");
    QTest::newRow("typed code") << QStringLiteral("A-7") << QStringLiteral("A-7") << qint64(41)
                                << QStringLiteral("42");
}

void TestCustomers::saveStoresTheCardAndTheCounter()
{
    QFETCH(QString, typed);
    QFETCH(QString, code);
    QFETCH(qint64, counter);
    QFETCH(QString, nextProposal);
    Harness h;
    QVERIFY(h.exec(QStringLiteral("update son_musterino set musterino = 41")));
    musteriekle &c = openCard();
    if (!typed.isEmpty()) {
        c.xpText1->clear();
        Harness::type(c.xpText1, typed);
    }
    fillRequired(c);
    Harness::type(c.xpText10, QStringLiteral("Ayşe"));
    Harness::type(c.xpText8, QStringLiteral("0212 555 44 34"));
    c.xpCombo1->setCurrentText(QStringLiteral("Bayi"));
    c.xpCombo3->setCurrentText(QStringLiteral("Euro"));
    Harness::click(c.kaydet);
    Harness::settle();
    QVERIFY(!pv::isLoaded<musteriekle>());

    const auto rows =
        h.rows(QStringLiteral("select mus_kodu, MusteriFirma, ilgili, Telefon1, Telefon2, Adres, mail, "
                              "Turu, MusGrup, ParaTuru, Bakiye, Sonislem2, Gun, \"Not\", foto "
                              "from musteriler"));
    QCOMPARE(rows.size(), 1);
    const QVariantList r = rows.first();
    QCOMPARE(r.at(0).toString(), code);
    QCOMPARE(r.at(1).toString(), QStringLiteral("Ahmet Yılmaz"));
    QCOMPARE(r.at(2).toString(), QStringLiteral("Ayşe"));
    QCOMPARE(r.at(3).toString(), QStringLiteral("0212 555 44 33"));
    QCOMPARE(r.at(4).toString(), QStringLiteral("0212 555 44 34"));
    QCOMPARE(r.at(5).toString(), QStringLiteral("Çarşı Cad. No 5"));
    QVERIFY(r.at(6).toString().isEmpty()); // "@" alone is no address
    QCOMPARE(r.at(7).toString(), QStringLiteral("Bayi"));
    QCOMPARE(r.at(8).toString(), QStringLiteral("GENEL"));
    QCOMPARE(r.at(9).toString(), QStringLiteral("Euro"));
    QCOMPARE(r.at(10).toDouble(), 0.0);
    QCOMPARE(r.at(11).toString(), QStringLiteral("20261210"));
    QVERIFY(r.at(12).isNull());
    QVERIFY(r.at(13).isNull() || r.at(13).toString().isEmpty());
    QCOMPARE(h.value(QStringLiteral("select Sonislem from musteriler")).toString(),
             QStringLiteral("2026-12-10"));
    QCOMPARE(h.value(QStringLiteral("select musterino from son_musterino")).toLongLong(), counter);

    musteriekle &again = openCard();
    QCOMPARE(again.xpText1->text(), nextProposal);
}

void TestCustomers::requiredBoxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("phone");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("box");
    QTest::newRow("no name") << QString() << "555"
                             << "Adres"
                             << "Müşteriyi Yazın"
                             << "xpText2";
    QTest::newRow("blank name") << "   "
                                << "555"
                                << "Adres"
                                << "Müşteriyi Yazın"
                                << "xpText2";
    QTest::newRow("phone as it starts") << "Ali"
                                        << " "
                                        << "Adres"
                                        << "Telefon Numarasını Yazın"
                                        << "xpText3";
    QTest::newRow("no phone") << "Ali"
                              << ""
                              << "Adres"
                              << "Telefon Numarasını Yazın"
                              << "xpText3";
    QTest::newRow("address as it starts") << "Ali"
                                          << "555"
                                          << " "
                                          << "Adresi Yazın"
                                          << "xpText4";
    QTest::newRow("address of blank lines") << "Ali"
                                            << "555"
                                            << " \n  "
                                            << "Adresi Yazın"
                                            << "xpText4";
    QTest::newRow("name checked first") << ""
                                        << ""
                                        << ""
                                        << "Müşteriyi Yazın"
                                        << "xpText2";
}

void TestCustomers::requiredBoxes()
{
    QFETCH(QString, name);
    QFETCH(QString, phone);
    QFETCH(QString, address);
    QFETCH(QString, message);
    QFETCH(QString, box);
    Harness h;
    musteriekle &c = openCard();
    c.activateWindow();
    c.xpText2->setText(name);
    c.xpText3->setText(phone);
    c.xpText4->setPlainText(address);
    c.xpText10->setFocus();
    h.expectMsgBox(message, pv::vbExclamation, QStringLiteral("Dikkat!!"));
    Harness::click(c.kaydet);
    Harness::settle();
    QVERIFY(pv::isLoaded<musteriekle>());
    QCOMPARE(h.value(QStringLiteral("select count(*) from musteriler")).toInt(), 0);
    QCOMPARE(h.value(QStringLiteral("select musterino from son_musterino")).toInt(), 0);
    QCOMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(), box);
}

void TestCustomers::duplicateNumberKeepsTheCard_data()
{
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("typed");
    QTest::newRow("proposed number taken") << QStringLiteral("42") << QString();
    QTest::newRow("same code, other case") << QStringLiteral("AB12") << QStringLiteral("ab12");
}

void TestCustomers::duplicateNumberKeepsTheCard()
{
    QFETCH(QString, existing);
    QFETCH(QString, typed);
    Harness h;
    QVERIFY(h.exec(QStringLiteral("update son_musterino set musterino = 41")));
    addCustomer(h, existing, QStringLiteral("Eski Müşteri"), inGeneralGroup());
    musteriekle &c = openCard();
    if (!typed.isEmpty())
        c.xpText1->setText(typed);
    fillRequired(c);
    h.expectMsgBox(kDuplicate, pv::vbInformation, QStringLiteral("Bilgi"));
    Harness::click(c.kaydet);
    Harness::settle();
    QVERIFY(pv::isLoaded<musteriekle>());
    QCOMPARE(h.value(QStringLiteral("select count(*) from musteriler")).toInt(), 1);
    QCOMPARE(h.value(QStringLiteral("select musterino from son_musterino")).toInt(), 41);
    QCOMPARE(c.xpText2->text(), QStringLiteral("Ahmet Yılmaz"));
    QCOMPARE(c.xpText3->text(), QStringLiteral("0212 555 44 33"));

    // A free number saves the same input.
    c.xpText1->setText(QStringLiteral("77"));
    Harness::click(c.kaydet);
    Harness::settle();
    QVERIFY(!pv::isLoaded<musteriekle>());
    QCOMPARE(h.value(QStringLiteral("select MusteriFirma from musteriler where mus_kodu = '77'")).toString(),
             QStringLiteral("Ahmet Yılmaz"));
    QCOMPARE(h.value(QStringLiteral("select musterino from son_musterino")).toInt(), 77);
}

void TestCustomers::saveRefusedSaysWhyAndKeepsTheCard_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::newRow("the row") << "before insert on musteriler";
    QTest::newRow("the counter") << "before update on son_musterino";
}

void TestCustomers::saveRefusedSaysWhyAndKeepsTheCard()
{
    QFETCH(QString, trigger);
    Harness h;
    QVERIFY(h.exec(QStringLiteral("update son_musterino set musterino = 41")));
    QVERIFY(h.exec(
        QStringLiteral("create trigger kilit %1 begin select raise(abort, 'disk dolu'); end").arg(trigger)));
    musteriekle &c = openCard();
    fillRequired(c);
    h.expectMsgBox(QStringLiteral("Müşteri kaydedilemedi.\ndisk dolu"), pv::vbCritical,
                   QStringLiteral("Hata"));
    Harness::click(c.kaydet);
    Harness::settle();
    QVERIFY(pv::isLoaded<musteriekle>());
    QCOMPARE(c.xpText1->text(), QStringLiteral("42"));
    QCOMPARE(c.xpText2->text(), QStringLiteral("Ahmet Yılmaz"));
    QCOMPARE(c.xpText4->toPlainText(), QStringLiteral("Çarşı Cad. No 5"));
    QCOMPARE(h.value(QStringLiteral("select count(*) from musteriler")).toInt(), 0);
    QCOMPARE(h.value(QStringLiteral("select musterino from son_musterino")).toInt(), 41);
}

void TestCustomers::groupsAddedAndRemoved()
{
    Harness h;
    QVERIFY(h.insert(QStringLiteral("Musteri_Gruplari"),
                     {{QStringLiteral("grupadi"), QStringLiteral("Perakende")}}));
    addCustomer(h, QStringLiteral("5"), QStringLiteral("Toptancı"),
                {{QStringLiteral("MusGrup"), QStringLiteral("Perakende")}});
    musteriekle &c = openCard();
    QCOMPARE(listItems(c.xpCombo2), QStringList{QStringLiteral("Perakende")});

    Harness::click(c.btnGrupEkle);
    QVERIFY(c.Frame1->isVisible());
    h.expectMsgBox(QStringLiteral("Grubu Yazın"), pv::vbExclamation, QStringLiteral("Dikkat!!"));
    Harness::click(c.btnEkle);
    Harness::type(c.xpText11, QStringLiteral("Çiftçiler"));
    Harness::click(c.btnEkle);
    QVERIFY(c.xpText11->text().isEmpty());
    QCOMPARE(gridColumn(c.DBGrid1, 0),
             (QStringList{QStringLiteral("Çiftçiler"), QStringLiteral("Perakende")}));
    // Offered on the card only once the panel closes.
    QCOMPARE(listItems(c.xpCombo2), QStringList{QStringLiteral("Perakende")});
    Harness::click(c.btnKapat);
    QVERIFY(!c.Frame1->isVisible());
    QCOMPARE(listItems(c.xpCombo2), (QStringList{QStringLiteral("Çiftçiler"), QStringLiteral("Perakende")}));
    QCOMPARE(c.xpCombo2->currentText(), QStringLiteral("GENEL"));

    // "No" keeps the group; "Yes" deletes the selected one, not its customers' group text.
    Harness::click(c.btnGrupEkle);
    c.DBGrid1->selectRow(1);
    h.expectMsgBox(QStringLiteral("Seçmiş olduğunuz Grup silinecektir. Emin misiniz?"),
                   pv::vbYesNo | pv::vbQuestion, QStringLiteral("KAYIT SİL"), pv::vbNo);
    Harness::click(c.btnSil);
    QCOMPARE(h.value(QStringLiteral("select count(*) from Musteri_Gruplari")).toInt(), 2);
    h.expectMsgBox(QStringLiteral("Seçmiş olduğunuz Grup silinecektir. Emin misiniz?"), pv::vbYes);
    Harness::click(c.btnSil);
    QCOMPARE(h.value(QStringLiteral("select group_concat(grupadi) from Musteri_Gruplari")).toString(),
             QStringLiteral("Çiftçiler"));
    QCOMPARE(h.value(QStringLiteral("select MusGrup from musteriler")).toString(),
             QStringLiteral("Perakende"));
    Harness::click(c.btnKapat);

    // The picked group is stored with the customer.
    c.xpCombo2->setCurrentIndex(0);
    fillRequired(c);
    Harness::click(c.kaydet);
    Harness::settle();
    QCOMPARE(h.value(QStringLiteral("select MusGrup from musteriler where MusteriFirma = 'Ahmet Yılmaz'"))
                 .toString(),
             QStringLiteral("Çiftçiler"));
}

void TestCustomers::similarRecords_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("nothing typed") << QString()
                                   << QStringList{"Ahmet Işık", "Ali * Yıldız", "ışıl Gıda", "Şükrü Çelik"};
    QTest::newRow("Turkish letters") << QStringLiteral("şük") << QStringList{"Şükrü Çelik"};
    QTest::newRow("capital I is ı") << QStringLiteral("IŞI") << QStringList{"Ahmet Işık", "ışıl Gıda"};
    QTest::newRow("middle of the name") << QStringLiteral("çel") << QStringList{"Şükrü Çelik"};
    QTest::newRow("a star is a star") << QStringLiteral("*") << QStringList{"Ali * Yıldız"};
    QTest::newRow("apostrophe") << QStringLiteral("O'") << QStringList{};
}

void TestCustomers::similarRecords()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, names);
    Harness h;
    addCustomer(h, QStringLiteral("1"), QStringLiteral("Şükrü Çelik"), inGeneralGroup());
    addCustomer(h, QStringLiteral("2"), QStringLiteral("Ahmet Işık"), inGeneralGroup());
    addCustomer(h, QStringLiteral("3"), QStringLiteral("ışıl Gıda"), inGeneralGroup());
    addCustomer(h, QStringLiteral("4"), QStringLiteral("Ali * Yıldız"), inGeneralGroup());
    musteriekle &c = openCard();
    QVERIFY(!c.Frame1s->isVisible());
    Harness::type(c.xpText2, typed);
    QTest::mouseMove(c.xpText2, c.xpText2->rect().center());
    QVERIFY(c.Frame1s->isVisible());
    QCOMPARE(gridColumn(c.DBGrid2, 3), names);
    QCOMPARE(c.DBGrid2->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("MÜŞTERİLER"));
    QTest::mouseMove(c.Image1, QPoint(2, 2));
    QVERIFY(!c.Frame1s->isVisible());
}

void TestCustomers::openTheNewAccount()
{
    Harness h;
    QVERIFY(h.exec(QStringLiteral("update son_musterino set musterino = 41")));
    musteriekle &c = openCard(QStringLiteral("1"));
    fillRequired(c, QStringLiteral("Veli Kaya"));
    Harness::click(c.btnHesapAc);
    QCOMPARE(c.txtHsbAc.text(), QStringLiteral("1"));
    bool opened = false;
    h.onModal<veresiye2>([&](veresiye2 &w) {
        opened = true;
        QCOMPARE(w.windowTitle(), QStringLiteral("Veli Kaya / 42 - ( Alıcı ) Hesabı"));
        QCOMPARE(w.Text10.text(), QStringLiteral("42"));
        QCOMPARE(w.txtYetki.text(), QStringLiteral("1"));
        QCOMPARE(w.txtMusTuru.text(), QStringLiteral("Alıcı"));
        QVERIFY(pv::isLoaded<musteriekle>()); // behind the account window
        w.VornXPButton7_Click();
    });
    Harness::click(c.kaydet);
    Harness::settle();
    QVERIFY(opened);
    QVERIFY(!pv::isLoaded<musteriekle>());
    QCOMPARE(h.value(QStringLiteral("select count(*) from musteriler where mus_kodu = '42'")).toInt(), 1);

    // Switched off again, the card just closes.
    musteriekle &c2 = openCard();
    fillRequired(c2);
    Harness::click(c2.btnHesapAc);
    Harness::click(c2.btnHesapAc);
    QCOMPARE(c2.txtHsbAc.text(), QStringLiteral("0"));
    Harness::click(c2.kaydet);
    Harness::settle();
    QVERIFY(!pv::isLoaded<musteriekle>());
}

void TestCustomers::keys()
{
    Harness h;
    musteriekle &c = openCard();
    c.activateWindow();
    // Enter walks the tab order, through the address box without breaking its line.
    const QList<QWidget *> order{c.xpCombo2, c.xpText2, c.xpText10,  c.xpText3, c.xpText8,
                                 c.xpText9,  c.xpText4, c.xpText5,   c.xpText6, c.xpText7,
                                 c.kaydet,   c.xpText1, c.MyButton6, c.xpCombo1};
    order.first()->setFocus();
    for (int i = 1; i < order.size(); ++i) {
        Harness::key(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), order.at(i));
    }
    QCOMPARE(c.xpText4->toPlainText(), QStringLiteral(" "));
    Harness::key(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), order.first());

    // Esc leaves without saving.
    Harness::type(c.xpText2, QStringLiteral("Ali"));
    Harness::key(c.xpText2, Qt::Key_Escape);
    Harness::settle();
    QVERIFY(!pv::isLoaded<musteriekle>());
    QCOMPARE(h.value(QStringLiteral("select count(*) from musteriler")).toInt(), 0);
}

void TestCustomers::picture_data()
{
    QTest::addColumn<QString>("file");   // created in the program folder; empty: none
    QTest::addColumn<QString>("picked"); // the picker's answer, relative to the folder; empty: cancelled
    QTest::addColumn<QString>("title");  // of the message; empty: none
    QTest::newRow("jpg") << "yuz.jpg"
                         << "yuz.jpg" << QString();
    QTest::newRow("JPG in capitals") << "YUZ.JPG"
                                     << "YUZ.JPG" << QString();
    QTest::newRow("bmp") << "yuz.bmp"
                         << "yuz.bmp" << QString();
    QTest::newRow("missing file") << QString() << "yok.jpg"
                                  << "Hata ";
    QTest::newRow("jpeg") << "yuz.jpeg"
                          << "yuz.jpeg"
                          << "Hata";
    QTest::newRow("png") << "yuz.png"
                         << "yuz.png"
                         << "Hata";
    // A cancelled picker changes nothing and shows nothing.
    QTest::newRow("cancelled") << QString() << QString() << QString();
}

void TestCustomers::picture()
{
    QFETCH(QString, file);
    QFETCH(QString, picked);
    QFETCH(QString, title);
    Harness h;
    if (!file.isEmpty()) {
        QImage img(8, 8, QImage::Format_RGB32);
        img.fill(Qt::red);
        const QString format = file.endsWith(QLatin1String("bmp"), Qt::CaseInsensitive) ? "BMP" : "JPG";
        QVERIFY(img.save(h.folder() + QLatin1Char('/') + file, qPrintable(format)));
    }
    const QString path = picked.isEmpty() ? QString() : h.folder() + QLatin1Char('/') + picked;
    musteriekle &c = openCard();
    h.expectOpenFile(path);
    if (!title.isEmpty())
        h.expectMsgBox(QStringLiteral("Resim Klasör Dizini Hatalı"), pv::vbExclamation, title);
    Harness::click(c.BvButton3);
    QCOMPARE(h.pickerCalls().last().title, QStringLiteral("Resim Dosyası Seçin."));
    QCOMPARE(
        h.pickerCalls().last().filter,
        QStringLiteral(
            "JPG File (*.jpg)|*.jpg|Bitmap File (*.bmp)|*.bmp|GIF File(*.gif)|*.gif|Tüm Dosyalar(*.*)|*.*"));
    QCOMPARE(c.txtFoto->text(), path);
    QCOMPARE(!c.Image2->pixmap().isNull(), title.isEmpty() && !path.isEmpty());
    if (path.isEmpty() || !title.isEmpty()) {
        QCOMPARE(h.msgBoxes().size(), title.isEmpty() ? 0 : 1);
    } else {
        // Cancelling a second pick keeps the picture chosen first.
        h.expectOpenFile(QString());
        Harness::click(c.BvButton3);
        QCOMPARE(c.txtFoto->text(), path);
        QVERIFY(!c.Image2->pixmap().isNull());
        QCOMPARE(h.msgBoxes().size(), 0);
    }

    // The path is stored with the customer, a bad one too.
    fillRequired(c);
    Harness::click(c.kaydet);
    Harness::settle();
    QCOMPARE(h.value(QStringLiteral("select ifnull(foto, '') from musteriler")).toString(), path);
}

void TestCustomers::helpPanel()
{
    Harness h;
    musteriekle &c = openCard();
    Harness::click(c.BvButton1);
    QVERIFY(c.FrameFendrixon1->isVisible());
    QVERIFY(!c.kaydet->Enabled());
    QVERIFY(!c.MyButton6->Enabled());
    const auto texts = c.FrameFendrixon1->findChildren<QLabel *>();
    QStringList shown;
    for (QLabel *l : texts)
        shown << l->text();
    QVERIFY(shown.contains(QStringLiteral("Alıcı / Satıcı :")));
    QVERIFY(shown.contains(
        QStringLiteral("Sizden Ürün veya Hizmet alan Müşterileriniz hemde Tedarik eden Firma")));
    Harness::click(c.VornXPButton7);
    QVERIFY(!c.FrameFendrixon1->isVisible());
    QVERIFY(c.kaydet->Enabled());
    QVERIFY(c.MyButton6->Enabled());

    // The picture is removed only on "Evet", the file stays.
    c.txtFoto->setText(h.folder() + QStringLiteral("/a.jpg"));
    h.expectMsgBox(QStringLiteral("Müşteri Resmini Silmek İstediğinizden Emin misiniz?"),
                   pv::vbYesNo | pv::vbQuestion, QStringLiteral("Uyarı"), pv::vbNo);
    Harness::click(c.BvButton2);
    QVERIFY(!c.txtFoto->text().isEmpty());
    h.expectMsgBox(QStringLiteral("Müşteri Resmini Silmek İstediğinizden Emin misiniz?"), pv::vbYes);
    Harness::click(c.BvButton2);
    QVERIFY(c.txtFoto->text().isEmpty());
    Harness::click(c.BvButton2); // nothing to ask about
}

// ---------------------------------------------------------------- customer details

void TestCustomers::editDetails_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("stored"); // empty: refused with message
    QTest::addColumn<QString>("message");
    QTest::newRow("name") << "xpText8"
                          << "Ahmet Yılmaz Ltd."
                          << "MusteriFirma"
                          << "Ahmet Yılmaz Ltd." << QString();
    QTest::newRow("fax") << "xpText11"
                         << "0216 000 11 22"
                         << "Telefon2"
                         << "0216 000 11 22" << QString();
    QTest::newRow("tax number") << "xpText6"
                                << "1234567890"
                                << "vdn"
                                << "1234567890" << QString();
    QTest::newRow("no name") << "xpText8"
                             << "  "
                             << "MusteriFirma" << QString() << "Müşteriyi Yazın";
    QTest::newRow("no phone") << "xpText9"
                              << ""
                              << "Telefon1" << QString() << "Telefon Numarasını Yazın";
    QTest::newRow("no address") << "xpText10"
                                << " "
                                << "Adres" << QString() << "Adresi Yazın";
}

void TestCustomers::editDetails()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, field);
    QFETCH(QString, stored);
    QFETCH(QString, message);
    Harness h;
    AccountHost &w = openHost(h);
    MusteriDetay &d = *w.detay;
    const QVariant before =
        h.value(QStringLiteral("select \"%1\" from musteriler where mus_kodu = '100'").arg(field));

    Harness::click(d.MyButton1);
    QVERIFY(d.musterifrm->isVisible());
    QCOMPARE(w.calls, QStringList{QStringLiteral("menukitle2")});
    QVERIFY(!w.command("btnFiyatGuncelle")->Enabled());
    QVERIFY(!w.command("VornXPButton9")->Enabled());
    QCOMPARE(d.xpText7->text(), QStringLiteral("100"));
    QCOMPARE(d.xpText8->text(), QStringLiteral("Ahmet Yılmaz"));
    QCOMPARE(d.xpText10->toPlainText(), QStringLiteral("Çarşı Cad. 5"));
    QVERIFY(!d.xpText8->isEnabled());

    Harness::click(d.MyButton2);
    QVERIFY(d.xpText8->isEnabled());
    QVERIFY(!d.xpText7->isEnabled()); // the number stays as it is
    QVERIFY(d.kaydet->isVisible());
    QVERIFY(!d.MyButton2->isVisible());
    d.xpCombo3->setCurrentText(QStringLiteral("Bayi"));
    if (auto *line = w.findChild<QLineEdit *>(box))
        line->setText(typed);
    else
        w.findChild<QPlainTextEdit *>(box)->setPlainText(typed);
    if (!message.isEmpty())
        h.expectMsgBox(message, pv::vbExclamation, QStringLiteral("Dikkat!!"));
    Harness::click(d.kaydet);

    const QVariant after =
        h.value(QStringLiteral("select \"%1\" from musteriler where mus_kodu = '100'").arg(field));
    if (stored.isEmpty()) {
        QCOMPARE(after, before);
        QCOMPARE(h.value(QStringLiteral("select Turu from musteriler where mus_kodu = '100'")).toString(),
                 QStringLiteral("Alıcı"));
        QVERIFY(d.musterifrm->isVisible());
        QCOMPARE(QApplication::focusWidget()->objectName(), box);
        return;
    }
    QCOMPARE(after.toString(), stored);
    QCOMPARE(h.value(QStringLiteral("select Turu from musteriler where mus_kodu = '100'")).toString(),
             QStringLiteral("Bayi"));
    QVERIFY(!d.musterifrm->isVisible());
    QVERIFY(!d.xpText8->isEnabled());
    QVERIFY(!d.MyButton2->isHidden());
    QVERIFY(d.kaydet->isHidden());
    QCOMPARE(w.calls, (QStringList{"menukitle2", "menukilitac2", "Command6_Click"}));
    QVERIFY(w.command("btnFiyatGuncelle")->Enabled());
    QCOMPARE(h.value(QStringLiteral("select count(*) from musteriler")).toInt(), 2);
}

void TestCustomers::detailsWriteFailureKeepsThePanel()
{
    Harness h;
    AccountHost &w = openHost(h);
    QVERIFY(h.exec(QStringLiteral("create trigger kilit before update on musteriler "
                                  "begin select raise(abort, 'kayıt kilitli'); end")));
    MusteriDetay &d = *w.detay;
    Harness::click(d.MyButton1);
    Harness::click(d.MyButton2);
    d.xpText8->setText(QStringLiteral("Yeni Ad"));
    h.expectMsgBoxContaining(QStringLiteral("Müşteri bilgileri kaydedilemedi."));
    Harness::click(d.kaydet);
    QCOMPARE(h.msgBoxes().last().title, QStringLiteral("Hata"));
    QVERIFY(d.musterifrm->isVisible());
    QCOMPARE(d.xpText8->text(), QStringLiteral("Yeni Ad")); // the input is kept for another try
    QCOMPARE(h.value(QStringLiteral("select MusteriFirma from musteriler where mus_kodu = '100'")).toString(),
             QStringLiteral("Ahmet Yılmaz"));
}

void TestCustomers::noteWriteFailureKeepsTheText()
{
    Harness h;
    AccountHost &w = openHost(h, {{QStringLiteral("Not"), QStringLiteral("Ayın 15'inde öder")}});
    MusteriDetay &d = *w.detay;
    QVERIFY(h.exec(QStringLiteral("create trigger kilit before update on musteriler "
                                  "begin select raise(abort, 'kayıt kilitli'); end")));
    Harness::click(d.btnNote);
    d.txtNote->setPlainText(QStringLiteral("Çek ile öder"));
    h.expectMsgBox(QStringLiteral("Not kaydedilemedi.\nkayıt kilitli"), pv::vbCritical,
                   QStringLiteral("Hata"));
    Harness::click(d.BvButton5);
    QVERIFY(d.frmNote->isVisible());
    QCOMPARE(d.txtNote->toPlainText(), QStringLiteral("Çek ile öder"));
    QCOMPARE(h.value(QStringLiteral("select \"Not\" from musteriler where mus_kodu = '100'")).toString(),
             QStringLiteral("Ayın 15'inde öder"));
}

void TestCustomers::cancelWritesNothing()
{
    Harness h;
    AccountHost &w = openHost(h);
    MusteriDetay &d = *w.detay;
    Harness::click(d.MyButton1);
    Harness::click(d.MyButton2);
    d.xpText8->setText(QStringLiteral("Vazgeçilen Ad"));
    Harness::click(d.MyButton6);
    QVERIFY(!d.musterifrm->isVisible());
    QCOMPARE(d.xpText8->text(), QStringLiteral("Ahmet Yılmaz"));
    QCOMPARE(w.calls, (QStringList{"menukitle2", "menukilitac2", "Command6_Click"}));
    // A later save of the note does not carry the abandoned name either.
    Harness::click(d.btnNote);
    d.txtNote->setPlainText(QStringLiteral("not"));
    Harness::click(d.BvButton5);
    QCOMPARE(h.value(QStringLiteral("select MusteriFirma from musteriler where mus_kodu = '100'")).toString(),
             QStringLiteral("Ahmet Yılmaz"));
    // Opened again after "Düzenle" and "Vazgeç": still editable.
    Harness::click(d.MyButton1);
    QVERIFY(d.xpText8->isEnabled());
    QVERIFY(d.kaydet->isVisible());
}

void TestCustomers::note()
{
    Harness h;
    AccountHost &w = openHost(h, {{QStringLiteral("Not"), QStringLiteral("Ayın 15'inde öder")}});
    MusteriDetay &d = *w.detay;
    QCOMPARE(d.btnNote->BackColor(), BvButton::OleColor(0x80FFFF));
    Harness::click(d.btnNote);
    QVERIFY(d.btnNote->Value());
    QVERIFY(d.frmNote->isVisible());
    QCOMPARE(d.txtNote->toPlainText(), QStringLiteral("Ayın 15'inde öder"));
    Harness::click(d.BvButton6);
    QCOMPARE(d.btnNote->BackColor(), BvButton::OleColor(0xE3E3E3));
    QCOMPARE(h.value(QStringLiteral("select \"Not\" from musteriler where mus_kodu = '100'")).toString(),
             QStringLiteral("Ayın 15'inde öder")); // nothing written until "Kaydet"
    Harness::click(d.BvButton5);
    QVERIFY(!d.frmNote->isVisible());
    QVERIFY(!d.btnNote->Value());
    QCOMPARE(h.value(QStringLiteral("select ifnull(\"Not\", '') from musteriler where mus_kodu = '100'"))
                 .toString(),
             QString());
    QCOMPARE(d.btnNote->BackColor(), BvButton::OleColor(0xE3E3E3));

    Harness::click(d.btnNote);
    Harness::type(d.txtNote, QStringLiteral("Çek ile öder"));
    QCOMPARE(d.btnNote->BackColor(), BvButton::OleColor(0x80FFFF));
    Harness::click(d.BvButton5);
    QCOMPARE(h.value(QStringLiteral("select \"Not\" from musteriler where mus_kodu = '100'")).toString(),
             QStringLiteral("Çek ile öder"));
    // The other customer's row is untouched.
    QVERIFY(h.value(QStringLiteral("select \"Not\" from musteriler where mus_kodu = '200'")).isNull());
}

void TestCustomers::photo_data()
{
    QTest::addColumn<QString>("file"); // made in the program folder; empty: none
    QTest::addColumn<QString>("path"); // stored, relative to the folder; empty: no path
    QTest::addColumn<QString>("title");
    QTest::newRow("no path") << QString() << QString() << QString();
    QTest::newRow("jpg") << "a.jpg"
                         << "a.jpg" << QString();
    QTest::newRow("JPG") << "A.JPG"
                         << "A.JPG" << QString();
    QTest::newRow("gif") << "a.gif"
                         << "a.gif" << QString();
    QTest::newRow("missing file") << QString() << "yok.jpg"
                                  << "Hata ";
    QTest::newRow("jpeg") << "a.jpeg"
                          << "a.jpeg"
                          << "Hata";
}

void TestCustomers::photo()
{
    QFETCH(QString, file);
    QFETCH(QString, path);
    QFETCH(QString, title);
    Harness h;
    if (!file.isEmpty()) {
        QImage img(6, 6, QImage::Format_RGB32);
        img.fill(Qt::blue);
        const QString format = file.endsWith(QLatin1String("gif"), Qt::CaseInsensitive) ? "BMP" : "JPG";
        QVERIFY(img.save(h.folder() + QLatin1Char('/') + file, qPrintable(format)));
    }
    const QString full = path.isEmpty() ? QString() : h.folder() + QLatin1Char('/') + path;
    AccountHost &w = openHost(h, {{QStringLiteral("foto"), full}});
    MusteriDetay &d = *w.detay;
    QCOMPARE(d.btnResimGoster->Enabled(), !path.isEmpty());
    if (path.isEmpty())
        return;
    QCOMPARE(d.btnResimGoster->BackColor(), BvButton::OleColor(0x80FFFF));
    if (!title.isEmpty())
        h.expectMsgBox(QStringLiteral("Resim Klasör Dizini Hatalı"), pv::vbExclamation, title);
    Harness::click(d.btnResimGoster);
    if (!title.isEmpty()) {
        QVERIFY(!d.frmResim->isVisible());
        return;
    }
    QVERIFY(d.frmResim->isVisible());
    QVERIFY(!d.Image7->pixmap().isNull());
    QTest::mouseClick(d.Image7, Qt::LeftButton);
    QVERIFY(!d.frmResim->isVisible());
    QVERIFY(!d.btnResimGoster->Value());
}

void TestCustomers::mailRule_data()
{
    QTest::addColumn<QString>("mail");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("address") << "ahmet@example.com" << true;
    QTest::newRow("none") << "" << false;
    QTest::newRow("the card's @ alone") << "@" << false;
}

void TestCustomers::mailRule()
{
    QFETCH(QString, mail);
    QFETCH(bool, enabled);
    Harness h;
    AccountHost &w = openHost(h, {{QStringLiteral("mail"), mail}});
    MusteriDetay &d = *w.detay;
    QCOMPARE(w.command("btnMail")->Enabled(), enabled);
    // Unlocking after the card panel follows the address, whatever enabled it meanwhile.
    Harness::click(d.MyButton1);
    w.command("btnMail")->setEnabled(!enabled);
    Harness::click(d.MyButton6);
    QCOMPARE(w.command("btnMail")->Enabled(), enabled);
    // Typing an address on the card and saving it enables the command.
    Harness::click(d.MyButton1);
    Harness::click(d.MyButton2);
    d.xpText4->setText(enabled ? QString() : QStringLiteral("yeni@example.com"));
    Harness::click(d.kaydet);
    QCOMPARE(w.command("btnMail")->Enabled(), !enabled);
}

void TestCustomers::smsAndCalculator()
{
    Harness h;
    AccountHost &w = openHost(h);
    MusteriDetay &d = *w.detay;
    h.expectMsgBox(QStringLiteral("Bu özellik çok yakında aktif olacaktır. Bilgi için: www.brennavik.com"),
                   pv::vbInformation, QStringLiteral("Bilgi"));
    Harness::click(d.btnSMS);
    // A desktop calculator on the search path starts; one that fails to start is reported.
    QTemporaryDir bin;
    QFile calc(bin.path() + QStringLiteral("/kcalc"));
    QVERIFY(calc.open(QIODevice::WriteOnly));
    calc.write("#!/bin/sh\n");
    calc.close();
    calc.setPermissions(calc.permissions() | QFileDevice::ExeUser);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit());
    Harness::click(d.VornXPButton2);
    QCOMPARE(h.launches().size(), 1);
    QCOMPARE(QFileInfo(h.launches().first()).fileName(), QStringLiteral("kcalc"));
    h.setLaunchResult(false);
    h.expectMsgBox(QStringLiteral("Hesap makinesi bulunamadı."), pv::vbCritical, QStringLiteral("Hata"));
    Harness::click(d.VornXPButton2);
    qputenv("PATH", oldPath);
    QVERIFY(w.isVisible());
}

void TestCustomers::deleteCustomer()
{
    Harness h;
    AccountHost &w = openHost(h);
    MusteriDetay &d = *w.detay;
    d.buildDeletePanel();
    d.musilfrm->show();
    Harness::click(d.MyButton4);
    QCOMPARE(h.value(QStringLiteral("select count(*) from musteriler where mus_kodu = '100'")).toInt(), 0);
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye where mus_kodu = '100'")).toInt(), 0);
    // The collection's cash row, the other customer and its rows stay.
    QCOMPARE(h.value(QStringLiteral("select count(*) from kasa where mus_kodu = '100'")).toInt(), 1);
    QCOMPARE(h.value(QStringLiteral("select count(*) from musteriler where mus_kodu = '200'")).toInt(), 1);
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye where mus_kodu = '200'")).toInt(), 1);
    QCOMPARE(w.calls, (QStringList{"ara_Click", "menukilitac2", "VornXPButton7_Click"}));
}

void TestCustomers::deleteFailureLeavesBoth()
{
    Harness h;
    AccountHost &w = openHost(h);
    // The ledger rows go first; the customer row then refuses: nothing may be lost.
    QVERIFY(h.exec(QStringLiteral("create trigger kilit before delete on musteriler "
                                  "begin select raise(abort, 'kayıt kilitli'); end")));
    MusteriDetay &d = *w.detay;
    d.buildDeletePanel();
    d.musilfrm->show();
    h.expectMsgBoxContaining(QStringLiteral("Müşteri silinemedi; hiçbir kayıt değiştirilmedi."));
    Harness::click(d.MyButton4);
    QCOMPARE(h.msgBoxes().last().title, QStringLiteral("Hata"));
    QCOMPARE(h.value(QStringLiteral("select count(*) from musteriler where mus_kodu = '100'")).toInt(), 1);
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye where mus_kodu = '100'")).toInt(), 3);
    QVERIFY(!w.calls.contains(QStringLiteral("VornXPButton7_Click")));
    QVERIFY(d.musilfrm->isVisible());
}

void TestCustomers::deleteCancelled()
{
    Harness h;
    AccountHost &w = openHost(h);
    MusteriDetay &d = *w.detay;
    d.buildDeletePanel();
    d.musilfrm->show();
    QCOMPARE(d.musilfrm->findChild<QLineEdit *>(QStringLiteral("Text3"))->text(),
             QStringLiteral("Ahmet Yılmaz"));
    Harness::click(d.MyButton3);
    QVERIFY(!d.musilfrm->isVisible());
    QCOMPARE(w.calls, QStringList{QStringLiteral("VornXPButton7_Click")});
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye")).toInt(), 4);
}

// ---------------------------------------------------------------- receipts and reports

void TestCustomers::marksAndMarkedReceipt()
{
    Harness h;
    AccountHost &w = openHost(h);
    // A mark of an earlier opening belongs to no receipt of this one.
    addEntries(h, QStringLiteral("100"), {{"01.12.2026", "10:00:00", "Eski", 5.0, {}, "011226100000"}});
    w.Data5->Refresh();
    CariYazdir &p = *w.yazdir;
    QCOMPARE(p.VornXPButton5->BackColor(), BvButton::OleColor(0xE3E3E3));

    // Ledger order: Eski, Un, Tahsilat, Şeker. Mark Un and Şeker, then Tahsilat on and off.
    for (int row : {1, 3, 2}) {
        w.DBGrid2->selectRow(row);
        p.mnuSime->trigger();
        QCOMPARE(p.VornXPButton5->BackColor(), BvButton::OleColor(0xC0FFFF));
    }
    QCOMPARE(
        h.value(QStringLiteral("select count(*) from veresiye where form_kodu = '101226100000'")).toInt(), 3);
    p.mnuSims->trigger();
    QCOMPARE(p.VornXPButton5->BackColor(), BvButton::OleColor(0xE3E3E3));
    w.DBGrid2->selectRow(1);
    QCOMPARE(p.VornXPButton5->BackColor(), BvButton::OleColor(0xC0FFFF));
    w.DBGrid2->selectRow(0);
    QCOMPARE(p.VornXPButton5->BackColor(), BvButton::OleColor(0xE3E3E3));

    w.findChild<QLineEdit *>(QStringLiteral("VornXPTextBox4"))->setText(QStringLiteral("90,00"));
    p.buildPrintChoices();
    p.TextSize->setCurrentText(QStringLiteral("11"));
    pv::PageModel m;
    h.onModal<pv::ReportPreview>([&](pv::ReportPreview &preview) {
        m = preview.document().pageModel();
        preview.close();
    });
    p.mnuSimy2->trigger();
    Harness::settle();
    QCOMPARE(m.textsOf(QStringLiteral("Field7")), (QStringList{"Un", "Şeker"}));
    QCOMPARE(m.textsOf(QStringLiteral("Label168")), QStringList{QStringLiteral("Ahmet Yılmaz")});
    QCOMPARE(m.textsOf(QStringLiteral("Label177")), QStringList{QStringLiteral("90,00")});
    QCOMPARE(m.textsOf(QStringLiteral("LabelFirma")), QStringList{QStringLiteral("Pelvanor Ticaret")});
    QCOMPARE(m.textsOf(QStringLiteral("Field8")), QStringList{QStringLiteral("140,00")});
    for (const QString &t : m.textsOf(QStringLiteral("Label183")))
        QVERIFY2(t.isEmpty(), qPrintable(t));
    // Every text at the size chosen; a caption too wide for its box at it is drawn smaller,
    // whole, as it fits at the default size 8.
    for (const pv::PageText &t : m.texts)
        QVERIFY2(t.fontSize == 11 || (t.fontSize >= 8 && t.fontSize < 11 && !t.cut), qPrintable(t.item));
}

void TestCustomers::todaysReceipt()
{
    Harness h;
    AccountHost &w = openHost(h);
    CariYazdir &p = *w.yazdir;
    // A window without its own pickers gets them from the form at today.
    p.buildRange();
    QCOMPARE((QList<QDate>{p.ilk->date(), p.son->date()}),
             (QList<QDate>{QDate(2026, 12, 10), QDate(2026, 12, 10)}));
    p.son->setDate(QDate(2026, 12, 1));
    w.txtSirala3 = QStringLiteral("Eklenen desc");
    const pv::PageModel m = p.receiptToday().runToPageModel();
    QCOMPARE(p.son->date(), QDate(2026, 12, 10));
    // Today's rows of this customer only, in the chosen order (the collection has no debt).
    QCOMPARE(m.textsOf(QStringLiteral("Field7")), (QStringList{"Şeker", "Tahsilat"}));
    // A customer without a movement today gets an empty receipt.
    h.exec(QStringLiteral("delete from veresiye where Tarih2 = '20261210'"));
    QVERIFY(p.receiptToday().runToPageModel().textsOf(QStringLiteral("Field7")).isEmpty());
}

void TestCustomers::reportSorts_data()
{
    QTest::addColumn<QString>("order");
    QTest::addColumn<QStringList>("rows");
    // Rows: 01.12 10:00 Un 100, 05.12 09:00 Pirinç 30, 05.12 11:00 Tahsilat (50), 08.12 Yağ 70.
    QTest::newRow("date and time") << "Tarih2,[Saat] asc" << QStringList{"Un", "Pirinç", "Tahsilat", "Yağ"};
    QTest::newRow("date and time descending")
        << "Tarih2,[Saat] desc" << QStringList{"Yağ", "Tahsilat", "Pirinç", "Un"};
    QTest::newRow("design text by date")
        << "Tarih,[Saat] asc" << QStringList{"Un", "Pirinç", "Tahsilat", "Yağ"};
    QTest::newRow("record order descending") << "id desc" << QStringList{"Yağ", "Tahsilat", "Pirinç", "Un"};
    QTest::newRow("debt") << "Eklenen asc" << QStringList{"Tahsilat", "Pirinç", "Yağ", "Un"};
    QTest::newRow("debt descending") << "Eklenen desc" << QStringList{"Un", "Yağ", "Pirinç", "Tahsilat"};
    QTest::newRow("paid descending") << "Odenen desc" << QStringList{"Tahsilat", "Un", "Pirinç", "Yağ"};
    QTest::newRow("no such choice") << "Eklenen; drop table veresiye"
                                    << QStringList{"Un", "Pirinç", "Tahsilat", "Yağ"};
}

void TestCustomers::reportSorts()
{
    QFETCH(QString, order);
    QFETCH(QStringList, rows);
    Harness h;
    addCustomer(h, QStringLiteral("1*"), QStringLiteral("Yıldız"), inGeneralGroup());
    addCustomer(h, QStringLiteral("12"), QStringLiteral("Ali"), inGeneralGroup());
    addEntries(h, QStringLiteral("1*"),
               {{"01.12.2026", "10:00:00", "Un", 100.0, {}},
                {"05.12.2026", "09:00:00", "Pirinç", 30.0, {}},
                {"05.12.2026", "11:00:00", "Tahsilat", {}, 50.0},
                {"08.12.2026", "10:00:00", "Yağ", 70.0, {}},
                {"20.12.2026", "10:00:00", "Sonra", 1.0, {}}});
    addEntries(h, QStringLiteral("12"), {{"05.12.2026", "10:00:00", "Başkası", 9.0, {}}});
    auto *w = new AccountHost(QStringLiteral("1*"));
    w->Show();
    CariYazdir &p = *w->yazdir;
    p.buildRange();
    p.ilk->setDate(QDate(2026, 12, 1));
    p.son->setDate(QDate(2026, 12, 8));
    w->txtSirala3 = order;
    w->findChild<QLineEdit *>(QStringLiteral("txtT1"))->setText(QStringLiteral("200,00"));
    p.buildPrintChoices();
    p.TextSize->setCurrentText(QStringLiteral("6"));
    const pv::PageModel m = p.reportRange().runToPageModel();
    QCOMPARE(m.textsOf(QStringLiteral("Field10")), rows);
    QCOMPARE(
        m.textsOf(QStringLiteral("Label111")),
        QStringList{QStringLiteral("Ahmet / 1* - ( Alıcı ) Hesabı - CARİ RAPORU 01.12.2026 - 08.12.2026")});
    QCOMPARE(m.textsOf(QStringLiteral("Label186")), QStringList{QStringLiteral("200,00")});
    // The detail row takes the chosen size, the headers keep theirs.
    QCOMPARE(m.ofItem(QStringLiteral("Field10")).first().fontSize, 6.0);
    QCOMPARE(m.ofItem(QStringLiteral("lblRank")).first().fontSize, 6.0);
    QCOMPARE(m.ofItem(QStringLiteral("Label3")).first().fontSize, 7.0);
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye")).toInt(), 6);
}

void TestCustomers::reportAllIgnoresTheSortChoice()
{
    Harness h;
    AccountHost &w = openHost(h);
    w.txtSirala3 = QStringLiteral("Eklenen desc");
    CariYazdir &p = *w.yazdir;
    const pv::PageModel m = p.reportAll().runToPageModel();
    QCOMPARE(m.textsOf(QStringLiteral("Field10")), (QStringList{"Un", "Tahsilat", "Şeker"}));
    // Every print starts from the design captions: the receipt's labels are not the report's.
    const pv::PageModel again = p.reportAll().runToPageModel();
    QCOMPARE(again.textsOf(QStringLiteral("Field10")).size(), 3);
}

void TestCustomers::printPanelAndRangeMode()
{
    Harness h;
    AccountHost &w = openHost(h);
    CariYazdir &p = *w.yazdir;
    QVERIFY(!p.musListesiFrm && !p.ilk); // made when first used
    p.mnuMHY->trigger();
    QVERIFY(p.musListesiFrm->isVisible());
    QCOMPARE(p.FrameFendrixon3->Caption(), QStringLiteral("Müşteri Hareketlerini Yazdır"));
    QVERIFY(p.muslisyzdBtn->isVisible());
    QVERIFY(!p.muslisyzdBtn2->isVisible());
    for (const char *name : {"VornXPButton6", "btnFiyatGuncelle", "VornXPButton7", "VornXPButton9",
                             "VornXPButton8", "VornXPButton10", "MyButton1"})
        QVERIFY2(!w.command(name)->Enabled(), name);
    QVERIFY(!p.tgoster2->Enabled());
    Harness::click(p.vekbutton1);
    QVERIFY(!p.musListesiFrm->isVisible());
    QVERIFY(w.command("VornXPButton7")->Enabled());
    QVERIFY(p.tgoster2->Enabled());
    QCOMPARE(w.calls.last(), QStringLiteral("Command6_Click"));

    Harness::click(p.tgoster2);
    QVERIFY(!p.tgoster2->isVisible());
    QVERIFY(p.ilk->isVisible());
    QVERIFY(w.findChild<QWidget *>(QStringLiteral("tgoster"))->isVisible());
    p.mnuMHY->trigger();
    QVERIFY(!p.muslisyzdBtn->isVisible());
    QVERIFY(p.muslisyzdBtn2->isVisible());
}

void TestCustomers::rangeView_data()
{
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<int>("rows"); // -1: refused
    QTest::newRow("one day") << QDate(2026, 12, 10) << QDate(2026, 12, 10) << 2;
    QTest::newRow("both ends") << QDate(2026, 12, 5) << QDate(2026, 12, 10) << 3;
    QTest::newRow("no rows") << QDate(2026, 11, 1) << QDate(2026, 11, 30) << 0;
    QTest::newRow("first after last") << QDate(2026, 12, 10) << QDate(2026, 12, 9) << -1;
}

void TestCustomers::rangeView()
{
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(int, rows);
    Harness h;
    AccountHost &w = openHost(h);
    CariYazdir &p = *w.yazdir;
    Harness::click(p.tgoster2);
    p.ilk->setDate(first);
    p.son->setDate(last);
    if (rows < 0)
        h.expectMsgBox(QStringLiteral("İlk Tarih Son Tarihten Gün Olarak Büyük "), pv::vbExclamation,
                       w.Caption());
    Harness::click(p.tgoster);
    QWidget *totals = w.findChild<QWidget *>(QStringLiteral("frmTarihBakiyeler"));
    if (rows < 0) {
        QCOMPARE(w.Data5->Recordset().RecordCount(), 3); // the ledger as it was
        QVERIFY(!w.calls.contains(QStringLiteral("btnT1_Click")));
        return;
    }
    QCOMPARE(w.Data5->Recordset().RecordCount(), rows);
    QCOMPARE(p.VornXPButton5->Enabled(), rows > 0);
    QCOMPARE(w.command("VornXPButton9")->Enabled(), rows > 0);
    QCOMPARE(totals->isVisible(), rows > 0);
    QVERIFY(w.calls.contains(QStringLiteral("btnT1_Click")));
}

// ---------------------------------------------------------------- on the account window

veresiye2 &openAccountWindow(const QString &code, const QString &rights)
{
    veresiye2 &w = pv::form<veresiye2>();
    w.setCaption(QStringLiteral("Ahmet Yılmaz / %1 - ( TL/Alıcı ) HESABI").arg(code));
    w.Text10 = code;
    w.txtYetki = rights;
    w.txtMusTuru = QStringLiteral("Alıcı");
    w.Show();
    Harness::settle();
    return w;
}

void TestCustomers::accountWindowDetailsAndRights_data()
{
    QTest::addColumn<QString>("rights");
    QTest::addColumn<bool>("canEdit");
    QTest::newRow("full rights") << "0" << true;
    QTest::newRow("cashier") << "1" << false;
}

void TestCustomers::accountWindowDetailsAndRights()
{
    QFETCH(QString, rights);
    QFETCH(bool, canEdit);
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet Yılmaz"),
                inGeneralGroup({{QStringLiteral("Telefon1"), QStringLiteral("555")},
                                {QStringLiteral("Adres"), QStringLiteral("Çarşı")}}));
    addEntries(h, QStringLiteral("100"), {{"05.12.2026", "10:00:00", "Un", 100.0, {}}});
    veresiye2 &w = openAccountWindow(QStringLiteral("100"), rights);
    MusteriDetay &d = *w.musteriDetay;
    QVERIFY(!w.btnMail->Enabled()); // no address yet
    Harness::click(d.MyButton1);
    QVERIFY(d.musterifrm->isVisible());
    QVERIFY(!w.btnFiyatGuncelle->Enabled());
    QVERIFY(!w.VornXPButton7->Enabled());
    QCOMPARE(d.MyButton2->Enabled(), canEdit);
    if (!canEdit) {
        Harness::click(d.MyButton6);
        QVERIFY(w.VornXPButton7->Enabled());
        QVERIFY(!w.VornXPButton9->Enabled()); // the cashier still may not delete
        return;
    }
    Harness::click(d.MyButton2);
    d.xpText8->setText(QStringLiteral("Ahmet Yılmaz Ltd."));
    d.xpText4->setText(QStringLiteral("ahmet@example.com"));
    Harness::click(d.kaydet);
    QVERIFY(!d.musterifrm->isVisible());
    QCOMPARE(w.xpText3->text(), QStringLiteral("Ahmet Yılmaz Ltd."));
    QVERIFY(w.btnMail->Enabled());
    QVERIFY(w.VornXPButton7->Enabled());
    QVERIFY(w.VornXPButton9->Enabled());
    QCOMPARE(h.value(QStringLiteral("select MusteriFirma from musteriler")).toString(),
             QStringLiteral("Ahmet Yılmaz Ltd."));
    w.VornXPButton7_Click();
    Harness::settle();
    QCOMPARE(h.value(QStringLiteral("select mail from musteriler")).toString(),
             QStringLiteral("ahmet@example.com"));
}

void TestCustomers::accountWindowDeleteMode()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet Yılmaz"), inGeneralGroup());
    addCustomer(h, QStringLiteral("200"), QStringLiteral("Veli Kaya"), inGeneralGroup());
    addEntries(
        h, QStringLiteral("100"),
        {{"05.12.2026", "10:00:00", "Un", 100.0, {}}, {"06.12.2026", "10:00:00", "Tahsilat", {}, 20.0}});
    addEntries(h, QStringLiteral("200"), {{"05.12.2026", "10:00:00", "Şeker", 10.0, {}}});
    // As the main window's delete command hands the window over.
    veresiye2 &w = pv::form<veresiye2>();
    w.setCaption(QStringLiteral("Ahmet Yılmaz / 100"));
    w.Text10 = QStringLiteral("100");
    w.buildDeleteCustomerPanel();
    w.musilfrm->setVisible(true);
    w.Timer5->setEnabled(true);
    w.Show();
    Harness::settle();
    Harness::advance(10);
    QVERIFY(!w.VornXPButton7->Enabled());
    QVERIFY(w.musteriDetay->MyButton4->isVisible());
    Harness::click(w.musteriDetay->MyButton4);
    Harness::settle();
    QVERIFY(!pv::isLoaded<veresiye2>());
    QCOMPARE(h.value(QStringLiteral("select group_concat(mus_kodu) from musteriler")).toString(),
             QStringLiteral("200"));
    QCOMPARE(h.value(QStringLiteral("select group_concat(Aciklama) from veresiye")).toString(),
             QStringLiteral("Şeker"));
}

void TestCustomers::accountWindowMarkedReceipt()
{
    Harness h;
    addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet Yılmaz"), inGeneralGroup());
    addEntries(h, QStringLiteral("100"),
               {{"05.12.2026", "10:00:00", "Un", 100.0, {}},
                {"06.12.2026", "10:00:00", "Tahsilat", {}, 20.0},
                {"07.12.2026", "10:00:00", "Yağ", 30.0, {}}});
    veresiye2 &w = openAccountWindow(QStringLiteral("100"), QStringLiteral("0"));
    CariYazdir &p = *w.cariYazdir;
    w.DBGrid2->selectRow(2);
    p.mnuSime->trigger();
    w.DBGrid2->selectRow(0);
    p.mnuSime->trigger();
    QCOMPARE(w.VornXPButton5->BackColor(), BvButton::OleColor(0xC0FFFF));
    p.mnuMHY->trigger();
    w.xpCombo1->setCurrentText(QStringLiteral("Azalan"));
    const pv::PageModel m = p.receiptMarked().runToPageModel();
    QCOMPARE(m.textsOf(QStringLiteral("Field7")), (QStringList{"Yağ", "Un"}));
    QCOMPARE(m.textsOf(QStringLiteral("Label168")), QStringList{QStringLiteral("Ahmet Yılmaz")});
    QCOMPARE(m.textsOf(QStringLiteral("Label177")), QStringList{QStringLiteral("110,00")});

    // The right button on the ledger offers the marking menu, "Listeyi Yazdır" the print menu.
    QTest::mouseClick(w.DBGrid2->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!p.mnuPrntEkle->isVisible());
    QTest::mouseClick(w.DBGrid2->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    QVERIFY(p.mnuPrntEkle->isVisible());
    p.mnuPrntEkle->hide();
    Harness::click(w.VornXPButton5);
    QVERIFY(p.mnuPrint->isVisible());
    p.mnuPrint->hide();
}

QTEST_MAIN(TestCustomers)
#include "test_customers.moc"
