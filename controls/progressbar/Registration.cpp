// The library's self-registration: the class registry learns "ProgressBar.QuorvelXPProgressBar"
// when the library loads, and again through DllRegisterServer.
#include "controls/progressbar/QuorvelXPProgressBar.h"

#include "platform/components/ClassRegistry.h"
#include "platform/components/Twips.h"

PV_DECLARE_COMPONENT_ENTRY_POINTS()

namespace
{

const QString kClassName = QStringLiteral("ProgressBar.QuorvelXPProgressBar");

// The design bag may name the instance ("Name") and place it ("Left", "Top", "Width",
// "Height", in twips), as a form description does; an empty bag makes a new instance.
QWidget *createProgressBar(QWidget *parent, const pv::PropertyBag &design)
{
    auto *bar =
        design.size() == 0 ? new QuorvelXPProgressBar(parent) : new QuorvelXPProgressBar(parent, design);
    bar->setObjectName(design.ReadProperty(QStringLiteral("Name")).toString());
    bool okW = false, okH = false, okL = false, okT = false;
    const int w = design.ReadProperty(QStringLiteral("Width")).toInt(&okW);
    const int h = design.ReadProperty(QStringLiteral("Height")).toInt(&okH);
    if (okW || okH)
        bar->resize(okW ? pv::twipsToPixels(w) : bar->width(), okH ? pv::twipsToPixels(h) : bar->height());
    const int left = design.ReadProperty(QStringLiteral("Left")).toInt(&okL);
    const int top = design.ReadProperty(QStringLiteral("Top")).toInt(&okT);
    if (okL || okT)
        bar->move(okL ? pv::twipsToPixels(left) : bar->x(), okT ? pv::twipsToPixels(top) : bar->y());
    if (okW || okH) { // the size change and the repaint that follows it
        bar->sethdc();
        bar->DrawProgressBar();
    }
    return bar;
}

pv::ControlFactory g_factory = createProgressBar;

// Every control library exports the same entry-point names, so the library's own start-up
// must not call through them: another library's symbol could answer.
int registerOwnClass()
{
    auto &registry = pv::ClassRegistry::instance();
    if (!registry.isRegistered(kClassName))
        registry.registerClass(kClassName, g_factory);
    return registry.isRegistered(kClassName) ? 0 : 1;
}

struct AutoRegister {
    AutoRegister() { registerOwnClass(); }
} g_autoRegister;

} // namespace

extern "C" int DllRegisterServer()
{
    return registerOwnClass();
}

extern "C" int DllUnregisterServer()
{
    pv::ClassRegistry::instance().unregisterClass(kClassName);
    return 0;
}

extern "C" int DllCanUnloadNow()
{
    // Bars are owned by their forms; the library stays while the class is registered.
    return pv::ClassRegistry::instance().isRegistered(kClassName) ? 1 : 0;
}

extern "C" void *DllGetClassObject(const char *className)
{
    if (className && kClassName.compare(QString::fromLatin1(className), Qt::CaseInsensitive) == 0)
        return &g_factory;
    return nullptr;
}
