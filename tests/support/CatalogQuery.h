#pragma once

#include "CatalogBackend.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace vela::test {

// A condition as the filter panel builds it.
inline std::shared_ptr<ConditionFilterOption> Condition(const QString& code, int op, int type, const QString& value,
                                                        const QString& from = QString(), const QString& to = QString())
{
    auto option = std::make_shared<ConditionFilterOption>();
    option->SetCode(code.toStdWString());
    option->SetValue(value.toStdWString());
    option->SetFromValue(from.toStdWString());
    option->SetToValue(to.toStdWString());
    option->Operator = op;
    option->ValueType = type;
    return option;
}

// The component ids of a page, in its order.
inline QStringList Ids(const ComponentPage& page)
{
    QStringList ids;
    for (const auto& component : page->Data) {
        ids << QString::fromStdWString(component->Id);
    }
    return ids;
}

} // namespace vela::test
