#include "MatchSet.h"

#include <algorithm>
#include <limits>

namespace vela {

namespace {

int32_t Clamp(qint64 seq)
{
    return int32_t(std::clamp<qint64>(seq, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

} // namespace

MatchSet::MatchSet(qint64 first, qint64 last, std::vector<int32_t> seqs)
    : m_first(first)
    , m_last(last)
    , m_seqs(std::move(seqs))
{
    m_seqs.shrink_to_fit();
}

std::pair<size_t, size_t> MatchSet::Span(qint64 first, qint64 last) const
{
    if (last < first) {
        return {0, 0};
    }
    const auto begin = std::lower_bound(m_seqs.begin(), m_seqs.end(), Clamp(first));
    const auto end = std::upper_bound(begin, m_seqs.end(), Clamp(last));
    return {size_t(begin - m_seqs.begin()), size_t(end - m_seqs.begin())};
}

bool MatchSet::AnyIn(qint64 first, qint64 last) const
{
    const auto span = Span(first, last);
    return span.first < span.second;
}

} // namespace vela
