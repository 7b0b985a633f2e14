#pragma once

#include "ComponentFile.h"
#include "PublicComponentWorkflowArgument.h"
#include "WorkflowBase.h"
#include "WorkflowFailure.h"

#include <memory>
#include <vector>

namespace vela {

// Downloads several public components, then loads them all in one command.
// A failure finishes with "全部失败" or "部分失败", followed by a blank line and
// one "name：reason" line per failed component.
class VELA_WORKFLOW_EXPORT LoadMultiFromPublicIntoDocumentWorkflow : public WorkflowBase
{
    Q_OBJECT

public:
    static LoadMultiFromPublicIntoDocumentWorkflow* Create(const std::vector<PublicComponentWorkflowArgument>& arguments,
                                                           QObject* parent);

    // The components that failed, in argument order, each with its short reason;
    // complete when Finished is emitted.
    const std::vector<WorkflowFailure>& Failures() const;

protected:
    LoadMultiFromPublicIntoDocumentWorkflow(const std::vector<PublicComponentWorkflowArgument>& arguments,
                                            QObject* parent);

    void InternalProceed() override;

    std::vector<PublicComponentWorkflowArgument> m_arguments;

private:
    void ItemDownloaded(size_t index, std::shared_ptr<const tarn::ComponentFile> file);
    void ItemFailed(size_t index, const std::wstring& message, const std::wstring& reason);
    void FinishFailed(const std::wstring& message);
    void LoadSome();
    void FinishBatch();

    std::vector<tarn::RuntimeId> m_targets;
    std::vector<std::shared_ptr<const tarn::ComponentFile>> m_files;
    size_t m_downloaded = 0;
    size_t m_nextToLoad = 0;
    std::vector<WorkflowFailure> m_failures;
    bool m_loading = false;
};

} // namespace vela
