// Opening the account window for a customer with 10,000 and with 100,000 ledger rows (load, activation:
// ledger query, account row, the totals, grid filled) against what the window needs done with
// bare sqlite3 calls: the ledger rows of its grid's first screen shown in a bare QTableView of
// the grid's size, the account row and the two sums. Prints the time of each and the ratio
// ours/raw, and how much longer the large account takes to open than the small one. Last, the
// resident memory over 100 openings of the small account in one process.
#include "app/accounts/veresiye2.h"
#include "bench/BenchCommon.h"
#include "platform/components/MemoryPolicy.h"
#include "platform/data/Database.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/Program.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <cstdio>
#include <sqlite3.h>

using namespace pv;

namespace
{

struct Opened {
    bench::Timing t;
    int rows = 0;     // the account's ledger rows
    int shown = 0;    // rows the window's grid had at opening
    int onScreen = 0; // of them on its screen
    int rawShown = 0; // rows the raw side's grid showed
    QString balance;
};

veresiye2 &openWindow()
{
    veresiye2 &w = form<veresiye2>();
    w.setCaption(QStringLiteral("Müşteri 1 / 1 - ( TL/Alıcı ) HESABI"));
    w.Text10 = QStringLiteral("1");
    w.txtYetki = QStringLiteral("0");
    w.txtMusTuru = QStringLiteral("Alıcı");
    w.Show();
    QCoreApplication::processEvents();
    return w;
}

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
    // The raw grid is as large as the window's and shows as many rows.
    QSize gridSize;
    int rowHeight = 0;
    {
        veresiye2 &w = openWindow();
        gridSize = w.DBGrid2->size();
        rowHeight = w.DBGrid2->verticalHeader()->defaultSectionSize();
        o.onScreen = bench::screenRows(*w.DBGrid2);
        discardAllForms(true);
        QCoreApplication::processEvents();
    }
    o.t = bench::bestMs(
        10,
        [&] {
            veresiye2 &w = openWindow();
            o.shown = w.DBGrid2->model()->rowCount();
            o.balance = w.VornXPTextBox4->text();
            discardAllForms(true);
            QCoreApplication::processEvents();
        },
        [&] {
            bench::RawGrid grid(gridSize, rowHeight, o.onScreen);
            o.rawShown =
                grid.show(raw,
                          "select Tarih, Saat, Turu, Aciklama, Miktar, Birim, BirimFiyat, Eklenen, Odenen "
                          "from veresiye where mus_kodu = ? ORDER BY Tarih2, Saat asc",
                          {code});
            bench::readRows(raw, "select * from musteriler where mus_kodu = ? ORDER BY id asc", {code});
            bench::readRows(raw, "select sum(Eklenen), sum(Odenen) from veresiye where mus_kodu = ?", {code});
        });
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(raw, "select count(*) from veresiye where mus_kodu = ?", -1, &st, nullptr);
    sqlite3_bind_text(st, 1, code.constData(), int(code.size()), SQLITE_TRANSIENT);
    if (sqlite3_step(st) == SQLITE_ROW)
        o.rows = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    bench::closeRaw(raw);
    return o;
}

// The process's resident memory in kB, as /proc/self/status gives it (0 where there is none).
long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// Opens and closes the account window of customer "1" 100 times in this process and prints
// the resident memory after the 10th and the 100th opening: what the window and its record
// sets free must be taken again, not left to grow the heap. Returns whether it stayed within
// 4 MB.
bool memoryStaysBounded(const bench::ShopPlace &shop)
{
    setProgramFolder(shop.folder);
    Database mainWindowsConnection;
    mainWindowsConnection.open(shop.path);
    long afterTenth = 0;
    long afterHundredth = 0;
    for (int i = 1; i <= 100; ++i) {
        openWindow();
        discardAllForms(true);
        QCoreApplication::processEvents();
        if (i == 10)
            afterTenth = residentKb();
        else if (i == 100)
            afterHundredth = residentKb();
    }
    const long grown = afterHundredth - afterTenth;
    const bool within = grown <= 4 * 1024;
    std::printf("resident memory over 100 openings of the 10,000-row account: after the 10th %.1f MB, "
                "after the 100th %.1f MB, difference %+.2f MB (%s 4 MB)\n",
                afterTenth / 1024.0, afterHundredth / 1024.0, grown / 1024.0,
                within ? "within" : "NOT within");
    return within;
}

} // namespace

int main(int argc, char **argv)
{
    pv::setProcessMemoryPolicy();
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
    const auto counts = [](const Opened &o) {
        std::printf(
            "open account window (%d ledger rows; ours %d rows in the grid at opening, %d on its screen; "
            "raw %d rows shown; balance %s)\n",
            o.rows, o.shown, o.onScreen, o.rawShown, qPrintable(o.balance));
    };
    counts(small);
    bench::report("load + activation vs raw screen", small.t);
    const Opened large = openAccount(shop100k);
    counts(large);
    bench::report("load + activation vs raw screen", large.t);
    std::printf("%-46s %5.2f\n", "100,000 rows against 10,000 rows (ours)", large.t.first / small.t.first);
    const bool bounded = memoryStaysBounded(shop10k);
    return small.shown > 0 && large.shown > 0 && bounded ? 0 : 1;
}
