#include "platform/forms/Language.h"
#include "platform/forms/Pickers.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace pv
{

namespace
{
bool installTranslations(const QLocale &turkish)
{
    auto *app = QCoreApplication::instance();
    if (!app)
        return false;
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // qtbase carries the dialogs and widgets; "qt" is the meta catalogue that loads it
    // and the other modules' catalogues where they exist.
    bool any = false;
    for (const char *name : {"qtbase", "qt"}) {
        auto *tr = new QTranslator(app); // the application owns it
        if (tr->load(turkish, QString::fromLatin1(name), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(tr);
            any = true;
            break;
        }
        delete tr;
    }
    return any;
}
} // namespace

bool useTurkish()
{
    const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    QLocale::setDefault(turkish);
    static const bool installed = installTranslations(turkish);
    setUpEveryFileDialog(); // Qt's own file dialogs too: Turkish type names
    return installed;
}

bool useTurkishAsMachineLocale()
{
    // Qt reads the machine's locale from the environment once, at its first use, and keeps
    // it; the variable is put back at once, before the C library's locale is set from it.
    const char *variable = "LC_ALL";
    const bool wasSet = qEnvironmentVariableIsSet(variable);
    const QByteArray was = qgetenv(variable);
    qputenv(variable, QByteArrayLiteral("tr_TR.UTF-8"));
    const bool turkish = QLocale::system().language() == QLocale::Turkish;
    if (wasSet)
        qputenv(variable, was);
    else
        qunsetenv(variable);
    return turkish;
}

} // namespace pv
