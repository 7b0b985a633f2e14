#pragma once

#include <QtGlobal>

#include <cstdint>
#include <vector>

namespace vela {

// The components matching one query inside one seq range, as their seqs in
// ascending (catalog) order. Four bytes a match, so a few of them fit in a
// small cache even for keywords that match a third of a large catalog.
class MatchSet
{
public:
    MatchSet(qint64 first, qint64 last, std::vector<int32_t> seqs);

    qint64 First() const { return m_first; }
    qint64 Last() const { return m_last; }
    const std::vector<int32_t>& Seqs() const { return m_seqs; }
    qint64 Bytes() const { return qint64(m_seqs.capacity() * sizeof(int32_t)) + qint64(sizeof(MatchSet)); }

    // Whether the set holds every match of [first, last], so it can answer for it.
    bool Covers(qint64 first, qint64 last) const { return m_first <= first && last <= m_last; }
    // The positions [begin, end) of the matches inside [first, last].
    std::pair<size_t, size_t> Span(qint64 first, qint64 last) const;
    bool AnyIn(qint64 first, qint64 last) const;

private:
    qint64 m_first = 0;
    qint64 m_last = -1;
    std::vector<int32_t> m_seqs;
};

} // namespace vela
