#pragma once

#include "PublicComponentWorkflowBase.h"

namespace vela {

// The Lumen product's load: into the open document when there is one, else
// into the product's local library folder.
class VELA_WORKFLOW_EXPORT LoadFromPublicIntoDocumentWorkflow4Lumen : public PublicComponentWorkflowBase
{
    Q_OBJECT

public:
    static LoadFromPublicIntoDocumentWorkflow4Lumen* Create(const PublicComponentWorkflowArgument& argument, QObject* parent);

protected:
    LoadFromPublicIntoDocumentWorkflow4Lumen(const PublicComponentWorkflowArgument& argument, QObject* parent);

    void InternalProceed() override;

private:
    void KeepInLibrary(const std::shared_ptr<const tarn::ComponentFile>& file);
};

} // namespace vela
