#pragma once

#include "vela_elementui_export.h"

#include <QString>

namespace vela {

// Style sheets of the library's two button kinds.
class VELA_ELEMENTUI_EXPORT ButtonStyles
{
public:
    // White with a blue outline and blue text.
    static QString Hollow();
    // Filled blue with white text.
    static QString Solid();
};

} // namespace vela
