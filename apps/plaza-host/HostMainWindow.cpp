#include "HostMainWindow.h"

#include "AppService.h"
#include "ApplicationMainWindowService.h"
#include "CatalogBackend.h"
#include "Container.h"
#include "Document.h"
#include "DocumentView.h"
#include "IInternalRivoCollaborationProjectComponentService.h"
#include "DocumentService.h"
#include "HostNetworkDetector.h"
#include "PlazaMainWindow.h"
#include "ProjectPane.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QInputDialog>
#include <QLineEdit>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QSettings>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>

namespace plazahost {

namespace {

QString ProductName()
{
    vela::AppService* app = vela::AppService::Get();
    if (!app) {
        return QStringLiteral("-");
    }
    return app->IsSorn() ? QStringLiteral("Sorn") : app->IsLumen() ? QStringLiteral("Lumen") : QStringLiteral("Rivo");
}

} // namespace

HostMainWindow::HostMainWindow(const QString& catalogDescription)
    : m_catalogDescription(catalogDescription)
{
    setWindowTitle(tr("Vela 设计 — %1").arg(ProductName()));
    resize(1280, 800);

    auto* central = new QWidget(this);
    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    centralLayout->setSpacing(0);
    // Stays hidden while the catalog answers; says why it does not otherwise.
    m_catalogProblem = new QLabel(central);
    m_catalogProblem->setObjectName(QStringLiteral("CatalogProblemLabel"));
    m_catalogProblem->setWordWrap(true);
    m_catalogProblem->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_catalogProblem->setStyleSheet(
        QStringLiteral("QLabel{background:#fff1f0;color:#a8071a;border-bottom:1px solid #ffa39e;padding:8px 12px;}"));
    m_catalogProblem->hide();
    centralLayout->addWidget(m_catalogProblem);

    m_documentView = new DocumentView(central);
    centralLayout->addWidget(m_documentView, 1);
    setCentralWidget(central);
    m_statusLabel = new QLabel(this);
    statusBar()->addWidget(m_statusLabel, 1);

    m_projectPane = new ProjectPane(this);
    addDockWidget(Qt::RightDockWidgetArea, m_projectPane);
    m_projectPane->SetProject(QStringLiteral("P1001"));

    BuildMenus();
    OpenDocument();
    // The switch declares offline; the detector may also go offline by itself when the server is gone.
    connect(vela::HostNetworkDetector::Get(), &vela::HostNetworkDetector::NetworkStateChanged, this, [this] {
        RefreshStatus();
        // A server that comes back clears the message it caused.
        if (m_catalogProblem->isVisible() && !vela::HostNetworkDetector::Get()->IsOffline()) {
            CheckCatalog();
        }
    });
}

HostMainWindow::~HostMainWindow()
{
    vela::DocumentService::Get()->SetCurrentDocument(nullptr);
}

void HostMainWindow::BuildMenus()
{
    QMenu* fileMenu = menuBar()->addMenu(tr("文档(&D)"));
    QAction* newDocument = fileMenu->addAction(tr("新建文档(&N)"), this, [this] { OpenDocument(); });
    newDocument->setShortcut(QKeySequence::New);
    QAction* closeDocument = fileMenu->addAction(tr("关闭文档(&C)"), this, [this] { CloseDocument(); });
    closeDocument->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    fileMenu->addSeparator();
    QAction* quit = fileMenu->addAction(tr("退出(&Q)"), this, &QWidget::close);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setMenuRole(QAction::QuitRole);

    QMenu* libraryMenu = menuBar()->addMenu(tr("构件库(&L)"));
    QAction* openPlaza = libraryMenu->addAction(tr("打开公共构件库 (Plaza)(&O)"), this, [this] { OpenPlaza(); });
    openPlaza->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    QAction* checkCatalog = libraryMenu->addAction(tr("重新检查构件库(&R)"), this, [this] { CheckCatalog(); });
    checkCatalog->setShortcut(QKeySequence(Qt::Key_F5));

    if (vela::AppService::Get() && vela::AppService::Get()->IsRivo()) {
        QMenu* projectMenu = menuBar()->addMenu(tr("协同(&P)"));
        QAction* addIntoProject = projectMenu->addAction(tr("从公共构件库添加构件到项目(&A)..."), this, [this] {
            bool ok = false;
            const QString projectId = QInputDialog::getText(this, tr("协同项目"),
                                                            tr("项目 ID:"), QLineEdit::Normal,
                                                            QStringLiteral("P1001"), &ok);
            if (ok) {
                AddComponentsIntoProject(projectId);
            }
        });
        addIntoProject->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    }

    QMenu* networkMenu = menuBar()->addMenu(tr("网络(&N)"));
    m_offlineAction = networkMenu->addAction(tr("离线(&O)"));
    m_offlineAction->setCheckable(true);
    connect(m_offlineAction, &QAction::toggled, this, [this](bool offline) { SetOffline(offline); });
}

void HostMainWindow::RememberLayout()
{
    m_remembersLayout = true;
    const QSettings settings;
    restoreGeometry(settings.value(QStringLiteral("window/geometry")).toByteArray());
    restoreState(settings.value(QStringLiteral("window/state")).toByteArray());
}

void HostMainWindow::closeEvent(QCloseEvent* event)
{
    if (m_remembersLayout) {
        QSettings settings;
        settings.setValue(QStringLiteral("window/geometry"), saveGeometry());
        settings.setValue(QStringLiteral("window/state"), saveState());
    }
    QMainWindow::closeEvent(event);
}

void HostMainWindow::CheckCatalog()
{
    const std::shared_ptr<vela::CatalogBackend> backend = vela::CatalogBackend::Current();
    if (!backend) {
        ShowCatalogProblem(tr("没有可用的构件库"));
        return;
    }
    // The answer may come from a worker thread, after this window is gone, or after a newer check.
    const int check = ++m_catalogChecks;
    const auto window = std::make_shared<QPointer<HostMainWindow>>(this);
    backend->GetCategories(vela::CategoryQuery(), [window, check](std::wstring error, vela::CategoryList categories) {
        QString reason = QString::fromStdWString(error);
        if (reason.isEmpty() && categories.empty()) {
            reason = tr("构件库中没有分类");
        }
        QMetaObject::invokeMethod(qApp, [window, check, reason] {
            HostMainWindow* host = *window;
            if (!host || check != host->m_catalogChecks) {
                return;
            }
            host->ShowCatalogProblem(reason);
        }, Qt::QueuedConnection);
    });
}

void HostMainWindow::ShowCatalogProblem(const QString& reason)
{
    if (reason.isEmpty()) {
        m_catalogProblem->hide();
        return;
    }
    const QString text = tr("无法打开构件库 %1：%2").arg(m_catalogDescription, reason);
    m_catalogProblem->setText(text);
    m_catalogProblem->show();
    statusBar()->showMessage(text, 10000);
}

void HostMainWindow::OpenDocument()
{
    CloseDocument();
    ++m_documentCounter;
    m_document = std::make_unique<tarn::Document>(tr("项目%1").arg(m_documentCounter).toStdWString());
    vela::DocumentService::Get()->SetCurrentDocument(m_document.get());
    m_documentView->SetDocument(m_document.get());
    RefreshStatus();
}

void HostMainWindow::CloseDocument()
{
    if (!m_document) {
        return;
    }
    vela::DocumentService::Get()->CloseCurrentDocument();
    m_documentView->SetDocument(nullptr);
    m_document.reset();
    RefreshStatus();
}

void HostMainWindow::SetOffline(bool offline)
{
    if (m_offlineAction->isChecked() != offline) {
        m_offlineAction->setChecked(offline);
        return;
    }
    vela::HostNetworkDetector::Get()->SetState(offline ? vela::HostNetworkDetector::Offline
                                                       : vela::HostNetworkDetector::Online);
    RefreshStatus();
}

void HostMainWindow::OpenPlaza()
{
    // The application creates the window once at start-up, as the collaboration service expects.
    if (vela::PlazaMainWindow* plaza = vela::PlazaMainWindow::Get()) {
        plaza->Display(0);
    }
}

tarn::Document* HostMainWindow::Document() const
{
    return m_document.get();
}

void HostMainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        vela::ApplicationMainWindowService::Get()->NotifyStateChanged(static_cast<int>(change->oldState()),
                                                                      static_cast<int>(windowState()));
    }
}

void HostMainWindow::AddComponentsIntoProject(const QString& projectId)
{
    auto* service =
        vela::Container::Get()->Resolve<vela::IInternalRivoCollaborationProjectComponentService>();
    if (!service) {
        statusBar()->showMessage(tr("协同服务未注册"), 5000);
        return;
    }
    std::wstring error;
    const auto added =
        service->AddComponentsFromPublic(vela::InternalAddComponentOptions(projectId.toStdWString()), error);
    m_projectPane->SetProject(projectId);
    if (!error.empty()) {
        statusBar()->showMessage(QString::fromStdWString(error), 5000);
        return;
    }
    m_addedIntoProjects += int(added.size());
    statusBar()->showMessage(tr("项目 %1 新增 %2 个构件").arg(projectId).arg(added.size()), 5000);
}

int HostMainWindow::AddedIntoProjects() const
{
    return m_addedIntoProjects;
}

void HostMainWindow::RefreshStatus()
{
    const bool offline = vela::HostNetworkDetector::Get()->IsOffline();
    m_statusLabel->setText(tr("产品: %1    构件库: %2    网络: %3    文档: %4")
                               .arg(ProductName(), m_catalogDescription,
                                    offline ? tr("离线") : tr("在线"),
                                    m_document ? QString::fromStdWString(m_document->GetName())
                                               : tr("无")));
}

} // namespace plazahost
