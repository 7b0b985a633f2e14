#include "ProjectCloudComponentService.h"

#include "ServiceRequest.h"

namespace vela {

ProjectCloudComponentService* ProjectCloudComponentService::Get()
{
    static ProjectCloudComponentService s_service;
    return &s_service;
}

CustomReply<ProjectComponentList>* ProjectCloudComponentService::AddComponentFromPublic(
    const std::wstring& projectId, const std::vector<std::wstring>& ids)
{
    return SendRequest<ProjectComponentList>(
        RequestKind::AddFromPublic,
        [&](CatalogBackend& backend, auto done) { backend.AddComponentFromPublic(projectId, ids, std::move(done)); });
}

CustomReply<RepeatCheckList>* ProjectCloudComponentService::CheckPublicComponentRespeats(
    const std::wstring& projectId, const std::vector<std::wstring>& ids)
{
    return SendRequest<RepeatCheckList>(RequestKind::RepeatCheck, [&](CatalogBackend& backend, auto done) {
        backend.CheckPublicComponentRespeats(projectId, ids, std::move(done));
    });
}

} // namespace vela
