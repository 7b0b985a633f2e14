#pragma once

#include "plaza_export.h"

#include <QDialog>

#include <cstdint>

class QLabel;

namespace vela {

// The user's answer to the repeat check.
enum class RepeatCheckChoice : int32_t
{
    Cancel = 0,
    SkipRepeated = 1,
    AddAll = 2,
};

// Tells how many of the components to add already exist in the collaboration
// project; the user cancels, skips those, or adds them all as copies.
class PLAZA_EXPORT PublicComponentRepeatCheckDialog : public QDialog
{
    Q_OBJECT

public:
    static PublicComponentRepeatCheckDialog* Instance(QWidget* parent);
    static void DestroyInstance();

    // Runs the dialog modally and answers a RepeatCheckChoice.
    int Exec(int repeatedCount);

    explicit PublicComponentRepeatCheckDialog(QWidget* parent);

    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void InitUI();

    QLabel* m_messageLabel = nullptr;
    int32_t m_choice = 0;

    static PublicComponentRepeatCheckDialog* s_instance;
};

} // namespace vela
