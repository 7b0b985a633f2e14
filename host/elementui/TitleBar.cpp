#include "TitleBar.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>
#include <QWindow>

namespace vela {

namespace {

constexpr int BarHeight = 32;
constexpr int IconSize = 16;
constexpr int ButtonWidth = 32;
constexpr QColor GlyphColour{80, 84, 96};

enum class Glyph { Minimise, Close };

QPixmap DrawGlyph(Glyph glyph)
{
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(IconSize, IconSize) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(GlyphColour, 1.2, Qt::SolidLine, Qt::RoundCap));
    if (glyph == Glyph::Minimise) {
        painter.drawLine(QPointF(4, 8.5), QPointF(12, 8.5));
    } else {
        painter.drawLine(QPointF(4, 4), QPointF(12, 12));
        painter.drawLine(QPointF(12, 4), QPointF(4, 12));
    }
    return pixmap;
}

QFont TitleFont()
{
    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(12);
    return font;
}

} // namespace

TitleBar::TitleBar(QWidget* parent)
    : QWidget(parent)
{
    Init();
}

void TitleBar::Init()
{
    setFixedHeight(BarHeight);
    setFont(TitleFont());

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 0, 0, 0);
    layout->setSpacing(6);

    m_iconLabel = new QLabel(this);
    m_iconLabel->setObjectName(QStringLiteral("TitleBarIcon"));
    m_iconLabel->setFixedSize(IconSize, IconSize);
    layout->addWidget(m_iconLabel);

    m_titleLabel = new QLabel(this);
    m_titleLabel->setObjectName(QStringLiteral("TitleBarTitle"));
    m_titleLabel->setStyleSheet(
        QStringLiteral("QLabel{color:rgb(40,40,51);font-family:\"Microsoft YaHei\";font-size:12px;}"));
    layout->addWidget(m_titleLabel);

    m_pinTipLabel = new QLabel(this);
    m_pinTipLabel->setObjectName(QStringLiteral("TitleBarPinTip"));
    m_pinTipLabel->setStyleSheet(
        QStringLiteral("QLabel{color:rgb(120,122,131);font-family:\"Microsoft YaHei\";font-size:12px;}"));
    m_pinTipLabel->hide();
    layout->addWidget(m_pinTipLabel);

    layout->addStretch(1);

    const QString buttonStyle = QStringLiteral(
        "QToolButton{border:none;background:transparent;}"
        "QToolButton:hover{background:rgba(255,255,255,90);}"
        "QToolButton#TitleBarCloseButton:hover{background:rgb(232,17,35);}");

    m_minButton = new QToolButton(this);
    m_minButton->setObjectName(QStringLiteral("TitleBarMinButton"));
    m_minButton->setIcon(QIcon(DrawGlyph(Glyph::Minimise)));
    m_minButton->setFixedSize(ButtonWidth, BarHeight);
    m_minButton->setFocusPolicy(Qt::NoFocus);
    m_minButton->setStyleSheet(buttonStyle);
    layout->addWidget(m_minButton);

    m_closeButton = new QToolButton(this);
    m_closeButton->setObjectName(QStringLiteral("TitleBarCloseButton"));
    m_closeButton->setIcon(QIcon(DrawGlyph(Glyph::Close)));
    m_closeButton->setFixedSize(ButtonWidth, BarHeight);
    m_closeButton->setFocusPolicy(Qt::NoFocus);
    m_closeButton->setStyleSheet(buttonStyle);
    layout->addWidget(m_closeButton);

    connect(m_minButton, &QToolButton::clicked, this, [this] { window()->showMinimized(); });
    connect(m_closeButton, &QToolButton::clicked, this, [this] { window()->close(); });

    SyncWithWindow();
}

void TitleBar::SetPinTip(const QString& tip)
{
    m_pinTipLabel->setText(tip);
    m_pinTipLabel->setVisible(!tip.isEmpty());
}

QString TitleBar::PinTip() const
{
    return m_pinTipLabel->text();
}

void TitleBar::SetMinBoxVisible(bool visible)
{
    m_minButton->setVisible(visible);
}

bool TitleBar::IsMinBoxVisible() const
{
    return !m_minButton->isHidden();
}

bool TitleBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window() && event
        && (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::WindowIconChange)) {
        SyncWithWindow();
    }
    // The window must still see its own title and icon changes.
    return QWidget::eventFilter(watched, event);
}

void TitleBar::SyncWithWindow()
{
    QWidget* win = window();
    m_titleLabel->setText(win->windowTitle());
    const QIcon icon = win->windowIcon();
    const QPixmap pixmap = icon.isNull() ? QPixmap() : icon.pixmap(IconSize, IconSize);
    m_iconLabel->setPixmap(pixmap);
    m_iconLabel->setVisible(!pixmap.isNull());
}

void TitleBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && window() != this) {
        // The window system moves the window where it can: on Wayland a client cannot place
        // its own window, and elsewhere the system move snaps and follows the desktop's rules.
        QWindow* handle = window()->windowHandle();
        if (handle && handle->startSystemMove()) {
            event->accept();
            return;
        }
        m_dragging = true;
        m_dragOffset = event->globalPos() - window()->frameGeometry().topLeft();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void TitleBar::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        window()->move(event->globalPos() - m_dragOffset);
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void TitleBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

void TitleBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Only a resizable window that offers maximising is maximised; dialogs ignore it.
    QWidget* win = window();
    const bool canMaximise =
        (win->windowFlags() & Qt::WindowMaximizeButtonHint) && win->minimumSize() != win->maximumSize();
    if (event->button() == Qt::LeftButton && win != this && canMaximise) {
        win->isMaximized() ? win->showNormal() : win->showMaximized();
        event->accept();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

} // namespace vela
