#include "platform/data/SqlFunctions.h"
#include "platform/text/TurkishText.h"

#include <QString>
#include <sqlite3.h>

namespace pv {

static int turkishCollation(void *, int na, const void *a, int nb, const void *b)
{
    const QString sa = QString::fromUtf8(static_cast<const char *>(a), na);
    const QString sb = QString::fromUtf8(static_cast<const char *>(b), nb);
    return trCompare(sa, sb);
}

int registerSqlFunctions(sqlite3 *db)
{
    return sqlite3_create_collation(db, "TURKISH", SQLITE_UTF8, nullptr, turkishCollation);
}

} // namespace pv
