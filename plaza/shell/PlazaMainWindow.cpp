#include "PlazaMainWindow.h"

#include "AppService.h"
#include "ApplicationMainWindowService.h"
#include "DocumentService.h"
#include "KelBulletin.h"
#include "KelMessageDialog.h"
#include "PlazaAnalyzeService.h"
#include "PlazaPublicPage.h"
#include "PublicComponentRepeatCheckDialog.h"
#include "TitleBar.h"

#include <QApplication>
#include <QScreen>
#include <QIcon>
#include <QJsonObject>
#include <QPainter>
#include <QStackedLayout>
#include <QTimer>
#include <QVBoxLayout>

namespace vela {

namespace {
const char* const IgnoreRecordProperty = "VELAShouldIgnoreRecordQWidget";
}

PlazaMainWindow* PlazaMainWindow::s_pInstance = nullptr;

void PlazaMainWindow::Initialize()
{
    if (s_pInstance) {
        return;
    }
    s_pInstance = new PlazaMainWindow(nullptr);
    KelBulletin::SetDock(s_pInstance);
    KelMessageDialog::SetDefaultParent(s_pInstance);
}

PlazaMainWindow* PlazaMainWindow::Get()
{
    return s_pInstance;
}

void PlazaMainWindow::Destroy()
{
    try {
        PublicComponentRepeatCheckDialog::DestroyInstance();
        if (s_pInstance) {
            delete s_pInstance;
            s_pInstance = nullptr;
        }
    } catch (...) {
        // A failing destructor must not take the host down at shutdown.
    }
}

PlazaMainWindow::PlazaMainWindow(QWidget* parent)
    : QDialog(parent)
{
    Init();
}

PlazaMainWindow::~PlazaMainWindow()
{
    disconnect(m_documentClosedConnection);
    disconnect(m_hostStateConnection);
}

void PlazaMainWindow::Init()
{
    setObjectName(QStringLiteral("VelaPlazaMainWindow"));
    setProperty(IgnoreRecordProperty, QVariant(true));

    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setFixedWidth(1200);
    setFixedHeight(720);
    setStyleSheet(QStringLiteral("QWidget#VelaPlazaMainWindow{background:rgba(240, 240, 245, 255);}"));

    AppService* appService = AppService::Get();
    if (appService && appService->IsRivo()) {
        setWindowFlags(windowFlags() | Qt::WindowFlags(0x12));
    }

    DocumentService* documentService = DocumentService::Get();
    m_documentClosedConnection = connect(documentService, &DocumentService::DocumentClosed, documentService, [this](int) { hide(); },
            Qt::DirectConnection);
    ApplicationMainWindowService* mainWindowService = ApplicationMainWindowService::Get();
    m_hostStateConnection = connect(
        mainWindowService, &ApplicationMainWindowService::ApplicationMainWindowStateChanged, mainWindowService,
        [this](int, int newState) {
            if ((newState & Qt::WindowMinimized) && isVisible() && windowState() != Qt::WindowMinimized) {
                setWindowState(Qt::WindowMinimized);
            }
        },
        Qt::DirectConnection);

    auto* rootLayout = new QVBoxLayout(this);
    rootLayout->setContentsMargins(1, 1, 1, 1);
    rootLayout->setSpacing(0);

    m_titleBar = new TitleBar(this);
    rootLayout->addWidget(m_titleBar, 0, Qt::AlignTop);
    m_titleBar->setObjectName(QStringLiteral("VelaPlazaMainWindowTitleBar"));
    m_titleBar->setProperty(IgnoreRecordProperty, QVariant(true));
    installEventFilter(m_titleBar);

    setWindowTitle(tr("Plaza"));
    setWindowIcon(QIcon(QStringLiteral(":/images/plaza/24x24.png")));

    QPalette titlePalette = palette();
    titlePalette.setBrush(QPalette::All, QPalette::Window, QBrush(QColor(176, 178, 185, 255), Qt::SolidPattern));
    m_titleBar->setAutoFillBackground(true);
    m_titleBar->setPalette(titlePalette);
    m_titleBar->SetMinBoxVisible(false);

    auto* content = new QWidget(this);
    rootLayout->addWidget(content, 0);
    m_maskLayout = new QStackedLayout;
    content->setLayout(m_maskLayout);
    m_maskLayout->setContentsMargins(0, 0, 0, 0);
    m_maskLayout->setSpacing(0);
    m_maskLayout->setStackingMode(QStackedLayout::StackAll);

    m_pageHost = new QWidget(content);
    m_maskLayout->addWidget(m_pageHost);
    m_maskLayout->setCurrentWidget(m_pageHost);
    m_pageLayout = new QStackedLayout;
    m_pageHost->setLayout(m_pageLayout);
    m_pageLayout->setContentsMargins(0, 0, 0, 0);
    m_pageLayout->setSpacing(0);
    m_pageLayout->setStackingMode(QStackedLayout::StackOne);

    m_page = new PlazaPublicPage(m_pageHost);
    m_pageLayout->addWidget(m_page);
    m_pageLayout->setCurrentWidget(m_page);
    m_page->setObjectName(QStringLiteral("PlazaPublicPage"));
    m_page->setProperty(IgnoreRecordProperty, QVariant(true));

    m_mask = new QWidget(content);
    m_maskLayout->addWidget(m_mask);
    m_mask->setObjectName(QStringLiteral("PlazaMainWindowMask"));
    m_mask->setProperty(IgnoreRecordProperty, QVariant(true));
    m_mask->setStyleSheet(QStringLiteral("QWidget#PlazaMainWindowMask{background:transparent;}"));
    m_mask->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PlazaMainWindow::Display(int delay)
{
    QTimer::singleShot(delay, this, [this] { exec(); });
}

void PlazaMainWindow::ShowMask()
{
    m_maskLayout->setCurrentWidget(m_mask);
}

void PlazaMainWindow::HidMask()
{
    m_maskLayout->setCurrentWidget(m_pageHost);
}

void PlazaMainWindow::SetTitleTip(QString tip)
{
    m_titleBar->SetPinTip(tip);
}

bool PlazaMainWindow::eventFilter(QObject* watched, QEvent* event)
{
    return QDialog::eventFilter(watched, event);
}

void PlazaMainWindow::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    if (!event) {
        return;
    }
    // One-pixel frame; the root layout's margins keep it uncovered.
    QPainter painter(this);
    painter.setPen(QPen(QBrush(QColor(189, 199, 213, 255), Qt::SolidPattern), 1.0, Qt::SolidLine, Qt::SquareCap,
                        Qt::BevelJoin));
    const QRect frame = rect();
    painter.drawLine(frame.bottomLeft(), frame.topLeft());
    painter.drawLine(frame.topLeft(), frame.topRight());
    painter.drawLine(frame.topRight(), frame.bottomRight());
    painter.drawLine(frame.bottomRight(), frame.bottomLeft());
}

void PlazaMainWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_firstShow) {
        return;
    }
    m_firstShow = false;

    // The default screen: what QDesktopWidget::screenGeometry(-1) answered.
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect screen = primary ? primary->geometry() : QRect();
    const int x = static_cast<int>((screen.width() - width()) * 0.5);
    const int y = static_cast<int>((screen.height() - height()) * 0.5);
    move(x, y);

    if (PlazaAnalyzeService* analytics = PlazaAnalyzeService::Get()) {
        analytics->Track(L"pluginFirstVisit", QJsonObject());
    }
    if (m_page) {
        m_page->ResetAndLoad();
    }
}

} // namespace vela
