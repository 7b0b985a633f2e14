#include "PublicComponentRepeatCheckDialog.h"

#include "ButtonStyles.h"
#include "DesktopCompositor.h"

#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStyleOption>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <utility>
#include <vector>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace vela {

namespace {
const QString BodyName = QStringLiteral("PublicComponentRepeatCheckDialogMainWidget");

// Guarded: the dialog is a child of the page that asked and dies with it.
QPointer<PublicComponentRepeatCheckDialog> s_instance;
std::vector<QPointer<PublicComponentRepeatCheckDialog>> s_stacked;
} // namespace

PublicComponentRepeatCheckDialog* PublicComponentRepeatCheckDialog::Instance(QWidget* parent)
{
    if (!s_instance) {
        s_instance = new PublicComponentRepeatCheckDialog(parent);
    } else if (s_instance->parentWidget() != parent) {
        if (s_instance->m_asking) {
            return CreateStacked(parent);
        }
        // Re-parenting clears the window type.
        s_instance->setParent(parent);
        s_instance->setWindowFlags(s_instance->windowFlags() | Qt::Dialog);
    }
    return s_instance;
}

PublicComponentRepeatCheckDialog* PublicComponentRepeatCheckDialog::CreateStacked(QWidget* parent)
{
    auto* dialog = new PublicComponentRepeatCheckDialog(parent);
    dialog->m_stacked = true;
    s_stacked.erase(std::remove(s_stacked.begin(), s_stacked.end(), nullptr), s_stacked.end());
    s_stacked.emplace_back(dialog);
    return dialog;
}

void PublicComponentRepeatCheckDialog::DestroyInstance()
{
    for (const QPointer<PublicComponentRepeatCheckDialog>& stacked : std::exchange(s_stacked, {})) {
        delete stacked.data();
    }
    if (!s_instance) {
        return;
    }
    try {
        delete s_instance.data();
        s_instance = nullptr;
    } catch (...) {
        // Shutdown goes on; the pointer stays as it was.
    }
}

PublicComponentRepeatCheckDialog::PublicComponentRepeatCheckDialog(QWidget* parent)
    : QDialog(parent)
{
    InitUI();
}

void PublicComponentRepeatCheckDialog::InitUI()
{
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setWindowModality(Qt::ApplicationModal);
    // Without a compositor the shadow's transparent margin would show black: an opaque frame instead.
    m_translucent = DesktopCompositor::IsRunning();
    setAttribute(Qt::WA_TranslucentBackground, m_translucent);
    setMinimumWidth(344);
    setMinimumHeight(112);
    setProperty("VELAShouldIgnoreRecordQWidget", true);

    auto* dialogLayout = new QVBoxLayout(this);
    if (m_translucent) {
        dialogLayout->setContentsMargins(10, 4, 10, 4);
    } else {
        dialogLayout->setContentsMargins(1, 1, 1, 1);
    }
    dialogLayout->setSpacing(0);

    auto* body = new QWidget(this);
    body->setObjectName(BodyName);
    body->setProperty("VELAShouldIgnoreRecordQWidget", true);
    body->installEventFilter(this);
    dialogLayout->addWidget(body);
    body->setAttribute(Qt::WA_TranslucentBackground);
    QPalette bodyPalette = palette();
    bodyPalette.setBrush(QPalette::All, QPalette::Window, QBrush(Qt::white, Qt::SolidPattern));
    body->setAutoFillBackground(true);
    body->setPalette(bodyPalette);

    if (m_translucent) {
        auto* shadow = new QGraphicsDropShadowEffect(body);
        shadow->setOffset(0, 0);
        shadow->setColor(QColor(136, 146, 160, 127));
        shadow->setBlurRadius(12);
        body->setGraphicsEffect(shadow);
    }

    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->setSpacing(0);

    auto* messageRow = new QHBoxLayout;
    messageRow->setContentsMargins(16, 16, 16, 16);
    messageRow->setSpacing(4);
    bodyLayout->addLayout(messageRow);
    auto* icon = new QLabel(body);
    icon->setFixedSize(16, 16);
    icon->setScaledContents(true);
    icon->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // Through QIcon, which takes the @2x picture on a dense screen.
    icon->setPixmap(QIcon(QStringLiteral(":/images/Announcement/HighWarning/16x16.png")).pixmap(QSize(16, 16)));
    messageRow->addWidget(icon, 0, Qt::AlignLeft | Qt::AlignTop);
    m_messageLabel = new QLabel(body);
    QFont font = m_messageLabel->font();
    font.setFamily(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(12);
    m_messageLabel->setFont(font);
    m_messageLabel->setWordWrap(true);
    m_messageLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_messageLabel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_messageLabel->setStyleSheet(QStringLiteral("QLabel{color:rgba(40,40,51,255);}"));
    m_messageLabel->setText(tr("项目中0个构件已存在，再次添加会被另存为副本"));
    messageRow->addWidget(m_messageLabel, 0, Qt::AlignTop);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->setContentsMargins(8, 8, 8, 8);
    buttonRow->setSpacing(8);
    buttonRow->setSizeConstraint(QLayout::SetMinimumSize);
    bodyLayout->addLayout(buttonRow);
    bodyLayout->setAlignment(buttonRow, Qt::AlignRight | Qt::AlignVCenter);
    buttonRow->addStretch();

    struct ButtonSpec
    {
        QString text;
        QString name;
        int minimumWidth;
        QString style;
        RepeatCheckChoice choice;
    };
    const ButtonSpec specs[] = {
        {tr("取消"), QStringLiteral("ButtonCancel"), 0, ButtonStyles::Hollow(), RepeatCheckChoice::Cancel},
        {tr("跳过重复构件"), QStringLiteral("SkipButton"), 48, ButtonStyles::Hollow(), RepeatCheckChoice::SkipRepeated},
        {tr("确定全部添加"), QStringLiteral("ButtonOk"), 48, ButtonStyles::Solid(), RepeatCheckChoice::AddAll},
    };
    for (const ButtonSpec& spec : specs) {
        auto* button = new QPushButton(spec.text, body);
        button->setObjectName(spec.name);
        button->setProperty("VELAShouldIgnoreRecordQWidget", true);
        button->setFixedHeight(24);
        if (spec.minimumWidth > 0) {
            button->setMinimumWidth(spec.minimumWidth);
        }
        button->setStyleSheet(spec.style);
        button->setCursor(Qt::PointingHandCursor);
        const int32_t choice = static_cast<int32_t>(spec.choice);
        connect(button, &QPushButton::clicked, this, [this, choice] {
            m_choice = choice;
            accept();
        });
        buttonRow->addWidget(button);
    }
}

int PublicComponentRepeatCheckDialog::Exec(int repeatedCount)
{
    if (m_asking) {
        // Asked again while a check is open: the new check stacks above it.
        return CreateStacked(parentWidget())->Exec(repeatedCount);
    }
    m_choice = 0;
    m_messageLabel->setText(tr("项目中%1个构件已存在，再次添加会被另存为副本").arg(repeatedCount));
    m_asking = true;
    const QPointer<PublicComponentRepeatCheckDialog> alive(this);
    exec();
    if (!alive) {
        // Destroyed with its page or the window: nothing is to be added.
        return static_cast<int>(RepeatCheckChoice::Cancel);
    }
    m_asking = false;
    if (m_stacked) {
        deleteLater();
    }
    return m_choice;
}

bool PublicComponentRepeatCheckDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched && watched->objectName() == BodyName && watched->isWidgetType() && event->type() == QEvent::Paint) {
        auto* body = static_cast<QWidget*>(watched);
        QPainter painter(body);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QBrush(Qt::white, Qt::SolidPattern));
        // Rounded corners only where something shows through them.
        const qreal radius = m_translucent ? 4.0 : 0.0;
        painter.drawRoundedRect(body->rect(), radius, radius, Qt::AbsoluteSize);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void PublicComponentRepeatCheckDialog::paintEvent(QPaintEvent* event)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    if (!m_translucent) {
        painter.fillRect(rect(), Qt::white);
        painter.setPen(QColor(210, 215, 220));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    painter.end();
    QWidget::paintEvent(event);
}

void PublicComponentRepeatCheckDialog::mousePressEvent(QMouseEvent* event)
{
    QWidget* top = window();
#ifdef Q_OS_WIN
    if (ReleaseCapture() && top->isTopLevel()) {
        SendMessageW(reinterpret_cast<HWND>(top->winId()), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    }
#else
    // Elsewhere the window system moves the window for us.
    if (top->isTopLevel() && top->windowHandle()) {
        top->windowHandle()->startSystemMove();
    }
#endif
    event->ignore();
}

} // namespace vela
