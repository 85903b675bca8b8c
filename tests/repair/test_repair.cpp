// The repair program: the in-place compaction of the database file, and its window
// driven as a user would.
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "controls/progressbar/QuorvelXPProgressBar.h"
#include "platform/data/Database.h"
#include "platform/data/SqlFunctions.h"
#include "platform/forms/Program.h"
#include "repair/Compaction.h"
#include "repair/RepairProgram.h"
#include "repair/frmCompact.h"
#include "tests/harness/CrashWriter.h"
#include "tests/harness/Harness.h"
#include "tests/harness/InstanceHelper.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <iostream>
#include <memory>
#include <sqlite3.h>
#include <sys/stat.h>

using pv::test::fileBytes;
using pv::test::Harness;
using pv::test::writeFile;
using repair::Outcome;

Q_DECLARE_METATYPE(Outcome)

namespace
{

const QString kDone = QStringLiteral("\n\n Veri Tabanı Bakımı Yapıldı...");
const QString kFailed =
    QStringLiteral("( Veri Tabanı Bakımı Yapılırken Hata Oluştu. )\r\n"
                   "Hata Nedeni: Veri Tabanı kullanımda veya zarar gördüğü için bozulmuş olabilir.");
const int kWarning = pv::vbOKOnly | pv::vbExclamation;

bool overwrite(const QString &path, qint64 offset, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::ReadWrite) && f.seek(offset) && f.write(bytes) == bytes.size();
}

// A shop with a long ledger; with `deleted`, most of it deleted again, so the file
// holds many free pages.
void fillLedger(Harness &h, bool deleted)
{
    QVERIFY(h.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
                   "INSERT INTO veresiye (Tarih, Turu, Aciklama, Eklenen, Tarih2, mus_kodu) "
                   "SELECT '10.12.2026', 'Satış', printf('Satış %0200d', i), i * 1.5, '20261210', "
                   "printf('M%04d', i % 50) FROM n"));
    QVERIFY(h.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 50) "
                   "INSERT INTO musteriler (mus_kodu, MusteriFirma) SELECT printf('M%04d', i), "
                   "printf('Müşteri %d', i) FROM n"));
    if (deleted)
        QVERIFY(h.exec("DELETE FROM veresiye WHERE id % 10 <> 0"));
}

// Every row of every table, in storage order.
QStringList snapshot(Harness &h)
{
    QStringList out;
    for (const auto &t : h.rows("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")) {
        const QString table = t[0].toString();
        out << QStringLiteral("[%1]").arg(table);
        for (const auto &r :
             h.rows(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(pv::Database::quoteName(table)))) {
            QStringList cells;
            for (const QVariant &v : r)
                cells << (v.isNull() ? QStringLiteral("<null>") : v.toString());
            out << cells.join(QLatin1Char('|'));
        }
    }
    return out;
}

// The byte offset of the root page of a table or index.
qint64 rootPageOffset(Harness &h, const QString &name)
{
    const qint64 page = h.value("SELECT rootpage FROM sqlite_master WHERE name = ?", {name}).toLongLong();
    const qint64 size = h.value("PRAGMA page_size").toLongLong();
    return (page - 1) * size;
}

// What PRAGMA integrity_check says of the file, or the error it stops with.
QString integrity(const QString &path)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        return QStringLiteral("cannot open");
    }
    pv::registerSqlFunctions(db);
    sqlite3_stmt *st = nullptr;
    QStringList rows;
    int rc = sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr);
    if (rc == SQLITE_OK)
        while ((rc = sqlite3_step(st)) == SQLITE_ROW)
            rows << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
    if (rc != SQLITE_DONE)
        rows << QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows.join(QLatin1Char('\n'));
}

bool leftovers(const QString &folder)
{
    return QFileInfo::exists(folder + "/Newtemp.mdb") || QFileInfo::exists(folder + "/Newtemp.mdb-journal") ||
           QFileInfo::exists(folder + "/pelvanor.dll-journal");
}

enum class Folder { Same, SymbolicLink, HardLink };

// The folder a second program runs from: the harness's own, or a second program folder
// whose database is a link to the harness's one.
QString programFolderFor(Harness &h, Folder kind)
{
    if (kind == Folder::Same)
        return h.folder();
    const QString folder = h.folder() + "/ikinci";
    const QString database = folder + "/pelvanor.dll";
    const bool linked = QDir().mkpath(folder) &&
                        (kind == Folder::SymbolicLink ? QFile::link(h.databasePath(), database)
                                                      : pv::test::hardLink(h.databasePath(), database));
    return linked ? folder : QString();
}

// hardLink: with a folder whose database is a hard link of this one. The file's own lock
// meets that name too; the repair program's instance lock, named by the resolved path,
// does not.
void addFolderRows(bool hardLink = true)
{
    QTest::addColumn<Folder>("kind");
    QTest::newRow("the same folder") << Folder::Same;
    QTest::newRow("a folder whose database links here") << Folder::SymbolicLink;
    if (hardLink)
        QTest::newRow("a folder whose database is a hard link of this one") << Folder::HardLink;
}

// A helper process of this test program.
void startHelper(QProcess &p, const QStringList &args)
{
    p.start(QCoreApplication::applicationFilePath(), args);
}

} // namespace

class TestRepair : public QObject
{
    Q_OBJECT

    std::unique_ptr<Harness> h;

    frmCompact &window()
    {
        frmCompact &f = pv::form<frmCompact>();
        if (!f.isVisible())
            f.Show();
        return f;
    }
    // Presses the compact button and lets the 1.6 s pass.
    void compactByWindow()
    {
        frmCompact &f = window();
        h->click(f.cmdCompact);
        h->advance(1600);
    }

private slots:
    void initTestCase() { repair::setUpProgram(); }
    // The repair program guards nothing: its compaction attaches the file it copies.
    void init() { h = std::make_unique<Harness>(Harness::Guard::Nothing); }
    void cleanup()
    {
        repair::setBeforeReplaceHook({});
        pv::unload<frmCompact>();
        h->settle();
        h.reset();
    }

    // ------------------------------------------------------------------ the file

    void files_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<bool>("succeeds");
        QTest::newRow("many deleted rows") << "deleted" << true;
        QTest::newRow("leftover temporary file") << "leftover" << true;
        QTest::newRow("statistics of an outside ANALYZE") << "analyze" << true;
        QTest::newRow("damaged index page") << "index" << true;
        QTest::newRow("damaged table page") << "table" << false;
        QTest::newRow("text file") << "text" << false;
        QTest::newRow("database of another program") << "foreign" << false;
    }
    void files()
    {
        QFETCH(QString, fixture);
        QFETCH(bool, succeeds);
        const QString db = h->databasePath();
        fillLedger(*h, fixture == "deleted" || fixture == "leftover");
        if (fixture == "analyze")
            QVERIFY(h->exec("ANALYZE"));
        const QStringList rowsBefore = snapshot(*h);
        const qint64 sizeBefore = QFileInfo(db).size();
        if (fixture == "leftover") {
            QVERIFY(writeFile(h->folder() + "/Newtemp.mdb", "an earlier run's copy"));
            QVERIFY(writeFile(h->folder() + "/Newtemp.mdb-journal", "and its journal"));
        }
        if (fixture == "index" || fixture == "table") {
            // An index of the program's own and one that keeps a column unique.
            const QStringList pages = fixture == "index"
                                          ? QStringList{"veresiye_mus_kodu", "sqlite_autoindex_musteriler_1"}
                                          : QStringList{"veresiye"};
            for (const QString &page : pages) {
                const qint64 at = rootPageOffset(*h, page);
                QVERIFY(at > 0);
                QVERIFY(overwrite(db, at, QByteArray(512, '\xFF')));
            }
            QVERIFY(integrity(db) != "ok");
        }
        if (fixture == "text")
            QVERIFY(writeFile(db, "Bu bir veri tabanı değil.\n"));
        if (fixture == "foreign") {
            QFile::remove(db);
            QVERIFY(writeFile(db, QByteArray())); // an empty file: a new database to SQLite
            QVERIFY(h->exec("CREATE TABLE notes (body TEXT); INSERT INTO notes VALUES ('x');"));
        }
        const QByteArray bytesBefore = fileBytes(db);

        h->expectMsgBox(succeeds ? db + kDone : kFailed, kWarning, "bvRepair");
        compactByWindow();

        QVERIFY(!leftovers(h->folder()));
        if (!succeeds) {
            QVERIFY(fileBytes(db) == bytesBefore);
            return;
        }
        QCOMPARE(integrity(h->databasePath()), QStringLiteral("ok"));
        QCOMPARE(snapshot(*h), rowsBefore);
        if (fixture == "deleted")
            QVERIFY2(QFileInfo(db).size() < sizeBefore / 2,
                     qPrintable(QString::number(QFileInfo(db).size())));
    }

    void hotJournalIsRolledBackFirst()
    {
        const QString db = h->databasePath();
        fillLedger(*h, false);
        const QStringList rowsBefore = snapshot(*h);
        // A writer dies inside its transaction, after part of it reached the file.
        QVERIFY(pv::test::killWhileWriting(db));
        QVERIFY(QFileInfo(db + "-journal").size() > 0);

        QCOMPARE(repair::compactDatabase(db), Outcome::Done);
        QVERIFY(!leftovers(h->folder()));
        QCOMPARE(integrity(h->databasePath()), QStringLiteral("ok"));
        QCOMPARE(snapshot(*h), rowsBefore);
    }

    void aDatabaseNamedLikeTheTemporaryFile()
    {
        const QString other = h->folder() + "/sub";
        QVERIFY(QDir().mkpath(other));
        QVERIFY(QFile::copy(h->databasePath(), other + "/Newtemp.mdb"));
        const QByteArray before = fileBytes(other + "/Newtemp.mdb");
        QCOMPARE(repair::compactDatabase(other + "/Newtemp.mdb"), Outcome::NotOurDatabase);
        QVERIFY(fileBytes(other + "/Newtemp.mdb") == before);
        QCOMPARE(repair::compactDatabase(other + "/missing.dll"), Outcome::Missing);
    }

    void theTemporaryFileGoesBesideTheDatabase()
    {
        // A file picked in another folder is rebuilt there, holding that file's lock.
        const QString other = h->folder() + "/elsewhere";
        QVERIFY(QDir().mkpath(other));
        QVERIFY(QFile::copy(h->databasePath(), other + "/pelvanor.dll"));
        bool seen = false;
        repair::setBeforeReplaceHook([&](const QString &temporary, const QString &original) {
            seen = true;
            QCOMPARE(temporary, QFileInfo(other).canonicalFilePath() + "/Newtemp.mdb");
            QCOMPARE(original, QFileInfo(other + "/pelvanor.dll").canonicalFilePath());
            QVERIFY(pv::fileLocked(other + "/pelvanor.dll"));
            QVERIFY(!pv::fileLocked(h->databasePath()));
        });
        QCOMPARE(repair::compactDatabase(other + "/pelvanor.dll"), Outcome::Done);
        QVERIFY(seen);
        QVERIFY(!QFileInfo::exists(other + "/Newtemp.mdb"));
        QVERIFY(!QFileInfo::exists(h->folder() + "/Newtemp.mdb"));
    }

    void theNewFileKeepsThePermissions()
    {
        const QString db = h->databasePath();
        QVERIFY(::chmod(QFile::encodeName(db).constData(), 0640) == 0);
        QCOMPARE(repair::compactDatabase(db), Outcome::Done);
        struct stat st {
        };
        QVERIFY(::stat(QFile::encodeName(db).constData(), &st) == 0);
        QCOMPARE(int(st.st_mode & 07777), 0640);
    }

    // ------------------------------------------------------------------ in use

    void mainProgramRunning_data() { addFolderRows(); }
    void mainProgramRunning()
    {
        // The main program runs on the harness's folder (a helper holding its locks and the
        // file); the repair program is started from the other folder.
        QFETCH(Folder, kind);
        const QString db = h->databasePath();
        const QString folder = programFolderFor(*h, kind);
        QVERIFY(!folder.isEmpty());
        const QByteArray before = fileBytes(db);
        struct stat file {
        };
        QVERIFY(::stat(QFile::encodeName(db).constData(), &file) == 0);
        QProcess main;
        startHelper(main, {"--main-program", h->folder()});
        QVERIFY(main.waitForReadyRead(10000));
        QCOMPARE(main.readLine().trimmed(), QByteArray("held"));

        pv::setProgramFolder(folder);
        h->expectMsgBox(kFailed, kWarning, "bvRepair");
        compactByWindow();
        pv::setProgramFolder(h->folder());
        QVERIFY(fileBytes(db) == before);
        QVERIFY(!leftovers(h->folder()) && !leftovers(folder));
        // Both folders still name the one file the main program runs on.
        struct stat there {
        };
        QVERIFY(::stat(QFile::encodeName(folder + "/pelvanor.dll").constData(), &there) == 0);
        QCOMPARE(there.st_ino, file.st_ino);

        main.closeWriteChannel();
        QVERIFY(main.waitForFinished(10000));
        QCOMPARE(repair::compactDatabase(db), Outcome::Done);
    }

    void anotherConnection_data()
    {
        QTest::addColumn<QString>("holder");
        QTest::newRow("exclusive transaction") << "exclusive";
        QTest::newRow("write transaction") << "immediate";
        QTest::newRow("a window of this process") << "handle";
    }
    void anotherConnection()
    {
        QFETCH(QString, holder);
        const QString db = h->databasePath();
        fillLedger(*h, true);
        const QByteArray before = fileBytes(db);
        sqlite3 *other = nullptr;
        pv::Database handle;
        if (holder == "handle") {
            QVERIFY(handle.open(db));
        } else {
            QCOMPARE(
                sqlite3_open_v2(QFile::encodeName(db).constData(), &other, SQLITE_OPEN_READWRITE, nullptr),
                SQLITE_OK);
            pv::registerSqlFunctions(other);
            const QByteArray begin = holder == "exclusive" ? "BEGIN EXCLUSIVE" : "BEGIN IMMEDIATE";
            QCOMPARE(sqlite3_exec(other, begin.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
            QCOMPARE(sqlite3_exec(other, "UPDATE kasa SET Aciklama = 'x'", nullptr, nullptr, nullptr),
                     SQLITE_OK);
        }
        QCOMPARE(repair::compactDatabase(db), Outcome::InUse);
        QVERIFY(!QFileInfo::exists(h->folder() + "/Newtemp.mdb"));
        if (other) {
            sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(other);
        }
        handle.close();
        QVERIFY(fileBytes(db) == before);
        QVERIFY(!pv::fileLocked(h->databasePath())); // the lock was let go
    }

    void theLockIsHeldWhileItWorks_data() { addFolderRows(); }
    void theLockIsHeldWhileItWorks()
    {
        QFETCH(Folder, kind);
        const QString db = h->databasePath();
        const QString folder = programFolderFor(*h, kind);
        QVERIFY(!folder.isEmpty());
        QByteArray started;
        repair::setBeforeReplaceHook([&](const QString &, const QString &) {
            QVERIFY(pv::fileLocked(folder + "/pelvanor.dll"));
            // The main program started now ends at its own instance check.
            QProcess main;
            startHelper(main, {"--main-program", folder});
            QVERIFY(main.waitForFinished(10000));
            started = main.readAllStandardOutput().trimmed();
        });
        QCOMPARE(repair::compactDatabase(db), Outcome::Done);
        QCOMPARE(started, QByteArray("refused"));
        QVERIFY(!pv::fileLocked(h->databasePath()));
    }

    // ------------------------------------------------------------------ replacing

    void theReplaceFails()
    {
        const QString db = h->databasePath();
        fillLedger(*h, true);
        const QByteArray before = fileBytes(db);
        repair::setBeforeReplaceHook(
            [](const QString &temporary, const QString &) { QFile::remove(temporary); });
        h->expectMsgBox(kFailed, kWarning, "bvRepair");
        compactByWindow();
        QVERIFY(fileBytes(db) == before);
        QVERIFY(!leftovers(h->folder()));
    }

    void theTemporaryFileCannotBeCleared()
    {
        // A folder stands where the temporary file must go.
        const QString db = h->databasePath();
        const QByteArray before = fileBytes(db);
        QVERIFY(QDir().mkpath(h->folder() + "/Newtemp.mdb/kept"));
        QCOMPARE(repair::compactDatabase(db), Outcome::TemporaryFile);
        QVERIFY(fileBytes(db) == before);
        QVERIFY(QFileInfo(h->folder() + "/Newtemp.mdb/kept").isDir());
    }

    // ------------------------------------------------------------------ the window

    void theWindowAsDesigned()
    {
        frmCompact &f = window();
        QCOMPARE(f.Caption(), QStringLiteral("Veri Tabanı Bakımı Yap"));
        QCOMPARE(f.cmdCompact->Caption(), QStringLiteral("Veri Tabanı Bakımı Yap"));
        QCOMPARE(f.cmdClose->Caption(), QStringLiteral(" Kapat"));
        QCOMPARE(f.cmdBrowse1->ToolTip(), QStringLiteral("GÖZAT"));
        QCOMPARE(f.lblPath1->text(), h->folder() + "/pelvanor.dll");
        QCOMPARE(f.lblCurrentSize->text(), QStringLiteral("Şuanki Veri Tabanı Boyutu:"));
        QCOMPARE(f.lblCompactedSize->text(), QStringLiteral("Bakımı Yapıldıktan Sonraki Boyut:"));
        QVERIFY(f.Opt[0]->isChecked());
        QCOMPARE(f.size(), QSize(490, 194));
        QCOMPARE(f.ProgressBar->Value(), 0);
        QVERIFY(!f.ProgressBar->AutoScroll());
        QCOMPARE(f.ProgressBar->Scrolling(), QuorvelXPProgressBar::ccScrollingSmooth);
        QCOMPARE(f.ProgressBar->Color(), QuorvelXPProgressBar::OleColor(0x0061DCCF));
        QVERIFY(f.ProgressBar->ShowText());
        QVERIFY(f.FrameFendrixon1->EnableGradient());
        QCOMPARE(f.FrameFendrixon1->BorderColor(), FrameFendrixon::OleColor(0x00A87E28));
        QCOMPARE(f.Timer1.Interval(), 1600);
        QVERIFY(!f.Timer1.Enabled());
        // The headings fit their labels, the current one with a size behind it.
        QVERIFY(f.lblCurrentSize->fontMetrics().horizontalAdvance(f.lblCurrentSize->text() + " 999999999") <=
                f.lblCurrentSize->width());
        QVERIFY(f.lblCompactedSize->fontMetrics().horizontalAdvance(f.lblCompactedSize->text()) <=
                f.lblCompactedSize->width());
        // What the user sees lies inside the window; the rest lies outside, as designed.
        const QRect client = f.rect();
        for (QWidget *w : QList<QWidget *>{f.cmdCompact, f.cmdClose, f.ProgressBar})
            QVERIFY(client.contains(QRect(w->mapTo(&f, QPoint(0, 0)), w->size())));
        for (QWidget *w :
             QList<QWidget *>{f.cmdBrowse1, f.lblPath1, f.lblCurrentSize, f.lblCompactedSize, f.Frame3})
            QVERIFY(!client.intersects(QRect(w->mapTo(&f, QPoint(0, 0)), w->size())));
    }

    void statesAcrossTheTimer()
    {
        frmCompact &f = window();
        h->click(f.cmdCompact);
        QVERIFY(f.ProgressBar->AutoScroll());
        QVERIFY(f.Timer1.Enabled());
        QVERIFY(f.cmdCompact->Enabled());
        QCOMPARE(h->advance(1599), 0); // nothing before the 1.6 s
        h->expectMsgBox(h->databasePath() + kDone, [&](const pv::MsgBoxCall &call) {
            [&] {
                QCOMPARE(call.title, QStringLiteral("bvRepair"));
                QCOMPARE(f.cmdCompact->Caption(), QStringLiteral("Lütfen bekleyin..."));
                QVERIFY(!f.cmdCompact->Enabled());
                QCOMPARE(f.cursor().shape(), Qt::WaitCursor);
                QVERIFY(!f.ProgressBar->AutoScroll());
                QCOMPARE(f.ProgressBar->Value(), 0);
                QVERIFY(!f.Timer1.Enabled());
            }();
            return pv::vbOK;
        });
        QCOMPARE(h->advance(1), 1);
        QCOMPARE(f.cmdCompact->Caption(), QStringLiteral("Şimdi Bakım Yap"));
        QVERIFY(f.cmdCompact->Enabled());
        QCOMPARE(f.cursor().shape(), Qt::ArrowCursor);
        QVERIFY(!f.ProgressBar->AutoScroll());
        QVERIFY(!f.Timer1.Enabled());
        QCOMPARE(h->advance(10000), 0);
    }

    void aSecondPressCompactsOnce()
    {
        frmCompact &f = window();
        int compactions = 0;
        repair::setBeforeReplaceHook([&](const QString &, const QString &) { ++compactions; });
        h->click(f.cmdCompact);
        h->advance(800);
        h->click(f.cmdCompact); // sets the same two values again
        h->expectMsgBox(h->databasePath() + kDone, kWarning, "bvRepair");
        QCOMPARE(h->advance(5000), 1);
        QCOMPARE(compactions, 1);
    }

    void noPathToCompact()
    {
        frmCompact &f = window();
        f.lblPath1->clear();
        const QByteArray before = fileBytes(h->databasePath());
        h->expectMsgBox("Lütfen veritabanını seçin.", kWarning, "bvRepair");
        compactByWindow();
        QCOMPARE(f.cmdCompact->Caption(), QStringLiteral("Şimdi Bakım Yap"));
        QVERIFY(f.cmdCompact->Enabled());
        QVERIFY(!f.Timer1.Enabled());
        QVERIFY(!f.ProgressBar->AutoScroll());
        QVERIFY(fileBytes(h->databasePath()) == before);
    }

    void browse_data()
    {
        QTest::addColumn<QString>("picked"); // relative to the folder; "" cancels
        QTest::addColumn<bool>("taken");
        QTest::newRow("cancel") << "" << false;
        QTest::newRow("a database") << "other.dll" << true;
        QTest::newRow("a file that is gone") << "gone.dll" << false;
    }
    void browse()
    {
        QFETCH(QString, picked);
        QFETCH(bool, taken);
        frmCompact &f = window();
        QVERIFY(writeFile(h->folder() + "/other.dll", QByteArray(1234, 'x')));
        const QString path = picked.isEmpty() ? QString() : h->folder() + "/" + picked;
        const QString pathBefore = f.lblPath1->text();
        f.lblCurrentSize->setText("Şuanki Veri Tabanı Boyutu: 99"); // an earlier pick
        h->expectOpenFile(path);
        if (!picked.isEmpty() && !taken)
            h->expectMsgBox("Lütfen veritabanını seçin.", kWarning, "bvRepair");
        h->click(f.cmdBrowse1);
        QCOMPARE(h->pickerCalls().size(), 1);
        QCOMPARE(h->pickerCalls().first().filter, QStringLiteral("Pelvanor (*.dll)|*.dll"));
        if (taken) {
            QCOMPARE(f.lblPath1->text(), path);
            QCOMPARE(f.lblCurrentSize->text(), QStringLiteral("Şuanki Veri Tabanı Boyutu: 1234"));
        } else {
            QCOMPARE(f.lblPath1->text(), pathBefore);
            QCOMPARE(f.lblCurrentSize->text(), QStringLiteral("Şuanki Veri Tabanı Boyutu: 99"));
        }
        QCOMPARE(f.lblCompactedSize->text(), QStringLiteral("Bakımı Yapıldıktan Sonraki Boyut:"));
    }

    void closeStartsTheMainProgram_data()
    {
        QTest::addColumn<bool>("starts");
        QTest::newRow("started") << true;
        QTest::newRow("cannot start, not reported") << false;
    }
    void closeStartsTheMainProgram()
    {
        QFETCH(bool, starts);
        h->setLaunchResult(starts);
        frmCompact &f = window();
        bool lockFree = false;
        pv::setLaunchHandler([&](const QString &) {
            lockFree = !pv::fileLocked(h->databasePath());
            return starts;
        });
        h->click(f.cmdClose);
        pv::setLaunchHandler({});
        h->settle();
        QVERIFY(lockFree);
        QVERIFY(!pv::isLoaded<frmCompact>());
        QCOMPARE(h->msgBoxes().size(), 0);
    }

    void closeStartsTheProgramBesideIt()
    {
        frmCompact &f = window();
        h->click(f.cmdClose);
        h->settle();
        QCOMPARE(h->launches(), QStringList{h->folder() + "/Pelvanor"});
    }

    void theCloseBoxStartsNothing()
    {
        frmCompact &f = window();
        f.close();
        h->settle();
        QVERIFY(!pv::isLoaded<frmCompact>());
        QCOMPARE(h->launches(), QStringList());
    }

    void aSecondRepairProgramEndsSilently_data() { addFolderRows(false); }
    void aSecondRepairProgramEndsSilently()
    {
        QFETCH(Folder, kind);
        const QString folder = programFolderFor(*h, kind);
        QVERIFY(!folder.isEmpty());
        QProcess first;
        startHelper(first, {"--run-repair", h->folder()});
        QVERIFY(first.waitForReadyRead(20000));
        QCOMPARE(first.readLine().trimmed(), QByteArray("shown"));
        QProcess second;
        startHelper(second, {"--run-repair", folder});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(second.readAllStandardOutput().trimmed(), QByteArray("ended"));
        first.kill();
        QVERIFY(first.waitForFinished(10000));
    }
};

// Helper mode: the repair program as it starts on a folder.
static int runRepair(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    pv::setProgramFolder(QString::fromLocal8Bit(argv[2]));
    if (!repair::startProgram()) {
        std::cout << "ended" << std::endl;
        return 0;
    }
    std::cout << (pv::form<frmCompact>().isVisible() ? "shown" : "hidden") << std::endl;
    QTimer::singleShot(30000, &app, &QCoreApplication::quit);
    return app.exec();
}

int main(int argc, char **argv)
{
    if (argc >= 3 && QByteArray(argv[1]) == "--main-program") {
        // The main program on a folder: its instance lock and the database open.
        pv::Database db;
        return pv::test::holdMainProgram(argc, argv, [&] { return db.open(pv::databasePath()); });
    }
    if (argc >= 3 && QByteArray(argv[1]) == "--die-writing")
        return pv::test::dieWriting(argc, argv);
    if (argc >= 3 && QByteArray(argv[1]) == "--run-repair")
        return runRepair(argc, argv);
    QApplication app(argc, argv);
    TestRepair t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_repair.moc"
