#include "DownloadPublicComponentWorkflow.h"

namespace vela {

DownloadPublicComponentWorkflow* DownloadPublicComponentWorkflow::Create(const PublicComponentWorkflowArgument& argument, QObject* parent)
{
    return new DownloadPublicComponentWorkflow(argument, parent);
}

DownloadPublicComponentWorkflow::DownloadPublicComponentWorkflow(const PublicComponentWorkflowArgument& argument, QObject* parent)
    : PublicComponentWorkflowBase(argument, parent)
{
}

void DownloadPublicComponentWorkflow::InternalProceed()
{
    std::wstring error;
    if (!ValidateArgument(error)) {
        Fail(error, tr("构件无效").toStdWString());
        return;
    }
    FetchComponentFile([this](const QString& localPath, const std::shared_ptr<const tarn::ComponentFile>&) {
        Finish(true, localPath.toStdWString());
    });
}

} // namespace vela
