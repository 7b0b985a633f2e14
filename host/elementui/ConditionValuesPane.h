#pragma once

#include "ConditionValueItemBase.h"
#include "GeneralConditionValueItem.h"
#include "vela_elementui_export.h"

#include <QFrame>

#include <memory>
#include <vector>

class QLabel;

namespace vela {

// The active conditions as removable chips, a clear-all text and the result count.
class VELA_ELEMENTUI_EXPORT ConditionValuesPane : public QFrame
{
    Q_OBJECT

public:
    explicit ConditionValuesPane(QWidget* parent);

    void SetClearingText(const QString& text);
    void SetResultCountPrefix(const QString& prefix);
    void SetResultCountPostfix(const QString& postfix);
    void SetConditionValues(const std::vector<std::shared_ptr<ConditionValueItemBase>>& items);
    void SetResultCount(int count);
    void AdjustHeightToContent();

    // What the pane shows, for the host and tests.
    QString ResultCountText() const;
    // The height of the rows the chips wrap into at the current width.
    QSize sizeHint() const override;

signals:
    void RemoveConditionValueRequired(vela::GeneralConditionValueItem conditionValue);
    void ClearConditionValuesRequired();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Relayout();

    QString m_clearingText;
    QString m_prefix;
    QString m_postfix;
    int m_resultCount = 0;
    std::vector<QWidget*> m_chips;
    QWidget* m_clearButton = nullptr;
    QLabel* m_countLabel = nullptr;
    int m_contentHeight = 0;
};

} // namespace vela
