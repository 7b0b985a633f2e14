#pragma once

#include "ServiceProviderBase.h"
#include "vela_tools_export.h"

#include <memory>
#include <string>
#include <typeinfo>
#include <unordered_map>

namespace vela {

// The host's service container: modules register providers under the type
// name of the interface they provide and look services up the same way.
class VELA_TOOLS_EXPORT Container
{
public:
    using ProviderTable = std::unordered_map<std::string, std::shared_ptr<ServiceProviderBase>>;

    static Container* Get();

    ProviderTable& Providers();

    // The service registered for interface I, or null.
    template <class I>
    I* Resolve()
    {
        const auto found = m_providers.find(typeid(I).name());
        if (found == m_providers.end() || !found->second) {
            return nullptr;
        }
        return static_cast<I*>(found->second->GetInstance());
    }

private:
    Container() = default;

    ProviderTable m_providers;
};

} // namespace vela
