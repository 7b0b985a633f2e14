#pragma once

#include "vela_elementui_export.h"

namespace vela {

// Whether the window system blends translucent windows over what lies behind
// them. Without a compositor (plain X11, VNC, many remote desktops) the
// transparent pixels of a translucent window show as black, so shadows and
// rounded corners must give way to an opaque frame.
class VELA_ELEMENTUI_EXPORT DesktopCompositor
{
public:
    // Asked when a window is built: translucency is chosen before its native window exists.
    static bool IsRunning();
};

} // namespace vela
