#include "FamilyOverwriteOptionsDialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace vela {

namespace {
QPointer<FamilyOverwriteOptionsDialog> s_dialog;
}

FamilyOverwriteOptionsDialog::FamilyOverwriteOptionsDialog(QWidget* parent)
    : QDialog(parent, Qt::WindowFlags())
{
    setWindowTitle(tr("覆盖提示"));
    setFixedSize(400, 140);
    setContentsMargins(0, 0, 0, 0);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);

    m_messageLabel = new QLabel;
    m_messageLabel->setFixedHeight(40);
    m_messageLabel->setFixedWidth(350);
    auto* useLabel = new QLabel(tr("将覆盖用的构件中"));
    m_typeComboBox = new QComboBox;
    m_typeComboBox->setFixedWidth(130);
    auto* replaceButton = new QPushButton(tr("替换该类型及实例"));
    connect(replaceButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(useLabel);
    row->addWidget(m_typeComboBox);
    row->addStretch();
    row->addWidget(replaceButton);
    row->addStretch();
    auto* column = new QVBoxLayout;
    column->addWidget(m_messageLabel);
    column->addSpacing(30);
    column->addLayout(row);
    column->setAlignment(Qt::AlignHCenter);
    auto* layout = new QHBoxLayout(this);
    layout->addStretch();
    layout->addLayout(column);
    layout->addStretch();
}

FamilyOverwriteOptionsDialog* FamilyOverwriteOptionsDialog::Instance(QWidget* parent)
{
    if (s_dialog && s_dialog->parentWidget() == parent) {
        return s_dialog;
    }
    if (s_dialog && s_dialog->m_asking) {
        return CreateStacked(parent);
    }
    delete s_dialog.data();
    s_dialog = new FamilyOverwriteOptionsDialog(parent);
    return s_dialog;
}

bool FamilyOverwriteOptionsDialog::IsAsking() const
{
    return m_asking;
}

FamilyOverwriteOptionsDialog* FamilyOverwriteOptionsDialog::CreateStacked(QWidget* parent)
{
    auto* dialog = new FamilyOverwriteOptionsDialog(parent);
    dialog->m_stacked = true;
    return dialog;
}

tarn::UniIdentity FamilyOverwriteOptionsDialog::AskReplacementType(const std::wstring& typeName,
                                                                   int32_t instanceCount,
                                                                   const std::vector<tarn::IFamilyType*>& candidates)
{
    if (m_asking) {
        // Asked again while a question is open: the new question stacks above it.
        return CreateStacked(parentWidget())->AskReplacementType(typeName, instanceCount, candidates);
    }
    // A stacked dialog goes once its question is settled; the caller's close() still reaches it.
    const auto settle = [this](const tarn::UniIdentity& answer) {
        if (m_stacked) {
            deleteLater();
        }
        return answer;
    };
    m_messageLabel->setWordWrap(true);
    m_messageLabel->setText(tr("覆盖用的构件中无法找到当前工作单元使用的类型%1(有%2个实例)，覆盖后该类型及实例都将删除，您也可以:")
                                .arg(QString::fromStdWString(typeName), QString::number(instanceCount)));

    std::vector<tarn::IFamilyType*> choices;
    for (tarn::IFamilyType* candidate : candidates) {
        if (!candidate) {
            continue;
        }
        if (candidate->GetName() == typeName) {
            return settle(candidate->GetUniIdentity());
        }
        choices.push_back(candidate);
    }
    if (choices.empty()) {
        return settle(tarn::UniIdentity());
    }

    // One entry per distinct name; an entry stands for the first candidate of that name.
    m_typeComboBox->clear();
    std::vector<tarn::IFamilyType*> entries;
    for (tarn::IFamilyType* candidate : choices) {
        const QString name = QString::fromStdWString(candidate->GetName());
        if (m_typeComboBox->findText(name) < 0) {
            m_typeComboBox->addItem(name);
            entries.push_back(candidate);
        }
    }

    m_asking = true;
    show();
    const QPointer<FamilyOverwriteOptionsDialog> alive(this);
    const int result = exec();
    if (!alive) {
        // Its parent died during the question and took it along.
        return tarn::UniIdentity();
    }
    m_asking = false;
    const int index = m_typeComboBox->currentIndex();
    if (result != QDialog::Accepted || index < 0 || index >= static_cast<int>(entries.size())) {
        return settle(tarn::UniIdentity());
    }
    return settle(entries[static_cast<size_t>(index)]->GetUniIdentity());
}

} // namespace vela
