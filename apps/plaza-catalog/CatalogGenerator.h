#pragma once

#include <QString>

#include <cstdint>

namespace vela {

// A leaf given a fixed share of a synthetic catalog's components.
struct CrowdedLeaf
{
    QString LeafCode = QStringLiteral("A0101");
    // 0 spreads every component by the sample's weights.
    double Share = 0;
};

// Builds catalog folders: the sample catalog that ships with the build, and
// synthetic catalogs of any size for benchmarks. Both are deterministic: the
// same seed gives the same catalog.
class CatalogGenerator
{
public:
    static constexpr uint64_t SampleSeed = 20240607;

    // Every component of the sample library with its drawn thumbnails,
    // legends and component file.
    static bool BuildSample(const QString& folder, QString* error);

    // `count` components spread over the sample library's tree; they share
    // the sample's images, files and details.
    static bool BuildSynthetic(const QString& folder, qint64 count, uint64_t seed, QString* error,
                               const CrowdedLeaf& crowding = {});
};

} // namespace vela
