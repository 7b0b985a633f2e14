#include "SilentPlazaPublicFamilyLoadOptions.h"

#include "FamilyLoadOptionsDefaultImpl.h"
#include "FamilyOverwriteOptions.h"

namespace vela {

SilentPlazaPublicFamilyLoadOptions::SilentPlazaPublicFamilyLoadOptions(int32_t mode)
    : m_mode(mode)
{
}

std::shared_ptr<tarn::IFamilyLoadOptions> SilentPlazaPublicFamilyLoadOptions::GetFamilyLoadOptions(
    FamilyConflictAction& action, const FamilyConflictInfo&)
{
    action = static_cast<FamilyConflictAction>(m_mode);
    if (m_mode == 1) {
        return std::make_shared<tarn::FamilyLoadOptionsDefaultImpl>(tarn::FamilyFoundStrategy(0));
    }
    if (m_mode == 2) {
        return std::make_shared<FamilyOverwriteOptions>(1);
    }
    return nullptr;
}

} // namespace vela
