// Opening the account window for a customer with 10,000 ledger rows (load, activation:
// ledger query, account row, the three totals, grid filled) against the raw SQL of the
// same queries with bare sqlite3 calls. Prints the time of each and the ratio ours/raw.
#include "app/accounts/veresiye2.h"
#include "bench/BenchCommon.h"
#include "platform/data/DataControl.h"
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

} // namespace

int main(int argc, char **argv)
{
    bench::offscreenByDefault();
    QApplication app(argc, argv);

    // A shop of its own, whose customer "1" has 10,000 ledger rows, as the program
    // folder's database.
    const bench::ShopSize size{.customers = 2000,
                               .ledgerRows = 200000,
                               .cashRows = 40000,
                               .products = 5000,
                               .busyCustomerRows = 10000};
    const bench::ShopPlace shop = bench::prepareShop(argc, argv, QStringLiteral("accountshop"), size);
    if (!shop.ok)
        return 1;
    setProgramFolder(shop.folder);

    sqlite3 *raw = bench::openRaw(shop.path);

    int rows = 0;
    QString balance;
    const QByteArray code("1");
    const auto t = bench::bestMs(
        10,
        [&] {
            veresiye2 &w = form<veresiye2>();
            w.setCaption(QStringLiteral("Müşteri 1 / 1 - ( TL/Alıcı ) HESABI"));
            w.Text10 = QStringLiteral("1");
            w.txtYetki = QStringLiteral("0");
            w.txtMusTuru = QStringLiteral("Alıcı");
            w.Show();
            QCoreApplication::processEvents();
            rows = w.DBGrid2->model()->rowCount();
            balance = w.VornXPTextBox4->text();
            discardAllForms(true);
            QCoreApplication::processEvents();
        },
        [&] {
            rawQuery(raw, "select * from veresiye where mus_kodu = ? ORDER BY Tarih2, Saat asc", code);
            rawQuery(raw, "select * from musteriler where mus_kodu = ? ORDER BY id asc", code);
            rawQuery(raw, "select sum(Eklenen) from veresiye where mus_kodu = ?", code);
            rawQuery(raw, "select sum(Odenen) from veresiye where mus_kodu = ?", code);
        });
    std::printf("open account window (%d ledger rows, balance %s)\n", rows, qPrintable(balance));
    bench::report("load + activation vs raw queries", t);
    sqlite3_close(raw);
    return rows > 0 ? 0 : 1;
}
