#include "ModalSteps.h"
#include "PublicComponentRepeatCheckDialog.h"

#include <QLabel>
#include <QPushButton>

#include <QtTest>

using namespace vela;

namespace {

PublicComponentRepeatCheckDialog* TopDialog()
{
    return qobject_cast<PublicComponentRepeatCheckDialog*>(QApplication::activeModalWidget());
}

QString TextOf(PublicComponentRepeatCheckDialog* dialog)
{
    QString text;
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) {
            text = label->text();
        }
    }
    return text;
}

void Press(PublicComponentRepeatCheckDialog* dialog, const QString& button)
{
    if (button.isEmpty()) {
        QTest::keyClick(dialog, Qt::Key_Escape);
    } else {
        QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
    }
}

} // namespace

// The one repeat check dialog: its answers, its text and its single instance.
class tst_PublicComponentRepeatCheckDialog : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { PublicComponentRepeatCheckDialog::DestroyInstance(); }

    void answersByButton_data();
    void answersByButton();
    void oneInstanceFollowsItsParent();
    void checkWhileAnotherIsOpenStacksAbove_data();
    void checkWhileAnotherIsOpenStacksAbove();
};

void tst_PublicComponentRepeatCheckDialog::answersByButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("choice");
    QTest::newRow("取消") << QStringLiteral("ButtonCancel") << int(RepeatCheckChoice::Cancel);
    QTest::newRow("跳过重复构件") << QStringLiteral("SkipButton") << int(RepeatCheckChoice::SkipRepeated);
    QTest::newRow("确定全部添加") << QStringLiteral("ButtonOk") << int(RepeatCheckChoice::AddAll);
    QTest::newRow("Escape") << QString() << int(RepeatCheckChoice::Cancel);
}

void tst_PublicComponentRepeatCheckDialog::answersByButton()
{
    QFETCH(QString, button);
    QFETCH(int, choice);
    PublicComponentRepeatCheckDialog* dialog = PublicComponentRepeatCheckDialog::Instance(nullptr);
    // An earlier answer of the same dialog does not leak into the next question.
    test::When([] { return TopDialog() != nullptr; }, [] { Press(TopDialog(), QStringLiteral("ButtonOk")); });
    QCOMPARE(dialog->Exec(1), int(RepeatCheckChoice::AddAll));
    test::When([] { return TopDialog() != nullptr; }, [button] { Press(TopDialog(), button); });
    QCOMPARE(dialog->Exec(2), choice);
    QVERIFY(!dialog->isVisible());
}

void tst_PublicComponentRepeatCheckDialog::oneInstanceFollowsItsParent()
{
    QWidget first;
    QWidget second;
    PublicComponentRepeatCheckDialog* dialog = PublicComponentRepeatCheckDialog::Instance(&first);
    QCOMPARE(PublicComponentRepeatCheckDialog::Instance(&first), dialog);
    QCOMPARE(dialog->parentWidget(), &first);
    QCOMPARE(PublicComponentRepeatCheckDialog::Instance(&second), dialog);
    QCOMPARE(dialog->parentWidget(), &second);
    QVERIFY(dialog->isWindow());

    PublicComponentRepeatCheckDialog::DestroyInstance();
    QPointer<PublicComponentRepeatCheckDialog> fresh = PublicComponentRepeatCheckDialog::Instance(nullptr);
    QVERIFY(fresh);
}

void tst_PublicComponentRepeatCheckDialog::checkWhileAnotherIsOpenStacksAbove_data()
{
    QTest::addColumn<bool>("otherParent");
    QTest::newRow("same parent") << false;
    QTest::newRow("another parent") << true;
}

void tst_PublicComponentRepeatCheckDialog::checkWhileAnotherIsOpenStacksAbove()
{
    QFETCH(bool, otherParent);
    QWidget page;
    QWidget otherPage;
    PublicComponentRepeatCheckDialog* first = PublicComponentRepeatCheckDialog::Instance(&page);
    int secondChoice = -1;
    QStringList seen;
    test::When([] { return TopDialog() != nullptr; }, [&] {
        // A second add's check comes back while the first is open
        test::When([&] { return TopDialog() && TopDialog() != first; }, [&] {
            seen << TextOf(TopDialog()) << TextOf(first);
            Press(TopDialog(), QStringLiteral("SkipButton"));
        });
        secondChoice = PublicComponentRepeatCheckDialog::Instance(otherParent ? &otherPage : &page)->Exec(1);
        test::When([&] { return TopDialog() == first; }, [&] {
            seen << TextOf(first);
            Press(first, QStringLiteral("ButtonOk"));
        });
    });
    const int firstChoice = first->Exec(3);

    // The text carries each check's own count.
    QCOMPARE(seen, (QStringList{QStringLiteral("项目中1个构件已存在，再次添加会被另存为副本"),
                                QStringLiteral("项目中3个构件已存在，再次添加会被另存为副本"),
                                QStringLiteral("项目中3个构件已存在，再次添加会被另存为副本")}));
    QCOMPARE(secondChoice, int(RepeatCheckChoice::SkipRepeated));
    QCOMPARE(firstChoice, int(RepeatCheckChoice::AddAll));
    // The open dialog was not moved to the other page; the next check uses the one dialog again.
    QCOMPARE(first->parentWidget(), &page);
    QCOMPARE(PublicComponentRepeatCheckDialog::Instance(&page), first);
}

QTEST_MAIN(tst_PublicComponentRepeatCheckDialog)
#include "tst_PublicComponentRepeatCheckDialog.moc"
