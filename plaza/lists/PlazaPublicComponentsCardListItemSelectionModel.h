#pragma once

#include "plaza_export.h"

#include <QItemSelectionModel>

namespace vela {

// A selection model for the card list that hosts may install; it adds no behaviour.
class PLAZA_EXPORT PlazaPublicComponentsCardListItemSelectionModel : public QItemSelectionModel
{
    Q_OBJECT

public:
    explicit PlazaPublicComponentsCardListItemSelectionModel(QAbstractItemModel* model);
};

} // namespace vela
