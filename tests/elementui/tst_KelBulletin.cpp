#include "KelBulletin.h"

#include <QPointer>
#include <QtTest>

using namespace vela;

// What bulletins record and show, where they dock, and how they close.
class tst_KelBulletin : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void singleShotIsRecordedAndClosesItself();
    void keptBulletinRecordsItsMessagesUntilClosed();
    void docksNearTheTopCentreOfTheDock();
};

void tst_KelBulletin::init()
{
    for (KelBulletin* bulletin : KelBulletin::OpenBulletins())
        bulletin->close();
    KelBulletin::ClearHistory();
    KelBulletin::SetDock(nullptr);
}

void tst_KelBulletin::singleShotIsRecordedAndClosesItself()
{
    KelBulletin::SingleShot(QStringLiteral("载入成功"), 5, 50, nullptr);

    QCOMPARE(KelBulletin::History().size(), 1);
    const auto record = KelBulletin::History().first();
    QCOMPARE(record.Message, QStringLiteral("载入成功"));
    QCOMPARE(record.Icon, 5);
    QCOMPARE(record.Duration, 50);
    QVERIFY(record.SingleShot);

    QCOMPARE(KelBulletin::OpenBulletins().size(), 1);
    QPointer<KelBulletin> shown = KelBulletin::OpenBulletins().first();
    QCOMPARE(shown->Message(), QStringLiteral("载入成功"));
    QTRY_VERIFY(shown.isNull());
    QVERIFY(KelBulletin::OpenBulletins().isEmpty());
}

void tst_KelBulletin::keptBulletinRecordsItsMessagesUntilClosed()
{
    QPointer<KelBulletin> bulletin = KelBulletin::Create(nullptr);
    bulletin->ConfigIcon(4)->ConfigMessage(QStringLiteral("正在准备，请稍候..."))->show();
    // Progress ticks repeat the same message; it is recorded once.
    for (int done = 1; done <= 3; ++done)
        bulletin->ConfigIcon(0)->ConfigMessage(QStringLiteral("正在载入"))->ConfigProgress(done, 10);
    QCOMPARE(bulletin->ProgressValue(), 3);
    QCOMPARE(bulletin->ProgressMaximum(), 10);
    bulletin->ConfigIcon(3)->ConfigMessage(QStringLiteral("载入失败"));

    const auto history = KelBulletin::History();
    QCOMPARE(history.size(), 3);
    QCOMPARE(history[0].Icon, 4);
    QCOMPARE(history[1].Message, QStringLiteral("正在载入"));
    QCOMPARE(history[1].Icon, 0);
    QCOMPARE(history[2].Icon, 3);
    QVERIFY(!history[2].SingleShot);

    // A timer and a handler may both close it; that is harmless.
    bulletin->CloseLater(20);
    QVERIFY(bulletin->isVisible());
    QTRY_VERIFY(bulletin.isNull());
    QPointer<KelBulletin> twice = KelBulletin::Create(nullptr);
    twice->show();
    twice->CloseLater(0);
    twice->close();
    QTRY_VERIFY(twice.isNull());
}

void tst_KelBulletin::docksNearTheTopCentreOfTheDock()
{
    QWidget dock;
    dock.setGeometry(100, 100, 1200, 720);
    dock.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dock));
    KelBulletin::SetDock(&dock);

    KelBulletin::SingleShot(QStringLiteral("没有打开的文档"), 3, 5000, nullptr);
    KelBulletin::SingleShot(QStringLiteral("公共构件Id为空"), 3, 5000, nullptr);
    const auto open = KelBulletin::OpenBulletins();
    QCOMPARE(open.size(), 2);
    for (KelBulletin* bulletin : open) {
        QCOMPARE(bulletin->parentWidget(), &dock);
        QVERIFY(qAbs(bulletin->geometry().center().x() - dock.frameGeometry().center().x()) <= 1);
        QVERIFY(bulletin->y() > dock.y() && bulletin->y() < dock.y() + dock.height() / 4);
    }
    // The second stacks below the first instead of covering it.
    QVERIFY(open[1]->y() > open[0]->y() + open[0]->height() / 2);
}

QTEST_MAIN(tst_KelBulletin)
#include "tst_KelBulletin.moc"
