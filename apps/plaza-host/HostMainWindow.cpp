#include "HostMainWindow.h"

#include "AppService.h"
#include "ApplicationMainWindowService.h"
#include "Document.h"
#include "DocumentService.h"
#include "HostNetworkDetector.h"
#include "PlazaMainWindow.h"

#include <QAction>
#include <QEvent>
#include <QHeaderView>
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
    setWindowTitle(QStringLiteral("Vela 设计 — %1").arg(ProductName()));
    resize(1280, 800);

    m_documentView = new QTreeWidget(this);
    m_documentView->setHeaderLabels({QStringLiteral("文档内容"), QStringLiteral("说明")});
    m_documentView->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    setCentralWidget(m_documentView);
    m_statusLabel = new QLabel(this);
    statusBar()->addWidget(m_statusLabel, 1);

    BuildMenus();
    OpenDocument();
}

HostMainWindow::~HostMainWindow()
{
    vela::DocumentService::Get()->SetCurrentDocument(nullptr);
}

void HostMainWindow::BuildMenus()
{
    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("文档"));
    fileMenu->addAction(QStringLiteral("新建文档"), this, [this] { OpenDocument(); });
    fileMenu->addAction(QStringLiteral("关闭文档"), this, [this] { CloseDocument(); });
    fileMenu->addSeparator();
    fileMenu->addAction(QStringLiteral("退出"), this, &QWidget::close);

    QMenu* libraryMenu = menuBar()->addMenu(QStringLiteral("构件库"));
    libraryMenu->addAction(QStringLiteral("打开公共构件库 (Plaza)"), this, [this] { OpenPlaza(); });

    QMenu* networkMenu = menuBar()->addMenu(QStringLiteral("网络"));
    m_offlineAction = networkMenu->addAction(QStringLiteral("离线"));
    m_offlineAction->setCheckable(true);
    connect(m_offlineAction, &QAction::toggled, this, [this](bool offline) { SetOffline(offline); });
}

void HostMainWindow::OpenDocument()
{
    CloseDocument();
    ++m_documentCounter;
    m_document = std::make_unique<tarn::Document>(QStringLiteral("项目%1").arg(m_documentCounter).toStdWString());
    vela::DocumentService::Get()->SetCurrentDocument(m_document.get());
    RefreshDocumentView();
}

void HostMainWindow::CloseDocument()
{
    if (!m_document) {
        return;
    }
    vela::DocumentService::Get()->CloseCurrentDocument();
    m_document.reset();
    RefreshDocumentView();
}

void HostMainWindow::SetOffline(bool offline)
{
    if (m_offlineAction->isChecked() != offline) {
        m_offlineAction->setChecked(offline);
        return;
    }
    vela::HostNetworkDetector::Get()->SetState(offline ? vela::HostNetworkDetector::Offline
                                                       : vela::HostNetworkDetector::Online);
    RefreshDocumentView();
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

void HostMainWindow::RefreshDocumentView()
{
    m_documentView->clear();
    if (m_document) {
        auto* root = new QTreeWidgetItem(m_documentView, {QString::fromStdWString(m_document->GetName()),
                                                          QStringLiteral("运行时 ID %1")
                                                              .arg(m_document->GetRuntimeId().Value())});
        root->setExpanded(true);
    }
    const bool offline = vela::HostNetworkDetector::Get()->IsOffline();
    m_statusLabel->setText(QStringLiteral("产品: %1    构件库: %2    网络: %3    文档: %4")
                               .arg(ProductName(), m_catalogDescription,
                                    offline ? QStringLiteral("离线") : QStringLiteral("在线"),
                                    m_document ? QString::fromStdWString(m_document->GetName())
                                               : QStringLiteral("无")));
}

} // namespace plazahost
