#pragma once

#include "vela_core_export.h"

#include <string>

namespace vela {

// What a caller passes when it asks for public components to be added into a project.
class VELA_CORE_EXPORT InternalAddComponentOptions
{
public:
    explicit InternalAddComponentOptions(std::wstring projectId = {});

    std::wstring ProjectId() const;

private:
    std::wstring m_projectId;
};

} // namespace vela
