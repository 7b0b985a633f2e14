#include "CatalogBackend.h"
#include "ComponentFileCatalog.h"
#include "DocumentService.h"
#include "DownloadPublicComponentWorkflow.h"
#include "FullFolder.h"
#include "GoneServer.h"
#include "HostNetworkDetector.h"
#include "LoadFromPublicIntoDocumentWorkflow4Lumen.h"
#include "LocalHttpServer.h"
#include "PathUtils.h"
#include "WorkflowProbe.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace vela;

namespace {

// Short limits so that slow servers show within a test: the whole transfer,
// silence on the connection, and the time after which a transfer counts as slow.
constexpr int DeadlineMs = 1500;
constexpr int IdleTimeoutMs = 400;
constexpr int SlowAfterMs = 100;

QString ComponentCacheFolder()
{
    return QFileInfo(QString::fromStdWString(PathUtils::GetComponentDownloadFilePath(L"any", L".json"))).absolutePath();
}

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QString FamilyIn(const QString& path)
{
    tarn::ComponentFile file;
    return tarn::ComponentFile::Read(path, file, nullptr) ? file.FamilyName : QStringLiteral("<unreadable>");
}

// A valid component file, padded so that dripping it takes far longer than any test.
QByteArray SlowBody()
{
    return test::ComponentFileCatalog::MakeFile(QStringLiteral("慢门"), {QStringLiteral("M1")}).ToJson()
           + QByteArray(2000, ' ');
}

} // namespace

class tst_DownloadFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void fullFolderKeepsTheSavedCopy_data();
    void fullFolderKeepsTheSavedCopy();
    void slowServerTimesOut_data();
    void slowServerTimesOut();
    void slowTransfersDoNotStallOthers_data();
    void slowTransfersDoNotStallOthers();
    void unreachableServerTurnsTheHostOffline_data();
    void unreachableServerTurnsTheHostOffline();

private:
    QTemporaryDir m_folder;
    std::shared_ptr<test::ComponentFileCatalog> m_catalog;
};

void tst_DownloadFaults::initTestCase()
{
    // Read once, when the download thread starts with the first download.
    qputenv("PLAZA_DOWNLOAD_DEADLINE_MS", QByteArray::number(DeadlineMs));
    qputenv("PLAZA_DOWNLOAD_IDLE_TIMEOUT_MS", QByteArray::number(IdleTimeoutMs));
    qputenv("PLAZA_DOWNLOAD_SLOW_AFTER_MS", QByteArray::number(SlowAfterMs));
}

void tst_DownloadFaults::init()
{
    m_catalog = std::make_shared<test::ComponentFileCatalog>(m_folder.path());
    CatalogBackend::Install(m_catalog);
}

void tst_DownloadFaults::cleanup()
{
    HostNetworkDetector::Get()->Watch(QUrl());
    CatalogBackend::Install(nullptr);
}

void tst_DownloadFaults::fullFolderKeepsTheSavedCopy_data()
{
    QTest::addColumn<bool>("library");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("failure");
    const QString cacheFailure = QStringLiteral("无法保存构件文件");
    QTest::newRow("full cache") << false << int(test::FullFolder::Mode::NoSpace) << cacheFailure;
    QTest::newRow("read-only cache") << false << int(test::FullFolder::Mode::ReadOnly) << cacheFailure;
    QTest::newRow("full library") << true << int(test::FullFolder::Mode::NoSpace) << QStringLiteral("无法保存到本地构件库");
}

void tst_DownloadFaults::fullFolderKeepsTheSavedCopy()
{
    // Given a component saved once into a folder that then stops taking data: the download
    // cache, or the local library that keeps it when no document is open
    QFETCH(bool, library);
    QFETCH(int, mode);
    QFETCH(QString, failure);
    DocumentService::Get()->SetCurrentDocument(nullptr);
    const QString folder = library ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/library")
                                   : ComponentCacheFolder();
    const auto save = [library] {
        const PublicComponentWorkflowArgument argument = test::ArgumentFor(L"LAMP");
        if (library) {
            return test::WorkflowProbe::Run(LoadFromPublicIntoDocumentWorkflow4Lumen::Create(argument, nullptr));
        }
        return test::WorkflowProbe::Run(DownloadPublicComponentWorkflow::Create(argument, nullptr));
    };
    test::FullFolder full(folder);
    QVERIFY2(full.IsReady(), qPrintable(full.Problem()));
    m_catalog->AddComponent(L"LAMP", QStringLiteral("吊灯"), {QStringLiteral("L1")});
    const auto first = save();
    QVERIFY2(first->Success, qPrintable(first->Message));
    QVERIFY2(full.Seal(test::FullFolder::Mode(mode)), qPrintable(full.Problem()));
    const QStringList sealed = Entries(folder);

    // When a newer version of it is saved again
    m_catalog->AddComponent(L"LAMP", QStringLiteral("新吊灯"), {QStringLiteral("L1"), QStringLiteral("L2")});
    const auto second = save();

    // Then it fails saying why, the saved copy is the old one and nothing is left behind
    QVERIFY(second->Done && !second->Success);
    QVERIFY2(second->Message.startsWith(failure), qPrintable(second->Message));
    QVERIFY2(second->Message.contains(full.ExpectedReason()), qPrintable(second->Message));
    QCOMPARE(second->Reason, full.ExpectedReason());
    QCOMPARE(FamilyIn(first->Message), QStringLiteral("吊灯"));
    QCOMPARE(Entries(folder), sealed);
}

void tst_DownloadFaults::slowServerTimesOut_data()
{
    QTest::addColumn<int>("intervalMs");
    // Never silent long enough for the idle timeout: only the deadline ends it.
    QTest::newRow("dripping server") << 20;
    QTest::newRow("silent server") << 60000;
}

void tst_DownloadFaults::slowServerTimesOut()
{
    QFETCH(int, intervalMs);
    test::LocalHttpServer server;
    QVERIFY(server.IsListening());
    const QUrl url = server.Url("/slow-" + QByteArray::number(intervalMs) + ".json");
    server.SetDrip(url.path().toUtf8(), SlowBody(), intervalMs);
    m_catalog->AddUrl(L"SLOW", url.toString().toStdWString());
    const QString target = QString::fromStdWString(PathUtils::GetComponentDownloadFilePath(url.toString().toStdWString(), L".json"));

    test::WorkflowProbe probe(DownloadPublicComponentWorkflow::Create(test::ArgumentFor(L"SLOW"), nullptr));
    QVERIFY(probe.Wait(10000));

    // Cut off by us, which is not the user cancelling it.
    QVERIFY(!probe.Success);
    QVERIFY2(probe.Message.startsWith(QStringLiteral("构件文件下载超时")), qPrintable(probe.Message));
    QVERIFY2(!probe.Message.contains(QStringLiteral("cancel"), Qt::CaseInsensitive), qPrintable(probe.Message));
    QVERIFY(!QFileInfo::exists(target));
}

void tst_DownloadFaults::slowTransfersDoNotStallOthers_data()
{
    QTest::addColumn<int>("slowCount");
    QTest::addColumn<bool>("quickFirst");
    // More than may run at once: the slow ones are set aside for the quick one.
    QTest::newRow("five slow") << 5 << true;
    // As many as may be in flight to one server: the quick one waits its turn without
    // its clock running, where Qt's own queue would time it out unsent.
    QTest::newRow("six slow") << 6 << false;
}

void tst_DownloadFaults::slowTransfersDoNotStallOthers()
{
    // Given dripping downloads from one server
    QFETCH(int, slowCount);
    QFETCH(bool, quickFirst);
    test::LocalHttpServer server;
    QVERIFY(server.IsListening());
    std::vector<std::unique_ptr<test::WorkflowProbe>> slow;
    for (int i = 0; i < slowCount; ++i) {
        const std::wstring id = L"SLOW" + std::to_wstring(i);
        const QByteArray path = "/slow-" + QByteArray::number(i) + ".json";
        server.SetDrip(path, SlowBody(), 20);
        m_catalog->AddUrl(id, server.Url(path).toString().toStdWString());
        slow.push_back(std::make_unique<test::WorkflowProbe>(DownloadPublicComponentWorkflow::Create(test::ArgumentFor(id), nullptr)));
    }

    // When a quick download is asked of the same server
    server.SetBody("/quick.json", test::ComponentFileCatalog::MakeFile(QStringLiteral("门"), {QStringLiteral("M1")}).ToJson(),
                   "application/json");
    m_catalog->AddUrl(L"QUICK", server.Url("/quick.json").toString().toStdWString());
    test::WorkflowProbe quick(DownloadPublicComponentWorkflow::Create(test::ArgumentFor(L"QUICK"), nullptr));
    QVERIFY(quick.Wait(10000));

    // Then it arrives, before the slow ones are cut off at their deadline when there is room
    QVERIFY2(quick.Success, qPrintable(quick.Message));
    const bool anySlowDone = std::any_of(slow.begin(), slow.end(), [](const auto& probe) { return probe->Done; });
    QCOMPARE(!anySlowDone, quickFirst);
    for (const auto& probe : slow) {
        QVERIFY(probe->Wait(10000));
        QVERIFY2(probe->Message.startsWith(QStringLiteral("构件文件下载超时")), qPrintable(probe->Message));
    }
}

void tst_DownloadFaults::unreachableServerTurnsTheHostOffline_data()
{
    QTest::addColumn<bool>("fromWatchedServer");
    QTest::newRow("the catalog server") << true;
    // Another host being down says nothing about the catalog server.
    QTest::newRow("another server") << false;
}

void tst_DownloadFaults::unreachableServerTurnsTheHostOffline()
{
    QFETCH(bool, fromWatchedServer);
    const QUrl watched = test::ClosedServerUrl();
    QUrl other = watched;
    other.setHost(QStringLiteral("127.0.0.2"));
    HostNetworkDetector* detector = test::WatchWithoutProbes(watched);
    const QUrl file = (fromWatchedServer ? watched : other).resolved(QUrl(QStringLiteral("files/gone.json")));
    m_catalog->AddUrl(L"GONE", file.toString().toStdWString());

    test::WorkflowProbe probe(DownloadPublicComponentWorkflow::Create(test::ArgumentFor(L"GONE"), nullptr));
    QVERIFY(probe.Wait());
    QVERIFY(!probe.Success);
    if (fromWatchedServer) {
        QTRY_VERIFY(detector->IsOffline());
    } else {
        QCoreApplication::processEvents();
        QVERIFY(!detector->IsOffline());
    }
}

QTEST_MAIN(tst_DownloadFaults)
#include "tst_DownloadFaults.moc"
