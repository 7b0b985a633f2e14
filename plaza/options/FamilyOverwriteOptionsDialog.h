#pragma once

#include "IFamilyType.h"
#include "plaza_export.h"

#include <QDialog>

#include <cstdint>
#include <vector>

class QComboBox;
class QLabel;

namespace vela {

// Asks which type of an overwriting component replaces a type it lacks.
// One dialog per process, rebuilt only for another parent.
class PLAZA_EXPORT FamilyOverwriteOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FamilyOverwriteOptionsDialog(QWidget* parent);

    // The shared dialog for `parent`.
    static FamilyOverwriteOptionsDialog* Instance(QWidget* parent);

    // The chosen candidate's identity; invalid when the dialog was closed
    // without a choice or there is nothing to choose from.
    tarn::UniIdentity AskReplacementType(const std::wstring& typeName, int32_t instanceCount,
                                         const std::vector<tarn::IFamilyType*>& candidates);

private:
    QLabel* m_messageLabel = nullptr;
    QComboBox* m_typeComboBox = nullptr;
};

} // namespace vela
