#pragma once

#include <QJsonObject>
#include <QStringList>
#include <QVariant>

namespace vela::test {

// The named fields (without their "k_c_" prefix) of an analytics event joined by '|',
// a missing one as "(none)", so a test states an event's content in one comparison.
inline QString EventFields(const QJsonObject& event, const QStringList& names)
{
    QStringList values;
    for (const QString& name : names) {
        const QString key = QStringLiteral("k_c_") + name;
        values << (event.contains(key) ? event.value(key).toVariant().toString() : QStringLiteral("(none)"));
    }
    return values.join(QLatin1Char('|'));
}

} // namespace vela::test
