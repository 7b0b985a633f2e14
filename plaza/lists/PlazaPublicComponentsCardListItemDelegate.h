#pragma once

#include "plaza_export.h"

#include "IComponent.h"

#include <QStyledItemDelegate>

namespace vela {

// Paints a component as a 128 x 136 card and turns presses on its check box and
// on the product's operation buttons into check changes and requests.
class PLAZA_EXPORT PlazaPublicComponentsCardListItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit PlazaPublicComponentsCardListItemDelegate(QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
        const QModelIndex& index) override;

signals:
    void AddComponentIntoProjectRequired(IComponent component);
    void LoadComponentIntoDocumentRequired(IComponent component);
    void PlaceComponentIntoDocumentRequired(IComponent component);

private:
    QRect GetContentRect(const QStyleOptionViewItem& option) const;
    void GetCheckBoxRect(const QStyleOptionViewItem& option, QRect& rect) const;
    void GetOperationRects(const QStyleOptionViewItem& option, QRect& loadRect, QRect& placeRect, QRect& addRect) const;
    void DrawOperations(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
};

} // namespace vela
