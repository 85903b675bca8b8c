// The library's self-registration: the class registry learns "FendrixonFrame.FrameFendrixon"
// when the library loads, and again through DllRegisterServer.
#include "controls/frame/FrameFendrixon.h"

#include "platform/components/ClassRegistry.h"
#include "platform/components/Twips.h"

PV_DECLARE_COMPONENT_ENTRY_POINTS()

namespace
{

const QString kClassName = QStringLiteral("FendrixonFrame.FrameFendrixon");

// The design bag may name the instance ("Name") and place it ("Left", "Top", "Width",
// "Height", in twips), as a form description does; an empty bag makes a new instance.
QWidget *createFrame(QWidget *parent, const pv::PropertyBag &design)
{
    const QString name = design.ReadProperty(QStringLiteral("Name")).toString();
    FrameFendrixon *frame =
        design.size() == 0 ? new FrameFendrixon(parent, name) : new FrameFendrixon(parent, name, design);
    bool okL = false, okT = false;
    const int left = design.ReadProperty(QStringLiteral("Left")).toInt(&okL);
    const int top = design.ReadProperty(QStringLiteral("Top")).toInt(&okT);
    if (okL || okT)
        frame->move(okL ? pv::twipsToPixels(left) : frame->x(), okT ? pv::twipsToPixels(top) : frame->y());
    return frame;
}

pv::ControlFactory g_factory = createFrame;

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
    // Frames are owned by their forms; the library stays while the class is registered.
    return pv::ClassRegistry::instance().isRegistered(kClassName) ? 1 : 0;
}

extern "C" void *DllGetClassObject(const char *className)
{
    if (className && kClassName.compare(QString::fromLatin1(className), Qt::CaseInsensitive) == 0)
        return &g_factory;
    return nullptr;
}
