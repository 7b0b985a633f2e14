#include "ApplicationMainWindowService.h"
#include "Document.h"
#include "DocumentService.h"
#include "PlazaAnalyzeService.h"
#include "PlazaMainWindow.h"
#include "PlazaPublicComponentsCardListView.h"
#include "PlazaPublicComponentsTableView.h"
#include "PlazaPublicPage.h"
#include "ScriptedCatalogBackend.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedLayout>
#include <QtTest>

using namespace vela;

// The window's life cycle, first show, mask and reactions to the host.
class tst_PlazaMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void initializeKeepsTheFirstWindow();
    void displayReturnsBeforeTheWindowShows();
    void firstShowIsHandledOnce();
    void maskTakesAndReturnsInput();
    void minimisesWithTheHostOnlyWhenItShould_data();
    void minimisesWithTheHostOnlyWhenItShould();
    void closingTheDocumentHidesTheWindow();
    void pageStartsInCardModeAndAsksNothing();

private:
    int EventCount(const QString& name) const;

    std::shared_ptr<test::ScriptedCatalogBackend> m_backend;
    std::unique_ptr<PlazaAnalyzeService> m_analytics;
};

void tst_PlazaMainWindow::init()
{
    m_backend = test::MakeSampleBackend(5);
    CatalogBackend::Install(m_backend);
    m_analytics = std::make_unique<PlazaAnalyzeService>();
    PlazaAnalyzeService::Install(m_analytics.get());
    PlazaMainWindow::Initialize();
}

void tst_PlazaMainWindow::cleanup()
{
    PlazaMainWindow::Destroy();
    PlazaAnalyzeService::Install(nullptr);
    CatalogBackend::Install(nullptr);
}

int tst_PlazaMainWindow::EventCount(const QString& name) const
{
    const auto events = m_analytics->Events();
    return int(std::count_if(events.begin(), events.end(), [&](const auto& event) { return event.first == name; }));
}

void tst_PlazaMainWindow::initializeKeepsTheFirstWindow()
{
    PlazaMainWindow* first = PlazaMainWindow::Get();
    QVERIFY(first);
    PlazaMainWindow::Initialize();
    QCOMPARE(PlazaMainWindow::Get(), first);
    PlazaMainWindow::Destroy();
    QCOMPARE(PlazaMainWindow::Get(), nullptr);
    PlazaMainWindow::Destroy(); // a second Destroy is harmless
}

void tst_PlazaMainWindow::displayReturnsBeforeTheWindowShows()
{
    PlazaMainWindow* window = PlazaMainWindow::Get();
    bool shownModally = false;
    // The dialog's modal loop runs inside the event loop; end it from there.
    QTimer::singleShot(50, window, [&] {
        shownModally = window->isVisible() && window->isModal();
        window->accept();
    });
    window->Display(0);
    QVERIFY(!window->isVisible());
    QTRY_VERIFY(shownModally);
}

void tst_PlazaMainWindow::firstShowIsHandledOnce()
{
    PlazaMainWindow* window = PlazaMainWindow::Get();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTRY_COMPARE(m_backend->ComponentRequests.size(), size_t(1));
    window->hide();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // Anything the second show might have sent would be delivered by now.
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    QCOMPARE(EventCount(QStringLiteral("pluginFirstVisit")), 1);
    QCOMPARE(m_backend->CategoryRequests.size(), size_t(1));
    QCOMPARE(m_backend->ComponentRequests.size(), size_t(1));
    const ComponentQuery& first = m_backend->ComponentRequests.front().Asked;
    QCOMPARE(first.PageIndex, 1);
    QCOMPARE(first.PageSize, 20);
    QVERIFY(first.Keyword.empty());
    QVERIFY(first.CategoryCode.empty());
}

void tst_PlazaMainWindow::maskTakesAndReturnsInput()
{
    PlazaMainWindow* window = PlazaMainWindow::Get();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto* page = window->findChild<PlazaPublicPage*>();
    const QPoint centre = window->rect().center();
    window->ShowMask();
    QCOMPARE(window->childAt(centre), window->findChild<QWidget*>(QStringLiteral("PlazaMainWindowMask")));
    window->HidMask();
    QWidget* hit = window->childAt(centre);
    QVERIFY(hit && (hit == page || page->isAncestorOf(hit)));
}

void tst_PlazaMainWindow::minimisesWithTheHostOnlyWhenItShould_data()
{
    QTest::addColumn<bool>("visible");
    QTest::addColumn<int>("hostState");
    QTest::addColumn<bool>("minimised");

    QTest::newRow("host minimised, window visible") << true << int(Qt::WindowMinimized) << true;
    QTest::newRow("host minimised and maximised") << true << int(Qt::WindowMinimized | Qt::WindowMaximized) << true;
    QTest::newRow("host restored") << true << int(Qt::WindowNoState) << false;
    QTest::newRow("host maximised") << true << int(Qt::WindowMaximized) << false;
    QTest::newRow("window hidden") << false << int(Qt::WindowMinimized) << false;
}

void tst_PlazaMainWindow::minimisesWithTheHostOnlyWhenItShould()
{
    QFETCH(bool, visible);
    QFETCH(int, hostState);
    QFETCH(bool, minimised);

    PlazaMainWindow* window = PlazaMainWindow::Get();
    if (visible) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    ApplicationMainWindowService::Get()->NotifyStateChanged(int(Qt::WindowNoState), hostState);
    QCOMPARE(bool(window->windowState() & Qt::WindowMinimized), minimised);
}

void tst_PlazaMainWindow::closingTheDocumentHidesTheWindow()
{
    tarn::Document document(L"项目1");
    DocumentService::Get()->SetCurrentDocument(&document);
    PlazaMainWindow* window = PlazaMainWindow::Get();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));

    DocumentService::Get()->CloseCurrentDocument();
    QVERIFY(!window->isVisible());
}

void tst_PlazaMainWindow::pageStartsInCardModeAndAsksNothing()
{
    PlazaMainWindow* window = PlazaMainWindow::Get();
    QCOMPARE(m_backend->RequestCount(), size_t(0));

    auto* batch = window->findChild<QPushButton*>(QStringLiteral("PlazaPublicBatchLoadButton"));
    QCOMPARE(batch->text(), QStringLiteral("批量载入"));
    QVERIFY(!batch->isEnabled());
    QVERIFY(window->findChild<QWidget*>(QStringLiteral("DetailPanelBaseFrame"))->isHidden());
    QVERIFY(window->findChild<PlazaPublicComponentsCardListView*>()->isVisibleTo(window));
    QVERIFY(!window->findChild<PlazaPublicComponentsTableView*>()->isVisibleTo(window));
    // Both "no network" notices exist but neither is current.
    QCOMPARE(window->findChildren<QLabel*>(QStringLiteral("NoNetworkComponentListTipText")).size(), 2);
    QVERIFY(!window->findChild<QWidget*>(QStringLiteral("ComponentsNoNetworkBaseWidget"))->isVisibleTo(window));
}

QTEST_MAIN(tst_PlazaMainWindow)
#include "tst_PlazaMainWindow.moc"
