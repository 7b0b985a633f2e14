#include "PlazaPageActions.h"

#include "AppService.h"
#include "BatchWorkflow.h"
#include "DocumentService.h"
#include "IDocument.h"
#include "IProjectManager.h"
#include "KelBulletin.h"
#include "KelMessageDialog.h"
#include "LoadFromPublicIntoDocumentWorkflow.h"
#include "LoadFromPublicIntoDocumentWorkflow4Lumen.h"
#include "LoadMultiFromPublicIntoDocumentWorkflow.h"
#include "OpenPlazaPublicFamilyLoadOptions.h"
#include "PlaceFromPublicIntoDocumentWorkflow.h"
#include "PlazaMainWindow.h"
#include "PlazaPageAnalytics.h"
#include "PlazaPageSupport.h"
#include "PlazaPublicPage.h"
#include "ProjectCloudComponentService.h"
#include "PublicComponentRepeatCheckDialog.h"
#include "SilentPlazaPublicFamilyLoadOptions.h"

#include <QPointer>
#include <QWidget>

#include <algorithm>

namespace vela {

namespace {

enum class SingleAction
{
    Load,
    LumenLoad,
    Place,
};

// A batch's failure dialog: the given text with, under it, which components
// failed and why. The workflow is still alive while it emits Finished, so its
// list can be read there.
void ShowBatchFailure(const QString& text, const std::vector<WorkflowFailure>& failures)
{
    const QString shown = failures.empty()
                              ? text
                              : text + QStringLiteral("\n\n") + QString::fromStdWString(WorkflowFailure::ListText(failures));
    KelMessageDialog::Get(nullptr)->ConfigDialogSize(280, -1)->Show(shown, 2, 1);
}

// The multi-load hides the window while its command runs; both of its ends bring it back.
void BringBackMainWindow()
{
    if (PlazaMainWindow* mainWindow = PlazaMainWindow::Get()) {
        mainWindow->Display(1500);
        mainWindow->HidMask();
    }
}

void CloseBulletin(const QPointer<KelBulletin>& bulletin)
{
    if (bulletin) {
        bulletin->close();
    }
}

void RunSingleAction(const IComponent& component, SingleAction action)
{
    if (component.Id.empty()) {
        KelBulletin::SingleShot(PlazaPublicPage::tr("公共构件Id为空"), 3, 3000, nullptr);
        return;
    }
    tarn::IDocument* document = DocumentService::Get()->GetCurrentDocument();
    if (!document && action != SingleAction::LumenLoad) {
        KelBulletin::SingleShot(PlazaPublicPage::tr("没有打开的文档"), 3, 3000, nullptr);
        return;
    }
    const tarn::RuntimeId documentId =
        action == SingleAction::LumenLoad ? tarn::RuntimeId::InvalidID : document->GetRuntimeId();
    const std::wstring documentName = document ? document->GetName() : std::wstring();
    const std::wstring version = PlazaPageSupport::SoftwareVersion();
    const QPointer<KelBulletin> bulletin =
        PlazaPageSupport::ShowBusyBulletin(PlazaPublicPage::tr("正在准备，请稍候..."));

    WorkflowBase* workflow = nullptr;
    switch (action) {
    case SingleAction::Load:
        workflow = LoadFromPublicIntoDocumentWorkflow::Create(
            PublicComponentWorkflowArgument(component, version, documentId,
                                            std::make_shared<OpenPlazaPublicFamilyLoadOptions>()),
            nullptr);
        break;
    case SingleAction::LumenLoad:
        workflow = LoadFromPublicIntoDocumentWorkflow4Lumen::Create(
            PublicComponentWorkflowArgument(component, version, documentId, nullptr), nullptr);
        break;
    case SingleAction::Place:
        workflow = PlaceFromPublicIntoDocumentWorkflow::Create(
            PublicComponentWorkflowArgument(component, version, documentId,
                                            std::make_shared<OpenPlazaPublicFamilyLoadOptions>()),
            nullptr);
        break;
    }
    if (!workflow) {
        CloseBulletin(bulletin);
        return;
    }
    const bool place = action == SingleAction::Place;
    QObject::connect(
        workflow, &WorkflowBase::Finished, workflow,
        [component, documentName, bulletin, place](bool success, const std::wstring&) {
            if (!success) {
                return;
            }
            CloseBulletin(bulletin);
            if (place) {
                PlazaPageAnalytics::TrackPlace(component, documentName);
            } else {
                KelBulletin::SingleShot(PlazaPublicPage::tr("载入成功"), 5, 2000, nullptr);
                PlazaPageAnalytics::TrackLoad({component}, documentName, false);
            }
        },
        Qt::DirectConnection);
    QObject::connect(
        workflow, &WorkflowBase::Finished, workflow,
        [bulletin, place](bool success, const std::wstring& message) {
            if (success) {
                return;
            }
            CloseBulletin(bulletin);
            if (message == L"操作取消") {
                return;
            }
            KelBulletin::SingleShot(place ? PlazaPublicPage::tr("布置失败") : PlazaPublicPage::tr("载入失败"),
                                    3, 1000, nullptr);
        },
        Qt::DirectConnection);
    QObject::connect(
        workflow, &WorkflowBase::Report, workflow,
        [bulletin, place](const std::wstring& message) {
            if (place && message == L"即将触发命令") {
                if (PlazaMainWindow* window = PlazaMainWindow::Get()) {
                    window->accept();
                }
                return;
            }
            if (bulletin) {
                bulletin->ConfigIcon(4)->ConfigMessage(QString::fromStdWString(message));
            }
        },
        Qt::DirectConnection);
    workflow->Proceed(true);
}

} // namespace

PlazaPageActions::PlazaPageActions(SelectionHelper<IComponent>& checkedComponents,
                                   AddIntoProjectContext& addIntoProjectContext, QWidget* page)
    : QObject(page)
    , m_page(page)
    , m_checkedComponents(checkedComponents)
    , m_addIntoProjectContext(addIntoProjectContext)
{
}

// ---------------------------------------------------------------------------
// Single load and place.

void PlazaPageActions::Load(const IComponent& component)
{
    AppService* app = AppService::Get();
    if (app && app->IsLumen()) {
        LoadForLumen(component);
        return;
    }
    RunSingleAction(component, SingleAction::Load);
}

void PlazaPageActions::LoadForLumen(const IComponent& component)
{
    RunSingleAction(component, SingleAction::LumenLoad);
}

void PlazaPageActions::Place(const IComponent& component)
{
    RunSingleAction(component, SingleAction::Place);
}

// ---------------------------------------------------------------------------
// Batch load and add into the collaboration project.

void PlazaPageActions::RunBatch()
{
    AppService* app = AppService::Get();
    if (app && app->IsRivo()) {
        AddComponentsIntoProject(m_checkedComponents.Items(), true);
        return;
    }
    BatchLoad();
}

void PlazaPageActions::BatchLoad()
{
    AppService* app = AppService::Get();
    const bool lumen = app && app->IsLumen();
    const bool multi = !lumen && app && app->IsSorn();
    PlazaMainWindow* window = PlazaMainWindow::Get();
    const auto hideMask = [window, multi] {
        if (multi && window) {
            window->HidMask();
        }
    };
    if (multi && window) {
        window->ShowMask();
    }

    const std::vector<IComponent> components = m_checkedComponents.Items();
    if (components.empty()) {
        KelBulletin::SingleShot(PlazaPublicPage::tr("未选中任何可载入构件"), 1, 3000, nullptr);
        hideMask();
        return;
    }
    tarn::IDocument* document = DocumentService::Get()->GetCurrentDocument();
    if (!document && !lumen) {
        KelBulletin::SingleShot(PlazaPublicPage::tr("没有打开的文档"), 3, 3000, nullptr);
        hideMask();
        return;
    }
    const std::wstring documentName = document ? document->GetName() : std::wstring();
    const std::wstring version = PlazaPageSupport::SoftwareVersion();
    const bool standard = !lumen && !multi;
    std::vector<PublicComponentWorkflowArgument> arguments;
    for (const IComponent& component : components) {
        if (standard) {
            arguments.emplace_back(component, version, document->GetRuntimeId(),
                                   std::make_shared<SilentPlazaPublicFamilyLoadOptions>(1));
        } else {
            arguments.emplace_back(component, version, tarn::RuntimeId::InvalidID, nullptr);
        }
    }

    const QPointer<KelBulletin> bulletin =
        PlazaPageSupport::ShowBusyBulletin(PlazaPublicPage::tr("正在准备，请稍候..."));
    if (multi && !bulletin) {
        hideMask();
        return;
    }
    // Workflows outlive the page when the host shuts down in the middle of a batch.
    const QPointer<PlazaPageActions> actions = this;
    const auto clearChecks = [actions] {
        if (actions) {
            actions->m_checkedComponents.Clear();
        }
    };
    const auto showProgress = [bulletin](const QString& text) {
        return [bulletin, text](float done, float total) {
            if (bulletin) {
                bulletin->ConfigIcon(0)->ConfigMessage(text)->ConfigProgress(static_cast<int>(done),
                                                                             static_cast<int>(total));
            }
        };
    };

    if (multi) {
        LoadMultiFromPublicIntoDocumentWorkflow* workflow =
            LoadMultiFromPublicIntoDocumentWorkflow::Create(arguments, nullptr);
        connect(
            workflow, &WorkflowBase::Finished, workflow,
            [clearChecks, bulletin, components, documentName, workflow](bool success, const std::wstring& message) {
                clearChecks();
                CloseBulletin(bulletin);
                if (success) {
                    PlazaPageAnalytics::TrackLoad(components, documentName, true);
                } else if (!message.empty()) {
                    ShowBatchFailure(QString::fromStdWString(message), workflow->Failures());
                }
                BringBackMainWindow();
            },
            Qt::DirectConnection);
        connect(workflow, &WorkflowBase::Progress, workflow, showProgress(PlazaPublicPage::tr("正在下载")),
                Qt::DirectConnection);
        connect(
            workflow, &WorkflowBase::Report, workflow,
            [bulletin](const std::wstring& message) {
                if (message == L"即将触发批量载入命令") {
                    if (PlazaMainWindow* mainWindow = PlazaMainWindow::Get()) {
                        mainWindow->hide();
                    }
                    return;
                }
                if (bulletin) {
                    bulletin->ConfigIcon(4)->ConfigMessage(QString::fromStdWString(message))->ConfigProgress(0, 0);
                }
            },
            Qt::DirectConnection);
        workflow->Proceed(true);
        return;
    }

    BatchWorkflowBase* workflow = nullptr;
    if (lumen) {
        workflow = new BatchWorkflow<LoadFromPublicIntoDocumentWorkflow4Lumen, PublicComponentWorkflowArgument>(
            arguments, nullptr);
    } else {
        workflow =
            new BatchWorkflow<LoadFromPublicIntoDocumentWorkflow, PublicComponentWorkflowArgument>(arguments, nullptr);
    }
    connect(workflow, &BatchWorkflowBase::Phased, workflow, [](int, bool, const std::wstring&) {},
            Qt::DirectConnection);
    connect(
        workflow, &WorkflowBase::Finished, workflow,
        [clearChecks, bulletin, components, documentName, workflow](bool success, const std::wstring& message) {
            clearChecks();
            CloseBulletin(bulletin);
            if (success) {
                KelBulletin::SingleShot(PlazaPublicPage::tr("批量载入成功"), 5, 1000, nullptr);
                PlazaPageAnalytics::TrackLoad(components, documentName, true);
                return;
            }
            QString text = QString::fromStdWString(message);
            if (message == L"全部失败") {
                text = PlazaPublicPage::tr("载入失败，请检查网络后重试");
            } else if (message == L"部分失败") {
                text = PlazaPublicPage::tr("部分构件载入失败，请检查网络后重试");
            }
            ShowBatchFailure(text, workflow->Failures());
        },
        Qt::DirectConnection);
    connect(workflow, &WorkflowBase::Progress, workflow, showProgress(PlazaPublicPage::tr("正在载入")),
            Qt::DirectConnection);
    workflow->Proceed(true);
}

void PlazaPageActions::AddComponentsIntoProject(const std::vector<IComponent>& components, bool batch)
{
    std::vector<std::wstring> ids;
    for (const IComponent& component : components) {
        ids.push_back(component.Id);
    }
    if (ids.empty()) {
        KelBulletin::SingleShot(PlazaPublicPage::tr("没有任何可载入的构件"), 1, 3000, nullptr);
        return;
    }
    const std::wstring projectId = m_addIntoProjectContext.ProjectId();
    if (projectId.empty()) {
        KelBulletin::SingleShot(PlazaPublicPage::tr("协同项目id为空"), 3, 3000, nullptr);
        return;
    }
    auto* reply = ProjectCloudComponentService::Get()->CheckPublicComponentRespeats(projectId, ids);
    if (!reply) {
        KelBulletin::SingleShot(PlazaPublicPage::tr("检查是否重复载入失败"), 3, 3000, nullptr);
        return;
    }
    // The repeat check runs a modal loop, during which the window may be destroyed.
    const QPointer<PlazaPageActions> actions(this);
    reply->setParent(this);
    connect(
        reply, &CustomReplyBase::Finished, reply,
        [reply, actions, components, batch] {
            if (!reply->Error().empty()) {
                reply->deleteLater();
                KelBulletin::SingleShot(PlazaPublicPage::tr("检查是否重复载入失败"), 3, 3000, nullptr);
                return;
            }
            const RepeatCheckList checks = reply->Result();
            reply->deleteLater();
            const int repeated = static_cast<int>(std::count_if(
                checks.begin(), checks.end(), [](const auto& check) { return check && check->IsExistedInProject(); }));
            if (repeated == 0) {
                actions->SendAddComponents(components, batch);
                return;
            }
            PublicComponentRepeatCheckDialog* dialog = PublicComponentRepeatCheckDialog::Instance(actions->m_page);
            if (!dialog) {
                return;
            }
            const int choice = dialog->Exec(repeated);
            if (!actions) {
                return;
            }
            switch (static_cast<RepeatCheckChoice>(choice)) {
            case RepeatCheckChoice::Cancel:
                actions->m_checkedComponents.Clear();
                break;
            case RepeatCheckChoice::SkipRepeated: {
                std::vector<IComponent> fresh;
                for (const IComponent& component : components) {
                    const bool isFresh = std::any_of(checks.begin(), checks.end(), [&component](const auto& check) {
                        return check && check->PublicComponentId() == component.Id && !check->IsExistedInProject();
                    });
                    if (isFresh) {
                        fresh.push_back(component);
                    }
                }
                actions->SendAddComponents(fresh, batch);
                break;
            }
            case RepeatCheckChoice::AddAll:
                actions->SendAddComponents(components, batch);
                break;
            default:
                break;
            }
        },
        Qt::DirectConnection);
}

void PlazaPageActions::SendAddComponents(const std::vector<IComponent>& components, bool batch)
{
    std::vector<std::wstring> ids;
    for (const IComponent& component : components) {
        ids.push_back(component.Id);
    }
    if (ids.empty()) {
        KelBulletin::SingleShot(PlazaPublicPage::tr("没有任何可载入的构件"), 1, 3000, nullptr);
        m_checkedComponents.Clear();
        return;
    }
    const std::wstring projectId = m_addIntoProjectContext.ProjectId();
    if (projectId.empty()) {
        KelBulletin::SingleShot(PlazaPublicPage::tr("协同项目id为空"), 3, 3000, nullptr);
        return;
    }
    const QPointer<KelBulletin> bulletin =
        PlazaPageSupport::ShowBusyBulletin(PlazaPublicPage::tr("正在载入，请稍候..."));
    const auto fail = [](const QPointer<KelBulletin>& kept) {
        if (kept) {
            kept->ConfigIcon(3)->ConfigMessage(PlazaPublicPage::tr("载入失败"));
            kept->CloseLater(1000);
        }
    };
    auto* reply = ProjectCloudComponentService::Get()->AddComponentFromPublic(projectId, ids);
    if (!reply) {
        fail(bulletin);
        return;
    }
    const QPointer<PlazaPageActions> actions(this);
    reply->setParent(this);
    connect(
        reply, &CustomReplyBase::Finished, reply,
        [reply, actions, bulletin, fail, components, projectId, batch] {
            reply->deleteLater();
            if (!actions) {
                CloseBulletin(bulletin);
                return;
            }
            const ProjectComponentList added = reply->Error().empty() ? reply->Result() : ProjectComponentList();
            if (added.empty()) {
                fail(bulletin);
                return;
            }
            for (const std::shared_ptr<IProjectComponent>& component : added) {
                actions->m_addIntoProjectContext.Add(component);
            }
            actions->m_checkedComponents.Clear();
            CloseBulletin(bulletin);
            KelBulletin::SingleShot(PlazaPublicPage::tr("载入成功"), 5, 2000, nullptr);
            PlazaPageAnalytics::TrackAddIntoProject(
                components, projectId, IProjectManager::Get()->TryGetCurrentProjectNameById(projectId), batch);
        },
        Qt::DirectConnection);
}

} // namespace vela
