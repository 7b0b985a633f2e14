#pragma once

#include "ComponentDownloadResult.h"

#include <QElapsedTimer>
#include <QObject>
#include <QUrl>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QNetworkAccessManager;
class QNetworkReply;

namespace vela {

// Lives on the download thread: fetches component files, checks them and
// saves them atomically. Requests for the same file share one transfer, and
// only a few transfers run at once. Answers go out through the sinks, which
// must be safe to call from this thread.
class ComponentDownloadWorker : public QObject
{
    Q_OBJECT

public:
    using ProgressSink = std::function<void(quint64 ticket, qint64 received, qint64 total)>;
    using DoneSink = std::function<void(quint64 ticket, const ComponentDownloadResult& result)>;

    ComponentDownloadWorker(ProgressSink progress, DoneSink done);
    ~ComponentDownloadWorker() override;

    // Called on the download thread.
    void Start(quint64 ticket, const QUrl& url, const QString& target);

private:
    struct Transfer
    {
        QUrl Url;
        QString Target;
        std::vector<quint64> Tickets;
        QNetworkReply* Reply = nullptr;
        QByteArray Data;
        bool TooLarge = false;
        QElapsedTimer SinceProgress;
    };

    void Launch(const QString& key);
    void LaunchWaiting();
    void Complete(const QString& key);
    ComponentDownloadResult Check(const Transfer& transfer) const;

    ProgressSink m_progress;
    DoneSink m_done;
    QNetworkAccessManager* m_network = nullptr;
    std::map<QString, std::unique_ptr<Transfer>> m_transfers;
    std::deque<QString> m_waiting;
    int m_running = 0;
};

} // namespace vela
