#pragma once

#include "PublicComponentWorkflowBase.h"

namespace vela {

// Loads a public component into a document, then places one instance of it.
class VELA_WORKFLOW_EXPORT PlaceFromPublicIntoDocumentWorkflow : public PublicComponentWorkflowBase
{
    Q_OBJECT

public:
    static PlaceFromPublicIntoDocumentWorkflow* Create(const PublicComponentWorkflowArgument& argument, QObject* parent);

protected:
    PlaceFromPublicIntoDocumentWorkflow(const PublicComponentWorkflowArgument& argument, QObject* parent);

    void InternalProceed() override;

private:
    void PlaceInstance(tarn::RuntimeId familyId);
};

} // namespace vela
