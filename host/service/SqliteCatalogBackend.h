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
class ProjectStore;
struct PublicComponentRecord;

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
// Project requests go to a ProjectStore (a SQLite file, seeded with a few
// projects when new; with an empty path a store in memory that lives as long
// as the backend; or a PostgreSQL database), on threads of their own. The
// public components added are looked up in this catalog first.
class VELA_SERVICE_EXPORT SqliteCatalogBackend : public CatalogBackend
{
public:
    // `catalog` is a catalog folder or the catalog.sqlite file inside one.
    // `projectStore` is a ProjectStore connection.
    explicit SqliteCatalogBackend(const QString& catalog, const QString& projectStore = QString());
    SqliteCatalogBackend(const QString& catalog, std::shared_ptr<ProjectStore> projects);
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
    void AddComponentFromPublicOnce(const std::wstring& projectId, const std::vector<std::wstring>& ids,
                                    const std::wstring& requestKey, Done<ProjectComponentList> done) override;
    // Empty until the store has been read once (it is read as soon as the
    // backend is made) and for an unknown project.
    std::wstring ProjectName(const std::wstring& projectId) override;
    void GetProjectComponents(const std::wstring& projectId, Done<ProjectComponentList> done) override;
    void GetProjects(Done<ProjectList> done) override;

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
    template <class T, class Work>
    void Answer(Done<T> done, Work work);
    // Project work, on the project threads.
    template <class T, class Work>
    void AnswerProject(Done<T> done, Work work);

    QSqlDatabase Connection(QString* error);
    bool OpenCatalog(QSqlDatabase& db, QString* error);
    void OpenProjects();
    std::wstring ResolvePublic(const std::vector<std::wstring>& ids, std::vector<PublicComponentRecord>& out);
    void KeepProjectNames(const ProjectList& projects);
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

    QString m_folder;
    std::unique_ptr<const CatalogUrlResolver> m_urls;
    QString m_catalogFile;
    std::shared_ptr<ProjectStore> m_projects;
    int m_instance = 0;
    std::atomic<bool> m_closing{false};

    QMutex m_snapshotMutex;
    std::shared_ptr<const CatalogSnapshot> m_snapshot;
    std::unique_ptr<MatchSetCache> m_matches;

    QMutex m_projectsOpenMutex;
    bool m_projectsOpened = false;
    QMutex m_namesMutex;
    std::map<std::wstring, std::wstring> m_projectNames;

    // Last, so that their threads stop before anything they use goes away.
    QThreadPool m_catalogPool;
    // One thread for a store in memory, which lives only while its connection is open.
    QThreadPool m_projectPool;
};

} // namespace vela
