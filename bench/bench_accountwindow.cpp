// Opening the account window for a customer with 10,000 and with 100,000 ledger rows (load, activation:
// ledger query, account row, the three totals, grid filled) against the raw SQL of the
// same queries with bare sqlite3 calls. Prints the time of each and the ratio ours/raw, and
// how much longer the large account takes to open than the small one.
#include "app/accounts/veresiye2.h"
#include "bench/BenchCommon.h"
#include "platform/data/Database.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/Program.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <cstdio>
#include <sqlite3.h>

using namespace pv;

namespace
{

qint64 g_sink = 0;

void rawQuery(sqlite3 *db, const char *sql, const QByteArray &code)
{
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    sqlite3_bind_text(st, 1, code.constData(), int(code.size()), SQLITE_TRANSIENT);
    const int n = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int i = 0; i < n; ++i) {
            const unsigned char *t = sqlite3_column_text(st, i);
            g_sink += sqlite3_column_bytes(st, i) + (t ? t[0] : 0);
        }
    sqlite3_finalize(st);
}

struct Opened {
    bench::Timing t;
    int rows = 0;  // the account's ledger rows
    int shown = 0; // rows the grid had at opening
    QString balance;
};

// Opens the account window of customer "1" of the shop in folder (built, shown and destroyed
// each round) against the raw queries of the same work.
Opened openAccount(const bench::ShopPlace &shop)
{
    setProgramFolder(shop.folder);
    // In the program the main window holds the file open while accounts are opened from
    // it, as the raw side holds its own connection: the window joins that connection.
    Database mainWindowsConnection;
    mainWindowsConnection.open(shop.path);
    sqlite3 *raw = bench::openRaw(shop.path);
    Opened o;
    const QByteArray code("1");
    o.t = bench::bestMs(
        10,
        [&] {
            veresiye2 &w = form<veresiye2>();
            w.setCaption(QStringLiteral("Müşteri 1 / 1 - ( TL/Alıcı ) HESABI"));
            w.Text10 = QStringLiteral("1");
            w.txtYetki = QStringLiteral("0");
            w.txtMusTuru = QStringLiteral("Alıcı");
            w.Show();
            QCoreApplication::processEvents();
            o.shown = w.DBGrid2->model()->rowCount();
            o.balance = w.VornXPTextBox4->text();
            discardAllForms(true);
            QCoreApplication::processEvents();
        },
        [&] {
            rawQuery(raw, "select * from veresiye where mus_kodu = ? ORDER BY Tarih2, Saat asc", code);
            rawQuery(raw, "select * from musteriler where mus_kodu = ? ORDER BY id asc", code);
            rawQuery(raw, "select sum(Eklenen) from veresiye where mus_kodu = ?", code);
            rawQuery(raw, "select sum(Odenen) from veresiye where mus_kodu = ?", code);
        });
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(raw, "select count(*) from veresiye where mus_kodu = ?", -1, &st, nullptr);
    sqlite3_bind_text(st, 1, code.constData(), int(code.size()), SQLITE_TRANSIENT);
    if (sqlite3_step(st) == SQLITE_ROW)
        o.rows = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    sqlite3_close(raw);
    return o;
}

} // namespace

int main(int argc, char **argv)
{
    bench::offscreenByDefault();
    QApplication app(argc, argv);

    // Two shops of their own, as the program folder's database: customer "1" has 10,000
    // ledger rows in the first and 100,000 in the second.
    const bench::ShopPlace shop10k = bench::prepareShop(
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(), QStringLiteral("accountshop"),
        {.customers = 2000,
         .ledgerRows = 200000,
         .cashRows = 40000,
         .products = 5000,
         .busyCustomerRows = 10000});
    const bench::ShopPlace shop100k = bench::prepareShop(
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString(), QStringLiteral("accountshop100k"),
        {.customers = 2000,
         .ledgerRows = 300000,
         .cashRows = 40000,
         .products = 5000,
         .busyCustomerRows = 100000});
    if (!shop10k.ok || !shop100k.ok)
        return 1;

    const Opened small = openAccount(shop10k);
    std::printf("open account window (%d ledger rows, %d in the grid at opening, balance %s)\n", small.rows,
                small.shown, qPrintable(small.balance));
    bench::report("load + activation vs raw queries", small.t);
    const Opened large = openAccount(shop100k);
    std::printf("open account window (%d ledger rows, %d in the grid at opening, balance %s)\n", large.rows,
                large.shown, qPrintable(large.balance));
    bench::report("load + activation vs raw queries", large.t);
    std::printf("%-46s %5.2f\n", "100,000 rows against 10,000 rows (ours)", large.t.first / small.t.first);
    return small.shown > 0 && large.shown > 0 ? 0 : 1;
}
