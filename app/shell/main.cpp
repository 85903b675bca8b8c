// Pelvanor: the splash comes first; it hands over to the main window and the login.
#include "app/reports/AppReports.h"
#include "app/shell/frmSplash.h"
#include "platform/forms/Language.h"

#include <QApplication>

int main(int argc, char **argv)
{
    pv::useTurkishAsMachineLocale();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelvanor"));
    pv::useTurkish();
    pv::registerAppReports();
    pv::form<frmSplash>().Show(pv::Form::Modeless);
    return app.exec();
}
