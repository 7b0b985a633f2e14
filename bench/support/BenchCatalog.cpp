#include "BenchCatalog.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace vela::bench {

bool ExecBound(QSqlQuery& query, const QString& sql, const QVariantList& values, QString* error)
{
    query.setForwardOnly(true);
    bool ok = query.prepare(sql);
    for (int i = 0; ok && i < values.size(); ++i) {
        query.bindValue(i, values[i]);
    }
    ok = ok && query.exec();
    if (!ok && error) {
        *error = query.lastError().text();
    }
    return ok;
}

QString BenchCatalog::Error() const
{
    return m_error;
}

BenchCategory BenchCatalog::Of(const QString& code) const
{
    return Categories.value(code);
}

std::vector<std::shared_ptr<ConditionFilterOption>> BenchCatalog::Options() const
{
    std::vector<std::shared_ptr<ConditionFilterOption>> options;
    for (const BenchCondition& condition : Conditions) {
        options.push_back(condition.Option);
    }
    return options;
}

bool BenchCatalog::Read(QSqlDatabase& db, const QString& leafCode)
{
    QSqlQuery query(db);
    if (!ExecBound(query,
                   QStringLiteral("SELECT code, name, parent_code, first_seq, last_seq, component_count, leaf "
                                  "FROM categories ORDER BY position"),
                   {}, &m_error)) {
        return false;
    }
    BenchCategory largest;
    while (query.next()) {
        const BenchCategory category{query.value(0).toString(),   query.value(1).toString(),
                                     query.value(2).toString(),   query.value(3).toLongLong(),
                                     query.value(4).toLongLong(), query.value(5).toLongLong()};
        Categories.insert(category.Code, category);
        if (query.value(6).toInt() != 0 && category.Count > largest.Count) {
            largest = category;
        }
    }
    Leaf = Of(leafCode).Count > 0 ? Of(leafCode) : largest;
    if (Leaf.Count == 0) {
        m_error = QStringLiteral("the catalog has no components");
        return false;
    }
    // Each on its own: min() and max() are only instant alone.
    qint64* targets[] = {&First, &Last, &Count};
    const QString range[] = {QStringLiteral("SELECT min(seq) FROM components"),
                             QStringLiteral("SELECT max(seq) FROM components"),
                             QStringLiteral("SELECT value FROM meta WHERE key = 'component_count'")};
    for (int i = 0; i < 3; ++i) {
        if (!ExecBound(query, range[i], {}, &m_error) || !query.next()) {
            return false;
        }
        *targets[i] = query.value(0).toLongLong();
    }
    // The discipline: the child of the root on the leaf's path.
    Discipline = Leaf;
    while (!Of(Discipline.Parent).Parent.isEmpty()) {
        Discipline = Of(Discipline.Parent);
    }
    return ReadConditions(db);
}

bool BenchCatalog::ReadConditions(QSqlDatabase& db)
{
    QSqlQuery query(db);
    const QString firstProperty = QStringLiteral("SELECT p.pid, p.code, p.name, p.type FROM category_properties AS cp "
                                                 "JOIN properties AS p ON p.pid = cp.pid WHERE cp.category_code = ? "
                                                 "AND p.type IN (%1) ORDER BY cp.position LIMIT 1");
    if (!ExecBound(query, firstProperty.arg(QStringLiteral("'Enum'")), {Leaf.Code}, &m_error) || !query.next()) {
        m_error = QStringLiteral("leaf %1 has no enumerated property %2").arg(Leaf.Code, m_error);
        return false;
    }
    BenchCondition choice;
    choice.Pid = query.value(0).toLongLong();
    const QString choiceCode = query.value(1).toString();
    choice.PropertyName = query.value(2).toString();
    if (!ExecBound(query,
                   QStringLiteral("SELECT v.text, (SELECT text FROM property_choices WHERE pid = v.pid AND value = v.text) "
                                  "FROM component_values AS v WHERE v.pid = ? AND v.seq BETWEEN ? AND ? "
                                  "GROUP BY v.text ORDER BY count(*) DESC, v.text LIMIT 1"),
                   {choice.Pid, Leaf.First, Leaf.Last}, &m_error)
        || !query.next()) {
        return false;
    }
    const QString value = query.value(0).toString();
    choice.Option = std::make_shared<ConditionFilterOption>();
    choice.Option->SetCode(choiceCode.toStdWString());
    choice.Option->SetName(choice.PropertyName.toStdWString());
    choice.Option->SetValue(value.toStdWString());
    choice.Option->Operator = ConditionFilterOption::Equal;
    choice.Option->ValueType = ConditionFilterOption::Enumeration;
    choice.Predicate = QStringLiteral("%1.text = ?");
    choice.Values = {value};
    choice.Label = choice.PropertyName + QStringLiteral(" = ") + query.value(1).toString();

    if (!ExecBound(query, firstProperty.arg(QStringLiteral("'Number', 'Int'")), {Leaf.Code}, &m_error)
        || !query.next()) {
        m_error = QStringLiteral("leaf %1 has no numeric property %2").arg(Leaf.Code, m_error);
        return false;
    }
    BenchCondition range;
    range.Pid = query.value(0).toLongLong();
    const QString rangeCode = query.value(1).toString();
    range.PropertyName = query.value(2).toString();
    const bool integer = query.value(3).toString() == QLatin1String("Int");
    double bounds[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        if (!ExecBound(query,
                       QStringLiteral("SELECT number FROM component_values WHERE pid = ? AND seq BETWEEN ? AND ? "
                                      "ORDER BY number LIMIT 1 OFFSET ?"),
                       {range.Pid, Leaf.First, Leaf.Last, Leaf.Count * (1 + 2 * i) / 4}, &m_error)
            || !query.next()) {
            return false;
        }
        bounds[i] = query.value(0).toDouble();
    }
    range.Option = std::make_shared<ConditionFilterOption>();
    range.Option->SetCode(rangeCode.toStdWString());
    range.Option->SetName(range.PropertyName.toStdWString());
    range.Option->SetFromValue(QString::number(bounds[0]).toStdWString());
    range.Option->SetToValue(QString::number(bounds[1]).toStdWString());
    range.Option->Operator = ConditionFilterOption::Between;
    range.Option->ValueType = integer ? ConditionFilterOption::IntegerOrBoolean : ConditionFilterOption::Number;
    range.Predicate = QStringLiteral("%1.number >= ? AND %1.number <= ?");
    range.Values = {bounds[0], bounds[1]};
    range.Label = QStringLiteral("%1 %2–%3").arg(range.PropertyName).arg(bounds[0]).arg(bounds[1]);
    Conditions = {choice, range};
    return true;
}

} // namespace vela::bench
