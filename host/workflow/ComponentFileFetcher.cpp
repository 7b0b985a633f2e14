#include "ComponentFileFetcher.h"

#include "ComponentDownloadHub.h"
#include "PathUtils.h"
#include "PublicComponentService.h"

#include <QTimer>
#include <QUrl>

namespace vela {

ComponentFileFetcher::ComponentFileFetcher(QObject* parent)
    : QObject(parent)
{
}

ComponentFileFetcher::~ComponentFileFetcher()
{
    if (m_urlReply) {
        m_urlReply->deleteLater();
    }
}

void ComponentFileFetcher::Fetch(const std::wstring& componentId)
{
    if (m_started) {
        return;
    }
    m_started = true;
    if (componentId.empty()) {
        FailLater(tr("公共构件Id为空"), tr("构件无效"));
        return;
    }
    CustomReply<std::wstring>* reply = PublicComponentService::Get()->GetComponentFileUrl(componentId);
    if (!reply) {
        FailLater(tr("获取构件文件地址失败"), tr("获取地址失败"));
        return;
    }
    m_urlReply = reply;
    connect(reply, &CustomReplyBase::Finished, this, [this, reply] {
        m_urlReply = nullptr;
        reply->deleteLater();
        HandleUrl(reply->Error(), reply->Result());
    });
}

void ComponentFileFetcher::HandleUrl(const std::wstring& error, const std::wstring& text)
{
    if (!error.empty()) {
        emit Failed(tr("获取构件文件地址失败：%1").arg(QString::fromStdWString(error)), tr("获取地址失败"));
        return;
    }
    if (text.empty()) {
        emit Failed(tr("该构件没有可下载的构件文件"), tr("没有构件文件"));
        return;
    }
    const QUrl url(QString::fromStdWString(text), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("file") && scheme != QLatin1String("http")
                           && scheme != QLatin1String("https"))) {
        emit Failed(tr("不支持的构件文件地址：%1").arg(QString::fromStdWString(text)), tr("地址无效"));
        return;
    }

    const QString target = QString::fromStdWString(PathUtils::GetComponentDownloadFilePath(text, L".json"));
    ComponentDownloadHub::Listener listener;
    listener.Context = this;
    listener.Progress = [this](qint64 received, qint64 total) { emit Progress(received, total); };
    listener.Done = [this](const ComponentDownloadResult& result) {
        if (result.Succeeded()) {
            emit Fetched(result.LocalPath, result.File);
        } else {
            emit Failed(result.Error.isEmpty() ? tr("构件文件下载失败") : result.Error, result.Reason);
        }
    };
    ComponentDownloadHub::Get()->Download(url, target, std::move(listener));
}

void ComponentFileFetcher::FailLater(const QString& message, const QString& reason)
{
    QTimer::singleShot(0, this, [this, message, reason] { emit Failed(message, reason); });
}

} // namespace vela
