#include "Pager.h"

#include <QPushButton>
#include <QtTest>

using namespace vela;

namespace {

QPushButton* ButtonLabelled(const QWidget* pager, const QString& text)
{
    for (auto* button : pager->findChildren<QPushButton*>()) {
        if (button->isVisibleTo(pager) && button->text() == text)
            return button;
    }
    return nullptr;
}

} // namespace

// The page buttons shown for a total and current page, and what a click reports.
class tst_Pager : public QObject
{
    Q_OBJECT

private slots:
    void showsFirstLastAndNeighboursOfCurrent_data();
    void showsFirstLastAndNeighboursOfCurrent();
    void noResultsShowOneDisabledPage();
    void userClicksReportPagesAndReShuffleIsSilent();
};

void tst_Pager::showsFirstLastAndNeighboursOfCurrent_data()
{
    QTest::addColumn<unsigned long long>("total");
    QTest::addColumn<unsigned long long>("current");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<unsigned long long>("shownCurrent");

    QTest::newRow("one page") << 20ULL << 1ULL << QStringList{"1"} << 1ULL;
    QTest::newRow("partial last page counts") << 101ULL << 1ULL << QStringList{"1", "2", "3", "...", "6"} << 1ULL;
    QTest::newRow("middle of many") << 1000ULL << 25ULL
                                    << QStringList{"1", "...", "23", "24", "25", "26", "27", "...", "50"} << 25ULL;
    QTest::newRow("one hidden page is shown, not elided")
        << 1000ULL << 5ULL << QStringList{"1", "2", "3", "4", "5", "6", "7", "...", "50"} << 5ULL;
    QTest::newRow("at the end") << 1000ULL << 50ULL << QStringList{"1", "...", "48", "49", "50"} << 50ULL;
    QTest::newRow("current beyond the last page") << 45ULL << 9ULL << QStringList{"1", "2", "3"} << 3ULL;
    QTest::newRow("total beyond int") << 20ULL * 5000000000ULL << 3000000000ULL
                                      << QStringList{"1", "...", "2999999998", "2999999999", "3000000000",
                                                     "3000000001", "3000000002", "...", "5000000000"}
                                      << 3000000000ULL;
}

void tst_Pager::showsFirstLastAndNeighboursOfCurrent()
{
    QFETCH(unsigned long long, total);
    QFETCH(unsigned long long, current);
    QFETCH(QStringList, labels);
    QFETCH(unsigned long long, shownCurrent);

    Pager pager(nullptr);
    pager.ReShuffle(total, current);
    QCOMPARE(pager.PageLabels(), labels);
    QCOMPARE(pager.CurrentPage(), shownCurrent);
}

void tst_Pager::noResultsShowOneDisabledPage()
{
    Pager pager(nullptr);
    pager.ReShuffle(100, 3);
    pager.ReShuffle(0, 1);
    QCOMPARE(pager.PageLabels(), QStringList{"1"});
    for (auto* button : pager.findChildren<QPushButton*>()) {
        if (button->isVisibleTo(&pager))
            QVERIFY(!button->isEnabled());
    }
}

void tst_Pager::userClicksReportPagesAndReShuffleIsSilent()
{
    Pager pager(nullptr);
    pager.resize(700, 40);
    pager.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pager));
    QSignalSpy changed(&pager, &Pager::CurrentPageChanged);

    pager.ReShuffle(1000, 25);
    QCOMPARE(changed.count(), 0);

    for (const char* label : {"27", "下一页", "50"})
        QTest::mouseClick(ButtonLabelled(&pager, QString::fromUtf8(label)), Qt::LeftButton);
    QCOMPARE(changed.count(), 3);
    QCOMPARE(changed[0][0].toULongLong(), 27ULL);
    QCOMPARE(changed[1][0].toULongLong(), 28ULL);
    QCOMPARE(changed[2][0].toULongLong(), 50ULL);
    QCOMPARE(pager.PageLabels(), (QStringList{"1", "...", "48", "49", "50"}));

    // The current page, an ellipsis and next on the last page report nothing.
    for (const char* label : {"50", "...", "下一页"})
        QTest::mouseClick(ButtonLabelled(&pager, QString::fromUtf8(label)), Qt::LeftButton);
    QCOMPARE(changed.count(), 3);

    QTest::mouseClick(ButtonLabelled(&pager, QStringLiteral("上一页")), Qt::LeftButton);
    QCOMPARE(changed.count(), 4);
    QCOMPARE(changed[3][0].toULongLong(), 49ULL);
}

QTEST_MAIN(tst_Pager)
#include "tst_Pager.moc"
