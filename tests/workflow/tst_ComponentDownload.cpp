#include "CatalogBackend.h"
#include "ComponentFileCatalog.h"
#include "DownloadPublicComponentWorkflow.h"
#include "PathUtils.h"
#include "WorkflowProbe.h"

#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

using namespace vela;

namespace {

// Serves canned answers by path over plain HTTP, one request per connection.
class TinyHttpServer : public QTcpServer
{
public:
    struct Answer
    {
        int Status = 200;
        QByteArray Body;
    };
    std::map<QByteArray, Answer> Answers;

    TinyHttpServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Serve(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        listen(QHostAddress::LocalHost);
    }

    std::wstring Url(const char* path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(QLatin1String(path)).toStdWString();
    }

private:
    void Serve(QTcpSocket* socket)
    {
        QByteArray& request = m_pending[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n")) {
            return;
        }
        const QByteArray path = request.split(' ').value(1);
        m_pending.remove(socket);
        const auto found = Answers.find(path);
        const Answer answer = found == Answers.end() ? Answer{404, QByteArray("missing")} : found->second;
        socket->write("HTTP/1.1 " + QByteArray::number(answer.Status) + " X\r\nContent-Length: "
                      + QByteArray::number(answer.Body.size()) + "\r\nConnection: close\r\n\r\n" + answer.Body);
        socket->disconnectFromHost();
    }

    QHash<QTcpSocket*, QByteArray> m_pending;
};

PublicComponentWorkflowArgument ArgumentFor(const std::wstring& id)
{
    PublicComponentWorkflowArgument argument;
    argument.ComponentId = id;
    return argument;
}

} // namespace

class tst_ComponentDownload : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void downloadsCheckedFileIntoCache();
    void failsWithMessage_data();
    void failsWithMessage();
    void brokenSourceLeavesCachedCopyIntact();
    void downloadsOverHttp();

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

void tst_ComponentDownload::downloadsCheckedFileIntoCache()
{
    m_catalog->AddComponent(L"DOOR", QStringLiteral("单扇平开门"), {QStringLiteral("M0921"), QStringLiteral("M1021")});

    test::WorkflowProbe probe(DownloadPublicComponentWorkflow::Create(ArgumentFor(L"DOOR"), nullptr));
    QVERIFY(probe.Wait());

    QVERIFY2(probe.Success, qPrintable(probe.Message));
    QVERIFY(!probe.OffThread);
    QVERIFY(probe.Message.startsWith(QString::fromStdWString(PathUtils::GetCacheFolder())));
    tarn::ComponentFile file;
    QVERIFY(tarn::ComponentFile::Read(probe.Message, file, nullptr));
    QCOMPARE(file.FamilyName, QStringLiteral("单扇平开门"));
    QCOMPARE(file.Types.size(), 2);
    QVERIFY(!probe.Progress.isEmpty());
    QCOMPARE(probe.Progress.last().first, probe.Progress.last().second);
    QVERIFY(probe.Progress.last().second > 0);
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

    test::WorkflowProbe probe(DownloadPublicComponentWorkflow::Create(ArgumentFor(componentId.toStdWString()), nullptr));
    QVERIFY(probe.Wait());

    QVERIFY(!probe.Success);
    QVERIFY2(probe.Message.startsWith(expected), qPrintable(probe.Message));
    QVERIFY(!probe.OffThread);
}

void tst_ComponentDownload::brokenSourceLeavesCachedCopyIntact()
{
    // Given a component already downloaded once
    m_catalog->AddComponent(L"LAMP", QStringLiteral("吊灯"), {QStringLiteral("L1")});
    test::WorkflowProbe first(DownloadPublicComponentWorkflow::Create(ArgumentFor(L"LAMP"), nullptr));
    QVERIFY(first.Wait() && first.Success);

    // When the source turns into half a file and is downloaded again
    m_catalog->AddRawFile(L"LAMP", "{\"format\": \"plaza-component\", \"vers");
    test::WorkflowProbe second(DownloadPublicComponentWorkflow::Create(ArgumentFor(L"LAMP"), nullptr));
    QVERIFY(second.Wait());

    // Then the download fails and the cached copy is still the good one
    QVERIFY(!second.Success);
    tarn::ComponentFile file;
    QVERIFY(tarn::ComponentFile::Read(first.Message, file, nullptr));
    QCOMPARE(file.FamilyName, QStringLiteral("吊灯"));
}

void tst_ComponentDownload::downloadsOverHttp()
{
    TinyHttpServer server;
    QVERIFY(server.isListening());
    server.Answers["/door.json"] = {200, test::ComponentFileCatalog::MakeFile(QStringLiteral("门"), {QStringLiteral("M1")}, 900).ToJson()};
    m_catalog->AddUrl(L"HTTP", server.Url("/door.json"));
    m_catalog->AddUrl(L"HTTP404", server.Url("/nothing.json"));

    test::WorkflowProbe good(DownloadPublicComponentWorkflow::Create(ArgumentFor(L"HTTP"), nullptr));
    test::WorkflowProbe missing(DownloadPublicComponentWorkflow::Create(ArgumentFor(L"HTTP404"), nullptr));
    QVERIFY(good.Wait() && missing.Wait());

    QVERIFY2(good.Success, qPrintable(good.Message));
    tarn::ComponentFile file;
    QVERIFY(tarn::ComponentFile::Read(good.Message, file, nullptr));
    QCOMPARE(file.FamilyName, QStringLiteral("门"));
    QVERIFY(!missing.Success);
    QVERIFY2(missing.Message.startsWith(QStringLiteral("构件文件下载失败")), qPrintable(missing.Message));
}

QTEST_MAIN(tst_ComponentDownload)
#include "tst_ComponentDownload.moc"
