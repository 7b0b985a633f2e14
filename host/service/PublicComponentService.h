#pragma once

#include "CatalogBackend.h"
#include "CustomReply.h"
#include "vela_service_export.h"

namespace vela {

// Components of the public library: result pages, details, legends, specifications and files.
class VELA_SERVICE_EXPORT PublicComponentService
{
public:
    static PublicComponentService* Get();

    CustomReply<ComponentPage>* GetComponents(const std::wstring& softwareCode, const std::wstring& softwareVersion,
                                              const std::wstring& categoryCode, const std::wstring& keyword,
                                              int32_t pageIndex, int32_t pageSize, int32_t sortMode,
                                              const Conditions& conditions);
    CustomReply<std::shared_ptr<IDetailedPublicComponent>>* GetDetailedComponent(
        const std::wstring& softwareCode, const std::wstring& softwareVersion, const std::wstring& componentId);
    CustomReply<LegendList>* GetLegend(const std::wstring& softwareCode, const std::wstring& softwareVersion,
                                       const std::wstring& componentId);
    CustomReply<std::shared_ptr<ISpecification>>* GetSpecification(const std::wstring& softwareCode,
                                                                    const std::wstring& softwareVersion,
                                                                    const std::wstring& componentId,
                                                                    const std::wstring& specificationId);
    // The URL of the component's file, for the download workflow.
    CustomReply<std::wstring>* GetComponentFileUrl(const std::wstring& componentId);

private:
    PublicComponentService() = default;
};

} // namespace vela
