#pragma once

#include "IProjectComponent.h"
#include "plaza_export.h"

#include <memory>
#include <string>
#include <vector>

namespace vela {

// The collaboration project the page adds into, and what it added while the window was open.
class PLAZA_EXPORT AddIntoProjectContext
{
public:
    explicit AddIntoProjectContext(std::wstring projectId = std::wstring());

    std::wstring ProjectId() const;
    std::vector<std::shared_ptr<IProjectComponent>> AddedComponents() const;
    // Appends one added component; null is ignored.
    void Add(std::shared_ptr<IProjectComponent> component);

private:
    std::wstring projectId;
    std::vector<std::shared_ptr<IProjectComponent>> addedComponents;
};

} // namespace vela
