#include "PlazaPageEmptyState.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vela {

namespace {

// Longer reasons (a server's error page, a stack of driver messages) would
// push the message out of the list area; the whole text stays in the tooltip.
constexpr int MaxReasonLength = 120;
constexpr int ReasonWidth = 360;

const QString MessageStyle =
    QStringLiteral("QLabel{font-family:\"Microsoft YaHei\";font-size:14px;color:rgba(120, 122, 131, 255);}");
const QString ReasonStyle =
    QStringLiteral("QLabel{font-family:\"Microsoft YaHei\";font-size:12px;color:rgba(168, 172, 181, 255);}");
const QString LinkButtonStyle = QStringLiteral(
    "QPushButton{border:none;background:transparent;font-family:\"Microsoft YaHei\";font-size:12px;"
    "color:rgba(82,145,221,255);}QPushButton:hover{text-decoration:underline;}");

QPushButton* MakeLinkButton(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(LinkButtonStyle);
    return button;
}

QString ShortenReason(const QString& reason)
{
    const QString simplified = reason.simplified();
    if (simplified.size() <= MaxReasonLength) {
        return simplified;
    }
    return simplified.left(MaxReasonLength - 1) + QChar(0x2026);
}

} // namespace

PlazaPageEmptyState::PlazaPageEmptyState(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PlazaPublicEmptyStateWidget"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(8);

    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("PlazaPublicEmptyStateText"));
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setStyleSheet(MessageStyle);
    layout->addWidget(m_message, 0, Qt::AlignHCenter);

    m_reason = new QLabel(this);
    m_reason->setObjectName(QStringLiteral("PlazaPublicEmptyStateReason"));
    m_reason->setAlignment(Qt::AlignCenter);
    m_reason->setFixedWidth(ReasonWidth);
    m_reason->setTextFormat(Qt::PlainText);
    m_reason->setStyleSheet(ReasonStyle);
    layout->addWidget(m_reason, 0, Qt::AlignHCenter);

    m_clearButton = MakeLinkButton(tr("清空条件"), this);
    m_clearButton->setObjectName(QStringLiteral("PlazaPublicEmptyStateClearButton"));
    connect(m_clearButton, &QPushButton::clicked, this, &PlazaPageEmptyState::ClearConditionsRequired);
    layout->addWidget(m_clearButton, 0, Qt::AlignHCenter);

    m_retryButton = MakeLinkButton(tr("重试"), this);
    m_retryButton->setObjectName(QStringLiteral("PlazaPublicEmptyStateRetryButton"));
    connect(m_retryButton, &QPushButton::clicked, this, &PlazaPageEmptyState::RetryRequired);
    layout->addWidget(m_retryButton, 0, Qt::AlignHCenter);

    hide();
}

void PlazaPageEmptyState::ShowNoResults(bool canClear)
{
    m_message->setText(tr("没有找到相关构件"));
    m_reason->clear();
    m_reason->setToolTip(QString());
    m_reason->hide();
    m_clearButton->setVisible(canClear);
    m_retryButton->hide();
    ShowOver();
}

void PlazaPageEmptyState::ShowFailure(const QString& reason)
{
    m_message->setText(tr("构件列表加载失败"));
    // One line: a reason without spaces (a URL, a hash) cannot wrap.
    m_reason->ensurePolished();
    const QString shown = m_reason->fontMetrics().elidedText(ShortenReason(reason), Qt::ElideRight, ReasonWidth);
    m_reason->setText(shown);
    m_reason->setToolTip(shown == reason ? QString() : reason);
    m_reason->setVisible(!shown.isEmpty());
    m_clearButton->hide();
    m_retryButton->show();
    ShowOver();
}

void PlazaPageEmptyState::ShowOver()
{
    // The size hint changes with the texts; the layout that centres us reads it again.
    updateGeometry();
    show();
    raise();
}

} // namespace vela
