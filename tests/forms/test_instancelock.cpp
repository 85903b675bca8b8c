// The running-instance lock: beside the database, whatever temporary folder each process
// has, and gone with the process that held it.
#include "platform/forms/Program.h"
#include "tests/harness/InstanceHelper.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdlib>
#include <iostream>
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
        QVERIFY(QFileInfo::exists(folder.path() + "/test_instancelock.lock"));
        QCOMPARE(QDir(tmpA.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        first.closeWriteChannel();
        QVERIFY(first.waitForFinished(10000));
    }

    void theLockGoesWithAKilledProcess()
    {
        QTemporaryDir folder;
        QProcess holder;
        startHelper(holder, {"--hold-instance", folder.path()});
        QVERIFY(holder.waitForReadyRead(10000));
        QVERIFY(pv::instanceRunning(QStringLiteral("test_instancelock"), folder.path()));
        holder.kill(); // no chance to let go by itself
        QVERIFY(holder.waitForFinished(10000));
        QVERIFY(!pv::instanceRunning(QStringLiteral("test_instancelock"), folder.path()));
    }

    void aStartedProgramDoesNotInheritIt()
    {
        // The holder starts a long-lived program and ends; the lock must end with it.
        QTemporaryDir folder;
        QProcess holder;
        startHelper(holder, {"--hold-and-start", folder.path()});
        QVERIFY(holder.waitForFinished(10000));
        bool ok = false;
        const qint64 child = holder.readAllStandardOutput().trimmed().toLongLong(&ok);
        QVERIFY(ok && child > 0);
        const bool running = pv::instanceRunning(QStringLiteral("test_instancelock"), folder.path());
        ::kill(pid_t(child), SIGTERM);
        QVERIFY(!running);
    }

    void holdersInOneProcess()
    {
        QTemporaryDir folder;
        const QString name = QStringLiteral("Pelvanor");
        QVERIFY(!pv::instanceRunning(name, folder.path()));
        {
            pv::InstanceLock first(name, folder.path());
            QCOMPARE(first.state(), pv::InstanceLock::Held);
            QCOMPARE(first.path(), QFileInfo(folder.path()).canonicalFilePath() + "/Pelvanor.lock");
            pv::InstanceLock second(name, folder.path());
            QCOMPARE(second.state(), pv::InstanceLock::HeldElsewhere);
            QVERIFY(pv::instanceRunning(name, folder.path()));
            // Another program or another folder is another lock.
            QVERIFY(!pv::instanceRunning(QStringLiteral("bvRepair"), folder.path()));
            QTemporaryDir other;
            QVERIFY(!pv::instanceRunning(name, other.path()));
            first.release();
            QVERIFY(!first.isHeld());
            QVERIFY(!pv::instanceRunning(name, folder.path()));
        }
        QVERIFY(!pv::instanceRunning(name, folder.path()));
    }

    void aFolderThatCannotHoldTheFile()
    {
        // No lock file can be made there: the temporary folder keeps the lock instead.
        QTemporaryDir dir;
        const QString notAFolder = dir.path() + "/file";
        QVERIFY(QFile(notAFolder).open(QIODevice::WriteOnly));
        pv::InstanceLock held(QStringLiteral("Pelvanor"), notAFolder);
        QVERIFY(held.isHeld());
        QVERIFY(held.path().startsWith(QDir::tempPath() + "/pelvanor-"));
        QVERIFY(pv::instanceRunning(QStringLiteral("Pelvanor"), notAFolder));
        held.release();
        QVERIFY(!pv::instanceRunning(QStringLiteral("Pelvanor"), notAFolder));
    }

    void theSameFolderByAnotherPath()
    {
        QTemporaryDir folder;
        QVERIFY(QFile::link(folder.path(), folder.path() + "-link"));
        pv::InstanceLock held(QStringLiteral("Pelvanor"), folder.path());
        QVERIFY(held.isHeld());
        QVERIFY(pv::instanceRunning(QStringLiteral("Pelvanor"), folder.path() + "-link"));
        QVERIFY(pv::instanceRunning(QStringLiteral("Pelvanor"), folder.path() + "/."));
        QFile::remove(folder.path() + "-link");
    }
};

// Helper mode: takes the lock, starts a program that outlives it, prints its id and ends.
static int holdAndStart(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    pv::setProgramFolder(QString::fromLocal8Bit(argv[2]));
    if (pv::anotherInstanceRunning())
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
    QCoreApplication app(argc, argv);
    TestInstanceLock t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_instancelock.moc"
