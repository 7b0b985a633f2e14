#include "CatalogBackend.h"
#include "ComponentFileCatalog.h"
#include "DownloadPublicComponentWorkflow.h"
#include "LocalHttpServer.h"
#include "PathUtils.h"
#include "WorkflowProbe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace vela;

namespace {

std::unique_ptr<test::WorkflowProbe> Download(const std::wstring& id)
{
    return test::WorkflowProbe::Run(DownloadPublicComponentWorkflow::Create(test::ArgumentFor(id), nullptr));
}

// Where the file downloaded from `url` lands, with nothing left there by an earlier run.
QString FreshTarget(const QUrl& url)
{
    const QString target = QString::fromStdWString(PathUtils::GetComponentDownloadFilePath(url.toString().toStdWString(), L".json"));
    QFile::remove(target);
    return target;
}

// The target itself or a half-written temporary copy of it.
QStringList FilesFor(const QString& target)
{
    const QFileInfo info(target);
    return info.dir().entryList({info.fileName() + QLatin1Char('*')}, QDir::Files | QDir::Hidden);
}

} // namespace

class tst_ComponentDownload : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void downloadsCheckedFileIntoCache_data();
    void downloadsCheckedFileIntoCache();
    void failsWithMessage_data();
    void failsWithMessage();
    void httpFailureLeavesNoFile_data();
    void httpFailureLeavesNoFile();
    void failedRefreshKeepsTheCopyThatA304Reuses();

private:
    QTemporaryDir m_folder;
    std::shared_ptr<test::ComponentFileCatalog> m_catalog;
};

void tst_ComponentDownload::init()
{
    m_catalog = std::make_shared<test::ComponentFileCatalog>(m_folder.path());
    CatalogBackend::Install(m_catalog);
}

void tst_ComponentDownload::cleanup()
{
    CatalogBackend::Install(nullptr);
}

void tst_ComponentDownload::failsWithMessage_data()
{
    QTest::addColumn<QString>("componentId");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty id") << QString() << QStringLiteral("公共构件Id为空");
    QTest::newRow("unknown component") << QStringLiteral("NOPE") << QStringLiteral("获取构件文件地址失败");
    QTest::newRow("not JSON") << QStringLiteral("GARBAGE") << QStringLiteral("构件文件已损坏");
    QTest::newRow("other JSON") << QStringLiteral("OTHER") << QStringLiteral("构件文件已损坏");
    QTest::newRow("empty file") << QStringLiteral("EMPTY") << QStringLiteral("构件文件为空");
    QTest::newRow("missing file") << QStringLiteral("GONE") << QStringLiteral("构件文件下载失败");
    QTest::newRow("no URL") << QStringLiteral("NOURL") << QStringLiteral("该构件没有可下载的构件文件");
    QTest::newRow("unsupported scheme") << QStringLiteral("FTP") << QStringLiteral("不支持的构件文件地址");
}

void tst_ComponentDownload::failsWithMessage()
{
    QFETCH(QString, componentId);
    QFETCH(QString, expected);
    m_catalog->AddRawFile(L"GARBAGE", "{\"format\": \"plaza-comp");
    m_catalog->AddRawFile(L"OTHER", "{\"format\": \"plaza-component\", \"version\": 1, \"types\": []}");
    m_catalog->AddRawFile(L"EMPTY", QByteArray());
    m_catalog->AddUrl(L"GONE", QUrl::fromLocalFile(m_folder.filePath(QStringLiteral("gone.json"))).toString().toStdWString());
    m_catalog->AddUrl(L"NOURL", std::wstring());
    m_catalog->AddUrl(L"FTP", L"ftp://example.invalid/a.json");

    const auto probe = Download(componentId.toStdWString());
    QVERIFY(probe->Done && !probe->Success && !probe->OffThread);
    QVERIFY2(probe->Message.startsWith(expected), qPrintable(probe->Message));
}

void tst_ComponentDownload::downloadsCheckedFileIntoCache_data()
{
    QTest::addColumn<QByteArray>("asked");
    QTest::newRow("local file") << QByteArray();
    QTest::newRow("http") << QByteArray("/files/door.json");
    QTest::newRow("http redirected") << QByteArray("/moved/door.json");
}

void tst_ComponentDownload::downloadsCheckedFileIntoCache()
{
    QFETCH(QByteArray, asked);
    test::LocalHttpServer server;
    QVERIFY(server.IsListening());
    const QByteArray body = test::ComponentFileCatalog::MakeFile(QStringLiteral("门"), {QStringLiteral("M1"), QStringLiteral("M2")}).ToJson();
    server.SetBody("/files/door.json", body, "application/json");
    server.SetRedirect("/moved/door.json", "/files/door.json");
    if (asked.isEmpty()) {
        m_catalog->AddComponent(L"DOOR", QStringLiteral("门"), {QStringLiteral("M1"), QStringLiteral("M2")});
    } else {
        m_catalog->AddUrl(L"DOOR", server.Url(asked).toString().toStdWString());
    }
    const QString target = asked.isEmpty() ? QString() : FreshTarget(server.Url(asked));

    const auto probe = Download(L"DOOR");

    QVERIFY2(probe->Success, qPrintable(probe->Message));
    QVERIFY(!probe->OffThread);
    QVERIFY(probe->Message.startsWith(QString::fromStdWString(PathUtils::GetCacheFolder())));
    tarn::ComponentFile file;
    QVERIFY(tarn::ComponentFile::Read(probe->Message, file, nullptr));
    QCOMPARE(file.FamilyName, QStringLiteral("门"));
    QCOMPARE(file.Types.size(), 2);
    QVERIFY(!probe->Progress.isEmpty());
    QCOMPARE(probe->Progress.last().first, probe->Progress.last().second);
    QVERIFY(probe->Progress.last().second > 0);
    if (!asked.isEmpty()) {
        QCOMPARE(probe->Message, target);
        QCOMPARE(server.Requests(asked), 1);
        QCOMPARE(server.Requests("/files/door.json"), 1);
    }
}

void tst_ComponentDownload::httpFailureLeavesNoFile_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("cutAfter");
    QTest::addColumn<bool>("sendLength");
    QTest::addColumn<QString>("expected");

    const QByteArray good = test::ComponentFileCatalog::MakeFile(QStringLiteral("窗"), {QStringLiteral("C1")}).ToJson();
    const QString failed = QStringLiteral("构件文件下载失败");
    const QString broken = QStringLiteral("构件文件已损坏");
    // Error pages that carry a perfectly good file must still not be taken for one.
    QTest::newRow("not found") << 404 << good << -1 << true << failed;
    QTest::newRow("server error") << 500 << good << -1 << true << failed;
    // A whole file arrives, but the connection closes before all that was promised.
    QTest::newRow("closed early") << 200 << good + QByteArray(4096, ' ') << good.size() << true << failed;
    QTest::newRow("cut without length") << 200 << good << good.size() / 2 << false << broken;
    QTest::newRow("corrupt JSON") << 200 << QByteArray("{\"format\": \"plaza-comp") << -1 << true << broken;
    QTest::newRow("html page") << 200 << QByteArray("<html><body>login</body></html>") << -1 << true << broken;
}

void tst_ComponentDownload::httpFailureLeavesNoFile()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(int, cutAfter);
    QFETCH(bool, sendLength);
    QFETCH(QString, expected);
    test::LocalHttpServer server;
    QVERIFY(server.IsListening());
    test::LocalHttpServer::Answer answer;
    answer.Status = status;
    answer.Body = body;
    answer.CutAfter = cutAfter;
    answer.SendLength = sendLength;
    const QByteArray path = "/files/" + QByteArray(QTest::currentDataTag()).replace(' ', '-') + ".json";
    server.Set(path, answer);
    const QString target = FreshTarget(server.Url(path));
    m_catalog->AddUrl(L"BROKEN", server.Url(path).toString().toStdWString());

    const auto probe = Download(L"BROKEN");
    QVERIFY(probe->Done && !probe->Success && !probe->OffThread);
    QVERIFY2(probe->Message.startsWith(expected), qPrintable(probe->Message));
    QCOMPARE(FilesFor(target), QStringList());
    QCOMPARE(server.Requests(path), 1);
}

void tst_ComponentDownload::failedRefreshKeepsTheCopyThatA304Reuses()
{
    test::LocalHttpServer server;
    QVERIFY(server.IsListening());
    const QByteArray path = "/files/window.json";
    const QString target = FreshTarget(server.Url(path));
    QFile::remove(target + QStringLiteral(".etag"));
    m_catalog->AddUrl(L"WINDOW", server.Url(path).toString().toStdWString());
    test::LocalHttpServer::Answer answer;
    answer.Headers = {{"Content-Type", "application/json"}, {"ETag", "\"v1\""}};
    answer.Body = test::ComponentFileCatalog::MakeFile(QStringLiteral("窗"), {QStringLiteral("C1")}).ToJson();

    // Given a file fetched once with its tag
    server.Set(path, answer);
    QVERIFY(Download(L"WINDOW")->Success);

    // When the server sends a damaged new version, then says nothing changed
    answer.Headers.last().second = "\"v2\"";
    answer.Body = "{\"format\": \"plaza-comp";
    server.Set(path, answer);
    QVERIFY(!Download(L"WINDOW")->Success);
    answer.Status = 304;
    answer.Body.clear();
    server.Set(path, answer);
    const auto reused = Download(L"WINDOW");

    // Then the good copy stayed and is loaded from the cache
    QVERIFY2(reused->Success, qPrintable(reused->Message));
    QCOMPARE(reused->Message, target);
    QCOMPARE(server.Requests(path), 3);
    tarn::ComponentFile file;
    QVERIFY(tarn::ComponentFile::Read(target, file, nullptr));
    QCOMPARE(file.FamilyName, QStringLiteral("窗"));
}

QTEST_MAIN(tst_ComponentDownload)
#include "tst_ComponentDownload.moc"
