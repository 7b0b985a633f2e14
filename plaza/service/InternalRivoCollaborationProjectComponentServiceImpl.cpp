#include "InternalRivoCollaborationProjectComponentServiceImpl.h"

#include "AddIntoProjectContext.h"
#include "Container.h"
#include "IVelaLogger.h"
#include "InstanceServiceProvider.h"
#include "PlazaMainWindow.h"
#include "PlazaPublicPage.h"

#include <QString>

namespace vela {

namespace {

std::vector<std::shared_ptr<IProjectComponent>> Fail(const std::wstring& text, std::wstring& errorMessage)
{
    errorMessage = text;
    if (IVelaLogger* logger = IVelaLogger::Get()) {
        VelaLogObject line(text);
        logger->Error(line);
    }
    return {};
}

void LogSummary(const AddIntoProjectContext& context)
{
    IVelaLogger* logger = IVelaLogger::Get();
    if (!logger) {
        return;
    }
    QString list = QStringLiteral("[");
    const std::vector<std::shared_ptr<IProjectComponent>> added = context.AddedComponents();
    for (size_t i = 0; i < added.size(); ++i) {
        const IProjectComponent& component = *added[i];
        list += QStringLiteral("{id:%1, version:%2, name:%3, categoryCode:%4, publicComponentId:%5}")
                    .arg(QString::fromStdWString(component.Id))
                    .arg(component.Version)
                    .arg(QString::fromStdWString(component.Name))
                    .arg(QString::fromStdWString(component.CategoryCode))
                    .arg(QString::fromStdWString(component.PublicComponentId));
        if (i + 1 < added.size()) {
            list += QStringLiteral(",");
        }
    }
    list += QStringLiteral("]");
    VelaLogObject line(QStringLiteral("add component(s) from public into project '%1', added project component(s) info: %2")
                           .arg(QString::fromStdWString(context.ProjectId()))
                           .arg(list));
    logger->Info(line);
}

// Registers the service with the host's container when the library is loaded.
const bool s_registered = [] {
    Container* container = Container::Get();
    if (!container) {
        return false;
    }
    using Provider = InstanceServiceProvider<IInternalRivoCollaborationProjectComponentService,
                                             InternalRivoCollaborationProjectComponentServiceImpl>;
    container->Providers()[typeid(IInternalRivoCollaborationProjectComponentService).name()] =
        std::make_shared<Provider>(InternalRivoCollaborationProjectComponentServiceImpl());
    return true;
}();

} // namespace

std::vector<std::shared_ptr<IProjectComponent>> InternalRivoCollaborationProjectComponentServiceImpl::
    AddComponentsFromPublic(const InternalAddComponentOptions& options, std::wstring& errorMessage)
{
    if (options.ProjectId().empty()) {
        return Fail(L"projectId is empty", errorMessage);
    }
    PlazaMainWindow* window = PlazaMainWindow::Get();
    if (!window) {
        return Fail(L"fail to get pPlazaMainWindow.", errorMessage);
    }
    PlazaPublicPage* page = window->findChild<PlazaPublicPage*>(QString(), Qt::FindChildrenRecursively);
    if (!page) {
        return Fail(L"fail to get plaza public page", errorMessage);
    }
    page->SetAddIntoProjectContext(AddIntoProjectContext(options.ProjectId()));
    window->exec();
    LogSummary(page->GetAddIntoProjectContext());
    return page->GetAddIntoProjectContext().AddedComponents();
}

} // namespace vela
