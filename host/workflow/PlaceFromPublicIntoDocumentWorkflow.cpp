#include "PlaceFromPublicIntoDocumentWorkflow.h"

#include "Document.h"

#include <QTimer>

namespace vela {

PlaceFromPublicIntoDocumentWorkflow* PlaceFromPublicIntoDocumentWorkflow::Create(const PublicComponentWorkflowArgument& argument, QObject* parent)
{
    return new PlaceFromPublicIntoDocumentWorkflow(argument, parent);
}

PlaceFromPublicIntoDocumentWorkflow::PlaceFromPublicIntoDocumentWorkflow(const PublicComponentWorkflowArgument& argument, QObject* parent)
    : PublicComponentWorkflowBase(argument, parent)
{
}

void PlaceFromPublicIntoDocumentWorkflow::InternalProceed()
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
        if (!LoadIntoDocument(m_argument.DocumentId, file, familyId)) {
            return;
        }
        emit Report(L"即将触发命令");
        // The command starts once the caller has reacted to the report (closing its window).
        QTimer::singleShot(0, this, [this, familyId] { PlaceInstance(familyId); });
    });
}

void PlaceFromPublicIntoDocumentWorkflow::PlaceInstance(tarn::RuntimeId familyId)
{
    tarn::Document* document = tarn::Document::Find(m_argument.DocumentId);
    const tarn::Family* family = document ? document->FindFamily(familyId) : nullptr;
    if (!family || family->Types().empty()) {
        Finish(false, document ? L"构件已不在文档中" : L"目标文档已关闭");
        return;
    }
    const tarn::RuntimeId instance =
        document->PlaceInstance(family->Types().front()->GetUniIdentity(), document->SuggestPlacement(*family));
    Finish(instance.IsValid(), instance.IsValid() ? family->GetName() : std::wstring(L"布置失败"));
}

} // namespace vela
