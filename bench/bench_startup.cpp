// Start-up: the time from starting the process to the splash shown, and to the main window
// built and shown, against a bare Qt Widgets program that shows one window with a label and
// a table of the same shop's customer list. Each side runs as a child process of this one
// (the same executable with a role argument); a window counts as shown once its first paint
// is done. The splash's own three seconds are left out: the splash hands over as soon as it
// is shown, exactly as its timer would (main window, then the login over it).
//
//   bench_startup [folder]     folder holding pelvanor.dll; made beside the program
//                              (startshop/) with 10,000 customers on the first run
#include "app/reports/AppReports.h"
#include "app/shell/frmSplash.h"
#include "app/shell/veresiye.h"
#include "bench/BenchCommon.h"
#include "platform/components/MemoryPolicy.h"
#include "platform/forms/Program.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QProcess>
#include <QTableView>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>
#include <time.h>
#include <vector>

using namespace pv;

namespace
{

// Monotonic time in nanoseconds, the same clock in every process of the machine.
qint64 nowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// Tells the parent a moment: "<what> <ns>".
void mark(const char *what)
{
    std::printf("%s %lld\n", what, static_cast<long long>(nowNs()));
    std::fflush(stdout);
}

// Runs done once the watched widget's first paint is over (the event is delivered in the
// same call that paints it, so the next turn of the loop finds it painted).
class FirstPaint : public QObject
{
public:
    FirstPaint(QWidget *w, std::function<void()> done) : m_done(std::move(done))
    {
        w->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this, [this] { m_done(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> m_done;
    bool m_seen = false;
};

// ---------------------------------------------------------------- the bare program

// The customer list read whole with bare sqlite3 calls; a cell becomes text when shown.
class BareModel : public QAbstractTableModel
{
public:
    explicit BareModel(const QString &path)
    {
        sqlite3 *db = bench::openRaw(path);
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, "select * from musteriler ORDER BY MusteriFirma asc", -1, &st, nullptr);
        m_columns = sqlite3_column_count(st);
        for (int i = 0; i < m_columns; ++i)
            m_headers << QString::fromUtf8(sqlite3_column_name(st, i));
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::vector<QByteArray> row(static_cast<size_t>(m_columns));
            for (int i = 0; i < m_columns; ++i)
                row[size_t(i)] = QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(st, i)),
                                            sqlite3_column_bytes(st, i));
            m_rows.push_back(std::move(row));
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
    }
    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : m_columns;
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return QString::fromUtf8(m_rows[size_t(index.row())][size_t(index.column())]);
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o == Qt::Horizontal && role == Qt::DisplayRole && section < m_headers.size())
            return m_headers.at(section);
        return QAbstractTableModel::headerData(section, o, role);
    }

private:
    int m_columns = 0;
    QStringList m_headers;
    std::vector<std::vector<QByteArray>> m_rows; // UTF-8, made text when shown
};

int runBare(int argc, char **argv, const QString &path)
{
    QApplication app(argc, argv);
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Müşteriler"), &window));
    auto *view = new QTableView(&window);
    BareModel model(path);
    view->setModel(&model);
    layout->addWidget(view);
    window.resize(1024, 700);
    FirstPaint painted(&window, [] {
        mark("main");
        QCoreApplication::exit(0);
    });
    window.show();
    return app.exec();
}

// ---------------------------------------------------------------- the program

int runOurs(int argc, char **argv, const QString &folder)
{
    // What main() does, with the shop's folder as the program folder.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelvanor"));
    setProgramFolder(folder);
    registerAppReports();
    frmSplash &splash = form<frmSplash>();
    std::unique_ptr<FirstPaint> mainPainted;
    FirstPaint splashPainted(&splash, [&] {
        mark("splash");
        // The main window is made by the hand-over; watch its first paint, then hand over
        // as the splash's timer does. The login runs modally over the main window.
        mainPainted = std::make_unique<FirstPaint>(&form<veresiye>(), [] {
            mark("main");
            std::_Exit(0); // the login's own loop is still running: leave from here
        });
        splash.Timer1_Timer();
    });
    splash.Show(Form::Modeless);
    return app.exec();
}

// ---------------------------------------------------------------- the parent

struct Times {
    double splash = -1; // ms from start, -1 when not reported
    double main = -1;
};

Times runChild(const QString &role, const QString &where)
{
    QProcess p;
    const qint64 start = nowNs();
    p.start(QCoreApplication::applicationFilePath(), {role, where});
    Times t;
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
    }
    const QList<QByteArray> lines = p.readAllStandardOutput().split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        if (parts.size() != 2)
            continue;
        const double ms = (parts.at(1).toLongLong() - start) / 1e6;
        if (parts.at(0) == "splash")
            t.splash = ms;
        else if (parts.at(0) == "main")
            t.main = ms;
    }
    if (t.main < 0)
        std::fprintf(stderr, "%s %s:\n%s\n", qPrintable(role), qPrintable(where),
                     p.readAllStandardError().constData());
    return t;
}

} // namespace

int main(int argc, char **argv)
{
    pv::setProcessMemoryPolicy();
    bench::offscreenByDefault();
    if (argc == 3 && qstrcmp(argv[1], "--bare") == 0)
        return runBare(argc, argv, QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && qstrcmp(argv[1], "--ours") == 0)
        return runOurs(argc, argv, QString::fromLocal8Bit(argv[2]));

    QCoreApplication app(argc, argv);
    const bench::ShopSize size{
        .customers = 10000, .ledgerRows = 20000, .cashRows = 2000, .products = 1000, .busyCustomerRows = 100};
    const bench::ShopPlace shop = bench::prepareShop(argc, argv, QStringLiteral("startshop"), size);
    if (!shop.ok)
        return 1;

    // One round of each first: the day counts are brought up to date and the files are in
    // the cache for both.
    runChild(QStringLiteral("--ours"), shop.folder);
    runChild(QStringLiteral("--bare"), shop.path);

    const int runs = 7;
    Times best{1e300, 1e300};
    double bare = 1e300;
    for (int i = 0; i < runs; ++i) {
        const Times ours = runChild(QStringLiteral("--ours"), shop.folder);
        const Times b = runChild(QStringLiteral("--bare"), shop.path);
        if (ours.splash < 0 || ours.main < 0 || b.main < 0) {
            std::fprintf(stderr, "a child did not report its windows\n");
            return 1;
        }
        best.splash = std::min(best.splash, ours.splash);
        best.main = std::min(best.main, ours.main);
        bare = std::min(bare, b.main);
    }
    std::printf("best of %d process starts (10,000 customers)\n", runs);
    std::printf("%-46s ours %9.3f ms   bare %9.3f ms   ratio %5.2f\n", "start to splash shown", best.splash,
                bare, best.splash / bare);
    std::printf("%-46s ours %9.3f ms   bare %9.3f ms   ratio %5.2f\n", "start to main window shown",
                best.main, bare, best.main / bare);
    return 0;
}
