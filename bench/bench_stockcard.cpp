// The stock card on 20,000 products: the list re-read with its activation (count and the
// five sums), one keystroke of the name and of the code search, the critical-stock list,
// the Z to A sort, saving an edited product and a stock-in, each against what the window
// needs done with bare sqlite3 calls: the first screen of the list shown in a bare
// QTableView of the grid's size, the count and the sums where the window shows them, the
// same writes. Then the stock-value walk against the same walk with its writes left out
// plus bare updates of the same groups, and one walk tick's cost at 20,000 and at 1,000
// products. Prints the times, the ratios ours/raw and both sides' row counts.
#include "app/ledger/Stock.h"
#include "app/stock/StokArama.h"
#include "app/stock/StokIslemleri.h"
#include "app/stock/frmProduct.h"
#include "bench/BenchCommon.h"
#include "controls/button/BvButton.h"
#include "platform/components/MemoryPolicy.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <map>
#include <sqlite3.h>
#include <string>

using namespace pv;

namespace
{

qint64 g_sink = 0;

// The grid's columns, in the window's order.
#define GRID_COLUMNS                                                                                         \
    "[Product Code], [Brand Name], Price, SatisFiyati, SatisFiyati2, SatisFiyati3, OnHand, Unit, "           \
    "[Reorder Level], Sinifi, OzelKod1, OzelKod2"
const char *kList = "SELECT " GRID_COLUMNS " FROM Product ORDER BY [Brand Name],[Product Code] ASC";
const char *kCount = "SELECT count(*) FROM Product";
const char *kSums = "Select sum(AlisFiyatiTopTut) as toplam3, sum(SatisFiyatiTopTut) as toplam, "
                    "sum(SatisFiyati2TopTut) as toplam4, sum(SatisFiyati3TopTut) as toplam5, "
                    "sum(OnHand) as toplam6 from Product";

void rawExec(sqlite3 *db, const char *sql, double a, qint64 id)
{
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    sqlite3_bind_double(st, 1, a);
    sqlite3_bind_int64(st, 2, id);
    while (sqlite3_step(st) == SQLITE_ROW)
        g_sink += sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
}

int countCommit(void *count)
{
    ++*static_cast<int *>(count);
    return 0;
}

// The walk's groups written with bare sqlite3 calls: one transaction per group, one prepared
// update per set of columns written.
struct RawGroups {
    sqlite3 *db = nullptr;
    std::map<int, sqlite3_stmt *> statements;

    ~RawGroups()
    {
        for (auto &[mask, st] : statements)
            sqlite3_finalize(st);
    }

    ledger::Result write(const QList<ledger::ProductStockValues> &group)
    {
        static const char *columns[] = {"AlisFiyatiTopTut", "SatisFiyatiTopTut", "SatisFiyati2TopTut",
                                        "SatisFiyati3TopTut"};
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        for (const ledger::ProductStockValues &p : group) {
            const std::optional<double> v[] = {p.values.alis, p.values.satis1, p.values.satis2,
                                               p.values.satis3};
            int mask = 0;
            for (int k = 0; k < 4; ++k)
                mask |= v[k] ? 1 << k : 0;
            if (!mask)
                continue;
            sqlite3_stmt *&st = statements[mask];
            if (!st) {
                std::string sql = "UPDATE Product SET ";
                for (int k = 0; k < 4; ++k)
                    if (mask & 1 << k)
                        sql += std::string(columns[k]) + " = ?,";
                sql.back() = ' ';
                sql += "WHERE id = ?";
                sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
            }
            int n = 0;
            for (int k = 0; k < 4; ++k)
                if (v[k])
                    sqlite3_bind_double(st, ++n, *v[k]);
            sqlite3_bind_int64(st, ++n, p.id);
            sqlite3_step(st);
            g_sink += sqlite3_changes(db);
            sqlite3_reset(st);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        return ledger::Result::success();
    }
};

// The cost of one walk tick in milliseconds: the best of batches of ticks from the start of
// a walk, so that a moment of machine load does not count. The walk is left unfinished; the
// window is discarded after.
double tickCost(frmProduct &w)
{
    w.arama->mnuTum_Click();
    w.islemler->btnTutarHesapla_Click();
    double best = 1e300;
    for (int batch = 0; batch < 8; ++batch) {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < 50; ++i)
            w.islemler->Timer1_Timer();
        best = std::min(best, t.nsecsElapsed() / 1e6 / 50);
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    pv::setProcessMemoryPolicy();
    bench::offscreenByDefault();
    QApplication app(argc, argv);
    const bench::ShopSize size{.customers = 100, .ledgerRows = 1000, .cashRows = 100, .products = 20000};
    const bench::ShopPlace shop = bench::prepareShop(argc, argv, QStringLiteral("stockshop"), size);
    if (!shop.ok)
        return 1;
    setProgramFolder(shop.path.left(shop.path.lastIndexOf(QLatin1Char('/'))));
    // The confirmations are answered; anything else is a failure worth seeing.
    setMsgBoxHandler([](const MsgBoxCall &c) {
        if (c.text != QLatin1String("Miktar Eklendi."))
            std::printf("message: %s\n", qPrintable(c.text));
        return int(vbOK);
    });
    sqlite3 *raw = bench::openRaw(shop.path);
    int rawRows = 0;

    QElapsedTimer first;
    first.start();
    frmProduct &w = form<frmProduct>();
    w.Show();
    QCoreApplication::processEvents();
    std::printf("first opening (load, list, activation): %.3f ms, %s\n", first.nsecsElapsed() / 1e6,
                qPrintable(w.ceksayi7->text()));

    // The raw side's grid: as large as the window's, as many rows on its screen.
    bench::RawGrid grid(w.DBGrid1->size(), w.DBGrid1->verticalHeader()->defaultSectionSize(),
                        bench::screenRows(*w.DBGrid1));
    const auto shown = [&] {
        QCoreApplication::processEvents(); // the grid paints its rows
        return w.DBGrid1->model()->rowCount();
    };
    const auto rows = [&](const char *what, int ours) {
        std::printf("%s: ours %d rows in the grid, raw %d rows shown\n", what, ours, rawRows);
    };
    int ours = 0;

    bench::report("list re-read + activation (count, sums)",
                  bench::bestMs(
                      10,
                      [&] {
                          w.Data1->setRecordSource(StokArama::kAllProducts);
                          w.Data1->Refresh();
                          w.Form_Activate();
                          ours = shown();
                      },
                      [&] {
                          rawRows = grid.show(raw, kList);
                          bench::readRows(raw, kCount);
                          bench::readRows(raw, kSums);
                      }));
    rows("list", ours);

    bench::report("name search, one keystroke",
                  bench::bestMs(
                      10,
                      [&] {
                          w.arama->aramatext->setText(QStringLiteral("Y"));
                          ours = shown();
                          w.arama->aramatext->clear();
                          shown();
                      },
                      [&] {
                          rawRows =
                              grid.show(raw,
                                        "select " GRID_COLUMNS " from Product where [Brand Name] like ? "
                                        "ORDER BY [Brand Name] ASC",
                                        {"Y*"});
                          grid.show(raw,
                                    "select " GRID_COLUMNS " from Product where [Brand Name] like ? "
                                    "ORDER BY [Brand Name] ASC",
                                    {"*"});
                      }));
    rows("name search \"Y\"", ours);

    bench::report("code search, one keystroke",
                  bench::bestMs(
                      10,
                      [&] {
                          w.arama->aramatext2->setText(QStringLiteral("P01"));
                          ours = shown();
                          w.arama->aramatext2->clear();
                          shown();
                      },
                      [&] {
                          rawRows =
                              grid.show(raw,
                                        "select " GRID_COLUMNS " from Product where [Product Code] like ? "
                                        "ORDER BY [Brand Name] ASC",
                                        {"P01*"});
                          grid.show(raw,
                                    "select " GRID_COLUMNS " from Product where [Product Code] like ? "
                                    "ORDER BY [Brand Name] ASC",
                                    {"*"});
                      }));
    rows("code search \"P01\"", ours);

    bench::report("critical-stock list",
                  bench::bestMs(
                      10,
                      [&] {
                          w.arama->mnukso->trigger();
                          ours = shown();
                      },
                      [&] {
                          rawRows = grid.show(raw, "select " GRID_COLUMNS
                                                   " from Product where OnHand<=[Reorder Level] "
                                                   "order by [Generic Name],[Brand Name]");
                      }));
    rows("critical stock", ours);

    bench::report("Z to A sort", bench::bestMs(
                                     10,
                                     [&] {
                                         w.arama->zaBTN1_Click();
                                         ours = shown();
                                     },
                                     [&] {
                                         rawRows = grid.show(raw, "SELECT " GRID_COLUMNS
                                                                  " FROM Product ORDER BY [Brand Name] DESC");
                                     }));
    rows("Z to A", ours);

    w.arama->mnuTum_Click();
    int round = 0;
    bench::report("save an edited product (update, count, sums)",
                  bench::bestMs(
                      10,
                      [&] {
                          w.cmdEdit_Click();
                          w.txtOzelKod1->setText(QStringLiteral("B%1").arg(++round));
                          w.cmdSave_Click();
                          ours = shown();
                      },
                      [&] {
                          sqlite3_exec(raw,
                                       "BEGIN IMMEDIATE; UPDATE Product SET OzelKod1 = 'R' || random() "
                                       "WHERE id = 1; COMMIT",
                                       nullptr, nullptr, nullptr);
                          rawRows = grid.show(raw, kList);
                          bench::readRows(raw, kCount);
                          bench::readRows(raw, kSums);
                      }));
    rows("list after the save", ours);

    bench::report("stock in on one product (write, list, sums)",
                  bench::bestMs(
                      10,
                      [&] {
                          w.islemler->btnSec_Click();
                          w.islemler->xpText3->setText(QStringLiteral("1"));
                          w.islemler->BvButton5_Click();
                          ours = shown();
                      },
                      [&] {
                          sqlite3_exec(raw, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
                          bench::readRows(raw, "SELECT count(*) FROM Product WHERE id = 1");
                          bench::readRows(raw, "SELECT OnHand FROM Product WHERE id = 1");
                          rawExec(raw, "UPDATE Product SET OnHand = OnHand + ? WHERE id = ?", 1, 1);
                          sqlite3_exec(raw, "COMMIT", nullptr, nullptr, nullptr);
                          rawRows = grid.show(raw, kList);
                          bench::readRows(raw, kSums);
                      }));
    rows("list after the stock in", ours);

    // The whole walk, its ticks back to back, against the same walk with its writes left out
    // plus bare updates of the same groups, each group in one transaction of its own. The
    // two take turns, the best of three walks each; the walk's commits are counted on the
    // window's connection.
    w.arama->mnuTum_Click();
    int commits = 0, groups = 0;
    const auto walkMs = [&] {
        QElapsedTimer t;
        t.start();
        w.islemler->btnTutarHesapla_Click();
        while (w.islemler->walking())
            w.islemler->Timer1_Timer();
        return t.nsecsElapsed() / 1e6;
    };
    RawGroups rawGroups;
    rawGroups.db = raw;
    bench::Timing walk{1e300, 1e300};
    for (int round = 0; round < 3; ++round) {
        w.islemler->setGroupWriter([&](Database &db, const QList<ledger::ProductStockValues> &group) {
            ++groups;
            return ledger::writeStockValues(db, group);
        });
        commits = groups = 0;
        sqlite3_commit_hook(w.m_db.handle(), countCommit, &commits);
        walk.first = std::min(walk.first, walkMs());
        sqlite3_commit_hook(w.m_db.handle(), nullptr, nullptr);
        w.islemler->setGroupWriter([&](Database &, const QList<ledger::ProductStockValues> &group) {
            return rawGroups.write(group);
        });
        walk.second = std::min(walk.second, walkMs());
    }
    std::printf("stock-value walk: %s products, %d commits in %d groups (ours)\n", qPrintable(w.Text7.text()),
                commits, groups);
    bench::report("stock-value walk over the list", walk);
    discardAllForms(true);
    bench::closeRaw(raw);

    // One tick of the walk at 20,000 and at 1,000 products: windows opened afresh on each
    // shop in turn, a few rounds, the best of each, so that both meet the same disk load.
    const bench::ShopSize small{.customers = 100, .ledgerRows = 1000, .cashRows = 100, .products = 1000};
    const QString bigFolder = shop.path.left(shop.path.lastIndexOf(QLatin1Char('/')));
    const QString smallFolder = bigFolder + QStringLiteral("1000");
    QByteArray smallArg = smallFolder.toLocal8Bit();
    char *smallArgv[] = {argv[0], smallArg.data()};
    if (!bench::prepareShop(2, smallArgv, QString(), small).ok)
        return 1;
    double tick20k = 1e300, tick1k = 1e300;
    for (int round = 0; round < 5; ++round) {
        for (const QString &folder : {bigFolder, smallFolder}) {
            setProgramFolder(folder);
            frmProduct &card = form<frmProduct>();
            card.Show();
            QCoreApplication::processEvents();
            double &best = folder == bigFolder ? tick20k : tick1k;
            best = std::min(best, tickCost(card));
            discardAllForms(true);
            QCoreApplication::processEvents();
        }
    }
    std::printf("one walk tick: %.3f ms at 20,000 products, %.3f ms at 1,000 (ratio %.2f)\n", tick20k, tick1k,
                tick20k / tick1k);
    return g_sink > 0 ? 0 : 1;
}
