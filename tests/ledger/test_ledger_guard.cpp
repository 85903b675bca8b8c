// The shop file refuses writes of the shop's tables outside the ledger, however they are
// spelt: SQL text, a record set, a data control, or a statement the ledger prepared first
// and the connection kept. The ledger's own operations still write; other files (the
// repair program's copy) are not guarded. Its schema is never changed through the program,
// and the file is guarded by whatever name it is reached.
#include "app/ledger/Customers.h"
#include "app/ledger/LedgerWrite.h"
#include "app/ledger/Postings.h"
#include "app/ledger/ShopFile.h"
#include "database/DbScripts.h"
#include "platform/data/Database.h"
#include "platform/data/ProgramDatabase.h"
#include "platform/data/Recordset.h"
#include "platform/databind/DataControl.h"
#include "tests/harness/Harness.h"

#include <QFile>
#include <QLineEdit>
#include <QtTest>

#include <optional>

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
    void schemaChangesAreRefused_data();
    void schemaChangesAreRefused();
    void noTriggerRunsInLaterPostings_data();
    void noTriggerRunsInLaterPostings();
    void statementPreparedAgainIsMarkedAgain_data();
    void statementPreparedAgainIsMarkedAgain();
    void everyNameOfTheFileIsGuarded_data();
    void everyNameOfTheFileIsGuarded();
    void fileInPlaceOfTheNameIsGuarded_data();
    void fileInPlaceOfTheNameIsGuarded();
    void openUnguardedByAnyNameCannotBeGuarded_data();
    void openUnguardedByAnyNameCannotBeGuarded();
    void noConnectionAttachesTheGuardedFile_data();
    void noConnectionAttachesTheGuardedFile();
    void otherFilesAreAttachedAsBefore_data();
    void otherFilesAreAttachedAsBefore();
    void receiptPrinterWritesNothing_data();
    void receiptPrinterWritesNothing();
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

namespace
{

void expectSchemaRefusal()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^write refused: ")));
}

// The file's schema as another connection reads it.
QString schema(Harness &h)
{
    QString out;
    for (const QVariantList &row :
         h.rows(QStringLiteral("select type, name, sql from sqlite_master order by name")))
        out += row.value(0).toString() + QLatin1Char('|') + row.value(1).toString() + QLatin1Char('|') +
               row.value(2).toString() + QLatin1Char('\n');
    return out;
}

// A cash row written by another program, for a trigger to take away.
void cashRow(Harness &h)
{
    QVERIFY(h.insert(QStringLiteral("kasa"), {{QStringLiteral("Aciklama"), QStringLiteral("Açılış")},
                                              {QStringLiteral("Giren"), 50.0}}));
}

} // namespace

// No schema change goes through the program's connection: not in the file, not in its
// temporary schema, not in a file attached under another name, and not inside a ledger
// operation's transaction either. The file's rows and schema stay as they were.
void TestLedgerGuard::schemaChangesAreRefused_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("made");  // made beforehand by another program
    QTest::addColumn<bool>("attached"); // a file of the shop's tables attached as "ek"
    QTest::addColumn<bool>("inLedger"); // inside a ledger operation's transaction
    const QString trigger =
        QStringLiteral("TRIGGER sil AFTER INSERT ON veresiye BEGIN DELETE FROM kasa; END");
    QTest::newRow("a cash row through a renamed table")
        << "ALTER TABLE kasa RENAME TO x; INSERT INTO x (Aciklama, Giren) VALUES ('el ile', 5); "
           "ALTER TABLE x RENAME TO kasa"
        << QString() << false << false;
    QTest::newRow("rename a settings table")
        << "ALTER TABLE dgrayr RENAME TO ayarlar" << QString() << false << false;
    QTest::newRow("add a column") << "ALTER TABLE kasa ADD COLUMN ek TEXT" << QString() << false << false;
    QTest::newRow("drop a column") << "ALTER TABLE kasa DROP COLUMN Aciklama" << QString() << false << false;
    QTest::newRow("rename a column") << "ALTER TABLE birimler RENAME COLUMN birimadi TO ad" << QString()
                                     << false << false;
    QTest::newRow("create a table") << "CREATE TABLE notlar (a)" << QString() << false << false;
    QTest::newRow("create a temporary table")
        << "CREATE TEMP TABLE notlar (a)" << QString() << false << false;
    QTest::newRow("create a table in the attached file")
        << "CREATE TABLE ek.notlar (a)" << QString() << true << false;
    QTest::newRow("create an index") << "CREATE INDEX kasa_tutar ON kasa (Giren)" << QString() << false
                                     << false;
    QTest::newRow("create an index in the attached file")
        << "CREATE INDEX ek.kasa_tutar ON kasa (Giren)" << QString() << true << false;
    QTest::newRow("create a view") << "CREATE VIEW v AS SELECT * FROM kasa" << QString() << false << false;
    QTest::newRow("create a temporary view")
        << "CREATE TEMP VIEW v AS SELECT * FROM kasa" << QString() << false << false;
    QTest::newRow("create a trigger") << "CREATE " + trigger << QString() << false << false;
    QTest::newRow("create a temporary trigger") << "CREATE TEMP " + trigger << QString() << false << false;
    QTest::newRow("create a trigger in the attached file")
        << "CREATE TRIGGER ek.sil AFTER INSERT ON veresiye BEGIN DELETE FROM kasa; END" << QString() << true
        << false;
    QTest::newRow("drop a table") << "DROP TABLE birimler" << QString() << false << false;
    QTest::newRow("drop an index") << "DROP INDEX kasa_Tarih2" << QString() << false << false;
    QTest::newRow("drop a view") << "DROP VIEW v"
                                 << "CREATE VIEW v AS SELECT 1" << false << false;
    QTest::newRow("drop a trigger") << "DROP TRIGGER sil"
                                    << "CREATE " + trigger << false << false;
    QTest::newRow("writable schema") << "PRAGMA writable_schema = ON" << QString() << false << false;
    QTest::newRow("writable schema of temp")
        << "pragma temp.Writable_Schema = 1" << QString() << false << false;
    QTest::newRow("rename a cash table in a ledger transaction")
        << "ALTER TABLE kasa RENAME TO x" << QString() << false << true;
    QTest::newRow("create a trigger in a ledger transaction")
        << "CREATE " + trigger << QString() << false << true;
    QTest::newRow("drop a shop table in a ledger transaction")
        << "DROP TABLE SatisRapor" << QString() << false << true;
}

void TestLedgerGuard::schemaChangesAreRefused()
{
    QFETCH(QString, sql);
    QFETCH(QString, made);
    QFETCH(bool, attached);
    QFETCH(bool, inLedger);
    Harness h;
    if (!made.isEmpty())
        QVERIFY(h.exec(made));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    fixture(db);
    cashRow(h);
    if (attached) {
        const QString other = h.folder() + QStringLiteral("/ek.dll");
        QString why;
        QVERIFY2(pv::createDatabaseFromScripts(other, &why), qPrintable(why));
        QVERIFY(db.exec(QStringLiteral("ATTACH DATABASE ? AS ek"), {other}));
    }
    // Every schema the connection sees, the attached file's included.
    const auto schemas = [&] {
        const QString attachedSchema =
            attached ? db.scalar(QStringLiteral("select group_concat(name) from ek.sqlite_master")).toString()
                     : QString();
        return schema(h) + attachedSchema +
               db.scalar(QStringLiteral("select count(*) from sqlite_temp_master")).toString();
    };
    const QString before = everything(h);
    const QString schemaBefore = schemas();

    bool changed = true;
    pv::DbError error;
    {
        std::optional<pv::ledger::LedgerTransaction> tx;
        if (inLedger)
            tx.emplace(db);
        expectSchemaRefusal();
        changed = db.exec(sql);
        error = db.lastError();
        if (tx)
            QVERIFY(tx->commit());
    }
    QVERIFY(!changed);
    QCOMPARE(error.number, int(SQLITE_AUTH));
    QCOMPARE(error.message, kGeneralReason);
    QCOMPARE(schemas(), schemaBefore);
    QCOMPARE(everything(h), before);
    // The file reads and the ledger writes as before.
    QVERIFY(pv::ledger::markForReceipt(db, h.value(QStringLiteral("select id from veresiye")).toLongLong(),
                                       QStringLiteral("5"))
                .ok);
}

// A trigger that takes the cash rows away inside every posting cannot be made through the
// program, whether kept in the file or for the connection alone.
void TestLedgerGuard::noTriggerRunsInLaterPostings_data()
{
    QTest::addColumn<QString>("sql");
    QTest::newRow("kept in the file")
        << "CREATE TRIGGER sil AFTER INSERT ON veresiye BEGIN DELETE FROM kasa; END";
    QTest::newRow("temporary")
        << "CREATE TEMP TRIGGER sil AFTER INSERT ON veresiye BEGIN DELETE FROM kasa; END";
    QTest::newRow("temporary, before every change of an entry")
        << "CREATE TEMPORARY TRIGGER sil BEFORE UPDATE ON main.veresiye BEGIN DELETE FROM kasa; END";
}

void TestLedgerGuard::noTriggerRunsInLaterPostings()
{
    QFETCH(QString, sql);
    Harness h;
    cashRow(h);
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    expectSchemaRefusal();
    QVERIFY(!db.exec(sql));
    fixture(db); // a customer and a sale posted
    QVERIFY(pv::ledger::markForReceipt(db, h.value(QStringLiteral("select id from veresiye")).toLongLong(),
                                       QStringLiteral("1"))
                .ok);
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye")).toInt(), 1);
    QCOMPARE(h.rows(QStringLiteral("select Aciklama, Giren from kasa")),
             (QList<QVariantList>{{QStringLiteral("Açılış"), 50.0}}));
}

// A statement the connection keeps writes a table of its own (units), unguarded. Another
// program then adds a trigger to that table that writes a shop table; SQLite prepares the
// kept statement again when it next runs, inside a ledger operation, where the write is
// allowed. Run again outside the ledger, the same statement is refused: the trigger's write
// is the shop's.
void TestLedgerGuard::statementPreparedAgainIsMarkedAgain_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<QString>("shopTable");
    QTest::newRow("insert; the trigger deletes the cash rows")
        << "INSERT INTO birimler (birimadi) VALUES (?)"
        << "CREATE TRIGGER t AFTER INSERT ON birimler BEGIN DELETE FROM kasa; END"
        << "kasa";
    QTest::newRow("update; the trigger adds a cash row")
        << "UPDATE birimler SET birimadi = ?"
        << "CREATE TRIGGER t AFTER UPDATE ON birimler BEGIN INSERT INTO kasa (Aciklama) VALUES ('x'); END"
        << "kasa";
    QTest::newRow("delete; the trigger moves the receipt number")
        << "DELETE FROM birimler WHERE birimadi = ?"
        << "CREATE TRIGGER t BEFORE DELETE ON birimler BEGIN UPDATE son_islemno SET islemno = islemno + 100; "
           "END"
        << "son_islemno";
}

void TestLedgerGuard::statementPreparedAgainIsMarkedAgain()
{
    QFETCH(QString, statement);
    QFETCH(QString, trigger);
    QFETCH(QString, shopTable);
    Harness h;
    cashRow(h);
    QVERIFY(h.exec(QStringLiteral("INSERT INTO birimler (birimadi) VALUES ('Adet'), ('Kilo'), ('Gram')")));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(db.exec(statement, {QStringLiteral("Kilo")})); // kept, writing no shop table
    QVERIFY(h.exec(trigger));
    {
        pv::ledger::LedgerTransaction tx(db);
        QVERIFY(db.exec(statement, {QStringLiteral("Gram")}));
        QVERIFY(tx.commit());
    }
    cashRow(h);
    const QString before = everything(h);
    const auto units = h.rows(QStringLiteral("select birimadi from birimler order by id"));
    expectRefusal(shopTable);
    QVERIFY(!db.exec(statement, {QStringLiteral("Adet")}));
    QCOMPARE(db.lastError().number, int(SQLITE_AUTH));
    QCOMPARE(db.lastError().message, kGeneralReason);
    QCOMPARE(everything(h), before);
    QCOMPARE(h.rows(QStringLiteral("select birimadi from birimler order by id")), units);
}

namespace
{

// Another name of the file, made in the harness's folder: a symbolic link, a hard link, or the
// file reached through a link to its folder; "" when it could not be made.
QString otherName(Harness &h, const QString &file, const QString &how)
{
    const QString folder = h.folder();
    if (how == QLatin1String("symbolic link")) {
        const QString name = folder + QStringLiteral("/baglanti.dll");
        return QFile::link(file, name) ? name : QString();
    }
    if (how == QLatin1String("hard link")) {
        const QString name = folder + QStringLiteral("/ikinci.dll");
        return pv::test::hardLink(file, name) ? name : QString();
    }
    if (how == QLatin1String("linked folder")) {
        const QString link = folder + QStringLiteral("/klasor");
        return QFile::link(folder, link) ? link + QLatin1Char('/') + QFileInfo(file).fileName() : QString();
    }
    return file;
}

void addNames()
{
    QTest::addColumn<QString>("how");
    for (const char *how : {"symbolic link", "hard link", "linked folder"})
        QTest::newRow(how) << QString::fromLatin1(how);
}

} // namespace

// A second connection to the guarded file, by another of its names, is guarded as well.
void TestLedgerGuard::everyNameOfTheFileIsGuarded_data()
{
    addNames();
}

void TestLedgerGuard::everyNameOfTheFileIsGuarded()
{
    QFETCH(QString, how);
    Harness h;
    cashRow(h);
    pv::Database program;
    QVERIFY(program.open(h.databasePath()));
    const QString name = otherName(h, h.databasePath(), how);
    QVERIFY(!name.isEmpty());
    pv::Database other;
    QVERIFY(other.open(name));
    const QString before = everything(h);
    expectRefusal(QStringLiteral("kasa"));
    QVERIFY(!other.exec(QStringLiteral("DELETE FROM kasa")));
    QCOMPARE(other.lastError().number, int(SQLITE_AUTH));
    expectSchemaRefusal();
    QVERIFY(!other.exec(
        QStringLiteral("CREATE TEMP TRIGGER sil AFTER INSERT ON veresiye BEGIN DELETE FROM kasa; END")));
    QCOMPARE(everything(h), before);
}

// The guard follows the name: a file that takes the guarded name's place is guarded when
// it is next opened, and so is a file made at a name that led to none when it was guarded.
void TestLedgerGuard::fileInPlaceOfTheNameIsGuarded_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("renamed over the name") << "rename";
    QTest::newRow("removed and made again") << "remake";
    QTest::newRow("no file when guarded") << "later";
}

void TestLedgerGuard::fileInPlaceOfTheNameIsGuarded()
{
    QFETCH(QString, how);
    Harness h;
    QString name = h.databasePath();
    const QString made = h.folder() + QStringLiteral("/yeni.dll");
    QString why;
    if (how == QLatin1String("later")) {
        name = h.folder() + QStringLiteral("/sonra.dll");
        QVERIFY(pv::ledger::guardShopFile(name)); // no file there: nothing to guard yet, and no error
        QVERIFY2(pv::createDatabaseFromScripts(name, &why), qPrintable(why));
    } else {
        {
            pv::Database before;
            QVERIFY(before.open(name)); // opened, and closed again, as a restore closes it
        }
        QVERIFY2(pv::createDatabaseFromScripts(made, &why), qPrintable(why));
        if (how == QLatin1String("remake"))
            QVERIFY(QFile::remove(name) && QFile::copy(made, name));
        else
            QVERIFY(pv::renameDurably(made, name));
    }
    pv::Database db;
    QVERIFY(db.open(name));
    expectRefusal(QStringLiteral("kasa"));
    QVERIFY(!db.exec(QStringLiteral("DELETE FROM kasa")));
    QCOMPARE(db.lastError().number, int(SQLITE_AUTH));
}

// A file open unguarded, by whatever name, cannot be guarded afterwards: its connection's
// statements carry no marks. Nor can a file another connection has attached, which writes
// it past any guard.
void TestLedgerGuard::openUnguardedByAnyNameCannotBeGuarded_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("attached"); // to a connection on a file of its own
    for (const char *how : {"symbolic link", "hard link", "linked folder", "name"}) {
        QTest::addRow("%s, opened", how) << QString::fromLatin1(how) << false;
        QTest::addRow("%s, attached", how) << QString::fromLatin1(how) << true;
    }
}

void TestLedgerGuard::openUnguardedByAnyNameCannotBeGuarded()
{
    QFETCH(QString, how);
    QFETCH(bool, attached);
    Harness h;
    const QString copy = h.folder() + QStringLiteral("/kopya.dll");
    QString why;
    QVERIFY2(pv::createDatabaseFromScripts(copy, &why), qPrintable(why));
    const QString name = otherName(h, copy, how);
    QVERIFY(!name.isEmpty());
    {
        pv::Database open;
        if (attached) {
            QVERIFY(open.open(h.folder() + QStringLiteral("/karalama.db"), pv::Database::CreateIfMissing));
            QVERIFY(open.exec(QStringLiteral("ATTACH DATABASE ? AS s"), {name}));
        } else {
            QVERIFY(open.open(name));
        }
        QVERIFY(!pv::ledger::guardShopFile(copy));
        QVERIFY(open.exec(attached ? QStringLiteral("INSERT INTO s.kasa (Aciklama) VALUES ('serbest')")
                                   : QStringLiteral("INSERT INTO kasa (Aciklama) VALUES ('serbest')")));
    }
    // Closed: now it can be.
    QVERIFY(pv::ledger::guardShopFile(copy));
}

namespace
{

void expectAttachRefusal()
{
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("^write refused: .* is a guarded file")));
}

// The connection an ATTACH is tried on: one of a scratch file, one in memory, the shop
// file's own.
bool openSide(Harness &h, pv::Database &db, const QString &side)
{
    if (side == QLatin1String("scratch file"))
        return db.open(h.folder() + QStringLiteral("/karalama.db"), pv::Database::CreateIfMissing);
    if (side == QLatin1String("memory"))
        return db.open(QStringLiteral(":memory:"), pv::Database::CreateIfMissing);
    return db.open(h.databasePath());
}

// An ATTACH of name as s, spelt as `spelt` says, with a unit written through s in the same
// call where the SQL allows it (a table no guard keeps: only the attach itself stands in
// the way); false with the reason in *error when it failed.
bool attach(pv::Database &db, const QString &name, const QString &spelt, pv::DbError *error)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    bool ok = false;
    if (spelt == QLatin1String("literal")) {
        ok = db.exec(QStringLiteral("ATTACH DATABASE '%1' AS s").arg(quoted));
        *error = db.lastError();
    } else if (spelt == QLatin1String("expression, a write after it")) {
        const qsizetype half = quoted.size() / 2;
        ok = db.exec(QStringLiteral("ATTACH DATABASE '%1' || '%2' AS s; "
                                    "INSERT INTO s.birimler (birimadi) VALUES ('el ile')")
                         .arg(quoted.left(half), quoted.mid(half)));
        *error = db.lastError();
    } else if (spelt == QLatin1String("literal, run on the connection's handle")) {
        // Past the data layer's statements: only the look at the literal name stands there.
        const int rc =
            sqlite3_exec(db.handle(), QStringLiteral("ATTACH DATABASE '%1' AS s").arg(quoted).toUtf8(),
                         nullptr, nullptr, nullptr);
        ok = rc == SQLITE_OK;
        *error = ok ? pv::DbError() : pv::DbError{rc, pv::userReason(rc), QString()};
    } else if (spelt == QLatin1String("bound, twice")) {
        // The second run is looked at as the first: such a statement is never kept.
        const QString sql = QStringLiteral("ATTACH DATABASE ? AS s");
        if (!db.exec(sql, {name}))
            expectAttachRefusal();
        else if (!db.exec(QStringLiteral("DETACH DATABASE s")))
            return false;
        ok = db.exec(sql, {name});
        *error = db.lastError();
    } else if (spelt == QLatin1String("bound, read as a value")) {
        db.scalar(QStringLiteral("ATTACH DATABASE ? AS s"), {name});
        ok = !db.lastError();
        *error = db.lastError();
    } else if (spelt == QLatin1String("bound, opened as a record set")) {
        pv::Recordset rs(db, QStringLiteral("ATTACH DATABASE ? AS s"), {name});
        ok = !rs.lastError();
        *error = rs.lastError();
    } else {
        ok = db.exec(QStringLiteral("ATTACH DATABASE ? AS s"), {name});
        *error = db.lastError();
    }
    return ok;
}

const char *const kSides[] = {"scratch file", "memory", "shop file"};
const char *const kSpellings[] = {"literal",
                                  "literal, run on the connection's handle",
                                  "bound",
                                  "bound, twice",
                                  "expression, a write after it",
                                  "bound, read as a value",
                                  "bound, opened as a record set"};

} // namespace

// No connection attaches the guarded file, by whatever name and however the name is given:
// the shop file's tables written through the attached schema would pass the guard. The
// ATTACH is refused as a write is, nothing stays attached, and the file keeps every byte.
void TestLedgerGuard::noConnectionAttachesTheGuardedFile_data()
{
    QTest::addColumn<QString>("side");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("spelt");
    for (const char *side : kSides)
        for (const char *how : {"name", "symbolic link", "hard link", "linked folder"})
            for (const char *spelt : kSpellings)
                QTest::addRow("%s, %s, %s", side, how, spelt)
                    << QString::fromLatin1(side) << QString::fromLatin1(how) << QString::fromLatin1(spelt);
}

void TestLedgerGuard::noConnectionAttachesTheGuardedFile()
{
    QFETCH(QString, side);
    QFETCH(QString, how);
    QFETCH(QString, spelt);
    Harness h;
    cashRow(h);
    const QString name = otherName(h, h.databasePath(), how);
    QVERIFY(!name.isEmpty());
    pv::Database db;
    QVERIFY(openSide(h, db, side));
    const QByteArray bytes = pv::test::fileBytes(h.databasePath());
    QVERIFY(!bytes.isEmpty());

    pv::DbError error;
    expectAttachRefusal();
    QVERIFY(!attach(db, name, spelt, &error));
    QCOMPARE(error.number, int(SQLITE_AUTH));
    QCOMPARE(error.message, kGeneralReason);
    QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM pragma_database_list WHERE name = 's'")).toInt(),
             0);
    QVERIFY(!db.exec(QStringLiteral("INSERT INTO s.birimler (birimadi) VALUES ('el ile')")));
    QCOMPARE(pv::test::fileBytes(h.databasePath()), bytes);
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM kasa")).toInt(), 1);
}

// A file the guard does not keep is attached and written as before, by every connection
// and every spelling of its name.
void TestLedgerGuard::otherFilesAreAttachedAsBefore_data()
{
    QTest::addColumn<QString>("side");
    QTest::addColumn<QString>("spelt");
    for (const char *side : kSides)
        for (const char *spelt : kSpellings)
            QTest::addRow("%s, %s", side, spelt) << QString::fromLatin1(side) << QString::fromLatin1(spelt);
}

void TestLedgerGuard::otherFilesAreAttachedAsBefore()
{
    QFETCH(QString, side);
    QFETCH(QString, spelt);
    Harness h;
    const QString other = h.folder() + QStringLiteral("/ek.dll");
    QString why;
    QVERIFY2(pv::createDatabaseFromScripts(other, &why), qPrintable(why));
    pv::Database db;
    QVERIFY(openSide(h, db, side));
    pv::DbError error;
    QVERIFY2(attach(db, other, spelt, &error), qPrintable(error.detail));
    if (spelt != QLatin1String("expression, a write after it"))
        QVERIFY(db.exec(QStringLiteral("INSERT INTO s.birimler (birimadi) VALUES ('el ile')")));
    QVERIFY(db.exec(QStringLiteral("DETACH DATABASE s")));
    pv::Database written;
    QVERIFY(written.open(other, pv::Database::ReadOnly));
    QCOMPARE(
        written.scalar(QStringLiteral("SELECT count(*) FROM birimler WHERE birimadi = 'el ile'")).toInt(), 1);
}

// The receipt printer runs inside the collection's transaction with the write scope
// suspended. It reads the rows just written; a write of a shop table it tries is refused,
// and the collection goes back whole: no row of it, no receipt number used, no receipt.
void TestLedgerGuard::receiptPrinterWritesNothing_data()
{
    QTest::addColumn<QStringList>("writes");   // run one after the other; none when the printer only reads
    QTest::addColumn<QStringList>("refusals"); // what each refusal logs after "write refused: "
    QTest::newRow("reads only") << QStringList() << QStringList();
    QTest::newRow("a brand") << QStringList{"INSERT INTO urun_marka (urunmarkaadi) VALUES ('Makbuz')"}
                             << QStringList{"urun_marka is written"};
    QTest::newRow("the cash book's receipt number")
        << QStringList{"UPDATE son_islemno SET islemno = islemno + 100"}
        << QStringList{"son_islemno is written"};
    // The statement markForReceipt prepared in its scope, kept by the connection.
    QTest::newRow("a statement the ledger kept")
        << QStringList{"update veresiye set form_kodu = ? where id = ?"}
        << QStringList{"veresiye is written"};
    QTest::newRow("a ledger operation, its own scope")
        << QStringList{"markForReceipt"} << QStringList{"veresiye is written"};
    // Ending the collection's transaction would save it, or drop it, behind the ledger's back.
    QTest::newRow("commit") << QStringList{"COMMIT"} << QStringList{"transaction COMMIT"};
    QTest::newRow("end") << QStringList{"END"} << QStringList{"transaction COMMIT"};
    QTest::newRow("rollback, then begin")
        << QStringList{"ROLLBACK", "BEGIN"} << QStringList{"transaction ROLLBACK", "transaction BEGIN"};
    QTest::newRow("savepoint, then release") << QStringList{"SAVEPOINT makbuz", "RELEASE makbuz"}
                                             << QStringList{"savepoint BEGIN", "savepoint RELEASE"};
}

void TestLedgerGuard::receiptPrinterWritesNothing()
{
    QFETCH(QStringList, writes);
    QFETCH(QStringList, refusals);
    Harness h;
    QVERIFY(h.exec(QStringLiteral("UPDATE yedek_yeri SET yolu = 7")));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    fixture(db);
    // Each of a transaction's statements run once before, where it may: one the connection
    // kept would come back inside the printer without being looked at.
    for (const char *sql :
         {"BEGIN", "COMMIT", "BEGIN", "END", "BEGIN", "ROLLBACK", "SAVEPOINT makbuz", "RELEASE makbuz"})
        QVERIFY2(db.exec(QString::fromLatin1(sql)), sql);
    const qint64 sale = h.value(QStringLiteral("SELECT id FROM veresiye")).toLongLong();
    QVERIFY(pv::ledger::markForReceipt(db, sale, QStringLiteral("1")).ok);
    const QString before = everything(h);

    pv::ledger::CollectionEntry entry;
    entry.customerCode = QStringLiteral("100");
    entry.accountType = QStringLiteral("Alıcı");
    entry.date = QDate(2026, 12, 10);
    entry.time = QTime(10, 0);
    entry.description = QStringLiteral("Ödeme");
    entry.paymentKind = QStringLiteral("Nakit");
    entry.amount = 5;
    entry.caption = QStringLiteral("TAHSİLAT");
    entry.openedAt = entry.savedAt = QDateTime(entry.date, entry.time);
    entry.receipt = true;
    int rowsSeen = 0, cashSeen = 0;
    QList<bool> written;
    pv::ledger::Posted posted;
    const auto print = [&](qint64, const QString &id) {
        rowsSeen =
            db.scalar(QStringLiteral("SELECT count(*) FROM veresiye WHERE islemNo2 = ?"), {id}).toInt();
        cashSeen = db.scalar(QStringLiteral("SELECT count(*) FROM kasa WHERE islemNo2 = ?"), {id}).toInt();
        for (qsizetype i = 0; i < writes.size(); ++i) {
            const QString &write = writes.at(i);
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QStringLiteral("^write refused: ") +
                                                    QRegularExpression::escape(refusals.at(i))));
            if (write == QLatin1String("markForReceipt"))
                written << pv::ledger::markForReceipt(db, sale, QStringLiteral("2")).ok;
            else
                written << (write.contains(u'?') ? db.exec(write, {QStringLiteral("2"), sale})
                                                 : db.exec(write));
        }
        return true;
    };
    const pv::ledger::Result r = pv::ledger::postCollection(db, entry, &posted, print);
    QCOMPARE(rowsSeen, 1);
    QCOMPARE(cashSeen, 1);
    QVERIFY(!db.inTransaction());
    if (writes.isEmpty()) {
        QVERIFY(r.ok);
        QVERIFY(posted.receiptPrinted);
        QCOMPARE(h.value(QStringLiteral("SELECT yolu FROM yedek_yeri")).toLongLong(), qint64(8));
        QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM kasa")).toInt(), 1);
        return;
    }
    QCOMPARE(written, QList<bool>(writes.size(), false));
    QVERIFY(!r.ok);
    QCOMPARE(r.reason, pv::ledger::kReceiptWriteRefused);
    QVERIFY(posted.postingId.isEmpty());
    QVERIFY(!posted.receiptPrinted);
    QCOMPARE(everything(h), before);
    QCOMPARE(h.value(QStringLiteral("SELECT yolu FROM yedek_yeri")).toLongLong(), qint64(7));
    // The ledger writes as before once the printer is done.
    QVERIFY(pv::ledger::markForReceipt(db, sale, QStringLiteral("3")).ok);
}

QTEST_MAIN(TestLedgerGuard)
#include "test_ledger_guard.moc"
