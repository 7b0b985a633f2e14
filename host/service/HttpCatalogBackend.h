#pragma once

#include "CatalogBackend.h"
#include "vela_service_export.h"

#include <QJsonObject>
#include <QMutex>
#include <QString>
#include <QThread>
#include <QUrl>

#include <atomic>
#include <deque>
#include <map>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

namespace vela {

// The catalog of a plaza-catalog-server, reached over HTTP. Requests go out
// from a thread of the backend's own (one network manager lives there), at
// most `maxInFlight` at once in request order, each cut off after
// `timeoutMs` from when it is sent; the rest wait in the backend's queue, so
// a request never times out before it was sent. Answers come back through
// `done` on that thread, with a short Chinese text for whatever went wrong
// (the raw network error goes to the log). Each exchange also tells the
// network detector whether the server was reached, so that a watched server
// that goes away turns the host offline.
//
// Project requests go to the server's project store. ProjectName() answers
// at once from the project list, fetched in the background when the backend
// is made, after each addition, and whenever a name is asked for before the
// list could be read.
class VELA_SERVICE_EXPORT HttpCatalogBackend : public CatalogBackend
{
public:
    static constexpr int DefaultTimeoutMs = 15000;
    static constexpr int DefaultMaxInFlight = 6;

    // `server` is the server's address ("http://127.0.0.1:8080", optionally with a path prefix).
    explicit HttpCatalogBackend(const QUrl& server, int timeoutMs = DefaultTimeoutMs,
                                int maxInFlight = DefaultMaxInFlight);
    // Requests still waiting or running fail; nothing is left running.
    ~HttpCatalogBackend() override;

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
    std::wstring ProjectName(const std::wstring& projectId) override;
    void GetProjectComponents(const std::wstring& projectId, Done<ProjectComponentList> done) override;
    void GetProjects(Done<ProjectList> done) override;

    QUrl Server() const;

private:
    struct Call;

    // A background call belongs to no request of the service layer, so no token cancels it.
    template <class T>
    void Send(std::shared_ptr<Call> call, Done<T> done, bool (*decode)(const QJsonObject&, T&, QString*),
              bool background = false);
    void RefreshProjects();
    // Fetches the project list and keeps its names.
    void FetchProjects(Done<ProjectList> done, bool background);
    std::shared_ptr<Call> Get(const QString& path, const std::vector<std::pair<const char*, std::wstring>>& query);
    std::shared_ptr<Call> Post(const QString& path, const QJsonObject& body);

    // On the backend's thread only.
    void Enqueue(std::shared_ptr<Call> call);
    void StartWaiting();
    void Launch(const std::shared_ptr<Call>& call);
    void Finish(QNetworkReply* reply, const std::shared_ptr<Call>& call, bool timedOut);
    void Shutdown();

    QUrl m_server;
    int m_timeoutMs;
    int m_maxInFlight;
    std::atomic<bool> m_closing{false};

    QThread m_thread;
    // Lives on m_thread: the context of everything that runs there.
    QObject* m_context = nullptr;
    // Owned by m_context, made on first use on m_thread.
    QNetworkAccessManager* m_manager = nullptr;
    QNetworkAccessManager* m_postManager = nullptr;
    std::deque<std::shared_ptr<Call>> m_waiting;
    int m_inFlight = 0;

    QMutex m_projectsMutex;
    std::map<std::wstring, std::wstring> m_projectNames;
    bool m_projectsKnown = false;
    std::atomic<bool> m_refreshing{false};
};

} // namespace vela
