#pragma once

#include <QString>

#include <string>

namespace vela {

// Turns the URLs a catalog stores (paths relative to its folder, as the
// writer writes them, or absolute URLs) into the URLs records carry.
class CatalogUrlResolver
{
public:
    explicit CatalogUrlResolver(const QString& folder = QString());

    // Empty for an empty text and for a path that leaves the catalog folder.
    std::wstring Resolve(const QString& stored) const;

private:
    QString m_folder;
    // "file:///.../" of the folder, encoded, for joining plain relative paths.
    std::wstring m_folderUrl;
};

} // namespace vela
