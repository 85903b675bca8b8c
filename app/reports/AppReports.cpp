#include "app/reports/AppReports.h"
#include "app/reports/ReportHandlers.h"

// The resource lives in a static library: it must be pulled in by name.
static void initReportResources()
{
    Q_INIT_RESOURCE(reports);
}

namespace pv
{

void registerAppReports()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    initReportResources();
    auto script = [](auto make) -> ReportScriptFactory { return make; };
    Reports::registerLayout(QStringLiteral("musterilistesi"), QStringLiteral(":/reports/musterilistesi.json"),
                            script([] { return std::make_unique<RankedRows>(); }));
    Reports::registerLayout(QStringLiteral("carirapor"), QStringLiteral(":/reports/carirapor.json"),
                            script([] { return std::make_unique<DatedFooter>(); }));
    Reports::registerLayout(QStringLiteral("CariGunlukRapor"),
                            QStringLiteral(":/reports/CariGunlukRapor.json"),
                            script([] { return std::make_unique<DatedFooter>(); }));
    Reports::registerLayout(QStringLiteral("Extre"), QStringLiteral(":/reports/Extre.json"),
                            script([] { return std::make_unique<ExtreScript>(); }));
    Reports::registerLayout(
        QStringLiteral("kasaRapor"), QStringLiteral(":/reports/kasaRapor.json"),
        script([] { return std::make_unique<DatedFooter>(QStringLiteral("Label124"), QString()); }));
    Reports::registerLayout(QStringLiteral("stokraporyazdir"),
                            QStringLiteral(":/reports/stokraporyazdir.json"),
                            script([] { return std::make_unique<PrintDateFooter>(); }));
    Reports::registerLayout(QStringLiteral("Sozlesme"), QStringLiteral(":/reports/Sozlesme.json"), script([] {
                                return std::make_unique<DatedFooter>(QStringLiteral("LabelTarih"));
                            }));
}

} // namespace pv
