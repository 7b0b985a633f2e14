#include "HostMainWindow.h"

#include "AppService.h"
#include "ApplicationMainWindowService.h"
#include "Container.h"
#include "Document.h"
#include "DocumentView.h"
#include "IInternalRivoCollaborationProjectComponentService.h"
#include "DocumentService.h"
#include "HostNetworkDetector.h"
#include "PlazaMainWindow.h"

#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QSplitter>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTreeWidget>
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

    auto* splitter = new QSplitter(this);
    m_documentView = new DocumentView(splitter);
    m_projectView = new QTreeWidget(splitter);
    m_projectView->setHeaderLabels({tr("协同项目构件"), tr("版本"), tr("来源")});
    m_projectView->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    setCentralWidget(splitter);
    m_statusLabel = new QLabel(this);
    statusBar()->addWidget(m_statusLabel, 1);

    BuildMenus();
    OpenDocument();
    // The switch declares offline; the detector may also go offline by itself when the server is gone.
    connect(vela::HostNetworkDetector::Get(), &vela::HostNetworkDetector::NetworkStateChanged, this,
            [this] { RefreshStatus(); });
}

HostMainWindow::~HostMainWindow()
{
    vela::DocumentService::Get()->SetCurrentDocument(nullptr);
}

void HostMainWindow::BuildMenus()
{
    QMenu* fileMenu = menuBar()->addMenu(tr("文档"));
    fileMenu->addAction(tr("新建文档"), this, [this] { OpenDocument(); });
    fileMenu->addAction(tr("关闭文档"), this, [this] { CloseDocument(); });
    fileMenu->addSeparator();
    fileMenu->addAction(tr("退出"), this, &QWidget::close);

    QMenu* libraryMenu = menuBar()->addMenu(tr("构件库"));
    libraryMenu->addAction(tr("打开公共构件库 (Plaza)"), this, [this] { OpenPlaza(); });

    if (vela::AppService::Get() && vela::AppService::Get()->IsRivo()) {
        QMenu* projectMenu = menuBar()->addMenu(tr("协同"));
        projectMenu->addAction(tr("从公共构件库添加构件到项目..."), this, [this] {
            bool ok = false;
            const QString projectId = QInputDialog::getText(this, tr("协同项目"),
                                                            tr("项目 ID:"), QLineEdit::Normal,
                                                            QStringLiteral("P1001"), &ok);
            if (ok) {
                AddComponentsIntoProject(projectId);
            }
        });
    }

    QMenu* networkMenu = menuBar()->addMenu(tr("网络"));
    m_offlineAction = networkMenu->addAction(tr("离线"));
    m_offlineAction->setCheckable(true);
    connect(m_offlineAction, &QAction::toggled, this, [this](bool offline) { SetOffline(offline); });
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
    vela::PlazaMainWindow::Initialize();
    vela::PlazaMainWindow::Get()->Display(0);
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
    if (!error.empty()) {
        statusBar()->showMessage(QString::fromStdWString(error), 5000);
        return;
    }
    for (const std::shared_ptr<vela::IProjectComponent>& component : added) {
        new QTreeWidgetItem(m_projectView, {QString::fromStdWString(component->Name),
                                            QString::number(component->Version),
                                            QString::fromStdWString(component->PublicComponentId)});
    }
    statusBar()->showMessage(tr("项目 %1 新增 %2 个构件").arg(projectId).arg(added.size()), 5000);
}

QStringList HostMainWindow::ProjectComponentLines() const
{
    QStringList lines;
    for (int i = 0; i < m_projectView->topLevelItemCount(); ++i) {
        lines.append(m_projectView->topLevelItem(i)->text(0));
    }
    return lines;
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
