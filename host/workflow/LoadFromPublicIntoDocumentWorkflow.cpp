#include "LoadFromPublicIntoDocumentWorkflow.h"

#include "Document.h"

namespace vela {

LoadFromPublicIntoDocumentWorkflow* LoadFromPublicIntoDocumentWorkflow::Create(const PublicComponentWorkflowArgument& argument, QObject* parent)
{
    return new LoadFromPublicIntoDocumentWorkflow(argument, parent);
}

LoadFromPublicIntoDocumentWorkflow::LoadFromPublicIntoDocumentWorkflow(const PublicComponentWorkflowArgument& argument, QObject* parent)
    : PublicComponentWorkflowBase(argument, parent)
{
}

void LoadFromPublicIntoDocumentWorkflow::InternalProceed()
{
    std::wstring error;
    if (!ValidateArgument(error)) {
        Finish(false, error);
        return;
    }
    if (!CheckTargetDocument()) {
        return;
    }
    FetchComponentFile([this](const QString&, const std::shared_ptr<const tarn::ComponentFile>& file) {
        tarn::RuntimeId familyId;
        if (LoadIntoDocument(m_argument.DocumentId, file, familyId)) {
            const tarn::Document* document = tarn::Document::Find(m_argument.DocumentId);
            const tarn::Family* family = document ? document->FindFamily(familyId) : nullptr;
            Finish(true, family ? family->GetName() : std::wstring());
        }
    });
}

} // namespace vela
