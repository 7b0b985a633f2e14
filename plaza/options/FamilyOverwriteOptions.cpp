#include "FamilyOverwriteOptions.h"

#include "FamilyOverwriteOptionsDialog.h"
#include "PlazaMainWindow.h"

namespace vela {

FamilyOverwriteOptions::FamilyOverwriteOptions(int32_t strategy)
    : m_strategy(strategy)
{
}

tarn::UniIdentity FamilyOverwriteOptions::ChooseReplacementType(const std::wstring& typeName, int32_t instanceCount,
                                                                const std::vector<tarn::IFamilyType*>& candidates)
{
    FamilyOverwriteOptionsDialog* dialog = FamilyOverwriteOptionsDialog::Instance(PlazaMainWindow::Get());
    const tarn::UniIdentity chosen = dialog->AskReplacementType(typeName, instanceCount, candidates);
    dialog->close();
    return chosen;
}

bool FamilyOverwriteOptions::TryChooseReplacementType(const std::wstring& typeName, int32_t instanceCount,
                                                      const std::vector<tarn::IFamilyType*>& candidates,
                                                      tarn::UniIdentity& chosen)
{
    chosen = ChooseReplacementType(typeName, instanceCount, candidates);
    return !chosen.IsValid();
}

int FamilyOverwriteOptions::GetFamilyFoundStrategy()
{
    return m_strategy;
}

} // namespace vela
