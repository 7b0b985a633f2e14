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
    LoadIntoTargetDocument([this](tarn::RuntimeId familyId) {
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
        if (document) {
            Fail(L"构件已不在文档中", tr("构件已移除").toStdWString());
        } else {
            Fail(L"目标文档已关闭", tr("文档已关闭").toStdWString());
        }
        return;
    }
    const tarn::RuntimeId instance =
        document->PlaceInstance(family->Types().front()->GetUniIdentity(), document->SuggestPlacement(*family));
    if (!instance.IsValid()) {
        Fail(L"布置失败", tr("布置失败").toStdWString());
        return;
    }
    Finish(true, family->GetName());
}

} // namespace vela
