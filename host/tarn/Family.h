#pragma once

#include "ComponentFile.h"
#include "FamilyType.h"
#include "RuntimeId.h"
#include "tarn_export.h"

#include <memory>
#include <string>
#include <vector>

namespace tarn {

// A family loaded into a document: the types of one component file under the
// name it has in that document (which differs from the file's after a rename).
class TARN_EXPORT Family
{
public:
    // Every type of `source` gets a fresh identity.
    Family(std::wstring name, std::shared_ptr<const ComponentFile> source);
    Family(const Family&) = delete;
    Family& operator=(const Family&) = delete;

    RuntimeId GetRuntimeId() const;
    std::wstring GetName() const;
    QString CategoryCode() const;
    const std::vector<std::unique_ptr<FamilyType>>& Types() const;
    // The types as the load options see them.
    std::vector<IFamilyType*> TypeCandidates() const;
    const FamilyType* FindType(const std::wstring& name) const;
    const FamilyType* FindType(const UniIdentity& identity) const;
    // The file the family came from: geometry for previews and placing.
    const std::shared_ptr<const ComponentFile>& Source() const;

private:
    RuntimeId m_runtimeId;
    std::wstring m_name;
    std::shared_ptr<const ComponentFile> m_source;
    std::vector<std::unique_ptr<FamilyType>> m_types;
};

} // namespace tarn
