// Build step: makes the shipped database beside the programs when there is none yet.
#include "database/DbScripts.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: pvdbinit PATH\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (QFile::exists(path))
        return 0; // never overwrite or touch an existing database
    QString error;
    if (!pv::createDatabaseFromScripts(path, &error)) {
        std::fprintf(stderr, "pvdbinit: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("pvdbinit: created %s\n", qPrintable(path));
    return 0;
}
