#include "PlazaPublicComponentItemSelectionModel.h"

namespace vela {

PlazaPublicComponentItemSelectionModel::PlazaPublicComponentItemSelectionModel(QAbstractItemModel* model)
    : QItemSelectionModel(model)
{
}

} // namespace vela
