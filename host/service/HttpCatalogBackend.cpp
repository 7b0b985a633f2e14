#include "HttpCatalogBackend.h"

#include "CatalogJson.h"
#include "HostNetworkDetector.h"
#include "IVelaLogger.h"
#include "ReplyQueue.h"
#include "RequestToken.h"
#include "WideText.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUuid>

#include <functional>

namespace vela {

namespace {

// Texts a person may read, in the interface language.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(vela::HttpCatalogBackend)
};

std::wstring ClosedText() { return Texts::tr("构件库已关闭").toStdWString(); }

void Log(const QString& text)
{
    if (IVelaLogger* logger = IVelaLogger::Get()) {
        VelaLogObject object(text);
        logger->Warning(object);
    }
}

// What a person is told; the raw error goes to the log.
std::wstring NetworkErrorText(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return Texts::tr("无法连接构件库服务器").toStdWString();
    case QNetworkReply::HostNotFoundError:
        return Texts::tr("找不到构件库服务器").toStdWString();
    case QNetworkReply::TimeoutError:
        return Texts::tr("连接构件库服务器超时").toStdWString();
    case QNetworkReply::RemoteHostClosedError:
        return Texts::tr("构件库服务器中断了连接").toStdWString();
    default:
        return Texts::tr("连接构件库服务器失败").toStdWString();
    }
}

} // namespace

struct HttpCatalogBackend::Call
{
    QByteArray Verb;
    QString Path;
    QByteArray Query;
    QByteArray Body;
    std::shared_ptr<RequestToken> Token;
    bool Background = false;
    // Sent again once when no answer came (refused, cut off, timed out): only
    // for requests that are safe to repeat.
    bool RetryOnce = false;
    // Gets an error text or the answer's JSON object.
    std::function<void(std::wstring error, const QJsonObject& answer)> Answer;
};

HttpCatalogBackend::HttpCatalogBackend(const QUrl& server, int timeoutMs, int maxInFlight)
    : m_server(server)
    , m_timeoutMs(std::max(1, timeoutMs))
    , m_maxInFlight(std::max(1, maxInFlight))
{
    m_thread.setObjectName(QStringLiteral("HttpCatalogBackend"));
    m_context = new QObject();
    m_context->moveToThread(&m_thread);
    m_thread.start();
    RefreshProjects();
}

HttpCatalogBackend::~HttpCatalogBackend()
{
    m_closing = true;
    QMetaObject::invokeMethod(m_context, [this] { Shutdown(); }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

QUrl HttpCatalogBackend::Server() const
{
    return m_server;
}

template <class T>
void HttpCatalogBackend::Send(std::shared_ptr<Call> call, Done<T> done,
                              bool (*decode)(const QJsonObject&, T&, QString*), bool background)
{
    // Taken during the service's call; claimed when the request is about to go out.
    call->Token = background ? nullptr : RequestToken::Current();
    call->Background = background;
    const QString path = call->Path;
    call->Answer = [done = std::move(done), decode, path](std::wstring error, const QJsonObject& answer) {
        if (!error.empty()) {
            done(std::move(error), T{});
            return;
        }
        T result{};
        QString why;
        if (!decode(answer, result, &why)) {
            Log(QStringLiteral("catalog server answer to %1 unreadable: %2").arg(path, why));
            done(Texts::tr("构件库服务器返回的数据无法识别").toStdWString(), T{});
            return;
        }
        done({}, std::move(result));
    };
    if (m_closing) {
        call->Answer(ClosedText(), {});
        return;
    }
    QMetaObject::invokeMethod(m_context, [this, call] { Enqueue(call); }, Qt::QueuedConnection);
}

std::shared_ptr<HttpCatalogBackend::Call> HttpCatalogBackend::Get(
    const QString& path, const std::vector<std::pair<const char*, std::wstring>>& query)
{
    auto call = std::make_shared<Call>();
    call->Verb = "GET";
    call->Path = path;
    // Encoded by hand: QUrlQuery would leave '+', which servers read as a space.
    for (const auto& [name, value] : query) {
        if (!call->Query.isEmpty()) {
            call->Query += '&';
        }
        call->Query += name + QByteArray("=") + QUrl::toPercentEncoding(WideText::ToQString(value));
    }
    return call;
}

std::shared_ptr<HttpCatalogBackend::Call> HttpCatalogBackend::Post(const QString& path, const QJsonObject& body)
{
    auto call = std::make_shared<Call>();
    call->Verb = "POST";
    call->Path = path;
    call->Body = CatalogJson::Bytes(body);
    return call;
}

void HttpCatalogBackend::GetCategories(const CategoryQuery& query, Done<CategoryList> done)
{
    Send(Post(QStringLiteral("/api/v1/categories/query"), CatalogJson::FromCategoryQuery(query)), std::move(done),
         &CatalogJson::ToCategories);
}

void HttpCatalogBackend::GetComponents(const ComponentQuery& query, Done<ComponentPage> done)
{
    Send(Post(QStringLiteral("/api/v1/components/query"), CatalogJson::FromComponentQuery(query)), std::move(done),
         &CatalogJson::ToComponentPage);
}

void HttpCatalogBackend::GetDetailedComponent(const std::wstring& componentId,
                                              Done<std::shared_ptr<IDetailedPublicComponent>> done)
{
    Send(Get(QStringLiteral("/api/v1/components/detail"), {{"id", componentId}}), std::move(done),
         &CatalogJson::ToDetailedComponent);
}

void HttpCatalogBackend::GetLegend(const std::wstring& componentId, Done<LegendList> done)
{
    Send(Get(QStringLiteral("/api/v1/components/legends"), {{"id", componentId}}), std::move(done),
         &CatalogJson::ToLegends);
}

void HttpCatalogBackend::GetSpecification(const std::wstring& componentId, const std::wstring& specificationId,
                                          Done<std::shared_ptr<ISpecification>> done)
{
    Send(Get(QStringLiteral("/api/v1/components/specification"),
             {{"id", componentId}, {"specificationId", specificationId}}),
         std::move(done), &CatalogJson::ToSpecification);
}

void HttpCatalogBackend::GetCategoryProperty(const std::wstring& categoryCode,
                                             Done<std::shared_ptr<ICategoryProperty>> done)
{
    Send(Get(QStringLiteral("/api/v1/categories/properties"), {{"code", categoryCode}}), std::move(done),
         &CatalogJson::ToCategoryProperty);
}

void HttpCatalogBackend::GetComponentFileUrl(const std::wstring& componentId, Done<std::wstring> done)
{
    Send(Get(QStringLiteral("/api/v1/components/file"), {{"id", componentId}}), std::move(done),
         &CatalogJson::ToFileUrl);
}

void HttpCatalogBackend::CheckPublicComponentRespeats(const std::wstring& projectId,
                                                      const std::vector<std::wstring>& ids, Done<RepeatCheckList> done)
{
    Send(Post(QStringLiteral("/api/v1/projects/repeats"), CatalogJson::FromProjectRequest(projectId, ids)),
         std::move(done), &CatalogJson::ToRepeatChecks);
}

void HttpCatalogBackend::AddComponentFromPublic(const std::wstring& projectId, const std::vector<std::wstring>& ids,
                                                Done<ProjectComponentList> done)
{
    // Whoever added may be about to name the project.
    Done<ProjectComponentList> thenRefresh = [this, done = std::move(done)](std::wstring error,
                                                                             ProjectComponentList added) {
        if (error.empty()) {
            RefreshProjects();
        }
        done(std::move(error), std::move(added));
    };
    // The key makes the addition safe to send again: if the answer is lost, the
    // server answers a repeat with the copies it already made.
    const std::wstring requestKey = QUuid::createUuid().toString(QUuid::WithoutBraces).toStdWString();
    std::shared_ptr<Call> call =
        Post(QStringLiteral("/api/v1/projects/components"), CatalogJson::FromProjectRequest(projectId, ids, requestKey));
    call->RetryOnce = true;
    Send(std::move(call), std::move(thenRefresh), &CatalogJson::ToProjectComponents);
}

void HttpCatalogBackend::GetProjectComponents(const std::wstring& projectId, Done<ProjectComponentList> done)
{
    Send(Get(QStringLiteral("/api/v1/projects/components"), {{"projectId", projectId}}), std::move(done),
         &CatalogJson::ToProjectComponents);
}

void HttpCatalogBackend::GetProjects(Done<ProjectList> done)
{
    FetchProjects(std::move(done), false);
}

void HttpCatalogBackend::RefreshProjects()
{
    if (m_closing || m_refreshing.exchange(true)) {
        return;
    }
    FetchProjects([this](std::wstring, ProjectList) { m_refreshing = false; }, true);
}

void HttpCatalogBackend::FetchProjects(Done<ProjectList> done, bool background)
{
    Done<ProjectList> keep = [this, done = std::move(done)](std::wstring error, ProjectList projects) {
        if (error.empty()) {
            std::map<std::wstring, std::wstring> names;
            for (const ProjectSummary& project : projects) {
                names[project.Id] = project.Name;
            }
            QMutexLocker lock(&m_projectsMutex);
            m_projectNames.swap(names);
            m_projectsKnown = true;
        }
        done(std::move(error), std::move(projects));
    };
    Send(Get(QStringLiteral("/api/v1/projects"), {}), std::move(keep), &CatalogJson::ToProjects, background);
}

std::wstring HttpCatalogBackend::ProjectName(const std::wstring& projectId)
{
    bool known = false;
    std::wstring name;
    {
        QMutexLocker lock(&m_projectsMutex);
        known = m_projectsKnown;
        const auto found = m_projectNames.find(projectId);
        if (found != m_projectNames.end()) {
            name = found->second;
        }
    }
    if (!known) {
        RefreshProjects();
    }
    return name;
}

void HttpCatalogBackend::Enqueue(std::shared_ptr<Call> call)
{
    // The background refresh of the project list (one at a time) takes no
    // place from the requests someone waits for.
    if (call->Background) {
        if (m_closing) {
            call->Answer(ClosedText(), {});
        } else {
            Launch(call);
        }
        return;
    }
    m_waiting.push_back(std::move(call));
    StartWaiting();
}

void HttpCatalogBackend::StartWaiting()
{
    while (!m_waiting.empty() && (m_closing || m_inFlight < m_maxInFlight)) {
        const std::shared_ptr<Call> call = m_waiting.front();
        m_waiting.pop_front();
        if (m_closing) {
            call->Answer(ClosedText(), {});
            continue;
        }
        if (call->Token && !call->Token->Start()) {
            call->Answer(ReplyQueue::SupersededErrorText(), {});
            continue;
        }
        ++m_inFlight;
        Launch(call);
    }
}

void HttpCatalogBackend::Launch(const std::shared_ptr<Call>& call)
{
    if (!m_manager) {
        m_manager = new QNetworkAccessManager(m_context);
        m_postManager = new QNetworkAccessManager(m_context);
    }
    QUrl url = m_server;
    QString base = url.path();
    while (base.endsWith(QLatin1Char('/'))) {
        base.chop(1);
    }
    url.setPath(base + call->Path);
    url.setQuery(call->Query.isEmpty() ? QString() : QString::fromLatin1(call->Query));
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setRawHeader("Accept", "application/json");
    QNetworkReply* reply = nullptr;
    // Qt writes a request's head and body separately with Nagle on, so on a
    // connection kept alive the body waits for the server's delayed ACK (40 ms
    // on Linux). A new connection is acknowledged at once: requests with a
    // body each get one, from a manager of their own that no GET leaves an
    // open connection in. The background refresh goes there too, so that it
    // never holds one of the connections the browsing requests queue for.
    if (call->Verb == "POST" || call->Background) {
        request.setRawHeader("Connection", "close");
    }
    if (call->Verb == "POST") {
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
        reply = m_postManager->post(request, call->Body);
    } else {
        reply = (call->Background ? m_postManager : m_manager)->get(request);
    }
    // A deadline for the whole exchange; Qt's own transfer timeout only counts silence.
    auto timedOut = std::make_shared<bool>(false);
    auto* deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, reply, [reply, timedOut] {
        *timedOut = true;
        reply->abort();
    });
    deadline->start(m_timeoutMs);
    QObject::connect(reply, &QNetworkReply::finished, m_context,
                     [this, reply, call, timedOut] { Finish(reply, call, *timedOut); });
}

void HttpCatalogBackend::Finish(QNetworkReply* reply, const std::shared_ptr<Call>& call, bool timedOut)
{
    reply->deleteLater();
    if (!call->Background) {
        --m_inFlight;
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray body = reply->readAll();
    const QString where = reply->url().toString();
    if (call->RetryOnce && status == 0 && !m_closing) {
        call->RetryOnce = false;
        HostNetworkDetector::Get()->ReportReply(*reply, timedOut);
        Log(QStringLiteral("catalog server request %1 got no answer (%2), sending it again")
                .arg(where, timedOut ? QStringLiteral("timed out") : reply->errorString()));
        // Its turn was taken when it first started; nothing supersedes it now.
        call->Token = nullptr;
        m_waiting.push_front(call);
        StartWaiting();
        return;
    }
    std::wstring error;
    QJsonObject answer;
    QString why;
    if (!m_closing) {
        HostNetworkDetector::Get()->ReportReply(*reply, timedOut);
    }
    if (m_closing) {
        error = ClosedText();
    } else if (timedOut) {
        error = Texts::tr("连接构件库服务器超时").toStdWString();
        Log(QStringLiteral("catalog server request %1 timed out after %2 ms").arg(where).arg(m_timeoutMs));
    } else if (status == 0 || (reply->error() != QNetworkReply::NoError && status < 400)) {
        error = NetworkErrorText(reply->error());
        Log(QStringLiteral("catalog server request %1 failed: %2").arg(where, reply->errorString()));
    } else if (status < 200 || status >= 300) {
        // Our server explains itself in JSON; anything else is named by its status.
        QJsonObject object;
        const QString message =
            CatalogJson::Parse(body, object, nullptr) ? CatalogJson::ErrorMessage(object) : QString();
        error = message.isEmpty() ? Texts::tr("构件库服务器出错（HTTP %1）").arg(status).toStdWString()
                                  : message.toStdWString();
        Log(QStringLiteral("catalog server request %1 answered HTTP %2: %3")
                .arg(where)
                .arg(status)
                .arg(QString::fromUtf8(body.left(200))));
    } else if (!CatalogJson::Parse(body, answer, &why)) {
        error = Texts::tr("构件库服务器返回的数据无法识别").toStdWString();
        Log(QStringLiteral("catalog server answer to %1 unreadable: %2").arg(where, why));
    }
    call->Answer(std::move(error), answer);
    StartWaiting();
}

void HttpCatalogBackend::Shutdown()
{
    // Aborting finishes each reply at once, which answers its call.
    for (QNetworkAccessManager* manager : {m_manager, m_postManager}) {
        if (manager) {
            for (QNetworkReply* reply : manager->findChildren<QNetworkReply*>()) {
                reply->abort();
            }
        }
    }
    StartWaiting();
    m_context->deleteLater();
}

} // namespace vela
