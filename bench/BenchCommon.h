#pragma once
// Shared by the benchmarks: a large shop database made from the real schema, and timing.
#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>

class QTableView;
struct sqlite3;

namespace pv::bench
{

struct ShopSize {
    int customers = 10000;
    int ledgerRows = 1000000;
    int cashRows = 200000;
    int products = 20000;
    int busyCustomerRows = 1000; // ledger rows of customer "1", the one a benchmark opens
    int categories = 300;        // urun_marka rows the products name
    int suppliers = 200;         // urun_reyon rows
};

// Creates the database at path from the schema and seed scripts and fills it with made-up
// but plausible rows (same rows on every run). Refuses an existing file.
bool generateShop(const QString &path, const ShopSize &size = {}, QString *error = nullptr);

// bench_shop.dll beside the benchmark programs, generated on first use.
QString shopPath();
bool ensureShop(const QString &path, QString *error = nullptr);

// The benchmarks draw offscreen unless QT_QPA_PLATFORM names a platform; call before the
// application object is made.
void offscreenByDefault();

// Where a window benchmark's shop lies: the folder argv[1], else defaultFolder beside the
// program, holding pelvanor.dll, made in the given size when it is not there yet. The path
// is printed; ok is false (reason printed) when the shop cannot be made.
struct ShopPlace {
    QString folder;
    QString path;
    bool ok = false;
};
ShopPlace prepareShop(int argc, char **argv, const QString &defaultFolder, const ShopSize &size);
// The same for a folder given (empty: defaultFolder beside the program).
ShopPlace prepareShop(const QString &folder, const QString &defaultFolder, const ShopSize &size);
// The shop opened with bare sqlite3 calls, the program's SQL functions and the settings the
// program gives its own connection (journal, sync, reads through a mapping of the file): the
// raw side. closeRaw lets go of the statements readRows kept, then of the file.
sqlite3 *openRaw(const QString &path);
void closeRaw(sqlite3 *db);

// A select run with bare sqlite3 calls the way a list keeps its rows: each value read in the
// type it is stored in, text only where a cell is text. The statement is prepared once per
// connection, as the program keeps its own. At most limit rows (-1: every row); returns the
// rows read.
int readRows(sqlite3 *db, const char *sql, const QList<QByteArray> &params = {}, int limit = -1);

// The raw side's grid: a bare QTableView, as large as the window's grid, showing as text the
// rows of a select that fit on its screen.
class RawGrid
{
public:
    // rows: how many rows the window's grid shows at once.
    RawGrid(const QSize &size, int rowHeight, int rows);
    ~RawGrid();
    // Reads the first screen of sql's rows and shows them painted; returns the rows shown.
    int show(sqlite3 *db, const char *sql, const QList<QByteArray> &params = {});

private:
    struct Parts;
    std::unique_ptr<Parts> m;
};
// Rows a grid shows at once, the last one partly.
int screenRows(const QTableView &grid);

// Runs a select with bare sqlite3 calls, an optional text bound to its first `?`, stepping
// every row and reading every column as text, as a window's list would; returns a sum of
// what was read so that the reads cannot be optimised away.
qint64 stepRows(sqlite3 *db, const char *sql, const QByteArray &param = {});

// Best (lowest) times in milliseconds of runs calls of each; the two take turns, so that
// both meet the same machine load.
struct Timing {
    double first = 0;
    double second = 0;
};
Timing bestMs(int runs, const std::function<void()> &first, const std::function<void()> &second);
// The median of each instead of the best: steadier where one lucky round would flatter a side.
Timing medianMs(int runs, const std::function<void()> &first, const std::function<void()> &second);
// One line "what  ours … ms  raw … ms  ratio …", what padded to width.
void report(const char *what, const Timing &t, int width = 46);

} // namespace pv::bench
