#include "CustomReplyBase.h"

#include "ReplyQueue.h"
#include "RequestToken.h"

#include <QMetaObject>
#include <QMutexLocker>

namespace vela {

ReplyLink::ReplyLink()
    : Token(std::make_shared<RequestToken>())
{
}

ReplyLink::~ReplyLink() = default;

CustomReplyBase::CustomReplyBase(QObject* parent)
    : QObject(parent)
    , m_link(std::make_shared<ReplyLink>())
{
    m_link->Reply = this;
}

CustomReplyBase::~CustomReplyBase()
{
    std::shared_ptr<ReplyQueue> queue;
    {
        QMutexLocker lock(&m_link->Mutex);
        m_link->Reply = nullptr;
        m_link->Store = nullptr;
        queue = m_link->Queue.lock();
    }
    // The replies after this one must not wait for it.
    if (queue) {
        queue->Remove(m_link.get());
    }
}

std::wstring CustomReplyBase::Error() const
{
    return m_error;
}

bool CustomReplyBase::IsFinished() const
{
    return m_finished;
}

std::shared_ptr<RequestToken> CustomReplyBase::Token() const
{
    return m_link->Token;
}

void CustomReplyBase::EnterQueue(const std::shared_ptr<ReplyQueue>& queue, bool supersedeOlder)
{
    {
        QMutexLocker lock(&m_link->Mutex);
        m_link->Queue = queue;
    }
    queue->Append(m_link, supersedeOlder);
}

std::shared_ptr<ReplyLink> CustomReplyBase::Link() const
{
    return m_link;
}

void CustomReplyBase::Complete(const std::shared_ptr<ReplyLink>& link, std::wstring error,
                               std::function<void(CustomReplyBase*)> store)
{
    QMutexLocker lock(&link->Mutex);
    if (!link->Reply || link->Completed) {
        return;
    }
    link->Completed = true;
    link->Error = std::move(error);
    link->Store = std::move(store);
    const std::shared_ptr<ReplyQueue> queue = link->Queue.lock();
    // Posted to the reply, which cannot go away while the link is locked.
    QMetaObject::invokeMethod(
        link->Reply,
        [queue, link] {
            if (queue) {
                queue->Drain();
            } else {
                ReplyQueue::Deliver(link);
            }
        },
        Qt::QueuedConnection);
}

void CustomReplyBase::FinishNow(const std::wstring& error)
{
    m_error = error;
    m_finished = true;
    emit Finished();
}

} // namespace vela
