// The library's self-registration: the class registry learns "BrennavikBtn.BvButton" as
// soon as the library is loaded, and the standard entry points do the same on request.
#include "controls/button/BvButton.h"
#include "platform/components/ClassRegistry.h"

PV_DECLARE_COMPONENT_ENTRY_POINTS()

namespace
{

// The design bag may name the instance ("Name") and place it ("Left", "Top", "Width",
// "Height", in twips), as a form description does.
QWidget *createButton(QWidget *parent, const pv::PropertyBag &design)
{
    auto *b = new BvButton(parent, design);
    bool okW = false, okH = false;
    const int w = design.ReadProperty(QStringLiteral("Width")).toInt(&okW);
    const int h = design.ReadProperty(QStringLiteral("Height")).toInt(&okH);
    if (okW)
        b->setWidth(w);
    if (okH)
        b->setHeight(h);
    bool okL = false, okT = false;
    const int l = design.ReadProperty(QStringLiteral("Left")).toInt(&okL);
    const int t = design.ReadProperty(QStringLiteral("Top")).toInt(&okT);
    if (okL)
        b->setLeft(l);
    if (okT)
        b->setTop(t);
    return b;
}

const pv::ControlFactory g_factory = createButton;

// Called by the static initializer directly rather than through the exported name: every
// control library exports the same names, and a call by name could reach another one.
int registerButton()
{
    auto &reg = pv::ClassRegistry::instance();
    if (!reg.isRegistered(QLatin1String(BvButton::ClassName)))
        reg.registerClass(QLatin1String(BvButton::ClassName), g_factory);
    return reg.isRegistered(QLatin1String(BvButton::ClassName)) ? 0 : 1;
}

const int g_registered = registerButton();

} // namespace

extern "C" Q_DECL_EXPORT int DllRegisterServer()
{
    return registerButton();
}

extern "C" Q_DECL_EXPORT int DllUnregisterServer()
{
    pv::ClassRegistry::instance().unregisterClass(QLatin1String(BvButton::ClassName));
    return 0;
}

// 0: no button is alive, the library may go; 1: it is still in use.
extern "C" Q_DECL_EXPORT int DllCanUnloadNow()
{
    return BvButton::instanceCount() == 0 ? 0 : 1;
}

extern "C" Q_DECL_EXPORT void *DllGetClassObject(const char *className)
{
    (void)g_registered;
    if (className &&
        QString::fromUtf8(className).compare(QLatin1String(BvButton::ClassName), Qt::CaseInsensitive) == 0)
        return const_cast<pv::ControlFactory *>(&g_factory);
    return nullptr;
}
