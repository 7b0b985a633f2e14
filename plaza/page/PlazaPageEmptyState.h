#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace vela {

// Says why the result area holds no components (nothing matched, or the
// request failed) and offers the way out; the page shows it over the views.
class PlazaPageEmptyState : public QWidget
{
    Q_OBJECT

public:
    explicit PlazaPageEmptyState(QWidget* parent);

    // Nothing matched; `canClear` offers to drop the keyword and conditions.
    void ShowNoResults(bool canClear);
    // The request failed; the reason is shortened to fit the list area.
    void ShowFailure(const QString& reason);

signals:
    void ClearConditionsRequired();
    void RetryRequired();

private:
    void ShowOver();

    QLabel* m_message = nullptr;
    QLabel* m_reason = nullptr;
    QPushButton* m_clearButton = nullptr;
    QPushButton* m_retryButton = nullptr;
};

} // namespace vela
