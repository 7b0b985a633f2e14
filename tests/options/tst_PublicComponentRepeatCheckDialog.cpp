#include "ModalSteps.h"
#include "PublicComponentRepeatCheckDialog.h"

#include <QLabel>
#include <QPushButton>

#include <QtTest>

#include <functional>

using namespace vela;

// The one repeat check dialog: its answers, its text and its single instance.
class tst_PublicComponentRepeatCheckDialog : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void answersByButton_data();
    void answersByButton();
    void escapeAnswersCancel();
    void textCarriesTheCount();
    void oneInstanceFollowsItsParent();
    void checkWhileAnotherIsOpenStacksAbove_data();
    void checkWhileAnotherIsOpenStacksAbove();

private:
    // Runs `act` on the dialog once its modal loop has started.
    static void WhenShown(const std::function<void(PublicComponentRepeatCheckDialog*)>& act);
};

void tst_PublicComponentRepeatCheckDialog::cleanup()
{
    PublicComponentRepeatCheckDialog::DestroyInstance();
}

void tst_PublicComponentRepeatCheckDialog::WhenShown(const std::function<void(PublicComponentRepeatCheckDialog*)>& act)
{
    QTimer::singleShot(10, [act] {
        auto* dialog = qobject_cast<PublicComponentRepeatCheckDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            WhenShown(act);
            return;
        }
        act(dialog);
    });
}

void tst_PublicComponentRepeatCheckDialog::answersByButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("choice");
    QTest::newRow("取消") << QStringLiteral("ButtonCancel") << int(RepeatCheckChoice::Cancel);
    QTest::newRow("跳过重复构件") << QStringLiteral("SkipButton") << int(RepeatCheckChoice::SkipRepeated);
    QTest::newRow("确定全部添加") << QStringLiteral("ButtonOk") << int(RepeatCheckChoice::AddAll);
}

void tst_PublicComponentRepeatCheckDialog::answersByButton()
{
    QFETCH(QString, button);
    QFETCH(int, choice);
    PublicComponentRepeatCheckDialog* dialog = PublicComponentRepeatCheckDialog::Instance(nullptr);
    WhenShown([button](PublicComponentRepeatCheckDialog* shown) {
        QTest::mouseClick(shown->findChild<QPushButton*>(button), Qt::LeftButton);
    });
    QCOMPARE(dialog->Exec(2), choice);
    QVERIFY(!dialog->isVisible());
}

void tst_PublicComponentRepeatCheckDialog::escapeAnswersCancel()
{
    PublicComponentRepeatCheckDialog* dialog = PublicComponentRepeatCheckDialog::Instance(nullptr);
    // A previous answer does not leak into the next question.
    WhenShown([](PublicComponentRepeatCheckDialog* shown) { shown->findChild<QPushButton*>("ButtonOk")->click(); });
    QCOMPARE(dialog->Exec(1), int(RepeatCheckChoice::AddAll));
    WhenShown([](PublicComponentRepeatCheckDialog* shown) { QTest::keyClick(shown, Qt::Key_Escape); });
    QCOMPARE(dialog->Exec(1), int(RepeatCheckChoice::Cancel));
}

void tst_PublicComponentRepeatCheckDialog::textCarriesTheCount()
{
    PublicComponentRepeatCheckDialog* dialog = PublicComponentRepeatCheckDialog::Instance(nullptr);
    QString shownText;
    const auto readAndCancel = [&shownText](PublicComponentRepeatCheckDialog* shown) {
        for (QLabel* label : shown->findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) {
                shownText = label->text();
            }
        }
        shown->findChild<QPushButton*>("ButtonCancel")->click();
    };
    WhenShown(readAndCancel);
    dialog->Exec(3);
    QCOMPARE(shownText, QStringLiteral("项目中3个构件已存在，再次添加会被另存为副本"));
    WhenShown(readAndCancel);
    dialog->Exec(1);
    QCOMPARE(shownText, QStringLiteral("项目中1个构件已存在，再次添加会被另存为副本"));
}

void tst_PublicComponentRepeatCheckDialog::oneInstanceFollowsItsParent()
{
    PublicComponentRepeatCheckDialog::DestroyInstance(); // nothing to destroy: harmless
    QWidget first;
    QWidget second;
    PublicComponentRepeatCheckDialog* dialog = PublicComponentRepeatCheckDialog::Instance(&first);
    QCOMPARE(PublicComponentRepeatCheckDialog::Instance(&first), dialog);
    QCOMPARE(dialog->parentWidget(), &first);

    QCOMPARE(PublicComponentRepeatCheckDialog::Instance(&second), dialog);
    QCOMPARE(dialog->parentWidget(), &second);
    QVERIFY(dialog->isWindow());
    QVERIFY(dialog->windowFlags() & Qt::FramelessWindowHint);

    PublicComponentRepeatCheckDialog::DestroyInstance();
    QPointer<PublicComponentRepeatCheckDialog> fresh = PublicComponentRepeatCheckDialog::Instance(nullptr);
    QVERIFY(fresh);
}

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


} // namespace

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
            TopDialog()->findChild<QPushButton*>(QStringLiteral("SkipButton"))->click();
        });
        secondChoice = PublicComponentRepeatCheckDialog::Instance(otherParent ? &otherPage : &page)->Exec(1);
        test::When([&] { return TopDialog() == first; }, [&] {
            seen << TextOf(first);
            first->findChild<QPushButton*>(QStringLiteral("ButtonOk"))->click();
        });
    });
    const int firstChoice = first->Exec(3);

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
