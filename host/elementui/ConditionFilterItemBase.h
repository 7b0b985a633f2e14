#pragma once

#include "ItemBase.h"

#include <QString>

namespace vela {

// A filter on one property: its name and unit.
class VELA_ELEMENTUI_EXPORT ConditionFilterItemBase : public ItemBase
{
public:
    void SetName(const QString& name) { m_name = name; }
    QString GetName() const { return m_name; }
    void SetUnit(const QString& unit) { m_unit = unit; }
    QString GetUnit() const { return m_unit; }

private:
    QString m_name;
    QString m_unit;
};

} // namespace vela
