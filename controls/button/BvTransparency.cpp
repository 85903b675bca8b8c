// Whether the desktop shows see-through pixels, asked apart from the tooltip's window
// code: the X11 headers define names (KeyPress, None, ...) that clash with Qt's.
#include "controls/button/BvToolTip.h"

#include <QGuiApplication>

#if defined(PV_HAVE_X11) && QT_CONFIG(xcb)
#define PV_ASK_X11
#include <X11/Xlib.h>
#endif

namespace BrennavikBtn
{

bool ToolTipWindow::desktopShowsTransparency()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb")) {
        // A compositing manager owns the selection _NET_WM_CM_S<screen> while it runs.
#ifdef PV_ASK_X11
        const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        Display *display = x11 ? x11->display() : nullptr;
        if (!display)
            return false;
        const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(DefaultScreen(display));
        const Atom selection = XInternAtom(display, name.constData(), False);
        return XGetSelectionOwner(display, selection) != None;
#else
        return false;
#endif
    }
    // The offscreen and minimal platforms compose nothing; every other desktop Qt draws on
    // composes its windows.
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

} // namespace BrennavikBtn
