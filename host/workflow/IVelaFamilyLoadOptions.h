#pragma once

#include "FamilyConflictInfo.h"
#include "IFamilyLoadOptions.h"

#include <memory>

namespace vela {

// Answers a load's name conflict: sets the action and returns the host load
// options that carry it out (null with Cancel).
class IVelaFamilyLoadOptions
{
public:
    IVelaFamilyLoadOptions() = default;
    virtual std::shared_ptr<tarn::IFamilyLoadOptions> GetFamilyLoadOptions(FamilyConflictAction& action,
                                                                           const FamilyConflictInfo& info) = 0;
    virtual ~IVelaFamilyLoadOptions() = default;
};

} // namespace vela
