#include "bench/BenchCommon.h"
#include "database/DbScripts.h"
#include "platform/data/Database.h"
#include "platform/data/SqlFunctions.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QStringList>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace pv::bench
{

namespace
{

// A prepared INSERT fed with text values; everything the shop stores goes in as text or
// number, so the columns' own types decide.
class Inserter
{
public:
    Inserter(sqlite3 *db, const char *sql) { sqlite3_prepare_v2(db, sql, -1, &m_st, nullptr); }
    ~Inserter() { sqlite3_finalize(m_st); }
    Inserter &text(const QString &s)
    {
        const QByteArray b = s.toUtf8();
        sqlite3_bind_text(m_st, ++m_i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Inserter &real(double v)
    {
        sqlite3_bind_double(m_st, ++m_i, v);
        return *this;
    }
    Inserter &integer(qint64 v)
    {
        sqlite3_bind_int64(m_st, ++m_i, v);
        return *this;
    }
    Inserter &null()
    {
        sqlite3_bind_null(m_st, ++m_i);
        return *this;
    }
    bool run()
    {
        const int rc = sqlite3_step(m_st);
        sqlite3_reset(m_st);
        m_i = 0;
        return rc == SQLITE_DONE;
    }

private:
    sqlite3_stmt *m_st = nullptr;
    int m_i = 0;
};

const QStringList firstNames{"Ahmet",  "Mehmet", "Ayşe",  "Fatma", "Çağlar", "Şule",
                             "İsmail", "Işıl",   "Özgür", "Ümit",  "Gül",    "Hüseyin",
                             "Zeynep", "Emre",   "Elif",  "Oğuz",  "Sibel",  "Canan"};
const QStringList lastNames{"Yılmaz", "Kaya",  "Demir",   "Çelik",  "Şahin", "Yıldız",
                            "Öztürk", "Aydın", "Özdemir", "Arslan", "Doğan", "Kılıç",
                            "Aslan",  "Çetin", "Kara",    "Koç",    "Kurt",  "Özkan"};
const QStringList kinds{"Alıcı", "Satıcı", "Alıcı/Satıcı", "Bayi", "Personel"};

} // namespace

bool generateShop(const QString &path, const ShopSize &size, QString *error)
{
    if (!createDatabaseFromScripts(path, error))
        return false;
    Database db;
    if (!db.open(path)) {
        if (error)
            *error = db.lastError().message;
        return false;
    }
    sqlite3 *h = db.handle();
    std::mt19937 rng(42);
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    const QDate first(2020, 1, 1);
    auto randomDate = [&] { return first.addDays(pick(7 * 365)); };
    auto randomTime = [&] {
        return QStringLiteral("%1:%2:%3")
            .arg(pick(12) + 8, 2, 10, QLatin1Char('0'))
            .arg(pick(60), 2, 10, QLatin1Char('0'))
            .arg(pick(60), 2, 10, QLatin1Char('0'));
    };
    auto key = [](const QDate &d) { return d.toString(QStringLiteral("yyyyMMdd")); };

    sqlite3_exec(h, "PRAGMA synchronous=OFF; PRAGMA journal_mode=OFF; BEGIN", nullptr, nullptr, nullptr);
    {
        Inserter ins(
            h, "INSERT INTO musteriler (mus_kodu, MusteriFirma, Telefon1, Adres, Sonislem, Gun, Bakiye, "
               "Turu, Sonislem2, MusGrup, ParaTuru) VALUES (?,?,?,?,?,?,?,?,?,?,?)");
        for (int i = 1; i <= size.customers; ++i) {
            const QDate d = randomDate();
            ins.text(QString::number(i))
                .text(firstNames.at(pick(int(firstNames.size()))) + u' ' +
                      lastNames.at(pick(int(lastNames.size()))))
                .text(QStringLiteral("0532 %1").arg(1000000 + pick(8999999)))
                .text(QStringLiteral("Atatürk Cad. No:%1 İstanbul").arg(pick(200) + 1))
                .text(d.toString(Qt::ISODate))
                .integer(d.daysTo(QDate(2026, 12, 10)))
                .real(pick(1000000) / 100.0)
                .text(kinds.at(pick(int(kinds.size()))))
                .text(key(d))
                .null()
                .text(QStringLiteral("TL"));
            if (!ins.run())
                break;
        }
    }
    {
        Inserter ins(h,
                     "INSERT INTO veresiye (Tarih, Saat, Turu, Aciklama, Miktar, Birim, BirimFiyat, Eklenen, "
                     "Odenen, Tarih2, islemNo2, mus_kodu) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)");
        for (int i = 0; i < size.ledgerRows; ++i) {
            const int customer = i < size.busyCustomerRows ? 1 : 2 + pick(size.customers - 1);
            const QDate d = randomDate();
            const bool sale = pick(3) != 0;
            const double amount = (pick(50000) + 100) / 100.0;
            ins.text(d.toString(QStringLiteral("dd.MM.yyyy"))).text(randomTime());
            ins.text(sale ? QStringLiteral("Stoktan Bağımsız Satış") : QStringLiteral("Tahsilat"))
                .text(sale ? QStringLiteral("Çeşitli ürün") : QStringLiteral("Nakit tahsilat"));
            if (sale)
                ins.text(QStringLiteral("1"))
                    .text(QStringLiteral("Adet"))
                    .text(QString::number(amount))
                    .real(amount)
                    .null();
            else
                ins.null().null().null().null().real(amount);
            ins.text(key(d))
                .text(QStringLiteral("%1%2")
                          .arg(d.toString(QStringLiteral("ddMMyy")))
                          .arg(i, 6, 10, QLatin1Char('0')))
                .text(QString::number(customer));
            if (!ins.run())
                break;
        }
    }
    {
        Inserter ins(h,
                     "INSERT INTO kasa (mus_kodu, Tarih, Saat, Tur, Aciklama, Giren, Cikan, Tarih2, islemNo, "
                     "OdemeSekli) VALUES (?,?,?,?,?,?,?,?,?,?)");
        for (int i = 0; i < size.cashRows; ++i) {
            const QDate d = randomDate();
            const bool in = pick(2) == 0;
            const double amount = (pick(100000) + 100) / 100.0;
            ins.null().text(d.toString(QStringLiteral("dd.MM.yyyy"))).text(randomTime());
            ins.text(in ? QStringLiteral("Giren") : QStringLiteral("Çıkan"))
                .text(in ? QStringLiteral("Peşin Satış") : QStringLiteral("Mal Alımı"));
            if (in)
                ins.real(amount).null();
            else
                ins.null().real(amount);
            ins.text(key(d)).text(QString::number(i + 1)).text(in ? QStringLiteral("Nakit") : QString());
            if (!ins.run())
                break;
        }
        sqlite3_exec(
            h, QStringLiteral("UPDATE son_islemno SET islemno = %1").arg(size.cashRows).toUtf8().constData(),
            nullptr, nullptr, nullptr);
    }
    // Categories and suppliers that the products name.
    const auto category = [](int i) { return QStringLiteral("Kategori %1").arg(i, 3, 10, QLatin1Char('0')); };
    const auto supplier = [](int i) {
        return QStringLiteral("Tedarikçi %1").arg(i, 3, 10, QLatin1Char('0'));
    };
    {
        Inserter ins(h, "INSERT INTO urun_marka (urunmarkaadi) VALUES (?)");
        for (int i = 1; i <= size.categories; ++i)
            if (!ins.text(category(i)).run())
                break;
    }
    {
        Inserter ins(h, "INSERT INTO urun_reyon (reyon) VALUES (?)");
        for (int i = 1; i <= size.suppliers; ++i)
            if (!ins.text(supplier(i)).run())
                break;
    }
    {
        Inserter ins(h,
                     "INSERT INTO Product ([Product Code], [Generic Name], [Brand Name], Price, SatisFiyati, "
                     "OnHand, [Reorder Level], Unit, Sinifi, SaticiFirma) VALUES (?,?,?,?,?,?,?,?,?,?)");
        for (int i = 1; i <= size.products; ++i) {
            const double price = (pick(100000) + 100) / 100.0;
            ins.text(QStringLiteral("P%1").arg(i, 6, 10, QLatin1Char('0')))
                .text(category(1 + pick(std::max(1, size.categories))))
                .text(lastNames.at(pick(int(lastNames.size()))) + QStringLiteral(" %1").arg(i))
                .real(price)
                .real(price * 1.3)
                .real(pick(500))
                .real(10)
                .text(pick(4) == 0 ? QStringLiteral("Kg") : QStringLiteral("Adet"))
                .text(QStringLiteral("Genel"))
                .text(supplier(1 + pick(std::max(1, size.suppliers))));
            if (!ins.run())
                break;
        }
    }
    const int rc = sqlite3_exec(h, "COMMIT; ANALYZE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        if (error)
            *error = QString::fromUtf8(sqlite3_errmsg(h));
        db.close();
        QFile::remove(path);
        return false;
    }
    return true;
}

QString shopPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("bench_shop.dll"));
}

bool ensureShop(const QString &path, QString *error)
{
    if (QFile::exists(path))
        return true;
    return generateShop(path, {}, error);
}

void offscreenByDefault()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

ShopPlace prepareShop(int argc, char **argv, const QString &defaultFolder, const ShopSize &size)
{
    return prepareShop(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(), defaultFolder, size);
}

ShopPlace prepareShop(const QString &folder, const QString &defaultFolder, const ShopSize &size)
{
    ShopPlace shop;
    shop.folder = !folder.isEmpty()
                      ? folder
                      : QCoreApplication::applicationDirPath() + QLatin1Char('/') + defaultFolder;
    QDir().mkpath(shop.folder);
    shop.path = shop.folder + QStringLiteral("/pelvanor.dll");
    std::printf("database: %s\n", qPrintable(shop.path));
    std::fflush(stdout);
    if (!QFileInfo::exists(shop.path)) {
        QString error;
        if (!generateShop(shop.path, size, &error)) {
            std::fprintf(stderr, "cannot make the shop database: %s\n", qPrintable(error));
            return shop;
        }
    }
    shop.ok = true;
    return shop;
}

namespace
{
std::map<std::pair<sqlite3 *, std::string>, sqlite3_stmt *> &rawStatements()
{
    static std::map<std::pair<sqlite3 *, std::string>, sqlite3_stmt *> kept;
    return kept;
}
} // namespace

sqlite3 *openRaw(const QString &path)
{
    sqlite3 *raw = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    registerSqlFunctions(raw);
    sqlite3_exec(raw, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL; PRAGMA mmap_size=268435456;",
                 nullptr, nullptr, nullptr);
    return raw;
}

void closeRaw(sqlite3 *db)
{
    auto &kept = rawStatements();
    for (auto it = kept.begin(); it != kept.end();) {
        if (it->first.first == db) {
            sqlite3_finalize(it->second);
            it = kept.erase(it);
        } else {
            ++it;
        }
    }
    sqlite3_close(db);
}

namespace
{
sqlite3_stmt *keptStatement(sqlite3 *db, const char *sql, const QList<QByteArray> &params)
{
    sqlite3_stmt *&st = rawStatements()[{db, std::string(sql)}];
    if (!st)
        sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    sqlite3_reset(st);
    for (int i = 0; i < params.size(); ++i)
        sqlite3_bind_text(st, i + 1, params[i].constData(), int(params[i].size()), SQLITE_TRANSIENT);
    return st;
}

qint64 g_read = 0; // what was read, so that the reads cannot be optimised away
} // namespace

int readRows(sqlite3 *db, const char *sql, const QList<QByteArray> &params, int limit)
{
    sqlite3_stmt *st = keptStatement(db, sql, params);
    const int n = sqlite3_column_count(st);
    int rows = 0;
    while ((limit < 0 || rows < limit) && sqlite3_step(st) == SQLITE_ROW) {
        ++rows;
        for (int i = 0; i < n; ++i) {
            switch (sqlite3_column_type(st, i)) {
            case SQLITE_INTEGER:
                g_read += sqlite3_column_int64(st, i);
                break;
            case SQLITE_FLOAT:
                g_read += qint64(sqlite3_column_double(st, i));
                break;
            case SQLITE_NULL:
                break;
            default:
                g_read += sqlite3_column_bytes(st, i);
            }
        }
    }
    sqlite3_reset(st);
    return rows;
}

namespace
{
// The least a view needs: rows of texts.
class TextTable : public QAbstractTableModel
{
public:
    QList<QStringList> rows;
    int columns = 0;
    int rowCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : int(rows.size()); }
    int columnCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : columns; }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        return rows.at(index.row()).value(index.column());
    }
    void reset(QList<QStringList> r, int c)
    {
        beginResetModel();
        rows = std::move(r);
        columns = c;
        endResetModel();
    }
};
} // namespace

struct RawGrid::Parts {
    QTableView view;
    TextTable model;
    int rows = 0;
};

RawGrid::RawGrid(const QSize &size, int rowHeight, int rows) : m(std::make_unique<Parts>())
{
    m->rows = rows;
    m->view.setModel(&m->model);
    m->view.verticalHeader()->hide();
    m->view.verticalHeader()->setDefaultSectionSize(rowHeight);
    m->view.resize(size);
}

RawGrid::~RawGrid() = default;

int RawGrid::show(sqlite3 *db, const char *sql, const QList<QByteArray> &params)
{
    sqlite3_stmt *st = keptStatement(db, sql, params);
    const int n = sqlite3_column_count(st);
    QList<QStringList> rows;
    while (rows.size() < m->rows && sqlite3_step(st) == SQLITE_ROW) {
        QStringList cells;
        for (int i = 0; i < n; ++i)
            cells << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i)),
                                       sqlite3_column_bytes(st, i));
        rows << cells;
    }
    sqlite3_reset(st);
    const int shown = int(rows.size());
    m->model.reset(std::move(rows), n);
    m->view.show();
    QCoreApplication::processEvents(); // painted
    return shown;
}

int screenRows(const QTableView &grid)
{
    const int h = grid.verticalHeader()->defaultSectionSize();
    return h > 0 ? (grid.viewport()->height() + h - 1) / h : 0;
}

qint64 stepRows(sqlite3 *db, const char *sql, const QByteArray &param)
{
    qint64 sink = 0;
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    if (!param.isNull())
        sqlite3_bind_text(st, 1, param.constData(), int(param.size()), SQLITE_TRANSIENT);
    const int n = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int i = 0; i < n; ++i) {
            const unsigned char *t = sqlite3_column_text(st, i);
            sink += sqlite3_column_bytes(st, i) + (t ? t[0] : 0);
        }
    sqlite3_finalize(st);
    return sink;
}

namespace
{
// Each call's time in milliseconds; the two take turns, so that both meet the same load.
std::pair<std::vector<double>, std::vector<double>> timeRounds(int runs, const std::function<void()> &first,
                                                               const std::function<void()> &second)
{
    std::pair<std::vector<double>, std::vector<double>> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        first();
        ms.first.push_back(t.nsecsElapsed() / 1e6);
        t.restart();
        second();
        ms.second.push_back(t.nsecsElapsed() / 1e6);
    }
    return ms;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}
} // namespace

Timing bestMs(int runs, const std::function<void()> &first, const std::function<void()> &second)
{
    const auto ms = timeRounds(runs, first, second);
    return {*std::min_element(ms.first.begin(), ms.first.end()),
            *std::min_element(ms.second.begin(), ms.second.end())};
}

Timing medianMs(int runs, const std::function<void()> &first, const std::function<void()> &second)
{
    const auto ms = timeRounds(runs, first, second);
    return {median(ms.first), median(ms.second)};
}

void report(const char *what, const Timing &t, int width)
{
    std::printf("%-*s ours %9.3f ms   raw %9.3f ms   ratio %5.2f\n", width, what, t.first, t.second,
                t.first / t.second);
    std::fflush(stdout);
}

} // namespace pv::bench
