#pragma once

#include "IFamilyLoadOptions.h"
#include "plaza_export.h"

#include <cstdint>

namespace vela {

// Host load options for an overwrite: asks the user which new type replaces
// a type the overwriting component lacks.
class PLAZA_EXPORT FamilyOverwriteOptions : public tarn::IFamilyLoadOptions
{
public:
    explicit FamilyOverwriteOptions(int32_t strategy);

    tarn::UniIdentity ChooseReplacementType(const std::wstring& typeName, int32_t instanceCount,
                                            const std::vector<tarn::IFamilyType*>& candidates) override;
    bool TryChooseReplacementType(const std::wstring& typeName, int32_t instanceCount,
                                  const std::vector<tarn::IFamilyType*>& candidates,
                                  tarn::UniIdentity& chosen) override;
    int GetFamilyFoundStrategy() override;

private:
    int32_t m_strategy;
};

} // namespace vela
