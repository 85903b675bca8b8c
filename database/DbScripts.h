#pragma once
#include <QString>

namespace pv
{

QString schemaSql();
QString seedSql();

// Creates a new database file at path from the schema and seed scripts. Refuses (false,
// with a reason) when the file exists already; on any failure no file is left behind.
bool createDatabaseFromScripts(const QString &path, QString *error = nullptr);

} // namespace pv
