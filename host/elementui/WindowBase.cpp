#include "WindowBase.h"

#include "TitleBar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QPainter>
#include <QSizeGrip>
#include <QVBoxLayout>

namespace vela {

namespace {

constexpr QColor FrameColour{210, 215, 220};
constexpr QColor TitleBackground{243, 245, 248};
constexpr QColor ContentBackground{255, 255, 255};
constexpr int GripSize = 14;

} // namespace

WindowBase::WindowBase(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    InitUI();
}

void WindowBase::InitUI()
{
    auto* layout = new QVBoxLayout(this);
    // The 1 px margin leaves the frame visible around the children.
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);

    m_titleBar = new TitleBar(this);
    m_titleBar->SetMinBoxVisible(false);
    installEventFilter(m_titleBar);
    layout->addWidget(m_titleBar);

    m_contentArea = new QWidget(this);
    m_contentArea->setObjectName(QStringLiteral("WindowBaseContentArea"));
    layout->addWidget(m_contentArea, 1);

    m_sizeGrip = new QSizeGrip(this);
    m_sizeGrip->setFixedSize(GripSize, GripSize);
    m_sizeGrip->raise();
}

void WindowBase::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect frame = rect();
    const QRect title(1, 1, width() - 2, m_titleBar->height());

    // Background
    painter.fillRect(frame, ContentBackground);

    // Title strip
    painter.fillRect(title, TitleBackground);
    painter.fillRect(QRect(title.left(), title.bottom() + 1, title.width(), 1), FrameColour);

    // Frame
    painter.setPen(FrameColour);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
}

void WindowBase::showEvent(QShowEvent* event)
{
    // The first show centres the window over the window the user was working in.
    if (!m_placed) {
        m_placed = true;
        const QWidget* anchor = QApplication::activeWindow();
        QRect area;
        if (anchor && anchor != this) {
            area = anchor->frameGeometry();
        } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            area = screen->availableGeometry();
        }
        if (area.isValid()) {
            move(area.center() - rect().center());
        }
    }
    QWidget::showEvent(event);
}

void WindowBase::resizeEvent(QResizeEvent* event)
{
    m_sizeGrip->move(width() - GripSize - 1, height() - GripSize - 1);
    m_sizeGrip->raise();
    QWidget::resizeEvent(event);
}

void WindowBase::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace vela
