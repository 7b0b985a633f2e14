#include "IComponent.h"

namespace vela {

std::wstring IComponent::GetDisplayName() const
{
    return Name.empty() ? Id : Name;
}

} // namespace vela
