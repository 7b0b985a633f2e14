#pragma once

#include "CatalogBackend.h"
#include "CustomReply.h"
#include "vela_service_export.h"

#include <QObject>

#include <map>

namespace vela {

// Categories of the public library. Keeps the last tree it received so that
// GetCategoryByCode answers at once.
class VELA_SERVICE_EXPORT PublicCategoryService : public QObject
{
    Q_OBJECT

public:
    static PublicCategoryService* Get();

    CustomReply<CategoryList>* GetCategories(const std::wstring& softwareCode, const std::wstring& softwareVersion,
                                             const std::wstring& parentCode, const std::wstring& keyword,
                                             const Conditions& conditions);

    // Not owned; null for a code the last tree did not hold.
    ICategory* GetCategoryByCode(const std::wstring& categoryCode);

private:
    PublicCategoryService() = default;

    std::map<std::wstring, std::shared_ptr<ICategory>> m_categories;
};

} // namespace vela
