#pragma once
// Compacting and rebuilding the shop's database file in place, without ever putting it
// at risk: a rebuilt copy is written beside it, checked, flushed, and only then renamed
// over the original in one step. On any failure the original stays as it was.
#include <QString>
#include <functional>

namespace repair
{

enum class Outcome {
    Done,
    Missing,        // no such file, or not a plain file
    NotOurDatabase, // not a database of this program (or named like the temporary file)
    InUse,          // the main program runs on it, or another connection holds it
    Damaged,        // no sound copy could be rebuilt from its tables
    TemporaryFile,  // the temporary file could not be cleared, written or flushed
    Replace,        // the copy could not be put in the original's place
};

// Rebuilds every table and index of the database at path from the tables' rows into
// the temporary file beside it (pv::compactionTemporaryPath), checks the copy (integrity and every table's
// row count) and puts it in the original's place. While it works it holds the database file's lock
// (pv::FileLock), so the main program cannot start on it meanwhile, through whatever name.
Outcome compactDatabase(const QString &path);

// Tests: runs after the copy was checked and flushed, just before it replaces the
// original (a hook may make the replacement fail). Empty removes it.
using ReplaceHook = std::function<void(const QString &temporary, const QString &original)>;
void setBeforeReplaceHook(ReplaceHook hook);

} // namespace repair
