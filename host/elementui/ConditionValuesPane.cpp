#include "ConditionValuesPane.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QToolButton>

#include <algorithm>

namespace vela {

namespace {

constexpr int ControlHeight = 24;
constexpr int RowPitch = 32;
constexpr int ChipSpacing = 8;
constexpr int RemoveGlyphSize = 12;
constexpr QColor RemoveGlyphColour{136, 146, 160};

void RegisterValueMetaTypes()
{
    static const bool registered = [] {
        qRegisterMetaType<vela::GeneralConditionValueItem>("vela::GeneralConditionValueItem");
        return true;
    }();
    Q_UNUSED(registered)
}

QIcon RemoveIcon()
{
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(RemoveGlyphSize, RemoveGlyphSize) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(RemoveGlyphColour, 1.3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(3, 3), QPointF(9, 9));
    painter.drawLine(QPointF(9, 3), QPointF(3, 9));
    return QIcon(pixmap);
}

// The removal request always carries a general item; other kinds are copied into one.
GeneralConditionValueItem ToGeneralItem(const ConditionValueItemBase& item)
{
    if (const auto* general = dynamic_cast<const GeneralConditionValueItem*>(&item))
        return *general;
    GeneralConditionValueItem copy;
    copy.SetDisplayName(item.GetDisplayName());
    copy.SetDisplayValue(item.GetDisplayValue());
    copy.Tag = item.Tag;
    return copy;
}

} // namespace

ConditionValuesPane::ConditionValuesPane(QWidget* parent)
    : QFrame(parent)
{
    RegisterValueMetaTypes();
    // Wraps within whatever width its row leaves it.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);

    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(12);
    setFont(font);
    setStyleSheet(QStringLiteral(
        "vela--ConditionValuesPane{border:none;background:transparent;}"
        "QLabel,QPushButton{font-family:\"Microsoft YaHei\";font-size:12px;}"
        "QFrame#ConditionValueChip{background:rgb(255,255,255);border:1px solid rgb(189,199,213);border-radius:2px;}"
        "QLabel#ConditionValueChipText{color:rgb(40,40,51);border:none;}"
        "QToolButton#ConditionValueChipRemove{border:none;background:transparent;}"
        "QToolButton#ConditionValueChipRemove:hover{background:rgb(234,238,244);}"
        "QPushButton#ConditionValuesClearButton{border:none;background:transparent;color:rgb(82,145,221);}"
        "QPushButton#ConditionValuesClearButton:hover{text-decoration:underline;}"
        "QLabel#ConditionValuesResultCount{color:rgb(120,122,131);}"));

    auto* clear = new QPushButton(this);
    clear->setObjectName(QStringLiteral("ConditionValuesClearButton"));
    clear->setFixedHeight(ControlHeight);
    clear->setCursor(Qt::PointingHandCursor);
    clear->setFocusPolicy(Qt::NoFocus);
    clear->hide();
    connect(clear, &QPushButton::clicked, this, [this] { emit ClearConditionValuesRequired(); });
    m_clearButton = clear;

    m_countLabel = new QLabel(this);
    m_countLabel->setObjectName(QStringLiteral("ConditionValuesResultCount"));
    m_countLabel->setFixedHeight(ControlHeight);
    m_countLabel->setAlignment(Qt::AlignVCenter | Qt::AlignRight);
    m_countLabel->setText(ResultCountText());
}

void ConditionValuesPane::SetClearingText(const QString& text)
{
    m_clearingText = text;
    static_cast<QPushButton*>(m_clearButton)->setText(text);
    Relayout();
}

void ConditionValuesPane::SetResultCountPrefix(const QString& prefix)
{
    m_prefix = prefix;
    m_countLabel->setText(ResultCountText());
    Relayout();
}

void ConditionValuesPane::SetResultCountPostfix(const QString& postfix)
{
    m_postfix = postfix;
    m_countLabel->setText(ResultCountText());
    Relayout();
}

void ConditionValuesPane::SetResultCount(int count)
{
    m_resultCount = std::max(count, 0);
    m_countLabel->setText(ResultCountText());
    Relayout();
}

QString ConditionValuesPane::ResultCountText() const
{
    QStringList parts;
    if (!m_prefix.isEmpty())
        parts << m_prefix;
    parts << QString::number(m_resultCount);
    if (!m_postfix.isEmpty())
        parts << m_postfix;
    return parts.join(QLatin1Char(' '));
}

void ConditionValuesPane::SetConditionValues(const std::vector<std::shared_ptr<ConditionValueItemBase>>& items)
{
    // A chip's own click may have led here, so old chips are deleted only once it returns.
    for (QWidget* chip : m_chips) {
        chip->hide();
        chip->deleteLater();
    }
    m_chips.clear();

    for (const auto& item : items) {
        if (!item)
            continue;
        auto* chip = new QFrame(this);
        chip->setObjectName(QStringLiteral("ConditionValueChip"));
        chip->setFixedHeight(ControlHeight);
        auto* row = new QHBoxLayout(chip);
        row->setContentsMargins(8, 0, 4, 0);
        row->setSpacing(4);

        auto* text = new QLabel(QStringLiteral("%1: %2").arg(item->GetDisplayName(), item->GetDisplayValue()), chip);
        text->setObjectName(QStringLiteral("ConditionValueChipText"));
        row->addWidget(text);

        auto* remove = new QToolButton(chip);
        remove->setObjectName(QStringLiteral("ConditionValueChipRemove"));
        remove->setIcon(RemoveIcon());
        remove->setIconSize(QSize(RemoveGlyphSize, RemoveGlyphSize));
        remove->setFixedSize(16, 16);
        remove->setCursor(Qt::PointingHandCursor);
        remove->setFocusPolicy(Qt::NoFocus);
        remove->setToolTip(tr("移除条件"));
        remove->setAccessibleName(tr("移除条件 %1").arg(item->GetDisplayName()));
        row->addWidget(remove);

        const GeneralConditionValueItem request = ToGeneralItem(*item);
        connect(remove, &QToolButton::clicked, this, [this, request] { emit RemoveConditionValueRequired(request); });

        chip->show();
        m_chips.push_back(chip);
    }
    Relayout();
}

QSize ConditionValuesPane::sizeHint() const
{
    return {m_countLabel->sizeHint().width(), m_contentHeight};
}

void ConditionValuesPane::AdjustHeightToContent()
{
    Relayout();
    updateGeometry();
    // Without a layout above it nobody reads the size hint, so size directly.
    if (!parentWidget() || !parentWidget()->layout())
        resize(width(), std::clamp(m_contentHeight, minimumHeight(), maximumHeight()));
}

void ConditionValuesPane::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    if (event->size().width() != event->oldSize().width())
        Relayout();
}

void ConditionValuesPane::Relayout()
{
    const QRect area = contentsRect();

    // Result count, right of the first row
    const int countWidth = m_countLabel->sizeHint().width();
    m_countLabel->setGeometry(area.right() + 1 - countWidth, area.top(), countWidth, ControlHeight);

    // Chips and the clear-all text, wrapping left of the count
    const int flowWidth = std::max(area.width() - countWidth - ChipSpacing, 1);
    std::vector<QWidget*> flow(m_chips.begin(), m_chips.end());
    m_clearButton->setVisible(!m_chips.empty() && !m_clearingText.isEmpty());
    if (m_clearButton->isVisibleTo(this))
        flow.push_back(m_clearButton);

    int x = 0;
    int y = 0;
    for (QWidget* widget : flow) {
        const int itemWidth = std::min(widget->sizeHint().width(), flowWidth);
        if (x > 0 && x + itemWidth > flowWidth) {
            x = 0;
            y += RowPitch;
        }
        widget->setGeometry(area.left() + x, area.top() + y, itemWidth, ControlHeight);
        x += itemWidth + ChipSpacing;
    }

    const int contentHeight = y + RowPitch;
    if (contentHeight != m_contentHeight) {
        m_contentHeight = contentHeight;
        updateGeometry();
    }
}

} // namespace vela
