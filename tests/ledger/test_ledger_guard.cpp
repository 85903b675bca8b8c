// The shop file refuses writes of the shop's tables outside the ledger, however they are
// spelt: SQL text, a record set, a data control, or a statement the ledger prepared first
// and the connection kept. The ledger's own operations still write; other files (the
// repair program's copy) are not guarded.
#include "app/ledger/Customers.h"
#include "app/ledger/Postings.h"
#include "app/ledger/ShopFile.h"
#include "database/DbScripts.h"
#include "platform/data/Database.h"
#include "platform/data/Recordset.h"
#include "platform/databind/DataControl.h"
#include "tests/harness/Harness.h"

#include <QLineEdit>
#include <QtTest>

#include <sqlite3.h>

using pv::test::Harness;

class TestLedgerGuard : public QObject
{
    Q_OBJECT

private slots:
    void everyWriteOfAGuardedTable_data();
    void everyWriteOfAGuardedTable();
    void eachPathIsRefused_data();
    void eachPathIsRefused();
    void transactionAloneOpensNoScope();
    void otherFilesAreNotGuarded();
};

namespace
{

const QString kGeneralReason = QStringLiteral("Veri tabanı işlemi yapılamadı.");

void expectRefusal(const QString &table)
{
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("^write refused: %1 is written").arg(table)));
}

// Every row of every table the shop writes, for "nothing was written".
QString everything(Harness &h)
{
    QString out;
    for (const char *table : pv::ledger::shopTables()) {
        const QString name = QString::fromLatin1(table);
        out += name + QLatin1Char('\n');
        for (const QVariantList &row :
             h.rows(QStringLiteral("select * from \"%1\" order by rowid").arg(name))) {
            for (const QVariant &v : row)
                out += (v.isNull() ? QStringLiteral("NULL") : v.toString()) + QLatin1Char('|');
            out += QLatin1Char('\n');
        }
    }
    return out;
}

// A customer with one sale on the account.
void fixture(pv::Database &db)
{
    pv::ledger::NewCustomer c;
    c.code = QStringLiteral("100");
    c.name = QStringLiteral("Ahmet Yılmaz");
    c.type = QStringLiteral("Alıcı");
    c.createdOn = QDate(2026, 12, 10);
    QVERIFY(pv::ledger::addCustomer(db, c).ok);
    pv::ledger::SaleEntry s;
    s.customerCode = c.code;
    s.date = s.savedOn = QDate(2026, 12, 9);
    s.time = QTime(9, 15);
    s.description = QStringLiteral("Un");
    s.quantity = 1;
    s.unitPrice = s.total = 12;
    QVERIFY(pv::ledger::postFreeSale(db, s).ok);
}

} // namespace

// Insert, update and delete, as SQL text, on each table: the shop's are refused, the
// settings', users', units', groups' and canned texts' written as before.
void TestLedgerGuard::everyWriteOfAGuardedTable_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("guarded");
    for (const char *t : pv::ledger::shopTables())
        QTest::newRow(t) << QString::fromLatin1(t) << true;
    for (const char *t : {"dgrayr", "User", "birimler", "Musteri_Gruplari", "MailKonu", "MailMesaj",
                          "VeresiyeEkleAcik", "VeresiyeOdeAcik", "yedek_yeri"})
        QTest::newRow(t) << QString::fromLatin1(t) << false;
}

void TestLedgerGuard::everyWriteOfAGuardedTable()
{
    QFETCH(QString, table);
    QFETCH(bool, guarded);
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    fixture(db);
    const QString before = everything(h);
    const int rows = h.value(QStringLiteral("select count(*) from \"%1\"").arg(table)).toInt();
    // Spelt as a window might spell it, in any case.
    const QStringList writes{
        QStringLiteral("INSERT INTO [%1] SELECT * FROM [%1] WHERE 0"),
        QStringLiteral("update %1 set rowid = rowid"),
        QStringLiteral("Delete From \"%1\" WHERE rowid = (SELECT max(rowid) FROM \"%1\")"),
    };
    for (const QString &sql : writes) {
        if (guarded)
            expectRefusal(table);
        QCOMPARE(db.exec(sql.arg(table)), !guarded);
        if (guarded) {
            QCOMPARE(db.lastError().number, int(SQLITE_AUTH));
            QCOMPARE(db.lastError().message, kGeneralReason);
        }
    }
    if (guarded)
        QCOMPARE(everything(h), before);
    else
        QCOMPARE(h.value(QStringLiteral("select count(*) from \"%1\"").arg(table)).toInt(),
                 std::max(rows - 1, 0));
}

namespace
{
enum class Path { SqlText, RecordSet, DataControl };
}
Q_DECLARE_METATYPE(Path)

// One write of the customer's row through each path, with the same statement prepared by
// the ledger first (kept by the connection, handed out again for the same text) or not.
void TestLedgerGuard::eachPathIsRefused_data()
{
    QTest::addColumn<Path>("path");
    QTest::addColumn<bool>("ledgerFirst");
    QTest::newRow("SQL text") << Path::SqlText << false;
    QTest::newRow("SQL text the ledger ran") << Path::SqlText << true;
    QTest::newRow("record set") << Path::RecordSet << false;
    QTest::newRow("record set, the ledger's write") << Path::RecordSet << true;
    QTest::newRow("data control") << Path::DataControl << false;
    QTest::newRow("data control, the ledger's write") << Path::DataControl << true;
}

void TestLedgerGuard::eachPathIsRefused()
{
    QFETCH(Path, path);
    QFETCH(bool, ledgerFirst);
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    fixture(db);
    const qint64 entry = h.value(QStringLiteral("select id from veresiye")).toLongLong();
    const qint64 customer = h.value(QStringLiteral("select id from musteriler")).toLongLong();
    if (ledgerFirst) {
        // The ledger's statements for these writes: the entry's receipt mark as SQL text, the
        // customer's note through a record set.
        QVERIFY(pv::ledger::markForReceipt(db, entry, QStringLiteral("1")).ok);
        QVERIFY(pv::ledger::updateCustomerNote(db, customer, QStringLiteral("ilk")).ok);
    }
    const QString before = everything(h);

    bool written = true;
    pv::DbError error;
    switch (path) {
    case Path::SqlText:
        expectRefusal(QStringLiteral("veresiye"));
        written = db.exec(QStringLiteral("update veresiye set form_kodu = ? where id = ?"),
                          {QStringLiteral("2"), entry});
        error = db.lastError();
        break;
    case Path::RecordSet: {
        pv::Recordset rs(db, QStringLiteral("select * from musteriler where id = ?"), {customer});
        QVERIFY(rs.Edit());
        QVERIFY(rs.Fields(QStringLiteral("Not")).setValue(QStringLiteral("el ile")));
        expectRefusal(QStringLiteral("musteriler"));
        written = rs.Update();
        error = rs.lastError();
        break;
    }
    case Path::DataControl: {
        pv::DataControl dc;
        dc.setDatabaseName(h.databasePath());
        dc.setRecordSource(QStringLiteral("select * from musteriler"));
        QVERIFY(dc.Refresh());
        QLineEdit note;
        dc.bind(&note, QStringLiteral("Not"));
        note.setText(QStringLiteral("el ile"));
        expectRefusal(QStringLiteral("musteriler"));
        written = dc.UpdateRecord();
        error = dc.lastError();
        break;
    }
    }
    QVERIFY(!written);
    QCOMPARE(error.number, int(SQLITE_AUTH));
    QCOMPARE(error.message, kGeneralReason);
    QCOMPARE(everything(h), before);
    QVERIFY(!db.inTransaction());

    // The refusal leaves the ledger's own statements as they were.
    QVERIFY(pv::ledger::markForReceipt(db, entry, QStringLiteral("3")).ok);
    QVERIFY(pv::ledger::updateCustomerNote(db, customer, QStringLiteral("son")).ok);
    QCOMPARE(h.value(QStringLiteral("select form_kodu from veresiye")).toString(), QStringLiteral("3"));
    QCOMPARE(h.value(QStringLiteral("select \"Not\" from musteriler")).toString(), QStringLiteral("son"));
}

// A transaction is no licence: what it would write is refused, and it commits nothing.
void TestLedgerGuard::transactionAloneOpensNoScope()
{
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    fixture(db);
    const QString before = everything(h);
    {
        pv::Transaction tx(db);
        QVERIFY(tx.isActive());
        expectRefusal(QStringLiteral("kasa"));
        QVERIFY(!db.exec(QStringLiteral("DELETE FROM kasa")));
        expectRefusal(QStringLiteral("son_islemno"));
        QVERIFY(!pv::Counter(db, QStringLiteral("son_islemno"), QStringLiteral("islemno")).write(99));
        QVERIFY(tx.commit());
    }
    QCOMPARE(everything(h), before);
}

// The guard belongs to the shop file the program opens: a file of the same tables elsewhere
// (the repair program's copy) is written freely, and a file already open cannot be guarded
// after the fact.
void TestLedgerGuard::otherFilesAreNotGuarded()
{
    Harness h;
    const QString copy = h.folder() + QStringLiteral("/Newtemp.mdb");
    QString why;
    QVERIFY2(pv::createDatabaseFromScripts(copy, &why), qPrintable(why));
    pv::Database db;
    QVERIFY(db.open(copy));
    QVERIFY(db.exec(QStringLiteral("INSERT INTO musteriler (mus_kodu) VALUES ('7')")));
    QVERIFY(db.exec(QStringLiteral("UPDATE son_islemno SET islemno = 5")));
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from musteriler")).toInt(), 1);
    QVERIFY(!pv::ledger::guardShopFile(copy));
}

QTEST_MAIN(TestLedgerGuard)
#include "test_ledger_guard.moc"
