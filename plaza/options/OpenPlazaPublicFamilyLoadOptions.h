#pragma once

#include "IVelaFamilyLoadOptions.h"
#include "plaza_export.h"

namespace vela {

// Asks the user whether a component whose name is taken is renamed or overwrites.
class PLAZA_EXPORT OpenPlazaPublicFamilyLoadOptions : public IVelaFamilyLoadOptions
{
public:
    std::shared_ptr<tarn::IFamilyLoadOptions> GetFamilyLoadOptions(FamilyConflictAction& action,
                                                                   const FamilyConflictInfo& info) override;
};

} // namespace vela
