#pragma once

#include "CatalogBackend.h"
#include "CustomReply.h"
#include "vela_service_export.h"

namespace vela {

// Filterable properties of categories.
class VELA_SERVICE_EXPORT PropertyService
{
public:
    static PropertyService* Get();

    CustomReply<std::shared_ptr<ICategoryProperty>>* GetCategoryProperty(const std::wstring& softwareCode,
                                                                         const std::wstring& softwareVersion,
                                                                         const std::wstring& categoryCode,
                                                                         bool filterableOnly);

private:
    PropertyService() = default;
};

} // namespace vela
