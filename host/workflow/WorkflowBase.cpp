#include "WorkflowBase.h"

#include <QTimer>

namespace vela {

WorkflowBase::WorkflowBase(QObject* parent)
    : QObject(parent)
{
}

void WorkflowBase::Proceed(bool start)
{
    if (!start || m_started) {
        return;
    }
    m_started = true;
    QTimer::singleShot(0, this, [this] { InternalProceed(); });
}

void WorkflowBase::Finish(bool success, const std::wstring& message)
{
    if (m_finished) {
        return;
    }
    m_finished = true;
    emit Finished(success, message);
    deleteLater();
}

} // namespace vela
