#include "PublicCategoryService.h"

#include "QueryText.h"
#include "ServiceRequest.h"

namespace vela {

PublicCategoryService* PublicCategoryService::Get()
{
    static PublicCategoryService s_service;
    return &s_service;
}

CustomReply<CategoryList>* PublicCategoryService::GetCategories(const std::wstring&, const std::wstring&,
                                                                 const std::wstring&, const std::wstring& keyword,
                                                                 const Conditions& conditions)
{
    const CategoryQuery query{QueryText::Normalize(keyword), QueryText::NormalizeConditions(conditions)};
    auto* reply = SendRequest<CategoryList>(RequestKind::Categories, [&](CatalogBackend& backend, auto done) {
        backend.GetCategories(query, std::move(done));
    });
    // Connected before the caller's handler, so the cache is fresh when it runs.
    connect(reply, &CustomReplyBase::Finished, this, [this, reply] {
        if (!reply->Error().empty()) {
            return;
        }
        std::map<std::wstring, std::shared_ptr<ICategory>> categories;
        for (const std::shared_ptr<ICategory>& category : reply->Result()) {
            if (category && !category->Code.empty()) {
                categories.emplace(category->Code, category);
            }
        }
        m_categories.swap(categories);
    });
    return reply;
}

ICategory* PublicCategoryService::GetCategoryByCode(const std::wstring& categoryCode)
{
    const auto found = m_categories.find(categoryCode);
    return found == m_categories.end() ? nullptr : found->second.get();
}

} // namespace vela
