#include "PlazaPublicComponentsCardListItemDelegate.h"

#include "AppService.h"
#include "CheckBoxFigure.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace vela {

namespace {

constexpr int NameBandHeight = 24;
constexpr int NameElideMargin = 5;
constexpr int ThumbnailSide = 96;
constexpr int CheckBoxOffset = 6;
constexpr int ButtonHeight = 24;
constexpr int SingleButtonWidth = 80;
constexpr int PairButtonWidth = 48;
constexpr int PairGroupWidth = 112;
constexpr int ButtonLift = 28;
constexpr int AddButtonLift = 24;
constexpr qreal ButtonRadius = 2;

const QColor Blue(82, 145, 221);

QFont TextFont()
{
    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(12);
    return font;
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

void DrawFilledButton(QPainter* painter, const QRect& rect, const QString& text)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(Qt::NoPen);
    painter->setBrush(Blue);
    painter->drawRoundedRect(rect, ButtonRadius, ButtonRadius, Qt::AbsoluteSize);
    painter->setFont(TextFont());
    painter->setPen(QPen(Qt::white, 1));
    painter->drawText(rect, Qt::AlignHCenter | Qt::AlignVCenter, text);
    painter->restore();
}

void DrawOutlinedButton(QPainter* painter, const QRect& rect, const QString& text)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(QPen(Blue, 1));
    painter->setBrush(Qt::white);
    // Half a pixel in, so the antialiased outline lands on the button's own pixels.
    painter->drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), ButtonRadius, ButtonRadius, Qt::AbsoluteSize);
    painter->setFont(TextFont());
    painter->setPen(QPen(Blue, 1));
    painter->drawText(rect, Qt::AlignHCenter | Qt::AlignVCenter, text);
    painter->restore();
}

const IComponent* ComponentOf(const QModelIndex& index)
{
    return index.isValid() ? static_cast<const IComponent*>(index.internalPointer()) : nullptr;
}

int AlignmentOf(const QVariant& value)
{
    bool ok = false;
    const int alignment = value.toInt(&ok);
    return ok ? alignment : 0;
}

} // namespace

PlazaPublicComponentsCardListItemDelegate::PlazaPublicComponentsCardListItemDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{
}

void PlazaPublicComponentsCardListItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
    const QModelIndex& index) const
{
    if (!painter || !ComponentOf(index)) {
        return;
    }
    const QAbstractItemModel* model = index.model();
    const QRect content = GetContentRect(option);
    const QRect nameBand(content.left(), content.bottom() - NameBandHeight, content.width(), NameBandHeight);
    const QRect thumbnail(content.left() + int((content.width() - ThumbnailSide) * 0.5),
        content.top() + int((content.height() - NameBandHeight - ThumbnailSide) * 0.5), ThumbnailSide, ThumbnailSide);
    QRect checkBox;
    GetCheckBoxRect(option, checkBox);
    const QRect frame = content.adjusted(0, 0, -1, -1);
    const bool checked = model->data(index, Qt::CheckStateRole).toBool();

    // Background
    painter->save();
    painter->fillRect(content, model->data(index, Qt::BackgroundRole).value<QColor>());
    painter->restore();

    // Name
    painter->save();
    const QFont font = TextFont();
    const QString name = QFontMetrics(font).elidedText(model->data(index, Qt::DisplayRole).toString(), Qt::ElideRight,
        nameBand.width() - NameElideMargin);
    painter->setFont(font);
    painter->setPen(QPen(model->data(index, Qt::ForegroundRole).value<QColor>(), 1));
    painter->drawText(nameBand, AlignmentOf(model->data(index, Qt::TextAlignmentRole)), name);
    painter->restore();

    // Thumbnail
    painter->save();
    const QIcon icon = model->data(index, Qt::DecorationRole).value<QIcon>();
    if (!icon.isNull()) {
        painter->drawPixmap(thumbnail, icon.pixmap(QSize(ThumbnailSide, ThumbnailSide), QIcon::Normal, QIcon::Off));
    }
    painter->restore();

    // Checked box, shown with or without hover
    if (checked) {
        painter->save();
        CheckBoxFigure::Paint(painter, checkBox, Qt::Checked);
        painter->restore();
    }

    // Selection frame
    if (option.state & QStyle::State_Selected) {
        painter->save();
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(Blue, 1));
        painter->drawRect(frame);
        painter->restore();
    }

    // Hover frame, empty box and operation buttons
    if (option.state & QStyle::State_MouseOver) {
        painter->save();
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(Blue, 1));
        painter->drawRect(frame);
        painter->restore();
        if (!checked) {
            CheckBoxFigure::Paint(painter, checkBox, Qt::Unchecked);
        }
        DrawOperations(painter, option, index);
    }
}

bool PlazaPublicComponentsCardListItemDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
    const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const IComponent* component = ComponentOf(index);
    if (!component || !event || !model) {
        return false;
    }
    QWidget* view = const_cast<QWidget*>(option.widget);
    if (!view) {
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }
    view->setCursor(Qt::ArrowCursor);
    view->setToolTip(QString());
    if (!IsMouseEvent(event)) {
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }

    const QPoint position = static_cast<QMouseEvent*>(event)->pos();
    const bool press = event->type() == QEvent::MouseButtonPress;
    QRect checkBox;
    GetCheckBoxRect(option, checkBox);
    QRect loadRect;
    QRect placeRect;
    QRect addRect;
    GetOperationRects(option, loadRect, placeRect, addRect);

    if (checkBox.contains(position)) {
        view->setCursor(Qt::PointingHandCursor);
        if (press) {
            const bool checked = model->data(index, Qt::CheckStateRole).toBool();
            model->setData(index, !checked, Qt::CheckStateRole);
            return true;
        }
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }

    if (loadRect.contains(position)) {
        view->setToolTip(tr("载入构件至本地"));
    } else if (placeRect.contains(position)) {
        view->setToolTip(tr("载入构件并布置"));
    } else if (addRect.contains(position)) {
        view->setToolTip(tr("同时载入构件至项目库与本地"));
    } else {
        view->setToolTip(QString::fromStdWString(component->GetDisplayName()));
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }
    view->setCursor(Qt::PointingHandCursor);
    if (!press) {
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }
    if (loadRect.contains(position)) {
        emit LoadComponentIntoDocumentRequired(*component);
    } else if (placeRect.contains(position)) {
        emit PlaceComponentIntoDocumentRequired(*component);
    } else {
        emit AddComponentIntoProjectRequired(*component);
    }
    return true;
}

QRect PlazaPublicComponentsCardListItemDelegate::GetContentRect(const QStyleOptionViewItem& option) const
{
    return option.rect.adjusted(2, 1, -2, -1);
}

void PlazaPublicComponentsCardListItemDelegate::GetCheckBoxRect(const QStyleOptionViewItem& option, QRect& rect) const
{
    const QRect content = GetContentRect(option);
    rect = QRect(content.topLeft() + QPoint(CheckBoxOffset, CheckBoxOffset), QSize(CheckBoxFigure::Size, CheckBoxFigure::Size));
}

// The products are asked Lumen first here; a host reports one product, so the
// order only matters for a host that claims several.
void PlazaPublicComponentsCardListItemDelegate::GetOperationRects(const QStyleOptionViewItem& option, QRect& loadRect,
    QRect& placeRect, QRect& addRect) const
{
    const AppService* app = AppService::Get();
    if (!app) {
        return;
    }
    const QRect content = GetContentRect(option);
    const auto centredLeft = [&content](int width) { return content.left() + int((content.width() - width) * 0.5); };
    if (app->IsLumen()) {
        loadRect = QRect(centredLeft(SingleButtonWidth), content.bottom() - ButtonLift - ButtonHeight, SingleButtonWidth,
            ButtonHeight);
        placeRect = QRect();
    } else if (app->IsSorn()) {
        const QRect group(centredLeft(PairGroupWidth), content.bottom() - ButtonLift - ButtonHeight, PairGroupWidth,
            ButtonHeight);
        placeRect = QRect(group.left(), group.top(), PairButtonWidth, ButtonHeight);
        loadRect = QRect(group.right() - PairButtonWidth, group.top(), PairButtonWidth, ButtonHeight);
    } else if (app->IsRivo()) {
        addRect = QRect(centredLeft(SingleButtonWidth), content.bottom() - AddButtonLift - ButtonHeight, SingleButtonWidth,
            ButtonHeight);
        loadRect = QRect();
        placeRect = QRect();
    }
}

void PlazaPublicComponentsCardListItemDelegate::DrawOperations(QPainter* painter, const QStyleOptionViewItem& option,
    const QModelIndex&) const
{
    const AppService* app = AppService::Get();
    if (!app) {
        return;
    }
    QRect loadRect;
    QRect placeRect;
    QRect addRect;
    GetOperationRects(option, loadRect, placeRect, addRect);
    if (app->IsSorn()) {
        DrawFilledButton(painter, placeRect, tr("布置"));
        DrawOutlinedButton(painter, loadRect, tr("载入"));
    } else if (app->IsLumen()) {
        DrawFilledButton(painter, loadRect, tr("载入"));
    } else if (app->IsRivo()) {
        DrawFilledButton(painter, addRect, tr("载入"));
    }
}

} // namespace vela
