#pragma once

#include "CatalogBackend.h"

#include <QString>
#include <QVariant>
#include <QVector>

#include <string>

namespace vela {

struct CatalogSnapshot;

// What a component query asks of the catalog apart from its place (category
// range) and its page: the keyword and the property conditions, checked and
// turned into index keys and value predicates.
class MatchQuery
{
public:
    enum class KeywordKind { None, Gram, Trigram };

    // One property condition as a predicate over component_values.
    struct Condition
    {
        qint64 Pid = 0;
        // "text" or "number": the column, and so the value index, it reads.
        QString Column;
        // Uses %1 for the table alias.
        QString Predicate;
        QVariantList Values;
        // Equality narrows most, so it is read first.
        bool Equality = false;
    };

    KeywordKind Keyword = KeywordKind::None;
    // A gram code (Gram) or an FTS5 phrase (Trigram).
    QVariant KeywordKey;
    QVector<Condition> Filters;
    // A condition names a property the catalog does not have.
    bool MatchesNothing = false;

    bool Unfiltered() const { return Keyword == KeywordKind::None && Filters.isEmpty() && !MatchesNothing; }

    // Equal for queries that match the same components.
    QString Key() const;

    // Keyword and conditions are cleaned here too: whatever the caller passes,
    // a NUL or a stray control character never reaches the query text. An
    // empty result means `out` is ready; otherwise it is the message for the user.
    static std::wstring Make(const std::wstring& keyword, const vela::Conditions& conditions,
                             const CatalogSnapshot& snapshot, MatchQuery& out);
};

} // namespace vela
