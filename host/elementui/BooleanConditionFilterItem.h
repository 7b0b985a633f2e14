#pragma once

#include "ConditionFilterItemBase.h"

#include <QMetaType>

namespace vela {

// A filter on a yes/no property.
class VELA_ELEMENTUI_EXPORT BooleanConditionFilterItem : public ConditionFilterItemBase
{
public:
    void SetSelectValuePrompt(const QString& prompt) { m_prompt = prompt; }
    QString GetSelectValuePrompt() const { return m_prompt; }
    void SetTrueDisplayValue(const QString& text) { m_trueText = text; }
    QString GetTrueDisplayValue() const { return m_trueText; }
    void SetFalseDisplayValue(const QString& text) { m_falseText = text; }
    QString GetFalseDisplayValue() const { return m_falseText; }

private:
    QString m_prompt;
    QString m_trueText;
    QString m_falseText;
};

} // namespace vela

Q_DECLARE_METATYPE(vela::BooleanConditionFilterItem)
