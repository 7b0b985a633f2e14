#include "PlazaPublicComponentsTableHeaderView.h"

#include "CheckBoxFigure.h"

#include <QMouseEvent>
#include <QPainter>

namespace vela {

namespace {

constexpr int CheckAllSection = 0;
constexpr int NameSection = 1;
constexpr int LastSection = 3;
constexpr int NameIndent = 10;
constexpr int LeftVCenter = Qt::AlignLeft | Qt::AlignVCenter;

const QColor SectionBackground(217, 221, 228);
const QColor SectionLine(189, 199, 213);

QFont TextFont()
{
    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(12);
    return font;
}

QPen OnePixelPen(const QColor& colour)
{
    return QPen(colour, 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

Qt::CheckState Toggled(Qt::CheckState state)
{
    return state == Qt::Checked ? Qt::Unchecked : Qt::Checked;
}

} // namespace

PlazaPublicComponentsTableHeaderView::PlazaPublicComponentsTableHeaderView(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent)
{
}

void PlazaPublicComponentsTableHeaderView::ChangeCheckState(Qt::CheckState state)
{
    if (state == m_checkState) {
        return;
    }
    m_checkState = state;
    viewport()->update();
}

// The whole first section is the check-all box's hit area; it never starts a
// section click, a resize or a move.
void PlazaPublicComponentsTableHeaderView::mousePressEvent(QMouseEvent* event)
{
    if (logicalIndexAt(event->pos()) == CheckAllSection) {
        m_pressed = true;
        event->accept();
        return;
    }
    QHeaderView::mousePressEvent(event);
}

void PlazaPublicComponentsTableHeaderView::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && logicalIndexAt(event->pos()) == CheckAllSection;
    m_pressed = false;
    if (!click) {
        QHeaderView::mouseReleaseEvent(event);
        return;
    }
    m_checkState = Toggled(m_checkState);
    viewport()->update();
    event->accept();
    emit CheckStateChanged(m_checkState);
}

void PlazaPublicComponentsTableHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (orientation() == Qt::Vertical || logicalIndex < CheckAllSection || logicalIndex > LastSection) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }

    // Background with top and bottom lines
    painter->save();
    painter->fillRect(rect, SectionBackground);
    painter->setPen(OnePixelPen(SectionLine));
    painter->drawLine(rect.topLeft(), rect.topRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->restore();

    if (logicalIndex == CheckAllSection) {
        // Check-all box
        const QRect box(rect.topLeft() + QPoint(int((rect.width() - CheckBoxFigure::Size) * 0.5),
                            int((rect.height() - CheckBoxFigure::Size) * 0.5)),
            QSize(CheckBoxFigure::Size, CheckBoxFigure::Size));
        painter->save();
        CheckBoxFigure::Paint(painter, box, m_checkState);
        painter->restore();
        return;
    }

    const QAbstractItemModel* itemModel = model();
    if (!itemModel) {
        return;
    }
    const QString text = itemModel->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
    if (text.isEmpty()) {
        return;
    }
    const bool isName = logicalIndex == NameSection;
    const QRect textRect = isName ? rect.adjusted(NameIndent, 0, 0, 0) : rect;
    const int alignment = isName ? LeftVCenter
                                 : itemModel->headerData(logicalIndex, orientation(), Qt::TextAlignmentRole).toInt();

    // Section title
    painter->save();
    painter->setFont(TextFont());
    painter->setPen(OnePixelPen(Qt::black));
    painter->drawText(textRect, alignment, text);
    painter->restore();
}

} // namespace vela
