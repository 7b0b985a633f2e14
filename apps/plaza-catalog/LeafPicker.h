#pragma once

#include "Random.h"

#include <QVector>

namespace vela {

// Chooses the leaf of each synthetic component in turn. By default leaves are
// drawn by their weights; a crowded leaf can instead be given an exact share
// of all components (spread evenly through the sequence), the others then
// drawn by weight among themselves, so that a benchmark can build the worst
// case of one leaf holding a large part of the library.
class LeafPicker
{
public:
    // `weights` holds one positive weight per leaf; `count` is how many
    // components will be picked. A `crowdedLeaf` below zero or a share of 0
    // keeps the plain weighted draw, the very sequence of earlier catalogs.
    LeafPicker(const QVector<int>& weights, qint64 count, int crowdedLeaf = -1, double share = 0);

    int Next(Random& random);

    // How many of the `count` components go to the crowded leaf by its share.
    qint64 CrowdedCount() const;

private:
    QVector<int> m_bounds;
    int m_totalWeight = 0;
    qint64 m_count = 0;
    qint64 m_crowded = 0;
    int m_crowdedLeaf = -1;
    qint64 m_picked = 0;
};

} // namespace vela
