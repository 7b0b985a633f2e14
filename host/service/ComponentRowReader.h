#pragma once

#include "CatalogBackend.h"

#include <cstdint>
#include <string>

class QSqlDatabase;

namespace vela {

class CatalogUrlResolver;

// Builds the records of one page of components from their seqs, in seq
// order, straight from SQLite's text: one conversion a field.
class ComponentRowReader
{
public:
    // The components with seq in [first, last], skipping `offset`, at most `limit`.
    static std::wstring ReadRange(QSqlDatabase& db, const CatalogUrlResolver& urls, qint64 first, qint64 last,
                                  qint64 offset, qint64 limit, ComponentList& out);
    // The components of the ascending seqs [begin, end).
    static std::wstring ReadSeqs(QSqlDatabase& db, const CatalogUrlResolver& urls, const int32_t* begin,
                                 const int32_t* end, ComponentList& out);
};

} // namespace vela
