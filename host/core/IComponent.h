#pragma once

#include "vela_core_export.h"

#include <QMetaType>

#include <string>

namespace vela {

// One public library component as the result lists show it.
class VELA_CORE_EXPORT IComponent
{
public:
    std::wstring Id;
    std::wstring Name;
    std::wstring CategoryCode;
    std::wstring ThumbnailUrl;
    std::wstring ShopId;

    // The name a list shows: the component's name, or its id when it has none.
    std::wstring GetDisplayName() const;
};

} // namespace vela

Q_DECLARE_METATYPE(vela::IComponent)
