// E-mail to a customer, driven from the account window as the shop owner uses it: the two
// hand-offs, canned subjects and texts, the info buttons, attachments, the send checks,
// the HTML statement's bytes, and sending to the test's own SMTP server over TLS.
#include "app/accounts/AccountMail.h"
#include "app/accounts/Dialog2.h"
#include "app/accounts/FrmEmail.h"
#include "app/accounts/veresiye2.h"
#include "controls/button/BvButton.h"
#include "controls/progressbar/QuorvelXPProgressBar.h"
#include "platform/forms/Timer.h"
#include "platform/text/CodePage1254.h"
#include "tests/harness/Harness.h"
#include "tests/mail/MailParse.h"
#include "tests/mail/SmtpServer.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>
#include <QtTest>

using pv::test::Harness;

namespace
{

const QString kSender = QStringLiteral("dukkan@gmail.com");
const QString kPassword = QStringLiteral(" gizli şifre ");
const QString kFail =
    QStringLiteral("E-posta gönderirken bir hatası oluştu. Lütfen tekrar deneyiniz.\r\nve gmail "
                   "bilgilerinizi kontrol edin.");
const QString kStandardBody =
    QStringLiteral("Sayın, Müşterimiz\n\nHesap Özetiniz ile ilgili ekstre detaylarınızı ekte "
                   "bulabilirsiniz.");

void addEntry(Harness &h, const QString &code, int n, const QString &aciklama = {})
{
    const QDate day = QDate(2026, 1, 1).addDays(n);
    const bool sale = n % 2 == 0;
    QVERIFY(h.insert(
        QStringLiteral("veresiye"),
        {{QStringLiteral("Tarih"), day.toString(QStringLiteral("dd.MM.yyyy"))},
         {QStringLiteral("Saat"), QStringLiteral("10:%1:00").arg(n % 60, 2, 10, QLatin1Char('0'))},
         {QStringLiteral("Turu"), sale ? QStringLiteral("Veresiye") : QStringLiteral("Tahsilat")},
         {QStringLiteral("Aciklama"), aciklama.isEmpty() ? QStringLiteral("Satır %1").arg(n) : aciklama},
         {QStringLiteral("Miktar"), sale ? QStringLiteral("2") : QString()},
         {QStringLiteral("Birim"), sale ? QStringLiteral("Adet") : QString()},
         {QStringLiteral("BirimFiyat"), sale ? QStringLiteral("50") : QString()},
         {QStringLiteral("Eklenen"), sale ? QVariant(100.0 + n) : QVariant()},
         {QStringLiteral("Odenen"), sale ? QVariant() : QVariant(40.5)},
         {QStringLiteral("Tarih2"), day.toString(QStringLiteral("yyyyMMdd"))},
         {QStringLiteral("mus_kodu"), code}}));
}

void setup(Harness &h, const QString &mail = QStringLiteral("musteri@ornek.com"), int rows = 2)
{
    pv::test::addCustomer(h, QStringLiteral("1"), QStringLiteral("Şükrü Öğüt"),
                          {{QStringLiteral("mail"), mail}});
    QVERIFY(h.exec(QStringLiteral("update dgrayr set kurumismi = ?, mailadres = ?, mailsifre = ?"),
                   {QStringLiteral("Çınar Bakkal"), kSender, kPassword}));
    for (int n = 0; n < rows; ++n)
        addEntry(h, QStringLiteral("1"), n);
}

veresiye2 &openAccount()
{
    veresiye2 &w = pv::form<veresiye2>();
    w.setCaption(QStringLiteral("Şükrü Öğüt / 1 - ( TL/Alıcı ) HESABI"));
    w.Text10 = QStringLiteral("1");
    w.txtYetki = QStringLiteral("0");
    w.txtMusTuru = QStringLiteral("Alıcı");
    for (QLineEdit *pt : {w.txtPt1, w.txtPt2, w.txtPt3})
        pt->setText(QStringLiteral("TL"));
    w.Show();
    Harness::settle();
    return w;
}

// Opens the e-mail window from the account window's menu; action runs while it is shown,
// then it is closed with " Kapat" unless the action did.
void openMail(Harness &h, veresiye2 &w, bool statement, const std::function<void(FrmEmail &)> &action)
{
    h.onModal<FrmEmail>([&h, action](FrmEmail &m) {
        action(m);
        if (pv::isLoaded<FrmEmail>())
            h.click(m.btnKapat);
    });
    (statement ? w.accountMail->mnuExtre : w.accountMail->mnuBagMail)->trigger();
    Harness::settle();
}

QStringList entries(const FrmEmail &m)
{
    QStringList out;
    for (int i = 0; i < m.ListBox1->count(); ++i)
        out << m.ListBox1->item(i)->text();
    return out;
}

QByteArray statementBytes(const Harness &h)
{
    QFile f(h.folder() + QStringLiteral("/CariHareketRaporu.html"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Position of a column in "select * from dgrayr".
int settingsColumn(Harness &h, const QString &name)
{
    const auto columns = h.rows(QStringLiteral("select name from pragma_table_info('dgrayr') order by cid"));
    for (int i = 0; i < columns.size(); ++i)
        if (columns.at(i).value(0).toString().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void selectGridRow(QTableView *grid, int row)
{
    grid->setFocus();
    grid->selectRow(row);
}

void doubleClickRow(QTableView *grid, int row)
{
    const QModelIndex index = grid->model()->index(row, 0);
    grid->scrollTo(index);
    const QPoint at = grid->visualRect(index).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
}

QStringList gridTexts(QTableView *grid)
{
    QStringList out;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        out << grid->model()->index(r, 0).data().toString();
    return out;
}

// Points the window at the test's server and the send dialog at its certificate.
void aimAt(FrmEmail &m, int port, const QString &ca, int stallSec = 20)
{
    m.Label10->setText(QStringLiteral("127.0.0.1"));
    m.Label11->setText(QString::number(port));
    Dialog2 &d = pv::form<Dialog2>();
    d.transport.caFile = ca;
    d.transport.stallLimitSec = stallSec;
}

// Presses " Gönder" and lets the send dialog's timer tick once.
void pressSend(Harness &h, FrmEmail &m)
{
    h.onModal<Dialog2>([](Dialog2 &d) { QVERIFY(Harness::fire(*d.Timer1)); });
    h.click(m.CommandButton1);
}

} // namespace

class TestEmail : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void mailCommand();
    void plainHandOff();
    void statementHandOff();
    void cannedTexts_data();
    void cannedTexts();
    void cannedSubjectLineBreak_data();
    void cannedSubjectLineBreak();
    void cannedEmptyAndNo_data();
    void cannedEmptyAndNo();
    void cannedFailureSaysSo();
    void infoButtons_data();
    void infoButtons();
    void attachments();
    void sendChecks_data();
    void sendChecks();
    void statementFile_data();
    void statementFile();
    void statementEscapesAndEncodes();
    void statementTwiceAddsOneEntry();
    void statementCannotBeWritten();
    void sendDelivers();
    void sendFailures_data();
    void sendFailures();
    void sendAgainAfterSuccess();
    void senderTrimmedIntoSettings_data();
    void senderTrimmedIntoSettings();
    void sendProgress_data();
    void sendProgress();
    void sendDialogDesign();
    void sendDialogTakesHandedMessage_data();
    void sendDialogTakesHandedMessage();
};

void TestEmail::initTestCase()
{
    QVERIFY2(SmtpServer::setupError().isEmpty(), qPrintable(SmtpServer::setupError()));
}

void TestEmail::mailCommand()
{
    Harness h;
    setup(h);
    veresiye2 &w = openAccount();
    QVERIFY(w.btnMail->isVisible());
    QVERIFY(w.btnMail->isEnabled());
    QCOMPARE(w.btnMail->Caption(), QStringLiteral("E-Posta Gönder"));
    QCOMPARE(w.btnMail->ToolTip(), QStringLiteral("Hesap Özetini Müşteriye E-Posta Olarak Gönder."));
    QCOMPARE(w.accountMail->mnuPosta->title(), QStringLiteral("Eposta"));
    QCOMPARE(w.accountMail->mnuPosta->actions(),
             (QList<QAction *>{w.accountMail->mnuBagMail, w.accountMail->mnuExtre}));
    QCOMPARE(w.accountMail->mnuBagMail->text(), QStringLiteral("Bağımsız E-Posta Gönder"));
    QCOMPARE(w.accountMail->mnuExtre->text(), QStringLiteral("Müşteri Hareketlerini Gönder"));
    h.click(w.btnMail);
    QTRY_VERIFY(w.accountMail->mnuPosta->isVisible());
    w.accountMail->mnuPosta->hide();
}

void TestEmail::plainHandOff()
{
    Harness h;
    setup(h);
    veresiye2 &w = openAccount();
    bool shown = false;
    openMail(h, w, false, [&](FrmEmail &m) {
        shown = true;
        QCOMPARE(m.Caption(), QStringLiteral("E-Posta Gönder"));
        QCOMPARE(m.TextBox2->text(), QStringLiteral("Şükrü Öğüt"));
        QCOMPARE(m.TextBox3->text(), QStringLiteral("musteri@ornek.com"));
        QVERIFY(m.TextBox3->isReadOnly());
        QCOMPARE(m.TextBox8->text(), QStringLiteral("Borç Bilgisi"));
        QCOMPARE(m.txtMusteri->text(), QStringLiteral("Şükrü Öğüt"));
        QCOMPARE(m.VornXPTextBox2->text(), w.VornXPTextBox2->text());
        QCOMPARE(m.VornXPTextBox3->text(), w.VornXPTextBox3->text());
        QCOMPARE(m.VornXPTextBox4->text(), w.VornXPTextBox4->text());
        QVERIFY(!m.VornXPTextBox2->text().isEmpty());
        QCOMPARE(m.txtPt1->text(), QStringLiteral("TL"));
        QCOMPARE(m.TextBox1->toPlainText(), QString());
        QCOMPARE(m.ListBox1->count(), 0);
        QCOMPARE(m.Label9->text(), QStringLiteral("0 Adet Dosya Ekli"));
        QVERIFY(!m.CommandButton3->isEnabled());
        QCOMPARE(m.TextBox4->text(), QStringLiteral("Çınar Bakkal"));
        QCOMPARE(m.TextBox9->text(), kSender);
        QCOMPARE(m.TextBox5->text(), kSender);
        QCOMPARE(m.TextBox10->text(), kPassword);
        QCOMPARE(m.Label10->text(), QStringLiteral("smtp.gmail.com"));
        QCOMPARE(m.Label11->text(), QStringLiteral("465"));
        QVERIFY(!m.Frame1->isVisible());
        QVERIFY(!m.Frame2->isVisible());
        QVERIFY(!m.TextBox9->geometry().intersects(m.rect()));
    });
    QVERIFY(shown);
    QVERIFY(!pv::isLoaded<FrmEmail>());
    QVERIFY(!QFile::exists(h.folder() + QStringLiteral("/CariHareketRaporu.html")));
}

void TestEmail::statementHandOff()
{
    Harness h;
    setup(h);
    veresiye2 &w = openAccount();
    // The export runs before the window shows, so its message is over the account window.
    h.expectMsgBox(QStringLiteral("Web Sayfası olarak aktarıldı!"), pv::vbInformation,
                   QStringLiteral("Bilgi"));
    const QString path = h.folder() + QStringLiteral("/CariHareketRaporu.html");
    bool shown = false;
    openMail(h, w, true, [&](FrmEmail &m) {
        shown = true;
        QCOMPARE(h.msgBoxes().size(), 1);
        QCOMPARE(m.Text10.text(), QStringLiteral("1"));
        QCOMPARE(entries(m), QStringList{path});
        QCOMPARE(m.txtExtreYol->text(), path);
        QCOMPARE(m.Label9->text(), QStringLiteral("1 Adet Dosya Ekli"));
        QVERIFY(m.CommandButton3->isEnabled());
        QCOMPARE(m.TextBox1->toPlainText(), kStandardBody);
    });
    QVERIFY(shown);
    QVERIFY(QFile::exists(path));
}

void TestEmail::cannedTexts_data()
{
    QTest::addColumn<bool>("subjects"); // the subject panel, else the message-text panel
    QTest::newRow("subjects") << true;
    QTest::newRow("texts") << false;
}

void TestEmail::cannedTexts()
{
    QFETCH(bool, subjects);
    Harness h;
    setup(h);
    const QString table = subjects ? QStringLiteral("MailKonu") : QStringLiteral("MailMesaj");
    veresiye2 &w = openAccount();
    openMail(h, w, false, [&](FrmEmail &m) {
        QFrame *panel = subjects ? m.Frame1 : m.Frame2;
        QTableView *grid = subjects ? m.DBGrid1 : m.DBGrid2;
        QLineEdit *input = subjects ? m.xpText11 : m.xpText1;
        h.click(subjects ? m.btnSecKonu : m.btnSecMesaj);
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->pos(), QPoint(0, 0));
        QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(),
                 subjects ? QStringLiteral("Konular") : QStringLiteral("Mesaj Metinleri"));
        for (const QString &t : {QStringLiteral("Ödeme Hatırlatma"), QStringLiteral("  Borç Bilgisi  "),
                                 QStringLiteral("Cari Ekstre")}) {
            h.type(input, t);
            h.click(subjects ? m.btnEkle : m.btnEkle2);
            QCOMPARE(input->text(), QString());
        }
        // Stored as typed, listed in Turkish alphabetical order.
        QCOMPARE(gridTexts(grid),
                 (QStringList{QStringLiteral("  Borç Bilgisi  "), QStringLiteral("Cari Ekstre"),
                              QStringLiteral("Ödeme Hatırlatma")}));
        if (!subjects)
            m.XTab1->setCurrentIndex(0);
        doubleClickRow(grid, 2);
        if (subjects) {
            QCOMPARE(m.TextBox8->text(), QStringLiteral("Ödeme Hatırlatma"));
            QVERIFY(!panel->isVisible());
            h.click(m.btnSecKonu);
        } else {
            QCOMPARE(m.xpText2->toPlainText(), QStringLiteral("Ödeme Hatırlatma"));
            QVERIFY(panel->isVisible());
            h.click(m.btnAktar);
            QCOMPARE(m.TextBox1->toPlainText(), QStringLiteral("Ödeme Hatırlatma"));
            QVERIFY(!panel->isVisible());
            h.click(m.btnSecMesaj);
        }
        selectGridRow(grid, 1);
        h.expectMsgBox(QStringLiteral("Seçmiş olduğunuz Kayıt silinecektir. Emin misiniz?"),
                       pv::vbYesNo | pv::vbQuestion, QStringLiteral("KAYIT SİL"), pv::vbYes);
        h.click(subjects ? m.btnSil : m.btnSil2);
        QCOMPARE(gridTexts(grid),
                 (QStringList{QStringLiteral("  Borç Bilgisi  "), QStringLiteral("Ödeme Hatırlatma")}));
        h.click(subjects ? m.btnKapat2 : m.btnKapat3);
        QVERIFY(!panel->isVisible());
    });
    QCOMPARE(h.value(QStringLiteral(
                         "select group_concat(Aciklama, '|') from (select Aciklama from %1 order by id)")
                         .arg(table))
                 .toString(),
             QStringLiteral("Ödeme Hatırlatma|  Borç Bilgisi  "));
}

void TestEmail::cannedSubjectLineBreak_data()
{
    QTest::addColumn<QString>("canned");
    QTest::addColumn<QString>("subject");
    QTest::newRow("LF") << "Aaa Konu\nBcc"
                        << "Aaa Konu Bcc";
    QTest::newRow("CR LF") << "Aaa Konu\r\nBcc"
                           << "Aaa Konu Bcc";
    QTest::newRow("CR") << "Aaa Konu\rBcc"
                        << "Aaa Konu Bcc";
    QTest::newRow("two lines apart") << "Ödeme\n\nHatırlatma\n"
                                     << "Ödeme  Hatırlatma ";
}

// A canned subject stored over several lines becomes one line with its words kept apart.
void TestEmail::cannedSubjectLineBreak()
{
    QFETCH(QString, canned);
    QFETCH(QString, subject);
    Harness h;
    setup(h);
    QVERIFY(h.insert(QStringLiteral("MailKonu"), {{QStringLiteral("Aciklama"), canned}}));
    veresiye2 &w = openAccount();
    openMail(h, w, false, [&](FrmEmail &m) {
        h.click(m.btnSecKonu);
        doubleClickRow(m.DBGrid1, 0);
        QVERIFY(!m.Frame1->isVisible());
        QCOMPARE(m.TextBox8->text(), subject);
        QCOMPARE(m.TextBox8->cursorPosition(), 0); // a long subject shows its start
    });
    // The canned text itself stays as stored.
    QCOMPARE(h.value(QStringLiteral("select Aciklama from MailKonu")).toString(), canned);
}

void TestEmail::cannedEmptyAndNo_data()
{
    QTest::addColumn<bool>("subjects");
    QTest::newRow("subjects") << true;
    QTest::newRow("texts") << false;
}

void TestEmail::cannedEmptyAndNo()
{
    QFETCH(bool, subjects);
    Harness h;
    setup(h);
    const QString table = subjects ? QStringLiteral("MailKonu") : QStringLiteral("MailMesaj");
    QVERIFY(h.exec(QStringLiteral("insert into %1 (Aciklama) values ('Tek')").arg(table)));
    veresiye2 &w = openAccount();
    openMail(h, w, false, [&](FrmEmail &m) {
        h.click(subjects ? m.btnSecKonu : m.btnSecMesaj);
        h.expectMsgBox(subjects ? QStringLiteral("Mail Konusunu Yazın")
                                : QStringLiteral("Mesaj Metnini Yazın"),
                       pv::vbExclamation, QStringLiteral("Dikkat!!"));
        h.click(subjects ? m.btnEkle : m.btnEkle2);
        QCOMPARE(m.focusWidget(), subjects ? m.xpText11 : m.xpText1);
        selectGridRow(subjects ? m.DBGrid1 : m.DBGrid2, 0);
        h.expectMsgBox(QStringLiteral("Seçmiş olduğunuz Kayıt silinecektir. Emin misiniz?"), pv::vbNo);
        h.click(subjects ? m.btnSil : m.btnSil2);
    });
    QCOMPARE(h.value(QStringLiteral("select group_concat(Aciklama) from %1").arg(table)).toString(),
             QStringLiteral("Tek"));
}

void TestEmail::cannedFailureSaysSo()
{
    Harness h;
    setup(h);
    QVERIFY(h.exec(QStringLiteral("insert into MailKonu (Aciklama) values ('Eski')")));
    QVERIFY(h.exec(QStringLiteral("create trigger no_add before insert on MailKonu begin select raise(abort, "
                                  "'disk dolu'); end")));
    QVERIFY(
        h.exec(QStringLiteral("create trigger no_delete before delete on MailKonu begin select raise(abort, "
                              "'kilitli'); end")));
    veresiye2 &w = openAccount();
    openMail(h, w, false, [&](FrmEmail &m) {
        h.click(m.btnSecKonu);
        h.type(m.xpText11, QStringLiteral("Yeni"));
        h.expectMsgBoxContaining(QStringLiteral("Kayıt eklenemedi."));
        h.click(m.btnEkle);
        QCOMPARE(m.xpText11->text(), QStringLiteral("Yeni")); // kept for another try
        selectGridRow(m.DBGrid1, 0);
        h.expectMsgBox(QStringLiteral("Seçmiş olduğunuz Kayıt silinecektir. Emin misiniz?"), pv::vbYes);
        h.expectMsgBoxContaining(QStringLiteral("Kayıt silinemedi."));
        h.click(m.btnSil);
        QCOMPARE(gridTexts(m.DBGrid1), QStringList{QStringLiteral("Eski")});
    });
    QCOMPARE(h.msgBoxes().size(), 3);
    for (int i : {0, 2}) {
        QCOMPARE(h.msgBoxes().at(i).title, QStringLiteral("Hata"));
        QCOMPARE(h.msgBoxes().at(i).icon(), int(pv::vbCritical));
    }
    QVERIFY(h.msgBoxes().at(0).text.contains(QStringLiteral("disk dolu")));
    QCOMPARE(h.value(QStringLiteral("select group_concat(Aciklama) from MailKonu")).toString(),
             QStringLiteral("Eski"));
}

void TestEmail::infoButtons_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QString>("expected");

    QTest::newRow("name on empty text") << "" << QStringList{"BvButton2"} << "Şükrü Öğüt";
    QTest::newRow("debt on empty text: the bare amount") << "" << QStringList{"BvButton3"} << "202,00";
    QTest::newRow("name then totals")
        << "Sayın" << QStringList{"BvButton2", "BvButton3", "BvButton4", "BvButton5"}
        << "Sayın Şükrü Öğüt Toplam Borç :202,00 TL Toplam Ödenen :40,50 TL Toplam "
           "Bakiye :161,50 TL";
    QTest::newRow("twice appends once")
        << "Not:" << QStringList{"BvButton3", "BvButton3"} << "Not: Toplam Borç :202,00 TL";
    QTest::newRow("value already in text")
        << "Borcunuz 202,00" << QStringList{"BvButton3"} << "Borcunuz 202,00";
}

void TestEmail::infoButtons()
{
    QFETCH(QString, start);
    QFETCH(QStringList, buttons);
    QFETCH(QString, expected);
    Harness h;
    setup(h, QStringLiteral("musteri@ornek.com"), 3); // 100 + 102 debt, 40,50 paid
    veresiye2 &w = openAccount();
    openMail(h, w, false, [&](FrmEmail &m) {
        QCOMPARE(m.VornXPTextBox2->text(), QStringLiteral("202,00"));
        h.click(m.btnSecMesaj);
        m.XTab1->setCurrentIndex(1);
        m.xpText2->setPlainText(start);
        for (const QString &b : buttons)
            h.click(m.findChild<BvButton *>(b));
        QCOMPARE(m.xpText2->toPlainText(), expected);
        if (expected != start)
            QCOMPARE(m.xpText2->textCursor().position(), int(expected.size()));
    });
}

void TestEmail::attachments()
{
    Harness h;
    setup(h);
    veresiye2 &w = openAccount();
    const QString a = h.folder() + QStringLiteral("/a.pdf"), b = h.folder() + QStringLiteral("/b ğ.txt");
    openMail(h, w, false, [&](FrmEmail &m) {
        h.expectOpenFile(a);
        h.click(m.CommandButton2);
        QCOMPARE(h.pickerCalls().last().title, QStringLiteral("Dosya Seç"));
        QCOMPARE(h.pickerCalls().last().filter, QStringLiteral("All Files (*.*)|*.*"));
        h.expectOpenFile(QString()); // cancelled
        h.click(m.CommandButton2);
        h.expectOpenFile(b);
        h.click(m.CommandButton2);
        h.expectOpenFile(a); // the same file twice is allowed
        h.click(m.CommandButton2);
        QCOMPARE(entries(m), (QStringList{a, b, a}));
        QCOMPARE(m.Label9->text(), QStringLiteral("3 Adet Dosya Ekli"));
        QVERIFY(m.CommandButton3->isEnabled());

        m.ListBox1->clearSelection();
        h.click(m.CommandButton3); // nothing selected: nothing removed
        QCOMPARE(entries(m).size(), 3);
        QCOMPARE(m.focusWidget(), m.ListBox1);

        m.ListBox1->setCurrentRow(1);
        h.click(m.CommandButton3);
        QCOMPARE(entries(m), (QStringList{a, a}));
        QCOMPARE(m.Label9->text(), QStringLiteral("2 Adet Dosya Ekli"));
        for (int i = 0; i < 2; ++i) {
            m.ListBox1->setCurrentRow(0);
            h.click(m.CommandButton3);
        }
        QCOMPARE(m.ListBox1->count(), 0);
        QCOMPARE(m.Label9->text(), QStringLiteral("0 Adet Dosya Ekli"));
        QVERIFY(!m.CommandButton3->isEnabled());
    });
}

void TestEmail::sendChecks_data()
{
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("recipient");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("focus");

    const QString bad =
        QStringLiteral("E-posta adresi geçerli bir gmail adresi değil. isletmeniz@gmail.com gibi doğru "
                       "gmail adresi girin.");
    QTest::newRow("no sender") << ""
                               << "x"
                               << "a@b.com"
                               << "Konu"
                               << "Gmail adresinizi girin."
                               << "Gmail Adres" << int(pv::vbExclamation) << "";
    QTest::newRow("no password") << "d@gmail.com"
                                 << ""
                                 << "a@b.com"
                                 << "Konu"
                                 << "Gmail adresi şifrenizi giriniz."
                                 << "Şifre" << int(pv::vbExclamation) << "";
    QTest::newRow("no recipient") << "d@gmail.com"
                                  << "x"
                                  << ""
                                  << "Konu"
                                  << "Alıcının / Müşterinin e-posta adresini girin."
                                  << "Alıcı E-Posta" << int(pv::vbExclamation) << "";
    QTest::newRow("no subject") << "d@gmail.com"
                                << "x"
                                << "a@b.com"
                                << ""
                                << "E-posta konu girin."
                                << "Konu" << int(pv::vbExclamation) << "";
    QTest::newRow("sender elsewhere") << "d@yahoo.com"
                                      << "x"
                                      << "a@b.com"
                                      << "Konu" << bad << "Pelvanor" << int(pv::vbCritical) << "TextBox9";
    QTest::newRow("sender domain in capitals")
        << "d@GMAIL.com"
        << "x"
        << "a@b.com"
        << "Konu" << bad << "Pelvanor" << int(pv::vbCritical) << "TextBox9";
    QTest::newRow("recipient without @")
        << "d@gmail.com"
        << "x"
        << "ornek.com"
        << "Konu"
        << "Alıcı e-posta adresi geçerli bir e-posta adresi değil. musteri@ornek.com "
           "gibi doğru adresi girin."
        << "Pelvanor" << int(pv::vbCritical) << "TextBox3";
    QTest::newRow("first check wins") << ""
                                      << ""
                                      << ""
                                      << ""
                                      << "Gmail adresinizi girin."
                                      << "Gmail Adres" << int(pv::vbExclamation) << "";
}

void TestEmail::sendChecks()
{
    QFETCH(QString, sender);
    QFETCH(QString, password);
    QFETCH(QString, recipient);
    QFETCH(QString, subject);
    QFETCH(QString, message);
    QFETCH(QString, title);
    QFETCH(int, icon);
    QFETCH(QString, focus);
    Harness h;
    setup(h, recipient);
    QVERIFY(h.exec(QStringLiteral("update dgrayr set mailadres = ?, mailsifre = ?"), {sender, password}));
    veresiye2 &w = openAccount();
    openMail(h, w, false, [&](FrmEmail &m) {
        m.TextBox3->setText(recipient); // the account window offers the command only with an address
        m.TextBox8->setText(subject);
        m.TextBox2->setFocus();
        h.expectMsgBox(message, pv::vbOKOnly | icon, title);
        h.click(m.CommandButton1); // no send dialog may show: the harness fails an unexpected one
        QCOMPARE(m.TextBox8->text(), subject);
        if (!focus.isEmpty())
            QCOMPARE(m.focusWidget(), m.findChild<QWidget *>(focus));
    });
}

void TestEmail::statementFile_data()
{
    QTest::addColumn<int>("rows");
    QTest::newRow("none") << 0;
    QTest::newRow("three") << 3;
    QTest::newRow("ten") << 10;
}

void TestEmail::statementFile()
{
    QFETCH(int, rows);
    Harness h;
    setup(h, QStringLiteral("musteri@ornek.com"), rows);
    addEntry(h, QStringLiteral("10"), 99); // another account's row
    veresiye2 &w = openAccount();
    h.expectMsgBox(QStringLiteral("Web Sayfası olarak aktarıldı!"), pv::vbInformation,
                   QStringLiteral("Bilgi"));
    openMail(h, w, true, [](FrmEmail &) {});
    const QByteArray bytes = statementBytes(h);
    QVERIFY(!bytes.isEmpty());
    QVERIFY(!bytes.contains("\n\n"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
    QVERIFY(bytes.endsWith("<br>\r\n"));
    const QStringList lines = pv::fromCodePage1254(bytes).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.at(0), QStringLiteral("<html>"));
    QCOMPARE(lines.at(2), QStringLiteral("<head>"));
    QCOMPARE(lines.at(3), QStringLiteral("<meta charset=\"windows-1254\">"));
    QCOMPARE(lines.at(4), QStringLiteral("<title>Cari Hareket Hesap Özeti 10-12-2026</title>"));
    QCOMPARE(lines.at(7), QStringLiteral("<b>Şükrü Öğüt</b><br>"));
    QCOMPARE(lines.at(14), QStringLiteral("<table border=\"1\">"));
    QCOMPARE(lines.at(16),
             QStringLiteral(
                 "   <td align=\"left\" bgcolor=\"#999999\"><b>&nbsp;&nbsp;TARİH&nbsp;&nbsp;</b></td>"));
    QCOMPARE(lines.at(24),
             QStringLiteral(
                 "   <td align=\"left\" bgcolor=\"#999999\"><b>&nbsp;&nbsp;ALACAK&nbsp;&nbsp;</b></td>"));
    QCOMPARE(lines.at(25), QStringLiteral("</tr>"));
    QCOMPARE(lines.count(QStringLiteral("<tr>")), rows + 1);
    for (int n = 0; n < rows; ++n) {
        const int first = 26 + n * 11;
        QCOMPARE(lines.at(first), QStringLiteral("<tr>"));
        const QString colour = n % 2 == 0 ? QStringLiteral("#ffffff") : QStringLiteral("#CCF2FF");
        for (int c = 0; c < 9; ++c)
            QVERIFY2(lines.at(first + 1 + c)
                         .startsWith(QStringLiteral("   <td bgcolor=\"") + colour +
                                     QStringLiteral("\"align=\"left\">")),
                     qPrintable(lines.at(first + 1 + c)));
        QCOMPARE(lines.at(first + 4),
                 QStringLiteral("   <td bgcolor=\"%1\"align=\"left\">Satır %2</td>").arg(colour).arg(n));
        QCOMPARE(lines.at(first + 10), QStringLiteral("</tr>"));
    }
    const int end = 26 + rows * 11;
    QCOMPARE(lines.mid(end), (QStringList{"</table>", "", "</head>", "", "</html>", "<br>",
                                          "Pelvanor - Veresiye ve Cari Hesap Takip Programı", "<br>", ""}));
    QVERIFY(!pv::fromCodePage1254(bytes).contains(QStringLiteral("Satır 99")));
}

void TestEmail::statementEscapesAndEncodes()
{
    Harness h;
    setup(h, QStringLiteral("musteri@ornek.com"), 0);
    addEntry(h, QStringLiteral("1"), 0, QStringLiteral("A & <B> \"C\" ŞşİıĞğ 日"));
    addEntry(h, QStringLiteral("1%"), 1); // a code that would be a pattern finds only its own rows
    QVERIFY(h.exec(QStringLiteral("update veresiye set Eklenen = 1234.5 where mus_kodu = '1'")));
    veresiye2 &w = openAccount();
    QCOMPARE(w.VornXPTextBox2->text(), QStringLiteral("1.234,50"));
    h.expectMsgBox(QStringLiteral("Web Sayfası olarak aktarıldı!"), pv::vbInformation,
                   QStringLiteral("Bilgi"));
    openMail(h, w, true, [](FrmEmail &) {});
    const QByteArray bytes = statementBytes(h);
    QVERIFY(bytes.contains("A &amp; &lt;B&gt; &quot;C&quot; \xDE\xFE\xDD\xFD\xD0\xF0 &#26085;</td>\r\n"));
    QVERIFY(bytes.contains("Toplam Bor\xE7 : <b>1.234,50 TL</b><br>\r\n"));
    QVERIFY(bytes.contains("Toplam \xD6"
                           "denen : <b>0,00 TL</b><br>\r\n"));
    QVERIFY(bytes.contains("Toplam Bakiye : <b>1.234,50 TL</b><br>\r\n"));
    QVERIFY(bytes.contains("Hesap T\xFCr\xFC : <b>TL Hesab\xFD</b><br>\r\n"));
    QCOMPARE(bytes.count("<tr>"), 2);
    QVERIFY(!bytes.contains("Sat\xFDr 1<"));
}

void TestEmail::statementTwiceAddsOneEntry()
{
    Harness h;
    setup(h);
    veresiye2 &w = openAccount();
    h.expectMsgBox(QStringLiteral("Web Sayfası olarak aktarıldı!"));
    openMail(h, w, true, [&](FrmEmail &m) {
        h.expectMsgBox(QStringLiteral("Web Sayfası olarak aktarıldı!"));
        m.cmdToHTML_Click();
        QCOMPARE(entries(m), QStringList{h.folder() + QStringLiteral("/CariHareketRaporu.html")});
        QCOMPARE(m.Label9->text(), QStringLiteral("1 Adet Dosya Ekli"));
    });
}

void TestEmail::statementCannotBeWritten()
{
    Harness h;
    setup(h);
    QVERIFY(QDir(h.folder()).mkdir(QStringLiteral("CariHareketRaporu.html")));
    veresiye2 &w = openAccount();
    h.expectMsgBoxContaining(QStringLiteral("Cari Hareket Hesap Özeti oluşturulamadı."));
    // No e-mail window may show: the harness fails an unexpected one.
    w.accountMail->mnuExtre->trigger();
    Harness::settle();
    QVERIFY(!pv::isLoaded<FrmEmail>());
    QCOMPARE(h.msgBoxes().size(), 1);
    QVERIFY(
        h.msgBoxes().first().text.startsWith(QStringLiteral("Cari Hareket Hesap Özeti oluşturulamadı.\r\n")));
    QVERIFY(h.msgBoxes().first().text.size() > 45); // the reason follows
    QCOMPARE(h.msgBoxes().first().title, QStringLiteral("Hata"));
    QCOMPARE(h.msgBoxes().first().icon(), int(pv::vbCritical));
    // The account window goes on as before: the plain message still opens.
    QVERIFY(w.isVisible());
    QVERIFY(w.btnMail->isEnabled());
    bool shown = false;
    openMail(h, w, false, [&](FrmEmail &m) {
        shown = true;
        QCOMPARE(m.ListBox1->count(), 0);
        QCOMPARE(m.TextBox1->toPlainText(), QString());
    });
    QVERIFY(shown);
}

void TestEmail::sendDelivers()
{
    Harness h;
    setup(h);
    SmtpServer server;
    QVERIFY2(server.start(kSender, kPassword), "the test SMTP server (python3-aiosmtpd) did not start");
    const QByteArray before =
        h.rows(QStringLiteral("select quote(kurumismi), quote(mailadres), quote(mailsifre) "
                              "from dgrayr"))
            .first()
            .value(0)
            .toByteArray();
    QVERIFY(
        h.exec(QStringLiteral("update dgrayr set kurumismi = ?, mailadres = ?"),
               {QStringLiteral("  Çınar Bakkal "), QStringLiteral(" ") + kSender + QStringLiteral("  ")}));
    const auto dgrayrBefore = h.rows(QStringLiteral("select * from dgrayr"));
    Q_UNUSED(before);
    QByteArray binary;
    for (int i = 0; i < 700; ++i)
        binary.append(char((i * 7) % 256));
    const QString extra = h.folder() + QStringLiteral("/Fatura Ağustos.bin");
    {
        QFile f(extra);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(binary);
    }
    veresiye2 &w = openAccount();
    h.expectMsgBox(QStringLiteral("Web Sayfası olarak aktarıldı!"));
    const QString body = QStringLiteral("  Sayın Müşterimiz,\r\rBorcunuz: 1.234,50 TL\n.\nİyi günler  ");
    openMail(h, w, true, [&](FrmEmail &m) {
        aimAt(m, server.port(), SmtpServer::caFile());
        h.expectOpenFile(extra);
        h.click(m.CommandButton2);
        m.TextBox2->setText(QStringLiteral("  Şükrü  Öğüt  "));
        m.TextBox8->setText(QStringLiteral("  Borç Bilgisi – Aralık "));
        m.TextBox1->setPlainText(body);
        h.expectMsgBox(QStringLiteral("E-posta(lar) başarıyla gönderildi."), pv::vbInformation,
                       QStringLiteral("Başarılı"));
        pressSend(h, m);
        Dialog2 &d = pv::form<Dialog2>();
        QVERIFY2(d.lastError().isEmpty(), qPrintable(d.lastError()));
        QVERIFY(!d.isVisible());
        QCOMPARE(d.XP_ProgressBar1->Value(), 100);
        // Reset after the success; recipient, subject and sender stay (trimmed).
        QCOMPARE(m.ListBox1->count(), 0);
        QCOMPARE(m.TextBox1->toPlainText(), QString());
        QVERIFY(!m.CommandButton3->isEnabled());
        QCOMPARE(m.Label9->text(), QStringLiteral("0 Dosya (lar) şu anda bağlı."));
        QCOMPARE(m.TextBox2->text(), QStringLiteral("Şükrü  Öğüt"));
        QCOMPARE(m.TextBox8->text(), QStringLiteral("Borç Bilgisi – Aralık"));
        QCOMPARE(m.TextBox9->text(), kSender);
        QCOMPARE(m.TextBox5->text(), kSender);
        QCOMPARE(m.TextBox4->text(), QStringLiteral("Çınar Bakkal"));
        QCOMPARE(m.TextBox10->text(), kPassword);
        // Written when the window closes, not before.
        QCOMPARE(h.rows(QStringLiteral("select * from dgrayr")), dgrayrBefore);
    });
    // Closing the window wrote the trimmed name and address into the settings row; the
    // password keeps its blanks and nothing else of the row changed.
    auto dgrayrAfter = dgrayrBefore;
    dgrayrAfter.first()[settingsColumn(h, QStringLiteral("kurumismi"))] = QStringLiteral("Çınar Bakkal");
    dgrayrAfter.first()[settingsColumn(h, QStringLiteral("mailadres"))] = kSender;
    QCOMPARE(h.rows(QStringLiteral("select * from dgrayr")), dgrayrAfter);

    const auto got = server.messages();
    QCOMPARE(got.size(), 1);
    QCOMPARE(got[0].login, kSender);
    QCOMPARE(got[0].from, kSender);
    QCOMPARE(got[0].to, QStringList{QStringLiteral("musteri@ornek.com")});
    const auto e = mailparse::parse(got[0].raw);
    QCOMPARE(mailparse::decodeWords(e.header("subject")), QStringLiteral("Borç Bilgisi – Aralık"));
    QCOMPARE(mailparse::decodeWords(e.header("to")), QStringLiteral("Şükrü  Öğüt <musteri@ornek.com>"));
    QCOMPARE(mailparse::decodeWords(e.header("from")), QStringLiteral("Çınar Bakkal <dukkan@gmail.com>"));
    const int off = QDateTime(QDate(2026, 12, 10), QTime(10, 0)).offsetFromUtc() / 60;
    QCOMPARE(
        e.header("date"),
        QByteArray("Thu, 10 Dec 2026 10:00:00 ") +
            QString::asprintf("%c%02d%02d", off < 0 ? '-' : '+', qAbs(off) / 60, qAbs(off) % 60).toLatin1());
    const auto parts = mailparse::parts(e);
    QCOMPARE(parts.size(), 3);
    // Qt's text box keeps a typed CR as a paragraph break: every break arrives as CR LF.
    QCOMPARE(QString::fromUtf8(mailparse::qpDecode(parts[0].body)),
             QStringLiteral("  Sayın Müşterimiz,\r\n\r\nBorcunuz: 1.234,50 TL\r\n.\r\nİyi günler  "));
    QVERIFY(parts[1].header("content-type").startsWith("text/html; charset=windows-1254"));
    QCOMPARE(QByteArray::fromBase64(parts[1].body), statementBytes(h));
    QCOMPARE(QByteArray::fromBase64(parts[2].body), binary);
    QVERIFY(parts[2]
                .header("content-disposition")
                .contains("filename*=UTF-8''" +
                          QStringLiteral("Fatura Ağustos.bin").toUtf8().toPercentEncoding()));
}

void TestEmail::sendFailures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("maxSeconds");
    QTest::newRow("wrong password") << "password" << 15;
    QTest::newRow("server stops answering") << "silent" << 15;
    QTest::newRow("nothing listening") << "closed" << 10;
    QTest::newRow("certificate not vouched for") << "certificate" << 15;
    QTest::newRow("attachment gone") << "attachment" << 15;
}

void TestEmail::sendFailures()
{
    QFETCH(QString, kind);
    QFETCH(int, maxSeconds);
    Harness h;
    setup(h);
    SmtpServer server;
    if (kind != QLatin1String("closed"))
        QVERIFY2(server.start(kSender,
                              kind == QLatin1String("password") ? QStringLiteral("başka") : kPassword,
                              kind == QLatin1String("silent") ? SmtpServer::Silent : SmtpServer::Normal),
                 "the test SMTP server (python3-aiosmtpd) did not start");
    const int port = kind == QLatin1String("closed") ? freeLoopbackPort() : server.port();
    const QString gone = h.folder() + QStringLiteral("/silinecek.txt");
    QFile(gone).open(QIODevice::WriteOnly);
    veresiye2 &w = openAccount();
    openMail(h, w, false, [&](FrmEmail &m) {
        aimAt(m, port,
              kind == QLatin1String("certificate") ? SmtpServer::otherCaFile() : SmtpServer::caFile(), 3);
        m.TextBox1->setPlainText(QStringLiteral("Metin"));
        h.expectOpenFile(gone);
        h.click(m.CommandButton2);
        if (kind == QLatin1String("attachment"))
            QFile::remove(gone);
        h.expectMsgBox(kFail, pv::vbCritical, QStringLiteral("Hata"));
        QElapsedTimer clock;
        clock.start();
        pressSend(h, m);
        QVERIFY2(clock.elapsed() < maxSeconds * 1000, qPrintable(QString::number(clock.elapsed())));
        Dialog2 &d = pv::form<Dialog2>();
        QVERIFY(!d.isVisible());
        QVERIFY(!d.lastError().isEmpty());
        QVERIFY(!d.Timer1->Enabled());
        QCOMPARE(d.XP_ProgressBar1->Value(), 75); // the last value reached stays
        // Every field kept.
        QCOMPARE(entries(m), QStringList{gone});
        QCOMPARE(m.TextBox1->toPlainText(), QStringLiteral("Metin"));
        QCOMPARE(m.Label9->text(), QStringLiteral("1 Adet Dosya Ekli"));
        QCOMPARE(m.TextBox8->text(), QStringLiteral("Borç Bilgisi"));
    });
    QVERIFY(server.messages().isEmpty());
    if (kind == QLatin1String("certificate") || kind == QLatin1String("attachment"))
        QVERIFY2(!server.events().join(QLatin1Char(' ')).contains(QLatin1String("auth")),
                 qPrintable(server.events().join(QLatin1Char(' '))));
    if (kind == QLatin1String("silent"))
        QVERIFY(server.events().contains(QStringLiteral("auth ") + kSender));
}

void TestEmail::sendAgainAfterSuccess()
{
    Harness h;
    setup(h);
    SmtpServer server;
    QVERIFY2(server.start(kSender, kPassword), "the test SMTP server (python3-aiosmtpd) did not start");
    veresiye2 &w = openAccount();
    openMail(h, w, false, [&](FrmEmail &m) {
        aimAt(m, server.port(), SmtpServer::caFile());
        m.TextBox1->setPlainText(QStringLiteral("Bir"));
        h.expectMsgBox(QStringLiteral("E-posta(lar) başarıyla gönderildi."));
        pressSend(h, m);
        Dialog2 &d = pv::form<Dialog2>();
        QCOMPARE(d.XP_ProgressBar1->Value(), 100);
        // The next press starts the bar from 0, shows the same dialog again and sends once.
        QList<int> seen;
        h.onModal<Dialog2>([&](Dialog2 &again) {
            QCOMPARE(&again, &d);
            seen << again.XP_ProgressBar1->Value();
            QVERIFY(Harness::fire(*again.Timer1));
            QVERIFY(!Harness::fire(*again.Timer1)); // switched off: no second send
        });
        m.TextBox1->setPlainText(QStringLiteral("İki"));
        m.TextBox8->setText(QStringLiteral("   ")); // blanks pass the check and go as an empty subject
        h.expectMsgBox(QStringLiteral("E-posta(lar) başarıyla gönderildi."));
        h.click(m.CommandButton1);
        QCOMPARE(seen, QList<int>{0});
    });
    QCOMPARE(server.messages().size(), 2);
    const auto second = mailparse::parse(server.messages().at(1).raw);
    QCOMPARE(mailparse::qpDecode(second.body), QByteArray("\xC4\xB0ki\r\n"));
    QCOMPARE(second.count("subject"), 1);
    QCOMPARE(second.header("subject"), QByteArray());
}

void TestEmail::senderTrimmedIntoSettings_data()
{
    QTest::addColumn<QString>("recipient");
    QTest::addColumn<bool>("press");    // " Gönder" pressed
    QTest::addColumn<bool>("closeBox"); // closed with the close box, else " Kapat"
    QTest::addColumn<bool>("trimmed");
    // A send that fails has started all the same.
    QTest::newRow("send failed, Kapat") << "musteri@ornek.com" << true << false << true;
    QTest::newRow("send failed, close box") << "musteri@ornek.com" << true << true << true;
    QTest::newRow("refused by a check") << "musteri-ornek.com" << true << false << false;
    QTest::newRow("not sent") << "musteri@ornek.com" << false << true << false;
}

// Blanks around the shop's name and sender address leave the settings row when the window
// closes after a send has started; the password and the rest of the row stay as stored.
void TestEmail::senderTrimmedIntoSettings()
{
    QFETCH(QString, recipient);
    QFETCH(bool, press);
    QFETCH(bool, closeBox);
    QFETCH(bool, trimmed);
    Harness h;
    setup(h, recipient);
    QVERIFY(
        h.exec(QStringLiteral("update dgrayr set kurumismi = ?, mailadres = ?"),
               {QStringLiteral("  Çınar Bakkal "), QStringLiteral(" ") + kSender + QStringLiteral("  ")}));
    const auto before = h.rows(QStringLiteral("select * from dgrayr"));
    veresiye2 &w = openAccount();
    h.onModal<FrmEmail>([&](FrmEmail &m) {
        aimAt(m, freeLoopbackPort(), SmtpServer::caFile(), 3);
        if (press) {
            if (recipient.contains(QLatin1Char('@'))) {
                h.expectMsgBox(kFail, pv::vbCritical, QStringLiteral("Hata"));
                pressSend(h, m);
            } else {
                h.expectMsgBoxContaining(
                    QStringLiteral("Alıcı e-posta adresi geçerli bir e-posta adresi değil."));
                h.click(m.CommandButton1);
            }
        }
        // Nothing reaches the row before the window closes.
        QCOMPARE(h.rows(QStringLiteral("select * from dgrayr")), before);
        if (closeBox)
            m.close();
        else
            h.click(m.btnKapat);
    });
    w.accountMail->mnuBagMail->trigger();
    Harness::settle();
    QVERIFY(!pv::isLoaded<FrmEmail>());
    auto after = before;
    if (trimmed) {
        after.first()[settingsColumn(h, QStringLiteral("kurumismi"))] = QStringLiteral("Çınar Bakkal");
        after.first()[settingsColumn(h, QStringLiteral("mailadres"))] = kSender;
    }
    QCOMPARE(h.rows(QStringLiteral("select * from dgrayr")), after);
    QCOMPARE(h.value(QStringLiteral("select mailsifre from dgrayr")).toString(), kPassword);
}

void TestEmail::sendProgress_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<QList<int>>("values");
    QTest::newRow("no attachment") << 0 << QList<int>{20, 30, 50, 60, 90, 100};
    QTest::newRow("two attachments") << 2 << QList<int>{20, 30, 50, 60, 75, 75, 90, 100};
}

void TestEmail::sendProgress()
{
    QFETCH(int, files);
    QFETCH(QList<int>, values);
    Harness h;
    setup(h);
    SmtpServer server;
    QVERIFY2(server.start(kSender, kPassword), "the test SMTP server (python3-aiosmtpd) did not start");
    veresiye2 &w = openAccount();
    QList<int> seen;
    QStringList statuses;
    openMail(h, w, false, [&](FrmEmail &m) {
        aimAt(m, server.port(), SmtpServer::caFile());
        for (int i = 0; i < files; ++i) {
            const QString path = h.folder() + QStringLiteral("/ek%1.txt").arg(i);
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray::number(i));
            f.close();
            h.expectOpenFile(path);
            h.click(m.CommandButton2);
        }
        Dialog2 &d = pv::form<Dialog2>();
        QObject::connect(&d, &Dialog2::progressed, &d, [&](int value, const QString &status) {
            QCOMPARE(d.XP_ProgressBar1->Value(), value);
            seen << value;
            if (!statuses.contains(status))
                statuses << status;
        });
        h.expectMsgBox(QStringLiteral("E-posta(lar) başarıyla gönderildi."));
        pressSend(h, m);
    });
    QCOMPARE(seen, values);
    QStringList expected{QStringLiteral("Sunucuya bağlanıyor . . . . ."),
                         QStringLiteral("E-posta göndererek lütfen bekleyin . . . . .")};
    if (files)
        expected << QStringLiteral("Dosya Ekli e-posta gönderirken lütfen bekleyin . . .");
    QCOMPARE(statuses, expected);
    QCOMPARE(server.messages().size(), 1);
    QCOMPARE(mailparse::parts(mailparse::parse(server.messages().first().raw)).size(), files ? files + 1 : 0);
}

void TestEmail::sendDialogDesign()
{
    Harness h;
    Dialog2 &d = pv::form<Dialog2>();
    QCOMPARE(d.Caption(), QString());
    QCOMPARE(d.size(), QSize(386, 97)); // 5790 x 1455 twips
    QCOMPARE(d.Timer1->Interval(), 1000);
    QVERIFY(!d.Timer1->Enabled());
    QCOMPARE(d.XP_ProgressBar1->Scrolling(), QuorvelXPProgressBar::ccScrollingMetallic);
    QCOMPARE(d.XP_ProgressBar1->Color(), QuorvelXPProgressBar::OleColor(0x0000C0));
    QCOMPARE(d.Label2->text(), QStringLiteral("E-Posta Göndermek için sunucuya bağlanıyor.."));
    QCOMPARE(d.transport.connectTimeoutSec, 40);
    QCOMPARE(d.transport.caFile, QString());
}

void TestEmail::sendDialogTakesHandedMessage_data()
{
    QTest::addColumn<QString>("port"); // empty: the server's
    QTest::addColumn<bool>("delivered");
    QTest::addColumn<int>("bar");
    QTest::newRow("delivered") << "" << true << 100;
    QTest::newRow("port is no number") << "46x5" << false << 20;
}

// The send dialog needs nothing of the e-mail window: what it sends is what it was handed.
void TestEmail::sendDialogTakesHandedMessage()
{
    QFETCH(QString, port);
    QFETCH(bool, delivered);
    QFETCH(int, bar);
    Harness h;
    SmtpServer server;
    QVERIFY2(server.start(kSender, kPassword), "the test SMTP server (python3-aiosmtpd) did not start");
    Dialog2 &d = pv::form<Dialog2>();
    d.transport.caFile = SmtpServer::caFile();
    QSignalSpy sent(&d, &Dialog2::sent);
    Dialog2::Outgoing out{QStringLiteral("127.0.0.1"),
                          port.isEmpty() ? QString::number(server.port()) : port,
                          kSender,
                          kPassword,
                          {}};
    out.message.from = {QStringLiteral("Çınar Bakkal"), kSender};
    out.message.to = {{QStringLiteral("Şükrü Öğüt"), QStringLiteral("musteri@ornek.com")}};
    out.message.subject = QStringLiteral("Borç Bilgisi");
    out.message.body = QStringLiteral("Metin");
    h.onModal<Dialog2>([](Dialog2 &shown) { QVERIFY(Harness::fire(*shown.Timer1)); });
    h.expectMsgBox(delivered ? QStringLiteral("E-posta(lar) başarıyla gönderildi.") : kFail);
    d.start(out, nullptr);
    QVERIFY(!pv::isLoaded<FrmEmail>());
    QVERIFY(!d.isVisible());
    QCOMPARE(d.XP_ProgressBar1->Value(), bar);
    QCOMPARE(sent.count(), delivered ? 1 : 0);
    QCOMPARE(server.messages().size(), delivered ? 1 : 0);
    if (delivered) {
        const auto e = mailparse::parse(server.messages().first().raw);
        QCOMPARE(mailparse::decodeWords(e.header("subject")), QStringLiteral("Borç Bilgisi"));
        QCOMPARE(mailparse::decodeWords(e.header("to")), QStringLiteral("Şükrü Öğüt <musteri@ornek.com>"));
    }
}

QTEST_MAIN(TestEmail)
#include "test_email.moc"
