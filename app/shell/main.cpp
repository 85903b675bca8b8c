// Pelvanor: the splash comes first; it hands over to the main window and the login.
#include "app/ledger/ShopFile.h"
#include "app/reports/AppReports.h"
#include "app/shell/frmSplash.h"
#include "platform/components/MemoryPolicy.h"
#include "platform/forms/Language.h"
#include "platform/forms/Program.h"

#include <QApplication>

int main(int argc, char **argv)
{
    pv::setProcessMemoryPolicy();
    pv::useTurkishAsMachineLocale();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelvanor"));
    pv::useTurkish();
    pv::registerAppReports();
    // Before anything opens the shop file: its connection then writes the shop's tables
    // for the ledger alone.
    pv::ledger::guardShopFile(pv::databasePath());
    pv::form<frmSplash>().Show(pv::Form::Modeless);
    return app.exec();
}
