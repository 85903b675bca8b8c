// The library's self-registration: the class registry learns "FendrixonFrame.FrameFendrixon"
// when the library loads, and again through DllRegisterServer.
#include "controls/frame/FrameFendrixon.h"

#include "platform/components/ClassRegistry.h"

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

PV_DEFINE_COMPONENT_ENTRY_POINTS(g_class, FrameFendrixon::instanceCount())
