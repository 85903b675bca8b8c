#pragma once
// The helper process of the running-instance tests: a test program re-run with
// "--hold-instance <folder>" takes the instance lock of that folder's database, says "held" (or
// "refused" when another has it) and keeps it until its standard input closes.
#include <QString>
#include <functional>

namespace pv::test
{

// appName: the program the helper stands for (empty keeps the test program's own name).
// whileHeld runs once the lock is taken, before "held" is said; false ends the helper.
int holdInstance(int argc, char **argv, const QString &appName = {},
                 const std::function<bool()> &whileHeld = {});

// The same for the main program on <folder>: its instance lock and the lock of the database
// file itself, as its start-up takes them.
int holdMainProgram(int argc, char **argv, const std::function<bool()> &whileHeld = {});

} // namespace pv::test
