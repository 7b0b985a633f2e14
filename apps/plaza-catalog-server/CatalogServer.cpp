#include "CatalogServer.h"

#include "CatalogJson.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include <httplib.h>

#include <sys/socket.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <thread>

namespace plazaserver {

using httplib::Request;
using httplib::Response;
using vela::CatalogJson;

namespace {

// When the request on this thread started, for its log line.
thread_local std::chrono::steady_clock::time_point t_started;
thread_local bool t_timed = false;

constexpr const char* ApiCacheControl = "public, max-age=60";
// Files are kept by clients but checked again each time: 304 costs one round trip.
constexpr const char* FileCacheControl = "public, no-cache";
constexpr const char* HealthPath = "/api/v1/health";
// Connections waiting to be accepted; the kernel caps it at net.core.somaxconn.
constexpr int ListenQueue = 1024;

void SendJson(Response& response, int status, const QJsonObject& object, const char* cacheControl = "no-store")
{
    const QByteArray body = CatalogJson::Bytes(object);
    response.status = status;
    response.set_header("Cache-Control", cacheControl);
    response.set_content(body.constData(), size_t(body.size()), "application/json; charset=utf-8");
}

void SendError(Response& response, int status, const char* code, const QString& message)
{
    SendJson(response, status, CatalogJson::FromError(QLatin1String(code), message));
}

// The backend says what went wrong only in words; these are the words of a
// request that names nothing in the catalog, or that the catalog cannot run.
int StatusFor(const std::wstring& error, const char** code)
{
    static const std::wstring notFound[] = {L"构件不存在", L"分类不存在", L"规格不存在", L"构件没有构件文件",
                                            L"协同项目不存在"};
    for (const std::wstring& text : notFound) {
        if (error == text) {
            *code = "not_found";
            return 404;
        }
    }
    static const std::wstring badCondition[] = {L"条件", L"枚举条件", L"不支持的条件", L"没有要添加的构件"};
    for (const std::wstring& prefix : badCondition) {
        if (error.compare(0, prefix.size(), prefix) == 0) {
            *code = "bad_request";
            return 400;
        }
    }
    // The project store is busy or out of reach: worth trying again shortly.
    static const std::wstring unavailable[] = {L"协同项目库正忙", L"无法连接协同项目库", L"协同项目库文件不见了"};
    for (const std::wstring& prefix : unavailable) {
        if (error.compare(0, prefix.size(), prefix) == 0) {
            *code = "store_unavailable";
            return 503;
        }
    }
    *code = "catalog_error";
    return 500;
}

// Runs one backend call and waits for its answer here, on the server's
// worker thread, for at most `timeoutMs`.
template <class T, class Call>
bool Ask(Response& response, int timeoutMs, Call call, T& result)
{
    auto promise = std::make_shared<std::promise<std::pair<std::wstring, T>>>();
    std::future<std::pair<std::wstring, T>> future = promise->get_future();
    call([promise](std::wstring error, T value) { promise->set_value({std::move(error), std::move(value)}); });
    if (future.wait_for(std::chrono::milliseconds(timeoutMs)) != std::future_status::ready) {
        SendError(response, 504, "timeout", QStringLiteral("构件库查询超时"));
        return false;
    }
    std::pair<std::wstring, T> answer = future.get();
    if (!answer.first.empty()) {
        const char* code = "";
        const int status = StatusFor(answer.first, &code);
        SendError(response, status, code, QString::fromStdWString(answer.first));
        if (status == 503) {
            response.set_header("Retry-After", "1");
        }
        return false;
    }
    result = std::move(answer.second);
    return true;
}

bool Param(const Request& request, Response& response, const char* name, std::wstring& out)
{
    const QString value = QString::fromStdString(request.get_param_value(name)).trimmed();
    if (value.isEmpty()) {
        SendError(response, 400, "bad_request", QStringLiteral("缺少参数 %1").arg(QLatin1String(name)));
        return false;
    }
    if (request.get_param_value_count(name) > 1) {
        SendError(response, 400, "bad_request", QStringLiteral("参数 %1 重复").arg(QLatin1String(name)));
        return false;
    }
    out = value.toStdWString();
    return true;
}

bool Body(const Request& request, Response& response, QJsonObject& out)
{
    QString error;
    if (!CatalogJson::Parse(QByteArray::fromStdString(request.body), out, &error)) {
        SendError(response, 400, "bad_request", QStringLiteral("请求内容无法解析：%1").arg(error));
        return false;
    }
    return true;
}

} // namespace

CatalogServer::CatalogServer(std::shared_ptr<vela::CatalogBackend> backend, const QString& catalogFolder,
                             CatalogServerOptions options)
    : m_backend(std::move(backend))
    , m_options(std::move(options))
    , m_folderUrl(QUrl::fromLocalFile(QDir::cleanPath(QFileInfo(catalogFolder).absoluteFilePath()) + QLatin1Char('/'))
                      .toString(QUrl::FullyEncoded))
    , m_files(catalogFolder)
    , m_server(std::make_unique<httplib::Server>())
{
    while (m_options.PublicUrl.endsWith(QLatin1Char('/'))) {
        m_options.PublicUrl.chop(1);
    }
    Route();
}

CatalogServer::~CatalogServer() = default;

int CatalogServer::Bind(const std::string& host, int port)
{
    const int bound = port == 0 ? m_server->bind_to_any_port(host) : (m_server->bind_to_port(host, port) ? port : -1);
    // The library listens with a queue of 5, fixed when it was compiled: a crowd of
    // clients connecting at once would have their connections dropped and retried by
    // their kernels a second later. Listening again on the socket lengthens the queue.
    if (bound > 0 && m_listenSocket >= 0) {
        ::listen(m_listenSocket, ListenQueue);
    }
    return bound;
}

bool CatalogServer::Listen()
{
    return m_server->listen_after_bind();
}

void CatalogServer::Stop()
{
    m_server->stop();
}

bool CatalogServer::IsRunning() const
{
    return m_server->is_running();
}

void CatalogServer::Route()
{
    httplib::Server& server = *m_server;
    const int threads = std::max(1, m_options.Threads);
    server.new_task_queue = [threads] { return new httplib::ThreadPool(size_t(threads)); };
    server.set_payload_max_length(m_options.MaxRequestBytes);
    // Short keep-alive: an idle connection holds a worker thread.
    server.set_keep_alive_timeout(2);
    server.set_keep_alive_max_count(100);
    server.set_read_timeout(5);
    // Head and body go out in separate writes; without this each answer waits for a delayed ACK.
    server.set_tcp_nodelay(true);
    // Only the listening socket gets these options; it is remembered for Bind().
    server.set_socket_options([this](socket_t socket) {
        httplib::default_socket_options(socket);
        m_listenSocket = int(socket);
    });
    server.set_write_timeout(5);

    server.set_pre_routing_handler([this](const Request& request, Response&) {
        t_started = std::chrono::steady_clock::now();
        t_timed = true;
        // The health check stays quick, so that a slow demonstration server is not taken for a gone one.
        if (m_options.LatencyMs > 0 && request.path != HealthPath) {
            std::this_thread::sleep_for(std::chrono::milliseconds(m_options.LatencyMs));
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    server.set_logger([](const Request& request, const Response& response) {
        double ms = -1;
        if (t_timed) {
            ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t_started).count();
            t_timed = false;
        }
        std::fprintf(stderr, "%s %s %s %d %zu %.1fms\n", request.remote_addr.c_str(), request.method.c_str(),
                     request.target.c_str(), response.status, response.body.size(), ms);
    });
    // Every error answer is JSON, also those the library makes itself (404, 413, ...).
    server.set_error_handler(httplib::Server::HandlerWithResponse([](const Request&, Response& response) {
        if (!response.body.empty() || response.status == 304) {
            return httplib::Server::HandlerResponse::Unhandled;
        }
        const char* code = response.status == 404 ? "not_found" : response.status == 413 ? "too_large" : "bad_request";
        const QString message = response.status == 404 ? QStringLiteral("没有这个地址")
                                : response.status == 413 ? QStringLiteral("请求过大")
                                                         : QStringLiteral("请求无效（HTTP %1）").arg(response.status);
        SendError(response, response.status, code, message);
        return httplib::Server::HandlerResponse::Handled;
    }));
    // Without this the library puts the exception's text into a response header.
    server.set_exception_handler([](const Request&, Response& response, std::exception_ptr) {
        SendError(response, 500, "internal_error", QStringLiteral("服务器内部错误"));
    });

    const auto api = [this](Handler handler) {
        return [this, handler](const Request& request, Response& response) { Api(request, response, handler); };
    };
    // Liveness only: it touches no catalog and takes no query place.
    server.Get(HealthPath, [](const Request&, Response& response) {
        SendJson(response, 200, QJsonObject{{QStringLiteral("status"), QStringLiteral("ok")}}, "no-store");
    });
    server.Post("/api/v1/categories/query", api(&CatalogServer::HandleCategories));
    server.Post("/api/v1/components/query", api(&CatalogServer::HandleComponents));
    server.Get("/api/v1/components/detail", api(&CatalogServer::HandleDetail));
    server.Get("/api/v1/components/legends", api(&CatalogServer::HandleLegends));
    server.Get("/api/v1/components/specification", api(&CatalogServer::HandleSpecification));
    server.Get("/api/v1/components/file", api(&CatalogServer::HandleFileUrl));
    server.Get("/api/v1/categories/properties", api(&CatalogServer::HandleCategoryProperty));
    server.Get("/catalog/.*", [this](const Request& request, Response& response) { HandleFile(request, response); });
    const auto project = [this](Handler handler) {
        return [this, handler](const Request& request, Response& response) { (this->*handler)(request, response); };
    };
    server.Get("/api/v1/projects", project(&CatalogServer::HandleProjects));
    server.Get("/api/v1/projects/components", project(&CatalogServer::HandleProjectComponents));
    server.Post("/api/v1/projects/components", project(&CatalogServer::HandleAddFromPublic));
    server.Post("/api/v1/projects/repeats", project(&CatalogServer::HandleRepeatCheck));
}

void CatalogServer::Api(const Request& request, Response& response, Handler handler)
{
    // Bounds the catalog work at once: a query waits a little for its turn,
    // which costs less than sending the client away, and only then is told to come back.
    {
        std::unique_lock<std::mutex> lock(m_queriesMutex);
        if (!m_queryDone.wait_for(lock, std::chrono::milliseconds(m_options.QueueWaitMs),
                                  [this] { return m_queries < m_options.MaxQueries; })) {
            lock.unlock();
            response.set_header("Retry-After", "1");
            SendError(response, 503, "busy", QStringLiteral("服务器繁忙，请稍后重试"));
            return;
        }
        ++m_queries;
    }
    struct Turn
    {
        CatalogServer& Server;
        ~Turn()
        {
            {
                std::lock_guard<std::mutex> lock(Server.m_queriesMutex);
                --Server.m_queries;
            }
            Server.m_queryDone.notify_one();
        }
    } turn{*this};
    (this->*handler)(request, response);
}

void CatalogServer::HandleCategories(const Request& request, Response& response)
{
    QJsonObject body;
    vela::CategoryQuery query;
    QString error;
    if (!Body(request, response, body)) {
        return;
    }
    if (!CatalogJson::ToCategoryQuery(body, query, &error)) {
        SendError(response, 400, "bad_request", QStringLiteral("请求内容无效：%1").arg(error));
        return;
    }
    if (int(query.Filters.size()) > m_options.MaxConditions) {
        SendError(response, 400, "bad_request", QStringLiteral("条件过多"));
        return;
    }
    vela::CategoryList categories;
    if (Ask(response, m_options.QueryTimeoutMs,
            [&](auto done) { m_backend->GetCategories(query, std::move(done)); }, categories)) {
        SendJson(response, 200, CatalogJson::FromCategories(categories));
    }
}

void CatalogServer::HandleComponents(const Request& request, Response& response)
{
    QJsonObject body;
    vela::ComponentQuery query;
    QString error;
    if (!Body(request, response, body)) {
        return;
    }
    if (!CatalogJson::ToComponentQuery(body, query, &error)) {
        SendError(response, 400, "bad_request", QStringLiteral("请求内容无效：%1").arg(error));
        return;
    }
    if (query.PageIndex < 1 || query.PageSize < 1 || query.PageSize > m_options.MaxPageSize) {
        SendError(response, 400, "bad_request",
                  QStringLiteral("页码须不小于 1，每页数量须在 1 到 %1 之间").arg(m_options.MaxPageSize));
        return;
    }
    if (int(query.Filters.size()) > m_options.MaxConditions) {
        SendError(response, 400, "bad_request", QStringLiteral("条件过多"));
        return;
    }
    vela::ComponentPage page;
    if (Ask(response, m_options.QueryTimeoutMs,
            [&](auto done) { m_backend->GetComponents(query, std::move(done)); }, page)) {
        SendJson(response, 200, CatalogJson::FromComponentPage(page, [&](const std::wstring& url) {
                     return MapUrl(request, url);
                 }));
    }
}

void CatalogServer::HandleDetail(const Request& request, Response& response)
{
    std::wstring id;
    std::shared_ptr<vela::IDetailedPublicComponent> detail;
    if (Param(request, response, "id", id)
        && Ask(response, m_options.QueryTimeoutMs,
               [&](auto done) { m_backend->GetDetailedComponent(id, std::move(done)); }, detail)) {
        const auto urls = [&](const std::wstring& url) { return MapUrl(request, url); };
        SendJson(response, 200, CatalogJson::FromDetailedComponent(detail, urls), ApiCacheControl);
    }
}

void CatalogServer::HandleLegends(const Request& request, Response& response)
{
    std::wstring id;
    vela::LegendList legends;
    if (Param(request, response, "id", id)
        && Ask(response, m_options.QueryTimeoutMs, [&](auto done) { m_backend->GetLegend(id, std::move(done)); },
               legends)) {
        SendJson(response, 200,
                 CatalogJson::FromLegends(legends, [&](const std::wstring& url) { return MapUrl(request, url); }),
                 ApiCacheControl);
    }
}

void CatalogServer::HandleSpecification(const Request& request, Response& response)
{
    std::wstring id;
    std::wstring specificationId;
    std::shared_ptr<vela::ISpecification> specification;
    if (Param(request, response, "id", id) && Param(request, response, "specificationId", specificationId)
        && Ask(response, m_options.QueryTimeoutMs,
               [&](auto done) { m_backend->GetSpecification(id, specificationId, std::move(done)); },
               specification)) {
        SendJson(response, 200, CatalogJson::FromSpecification(specification), ApiCacheControl);
    }
}

void CatalogServer::HandleCategoryProperty(const Request& request, Response& response)
{
    std::wstring code;
    std::shared_ptr<vela::ICategoryProperty> property;
    if (Param(request, response, "code", code)
        && Ask(response, m_options.QueryTimeoutMs,
               [&](auto done) { m_backend->GetCategoryProperty(code, std::move(done)); }, property)) {
        SendJson(response, 200, CatalogJson::FromCategoryProperty(property), ApiCacheControl);
    }
}

void CatalogServer::HandleFileUrl(const Request& request, Response& response)
{
    std::wstring id;
    std::wstring url;
    if (Param(request, response, "id", id)
        && Ask(response, m_options.QueryTimeoutMs,
               [&](auto done) { m_backend->GetComponentFileUrl(id, std::move(done)); }, url)) {
        const std::wstring mapped = MapUrl(request, url);
        if (mapped.empty()) {
            SendError(response, 404, "not_found", QStringLiteral("构件没有构件文件"));
            return;
        }
        SendJson(response, 200, CatalogJson::FromFileUrl(mapped), ApiCacheControl);
    }
}

void CatalogServer::HandleFile(const Request& request, Response& response)
{
    static const std::string prefix = "/catalog/";
    const QString relative = QString::fromStdString(request.path.substr(prefix.size()));
    const QByteArray ifNoneMatch = QByteArray::fromStdString(request.get_header_value("If-None-Match"));
    CatalogFiles::File file;
    if (!m_files.Find(relative, ifNoneMatch.isEmpty(), file)) {
        SendError(response, 404, "not_found", QStringLiteral("文件不存在"));
        return;
    }
    response.set_header("ETag", file.ETag.toStdString());
    response.set_header("Cache-Control", FileCacheControl);
    if (!ifNoneMatch.isEmpty() && CatalogFiles::Matches(ifNoneMatch, file.ETag)) {
        response.status = 304;
        return;
    }
    if (file.Content.isNull() && !m_files.Find(relative, true, file)) {
        SendError(response, 404, "not_found", QStringLiteral("文件不存在"));
        return;
    }
    response.status = 200;
    response.set_content(file.Content.constData(), size_t(file.Content.size()), file.ContentType.constData());
}

void CatalogServer::HandleProjects(const Request&, Response& response)
{
    vela::ProjectList projects;
    if (Ask(response, m_options.QueryTimeoutMs, [&](auto done) { m_backend->GetProjects(std::move(done)); },
            projects)) {
        SendJson(response, 200, CatalogJson::FromProjects(projects));
    }
}

void CatalogServer::HandleProjectComponents(const Request& request, Response& response)
{
    std::wstring projectId;
    vela::ProjectComponentList components;
    if (Param(request, response, "projectId", projectId)
        && Ask(response, m_options.QueryTimeoutMs,
               [&](auto done) { m_backend->GetProjectComponents(projectId, std::move(done)); }, components)) {
        SendJson(response, 200, CatalogJson::FromProjectComponents(components));
    }
}

bool CatalogServer::ProjectRequest(const Request& request, Response& response, std::wstring& projectId,
                                   std::vector<std::wstring>& ids, std::wstring* requestKey) const
{
    QJsonObject body;
    QString error;
    if (!Body(request, response, body)) {
        return false;
    }
    if (!CatalogJson::ToProjectRequest(body, projectId, ids, &error, requestKey)) {
        SendError(response, 400, "bad_request", QStringLiteral("请求内容无效：%1").arg(error));
        return false;
    }
    if (int(ids.size()) > m_options.MaxProjectComponents) {
        SendError(response, 400, "bad_request",
                  QStringLiteral("一次最多 %1 个构件").arg(m_options.MaxProjectComponents));
        return false;
    }
    return true;
}

void CatalogServer::HandleRepeatCheck(const Request& request, Response& response)
{
    std::wstring projectId;
    std::vector<std::wstring> ids;
    vela::RepeatCheckList checks;
    if (ProjectRequest(request, response, projectId, ids)
        && Ask(response, m_options.QueryTimeoutMs,
               [&](auto done) { m_backend->CheckPublicComponentRespeats(projectId, ids, std::move(done)); },
               checks)) {
        SendJson(response, 200, CatalogJson::FromRepeatChecks(checks));
    }
}

void CatalogServer::HandleAddFromPublic(const Request& request, Response& response)
{
    std::wstring projectId;
    std::vector<std::wstring> ids;
    std::wstring requestKey;
    vela::ProjectComponentList added;
    if (ProjectRequest(request, response, projectId, ids, &requestKey)
        && Ask(response, m_options.QueryTimeoutMs,
               [&](auto done) {
                   m_backend->AddComponentFromPublicOnce(projectId, ids, requestKey, std::move(done));
               },
               added)) {
        SendJson(response, 200, CatalogJson::FromProjectComponents(added));
    }
}

QString CatalogServer::BaseUrl(const Request& request) const
{
    if (!m_options.PublicUrl.isEmpty()) {
        return m_options.PublicUrl;
    }
    // The Host header is the client's own; anything but a plain host and port is not echoed.
    static const QRegularExpression plainHost(
        QStringLiteral(R"(^([A-Za-z0-9.\-]+|\[[0-9A-Fa-f:.]+\])(:[0-9]{1,5})?$)"));
    QString host = QString::fromStdString(request.get_header_value("Host"));
    if (!plainHost.match(host).hasMatch()) {
        const QString address = QString::fromStdString(request.local_addr);
        host = (address.contains(QLatin1Char(':')) ? QLatin1Char('[') + address + QLatin1Char(']') : address)
               + QLatin1Char(':') + QString::number(request.local_port);
    }
    return QStringLiteral("http://") + host;
}

std::wstring CatalogServer::MapUrl(const Request& request, const std::wstring& url) const
{
    const QString text = QString::fromStdWString(url);
    if (text.startsWith(m_folderUrl)) {
        return (BaseUrl(request) + QStringLiteral("/catalog/") + text.mid(m_folderUrl.size())).toStdWString();
    }
    // A local file elsewhere means nothing to a client.
    if (text.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        return {};
    }
    return url;
}

} // namespace plazaserver
