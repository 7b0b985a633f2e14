#include "QueryText.h"

#include "WideText.h"

#include <QString>

namespace vela {

std::wstring QueryText::Normalize(const std::wstring& text)
{
    const QString wide = WideText::ToQString(text);
    QString kept;
    kept.reserve(wide.size());
    for (const QChar c : wide) {
        if (c.category() == QChar::Other_Control || c == QChar(0xFEFF)) {
            continue;
        }
        kept.append(c);
    }
    return kept.trimmed().toStdWString();
}

Conditions QueryText::NormalizeConditions(const Conditions& conditions)
{
    Conditions normalized;
    normalized.reserve(conditions.size());
    for (const std::shared_ptr<ConditionFilterOption>& condition : conditions) {
        if (!condition) {
            continue;
        }
        auto copy = std::make_shared<ConditionFilterOption>(*condition);
        copy->SetValue(Normalize(condition->Value()));
        copy->SetFromValue(Normalize(condition->FromValue()));
        copy->SetToValue(Normalize(condition->ToValue()));
        normalized.push_back(copy);
    }
    return normalized;
}

} // namespace vela
