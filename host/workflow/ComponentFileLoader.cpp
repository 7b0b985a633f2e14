#include "ComponentFileLoader.h"

#include "Document.h"
#include "DocumentService.h"
#include "FamilyLoadOptionsDefaultImpl.h"

#include <QCoreApplication>
#include <QPointer>

#include <utility>

namespace vela {

namespace {

ComponentFileLoader::Outcome Failure(std::wstring message)
{
    return {std::move(message), tarn::RuntimeId::InvalidID};
}

} // namespace

ComponentFileLoader::Outcome ComponentFileLoader::Load(tarn::RuntimeId documentId,
                                                       const std::shared_ptr<const tarn::ComponentFile>& file,
                                                       IVelaFamilyLoadOptions* options)
{
    QPointer<tarn::Document> document = tarn::Document::Find(documentId);
    if (!document) {
        return Failure(L"目标文档已关闭");
    }
    if (!file) {
        return Failure(QCoreApplication::translate("vela::ComponentFileLoader", "没有构件文件").toStdWString());
    }

    tarn::FamilyFoundStrategy strategy = tarn::KeepExistingAndRename;
    std::shared_ptr<tarn::IFamilyLoadOptions> hostOptions;
    const std::wstring name = file->FamilyName.toStdWString();
    std::wstring renamedTo;
    // A rename gives the name the question showed. Another load may take that
    // name while the user reads; the user is then asked again with the next free one.
    for (const tarn::Family* existing = document->FindFamily(name); existing && options;
         existing = document->FindFamily(name)) {
        FamilyConflictInfo info;
        info.ExistingName = name;
        info.RenamedName = document->ProposeFamilyName(name);
        info.HasInstancesInCanvas = document->InstanceCount(*existing) > 0;
        FamilyConflictAction action = FamilyConflictAction::Cancel;
        hostOptions = options->GetFamilyLoadOptions(action, info);
        // The question may have run a dialog while the document closed.
        if (!document) {
            return Failure(L"目标文档已关闭");
        }
        if (action == FamilyConflictAction::Overwrite) {
            strategy = tarn::OverwriteExisting;
            break;
        }
        if (action != FamilyConflictAction::Rename) {
            return Failure(L"操作取消");
        }
        if (!document->FindFamily(info.RenamedName)) {
            renamedTo = info.RenamedName;
            break;
        }
    }
    if (!hostOptions) {
        hostOptions = std::make_shared<tarn::FamilyLoadOptionsDefaultImpl>(strategy);
    }

    std::wstring error;
    const tarn::Family* family = renamedTo.empty()
                                     ? document->LoadFamily(file, strategy, hostOptions.get(), &error)
                                     : document->LoadFamilyAs(file, renamedTo, &error);
    if (!family) {
        return {error.empty() ? QCoreApplication::translate("vela::ComponentFileLoader", "载入失败").toStdWString() : error, tarn::RuntimeId::InvalidID};
    }
    return {std::wstring(), family->GetRuntimeId()};
}

tarn::RuntimeId ComponentFileLoader::ResolveDocument(tarn::RuntimeId requested)
{
    if (requested.IsValid()) {
        return requested;
    }
    const tarn::IDocument* current = DocumentService::Get()->GetCurrentDocument();
    return current ? current->GetRuntimeId() : tarn::RuntimeId::InvalidID;
}

} // namespace vela
