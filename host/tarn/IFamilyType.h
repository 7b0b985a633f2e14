#pragma once

#include "UniIdentity.h"

#include <string>

namespace tarn {

// One type (a named set of parameter values) of a family.
class IFamilyType
{
public:
    virtual std::wstring GetName() const = 0;
    virtual UniIdentity GetUniIdentity() const = 0;
    virtual ~IFamilyType() = default;
};

} // namespace tarn
