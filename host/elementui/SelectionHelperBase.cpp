#include "SelectionHelperBase.h"

namespace vela {

SelectionHelperBase::SelectionHelperBase(QObject* parent)
    : QObject(parent)
{
}

} // namespace vela
