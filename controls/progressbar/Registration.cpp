// The library's self-registration: the class registry learns "ProgressBar.QuorvelXPProgressBar"
// when the library loads, and again through DllRegisterServer.
#include "controls/progressbar/QuorvelXPProgressBar.h"

#include "platform/components/ClassRegistry.h"
#include "platform/components/Twips.h"

namespace
{

// The design bag may name the instance ("Name") and place it ("Left", "Top", "Width",
// "Height", in twips), as a form description does; an empty bag makes a new instance.
QWidget *createProgressBar(QWidget *parent, const pv::PropertyBag &design)
{
    auto *bar =
        design.size() == 0 ? new QuorvelXPProgressBar(parent) : new QuorvelXPProgressBar(parent, design);
    bar->setObjectName(design.ReadProperty(QStringLiteral("Name")).toString());
    bool okW = false, okH = false;
    const int w = design.ReadProperty(QStringLiteral("Width")).toInt(&okW);
    const int h = design.ReadProperty(QStringLiteral("Height")).toInt(&okH);
    if (okW || okH)
        bar->resize(okW ? pv::twipsToPixels(w) : bar->width(), okH ? pv::twipsToPixels(h) : bar->height());
    pv::moveToDesign(bar, design);
    if (okW || okH) { // the size change and the repaint that follows it
        bar->sethdc();
        bar->DrawProgressBar();
    }
    return bar;
}

// Every control library exports the same entry-point names, so the library's own start-up
// registers through this object, never through them: another library's symbol could answer.
pv::ControlClass g_class(QStringLiteral("ProgressBar.QuorvelXPProgressBar"), createProgressBar);

} // namespace

PV_DEFINE_COMPONENT_ENTRY_POINTS(g_class, QuorvelXPProgressBar::instanceCount())
