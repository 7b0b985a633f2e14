#pragma once

#include "CatalogBackend.h"
#include "vela_service_export.h"

#include <string>

namespace vela {

// What a person typed or picked, made fit to search with: control characters
// (NUL among them) and byte order marks removed, surrounding white space
// trimmed. Done once, before any backend sees the text.
class VELA_SERVICE_EXPORT QueryText
{
public:
    static std::wstring Normalize(const std::wstring& text);
    // Copies of the conditions with Value, FromValue and ToValue normalised;
    // the caller's own options are left as they are. Null entries are dropped.
    static Conditions NormalizeConditions(const Conditions& conditions);
};

} // namespace vela
