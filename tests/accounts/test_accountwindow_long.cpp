// The account window on a ledger longer than one opening reads: the grid starts with the
// first rows and reads more as it scrolls, while the totals, the order and the row kept
// after a save are those of the whole ledger.
#include "app/accounts/veresiye2.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/databind/DataControl.h"
#include "platform/text/Formats.h"
#include "tests/harness/Harness.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QtTest>

using pv::test::Harness;

namespace
{

constexpr int kEntries = 700;

// Entry i: dated so that the ledger's order is not the order of insertion; debt i + 1, and
// a payment of 1 on every tenth.
void addLedger(Harness &h)
{
    pv::test::addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet"),
                          {{QStringLiteral("ParaTuru"), QVariant()}});
    for (int i = 0; i < kEntries; ++i) {
        const QDate d = QDate(2026, 1, 1).addDays((i * 37) % 340);
        const bool paid = i % 10 == 0;
        QVERIFY(h.insert(
            QStringLiteral("veresiye"),
            {{QStringLiteral("Tarih"), d.toString(QStringLiteral("dd.MM.yyyy"))},
             {QStringLiteral("Saat"), QStringLiteral("10:%1:00").arg(i % 60, 2, 10, QLatin1Char('0'))},
             {QStringLiteral("Turu"), paid ? QStringLiteral("Tahsilat") : QStringLiteral("Satış")},
             {QStringLiteral("Aciklama"), QStringLiteral("kalem %1").arg(i)},
             {QStringLiteral("Eklenen"), paid ? QVariant() : QVariant(double(i + 1))},
             {QStringLiteral("Odenen"), paid ? QVariant(1.0) : QVariant()},
             {QStringLiteral("Tarih2"), d.toString(QStringLiteral("yyyyMMdd"))},
             {QStringLiteral("mus_kodu"), QStringLiteral("100")}}));
    }
}

veresiye2 &openAccount()
{
    veresiye2 &w = pv::form<veresiye2>();
    w.setCaption(QStringLiteral("Ahmet / 100 - ( TL/Alıcı ) HESABI"));
    w.Text10 = QStringLiteral("100");
    w.txtYetki = QStringLiteral("0");
    w.txtMusTuru = QStringLiteral("Alıcı");
    w.Show();
    Harness::settle();
    return w;
}

} // namespace

class TestAccountWindowLong : public QObject
{
    Q_OBJECT
private slots:
    void opensWithTheWholeLedgersTotalsAndOrder()
    {
        Harness h;
        addLedger(h);
        veresiye2 &w = openAccount();
        QAbstractItemModel *m = w.DBGrid2->model();
        QVERIFY(m->rowCount() > 0);
        QVERIFY(m->rowCount() < kEntries);
        double debt = 0;
        for (int i = 0; i < kEntries; ++i)
            if (i % 10 != 0)
                debt += i + 1;
        QCOMPARE(pv::toNumber(w.VornXPTextBox2->text()).value_or(-1), debt);
        QCOMPARE(w.VornXPTextBox3->text(), QStringLiteral("70,00"));
        QCOMPARE(pv::toNumber(w.VornXPTextBox4->text()).value_or(-1), debt - 70);

        // A grid made taller than the first screen read fills its rows as they come in sight.
        const int before = m->rowCount();
        w.DBGrid2->resize(w.DBGrid2->width(), w.DBGrid2->height() * 4);
        Harness::settle();
        const auto order = h.rows(
            QStringLiteral("select Aciklama from veresiye where mus_kodu = '100' ORDER BY Tarih2, Saat asc"));
        const int inSight = w.DBGrid2->rowAt(w.DBGrid2->viewport()->height() - 1);
        QVERIFY2(inSight > before, qPrintable(QStringLiteral("%1 rows in sight").arg(inSight)));
        QCOMPARE(m->index(inSight, 3).data().toString(), order[inSight][0].toString());

        // Scrolling to the end reads on until every row is there, in the ledger's order.
        for (int guard = 0; guard < 100 && m->canFetchMore({}); ++guard) {
            w.DBGrid2->scrollToBottom();
            Harness::settle();
        }
        QCOMPARE(m->rowCount(), kEntries);
        for (int r = 0; r < kEntries; r += 97)
            QCOMPARE(m->index(r, 3).data().toString(), order[r][0].toString());
        QCOMPARE(m->index(kEntries - 1, 3).data().toString(), order[kEntries - 1][0].toString());
    }

    void savedEntryStaysCurrentPastTheFirstRows()
    {
        Harness h;
        addLedger(h);
        veresiye2 &w = openAccount();
        const auto ids = h.rows(
            QStringLiteral("select id from veresiye where mus_kodu = '100' ORDER BY Tarih2, Saat asc"));
        const int row = kEntries - 5;
        const qint64 id = ids[row][0].toLongLong();
        QVERIFY(w.Data5->setCurrentRow(row));
        QCOMPARE(w.DBGrid2->currentIndex().row(), row);
        Harness::click(w.btnEdit);
        Harness::click(w.BvButton2);
        w.txtEdit4->setText(QStringLiteral("düzeltildi"));
        Harness::click(w.BvButton3);
        QVERIFY(w.frmHareketEdit->isHidden());
        QCOMPARE(h.value(QStringLiteral("select Aciklama from veresiye where id = ?"), {id}).toString(),
                 QStringLiteral("düzeltildi"));
        // The ledger was read again; the edited entry is still the current row, in the grid too.
        QCOMPARE(w.Data5->Recordset().Fields(QStringLiteral("id")).value().toLongLong(), id);
        QCOMPARE(w.Data5->currentRow(), row);
        QCOMPARE(w.DBGrid2->currentIndex().row(), row);
        QCOMPARE(w.DBGrid2->model()->index(row, 3).data().toString(), QStringLiteral("düzeltildi"));
    }
};

QTEST_MAIN(TestAccountWindowLong)
#include "test_accountwindow_long.moc"
