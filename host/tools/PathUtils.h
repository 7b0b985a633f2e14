#pragma once

#include "vela_tools_export.h"

#include <string>

namespace vela {

// Where downloaded files live. Every path is inside the user's cache folder,
// named after a hash of its key, so no key can point outside that folder.
class VELA_TOOLS_EXPORT PathUtils
{
public:
    // The cache folder of this application (created on demand).
    static std::wstring GetCacheFolder();

    // The file a thumbnail or legend image downloaded from `key` (its URL) is stored in.
    static std::wstring GetThumbnailDownloadFilePath(const std::wstring& key, const std::wstring& extension);

    // The file a component file downloaded from `key` (its URL) is stored in.
    static std::wstring GetComponentDownloadFilePath(const std::wstring& key, const std::wstring& extension);
};

} // namespace vela
