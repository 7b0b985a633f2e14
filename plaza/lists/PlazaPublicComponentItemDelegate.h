#pragma once

#include "plaza_export.h"

#include "IComponent.h"

#include <QStyledItemDelegate>

namespace vela {

// Paints the table's cells and turns presses on the check box and on the
// operation texts into check changes and load, place or add requests.
class PLAZA_EXPORT PlazaPublicComponentItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit PlazaPublicComponentItemDelegate(QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
        const QModelIndex& index) override;

signals:
    void AddComponentIntoProjectRequired(IComponent component);
    void LoadComponentIntoDocumentRequired(IComponent component);
    void PlaceComponentIntoDocumentRequired(IComponent component);

private:
    void HandleOperation(QAbstractItemModel* model, const QModelIndex& index);
};

} // namespace vela
