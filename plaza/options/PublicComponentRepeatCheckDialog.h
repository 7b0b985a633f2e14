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
// project; the user cancels, skips those, or adds them all as copies. One
// dialog per process; a check asked while it is open gets a dialog of its own
// above it.
class PLAZA_EXPORT PublicComponentRepeatCheckDialog : public QDialog
{
    Q_OBJECT

public:
    // While the dialog is asking it is never re-parented: another parent gets
    // a dialog of its own, deleted after its Exec().
    static PublicComponentRepeatCheckDialog* Instance(QWidget* parent);
    // Also deletes the stacked dialogs still around.
    static void DestroyInstance();

    // Runs the dialog modally and answers a RepeatCheckChoice; Cancel when
    // the dialog is destroyed meanwhile.
    int Exec(int repeatedCount);

    explicit PublicComponentRepeatCheckDialog(QWidget* parent);

    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void InitUI();
    static PublicComponentRepeatCheckDialog* CreateStacked(QWidget* parent);

    QLabel* m_messageLabel = nullptr;
    // False without a compositor: an opaque frame replaces the shadow.
    bool m_translucent = true;
    int32_t m_choice = 0;
    // Inside exec(): the dialog must not take another check.
    bool m_asking = false;
    // Lives for one Exec() only.
    bool m_stacked = false;
};

} // namespace vela
