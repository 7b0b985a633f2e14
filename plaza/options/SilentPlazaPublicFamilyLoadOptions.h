#pragma once

#include "IVelaFamilyLoadOptions.h"
#include "plaza_export.h"

#include <cstdint>

namespace vela {

// Answers every name conflict with a fixed action, without asking.
class PLAZA_EXPORT SilentPlazaPublicFamilyLoadOptions : public IVelaFamilyLoadOptions
{
public:
    explicit SilentPlazaPublicFamilyLoadOptions(int32_t mode);

    std::shared_ptr<tarn::IFamilyLoadOptions> GetFamilyLoadOptions(FamilyConflictAction& action,
                                                                   const FamilyConflictInfo& info) override;

private:
    int32_t m_mode;
};

} // namespace vela
