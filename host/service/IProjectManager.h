#pragma once

#include "vela_service_export.h"

#include <string>

namespace vela {

// The user's collaboration projects as the host knows them.
class VELA_SERVICE_EXPORT IProjectManager
{
public:
    static IProjectManager* Get();

    // The project's name, or an empty text when it is unknown.
    std::wstring TryGetCurrentProjectNameById(const std::wstring& projectId);

private:
    IProjectManager() = default;
};

} // namespace vela
