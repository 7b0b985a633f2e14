#include "FamilyType.h"

#include <utility>

namespace tarn {

FamilyType::FamilyType(std::wstring name, UniIdentity identity, QVector<ComponentFile::Parameter> parameters)
    : m_name(std::move(name))
    , m_identity(std::move(identity))
    , m_parameters(std::move(parameters))
{
}

std::wstring FamilyType::GetName() const
{
    return m_name;
}

UniIdentity FamilyType::GetUniIdentity() const
{
    return m_identity;
}

const QVector<ComponentFile::Parameter>& FamilyType::Parameters() const
{
    return m_parameters;
}

} // namespace tarn
