// A read that fails is told, never shown as 0,00 and never written back as a balance, a day
// count or a total: the account window, the cash book and the bank windows.
#include "app/accounts/veresiye2.h"
#include "app/bank/Banka2.h"
#include "app/cashbook/kasa.h"
#include "app/sales/veresiyeekleode.h"
#include "controls/button/BvButton.h"
#include "platform/data/Database.h"
#include "tests/harness/Harness.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QtTest>

#include <sqlite3.h>

using pv::test::Harness;

namespace
{

const QString kUnread = QStringLiteral("Veri tabanı işlemi yapılamadı.");

// The columns of a customer last moved on 03.12.2026 (day count 7), with this stored balance.
QVariantMap withBalance(double balance)
{
    return pv::test::lastMoved({{QStringLiteral("Bakiye"), balance}});
}

void addDebt(Harness &h, const QString &code, double amount)
{
    QVERIFY(h.insert(QStringLiteral("veresiye"), {{QStringLiteral("mus_kodu"), code},
                                                  {QStringLiteral("Tarih"), QStringLiteral("03.12.2026")},
                                                  {QStringLiteral("Saat"), QStringLiteral("09:00:00")},
                                                  {QStringLiteral("Turu"), QStringLiteral("Satış")},
                                                  {QStringLiteral("Eklenen"), amount},
                                                  {QStringLiteral("Tarih2"), QStringLiteral("20261203")}}));
}

veresiye2 &openAccount(const QString &code)
{
    veresiye2 &w = pv::form<veresiye2>();
    w.Text10 = code;
    w.txtYetki = QStringLiteral("0");
    w.txtMusTuru = QStringLiteral("Alıcı");
    w.Show();
    Harness::settle();
    return w;
}

QStringList totals(const veresiye2 &w)
{
    return {w.VornXPTextBox2->text(), w.VornXPTextBox3->text(), w.VornXPTextBox4->text()};
}

void expectUnread(Harness &h, const QString &what)
{
    h.expectMsgBox(what + kUnread, pv::vbCritical, QStringLiteral("Hata"));
}

} // namespace

class TestReads : public QObject
{
    Q_OBJECT
private slots:
    void accountUnreadWhenOpened_data();
    void accountUnreadWhenOpened();
    void accountReadFailsDuringTheVisit();
    void accountRangeTotalsUnread();
    void cashBookUnread();
    void cashReceiptCounterUnread();
    void bankMovementsUnread();
    void receiptTotalsUnread();
};

void TestReads::accountUnreadWhenOpened_data()
{
    QTest::addColumn<QString>("table");
    QTest::newRow("ledger") << QStringLiteral("veresiye");
    QTest::newRow("customer row") << QStringLiteral("musteriler");
}

// The stored balance was 750 over a ledger of 750: neither 0,00 on screen nor a zero, a day
// count or a last date written by "Geri".
void TestReads::accountUnreadWhenOpened()
{
    QFETCH(QString, table);
    Harness h;
    addCustomer(h, QStringLiteral("5"), QStringLiteral("Müşteri 5"), withBalance(750));
    addDebt(h, QStringLiteral("5"), 750);
    QVERIFY(h.breakReadsOf(table));
    const QString row =
        table == QLatin1String("musteriler") ? QStringLiteral("musteriler_t") : QStringLiteral("musteriler");
    const auto before = h.rows(QStringLiteral("SELECT Bakiye, Gun, Sonislem, Sonislem2 FROM ") + row);
    expectUnread(h, QStringLiteral("Hesap okunamadı: "));
    veresiye2 &w = openAccount(QStringLiteral("5"));
    QCOMPARE(h.msgBoxes().size(), 1); // told once, not at every re-read of the opening
    if (table == QLatin1String("veresiye"))
        QCOMPARE(totals(w), (QStringList{QString(), QString(), QString()}));
    // "Geri" reads again; when that fails too, it is told again and nothing is written.
    if (table == QLatin1String("veresiye"))
        expectUnread(h, QStringLiteral("Hesap okunamadı: "));
    h.click(w.VornXPButton7);
    h.settle();
    QVERIFY(!pv::isLoaded<veresiye2>());
    QCOMPARE(h.rows(QStringLiteral("SELECT Bakiye, Gun, Sonislem, Sonislem2 FROM ") + row), before);
}

// Readable when opened, unreadable when a refresh comes, readable again before "Geri": the
// failure is told once, and "Geri" writes the balance it read at last.
void TestReads::accountReadFailsDuringTheVisit()
{
    Harness h;
    addCustomer(h, QStringLiteral("5"), QStringLiteral("Müşteri 5"), withBalance(0));
    addDebt(h, QStringLiteral("5"), 750);
    veresiye2 &w = openAccount(QStringLiteral("5"));
    QCOMPARE(totals(w),
             (QStringList{QStringLiteral("750,00"), QStringLiteral("0,00"), QStringLiteral("750,00")}));
    QVERIFY(h.breakReadsOf(QStringLiteral("veresiye")));
    expectUnread(h, QStringLiteral("Hesap okunamadı: "));
    w.postingSaved(QStringLiteral("11")); // an entry dialog's answer re-reads the account
    for (int i = 0; i < 5; ++i)
        Harness::fire(*w.Timer3); // the blinking confirmation re-reads the ledger
    QCOMPARE(h.msgBoxes().size(), 1);
    QCOMPARE(totals(w), (QStringList{QString(), QString(), QString()}));
    QVERIFY(h.mendReadsOf(QStringLiteral("veresiye")));
    addDebt(h, QStringLiteral("5"), 100);
    h.click(w.VornXPButton7);
    h.settle();
    QCOMPARE(h.msgBoxes().size(), 1);
    QCOMPARE(h.value(QStringLiteral("SELECT Bakiye FROM musteriler")).toDouble(), 850.0);
}

void TestReads::accountRangeTotalsUnread()
{
    Harness h;
    addCustomer(h, QStringLiteral("5"), QStringLiteral("Müşteri 5"), withBalance(750));
    addDebt(h, QStringLiteral("5"), 750);
    veresiye2 &w = openAccount(QStringLiteral("5"));
    Harness::click(w.tgoster2);
    w.ilk->setDate(QDate(2026, 12, 1));
    w.btnT1_Click();
    QCOMPARE(w.txtT3->text(), QStringLiteral("750,00"));
    QVERIFY(h.breakReadsOf(QStringLiteral("veresiye")));
    expectUnread(h, QStringLiteral("Hesap okunamadı: "));
    w.btnT1_Click();
    QCOMPARE((QStringList{w.txtT1->text(), w.txtT2->text(), w.txtT3->text()}),
             (QStringList{QString(), QString(), QString()}));
}

namespace
{

kasa &openCashBook()
{
    kasa &w = pv::form<kasa>();
    w.txtYetki = QStringLiteral("0");
    w.Show();
    Harness::settle();
    return w;
}

void addCash(Harness &h, double in)
{
    QVERIFY(h.insert(QStringLiteral("kasa"), {{QStringLiteral("Tarih"), QStringLiteral("10.12.2026")},
                                              {QStringLiteral("Saat"), QStringLiteral("09:00:00")},
                                              {QStringLiteral("Tur"), QStringLiteral("Giren")},
                                              {QStringLiteral("Giren"), in},
                                              {QStringLiteral("OdemeSekli"), QStringLiteral("Nakit")},
                                              {QStringLiteral("Tarih2"), QStringLiteral("20261210")}}));
}

} // namespace

// The carried balance and the totals panel of a book that cannot be read: told, left empty,
// and no report printed without its totals.
void TestReads::cashBookUnread()
{
    Harness h;
    addCash(h, 250);
    QVERIFY(h.breakReadsOf(QStringLiteral("kasa")));
    expectUnread(h, QStringLiteral("Kasa okunamadı: "));
    kasa &w = openCashBook();
    QCOMPARE(h.msgBoxes().size(), 1);
    QCOMPARE(w.xpText5->text(), QString());
    expectUnread(h, QStringLiteral("Kasa okunamadı: "));
    w.yazdirBtn_Click();
    for (QLineEdit *box :
         {w.VornXPTextBox2, w.VornXPTextBox3, w.VornXPTextBox4, w.VornXPTextBox5, w.VornXPTextBox6})
        QCOMPARE(box->text(), QString());
    expectUnread(h, QStringLiteral("Kasa okunamadı: "));
    h.click(w.muslisyzdBtn); // an unexpected preview window would fail the test
    QCOMPARE(h.msgBoxes().size(), 3);
}

// An unreadable receipt counter offers no number (not 1, which would be posted and become
// the counter).
void TestReads::cashReceiptCounterUnread()
{
    Harness h;
    QVERIFY(h.exec(QStringLiteral("UPDATE son_islemno SET islemno = 41")));
    kasa &w = openCashBook();
    QVERIFY(h.breakReadsOf(QStringLiteral("son_islemno")));
    expectUnread(h, QStringLiteral("Kasa okunamadı: "));
    h.click(w.KasaGrsBtn);
    QCOMPARE(w.Text10->text(), QString());
    QCOMPARE(h.value(QStringLiteral("SELECT islemno FROM son_islemno_t")).toLongLong(), qint64(41));
}

// The account row keeps the totals it has: none are summed from movements that were not
// read, shown or stored, when the window opens nor when it goes back.
void TestReads::bankMovementsUnread()
{
    Harness h;
    QVERIFY(h.insert(QStringLiteral("banka"), {{QStringLiteral("Banka"), QStringLiteral("Ziraat")},
                                               {QStringLiteral("HesapNo"), QStringLiteral("TR1")},
                                               {QStringLiteral("Giren"), 500.0},
                                               {QStringLiteral("Cikan"), 100.0},
                                               {QStringLiteral("Bakiye"), 400.0}}));
    QVERIFY(h.insert(QStringLiteral("banka2"), {{QStringLiteral("Banka_Kodu"), QStringLiteral("TR1")},
                                                {QStringLiteral("Giren"), 500.0},
                                                {QStringLiteral("Tarih2"), QStringLiteral("20261210")}}));
    QVERIFY(h.breakReadsOf(QStringLiteral("banka2")));
    const auto stored = h.rows(QStringLiteral("SELECT Giren, Cikan, Bakiye FROM banka"));
    expectUnread(h, QStringLiteral("Banka hareketleri okunamadı: "));
    Banka2 &w = pv::form<Banka2>();
    w.Banka_Kodu = QStringLiteral("TR1");
    w.txtYetki = QStringLiteral("0");
    w.Show();
    Harness::settle();
    QCOMPARE(h.msgBoxes().size(), 1);
    QCOMPARE((QStringList{w.VornXPTextBox2->text(), w.VornXPTextBox3->text(), w.VornXPTextBox4->text()}),
             (QStringList{QString(), QString(), QString()}));
    expectUnread(h, QStringLiteral("Banka hareketleri okunamadı: "));
    h.click(w.btnGeri);
    Harness::settle();
    QCOMPARE(h.rows(QStringLiteral("SELECT Giren, Cikan, Bakiye FROM banka")), stored);
}

namespace
{

// Every sum the program reads fails from now on, while rows still read and write.
int refuseSums(void *, int action, const char *, const char *function, const char *, const char *)
{
    return action == SQLITE_FUNCTION && qstricmp(function, "sum") == 0 ? SQLITE_DENY : SQLITE_OK;
}

} // namespace

// A collection whose receipt cannot read the account's totals: the collection is saved, no
// receipt with 0,00 comes out, and its number stays for the next receipt.
void TestReads::receiptTotalsUnread()
{
    Harness h;
    QVERIFY(h.exec(QStringLiteral("UPDATE yedek_yeri SET yolu = 7")));
    addCustomer(h, QStringLiteral("5"), QStringLiteral("Müşteri 5"), withBalance(750));
    addDebt(h, QStringLiteral("5"), 750);
    veresiye2 &w = openAccount(QStringLiteral("5"));
    pv::Database db; // joins the windows' connection
    QVERIFY(db.open(h.databasePath()));
    h.onModal<veresiyeekleode>([&](veresiyeekleode &d) {
        QApplication::setActiveWindow(&d);
        d.Text5->clear();
        Harness::type(d.Text5, QStringLiteral("250"));
        Harness::click(d.btnMakbuz);
        sqlite3_set_authorizer(db.handle(), refuseSums, nullptr);
        Harness::click(d.VornXPButton9);
    });
    // The account window re-reads after the posting, then the dialog tells its receipt.
    h.expectMsgBox(QStringLiteral("Hesap okunamadı: Veri tabanı işlemi yapılamadı."), pv::vbCritical,
                   QStringLiteral("Hata"));
    h.expectMsgBox(QStringLiteral("Hesap okunamadı: Veri tabanı işlemi yapılamadı.\nMakbuz yazdırılmadı."),
                   pv::vbCritical, QStringLiteral("Hata"));
    Harness::click(w.VornXPButton10); // an unexpected receipt preview would fail the test
    Harness::settle();
    sqlite3_set_authorizer(db.handle(), nullptr, nullptr);
    QVERIFY(!pv::isLoaded<veresiyeekleode>());
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM kasa")).toInt(), 1);
    QCOMPARE(h.value(QStringLiteral("SELECT yolu FROM yedek_yeri")).toInt(), 7);
}

QTEST_MAIN(TestReads)
#include "test_reads.moc"
