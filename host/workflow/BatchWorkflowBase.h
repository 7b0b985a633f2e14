#pragma once

#include "WorkflowBase.h"
#include "WorkflowFailure.h"

#include <vector>

namespace vela {

// Runs `count` child workflows one after another. After each child it emits
// Phased(index, success, message) and Progress(done, count); at the end
// Finished(true) when all succeeded, else Finished(false, "全部失败" or "部分失败").
class VELA_WORKFLOW_EXPORT BatchWorkflowBase : public WorkflowBase
{
    Q_OBJECT

public:
    BatchWorkflowBase(const int& count, QObject* parent);

    // The children that failed so far, in batch order, each with its component
    // and short reason; complete when Finished is emitted.
    const std::vector<WorkflowFailure>& Failures() const;

signals:
    void Phased(int index, bool success, std::wstring message);

protected:
    void InternalProceed() override;
    // The child workflow for one index, or null when the index is out of range.
    virtual WorkflowBase* CreateWorkflow(const int& index) = 0;

private:
    void RunNext();
    void ChildFinished(const WorkflowBase* child, bool success, const std::wstring& message);

    int m_count;
    int m_index = 0;
    std::vector<WorkflowFailure> m_failures;
};

} // namespace vela
