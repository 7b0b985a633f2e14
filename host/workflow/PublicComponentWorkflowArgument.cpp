#include "PublicComponentWorkflowArgument.h"

#include <utility>

namespace vela {

PublicComponentWorkflowArgument::PublicComponentWorkflowArgument(const IComponent& component,
                                                                 std::wstring softwareVersion,
                                                                 tarn::RuntimeId documentId,
                                                                 std::shared_ptr<IVelaFamilyLoadOptions> loadOptions)
    : ComponentId(component.Id)
    , ComponentName(component.Name)
    , SoftwareVersion(std::move(softwareVersion))
    , CategoryCode(component.CategoryCode)
    , DocumentId(documentId)
    , LoadOptions(std::move(loadOptions))
{
}

} // namespace vela
