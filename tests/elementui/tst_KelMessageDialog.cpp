#include "KelMessageDialog.h"
#include "ModalSteps.h"

#include <QLabel>
#include <QPushButton>

#include <QtTest>

#include <functional>

using namespace vela;

namespace {

QList<KelMessageDialog*> VisibleDialogs()
{
    QList<KelMessageDialog*> visible;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<KelMessageDialog*>(widget); dialog && dialog->isVisible())
            visible << dialog;
    }
    return visible;
}

QString TextOf(KelMessageDialog* dialog)
{
    return dialog->findChild<QLabel*>(QStringLiteral("KelMessageDialogText"))->text();
}

QStringList LabelsOf(KelMessageDialog* dialog)
{
    QStringList labels;
    for (const auto& [value, button] : dialog->ButtonsByValue()) {
        if (button->isVisible())
            labels << button->text();
    }
    return labels;
}

} // namespace

// One dialog per parent; queued answers, real button presses and what is recorded.
class tst_KelMessageDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void oneDialogPerParentWithItsButtons();
    void queuedAnswerMapsToResult_data();
    void queuedAnswerMapsToResult();
    void questionWhileAnotherIsOpenStacksAbove_data();
    void questionWhileAnotherIsOpenStacksAbove();
    void dialogDiesWithItsParentDuringTheQuestion();

private:
    std::unique_ptr<QWidget> m_window;
};

void tst_KelMessageDialog::init()
{
    m_window = std::make_unique<QWidget>();
    m_window->resize(600, 400);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    KelMessageDialog::SetDefaultParent(m_window.get());
    KelMessageDialog::ClearQueuedAnswers();
    KelMessageDialog::ClearHistory();
}

void tst_KelMessageDialog::cleanup()
{
    m_window.reset();
}

void tst_KelMessageDialog::oneDialogPerParentWithItsButtons()
{
    QWidget other;
    KelMessageDialog* dialog = KelMessageDialog::Get(nullptr);
    QCOMPARE(dialog->parentWidget(), m_window.get());
    QCOMPARE(KelMessageDialog::Get(m_window.get()), dialog);
    QVERIFY(KelMessageDialog::Get(&other) != dialog);

    QStringList labels;
    for (const auto& [value, button] : dialog->ButtonsByValue())
        labels << QStringLiteral("%1 %2").arg(value).arg(button->text());
    QCOMPARE(labels, (QStringList{"1 确定", "2 取消", "4 是", "8 否"}));
}

void tst_KelMessageDialog::queuedAnswerMapsToResult_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("result");
    QTest::newRow("确定") << 1 << int(KelMessageDialog::Ok);
    QTest::newRow("取消 or closed") << 2 << int(KelMessageDialog::Cancelled);
    QTest::newRow("是") << 4 << int(KelMessageDialog::Yes);
    QTest::newRow("否") << 8 << int(KelMessageDialog::No);
}

void tst_KelMessageDialog::queuedAnswerMapsToResult()
{
    QFETCH(int, answer);
    QFETCH(int, result);

    KelMessageDialog::QueueAnswer(answer);
    KelMessageDialog::QueueAnswer(1);
    auto* dialog = KelMessageDialog::Get(nullptr)->ConfigDialogSize(280, -1);
    QCOMPARE(dialog->Show(QStringLiteral("载入失败，请检查网络后重试"), 2, 15), result);
    QCOMPARE(dialog->Show(QStringLiteral("部分构件载入失败"), 2, 1), int(KelMessageDialog::Ok));
    QVERIFY(!dialog->isVisible());

    const auto history = KelMessageDialog::History();
    QCOMPARE(history.size(), 2);
    QCOMPARE(history[0].Text, QStringLiteral("载入失败，请检查网络后重试"));
    QCOMPARE(history[0].Icon, 2);
    QCOMPARE(history[0].Buttons, 15);
    QCOMPARE(history[0].Result, result);
}

void tst_KelMessageDialog::questionWhileAnotherIsOpenStacksAbove_data()
{
    QTest::addColumn<bool>("keptPointer");
    QTest::newRow("newcomer calls Get()") << false;
    QTest::newRow("newcomer kept the open dialog") << true;
}

void tst_KelMessageDialog::questionWhileAnotherIsOpenStacksAbove()
{
    QFETCH(bool, keptPointer);
    // Given a conflict question on screen with relabelled buttons and its own width
    KelMessageDialog* first = KelMessageDialog::Get(nullptr)->ConfigDialogSize(400, -1);
    first->ButtonsByValue()[4]->setText(QStringLiteral("重命名"));
    first->ButtonsByValue()[8]->setText(QStringLiteral("覆盖"));
    const QString question = QStringLiteral("项目中已存在“门”");
    const QStringList questionLabels{QStringLiteral("取消"), QStringLiteral("重命名"), QStringLiteral("覆盖")};

    int secondResult = 0;
    QString secondText;
    QStringList secondLabels;
    QStringList firstMeanwhile;
    QStringList firstAfterwards;
    int firstWidth = 0;
    test::When([] { return VisibleDialogs().size() == 1; }, [&] {
        firstWidth = first->width();
        // When a failure message arrives and is closed with Escape, and then the question is answered
        test::When([] { return VisibleDialogs().size() == 2; }, [&] {
            auto* top = qobject_cast<KelMessageDialog*>(QApplication::activeModalWidget());
            QVERIFY(top && top != first);
            secondText = TextOf(top);
            secondLabels = LabelsOf(top);
            firstMeanwhile = QStringList{TextOf(first)} + LabelsOf(first);
            QTest::keyClick(top, Qt::Key_Escape);
        });
        KelMessageDialog* second = keptPointer ? first : KelMessageDialog::Get(nullptr);
        secondResult = second->ConfigDialogSize(280, -1)->Show(QStringLiteral("载入失败，请检查网络后重试"), 2, 1);
        test::When([] { return VisibleDialogs().size() == 1; }, [&] {
            firstAfterwards = QStringList{TextOf(first)} + LabelsOf(first);
            QTest::mouseClick(first->ButtonsByValue()[4], Qt::LeftButton);
        });
    });
    const int firstResult = first->Show(question, 1, 14);

    // Then each caller got the answer to its own question, and the question kept its text and buttons
    QCOMPARE(secondText, QStringLiteral("载入失败，请检查网络后重试"));
    QCOMPARE(secondLabels, QStringList{QStringLiteral("确定")});
    QCOMPARE(secondResult, int(KelMessageDialog::Cancelled));
    QCOMPARE(firstWidth, 400);
    QCOMPARE(firstMeanwhile, QStringList{question} + questionLabels);
    QCOMPARE(firstAfterwards, QStringList{question} + questionLabels);
    QCOMPARE(firstResult, int(KelMessageDialog::Yes));
    const auto history = KelMessageDialog::History();
    QCOMPARE(history.size(), 2);
    QCOMPARE(history[0].Result, int(KelMessageDialog::Cancelled));
    QCOMPARE(history[1].Text, question);
    // Once both are answered the parent's one dialog is handed out again, with the usual labels.
    QCOMPARE(KelMessageDialog::Get(nullptr), first);
    QCOMPARE(first->ButtonsByValue()[4]->text(), QStringLiteral("是"));
    QTRY_COMPARE(m_window->findChildren<KelMessageDialog*>().size(), 1);
}

void tst_KelMessageDialog::dialogDiesWithItsParentDuringTheQuestion()
{
    auto* owner = new QWidget;
    owner->show();
    test::When([] { return VisibleDialogs().size() == 1; }, [owner] { delete owner; });
    QCOMPARE(KelMessageDialog::Get(owner)->Show(QStringLiteral("载入失败"), 2, 1 | 2), int(KelMessageDialog::Cancelled));
    QCOMPARE(KelMessageDialog::History().size(), 1);
    QVERIFY(VisibleDialogs().isEmpty());
}

QTEST_MAIN(tst_KelMessageDialog)
#include "tst_KelMessageDialog.moc"
