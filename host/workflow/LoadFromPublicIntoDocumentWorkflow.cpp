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
    LoadIntoTargetDocument([this](tarn::RuntimeId familyId) {
        const tarn::Document* document = tarn::Document::Find(m_argument.DocumentId);
        const tarn::Family* family = document ? document->FindFamily(familyId) : nullptr;
        Finish(true, family ? family->GetName() : std::wstring());
    });
}

} // namespace vela
