#pragma once
// Whether a file is the shop's database, and how it stands before the program takes it,
// in one place for every program that replaces, rebuilds or opens the shop's database
// file (the restore, the start-up, the repair program).
#include <QString>
#include <functional>

struct sqlite3;

namespace pv
{

// The file starts with SQLite's header; read without SQLite, so nothing can touch it.
bool hasDatabaseHeader(const QString &path);

// The open connection's file holds this program's tables: what makes a file ours,
// whatever state its pages are in.
bool holdsProgramTables(sqlite3 *db);

// Some connection of this process still holds the file open.
bool databaseInUse(const QString &path);

// The file and its folder may be written: the journal is made and removed beside the file.
bool fileAndFolderWritable(const QString &path);
// Tests: stands in for the real writability check (the super-user may write any file
// whatever its permissions). Empty restores the real check.
void setWritableCheck(std::function<bool(const QString &path)> check);

// A read-only look at a file cannot read it while a journal left by a crash (a killed
// program, a power cut in the middle of a write) waits beside it: SQLite must roll that
// journal back first, and only a read-write connection can. Every look below rolls it back
// through a read-write connection, as any opening of the file for work would, when the file
// and its folder may be written; otherwise it tells so (NeedsRollBack) and touches nothing.

enum class ProgramFile {
    Ours,
    NotOurs,
    NeedsRollBack, // a crash's journal waits, and the file or its folder cannot be written
};
// Ours when path is a database of this program: SQLite's header, every table of schemaSql
// with every one of its columns, an integrity check answering "ok", and the version row
// `surum` read through the data layer as the start-up reads it. Nothing is written to the
// file but the roll-back of a crash's journal. reason (when given) says what failed, in the engine's words.
ProgramFile checkProgramDatabase(const QString &path, const QString &schemaSql, QString *reason = nullptr);
inline bool isProgramDatabase(const QString &path, const QString &schemaSql, QString *reason = nullptr)
{
    return checkProgramDatabase(path, schemaSql, reason) == ProgramFile::Ours;
}

// How the database file stands at start-up, looked at without writing to it (but for the
// roll-back of a crash's journal).
enum class DatabaseState {
    Usable,
    Missing,       // no file at path
    CannotOpen,    // not a database SQLite can read (or not ours)
    Locked,        // another program holds the file
    Damaged,       // SQLite's quick check finds faults
    ReadOnly,      // readable and sound, but the file or its folder cannot be written
    NeedsRollBack, // a crash's journal waits, and the file or its folder cannot be written
};
// busyMs: how long to wait for another program's lock before answering Locked.
DatabaseState databaseState(const QString &path, QString *reason = nullptr, int busyMs = 3000);

// The file the repair program rebuilds a database into, beside the database file (path
// resolved, links followed); a compaction killed on its way leaves it behind.
inline constexpr char kCompactionTemporaryName[] = "Newtemp.mdb";
QString compactionTemporaryPath(const QString &resolvedDatabasePath);
// Removes what a compaction left beside the database: the temporary file and any journal
// of it. Only for a program that holds the database's instance lock (no compaction can be
// running then). False when one of them stays.
bool removeCompactionLeftovers(const QString &resolvedDatabasePath);

// Where a restore keeps the database it replaced until the restored one has opened.
QString previousDatabasePath(const QString &databasePath);

// Renames from over to and flushes the folder to disk, so that a power cut right after
// cannot bring back the old name. On failure nothing is renamed.
bool renameDurably(const QString &from, const QString &to);
// Flushes a folder's entries (names, renames) to disk; no-op where the system has no such call.
void flushFolder(const QString &folder);

} // namespace pv
