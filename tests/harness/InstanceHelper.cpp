#include "tests/harness/InstanceHelper.h"

#include "platform/forms/Program.h"

#include <QCoreApplication>

#include <iostream>
#include <string>

namespace pv::test
{

namespace
{
int hold(int argc, char **argv, const QString &appName, bool mainProgram,
         const std::function<bool()> &whileHeld)
{
    QCoreApplication app(argc, argv);
    if (!appName.isEmpty())
        QCoreApplication::setApplicationName(appName);
    pv::setProgramFolder(QString::fromLocal8Bit(argv[2]));
    if (pv::anotherInstanceRunning() || (mainProgram && !pv::holdDatabaseFile())) {
        std::cout << "refused" << std::endl;
        return 0;
    }
    if (whileHeld && !whileHeld())
        return 1;
    std::cout << "held" << std::endl;
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    return 0;
}
} // namespace

int holdInstance(int argc, char **argv, const QString &appName, const std::function<bool()> &whileHeld)
{
    return hold(argc, argv, appName, false, whileHeld);
}

int holdMainProgram(int argc, char **argv, const std::function<bool()> &whileHeld)
{
    return hold(argc, argv, QStringLiteral("Pelvanor"), true, whileHeld);
}

} // namespace pv::test
