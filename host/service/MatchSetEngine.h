#pragma once

#include "MatchQuery.h"
#include "MatchSet.h"

#include <memory>
#include <string>

class QSqlDatabase;

namespace vela {

struct CatalogSnapshot;

// Finds the seqs of the components matching a query inside a seq range: each
// condition read from its value index (or its property's values in seq order
// in an older catalog), the keyword from its gram or trigram index, each
// narrowed to the span of what the ones before it left, and intersected.
// Every read is an index range, so the cost follows the matches, not the
// catalog; nothing is probed row by row.
class MatchSetEngine
{
public:
    static std::wstring Compute(QSqlDatabase& db, const CatalogSnapshot& snapshot, const MatchQuery& query,
                                qint64 first, qint64 last, std::shared_ptr<const MatchSet>& out);
};

} // namespace vela
