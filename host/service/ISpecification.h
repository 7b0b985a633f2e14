#pragma once

#include "IParameter.h"

#include <map>
#include <memory>
#include <string>

namespace vela {

// One specification (a type) of a component with its parameters, keyed so
// that key order is the display order.
struct ISpecification
{
    std::wstring Name;
    std::wstring Id;
    std::map<std::wstring, std::shared_ptr<IParameter>> Parameters;
};

} // namespace vela
