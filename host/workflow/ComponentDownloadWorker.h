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
// must be safe to call from this thread. A file fetched over HTTP keeps the
// server's entity tag beside it ("<file>.etag"), so that an unchanged file is
// not sent again.
class ComponentDownloadWorker : public QObject
{
    Q_OBJECT

public:
    using ProgressSink = std::function<void(quint64 ticket, qint64 received, qint64 total)>;
    using DoneSink = std::function<void(quint64 ticket, const ComponentDownloadResult& result)>;

    // How long transfers may take and how many run at once.
    struct Limits
    {
        // The whole transfer, however steadily the bytes arrive.
        int DeadlineMs = 120000;
        // Silence on the connection.
        int IdleTimeoutMs = 30000;
        // Transfers running at once before slow ones are set aside.
        int MaximumRunning = 4;
        // A transfer running longer than this stops holding one of those places...
        int SlowAfterMs = 5000;
        // ...for at most this many such transfers.
        int MaximumSlow = 8;
        // In flight to one server; Qt queues the rest itself with their timeouts running.
        int MaximumPerHost = 6;

        // The defaults, with PLAZA_DOWNLOAD_DEADLINE_MS, PLAZA_DOWNLOAD_IDLE_TIMEOUT_MS
        // and PLAZA_DOWNLOAD_SLOW_AFTER_MS taken from the environment when set.
        static Limits FromEnvironment();
    };

    ComponentDownloadWorker(ProgressSink progress, DoneSink done, Limits limits = Limits::FromEnvironment());
    ~ComponentDownloadWorker() override;

    // Called on the download thread.
    void Start(quint64 ticket, const QUrl& url, const QString& target);

private:
    struct Transfer
    {
        QUrl Url;
        QString Target;
        QString Host;
        std::vector<quint64> Tickets;
        QNetworkReply* Reply = nullptr;
        QByteArray Data;
        bool TooLarge = false;
        // Ended by our deadline, not by anyone cancelling it.
        bool TimedOut = false;
        bool Slow = false;
        QElapsedTimer SinceProgress;
        // The cached copy and its entity tag, when the server is asked whether it changed.
        QByteArray CachedETag;
        std::shared_ptr<const tarn::ComponentFile> Cached;
    };

    bool HasRoom() const;
    void Launch(const QString& key);
    void LaunchWaiting();
    void SetAside(const QString& key, const QNetworkReply* reply);
    void Expire(const QString& key, const QNetworkReply* reply);
    void Complete(const QString& key);
    ComponentDownloadResult Check(const Transfer& transfer) const;
    // Keeps the server's entity tag beside the cached file, or none.
    static void RememberETag(const QString& target, const QByteArray& etag);

    ProgressSink m_progress;
    DoneSink m_done;
    Limits m_limits;
    QNetworkAccessManager* m_network = nullptr;
    std::map<QString, std::unique_ptr<Transfer>> m_transfers;
    std::deque<QString> m_waiting;
    std::map<QString, int> m_runningPerHost;
    int m_running = 0;
    int m_slow = 0;
};

} // namespace vela
