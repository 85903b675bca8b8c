// The cash book on a shop of 200,000 cash rows over seven years, against what the window
// needs done with bare sqlite3 calls: the activation of a loaded window, a one-year range list
// with the grid filled, one keystroke of the search in that range, the five range totals and
// saving one entry. The raw side shows the first screen of each list in a bare QTableView of
// the window grid's size, reads the balance once where the window shows it and writes the
// entry as the window does. Prints the first opening's time and both sides' row counts.
#include "app/cashbook/kasa.h"
#include "bench/BenchCommon.h"
#include "controls/button/BvButton.h"
#include "platform/components/MemoryPolicy.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/Clock.h"
#include "platform/forms/Program.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTableView>
#include <cstdio>
#include <sqlite3.h>

using namespace pv;

namespace
{

// The grid's columns, in the window's order.
const char *kRange = "select Tarih, Saat, Tur, islemNo, Aciklama, OdemeSekli, Giren, Cikan from kasa "
                     "where Tarih2 Between ? and ? ORDER BY Tarih2,Saat asc";
const char *kSearch = "select Tarih, Saat, Tur, islemNo, Aciklama, OdemeSekli, Giren, Cikan from kasa "
                      "where Aciklama like ? And Tarih2 Between ? and ? ORDER BY Tarih2,Saat asc";

void rawBalance(sqlite3 *db)
{
    bench::readRows(db, "SELECT sum(Giren) FROM kasa WHERE Tur = 'Giren'");
    bench::readRows(db, "SELECT sum(Cikan) FROM kasa WHERE Tur = 'Çıkan'");
}

void setRange(kasa &w, const QDate &first, const QDate &last)
{
    const QSignalBlocker a(w.ilk), b(w.son);
    w.ilk->setDate(first);
    w.son->setDate(last);
}

} // namespace

int main(int argc, char **argv)
{
    pv::setProcessMemoryPolicy();
    bench::offscreenByDefault();
    QApplication app(argc, argv);

    const bench::ShopSize size{.customers = 2000,
                               .ledgerRows = 20000,
                               .cashRows = 200000,
                               .products = 1000,
                               .busyCustomerRows = 100};
    const bench::ShopPlace shop = bench::prepareShop(argc, argv, QStringLiteral("cashshop"), size);
    if (!shop.ok)
        return 1;
    setProgramFolder(shop.folder);
    Clock::setFixed(QDateTime(QDate(2025, 6, 16), QTime(12, 0)));
    sqlite3 *raw = bench::openRaw(shop.path);
    const QByteArray today("20250616");

    // The first opening: load, show, the activation's list and balance.
    QElapsedTimer first;
    first.start();
    kasa &w = form<kasa>();
    w.txtYetki = QStringLiteral("0");
    w.Show();
    QCoreApplication::processEvents();
    std::printf("first opening (load, show, activation): %.3f ms, %d rows today, balance %s\n",
                first.nsecsElapsed() / 1e6, w.DBGrid1->model()->rowCount(), qPrintable(w.xpText5->text()));

    // The raw side's grid: as large as the window's, as many rows on its screen.
    bench::RawGrid grid(w.DBGrid1->size(), w.DBGrid1->verticalHeader()->defaultSectionSize(),
                        bench::screenRows(*w.DBGrid1));
    int rawRows = 0;
    const auto rows = [&](const char *what, int ours) {
        std::printf("%s: ours %d rows in the list, raw %d rows shown\n", what, ours, rawRows);
    };

    // The activation lists the day and shows the balance, then the rights step.
    bench::report("activation (day list, balance, rights)",
                  bench::bestMs(
                      20,
                      [&] {
                          w.Form_Activate();
                          QCoreApplication::processEvents(); // painted
                      },
                      [&] {
                          rawRows = grid.show(raw, kRange, {today, today});
                          rawBalance(raw);
                      }));
    rows("day list", w.DBGrid1->model()->rowCount());

    const QDate yearFirst(2024, 1, 1), yearLast(2024, 12, 31);
    const QByteArray k1("20240101"), k2("20241231");
    int yearRows = 0, yearRawRows = 0;
    const auto year = bench::bestMs(
        10,
        [&] {
            setRange(w, yearFirst, yearLast);
            w.Command2_Click();
            QCoreApplication::processEvents(); // the grid paints its rows
            yearRows = w.DBGrid1->model()->rowCount();
            setRange(w, QDate(2025, 6, 16), QDate(2025, 6, 16));
            w.Command2_Click();
            QCoreApplication::processEvents();
        },
        [&] {
            yearRawRows = grid.show(raw, kRange, {k1, k2});
            rawBalance(raw);
            rawRows = grid.show(raw, kRange, {today, today});
            rawBalance(raw);
        });
    rawRows = yearRawRows;
    rows("one-year range", yearRows);
    bench::report("one-year range list, grid filled (+ back)", year);

    setRange(w, yearFirst, yearLast);
    w.Command2_Click();
    int found = 0;
    bench::report("one keystroke of the search in that year",
                  bench::bestMs(
                      10,
                      [&] {
                          w.txtAra->setText(QStringLiteral("P"));
                          QCoreApplication::processEvents();
                          found = w.DBGrid1->model()->rowCount();
                          w.txtAra->clear();
                          QCoreApplication::processEvents();
                      },
                      [&] {
                          rawRows = grid.show(raw, kSearch, {"P*", k1, k2});
                          grid.show(raw, kRange, {k1, k2});
                      }));
    rows("search \"P\"", found);

    bench::report("the five range totals of that year",
                  bench::bestMs(
                      20, [&] { w.topla1_Click(); },
                      [&] {
                          const char *sums[] = {
                              "SELECT sum(Giren) FROM kasa WHERE Tur = 'Giren' AND Tarih2 BETWEEN ? AND ?",
                              "SELECT sum(Cikan) FROM kasa WHERE Tur = 'Çıkan' AND Tarih2 BETWEEN ? AND ?",
                              "SELECT sum(Giren) FROM kasa WHERE Tur = 'Giren' AND OdemeSekli = 'Nakit' AND "
                              "Tarih2 BETWEEN ? AND ?",
                              "SELECT sum(Giren) FROM kasa WHERE Tur = 'Giren' AND OdemeSekli = 'POS' AND "
                              "Tarih2 BETWEEN ? AND ?"};
                          for (const char *sum : sums)
                              bench::readRows(raw, sum, {k1, k2});
                      }));
    std::printf("totals: in %s, out %s, cash %s, card %s\n", qPrintable(w.VornXPTextBox2->text()),
                qPrintable(w.VornXPTextBox3->text()), qPrintable(w.VornXPTextBox5->text()),
                qPrintable(w.VornXPTextBox6->text()));

    // Saving one entry in the day's list: the row and the counter in one transaction, the
    // list again and the balance.
    setRange(w, QDate(2025, 6, 16), QDate(2025, 6, 16));
    w.Command2_Click();
    bench::report(
        "saving one entry (insert, counter, list, balance)",
        bench::bestMs(
            20,
            [&] {
                w.KasaGrsBtn_Click();
                w.Text9->setText(QStringLiteral("12,50"));
                w.ekleBtn1_Click();
                QCoreApplication::processEvents();
            },
            [&] {
                sqlite3_exec(raw, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
                bench::readRows(raw, "SELECT islemno FROM son_islemno LIMIT 1");
                sqlite3_exec(
                    raw,
                    "INSERT INTO kasa (mus_kodu, Tarih, Saat, Tur, Aciklama, Giren, Cikan, Tarih2, "
                    "islemNo, islemNo2, OdemeSekli) VALUES (NULL, '16.06.2025', '12:00:00', 'Giren', "
                    "'-', 12.5, NULL, '20250616', '1', NULL, NULL); "
                    "UPDATE son_islemno SET islemno = islemno + 1; COMMIT",
                    nullptr, nullptr, nullptr);
                rawRows = grid.show(raw, kRange, {today, today});
                rawBalance(raw);
            }));
    rows("day list after the entries", w.DBGrid1->model()->rowCount());
    // The bench's own entries go again, so that the next run starts from the same shop.
    sqlite3_exec(raw, "DELETE FROM kasa WHERE Tarih2 = '20250616' AND Saat = '12:00:00'", nullptr, nullptr,
                 nullptr);
    bench::closeRaw(raw);
    discardAllForms(true);
    return yearRows > 0 ? 0 : 1;
}
