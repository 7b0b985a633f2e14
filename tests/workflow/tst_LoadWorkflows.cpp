#include "ComponentDownloadHub.h"
#include "ComponentFileCatalog.h"
#include "Document.h"
#include "DocumentService.h"
#include "LoadFromPublicIntoDocumentWorkflow.h"
#include "LoadFromPublicIntoDocumentWorkflow4Lumen.h"
#include "PlaceFromPublicIntoDocumentWorkflow.h"
#include "WorkflowProbe.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <functional>
#include <utility>

using namespace vela;

namespace {

// Answers a name conflict with a fixed action and remembers what it was told.
struct ScriptedConflictAnswer : IVelaFamilyLoadOptions
{
    ScriptedConflictAnswer(int action, std::shared_ptr<tarn::IFamilyLoadOptions> host) : Action(action), Host(std::move(host)) {}
    std::shared_ptr<tarn::IFamilyLoadOptions> GetFamilyLoadOptions(FamilyConflictAction& action,
                                                                   const FamilyConflictInfo& info) override
    {
        Asked.push_back(info);
        if (Meanwhile) {
            std::exchange(Meanwhile, nullptr)();
        }
        action = static_cast<FamilyConflictAction>(Action);
        return Host;
    }
    // Runs once, while the first question is "on screen".
    std::function<void()> Meanwhile;
    int Action;
    std::shared_ptr<tarn::IFamilyLoadOptions> Host;
    std::vector<FamilyConflictInfo> Asked;
};

// Picks the candidate of a given name (none when empty) and records each question.
struct PickByName : tarn::IFamilyLoadOptions
{
    explicit PickByName(std::wstring pick) : Pick(std::move(pick)) {}
    tarn::UniIdentity ChooseReplacementType(const std::wstring& typeName, int32_t count,
                                            const std::vector<tarn::IFamilyType*>& candidates) override
    {
        Questions.push_back(QStringLiteral("%1×%2").arg(QString::fromStdWString(typeName)).arg(count));
        const auto found = std::find_if(candidates.begin(), candidates.end(),
                                        [this](tarn::IFamilyType* type) { return type->GetName() == Pick; });
        return found == candidates.end() ? tarn::UniIdentity() : (*found)->GetUniIdentity();
    }
    bool TryChooseReplacementType(const std::wstring& typeName, int32_t count,
                                  const std::vector<tarn::IFamilyType*>& candidates, tarn::UniIdentity& chosen) override
    {
        chosen = ChooseReplacementType(typeName, count, candidates);
        return !chosen.IsValid();
    }
    int GetFamilyFoundStrategy() override { return tarn::OverwriteExisting; }
    std::wstring Pick;
    QStringList Questions;
};

// "family: type[instances] type[instances]" for each family, in order.
QStringList Contents(const tarn::Document& document)
{
    QStringList lines;
    for (const tarn::Family* family : document.Families()) {
        QString line = QString::fromStdWString(family->GetName()) + QLatin1Char(':');
        for (const auto& type : family->Types()) {
            line += QStringLiteral(" %1[%2]").arg(QString::fromStdWString(type->GetName()))
                        .arg(document.InstanceCount(type->GetUniIdentity()));
        }
        lines << line;
    }
    return lines;
}

} // namespace

class tst_LoadWorkflows : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    // First: it must be the first to reach the download hub.
    void loadsFamilyAndTypes();
    void takenNameIsRenamed();
    void overwriteSettlesLackingTypes_data();
    void overwriteSettlesLackingTypes();
    void cancelledConflictChangesNothing_data();
    void cancelledConflictChangesNothing();
    void brokenFileChangesNothing();
    void targetDocumentMustExist_data();
    void targetDocumentMustExist();
    void documentClosedDuringDownload();
    void placeReportsThenPlacesSideBySide();
    void lumenLoadsIntoOpenDocumentElseIntoLibrary();
    void renameGivesTheNameTheQuestionShowed();

private:
    // Runs a load into the test document to its end.
    const test::WorkflowProbe& Load(const std::wstring& id, std::shared_ptr<IVelaFamilyLoadOptions> options = nullptr);

    std::vector<std::unique_ptr<test::WorkflowProbe>> m_probes;
    QTemporaryDir m_folder;
    std::shared_ptr<test::ComponentFileCatalog> m_catalog;
    std::unique_ptr<tarn::Document> m_document;
};

void tst_LoadWorkflows::init()
{
    m_catalog = std::make_shared<test::ComponentFileCatalog>(m_folder.path());
    m_catalog->AddComponent(L"DOOR", QStringLiteral("门"), {QStringLiteral("M0921"), QStringLiteral("M1021")});
    m_catalog->AddComponent(L"DOOR2", QStringLiteral("门"), {QStringLiteral("M0921"), QStringLiteral("M1221")});
    m_catalog->AddRawFile(L"BROKEN", "{\"format\": \"plaza-component\", \"version\": 1, \"familyName\": \"门\"");
    CatalogBackend::Install(m_catalog);
    m_document = std::make_unique<tarn::Document>(L"项目1");
}

void tst_LoadWorkflows::cleanup()
{
    m_probes.clear();
    DocumentService::Get()->SetCurrentDocument(nullptr);
    m_document.reset();
    CatalogBackend::Install(nullptr);
}

const test::WorkflowProbe& tst_LoadWorkflows::Load(const std::wstring& id, std::shared_ptr<IVelaFamilyLoadOptions> options)
{
    m_probes.push_back(test::WorkflowProbe::Run(LoadFromPublicIntoDocumentWorkflow::Create(
        test::ArgumentFor(id, m_document->GetRuntimeId(), std::move(options)), nullptr)));
    return *m_probes.back();
}

void tst_LoadWorkflows::loadsFamilyAndTypes()
{
    // Given the download hub first asked for by two worker threads at once
    ComponentDownloadHub* hubs[2] = {nullptr, nullptr};
    std::unique_ptr<QThread> first(QThread::create([&hubs] { hubs[0] = ComponentDownloadHub::Get(); }));
    std::unique_ptr<QThread> second(QThread::create([&hubs] { hubs[1] = ComponentDownloadHub::Get(); }));
    first->start();
    second->start();
    QVERIFY(first->wait(5000) && second->wait(5000));
    QSignalSpy changed(m_document.get(), &tarn::Document::Changed);
    const test::WorkflowProbe& probe = Load(L"DOOR");

    // Then there is one hub, living here, and the load reports back here
    QVERIFY(hubs[0] && hubs[0] == hubs[1]);
    QCOMPARE(hubs[0]->thread(), QCoreApplication::instance()->thread());
    QCOMPARE(hubs[0]->parent(), QCoreApplication::instance());
    QVERIFY2(probe.Success, qPrintable(probe.Message));
    QVERIFY(!probe.OffThread);
    QCOMPARE(probe.Message, QStringLiteral("门"));
    QCOMPARE(Contents(*m_document), QStringList{QStringLiteral("门: M0921[0] M1021[0]")});
    QCOMPARE(changed.count(), 1);
    const tarn::FamilyType* type = m_document->Families().front()->Types().front().get();
    QVERIFY(type->GetUniIdentity().IsValid());
    QCOMPARE(type->Parameters().front().Value, QStringLiteral("900"));
    QCOMPARE(probe.Reports, (QStringList{QStringLiteral("正在下载构件文件..."), QStringLiteral("正在载入构件...")}));
}

void tst_LoadWorkflows::takenNameIsRenamed()
{
    // Without load options nobody is asked and the name is changed
    for (int i = 0; i < 3; ++i) {
        QVERIFY(Load(L"DOOR").Success);
    }
    QCOMPARE(Contents(*m_document), (QStringList{QStringLiteral("门: M0921[0] M1021[0]"),
                                                 QStringLiteral("门(1): M0921[0] M1021[0]"),
                                                 QStringLiteral("门(2): M0921[0] M1021[0]")}));
}

void tst_LoadWorkflows::overwriteSettlesLackingTypes_data()
{
    QTest::addColumn<QString>("pick");
    QTest::addColumn<QString>("contents");
    QTest::newRow("replacement chosen: instance moves") << QStringLiteral("M1221") << QStringLiteral("门: M0921[1] M1221[1]");
    QTest::newRow("nothing chosen: instance deleted") << QString() << QStringLiteral("门: M0921[1] M1221[0]");
}

void tst_LoadWorkflows::overwriteSettlesLackingTypes()
{
    QFETCH(QString, pick);
    QFETCH(QString, contents);
    // Given 门 with one instance of each of its types M0921 and M1021
    QVERIFY(Load(L"DOOR").Success);
    for (const auto& type : m_document->Families().front()->Types()) {
        QVERIFY(m_document->PlaceInstance(type->GetUniIdentity(), {0, 0, 0}).IsValid());
    }

    // When a 门 with M0921 and M1221 overwrites it, with `pick` chosen for the lacking M1021
    auto host = std::make_shared<PickByName>(pick.toStdWString());
    auto answer = std::make_shared<ScriptedConflictAnswer>(2, host);
    const test::WorkflowProbe& probe = Load(L"DOOR2", answer);

    // Then the namesake keeps its instance and only the lacking type was asked about
    QVERIFY2(probe.Success, qPrintable(probe.Message));
    QVERIFY(answer->Asked.front().HasInstancesInCanvas);
    QCOMPARE(host->Questions, QStringList{QStringLiteral("M1021×1")});
    QCOMPARE(Contents(*m_document), QStringList{contents});
}

void tst_LoadWorkflows::cancelledConflictChangesNothing_data()
{
    QTest::addColumn<int>("action");
    QTest::newRow("cancel") << 3;
    QTest::newRow("unknown answer") << 7;
}

void tst_LoadWorkflows::cancelledConflictChangesNothing()
{
    QFETCH(int, action);
    QVERIFY(Load(L"DOOR").Success);
    const quint64 revision = m_document->Revision();

    const test::WorkflowProbe& probe = Load(L"DOOR2", std::make_shared<ScriptedConflictAnswer>(action, nullptr));
    QVERIFY(!probe.Success);
    QCOMPARE(probe.Message, QStringLiteral("操作取消"));
    QCOMPARE(m_document->Revision(), revision);
    QCOMPARE(Contents(*m_document), QStringList{QStringLiteral("门: M0921[0] M1021[0]")});
}

void tst_LoadWorkflows::brokenFileChangesNothing()
{
    QSignalSpy changed(m_document.get(), &tarn::Document::Changed);
    const test::WorkflowProbe& probe = Load(L"BROKEN");
    QVERIFY(!probe.Success);
    QVERIFY2(probe.Message.startsWith(QStringLiteral("构件文件已损坏")), qPrintable(probe.Message));
    QCOMPARE(changed.count(), 0);
    QVERIFY(m_document->Families().empty());
}

void tst_LoadWorkflows::targetDocumentMustExist_data()
{
    QTest::addColumn<qint64>("documentId");
    QTest::addColumn<QString>("expected");
    QTest::newRow("invalid id") << qint64(0) << QStringLiteral("目标文档无效");
    QTest::newRow("unknown id") << (qint64(1) << 40) << QStringLiteral("找不到目标文档");
}

void tst_LoadWorkflows::targetDocumentMustExist()
{
    QFETCH(qint64, documentId);
    QFETCH(QString, expected);
    test::WorkflowProbe load(LoadFromPublicIntoDocumentWorkflow::Create(test::ArgumentFor(L"DOOR", tarn::RuntimeId(documentId)), nullptr));
    test::WorkflowProbe place(PlaceFromPublicIntoDocumentWorkflow::Create(test::ArgumentFor(L"DOOR", tarn::RuntimeId(documentId)), nullptr));
    QVERIFY(load.Wait() && place.Wait());
    QCOMPARE(load.Message, expected);
    QCOMPARE(place.Message, expected);
    QVERIFY(!load.Success && !place.Success);
}

void tst_LoadWorkflows::documentClosedDuringDownload()
{
    test::WorkflowProbe probe(LoadFromPublicIntoDocumentWorkflow::Create(test::ArgumentFor(L"DOOR", m_document->GetRuntimeId()), nullptr));
    QTRY_VERIFY(!probe.Reports.isEmpty());
    m_document.reset();
    QVERIFY(probe.Wait());
    QVERIFY(!probe.Success);
    QCOMPARE(probe.Message, QStringLiteral("目标文档已关闭"));
}

void tst_LoadWorkflows::placeReportsThenPlacesSideBySide()
{
    QStringList events;
    for (int i = 0; i < 2; ++i) {
        auto* workflow = PlaceFromPublicIntoDocumentWorkflow::Create(test::ArgumentFor(L"DOOR", m_document->GetRuntimeId()), nullptr);
        // The instance must not exist yet when the command is announced.
        connect(workflow, &WorkflowBase::Report, this, [&](const std::wstring& message) {
            if (message == L"即将触发命令") {
                events << QStringLiteral("report with %1 instances").arg(m_document->Instances().size());
            }
        });
        test::WorkflowProbe probe(workflow);
        QVERIFY(probe.Wait());
        QVERIFY2(probe.Success, qPrintable(probe.Message));
    }
    QCOMPARE(events, (QStringList{QStringLiteral("report with 0 instances"), QStringLiteral("report with 1 instances")}));
    QCOMPARE(Contents(*m_document), (QStringList{QStringLiteral("门: M0921[1] M1021[0]"), QStringLiteral("门(1): M0921[1] M1021[0]")}));
    const auto& instances = m_document->Instances();
    QCOMPARE(instances[0].Position[0], 0.0);
    QCOMPARE(instances[1].Position[0], 1400.0); // after the first door's 900 mm and a 500 mm gap
}

void tst_LoadWorkflows::lumenLoadsIntoOpenDocumentElseIntoLibrary()
{
    DocumentService::Get()->SetCurrentDocument(m_document.get());
    QVERIFY(test::WorkflowProbe::Run(LoadFromPublicIntoDocumentWorkflow4Lumen::Create(test::ArgumentFor(L"DOOR"), nullptr))->Success);
    QCOMPARE(Contents(*m_document), QStringList{QStringLiteral("门: M0921[0] M1021[0]")});

    DocumentService::Get()->SetCurrentDocument(nullptr);
    const auto intoLibrary = test::WorkflowProbe::Run(LoadFromPublicIntoDocumentWorkflow4Lumen::Create(test::ArgumentFor(L"DOOR2"), nullptr));
    QVERIFY2(intoLibrary->Success, qPrintable(intoLibrary->Message));
    QCOMPARE(intoLibrary->Message,
             QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/library/DOOR2.json"));
    tarn::ComponentFile kept;
    QVERIFY(tarn::ComponentFile::Read(intoLibrary->Message, kept, nullptr));
    QCOMPARE(kept.Types.size(), 2);
    QCOMPARE(m_document->Families().size(), size_t(1));
}

void tst_LoadWorkflows::renameGivesTheNameTheQuestionShowed()
{
    QVERIFY(Load(L"DOOR").Success);
    // Given a rename question promising 门(1), and another 门 loaded while it is open
    auto answer = std::make_shared<ScriptedConflictAnswer>(1, nullptr);
    answer->Meanwhile = [this] {
        QVERIFY(m_document->LoadFamily(std::make_shared<tarn::ComponentFile>(test::ComponentFileCatalog::MakeFile(
                                           QStringLiteral("门"), {QStringLiteral("M0921")}, 900)),
                                       tarn::KeepExistingAndRename, nullptr, nullptr));
    };

    // When the user answers rename
    const test::WorkflowProbe& probe = Load(L"DOOR2", answer);

    // Then the promised name was taken, so the user was asked again, and the
    // family got the name the second question showed
    QVERIFY2(probe.Success, qPrintable(probe.Message));
    QCOMPARE(answer->Asked.size(), size_t(2));
    QCOMPARE(answer->Asked[0].ExistingName, std::wstring(L"门"));
    QVERIFY(!answer->Asked[0].HasInstancesInCanvas);
    QCOMPARE(answer->Asked[0].RenamedName, std::wstring(L"门(1)"));
    QCOMPARE(answer->Asked[1].RenamedName, std::wstring(L"门(2)"));
    QCOMPARE(Contents(*m_document), (QStringList{QStringLiteral("门: M0921[0] M1021[0]"), QStringLiteral("门(1): M0921[0]"),
                                                 QStringLiteral("门(2): M0921[0] M1221[0]")}));
}

QTEST_MAIN(tst_LoadWorkflows)
#include "tst_LoadWorkflows.moc"
