#pragma once

#include <string>
#include <utility>

namespace vela {

// Whether one public component already exists in a collaboration project.
class PublicComponentRepeatCheck
{
public:
    PublicComponentRepeatCheck(std::wstring publicComponentId, bool existedInProject)
        : m_publicComponentId(std::move(publicComponentId))
        , m_existedInProject(existedInProject)
    {
    }

    std::wstring PublicComponentId() const { return m_publicComponentId; }
    bool IsExistedInProject() const { return m_existedInProject; }

private:
    std::wstring m_publicComponentId;
    bool m_existedInProject;
};

} // namespace vela
