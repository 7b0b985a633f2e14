#pragma once

#include "CatalogBackend.h"
#include "CustomReply.h"
#include "vela_service_export.h"

namespace vela {

// Components of the user's collaboration projects.
class VELA_SERVICE_EXPORT ProjectCloudComponentService
{
public:
    static ProjectCloudComponentService* Get();

    CustomReply<ProjectComponentList>* AddComponentFromPublic(const std::wstring& projectId,
                                                              const std::vector<std::wstring>& ids);
    CustomReply<RepeatCheckList>* CheckPublicComponentRespeats(const std::wstring& projectId,
                                                               const std::vector<std::wstring>& ids);

private:
    ProjectCloudComponentService() = default;
};

} // namespace vela
