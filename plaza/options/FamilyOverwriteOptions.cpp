#include "FamilyOverwriteOptions.h"

#include "FamilyOverwriteOptionsDialog.h"
#include "PlazaMainWindow.h"

#include <QPointer>

namespace vela {

FamilyOverwriteOptions::FamilyOverwriteOptions(int32_t strategy)
    : m_strategy(strategy)
{
}

tarn::UniIdentity FamilyOverwriteOptions::ChooseReplacementType(const std::wstring& typeName, int32_t instanceCount,
                                                                const std::vector<tarn::IFamilyType*>& candidates)
{
    // The dialog dies with the main window, which may happen during the question.
    const QPointer<FamilyOverwriteOptionsDialog> dialog = FamilyOverwriteOptionsDialog::Instance(PlazaMainWindow::Get());
    // When the dialog is already asking, this question goes to a dialog stacked
    // above it, which hides itself; closing would end the question below.
    const bool stacked = dialog->IsAsking();
    const tarn::UniIdentity chosen = dialog->AskReplacementType(typeName, instanceCount, candidates);
    if (dialog && !stacked) {
        dialog->close();
    }
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
