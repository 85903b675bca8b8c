// Users, units, settings, backup and restore, driven as a user would.
#include "app/admin/CopyFile.h"
#include "app/admin/CopyOto.h"
#include "app/admin/WebPages.h"
#include "app/admin/ayarlar.h"
#include "app/admin/birmler.h"
#include "app/admin/kullanici.h"
#include "app/shell/frmSplash.h"
#include "app/shell/veresiye.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "controls/progressbar/QuorvelXPProgressBar.h"
#include "database/DbScripts.h"
#include "platform/data/ProgramDatabase.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/Clock.h"
#include "platform/forms/Program.h"
#include "tests/harness/Harness.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QTableView>
#include <QTextBrowser>
#include <QtTest>

using pv::test::fileBytes;
using pv::test::Harness;
using pv::test::writeFile;

namespace
{

QStringList users(Harness &h)
{
    QStringList out;
    for (const auto &r :
         h.rows(QStringLiteral("SELECT Username, Password, UserType, Name FROM \"User\" ORDER BY id")))
        out << QStringList{r[0].toString(), r[1].toString(), r[2].toString(), r[3].toString()}.join(
            QLatin1Char('|'));
    return out;
}

QStringList units(Harness &h)
{
    QStringList out;
    for (const auto &r : h.rows(QStringLiteral("SELECT birimadi FROM birimler ORDER BY id")))
        out << r[0].toString();
    return out;
}

// The list shows the user of that name as its current row.
void selectUser(kullanici &k, const QString &name)
{
    QVERIFY(k.Data1->Recordset().FindFirst(QStringLiteral("Username = ?"), {name}));
}

// Opens the window modally, runs the action in it and closes it afterwards.
template <class T> void runModal(Harness &h, std::function<void(T &)> action)
{
    h.onModal<T>([action](T &w) {
        action(w);
        if (w.isLoaded())
            pv::Unload(w);
    });
    pv::form<T>().Show(pv::Form::Modal);
    h.settle();
}

QString backupFolder(Harness &h)
{
    const QString folder = h.folder() + QStringLiteral("/yedek");
    QDir().mkpath(folder);
    return folder;
}

} // namespace

class TestAdmin : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void userAdd_data();
    void userAdd();
    void userAddRoleCarriesOver();
    void userEdit_data();
    void userEdit();
    void userEditCloseDiscards();
    void userDelete_data();
    void userDelete();
    void userPasswordEcho();
    void passwordBoxesShowStars();
    void userEditShowsFromStart();
    void userEnterMovesOn();

    void unitAdd_data();
    void unitAdd();
    void unitRefused();
    void unitDelete_data();
    void unitDelete();

    void settingsPages_data();
    void settingsPages();
    void settingsCloseWrites_data();
    void settingsCloseWrites();
    void settingsLongTextsFromStart_data();
    void settingsLongTextsFromStart();
    void settingsSslBoxUnused();
    void settingsMailCheck_data();
    void settingsMailCheck();
    void settingsReceiptNumber_data();
    void settingsReceiptNumber();
    void settingsWriteFailure();
    void settingsLogo_data();
    void settingsLogo();
    void settingsBackupSwitch_data();
    void settingsBackupSwitch();
    void settingsBackupSwitchSavedAsTick_data();
    void settingsBackupSwitchSavedAsTick();
    void settingsFolderPicker();

    void backupName();
    void backupWindow_data();
    void backupWindow();
    void backupOverwrite_data();
    void backupOverwrite();
    void backupEmptyDestination();
    void backupOfOpenDatabaseIsConsistent();
    void restoreGivesBackTheRows();
    void restoreRefused_data();
    void restoreRefused();
    void restoreNo();
    void restoreKeepsPathsOnActivation();

    void automaticBackupAtExit_data();
    void automaticBackupAtExit();
    void automaticBackupAsksBeforeReplacing();
    void largeBackupShowsFull();
    void startPrograms_data();
    void startPrograms();

    void connectionTest_data();
    void connectionTest();
    void announcements_data();
    void announcements();

    void mainWindowWindows_data();
    void mainWindowWindows();
    void mainWindowSettingsReachExit();
    void mainWindowExitWithoutBackup();
    void mainWindowRestore();
    void mainWindowPrograms_data();
    void mainWindowPrograms();
    void mainWindowAnnouncements();

private:
    QStringList m_fetched;
};

void TestAdmin::initTestCase()
{
    // No test reaches the network: every fetch is answered here.
    web::setFetcher([this](const QUrl &url, int) {
        m_fetched << url.toString();
        return QString();
    });
}

void TestAdmin::cleanupTestCase()
{
    web::setFetcher({});
}

// ------------------------------------------------------------------ users

void TestAdmin::userAdd_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("role");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("panelOpen");
    const QString admin = QStringLiteral("admin|admin|0|Tam Yetki");
    QTest::newRow("no name") << ""
                             << "x"
                             << ""
                             << "Kullanıcı Adını Yazın" << QStringList{admin} << true;
    QTest::newRow("no password") << "ali"
                                 << ""
                                 << ""
                                 << "Kullanıcı Şifresini Yazın" << QStringList{admin} << true;
    QTest::newRow("full rights") << "ali"
                                 << "1234"
                                 << ""
                                 << "Kullanıcı Kaydedildi. "
                                 << QStringList{admin, QStringLiteral("ali|1234|0|Tam Yetki")} << false;
    QTest::newRow("cashier") << "ayşe"
                             << "k1"
                             << "Kasiyer"
                             << "Kullanıcı Kaydedildi. "
                             << QStringList{admin, QStringLiteral("ayşe|k1|1|Kasiyer")} << false;
    QTest::newRow("blanks kept") << " veli "
                                 << " p "
                                 << "Tam Yetki"
                                 << "Kullanıcı Kaydedildi. "
                                 << QStringList{admin, QStringLiteral(" veli | p |0|Tam Yetki")} << false;
    QTest::newRow("duplicate") << "admin"
                               << "y"
                               << ""
                               << "Bu kayıt Mevcut" << QStringList{admin} << true;
    QTest::newRow("duplicate other case") << "ADMİN"
                                          << "y"
                                          << ""
                                          << "Bu kayıt Mevcut" << QStringList{admin} << true;
}

void TestAdmin::userAdd()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QString, role);
    QFETCH(QString, message);
    QFETCH(QStringList, expected);
    QFETCH(bool, panelOpen);
    Harness h;
    runModal<kullanici>(h, [&](kullanici &k) {
        h.click(k.MyButton2);
        QVERIFY(k.xpFrame1->isVisible());
        QVERIFY(!k.DBGrid2->isEnabled());
        h.type(k.Text1, name);
        h.type(k.Text2, password);
        if (!role.isEmpty()) {
            k.xpCombo1->setCurrentText(role);
            k.xpCombo1_Click();
        }
        if (message == QStringLiteral("Bu kayıt Mevcut"))
            h.expectMsgBox(message, pv::vbInformation, QStringLiteral("Dikkat"));
        else if (message.startsWith(QStringLiteral("Kullanıcı Kaydedildi")))
            h.expectMsgBox(message, pv::vbInformation, QStringLiteral("Bilgi"));
        else
            h.expectMsgBox(message, pv::vbExclamation, QStringLiteral("Dikkat!!"));
        h.click(k.ekles);
        QCOMPARE(k.xpFrame1->isVisible(), panelOpen);
        QCOMPARE(k.DBGrid2->isEnabled(), !panelOpen);
        if (panelOpen)
            QCOMPARE(k.Text1->text(), name); // what was typed stays for a correction
        else
            QCOMPARE(k.Text11111.text(), name);
        QCOMPARE(k.DBGrid2->model()->rowCount(), expected.size());
    });
    QCOMPARE(users(h), expected);
}

void TestAdmin::userAddRoleCarriesOver()
{
    Harness h;
    runModal<kullanici>(h, [&](kullanici &k) {
        h.click(k.MyButton2);
        h.type(k.Text1, QStringLiteral("k1"));
        h.type(k.Text2, QStringLiteral("p"));
        k.xpCombo1->setCurrentText(QStringLiteral("Kasiyer"));
        k.xpCombo1_Click();
        h.expectMsgBox(QStringLiteral("Kullanıcı Kaydedildi. "));
        h.click(k.ekles);
        h.click(k.MyButton2);
        QVERIFY(k.Text1->text().isEmpty());
        QCOMPARE(k.xpCombo1->currentText(), QStringLiteral("Kasiyer"));
        h.type(k.Text1, QStringLiteral("k2"));
        h.type(k.Text2, QStringLiteral("p"));
        h.expectMsgBox(QStringLiteral("Kullanıcı Kaydedildi. "));
        h.click(k.ekles);
    });
    QCOMPARE(
        h.value(QStringLiteral("SELECT UserType || Name FROM \"User\" WHERE Username = 'k2'")).toString(),
        QStringLiteral("1Kasiyer"));
}

void TestAdmin::userEdit_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("role");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("expected");
    const QString admin = QStringLiteral("admin|admin|0|Tam Yetki");
    const QString kasa = QStringLiteral("kasa|k|1|Kasiyer");
    QTest::newRow("rename") << "kasa"
                            << "kasa2"
                            << "k"
                            << "Kasiyer"
                            << "" << QStringList{admin, QStringLiteral("kasa2|k|1|Kasiyer")};
    QTest::newRow("promote") << "kasa"
                             << "kasa"
                             << "yeni"
                             << "Tam Yetki"
                             << "" << QStringList{admin, QStringLiteral("kasa|yeni|0|Tam Yetki")};
    QTest::newRow("no name") << "kasa"
                             << ""
                             << "k"
                             << "Kasiyer"
                             << "Kullanıcı Adını Yazın" << QStringList{admin, kasa};
    QTest::newRow("no password") << "kasa"
                                 << "kasa"
                                 << ""
                                 << "Kasiyer"
                                 << "Kullanıcı Şifresini Yazın" << QStringList{admin, kasa};
    QTest::newRow("duplicate") << "kasa"
                               << "admin"
                               << "k"
                               << "Kasiyer"
                               << "Bu kayıt Mevcut" << QStringList{admin, kasa};
    QTest::newRow("last full rights demoted") << "admin"
                                              << "admin"
                                              << "admin"
                                              << "Kasiyer"
                                              << "tek tam yetkili" << QStringList{admin, kasa};
    QTest::newRow("last full rights renamed")
        << "admin"
        << "patron"
        << "admin"
        << "Tam Yetki"
        << "" << QStringList{QStringLiteral("patron|admin|0|Tam Yetki"), kasa};
}

void TestAdmin::userEdit()
{
    QFETCH(QString, user);
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QString, role);
    QFETCH(QString, message);
    QFETCH(QStringList, expected);
    Harness h;
    h.insert(QStringLiteral("User"), {{QStringLiteral("Username"), QStringLiteral("kasa")},
                                      {QStringLiteral("Password"), QStringLiteral("k")},
                                      {QStringLiteral("UserType"), QStringLiteral("1")},
                                      {QStringLiteral("Name"), QStringLiteral("Kasiyer")}});
    runModal<kullanici>(h, [&](kullanici &k) {
        selectUser(k, user);
        h.click(k.BvButton1);
        QVERIFY(k.xpFrame2->isVisible());
        QCOMPARE(k.xpText1->text(), user);
        QCOMPARE(k.xpText2->echoMode(), QLineEdit::Password);
        k.xpText1->clear();
        h.type(k.xpText1, name);
        k.xpText2->clear();
        h.type(k.xpText2, password);
        k.xpCombo2->setCurrentText(role);
        k.xpCombo2_Click();
        if (!message.isEmpty())
            h.expectMsgBoxContaining(message);
        h.click(k.BvButton2);
        QCOMPARE(k.xpFrame2->isVisible(), !message.isEmpty());
        if (message.isEmpty())
            QCOMPARE(k.Text11111.text(), name);
    });
    QCOMPARE(users(h), expected);
}

void TestAdmin::userEditCloseDiscards()
{
    Harness h;
    runModal<kullanici>(h, [&](kullanici &k) {
        h.click(k.BvButton1);
        h.type(k.xpText1, QStringLiteral("xyz"));
        h.click(k.BvButton3);
        QVERIFY(!k.xpFrame2->isVisible());
        QVERIFY(k.DBGrid2->isEnabled());
        h.click(k.MyButton2); // another panel, then the window's close
        h.click(k.kapat);
    });
    QVERIFY(!pv::isLoaded<kullanici>());
    QCOMPARE(users(h), QStringList{QStringLiteral("admin|admin|0|Tam Yetki")});
}

void TestAdmin::userDelete_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<bool>("secondFull");
    QTest::addColumn<int>("answer"); // 0: no question expected
    QTest::addColumn<QStringList>("left");
    QTest::newRow("cashier yes") << "kasa" << false << int(pv::vbYes) << QStringList{"admin"};
    QTest::newRow("cashier no") << "kasa" << false << int(pv::vbNo) << QStringList{"admin", "kasa"};
    QTest::newRow("last full rights") << "admin" << false << 0 << QStringList{"admin", "kasa"};
    QTest::newRow("one of two full rights") << "admin" << true << int(pv::vbYes) << QStringList{"kasa"};
}

void TestAdmin::userDelete()
{
    QFETCH(QString, user);
    QFETCH(bool, secondFull);
    QFETCH(int, answer);
    QFETCH(QStringList, left);
    Harness h;
    h.insert(
        QStringLiteral("User"),
        {{QStringLiteral("Username"), QStringLiteral("kasa")},
         {QStringLiteral("Password"), QStringLiteral("k")},
         {QStringLiteral("UserType"), secondFull ? QStringLiteral("0") : QStringLiteral("1")},
         {QStringLiteral("Name"), secondFull ? QStringLiteral("Tam Yetki") : QStringLiteral("Kasiyer")}});
    runModal<kullanici>(h, [&](kullanici &k) {
        QVERIFY(k.MyButton1->Enabled());
        selectUser(k, user);
        if (answer)
            h.expectMsgBox(user + QStringLiteral("\r\rBU KAYDI SİLMEK İSTEDİĞİNİZDEN EMİN MİSİNİZ?"),
                           pv::vbYesNo | pv::vbQuestion, QStringLiteral("KAYIT SİL"), answer);
        else
            h.expectMsgBoxContaining(QStringLiteral("tek tam yetkili kullanıcıdır; silinemez"));
        h.click(k.MyButton1);
        QCOMPARE(k.DBGrid2->model()->rowCount(), left.size());
    });
    QStringList names;
    for (const auto &r : h.rows(QStringLiteral("SELECT Username FROM \"User\" ORDER BY Username")))
        names << r[0].toString();
    QCOMPARE(names, left);
}

void TestAdmin::userPasswordEcho()
{
    Harness h;
    runModal<kullanici>(h, [&](kullanici &k) {
        h.click(k.MyButton2);
        QCOMPARE(k.Text2->echoMode(), QLineEdit::Normal);
        h.click(k.Check1);
        QCOMPARE(k.Text2->echoMode(), QLineEdit::Password);
        h.click(k.BvButton4);
        h.click(k.BvButton1);
        QCOMPARE(k.xpText2->echoMode(), QLineEdit::Password);
        h.click(k.Check2);
        QCOMPARE(k.xpText2->echoMode(), QLineEdit::Normal);
        // Esc closes the window.
        h.key(k.xpText1, Qt::Key_Escape);
    });
    QVERIFY(!pv::isLoaded<kullanici>());
}

void TestAdmin::passwordBoxesShowStars()
{
    Harness h;
    h.exec(QStringLiteral("UPDATE dgrayr SET mailsifre = 'gizli', mailadres = 'dukkan@gmail.com'"));
    const QString stars = QStringLiteral("*****");
    runModal<kullanici>(h, [&](kullanici &k) {
        h.click(k.MyButton2);
        h.click(k.Check1);
        h.type(k.Text2, QStringLiteral("gizli"));
        QCOMPARE(k.Text2->displayText(), stars);
        h.click(k.BvButton4);
        h.click(k.BvButton1); // admin, password "admin"
        QCOMPARE(k.xpText2->displayText(), stars);
        h.click(k.Check2);
        QCOMPARE(k.xpText2->displayText(), QStringLiteral("admin"));
        h.click(k.Check2);
        QCOMPARE(k.xpText2->displayText(), stars);
    });
    runModal<ayarlar>(h, [&](ayarlar &a) {
        QCOMPARE(a.txtMailSifre->displayText(), stars);
        h.click(a.btnEdit3);
        h.key(a.txtMailSifre, Qt::Key_End);
        h.type(a.txtMailSifre, QStringLiteral("12"));
        QCOMPARE(a.txtMailSifre->displayText(), QStringLiteral("*******"));
    });
}

void TestAdmin::userEditShowsFromStart()
{
    Harness h;
    const QString name = QStringLiteral("muhasebe.sorumlusu.ikinci.sube.kadikoy.istanbul");
    const QString password = QStringLiteral("cok-uzun-bir-parola-ki-kutuya-sigmaz-1234567890");
    h.insert(QStringLiteral("User"), {{QStringLiteral("Username"), name},
                                      {QStringLiteral("Password"), password},
                                      {QStringLiteral("UserType"), QStringLiteral("1")},
                                      {QStringLiteral("Name"), QStringLiteral("Kasiyer")}});
    runModal<kullanici>(h, [&](kullanici &k) {
        selectUser(k, name);
        h.click(k.BvButton1);
        for (QLineEdit *box : {k.xpText1, k.xpText2}) {
            QVERIFY(box->fontMetrics().horizontalAdvance(box->displayText()) > box->width());
            QCOMPARE(box->cursorPosition(), 0);
        }
        QCOMPARE(k.xpText1->text(), name);
        QCOMPARE(k.xpText2->text(), password);
    });
}

void TestAdmin::userEnterMovesOn()
{
    Harness h;
    runModal<kullanici>(h, [&](kullanici &k) {
        h.click(k.MyButton2);
        QTRY_VERIFY(k.Text1->hasFocus());
        h.type(k.Text1, QStringLiteral("ali"));
        h.key(k.Text1, Qt::Key_Return);
        QTRY_VERIFY(k.Text2->hasFocus());
        QCOMPARE(k.Text1->text(), QStringLiteral("ali"));
    });
}

// ------------------------------------------------------------------ units

void TestAdmin::unitAdd_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<int>("listRow"); // where the new unit shows in the sorted list
    QTest::newRow("empty") << "" << false << -1;
    QTest::newRow("first place") << "Ad" << true << 0;
    QTest::newRow("middle") << "Gram" << true << 1;
    QTest::newRow("blanks only") << "  " << true << 0;
}

void TestAdmin::unitAdd()
{
    QFETCH(QString, typed);
    QFETCH(bool, stored);
    QFETCH(int, listRow);
    Harness h;
    const QStringList before = units(h);
    runModal<birmler>(h, [&](birmler &b) {
        h.type(b.xpText1, typed);
        if (!stored)
            h.expectMsgBox(QStringLiteral("Birimi Yazın"), pv::vbExclamation, QStringLiteral("Dikkat!!"));
        h.click(b.btnEkle);
        if (stored) {
            QVERIFY(b.xpText1->text().isEmpty());
            QCOMPARE(b.DBGrid1->model()->index(listRow, 0).data().toString(), typed);
            QCOMPARE(b.Data1->currentRow(), listRow);
        }
    });
    QCOMPARE(units(h), stored ? before + QStringList{typed} : before);
}

void TestAdmin::unitRefused()
{
    Harness h;
    h.exec(QStringLiteral("CREATE UNIQUE INDEX birim_tek ON birimler(birimadi)"));
    runModal<birmler>(h, [&](birmler &b) {
        h.type(b.xpText1, QStringLiteral("kg"));
        h.expectMsgBox(QStringLiteral("Bu kayıt Mevcut"), pv::vbExclamation, QStringLiteral("Dikkat!!"));
        h.click(b.btnEkle);
        QCOMPARE(b.xpText1->text(), QStringLiteral("kg"));
        b.xpText1->clear();
        h.type(b.xpText1, QStringLiteral("Düzine"));
        h.click(b.btnEkle);
        QVERIFY(b.xpText1->text().isEmpty());
    });
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM birimler")).toInt(), 7);
}

void TestAdmin::unitDelete_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("count");
    QTest::newRow("yes") << int(pv::vbYes) << 5;
    QTest::newRow("no") << int(pv::vbNo) << 6;
}

void TestAdmin::unitDelete()
{
    QFETCH(int, answer);
    QFETCH(int, count);
    Harness h;
    runModal<birmler>(h, [&](birmler &b) {
        QVERIFY(b.Data1->Recordset().FindFirst(QStringLiteral("birimadi = 'Kutu'")));
        h.expectMsgBox(QStringLiteral("Seçmiş olduğunuz Birim silinecektir. Emin misiniz?"),
                       pv::vbYesNo | pv::vbQuestion, QStringLiteral("KAYIT SİL"), answer);
        h.click(b.btnSil);
        QCOMPARE(b.DBGrid1->model()->rowCount(), count);
    });
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM birimler")).toInt(), count);
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM birimler WHERE birimadi = 'Kutu'")).toInt(),
             count - 5);
}

// ------------------------------------------------------------------ settings

void TestAdmin::settingsPages_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("tellsMainWindow");
    QTest::newRow("name") << 0 << "kurumismi"
                          << "Yeni Market" << true;
    QTest::newRow("backup folder") << 1 << "oto_yedek"
                                   << "/yedek/gunluk/" << true;
    QTest::newRow("receipt") << 2 << "yolu"
                             << "125" << false;
    QTest::newRow("mail") << 3 << "mailadres"
                          << "dukkan@gmail.com" << false;
}

void TestAdmin::settingsPages()
{
    QFETCH(int, page);
    QFETCH(QString, column);
    QFETCH(QString, value);
    QFETCH(bool, tellsMainWindow);
    Harness h;
    const QString table =
        column == QLatin1String("yolu") ? QStringLiteral("yedek_yeri") : QStringLiteral("dgrayr");
    const auto before = h.rows(QStringLiteral("SELECT * FROM dgrayr"));
    runModal<ayarlar>(h, [&](ayarlar &a) {
        int told = 0;
        connect(&a, &ayarlar::settingsSaved, &a, [&] { ++told; });
        const QList<BvButton *> edits{a.btnEdit, a.vekbutton6, a.btnEdit2, a.btnEdit3};
        const QList<BvButton *> saves{a.btnSave, a.BvButton6, a.btnSave2, a.btnSave3};
        const QList<QLineEdit *> boxes{a.Text3, a.Destinationpath, a.txtFisNo, a.txtMailKul};
        QVERIFY(!boxes[page]->isEnabled());
        QVERIFY(saves[page]->isHidden());
        a.XTab1->setCurrentIndex(page);
        h.click(edits[page]);
        QVERIFY(boxes[page]->isEnabled());
        QVERIFY(edits[page]->isHidden());
        QVERIFY(!saves[page]->isHidden());
        // Another page being edited at the same time is not written by this save.
        if (page != 3) {
            a.XTab1->setCurrentIndex(3);
            h.click(a.btnEdit3);
            a.txtMailSunucu->setText(QStringLiteral("yazilmamali"));
            a.XTab1->setCurrentIndex(page);
        }
        boxes[page]->clear();
        h.type(boxes[page], value);
        h.click(saves[page]);
        QVERIFY(!boxes[page]->isEnabled());
        QVERIFY(!edits[page]->isHidden());
        QVERIFY(saves[page]->isHidden());
        QCOMPARE(boxes[page]->text(), value);
        QCOMPARE(told, tellsMainWindow ? 1 : 0);
        if (page != 3) {
            QCOMPARE(a.txtMailSunucu->text(), QStringLiteral("yazilmamali")); // still being edited
            // Without an address its save refuses the page as the window closes.
            h.expectMsgBoxContaining(QStringLiteral("geçerli bir gmail adresi değil"));
        }
    });
    QCOMPARE(h.value(QStringLiteral("SELECT %1 FROM %2").arg(column, table)).toString(), value);
    QCOMPARE(h.value(QStringLiteral("SELECT mailsunucu FROM dgrayr")), before[0][5]);
}

void TestAdmin::settingsSslBoxUnused()
{
    Harness h;
    runModal<ayarlar>(h, [&](ayarlar &a) {
        QVERIFY(!a.Check2->isEnabled());
        a.XTab1->setCurrentIndex(3);
        h.click(a.btnEdit3);
        QVERIFY(a.txtMailSunucu->isEnabled());
        QVERIFY(!a.Check2->isEnabled()); // nothing reads or stores it
        // Left in edit mode with no address: its save refuses it as the window closes.
        h.expectMsgBoxContaining(QStringLiteral("geçerli bir gmail adresi değil"));
    });
}

void TestAdmin::settingsCloseWrites_data()
{
    // Pages left in edit mode ("name", "backup", "receipt", "mail"), what is typed into the
    // receipt number and the mail address, whether the settings row refuses writes, the
    // messages shown in order, then the stored name, switch, receipt number and address.
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<QString>("receipt");
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("failWrites");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("stored");
    const QString receiptRefused =
        QStringLiteral("Son makbuz numarası sıfır ya da daha büyük bir tam sayı olmalıdır.");
    const QString mailRefused = QStringLiteral("E-posta adresi geçerli bir gmail adresi değil. "
                                               "isletmeniz@gmail.com gibi doğru gmail adresi girin.");
    const QString failed = QStringLiteral("Ayarlar kaydedilemedi. Lütfen tekrar deneyin.");
    const QStringList shipped{"Pelvanor", "0", "1", ""};
    QTest::newRow("name") << QStringList{"name"} << ""
                          << "" << false << QStringList{} << QStringList{"Pelvanor Ltd", "0", "1", ""};
    QTest::newRow("backup switch") << QStringList{"backup"} << ""
                                   << "" << false << QStringList{} << QStringList{"Pelvanor", "1", "1", ""};
    QTest::newRow("receipt") << QStringList{"receipt"} << "25"
                             << "" << false << QStringList{} << QStringList{"Pelvanor", "0", "25", ""};
    QTest::newRow("receipt refused") << QStringList{"receipt"} << ""
                                     << "" << false << QStringList{receiptRefused} << shipped;
    QTest::newRow("mail") << QStringList{"mail"} << ""
                          << "dukkan@gmail.com" << false << QStringList{}
                          << QStringList{"Pelvanor", "0", "1", "dukkan@gmail.com"};
    QTest::newRow("mail refused") << QStringList{"mail"} << ""
                                  << "dukkan@example.com" << false << QStringList{mailRefused} << shipped;
    QTest::newRow("two pages") << QStringList{"name", "receipt"} << "25"
                               << "" << false << QStringList{} << QStringList{"Pelvanor Ltd", "0", "25", ""};
    QTest::newRow("two pages, one refused")
        << QStringList{"name", "receipt"} << ""
        << "" << false << QStringList{receiptRefused} << QStringList{"Pelvanor Ltd", "0", "1", ""};
    QTest::newRow("two pages refused")
        << QStringList{"receipt", "mail"} << ""
        << "GMAIL.COM" << false << QStringList{receiptRefused, mailRefused} << shipped;
    QTest::newRow("write fails") << QStringList{"name", "backup", "receipt"} << "25"
                                 << "" << true << QStringList{failed}
                                 << QStringList{"Pelvanor", "0", "25", ""};
}

void TestAdmin::settingsCloseWrites()
{
    QFETCH(QStringList, pages);
    QFETCH(QString, receipt);
    QFETCH(QString, address);
    QFETCH(bool, failWrites);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, stored);
    Harness h;
    if (failWrites)
        h.exec(QStringLiteral(
            "CREATE TRIGGER no_write BEFORE UPDATE ON dgrayr BEGIN SELECT RAISE(ABORT, 'locked'); END"));
    runModal<ayarlar>(h, [&](ayarlar &a) {
        if (pages.contains(QLatin1String("name"))) {
            h.click(a.btnEdit);
            h.key(a.Text3, Qt::Key_End);
            h.type(a.Text3, QStringLiteral(" Ltd"));
        }
        if (pages.contains(QLatin1String("backup"))) {
            a.XTab1->setCurrentIndex(1);
            h.click(a.vekbutton6);
            h.click(a.Check1);
        }
        if (pages.contains(QLatin1String("receipt"))) {
            a.XTab1->setCurrentIndex(2);
            h.click(a.btnEdit2);
            a.txtFisNo->clear();
            h.type(a.txtFisNo, receipt);
        }
        if (pages.contains(QLatin1String("mail"))) {
            a.XTab1->setCurrentIndex(3);
            h.click(a.btnEdit3);
            a.txtMailKul->clear();
            h.type(a.txtMailKul, address);
        }
        for (const QString &m : messages)
            h.expectMsgBoxContaining(m);
        a.close(); // the window's close box
    });
    QVERIFY(!pv::isLoaded<ayarlar>());
    QCOMPARE(h.msgBoxes().size(), messages.size());
    for (int i = 0; i < messages.size(); ++i)
        QCOMPARE(h.msgBoxes()[i].text, messages[i]);
    const auto row =
        h.rows(QStringLiteral("SELECT kurumismi, oto_yedek_aktif, (SELECT yolu FROM yedek_yeri), mailadres "
                              "FROM dgrayr"))[0];
    QStringList actual;
    for (const QVariant &v : row)
        actual << v.toString();
    QCOMPARE(actual, stored);
}

void TestAdmin::settingsLongTextsFromStart_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("value");
    QTest::newRow("shop name") << "kurumismi"
                               << "ÇAĞLAR GIDA TEKSTİL İNŞAAT SANAYİ VE TİCARET LİMİTED ŞİRKETİ / KADIKÖY / "
                                  "İSTANBUL";
    QTest::newRow("logo") << "logo"
                          << "/home/dukkan/Belgeler/Firma Evrakları/Logolar/2026/yeni-logo-buyuk.jpg";
    QTest::newRow("backup folder")
        << "oto_yedek"
        << "/media/dukkan/HARİCİ YEDEK DİSKİ/Pelvanor Programı Yedekleri/Günlük Otomatik Yedekler/";
    QTest::newRow("mail server") << "mailsunucu"
                                 << "smtp.posta-sunucusu.cok-uzun-bir-alan-adi.example.com.tr";
    QTest::newRow("mail address") << "mailadres"
                                  << "caglar.gida.tekstil.insaat.muhasebe.bolumu@gmail.com";
}

// A text longer than its box shows from its first character: when the window opens, after
// the page is saved, and when the window is opened again.
void TestAdmin::settingsLongTextsFromStart()
{
    QFETCH(QString, column);
    QFETCH(QString, value);
    Harness h;
    h.exec(QStringLiteral("UPDATE dgrayr SET mailadres = 'dukkan@gmail.com'"));
    h.exec(QStringLiteral("UPDATE dgrayr SET %1 = ?").arg(column), {value});
    const int page = column == QLatin1String("kurumismi") || column == QLatin1String("logo") ? 0
                     : column == QLatin1String("oto_yedek")                                  ? 1
                                                                                             : 3;
    auto box = [&](ayarlar &a) {
        const QHash<QString, QLineEdit *> boxes{{QStringLiteral("kurumismi"), a.Text3},
                                                {QStringLiteral("logo"), a.Text4},
                                                {QStringLiteral("oto_yedek"), a.Destinationpath},
                                                {QStringLiteral("mailsunucu"), a.txtMailSunucu},
                                                {QStringLiteral("mailadres"), a.txtMailKul}};
        return boxes.value(column);
    };
    auto shownFromStart = [&](ayarlar &a) {
        QLineEdit *b = box(a);
        QCOMPARE(b->text(), value);
        QVERIFY(b->fontMetrics().horizontalAdvance(value) > b->width());
        QCOMPARE(b->cursorPosition(), 0);
    };
    runModal<ayarlar>(h, [&](ayarlar &a) {
        shownFromStart(a);
        a.XTab1->setCurrentIndex(page);
        const QList<BvButton *> edits{a.btnEdit, a.vekbutton6, a.btnEdit2, a.btnEdit3};
        const QList<BvButton *> saves{a.btnSave, a.BvButton6, a.btnSave2, a.btnSave3};
        h.click(edits[page]);
        h.click(saves[page]);
        QVERIFY(saves[page]->isHidden());
        shownFromStart(a);
    });
    runModal<ayarlar>(h, [&](ayarlar &a) { shownFromStart(a); });
}

void TestAdmin::settingsMailCheck_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("passes");
    QTest::newRow("gmail") << "dukkan@gmail.com" << true;
    QTest::newRow("domain in the middle") << "a@gmail.com.tr" << true;
    QTest::newRow("capitals") << "dukkan@GMAIL.COM" << false;
    QTest::newRow("other provider") << "dukkan@example.com" << false;
    QTest::newRow("no at sign") << "gmail.com" << false;
    QTest::newRow("empty") << "" << false;
}

void TestAdmin::settingsMailCheck()
{
    QFETCH(QString, address);
    QFETCH(bool, passes);
    Harness h;
    const QString stored = h.value(QStringLiteral("SELECT mailadres FROM dgrayr")).toString();
    runModal<ayarlar>(h, [&](ayarlar &a) {
        h.click(a.btnEdit3);
        a.txtMailKul->clear();
        h.type(a.txtMailKul, address);
        h.type(a.txtMailSifre, QStringLiteral("gizli"));
        if (!passes)
            h.expectMsgBox(
                QStringLiteral("E-posta adresi geçerli bir gmail adresi değil. isletmeniz@gmail.com gibi "
                               "doğru gmail adresi girin."),
                pv::vbCritical, QStringLiteral("Pelvanor"));
        h.click(a.btnSave3);
        QCOMPARE(a.txtMailKul->isEnabled(), !passes);
        QCOMPARE(a.btnSave3->isHidden(), passes);
        if (!passes) // still in edit mode: refused again as the window closes
            h.expectMsgBoxContaining(QStringLiteral("geçerli bir gmail adresi değil"));
    });
    QCOMPARE(h.value(QStringLiteral("SELECT mailadres FROM dgrayr")).toString(), passes ? address : stored);
}

void TestAdmin::settingsReceiptNumber_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("saved");
    QTest::newRow("number") << "42"
                            << "42" << true;
    QTest::newRow("zero") << "0"
                          << "0" << true;
    QTest::newRow("minus sign refused") << "-7"
                                        << "7" << true;
    QTest::newRow("letters and comma refused") << "1,5a"
                                               << "15" << true;
    QTest::newRow("nothing") << ""
                             << "" << false;
}

void TestAdmin::settingsReceiptNumber()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, saved);
    Harness h;
    runModal<ayarlar>(h, [&](ayarlar &a) {
        QCOMPARE(a.txtFisNo->text(), QStringLiteral("1"));
        h.click(a.btnEdit2);
        a.txtFisNo->clear();
        h.type(a.txtFisNo, typed);
        QCOMPARE(a.txtFisNo->text(), shown);
        if (!saved)
            h.expectMsgBoxContaining(QStringLiteral("tam sayı"));
        h.click(a.btnSave2);
        QCOMPARE(a.btnSave2->isHidden(), saved);
        if (!saved) // still in edit mode: refused again as the window closes
            h.expectMsgBoxContaining(QStringLiteral("tam sayı"));
    });
    QCOMPARE(h.value(QStringLiteral("SELECT yolu FROM yedek_yeri")).toString(),
             saved ? shown : QStringLiteral("1"));
}

void TestAdmin::settingsWriteFailure()
{
    Harness h;
    h.exec(QStringLiteral(
        "CREATE TRIGGER no_write BEFORE UPDATE ON dgrayr BEGIN SELECT RAISE(ABORT, 'locked'); END"));
    const auto before = h.rows(QStringLiteral("SELECT * FROM dgrayr"));
    runModal<ayarlar>(h, [&](ayarlar &a) {
        h.click(a.btnEdit);
        h.key(a.Text3, Qt::Key_End);
        h.type(a.Text3, QStringLiteral(" Ltd"));
        h.expectMsgBox(QStringLiteral("Ayarlar kaydedilemedi. Lütfen tekrar deneyin."), pv::vbCritical,
                       QStringLiteral("Hata"));
        h.click(a.btnSave);
        QVERIFY(a.Text3->isEnabled());
        QVERIFY(a.Text3->text().endsWith(QLatin1String(" Ltd")));
        // Still in edit mode: written once more as the window closes, and refused again.
        h.expectMsgBox(QStringLiteral("Ayarlar kaydedilemedi. Lütfen tekrar deneyin."), pv::vbCritical,
                       QStringLiteral("Hata"));
    });
    QCOMPARE(h.rows(QStringLiteral("SELECT * FROM dgrayr")), before);
}

void TestAdmin::settingsLogo_data()
{
    QTest::addColumn<QString>("file");  // created in the folder when not empty
    QTest::addColumn<QString>("typed"); // relative to the folder, "" for an empty path
    QTest::addColumn<QString>("title"); // the message's title, "" for none
    QTest::addColumn<bool>("preview");
    QTest::newRow("good jpg") << "logo.jpg"
                              << "logo.jpg"
                              << "" << true;
    QTest::newRow("upper case BMP") << "LOGO.BMP"
                                    << "LOGO.BMP"
                                    << "" << true;
    QTest::newRow("missing file") << ""
                                  << "yok.jpg"
                                  << "Hata " << false;
    QTest::newRow("other extension") << "logo.png"
                                     << "logo.png"
                                     << "Hata" << false;
    QTest::newRow("jpeg ends in PEG") << "logo.jpeg"
                                      << "logo.jpeg"
                                      << "Hata" << false;
    QTest::newRow("emptied") << ""
                             << ""
                             << "" << false;
}

void TestAdmin::settingsLogo()
{
    QFETCH(QString, file);
    QFETCH(QString, typed);
    QFETCH(QString, title);
    QFETCH(bool, preview);
    Harness h;
    if (!file.isEmpty()) {
        QImage img(40, 30, QImage::Format_RGB32);
        img.fill(Qt::red);
        const QString format = file.endsWith(QLatin1String("BMP"), Qt::CaseInsensitive)
                                   ? QStringLiteral("BMP")
                               : file.endsWith(QLatin1String("png")) ? QStringLiteral("PNG")
                                                                     : QStringLiteral("JPG");
        QVERIFY(img.save(h.folder() + QLatin1Char('/') + file, format.toLatin1().constData()));
    }
    const QString path = typed.isEmpty() ? QString() : h.folder() + QLatin1Char('/') + typed;
    runModal<ayarlar>(h, [&](ayarlar &a) {
        h.click(a.btnEdit);
        h.type(a.Text4, QStringLiteral("x")); // no check while typing
        QVERIFY(h.msgBoxes().isEmpty());
        a.Text4->setText(path);
        if (!title.isEmpty())
            h.expectMsgBox(QStringLiteral("Firma Logosu Klasör Dizini Hatalı"), pv::vbExclamation, title);
        QMetaObject::invokeMethod(a.Text4, "editingFinished");
        QCOMPARE(!a.Image2->pixmap().isNull(), preview);
        h.click(a.btnSave);
    });
    QCOMPARE(h.value(QStringLiteral("SELECT logo FROM dgrayr")).toString(), path);
}

void TestAdmin::settingsBackupSwitch_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("ticked");
    QTest::newRow("on") << "1" << false;
    QTest::newRow("off") << "0" << true;
    QTest::newRow("two counts as on") << "2" << false;
    QTest::newRow("empty counts as off") << "" << true;
    QTest::newRow("text counts as off") << "evet" << true;
}

void TestAdmin::settingsBackupSwitch()
{
    QFETCH(QString, stored);
    QFETCH(bool, ticked);
    Harness h;
    h.exec(QStringLiteral("UPDATE dgrayr SET oto_yedek_aktif = ?"), {stored});
    runModal<ayarlar>(h, [&](ayarlar &a) {
        QCOMPARE(a.Check1->isChecked(), ticked);
        h.click(a.vekbutton6);
        h.click(a.Check1);
        QCOMPARE(a.Text2.text(), ticked ? QStringLiteral("1") : QStringLiteral("0"));
        h.click(a.BvButton6);
    });
    QCOMPARE(h.value(QStringLiteral("SELECT oto_yedek_aktif FROM dgrayr")).toString(),
             ticked ? QStringLiteral("1") : QStringLiteral("0"));
}

void TestAdmin::settingsBackupSwitchSavedAsTick_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("saved");
    QTest::newRow("two") << "2"
                         << "1";
    QTest::newRow("empty") << ""
                           << "0";
    QTest::newRow("text") << "evet"
                          << "0";
}

void TestAdmin::settingsBackupSwitchSavedAsTick()
{
    QFETCH(QString, stored);
    QFETCH(QString, saved);
    Harness h;
    h.exec(QStringLiteral("UPDATE dgrayr SET oto_yedek_aktif = ?"), {stored});
    runModal<ayarlar>(h, [&](ayarlar &a) {
        QCOMPARE(a.Text2.text(), saved);
        h.click(a.vekbutton6);
        h.click(a.BvButton6);
    });
    QCOMPARE(h.value(QStringLiteral("SELECT oto_yedek_aktif FROM dgrayr")).toString(), saved);
}

void TestAdmin::settingsFolderPicker()
{
    Harness h;
    h.exec(QStringLiteral("UPDATE dgrayr SET oto_yedek = '/eski/'"));
    runModal<ayarlar>(h, [&](ayarlar &a) {
        h.click(a.vekbutton6);
        h.expectFolder(QString()); // cancelled: nothing changes
        h.click(a.MyButton7);
        QCOMPARE(a.Destinationpath->text(), QStringLiteral("/eski/"));
        h.expectFolder(QStringLiteral("/yeni/yer/"));
        h.click(a.MyButton7);
        QCOMPARE(a.Destinationpath->text(), QStringLiteral("/yeni/yer/"));
        // Typed without the separator: the save adds it.
        a.Destinationpath->setText(QStringLiteral("/elle/yazilan"));
        h.click(a.BvButton6);
    });
    QCOMPARE(h.value(QStringLiteral("SELECT oto_yedek FROM dgrayr")).toString(),
             QStringLiteral("/elle/yazilan") + QDir::separator());
}

// ------------------------------------------------------------------ backup and restore

void TestAdmin::backupName()
{
    Harness h;
    h.setNow(QDateTime(QDate(2014, 3, 9), QTime(14, 5, 9)));
    QCOMPARE(ui::backupFileName(), QStringLiteral("BrennavikPelvanor_Yedek_09-03-14(14-05-09).ydk"));
    QCOMPARE(ui::withTrailingSeparator(QStringLiteral("D:\\Yedek\\")), QStringLiteral("D:\\Yedek\\"));
    QCOMPARE(ui::withTrailingSeparator(QStringLiteral("/yedek")),
             QStringLiteral("/yedek") + QDir::separator());
    QCOMPARE(ui::withTrailingSeparator(QString()), QString());
}

void TestAdmin::backupWindow_data()
{
    QTest::addColumn<bool>("trailing");
    QTest::newRow("folder with separator") << true;
    QTest::newRow("folder without separator") << false;
}

void TestAdmin::backupWindow()
{
    QFETCH(bool, trailing);
    Harness h;
    h.setNow(QDateTime(QDate(2014, 3, 9), QTime(14, 5, 9)));
    const QString folder = backupFolder(h);
    const QString expected = folder + QStringLiteral("/BrennavikPelvanor_Yedek_09-03-14(14-05-09).ydk");
    h.onModal<CopyFile>([&](CopyFile &c) {
        QCOMPARE(c.Caption(), QStringLiteral("Yedek Oluşturma İşlemleri"));
        QVERIFY(c.yedeklefrm->isVisible());
        QVERIFY(!c.yuklefrm->isVisible());
        QCOMPARE(c.Destinationpath->text(), expected);
        h.expectMsgBox(expected + QStringLiteral("  KLASÖRÜNE DOSYA YEDEKLENDİ"), pv::vbInformation,
                       QStringLiteral("BİLGİ"));
        h.click(c.Copy);
        QCOMPARE(c.ProgressBar->Value(), 100);
        QVERIFY(c.isVisible()); // stays open
        h.click(c.VornXPButton3);
    });
    CopyFile &c = frmSplash::backupWindow();
    c.setCaption(QStringLiteral("Yedek Oluşturma İşlemleri"));
    c.txtSurucu = trailing ? folder + QLatin1Char('/') : folder;
    c.Show(pv::Form::Modal);
    h.settle();
    QVERIFY(!pv::isLoaded<CopyFile>());
    QVERIFY(pv::isProgramDatabase(expected, pv::schemaSql()));
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QFileInfo(expected).fileName()});
}

void TestAdmin::backupOverwrite_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("yes") << int(pv::vbYes);
    QTest::newRow("no") << int(pv::vbNo);
}

void TestAdmin::backupOverwrite()
{
    QFETCH(int, answer);
    Harness h;
    const QString folder = backupFolder(h) + QLatin1Char('/');
    const QString target = folder + ui::backupFileName();
    QVERIFY(writeFile(target, "eski yedek"));
    h.onModal<CopyFile>([&](CopyFile &c) {
        h.expectMsgBox(target + QStringLiteral("\n\nDosyası zaten var. Varolan dosya ile değiştirilsin mi? "),
                       pv::vbYesNo | pv::vbQuestion, QStringLiteral("Dikkat"), answer);
        if (answer == pv::vbYes)
            h.expectMsgBoxContaining(QStringLiteral("KLASÖRÜNE DOSYA YEDEKLENDİ"));
        h.click(c.Copy);
        QCOMPARE(c.ProgressBar->Value(), answer == pv::vbYes ? 100 : 0);
        h.click(c.VornXPButton3);
    });
    frmSplash::backupWindow().txtSurucu = folder;
    frmSplash::backupWindow().Show(pv::Form::Modal);
    h.settle();
    QCOMPARE(pv::isProgramDatabase(target, pv::schemaSql()), answer == pv::vbYes);
    if (answer == pv::vbNo)
        QCOMPARE(fileBytes(target), QByteArray("eski yedek"));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1); // no temporary file left
}

void TestAdmin::backupEmptyDestination()
{
    Harness h;
    h.onModal<CopyFile>([&](CopyFile &c) {
        c.Destinationpath->clear();
        h.expectMsgBox(QStringLiteral("Yedeklenecek Klasörü Seçiniz."), pv::vbCritical,
                       QStringLiteral("DİKKAT!"));
        h.click(c.Copy);
        QVERIFY(c.Destinationpath->text().endsWith(QLatin1String("data.ydk")));
        // A destination that names the database itself copies nothing.
        c.Destinationpath->setText(pv::databasePath());
        h.expectMsgBox(QStringLiteral("Kopyalama Hatası!, Yeniden deneyin."), pv::vbInformation,
                       QStringLiteral("Bilgi"));
        h.click(c.Copy);
        // A folder that does not exist.
        c.Destinationpath->setText(h.folder() + QStringLiteral("/yok/a.ydk"));
        h.expectMsgBox(QStringLiteral("Kopyalama Hatası!, Yeniden deneyin."));
        h.click(c.Copy);
        QCOMPARE(c.ProgressBar->Value(), 0);
        h.click(c.VornXPButton3);
    });
    const QByteArray before = fileBytes(h.databasePath());
    frmSplash::backupWindow().Show(pv::Form::Modal);
    h.settle();
    QCOMPARE(fileBytes(h.databasePath()), before);
}

void TestAdmin::backupOfOpenDatabaseIsConsistent()
{
    Harness h;
    // A window holds the file open with rows it has written.
    pv::DataControl dc;
    dc.setDatabaseName(pv::databasePath());
    dc.setRecordSource(QStringLiteral("birimler"));
    QVERIFY(dc.Refresh());
    QVERIFY(dc.Database().exec(QStringLiteral("INSERT INTO birimler (birimadi) VALUES ('Deste')")));
    const QString target = backupFolder(h) + QStringLiteral("/a.ydk");
    QVERIFY(ui::copyDatabase(pv::databasePath(), target, QStringLiteral("Dikkat"), nullptr,
                             ui::CopyKind::Backup) > 0);
    QVERIFY(pv::isProgramDatabase(target, pv::schemaSql()));
    QVERIFY(!QFile::exists(target + QStringLiteral("-journal")));
    QVERIFY(pv::databaseInUse(pv::databasePath()));
    dc.close();
    QVERIFY(!pv::databaseInUse(pv::databasePath()));
    // The copy stands alone: open it as the program's database and read the new row.
    pv::setProgramFolder(QFileInfo(target).absolutePath());
    QFile::rename(target, pv::databasePath());
    Harness::settle();
    pv::Database copy;
    QVERIFY(copy.open(pv::databasePath()));
    QCOMPARE(copy.scalar(QStringLiteral("SELECT count(*) FROM birimler WHERE birimadi = 'Deste'")).toInt(),
             1);
    copy.close();
    pv::setProgramFolder(h.folder());
}

// Drives the restore window from the main window's hand-off to the end of the copy.
static void restoreFrom(Harness &h, const QString &backup, int overwriteAnswer, const QString &result)
{
    CopyFile &c = frmSplash::backupWindow();
    c.txtAlert = QStringLiteral("11");
    c.txtSurucu = h.folder() + QLatin1Char('/');
    c.setCaption(QStringLiteral("Yedekten Geri Yükleme İşlemleri"));
    c.geriyuklefrm->setVisible(true);
    c.Show(pv::Form::Modeless);
    QVERIFY(c.restoreMode());
    QVERIFY(c.yuklefrm->isVisible());
    QVERIFY(!c.yedeklefrm->isVisible());
    QVERIFY(!c.ProgressBar->isVisible());
    QVERIFY(c.Filepath->text().isEmpty());
    h.click(c.VornXPButton1); // EVET
    QVERIFY(c.ProgressBar->isVisible());
    QVERIFY(!c.geriyuklefrm->isVisible());
    QVERIFY(!c.Command3->Enabled());
    h.expectOpenFile(backup);
    h.click(c.MyButton3);
    QCOMPARE(h.pickerCalls().last().title, QStringLiteral("Veri Tabanı Dosyası"));
    QVERIFY(pv::filterMatches(h.pickerCalls().last().filter, QStringLiteral("a.ydk")));
    QVERIFY(pv::filterMatches(h.pickerCalls().last().filter, QStringLiteral("a.YDK")));
    if (backup.isEmpty()) {
        QVERIFY(!c.Command3->Enabled());
        return;
    }
    QCOMPARE(c.Filepath->text(), QDir::toNativeSeparators(backup));
    QVERIFY(c.Command3->Enabled());
    if (overwriteAnswer)
        h.expectMsgBoxContaining(QStringLiteral("Dosyası zaten var."), overwriteAnswer);
    if (!result.isEmpty())
        h.expectMsgBoxContaining(result);
    h.click(c.Command3);
    h.settle();
}

void TestAdmin::restoreGivesBackTheRows()
{
    Harness h;
    const QString folder = backupFolder(h) + QLatin1Char('/');
    const QString backup = folder + QStringLiteral("gun.ydk");
    QVERIFY(ui::copyDatabase(pv::databasePath(), backup, QStringLiteral("Dikkat"), nullptr,
                             ui::CopyKind::Backup) > 0);
    const QStringList before = units(h);
    h.exec(QStringLiteral("INSERT INTO birimler (birimadi) VALUES ('Sonradan')"));
    h.exec(QStringLiteral("DELETE FROM \"User\""));
    // The window left open keeps the file: the restore closes it first.
    pv::form<birmler>().Show(pv::Form::Modeless);
    restoreFrom(h, backup, pv::vbYes, QStringLiteral("Yedek dosyasından yükleme yapıldı."));
    QVERIFY(!pv::isLoaded<birmler>());
    QVERIFY(!pv::isLoaded<CopyFile>());
    QVERIFY(pv::isLoaded<frmSplash>()); // start-up runs again
    QCOMPARE(units(h), before);
    QCOMPARE(users(h), QStringList{QStringLiteral("admin|admin|0|Tam Yetki")});
    QVERIFY(!QFile::exists(h.databasePath() + QStringLiteral("-journal")));
}

void TestAdmin::restoreRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("message");
    const QString failed = QStringLiteral("Kopyalama Hatası!, Yeniden deneyin.");
    QTest::newRow("picker cancelled") << "cancel" << 0 << "";
    QTest::newRow("overwrite declined") << "good" << int(pv::vbNo) << "";
    const QString notOurs =
        QStringLiteral("Seçilen dosya bu programın veri tabanı değil; hiçbir şey değiştirilmedi.");
    QTest::newRow("not a database") << "text" << 0 << notOurs;
    QTest::newRow("empty file") << "empty" << 0 << failed;
    QTest::newRow("database of another program") << "foreign" << 0 << notOurs;
    QTest::newRow("look-alike: the six tables, one column each") << "lookalike" << 0 << notOurs;
    QTest::newRow("a column missing") << "nocolumn" << 0 << notOurs;
    QTest::newRow("no version row") << "noversion" << 0 << notOurs;
    QTest::newRow("a damaged page") << "damaged" << 0 << notOurs;
    QTest::newRow("missing file") << "missing" << 0 << failed;
    QTest::newRow("the database itself") << "self" << 0 << failed;
}

void TestAdmin::restoreRefused()
{
    QFETCH(QString, kind);
    QFETCH(int, answer);
    QFETCH(QString, message);
    Harness h;
    const QString folder = backupFolder(h) + QLatin1Char('/');
    QString backup = folder + QStringLiteral("b.YDK");
    if (kind == QLatin1String("good"))
        QVERIFY(ui::copyDatabase(pv::databasePath(), backup, QStringLiteral("Dikkat"), nullptr,
                                 ui::CopyKind::Backup) > 0);
    else if (kind == QLatin1String("text"))
        QVERIFY(writeFile(backup, "bu bir yedek değil"));
    else if (kind == QLatin1String("empty"))
        QVERIFY(writeFile(backup, QByteArray()));
    else if (kind == QLatin1String("foreign")) {
        pv::Database other;
        QVERIFY(other.open(backup, pv::Database::CreateIfMissing));
        QVERIFY(other.exec(QStringLiteral("CREATE TABLE t (a)")));
    } else if (kind == QLatin1String("lookalike")) {
        pv::Database other;
        QVERIFY(other.open(backup, pv::Database::CreateIfMissing));
        QVERIFY(
            other.exec(QStringLiteral("CREATE TABLE \"User\" (Username); CREATE TABLE dgrayr (logo); "
                                      "CREATE TABLE musteriler (mus_kodu); CREATE TABLE veresiye (Tarih); "
                                      "CREATE TABLE kasa (Tarih); CREATE TABLE yedek_yeri (yolu);")));
    } else if (kind == QLatin1String("nocolumn") || kind == QLatin1String("noversion") ||
               kind == QLatin1String("damaged")) {
        QVERIFY(ui::copyDatabase(pv::databasePath(), backup, QStringLiteral("Dikkat"), nullptr,
                                 ui::CopyKind::Backup) > 0);
        if (kind == QLatin1String("damaged")) {
            // One page in the middle of the file zeroed.
            QFile f(backup);
            QVERIFY(f.open(QIODevice::ReadWrite));
            const qint64 page = 4096;
            QVERIFY(f.size() > 4 * page);
            f.seek(f.size() / page / 2 * page);
            f.write(QByteArray(page, '\0'));
        } else {
            pv::Database other;
            QVERIFY(other.open(backup));
            QVERIFY(other.exec(kind == QLatin1String("nocolumn")
                                   ? QStringLiteral("ALTER TABLE kasa DROP COLUMN Aciklama")
                                   : QStringLiteral("DELETE FROM surum")));
        }
    } else if (kind == QLatin1String("cancel"))
        backup.clear();
    else if (kind == QLatin1String("self"))
        backup = h.databasePath();
    h.exec(QStringLiteral("INSERT INTO birimler (birimadi) VALUES ('Sonradan')"));
    const QByteArray before = fileBytes(h.databasePath());
    const QByteArray picked = backup.isEmpty() ? QByteArray() : fileBytes(backup);
    restoreFrom(h, backup, answer, message);
    QCOMPARE(fileBytes(h.databasePath()), before);
    if (!backup.isEmpty())
        QCOMPARE(fileBytes(backup), picked);
    QVERIFY(!QFile::exists(pv::previousDatabasePath(h.databasePath())));
    if (!backup.isEmpty()) {
        // Nothing was replaced: the window stays for another try or a close.
        CopyFile &c = frmSplash::backupWindow();
        QCOMPARE(c.ProgressBar->Value(), 0);
        QVERIFY(c.btnKapat->isVisible());
        QVERIFY(!c.VornXPButton4->isVisible());
    }
    QVERIFY(!pv::isLoaded<frmSplash>());
    h.click(frmSplash::backupWindow().btnKapat);
    h.settle();
    QVERIFY(!pv::isLoaded<CopyFile>());
    QVERIFY(pv::isLoaded<frmSplash>());
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(),
             kind == QLatin1String("cancel") || kind == QLatin1String("missing") ||
                     kind == QLatin1String("self")
                 ? 0
                 : 1);
}

void TestAdmin::restoreNo()
{
    Harness h;
    const QByteArray before = fileBytes(h.databasePath());
    CopyFile &c = frmSplash::backupWindow();
    c.txtAlert = QStringLiteral("11");
    c.geriyuklefrm->setVisible(true);
    c.Show(pv::Form::Modeless);
    h.click(c.VornXPButton2); // HAYIR
    h.settle();
    QVERIFY(!pv::isLoaded<CopyFile>());
    QVERIFY(pv::isLoaded<frmSplash>());
    QCOMPARE(fileBytes(h.databasePath()), before);
}

void TestAdmin::restoreKeepsPathsOnActivation()
{
    Harness h;
    const QString backup = backupFolder(h) + QStringLiteral("/k.ydk");
    CopyFile &c = frmSplash::backupWindow();
    c.txtAlert = QStringLiteral("11");
    c.txtSurucu = h.folder() + QLatin1Char('/');
    c.Show(pv::Form::Modeless);
    h.click(c.VornXPButton1);
    h.expectOpenFile(backup);
    h.click(c.MyButton3);
    const QString dest = c.Destinationpath->text();
    QCOMPARE(dest, QDir::toNativeSeparators(pv::databasePath()));
    pv::form<birmler>().Show(pv::Form::Modeless);
    pv::userActivate(&c);
    QCOMPARE(c.Destinationpath->text(), dest);
    QCOMPARE(c.Filepath->text(), QDir::toNativeSeparators(backup));
    // Cancelling the picker later keeps the earlier choice.
    h.expectOpenFile(QString());
    h.click(c.MyButton3);
    QCOMPARE(c.Filepath->text(), QDir::toNativeSeparators(backup));
}

// ------------------------------------------------------------------ exit and other programs

void TestAdmin::automaticBackupAtExit_data()
{
    QTest::addColumn<QString>("switchText");
    QTest::addColumn<bool>("backup");
    QTest::newRow("on") << "1" << true;
    QTest::newRow("two is on") << "2" << true;
    QTest::newRow("off") << "0" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("not a number") << "açık" << false;
}

void TestAdmin::automaticBackupAtExit()
{
    QFETCH(QString, switchText);
    QFETCH(bool, backup);
    Harness h;
    h.setNow(QDateTime(QDate(2026, 12, 10), QTime(18, 30, 0)));
    const QString folder = backupFolder(h);
    h.exec(QStringLiteral("UPDATE dgrayr SET oto_yedek = ?, oto_yedek_aktif = ?"), {folder, switchText});
    const QString expected = folder + QStringLiteral("/BrennavikPelvanor_Yedek_10-12-26(18-30-00).ydk");
    if (backup)
        h.expectMsgBox(expected + QStringLiteral("\n\n Klasörüne Yedeklendi."), pv::vbInformation,
                       QStringLiteral("BİLGİ"));
    exitWithAutomaticBackup(switchText, nullptr);
    QVERIFY(h.programEnded());
    QVERIFY(!pv::isLoaded<CopyOto>());
    QCOMPARE(QFile::exists(expected), backup);
    if (backup)
        QVERIFY(pv::isProgramDatabase(expected, pv::schemaSql()));
}

void TestAdmin::automaticBackupAsksBeforeReplacing()
{
    Harness h;
    const QString folder = backupFolder(h) + QLatin1Char('/');
    h.exec(QStringLiteral("UPDATE dgrayr SET oto_yedek = ?, oto_yedek_aktif = '1'"), {folder});
    const QString target = folder + ui::backupFileName();
    QVERIFY(writeFile(target, "aynı saniyede alınmış"));
    h.expectMsgBox(target + QStringLiteral("\n\nDosyası zaten var. Varolan dosya ile değiştirilsin mi? "),
                   pv::vbYesNo | pv::vbQuestion, QStringLiteral("Bilgi"), pv::vbNo);
    exitWithAutomaticBackup(QStringLiteral("1"), nullptr);
    QVERIFY(h.programEnded());
    QCOMPARE(fileBytes(target), QByteArray("aynı saniyede alınmış"));
}

void TestAdmin::largeBackupShowsFull()
{
    Harness h;
    // Past the size at which a byte count no longer fits the bar's percentage.
    h.exec(QStringLiteral("CREATE TABLE ek (b BLOB)"));
    h.exec(QStringLiteral("INSERT INTO ek VALUES (zeroblob(22 * 1024 * 1024))"));
    const QString folder = backupFolder(h) + QLatin1Char('/');
    h.onModal<CopyFile>([&](CopyFile &c) {
        h.expectMsgBoxContaining(QStringLiteral("KLASÖRÜNE DOSYA YEDEKLENDİ"));
        h.click(c.Copy);
        QCOMPARE(c.ProgressBar->Value(), 100);
        h.click(c.VornXPButton3);
    });
    frmSplash::backupWindow().txtSurucu = folder;
    frmSplash::backupWindow().Show(pv::Form::Modal);
    h.settle();
    QVERIFY(QFileInfo(folder + ui::backupFileName()).size() > 22 * 1024 * 1024);
}

namespace
{
// A stand-in for the main window: a form holding the file through a data control.
class Holder : public pv::Form
{
public:
    Holder()
    {
        dc.setDatabaseName(pv::databasePath());
        dc.setRecordSource(QStringLiteral("birimler"));
        dc.Refresh();
    }
    pv::DataControl dc;
};
} // namespace

void TestAdmin::startPrograms_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("handsOverDatabase");
    QTest::addColumn<bool>("starts");
    QTest::newRow("repair starts") << "bvRepair.exe" << true << true;
    QTest::newRow("repair missing") << "bvRepair.exe" << true << false;
    QTest::newRow("updater missing") << "bvupdate.exe" << true << false;
    QTest::newRow("remote help starts") << "UzaktanYardim.exe" << false << true;
    QTest::newRow("remote help missing") << "UzaktanYardim.exe" << false << false;
}

void TestAdmin::startPrograms()
{
    QFETCH(QString, program);
    QFETCH(bool, handsOverDatabase);
    QFETCH(bool, starts);
    Harness h;
    QStringList started;
    bool freeAtStart = false;
    pv::setLaunchHandler([&](const QString &path) {
        started << path;
        freeAtStart = !pv::databaseInUse(pv::databasePath());
        return starts;
    });
    auto *main = new Holder;
    main->Show();
    pv::form<birmler>().Show(pv::Form::Modeless);
    if (!starts)
        h.expectMsgBox(QStringLiteral("Program başlatılamadı."), pv::vbCritical, QStringLiteral("Hata"));
    const bool result = handsOverDatabase
                            ? ui::startProgramWithDatabaseFree(
                                  program, QStringLiteral("Program başlatılamadı."), main, {&main->dc})
                            : ui::startTool(program, QStringLiteral("Program başlatılamadı."));
    QCOMPARE(result, starts);
    h.settle();
    QCOMPARE(started, QStringList{pv::siblingProgramPath(program)});
    QVERIFY(QFileInfo(started.value(0)).isAbsolute());
    QCOMPARE(freeAtStart, handsOverDatabase);
    QCOMPARE(pv::isLoaded<birmler>(), !handsOverDatabase);
    const bool mainStays = !handsOverDatabase || !starts;
    QCOMPARE(pv::loadedForms().contains(main), mainStays);
    if (mainStays) {
        QVERIFY(main->dc.Recordset().hasCurrent()); // the main window still reads its data
        pv::Unload(main);
        h.settle();
    }
    pv::setLaunchHandler({});
}

// ------------------------------------------------------------------ announcements

void TestAdmin::connectionTest_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("reachable");
    const QString pad(27, QLatin1Char('.'));
    QTest::newRow("empty page") << "" << false;
    QTest::newRow("short page without marker") << pad << false;
    QTest::newRow("28 characters without marker") << pad + "x" << true;
    QTest::newRow("marker with rate") << "<td>ABD DOLARI</td><td>1</td><td>42,1234</td>" << true;
    QTest::newRow("marker at the end") << "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx ABD DOLARI" << false;
    QTest::newRow("marker in lower case does not count") << QString("abd dolari") + pad << true;
}

void TestAdmin::connectionTest()
{
    QFETCH(QString, page);
    QFETCH(bool, reachable);
    QCOMPARE(web::pageShowsConnection(page), reachable);
}

void TestAdmin::announcements_data()
{
    QTest::addColumn<QString>("ratePage");
    QTest::addColumn<QString>("newsPage");
    QTest::addColumn<bool>("shown");
    QTest::newRow("connected") << "<td>ABD DOLARI</td><td>1</td><td>42,1234</td>"
                               << "<p>Yeni sürüm çıktı</p>" << true;
    QTest::newRow("news page missing") << "<td>ABD DOLARI</td><td>1</td><td>42,1234</td>"
                                       << "" << true;
    QTest::newRow("no connection") << ""
                                   << "" << false;
}

void TestAdmin::announcements()
{
    QFETCH(QString, ratePage);
    QFETCH(QString, newsPage);
    QFETCH(bool, shown);
    Harness h;
    QStringList asked;
    web::setFetcher([&](const QUrl &url, int timeoutMs) {
        asked << url.path();
        Q_ASSERT(timeoutMs > 0);
        return url == web::exchangeRatePage() ? ratePage : newsPage;
    });
    QWidget window;
    auto *panel = new QFrame(&window);
    panel->setVisible(false);
    QTextBrowser *browser = web::createBrowser(panel);
    pv::PropertyBag design;
    design.set(QStringLiteral("Mode"), int(BrennavikBtn::ebmCheckBox)); // a check box: it toggles
    auto *toggle = new BvButton(&window, design);
    ui::place(toggle, 0, 0, 660, 660);
    QObject::connect(toggle, &BvButton::Click, &window,
                     [&] { web::toggleAnnouncements(toggle, panel, browser); });
    window.show();
    if (!shown)
        h.expectMsgBox(QStringLiteral("İnternet Bağlantınız Aktif Değil.. Bağlantı kurulamadı."),
                       pv::vbCritical, QStringLiteral("Pelvanor"));
    h.click(toggle);
    QCOMPARE(panel->isVisible(), shown);
    QCOMPARE(toggle->Value(), shown);
    QCOMPARE(asked.value(0), QStringLiteral("/kurlar/today.html"));
    if (shown) {
        QCOMPARE(asked.value(1), QStringLiteral("/programlar/BVVER/dyr.htm"));
        QVERIFY(browser->toPlainText().contains(newsPage.isEmpty() ? QStringLiteral("alınamadı")
                                                                   : QStringLiteral("Yeni sürüm çıktı")));
        h.click(toggle);
        QVERIFY(!panel->isVisible());
        QCOMPARE(asked.size(), 2); // releasing fetches nothing
    }
    web::setFetcher([this](const QUrl &url, int) {
        m_fetched << url.toString();
        return QString();
    });
}

// ------------------------------------------------------------------ the main window's commands

namespace
{
veresiye &openMainWindow(Harness &h, const QString &rights = QStringLiteral("0"))
{
    veresiye &m = pv::form<veresiye>();
    m.Show(pv::Form::Modeless);
    m.txtYetki = rights;
    pv::userActivate(&m);
    h.settle();
    return m;
}
} // namespace

void TestAdmin::mainWindowWindows_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("window");
    QTest::newRow("settings") << "mnuayr2"
                              << "ayarlar";
    QTest::newRow("users") << "mnuUser"
                           << "kullanici";
    QTest::newRow("units") << "mnuBirim"
                           << "birmler";
    QTest::newRow("backup") << "ydk1"
                            << "CopyFile";
}

void TestAdmin::mainWindowWindows()
{
    QFETCH(QString, entry);
    QFETCH(QString, window);
    Harness h;
    veresiye &m = openMainWindow(h);
    QString shown;
    h.onAnyModal([&](QWidget *w) {
        shown = QString::fromLatin1(w->metaObject()->className());
        if (auto *c = qobject_cast<CopyFile *>(w)) {
            QCOMPARE(c->Caption(), QStringLiteral("Yedek Oluşturma İşlemleri"));
            QVERIFY(!c->restoreMode());
        }
        pv::Unload(qobject_cast<pv::Form *>(w));
    });
    m.findChild<QAction *>(entry)->trigger();
    h.settle();
    QCOMPARE(shown, window);
    QVERIFY(pv::isLoaded<veresiye>());
}

void TestAdmin::mainWindowSettingsReachExit()
{
    Harness h;
    h.setNow(QDateTime(QDate(2026, 12, 10), QTime(19, 0, 0)));
    const QString folder = backupFolder(h) + QLatin1Char('/');
    veresiye &m = openMainWindow(h);
    h.onModal<ayarlar>([&](ayarlar &a) {
        h.click(a.vekbutton6);
        a.Destinationpath->setText(folder);
        QVERIFY(a.Check1->isChecked()); // shipped with the automatic backup off
        h.click(a.Check1);
        h.click(a.BvButton6);
        QCOMPARE(m.txtYedekAktif.text(), QStringLiteral("1")); // seen before the window closes
        pv::Unload(a);
    });
    m.mnuayr2->trigger();
    h.settle();
    const QString expected = folder + QStringLiteral("BrennavikPelvanor_Yedek_10-12-26(19-00-00).ydk");
    h.expectMsgBox(expected + QStringLiteral("\n\n Klasörüne Yedeklendi."));
    h.click(m.VornXPButton3);
    QVERIFY(h.programEnded());
    QVERIFY(pv::isProgramDatabase(expected, pv::schemaSql()));
}

void TestAdmin::mainWindowExitWithoutBackup()
{
    Harness h;
    veresiye &m = openMainWindow(h);
    h.click(m.VornXPButton3);
    QVERIFY(h.programEnded());
    QVERIFY(!pv::isLoaded<CopyOto>());
}

void TestAdmin::mainWindowRestore()
{
    Harness h;
    const QString backup = backupFolder(h) + QStringLiteral("/r.ydk");
    QVERIFY(ui::copyDatabase(pv::databasePath(), backup, QStringLiteral("Dikkat"), nullptr,
                             ui::CopyKind::Backup) > 0);
    h.exec(QStringLiteral("INSERT INTO birimler (birimadi) VALUES ('Sonradan')"));
    veresiye &m = openMainWindow(h);
    m.ydk2->trigger();
    h.settle();
    CopyFile &c = frmSplash::backupWindow();
    QCOMPARE(c.Caption(), QStringLiteral("Yedekten Geri Yükleme İşlemleri"));
    QVERIFY(c.restoreMode());
    QVERIFY(c.geriyuklefrm->isVisible());
    h.click(c.VornXPButton1);
    QVERIFY(!pv::isLoaded<veresiye>());
    h.expectOpenFile(backup);
    h.click(c.MyButton3);
    h.expectMsgBoxContaining(QStringLiteral("Dosyası zaten var."), pv::vbYes);
    h.expectMsgBoxContaining(QStringLiteral("Yedek dosyasından yükleme yapıldı."));
    h.click(c.Command3);
    h.settle();
    QVERIFY(pv::isLoaded<frmSplash>());
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM birimler WHERE birimadi = 'Sonradan'")).toInt(), 0);
}

void TestAdmin::mainWindowPrograms_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("starts");
    QTest::addColumn<bool>("mainStays");
    QTest::newRow("maintenance") << "mnuBakim"
                                 << "bvRepair.exe" << true << false;
    QTest::newRow("maintenance missing") << "mnuBakim"
                                         << "bvRepair.exe" << false << true;
    QTest::newRow("updater") << "ysk"
                             << "bvupdate.exe" << false << true;
    QTest::newRow("remote help") << "mnuyardim"
                                 << "UzaktanYardim.exe" << false << true;
}

void TestAdmin::mainWindowPrograms()
{
    QFETCH(QString, entry);
    QFETCH(QString, program);
    QFETCH(bool, starts);
    QFETCH(bool, mainStays);
    Harness h;
    h.setLaunchResult(starts);
    veresiye &m = openMainWindow(h, QStringLiteral("1")); // a cashier may use them too
    QVERIFY(m.findChild<QAction *>(entry)->isEnabled());
    if (!starts)
        h.expectMsgBoxContaining(QStringLiteral("başlatılamadı."));
    m.findChild<QAction *>(entry)->trigger();
    h.settle();
    QCOMPARE(h.launches(), QStringList{pv::siblingProgramPath(program)});
    QCOMPARE(pv::isLoaded<veresiye>(), mainStays);
    if (mainStays)
        QVERIFY(m.hasCurrentRow() || m.Data1->Recordset().RecordCount() == 0);
}

void TestAdmin::mainWindowAnnouncements()
{
    Harness h;
    web::setFetcher([](const QUrl &url, int) {
        return url == web::exchangeRatePage()
                   ? QStringLiteral("<td>ABD DOLARI</td><td>1</td><td>42,1234</td>")
                   : QStringLiteral("<p>Duyuru</p>");
    });
    veresiye &m = openMainWindow(h);
    QVERIFY(!m.frmDuyuru->isVisible());
    h.click(m.btnDuyuru);
    QVERIFY(m.frmDuyuru->isVisible());
    QVERIFY(m.WebBrowser2->toPlainText().contains(QStringLiteral("Duyuru")));
    h.click(m.btnDuyuru);
    QVERIFY(!m.frmDuyuru->isVisible());
    web::setFetcher([](const QUrl &, int) { return QString(); });
    h.expectMsgBox(QStringLiteral("İnternet Bağlantınız Aktif Değil.. Bağlantı kurulamadı."));
    h.click(m.btnDuyuru);
    QVERIFY(!m.frmDuyuru->isVisible());
    QVERIFY(!m.btnDuyuru->Value());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelvanor"));
    TestAdmin t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_admin.moc"
