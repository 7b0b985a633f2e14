#pragma once

#include "vela_service_export.h"

#include <QMutex>

#include <deque>
#include <memory>

namespace vela {

struct ReplyLink;

// The replies of one request kind made on one thread, finished in the order
// they were made whatever order their answers come in. A reply deleted early
// leaves the queue at once. When a newer request asks to supersede, the older
// ones whose work has not started are cancelled: they finish with an error
// just before the newer one, in the same turn of the event loop, so that a
// caller filling a view from the last reply never shows the gap.
class VELA_SERVICE_EXPORT ReplyQueue
{
public:
    // The queue of `kind` for the calling thread; it lives as long as the thread.
    static std::shared_ptr<ReplyQueue> ForThisThread(int kind);

    static const wchar_t* SupersededErrorText();

    void Append(const std::shared_ptr<ReplyLink>& link, bool supersede);
    // Called by a reply going away, on its own thread.
    void Remove(const ReplyLink* link);
    // Finishes, on the queue's thread, every reply whose turn has come.
    void Drain();

    // Finishes one reply with its recorded outcome, once.
    static void Deliver(const std::shared_ptr<ReplyLink>& link);

private:
    std::shared_ptr<ReplyLink> TakeReady();
    void ScheduleDrain();

    QMutex m_mutex;
    std::deque<std::shared_ptr<ReplyLink>> m_links;
};

} // namespace vela
