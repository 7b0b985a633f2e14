#pragma once

#include "CatalogBackend.h"
#include "vela_service_export.h"

#include <QMutex>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <map>
#include <memory>

class QSqlDatabase;

namespace vela {

struct CatalogSnapshot;
class CatalogUrlResolver;
class MatchQuery;
class MatchSet;
class MatchSetCache;

// The embedded catalog (see CatalogSchema) and a project store, answered on
// worker threads. Each worker thread holds its own connection, opened on
// first use; callers' threads never touch either database.
//
// A request whose token (RequestToken::Current() during the call) has been
// cancelled by the time a worker gets to it is answered with an error
// without being run, so superseded searches do not pile up.
//
// Queries: keyword and condition values are cleaned as QueryText does,
// whoever calls. A keyword matches component names as a substring, letter case
// ignored, every character taken literally. Results come in catalog order
// (tree order, then as written); the sort mode is not used. The category tree
// is always returned whole, with HasMatches marking the categories whose
// subtree holds a match, so the tree never changes shape under the user.
//
// The components matching a keyword and conditions are found once per query
// and kept in a small cache shared by the workers (see MatchSetEngine), so the
// total, every page and the tree of one query read the same set, and a page
// costs its own rows whatever its number.
//
// The project store is a SQLite file (created and seeded with a few
// projects when missing) or, with an empty path, a store in memory that
// lives as long as the backend. Its tables:
//   projects(id PRIMARY KEY, name)
//   project_components(id PRIMARY KEY, project_id, name, category_code,
//                      version, public_component_id, added_at)
class VELA_SERVICE_EXPORT SqliteCatalogBackend : public CatalogBackend
{
public:
    // `catalog` is a catalog folder or the catalog.sqlite file inside one.
    explicit SqliteCatalogBackend(const QString& catalog, const QString& projectStore = QString());
    // Waits for the queries that are running; queued ones fail.
    ~SqliteCatalogBackend() override;

    void GetCategories(const CategoryQuery& query, Done<CategoryList> done) override;
    void GetComponents(const ComponentQuery& query, Done<ComponentPage> done) override;
    void GetDetailedComponent(const std::wstring& componentId,
                              Done<std::shared_ptr<IDetailedPublicComponent>> done) override;
    void GetLegend(const std::wstring& componentId, Done<LegendList> done) override;
    void GetSpecification(const std::wstring& componentId, const std::wstring& specificationId,
                          Done<std::shared_ptr<ISpecification>> done) override;
    void GetCategoryProperty(const std::wstring& categoryCode, Done<std::shared_ptr<ICategoryProperty>> done) override;
    void GetComponentFileUrl(const std::wstring& componentId, Done<std::wstring> done) override;

    void CheckPublicComponentRespeats(const std::wstring& projectId, const std::vector<std::wstring>& ids,
                                      Done<RepeatCheckList> done) override;
    void AddComponentFromPublic(const std::wstring& projectId, const std::vector<std::wstring>& ids,
                                Done<ProjectComponentList> done) override;
    // Empty until the store has been read once (it is read as soon as the
    // backend is made) and for an unknown project.
    std::wstring ProjectName(const std::wstring& projectId) override;

    QString CatalogFolder() const;

    // What the match-set cache holds now, for tests and benchmarks.
    struct CacheUse
    {
        int Entries = 0;
        qint64 Bytes = 0;
    };
    CacheUse MatchCacheUse() const;
    // The cache's bounds: a few sets of a large catalog.
    static constexpr int MatchCacheEntries = 8;
    static constexpr qint64 MatchCacheBytes = 24 * 1024 * 1024;

private:
    enum class Store { Catalog, Projects };

    template <class T, class Work>
    void Answer(Store store, Done<T> done, Work work);

    QSqlDatabase Connection(Store store, QString* error);
    bool OpenCatalog(QSqlDatabase& db, QString* error);
    bool OpenProjects(QSqlDatabase& db, QString* error);
    std::shared_ptr<const CatalogSnapshot> Snapshot(QSqlDatabase& db, std::wstring& error);
    std::wstring ResolveUrl(const QString& stored) const;
    std::wstring Matches(QSqlDatabase& db, const CatalogSnapshot& snapshot, const MatchQuery& query, qint64 first,
                         qint64 last, std::shared_ptr<const MatchSet>& out);

    std::wstring QueryCategories(QSqlDatabase& db, const CategoryQuery& query, CategoryList& out);
    std::wstring QueryComponents(QSqlDatabase& db, const ComponentQuery& query, ComponentPage& out);
    std::wstring QueryDetail(QSqlDatabase& db, const std::wstring& componentId,
                             std::shared_ptr<IDetailedPublicComponent>& out);
    std::wstring QueryLegends(QSqlDatabase& db, const std::wstring& componentId, LegendList& out);
    std::wstring QuerySpecification(QSqlDatabase& db, const std::wstring& componentId,
                                    const std::wstring& specificationId, std::shared_ptr<ISpecification>& out);
    std::wstring QueryCategoryProperty(QSqlDatabase& db, const std::wstring& categoryCode,
                                       std::shared_ptr<ICategoryProperty>& out);
    std::wstring QueryFileUrl(QSqlDatabase& db, const std::wstring& componentId, std::wstring& out);
    std::wstring QueryRepeats(QSqlDatabase& db, const std::wstring& projectId, const std::vector<std::wstring>& ids,
                              RepeatCheckList& out);
    std::wstring AddFromPublic(QSqlDatabase& db, const std::wstring& projectId, const std::vector<std::wstring>& ids,
                               ProjectComponentList& out);

    QString m_folder;
    std::unique_ptr<const CatalogUrlResolver> m_urls;
    QString m_catalogFile;
    QString m_projectStore;
    int m_instance = 0;
    std::atomic<bool> m_closing{false};

    QMutex m_snapshotMutex;
    std::shared_ptr<const CatalogSnapshot> m_snapshot;
    std::unique_ptr<MatchSetCache> m_matches;

    QMutex m_namesMutex;
    std::map<std::wstring, std::wstring> m_projectNames;

    // Last, so that their threads stop before anything they use goes away.
    QThreadPool m_catalogPool;
    // One thread: an in-memory store exists only on the connection that made it.
    QThreadPool m_projectPool;
};

} // namespace vela
