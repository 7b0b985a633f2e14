#include "ComponentDownloadWorker.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>

namespace vela {

namespace {

// A component file is a small model; a bigger answer is not one.
constexpr qint64 MaximumFileSize = 64 * 1024 * 1024;
constexpr int MaximumRunningTransfers = 4;
constexpr int TransferTimeoutMs = 30000;
constexpr qint64 ProgressIntervalMs = 16;

} // namespace

ComponentDownloadWorker::ComponentDownloadWorker(ProgressSink progress, DoneSink done)
    : m_progress(std::move(progress))
    , m_done(std::move(done))
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
    transfer->Tickets.push_back(ticket);
    m_transfers.emplace(key, std::move(transfer));
    m_waiting.push_back(key);
    LaunchWaiting();
}

void ComponentDownloadWorker::LaunchWaiting()
{
    while (m_running < MaximumRunningTransfers && !m_waiting.empty()) {
        const QString key = m_waiting.front();
        m_waiting.pop_front();
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
    request.setTransferTimeout(TransferTimeoutMs);
    QNetworkReply* reply = m_network->get(request);
    transfer->Reply = reply;
    transfer->SinceProgress.start();
    ++m_running;

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

    if (!transfer->TooLarge) {
        transfer->Data += transfer->Reply->readAll();
    }
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
    if (reply->error() != QNetworkReply::NoError) {
        result.Error = tr("构件文件下载失败：%1").arg(reply->errorString());
        result.Reason = tr("下载失败");
        return result;
    }
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
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

    // Only a checked file reaches the cache, and never half of one.
    QDir().mkpath(QFileInfo(transfer.Target).absolutePath());
    QSaveFile save(transfer.Target);
    if (!save.open(QIODevice::WriteOnly) || save.write(transfer.Data) != transfer.Data.size() || !save.commit()) {
        result.Error = tr("无法保存构件文件：%1").arg(save.errorString());
        result.Reason = tr("无法保存");
        return result;
    }
    result.LocalPath = transfer.Target;
    result.File = std::move(file);
    return result;
}

} // namespace vela
