#pragma once
// A program that dies in the middle of a write (killed, or the power cut): a test program
// re-run with "--die-writing <database>" begins a transaction with a tiny page cache, so
// that part of its change reaches the file before any commit, says "inside" and waits for
// its standard input to close; the test kills it first. A journal that must be rolled back
// is left beside the file.
#include <QString>

namespace pv::test
{

// The helper's own run: deletes and changes rows of veresiye inside a transaction.
int dieWriting(int argc, char **argv);
// Starts the helper from this test program on the database at path and kills it (SIGKILL)
// inside its transaction; false when it did not get that far.
bool killWhileWriting(const QString &path);

} // namespace pv::test
