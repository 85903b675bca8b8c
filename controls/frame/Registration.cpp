// The library's self-registration: the class registry learns "FendrixonFrame.FrameFendrixon"
// when the library loads, and again through DllRegisterServer.
#include "controls/frame/FrameFendrixon.h"

#include "platform/components/ClassRegistry.h"

PV_DECLARE_COMPONENT_ENTRY_POINTS()

namespace
{

// The design bag may name the instance ("Name") and place it ("Left", "Top", "Width",
// "Height", in twips), as a form description does; an empty bag makes a new instance.
QWidget *createFrame(QWidget *parent, const pv::PropertyBag &design)
{
    const QString name = design.ReadProperty(QStringLiteral("Name")).toString();
    FrameFendrixon *frame =
        design.size() == 0 ? new FrameFendrixon(parent, name) : new FrameFendrixon(parent, name, design);
    pv::moveToDesign(frame, design);
    return frame;
}

// Every control library exports the same entry-point names, so the library's own start-up
// registers through this object, never through them: another library's symbol could answer.
pv::ControlClass g_class(QStringLiteral("FendrixonFrame.FrameFendrixon"), createFrame);

} // namespace

extern "C" int DllRegisterServer()
{
    return g_class.registerClass();
}

extern "C" int DllUnregisterServer()
{
    return g_class.unregisterClass();
}

extern "C" int DllCanUnloadNow()
{
    // Frames are owned by their forms; the library stays while the class is registered.
    return g_class.isRegistered() ? 1 : 0;
}

extern "C" void *DllGetClassObject(const char *className)
{
    return g_class.classObject(className);
}
