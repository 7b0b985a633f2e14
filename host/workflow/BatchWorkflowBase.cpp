#include "BatchWorkflowBase.h"

namespace vela {

BatchWorkflowBase::BatchWorkflowBase(const int& count, QObject* parent)
    : WorkflowBase(parent)
    , m_count(count < 0 ? 0 : count)
{
}

void BatchWorkflowBase::InternalProceed()
{
    emit Progress(0.0f, static_cast<float>(m_count));
    RunNext();
}

void BatchWorkflowBase::RunNext()
{
    if (m_index >= m_count) {
        if (m_failed == 0) {
            Finish(true, std::wstring());
        } else {
            Finish(false, m_failed == m_count ? L"全部失败" : L"部分失败");
        }
        return;
    }
    WorkflowBase* child = CreateWorkflow(m_index);
    if (!child) {
        ChildFinished(false, L"无法创建工作流");
        return;
    }
    connect(child, &WorkflowBase::Report, this, &WorkflowBase::Report);
    connect(child, &WorkflowBase::Finished, this,
            [this](bool success, const std::wstring& message) { ChildFinished(success, message); });
    child->Proceed(true);
}

void BatchWorkflowBase::ChildFinished(bool success, const std::wstring& message)
{
    if (!success) {
        ++m_failed;
    }
    emit Phased(m_index, success, message);
    ++m_index;
    emit Progress(static_cast<float>(m_index), static_cast<float>(m_count));
    RunNext();
}

} // namespace vela
