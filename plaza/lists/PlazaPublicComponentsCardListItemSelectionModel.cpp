#include "PlazaPublicComponentsCardListItemSelectionModel.h"

namespace vela {

PlazaPublicComponentsCardListItemSelectionModel::PlazaPublicComponentsCardListItemSelectionModel(QAbstractItemModel* model)
    : QItemSelectionModel(model)
{
}

} // namespace vela
