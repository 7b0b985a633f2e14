#include "HostNetworkDetector.h"

#include "IVelaLogger.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace vela {

namespace {

// scheme://host:port, so that http://Server/ and http://server:80/x name one server.
QString Origin(const QUrl& url)
{
    if (!url.isValid() || url.host().isEmpty()) {
        return {};
    }
    const QString scheme = url.scheme().toLower();
    const int port = url.port(scheme == QLatin1String("https") ? 443 : 80);
    return scheme + QStringLiteral("://") + url.host().toLower() + QLatin1Char(':') + QString::number(port);
}

bool MeansUnreachable(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::TimeoutError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
        return true;
    default:
        return false;
    }
}

void Log(const QString& text)
{
    if (IVelaLogger* logger = IVelaLogger::Get()) {
        VelaLogObject object(text);
        logger->Info(object);
    }
}

} // namespace

HostNetworkDetector* HostNetworkDetector::Get()
{
    static HostNetworkDetector s_detector;
    return &s_detector;
}

HostNetworkDetector::HostNetworkDetector()
{
    // Listeners expect the state on the user-interface thread, whoever asked first.
    if (QCoreApplication* app = QCoreApplication::instance(); app && thread() != app->thread()) {
        moveToThread(app->thread());
    }
}

int HostNetworkDetector::State() const
{
    return m_state;
}

bool HostNetworkDetector::IsOffline() const
{
    return m_state == Offline;
}

void HostNetworkDetector::SetState(int newState)
{
    m_declared = newState;
    m_state = (m_declared == Offline || !m_reachable) ? Offline : m_declared;
    emit NetworkStateChanged(m_state);
}

void HostNetworkDetector::Watch(const QUrl& server)
{
    Watch(server, ProbeTiming());
}

void HostNetworkDetector::Watch(const QUrl& server, const ProbeTiming& timing)
{
    ++m_generation;
    m_server = server;
    {
        QMutexLocker lock(&m_originMutex);
        m_origin = server.isEmpty() ? QString() : Origin(server);
    }
    m_timing = timing;
    m_timing.FirstDelayMs = std::max(1, m_timing.FirstDelayMs);
    m_timing.LongestDelayMs = std::max(m_timing.FirstDelayMs, m_timing.LongestDelayMs);
    m_timing.TimeoutMs = std::max(1, m_timing.TimeoutMs);
    m_timing.HeartbeatMs = std::max(0, m_timing.HeartbeatMs);
    m_watching = !server.isEmpty();
    m_reported = true;
    m_reachable = true;
    m_probing = false;
    ScheduleNext();
    UpdateState();
}

QUrl HostNetworkDetector::WatchedServer() const
{
    return m_server;
}

void HostNetworkDetector::ReportServerReached()
{
    Report(true);
}

void HostNetworkDetector::ReportServerUnreachable()
{
    Report(false);
}

void HostNetworkDetector::ReportServerSilent()
{
    if (!m_watching) {
        return;
    }
    const quint64 generation = m_generation;
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            if (generation == m_generation && m_reachable && !m_probing) {
                Probe();
            }
        },
        Qt::QueuedConnection);
}

void HostNetworkDetector::ReportReply(const QNetworkReply& reply, bool timedOut)
{
    if (!m_watching) {
        return;
    }
    {
        QMutexLocker lock(&m_originMutex);
        if (m_origin.isEmpty() || Origin(reply.url()) != m_origin) {
            return;
        }
    }
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status > 0) {
        ReportServerReached();
    } else if (timedOut || reply.error() == QNetworkReply::RemoteHostClosedError) {
        ReportServerSilent();
    } else if (MeansUnreachable(reply.error())) {
        ReportServerUnreachable();
    }
}

void HostNetworkDetector::Report(bool reachable)
{
    // Only a change is posted: every request reports, and nearly all agree.
    if (!m_watching || m_reported.exchange(reachable) == reachable) {
        return;
    }
    const quint64 generation = m_generation;
    QMetaObject::invokeMethod(
        this, [this, reachable, generation] { ApplyReachable(reachable, generation); }, Qt::QueuedConnection);
}

void HostNetworkDetector::ApplyReachable(bool reachable, quint64 generation)
{
    if (generation != m_generation || reachable == m_reachable) {
        return;
    }
    m_reachable = reachable;
    m_reported = reachable;
    Log(reachable ? QStringLiteral("catalog server %1 answers again").arg(m_server.toString())
                  : QStringLiteral("catalog server %1 cannot be reached").arg(m_server.toString()));
    m_nextDelayMs = m_timing.FirstDelayMs;
    ScheduleNext();
    UpdateState();
}

void HostNetworkDetector::UpdateState()
{
    const int newState = (m_declared == Offline || !m_reachable) ? Offline : m_declared;
    if (newState == m_state) {
        return;
    }
    m_state = newState;
    emit NetworkStateChanged(newState);
}

bool HostNetworkDetector::MakeProbe()
{
    if (m_probeContext) {
        return true;
    }
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        return false;
    }
    m_probeContext = new QObject(app);
    m_probeTimer = new QTimer(m_probeContext);
    m_probeTimer->setSingleShot(true);
    connect(m_probeTimer, &QTimer::timeout, this, &HostNetworkDetector::Probe);
    m_network = new QNetworkAccessManager(m_probeContext);
    return true;
}

void HostNetworkDetector::ScheduleNext()
{
    if (!m_watching || (m_reachable && m_timing.HeartbeatMs == 0)) {
        if (m_probeContext) {
            m_probeTimer->stop();
        }
        return;
    }
    if (MakeProbe()) {
        m_probeTimer->start(m_reachable ? m_timing.HeartbeatMs : m_nextDelayMs);
    }
}

void HostNetworkDetector::Probe()
{
    if (!m_watching || m_probing || !MakeProbe()) {
        return;
    }
    QUrl url = m_server;
    QString base = url.path();
    while (base.endsWith(QLatin1Char('/'))) {
        base.chop(1);
    }
    url.setPath(base + QStringLiteral("/api/v1/health"));
    QNetworkRequest request(url);
    request.setTransferTimeout(m_timing.TimeoutMs);
    QNetworkReply* reply = m_network->get(request);
    m_probing = true;
    const quint64 generation = m_generation;
    connect(reply, &QNetworkReply::finished, this, [this, reply, generation] {
        reply->deleteLater();
        if (generation != m_generation) {
            return;
        }
        m_probing = false;
        // Any HTTP answer means the server is there, even a busy one.
        const bool reached = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() > 0;
        if (reached != m_reachable) {
            ApplyReachable(reached, generation);
        } else {
            if (!reached) {
                m_nextDelayMs = std::min(m_nextDelayMs * 2, m_timing.LongestDelayMs);
            }
            ScheduleNext();
        }
        emit ServerReachUpdated(reached);
    });
}

} // namespace vela
