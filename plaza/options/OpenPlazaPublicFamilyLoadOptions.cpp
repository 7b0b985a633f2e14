#include "OpenPlazaPublicFamilyLoadOptions.h"

#include "FamilyLoadOptionsDefaultImpl.h"
#include "FamilyOverwriteOptions.h"
#include "KelMessageDialog.h"

#include <QCoreApplication>
#include <QPushButton>

namespace vela {

std::shared_ptr<tarn::IFamilyLoadOptions> OpenPlazaPublicFamilyLoadOptions::GetFamilyLoadOptions(
    FamilyConflictAction& action, const FamilyConflictInfo& info)
{
    const QString existing = QString::fromStdWString(info.ExistingName);
    const QString renamed = QString::fromStdWString(info.RenamedName);
    const QString question =
        info.HasInstancesInCanvas
            ? QCoreApplication::translate("OpenPlazaPublicFamilyLoadOptions",
                                          "项目中已存在“%1”，且画布中有此构件实例，选择需要进行的操作?\r\n\r\n"
                                          "重命名：名称更改为“%2”\r\n覆盖：覆盖项目中重名构件")
                  .arg(existing, renamed)
            : QCoreApplication::translate("OpenPlazaPublicFamilyLoadOptions",
                                          "项目中已存在“%1”，选择需要进行的操作?\r\n\r\n"
                                          "重命名：名称更改为“%2”\r\n覆盖：覆盖项目中重名构件")
                  .arg(existing, renamed);

    KelMessageDialog* dialog = KelMessageDialog::Get(nullptr);
    dialog->ConfigDialogSize(400, -1);
    std::map<int, QPushButton*>& buttons = dialog->ButtonsByValue();
    const auto relabel = [&buttons](int value, const QString& text) {
        const auto found = buttons.find(value);
        if (found != buttons.end() && found->second) {
            found->second->setText(text);
        }
    };
    relabel(4, QCoreApplication::translate("OpenPlazaPublicFamilyLoadOptions", "重命名"));
    relabel(8, QCoreApplication::translate("OpenPlazaPublicFamilyLoadOptions", "覆盖"));

    const int result = dialog->Show(question, 1, 14);
    if (result == 1) {
        action = FamilyConflictAction::Cancel;
        return nullptr;
    }
    if (result == 3) {
        action = FamilyConflictAction::Rename;
        return std::make_shared<tarn::FamilyLoadOptionsDefaultImpl>(tarn::FamilyFoundStrategy(0));
    }
    action = FamilyConflictAction::Overwrite;
    return std::make_shared<FamilyOverwriteOptions>(1);
}

} // namespace vela
