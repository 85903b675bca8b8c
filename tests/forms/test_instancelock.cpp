// The running-instance lock: one per database file, beside the file it resolves to,
// whatever program folder or temporary folder each process has, and gone with the process
// that held it. The lock of the database file itself, which every name of the file meets.
#include "platform/forms/Program.h"
#include "tests/harness/Harness.h"
#include "tests/harness/InstanceHelper.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <sqlite3.h>
#include <sys/types.h>

namespace
{

// A helper process of this test program, with its own temporary folder.
void startHelper(QProcess &p, const QStringList &args, const QString &tmpdir = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!tmpdir.isEmpty())
        env.insert(QStringLiteral("TMPDIR"), tmpdir);
    p.setProcessEnvironment(env);
    p.start(QCoreApplication::applicationFilePath(), args);
}

QString databaseIn(const QTemporaryDir &folder)
{
    return folder.path() + "/pelvanor.dll";
}

// Whether another process may start writing to the SQLite database at path now.
bool writableFromAnotherProcess(const QString &path)
{
    QProcess p;
    startHelper(p, {"--try-write", path});
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

class TestInstanceLock : public QObject
{
    Q_OBJECT
private slots:
    void differentTemporaryFoldersStillMeet()
    {
        QTemporaryDir folder, tmpA, tmpB;
        QProcess first;
        startHelper(first, {"--hold-instance", folder.path()}, tmpA.path());
        QVERIFY(first.waitForReadyRead(10000));
        QCOMPARE(first.readLine().trimmed(), QByteArray("held"));

        QProcess second;
        startHelper(second, {"--hold-instance", folder.path()}, tmpB.path());
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.readAllStandardOutput().trimmed(), QByteArray("refused"));

        // The lock file lies beside the database, not in either temporary folder.
        QVERIFY(QFileInfo::exists(folder.path() + "/pelvanor.dll.test_instancelock.lock"));
        QCOMPARE(QDir(tmpA.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        first.closeWriteChannel();
        QVERIFY(first.waitForFinished(10000));
    }

    void theLockGoesWithAKilledProcess()
    {
        QTemporaryDir folder;
        QVERIFY(pv::test::writeFile(databaseIn(folder), "x"));
        QProcess holder;
        startHelper(holder, {"--hold-main", folder.path()});
        QVERIFY(holder.waitForReadyRead(10000));
        QVERIFY(pv::instanceRunning(QStringLiteral("Pelvanor"), databaseIn(folder)));
        QVERIFY(pv::fileLocked(databaseIn(folder)));
        holder.kill(); // no chance to let go by itself
        QVERIFY(holder.waitForFinished(10000));
        QVERIFY(!pv::instanceRunning(QStringLiteral("Pelvanor"), databaseIn(folder)));
        QVERIFY(!pv::fileLocked(databaseIn(folder)));
    }

    void aStartedProgramDoesNotInheritIt()
    {
        // The holder starts a long-lived program and ends; the locks must end with it.
        QTemporaryDir folder;
        QVERIFY(pv::test::writeFile(databaseIn(folder), "x"));
        QProcess holder;
        startHelper(holder, {"--hold-and-start", folder.path()});
        QVERIFY(holder.waitForFinished(10000));
        bool ok = false;
        const qint64 child = holder.readAllStandardOutput().trimmed().toLongLong(&ok);
        QVERIFY(ok && child > 0);
        const bool running = pv::instanceRunning(QStringLiteral("test_instancelock"), databaseIn(folder));
        const bool fileHeld = pv::fileLocked(databaseIn(folder));
        ::kill(pid_t(child), SIGTERM);
        QVERIFY(!running);
        QVERIFY(!fileHeld);
    }

    void theFileLockMeetsEveryNameOfTheFile_data()
    {
        QTest::addColumn<QString>("name"); // what the second folder's pelvanor.dll is
        QTest::addColumn<bool>("met");
        QTest::newRow("a hard link of the first folder's file") << "hard link" << true;
        QTest::newRow("a symbolic link to it") << "symbolic link" << true;
        QTest::newRow("a copy of it") << "copy" << false;
    }
    void theFileLockMeetsEveryNameOfTheFile()
    {
        // The main program runs on the first folder; a second one starts from the second
        // folder, with a temporary folder of its own.
        QFETCH(QString, name);
        QFETCH(bool, met);
        QTemporaryDir first, second, tmp;
        QVERIFY(pv::test::writeFile(databaseIn(first), "x"));
        if (name == "hard link")
            QVERIFY(pv::test::hardLink(databaseIn(first), databaseIn(second)));
        else if (name == "symbolic link")
            QVERIFY(QFile::link(databaseIn(first), databaseIn(second)));
        else
            QVERIFY(QFile::copy(databaseIn(first), databaseIn(second)));
        QProcess holder;
        startHelper(holder, {"--hold-main", first.path()});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));
        QCOMPARE(pv::fileLocked(databaseIn(second)), met);

        QProcess beside;
        startHelper(beside, {"--hold-main", second.path()}, tmp.path());
        if (met) {
            QVERIFY(beside.waitForFinished(10000));
            QCOMPARE(beside.readAllStandardOutput().trimmed(), QByteArray("refused"));
        } else {
            QVERIFY(beside.waitForReadyRead(10000));
            QCOMPARE(beside.readLine().trimmed(), QByteArray("held"));
            beside.closeWriteChannel();
            QVERIFY(beside.waitForFinished(10000));
        }
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(10000));
        QVERIFY(!pv::fileLocked(databaseIn(second)));
    }

    void theFileLockInOneProcess()
    {
        QTemporaryDir folder;
        const QString database = databaseIn(folder);
        {
            // No file: nothing to hold.
            pv::FileLock none(database);
            QCOMPARE(none.state(), pv::InstanceLock::Unavailable);
            QVERIFY(!pv::fileLocked(database));
        }
        QVERIFY(pv::test::writeFile(database, "x"));
        pv::FileLock first(database);
        QVERIFY(first.isHeld());
        QVERIFY(first.holds(folder.path() + "/./pelvanor.dll"));
        pv::FileLock second(database);
        QCOMPARE(second.state(), pv::InstanceLock::HeldElsewhere);
        QVERIFY(pv::fileLocked(database));
        // Another file put in its place under the same name is another lock.
        QVERIFY(QFile::rename(database, database + ".old"));
        QVERIFY(pv::test::writeFile(database, "x"));
        QVERIFY(!first.holds(database));
        QVERIFY(!pv::fileLocked(database));
        QVERIFY(pv::fileLocked(database + ".old"));
        first.release();
        QVERIFY(!pv::fileLocked(database + ".old"));
    }

    void lookingAtTheFileKeepsSQLitesLocks()
    {
        // This process has the file open in SQLite, in the middle of a write. Looking at the
        // file's lock, taking it, letting it go and holding it as the program's database
        // must leave SQLite's own locks on the file: another process still cannot write.
        QTemporaryDir folder;
        const QString database = databaseIn(folder);
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(database).constData(), &db), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db, "CREATE TABLE t (x); BEGIN IMMEDIATE; INSERT INTO t VALUES (1);", nullptr,
                              nullptr, nullptr),
                 SQLITE_OK);
        QVERIFY(!writableFromAnotherProcess(database));
        QVERIFY(!pv::fileLocked(database));
        QVERIFY(!writableFromAnotherProcess(database));
        {
            pv::FileLock lock(database);
            QVERIFY(lock.isHeld());
        }
        QVERIFY(!writableFromAnotherProcess(database));
        pv::setProgramFolder(folder.path());
        QVERIFY(pv::holdDatabaseFile());
        QVERIFY(pv::holdDatabaseFile());
        pv::setProgramFolder({});
        QVERIFY(pv::fileLocked(database));
        QVERIFY(!writableFromAnotherProcess(database));
        QCOMPARE(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
        QVERIFY(writableFromAnotherProcess(database));
        sqlite3_close(db);
    }

    void holdersInOneProcess()
    {
        QTemporaryDir folder;
        const QString name = QStringLiteral("Pelvanor"), database = databaseIn(folder);
        QVERIFY(!pv::instanceRunning(name, database));
        {
            pv::InstanceLock first(name, database);
            QCOMPARE(first.state(), pv::InstanceLock::Held);
            QCOMPARE(first.path(),
                     QFileInfo(folder.path()).canonicalFilePath() + "/pelvanor.dll.Pelvanor.lock");
            pv::InstanceLock second(name, database);
            QCOMPARE(second.state(), pv::InstanceLock::HeldElsewhere);
            QVERIFY(pv::instanceRunning(name, database));
            // Another program, another folder or another file is another lock.
            QVERIFY(!pv::instanceRunning(QStringLiteral("bvRepair"), database));
            QTemporaryDir other;
            QVERIFY(!pv::instanceRunning(name, databaseIn(other)));
            QVERIFY(!pv::instanceRunning(name, folder.path() + "/other.dll"));
            first.release();
            QVERIFY(!first.isHeld());
            QVERIFY(!pv::instanceRunning(name, database));
        }
        QVERIFY(!pv::instanceRunning(name, database));
    }

    void aFolderThatCannotHoldTheFile()
    {
        // No lock file can be made there: the temporary folder keeps the lock instead, here
        // one of the test's own, so that no lock file is left in the machine's.
        QTemporaryDir dir, tmp;
        const QByteArray machineTmp = qgetenv("TMPDIR");
        const auto restore = qScopeGuard([&] {
            if (machineTmp.isNull())
                qunsetenv("TMPDIR");
            else
                qputenv("TMPDIR", machineTmp);
        });
        qputenv("TMPDIR", QFile::encodeName(tmp.path()));
        const QString notAFolder = dir.path() + "/file", database = notAFolder + "/pelvanor.dll";
        QVERIFY(QFile(notAFolder).open(QIODevice::WriteOnly));
        pv::InstanceLock held(QStringLiteral("Pelvanor"), database);
        QVERIFY(held.isHeld());
        QVERIFY(held.path().startsWith(QDir::tempPath() + "/pelvanor-"));
        QVERIFY(pv::instanceRunning(QStringLiteral("Pelvanor"), database));
        QVERIFY(!pv::instanceRunning(QStringLiteral("Pelvanor"), notAFolder + "/other.dll"));
        held.release();
        QVERIFY(!pv::instanceRunning(QStringLiteral("Pelvanor"), database));
    }

    void theSameFileByAnotherPath()
    {
        QTemporaryDir folder;
        QVERIFY(QFile::link(folder.path(), folder.path() + "-link"));
        pv::InstanceLock held(QStringLiteral("Pelvanor"), databaseIn(folder));
        QVERIFY(held.isHeld());
        QVERIFY(pv::instanceRunning(QStringLiteral("Pelvanor"), folder.path() + "-link/pelvanor.dll"));
        QVERIFY(pv::instanceRunning(QStringLiteral("Pelvanor"), folder.path() + "/./pelvanor.dll"));
        QFile::remove(folder.path() + "-link");
    }

    void aSecondFolderWhoseDatabaseIsALink()
    {
        // Two program folders, one database: the second folder's file links to the first's.
        QTemporaryDir first, second;
        QVERIFY(QFile(databaseIn(first)).open(QIODevice::WriteOnly));
        QVERIFY(QFile::link(databaseIn(first), databaseIn(second)));
        QProcess holder;
        startHelper(holder, {"--hold-instance", first.path()});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));
        QProcess beside;
        startHelper(beside, {"--hold-instance", second.path()});
        QVERIFY(beside.waitForFinished(10000));
        QCOMPARE(beside.readAllStandardOutput().trimmed(), QByteArray("refused"));
        // The lock file lies beside the file itself, not in the linking folder.
        QVERIFY(QFileInfo::exists(databaseIn(first) + ".test_instancelock.lock"));
        QVERIFY(!QFileInfo::exists(databaseIn(second) + ".test_instancelock.lock"));
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(10000));
    }
};

// Helper mode: takes the lock, starts a program that outlives it, prints its id and ends.
static int holdAndStart(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    pv::setProgramFolder(QString::fromLocal8Bit(argv[2]));
    if (pv::anotherInstanceRunning() || !pv::holdDatabaseFile())
        return 1;
    qint64 pid = 0;
    if (!QProcess::startDetached(QStringLiteral("/bin/sleep"), {QStringLiteral("30")}, QString(), &pid))
        return 2;
    std::cout << pid << std::endl;
    // As the program ends: at once, without letting go of anything by hand.
    std::_Exit(0);
}

int main(int argc, char **argv)
{
    if (argc >= 3 && QByteArray(argv[1]) == "--hold-instance")
        return pv::test::holdInstance(argc, argv);
    if (argc >= 3 && QByteArray(argv[1]) == "--hold-and-start")
        return holdAndStart(argc, argv);
    if (argc >= 3 && QByteArray(argv[1]) == "--hold-main")
        return pv::test::holdMainProgram(argc, argv);
    if (argc >= 3 && QByteArray(argv[1]) == "--try-write") {
        sqlite3 *db = nullptr;
        const bool ok = sqlite3_open(argv[2], &db) == SQLITE_OK &&
                        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(db);
        return ok ? 0 : 1;
    }
    QCoreApplication app(argc, argv);
    TestInstanceLock t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_instancelock.moc"
