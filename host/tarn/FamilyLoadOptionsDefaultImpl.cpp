#include "FamilyLoadOptionsDefaultImpl.h"

namespace tarn {

FamilyLoadOptionsDefaultImpl::FamilyLoadOptionsDefaultImpl(FamilyFoundStrategy strategy)
    : m_strategy(strategy)
{
}

UniIdentity FamilyLoadOptionsDefaultImpl::ChooseReplacementType(const std::wstring&, int32_t,
                                                                const std::vector<IFamilyType*>&)
{
    return UniIdentity();
}

bool FamilyLoadOptionsDefaultImpl::TryChooseReplacementType(const std::wstring&, int32_t,
                                                            const std::vector<IFamilyType*>&, UniIdentity& chosen)
{
    chosen = UniIdentity();
    return true;
}

int FamilyLoadOptionsDefaultImpl::GetFamilyFoundStrategy()
{
    return m_strategy;
}

} // namespace tarn
