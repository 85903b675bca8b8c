// Record sets read on demand (a long ledger opens with the keys of its first rows), stored
// values read without conversion, and values noted after a write of the caller's own.
#include "platform/data/Database.h"
#include "platform/data/Recordset.h"
#include "platform/databind/DataControl.h"
#include "platform/databind/DataGridModel.h"

#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using pv::Database;
using pv::DataControl;
using pv::Recordset;

namespace
{
const QString kLedger = QStringLiteral("select * from veresiye where mus_kodu = ? ORDER BY Tarih2, Saat asc");
constexpr int kRows = 600; // more than one opening reads
} // namespace

class TestDataOnDemand : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    Database m_db;

    // The rows of the set read whole, one text per row: "id Tarih2 Saat".
    QStringList wholeOrder(const QString &sql = kLedger)
    {
        Recordset rs(m_db, sql, {QStringLiteral("1")});
        return order(rs);
    }
    static QStringList order(Recordset &rs)
    {
        QStringList out;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            out << rs.Fields(QStringLiteral("id")).text() + u' ' +
                       rs.Fields(QStringLiteral("Tarih2")).text() + u' ' +
                       rs.Fields(QStringLiteral("Saat")).text();
        return out;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QVERIFY(m_db.open(m_dir->filePath(QStringLiteral("pelvanor.dll")), Database::CreateIfMissing));
        QVERIFY(m_db.exec(QStringLiteral(R"(
            CREATE TABLE musteriler (id INTEGER PRIMARY KEY AUTOINCREMENT,
                mus_kodu TEXT COLLATE TURKISH NOT NULL UNIQUE, Sonislem DATE, Gun INTEGER);
            CREATE TABLE veresiye (Tarih TEXT COLLATE TURKISH, Saat TEXT COLLATE TURKISH,
                Eklenen REAL, Odenen REAL, id INTEGER PRIMARY KEY AUTOINCREMENT,
                Tarih2 TEXT COLLATE TURKISH, mus_kodu TEXT COLLATE TURKISH);
            CREATE INDEX veresiye_mus_kodu ON veresiye (mus_kodu, Tarih2, Saat, Eklenen, Odenen);
        )")));
        // Dates out of insertion order, several rows on the same day and time, and another
        // account's rows in between.
        pv::Transaction tx(m_db);
        for (int i = 0; i < kRows; ++i) {
            const QString day = QStringLiteral("2026%1%2")
                                    .arg(1 + (i * 7) % 12, 2, 10, QLatin1Char('0'))
                                    .arg(1 + (i * 13) % 28, 2, 10, QLatin1Char('0'));
            const QString time = QStringLiteral("1%1:00:00").arg(i % 3);
            QVERIFY(m_db.exec(
                QStringLiteral("INSERT INTO veresiye (Tarih2, Saat, Eklenen, mus_kodu) VALUES (?,?,?,?)"),
                {day, time, i, QStringLiteral("1")}));
            if (i % 5 == 0)
                QVERIFY(m_db.exec(
                    QStringLiteral("INSERT INTO veresiye (Tarih2, Saat, Eklenen, mus_kodu) VALUES (?,?,?,?)"),
                    {day, time, 1, QStringLiteral("2")}));
        }
        QVERIFY(tx.commit());
    }
    void cleanup()
    {
        m_db.close();
        m_dir.reset();
    }

    void opensWithTheFirstRowsInTheWholeOrder()
    {
        const QStringList whole = wholeOrder();
        QCOMPARE(whole.size(), kRows);
        Recordset rs;
        rs.setReadOnDemand(true);
        QVERIFY(rs.open(m_db, kLedger, {QStringLiteral("1")}));
        QVERIFY(rs.rowsRead() > 0);
        QVERIFY(rs.rowsRead() < kRows);
        QVERIFY(rs.hasMoreRows());
        // Walking on reads on: the same rows in the same order as a whole read.
        QCOMPARE(order(rs), whole);
        QVERIFY(!rs.hasMoreRows());
        QCOMPARE(rs.RecordCount(), kRows);
    }

    // A look at a row not read yet reads the rows after it along, a screen of them in one
    // statement: they show the values of that moment; rows past that screen are read when
    // they are looked at.
    void aLookReadsTheScreenAfterIt()
    {
        Recordset rs;
        rs.setReadOnDemand(true);
        QVERIFY(rs.open(m_db, kLedger, {QStringLiteral("1")}));
        const int amount = rs.fieldIndex(QStringLiteral("Eklenen"));
        QList<qint64> before;
        {
            Recordset whole(m_db, kLedger, {QStringLiteral("1")});
            for (int row = 0; row < 40; ++row)
                before << whole.valueAt(row, amount).toLongLong();
        }
        QVERIFY(rs.RecordCount() > 40); // every key known: the screen alone bounds the look
        QCOMPARE(rs.valueAt(0, amount).toLongLong(), before[0]);
        QVERIFY(m_db.exec(QStringLiteral("UPDATE veresiye SET Eklenen = -1")));
        for (int row = 1; row < Recordset::kReadAhead; ++row)
            QCOMPARE(rs.valueAt(row, amount).toLongLong(), before[row]);
        QCOMPARE(rs.valueAt(Recordset::kReadAhead, amount).toLongLong(), qint64(-1));
        QVERIFY(!rs.readError());
    }

    // A bulk delete collects the keys of every row shown: they must be the rows' own ids,
    // in the set's order, also past the rows read so far.
    void rowidsAreTheIdsWithoutReadingValues()
    {
        const QStringList whole = wholeOrder();
        Recordset rs;
        rs.setReadOnDemand(true);
        QVERIFY(rs.open(m_db, kLedger, {QStringLiteral("1")}));
        QStringList ids;
        for (int row = 0; row < rs.RecordCount(); ++row)
            ids << QString::number(rs.rowidAt(row));
        QStringList wholeIds;
        for (const QString &line : whole)
            wholeIds << line.section(u' ', 0, 0);
        QCOMPARE(ids, wholeIds);
        QCOMPARE(rs.rowidAt(kRows), qint64(0));
        QCOMPARE(rs.rowidAt(-1), qint64(0));
        Recordset computed(m_db, QStringLiteral("select sum(Eklenen) from veresiye"));
        QCOMPARE(computed.rowidAt(0), qint64(0));
    }

    void everyAnswerIsThatOfTheWholeSet_data()
    {
        QTest::addColumn<QString>("ask");
        QTest::newRow("count") << "count";
        QTest::newRow("last") << "last";
        QTest::newRow("position") << "position";
        QTest::newRow("cell") << "cell";
        QTest::newRow("find") << "find";
        QTest::newRow("rowid") << "rowid";
    }
    void everyAnswerIsThatOfTheWholeSet()
    {
        QFETCH(QString, ask);
        const QStringList whole = wholeOrder();
        const qint64 lastId = whole.last().section(u' ', 0, 0).toLongLong();
        Recordset rs;
        rs.setReadOnDemand(true);
        QVERIFY(rs.open(m_db, kLedger, {QStringLiteral("1")}));
        const int id = rs.fieldIndex(QStringLiteral("id"));
        if (ask == QLatin1String("count")) {
            QCOMPARE(rs.RecordCount(), kRows);
        } else if (ask == QLatin1String("last")) {
            QVERIFY(rs.MoveLast());
            QCOMPARE(rs.AbsolutePosition(), kRows - 1);
            QCOMPARE(rs.Fields(id).value().toLongLong(), lastId);
        } else if (ask == QLatin1String("position")) {
            QVERIFY(rs.setAbsolutePosition(kRows - 1));
            QCOMPARE(rs.Fields(id).value().toLongLong(), lastId);
            QVERIFY(!rs.setAbsolutePosition(kRows));
        } else if (ask == QLatin1String("cell")) {
            QCOMPARE(rs.valueAt(kRows - 1, id).toLongLong(), lastId);
            QVERIFY(!rs.valueAt(kRows, id).isValid());
        } else if (ask == QLatin1String("find")) {
            QVERIFY(rs.FindFirst(QStringLiteral("id = ?"), {lastId}));
            QCOMPARE(rs.AbsolutePosition(), kRows - 1);
        } else {
            QCOMPARE(rs.rowOfRowid(lastId), kRows - 1);
            QCOMPARE(rs.rowOfRowid(999999), -1);
        }
    }

    void deleteAndAddWhileHalfRead()
    {
        Recordset rs;
        rs.setReadOnDemand(true);
        QVERIFY(rs.open(m_db, kLedger, {QStringLiteral("1")}));
        QVERIFY(rs.hasMoreRows());
        QVERIFY(rs.setAbsolutePosition(3));
        QVERIFY(rs.Delete());
        QVERIFY(rs.hasMoreRows());
        // The rows still to read follow on without a gap or a repeat.
        QCOMPARE(order(rs), wholeOrder());

        Recordset added;
        added.setReadOnDemand(true);
        QVERIFY(added.open(m_db, kLedger, {QStringLiteral("1")}));
        QVERIFY(added.AddNew());
        QVERIFY(added.Fields(QStringLiteral("mus_kodu")).setValue(QStringLiteral("1")));
        QVERIFY(added.Fields(QStringLiteral("Tarih2")).setValue(QStringLiteral("20000101")));
        QVERIFY(added.Update());
        // A new row goes after every row of the set, once.
        QCOMPARE(added.RecordCount(), kRows);
        QVERIFY(added.MoveLast());
        QCOMPARE(added.Fields(QStringLiteral("Tarih2")).text(), QStringLiteral("20000101"));
        QStringList ids;
        for (int r = 0; r < added.RecordCount(); ++r)
            ids << added.textAt(r, added.fieldIndex(QStringLiteral("id")));
        QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), kRows);
    }

    void closedSetReadsNoMore()
    {
        Recordset rs;
        rs.setReadOnDemand(true);
        QVERIFY(rs.open(m_db, kLedger, {QStringLiteral("1")}));
        QVERIFY(rs.hasMoreRows());
        rs.close();
        QVERIFY(!rs.hasMoreRows());
        QCOMPARE(rs.RecordCount(), 0);
        QVERIFY(rs.Eof());
    }

    void setsThatCannotBeNarrowedAreReadWhole_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("distinct") << "select distinct * from veresiye where mus_kodu = ? ORDER BY Tarih2";
        QTest::newRow("limit") << "select * from veresiye where mus_kodu = ? ORDER BY Tarih2 LIMIT 1000";
        QTest::newRow("expression") << "select id, Eklenen * 2 AS iki from veresiye where mus_kodu = ?";
        QTest::newRow("order by position")
            << "select id, Tarih2 from veresiye where mus_kodu = ? ORDER BY 2, 1";
    }
    void setsThatCannotBeNarrowedAreReadWhole()
    {
        QFETCH(QString, sql);
        Recordset rs;
        rs.setReadOnDemand(true);
        QVERIFY2(rs.open(m_db, sql, {QStringLiteral("1")}), qPrintable(rs.lastError().message));
        QVERIFY(!rs.hasMoreRows());
        QCOMPARE(rs.rowsRead(), kRows);
    }

    void aFailedReadOfTheRestIsTold()
    {
        Recordset rs;
        rs.setReadOnDemand(true);
        QVERIFY(rs.open(m_db, kLedger, {QStringLiteral("1")}));
        const int first = rs.rowsRead();
        QVERIFY(m_db.exec(QStringLiteral("DROP INDEX veresiye_mus_kodu; DROP TABLE veresiye")));
        // The rows that could not be read are not passed off as the end of the set.
        QCOMPARE(rs.RecordCount(), first);
        QVERIFY(rs.readError());
    }

    void gridShowsWhatIsReadAndFollowsTheCurrentRow()
    {
        DataControl dc;
        dc.Recordset().setReadOnDemand(true);
        dc.setDatabaseName(m_db.path());
        dc.setRecordSource(kLedger, {QStringLiteral("1")});
        QVERIFY(dc.Refresh());
        pv::DataGridModel model(&dc, {{QStringLiteral("TARİH"), QStringLiteral("Tarih2"), 1200},
                                      {QStringLiteral("SAAT"), QStringLiteral("Saat"), 960}});
        QTableView view;
        model.attach(&view);
        const int shown = model.rowCount();
        QVERIFY(shown > 0 && shown < kRows);
        QVERIFY(model.canFetchMore({}));
        model.fetchMore({});
        QVERIFY(model.rowCount() > shown);
        // A row past those shown becomes current: the grid has it and stands on it.
        QVERIFY(dc.setCurrentRow(kRows - 1));
        QCOMPARE(model.rowCount(), kRows);
        QCOMPARE(view.currentIndex().row(), kRows - 1);
        QVERIFY(!model.canFetchMore({}));
        const QStringList whole = wholeOrder();
        QCOMPARE(model.index(kRows - 1, 0).data().toString(), whole.last().section(u' ', 1, 1));
        // A fresh read starts again with the first rows.
        QVERIFY(dc.Refresh());
        QCOMPARE(model.rowCount(), shown);
    }

    void storedTextAndNotedValues()
    {
        QVERIFY(m_db.exec(QStringLiteral("INSERT INTO musteriler (mus_kodu, Sonislem, Gun) VALUES ('1', "
                                         "'2026-12-01', 3), ('2', '2026-11-30', 4)")));
        DataControl dc;
        dc.setDatabaseName(m_db.path());
        dc.setRecordSource(QStringLiteral("select * from musteriler order by id"));
        QVERIFY(dc.Refresh());
        QLineEdit gun;
        dc.bind(&gun, QStringLiteral("Gun"));
        pv::Recordset &rs = dc.Recordset();
        const int son = rs.fieldIndex(QStringLiteral("Sonislem"));
        QCOMPARE(rs.valueAt(0, son).toDate(), QDate(2026, 12, 1));
        QCOMPARE(rs.storedAt(0, son), QVariant(QStringLiteral("2026-12-01")));
        // The caller's own write, noted: shown without a fresh read, the bound box too.
        const int g = rs.fieldIndex(QStringLiteral("Gun"));
        for (int row : {0, 1}) {
            QVERIFY(m_db.exec(QStringLiteral("UPDATE musteriler SET Gun = ? WHERE id = ?"),
                              {10 + row, rs.storedAt(row, rs.fieldIndex(QStringLiteral("id")))}));
            rs.noteStored(row, g, qint64(10 + row));
        }
        QCOMPARE(rs.textAt(0, g), QStringLiteral("10"));
        QCOMPARE(rs.textAt(1, g), QStringLiteral("11"));
        QCOMPARE(gun.text(), QStringLiteral("10"));
        QCOMPARE(rs.textAt(1, son), QStringLiteral("30.11.2026")); // the other fields stay
        QVERIFY(dc.Refresh());
        QCOMPARE(rs.textAt(1, g), QStringLiteral("11"));
    }
};

QTEST_MAIN(TestDataOnDemand)
#include "test_data_ondemand.moc"
