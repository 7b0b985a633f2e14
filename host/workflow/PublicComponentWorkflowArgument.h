#pragma once

#include "IComponent.h"
#include "IVelaFamilyLoadOptions.h"
#include "RuntimeId.h"
#include "vela_workflow_export.h"

#include <memory>
#include <string>

namespace vela {

// What a workflow needs to fetch one public component and bring it into a document.
class VELA_WORKFLOW_EXPORT PublicComponentWorkflowArgument
{
public:
    PublicComponentWorkflowArgument() = default;
    PublicComponentWorkflowArgument(const IComponent& component, std::wstring softwareVersion,
                                    tarn::RuntimeId documentId,
                                    std::shared_ptr<IVelaFamilyLoadOptions> loadOptions);

    std::wstring ComponentId;
    std::wstring ComponentName;
    std::wstring SoftwareVersion;
    std::wstring CategoryCode;
    tarn::RuntimeId DocumentId = tarn::RuntimeId::InvalidID;
    std::shared_ptr<IVelaFamilyLoadOptions> LoadOptions;
};

} // namespace vela
