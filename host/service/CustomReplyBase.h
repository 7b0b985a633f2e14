#pragma once

#include "vela_service_export.h"

#include <QMutex>
#include <QObject>

#include <functional>
#include <memory>
#include <string>

namespace vela {

class CustomReplyBase;
class ReplyQueue;
class RequestToken;

// Shared between a reply and whoever completes it, possibly on another
// thread: it tells the completer whether the reply still exists, and holds
// the outcome until the reply's turn to finish comes.
struct VELA_SERVICE_EXPORT ReplyLink
{
    ReplyLink();
    ~ReplyLink();

    QMutex Mutex;
    CustomReplyBase* Reply = nullptr;
    bool Completed = false;
    // A newer request of its kind made this one pointless before it ran.
    bool Superseded = false;
    std::wstring Error;
    // Moves the result into the reply; run on the reply's thread.
    std::function<void(CustomReplyBase*)> Store;
    std::shared_ptr<RequestToken> Token;
    // The replies this one finishes in turn with; none for a reply on its own.
    std::weak_ptr<ReplyQueue> Queue;
};

// An asynchronous answer of the service layer. Finished() is emitted once,
// on the reply's thread, never inside the call that created it.
class VELA_SERVICE_EXPORT CustomReplyBase : public QObject
{
    Q_OBJECT

public:
    explicit CustomReplyBase(QObject* parent = nullptr);
    ~CustomReplyBase() override;

    // Empty on success.
    std::wstring Error() const;
    bool IsFinished() const;

    // Whether the work behind this reply is still wanted (see RequestToken).
    std::shared_ptr<RequestToken> Token() const;

    // Makes this reply finish in turn with the others of `queue`; called once,
    // before the request is sent. With `supersedeOlder`, the older replies of
    // the queue whose work has not started are cancelled.
    void EnterQueue(const std::shared_ptr<ReplyQueue>& queue, bool supersedeOlder);

signals:
    void Finished();

protected:
    std::shared_ptr<ReplyLink> Link() const;
    // Records the outcome, at most once, and has the reply finish at a later
    // turn of its thread's event loop, after the replies queued before it.
    static void Complete(const std::shared_ptr<ReplyLink>& link, std::wstring error,
                         std::function<void(CustomReplyBase*)> store);

private:
    friend class ReplyQueue;
    void FinishNow(const std::wstring& error);

    std::shared_ptr<ReplyLink> m_link;
    std::wstring m_error;
    bool m_finished = false;
};

} // namespace vela
