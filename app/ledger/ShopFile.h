#pragma once
// The program's shop file is written through the ledger alone: its connection refuses an
// INSERT, UPDATE or DELETE of a shop table unless a ledger operation is writing, and every
// change of the file's schema.
#include <QString>

#include <span>

namespace pv::ledger
{

// The tables only the ledger writes. The settings (dgrayr, yedek_yeri), users, units,
// customer groups, mail texts and canned descriptions stay writable by their windows.
std::span<const char *const> shopTables();

// From now on every connection to the file at path (the file the name leads to at each
// opening, by whatever name it is opened) refuses writes of the shop's tables outside the
// ledger, and schema changes. The program calls it once for its shop file before opening
// it (the test harness, standing in for the program, does the same for its file); true
// when there is no file there yet, false when the file is open already unguarded.
bool guardShopFile(const QString &path);

} // namespace pv::ledger
