#pragma once

#include "ServiceProviderBase.h"

#include <typeinfo>

namespace vela {

// A provider that names its interface by the interface's run-time type name.
template <class I>
class GenericServiceProvider : public ServiceProviderBase
{
public:
    std::string ServiceTypeName() const override { return typeid(I).name(); }

protected:
    ~GenericServiceProvider() = default;
};

} // namespace vela
