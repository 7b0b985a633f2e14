#include "HollowButtonTab.h"
#include "ImageSlider.h"
#include "LegendsPane.h"
#include "ParametersPane.h"
#include "TopLineTab.h"
#include "UrlImageProvider.h"

#include <QAbstractButton>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace vela;

namespace {

template <class Tab>
void CheckTab()
{
    Tab tab(nullptr);
    tab.resize(300, 200);
    QLabel first(QStringLiteral("one"));
    QLabel second(QStringLiteral("two"));
    QLabel stranger(QStringLiteral("not a page"));
    QSignalSpy changes(&tab, &CustomTab::CurrentChanged);

    tab.AddTabItem(QStringLiteral("缩略图"), &first);
    tab.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tab));
    QVERIFY(tab.IsHeaderShown());
    tab.SetStandAloneHeaderVisible(false);
    QVERIFY(!tab.IsHeaderShown());
    QCOMPARE(tab.GetWidgetAt(0), &first);
    QCOMPARE(tab.GetWidgetAt(1), nullptr);

    // A second page always brings the header back.
    tab.AddTabItem(QStringLiteral("图例"), &second);
    QVERIFY(tab.IsHeaderShown());
    QCOMPARE(tab.CurrentIndex(), 0);

    const auto buttons = tab.template findChildren<QAbstractButton*>();
    QCOMPARE(buttons.size(), 2);
    QAbstractButton* secondButton = buttons.at(0)->text() == QStringLiteral("图例") ? buttons.at(0) : buttons.at(1);
    QTest::mouseClick(secondButton, Qt::LeftButton);
    QCOMPARE(tab.CurrentIndex(), 1);
    QVERIFY(second.isVisible() && !first.isVisible());
    QVERIFY(secondButton->isChecked());

    tab.SwtichToTab(&stranger);
    tab.SwtichToTab(nullptr);
    QCOMPARE(tab.CurrentIndex(), 1);
    tab.SwtichToTab(tab.GetWidgetAt(0));
    QCOMPARE(tab.CurrentIndex(), 0);
    QVERIFY(!secondButton->isChecked());
    QCOMPARE(changes.size(), 3);

    QColor background(217, 221, 228);
    tab.SetHeaderBackgorund(background);
    const QImage header = tab.grab(QRect(0, 0, tab.width(), 4)).toImage();
    QCOMPARE(QColor(header.pixel(tab.width() - 2, 1)), background);

    // The pages belong to the test.
    first.setParent(nullptr);
    second.setParent(nullptr);
}

std::shared_ptr<ILegend> Legend(const QString& name, const QString& url)
{
    return std::make_shared<ILegend>(ILegend{name.toStdWString(), url.toStdWString()});
}

} // namespace

// The widget-library pieces of the detail panel, driven as a user would.
class tst_DetailWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void tabsSwitchPagesAndHideALoneHeader();
    void sliderShowsOneImageAtATime();
    void legendsShowPicturesAndCollapse();
    void failedPicturesSayFailedWhenAskedAgain();
    void parametersListNamesValuesAndUnits();

private:
    QString Picture(const QString& name, const QColor& colour);

    QTemporaryDir m_dir;
};

void tst_DetailWidgets::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString tst_DetailWidgets::Picture(const QString& name, const QColor& colour)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = m_dir.filePath(name);
    image.save(path, "PNG");
    return QUrl::fromLocalFile(path).toString();
}

void tst_DetailWidgets::tabsSwitchPagesAndHideALoneHeader()
{
    CheckTab<HollowButtonTab>();
    if (QTest::currentTestFailed()) {
        return;
    }
    CheckTab<TopLineTab>();
}

void tst_DetailWidgets::sliderShowsOneImageAtATime()
{
    const QString red = Picture(QStringLiteral("red.png"), Qt::red);
    const QString green = Picture(QStringLiteral("green.png"), Qt::green);
    const QString missing = QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("none.png"))).toString();

    ImageSlider slider(nullptr);
    slider.SetImageProvider(std::make_shared<UrlImageProvider>(nullptr));
    slider.resize(256, 200);
    slider.show();
    QVERIFY(QTest::qWaitForWindowExposed(&slider));
    slider.SetImages({red.toStdWString(), green.toStdWString(), missing.toStdWString()}, {});
    QCOMPARE(slider.Count(), 3);
    QCOMPARE(slider.CurrentIndex(), 0);
    QTRY_VERIFY(slider.IsImageReady(0) && slider.IsImageReady(1));
    QVERIFY(!slider.IsImageReady(2));

    // The picture in the middle is the current image.
    const QPoint middle(128, 90);
    QCOMPARE(QColor(slider.grab().toImage().pixel(middle)), QColor(Qt::red));

    // Next arrow at the right edge, previous at the left; both wrap.
    QTest::mouseClick(&slider, Qt::LeftButton, Qt::NoModifier, QPoint(slider.width() - 26, 91));
    QCOMPARE(slider.CurrentIndex(), 1);
    QCOMPARE(QColor(slider.grab().toImage().pixel(middle)), QColor(Qt::green));
    QTest::mouseClick(&slider, Qt::LeftButton, Qt::NoModifier, QPoint(26, 91));
    QTest::mouseClick(&slider, Qt::LeftButton, Qt::NoModifier, QPoint(26, 91));
    QCOMPARE(slider.CurrentIndex(), 2);
    QTest::keyClick(&slider, Qt::Key_Right);
    QCOMPARE(slider.CurrentIndex(), 0);

    // The dots along the bottom jump straight to an image.
    QTest::mouseClick(&slider, Qt::LeftButton, Qt::NoModifier, QPoint(140, 191));
    QCOMPARE(slider.CurrentIndex(), 2);

    slider.SetImages({}, {});
    QCOMPARE(slider.Count(), 0);
    QCOMPARE(slider.CurrentIndex(), -1);
    QTest::mouseClick(&slider, Qt::LeftButton, Qt::NoModifier, QPoint(slider.width() - 26, 91));
    QCOMPARE(slider.CurrentIndex(), -1);
}

void tst_DetailWidgets::legendsShowPicturesAndCollapse()
{
    LegendsPane pane(nullptr);
    pane.resize(288, 152);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    const QString plan = Picture(QStringLiteral("plan.png"), Qt::blue);
    pane.SetLegends({Legend(QStringLiteral("平面图"), plan), nullptr, Legend(QStringLiteral("立面图"), QString())});
    QCOMPARE(pane.Legends().size(), size_t(2));
    QTRY_VERIFY(pane.IsImageReady(0));
    QVERIFY(!pane.IsImageReady(1));
    QVERIFY(pane.sizeHint().height() <= 152);

    auto* strip = pane.findChild<QScrollArea*>();
    QVERIFY(strip->isVisible());
    QSignalSpy expanded(&pane, &LegendsPane::ExpandedChanged);
    QTest::mouseClick(pane.findChild<QAbstractButton*>(QStringLiteral("LegendsToggleButton")), Qt::LeftButton);
    QVERIFY(!pane.IsExpanded());
    QVERIFY(!strip->isVisible());
    pane.Expand(true);
    pane.Expand(true);
    QVERIFY(strip->isVisible());
    QCOMPARE(expanded.size(), 2);

    pane.SetLegends({});
    QVERIFY(pane.Legends().empty());
    QVERIFY(!pane.IsImageReady(0));
}

void tst_DetailWidgets::failedPicturesSayFailedWhenAskedAgain()
{
    UrlImageProvider::SetRetryDelays(std::chrono::seconds(2), std::chrono::seconds(2));
    const QString path = m_dir.filePath(QStringLiteral("later.png"));
    const QString url = QUrl::fromLocalFile(path).toString();
    ImageSlider slider(nullptr);
    slider.SetImageProvider(std::make_shared<UrlImageProvider>(nullptr));
    LegendsPane pane(nullptr);
    const auto legendNote = [&pane] { return pane.findChild<QLabel*>(QStringLiteral("LegendPicture"))->text(); };
    const QString failed = QStringLiteral("图片加载失败");

    // Given a picture whose fetch failed and that now rests before its next try.
    slider.SetImages({url.toStdWString()}, {});
    pane.SetLegends({Legend(QStringLiteral("平面图"), url)});
    QTRY_COMPARE(slider.Note(), failed);
    QTRY_COMPARE(legendNote(), failed);

    // When the component is selected again, both say at once that it failed, not "loading" for good.
    slider.SetImages({url.toStdWString()}, {});
    pane.SetLegends({Legend(QStringLiteral("平面图"), url)});
    QCOMPARE(slider.Note(), QStringLiteral("加载中..."));
    QTRY_COMPARE(slider.Note(), failed);
    QTRY_COMPARE(legendNote(), failed);

    // Then the picture arrives by itself once the rest is over.
    Picture(QStringLiteral("later.png"), Qt::darkCyan);
    QTRY_VERIFY_WITH_TIMEOUT(slider.IsImageReady(0) && pane.IsImageReady(0), 5000);
    QCOMPARE(slider.Note(), QString());
    UrlImageProvider::SetRetryDelays(std::chrono::seconds(30), std::chrono::minutes(30));
}

void tst_DetailWidgets::parametersListNamesValuesAndUnits()
{
    const auto parameter = [](const wchar_t* name, const wchar_t* value, const wchar_t* unit) {
        return std::make_shared<IParameter>(IParameter{name, value, unit, true});
    };
    QCOMPARE(ParametersPane::ValueText(*parameter(L"宽度", L"900", L"mm")), QStringLiteral("900 mm"));
    QCOMPARE(ParametersPane::ValueText(*parameter(L"材质", L"木", L"")), QStringLiteral("木"));

    ParametersPane pane(nullptr);
    pane.resize(260, 120);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    std::vector<std::shared_ptr<IParameter>> many;
    for (int i = 0; i < 30; ++i) {
        many.push_back(parameter(L"参数", std::to_wstring(i).c_str(), L"mm"));
    }
    many.insert(many.begin() + 3, nullptr);
    pane.SetParameters(many);
    QCOMPARE(pane.Parameters().size(), size_t(30));
    const auto shows = [&pane](const QString& text) {
        const QList<QLabel*> labels = pane.findChildren<QLabel*>();
        return std::any_of(labels.begin(), labels.end(),
                           [&](QLabel* l) { return l->text() == text && l->isVisibleTo(&pane); });
    };
    QTRY_VERIFY(shows(QStringLiteral("29 mm")));

    // Thirty rows do not fit in 120 pixels: the pane scrolls.
    auto* scrollBar = pane.findChild<QScrollArea*>()->verticalScrollBar();
    QTRY_VERIFY(scrollBar->maximum() > 0);
    scrollBar->setValue(scrollBar->maximum());

    pane.SetParameters({});
    QVERIFY(pane.Parameters().empty());
    QCOMPARE(scrollBar->value(), 0);
    QVERIFY(!shows(QStringLiteral("0 mm")));
    QTRY_VERIFY(shows(QStringLiteral("暂无参数")));
}

QTEST_MAIN(tst_DetailWidgets)
#include "tst_DetailWidgets.moc"
