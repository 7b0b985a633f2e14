#pragma once

#include <QString>

#include <cstdint>

namespace vela {

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
    static bool BuildSynthetic(const QString& folder, qint64 count, uint64_t seed, QString* error);
};

} // namespace vela
