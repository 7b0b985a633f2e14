#include "PublicComponentWorkflowBase.h"

#include "ComponentFileFetcher.h"
#include "ComponentFileLoader.h"
#include "Document.h"
#include "WorkflowFailure.h"

namespace vela {

PublicComponentWorkflowBase::PublicComponentWorkflowBase(const PublicComponentWorkflowArgument& argument,
                                                         QObject* parent)
    : WorkflowBase(parent)
    , m_argument(argument)
{
    SetSubject(argument.ComponentId, argument.ComponentName);
}

const PublicComponentWorkflowArgument& PublicComponentWorkflowBase::Argument() const
{
    return m_argument;
}

bool PublicComponentWorkflowBase::ValidateArgument(std::wstring& error)
{
    if (m_argument.ComponentId.empty()) {
        error = L"公共构件Id为空";
        return false;
    }
    return true;
}

void PublicComponentWorkflowBase::FetchComponentFile(FetchedFile then)
{
    auto* fetcher = new ComponentFileFetcher(this);
    connect(fetcher, &ComponentFileFetcher::Progress, this, [this](qint64 received, qint64 total) {
        emit Progress(static_cast<float>(received), static_cast<float>(total > 0 ? total : 0));
    });
    connect(fetcher, &ComponentFileFetcher::Failed, this,
            [this](const QString& message, const QString& reason) {
                Fail(message.toStdWString(), reason.toStdWString());
            });
    connect(fetcher, &ComponentFileFetcher::Fetched, this, std::move(then));
    emit Report(tr("正在下载构件文件...").toStdWString());
    fetcher->Fetch(m_argument.ComponentId);
}

bool PublicComponentWorkflowBase::LoadIntoDocument(tarn::RuntimeId documentId,
                                                   const std::shared_ptr<const tarn::ComponentFile>& file,
                                                   tarn::RuntimeId& familyId)
{
    emit Report(tr("正在载入构件...").toStdWString());
    const ComponentFileLoader::Outcome outcome = ComponentFileLoader::Load(documentId, file, m_argument.LoadOptions.get());
    if (!outcome.Error.empty()) {
        Fail(outcome.Error, WorkflowFailure::LoadReason(outcome.Error));
        return false;
    }
    familyId = outcome.FamilyId;
    return true;
}

bool PublicComponentWorkflowBase::CheckTargetDocument()
{
    if (!m_argument.DocumentId.IsValid()) {
        Fail(L"目标文档无效", tr("没有目标文档").toStdWString());
        return false;
    }
    if (!tarn::Document::Find(m_argument.DocumentId)) {
        Fail(L"找不到目标文档", tr("文档已关闭").toStdWString());
        return false;
    }
    return true;
}

void PublicComponentWorkflowBase::LoadIntoTargetDocument(LoadedFamily then)
{
    std::wstring error;
    if (!ValidateArgument(error)) {
        Fail(error, tr("构件无效").toStdWString());
        return;
    }
    if (!CheckTargetDocument()) {
        return;
    }
    FetchComponentFile(
        [this, then = std::move(then)](const QString&, const std::shared_ptr<const tarn::ComponentFile>& file) {
            tarn::RuntimeId familyId;
            if (LoadIntoDocument(m_argument.DocumentId, file, familyId)) {
                then(familyId);
            }
        });
}

} // namespace vela
