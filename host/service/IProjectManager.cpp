#include "IProjectManager.h"

#include "CatalogBackend.h"

namespace vela {

IProjectManager* IProjectManager::Get()
{
    static IProjectManager s_manager;
    return &s_manager;
}

std::wstring IProjectManager::TryGetCurrentProjectNameById(const std::wstring& projectId)
{
    const std::shared_ptr<CatalogBackend> backend = CatalogBackend::Current();
    return backend ? backend->ProjectName(projectId) : std::wstring();
}

} // namespace vela
