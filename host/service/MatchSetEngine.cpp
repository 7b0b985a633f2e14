#include "MatchSetEngine.h"

#include "CatalogSchema.h"
#include "CatalogSnapshot.h"
#include "SqliteStatement.h"

#include <QCoreApplication>
#include <QSqlDatabase>

#include <algorithm>
#include <iterator>
#include <limits>
#include <vector>

namespace vela {

namespace {

// Texts a person may read, in the interface language of the catalog backend.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(vela::SqliteCatalogBackend)
};

using Seqs = std::vector<int32_t>;

std::wstring SqlError(const QString& message)
{
    return Texts::tr("查询构件库失败：%1").arg(message).toStdWString();
}

// Runs a statement whose first column is a seq and collects it, sorted and unique.
std::wstring Collect(sqlite3* handle, const QString& sql, const QVariantList& values, Seqs& out)
{
    SqliteStatement statement(handle, sql);
    if (!statement.Bind(values)) {
        return SqlError(statement.Error());
    }
    while (statement.Next()) {
        out.push_back(int32_t(statement.Int64(0)));
    }
    if (!statement.Error().isEmpty()) {
        return SqlError(statement.Error());
    }
    // A range condition reads its value index in value order.
    if (!std::is_sorted(out.begin(), out.end())) {
        std::sort(out.begin(), out.end());
    }
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return {};
}

std::wstring ReadCondition(sqlite3* handle, const CatalogSnapshot& snapshot, const MatchQuery::Condition& condition,
                           qint64 first, qint64 last, Seqs& out)
{
    const bool text = condition.Column == QLatin1String("text");
    const bool indexed = text ? snapshot.HasTextIndex : snapshot.HasNumberIndex;
    const QString index = text ? CatalogSchema::TextValueIndex() : CatalogSchema::NumberValueIndex();
    const QString sql = QStringLiteral("SELECT d.seq FROM component_values AS d %1 WHERE d.pid = ? AND (%2) "
                                       "AND d.seq BETWEEN ? AND ?")
                            .arg(indexed ? QStringLiteral("INDEXED BY ") + index : QString(),
                                 condition.Predicate.arg(QStringLiteral("d")));
    QVariantList values{condition.Pid};
    values << condition.Values << first << last;
    return Collect(handle, sql, values, out);
}

std::wstring ReadKeyword(sqlite3* handle, const MatchQuery& query, qint64 first, qint64 last, Seqs& out)
{
    const QString sql = query.Keyword == MatchQuery::KeywordKind::Gram
                            ? QStringLiteral("SELECT seq FROM name_grams WHERE gram = ? AND seq BETWEEN ? AND ? "
                                             "ORDER BY seq")
                            : QStringLiteral("SELECT rowid FROM name_trigrams WHERE name_trigrams MATCH ? "
                                             "AND rowid BETWEEN ? AND ? ORDER BY rowid");
    return Collect(handle, sql, {query.KeywordKey, first, last}, out);
}

void Intersect(Seqs& into, const Seqs& other)
{
    Seqs both;
    both.reserve(std::min(into.size(), other.size()));
    std::set_intersection(into.begin(), into.end(), other.begin(), other.end(), std::back_inserter(both));
    into.swap(both);
}

} // namespace

std::wstring MatchSetEngine::Compute(QSqlDatabase& db, const CatalogSnapshot& snapshot, const MatchQuery& query,
                                     qint64 first, qint64 last, std::shared_ptr<const MatchSet>& out)
{
    sqlite3* handle = SqliteStatement::Handle(db);
    if (!handle) {
        return SqlError(QStringLiteral("no SQLite connection"));
    }
    if (last > std::numeric_limits<int32_t>::max()) {
        return SqlError(QStringLiteral("seq out of range"));
    }
    const qint64 rangeFirst = first;
    const qint64 rangeLast = last;
    Seqs matches;
    bool started = false;
    // Each read is limited to the span of the matches so far: a condition on a
    // leaf's property confines the keyword to that leaf.
    const auto narrow = [&](Seqs& next) {
        if (!started) {
            matches.swap(next);
            started = true;
        } else {
            Intersect(matches, next);
        }
        if (!matches.empty()) {
            first = matches.front();
            last = matches.back();
        }
    };
    if (!query.MatchesNothing && first <= last) {
        for (const MatchQuery::Condition& condition : query.Filters) {
            Seqs seqs;
            const std::wstring error = ReadCondition(handle, snapshot, condition, first, last, seqs);
            if (!error.empty()) {
                return error;
            }
            narrow(seqs);
            if (matches.empty()) {
                break;
            }
        }
        if (query.Keyword != MatchQuery::KeywordKind::None && (!started || !matches.empty())) {
            Seqs seqs;
            const std::wstring error = ReadKeyword(handle, query, first, last, seqs);
            if (!error.empty()) {
                return error;
            }
            narrow(seqs);
        }
    }
    out = std::make_shared<const MatchSet>(rangeFirst, rangeLast, std::move(matches));
    return {};
}

} // namespace vela
