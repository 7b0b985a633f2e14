#include "ScriptedCatalogBackend.h"

#include <algorithm>

namespace vela::test {

ComponentPage ScriptedCatalogBackend::PageFor(const ComponentQuery& query) const
{
    ComponentList matches;
    for (const std::shared_ptr<IComponent>& component : Components) {
        const bool inCategory = query.CategoryCode.empty() || query.CategoryCode == L"ROOT"
                                || component->CategoryCode == query.CategoryCode;
        const bool hasKeyword = query.Keyword.empty() || component->Name.find(query.Keyword) != std::wstring::npos;
        if (inCategory && hasKeyword) {
            matches.push_back(component);
        }
    }
    auto page = std::make_shared<IPagedData<ComponentList>>();
    page->Total = static_cast<int64_t>(matches.size());
    const size_t first = static_cast<size_t>(std::max(0, query.PageIndex - 1)) * static_cast<size_t>(query.PageSize);
    for (size_t i = first; i < matches.size() && i < first + static_cast<size_t>(query.PageSize); ++i) {
        page->Data.push_back(matches[i]);
    }
    return page;
}

std::shared_ptr<ICategoryProperty> ScriptedCatalogBackend::PropertiesFor(const std::wstring& code) const
{
    const auto found = PropertiesByCategory.find(code);
    return found == PropertiesByCategory.end() ? nullptr : found->second;
}

void ScriptedCatalogBackend::ReleaseComponents(size_t index)
{
    const auto& request = ComponentRequests.at(index);
    request.Answer(std::wstring(), PageFor(request.Asked));
}

void ScriptedCatalogBackend::ReleaseCategories(size_t index)
{
    CategoryRequests.at(index).Answer(std::wstring(), Categories);
}

void ScriptedCatalogBackend::ReleaseFile(size_t index)
{
    const auto& request = FileRequests.at(index);
    AnswerFile(request.Asked, request.Answer);
}

void ScriptedCatalogBackend::AnswerFile(const std::wstring& componentId, const Done<std::wstring>& done) const
{
    const auto found = FileUrls.find(componentId);
    found == FileUrls.end() ? done(L"no file", std::wstring()) : done(std::wstring(), found->second);
}

size_t ScriptedCatalogBackend::RequestCount() const
{
    return CategoryRequests.size() + ComponentRequests.size() + PropertyRequests.size() + DetailRequests.size();
}

void ScriptedCatalogBackend::GetCategories(const CategoryQuery& query, Done<CategoryList> done)
{
    CategoryRequests.push_back({query, done, RequestToken::Current()});
    if (!Held) {
        done(std::wstring(), Categories);
    }
}

void ScriptedCatalogBackend::GetComponents(const ComponentQuery& query, Done<ComponentPage> done)
{
    ComponentRequests.push_back({query, done, RequestToken::Current()});
    if (!Held) {
        done(std::wstring(), PageFor(query));
    }
}

void ScriptedCatalogBackend::GetDetailedComponent(const std::wstring& componentId,
                                                  Done<std::shared_ptr<IDetailedPublicComponent>> done)
{
    DetailRequests.push_back({componentId, done, RequestToken::Current()});
    if (Held) {
        return;
    }
    const auto found = Details.find(componentId);
    if (found == Details.end()) {
        done(L"no such component", nullptr);
    } else {
        done(std::wstring(), found->second);
    }
}

void ScriptedCatalogBackend::GetLegend(const std::wstring&, Done<LegendList> done)
{
    done(std::wstring(), {});
}

void ScriptedCatalogBackend::GetSpecification(const std::wstring&, const std::wstring&,
                                              Done<std::shared_ptr<ISpecification>> done)
{
    done(L"no specification", nullptr);
}

void ScriptedCatalogBackend::GetCategoryProperty(const std::wstring& categoryCode,
                                                 Done<std::shared_ptr<ICategoryProperty>> done)
{
    PropertyRequests.push_back({categoryCode, done, RequestToken::Current()});
    if (!Held) {
        done(std::wstring(), PropertiesFor(categoryCode));
    }
}

void ScriptedCatalogBackend::GetComponentFileUrl(const std::wstring& componentId, Done<std::wstring> done)
{
    if (Held) {
        FileRequests.push_back({componentId, done, RequestToken::Current()});
        return;
    }
    AnswerFile(componentId, done);
}

void ScriptedCatalogBackend::CheckPublicComponentRespeats(const std::wstring& projectId,
                                                          const std::vector<std::wstring>& ids,
                                                          Done<RepeatCheckList> done)
{
    if (projectId.empty()) {
        done(L"no project", {});
        return;
    }
    RepeatCheckList checks;
    for (const std::wstring& id : ids) {
        checks.push_back(std::make_shared<PublicComponentRepeatCheck>(id, InProject.count(id) > 0));
    }
    done(std::wstring(), checks);
}

void ScriptedCatalogBackend::AddComponentFromPublic(const std::wstring& projectId,
                                                    const std::vector<std::wstring>& ids,
                                                    Done<ProjectComponentList> done)
{
    if (projectId.empty()) {
        done(L"no project", {});
        return;
    }
    Added.push_back(ids);
    ProjectComponentList added;
    for (const std::wstring& id : ids) {
        auto component = std::make_shared<IProjectComponent>();
        component->Id = L"P-" + id;
        component->Name = L"副本 " + id;
        component->CategoryCode = L"DOORS";
        component->Version = 1;
        component->PublicComponentId = id;
        added.push_back(component);
        InProject.insert(id);
    }
    done(std::wstring(), added);
}

std::wstring ScriptedCatalogBackend::ProjectName(const std::wstring& projectId)
{
    return projectId.empty() ? std::wstring() : ProjectTitle;
}

std::shared_ptr<ScriptedCatalogBackend> MakeSampleBackend(int count)
{
    auto backend = std::make_shared<ScriptedCatalogBackend>();
    const auto category = [](const wchar_t* code, const wchar_t* name, const wchar_t* parent, bool leaf) {
        auto c = std::make_shared<ICategory>();
        c->Code = code;
        c->Name = name;
        c->ParentCode = parent;
        c->Leaf = leaf;
        return c;
    };
    backend->Categories = {category(L"ROOT", L"全部", L"", false), category(L"DOORS", L"门", L"ROOT", true),
                           category(L"WINDOWS", L"窗", L"ROOT", true)};
    for (int i = 0; i < count; ++i) {
        auto component = std::make_shared<IComponent>();
        const bool door = i % 2 == 0;
        component->Id = (QStringLiteral("C%1").arg(i, 4, 10, QLatin1Char('0'))).toStdWString();
        component->Name = (QStringLiteral("%1%2").arg(door ? QStringLiteral("木门") : QStringLiteral("铝窗")).arg(i)).toStdWString();
        component->CategoryCode = door ? L"DOORS" : L"WINDOWS";
        component->ShopId = L"SHOP";
        backend->Components.push_back(component);
    }
    return backend;
}

ComponentList MakeComponents(int count)
{
    ComponentList page;
    for (int i = 0; i < count; ++i) {
        auto component = std::make_shared<IComponent>();
        component->Id = L"id" + std::to_wstring(i);
        component->Name = L"Component " + std::to_wstring(i);
        page.push_back(component);
    }
    return page;
}

} // namespace vela::test
