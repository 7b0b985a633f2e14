#pragma once

#include "IFamilyType.h"
#include "UniIdentity.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarn {

// What a load does when the document already holds a family of the same name.
enum FamilyFoundStrategy : int32_t
{
    // Keep the existing family; the loaded one is renamed.
    KeepExistingAndRename = 0,
    // The loaded family replaces the existing one.
    OverwriteExisting = 1,
};

// Asked by a load that overwrites a family: which of the new family's types
// replaces an existing type the new family lacks.
class IFamilyLoadOptions
{
public:
    virtual UniIdentity ChooseReplacementType(const std::wstring& typeName, int32_t instanceCount,
                                              const std::vector<IFamilyType*>& candidates) = 0;
    // Stores the choice in `chosen`; true when nothing was chosen.
    virtual bool TryChooseReplacementType(const std::wstring& typeName, int32_t instanceCount,
                                          const std::vector<IFamilyType*>& candidates, UniIdentity& chosen) = 0;
    virtual int GetFamilyFoundStrategy() = 0;
    virtual ~IFamilyLoadOptions() = default;
};

} // namespace tarn
