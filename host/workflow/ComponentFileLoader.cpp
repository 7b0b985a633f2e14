#include "ComponentFileLoader.h"

#include "Document.h"
#include "DocumentService.h"
#include "FamilyLoadOptionsDefaultImpl.h"

#include <QPointer>

namespace vela {

namespace {

ComponentFileLoader::Outcome Failure(const wchar_t* message)
{
    return {message, tarn::RuntimeId::InvalidID};
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
        return Failure(L"没有构件文件");
    }

    tarn::FamilyFoundStrategy strategy = tarn::KeepExistingAndRename;
    std::shared_ptr<tarn::IFamilyLoadOptions> hostOptions;
    const std::wstring name = file->FamilyName.toStdWString();
    if (const tarn::Family* existing = document->FindFamily(name); existing && options) {
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
        } else if (action != FamilyConflictAction::Rename) {
            return Failure(L"操作取消");
        }
    }
    if (!hostOptions) {
        hostOptions = std::make_shared<tarn::FamilyLoadOptionsDefaultImpl>(strategy);
    }

    std::wstring error;
    const tarn::Family* family = document->LoadFamily(file, strategy, hostOptions.get(), &error);
    if (!family) {
        return {error.empty() ? std::wstring(L"载入失败") : error, tarn::RuntimeId::InvalidID};
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
