// The main window's activation on a shop of 10,000 customers (list query, settings row,
// day-count pass over every row, refresh) against the same work in bare sqlite3 calls.
// Two cases: a day on which every count changes (each run is one day later), and a second
// activation on the same day (no count changes). Prints the times and the ratio ours/raw.
#include "app/shell/veresiye.h"
#include "bench/BenchCommon.h"
#include "platform/components/MemoryPolicy.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/Clock.h"
#include "platform/forms/Program.h"
#include "platform/text/Formats.h"

#include <QApplication>
#include <cstdio>
#include <sqlite3.h>

using namespace pv;

namespace
{

qint64 g_sink = 0;

void readAll(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    const int n = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int i = 0; i < n; ++i) {
            const unsigned char *t = sqlite3_column_text(st, i);
            g_sink += sqlite3_column_bytes(st, i) + (t ? t[0] : 0);
        }
    sqlite3_finalize(st);
}

// The activation's work by hand: the list, the settings row, the counts written where
// they changed in one transaction, and the list again when anything was written.
void rawActivation(sqlite3 *db, const QDate &today)
{
    const char *list = "select * from musteriler ORDER BY MusteriFirma asc";
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, list, -1, &st, nullptr);
    struct Row {
        QByteArray kod;
        int days;
    };
    std::vector<Row> changes;
    const int n = sqlite3_column_count(st);
    int iKod = -1, iSon = -1, iGun = -1;
    for (int i = 0; i < n; ++i) {
        const QByteArray name = sqlite3_column_name(st, i);
        if (name == "mus_kodu")
            iKod = i;
        else if (name == "Sonislem")
            iSon = i;
        else if (name == "Gun")
            iGun = i;
    }
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int i = 0; i < n; ++i) {
            const unsigned char *t = sqlite3_column_text(st, i);
            g_sink += sqlite3_column_bytes(st, i) + (t ? t[0] : 0);
        }
        const QDate last = QDate::fromString(
            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, iSon))), Qt::ISODate);
        if (!last.isValid())
            continue;
        const int days = int(last.daysTo(today));
        if (sqlite3_column_type(st, iGun) != SQLITE_INTEGER || sqlite3_column_int(st, iGun) != days)
            changes.push_back(
                {QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(st, iKod))), days});
    }
    sqlite3_finalize(st);
    readAll(db, "select * from dgrayr");
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_stmt *up = nullptr;
    sqlite3_prepare_v2(db, "UPDATE musteriler SET Gun = ? WHERE mus_kodu = ?", -1, &up, nullptr);
    for (const Row &r : changes) {
        sqlite3_bind_int(up, 1, r.days);
        sqlite3_bind_text(up, 2, r.kod.constData(), int(r.kod.size()), SQLITE_STATIC);
        sqlite3_step(up);
        sqlite3_reset(up);
    }
    sqlite3_finalize(up);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    if (!changes.empty())
        readAll(db, list);
}

} // namespace

int main(int argc, char **argv)
{
    pv::setProcessMemoryPolicy();
    bench::offscreenByDefault();
    QApplication app(argc, argv);

    const bench::ShopSize size{
        .customers = 10000, .ledgerRows = 20000, .cashRows = 2000, .products = 1000, .busyCustomerRows = 100};
    const bench::ShopPlace shop = bench::prepareShop(argc, argv, QStringLiteral("mainshop"), size);
    if (!shop.ok)
        return 1;
    setProgramFolder(shop.folder);

    sqlite3 *raw = bench::openRaw(shop.path);
    sqlite3_exec(raw, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);

    veresiye &m = form<veresiye>();
    QDate day(2027, 1, 1);

    // Every run one day later, so that every customer's count is written.
    const auto newDay = bench::bestMs(
        5,
        [&] {
            day = day.addDays(1);
            Clock::setFixed(QDateTime(day, QTime(9, 0)));
            m.Form_Activate();
        },
        [&] {
            day = day.addDays(1);
            rawActivation(raw, day);
        });
    bench::report("activation, every count changes (10,000 rows)", newDay, 52);

    // The same day again: the pass reads every row and writes none.
    Clock::setFixed(QDateTime(day, QTime(9, 0)));
    rawActivation(raw, day);
    const auto sameDay = bench::bestMs(
        5, [&] { m.Form_Activate(); }, [&] { rawActivation(raw, day); });
    bench::report("activation, same day again (10,000 rows)", sameDay, 52);

    std::printf("listed %d customers, first %s\n", m.Data1->Recordset().RecordCount(),
                qPrintable(m.Data1->Recordset().textAt(
                    0, m.Data1->Recordset().fieldIndex(QStringLiteral("MusteriFirma")))));
    sqlite3_close(raw);
    discardAllForms(true);
    return g_sink == -1;
}
