#pragma once

#include <string>

namespace vela {

// A legend picture of a component (a plan, elevation or symbol) with its caption.
struct ILegend
{
    std::wstring Name;
    std::wstring ImageUrl;
};

} // namespace vela
