#pragma once

#include "vela_elementui_export.h"

#include <QVariant>

namespace vela {

// Base of the filter and value items the condition panes show; Tag identifies the item.
class VELA_ELEMENTUI_EXPORT ItemBase
{
public:
    virtual ~ItemBase() = default;

    QVariant Tag;
};

} // namespace vela
