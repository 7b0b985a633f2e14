#pragma once

#include "vela_service_export.h"

#include <QMutex>
#include <QObject>

#include <memory>
#include <string>

namespace vela {

// Shared between a reply and whoever completes it, possibly on another
// thread: it tells the completer whether the reply still exists.
struct ReplyLink
{
    QMutex Mutex;
    class CustomReplyBase* Reply = nullptr;
    bool Completed = false;
};

// An asynchronous answer of the service layer. Finished() is emitted once,
// on the reply's thread, never inside the call that created the reply.
class VELA_SERVICE_EXPORT CustomReplyBase : public QObject
{
    Q_OBJECT

public:
    explicit CustomReplyBase(QObject* parent = nullptr);
    ~CustomReplyBase() override;

    // Empty on success.
    std::wstring Error() const;
    bool IsFinished() const;

signals:
    void Finished();

protected:
    std::shared_ptr<ReplyLink> Link() const;
    void FinishNow(const std::wstring& error);

private:
    std::shared_ptr<ReplyLink> m_link;
    std::wstring m_error;
    bool m_finished = false;
};

} // namespace vela
