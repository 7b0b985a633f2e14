#pragma once

#include "ConditionFilterItemBase.h"

#include <QMetaType>
#include <QVector>

#include <utility>

namespace vela {

// A filter picking one of a property's enumerated values.
class VELA_ELEMENTUI_EXPORT EnumerableConditionFilterItem : public ConditionFilterItemBase
{
public:
    void SetSelectValuePrompt(const QString& prompt) { m_prompt = prompt; }
    QString GetSelectValuePrompt() const { return m_prompt; }

    void AddEnumerableValue(const QVariant& value, const QVariant& displayText)
    {
        m_values.append({value, displayText});
    }
    // Value and display text pairs in the order they were added.
    const QVector<std::pair<QVariant, QVariant>>& GetEnumerableValues() const { return m_values; }

private:
    QString m_prompt;
    QVector<std::pair<QVariant, QVariant>> m_values;
};

} // namespace vela

Q_DECLARE_METATYPE(vela::EnumerableConditionFilterItem)
