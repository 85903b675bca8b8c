#pragma once
// Where the program lives and how it starts and ends: program folder, database path,
// the running-instance check, starting sibling programs, and ending the program.
#include "platform/data/FileId.h"

#include <QString>
#include <functional>

namespace pv
{

// The folder the program runs from, where pelvanor.dll lives. Defaults to the
// executable's folder; tests point it at a temporary folder.
QString programFolder();
void setProgramFolder(const QString &folder); // empty restores the default
QString databasePath();                       // programFolder() + "/pelvanor.dll"

// The title message boxes carry when they are given none: "Pelvanor" unless the
// program sets its own (the repair program does).
QString programTitle();
void setProgramTitle(const QString &title);

// A database file's path with links followed: the file a program folder's database is.
// A file not there yet is named in its resolved folder.
QString resolvedDatabasePath(const QString &path);

// True when another process of this program (same application name) is running on the
// same database file, reached through whatever program folder or link. The first call
// takes a lock that this process keeps until it ends, so later calls in the same process
// (a restore re-running start-up) say false.
bool anotherInstanceRunning();
// This process holds the lock anotherInstanceRunning took (false when there was nowhere
// to keep one).
bool holdsInstanceLock();

// The running-instance lock of a program for a database file, the one
// anotherInstanceRunning takes: the file <database>.<programName>.lock beside the
// database file the path resolves to (links followed), held with an OS lock that goes
// with the process, so a crashed program never leaves it behind. Only when that folder
// can hold no lock file (read-only) does it live in the temporary folder, named by the
// same resolved path. Constructing it tries to take the lock; destroying it lets go.
class InstanceLock
{
public:
    enum State {
        Held,          // this object holds it
        HeldElsewhere, // another holder has it (another process, or another holder here)
        Unavailable,   // no lock file could be made
    };
    InstanceLock(const QString &programName, const QString &databasePath);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    State state() const { return m_state; }
    bool isHeld() const { return m_state == Held; }
    QString path() const { return m_path; } // the lock file, empty when Unavailable
    void release();

private:
    int m_fd = -1;
    State m_state = Unavailable;
    QString m_path;
};

// Whether some holder, in this process or another, has the lock of programName for the
// database file: a program of that name is running on it.
bool instanceRunning(const QString &programName, const QString &databasePath);

// The lock of a database file itself: an exclusive flock on a descriptor of the file, so
// every name of the file meets it (a hard link in another folder as well as a symbolic
// link, whatever temporary folder or user, as long as the file can be read). The main
// program holds it on the file it runs on, the compaction while it works; neither may run
// on a file the other has. A process opens one descriptor per file and keeps it until it
// ends, also after letting go of the lock: closing any descriptor of a file drops the
// locks SQLite holds on it in the same process. Only a file that no name leads to any more
// has its descriptor closed, once nothing here holds its lock.
class FileLock
{
public:
    using State = InstanceLock::State;
    explicit FileLock(const QString &path); // tries to take it; Unavailable when there is no file
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    State state() const { return m_state; }
    bool isHeld() const { return m_state == InstanceLock::Held; }
    // The file it holds: the same file as the one at path now.
    bool holds(const QString &path) const;
    void release();

private:
    State m_state = InstanceLock::Unavailable;
    FileId m_file;
};

// Whether some holder, in this process or another, has the lock of the file at path. The
// file is not opened and closed to find out.
bool fileLocked(const QString &path);

// The main program's hold of its database file: takes the lock of the file now at
// databasePath() and lets go of the one it held before, when a restore has put a new file
// in place. False when another holder has the file: the main program runs on it from
// another folder, or a compaction works on it. True when there is no file there (the
// program's own instance lock covers that) or the file system keeps no such locks.
bool holdDatabaseFile();

// Starts a sibling program by bare file name ("bvRepair.exe" or "bvRepair"):
// <programFolder>/bvRepair, by absolute path, detached, without arguments. The
// search path and the current folder are never consulted. False when it did not start.
bool startProgram(const QString &bareName);
// The absolute path startProgram uses; empty for a name that is not a bare file name.
QString siblingProgramPath(const QString &bareName);
// The first of the named programs found on the search path (PATH), as an absolute path;
// empty when none is there. For the desktop's own tools, never for the program's siblings.
QString findOnSearchPath(const QStringList &names);
// Starts a program by absolute path, detached, without arguments, through the same test
// hook as startProgram. False when it did not start.
bool startByPath(const QString &absolutePath);
// Tests replace the real start; the handler gets the absolute path.
using LaunchHandler = std::function<bool(const QString &absolutePath)>;
void setLaunchHandler(LaunchHandler handler); // empty restores the real start

// Ends the program at once: the registered end hooks run (they close the database),
// every form is discarded without its unload handlers, and the process exits.
// With a test handler installed it returns instead of exiting; code after it should
// do nothing further.
void endProgram();
bool programEnded(); // endProgram() ran since the last resetProgramEnd()
void addProgramEndHook(std::function<void()> hook);
using ProgramEndHandler = std::function<void()>;
void setProgramEndHandler(ProgramEndHandler handler); // test: called instead of exiting
void resetProgramEnd();

namespace detail
{
// The forms runtime calls this when no form is loaded any more: the event loop ends
// (unless a test handler stands in for the program's end).
void lastFormUnloaded();
} // namespace detail

} // namespace pv
