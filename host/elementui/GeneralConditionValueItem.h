#pragma once

#include "ConditionValueItemBase.h"

#include <QMetaType>

namespace vela {

// The value item of a keyword, a category or a property condition.
class VELA_ELEMENTUI_EXPORT GeneralConditionValueItem : public ConditionValueItemBase
{
};

} // namespace vela

Q_DECLARE_METATYPE(vela::GeneralConditionValueItem)
