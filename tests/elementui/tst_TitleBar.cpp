#include "TitleBar.h"

#include <QLabel>
#include <QToolButton>
#include <QtTest>

using namespace vela;

namespace {

// A window that counts the title changes still reaching it past the bar's filter.
class Window : public QWidget
{
public:
    Window()
        : bar(new TitleBar(this))
    {
        installEventFilter(bar);
    }
    TitleBar* bar;
    int titleChanges = 0;

protected:
    void changeEvent(QEvent* event) override
    {
        titleChanges += event->type() == QEvent::WindowTitleChange;
        QWidget::changeEvent(event);
    }
};

} // namespace

// The bar follows its window's title without swallowing the change, and closes the window.
class tst_TitleBar : public QObject
{
    Q_OBJECT

private slots:
    void followsTitleAndClosesTheWindow();
};

void tst_TitleBar::followsTitleAndClosesTheWindow()
{
    Window window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setWindowTitle(QStringLiteral("Plaza"));
    window.bar->SetPinTip(QStringLiteral("示例项目"));

    QStringList shown;
    for (auto* label : window.bar->findChildren<QLabel*>())
        shown << label->text();
    QVERIFY(shown.contains(QStringLiteral("Plaza")) && shown.contains(QStringLiteral("示例项目")));
    QCOMPARE(window.titleChanges, 1);

    QTest::mouseClick(window.bar->findChild<QToolButton*>(QStringLiteral("TitleBarCloseButton")), Qt::LeftButton);
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(tst_TitleBar)
#include "tst_TitleBar.moc"
