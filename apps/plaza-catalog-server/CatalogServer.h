#pragma once

#include "CatalogBackend.h"
#include "CatalogFiles.h"

#include <QString>

#include <condition_variable>
#include <mutex>
#include <memory>
#include <string>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

namespace plazaserver {

struct CatalogServerOptions
{
    // Connections are served by this many threads; a keep-alive connection
    // holds one until it has been idle for two seconds, so this is also the
    // number of clients served without waiting for a thread.
    int Threads = 64;
    // Catalog queries at once; a query beyond that waits up to QueueWaitMs
    // for a turn, then is answered 503 with Retry-After.
    int MaxQueries = 8;
    int QueueWaitMs = 1000;
    int MaxPageSize = 500;
    int MaxConditions = 32;
    // Public components named by one project request.
    int MaxProjectComponents = 1000;
    size_t MaxRequestBytes = 64 * 1024;
    // How long one catalog query may take before the answer is 504.
    int QueryTimeoutMs = 30000;
    // Added before every answer, to make a slow network visible.
    int LatencyMs = 0;
    // The address clients reach this server by ("http://host:port"); when
    // empty it is taken from each request's Host header.
    QString PublicUrl;
};

// The catalog over HTTP: JSON answers from a CatalogBackend and the
// catalog's files with entity tags. Stateless: every answer depends only on
// the request and the catalog snapshot, so instances can stand side by side
// behind a load balancer. Collaboration projects, the one thing written, are
// the backend's project store (PostgreSQL when shared by several instances);
// their requests do not take catalog query places.
class CatalogServer
{
public:
    CatalogServer(std::shared_ptr<vela::CatalogBackend> backend, const QString& catalogFolder,
                  CatalogServerOptions options);
    ~CatalogServer();

    // The port bound (the chosen one for 0), or -1.
    int Bind(const std::string& host, int port);
    // Serves until Stop(); returns after the requests in flight are answered.
    bool Listen();
    // Safe from any thread; only takes effect once Listen() runs.
    void Stop();
    bool IsRunning() const;

private:
    using Handler = void (CatalogServer::*)(const httplib::Request&, httplib::Response&);

    void Route();
    void Api(const httplib::Request& request, httplib::Response& response, Handler handler);

    void HandleCategories(const httplib::Request& request, httplib::Response& response);
    void HandleComponents(const httplib::Request& request, httplib::Response& response);
    void HandleDetail(const httplib::Request& request, httplib::Response& response);
    void HandleLegends(const httplib::Request& request, httplib::Response& response);
    void HandleSpecification(const httplib::Request& request, httplib::Response& response);
    void HandleCategoryProperty(const httplib::Request& request, httplib::Response& response);
    void HandleFileUrl(const httplib::Request& request, httplib::Response& response);
    void HandleFile(const httplib::Request& request, httplib::Response& response);
    void HandleProjects(const httplib::Request& request, httplib::Response& response);
    void HandleProjectComponents(const httplib::Request& request, httplib::Response& response);
    void HandleRepeatCheck(const httplib::Request& request, httplib::Response& response);
    void HandleAddFromPublic(const httplib::Request& request, httplib::Response& response);

    // The project id and public component ids of a project request; false when answered with 400.
    bool ProjectRequest(const httplib::Request& request, httplib::Response& response, std::wstring& projectId,
                        std::vector<std::wstring>& ids, std::wstring* requestKey = nullptr) const;
    std::wstring MapUrl(const httplib::Request& request, const std::wstring& url) const;
    QString BaseUrl(const httplib::Request& request) const;

    std::shared_ptr<vela::CatalogBackend> m_backend;
    CatalogServerOptions m_options;
    // "file:///.../" of the catalog folder, as the backend writes its URLs.
    QString m_folderUrl;
    CatalogFiles m_files;
    // Catalog queries running, under m_queriesMutex; m_queryDone wakes those waiting for a turn.
    std::mutex m_queriesMutex;
    std::condition_variable m_queryDone;
    int m_queries = 0;
    std::unique_ptr<httplib::Server> m_server;
    // The listening socket, once bound (see Bind()).
    int m_listenSocket = -1;
};

} // namespace plazaserver
