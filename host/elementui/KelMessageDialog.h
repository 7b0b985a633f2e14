#pragma once

#include "vela_elementui_export.h"

#include <QDialog>
#include <QString>
#include <QVector>

#include <deque>
#include <map>

class QLabel;
class QPushButton;

namespace vela {

// A modal message box: an icon, a text and up to four buttons.
//
// Buttons are chosen by value flags and come back from Show() as results:
//   value 1 "确定" (OK)     -> result 2
//   value 2 "取消" (Cancel) -> result 1, also when the dialog is closed
//   value 4 "是"   (Yes)    -> result 3
//   value 8 "否"   (No)     -> result 4
// Icons: 0 none, 1 question, 2 warning, 3 failure, 4 information.
class VELA_ELEMENTUI_EXPORT KelMessageDialog : public QDialog
{
    Q_OBJECT

public:
    enum Result
    {
        Cancelled = 1,
        Ok = 2,
        Yes = 3,
        No = 4,
    };

    // One message a dialog showed, for the host and tests.
    struct Record
    {
        QString Text;
        int Icon = 0;
        int Buttons = 0;
        int Result = 0;
    };

    static void SetDefaultParent(QWidget* parent);
    static QWidget* DefaultParent();
    // The dialog for `parent`, or for the default parent when it is null.
    // While that dialog is asking a question, a fresh one is handed out, so a
    // newcomer's text and labels never reach the question on screen; it shows
    // above the open one and is deleted after its Show().
    static KelMessageDialog* Get(QWidget* parent);

    // Width and height in pixels; -1 leaves that side to the content.
    KelMessageDialog* ConfigDialogSize(int width, int height);
    // Shows the text modally and returns the result of the button pressed.
    int Show(const QString& text, int icon, int buttons);

    // The buttons by value; the caller may relabel them before Show().
    std::map<int, QPushButton*>& ButtonsByValue();

    // Answers the next Show() without running the dialog: the button of that
    // value is taken as pressed (2 also stands for closing). For tests and tours.
    // Answers go to Show() calls in call order, so while a question is open a
    // queued answer goes to the question asked above it; the open one is
    // answered through its own buttons.
    static void QueueAnswer(int buttonValue);
    static void ClearQueuedAnswers();
    static QVector<Record> History();
    static void ClearHistory();

private:
    explicit KelMessageDialog(QWidget* parent);
    static KelMessageDialog* Create(QWidget* owner, bool stacked);
    void Init();
    void ApplySize();
    static int ResultOf(int buttonValue);
    std::map<int, QString> Labels() const;
    void SetLabels(const std::map<int, QString>& labels);
    void ResetLabels();
    int RunModal();

    QLabel* m_iconLabel = nullptr;
    QLabel* m_textLabel = nullptr;
    std::map<int, QPushButton*> m_buttons;
    int m_width = -1;
    int m_height = -1;
    int m_result = Cancelled;
    // Inside exec(): the dialog must not take another question.
    bool m_asking = false;
    // Handed out while the parent's own dialog was asking; lives for one Show().
    bool m_stacked = false;
    // The labels of the question on screen, to undo a relabelling meant for another.
    std::map<int, QString> m_askedLabels;
};

} // namespace vela
