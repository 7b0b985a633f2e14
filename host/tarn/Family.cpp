#include "Family.h"

#include <utility>

namespace tarn {

Family::Family(std::wstring name, std::shared_ptr<const ComponentFile> source)
    : m_runtimeId(RuntimeId::Next())
    , m_name(std::move(name))
    , m_source(std::move(source))
{
    if (!m_source) {
        return;
    }
    m_types.reserve(static_cast<size_t>(m_source->Types.size()));
    for (const ComponentFile::Type& type : m_source->Types) {
        m_types.push_back(
            std::make_unique<FamilyType>(type.Name.toStdWString(), UniIdentity::Create(), type.Parameters));
    }
}

RuntimeId Family::GetRuntimeId() const
{
    return m_runtimeId;
}

std::wstring Family::GetName() const
{
    return m_name;
}

QString Family::CategoryCode() const
{
    return m_source ? m_source->CategoryCode : QString();
}

const std::vector<std::unique_ptr<FamilyType>>& Family::Types() const
{
    return m_types;
}

std::vector<IFamilyType*> Family::TypeCandidates() const
{
    std::vector<IFamilyType*> candidates;
    candidates.reserve(m_types.size());
    for (const std::unique_ptr<FamilyType>& type : m_types) {
        candidates.push_back(type.get());
    }
    return candidates;
}

const FamilyType* Family::FindType(const std::wstring& name) const
{
    for (const std::unique_ptr<FamilyType>& type : m_types) {
        if (type->GetName() == name) {
            return type.get();
        }
    }
    return nullptr;
}

const FamilyType* Family::FindType(const UniIdentity& identity) const
{
    for (const std::unique_ptr<FamilyType>& type : m_types) {
        if (type->GetUniIdentity() == identity) {
            return type.get();
        }
    }
    return nullptr;
}

const std::shared_ptr<const ComponentFile>& Family::Source() const
{
    return m_source;
}

} // namespace tarn
