#include "Container.h"

namespace vela {

Container* Container::Get()
{
    // Modules register during static initialisation, so the container must
    // exist before any of them asks for it.
    static Container s_container;
    return &s_container;
}

Container::ProviderTable& Container::Providers()
{
    return m_providers;
}

} // namespace vela
