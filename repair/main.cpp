// bvRepair: compacts and rebuilds the shop's database file, then starts the main
// program again.
#include "platform/components/MemoryPolicy.h"
#include "repair/RepairProgram.h"

#include <QApplication>

int main(int argc, char **argv)
{
    pv::setProcessMemoryPolicy();
    QApplication app(argc, argv);
    if (!repair::startProgram())
        return 0;
    return app.exec();
}
