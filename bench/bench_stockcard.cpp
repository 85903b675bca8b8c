// The stock card on 20,000 products: the list re-read with its activation (count and the
// five sums), one keystroke of the name and of the code search, the critical-stock list,
// the Z to A sort and saving an edited product, each against the same statements in bare
// sqlite3 (every column stepped and read as text). Prints the times and ratios ours/raw.
#include "app/stock/StokArama.h"
#include "app/stock/frmProduct.h"
#include "bench/BenchCommon.h"
#include "controls/button/BvButton.h"
#include "platform/data/DataControl.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <cstdio>
#include <sqlite3.h>

using namespace pv;

namespace
{

qint64 g_sink = 0;

void rawQuery(sqlite3 *db, const char *sql, const QByteArray &param = {})
{
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    if (!param.isNull())
        sqlite3_bind_text(st, 1, param.constData(), int(param.size()), SQLITE_TRANSIENT);
    const int n = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int i = 0; i < n; ++i) {
            const unsigned char *t = sqlite3_column_text(st, i);
            g_sink += sqlite3_column_bytes(st, i) + (t ? t[0] : 0);
        }
    sqlite3_finalize(st);
}

const char *kList = "SELECT * FROM Product ORDER BY [Brand Name],[Product Code] ASC";
const char *kSums = "Select sum(AlisFiyatiTopTut) as toplam3, sum(SatisFiyatiTopTut) as toplam, "
                    "sum(SatisFiyati2TopTut) as toplam4, sum(SatisFiyati3TopTut) as toplam5, "
                    "sum(OnHand) as toplam6 from Product";

} // namespace

int main(int argc, char **argv)
{
    bench::offscreenByDefault();
    QApplication app(argc, argv);
    const bench::ShopSize size{.customers = 100, .ledgerRows = 1000, .cashRows = 100, .products = 20000};
    const bench::ShopPlace shop = bench::prepareShop(argc, argv, QStringLiteral("stockshop"), size);
    if (!shop.ok)
        return 1;
    setProgramFolder(shop.path.left(shop.path.lastIndexOf(QLatin1Char('/'))));
    setMsgBoxHandler([](const MsgBoxCall &) { return int(vbOK); });
    sqlite3 *raw = bench::openRaw(shop.path);

    QElapsedTimer first;
    first.start();
    frmProduct &w = form<frmProduct>();
    w.Show();
    QCoreApplication::processEvents();
    std::printf("first opening (load, list, activation): %.3f ms, %s\n", first.nsecsElapsed() / 1e6,
                qPrintable(w.ceksayi7->text()));

    bench::report("list re-read + activation (count, sums)", bench::bestMs(
                      10,
                      [&] {
                          w.Data1->setRecordSource(StokArama::kAllProducts);
                          w.Data1->Refresh();
                          w.Form_Activate();
                      },
                      [&] {
                          rawQuery(raw, kList);
                          rawQuery(raw, kSums); // the count's totals
                          rawQuery(raw, kSums); // the activation's totals
                      }));

    bench::report("name search, one keystroke", bench::bestMs(
                      10,
                      [&] {
                          w.aramatext->setText(QStringLiteral("Y"));
                          w.aramatext->clear();
                      },
                      [&] {
                          rawQuery(raw, "select * from Product where [Brand Name] like ? ORDER BY [Brand Name] ASC",
                                   "Y*");
                          rawQuery(raw, "select * from Product where [Brand Name] like ? ORDER BY [Brand Name] ASC",
                                   "*");
                      }));

    bench::report("code search, one keystroke", bench::bestMs(
                      10,
                      [&] {
                          w.aramatext2->setText(QStringLiteral("P01"));
                          w.aramatext2->clear();
                      },
                      [&] {
                          rawQuery(raw,
                                   "select * from Product where [Product Code] like ? ORDER BY [Brand Name] ASC",
                                   "P01*");
                          rawQuery(raw,
                                   "select * from Product where [Product Code] like ? ORDER BY [Brand Name] ASC",
                                   "*");
                      }));

    bench::report("critical-stock list", bench::bestMs(
                      10, [&] { w.mnukso->trigger(); },
                      [&] {
                          rawQuery(raw, "select * from Product where OnHand<=[Reorder Level] order by [Generic "
                                        "Name],[Brand Name]");
                      }));

    bench::report("Z to A sort", bench::bestMs(
                      10, [&] { w.arama->zaBTN1_Click(); },
                      [&] { rawQuery(raw, "SELECT * FROM Product ORDER BY [Brand Name] DESC"); }));

    w.arama->mnuTum_Click();
    int round = 0;
    bench::report("save an edited product (update, count, sums)", bench::bestMs(
                      10,
                      [&] {
                          w.cmdEdit_Click();
                          w.txtOzelKod1->setText(QStringLiteral("B%1").arg(++round));
                          w.cmdSave_Click();
                      },
                      [&] {
                          sqlite3_exec(raw, "BEGIN IMMEDIATE; UPDATE Product SET OzelKod1 = 'R' || random() "
                                            "WHERE id = 1; COMMIT",
                                       nullptr, nullptr, nullptr);
                          rawQuery(raw, kList);
                          rawQuery(raw, kSums);
                          rawQuery(raw, kSums);
                      }));

    discardAllForms(true);
    sqlite3_close(raw);
    return g_sink > 0 ? 0 : 1;
}
