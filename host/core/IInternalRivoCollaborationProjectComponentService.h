#pragma once

#include "IProjectComponent.h"
#include "InternalAddComponentOptions.h"

#include <memory>
#include <string>
#include <vector>

namespace vela {

// Lets another module of the host have the user pick public components for a
// collaboration project; answers the project components that were added.
class IInternalRivoCollaborationProjectComponentService
{
public:
    virtual std::vector<std::shared_ptr<IProjectComponent>> AddComponentsFromPublic(
        const InternalAddComponentOptions& options, std::wstring& errorMessage) = 0;
    virtual ~IInternalRivoCollaborationProjectComponentService() = default;
};

} // namespace vela
