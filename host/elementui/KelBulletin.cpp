#include "KelBulletin.h"

#include "DesktopCompositor.h"
#include "StatusIcon.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace vela {

namespace {

constexpr int IconSize = 20;
constexpr int ShadowWidth = 4;
constexpr int TopOffset = 56;
constexpr int StackGap = 8;
constexpr int HistoryLimit = 100;
constexpr int SpinInterval = 80;

QPointer<QWidget> s_dock;
QVector<KelBulletin::Record> s_history;
QVector<QPointer<KelBulletin>> s_bulletins;

enum IconValue { ProgressIcon = 0, NoticeIcon = 1, WarningIcon = 2, FailureIcon = 3, WorkingIcon = 4, SuccessIcon = 5 };

StatusIcon::Shape ShapeOf(int icon)
{
    switch (icon) {
    case NoticeIcon:
        return StatusIcon::Information;
    case WarningIcon:
        return StatusIcon::Warning;
    case FailureIcon:
        return StatusIcon::Failure;
    case WorkingIcon:
        return StatusIcon::Working;
    case SuccessIcon:
        return StatusIcon::Success;
    default:
        return StatusIcon::None;
    }
}

QPixmap DrawIcon(int icon, int spinAngle)
{
    return StatusIcon(ShapeOf(icon), spinAngle).ToPixmap(IconSize);
}

} // namespace

void KelBulletin::SetDock(QWidget* dock)
{
    s_dock = dock;
}

QWidget* KelBulletin::Dock()
{
    return s_dock.data();
}

void KelBulletin::SingleShot(const QString& message, int icon, int duration, QWidget* parent)
{
    // Owned by its anchor window (or by nobody) and deleted when it closes.
    auto* bulletin = new KelBulletin(parent);
    bulletin->m_singleShot = true;
    bulletin->ConfigIcon(icon);
    bulletin->ConfigMessage(message);
    bulletin->Remember(true, duration);
    bulletin->show();
    QTimer::singleShot(std::max(duration, 0), bulletin, [bulletin] { bulletin->close(); });
}

KelBulletin* KelBulletin::Create(QWidget* parent)
{
    return new KelBulletin(parent);
}

KelBulletin::KelBulletin(QWidget* parent)
    : QWidget(parent ? parent->window() : Dock(),
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    Init();
}

void KelBulletin::Init()
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    // Without a compositor the shadow's transparent pixels would show black: a plain card instead.
    m_translucent = DesktopCompositor::IsRunning();
    setAttribute(Qt::WA_TranslucentBackground, m_translucent);
    const int shadow = ShadowSpace();
    setObjectName(QStringLiteral("KelBulletin"));

    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(12);
    setFont(font);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16 + shadow, 10 + shadow, 16 + shadow, 10 + shadow);
    layout->setSpacing(8);

    m_iconLabel = new QLabel(this);
    m_iconLabel->setFixedSize(IconSize, IconSize);
    layout->addWidget(m_iconLabel);

    m_messageLabel = new QLabel(this);
    m_messageLabel->setStyleSheet(
        QStringLiteral("QLabel{color:rgb(40,40,51);font-family:\"Microsoft YaHei\";font-size:12px;}"));
    m_messageLabel->setMaximumWidth(480);
    m_messageLabel->setWordWrap(false);
    layout->addWidget(m_messageLabel);

    m_progress = new QProgressBar(this);
    m_progress->setFixedSize(160, 6);
    m_progress->setTextVisible(false);
    m_progress->setRange(0, 0);
    m_progress->setStyleSheet(QStringLiteral(
        "QProgressBar{border:none;background:rgb(226,230,236);border-radius:3px;}"
        "QProgressBar::chunk{background:rgb(82,145,221);border-radius:3px;}"));
    m_progress->hide();
    layout->addWidget(m_progress);

    m_spinTimer = new QTimer(this);
    m_spinTimer->setInterval(SpinInterval);
    connect(m_spinTimer, &QTimer::timeout, this, [this] {
        m_spinAngle = (m_spinAngle + 30) % 360;
        m_iconLabel->setPixmap(DrawIcon(m_icon, m_spinAngle));
    });

    s_bulletins.removeAll(QPointer<KelBulletin>());
    s_bulletins.append(this);
    ConfigIcon(m_icon);
}

KelBulletin* KelBulletin::ConfigIcon(int icon)
{
    m_icon = icon;
    m_iconLabel->setPixmap(DrawIcon(icon, m_spinAngle));
    m_iconLabel->setVisible(icon != ProgressIcon);
    m_progress->setVisible(icon == ProgressIcon);
    if (icon == WorkingIcon && isVisible())
        m_spinTimer->start();
    else if (icon != WorkingIcon)
        m_spinTimer->stop();
    if (isVisible())
        Reposition();
    return this;
}

KelBulletin* KelBulletin::ConfigMessage(const QString& message)
{
    m_messageLabel->setText(message);
    if (!m_singleShot)
        Remember(false, 0);
    if (isVisible())
        Reposition();
    return this;
}

KelBulletin* KelBulletin::ConfigProgress(int done, int total)
{
    // An unknown total shows a busy bar.
    if (total <= 0) {
        m_progress->setRange(0, 0);
    } else {
        m_progress->setRange(0, total);
        m_progress->setValue(std::clamp(done, 0, total));
    }
    return this;
}

void KelBulletin::CloseLater(int milliseconds)
{
    QTimer::singleShot(std::max(milliseconds, 0), this, [this] { close(); });
}

int KelBulletin::Icon() const
{
    return m_icon;
}

QString KelBulletin::Message() const
{
    return m_messageLabel->text();
}

int KelBulletin::ProgressValue() const
{
    return m_progress->value();
}

int KelBulletin::ProgressMaximum() const
{
    return m_progress->maximum();
}

QVector<KelBulletin::Record> KelBulletin::History()
{
    return s_history;
}

void KelBulletin::ClearHistory()
{
    s_history.clear();
}

QVector<KelBulletin*> KelBulletin::OpenBulletins()
{
    s_bulletins.removeAll(QPointer<KelBulletin>());
    QVector<KelBulletin*> open;
    for (const auto& bulletin : qAsConst(s_bulletins)) {
        if (bulletin->isVisible())
            open.append(bulletin.data());
    }
    return open;
}

void KelBulletin::Remember(bool singleShot, int duration)
{
    Record record;
    record.Message = Message();
    record.Icon = m_icon;
    record.Duration = singleShot ? duration : 0;
    record.SingleShot = singleShot;
    // A kept bulletin told the same thing again (progress ticks) is recorded once.
    if (!singleShot && m_hasRecord && m_lastRecord.Message == record.Message && m_lastRecord.Icon == record.Icon)
        return;
    m_lastRecord = record;
    m_hasRecord = true;
    s_history.append(record);
    if (s_history.size() > HistoryLimit)
        s_history.remove(0, s_history.size() - HistoryLimit);
}

int KelBulletin::ShadowSpace() const
{
    return m_translucent ? ShadowWidth : 0;
}

void KelBulletin::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    constexpr qreal Radius = 4.0;
    const QColor frameColour(210, 215, 220);
    const QColor cardColour(255, 255, 255);

    QPainter painter(this);

    // Opaque card: square corners, since nothing shows through outside rounded ones
    if (!m_translucent) {
        painter.fillRect(rect(), cardColour);
        painter.setPen(QPen(frameColour, 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(rect()).adjusted(0, 0, -1, -1));
        return;
    }

    const QRectF card = QRectF(rect()).adjusted(ShadowWidth, ShadowWidth, -ShadowWidth, -ShadowWidth);
    painter.setRenderHint(QPainter::Antialiasing);

    // Shadow
    painter.save();
    painter.setBrush(Qt::NoBrush);
    for (int ring = 1; ring <= ShadowWidth; ++ring) {
        painter.setPen(QPen(QColor(0, 0, 0, 14 - ring * 3), 1.0));
        painter.drawRoundedRect(card.adjusted(-ring + 0.5, -ring + 0.5, ring - 0.5, ring - 0.5), Radius + ring,
                                Radius + ring);
    }
    painter.restore();

    // Card
    painter.save();
    painter.setPen(QPen(frameColour, 1.0));
    painter.setBrush(cardColour);
    painter.drawRoundedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), Radius, Radius);
    painter.restore();
}

void KelBulletin::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_icon == WorkingIcon)
        m_spinTimer->start();
    Reposition();
}

void KelBulletin::Reposition()
{
    adjustSize();
    QWidget* anchor = parentWidget();

    // Bulletins open on the same anchor stack downwards in the order they were made.
    int offset = 0;
    for (const auto& other : qAsConst(s_bulletins)) {
        if (other == this)
            break;
        if (other && other->isVisible() && other->parentWidget() == anchor)
            offset += other->height() - 2 * other->ShadowSpace() + StackGap;
    }

    if (anchor && anchor->isVisible()) {
        const QRect frame = anchor->frameGeometry();
        move(frame.center().x() - width() / 2, frame.top() + TopOffset + offset);
        return;
    }
    QScreen* screen = anchor ? anchor->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    move(area.center().x() - width() / 2, area.center().y() - height() / 2 + offset);
}

} // namespace vela
