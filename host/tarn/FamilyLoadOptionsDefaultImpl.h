#pragma once

#include "IFamilyLoadOptions.h"
#include "tarn_export.h"

namespace tarn {

// Load options that never pick a replacement type: instances of a type the
// new family lacks are deleted by an overwrite.
class TARN_EXPORT FamilyLoadOptionsDefaultImpl : public IFamilyLoadOptions
{
public:
    explicit FamilyLoadOptionsDefaultImpl(FamilyFoundStrategy strategy);

    UniIdentity ChooseReplacementType(const std::wstring& typeName, int32_t instanceCount,
                                      const std::vector<IFamilyType*>& candidates) override;
    bool TryChooseReplacementType(const std::wstring& typeName, int32_t instanceCount,
                                  const std::vector<IFamilyType*>& candidates, UniIdentity& chosen) override;
    int GetFamilyFoundStrategy() override;

private:
    FamilyFoundStrategy m_strategy;
};

} // namespace tarn
