// The data layer against the same work done with bare sqlite3 calls (step, read every
// column as text), on the generated shop database. Prints each ratio ours/raw, from the
// median round of each side.
#include "app/ledger/LedgerWrite.h"
#include "app/ledger/ShopFile.h"
#include "bench/BenchCommon.h"
#include "platform/components/MemoryPolicy.h"
#include "platform/data/Database.h"
#include "platform/data/Recordset.h"
#include "platform/databind/DataControl.h"

#include <QApplication>
#include <QLineEdit>
#include <cstdio>
#include <random>
#include <sqlite3.h>

using namespace pv;

namespace
{

// What a raw reader does with a row: touch every column's text.
qint64 g_sink = 0;

void readAll(sqlite3_stmt *st)
{
    const int n = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int i = 0; i < n; ++i) {
            const unsigned char *t = sqlite3_column_text(st, i);
            g_sink += sqlite3_column_bytes(st, i) + (t ? t[0] : 0);
        }
}

} // namespace

int main(int argc, char **argv)
{
    pv::setProcessMemoryPolicy();
    bench::offscreenByDefault();
    QApplication app(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : bench::shopPath();
    QString error;
    std::printf("database: %s\n", qPrintable(path));
    std::fflush(stdout);
    if (!bench::ensureShop(path, &error)) {
        std::fprintf(stderr, "cannot make the shop database: %s\n", qPrintable(error));
        return 1;
    }

    // Our side is the program's: its shop file refuses shop writes outside a ledger scope.
    if (!ledger::guardShopFile(path)) {
        std::fprintf(stderr, "cannot guard the shop database\n");
        return 1;
    }
    Database db;
    if (!db.open(path)) {
        std::fprintf(stderr, "cannot open: %s\n", qPrintable(db.lastError().message));
        return 1;
    }
    sqlite3 *raw = bench::openRaw(path);

    // 1. One customer's ledger in key and time order.
    {
        const char *sql = "select * from veresiye where mus_kodu = ? ORDER BY Tarih2,Saat asc";
        int rows = 0;
        const auto t = bench::medianMs(
            30,
            [&] {
                Recordset rs(db, QString::fromUtf8(sql), {QStringLiteral("1")});
                rows = rs.RecordCount();
            },
            [&] { g_sink += bench::stepRows(raw, sql, "1"); });
        bench::report(qPrintable(QStringLiteral("ledger record set (%1 rows)").arg(rows)), t);
    }

    // 2. The main window's list: a data control refresh over every customer, five bound boxes.
    {
        const char *sql = "select * from musteriler ORDER BY MusteriFirma asc";
        DataControl dc;
        dc.setDatabaseName(path);
        dc.setRecordSource(QString::fromUtf8(sql));
        QLineEdit boxes[5];
        const char *fields[5] = {"mus_kodu", "MusteriFirma", "Sonislem2", "Not", "foto"};
        for (int i = 0; i < 5; ++i)
            dc.bind(&boxes[i], QString::fromLatin1(fields[i]));
        const auto t = bench::medianMs(
            10, [&] { dc.Refresh(); }, [&] { g_sink += bench::stepRows(raw, sql); });
        bench::report(
            qPrintable(
                QStringLiteral("data control refresh (%1 customers)").arg(dc.Recordset().RecordCount())),
            t);
    }

    // 3. FindFirst by product code on a record set over the product table.
    {
        Recordset rs(db, QStringLiteral("Product"));
        std::mt19937 rng(7);
        QStringList codes;
        for (int i = 0; i < 1000; ++i)
            codes << QStringLiteral("p%1").arg(int(rng() % 20000) + 1, 6, 10, QLatin1Char('0'));
        int found = 0;
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(raw, "SELECT * FROM Product WHERE [Product Code] = ?", -1, &st, nullptr);
        const auto t = bench::medianMs(
            5,
            [&] {
                found = 0;
                for (const QString &c : std::as_const(codes))
                    found += rs.FindFirst(QStringLiteral("[Product Code] = ?"), {c}) ? 1 : 0;
            },
            [&] {
                for (const QString &c : std::as_const(codes)) {
                    const QByteArray b = c.toUtf8();
                    sqlite3_bind_text(st, 1, b.constData(), int(b.size()), SQLITE_TRANSIENT);
                    readAll(st);
                    sqlite3_reset(st);
                }
            });
        sqlite3_finalize(st);
        bench::report(qPrintable(QStringLiteral("FindFirst by code (1000 finds, %1 found)").arg(found)), t);
    }

    // 4. 10,000 single-row updates in one transaction (the day-count pass).
    {
        Recordset rs(db, QStringLiteral("musteriler"));
        const int n = rs.RecordCount();
        const int gun = rs.fieldIndex(QStringLiteral("Gun")); // looked up once, as the pass does
        int value = 0;
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(raw, "UPDATE musteriler SET Gun = ? WHERE rowid = ?", -1, &st, nullptr);
        const auto t = bench::medianMs(
            7,
            [&] {
                const QString text = QString::number(++value);
                ledger::LedgerTransaction tx(db);
                for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
                    rs.Edit();
                    rs.Fields(gun).setValue(text);
                    rs.Update();
                }
                tx.commit();
            },
            [&] {
                ++value;
                sqlite3_exec(raw, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
                for (int i = 1; i <= n; ++i) {
                    sqlite3_bind_int64(st, 1, value);
                    sqlite3_bind_int64(st, 2, i);
                    sqlite3_step(st);
                    sqlite3_reset(st);
                }
                sqlite3_exec(raw, "COMMIT", nullptr, nullptr, nullptr);
            });
        sqlite3_finalize(st);
        bench::report(qPrintable(QStringLiteral("%1 single-row updates, one transaction").arg(n)), t);
    }

    bench::closeRaw(raw);
    return g_sink == 42 ? 2 : 0; // keeps the raw reads from being optimised away
}
