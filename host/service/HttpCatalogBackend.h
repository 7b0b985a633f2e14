#pragma once

#include "CatalogBackend.h"
#include "vela_service_export.h"

#include <QJsonObject>
#include <QString>
#include <QThread>
#include <QUrl>

#include <atomic>
#include <deque>
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
// Project-cloud requests are not served over HTTP yet: they fail with a
// clear text, and ProjectName() knows no project.
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

    QUrl Server() const;

private:
    struct Call;

    template <class T>
    void Send(std::shared_ptr<Call> call, Done<T> done, bool (*decode)(const QJsonObject&, T&, QString*));
    std::shared_ptr<Call> Get(const QString& path, const std::vector<std::pair<const char*, std::wstring>>& query);
    std::shared_ptr<Call> Post(const QString& path, const QJsonObject& body);

    // On the backend's thread only.
    void Enqueue(std::shared_ptr<Call> call);
    void StartWaiting();
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
    std::deque<std::shared_ptr<Call>> m_waiting;
    int m_inFlight = 0;
};

} // namespace vela
