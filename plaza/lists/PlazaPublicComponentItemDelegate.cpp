#include "PlazaPublicComponentItemDelegate.h"

#include "AppService.h"
#include "CheckBoxFigure.h"
#include "PaintingUtils.h"
#include "PlazaPublicComponentsTableModel.h"

#include <QApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace vela {

namespace {

constexpr int CheckStateRole = PlazaPublicComponentsTableModel::CheckStateRole;
constexpr int ThumbnailLeft = 10;
constexpr int ThumbnailMargin = 5;
constexpr int NameGap = 5;

const QColor CellBackground(255, 255, 255);
const QColor GridGrey(189, 199, 213);
const QColor NameColour(QStringLiteral("#282833"));
const QColor SelectionVeil(41, 121, 255, 38);

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

int AlignmentOf(const QVariant& value)
{
    bool ok = false;
    const int alignment = value.toInt(&ok);
    return ok ? alignment : 0;
}

bool IsMouseEvent(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return true;
    default:
        return false;
    }
}

// The cell's operation text, as the model names it, which decides what a press means.
QString LoadText()
{
    return PlazaPublicComponentsTableModel::tr("载入");
}

QString PlaceText()
{
    return PlazaPublicComponentsTableModel::tr("布置");
}

} // namespace

PlazaPublicComponentItemDelegate::PlazaPublicComponentItemDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{
}

void PlazaPublicComponentItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
    const QModelIndex& index) const
{
    const QRect cell = option.rect;
    const QAbstractItemModel* model = index.model();
    if (!painter || !model) {
        return;
    }

    // Background: the table's white, laid over whatever the style drew under the cell first.
    // Desktop styles paint selected and hovered rows in their own opaque colour, whatever
    // the palette says, and the veil below must be the only selection mark.
    painter->save();
    painter->fillRect(cell, CellBackground);
    painter->restore();

    // Separator
    painter->save();
    painter->setPen(OnePixelPen(GridGrey));
    painter->drawLine(cell.bottomLeft(), cell.bottomRight());
    painter->restore();

    const int column = index.column();
    if (column < 0 || column > 3) {
        return;
    }

    if (column == 0) {
        // Check box
        const QRect box(cell.topLeft() + QPoint(int((cell.width() - CheckBoxFigure::Size) * 0.5),
                            int((cell.height() - CheckBoxFigure::Size) * 0.5)),
            QSize(CheckBoxFigure::Size, CheckBoxFigure::Size));
        CheckBoxFigure::Paint(painter, box, model->data(index, CheckStateRole).toBool() ? Qt::Checked : Qt::Unchecked);
    } else if (column == 1) {
        const int side = cell.height() - 2 * ThumbnailMargin;
        const QRect thumbnail(cell.topLeft() + QPoint(ThumbnailLeft, ThumbnailMargin), QSize(side, side));
        const QRect name(QPoint(cell.left() + side + ThumbnailLeft + NameGap, cell.top()), cell.bottomRight());

        // Thumbnail frame
        painter->save();
        painter->setBrush(Qt::NoBrush);
        painter->setPen(OnePixelPen(GridGrey));
        painter->drawLine(thumbnail.topLeft(), thumbnail.bottomLeft());
        painter->drawLine(thumbnail.topLeft(), thumbnail.topRight());
        painter->drawLine(thumbnail.topRight(), thumbnail.bottomRight());
        painter->drawLine(thumbnail.bottomLeft(), thumbnail.bottomRight());
        painter->restore();

        // Thumbnail
        painter->save();
        const QIcon icon = model->data(index, Qt::DecorationRole).value<QIcon>();
        if (!icon.isNull()) {
            painter->drawPixmap(thumbnail.adjusted(1, 1, -1, -1), icon.pixmap(QSize(side, side), QIcon::Normal, QIcon::Off));
        }
        painter->restore();

        // Name
        painter->save();
        painter->setFont(TextFont());
        painter->setPen(OnePixelPen(NameColour));
        painter->drawText(name, int(option.displayAlignment), model->data(index, Qt::DisplayRole).toString());
        painter->restore();
    } else {
        // Operation text
        painter->save();
        painter->setFont(TextFont());
        painter->setPen(OnePixelPen(model->data(index, Qt::ForegroundRole).value<QColor>()));
        painter->drawText(cell, AlignmentOf(model->data(index, Qt::TextAlignmentRole)),
            model->data(index, Qt::DisplayRole).toString());
        painter->restore();
    }

    // Selection veil
    if (option.state & QStyle::State_Selected) {
        painter->save();
        painter->fillRect(cell, SelectionVeil);
        painter->restore();
    }
}

bool PlazaPublicComponentItemDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
    const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (!event || !model) {
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }
    QWidget* view = const_cast<QWidget*>(option.widget);
    if (view) {
        view->setCursor(Qt::ArrowCursor);
        view->setToolTip(QString());
    }

    if (index.column() == 0) {
        if (event->type() == QEvent::MouseButtonPress
            && option.rect.contains(static_cast<QMouseEvent*>(event)->pos())) {
            const bool checked = model->data(index, CheckStateRole).toBool();
            model->setData(index, !checked, CheckStateRole);
            return true;
        }
    } else if ((index.column() == 2 || index.column() == 3) && IsMouseEvent(event)) {
        const QString text = model->data(index, Qt::DisplayRole).toString();
        const int alignment = AlignmentOf(model->data(index, Qt::TextAlignmentRole));
        const QRect textRect = PaintingUtils::GetTextRect(option.rect, text, QApplication::font(), alignment);
        QRect hit(textRect.topLeft(), QSize(textRect.width(), option.rect.height()));
        hit.adjust(0, 1, 0, -1);

        if (hit.contains(static_cast<QMouseEvent*>(event)->pos())) {
            if (view) {
                const AppService* app = AppService::Get();
                if (text == LoadText()) {
                    if (app && (app->IsSorn() || app->IsLumen())) {
                        view->setToolTip(tr("载入构件至本地"));
                    } else if (app && app->IsRivo()) {
                        view->setToolTip(tr("同时载入构件至项目库与本地"));
                    }
                } else if (text == PlaceText()) {
                    view->setToolTip(tr("载入构件并布置"));
                }
                view->setCursor(Qt::PointingHandCursor);
            }
            if (event->type() == QEvent::MouseButtonPress) {
                HandleOperation(model, index);
                return true;
            }
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

void PlazaPublicComponentItemDelegate::HandleOperation(QAbstractItemModel*, const QModelIndex& index)
{
    const IComponent* component = static_cast<const IComponent*>(index.internalPointer());
    if (!component || !index.model()) {
        return;
    }
    const QString text = index.model()->data(index, Qt::DisplayRole).toString();
    if (text == LoadText()) {
        if (const AppService* app = AppService::Get()) {
            if (app->IsRivo()) {
                emit AddComponentIntoProjectRequired(*component);
            } else {
                emit LoadComponentIntoDocumentRequired(*component);
            }
        }
    } else if (text == PlaceText()) {
        emit PlaceComponentIntoDocumentRequired(*component);
    }
}

} // namespace vela
