#pragma once
// What every connection to the shop's database registers before it runs any SQL: the
// Turkish case-insensitive collation TURKISH that the schema's text columns use, and a LIKE
// that reads the program's pattern language and folds case the Turkish way.
#include <QString>

struct sqlite3;

namespace pv
{

// 0 on success, else an SQLite error code.
int registerSqlFunctions(sqlite3 *db);

// The LIKE of the program's queries: `*` any run, `?` one character, `#` one digit,
// `[abc]`, `[a-z]` (ranges in Turkish alphabet order), `[!abc]`. Case is folded the
// Turkish way (I/ı, İ/i). A pattern without wildcards is a case-insensitive equality.
bool likeMatch(const QString &pattern, const QString &text);

// User text made literal for a LIKE pattern: `*`, `?`, `#` and `[` are bracketed.
QString likeEscape(const QString &userText);
// "*text*" and "text*" with the user's own wildcard characters made literal.
QString containsPattern(const QString &userText);
QString startsWithPattern(const QString &userText);

} // namespace pv
