#pragma once

#include "ItemBase.h"

#include <QString>

namespace vela {

// One active condition as the values pane lists it: "name: value".
class VELA_ELEMENTUI_EXPORT ConditionValueItemBase : public ItemBase
{
public:
    void SetDisplayName(const QString& name) { m_displayName = name; }
    QString GetDisplayName() const { return m_displayName; }
    void SetDisplayValue(const QString& value) { m_displayValue = value; }
    QString GetDisplayValue() const { return m_displayValue; }

private:
    QString m_displayName;
    QString m_displayValue;
};

} // namespace vela
