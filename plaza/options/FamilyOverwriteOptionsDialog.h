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
// One dialog per process, rebuilt only for another parent; a question asked
// while it is open gets a dialog of its own above it.
class PLAZA_EXPORT FamilyOverwriteOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FamilyOverwriteOptionsDialog(QWidget* parent);

    // The shared dialog for `parent`. While the shared dialog is asking, it
    // is neither deleted nor re-parented: another parent gets a dialog of its
    // own, deleted after its question.
    static FamilyOverwriteOptionsDialog* Instance(QWidget* parent);

    // The chosen candidate's identity; invalid when the dialog was closed
    // without a choice or there is nothing to choose from.
    tarn::UniIdentity AskReplacementType(const std::wstring& typeName, int32_t instanceCount,
                                         const std::vector<tarn::IFamilyType*>& candidates);
    // True while a question runs; another question then goes to a dialog above this one.
    bool IsAsking() const;

private:
    static FamilyOverwriteOptionsDialog* CreateStacked(QWidget* parent);

    QLabel* m_messageLabel = nullptr;
    QComboBox* m_typeComboBox = nullptr;
    // Inside exec(): the dialog must not take another question.
    bool m_asking = false;
    // Lives for one question only.
    bool m_stacked = false;
};

} // namespace vela
