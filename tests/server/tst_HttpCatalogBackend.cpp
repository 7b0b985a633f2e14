#include "CatalogServerProcess.h"
#include "EmbeddedAnswer.h"
#include "HttpCatalogBackend.h"
#include "LocalHttpServer.h"
#include "ReplyQueue.h"
#include "RequestToken.h"

#include <QMutex>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace vela;
using namespace vela::test;

// HttpCatalogBackend against a server: a clear text for each unusable answer,
// requests that wait their turn or never go out, and the server's own refusals.
class tst_HttpCatalogBackend : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void UnusableAnswersAreNamed_data();
    void UnusableAnswersAreNamed();
    void CancelledRequestNeverGoesOut();
    void RequestsBeyondSixWaitTheirTurn();
    void ProjectNamesAndRefusalsComeFromTheServer();

private:
    std::unique_ptr<CatalogServerProcess> m_server;
    std::shared_ptr<HttpCatalogBackend> m_http;
    QTemporaryDir m_projects;
};

void tst_HttpCatalogBackend::initTestCase()
{
    m_server = std::make_unique<CatalogServerProcess>(
        QStringList{QStringLiteral("--projects"), m_projects.filePath(QStringLiteral("projects.sqlite"))});
    QVERIFY2(m_server->Start(), qPrintable(m_server->Error()));
    m_http = std::make_shared<HttpCatalogBackend>(m_server->Url());
}

void tst_HttpCatalogBackend::cleanupTestCase()
{
    m_http.reset();
    if (m_server) {
        QCOMPARE(m_server->Stop(), 0);
    }
}

void tst_HttpCatalogBackend::UnusableAnswersAreNamed_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("error");

    const QString unreadable = QStringLiteral("构件库服务器返回的数据无法识别");
    QTest::newRow("not JSON") << 200 << QByteArray("<html>gateway</html>") << unreadable;
    QTest::newRow("cut short") << 200 << QByteArray(R"({"legends": [{"name": "平)") << unreadable;
    QTest::newRow("a list, not an object") << 200 << QByteArray("[]") << unreadable;
    QTest::newRow("a field of the wrong type") << 200 << QByteArray(R"({"legends": [{"name": 5}]})") << unreadable;
    QTest::newRow("a list that is not one") << 200 << QByteArray(R"({"legends": "none"})") << unreadable;
    QTest::newRow("server error without words")
        << 500 << QByteArray("oops") << QStringLiteral("构件库服务器出错（HTTP 500）");
    QTest::newRow("server error that explains")
        << 503 << QByteArray(R"({"error": {"code": "busy", "message": "服务器繁忙"}})") << QStringLiteral("服务器繁忙");
}

void tst_HttpCatalogBackend::UnusableAnswersAreNamed()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, error);

    LocalHttpServer server;
    QVERIFY(server.IsListening());
    LocalHttpServer::Answer answer;
    answer.Status = status;
    answer.Body = body;
    answer.Headers = {{"Content-Type", "application/json"}};
    server.Set("/api/v1/components/legends?id=GJ100002", answer);

    HttpCatalogBackend backend(server.Url(""), 5000);
    const auto result = Ask<LegendList>([&](auto done) { backend.GetLegend(L"GJ100002", std::move(done)); });
    QCOMPARE(QString::fromStdWString(result.first), error);
    QVERIFY(result.second.empty());
    QCOMPARE(server.Requests("/api/v1/components/legends?id=GJ100002"), 1);
}

void tst_HttpCatalogBackend::CancelledRequestNeverGoesOut()
{
    LocalHttpServer server;
    server.SetBody("/api/v1/components/legends?id=GJ100002", R"({"legends": []})", "application/json");
    HttpCatalogBackend backend(server.Url(""), 5000);

    // Superseded before the backend got to it, as the service layer does with old searches.
    auto token = std::make_shared<RequestToken>();
    QVERIFY(token->Cancel());
    const auto cancelled = Ask<LegendList>([&](auto done) {
        RequestToken::Scope scope(token);
        backend.GetLegend(L"GJ100002", std::move(done));
    });
    QCOMPARE(QString::fromStdWString(cancelled.first), QString::fromWCharArray(ReplyQueue::SupersededErrorText()));

    const auto wanted = Ask<LegendList>([&](auto done) { backend.GetLegend(L"GJ100002", std::move(done)); });
    QVERIFY(wanted.first.empty());
    QCOMPARE(server.Requests("/api/v1/components/legends?id=GJ100002"), 1);
}

void tst_HttpCatalogBackend::RequestsBeyondSixWaitTheirTurn()
{
    // Given six requests that never finish by themselves and a seventh the server answers at once.
    LocalHttpServer server;
    for (int i = 0; i < 6; ++i) {
        server.SetDrip("/api/v1/components/legends?id=SLOW" + QByteArray::number(i),
                       R"({"legends": [])" + QByteArray(1000, ' ') + "}", 50);
    }
    server.SetBody("/api/v1/components/legends?id=FAST", R"({"legends": []})", "application/json");
    HttpCatalogBackend backend(server.Url(""), 300);

    QMutex mutex;
    QStringList finished;
    const auto record = [&](const QString& name) {
        return [&, name](std::wstring error, LegendList) {
            QMutexLocker lock(&mutex);
            finished.append(name + QLatin1Char(' ') + QString::fromStdWString(error));
        };
    };
    for (int i = 0; i < 6; ++i) {
        backend.GetLegend(L"SLOW" + std::to_wstring(i), record(QStringLiteral("slow")));
    }
    backend.GetLegend(L"FAST", record(QStringLiteral("fast")));

    // Then the seventh goes out only when one of the six is cut off, and its
    // own deadline counts from then: it is answered, not timed out.
    QTRY_COMPARE_WITH_TIMEOUT([&] { QMutexLocker lock(&mutex); return finished.size(); }(), 7, 10000);
    QMutexLocker lock(&mutex);
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(finished.at(i), QStringLiteral("slow 连接构件库服务器超时"));
    }
    QCOMPARE(finished.at(6), QStringLiteral("fast "));
}

void tst_HttpCatalogBackend::ProjectNamesAndRefusalsComeFromTheServer()
{
    // The project list is fetched when the backend is made: names are known without asking.
    QTRY_COMPARE(QString::fromStdWString(m_http->ProjectName(L"P1002")), QStringLiteral("滨江花园住宅二期"));

    // Refusals keep the server's words.
    const auto unknown = Ask<ProjectComponentList>(
        [&](auto done) { m_http->AddComponentFromPublic(L"P404", {L"GJ100002"}, std::move(done)); });
    QCOMPARE(QString::fromStdWString(unknown.first), QStringLiteral("协同项目不存在"));
    const auto nothing = Ask<ProjectComponentList>(
        [&](auto done) { m_http->AddComponentFromPublic(L"P1002", {L"NOPE"}, std::move(done)); });
    QCOMPARE(QString::fromStdWString(nothing.first), QStringLiteral("构件不存在"));
}

QTEST_MAIN(tst_HttpCatalogBackend)
#include "tst_HttpCatalogBackend.moc"
