#include "ReplyQueue.h"

#include "CustomReplyBase.h"
#include "RequestToken.h"

#include <QMetaObject>
#include <QMutexLocker>

#include <algorithm>
#include <map>

namespace vela {

std::shared_ptr<ReplyQueue> ReplyQueue::ForThisThread(int kind)
{
    thread_local std::map<int, std::shared_ptr<ReplyQueue>> s_queues;
    std::shared_ptr<ReplyQueue>& queue = s_queues[kind];
    if (!queue) {
        queue = std::make_shared<ReplyQueue>();
    }
    return queue;
}

const wchar_t* ReplyQueue::SupersededErrorText()
{
    return L"已有更新的同类请求，此请求未执行";
}

void ReplyQueue::Append(const std::shared_ptr<ReplyLink>& link, bool supersede)
{
    QMutexLocker lock(&m_mutex);
    if (supersede) {
        for (const std::shared_ptr<ReplyLink>& older : m_links) {
            QMutexLocker olderLock(&older->Mutex);
            // An answer already in stays: only work that never ran is dropped.
            if (older->Reply && !older->Completed && older->Token->Cancel()) {
                older->Completed = true;
                older->Superseded = true;
                older->Error = SupersededErrorText();
                older->Store = nullptr;
            }
        }
    }
    m_links.push_back(link);
}

void ReplyQueue::Remove(const ReplyLink* link)
{
    {
        QMutexLocker lock(&m_mutex);
        const auto found = std::find_if(m_links.begin(), m_links.end(),
                                        [link](const std::shared_ptr<ReplyLink>& l) { return l.get() == link; });
        if (found == m_links.end()) {
            return;
        }
        m_links.erase(found);
    }
    ScheduleDrain();
}

void ReplyQueue::ScheduleDrain()
{
    QMutexLocker lock(&m_mutex);
    for (const std::shared_ptr<ReplyLink>& link : m_links) {
        QMutexLocker linkLock(&link->Mutex);
        if (link->Reply) {
            // Weakly held: a queue outlived by a posted call does nothing.
            std::weak_ptr<ReplyQueue> queue = link->Queue;
            QMetaObject::invokeMethod(
                link->Reply,
                [queue] {
                    if (const std::shared_ptr<ReplyQueue> alive = queue.lock()) {
                        alive->Drain();
                    }
                },
                Qt::QueuedConnection);
            return;
        }
    }
}

std::shared_ptr<ReplyLink> ReplyQueue::TakeReady()
{
    QMutexLocker lock(&m_mutex);
    while (!m_links.empty()) {
        const std::shared_ptr<ReplyLink> front = m_links.front();
        bool alive = false;
        bool completed = false;
        bool superseded = false;
        {
            QMutexLocker linkLock(&front->Mutex);
            alive = front->Reply != nullptr;
            completed = front->Completed;
            superseded = front->Superseded;
        }
        if (!alive) {
            m_links.pop_front();
            continue;
        }
        if (!completed) {
            return nullptr;
        }
        if (superseded) {
            // It waits for the reply that superseded it, to finish in the same turn.
            for (size_t i = 1; i < m_links.size(); ++i) {
                QMutexLocker laterLock(&m_links[i]->Mutex);
                if (!m_links[i]->Reply || m_links[i]->Superseded) {
                    continue;
                }
                if (!m_links[i]->Completed) {
                    return nullptr;
                }
                break;
            }
        }
        m_links.pop_front();
        return front;
    }
    return nullptr;
}

void ReplyQueue::Drain()
{
    // Taken one at a time: a handler may make new requests or delete replies.
    while (const std::shared_ptr<ReplyLink> link = TakeReady()) {
        Deliver(link);
    }
}

void ReplyQueue::Deliver(const std::shared_ptr<ReplyLink>& link)
{
    CustomReplyBase* reply = nullptr;
    std::function<void(CustomReplyBase*)> store;
    std::wstring error;
    {
        QMutexLocker lock(&link->Mutex);
        reply = link->Reply;
        store = std::move(link->Store);
        error = link->Error;
    }
    if (!reply || reply->IsFinished()) {
        return;
    }
    if (store) {
        store(reply);
    }
    reply->FinishNow(error);
}

} // namespace vela
