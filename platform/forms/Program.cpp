#include "platform/forms/Program.h"
#include "platform/forms/Form.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

namespace pv
{

namespace
{
QString g_folder;
QString g_title = QStringLiteral("Pelvanor");
LaunchHandler g_launch;
ProgramEndHandler g_endHandler;
bool g_ended = false;

std::vector<std::function<void()>> &endHooks()
{
    static std::vector<std::function<void()>> hooks;
    return hooks;
}

// Locks this process holds, by lock file path; kept until the process ends.
std::map<QString, std::unique_ptr<QLockFile>> &heldLocks()
{
    static std::map<QString, std::unique_ptr<QLockFile>> locks;
    return locks;
}
} // namespace

QString programFolder()
{
    if (!g_folder.isEmpty())
        return g_folder;
    return QCoreApplication::applicationDirPath();
}

void setProgramFolder(const QString &folder)
{
    g_folder = folder.isEmpty() ? QString() : QDir::cleanPath(QDir(folder).absolutePath());
}

QString databasePath()
{
    return programFolder() + QStringLiteral("/pelvanor.dll");
}

QString programTitle()
{
    return g_title;
}
void setProgramTitle(const QString &title)
{
    g_title = title;
}

bool anotherInstanceRunning()
{
    // The lock lives in the temporary folder, not beside the program, so a read-only
    // installation works; its name says which program and which folder it guards.
    QString folder = QFileInfo(programFolder()).canonicalFilePath();
    if (folder.isEmpty())
        folder = programFolder();
    const QByteArray key = (QCoreApplication::applicationName() + QLatin1Char('|') + folder).toUtf8();
    const QString path =
        QDir::tempPath() + QStringLiteral("/pelvanor-") +
        QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(20)) +
        QStringLiteral(".lock");
    auto &locks = heldLocks();
    if (locks.count(path))
        return false;
    auto lock = std::make_unique<QLockFile>(path);
    // A live instance holds its lock for as long as it runs; only a dead owner's lock
    // may be taken over, never one that is merely old.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        locks.emplace(path, std::move(lock));
        return false;
    }
    return lock->error() == QLockFile::LockFailedError;
}

QString siblingProgramPath(const QString &bareName)
{
    QString name = bareName.trimmed();
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name == QLatin1String(".") || name == QLatin1String(".."))
        return {};
    if (name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        name.chop(4);
    if (name.isEmpty())
        return {};
    return programFolder() + QLatin1Char('/') + name;
}

void setLaunchHandler(LaunchHandler handler)
{
    g_launch = std::move(handler);
}

bool startProgram(const QString &bareName)
{
    const QString path = siblingProgramPath(bareName);
    if (path.isEmpty())
        return false;
    if (g_launch)
        return g_launch(path);
    const QFileInfo fi(path);
    if (!fi.isFile() || !fi.isExecutable())
        return false;
    return QProcess::startDetached(path, {}, programFolder());
}

QString findOnSearchPath(const QStringList &names)
{
    for (const QString &name : names) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

bool startByPath(const QString &absolutePath)
{
    if (absolutePath.isEmpty() || QFileInfo(absolutePath).isRelative())
        return false;
    if (g_launch)
        return g_launch(absolutePath);
    return QProcess::startDetached(absolutePath, {});
}

void addProgramEndHook(std::function<void()> hook)
{
    endHooks().push_back(std::move(hook));
}
void setProgramEndHandler(ProgramEndHandler handler)
{
    g_endHandler = std::move(handler);
}
bool programEnded()
{
    return g_ended;
}
void resetProgramEnd()
{
    g_ended = false;
}

void detail::lastFormUnloaded()
{
    if (g_endHandler)
        return;
    QCoreApplication::quit();
}

void endProgram()
{
    if (g_ended)
        return;
    g_ended = true;
    for (const auto &hook : endHooks())
        hook();
    if (g_endHandler) {
        // Nothing is destroyed under the caller's feet: the forms go when control
        // returns to the event loop.
        discardAllForms(false);
        g_endHandler();
        return;
    }
    // Destroying the forms closes their data controls (an open transaction is rolled
    // back by the close); then the process stops without running anything else.
    discardAllForms(true);
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(0);
}

} // namespace pv
