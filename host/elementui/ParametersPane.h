#pragma once

#include "IParameter.h"
#include "vela_elementui_export.h"

#include <QWidget>

#include <memory>
#include <vector>

class QLabel;
class QScrollArea;
class QVBoxLayout;

namespace vela {

// Name and value rows of a component's parameters, scrolling when they do not fit.
class VELA_ELEMENTUI_EXPORT ParametersPane : public QWidget
{
    Q_OBJECT

public:
    explicit ParametersPane(QWidget* parent);

    // Replaces the rows; an empty list leaves the pane empty. Null entries are skipped.
    void SetParameters(const std::vector<std::shared_ptr<IParameter>>& parameters);
    std::vector<std::shared_ptr<IParameter>> Parameters() const { return m_parameters; }

    // The value column's text of a parameter: its value followed by its unit.
    static QString ValueText(const IParameter& parameter);

private:
    void InitUI();
    QWidget* CreateRow(const IParameter& parameter, bool shaded);

    std::vector<std::shared_ptr<IParameter>> m_parameters;
    QScrollArea* m_scrollArea = nullptr;
    QWidget* m_rowsBase = nullptr;
    QVBoxLayout* m_rowsLayout = nullptr;
    QLabel* m_emptyLabel = nullptr;
};

} // namespace vela
