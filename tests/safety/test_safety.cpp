// The database file at start-up and across a restore: damaged, read-only and locked files
// are told before anything is written, and a restored file that does not open gives the
// old one back. Backups leave no part files behind.
#include "app/accounts/musteriekle.h"
#include "app/admin/CopyFile.h"
#include "app/reports/AppReports.h"
#include "app/shell/frmLogin.h"
#include "app/shell/frmSplash.h"
#include "app/shell/veresiye.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "database/DbScripts.h"
#include "platform/data/Database.h"
#include "platform/data/ProgramDatabase.h"
#include "platform/data/Recordset.h"
#include "platform/forms/Program.h"
#include "platform/report/Report.h"
#include "tests/harness/CrashWriter.h"
#include "tests/harness/Harness.h"
#include "tests/harness/InstanceHelper.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QtTest>

#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using pv::test::fileBytes;
using pv::test::hardLink;
using pv::test::Harness;
using pv::test::writeFile;

namespace
{

// Zeroes one page in the middle of the file (a page of tables' rows, not the header).
bool zeroAPage(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite))
        return false;
    const qint64 page = 4096;
    if (f.size() < 4 * page)
        return false;
    f.seek(f.size() / page / 2 * page);
    return f.write(QByteArray(page, '\0')) == page;
}

QString backup(Harness &h, const QString &name)
{
    QDir(h.folder()).mkpath(QStringLiteral("yedek"));
    const QString path = h.folder() + QStringLiteral("/yedek/") + name;
    return ui::copyDatabase(pv::databasePath(), path, QStringLiteral("Dikkat"), nullptr,
                            ui::CopyKind::Backup) > 0
               ? path
               : QString();
}

// The restore window from the main window's menu up to "Geri Yükle", with saved picked and
// (when the copy gets that far) the replacing of the live file agreed to.
CopyFile &pickForRestore(Harness &h, const QString &saved, bool askedToReplace = true)
{
    frmSplash::backupWindow().openForRestore(QString());
    CopyFile &c = frmSplash::backupWindow();
    h.click(c.VornXPButton1);
    h.expectOpenFile(saved);
    h.click(c.MyButton3);
    if (askedToReplace)
        h.expectMsgBoxContaining(QStringLiteral("Dosyası zaten var."), pv::vbYes);
    return c;
}

// A few hundred ledger rows, so that a write with a tiny page cache reaches the file
// before its commit.
void fillLedger(Harness &h)
{
    QVERIFY(h.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                   "INSERT INTO veresiye (Tarih, Turu, Aciklama, Eklenen, Tarih2, mus_kodu) "
                   "SELECT '10.12.2026', 'Satış', printf('Satış %0200d', i), i * 1.5, '20261210', "
                   "printf('M%04d', i % 50) FROM n"));
}

// The rows fillLedger made are all there, none of them touched by the broken write.
void ledgerAsBeforeTheCrash(Harness &h)
{
    QCOMPARE(h.value("SELECT count(*) FROM veresiye").toInt(), 300);
    QCOMPARE(h.value("SELECT count(*) FROM veresiye WHERE Aciklama = 'yarım kalan'").toInt(), 0);
}

// The two openings of a file after a crash: the database at start-up, a backup restored.
void addOpeningRows()
{
    QTest::addColumn<bool>("restore");
    QTest::newRow("the database at start-up") << false;
    QTest::newRow("a backup being restored") << true;
}

// Neither a file nor its folder may be written, whoever runs the test.
struct NothingWritable {
    NothingWritable()
    {
        pv::setWritableCheck([](const QString &) { return false; });
    }
    ~NothingWritable() { pv::setWritableCheck({}); }
};

// The check runs in a child process of an ordinary user, because the super-user may
// write any file whatever its permissions; its answer is the exit code.
int asOrdinaryUser(const std::function<int()> &check)
{
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(100);
        _exit(check());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

const QString kBackupNeedsRollBack =
    QStringLiteral("Seçilen dosyada yarım kalmış bir kayıt var; hiçbir şey değiştirilmedi.\n\nDosya ve "
                   "bulunduğu klasör yazılabilir olduğunda yarım kayıt geri alınır ve dosya geri "
                   "yüklenebilir.");

} // namespace

class TestSafety : public QObject
{
    Q_OBJECT
private slots:
    void damagedFileAtStart_data();
    void damagedFileAtStart();
    void lockedFileAtStart();
    void readOnlyAtStart_data();
    void readOnlyAtStart();
    void readOnlyWarningHoldsTheHandOver();
    void crashDuringAWrite_data();
    void crashDuringAWrite();
    void crashJournalOnAFileNobodyMayWrite_data();
    void crashJournalOnAFileNobodyMayWrite();
    void crashJournalThatCannotBeRolledBack_data();
    void crashJournalThatCannotBeRolledBack();
    void leftoversGoAtStart_data();
    void leftoversGoAtStart();
    void aSecondStartFromAHardLinkedFolder_data();
    void aSecondStartFromAHardLinkedFolder();
    void aSecondStartAfterARestore();
    void saveWhileAnotherProgramWrites();
    void restoredFileThatDoesNotOpenGivesTheOldOneBack();
    void restoredFileThatOpensDropsTheOldOne();
    void stalePartFilesGoWithTheNextBackup();
    void programsOwnBackupsPass();

    void unreadRowIsNotAnEmptyRow();
    void mainListReadFailsAtActivation();
    void mainTotalsReadFails();
    void reportReadFails();
    void customerNumberReadFails();
};

void TestSafety::damagedFileAtStart_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("end") << int(pv::vbNo);
    QTest::newRow("restore now") << int(pv::vbYes);
}

void TestSafety::damagedFileAtStart()
{
    QFETCH(int, answer);
    Harness h;
    QVERIFY(zeroAPage(h.databasePath()));
    const QByteArray damaged = fileBytes(h.databasePath());
    h.expectMsgBox(QStringLiteral("Veri tabanı dosyası zarar görmüş: ") +
                       QDir::toNativeSeparators(h.databasePath()) +
                       QStringLiteral("\n\nBir yedekten şimdi geri yüklemek ister misiniz? (Hayır: program "
                                      "kapatılır)"),
                   pv::vbYesNo | pv::vbCritical, QStringLiteral("Hata"), answer);
    pv::form<frmSplash>().Show(pv::Form::Modeless);
    h.settle();
    // Nothing read on: no main window, no day counts, the file as it was.
    QVERIFY(!pv::isLoaded<veresiye>());
    QCOMPARE(fileBytes(h.databasePath()), damaged);
    QVERIFY(!QFile::exists(h.databasePath() + QStringLiteral("-journal")));
    if (answer == pv::vbNo) {
        QVERIFY(h.programEnded());
        return;
    }
    QVERIFY(!h.programEnded());
    QVERIFY(pv::isLoaded<CopyFile>());
    CopyFile &c = frmSplash::backupWindow();
    QVERIFY(c.restoreMode());
    QVERIFY(c.geriyuklefrm->isVisible());
}

void TestSafety::lockedFileAtStart()
{
    Harness h;
    // Another program holds the file with a write lock of its own.
    sqlite3 *other = nullptr;
    QCOMPARE(sqlite3_open(h.databasePath().toUtf8().constData(), &other), SQLITE_OK);
    QCOMPARE(
        sqlite3_exec(other, "BEGIN EXCLUSIVE; UPDATE surum SET surum = surum;", nullptr, nullptr, nullptr),
        SQLITE_OK);
    const QByteArray before = fileBytes(h.databasePath());
    h.expectMsgBoxContaining(
        QStringLiteral("Veri tabanı dosyası başka bir program tarafından kullanılıyor: ") +
        QDir::toNativeSeparators(h.databasePath()));
    pv::form<frmSplash>();
    QVERIFY(h.programEnded());
    QCOMPARE(h.msgBoxes().first().title, QStringLiteral("Hata"));
    QVERIFY(!h.msgBoxes().first().text.contains(QLatin1String("açılamadı")));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    QCOMPARE(fileBytes(h.databasePath()), before);
}

void TestSafety::readOnlyAtStart_data()
{
    QTest::addColumn<bool>("folder");
    QTest::newRow("file") << false;
    QTest::newRow("folder") << true;
}

void TestSafety::readOnlyAtStart()
{
    QFETCH(bool, folder);
    Harness h;
    const QByteArray path = QFile::encodeName(h.databasePath());
    const QByteArray dir = QFile::encodeName(h.folder());
    QCOMPARE(int(pv::databaseState(h.databasePath())), int(pv::DatabaseState::Usable));
    // The file readable by all, and the file or its folder writable by nobody.
    chmod(path.constData(), folder ? 0666 : 0444);
    chmod(dir.constData(), folder ? 0555 : 0777);
    QCOMPARE(asOrdinaryUser([&] { return int(pv::databaseState(h.databasePath())); }),
             int(pv::DatabaseState::ReadOnly));
    if (geteuid() != 0) {
        const QByteArray before = fileBytes(h.databasePath());
        h.expectMsgBox(QStringLiteral("Veri tabanı dosyası salt okunur: ") +
                           QDir::toNativeSeparators(h.databasePath()) +
                           QStringLiteral(". Kayıtlar yapılamaz."),
                       pv::vbExclamation, QStringLiteral("Dikkat"));
        pv::form<frmSplash>();
        QVERIFY(!h.programEnded());
        QCOMPARE(fileBytes(h.databasePath()), before);
    }
    chmod(dir.constData(), 0700);
    chmod(path.constData(), 0644);
}

// The warning about a read-only file is answered before the main window and the login
// come: the splash's three seconds do not run while it waits.
void TestSafety::readOnlyWarningHoldsTheHandOver()
{
    Harness h;
    NothingWritable readOnly;
    bool coveredMeanwhile = true;
    h.expectMsgBox(QStringLiteral("Veri tabanı dosyası salt okunur: ") +
                       QDir::toNativeSeparators(h.databasePath()) + QStringLiteral(". Kayıtlar yapılamaz."),
                   [&](const pv::MsgBoxCall &) {
                       h.advance(10000); // the user reads it for a while
                       h.settle();
                       coveredMeanwhile = pv::isLoaded<veresiye>() || pv::isLoaded<frmLogin>();
                       return int(pv::vbOK);
                   });
    frmSplash &s = pv::form<frmSplash>();
    s.Show();
    QVERIFY(!coveredMeanwhile);
    QVERIFY(!s.isClosing());
    // Then the start goes on as always.
    QCOMPARE(h.advance(2999), 0);
    QVERIFY(!pv::isLoaded<veresiye>());
    h.onModal<frmLogin>([&](frmLogin &f) { h.click(f.cmdClose); });
    QCOMPARE(h.advance(1), 1);
    h.settle();
    QVERIFY(h.programEnded());
}

void TestSafety::crashDuringAWrite_data()
{
    addOpeningRows();
}

// A program killed in the middle of a write (or a power cut) leaves a journal that must be
// rolled back: the file is sound, and the next opening rolls it back and goes on.
void TestSafety::crashDuringAWrite()
{
    QFETCH(bool, restore);
    Harness h;
    fillLedger(h);
    const QString version = h.value("SELECT surum FROM surum").toString();
    const QString file = restore ? backup(h, QStringLiteral("e.ydk")) : h.databasePath();
    QVERIFY(!file.isEmpty());
    if (restore)
        QVERIFY(h.exec(QStringLiteral("DELETE FROM veresiye")));
    QVERIFY(pv::test::killWhileWriting(file));
    QVERIFY(QFileInfo(file + QStringLiteral("-journal")).size() > 0);

    if (restore) {
        CopyFile &c = pickForRestore(h, file);
        h.expectMsgBoxContaining(QStringLiteral("Yedek dosyasından yükleme yapıldı."));
        h.click(c.Command3);
        h.settle();
        QVERIFY(pv::isLoaded<frmSplash>());
    } else {
        pv::form<frmSplash>().Show(pv::Form::Modeless);
        h.settle();
        QCOMPARE(pv::form<frmSplash>().Label8->text(), version);
    }
    QVERIFY(!h.programEnded());
    QVERIFY(!QFile::exists(file + QStringLiteral("-journal")));
    QCOMPARE(int(pv::databaseState(h.databasePath())), int(pv::DatabaseState::Usable));
    ledgerAsBeforeTheCrash(h);
}

void TestSafety::crashJournalOnAFileNobodyMayWrite_data()
{
    QTest::addColumn<bool>("folder");
    QTest::newRow("file") << false;
    QTest::newRow("folder") << true;
}

// The journal cannot be rolled back: the file is told apart from a damaged or foreign one,
// and nothing is touched.
void TestSafety::crashJournalOnAFileNobodyMayWrite()
{
    QFETCH(bool, folder);
    Harness h;
    fillLedger(h);
    const QString path = h.databasePath();
    QVERIFY(pv::test::killWhileWriting(path));
    const QByteArray before = fileBytes(path), journal = fileBytes(path + QStringLiteral("-journal"));
    QVERIFY(!journal.isEmpty());
    const QByteArray file = QFile::encodeName(path), dir = QFile::encodeName(h.folder());
    chmod(file.constData(), folder ? 0666 : 0444);
    chmod(dir.constData(), folder ? 0555 : 0777);
    QCOMPARE(asOrdinaryUser([&] { return int(pv::databaseState(path)); }),
             int(pv::DatabaseState::NeedsRollBack));
    QCOMPARE(asOrdinaryUser([&] { return int(pv::checkProgramDatabase(path, pv::schemaSql())); }),
             int(pv::ProgramFile::NeedsRollBack));
    chmod(dir.constData(), 0700);
    chmod(file.constData(), 0644);
    QCOMPARE(fileBytes(path), before);
    QCOMPARE(fileBytes(path + QStringLiteral("-journal")), journal);
}

void TestSafety::crashJournalThatCannotBeRolledBack_data()
{
    addOpeningRows();
}

// What the user is told when the journal cannot be rolled back: the file and its folder
// must become writable; the file is neither called damaged nor anything else touched.
void TestSafety::crashJournalThatCannotBeRolledBack()
{
    QFETCH(bool, restore);
    Harness h;
    fillLedger(h);
    const QString file = restore ? backup(h, QStringLiteral("f.ydk")) : h.databasePath();
    QVERIFY(pv::test::killWhileWriting(file));
    const QByteArray live = fileBytes(h.databasePath()), before = fileBytes(file),
                     journal = fileBytes(file + QStringLiteral("-journal"));
    NothingWritable readOnly;
    if (restore) {
        CopyFile &c = pickForRestore(h, file, false);
        h.expectMsgBox(kBackupNeedsRollBack, pv::vbCritical, QStringLiteral("Hata"));
        h.click(c.Command3);
        QVERIFY(c.btnKapat->isVisible()); // the user may pick another file or leave
        QVERIFY(!QFile::exists(pv::previousDatabasePath(h.databasePath())));
    } else {
        h.expectMsgBox(QStringLiteral("Veri tabanı dosyasında yarım kalmış bir kayıt var: ") +
                           QDir::toNativeSeparators(file) +
                           QStringLiteral("\n\nDosya ve bulunduğu klasör yazılabilir olduğunda yarım kayıt "
                                          "geri alınır ve dosya açılır. Program kapatılacak."),
                       pv::vbCritical, QStringLiteral("Hata"));
        pv::form<frmSplash>();
        QVERIFY(h.programEnded());
        QVERIFY(!pv::isLoaded<veresiye>());
    }
    QCOMPARE(fileBytes(h.databasePath()), live);
    QCOMPARE(fileBytes(file), before);
    QCOMPARE(fileBytes(file + QStringLiteral("-journal")), journal);
}

void TestSafety::leftoversGoAtStart_data()
{
    QTest::addColumn<QString>("start");
    QTest::newRow("from the database's folder") << "here";
    QTest::newRow("from a folder whose database links there") << "linked";
    QTest::newRow("while a compaction holds the file") << "compacting";
    QTest::newRow("while the program runs from a hard-linked folder") << "running";
}

// A compaction killed on its way leaves its copy (as large as the database) beside the
// file, a restore killed while copying its part file beside the program folder's database;
// the main program removes them once it holds the instance lock.
void TestSafety::leftoversGoAtStart()
{
    QFETCH(QString, start);
    Harness h;
    const QString copy = h.folder() + QStringLiteral("/Newtemp.mdb");
    QVERIFY(QFile::copy(h.databasePath(), copy));
    QVERIFY(writeFile(copy + QStringLiteral("-journal"), "yarım"));
    // Another folder's own file of that name is no leftover of this database.
    const QString linked = h.folder() + QStringLiteral("/ikinci");
    QVERIFY(QDir().mkpath(linked));
    QVERIFY(QFile::link(h.databasePath(), linked + QStringLiteral("/pelvanor.dll")));
    QVERIFY(writeFile(linked + QStringLiteral("/Newtemp.mdb"), "başka"));
    const QString folder = start == QLatin1String("linked") ? linked : h.folder();
    const QString part = folder + QStringLiteral("/.pelvanor.dll.part");
    QVERIFY(QFile::copy(h.databasePath(), part));
    QVERIFY(writeFile(part + QStringLiteral("-journal"), "yarım"));
    // A backup of the user's own beside it stays.
    QVERIFY(writeFile(folder + QStringLiteral("/.yedek.ydk"), "kalsın"));
    pv::setProgramFolder(folder);
    std::unique_ptr<pv::FileLock> compaction;
    if (start == QLatin1String("compacting"))
        compaction = std::make_unique<pv::FileLock>(h.databasePath());
    QProcess running;
    const QString hardLinked = h.folder() + QStringLiteral("/ucuncu");
    if (start == QLatin1String("running")) {
        QVERIFY(QDir().mkpath(hardLinked));
        QVERIFY(hardLink(h.databasePath(), hardLinked + QStringLiteral("/pelvanor.dll")));
        running.start(QCoreApplication::applicationFilePath(), {"--main-program", hardLinked});
        QVERIFY(running.waitForReadyRead(10000));
        QCOMPARE(running.readLine().trimmed(), QByteArray("held"));
    }
    pv::form<frmSplash>();
    pv::setProgramFolder(h.folder());
    const bool removed = start == QLatin1String("here") || start == QLatin1String("linked");
    QCOMPARE(h.programEnded(), !removed);
    QCOMPARE(h.msgBoxes().size(), 0);
    for (const QString &leftover : {copy, part})
        for (const QString &file : {leftover, leftover + QStringLiteral("-journal")})
            QVERIFY2(QFile::exists(file) != removed, qPrintable(file));
    QCOMPARE(fileBytes(linked + QStringLiteral("/Newtemp.mdb")), QByteArray("başka"));
    QCOMPARE(fileBytes(folder + QStringLiteral("/.yedek.ydk")), QByteArray("kalsın"));
    running.closeWriteChannel();
    running.waitForFinished(10000);
}

void TestSafety::aSecondStartFromAHardLinkedFolder_data()
{
    QTest::addColumn<bool>("thisFirst");
    QTest::newRow("this start first, another from the linked folder") << true;
    QTest::newRow("another start first, this one from the linked folder") << false;
}

// Two program folders whose databases are one file through a hard link: the second start,
// from either folder, ends before it shows anything, and the first keeps running.
void TestSafety::aSecondStartFromAHardLinkedFolder()
{
    QFETCH(bool, thisFirst);
    Harness h;
    const QString linked = h.folder() + QStringLiteral("/ikinci");
    QVERIFY(QDir().mkpath(linked));
    QVERIFY(hardLink(h.databasePath(), linked + QStringLiteral("/pelvanor.dll")));
    QProcess other;
    if (thisFirst) {
        pv::form<frmSplash>().Show(pv::Form::Modeless);
        QVERIFY(!h.programEnded());
        other.start(QCoreApplication::applicationFilePath(), {"--main-program", linked});
        QVERIFY(other.waitForFinished(10000));
        QCOMPARE(other.readAllStandardOutput().trimmed(), QByteArray("refused"));
        QVERIFY(pv::isLoaded<frmSplash>());
        return;
    }
    other.start(QCoreApplication::applicationFilePath(), {"--main-program", h.folder()});
    QVERIFY(other.waitForReadyRead(10000));
    QCOMPARE(other.readLine().trimmed(), QByteArray("held"));
    pv::setProgramFolder(linked);
    pv::form<frmSplash>().Show(pv::Form::Modeless);
    pv::setProgramFolder(h.folder());
    h.settle();
    QVERIFY(h.programEnded());
    QCOMPARE(h.msgBoxes().size(), 0);
    QVERIFY(!pv::isLoaded<veresiye>());
    other.closeWriteChannel();
    QVERIFY(other.waitForFinished(10000));
}

// A restore puts a new file in place of the database: the program takes that file's lock
// before its start-up runs again, so a start on the restored file from a folder linked to
// it is refused, and the replaced file is let go of once it is removed.
void TestSafety::aSecondStartAfterARestore()
{
    Harness h;
    // The program as it runs: its start-up took the locks.
    pv::form<frmSplash>();
    QVERIFY(!h.programEnded());
    pv::discardAllForms(true);
    const QString saved = backup(h, QStringLiteral("g.ydk"));
    QVERIFY(!saved.isEmpty());
    const QString linked = h.folder() + QStringLiteral("/ikinci");
    QVERIFY(QDir().mkpath(linked));
    const QString linkedDatabase = linked + QStringLiteral("/pelvanor.dll");
    const auto startFromTheLinkedFolder = [&] {
        QFile::remove(linkedDatabase);
        if (!hardLink(h.databasePath(), linkedDatabase))
            return QByteArray("no link");
        QProcess other;
        other.start(QCoreApplication::applicationFilePath(), {"--main-program", linked});
        other.waitForFinished(10000);
        return other.readAllStandardOutput().trimmed();
    };
    CopyFile &c = pickForRestore(h, saved);
    QByteArray whileTold;
    h.expectMsgBox(QDir::toNativeSeparators(h.databasePath()) +
                       QStringLiteral("\n\nYedek dosyasından yükleme yapıldı."),
                   [&](const pv::MsgBoxCall &) {
                       whileTold = startFromTheLinkedFolder();
                       return int(pv::vbOK);
                   });
    h.click(c.Command3);
    h.settle();
    QVERIFY(pv::isLoaded<frmSplash>());
    QVERIFY(!h.programEnded());
    QCOMPARE(whileTold, QByteArray("refused"));
    QCOMPARE(startFromTheLinkedFolder(), QByteArray("refused"));
    QVERIFY(!QFile::exists(pv::previousDatabasePath(h.databasePath())));
    // No descriptor of this process keeps the removed database's space.
    for (const QFileInfo &fd :
         QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::Files | QDir::System))
        QVERIFY2(!fd.symLinkTarget().startsWith(pv::previousDatabasePath(h.databasePath())),
                 qPrintable(fd.symLinkTarget()));
}

// A save while another program holds a write lock is refused with a Turkish reason, and
// nothing is written.
void TestSafety::saveWhileAnotherProgramWrites()
{
    Harness h;
    // The program's one connection on the file waits briefly here (5 s by design).
    pv::Database program;
    QVERIFY(program.open(h.databasePath()));
    sqlite3_busy_timeout(program.handle(), 50);
    musteriekle &c = pv::form<musteriekle>();
    c.txtYetki = QStringLiteral("0");
    c.Show();
    h.settle();
    h.type(c.xpText2, QStringLiteral("Ahmet Yılmaz"));
    h.type(c.xpText3, QStringLiteral("0212 555 44 33"));
    h.type(c.xpText4, QStringLiteral("Çarşı Cad. No 5"));
    sqlite3 *other = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(h.databasePath()).constData(), &other), SQLITE_OK);
    QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    h.expectMsgBox(QStringLiteral("Müşteri kaydedilemedi.\nVeri tabanı dosyası başka bir program tarafından "
                                  "kullanılıyor; biraz sonra yeniden deneyin."),
                   pv::vbCritical, QStringLiteral("Hata"));
    h.click(c.kaydet);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    QVERIFY(pv::isLoaded<musteriekle>()); // the card stays for another try
    QCOMPARE(c.xpText2->text(), QStringLiteral("Ahmet Yılmaz"));
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM musteriler")).toInt(), 0);
}

// A restored file that passed every check but does not open at the next start (here it
// is damaged on disk right after the copy): the replaced database comes back.
void TestSafety::restoredFileThatDoesNotOpenGivesTheOldOneBack()
{
    Harness h;
    const QString saved = backup(h, QStringLiteral("a.ydk"));
    QVERIFY(!saved.isEmpty());
    h.exec(QStringLiteral("INSERT INTO birimler (birimadi) VALUES ('Sonradan')"));
    const QByteArray live = fileBytes(h.databasePath());
    CopyFile &c = pickForRestore(h, saved);
    bool keptBeside = false;
    h.expectMsgBox(QDir::toNativeSeparators(h.databasePath()) +
                       QStringLiteral("\n\nYedek dosyasından yükleme yapıldı."),
                   [&](const pv::MsgBoxCall &) {
                       // The old database waits beside the restored one.
                       keptBeside = fileBytes(pv::previousDatabasePath(h.databasePath())) == live;
                       zeroAPage(h.databasePath());
                       return int(pv::vbOK);
                   });
    h.expectMsgBox(QStringLiteral("Geri yüklenen veri tabanı açılamadı:\n") +
                       QDir::toNativeSeparators(h.databasePath()) +
                       QStringLiteral("\n\nÖnceki veri tabanı geri konuldu."),
                   pv::vbCritical, QStringLiteral("Hata"));
    h.click(c.Command3);
    h.settle();
    QVERIFY(keptBeside);
    QCOMPARE(fileBytes(h.databasePath()), live);
    QVERIFY(!QFile::exists(pv::previousDatabasePath(h.databasePath())));
    // The start-up goes on with the old database.
    QVERIFY(pv::isLoaded<frmSplash>());
    QVERIFY(!h.programEnded());
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM birimler WHERE birimadi = 'Sonradan'")).toInt(), 1);
}

void TestSafety::restoredFileThatOpensDropsTheOldOne()
{
    Harness h;
    const QString saved = backup(h, QStringLiteral("b.ydk"));
    h.exec(QStringLiteral("INSERT INTO birimler (birimadi) VALUES ('Sonradan')"));
    CopyFile &c = pickForRestore(h, saved);
    h.expectMsgBoxContaining(QStringLiteral("Yedek dosyasından yükleme yapıldı."));
    h.click(c.Command3);
    h.settle();
    QVERIFY(pv::isLoaded<frmSplash>());
    QVERIFY(!QFile::exists(pv::previousDatabasePath(h.databasePath())));
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM birimler WHERE birimadi = 'Sonradan'")).toInt(), 0);
    QCOMPARE(QDir(h.folder()).entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden), QStringList());
}

void TestSafety::stalePartFilesGoWithTheNextBackup()
{
    Harness h;
    QDir(h.folder()).mkpath(QStringLiteral("yedek"));
    const QString folder = h.folder() + QStringLiteral("/yedek/");
    // Left by backups that were broken off, and a file of the user's that stays.
    const QStringList stale{QStringLiteral(".BrennavikPelvanor_Yedek_01-12-26(10-00-00).ydk.part"),
                            QStringLiteral(".BrennavikPelvanor_Yedek_01-12-26(10-00-00).ydk.part-journal"),
                            QStringLiteral(".data.ydk.part")};
    for (const QString &name : stale)
        QVERIFY(writeFile(folder + name, QByteArray(8192, 'x')));
    QVERIFY(writeFile(folder + QStringLiteral(".notlar.txt"), "kalsın"));
    QVERIFY(!backup(h, QStringLiteral("c.ydk")).isEmpty());
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             (QStringList{QStringLiteral(".notlar.txt"), QStringLiteral("c.ydk")}));
}

void TestSafety::programsOwnBackupsPass()
{
    Harness h;
    const QString saved = backup(h, QStringLiteral("d.ydk"));
    QString reason;
    QVERIFY2(pv::isProgramDatabase(saved, pv::schemaSql(), &reason), qPrintable(reason));
    QVERIFY2(pv::isProgramDatabase(h.databasePath(), pv::schemaSql(), &reason), qPrintable(reason));
    const QByteArray before = fileBytes(saved);
    QVERIFY(!pv::isProgramDatabase(saved + QStringLiteral(".yok"), pv::schemaSql(), &reason));
    QCOMPARE(fileBytes(saved), before);
}

// The columns of a customer of this kind in the group GENEL, last moved on 03.12.2026 (day
// count 1), with this balance.
QVariantMap accountColumns(const QString &turu, double balance)
{
    return pv::test::lastMoved({{QStringLiteral("Turu"), turu},
                                {QStringLiteral("MusGrup"), QStringLiteral("GENEL")},
                                {QStringLiteral("Gun"), 1},
                                {QStringLiteral("Bakiye"), balance}});
}

// The data layer tells a row it could not read from a row that is gone.
void TestSafety::unreadRowIsNotAnEmptyRow()
{
    Harness h;
    QVERIFY(h.exec(QStringLiteral("INSERT INTO birimler (birimadi) VALUES ('Adet'), ('Kilo')")));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    pv::Recordset rs(db, QStringLiteral("birimler")); // a table: rows read when first looked at
    // Another set of the same rows, none looked at yet (a look reads the rows after it along).
    pv::Recordset unread(db, QStringLiteral("birimler"));
    QVERIFY(rs.RecordCount() >= 2);
    const int first = rs.RecordCount() - 2;
    QVERIFY(db.exec(QStringLiteral("DELETE FROM birimler WHERE birimadi = 'Adet'")));
    QVERIFY(!rs.valueAt(first, 0).isValid());
    QVERIFY(!rs.readError()); // gone: no failure
    QCOMPARE(rs.valueAt(first + 1, 0).toString(), QStringLiteral("Kilo"));
    QVERIFY(h.exec(QStringLiteral("ALTER TABLE birimler RENAME TO birimler2")));
    QVERIFY(!unread.valueAt(first + 1, 0).isValid());
    QVERIFY(unread.readError());
    // A sum or count read straight tells "no rows" from "failed".
    const auto none = db.tryScalar(QStringLiteral("SELECT sum(yolu) FROM yedek_yeri WHERE 0"));
    QVERIFY(none && !none->isValid());
    QVERIFY(!db.tryScalar(QStringLiteral("SELECT sum(x) FROM yok")));
    QVERIFY(db.lastError());
    pv::Counter counter(db, QStringLiteral("yok"), QStringLiteral("n"));
    QVERIFY(!counter.tryValue());
}

// The main list cannot be read when the window opens: told, and no day count written.
void TestSafety::mainListReadFailsAtActivation()
{
    Harness h;
    addCustomer(h, QStringLiteral("1"), QStringLiteral("Müşteri 1"),
                accountColumns(QStringLiteral("Alıcı"), 750));
    QVERIFY(h.breakReadsOf(QStringLiteral("musteriler")));
    h.expectMsgBox(QStringLiteral("Müşteri listesi okunamadı: Veri tabanı işlemi yapılamadı."),
                   pv::vbOKOnly | pv::vbCritical, QStringLiteral("Hata"));
    veresiye &m = pv::form<veresiye>();
    m.Show();
    h.settle();
    QCOMPARE(h.value(QStringLiteral("SELECT Gun FROM musteriler_t")).toInt(), 1);
    QCOMPARE(h.value(QStringLiteral("SELECT Bakiye FROM musteriler_t")).toDouble(), 750.0);
    QCOMPARE(h.msgBoxes().size(), 1); // told once, not again as "no records"
}

// The totals panel's sums cannot be read: told, and no 0,00 shown for them.
void TestSafety::mainTotalsReadFails()
{
    Harness h;
    addCustomer(h, QStringLiteral("1"), QStringLiteral("Müşteri 1"),
                accountColumns(QStringLiteral("Alıcı"), 750));
    addCustomer(h, QStringLiteral("2"), QStringLiteral("Müşteri 2"),
                accountColumns(QStringLiteral("Satıcı"), 100));
    veresiye &m = pv::form<veresiye>();
    m.Show();
    h.settle();
    QCOMPARE(h.value(QStringLiteral("SELECT Gun FROM musteriler WHERE mus_kodu = '1'")).toInt(), 7);
    QVERIFY(h.breakReadsOf(QStringLiteral("musteriler")));
    h.expectMsgBox(QStringLiteral("Toplamlar okunamadı: Veri tabanı işlemi yapılamadı."),
                   pv::vbOKOnly | pv::vbCritical, QStringLiteral("Hata"));
    h.click(m.VornXPButton1);
    for (QLineEdit *box : {m.VornXPTextBox22, m.VornXPTextBox33, m.VornXPTextBox44})
        QCOMPARE(box->text(), QString());
}

// A report whose rows cannot be read is told, not shown as an empty page.
void TestSafety::reportReadFails()
{
    Harness h;
    pv::registerAppReports();
    pv::Report &r = pv::Reports::get(QStringLiteral("Extre"));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    r.dataControl().setDatabase(db);
    r.dataControl().setSource(QStringLiteral("select * from veresiye_yok"));
    h.expectMsgBox(QStringLiteral("Rapor okunamadı: Veri tabanı işlemi yapılamadı."), pv::vbCritical,
                   QStringLiteral("Hata"));
    r.showPreviewModal(); // an unexpected preview window would fail the test
}

// The customer counter cannot be read: no number is proposed (a made-up one would be
// saved as the new customer's code).
void TestSafety::customerNumberReadFails()
{
    Harness h;
    QVERIFY(h.breakReadsOf(QStringLiteral("son_musterino")));
    h.expectMsgBox(QStringLiteral("Müşteri numarası okunamadı: Veri tabanı işlemi yapılamadı."),
                   pv::vbCritical, QStringLiteral("Hata"));
    musteriekle &c = pv::form<musteriekle>();
    c.txtYetki = QStringLiteral("0");
    c.Show();
    h.settle();
    QVERIFY(c.xpText1->text().isEmpty());
    QCOMPARE(h.msgBoxes().size(), 1);
}

int main(int argc, char **argv)
{
    if (argc >= 3 && QByteArray(argv[1]) == "--die-writing")
        return pv::test::dieWriting(argc, argv);
    if (argc >= 3 && QByteArray(argv[1]) == "--main-program")
        return pv::test::holdMainProgram(argc, argv);
    QApplication app(argc, argv);
    TestSafety t;
    return QTest::qExec(&t, argc, argv);
}
#include "test_safety.moc"
