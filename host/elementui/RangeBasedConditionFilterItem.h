#pragma once

#include "ConditionFilterItemBase.h"

#include <QMetaType>

namespace vela {

// A filter on a numeric property: a minimum and a maximum, either may be left empty.
class VELA_ELEMENTUI_EXPORT RangeBasedConditionFilterItem : public ConditionFilterItemBase
{
public:
    void SetInputFromValuePrompt(const QString& prompt) { m_fromPrompt = prompt; }
    QString GetInputFromValuePrompt() const { return m_fromPrompt; }
    void SetInputToValuePrompt(const QString& prompt) { m_toPrompt = prompt; }
    QString GetInputToValuePrompt() const { return m_toPrompt; }

private:
    QString m_fromPrompt;
    QString m_toPrompt;
};

} // namespace vela

Q_DECLARE_METATYPE(vela::RangeBasedConditionFilterItem)
