#pragma once

#include "plaza_export.h"

#include <QWidget>

class QItemSelectionModel;
class QListView;

namespace vela {

class PlazaPublicComponentsCardListItemDelegate;
class PlazaPublicComponentsCardListModel;

// The card-mode display of a page: the check-all strip over a wrapping grid of
// cards; it owns the inner list view, the model and the delegate.
class PLAZA_EXPORT PlazaPublicComponentsCardListView : public QWidget
{
    Q_OBJECT

public:
    explicit PlazaPublicComponentsCardListView(QWidget* parent);

    PlazaPublicComponentsCardListItemDelegate* ItemDelegate() const;
    PlazaPublicComponentsCardListModel* Model() const;
    QItemSelectionModel* SelectionModel() const;

private:
    void Init();

    QListView* m_listView = nullptr;
};

} // namespace vela
