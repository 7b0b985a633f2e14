#pragma once

#include <cstdint>
#include <string>

namespace vela {

// What the load options are told when a loaded family's name is already taken.
struct FamilyConflictInfo
{
    std::wstring ExistingName;
    std::wstring RenamedName;
    bool HasInstancesInCanvas = false;
};

// The answer of the load options to a name conflict.
enum class FamilyConflictAction : int32_t
{
    Rename = 1,
    Overwrite = 2,
    Cancel = 3,
};

} // namespace vela
