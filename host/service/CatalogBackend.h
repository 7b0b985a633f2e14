#pragma once

#include "ConditionFilterOption.h"
#include "IComponent.h"
#include "ICategory.h"
#include "ICategoryProperty.h"
#include "IDetailedPublicComponent.h"
#include "ILegend.h"
#include "IPagedData.h"
#include "IProjectComponent.h"
#include "ISpecification.h"
#include "PublicComponentRepeatCheck.h"
#include "vela_service_export.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vela {

using Conditions = std::vector<std::shared_ptr<ConditionFilterOption>>;
using CategoryList = std::vector<std::shared_ptr<ICategory>>;
using ComponentList = std::vector<std::shared_ptr<IComponent>>;
using ComponentPage = std::shared_ptr<IPagedData<ComponentList>>;
using LegendList = std::vector<std::shared_ptr<ILegend>>;
using ProjectComponentList = std::vector<std::shared_ptr<IProjectComponent>>;
using RepeatCheckList = std::vector<std::shared_ptr<PublicComponentRepeatCheck>>;

// One collaboration project as listed.
struct ProjectSummary
{
    std::wstring Id;
    std::wstring Name;
};
using ProjectList = std::vector<ProjectSummary>;

struct CategoryQuery
{
    std::wstring Keyword;
    Conditions Filters;
};

struct ComponentQuery
{
    std::wstring CategoryCode;
    std::wstring Keyword;
    int32_t PageIndex = 1;
    int32_t PageSize = 20;
    int32_t SortMode = -1;
    Conditions Filters;
};

// Where the service layer's answers come from: the embedded catalog, a remote
// server, or a scripted backend in tests. Every call answers through `done`,
// from any thread and at any later time; an empty error means success. The
// service layer turns these answers into replies on the caller's thread, in
// request order. Keywords and condition values arrive cleaned (QueryText).
// A backend that queues work may keep RequestToken::Current() during the call
// and skip the work if the token is cancelled before it starts.
class VELA_SERVICE_EXPORT CatalogBackend
{
public:
    template <class T>
    using Done = std::function<void(std::wstring error, T result)>;

    virtual ~CatalogBackend() = default;

    virtual void GetCategories(const CategoryQuery& query, Done<CategoryList> done) = 0;
    virtual void GetComponents(const ComponentQuery& query, Done<ComponentPage> done) = 0;
    virtual void GetDetailedComponent(const std::wstring& componentId,
                                      Done<std::shared_ptr<IDetailedPublicComponent>> done) = 0;
    virtual void GetLegend(const std::wstring& componentId, Done<LegendList> done) = 0;
    virtual void GetSpecification(const std::wstring& componentId, const std::wstring& specificationId,
                                  Done<std::shared_ptr<ISpecification>> done) = 0;
    virtual void GetCategoryProperty(const std::wstring& categoryCode,
                                     Done<std::shared_ptr<ICategoryProperty>> done) = 0;
    // The URL of the component file (family, types and geometry) of a component.
    virtual void GetComponentFileUrl(const std::wstring& componentId, Done<std::wstring> done) = 0;

    // Project cloud.
    virtual void CheckPublicComponentRespeats(const std::wstring& projectId, const std::vector<std::wstring>& ids,
                                              Done<RepeatCheckList> done) = 0;
    virtual void AddComponentFromPublic(const std::wstring& projectId, const std::vector<std::wstring>& ids,
                                        Done<ProjectComponentList> done) = 0;
    // The same addition under a key its sender made: sent again with that key
    // (after a lost answer) it answers the copies made the first time instead of
    // making more. Backends without a project store of their own just add.
    virtual void AddComponentFromPublicOnce(const std::wstring& projectId, const std::vector<std::wstring>& ids,
                                            const std::wstring& requestKey, Done<ProjectComponentList> done);
    // Project names by id, read synchronously (the host keeps them at hand).
    virtual std::wstring ProjectName(const std::wstring& projectId) = 0;
    // A project's components in the order they were added, and the list of
    // projects. Backends without a project store answer an error.
    virtual void GetProjectComponents(const std::wstring& projectId, Done<ProjectComponentList> done);
    virtual void GetProjects(Done<ProjectList> done);

    // The backend every service uses; null until the host installs one.
    static std::shared_ptr<CatalogBackend> Current();
    static void Install(std::shared_ptr<CatalogBackend> backend);
};

} // namespace vela
