#include "AppService.h"
#include "CatalogJson.h"
#include "CatalogServerProcess.h"
#include "EmbeddedAnswer.h"
#include "HostNetworkDetector.h"
#include "HttpCatalogBackend.h"
#include "KelBulletin.h"
#include "ModalSteps.h"
#include "PlazaAnalyzeService.h"
#include "PlazaMainWindow.h"
#include "PlazaPublicComponentItemDelegate.h"
#include "PlazaPublicComponentsTableView.h"
#include "PlazaPublicPage.h"
#include "ProjectPane.h"
#include "PublicComponentRepeatCheckDialog.h"
#include "StoreUnderTest.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace vela;
using namespace vela::test;

// Two people add into one project through their own Plaza windows, each
// host talking to the same catalog server: what one adds, the other's repeat
// check reports, and both copies are kept.
class tst_SharedProjects : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void oneAddsTheOtherIsWarned_data() { m_databases.AddRows(); }
    void oneAddsTheOtherIsWarned();

private:
    // Opens the window on `backend` and adds one component into P1002 through the page.
    void AddThroughPage(std::shared_ptr<CatalogBackend> backend, ProjectComponentList& added);

    StoreUnderTest m_databases;
    std::unique_ptr<PlazaAnalyzeService> m_analytics;
    std::unique_ptr<AppService> m_app;
};

void tst_SharedProjects::initTestCase()
{
    m_analytics = std::make_unique<PlazaAnalyzeService>();
    PlazaAnalyzeService::Install(m_analytics.get());
    m_app = std::make_unique<AppService>(L"code", L"1.0", Product::Rivo);
    AppService::Install(m_app.get());
    HostNetworkDetector::Get()->SetState(HostNetworkDetector::Online);
}

void tst_SharedProjects::cleanupTestCase()
{
    AppService::Install(nullptr);
    PlazaAnalyzeService::Install(nullptr);
}

void tst_SharedProjects::cleanup()
{
    PlazaMainWindow::Destroy();
    CatalogBackend::Install(nullptr);
}

void tst_SharedProjects::AddThroughPage(std::shared_ptr<CatalogBackend> backend, ProjectComponentList& added)
{
    PlazaMainWindow::Destroy();
    CatalogBackend::Install(std::move(backend));
    KelBulletin::ClearHistory();
    PlazaMainWindow::Initialize();
    PlazaMainWindow* window = PlazaMainWindow::Get();
    auto* view = window->findChild<PlazaPublicComponentsTableView*>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto* page = window->findChild<PlazaPublicPage*>();
    page->SetAddIntoProjectContext(AddIntoProjectContext(L"P1002"));
    IComponent component;
    component.Id = L"GJ100004";
    emit view->ItemDelegate()->AddComponentIntoProjectRequired(component);
    const auto finished = [] {
        for (const KelBulletin::Record& record : KelBulletin::History()) {
            if (record.Message == QStringLiteral("载入成功") || record.Message == QStringLiteral("载入失败")) {
                return record.Message;
            }
        }
        return QString();
    };
    QTRY_VERIFY_WITH_TIMEOUT(!finished().isEmpty(), 10000);
    QCOMPARE(finished(), QStringLiteral("载入成功"));
    added = page->GetAddIntoProjectContext().AddedComponents();
}

void tst_SharedProjects::oneAddsTheOtherIsWarned()
{
    QFETCH(QString, database);
    const QString connection = m_databases.Fresh(database);
    QVERIFY2(!connection.isEmpty(), qPrintable(m_databases.Error()));
    CatalogServerProcess server({QStringLiteral("--projects"), connection});
    QVERIFY2(server.Start(), qPrintable(server.Error()));
    auto first = std::make_shared<HttpCatalogBackend>(server.Url(), 15000);
    auto second = std::make_shared<HttpCatalogBackend>(server.Url(), 15000);

    // Given the first person adding a component the project does not hold
    ProjectComponentList mine;
    AddThroughPage(first, mine);
    QCOMPARE(int(mine.size()), 1);
    QCOMPARE(m_analytics->Events().last().second.value(QStringLiteral("k_c_project_name")).toString(),
             QStringLiteral("滨江花园住宅二期"));

    // When the second adds the same one, the repeat check tells of the first's copy
    QString warning;
    When([] { return qobject_cast<PublicComponentRepeatCheckDialog*>(QApplication::activeModalWidget()) != nullptr; },
         [&warning] {
             QWidget* dialog = QApplication::activeModalWidget();
             for (QLabel* label : dialog->findChildren<QLabel*>()) {
                 warning += label->text();
             }
             dialog->findChild<QPushButton*>(QStringLiteral("ButtonOk"))->click();
         });
    ProjectComponentList theirs;
    AddThroughPage(second, theirs);
    QCOMPARE(warning, QStringLiteral("项目中1个构件已存在，再次添加会被另存为副本"));

    // Then the project keeps both copies, each with an id of its own
    QCOMPARE(int(theirs.size()), 1);
    const auto listed =
        Ask<ProjectComponentList>([&](auto done) { first->GetProjectComponents(L"P1002", std::move(done)); });
    QVERIFY2(listed.first.empty(), qPrintable(QString::fromStdWString(listed.first)));
    QCOMPARE(CatalogJson::FromProjectComponents(listed.second),
             CatalogJson::FromProjectComponents({mine.at(0), theirs.at(0)}));
    QVERIFY(mine[0]->Id != theirs[0]->Id);

    // and the demo host's project pane lists both.
    plazahost::ProjectPane pane;
    QSignalSpy updated(&pane, &plazahost::ProjectPane::ComponentsUpdated);
    pane.SetProject(QStringLiteral("P1002"));
    QVERIFY(updated.wait(15000));
    QCOMPARE(pane.ProjectId(), QStringLiteral("P1002"));
    QCOMPARE(pane.Lines().size(), 2);
    QVERIFY2(pane.Lines().at(1).endsWith(QStringLiteral(" v1 GJ100004")), qPrintable(pane.Lines().at(1)));
    cleanup();
    first.reset();
    second.reset();
    QCOMPARE(server.Stop(), 0);
}

QTEST_MAIN(tst_SharedProjects)
#include "tst_SharedProjects.moc"
