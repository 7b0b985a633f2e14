#pragma once

#include "vela_elementui_export.h"

#include <QString>

namespace vela {

// Style sheets for the slim, flat scroll bars of the lists and panes.
class VELA_ELEMENTUI_EXPORT ScrollBarStyles
{
public:
    // With `transparentGroove` the bar shows only its handle over the content's own background.
    static QString VerticalScrollBarStyle(bool transparentGroove);
    static QString HorizontalScrollBarStyle();
};

} // namespace vela
