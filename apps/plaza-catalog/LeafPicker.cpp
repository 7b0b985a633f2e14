#include "LeafPicker.h"

#include <algorithm>
#include <cmath>

namespace vela {

LeafPicker::LeafPicker(const QVector<int>& weights, qint64 count, int crowdedLeaf, double share)
    : m_count(std::max<qint64>(0, count))
{
    const bool crowding = crowdedLeaf >= 0 && crowdedLeaf < weights.size() && share > 0;
    if (crowding) {
        m_crowdedLeaf = crowdedLeaf;
        m_crowded = std::min(m_count, qint64(std::llround(std::min(1.0, share) * double(m_count))));
    }
    for (int leaf = 0; leaf < weights.size(); ++leaf) {
        // The crowded leaf gets its share only, never a draw on top of it.
        if (leaf != m_crowdedLeaf) {
            m_totalWeight += std::max(0, weights[leaf]);
        }
        m_bounds.append(m_totalWeight);
    }
}

qint64 LeafPicker::CrowdedCount() const
{
    return m_crowded;
}

int LeafPicker::Next(Random& random)
{
    const qint64 n = m_picked++;
    // Integer steps, so that exactly m_crowded of m_count land there whatever the share.
    if (m_crowded > 0 && n < m_count && (n + 1) * m_crowded / m_count > n * m_crowded / m_count) {
        return m_crowdedLeaf;
    }
    if (m_totalWeight <= 0) {
        return std::max(0, m_crowdedLeaf);
    }
    const int ticket = random.Int(0, m_totalWeight - 1);
    return int(std::upper_bound(m_bounds.begin(), m_bounds.end(), ticket) - m_bounds.begin());
}

} // namespace vela
