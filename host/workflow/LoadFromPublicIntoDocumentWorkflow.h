#pragma once

#include "PublicComponentWorkflowBase.h"

namespace vela {

// Downloads a public component's file and loads its family and types into a document.
class VELA_WORKFLOW_EXPORT LoadFromPublicIntoDocumentWorkflow : public PublicComponentWorkflowBase
{
    Q_OBJECT

public:
    static LoadFromPublicIntoDocumentWorkflow* Create(const PublicComponentWorkflowArgument& argument, QObject* parent);

protected:
    LoadFromPublicIntoDocumentWorkflow(const PublicComponentWorkflowArgument& argument, QObject* parent);

    void InternalProceed() override;
};

} // namespace vela
