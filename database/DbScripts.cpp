#include "database/DbScripts.h"
#include "platform/data/SqlFunctions.h"

#include <QFile>
#include <sqlite3.h>

static void initResources()
{
    Q_INIT_RESOURCE(dbscripts);
}

namespace pv
{

static QString readResource(const QString &name)
{
    initResources();
    QFile f(name);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

QString schemaSql()
{
    return readResource(QStringLiteral(":/database/schema.sql"));
}
QString seedSql()
{
    return readResource(QStringLiteral(":/database/seed.sql"));
}

bool createDatabaseFromScripts(const QString &path, QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (QFile::exists(path))
        return fail(QStringLiteral("file exists: %1").arg(path));

    sqlite3 *db = nullptr;
    const QByteArray p = path.toUtf8();
    if (sqlite3_open_v2(p.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        const QString msg = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        QFile::remove(path);
        return fail(msg);
    }
    registerSqlFunctions(db);
    const QByteArray sql = (QStringLiteral("BEGIN;\n") + schemaSql() + QStringLiteral("\n") + seedSql() +
                            QStringLiteral("\nCOMMIT;\n"))
                               .toUtf8();
    char *err = nullptr;
    const int rc = sqlite3_exec(db, sql.constData(), nullptr, nullptr, &err);
    QString msg;
    if (rc != SQLITE_OK) {
        msg = QString::fromUtf8(err ? err : sqlite3_errmsg(db));
        sqlite3_free(err);
    }
    sqlite3_close(db);
    if (rc != SQLITE_OK) {
        QFile::remove(path);
        return fail(msg);
    }
    return true;
}

} // namespace pv
