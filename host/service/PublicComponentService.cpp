#include "PublicComponentService.h"

#include "QueryText.h"
#include "ServiceRequest.h"

namespace vela {

PublicComponentService* PublicComponentService::Get()
{
    static PublicComponentService s_service;
    return &s_service;
}

CustomReply<ComponentPage>* PublicComponentService::GetComponents(const std::wstring&, const std::wstring&,
                                                                  const std::wstring& categoryCode,
                                                                  const std::wstring& keyword, int32_t pageIndex,
                                                                  int32_t pageSize, int32_t sortMode,
                                                                  const Conditions& conditions)
{
    const ComponentQuery query{categoryCode, QueryText::Normalize(keyword), pageIndex, pageSize, sortMode,
                               QueryText::NormalizeConditions(conditions)};
    return SendRequest<ComponentPage>(RequestKind::Components, [&](CatalogBackend& backend, auto done) {
        backend.GetComponents(query, std::move(done));
    });
}

CustomReply<std::shared_ptr<IDetailedPublicComponent>>* PublicComponentService::GetDetailedComponent(
    const std::wstring&, const std::wstring&, const std::wstring& componentId)
{
    return SendRequest<std::shared_ptr<IDetailedPublicComponent>>(
        RequestKind::DetailedComponent,
        [&](CatalogBackend& backend, auto done) { backend.GetDetailedComponent(componentId, std::move(done)); });
}

CustomReply<LegendList>* PublicComponentService::GetLegend(const std::wstring&, const std::wstring&,
                                                           const std::wstring& componentId)
{
    return SendRequest<LegendList>(
        RequestKind::Legend,
        [&](CatalogBackend& backend, auto done) { backend.GetLegend(componentId, std::move(done)); });
}

CustomReply<std::shared_ptr<ISpecification>>* PublicComponentService::GetSpecification(
    const std::wstring&, const std::wstring&, const std::wstring& componentId, const std::wstring& specificationId)
{
    return SendRequest<std::shared_ptr<ISpecification>>(
        RequestKind::Specification, [&](CatalogBackend& backend, auto done) {
            backend.GetSpecification(componentId, specificationId, std::move(done));
        });
}

CustomReply<std::wstring>* PublicComponentService::GetComponentFileUrl(const std::wstring& componentId)
{
    return SendRequest<std::wstring>(
        RequestKind::ComponentFileUrl,
        [&](CatalogBackend& backend, auto done) { backend.GetComponentFileUrl(componentId, std::move(done)); });
}

} // namespace vela
