#include "DesktopCompositor.h"

#include <QGuiApplication>

#ifdef VELA_HAVE_X11EXTRAS
#include <QX11Info>
#endif

namespace vela {

bool DesktopCompositor::IsRunning()
{
    // X11 composites only while a compositing manager owns the _NET_WM_CM_S<screen>
    // selection; Qt's xcb plug-in follows that owner for us.
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
#ifdef VELA_HAVE_X11EXTRAS
        return QX11Info::isCompositingManagerRunning();
#else
        // Unable to ask: an opaque frame is always drawn correctly.
        return false;
#endif
    }
    // Wayland, Windows and macOS always composite; the offscreen and image-based
    // platforms blend in their own backing store.
    return true;
}

} // namespace vela
