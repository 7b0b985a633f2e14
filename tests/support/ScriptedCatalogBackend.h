#pragma once

#include "CatalogBackend.h"
#include "RequestToken.h"

#include <functional>
#include <set>
#include <vector>

namespace vela::test {

// A catalog backend whose answers the test writes and releases. Every request
// is recorded; in held mode its answer waits until the test releases it, in
// the order the test chooses, otherwise it is answered at once from the
// canned data (the service layer still delivers it later, on the reply's thread).
// Like a backend with a queue, a held request has not started until the test
// starts it; its token may be cancelled until then. Released answers are
// given whatever the token says, as a backend that ignores tokens would.
class ScriptedCatalogBackend : public CatalogBackend
{
public:
    template <class Query, class Result>
    struct Request
    {
        Query Asked;
        Done<Result> Answer;
        // The service layer's token for the request; null when none was current.
        std::shared_ptr<RequestToken> Token;

        // Marks the work as running, as a worker taking it up would; false
        // when it was cancelled first. Without a token nothing can cancel it.
        bool Start() const { return !Token || Token->Start(); }
        bool IsCancelled() const { return Token && Token->IsCancelled(); }
    };

    // Canned data.
    CategoryList Categories;
    ComponentList Components;
    std::map<std::wstring, std::shared_ptr<ICategoryProperty>> PropertiesByCategory;
    std::map<std::wstring, std::shared_ptr<IDetailedPublicComponent>> Details;
    // Component file URLs by component id.
    std::map<std::wstring, std::wstring> FileUrls;
    // The project store: ids of public components already in the project
    // and the project's name. An empty project id is refused.
    std::set<std::wstring> InProject;
    std::wstring ProjectTitle = L"协同示范项目";
    // What AddComponentFromPublic was asked to add, call by call.
    std::vector<std::vector<std::wstring>> Added;
    // Stop answering by themselves; Release*() answers.
    bool Held = false;

    // What was asked, in order.
    std::vector<Request<CategoryQuery, CategoryList>> CategoryRequests;
    std::vector<Request<ComponentQuery, ComponentPage>> ComponentRequests;
    std::vector<Request<std::wstring, std::shared_ptr<ICategoryProperty>>> PropertyRequests;
    std::vector<Request<std::wstring, std::shared_ptr<IDetailedPublicComponent>>> DetailRequests;
    // Held only: unheld file requests are answered at once and not recorded.
    std::vector<Request<std::wstring, std::wstring>> FileRequests;

    // The canned answer to a component query: the matching page of Components.
    ComponentPage PageFor(const ComponentQuery& query) const;
    std::shared_ptr<ICategoryProperty> PropertiesFor(const std::wstring& code) const;
    void AnswerFile(const std::wstring& componentId, const Done<std::wstring>& done) const;

    // Answers request `index` with the canned data.
    void ReleaseComponents(size_t index);
    void ReleaseCategories(size_t index);
    void ReleaseFile(size_t index);

    size_t RequestCount() const;

    void GetCategories(const CategoryQuery& query, Done<CategoryList> done) override;
    void GetComponents(const ComponentQuery& query, Done<ComponentPage> done) override;
    void GetDetailedComponent(const std::wstring& componentId,
                              Done<std::shared_ptr<IDetailedPublicComponent>> done) override;
    void GetLegend(const std::wstring& componentId, Done<LegendList> done) override;
    void GetSpecification(const std::wstring& componentId, const std::wstring& specificationId,
                          Done<std::shared_ptr<ISpecification>> done) override;
    void GetCategoryProperty(const std::wstring& categoryCode,
                             Done<std::shared_ptr<ICategoryProperty>> done) override;
    void GetComponentFileUrl(const std::wstring& componentId, Done<std::wstring> done) override;
    void CheckPublicComponentRespeats(const std::wstring& projectId, const std::vector<std::wstring>& ids,
                                      Done<RepeatCheckList> done) override;
    void AddComponentFromPublic(const std::wstring& projectId, const std::vector<std::wstring>& ids,
                                Done<ProjectComponentList> done) override;
    std::wstring ProjectName(const std::wstring& projectId) override;
};

// A small tree: root "ROOT" with "DOORS" (leaf) and "WINDOWS" (leaf), and
// `count` components alternating between the two leaves.
std::shared_ptr<ScriptedCatalogBackend> MakeSampleBackend(int count);

// `count` components "id0", "id1", … named "Component 0", "Component 1", …, for filling lists directly.
ComponentList MakeComponents(int count);

} // namespace vela::test
