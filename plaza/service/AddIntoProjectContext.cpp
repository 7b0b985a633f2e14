#include "AddIntoProjectContext.h"

#include <utility>

namespace vela {

AddIntoProjectContext::AddIntoProjectContext(std::wstring projectId)
    : projectId(std::move(projectId))
{
}

std::wstring AddIntoProjectContext::ProjectId() const
{
    return projectId;
}

std::vector<std::shared_ptr<IProjectComponent>> AddIntoProjectContext::AddedComponents() const
{
    return addedComponents;
}

void AddIntoProjectContext::Add(std::shared_ptr<IProjectComponent> component)
{
    if (component) {
        addedComponents.push_back(std::move(component));
    }
}

} // namespace vela
