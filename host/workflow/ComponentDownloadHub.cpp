#include "ComponentDownloadHub.h"

#include "ComponentDownloadWorker.h"

#include <QCoreApplication>
#include <QMutexLocker>

namespace vela {

namespace {
QBasicMutex s_hubMutex;
ComponentDownloadHub* s_hub = nullptr; // guarded by s_hubMutex
} // namespace

ComponentDownloadHub* ComponentDownloadHub::Get()
{
    QMutexLocker lock(&s_hubMutex);
    if (s_hub) {
        return s_hub;
    }
    QCoreApplication* app = QCoreApplication::instance();
    auto* hub = new ComponentDownloadHub(nullptr);
    if (app && QThread::currentThread() != app->thread()) {
        // Answers are delivered on the hub's thread, which must outlive every
        // download: the application's. A parent is only set on its own thread.
        hub->moveToThread(app->thread());
        QMetaObject::invokeMethod(
            app, [hub, app] { hub->setParent(app); }, Qt::QueuedConnection);
    } else {
        hub->setParent(app);
    }
    s_hub = hub;
    return s_hub;
}

ComponentDownloadHub::ComponentDownloadHub(QObject* parent)
    : QObject(parent)
{
    // The worker posts back to the hub, which outlives the thread (see the destructor).
    m_worker = new ComponentDownloadWorker(
        [this](quint64 ticket, qint64 received, qint64 total) {
            QMetaObject::invokeMethod(
                this, [this, ticket, received, total] { DeliverProgress(ticket, received, total); },
                Qt::QueuedConnection);
        },
        [this](quint64 ticket, const ComponentDownloadResult& result) {
            QMetaObject::invokeMethod(
                this, [this, ticket, result] { DeliverDone(ticket, result); }, Qt::QueuedConnection);
        });
    m_worker->moveToThread(&m_thread);
    m_thread.setObjectName(QStringLiteral("ComponentDownloads"));
    m_thread.start();
}

ComponentDownloadHub::~ComponentDownloadHub()
{
    {
        QMutexLocker lock(&s_hubMutex);
        if (s_hub == this) {
            s_hub = nullptr;
        }
    }
    // The worker and its network access manager are deleted on their own thread,
    // which is still running here (a deferred delete posted at its end is never run).
    ComponentDownloadWorker* worker = m_worker;
    QMetaObject::invokeMethod(
        worker, [worker] { delete worker; }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

void ComponentDownloadHub::Download(const QUrl& url, const QString& target, Listener listener)
{
    quint64 ticket = 0;
    {
        QMutexLocker lock(&m_listenersMutex);
        ticket = m_nextTicket++;
        m_listeners[ticket] = std::move(listener);
    }
    ComponentDownloadWorker* worker = m_worker;
    QMetaObject::invokeMethod(
        worker, [worker, ticket, url, target] { worker->Start(ticket, url, target); }, Qt::QueuedConnection);
}

void ComponentDownloadHub::Run(std::function<QString()> job, QObject* context,
                               std::function<void(const QString& error)> done)
{
    QPointer<QObject> guard(context);
    QMetaObject::invokeMethod(
        m_worker,
        [this, job = std::move(job), guard, done = std::move(done)] {
            const QString error = job();
            QMetaObject::invokeMethod(
                this,
                [guard, done, error] {
                    if (guard) {
                        done(error);
                    }
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void ComponentDownloadHub::DeliverProgress(quint64 ticket, qint64 received, qint64 total)
{
    std::function<void(qint64, qint64)> progress;
    {
        QMutexLocker lock(&m_listenersMutex);
        const auto found = m_listeners.find(ticket);
        if (found == m_listeners.end()) {
            return;
        }
        if (!found->second.Context) {
            m_listeners.erase(found);
            return;
        }
        progress = found->second.Progress;
    }
    // Called unlocked: a listener may start another download.
    if (progress) {
        progress(received, total);
    }
}

void ComponentDownloadHub::DeliverDone(quint64 ticket, const ComponentDownloadResult& result)
{
    Listener listener;
    {
        QMutexLocker lock(&m_listenersMutex);
        const auto found = m_listeners.find(ticket);
        if (found == m_listeners.end()) {
            return;
        }
        listener = std::move(found->second);
        m_listeners.erase(found);
    }
    if (listener.Context && listener.Done) {
        listener.Done(result);
    }
}

} // namespace vela
