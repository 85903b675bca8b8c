#pragma once
// What every connection to the shop's database registers before it runs any SQL:
// the Turkish case-insensitive collation TURKISH that the schema's text columns use.
struct sqlite3;

namespace pv {

// 0 on success, else an SQLite error code.
int registerSqlFunctions(sqlite3 *db);

} // namespace pv
