#pragma once

#include "ComponentFile.h"
#include "PublicComponentWorkflowArgument.h"
#include "WorkflowBase.h"

#include <memory>
#include <vector>

namespace vela {

// Downloads several public components, then loads them all in one command.
class VELA_WORKFLOW_EXPORT LoadMultiFromPublicIntoDocumentWorkflow : public WorkflowBase
{
    Q_OBJECT

public:
    static LoadMultiFromPublicIntoDocumentWorkflow* Create(const std::vector<PublicComponentWorkflowArgument>& arguments,
                                                           QObject* parent);

protected:
    LoadMultiFromPublicIntoDocumentWorkflow(const std::vector<PublicComponentWorkflowArgument>& arguments,
                                            QObject* parent);

    void InternalProceed() override;

    std::vector<PublicComponentWorkflowArgument> m_arguments;

private:
    void ItemDownloaded(size_t index, std::shared_ptr<const tarn::ComponentFile> file);
    void LoadSome();
    void FinishBatch();

    std::vector<tarn::RuntimeId> m_targets;
    std::vector<std::shared_ptr<const tarn::ComponentFile>> m_files;
    size_t m_downloaded = 0;
    size_t m_nextToLoad = 0;
    size_t m_failed = 0;
    bool m_loading = false;
};

} // namespace vela
