#include "tests/harness/InstanceHelper.h"

#include "platform/forms/Program.h"

#include <QCoreApplication>

#include <iostream>
#include <string>

namespace pv::test
{

int holdInstance(int argc, char **argv, const QString &appName, const std::function<bool()> &whileHeld)
{
    QCoreApplication app(argc, argv);
    if (!appName.isEmpty())
        QCoreApplication::setApplicationName(appName);
    pv::setProgramFolder(QString::fromLocal8Bit(argv[2]));
    if (pv::anotherInstanceRunning()) {
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

} // namespace pv::test
