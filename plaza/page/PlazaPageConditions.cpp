#include "PlazaPageConditions.h"

#include "ConditionFiltersPane.h"
#include "ConditionValuesPane.h"
#include "GeneralConditionValueItem.h"
#include "ICategory.h"
#include "IVelaLogger.h"
#include "PlazaPageSupport.h"
#include "PlazaPublicPage.h"
#include "PropertyService.h"
#include "PublicCategoryService.h"

#include <QFrame>
#include <QWidget>

#include <algorithm>

namespace vela {

namespace {

// Orders two range bounds: as numbers when both read as numbers, else as text.
int CompareBounds(const QVariant& a, const QVariant& b)
{
    bool aIsNumber = false;
    bool bIsNumber = false;
    const double x = a.toDouble(&aIsNumber);
    const double y = b.toDouble(&bIsNumber);
    if (aIsNumber && bIsNumber) {
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    return QString::compare(a.toString(), b.toString());
}

void Trace(const QString& text)
{
    if (IVelaLogger* logger = IVelaLogger::Get()) {
        VelaLogObject line(text);
        logger->Trace(line);
    }
}

} // namespace

const QString PlazaPageConditions::KeywordTag = QStringLiteral("Keyword");
const QString PlazaPageConditions::CategoryTag = QStringLiteral("Category");

PlazaPageConditions::PlazaPageConditions(QFrame* filtersFrame, ConditionFiltersPane* filtersPane,
                                         ConditionValuesPane* valuesPane, QWidget* page)
    : QObject(page)
    , m_filtersFrame(filtersFrame)
    , m_filtersPane(filtersPane)
    , m_valuesPane(valuesPane)
{
}

std::vector<std::shared_ptr<ConditionFilterOption>> PlazaPageConditions::CurrentConditions() const
{
    std::vector<std::shared_ptr<ConditionFilterOption>> conditions;
    for (const auto& entry : m_conditions) {
        if (entry.second) {
            conditions.push_back(entry.second);
        }
    }
    return conditions;
}

void PlazaPageConditions::Clear()
{
    m_conditions.clear();
}

void PlazaPageConditions::LoadCategoryProperty(const std::wstring& categoryCode)
{
    const auto hideFilters = [this] {
        m_filtersFrame->hide();
        m_categoryProperty.reset();
    };
    const ICategory* category =
        categoryCode.empty() ? nullptr : PublicCategoryService::Get()->GetCategoryByCode(categoryCode);
    if (!category || !category->IsLeaf()) {
        hideFilters();
        return;
    }
    auto* reply = PropertyService::Get()->GetCategoryProperty(
        PlazaPageSupport::SoftwareCode(), PlazaPageSupport::SoftwareVersion(), categoryCode, true);
    if (!reply) {
        hideFilters();
        return;
    }
    PlazaPageConditions* conditions = this;
    reply->setParent(this);
    connect(
        reply, &CustomReplyBase::Finished, reply,
        [reply, conditions] {
            if (!reply->Error().empty()) {
                reply->deleteLater();
                conditions->m_filtersFrame->hide();
                conditions->m_categoryProperty.reset();
                return;
            }
            conditions->m_categoryProperty = reply->Result();
            reply->deleteLater();
            if (!conditions->m_categoryProperty) {
                conditions->m_filtersFrame->hide();
                return;
            }
            std::vector<std::shared_ptr<ConditionFilterItemBase>> items;
            for (const auto& entry : conditions->m_categoryProperty->Properties) {
                const std::shared_ptr<CategoryPropertyDefinition>& definition = entry.second;
                if (!definition) {
                    continue;
                }
                const QString type = QString::fromStdWString(definition->Type);
                const QString name = QString::fromStdWString(definition->Name);
                const QString unit = QString::fromStdWString(definition->Unit);
                const QVariant tag(QString::fromStdWString(definition->Code));
                if (type.compare(QLatin1String("Enum"), Qt::CaseInsensitive) == 0) {
                    auto item = std::make_shared<EnumerableConditionFilterItem>();
                    item->SetName(name);
                    item->SetSelectValuePrompt(PlazaPublicPage::tr("请选择"));
                    item->SetUnit(unit);
                    for (const auto& value : definition->Values) {
                        item->AddEnumerableValue(QVariant(QString::fromStdWString(value.first)),
                                                 QVariant(QString::fromStdWString(value.second)));
                    }
                    item->Tag = tag;
                    items.push_back(item);
                } else if (type.compare(QLatin1String("Number"), Qt::CaseInsensitive) == 0
                           || type.compare(QLatin1String("Int"), Qt::CaseInsensitive) == 0) {
                    auto item = std::make_shared<RangeBasedConditionFilterItem>();
                    item->SetName(name);
                    item->SetInputFromValuePrompt(PlazaPublicPage::tr("最小值"));
                    item->SetInputToValuePrompt(PlazaPublicPage::tr("最大值"));
                    item->SetUnit(unit);
                    item->Tag = tag;
                    items.push_back(item);
                } else if (type.compare(QLatin1String("Logic"), Qt::CaseInsensitive) == 0) {
                    auto item = std::make_shared<BooleanConditionFilterItem>();
                    item->SetName(name);
                    item->SetSelectValuePrompt(PlazaPublicPage::tr("请选择"));
                    item->SetUnit(unit);
                    item->SetTrueDisplayValue(PlazaPublicPage::tr("是"));
                    item->SetFalseDisplayValue(PlazaPublicPage::tr("否"));
                    item->Tag = tag;
                    items.push_back(item);
                }
            }
            if (!items.empty()) {
                conditions->m_filtersPane->SetConditionFilters(items);
                conditions->m_filtersPane->AdjustHeightToContent();
            }
            conditions->m_filtersFrame->setVisible(!items.empty());
        },
        Qt::DirectConnection);
}

std::shared_ptr<CategoryPropertyDefinition> PlazaPageConditions::PropertyDefinition(const QString& name) const
{
    if (!m_categoryProperty) {
        return nullptr;
    }
    const auto found = m_categoryProperty->Properties.find(name.toStdWString());
    return found == m_categoryProperty->Properties.end() ? nullptr : found->second;
}

void PlazaPageConditions::ChangeEnumerableCondition(const EnumerableConditionFilterItem& condition,
                                                    const QVariant& newValue)
{
    Trace(QStringLiteral("enum condition changed.") + QStringLiteral(" code:") + condition.Tag.toString()
          + QStringLiteral(", ") + QStringLiteral("value:") + newValue.toString());
    ApplyEqualityCondition(condition.Tag, condition.GetName(), newValue, newValue.toString(),
                           ConditionFilterOption::Enumeration);
}

void PlazaPageConditions::ChangeBooleanCondition(const BooleanConditionFilterItem& condition, const QVariant& newValue)
{
    const QString valueText = QString::number(newValue.toBool());
    Trace(QStringLiteral("bool condition changed.") + QStringLiteral(" code:") + condition.Tag.toString()
          + QStringLiteral(", ") + QStringLiteral("value:") + valueText);
    ApplyEqualityCondition(condition.Tag, condition.GetName(), newValue, valueText,
                           ConditionFilterOption::IntegerOrBoolean);
}

void PlazaPageConditions::ApplyEqualityCondition(const QVariant& tag, const QString& propertyName,
                                                 const QVariant& newValue, const QString& valueText,
                                                 int32_t valueType)
{
    const std::wstring key = PlazaPageSupport::WideText(tag);
    if (key.empty()) {
        return;
    }
    const std::wstring value = valueText.toStdWString();
    const auto found = m_conditions.find(key);
    if (found == m_conditions.end()) {
        if (newValue.isNull()) {
            return;
        }
        const std::shared_ptr<CategoryPropertyDefinition> definition = PropertyDefinition(propertyName);
        if (!definition) {
            return;
        }
        auto option = std::make_shared<ConditionFilterOption>();
        option->SetName(definition->Name);
        option->SetCode(definition->Code);
        option->Operator = ConditionFilterOption::Equal;
        option->ValueType = valueType;
        option->SetValue(value);
        m_conditions[key] = option;
        emit ConditionsChanged();
        return;
    }
    if (newValue.isNull()) {
        m_conditions.erase(found);
        emit ConditionsChanged();
        return;
    }
    if (!found->second || value != found->second->Value()) {
        if (found->second) {
            found->second->SetValue(value);
        }
        emit ConditionsChanged();
    }
}

void PlazaPageConditions::ChangeRangeBasedCondition(const RangeBasedConditionFilterItem& condition,
                                                    const QVariant& minValue, const QVariant& maxValue)
{
    Trace(QStringLiteral("range condition changed.") + QStringLiteral(" code:") + condition.Tag.toString()
          + QStringLiteral(", ") + QStringLiteral("minValue:") + minValue.toString() + QStringLiteral(", maxValue:")
          + maxValue.toString());
    const std::wstring key = PlazaPageSupport::WideText(condition.Tag);
    if (key.empty()) {
        return;
    }
    const bool hasMin = !minValue.isNull();
    const bool hasMax = !maxValue.isNull();
    const int order = hasMin && hasMax ? CompareBounds(minValue, maxValue) : 0;
    const std::wstring minText = PlazaPageSupport::WideText(minValue);
    const std::wstring maxText = PlazaPageSupport::WideText(maxValue);
    const auto found = m_conditions.find(key);

    if (found == m_conditions.end()) {
        if (!hasMin && !hasMax) {
            return;
        }
        const std::shared_ptr<CategoryPropertyDefinition> definition = PropertyDefinition(condition.GetName());
        if (!definition) {
            return;
        }
        int32_t valueType = 0;
        if (definition->Type == L"Int") {
            valueType = 1;
        } else if (definition->Type == L"Number") {
            valueType = 2;
        } else {
            return;
        }
        auto option = std::make_shared<ConditionFilterOption>();
        option->SetName(definition->Name);
        option->SetCode(definition->Code);
        option->ValueType = valueType;
        if (hasMin && hasMax) {
            if (order == 0) {
                option->Operator = 1;
                option->SetValue(minText);
            } else if (order < 0) {
                option->Operator = 9;
                option->SetFromValue(minText);
                option->SetToValue(maxText);
            } else {
                return;
            }
        } else if (hasMax) {
            option->Operator = 7;
            option->SetValue(maxText);
        } else {
            option->Operator = 5;
            option->SetValue(minText);
        }
        m_conditions[key] = option;
        emit ConditionsChanged();
        return;
    }

    const std::shared_ptr<ConditionFilterOption> option = found->second;
    if (!option || (!hasMin && !hasMax) || (hasMin && hasMax && order > 0)) {
        m_conditions.erase(found);
    } else if (hasMin && hasMax && order == 0) {
        option->Operator = 1;
        option->SetValue(minText);
        option->SetFromValue(std::wstring());
        option->SetToValue(std::wstring());
    } else if (hasMin && hasMax) {
        option->Operator = 9;
        option->SetValue(std::wstring());
        option->SetFromValue(minText);
        option->SetToValue(maxText);
    } else if (hasMax) {
        option->Operator = 7;
        option->SetValue(maxText);
        option->SetFromValue(std::wstring());
        option->SetToValue(std::wstring());
    } else {
        option->Operator = 5;
        option->SetValue(minText);
        option->SetFromValue(std::wstring());
        option->SetToValue(std::wstring());
    }
    emit ConditionsChanged();
}

void PlazaPageConditions::RefreshConditionValues(const std::wstring& keyword, const std::wstring& categoryCode,
                                                 const std::wstring& rootCategoryCode)
{
    std::vector<std::shared_ptr<ConditionValueItemBase>> items;
    if (!keyword.empty()) {
        auto item = std::make_shared<GeneralConditionValueItem>();
        item->Tag = QVariant(KeywordTag);
        item->SetDisplayName(PlazaPublicPage::tr("关键词"));
        item->SetDisplayValue(QString::fromStdWString(keyword));
        items.push_back(item);
    }
    if (categoryCode != rootCategoryCode) {
        auto item = std::make_shared<GeneralConditionValueItem>();
        item->Tag = QVariant(CategoryTag);
        item->SetDisplayName(PlazaPublicPage::tr("分类"));
        if (const ICategory* category = PublicCategoryService::Get()->GetCategoryByCode(categoryCode)) {
            item->SetDisplayValue(QString::fromStdWString(category->Name));
        }
        items.push_back(item);
    }
    if (m_categoryProperty) {
        std::vector<std::shared_ptr<ConditionFilterOption>> options = CurrentConditions();
        std::stable_sort(options.begin(), options.end(),
                         [](const auto& a, const auto& b) { return a->Name() < b->Name(); });
        for (const std::shared_ptr<ConditionFilterOption>& option : options) {
            const std::shared_ptr<CategoryPropertyDefinition> definition =
                PropertyDefinition(QString::fromStdWString(option->Name()));
            if (!definition) {
                continue;
            }
            const QString type = QString::fromStdWString(definition->Type);
            const QString value = QString::fromStdWString(option->Value());
            QString display;
            switch (option->Operator) {
            case 1:
                if (type.compare(QLatin1String("Enum"), Qt::CaseInsensitive) == 0) {
                    const auto text = definition->Values.find(option->Value());
                    display = text == definition->Values.end() ? QString() : QString::fromStdWString(text->second);
                } else if (type.compare(QLatin1String("Logic"), Qt::CaseInsensitive) == 0) {
                    const auto is = [&value](const QString& text) {
                        return value.compare(text, Qt::CaseInsensitive) == 0;
                    };
                    if (is(QStringLiteral("true")) || is(QStringLiteral("1")) || is(QStringLiteral("是"))) {
                        display = PlazaPublicPage::tr("是");
                    } else if (is(QStringLiteral("false")) || is(QStringLiteral("0")) || is(QStringLiteral("否"))) {
                        display = PlazaPublicPage::tr("否");
                    }
                } else {
                    display = value;
                }
                break;
            case 4: display = QStringLiteral("＞") + value; break;
            case 5: display = QStringLiteral("≥") + value; break;
            case 6: display = QStringLiteral("＜") + value; break;
            case 7: display = QStringLiteral("≤") + value; break;
            case 8:
            case 9:
                display = QString::fromStdWString(option->FromValue()) + QStringLiteral("~")
                          + QString::fromStdWString(option->ToValue());
                break;
            default: break;
            }
            if (!definition->Unit.empty()) {
                display += QString::fromStdWString(definition->Unit);
            }
            auto item = std::make_shared<GeneralConditionValueItem>();
            item->Tag = QVariant(QString::fromStdWString(option->Code()));
            item->SetDisplayName(QString::fromStdWString(option->Name()));
            item->SetDisplayValue(display);
            items.push_back(item);
        }
    }
    m_valuesPane->SetConditionValues(items);
    m_valuesPane->AdjustHeightToContent();
}

void PlazaPageConditions::RemoveConditionValue(const QString& code)
{
    if (m_conditions.count(code.toStdWString()) > 0) {
        m_filtersPane->ResumeConditionFilter(QVariant(code));
    }
}

} // namespace vela
