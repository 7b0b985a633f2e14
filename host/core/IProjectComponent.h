#pragma once

#include <cstdint>
#include <string>

namespace vela {

// A component stored in a collaboration project, possibly copied from the public library.
struct IProjectComponent
{
    std::wstring Id;
    std::wstring Name;
    std::wstring CategoryCode;
    int32_t Version = 0;
    std::wstring PublicComponentId;
};

} // namespace vela
