#pragma once

#include <string>

namespace vela {

// One parameter of a component specification.
struct IParameter
{
    std::wstring Name;
    std::wstring Value;
    std::wstring Unit;
    bool Visible = true;

    bool IsVisible() const { return Visible; }
};

} // namespace vela
