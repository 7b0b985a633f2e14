#include "BatchWorkflowBase.h"

namespace vela {

BatchWorkflowBase::BatchWorkflowBase(const int& count, QObject* parent)
    : WorkflowBase(parent)
    , m_count(count < 0 ? 0 : count)
{
}

const std::vector<WorkflowFailure>& BatchWorkflowBase::Failures() const
{
    return m_failures;
}

void BatchWorkflowBase::InternalProceed()
{
    emit Progress(0.0f, static_cast<float>(m_count));
    RunNext();
}

void BatchWorkflowBase::RunNext()
{
    if (m_index >= m_count) {
        if (m_failures.empty()) {
            Finish(true, std::wstring());
            return;
        }
        // Each child logged its own failure; this line ties them to the batch.
        std::wstring summary;
        for (const WorkflowFailure& failure : m_failures) {
            summary += (summary.empty() ? L"" : L", ") + failure.ComponentId + L" " + failure.Reason;
        }
        const bool all = static_cast<int>(m_failures.size()) == m_count;
        Fail(all ? L"全部失败" : L"部分失败", std::wstring(), summary);
        return;
    }
    WorkflowBase* child = CreateWorkflow(m_index);
    if (!child) {
        ChildFinished(nullptr, false, tr("无法创建工作流").toStdWString());
        return;
    }
    connect(child, &WorkflowBase::Report, this, &WorkflowBase::Report);
    // The child is still alive while it emits Finished, so its reason can be read here.
    connect(child, &WorkflowBase::Finished, this, [this, child](bool success, const std::wstring& message) {
        ChildFinished(child, success, message);
    });
    child->Proceed(true);
}

void BatchWorkflowBase::ChildFinished(const WorkflowBase* child, bool success, const std::wstring& message)
{
    if (!success) {
        WorkflowFailure failure;
        failure.Index = m_index;
        failure.Message = message;
        if (child) {
            failure.ComponentId = child->SubjectId();
            failure.ComponentName = child->SubjectName();
            failure.Reason = child->FailureReason();
        } else {
            failure.Reason = tr("载入失败").toStdWString();
        }
        m_failures.push_back(std::move(failure));
    }
    emit Phased(m_index, success, message);
    ++m_index;
    emit Progress(static_cast<float>(m_index), static_cast<float>(m_count));
    RunNext();
}

} // namespace vela
