// The start-up, the login and the main window, driven as a user would.
#include "tst_autosizer.h"
#include "tst_mainwindow.h"

#include "app/accounts/musteriekle.h"
#include "app/accounts/veresiye2.h"
#include "app/reports/AppReports.h"
#include "app/shell/Form3.h"
#include "app/shell/frmAlert.h"
#include "app/shell/frmLogin.h"
#include "app/shell/frmSplash.h"
#include "app/shell/veresiye.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "controls/progressbar/QuorvelXPProgressBar.h"
#include "platform/databind/DataControl.h"
#include "platform/databind/DataGridModel.h"
#include "platform/forms/Clock.h"
#include "platform/forms/Program.h"
#include "platform/report/Report.h"
#include "tests/harness/Harness.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTableView>
#include <QTextEdit>
#include <QtTest>

using pv::test::Harness;

namespace
{

const QDate kToday(2026, 12, 10); // the harness's clock

QString iso(const QDate &d)
{
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

// The columns of a customer as the main list shows one: in group GENEL, last moved today,
// balance 0; more adds columns or replaces those.
QVariantMap listColumns(const QString &turu = QStringLiteral("Alıcı"), const QVariantMap &more = {})
{
    QVariantMap fields = pv::test::listedToday({{QStringLiteral("Turu"), turu}});
    fields.insert(more);
    return fields;
}

// The names the main list shows, top to bottom.
QStringList listed(veresiye &m)
{
    QStringList out;
    for (int r = 0; r < m.DBGrid1Model->rowCount(); ++r)
        out << m.DBGrid1Model->data(m.DBGrid1Model->index(r, 3)).toString();
    return out;
}

// Picks an entry of a list-only combo as the user does.
void pick(QComboBox *combo, const QString &text)
{
    const int i = combo->findText(text);
    QVERIFY2(i >= 0, qPrintable(text));
    combo->setCurrentIndex(i);
    emit combo->activated(i);
}

veresiye &mainWindow()
{
    veresiye &m = pv::form<veresiye>();
    m.Show();
    Harness::settle();
    return m;
}

// A successful login inside the modal login dialog.
void logIn(Harness &h, frmLogin &f, const QString &user, const QString &password)
{
    f.txtUName->setCurrentIndex(f.txtUName->findText(user));
    h.type(f.txtPass, password);
    h.click(f.cmdOK);
}

} // namespace

void TestMainWindow::initTestCase()
{
    pv::registerAppReports();
}

// ------------------------------------------------------------------ start-up

void TestMainWindow::startUp_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("timer") << "timer";
    QTest::newRow("click") << "click";
    QTest::newRow("esc") << "esc";
}

void TestMainWindow::startUp()
{
    QFETCH(QString, way);
    Harness h;
    QStringList seen;
    QObject context;
    connect(&pv::FormEvents::instance(), &pv::FormEvents::activated, &context,
            [&](QWidget *w) { seen << w->objectName(); });
    h.expectMsgBox(QStringLiteral("Giriş Başarılı ADMİN"), pv::vbOKOnly | pv::vbInformation,
                   QStringLiteral("Kullanıcı Giriş"));
    bool mainShownFirst = false;
    h.onModal<frmLogin>([&](frmLogin &f) {
        seen << QStringLiteral("login shown");
        mainShownFirst = pv::isLoaded<veresiye>() && pv::form<veresiye>().isVisible() &&
                         !pv::form<frmSplash>().isVisible();
        logIn(h, f, QStringLiteral("admin"), QStringLiteral("admin"));
    });

    frmSplash &s = pv::form<frmSplash>();
    s.Show();
    QCOMPARE(s.Label8->text(), QStringLiteral("1.0.0"));
    if (way == QLatin1String("timer")) {
        QCOMPARE(h.advance(2999), 0);
        QVERIFY(pv::isLoaded<frmSplash>());
        h.advance(1);
    } else if (way == QLatin1String("click")) {
        QTest::mouseClick(&s, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    } else {
        QTest::keyClick(&s, Qt::Key_Escape);
    }
    h.settle();
    QVERIFY(mainShownFirst);
    QVERIFY(!pv::isLoaded<frmSplash>());
    QCOMPARE(seen,
             QStringList({QStringLiteral("frmSplash"), QStringLiteral("veresiye"), QStringLiteral("frmLogin"),
                          QStringLiteral("login shown"), QStringLiteral("veresiye")}));
    veresiye &m = pv::form<veresiye>();
    QCOMPARE(m.kasiyer.text(), QStringLiteral("admin"));
    QCOMPARE(m.txtYetki.text(), QStringLiteral("0"));
    // Nothing closes or opens later on: the splash's timer is gone with it.
    h.advance(10000);
    h.settle();
    QCOMPARE(seen.size(), 5);
    QVERIFY(!h.programEnded());
}

void TestMainWindow::splashLabelClickDoesNotClose()
{
    Harness h;
    frmSplash &s = pv::form<frmSplash>();
    s.Show();
    h.click(s.Label6);
    h.click(s.Label8);
    h.click(s.QuorvelXPProgressBar1);
    h.settle();
    QVERIFY(pv::isLoaded<frmSplash>());
    QVERIFY(!s.isClosing());
    // The click that closes it later does so once; the login follows at once.
    h.onModal<frmLogin>([&](frmLogin &f) { h.click(f.cmdClose); });
    QTest::keyClick(&s, Qt::Key_Escape);
    h.settle();
    QVERIFY(h.programEnded());
}

void TestMainWindow::missingDatabaseEndsTheProgram_data()
{
    QTest::addColumn<bool>("garbage");
    QTest::newRow("missing") << false;
    QTest::newRow("not a database") << true;
}

void TestMainWindow::missingDatabaseEndsTheProgram()
{
    QFETCH(bool, garbage);
    Harness h;
    QVERIFY(QFile::remove(h.databasePath()));
    if (garbage) {
        QFile f(h.databasePath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    h.expectMsgBoxContaining(QStringLiteral("pelvanor.dll"));
    pv::form<frmSplash>();
    QVERIFY(h.programEnded());
    QCOMPARE(h.msgBoxes().size(), 1);
    QCOMPARE(h.msgBoxes().first().title, QStringLiteral("Hata"));
    QCOMPARE(h.msgBoxes().first().icon(), int(pv::vbCritical));
}

void TestMainWindow::splashWithoutVersionRow()
{
    Harness h;
    h.exec(QStringLiteral("DELETE FROM surum"));
    frmSplash &s = pv::form<frmSplash>();
    QCOMPARE(s.Label8->text(), QStringLiteral("x.x.x"));
    QCOMPARE(s.lblVersion->text(), QStringLiteral("Version"));
    QCOMPARE(s.Label6->text(), QStringLiteral("Cari + Veresiye + Stok + Kasa"));
}

// ------------------------------------------------------------------ login

void TestMainWindow::loginSteps_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("focus"); // the box with the focus afterwards; "" when closed
    QTest::addColumn<bool>("emptied");  // both boxes emptied
    QTest::addColumn<QString>("level"); // handed to the main window

    const int crit = pv::vbCritical;
    QTest::newRow("no name") << ""
                             << "admin"
                             << "Kullanıcı Adını Girin"
                             << "Dikkat!" << crit << "txtUName" << false << "";
    QTest::newRow("no password") << "admin"
                                 << ""
                                 << "Şifreyi Girin"
                                 << "Dikkat!" << crit << "txtPass" << false << "";
    QTest::newRow("wrong password") << "admin"
                                    << "Admin"
                                    << "Şifre Yanlış"
                                    << "Kullanıcı Giriş" << crit << "txtUName" << true << "";
    QTest::newRow("no stored password") << "bos"
                                        << "x"
                                        << "Şifre Yanlış"
                                        << "Kullanıcı Giriş" << crit << "txtUName" << true << "";
    QTest::newRow("good, Turkish capitals")
        << "işık"
        << "Şifre1"
        << "Giriş Başarılı İŞIK"
        << "Kullanıcı Giriş" << int(pv::vbInformation) << "" << false << "1";
    QTest::newRow("good, full rights") << "admin"
                                       << "admin"
                                       << "Giriş Başarılı ADMİN"
                                       << "Kullanıcı Giriş" << int(pv::vbInformation) << "" << false << "0";
}

void TestMainWindow::loginSteps()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, message);
    QFETCH(QString, title);
    QFETCH(int, icon);
    QFETCH(QString, focus);
    QFETCH(bool, emptied);
    QFETCH(QString, level);

    Harness h;
    QVERIFY(h.insert(QStringLiteral("User"), {{QStringLiteral("Username"), QStringLiteral("işık")},
                                              {QStringLiteral("Password"), QStringLiteral("Şifre1")},
                                              {QStringLiteral("UserType"), QStringLiteral("1")},
                                              {QStringLiteral("Name"), QStringLiteral("Kasiyer")}}));
    QVERIFY(h.insert(QStringLiteral("User"), {{QStringLiteral("Username"), QStringLiteral("bos")},
                                              {QStringLiteral("UserType"), QStringLiteral("0")}}));
    frmLogin &f = pv::form<frmLogin>();
    f.Show();
    QCOMPARE(f.txtUName->count(), 3);
    QCOMPARE(f.txtUName->currentIndex(), -1);
    if (!user.isEmpty())
        f.txtUName->setCurrentIndex(f.txtUName->findText(user));
    h.type(f.txtPass, password);
    h.expectMsgBox(message, pv::vbOKOnly | icon, title);
    h.click(f.cmdOK);
    h.settle();

    if (focus.isEmpty()) {
        QVERIFY(!pv::isLoaded<frmLogin>());
        QCOMPARE(pv::form<veresiye>().kasiyer.text(), user);
        QCOMPARE(pv::form<veresiye>().txtYetki.text(), level);
        return;
    }
    QVERIFY(pv::isLoaded<frmLogin>());
    QCOMPARE(f.focusWidget()->objectName(), focus);
    QCOMPARE(f.txtUName->currentText().isEmpty(), emptied || user.isEmpty());
    QCOMPARE(f.txtPass->text().isEmpty(), emptied || password.isEmpty());
    QCOMPARE(f.txtUName->count(), 3);
    QVERIFY(!pv::isLoaded<veresiye>());
}

void TestMainWindow::loginKeys()
{
    Harness h;
    frmLogin &f = pv::form<frmLogin>();
    f.Show();
    f.txtUName->setCurrentIndex(0);
    f.txtUName->setFocus();
    QTest::keyClick(f.txtUName, Qt::Key_Apostrophe);
    QCOMPARE(f.txtUName->currentText(), QStringLiteral("admin"));
    QTest::keyClick(f.txtUName, Qt::Key_Return);
    QCOMPARE(f.focusWidget(), static_cast<QWidget *>(f.txtPass));
    h.type(f.txtPass, QStringLiteral("ad'min"));
    QCOMPARE(f.txtPass->text(), QStringLiteral("admin"));
    QCOMPARE(f.txtPass->displayText(), QStringLiteral("*****"));
    h.expectMsgBox(QStringLiteral("Giriş Başarılı ADMİN"));
    QTest::keyClick(f.txtPass, Qt::Key_Return);
    h.settle();
    QVERIFY(!pv::isLoaded<frmLogin>());
}

void TestMainWindow::loginCloseEndsTheProgram_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("KAPAT") << false;
    QTest::newRow("close box") << true;
}

void TestMainWindow::loginCloseEndsTheProgram()
{
    QFETCH(bool, closeBox);
    Harness h;
    veresiye &m = mainWindow();
    h.onModal<frmLogin>([&](frmLogin &f) {
        if (closeBox)
            f.close();
        else
            h.click(f.cmdClose);
    });
    pv::form<frmLogin>().Show(pv::Form::Modal, &m);
    QVERIFY(h.programEnded());
    QVERIFY(m.kasiyer.text().isEmpty());
}

void TestMainWindow::rightsAtNextActivation_data()
{
    QTest::addColumn<QString>("userType");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("cashier") << "1" << false;
    QTest::newRow("full rights") << "0" << true;
    QTest::newRow("other value") << "2" << true;
}

void TestMainWindow::rightsAtNextActivation()
{
    QFETCH(QString, userType);
    QFETCH(bool, enabled);
    Harness h;
    addCustomer(h, QStringLiteral("1"), QStringLiteral("Ayşe"), listColumns());
    QVERIFY(h.insert(QStringLiteral("User"), {{QStringLiteral("Username"), QStringLiteral("kasa")},
                                              {QStringLiteral("Password"), QStringLiteral("1")},
                                              {QStringLiteral("UserType"), userType}}));
    veresiye &m = mainWindow();
    QVERIFY(m.VornXPButton9->Enabled());
    bool stillEnabledAtClose = false;
    h.expectMsgBox(QStringLiteral("Giriş Başarılı KASA"));
    h.onModal<frmLogin>([&](frmLogin &f) {
        logIn(h, f, QStringLiteral("kasa"), QStringLiteral("1"));
        stillEnabledAtClose = m.VornXPButton9->Enabled() && m.mnuUser->isEnabled();
    });
    pv::form<frmLogin>().Show(pv::Form::Modal, &m);
    h.settle();
    QVERIFY(stillEnabledAtClose);
    QCOMPARE(m.txtYetki.text(), userType);
    QCOMPARE(m.VornXPButton9->Enabled(), enabled);
    QCOMPARE(m.mnuUser->isEnabled(), enabled);
    QCOMPARE(m.mnuayr2->isEnabled(), enabled);
    QCOMPARE(m.ydk2->isEnabled(), enabled);
    // The other row commands do not depend on the rights.
    QVERIFY(m.VornXPButton2->Enabled());
    QVERIFY(m.VornXPButton1->Enabled());
}

// ------------------------------------------------------------------ list and day counts

void TestMainWindow::dayCounts_data()
{
    QTest::addColumn<QVariant>("sonislem");
    QTest::addColumn<QVariant>("gun"); // expected; the stored 7 stays for a row without a date
    QTest::newRow("30 days ago") << QVariant(iso(kToday.addDays(-30))) << QVariant(30);
    QTest::newRow("today") << QVariant(iso(kToday)) << QVariant(0);
    QTest::newRow("yesterday as typed text") << QVariant(QStringLiteral("09.12.2026")) << QVariant(1);
    QTest::newRow("future") << QVariant(iso(kToday.addDays(5))) << QVariant(-5);
    QTest::newRow("long ago") << QVariant(QStringLiteral("1900-01-01"))
                              << QVariant(int(QDate(1900, 1, 1).daysTo(kToday)));
    QTest::newRow("bad date") << QVariant(QStringLiteral("abc")) << QVariant(7);
    QTest::newRow("no date") << QVariant() << QVariant(7);
}

void TestMainWindow::dayCounts()
{
    QFETCH(QVariant, sonislem);
    QFETCH(QVariant, gun);
    Harness h;
    // The row under test sits between two good rows: it must not stop the pass.
    addCustomer(h, QStringLiteral("1"), QStringLiteral("Ali"),
                listColumns(QStringLiteral("Alıcı"), {{QStringLiteral("Sonislem"), iso(kToday.addDays(-2))},
                                                      {QStringLiteral("Gun"), 7}}));
    addCustomer(h, QStringLiteral("2"), QStringLiteral("Bora"),
                listColumns(QStringLiteral("Alıcı"),
                            {{QStringLiteral("Sonislem"), sonislem}, {QStringLiteral("Gun"), 7}}));
    addCustomer(h, QStringLiteral("3"), QStringLiteral("Cem"),
                listColumns(QStringLiteral("Alıcı"), {{QStringLiteral("Sonislem"), iso(kToday.addDays(-3))},
                                                      {QStringLiteral("Gun"), 7}}));
    veresiye &m = mainWindow();
    QCOMPARE(h.value(QStringLiteral("select Gun from musteriler where mus_kodu='2'")).toInt(), gun.toInt());
    QCOMPARE(h.value(QStringLiteral("select Gun from musteriler where mus_kodu='1'")).toInt(), 2);
    QCOMPARE(h.value(QStringLiteral("select Gun from musteriler where mus_kodu='3'")).toInt(), 3);
    QCOMPARE(m.txttarih.text(), QStringLiteral("10.12.2026"));
    // The grid shows the fresh count.
    QCOMPARE(m.DBGrid1Model->data(m.DBGrid1Model->index(1, 5)).toString(), QString::number(gun.toInt()));
    // A day later the next activation counts on.
    h.setNow(QDateTime(kToday.addDays(1), QTime(9, 0)));
    h.onModal<Form3>([](Form3 &f) { f.BvButton3_Click(); });
    m.mnuhak_Click();
    h.settle();
    QCOMPARE(h.value(QStringLiteral("select Gun from musteriler where mus_kodu='1'")).toInt(), 3);
}

// A row that refuses its count keeps the stored one, silently; the others are counted.
void TestMainWindow::dayCountRefusedByOneRow()
{
    Harness h;
    for (const char *code : {"1", "2", "3"})
        addCustomer(
            h, QLatin1String(code), QStringLiteral("Müşteri ") + QLatin1String(code),
            listColumns(QStringLiteral("Alıcı"),
                        {{QStringLiteral("Sonislem"), iso(kToday.addDays(-4))}, {QStringLiteral("Gun"), 7}}));
    QVERIFY(h.exec(
        QStringLiteral("create trigger kilit before update of Gun on musteriler when new.mus_kodu = '2' "
                       "begin select raise(abort, 'kilitli'); end")));
    veresiye &m = mainWindow();
    QCOMPARE(h.rows(QStringLiteral("select Gun from musteriler order by mus_kodu")),
             (QList<QVariantList>{{4}, {7}, {4}}));
    QStringList shown;
    for (int row = 0; row < 3; ++row)
        shown << m.DBGrid1Model->data(m.DBGrid1Model->index(row, 5)).toString();
    QCOMPARE(shown, (QStringList{"4", "7", "4"}));
}

void TestMainWindow::filters_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("arg");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("all, Turkish order")
        << "type"
        << "Tümü" << QStringList{"Cemal Usta",   "Çiçekçi Ayşe", "Dilek",   "ışık market",
                                 "İsmail Şahin", "Sedat Ilgın",  "Şükrü Öz"};
    QTest::newRow("Alıcı exactly") << "type"
                                   << "Alıcı" << QStringList{"Çiçekçi Ayşe", "ışık market"};
    QTest::newRow("Bayi") << "type"
                          << "Bayi" << QStringList{"İsmail Şahin"};
    QTest::newRow("Alıcı/Satıcı") << "type"
                                  << "Alıcı/Satıcı" << QStringList{"Sedat Ilgın"};
    QTest::newRow("group contains, by group") << "group"
                                              << "TOPTAN" << QStringList{"Çiçekçi Ayşe", "İsmail Şahin"};
    QTest::newRow("search Ş any case") << "search"
                                       << "şa" << QStringList{"İsmail Şahin"};
    QTest::newRow("search i is not ı") << "search"
                                       << "i" << QStringList{"Çiçekçi Ayşe", "Dilek", "İsmail Şahin"};
    QTest::newRow("search ı is not i") << "search"
                                       << "I" << QStringList{"ışık market", "Sedat Ilgın"};
    QTest::newRow("search Ç") << "search"
                              << "ÇİÇ" << QStringList{"Çiçekçi Ayşe"};
    QTest::newRow("search wildcard is literal") << "search"
                                                << "*" << QStringList{"Joker*"};
    QTest::newRow("search apostrophe") << "search"
                                       << "'" << QStringList{"D'Ali"};
    QTest::newRow("search nothing") << "search"
                                    << "zzz" << QStringList{};
}

void TestMainWindow::filters()
{
    QFETCH(QString, kind);
    QFETCH(QString, arg);
    QFETCH(QStringList, names);
    Harness h;
    const auto add = [&](const char *kod, const char *name, const char *turu, const char *grup) {
        addCustomer(
            h, QString::fromUtf8(kod), QString::fromUtf8(name),
            listColumns(QString::fromUtf8(turu), {{QStringLiteral("MusGrup"), QString::fromUtf8(grup)}}));
    };
    add("1", "Şükrü Öz", "Personel", "GENEL");
    add("2", "Çiçekçi Ayşe", "Alıcı", "TOPTAN");
    add("3", "Cemal Usta", "Satıcı", "GENEL");
    add("4", "İsmail Şahin", "Bayi", "TOPTAN SATIŞ");
    add("5", "ışık market", "Alıcı", "GENEL");
    add("6", "Sedat Ilgın", "Alıcı/Satıcı", "PERAKENDE");
    add("7", "Dilek", "Personel", "GENEL");
    if (kind == QLatin1String("search") && (arg == QLatin1String("*") || arg == QLatin1String("'"))) {
        add("8", "Joker*", "Bayi", "GENEL");
        add("9", "D'Ali", "Bayi", "GENEL");
        add("10", "Jokerli", "Bayi", "GENEL");
    }
    h.exec(QStringLiteral(
        "INSERT INTO Musteri_Gruplari (grupadi) VALUES ('TOPTAN'), ('GENEL'), ('TOPTAN SATIŞ')"));
    veresiye &m = mainWindow();
    QCOMPARE(m.cboGrupAra->count(), 3);
    QCOMPARE(m.cboGrupAra->itemText(0), QStringLiteral("GENEL"));

    if (kind == QLatin1String("type")) {
        pick(m.siralatext, arg);
    } else if (kind == QLatin1String("group")) {
        const QStringList before = listed(m);
        pick(m.siralatext, QStringLiteral("Müşteri Grubu"));
        QCOMPARE(listed(m), before);
        QVERIFY(m.cboGrupAra->isVisibleTo(&m));
        QVERIFY(!m.musaratext->isVisibleTo(&m));
        QVERIFY(!m.BvButton2->isVisibleTo(&m));
        pick(m.cboGrupAra, arg);
    } else {
        h.type(m.musaratext, arg);
    }
    QCOMPARE(listed(m), names);
    QCOMPARE(m.VornXPButton2->Enabled(), !names.isEmpty());
    if (kind == QLatin1String("search")) {
        // Emptying the box brings the whole list back.
        m.musaratext->clear();
        QCOMPARE(listed(m).size(), m.Data1->Recordset().RecordCount());
        QCOMPARE(listed(m).first(), QStringLiteral("Cemal Usta"));
    }
}

void TestMainWindow::filterAfterActivation()
{
    Harness h;
    addCustomer(h, QStringLiteral("1"), QStringLiteral("Bayi Bir"), listColumns(QStringLiteral("Bayi")));
    addCustomer(h, QStringLiteral("2"), QStringLiteral("Alıcı İki"), listColumns());
    veresiye &m = mainWindow();
    pick(m.siralatext, QStringLiteral("Bayi"));
    QCOMPARE(listed(m), QStringList{QStringLiteral("Bayi Bir")});
    h.onModal<Form3>([](Form3 &f) { f.BvButton3_Click(); });
    m.mnuhak_Click();
    h.settle();
    // The list still shows what the filter control says.
    QCOMPARE(listed(m), QStringList{QStringLiteral("Bayi Bir")});
    QCOMPARE(m.siralatext->currentText(), QStringLiteral("Bayi"));
}

void TestMainWindow::dailyMode()
{
    Harness h;
    addCustomer(
        h, QStringLiteral("1"), QStringLiteral("Bugün"),
        listColumns(QStringLiteral("Alıcı"), {{QStringLiteral("Sonislem2"), QStringLiteral("20261210")}}));
    addCustomer(
        h, QStringLiteral("2"), QStringLiteral("Dün"),
        listColumns(QStringLiteral("Alıcı"), {{QStringLiteral("Sonislem2"), QStringLiteral("20261209")}}));
    addCustomer(
        h, QStringLiteral("3"), QStringLiteral("Bugün de"),
        listColumns(QStringLiteral("Alıcı"), {{QStringLiteral("Sonislem2"), QStringLiteral("20261210")}}));
    veresiye &m = mainWindow();
    h.click(m.BvButton5);
    QVERIFY(m.BvButton5->Value());
    QCOMPARE(m.ilk->date(), kToday);
    QCOMPARE(listed(m), (QStringList{QStringLiteral("Bugün"), QStringLiteral("Bugün de")}));
    QVERIFY(m.frmGS->isVisibleTo(&m));
    QVERIFY(m.ilk->isVisibleTo(&m));
    QVERIFY(m.BvButton6->isVisibleTo(&m));
    QVERIFY(!m.siralatext->isEnabled());
    QVERIFY(!m.musaratext->isEnabled());
    QVERIFY(!m.rapbut->Enabled());

    m.ilk->setDate(kToday.addDays(-1));
    QCOMPARE(listed(m), QStringList{QStringLiteral("Dün")});
    m.ilk->setDate(kToday.addDays(-2));
    QCOMPARE(listed(m), QStringList{});
    QVERIFY(!m.VornXPButton2->Enabled());
    QVERIFY(!m.VornXPButton1->Enabled());
    QVERIFY(!m.VornXPButton9->Enabled());

    h.click(m.BvButton5);
    QVERIFY(!m.BvButton5->Value());
    QCOMPARE(listed(m).size(), 3);
    QVERIFY(!m.frmGS->isVisibleTo(&m));
    QVERIFY(m.siralatext->isEnabled());
    QVERIFY(m.musaratext->isEnabled());
    QVERIFY(m.rapbut->Enabled());
    QVERIFY(m.VornXPButton2->Enabled());
}

void TestMainWindow::rowCommandsFollowTheList()
{
    Harness h;
    // An empty table at the first activation: nothing to open, total or delete.
    veresiye &m = mainWindow();
    QVERIFY(!m.VornXPButton2->Enabled());
    QVERIFY(!m.VornXPButton1->Enabled());
    QVERIFY(!m.VornXPButton9->Enabled());
    addCustomer(h, QStringLiteral("1"), QStringLiteral("Ali"), listColumns());
    h.onModal<Form3>([](Form3 &f) { f.BvButton3_Click(); });
    m.mnuhak_Click();
    h.settle();
    QVERIFY(m.VornXPButton2->Enabled());
    QVERIFY(m.VornXPButton1->Enabled());
    QVERIFY(m.VornXPButton9->Enabled());
}

// ------------------------------------------------------------------ overdue alert

void TestMainWindow::alertList_data()
{
    QTest::addColumn<QVariant>("sonislem");
    QTest::addColumn<QString>("line"); // "" when not listed
    QTest::newRow("29 days") << QVariant(iso(kToday.addDays(-29))) << "";
    QTest::newRow("30 days") << QVariant(iso(kToday.addDays(-30)))
                             << "Şahin Çelik : (30) Gündür Ödeme Yapmadı";
    QTest::newRow("400 days") << QVariant(iso(kToday.addDays(-400)))
                              << "Şahin Çelik : (400) Gündür Ödeme Yapmadı";
    QTest::newRow("in the future") << QVariant(iso(kToday.addDays(40))) << "";
    QTest::newRow("no date") << QVariant() << "";
    QTest::newRow("not a date") << QVariant(QStringLiteral("yok")) << "";
}

void TestMainWindow::alertList()
{
    QFETCH(QVariant, sonislem);
    QFETCH(QString, line);
    Harness h;
    addCustomer(
        h, QStringLiteral("1"), QStringLiteral("Önce"),
        listColumns(QStringLiteral("Alıcı"), {{QStringLiteral("Sonislem"), iso(kToday.addDays(-31))}}));
    addCustomer(h, QStringLiteral("2"), QStringLiteral("Şahin Çelik"),
                listColumns(QStringLiteral("Alıcı"), {{QStringLiteral("Sonislem"), sonislem}}));
    addCustomer(
        h, QStringLiteral("3"), QStringLiteral("Sonra"),
        listColumns(QStringLiteral("Alıcı"), {{QStringLiteral("Sonislem"), iso(kToday.addDays(-45))}}));
    veresiye &m = mainWindow();
    QVERIFY(!pv::isLoaded<frmAlert>()); // the shipped setting is off
    h.click(m.BvButton4);
    h.settle();
    frmAlert &a = pv::form<frmAlert>();
    QVERIFY(a.isVisible());
    QStringList lines;
    for (int i = 0; i < a.List1->count(); ++i)
        lines << a.List1->item(i)->text();
    QStringList expected{QStringLiteral("Önce : (31) Gündür Ödeme Yapmadı")};
    if (!line.isEmpty())
        expected << line;
    expected << QStringLiteral("Sonra : (45) Gündür Ödeme Yapmadı");
    QCOMPARE(lines, expected);
}

void TestMainWindow::alertSwitch()
{
    Harness h;
    h.exec(QStringLiteral("UPDATE dgrayr SET show = '1'"));
    veresiye &m = mainWindow();
    QVERIFY(pv::isLoaded<frmAlert>());
    frmAlert &a = pv::form<frmAlert>();
    QVERIFY(a.isVisible());
    QVERIFY(a.Check1->Value());
    // No customers: the window stays where it was designed, and the list is empty.
    QCOMPARE(a.List1->count(), 0);

    h.click(a.Check1);
    QVERIFY(!a.Check1->Value());
    QCOMPARE(h.value(QStringLiteral("select show from dgrayr")).toString(), QStringLiteral("0"));
    h.click(a.Button1);
    h.settle();
    QVERIFY(!pv::isLoaded<frmAlert>());

    // The main window's next activation finds it off: nothing opens by itself.
    pv::userActivate(&m);
    h.settle();
    QVERIFY(!pv::isLoaded<frmAlert>());

    // Opened by hand and switched on: the next activation reads "1" and opens it again.
    h.click(m.BvButton4);
    h.settle();
    h.click(pv::form<frmAlert>().Check1);
    QCOMPARE(h.value(QStringLiteral("select show from dgrayr")).toString(), QStringLiteral("1"));
    h.click(pv::form<frmAlert>().Button1);
    h.settle();
    pv::userActivate(&m);
    h.settle();
    QVERIFY(pv::isLoaded<frmAlert>());
}

void TestMainWindow::alertAnnouncements()
{
    Harness h;
    frmAlert &a = pv::form<frmAlert>();
    a.Show();
    h.expectMsgBox(QStringLiteral("E-Posta Gönderme özelliği çok yakında aktif olacaktır. Bilgi için: ") +
                       frmAlert::makerAddress(),
                   pv::vbOKOnly | pv::vbInformation, QStringLiteral("Bilgi"));
    h.click(a.btnMail);
    h.expectMsgBox(QStringLiteral("SMS Gönderme özelliği çok yakında aktif olacaktır. Bilgi için: ") +
                       frmAlert::makerAddress(),
                   pv::vbOKOnly | pv::vbInformation, QStringLiteral("Bilgi"));
    h.click(a.btnSMS);
    QVERIFY(a.Check1->ToolTip() == QStringLiteral(" Açılışta Göster"));
}

// ------------------------------------------------------------------ account window and views

void TestMainWindow::openAccount()
{
    Harness h;
    addCustomer(h, QStringLiteral("1"), QStringLiteral("Ali"), listColumns());
    addCustomer(
        h, QStringLiteral("42"), QStringLiteral("Şükrü Öz"),
        listColumns(QStringLiteral("Satıcı"), {{QStringLiteral("ParaTuru"), QStringLiteral("Euro")}}));
    veresiye &m = mainWindow();
    m.txtYetki = QStringLiteral("0");
    m.Data1->setCurrentRow(1);
    QCOMPARE(m.Text1.text(), QStringLiteral("42"));
    QStringList seen;
    const auto check = [&](veresiye2 &w) {
        seen << w.Caption() << w.Text10.text() << w.txtYetki.text() << w.txtMusTuru.text() << w.txtPt1->text()
             << w.txtPt2->text() << w.txtPt3->text();
        w.Hide();
    };
    h.onModal<veresiye2>(check);
    QTest::mouseDClick(m.DBGrid1->viewport(), Qt::LeftButton, Qt::NoModifier,
                       m.DBGrid1->visualRect(m.DBGrid1Model->index(1, 3)).center());
    h.settle();
    const QStringList expected{QStringLiteral("Şükrü Öz / 42 - ( Euro/Satıcı ) HESABI"),
                               QStringLiteral("42"),
                               QStringLiteral("0"),
                               QStringLiteral("Satıcı"),
                               QStringLiteral("Euro"),
                               QStringLiteral("Euro"),
                               QStringLiteral("Euro")};
    QCOMPARE(seen, expected);
    // The popup's entry does the same.
    seen.clear();
    pv::unload<veresiye2>();
    h.settle();
    m.Data1->setCurrentRow(1);
    h.onModal<veresiye2>(check);
    m.mnuMHG->trigger();
    h.settle();
    QCOMPARE(seen, expected);
}

void TestMainWindow::deleteMode()
{
    Harness h;
    addCustomer(h, QStringLiteral("7"), QStringLiteral("Çınar"), listColumns(QStringLiteral("Bayi")));
    veresiye &m = mainWindow();
    QString caption, code;
    bool frame = false, timer = false;
    h.onModal<veresiye2>([&](veresiye2 &w) {
        caption = w.Caption();
        code = w.Text10.text();
        frame = w.musilfrm->isVisible();
        timer = w.Timer5->Enabled();
        w.Hide();
    });
    h.click(m.VornXPButton9);
    h.settle();
    QCOMPARE(caption, QStringLiteral("Çınar / 7 - ( Bayi )"));
    QCOMPARE(code, QStringLiteral("7"));
    QVERIFY(frame);
    QVERIFY(timer);
}

void TestMainWindow::noRowNoAccount()
{
    Harness h;
    addCustomer(h, QStringLiteral("1"), QStringLiteral("Ali"), listColumns());
    veresiye &m = mainWindow();
    h.type(m.musaratext, QStringLiteral("yok"));
    QCOMPARE(m.DBGrid1Model->rowCount(), 0);
    // No modal window may open: the harness fails the test if one does.
    QTest::mouseDClick(m.DBGrid1->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    m.DBGrid1_DblClick();
    m.mnuMHG->trigger();
    m.VornXPButton9_Click();
    h.settle();
    QVERIFY(!pv::isLoaded<veresiye2>());
}

void TestMainWindow::gridPopup()
{
    Harness h;
    addCustomer(h, QStringLiteral("1"), QStringLiteral("Ali"), listColumns());
    veresiye &m = mainWindow();
    const QPoint at = m.DBGrid1->visualRect(m.DBGrid1Model->index(0, 3)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, m.DBGrid1->viewport()->mapToGlobal(at));
    QApplication::sendEvent(m.DBGrid1->viewport(), &event);
    QVERIFY(m.mnuMenu->isVisible());
    QStringList entries;
    for (QAction *a : m.mnuMenu->actions())
        entries << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(entries, (QStringList{QStringLiteral("Müşteri Hesabını Göster "), QStringLiteral("-"),
                                   QStringLiteral("Müşteri Notunu Göster"), QStringLiteral("-"),
                                   QStringLiteral("Müşteri Resmini Göster")}));
    m.mnuMenu->hide();
}

void TestMainWindow::noteAndPicture_data()
{
    QTest::addColumn<QString>("file");  // written into the program folder ("" writes none)
    QTest::addColumn<QString>("foto");  // the stored path, relative to the program folder
    QTest::addColumn<QString>("title"); // of the message; "" when the picture loads
    QTest::newRow("jpg") << "a.jpg"
                         << "a.jpg"
                         << "";
    QTest::newRow("Jpg") << "b.Jpg"
                         << "b.Jpg"
                         << "";
    QTest::newRow("BMP") << "c.BMP"
                         << "c.BMP"
                         << "";
    QTest::newRow("png") << "d.png"
                         << "d.png"
                         << "Hata";
    QTest::newRow("missing") << ""
                             << "e.jpg"
                             << "Hata ";
}

void TestMainWindow::noteAndPicture()
{
    QFETCH(QString, file);
    QFETCH(QString, foto);
    QFETCH(QString, title);
    Harness h;
    if (!file.isEmpty()) {
        QImage img(8, 8, QImage::Format_RGB32);
        img.fill(Qt::red);
        const QByteArray format = file.endsWith(QLatin1String("png"))   ? "PNG"
                                  : file.endsWith(QLatin1String("BMP")) ? "BMP"
                                                                        : "JPG";
        QVERIFY(img.save(h.folder() + QLatin1Char('/') + file, format.constData()));
    }
    addCustomer(h, QStringLiteral("1"), QStringLiteral("Notlu"),
                listColumns(QStringLiteral("Alıcı"),
                            {{QStringLiteral("Not"), QStringLiteral("Salı günleri öder.")},
                             {QStringLiteral("foto"), h.folder() + QLatin1Char('/') + foto}}));
    addCustomer(h, QStringLiteral("2"), QStringLiteral("Notsuz"), listColumns());
    veresiye &m = mainWindow();
    QVERIFY(m.mnuNotg->isChecked());
    QVERIFY(m.mnuResg->isChecked());
    h.expectMsgBox(QStringLiteral("Salı günleri öder."), pv::vbOKOnly | pv::vbInformation,
                   QStringLiteral("Müşteri Notu"));
    m.mnuNotg->trigger();
    QVERIFY(m.mnuNotg->isChecked());

    if (!title.isEmpty())
        h.expectMsgBox(QStringLiteral("Resim Klasör Dizini Hatalı"), pv::vbOKOnly | pv::vbExclamation, title);
    m.mnuResg->trigger();
    QVERIFY(m.frmResim->isVisibleTo(&m));
    QCOMPARE(m.frmResim->pos(), QPoint(8, 80)); // 120, 1200 twips
    QCOMPARE(!m.Image7->pixmap().isNull(), title.isEmpty());
    h.click(m.Image7);
    QVERIFY(!m.frmResim->isVisibleTo(&m));

    // A customer without a note: no mark, and an empty box titled as before.
    m.Data1->setCurrentRow(1);
    QVERIFY(!m.mnuNotg->isChecked());
    QVERIFY(!m.mnuResg->isChecked());
    h.expectMsgBox(QString(), pv::vbOKOnly | pv::vbInformation, QStringLiteral("Müşteri Notu"));
    m.mnuNotg->trigger();
}

// ------------------------------------------------------------------ totals

void TestMainWindow::totals_data()
{
    QTest::addColumn<QVariantList>("buyers");
    QTest::addColumn<QVariantList>("suppliers");
    QTest::addColumn<QStringList>("figures"); // borçlu, alacaklı, bakiye
    QTest::newRow("known table") << QVariantList{100.0, 50.5} << QVariantList{20.0}
                                 << QStringList{"150,50", "20,00", "170,50"};
    QTest::newRow("negative and thousands") << QVariantList{-1234.5, 3000.0} << QVariantList{1000000.0, -0.25}
                                            << QStringList{"1.765,50", "999.999,75", "1.001.765,25"};
    // A supplier's invoices are credits: what the shop owes them is a negative balance.
    QTest::newRow("shop owes a supplier") << QVariantList{2000.0, 161.95} << QVariantList{-1500.0}
                                          << QStringList{"2.161,95", "-1.500,00", "661,95"};
    QTest::newRow("suppliers owed and owing") << QVariantList{2000.0, 161.95} << QVariantList{-1500.0, 200.0}
                                              << QStringList{"2.161,95", "-1.300,00", "861,95"};
    QTest::newRow("no suppliers") << QVariantList{10.0} << QVariantList{}
                                  << QStringList{"10,00", "0,00", "10,00"};
}

void TestMainWindow::totals()
{
    QFETCH(QVariantList, buyers);
    QFETCH(QVariantList, suppliers);
    QFETCH(QStringList, figures);
    Harness h;
    int n = 0;
    for (const QVariant &b : buyers) {
        ++n;
        addCustomer(h, QString::number(n), QStringLiteral("Alıcı %1").arg(n),
                    listColumns(QStringLiteral("Alıcı"), {{QStringLiteral("Bakiye"), b}}));
    }
    for (const QVariant &s : suppliers) {
        ++n;
        addCustomer(h, QString::number(n), QStringLiteral("Satıcı %1").arg(n),
                    listColumns(QStringLiteral("Satıcı"), {{QStringLiteral("Bakiye"), s}}));
    }
    addCustomer(h, QStringLiteral("99"), QStringLiteral("Bayi"),
                listColumns(QStringLiteral("Bayi"), {{QStringLiteral("Bakiye"), 5000.0}}));
    veresiye &m = mainWindow();
    // A filter changes the count, not the sums.
    pick(m.siralatext, QStringLiteral("Alıcı"));
    h.click(m.VornXPButton1);
    QVERIFY(m.listetoplamfrm->isVisibleTo(&m));
    QCOMPARE(m.VornXPTextBox22->text(), figures.at(0));
    QCOMPARE(m.VornXPTextBox33->text(), figures.at(1));
    QCOMPARE(m.VornXPTextBox44->text(), figures.at(2));
    QCOMPARE(m.xpText1->text(), QString::number(buyers.size()));
    QCOMPARE(m.VornXPTextBox44->cursorPosition(), figures.at(2).size());

    // A second opening after the suppliers are gone shows 0,00, not the old figure.
    h.click(m.VornXPButton7);
    h.exec(QStringLiteral("DELETE FROM musteriler WHERE Turu = 'Satıcı'"));
    h.click(m.VornXPButton1);
    QCOMPARE(m.VornXPTextBox33->text(), QStringLiteral("0,00"));
    QCOMPARE(m.VornXPTextBox44->text(), figures.at(0));
}

void TestMainWindow::totalsLockTheWindow()
{
    Harness h;
    addCustomer(h, QStringLiteral("1"), QStringLiteral("Ali"), listColumns());
    veresiye &m = mainWindow();
    m.txtYetki = QStringLiteral("0");
    h.click(m.VornXPButton1);
    for (BvButton *b : {m.VornXPButton1, m.VornXPButton2, m.VornXPButton11, m.rapbut, m.BvButton4,
                        m.BvButton5, m.KasaBtn, m.stokbut, m.ayarbtn})
        QVERIFY2(!b->Enabled(), qPrintable(b->objectName()));
    QVERIFY(!m.Frame1->Enabled());
    QVERIFY(!m.musaratext->isEnabled());
    QVERIFY(!m.siralatext->isEnabled());
    QVERIFY(m.VornXPButton9->Enabled()); // full rights may still delete
    QVERIFY(m.VornXPButton3->Enabled());
    h.click(m.VornXPButton7);
    QVERIFY(!m.listetoplamfrm->isVisibleTo(&m));
    for (BvButton *b : {m.VornXPButton1, m.VornXPButton2, m.VornXPButton9, m.VornXPButton11, m.rapbut,
                        m.BvButton4, m.BvButton5, m.KasaBtn, m.stokbut, m.ayarbtn})
        QVERIFY2(b->Enabled(), qPrintable(b->objectName()));
    QVERIFY(m.Frame1->Enabled());
    QCOMPARE(m.Frame1->GradientBottom(), 0xEBC2A5u);

    // A cashier cannot delete while it is open; an empty list opens it with its message.
    m.txtYetki = QStringLiteral("1");
    h.type(m.musaratext, QStringLiteral("yok"));
    h.expectMsgBox(QStringLiteral("Kayıt Bulunamadı..."), pv::vbOKOnly | pv::vbInformation,
                   QStringLiteral("Bilgi"));
    m.VornXPButton1_Click();
    QCOMPARE(m.xpText1->text(), QStringLiteral("0"));
    QVERIFY(!m.VornXPButton9->Enabled());
    h.click(m.VornXPButton7);
    QVERIFY(!m.VornXPButton2->Enabled()); // still no row to open
}

// ------------------------------------------------------------------ printing

void TestMainWindow::printPanelDefaults()
{
    Harness h;
    veresiye &m = mainWindow();
    QStringList sizes;
    for (int i = 0; i < m.TextSize->count(); ++i)
        sizes << m.TextSize->itemText(i);
    QCOMPARE(sizes, (QStringList{"3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14"}));
    QCOMPARE(m.TextSize->currentText(), QStringLiteral("8"));
    QCOMPARE(m.siralatext2->currentText(), QStringLiteral("Tümü"));
    QCOMPARE(m.siralatext2->count(), 7);
    QCOMPARE(m.xpCombo2->currentText(), QStringLiteral("Müşteri"));
    QCOMPARE(m.xpCombo1->currentText(), QStringLiteral("Artan"));
    QCOMPARE(m.txtSirala3.text(), QStringLiteral("MusteriFirma asc"));
    QVERIFY(m.turkopyatxt.text().isEmpty());
}

void TestMainWindow::printSource_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("direction");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QVariantList>("params");
    QTest::newRow("all by balance down")
        << "Tümü"
        << "Bakiye"
        << "Azalan"
        << "select * from musteriler ORDER BY Bakiye desc " << QVariantList();
    QTest::newRow("staff by name up")
        << "Personel"
        << "Müşteri"
        << "Artan"
        << "select * from musteriler where Turu= ? ORDER BY MusteriFirma asc " << QVariantList{"Personel"};
    QTest::newRow("group prints all") << "Müşteri Grubu"
                                      << "İşlem Tarihi"
                                      << "Azalan"
                                      << "select * from musteriler ORDER BY Sonislem desc " << QVariantList();
    QTest::newRow("days") << "Alıcı/Satıcı"
                          << "Gün"
                          << "Artan"
                          << "select * from musteriler where Turu= ? ORDER BY Gun asc "
                          << QVariantList{"Alıcı/Satıcı"};
}

void TestMainWindow::printSource()
{
    QFETCH(QString, type);
    QFETCH(QString, column);
    QFETCH(QString, direction);
    QFETCH(QString, source);
    QFETCH(QVariantList, params);
    Harness h;
    veresiye &m = mainWindow();
    h.click(m.rapbut);
    QVERIFY(m.musListesiFrm->isVisibleTo(&m));
    pick(m.siralatext2, type);
    pick(m.xpCombo1, direction);
    pick(m.xpCombo2, column);
    QCOMPARE(m.prepareMusteriListesi().dataControl().source(), source);
    QCOMPARE(m.prepareMusteriListesi().dataControl().params(), params);
    QCOMPARE(m.prepareMusteriListesi().dataControl().database().path(), h.databasePath());
    h.click(m.btnVazgec);
    QVERIFY(!m.musListesiFrm->isVisibleTo(&m));
}

void TestMainWindow::customerListPageModel()
{
    Harness h;
    addCustomer(h, QStringLiteral("1"), QStringLiteral("Çiçekçi Ayşe"),
                listColumns(QStringLiteral("Alıcı"), {{QStringLiteral("Bakiye"), 100.0}}));
    addCustomer(h, QStringLiteral("2"), QStringLiteral("Cemal Usta"),
                listColumns(QStringLiteral("Satıcı"), {{QStringLiteral("Bakiye"), 20.0}}));
    addCustomer(h, QStringLiteral("3"), QStringLiteral("İsmail"),
                listColumns(QStringLiteral("Alıcı"), {{QStringLiteral("Bakiye"), 50.5}}));
    veresiye &m = mainWindow();
    h.click(m.rapbut);
    pick(m.siralatext2, QStringLiteral("Alıcı"));
    pick(m.TextSize, QStringLiteral("12"));
    m.topla1_Click();
    m.Command4_Click();
    const pv::PageModel page = m.prepareMusteriListesi().runToPageModel();
    QCOMPARE(page.textsOf(QStringLiteral("Field10")),
             (QStringList{QStringLiteral("Çiçekçi Ayşe"), QStringLiteral("İsmail")}));
    QCOMPARE(page.textsOf(QStringLiteral("Label111")),
             QStringList{QStringLiteral("10.12.2026 - TARİHLİ MÜŞTERİ LİSTESİ")});
    QCOMPARE(page.textsOf(QStringLiteral("Label119")), QStringList{QStringLiteral("150,50")});
    QCOMPARE(page.textsOf(QStringLiteral("Label123")), QStringList{QStringLiteral("20,00")});
    QCOMPARE(page.textsOf(QStringLiteral("Label124")), QStringList{QStringLiteral("170,50")});
    QCOMPARE(page.textsOf(QStringLiteral("Label120")),
             QStringList{QStringLiteral("3")}); // the main list's count
    QCOMPARE(page.ofItem(QStringLiteral("Field10")).first().fontSize, 12.0);
    QCOMPARE(page.ofItem(QStringLiteral("Label111")).first().fontSize, 12.0); // the title keeps its size
    QCOMPARE(page.ofItem(QStringLiteral("Label119")).first().fontSize, 8.5);
}

void TestMainWindow::dailyReportPageModel()
{
    Harness h;
    const auto move = [&](const char *tarih2, const char *saat, const char *aciklama, const char *kod,
                          double eklenen) {
        QVERIFY(h.insert(QStringLiteral("veresiye"),
                         {{QStringLiteral("Tarih"), QString::fromLatin1(tarih2).right(2) + "." +
                                                        QString::fromLatin1(tarih2).mid(4, 2) + "." +
                                                        QString::fromLatin1(tarih2).left(4)},
                          {QStringLiteral("Saat"), QString::fromLatin1(saat)},
                          {QStringLiteral("Turu"), QStringLiteral("Stoktan Bağımsız Satış")},
                          {QStringLiteral("Aciklama"), QString::fromUtf8(aciklama)},
                          {QStringLiteral("Eklenen"), eklenen},
                          {QStringLiteral("Tarih2"), QString::fromLatin1(tarih2)},
                          {QStringLiteral("mus_kodu"), QString::fromLatin1(kod)}}));
    };
    move("20140305", "10:00:00", "Şeker", "1", 10);
    move("20140305", "09:00:00", "Çay", "2", 5);
    move("20140306", "09:00:00", "Başka gün", "1", 7);
    move("20140305", "11:00:00", "Un", "1", 3);
    veresiye &m = mainWindow();
    h.click(m.BvButton5);
    m.ilk->setDate(QDate(2014, 3, 5));
    pv::Report &r = m.prepareCariGunlukRapor();
    QCOMPARE(r.dataControl().source(),
             QStringLiteral("select DISTINCTROW * from veresiye where Tarih2 like ? "
                            "ORDER BY [Tarih],[Saat],Eklenen asc"));
    QCOMPARE(r.dataControl().params(), QVariantList{QStringLiteral("20140305")});
    const pv::PageModel page = r.runToPageModel();
    QCOMPARE(page.textsOf(QStringLiteral("Field10")),
             (QStringList{QStringLiteral("Çay"), QStringLiteral("Şeker"), QStringLiteral("Un")}));
    QCOMPARE(page.textsOf(QStringLiteral("txtProductCountG")), QStringList{QStringLiteral("3")});
    QCOMPARE(page.ofItem(QStringLiteral("Field10")).first().fontSize, 8.0);
}

void TestMainWindow::printShowsPreview()
{
    Harness h;
    addCustomer(h, QStringLiteral("1"), QStringLiteral("Ali"), listColumns());
    veresiye &m = mainWindow();
    int previews = 0;
    h.onAnyModal([&](QWidget *w) {
        ++previews;
        w->close();
    });
    h.click(m.rapbut);
    h.click(m.muslisyzdBtn);
    h.settle();
    QCOMPARE(previews, 1);
    QCOMPARE(m.xpText1->text(), QStringLiteral("1"));
    QVERIFY(m.musListesiFrm->isVisibleTo(&m)); // printing leaves the panel open
}

// ------------------------------------------------------------------ about box

void TestMainWindow::aboutBox()
{
    Harness h;
    veresiye &m = mainWindow();
    QStringList captions;
    h.onModal<Form3>([&](Form3 &f) {
        QVERIFY(!f.RichTextBox1->isVisible());
        h.click(f.BvButton1);
        captions << f.BvButton1->Caption();
        QVERIFY(f.RichTextBox1->isVisible());
        QVERIFY(f.Label6->isVisible());
        QCOMPARE(f.RichTextBox1->pos(), QPoint(8, 8));
        h.click(f.BvButton1);
        captions << f.BvButton1->Caption();
        QVERIFY(!f.RichTextBox1->isVisible());
        h.click(f.BvButton1); // closed while the agreement shows
        h.click(f.BvButton3);
    });
    m.mnuhak->trigger();
    h.settle();
    QVERIFY(!pv::isLoaded<Form3>());
    h.onModal<Form3>([&](Form3 &f) {
        captions << f.BvButton1->Caption();
        QVERIFY(!f.RichTextBox1->isVisible());
        h.click(f.BvButton3);
    });
    m.mnuhak->trigger();
    QCOMPARE(captions,
             (QStringList{QStringLiteral("Lisans Sözleşmesini Kapat"), QStringLiteral("Lisans Sözleşmesi"),
                          QStringLiteral("Lisans Sözleşmesi")}));
}

// ------------------------------------------------------------------ customer card

void TestMainWindow::customerCardGetsTheRights()
{
    Harness h;
    veresiye &m = mainWindow();
    m.txtYetki = QStringLiteral("1");
    QString rights;
    h.onModal<musteriekle>([&](musteriekle &card) {
        rights = card.txtYetki.text();
        h.click(card.MyButton6); // "Vazgeç"
    });
    h.click(m.VornXPButton11);
    h.settle();
    QCOMPARE(rights, QStringLiteral("1"));
    QVERIFY(!pv::isLoaded<musteriekle>());
}

namespace
{

// Runs one test class with the command line's options and those of the named functions
// that belong to it; a class none of whose functions is named is left out.
int run(QObject &test, const QStringList &args)
{
    QStringList mine{args.first()};
    bool named = false, any = false;
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a.startsWith(QLatin1Char('-'))) {
            mine << a;
            continue;
        }
        named = true;
        const QString function = a.section(QLatin1Char(':'), 0, 0).section(QLatin1Char('('), 0, 0);
        if (test.metaObject()->indexOfMethod(QMetaObject::normalizedSignature(qPrintable(function + "()"))) >=
            0) {
            mine << a;
            any = true;
        }
    }
    if (named && !any)
        return 0;
    return QTest::qExec(&test, mine);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelvanor"));
    const QStringList args = QCoreApplication::arguments();
    int status = 0;
    {
        TestMainWindow t;
        status |= run(t, args);
    }
    {
        TestAutoSizer t;
        status |= run(t, args);
    }
    return status;
}
