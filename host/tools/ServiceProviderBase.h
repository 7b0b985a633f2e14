#pragma once

#include <string>

namespace vela {

// How the service container holds one service: its interface's type name and the object.
class ServiceProviderBase
{
public:
    virtual std::string ServiceTypeName() const = 0;
    virtual void* GetInstance() = 0;

protected:
    // Providers are owned by shared pointers made for their concrete type.
    ~ServiceProviderBase() = default;
};

} // namespace vela
