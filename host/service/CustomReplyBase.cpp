#include "CustomReplyBase.h"

#include <QMutexLocker>

namespace vela {

CustomReplyBase::CustomReplyBase(QObject* parent)
    : QObject(parent)
    , m_link(std::make_shared<ReplyLink>())
{
    m_link->Reply = this;
}

CustomReplyBase::~CustomReplyBase()
{
    QMutexLocker lock(&m_link->Mutex);
    m_link->Reply = nullptr;
}

std::wstring CustomReplyBase::Error() const
{
    return m_error;
}

bool CustomReplyBase::IsFinished() const
{
    return m_finished;
}

std::shared_ptr<ReplyLink> CustomReplyBase::Link() const
{
    return m_link;
}

void CustomReplyBase::FinishNow(const std::wstring& error)
{
    m_error = error;
    m_finished = true;
    emit Finished();
}

} // namespace vela
