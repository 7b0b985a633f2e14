#pragma once

#include "BooleanConditionFilterItem.h"
#include "EnumerableConditionFilterItem.h"
#include "RangeBasedConditionFilterItem.h"
#include "vela_elementui_export.h"

#include <QFrame>

#include <memory>
#include <vector>

namespace vela {

// The property filters of a category, laid out in wrapping rows: drop-downs
// for enumerated and yes/no properties, two number fields for ranges. Every
// change a user makes is reported with the item and its new value(s); a null
// value means the filter is back at its prompt.
class VELA_ELEMENTUI_EXPORT ConditionFiltersPane : public QFrame
{
    Q_OBJECT

public:
    explicit ConditionFiltersPane(QWidget* parent);

    void SetConditionFilters(const std::vector<std::shared_ptr<ConditionFilterItemBase>>& items);
    // Fits the height to the rows of filters, within the minimum and maximum height.
    void AdjustHeightToContent();
    // Returns the filter tagged `tag` to its prompt and reports null values.
    void ResumeConditionFilter(const QVariant& tag);

    // The height of the rows the filters wrap into at the current width.
    QSize sizeHint() const override;

signals:
    void EnumerableConditionChanged(vela::EnumerableConditionFilterItem condition, QVariant newValue);
    // Typed numbers come as int when whole, else as double, so that two of them
    // compare as numbers; an empty field comes as a null value.
    void RangeBasedConditionChanged(vela::RangeBasedConditionFilterItem condition, QVariant minValue,
                                    QVariant maxValue);
    void BooleanConditionChanged(vela::BooleanConditionFilterItem condition, QVariant newValue);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Filter;
    void Relayout();
    void CommitChoice(Filter& filter, int index);
    void CommitRange(Filter& filter);
    void ReportChange(const Filter& filter);

    std::vector<std::shared_ptr<Filter>> m_filters;
    int m_contentHeight = 0;
};

} // namespace vela
