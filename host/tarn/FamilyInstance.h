#pragma once

#include "ComponentFile.h"
#include "RuntimeId.h"
#include "UniIdentity.h"

namespace tarn {

// A placed occurrence of a family type; the position is in millimetres.
struct FamilyInstance
{
    RuntimeId Id;
    UniIdentity Type;
    ComponentFile::Point3 Position{0, 0, 0};
};

} // namespace tarn
