// Pelvanor: the splash comes first; it hands over to the main window and the login.
#include "app/ledger/ShopFile.h"
#include "app/reports/AppReports.h"
#include "app/shell/frmSplash.h"
#include "platform/components/MemoryPolicy.h"
#include "platform/forms/Language.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"

#include <QApplication>
#include <QDir>

int main(int argc, char **argv)
{
    pv::setProcessMemoryPolicy();
    pv::useTurkishAsMachineLocale();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelvanor"));
    pv::useTurkish();
    pv::registerAppReports();
    // Before anything opens the shop file: its connection then writes the shop's tables
    // for the ledger alone. When the file is open unguarded already the program says so and
    // ends; a second start still ends silently, in the splash.
    const QString path = pv::databasePath();
    if (!pv::ledger::guardShopFile(path) && !pv::anotherInstanceRunning() && pv::holdDatabaseFile()) {
        pv::MsgBox(QStringLiteral("Veri tabanı dosyası korumaya alınamadı; dosya zaten açık:\n%1\n\nProgram "
                                  "kapatılacak.")
                       .arg(QDir::toNativeSeparators(path)),
                   pv::vbCritical, QStringLiteral("Hata"));
        return 1;
    }
    pv::form<frmSplash>().Show(pv::Form::Modeless);
    return app.exec();
}
