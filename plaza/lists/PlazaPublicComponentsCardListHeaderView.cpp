#include "PlazaPublicComponentsCardListHeaderView.h"

#include "CheckBoxFigure.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace vela {

namespace {

constexpr int LeadingSpace = 10;
constexpr QSize CheckBoxLabelSize(21, 24);
constexpr QPoint CheckBoxOrigin(10, 6);
const QColor StripBackground(QStringLiteral("#D7DDE6"));

} // namespace

PlazaPublicComponentsCardListHeaderView::PlazaPublicComponentsCardListHeaderView(QWidget* parent)
    : QWidget(parent)
    , m_checkBoxLabel(new QLabel())
{
    Init();
}

void PlazaPublicComponentsCardListHeaderView::ChangeCheckState(Qt::CheckState state)
{
    if (state == m_checkState) {
        return;
    }
    m_checkState = state;
    update();
}

void PlazaPublicComponentsCardListHeaderView::RestoreCheckState()
{
    m_checkState = Qt::Unchecked;
    update();
}

// Presses and releases stay here, inside the hit area or not.
void PlazaPublicComponentsCardListHeaderView::mousePressEvent(QMouseEvent* event)
{
    if (HitArea().contains(event->pos())) {
        m_pressed = true;
    }
}

void PlazaPublicComponentsCardListHeaderView::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && HitArea().contains(event->pos());
    m_pressed = false;
    if (!click) {
        return;
    }
    m_checkState = m_checkState == Qt::Checked ? Qt::Unchecked : Qt::Checked;
    update();
    emit CheckStateChanged(m_checkState);
}

void PlazaPublicComponentsCardListHeaderView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);

    // Background
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.fillRect(rect(), StripBackground);
    painter.restore();

    // Check-all box, inside the transparent label that reserves its place
    painter.save();
    CheckBoxFigure::Paint(&painter, QRect(CheckBoxOrigin, QSize(CheckBoxFigure::Size, CheckBoxFigure::Size)), m_checkState);
    painter.restore();
}

void PlazaPublicComponentsCardListHeaderView::Init()
{
    auto* layout = new QHBoxLayout();
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_checkBoxLabel->setFixedSize(CheckBoxLabelSize);
    m_checkBoxLabel->setStyleSheet(QStringLiteral("QLabel{background:transparent;}"));
    m_checkBoxLabel->setObjectName(QStringLiteral("CheckBoxInPublicComponentsListHeader"));
    m_checkBoxLabel->setProperty("VELAShouldIgnoreRecordQWidget", true);

    auto* description = new QLabel(tr("全部构件"), this);
    description->setObjectName(QStringLiteral("CheckBoxDescription"));
    description->setProperty("VELAShouldIgnoreRecordQWidget", true);
    description->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(12);
    description->setFont(font);

    layout->addSpacing(LeadingSpace);
    layout->addWidget(m_checkBoxLabel);
    layout->addWidget(description);
    layout->addStretch();

    setStyleSheet(QStringLiteral("QWidget{background:#D7DDE6;}"));
    setLayout(layout);
}

// The label's own size at the header's corner, not where the label sits, so the
// ten pixels left of the box count and the label's right part does not.
QRect PlazaPublicComponentsCardListHeaderView::HitArea() const
{
    return QRect(QPoint(0, 0), m_checkBoxLabel->size());
}

} // namespace vela
