#include "InternalAddComponentOptions.h"

#include <utility>

namespace vela {

InternalAddComponentOptions::InternalAddComponentOptions(std::wstring projectId)
    : m_projectId(std::move(projectId))
{
}

std::wstring InternalAddComponentOptions::ProjectId() const
{
    return m_projectId;
}

} // namespace vela
