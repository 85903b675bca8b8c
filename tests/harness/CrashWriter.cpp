#include "tests/harness/CrashWriter.h"

#include "platform/data/SqlFunctions.h"

#include <QCoreApplication>
#include <QProcess>

#include <iostream>
#include <sqlite3.h>
#include <string>

namespace pv::test
{

int dieWriting(int, char **argv)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(argv[2], &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        return 1;
    pv::registerSqlFunctions(db);
    const char *sql = "PRAGMA cache_size = 2; BEGIN; DELETE FROM veresiye WHERE id % 3 = 0; "
                      "UPDATE veresiye SET Aciklama = 'yarım kalan' WHERE id % 3 = 1;";
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        return 2;
    std::cout << "inside" << std::endl;
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    return 0;
}

bool killWhileWriting(const QString &path)
{
    QProcess writer;
    writer.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--die-writing"), path});
    if (!writer.waitForReadyRead(20000) || writer.readLine().trimmed() != "inside")
        return false;
    writer.kill();
    return writer.waitForFinished(10000) && writer.exitStatus() == QProcess::CrashExit;
}

} // namespace pv::test
