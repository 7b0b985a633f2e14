#include "AppService.h"
#include "AwaitReply.h"
#include "CatalogServerProcess.h"
#include "ComponentFile.h"
#include "Document.h"
#include "EmbeddedAnswer.h"
#include "HostNetworkDetector.h"
#include "HttpCatalogBackend.h"
#include "LoadFromPublicIntoDocumentWorkflow.h"
#include "Pager.h"
#include "PathUtils.h"
#include "PlazaAnalyzeService.h"
#include "PlazaMainWindow.h"
#include "PlazaPublicComponentsTableModel.h"
#include "PlazaPublicComponentsTableView.h"
#include "PublicComponentService.h"
#include "SearchTextBox.h"
#include "SqliteCatalogBackend.h"
#include "WorkflowProbe.h"

#include <QFile>
#include <QtTest>

#include <memory>

using namespace vela;
using namespace vela::test;

// The library used as a person uses it against a real catalog server: the
// page and the load workflow over HTTP, the server going away and coming
// back, and component files that are fetched once.
class tst_OnlineLibrary : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void pageBrowsesTheServer();
    void loadReusesAnUnchangedFileAndFetchesADamagedOneWhole();
    void refusedRequestTurnsOfflineOnceAndTheProbeBringsItBack();
    void pageShowsNoNetworkWhileTheServerIsGone();
    void declaredOfflineHoldsWhileTheServerAnswers();
    void slowAnswerIsNotTakenForAGoneServer();

private:
    void WatchServer(int heartbeatMs);
    void StopServer();
    void RestartServer();
    void OpenPage();
    QStringList TableNames() const;
    QStringList EmbeddedNames(const ComponentQuery& query) const;
    // Log lines of the server for `method path` answered with `status`.
    int Requests(const QByteArray& request, int status);

    std::unique_ptr<CatalogServerProcess> m_server;
    // Cleared while a test has the server stopped, so that the next test starts with one.
    bool m_serving = false;
    std::shared_ptr<HttpCatalogBackend> m_http;
    std::shared_ptr<SqliteCatalogBackend> m_embedded;
    std::unique_ptr<PlazaAnalyzeService> m_analytics;
    std::unique_ptr<AppService> m_app;
    PlazaPublicComponentsTableModel* m_table = nullptr;
};

void tst_OnlineLibrary::initTestCase()
{
    m_server = std::make_unique<CatalogServerProcess>();
    QVERIFY2(m_server->Start(), qPrintable(m_server->Error()));
    m_serving = true;
    m_embedded = std::make_shared<SqliteCatalogBackend>(CatalogServerProcess::SampleCatalog());
    m_http = std::make_shared<HttpCatalogBackend>(m_server->Url(), 3000);
    m_analytics = std::make_unique<PlazaAnalyzeService>();
    PlazaAnalyzeService::Install(m_analytics.get());
    m_app = std::make_unique<AppService>(L"code", L"1.0", Product::Sorn);
    AppService::Install(m_app.get());
}

void tst_OnlineLibrary::cleanupTestCase()
{
    HostNetworkDetector::Get()->Watch(QUrl());
    AppService::Install(nullptr);
    PlazaAnalyzeService::Install(nullptr);
    m_http.reset();
    if (m_serving) {
        StopServer();
    }
}

void tst_OnlineLibrary::init()
{
    if (!m_serving) {
        RestartServer();
    }
    CatalogBackend::Install(m_http);
    HostNetworkDetector::Get()->SetState(HostNetworkDetector::Online);
    WatchServer(0);
}

void tst_OnlineLibrary::cleanup()
{
    PlazaMainWindow::Destroy();
    m_table = nullptr;
    CatalogBackend::Install(nullptr);
}

void tst_OnlineLibrary::WatchServer(int heartbeatMs)
{
    HostNetworkDetector::ProbeTiming timing;
    timing.FirstDelayMs = 20;
    timing.LongestDelayMs = 100;
    timing.TimeoutMs = 2000;
    timing.HeartbeatMs = heartbeatMs;
    HostNetworkDetector::Get()->Watch(m_server->Url(), timing);
}

void tst_OnlineLibrary::StopServer()
{
    m_serving = false;
    QCOMPARE(m_server->Stop(), 0);
}

void tst_OnlineLibrary::RestartServer()
{
    const int port = m_server->Port();
    m_server = std::make_unique<CatalogServerProcess>(QStringList{QStringLiteral("--port"), QString::number(port)});
    QVERIFY2(m_server->Start(), qPrintable(m_server->Error()));
    QCOMPARE(m_server->Port(), port);
    m_serving = true;
}

void tst_OnlineLibrary::OpenPage()
{
    PlazaMainWindow::Initialize();
    PlazaMainWindow* window = PlazaMainWindow::Get();
    m_table = window->findChild<PlazaPublicComponentsTableView*>()->Model();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTRY_VERIFY(m_table->rowCount() > 0);
}

QStringList tst_OnlineLibrary::TableNames() const
{
    QStringList names;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        names << m_table->index(row, 1).data().toString();
    }
    return names;
}

QStringList tst_OnlineLibrary::EmbeddedNames(const ComponentQuery& query) const
{
    const auto answer = Ask<ComponentPage>([&](auto done) { m_embedded->GetComponents(query, std::move(done)); });
    QStringList names;
    for (const auto& component : answer.second ? answer.second->Data : ComponentList()) {
        names << QString::fromStdWString(component->GetDisplayName());
    }
    return names;
}

int tst_OnlineLibrary::Requests(const QByteArray& request, int status)
{
    const QByteArray wanted = ' ' + request + ' ' + QByteArray::number(status) + ' ';
    int count = 0;
    for (const QByteArray& line : m_server->Log().split('\n')) {
        count += line.contains(wanted) ? 1 : 0;
    }
    return count;
}

void tst_OnlineLibrary::pageBrowsesTheServer()
{
    OpenPage();
    QCOMPARE(TableNames(), EmbeddedNames({L"PLAZA", L"", 1, 20, -1, {}}));
    QVERIFY(Requests("POST /api/v1/components/query", 200) >= 1);

    // A search, as typed into the box
    auto* box = PlazaMainWindow::Get()->findChild<SearchTextBox*>(QStringLiteral("SearchLineEdit"));
    box->setText(QStringLiteral("平开"));
    QTest::keyClick(box, Qt::Key_Return);
    const QStringList found = EmbeddedNames({L"PLAZA", L"平开", 1, 20, -1, {}});
    QVERIFY(!found.isEmpty());
    QTRY_COMPARE(TableNames(), found);

    // and the next page of it
    emit PlazaMainWindow::Get()->findChild<Pager*>()->CurrentPageChanged(2);
    const QStringList second = EmbeddedNames({L"PLAZA", L"平开", 2, 20, -1, {}});
    QVERIFY(!second.isEmpty() && second != found);
    QTRY_COMPARE(TableNames(), second);
}

void tst_OnlineLibrary::loadReusesAnUnchangedFileAndFetchesADamagedOneWhole()
{
    const auto url = Ask<std::wstring>([&](auto done) { m_http->GetComponentFileUrl(L"GJ100002", std::move(done)); });
    QVERIFY2(url.first.empty(), qPrintable(QString::fromStdWString(url.first)));
    const QByteArray request = "GET " + QUrl(QString::fromStdWString(url.second)).path().toUtf8();
    const QString cached = QString::fromStdWString(PathUtils::GetComponentDownloadFilePath(url.second, L".json"));
    QFile::remove(cached);
    QFile::remove(cached + QStringLiteral(".etag"));

    tarn::Document document(L"项目1");
    const auto load = [&document] {
        return WorkflowProbe::Run(
            LoadFromPublicIntoDocumentWorkflow::Create(ArgumentFor(L"GJ100002", document.GetRuntimeId()), nullptr));
    };

    // The first load fetches the file
    auto first = load();
    QVERIFY2(first->Success, qPrintable(first->Message));
    QTRY_COMPARE(Requests(request, 200), 1);

    // the second asks whether it changed, and loads the kept copy
    auto second = load();
    QVERIFY2(second->Success, qPrintable(second->Message));
    QTRY_COMPARE(Requests(request, 304), 1);
    QCOMPARE(Requests(request, 200), 1);
    QCOMPARE(document.Families().size(), size_t(2));

    // and a kept copy that no longer reads is fetched whole again.
    QFile file(cached);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("{\"format\": \"plaza-comp");
    file.close();
    auto third = load();
    QVERIFY2(third->Success, qPrintable(third->Message));
    QTRY_COMPARE(Requests(request, 200), 2);
    QCOMPARE(Requests(request, 304), 1);
    tarn::ComponentFile reread;
    QVERIFY(tarn::ComponentFile::Read(cached, reread, nullptr));
}

void tst_OnlineLibrary::refusedRequestTurnsOfflineOnceAndTheProbeBringsItBack()
{
    HostNetworkDetector* detector = HostNetworkDetector::Get();
    QSignalSpy changes(detector, &HostNetworkDetector::NetworkStateChanged);
    // Reports come from the backend's thread; changes must reach listeners on theirs.
    QSet<QThread*> threads;
    connect(detector, &HostNetworkDetector::NetworkStateChanged, this,
            [&threads] { threads.insert(QThread::currentThread()); }, Qt::DirectConnection);
    StopServer();

    // Two requests refused: one change.
    const Answer<ComponentPage> refused =
        Wait(PublicComponentService::Get()->GetComponents(L"", L"", L"PLAZA", L"", 1, 20, -1, {}));
    QCOMPARE(QString::fromStdWString(refused.Error), QStringLiteral("无法连接构件库服务器"));
    const auto again = Ask<ComponentPage>([&](auto done) { m_http->GetComponents({}, std::move(done)); });
    QVERIFY(!again.first.empty());
    QTRY_COMPARE(detector->State(), HostNetworkDetector::Offline);

    RestartServer();
    QTRY_COMPARE(detector->State(), HostNetworkDetector::Online);
    QCOMPARE(changes.count(), 2);
    QCOMPARE(changes.at(0).at(0).toInt(), HostNetworkDetector::Offline);
    QCOMPARE(changes.at(1).at(0).toInt(), HostNetworkDetector::Online);
    QCOMPARE(threads, QSet<QThread*>{QThread::currentThread()});
    disconnect(detector, &HostNetworkDetector::NetworkStateChanged, this, nullptr);
    const Answer<ComponentPage> served =
        Wait(PublicComponentService::Get()->GetComponents(L"", L"", L"PLAZA", L"", 1, 20, -1, {}));
    QVERIFY2(served.Error.empty(), qPrintable(QString::fromStdWString(served.Error)));
}

void tst_OnlineLibrary::pageShowsNoNetworkWhileTheServerIsGone()
{
    // Given an idle page: only the heartbeat can notice
    WatchServer(50);
    OpenPage();
    PlazaMainWindow* window = PlazaMainWindow::Get();
    auto* components = window->findChild<QWidget*>(QStringLiteral("ComponentsNoNetworkBaseWidget"));
    auto* categories = window->findChild<QWidget*>(QStringLiteral("CategoryTreeNoNetworkBaseWidget"));
    const QStringList before = TableNames();

    StopServer();
    QTRY_VERIFY(components->isVisible());
    QVERIFY(categories->isVisible());

    RestartServer();
    QTRY_VERIFY(!components->isVisible());
    QVERIFY(!categories->isVisible());
    QTRY_VERIFY(Requests("POST /api/v1/components/query", 200) >= 1);
    QTRY_COMPARE(TableNames(), before);
}

void tst_OnlineLibrary::declaredOfflineHoldsWhileTheServerAnswers()
{
    WatchServer(20);
    HostNetworkDetector* detector = HostNetworkDetector::Get();
    QSignalSpy changes(detector, &HostNetworkDetector::NetworkStateChanged);
    detector->SetState(HostNetworkDetector::Offline);

    // The probe keeps finding the server, and the switch still wins
    const int probes = Requests("GET /api/v1/health", 200);
    QTRY_VERIFY(Requests("GET /api/v1/health", 200) >= probes + 2);
    QCOMPARE(detector->State(), HostNetworkDetector::Offline);
    QCOMPARE(changes.count(), 1);

    detector->SetState(HostNetworkDetector::Online);
    QCOMPARE(detector->State(), HostNetworkDetector::Online);
    QCOMPARE(changes.count(), 2);
}

void tst_OnlineLibrary::slowAnswerIsNotTakenForAGoneServer()
{
    // Given a server slower than the client waits, and a probe that waits even less
    CatalogServerProcess slow({QStringLiteral("--latency"), QStringLiteral("800")});
    QVERIFY2(slow.Start(), qPrintable(slow.Error()));
    HttpCatalogBackend backend(slow.Url(), 100);
    HostNetworkDetector::ProbeTiming timing;
    timing.TimeoutMs = 400;
    timing.HeartbeatMs = 0;
    HostNetworkDetector* detector = HostNetworkDetector::Get();
    detector->Watch(slow.Url(), timing);
    QSignalSpy changes(detector, &HostNetworkDetector::NetworkStateChanged);
    QSignalSpy probed(detector, &HostNetworkDetector::ServerReachUpdated);

    // When a request times out
    const auto answer = Ask<std::shared_ptr<ICategoryProperty>>(
        [&](auto done) { backend.GetCategoryProperty(L"A0101", std::move(done)); });
    QCOMPARE(QString::fromStdWString(answer.first), QStringLiteral("连接构件库服务器超时"));

    // Then the probe finds the server there, and the state stays online (the probe may
    // already have answered while the test waited for the request)
    QVERIFY(!probed.isEmpty() || probed.wait());
    QCOMPARE(probed.at(0).at(0).toBool(), true);
    QCOMPARE(detector->State(), HostNetworkDetector::Online);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(slow.Stop(), 0);
}

QTEST_MAIN(tst_OnlineLibrary)
#include "tst_OnlineLibrary.moc"
