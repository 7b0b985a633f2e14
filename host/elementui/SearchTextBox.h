#pragma once

#include "vela_elementui_export.h"

#include <QLineEdit>

namespace vela {

// A search field with a magnifier button and a clear button; the magnifier
// reports Searched().
class VELA_ELEMENTUI_EXPORT SearchTextBox : public QLineEdit
{
    Q_OBJECT

public:
    SearchTextBox(const QString& placeholderText, QWidget* parent);

signals:
    void Searched();

private:
    void Init();
};

} // namespace vela
