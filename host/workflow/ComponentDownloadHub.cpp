#include "ComponentDownloadHub.h"

#include "ComponentDownloadWorker.h"

#include <QCoreApplication>

namespace vela {

namespace {
QPointer<ComponentDownloadHub> s_hub;
}

ComponentDownloadHub* ComponentDownloadHub::Get()
{
    if (!s_hub) {
        s_hub = new ComponentDownloadHub(QCoreApplication::instance());
    }
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
    const quint64 ticket = m_nextTicket++;
    m_listeners[ticket] = std::move(listener);
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
    const auto found = m_listeners.find(ticket);
    if (found == m_listeners.end()) {
        return;
    }
    if (!found->second.Context) {
        m_listeners.erase(found);
        return;
    }
    if (found->second.Progress) {
        found->second.Progress(received, total);
    }
}

void ComponentDownloadHub::DeliverDone(quint64 ticket, const ComponentDownloadResult& result)
{
    const auto found = m_listeners.find(ticket);
    if (found == m_listeners.end()) {
        return;
    }
    const Listener listener = std::move(found->second);
    m_listeners.erase(found);
    if (listener.Context && listener.Done) {
        listener.Done(result);
    }
}

} // namespace vela
