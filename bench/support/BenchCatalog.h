#pragma once

#include "ConditionFilterOption.h"

#include <QHash>
#include <QSqlQuery>
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>
#include <QVector>

#include <memory>

namespace vela::bench {

// One property condition as the service gets it and as SQL over an alias of
// component_values.
struct BenchCondition
{
    std::shared_ptr<ConditionFilterOption> Option;
    QString PropertyName;
    qint64 Pid = 0;
    // Uses %1 for the alias.
    QString Predicate;
    QVariantList Values;
    // "材质 = 钢质", "洞口宽度 800–1200".
    QString Label;
};

struct BenchCategory
{
    QString Code;
    QString Name;
    QString Parent;
    qint64 First = 0;
    qint64 Last = -1;
    qint64 Count = 0;
};

// What the benchmarks need to know of one catalog, read once on a connection
// of the caller's: the tree, the seq range, the leaf the conditions belong to
// (the crowded leaf of a skewed catalog), the discipline holding it, and two
// conditions that match a good part of that leaf: its first enumerated
// property at its most common value and its first numeric property between
// the quartiles of its values.
class BenchCatalog
{
public:
    // `leafCode` when the catalog has that leaf, else its largest leaf.
    bool Read(QSqlDatabase& db, const QString& leafCode = QStringLiteral("A0101"));
    QString Error() const;

    BenchCategory Of(const QString& code) const;
    std::vector<std::shared_ptr<ConditionFilterOption>> Options() const;

    QHash<QString, BenchCategory> Categories;
    qint64 First = 0;
    qint64 Last = -1;
    qint64 Count = 0;
    BenchCategory Leaf;
    BenchCategory Discipline;
    QVector<BenchCondition> Conditions;

private:
    bool ReadConditions(QSqlDatabase& db);

    QString m_error;
};

// Prepares and runs `sql` with `values` bound in order; false with the reason in `error`.
bool ExecBound(QSqlQuery& query, const QString& sql, const QVariantList& values, QString* error = nullptr);

} // namespace vela::bench
