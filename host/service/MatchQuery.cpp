#include "MatchQuery.h"

#include "CatalogSchema.h"
#include "CatalogSnapshot.h"
#include "QueryText.h"
#include "WideText.h"

#include <QCoreApplication>
#include <QHash>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace vela {

namespace {

// Texts a person may read, in the interface language of the catalog backend.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(vela::SqliteCatalogBackend)
};

std::wstring Text(const QString& text)
{
    return text.toStdWString();
}

QString Q(const std::wstring& text)
{
    return WideText::ToQString(text);
}

bool ParseNumber(const std::wstring& text, bool allowLogic, double& out)
{
    const QString value = Q(text).trimmed();
    if (allowLogic) {
        const QString lower = value.toLower();
        if (lower == QLatin1String("true") || value == QStringLiteral("是")) {
            out = 1;
            return true;
        }
        if (lower == QLatin1String("false") || value == QStringLiteral("否")) {
            out = 0;
            return true;
        }
    }
    bool ok = false;
    out = value.toDouble(&ok);
    return ok && std::isfinite(out);
}

std::wstring MakeCondition(const ConditionFilterOption& option, const CatalogSnapshot& snapshot,
                           MatchQuery::Condition& condition, bool& known)
{
    if (option.Code().empty()) {
        return Texts::tr("条件缺少属性编码").toStdWString();
    }
    const auto pid = snapshot.PropertyIds.constFind(Q(option.Code()));
    known = pid != snapshot.PropertyIds.cend();
    condition.Pid = known ? *pid : 0;

    if (option.ValueType == ConditionFilterOption::Enumeration) {
        if (option.Operator != ConditionFilterOption::Equal) {
            return Text(Texts::tr("枚举条件不支持运算符 %1").arg(option.Operator));
        }
        condition.Column = QStringLiteral("text");
        condition.Predicate = QStringLiteral("%1.text = ?");
        condition.Values << Q(option.Value());
        condition.Equality = true;
        return {};
    }
    if (option.ValueType != ConditionFilterOption::IntegerOrBoolean
        && option.ValueType != ConditionFilterOption::Number) {
        return Text(Texts::tr("不支持的条件值类型 %1").arg(option.ValueType));
    }
    condition.Column = QStringLiteral("number");
    const bool logic = option.ValueType == ConditionFilterOption::IntegerOrBoolean;
    const auto number = [&](const std::wstring& text, double& out) -> std::wstring {
        if (!ParseNumber(text, logic, out)) {
            return Text(Texts::tr("条件值“%1”不是数值").arg(Q(text)));
        }
        return {};
    };
    double value = 0;
    double from = 0;
    double to = 0;
    std::wstring error;
    switch (option.Operator) {
    case ConditionFilterOption::Equal:
    case ConditionFilterOption::Greater:
    case ConditionFilterOption::GreaterOrEqual:
    case ConditionFilterOption::Less:
    case ConditionFilterOption::LessOrEqual: {
        error = number(option.Value(), value);
        if (!error.empty()) {
            return error;
        }
        static const QHash<int, QString> comparisons = {
            {ConditionFilterOption::Equal, QStringLiteral("=")},
            {ConditionFilterOption::Greater, QStringLiteral(">")},
            {ConditionFilterOption::GreaterOrEqual, QStringLiteral(">=")},
            {ConditionFilterOption::Less, QStringLiteral("<")},
            {ConditionFilterOption::LessOrEqual, QStringLiteral("<=")},
        };
        condition.Predicate = QStringLiteral("%1.number ") + comparisons.value(option.Operator) + QStringLiteral(" ?");
        condition.Values << value;
        condition.Equality = option.Operator == ConditionFilterOption::Equal;
        return {};
    }
    case ConditionFilterOption::BetweenExclusive:
    case ConditionFilterOption::Between:
        error = number(option.FromValue(), from);
        if (error.empty()) {
            error = number(option.ToValue(), to);
        }
        if (!error.empty()) {
            return error;
        }
        condition.Predicate = option.Operator == ConditionFilterOption::Between
                                  ? QStringLiteral("%1.number >= ? AND %1.number <= ?")
                                  : QStringLiteral("%1.number > ? AND %1.number < ?");
        condition.Values << from << to;
        return {};
    default:
        return Text(Texts::tr("不支持的条件运算符 %1").arg(option.Operator));
    }
}

QString ValueKey(const QVariant& value)
{
    if (value.type() == QVariant::Double) {
        return QString::number(value.toDouble(), 'g', 17);
    }
    return value.toString();
}

} // namespace

QString MatchQuery::Key() const
{
    // Unit separators keep the parts apart whatever the keyword and values hold.
    const QChar separator(0x1F);
    QStringList conditions;
    for (const Condition& condition : Filters) {
        QStringList parts{QString::number(condition.Pid), condition.Predicate};
        for (const QVariant& value : condition.Values) {
            parts << ValueKey(value);
        }
        conditions << parts.join(separator);
    }
    // Conditions narrow each other in any order.
    conditions.sort();
    return QStringList{QString::number(int(Keyword)), ValueKey(KeywordKey), QString::number(MatchesNothing),
                       conditions.join(QChar(0x1E))}
        .join(QChar(0x1D));
}

std::wstring MatchQuery::Make(const std::wstring& rawKeyword, const vela::Conditions& rawConditions,
                              const CatalogSnapshot& snapshot, MatchQuery& out)
{
    const std::wstring keyword = QueryText::Normalize(rawKeyword);
    for (const std::shared_ptr<ConditionFilterOption>& option : QueryText::NormalizeConditions(rawConditions)) {
        if (!option) {
            continue;
        }
        Condition condition;
        bool known = false;
        const std::wstring error = MakeCondition(*option, snapshot, condition, known);
        if (!error.empty()) {
            return error;
        }
        out.MatchesNothing = out.MatchesNothing || !known;
        out.Filters.append(condition);
    }
    // Equalities first, otherwise as given.
    std::stable_sort(out.Filters.begin(), out.Filters.end(),
                     [](const Condition& a, const Condition& b) { return a.Equality && !b.Equality; });

    const QString folded = CatalogSchema::Fold(Q(keyword));
    const QVector<uint> points = folded.toUcs4();
    if (points.size() == 1) {
        out.Keyword = KeywordKind::Gram;
        out.KeywordKey = CatalogSchema::GramCode(points[0]);
    } else if (points.size() == 2) {
        out.Keyword = KeywordKind::Gram;
        out.KeywordKey = CatalogSchema::GramCode(points[0], points[1]);
    } else if (points.size() > 2) {
        // One FTS5 string: the trigram tokenizer takes it as a phrase, quotes doubled.
        out.Keyword = KeywordKind::Trigram;
        QString phrase = folded;
        phrase.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        out.KeywordKey = QStringLiteral("\"%1\"").arg(phrase);
    }
    return {};
}

} // namespace vela
