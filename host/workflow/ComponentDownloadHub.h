#pragma once

#include "ComponentDownloadResult.h"
#include "vela_workflow_export.h"

#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QThread>
#include <QUrl>

#include <functional>
#include <map>

namespace vela {

class ComponentDownloadWorker;

// The user-interface side of the download thread: hands requests to the
// worker and brings its answers back to the application's thread, to
// listeners that are still alive. One per process, owned by the application
// object.
class VELA_WORKFLOW_EXPORT ComponentDownloadHub : public QObject
{
    Q_OBJECT

public:
    struct Listener
    {
        // Answers are dropped once the context is gone.
        QPointer<QObject> Context;
        std::function<void(qint64 received, qint64 total)> Progress;
        std::function<void(const ComponentDownloadResult& result)> Done;
    };

    // Safe from any thread; the hub lives on the application's thread
    // whichever thread asks first.
    static ComponentDownloadHub* Get();
    ~ComponentDownloadHub() override;

    void Download(const QUrl& url, const QString& target, Listener listener);
    // Runs `job` on the download thread, away from the user-interface thread;
    // `done` receives its error text (empty on success) back on this thread.
    void Run(std::function<QString()> job, QObject* context, std::function<void(const QString& error)> done);

private:
    explicit ComponentDownloadHub(QObject* parent);

    void DeliverProgress(quint64 ticket, qint64 received, qint64 total);
    void DeliverDone(quint64 ticket, const ComponentDownloadResult& result);

    QThread m_thread;
    ComponentDownloadWorker* m_worker = nullptr;
    // Download() may be called from any thread; delivery is on the hub's.
    QMutex m_listenersMutex;
    std::map<quint64, Listener> m_listeners;
    quint64 m_nextTicket = 1;
};

} // namespace vela
