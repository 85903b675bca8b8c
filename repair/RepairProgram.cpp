#include "repair/RepairProgram.h"

#include "platform/forms/Program.h"
#include "repair/frmCompact.h"

#include <QCoreApplication>

namespace repair
{

void setUpProgram()
{
    QCoreApplication::setApplicationName(QLatin1String(kProgramName));
    pv::setProgramTitle(QLatin1String(kProgramName));
}

bool startProgram()
{
    setUpProgram();
    if (pv::anotherInstanceRunning())
        return false;
    pv::form<frmCompact>().Show();
    return true;
}

} // namespace repair
