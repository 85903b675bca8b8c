// A read that fails is told, never shown as 0,00 and never written back as a balance, a day
// count or a total: the account window, the cash book and the bank windows.
#include "app/accounts/veresiye2.h"
#include "controls/button/BvButton.h"
#include "tests/harness/Harness.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QtTest>

using pv::test::Harness;

namespace
{

const QString kMalformed = QStringLiteral("malformed JSON");

void addCustomer(Harness &h, const QString &code, double stored)
{
    QVERIFY(h.insert(QStringLiteral("musteriler"),
                     {{QStringLiteral("mus_kodu"), code},
                      {QStringLiteral("MusteriFirma"), QStringLiteral("Müşteri ") + code},
                      {QStringLiteral("Turu"), QStringLiteral("Alıcı")},
                      {QStringLiteral("ParaTuru"), QStringLiteral("TL")},
                      {QStringLiteral("Sonislem"), QStringLiteral("2026-12-03")},
                      {QStringLiteral("Gun"), 7},
                      {QStringLiteral("Bakiye"), stored}}));
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
    h.expectMsgBox(what + kMalformed, pv::vbCritical, QStringLiteral("Hata"));
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
    addCustomer(h, QStringLiteral("5"), 750);
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
    addCustomer(h, QStringLiteral("5"), 0);
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
    addCustomer(h, QStringLiteral("5"), 750);
    addDebt(h, QStringLiteral("5"), 750);
    veresiye2 &w = openAccount(QStringLiteral("5"));
    w.ilk->setDate(QDate(2026, 12, 1));
    w.btnT1_Click();
    QCOMPARE(w.txtT3->text(), QStringLiteral("750,00"));
    QVERIFY(h.breakReadsOf(QStringLiteral("veresiye")));
    expectUnread(h, QStringLiteral("Hesap okunamadı: "));
    w.btnT1_Click();
    QCOMPARE((QStringList{w.txtT1->text(), w.txtT2->text(), w.txtT3->text()}),
             (QStringList{QString(), QString(), QString()}));
}

QTEST_MAIN(TestReads)
#include "test_reads.moc"
