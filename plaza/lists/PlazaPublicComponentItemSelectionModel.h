#pragma once

#include "plaza_export.h"

#include <QItemSelectionModel>

namespace vela {

// A selection model for the table that hosts may install; it adds no behaviour.
class PLAZA_EXPORT PlazaPublicComponentItemSelectionModel : public QItemSelectionModel
{
    Q_OBJECT

public:
    explicit PlazaPublicComponentItemSelectionModel(QAbstractItemModel* model);
};

} // namespace vela
