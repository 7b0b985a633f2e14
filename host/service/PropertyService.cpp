#include "PropertyService.h"

#include "ServiceRequest.h"

namespace vela {

PropertyService* PropertyService::Get()
{
    static PropertyService s_service;
    return &s_service;
}

CustomReply<std::shared_ptr<ICategoryProperty>>* PropertyService::GetCategoryProperty(
    const std::wstring&, const std::wstring&, const std::wstring& categoryCode, bool)
{
    return SendRequest<std::shared_ptr<ICategoryProperty>>(
        RequestKind::CategoryProperty,
        [&](CatalogBackend& backend, auto done) { backend.GetCategoryProperty(categoryCode, std::move(done)); });
}

} // namespace vela
