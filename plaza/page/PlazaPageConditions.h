#pragma once

#include "BooleanConditionFilterItem.h"
#include "ConditionFilterOption.h"
#include "EnumerableConditionFilterItem.h"
#include "ICategoryProperty.h"
#include "RangeBasedConditionFilterItem.h"

#include <QObject>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QFrame;
class QWidget;

namespace vela {

class ConditionFiltersPane;
class ConditionValuesPane;

// The property conditions of the page's query: the filters offered for a leaf
// category, the conditions chosen in them, and the row that shows what the
// query is narrowed by. The page owns the widgets and the rest of the query.
class PlazaPageConditions : public QObject
{
    Q_OBJECT

public:
    // The values row tags its keyword and category entries with these; a condition's entry carries its code.
    static const QString KeywordTag;
    static const QString CategoryTag;

    PlazaPageConditions(QFrame* filtersFrame, ConditionFiltersPane* filtersPane, ConditionValuesPane* valuesPane,
                        QWidget* page);

    void LoadCategoryProperty(const std::wstring& categoryCode);
    std::shared_ptr<CategoryPropertyDefinition> PropertyDefinition(const QString& name) const;
    std::vector<std::shared_ptr<ConditionFilterOption>> CurrentConditions() const;
    void Clear();

    void ChangeEnumerableCondition(const EnumerableConditionFilterItem& condition, const QVariant& newValue);
    void ChangeBooleanCondition(const BooleanConditionFilterItem& condition, const QVariant& newValue);
    void ChangeRangeBasedCondition(const RangeBasedConditionFilterItem& condition, const QVariant& minValue,
                                   const QVariant& maxValue);
    // The enumerated and yes/no filters: one equality condition per property.
    void ApplyEqualityCondition(const QVariant& tag, const QString& propertyName, const QVariant& newValue,
                                const QString& valueText, int32_t valueType);

    // The keyword and the category show only when they narrow the query.
    void RefreshConditionValues(const std::wstring& keyword, const std::wstring& categoryCode,
                                const std::wstring& rootCategoryCode);
    // Removing a condition's value resets its filter, which reports the change back.
    void RemoveConditionValue(const QString& code);

signals:
    // A condition was added, changed or dropped: the query must run again.
    void ConditionsChanged();

private:
    QFrame* m_filtersFrame = nullptr;
    ConditionFiltersPane* m_filtersPane = nullptr;
    ConditionValuesPane* m_valuesPane = nullptr;
    std::map<std::wstring, std::shared_ptr<ConditionFilterOption>> m_conditions;
    std::shared_ptr<ICategoryProperty> m_categoryProperty;
};

} // namespace vela
