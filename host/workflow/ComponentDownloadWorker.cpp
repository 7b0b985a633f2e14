#include "ComponentDownloadWorker.h"

#include "AtomicFile.h"
#include "HostNetworkDetector.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <algorithm>

namespace vela {

namespace {

// A component file is a small model; a bigger answer is not one.
constexpr qint64 MaximumFileSize = 64 * 1024 * 1024;
constexpr qint64 ProgressIntervalMs = 16;

int PositiveFromEnvironment(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

QString ETagPath(const QString& target)
{
    return target + QStringLiteral(".etag");
}

// The cached copy of `target` with the entity tag it was served with, when
// both are there and the copy still reads as a component file.
QByteArray CachedETag(const QString& target, std::shared_ptr<const tarn::ComponentFile>& cached)
{
    QFile tagFile(ETagPath(target));
    if (!tagFile.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray etag = tagFile.read(1024).trimmed();
    auto file = std::make_shared<tarn::ComponentFile>();
    if (etag.isEmpty() || !tarn::ComponentFile::Read(target, *file, nullptr)) {
        return {};
    }
    cached = std::move(file);
    return etag;
}

bool IsHttp(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

QString HostOf(const QUrl& url)
{
    return url.scheme() + QStringLiteral("://") + url.host() + QLatin1Char(':') + QString::number(url.port(-1));
}

} // namespace

ComponentDownloadWorker::Limits ComponentDownloadWorker::Limits::FromEnvironment()
{
    Limits limits;
    limits.DeadlineMs = PositiveFromEnvironment("PLAZA_DOWNLOAD_DEADLINE_MS", limits.DeadlineMs);
    limits.IdleTimeoutMs = PositiveFromEnvironment("PLAZA_DOWNLOAD_IDLE_TIMEOUT_MS", limits.IdleTimeoutMs);
    limits.SlowAfterMs = PositiveFromEnvironment("PLAZA_DOWNLOAD_SLOW_AFTER_MS", limits.SlowAfterMs);
    return limits;
}

ComponentDownloadWorker::ComponentDownloadWorker(ProgressSink progress, DoneSink done, Limits limits)
    : m_progress(std::move(progress))
    , m_done(std::move(done))
    , m_limits(limits)
{
}

ComponentDownloadWorker::~ComponentDownloadWorker()
{
    // Replies die with the network manager; nobody is waiting for them any more.
    for (auto& [key, transfer] : m_transfers) {
        if (transfer->Reply) {
            transfer->Reply->disconnect(this);
        }
    }
}

void ComponentDownloadWorker::Start(quint64 ticket, const QUrl& url, const QString& target)
{
    const QString key = url.toString() + QLatin1Char('\n') + target;
    const auto found = m_transfers.find(key);
    if (found != m_transfers.end()) {
        found->second->Tickets.push_back(ticket);
        return;
    }
    auto transfer = std::make_unique<Transfer>();
    transfer->Url = url;
    transfer->Target = target;
    transfer->Host = HostOf(url);
    transfer->Tickets.push_back(ticket);
    m_transfers.emplace(key, std::move(transfer));
    m_waiting.push_back(key);
    LaunchWaiting();
}

// Transfers that have run long are likely stuck on a slow server; up to a cap
// they leave their place to the ones queued behind them.
bool ComponentDownloadWorker::HasRoom() const
{
    return m_running - std::min(m_slow, m_limits.MaximumSlow) < m_limits.MaximumRunning;
}

void ComponentDownloadWorker::LaunchWaiting()
{
    // In order, but past the ones whose server already has its fill.
    for (auto it = m_waiting.begin(); it != m_waiting.end() && HasRoom();) {
        const QString key = *it;
        if (m_runningPerHost[m_transfers.at(key)->Host] >= m_limits.MaximumPerHost) {
            ++it;
            continue;
        }
        it = m_waiting.erase(it);
        Launch(key);
    }
}

void ComponentDownloadWorker::Launch(const QString& key)
{
    if (!m_network) {
        m_network = new QNetworkAccessManager(this);
    }
    Transfer* transfer = m_transfers.at(key).get();
    QNetworkRequest request(transfer->Url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(m_limits.IdleTimeoutMs);
    if (IsHttp(transfer->Url)) {
        transfer->CachedETag = CachedETag(transfer->Target, transfer->Cached);
        if (!transfer->CachedETag.isEmpty()) {
            request.setRawHeader("If-None-Match", transfer->CachedETag);
        }
    }
    QNetworkReply* reply = m_network->get(request);
    transfer->Reply = reply;
    transfer->SinceProgress.start();
    ++m_running;
    ++m_runningPerHost[transfer->Host];

    connect(reply, &QNetworkReply::readyRead, this, [transfer] {
        transfer->Data += transfer->Reply->readAll();
        if (transfer->Data.size() > MaximumFileSize && !transfer->TooLarge) {
            transfer->TooLarge = true;
            transfer->Reply->abort();
        }
    });
    connect(reply, &QNetworkReply::downloadProgress, this, [this, transfer](qint64 received, qint64 total) {
        if (received != total && transfer->SinceProgress.elapsed() < ProgressIntervalMs) {
            return;
        }
        transfer->SinceProgress.restart();
        for (quint64 ticket : transfer->Tickets) {
            m_progress(ticket, received, total);
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, key] { Complete(key); });
    // Both end with the reply, so they never reach a later transfer of the same file.
    QTimer::singleShot(m_limits.SlowAfterMs, reply, [this, key, reply] { SetAside(key, reply); });
    QTimer::singleShot(m_limits.DeadlineMs, reply, [this, key, reply] { Expire(key, reply); });
}

void ComponentDownloadWorker::SetAside(const QString& key, const QNetworkReply* reply)
{
    const auto found = m_transfers.find(key);
    if (found == m_transfers.end() || found->second->Reply != reply || found->second->Slow) {
        return;
    }
    found->second->Slow = true;
    ++m_slow;
    LaunchWaiting();
}

void ComponentDownloadWorker::Expire(const QString& key, const QNetworkReply* reply)
{
    const auto found = m_transfers.find(key);
    if (found == m_transfers.end() || found->second->Reply != reply) {
        return;
    }
    // Marked first: abort() finishes the reply, and the transfer with it, at once.
    found->second->TimedOut = true;
    found->second->Reply->abort();
}

void ComponentDownloadWorker::Complete(const QString& key)
{
    const auto found = m_transfers.find(key);
    if (found == m_transfers.end()) {
        return;
    }
    std::unique_ptr<Transfer> transfer = std::move(found->second);
    m_transfers.erase(found);
    --m_running;
    if (transfer->Slow) {
        --m_slow;
    }
    if (--m_runningPerHost[transfer->Host] <= 0) {
        m_runningPerHost.erase(transfer->Host);
    }

    if (!transfer->TooLarge && transfer->Reply->isOpen()) {
        transfer->Data += transfer->Reply->readAll();
    }
    // Only our deadline and Qt's idle timeout abort a reply (see Check()).
    HostNetworkDetector::Get()->ReportReply(
        *transfer->Reply, transfer->TimedOut || transfer->Reply->error() == QNetworkReply::OperationCanceledError);
    const ComponentDownloadResult result = Check(*transfer);
    transfer->Reply->disconnect(this);
    transfer->Reply->deleteLater();
    for (quint64 ticket : transfer->Tickets) {
        m_done(ticket, result);
    }
    LaunchWaiting();
}

ComponentDownloadResult ComponentDownloadWorker::Check(const Transfer& transfer) const
{
    ComponentDownloadResult result;
    QNetworkReply* reply = transfer.Reply;
    if (transfer.TooLarge) {
        result.Error = tr("构件文件过大，无法载入");
        result.Reason = tr("文件过大");
        return result;
    }
    // Nobody else cancels our replies: an abort not ours is Qt's idle timeout.
    if (transfer.TimedOut) {
        result.Error = tr("构件文件下载超时：%1 秒内未能下载完成，请稍后重试").arg(m_limits.DeadlineMs / 1000.0);
        result.Reason = tr("下载超时");
        return result;
    }
    if (reply->error() == QNetworkReply::OperationCanceledError || reply->error() == QNetworkReply::TimeoutError) {
        result.Error = tr("构件文件下载超时：服务器 %1 秒没有响应，请稍后重试").arg(m_limits.IdleTimeoutMs / 1000.0);
        result.Reason = tr("下载超时");
        return result;
    }
    if (reply->error() != QNetworkReply::NoError) {
        result.Error = tr("构件文件下载失败：%1").arg(reply->errorString());
        result.Reason = tr("下载失败");
        return result;
    }
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    // Unchanged on the server: the copy read back when the question was asked is the file.
    if (status.toInt() == 304 && transfer.Cached) {
        result.LocalPath = transfer.Target;
        result.File = transfer.Cached;
        result.Reused = true;
        return result;
    }
    if (status.isValid() && (status.toInt() < 200 || status.toInt() >= 300)) {
        result.Error = tr("构件文件下载失败：服务器返回 %1").arg(status.toInt());
        result.Reason = tr("服务器错误");
        return result;
    }
    if (transfer.Data.isEmpty()) {
        result.Error = tr("构件文件为空，无法载入");
        result.Reason = tr("文件已损坏");
        return result;
    }
    auto file = std::make_shared<tarn::ComponentFile>();
    QString why;
    if (!tarn::ComponentFile::Parse(transfer.Data, *file, &why)) {
        result.Error = tr("构件文件已损坏，无法载入（%1）").arg(why);
        result.Reason = tr("文件已损坏");
        return result;
    }

    // Only a checked file reaches the cache, never half of one, and a cached
    // copy is replaced only by one that reads back whole from the disk.
    const auto readsBack = [](const QString& written, QString* refused) {
        tarn::ComponentFile copy;
        return tarn::ComponentFile::Read(written, copy, refused);
    };
    QString error;
    QString reason;
    // The old tag goes first: a tag must never vouch for content it was not served with.
    const QByteArray etag = IsHttp(transfer.Url) ? reply->rawHeader("ETag").trimmed() : QByteArray();
    RememberETag(transfer.Target, {});
    if (!AtomicFile::Write(transfer.Target, transfer.Data, readsBack, &error, &reason)) {
        result.Error = tr("无法保存构件文件：%1").arg(error);
        result.Reason = reason;
        return result;
    }
    RememberETag(transfer.Target, etag);
    result.LocalPath = transfer.Target;
    result.File = std::move(file);
    return result;
}

void ComponentDownloadWorker::RememberETag(const QString& target, const QByteArray& etag)
{
    // Without a tag the file is simply fetched whole next time.
    if (etag.isEmpty() || etag.contains('\n') || !AtomicFile::Write(ETagPath(target), etag)) {
        QFile::remove(ETagPath(target));
    }
}

} // namespace vela
