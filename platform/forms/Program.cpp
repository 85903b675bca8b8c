#include "platform/forms/Program.h"
#include "platform/forms/Form.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>
#include <list>
#include <map>
#include <memory>
#include <vector>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The instance locks this process took for itself, by program name and database file;
// kept until the process ends.
std::map<QString, std::unique_ptr<InstanceLock>> &heldLocks()
{
    static std::map<QString, std::unique_ptr<InstanceLock>> locks;
    return locks;
}

QString heldLockKey()
{
    return QCoreApplication::applicationName() + QLatin1Char('|') + resolvedDatabasePath(databasePath());
}

// The lock file's descriptor, -1 when it cannot be had. A folder the user may not write
// to still lets an existing lock file be locked through a read-only descriptor. Never
// inherited: a program started from here must not hold this program's lock.
int openLockFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    return fd;
}

// The descriptors this process opened on files for their file locks: one per file, kept
// until the process ends (see FileLock). A std::list, so that an entry stays where it is.
struct FileDescriptor {
    FileId file;
    int fd;
    bool locked; // a FileLock of this process holds the file's lock through it
};

std::list<FileDescriptor> &fileDescriptors()
{
    // Never destroyed: a lock may be let go while the process ends.
    static auto *descriptors = new std::list<FileDescriptor>;
    return *descriptors;
}

FileDescriptor *lockedDescriptor(const FileId &file)
{
    for (FileDescriptor &d : fileDescriptors())
        if (d.locked && d.file == file)
            return &d;
    return nullptr;
}

// Whether a lock of this process already holds the file d is open on.
bool lockedHere(const FileDescriptor &d)
{
    struct stat st {
    };
    return ::fstat(d.fd, &st) == 0 && lockedDescriptor(fileIdOf(st));
}

// The descriptor of the file at path, opened the first time it is asked for. Read access
// is enough for the lock, so a read-only file and another user's file are met as well.
// Never inherited: a program started from here must not hold this program's lock.
FileDescriptor *descriptorFor(const QString &path)
{
    const auto file = fileAt(path);
    if (!file)
        return nullptr;
    for (FileDescriptor &d : fileDescriptors())
        if (d.file == *file)
            return &d;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return nullptr;
    struct stat st {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd); // the name led to no plain file meanwhile: nothing SQLite could have open
        return nullptr;
    }
    // Another name may have led to the file meanwhile: this descriptor is kept all the same.
    fileDescriptors().push_back({fileIdOf(st), fd, false});
    return &fileDescriptors().back();
}

// Descriptors of files that no name leads to any more, and that no lock here holds, are
// closed: nothing can open those files again.
void closeDescriptorsOfRemovedFiles()
{
    auto &descriptors = fileDescriptors();
    for (auto it = descriptors.begin(); it != descriptors.end();) {
        struct stat st {
        };
        if (!it->locked && ::fstat(it->fd, &st) == 0 && st.st_nlink == 0) {
            ::close(it->fd);
            it = descriptors.erase(it);
        } else {
            ++it;
        }
    }
}
} // namespace

QString resolvedDatabasePath(const QString &path)
{
    const QFileInfo fi(path);
    const QString canonical = fi.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    // No file yet: the folder it would be made in, resolved.
    const QString folder = QFileInfo(fi.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? QDir::cleanPath(fi.absoluteFilePath())
                            : folder + QLatin1Char('/') + fi.fileName();
}

InstanceLock::InstanceLock(const QString &programName, const QString &databasePath)
{
    QString name = programName.isEmpty() ? QStringLiteral("Pelvanor") : programName;
    name.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    const QString database = resolvedDatabasePath(databasePath);
    const QByteArray key = (name + QLatin1Char('|') + database).toUtf8();
    const QString candidates[] = {
        database + QLatin1Char('.') + name + QStringLiteral(".lock"),
        QDir::tempPath() + QStringLiteral("/pelvanor-") +
            QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(20)) +
            QStringLiteral(".lock"),
    };
    for (const QString &path : candidates) {
        const int fd = openLockFile(path);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_fd = fd;
            m_state = Held;
            m_path = path;
            return;
        }
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) {
            m_state = HeldElsewhere;
            m_path = path;
            return;
        }
        // A file system without locks: the next place.
    }
}

InstanceLock::~InstanceLock()
{
    release();
}

void InstanceLock::release()
{
    if (m_fd >= 0) {
        // The file stays: removing it could let two holders lock two different files.
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
        m_fd = -1;
    }
    if (m_state == Held)
        m_state = Unavailable;
}

bool instanceRunning(const QString &programName, const QString &databasePath)
{
    return InstanceLock(programName, databasePath).state() == InstanceLock::HeldElsewhere;
}

FileLock::FileLock(const QString &path)
{
    closeDescriptorsOfRemovedFiles();
    // A rename may give the name to another file between the look and the lock: the lock
    // counts only on the file the name still leads to once it is taken.
    for (int attempt = 0; attempt < 8; ++attempt) {
        FileDescriptor *d = descriptorFor(path);
        if (!d)
            return;
        if (lockedHere(*d)) {
            m_state = InstanceLock::HeldElsewhere; // another holder in this process
            return;
        }
        if (::flock(d->fd, LOCK_EX | LOCK_NB) != 0) {
            // EWOULDBLOCK: another process; otherwise a file system without locks.
            m_state = errno == EWOULDBLOCK ? InstanceLock::HeldElsewhere : InstanceLock::Unavailable;
            return;
        }
        if (fileAt(path) == d->file) {
            d->locked = true;
            m_state = InstanceLock::Held;
            m_file = d->file;
            return;
        }
        ::flock(d->fd, LOCK_UN);
    }
}

FileLock::~FileLock()
{
    release();
}

bool FileLock::holds(const QString &path) const
{
    return isHeld() && fileAt(path) == m_file;
}

void FileLock::release()
{
    if (!isHeld())
        return;
    for (FileDescriptor &d : fileDescriptors()) {
        if (d.locked && d.file == m_file) {
            // Unlocked only: the descriptor stays open (see the class).
            ::flock(d.fd, LOCK_UN);
            d.locked = false;
        }
    }
    m_state = InstanceLock::Unavailable;
    closeDescriptorsOfRemovedFiles();
}

bool fileLocked(const QString &path)
{
    FileDescriptor *d = descriptorFor(path);
    if (!d)
        return false;
    if (lockedHere(*d))
        return true;
    if (::flock(d->fd, LOCK_EX | LOCK_NB) == 0) {
        ::flock(d->fd, LOCK_UN);
        return false;
    }
    return errno == EWOULDBLOCK;
}

bool holdDatabaseFile()
{
    // Never destroyed: the lock goes with the process.
    static auto *held = new std::unique_ptr<FileLock>;
    closeDescriptorsOfRemovedFiles(); // the file a restore replaced may be gone by now
    const QString path = databasePath();
    if (*held && (*held)->holds(path))
        return true;
    auto next = std::make_unique<FileLock>(path);
    if (next->state() == InstanceLock::HeldElsewhere)
        return false;
    // The file a restore replaced is let go.
    if (next->isHeld())
        *held = std::move(next);
    return true;
}

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
    const QString key = heldLockKey();
    auto &locks = heldLocks();
    if (locks.count(key))
        return false;
    auto lock = std::make_unique<InstanceLock>(QCoreApplication::applicationName(), databasePath());
    switch (lock->state()) {
    case InstanceLock::Held:
        locks.emplace(key, std::move(lock));
        return false;
    case InstanceLock::HeldElsewhere:
        return true;
    case InstanceLock::Unavailable:
        break;
    }
    // Nowhere to keep a lock: better to run than to refuse the shop its program.
    return false;
}

bool holdsInstanceLock()
{
    return heldLocks().count(heldLockKey()) > 0;
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
