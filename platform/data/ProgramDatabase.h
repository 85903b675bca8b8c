#pragma once
// Whether a file is a database of this program, in one place for every program that
// replaces or rebuilds the shop's database file (the restore, the repair program).
#include <QString>

struct sqlite3;

namespace pv
{

// The file starts with SQLite's header; read without SQLite, so nothing can touch it.
bool hasDatabaseHeader(const QString &path);

// The open connection's file holds this program's tables: what makes a file ours,
// whatever state its pages are in.
bool holdsProgramTables(sqlite3 *db);

// A file fit to replace the live database: SQLite's header, this program's tables, and
// SQLite's quick check passes. The file is only read.
bool isProgramDatabase(const QString &path);

// Some connection of this process still holds the file open.
bool databaseInUse(const QString &path);

} // namespace pv
