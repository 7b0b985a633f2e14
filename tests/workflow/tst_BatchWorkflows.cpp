#include "BatchWorkflow.h"
#include "ComponentFileCatalog.h"
#include "Document.h"
#include "DocumentService.h"
#include "LoadFromPublicIntoDocumentWorkflow.h"
#include "LoadMultiFromPublicIntoDocumentWorkflow.h"
#include "SilentPlazaPublicFamilyLoadOptions.h"
#include "VelaLogger.h"
#include "WorkflowProbe.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vela;

namespace {

// One argument per id; `conflictMode` < 0 leaves the load options empty.
std::vector<PublicComponentWorkflowArgument> Arguments(const QStringList& ids, tarn::RuntimeId document,
                                                       int conflictMode, const QStringList& names = {})
{
    std::vector<PublicComponentWorkflowArgument> arguments;
    for (int i = 0; i < ids.size(); ++i) {
        IComponent component;
        component.Id = ids[i].toStdWString();
        component.Name = names.value(i).toStdWString();
        arguments.emplace_back(component, L"1.0", document,
                               conflictMode < 0 ? nullptr
                                                : std::make_shared<SilentPlazaPublicFamilyLoadOptions>(conflictMode));
    }
    return arguments;
}

// "name：reason" lines, as the failure dialogs list them.
QString FailureLines(const std::vector<WorkflowFailure>& failures)
{
    return QString::fromStdWString(WorkflowFailure::ListText(failures));
}

QStringList FamilyNames(const tarn::Document& document)
{
    QStringList names;
    for (const tarn::Family* family : document.Families()) {
        names << QString::fromStdWString(family->GetName());
    }
    return names;
}

} // namespace

class tst_BatchWorkflows : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void batchLoadsOneAfterAnother_data();
    void batchLoadsOneAfterAnother();
    void multiLoadDownloadsAllBeforeLoading();
    void multiLoadFailures_data();
    void multiLoadFailures();
    void batchWithOneCorruptFileNamesIt_data();
    void batchWithOneCorruptFileNamesIt();
    void longFailureListsAreCapped();

private:
    QTemporaryDir m_folder;
    std::shared_ptr<test::ComponentFileCatalog> m_catalog;
    std::unique_ptr<tarn::Document> m_document;
};

void tst_BatchWorkflows::init()
{
    m_catalog = std::make_shared<test::ComponentFileCatalog>(m_folder.path());
    m_catalog->AddComponent(L"DOOR", QStringLiteral("门"), {QStringLiteral("M0921")});
    m_catalog->AddComponent(L"WINDOW", QStringLiteral("窗"), {QStringLiteral("C1515"), QStringLiteral("C1818")});
    m_catalog->AddRawFile(L"BROKEN", "not a component");
    CatalogBackend::Install(m_catalog);
    m_document = std::make_unique<tarn::Document>(L"项目1");
}

void tst_BatchWorkflows::cleanup()
{
    DocumentService::Get()->SetCurrentDocument(nullptr);
    m_document.reset();
    CatalogBackend::Install(nullptr);
}

void tst_BatchWorkflows::batchLoadsOneAfterAnother_data()
{
    QTest::addColumn<QStringList>("ids");
    QTest::addColumn<int>("conflictMode");
    QTest::addColumn<QString>("phases");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("families");
    QTest::addColumn<QString>("failures");

    const QString door = QStringLiteral("DOOR");
    const QString broken = QStringLiteral("BROKEN");
    const QString nope = QStringLiteral("NOPE");
    QTest::newRow("all loaded, a taken name renamed")
        << QStringList{door, QStringLiteral("WINDOW"), door} << 1 << QStringLiteral("ttt") << QString()
        << QStringList{QStringLiteral("门"), QStringLiteral("窗"), QStringLiteral("门(1)")} << QString();
    QTest::newRow("some failed") << QStringList{door, broken, QStringLiteral("WINDOW"), nope} << 1 << QStringLiteral("tftf")
                                 << QStringLiteral("部分失败") << QStringList{QStringLiteral("门"), QStringLiteral("窗")}
                                 << QStringLiteral("BROKEN：文件已损坏\nNOPE：获取地址失败");
    QTest::newRow("all failed") << QStringList{broken, nope} << 1 << QStringLiteral("ff") << QStringLiteral("全部失败")
                                << QStringList() << QStringLiteral("BROKEN：文件已损坏\nNOPE：获取地址失败");
    // A cancelled name conflict is a failure with its own reason.
    QTest::newRow("conflict cancelled") << QStringList{door, door, nope, broken} << 0 << QStringLiteral("tfff")
                                        << QStringLiteral("部分失败") << QStringList{QStringLiteral("门")}
                                        << QStringLiteral("DOOR：已取消\nNOPE：获取地址失败\nBROKEN：文件已损坏");
}

void tst_BatchWorkflows::batchLoadsOneAfterAnother()
{
    QFETCH(QStringList, ids);
    QFETCH(int, conflictMode);
    QFETCH(QString, phases);
    QFETCH(QString, message);
    QFETCH(QStringList, families);
    QFETCH(QString, failures);

    auto* batch = new BatchWorkflow<LoadFromPublicIntoDocumentWorkflow, PublicComponentWorkflowArgument>(
        Arguments(ids, m_document->GetRuntimeId(), conflictMode), nullptr);
    QString phased;
    connect(batch, &BatchWorkflowBase::Phased, this, [&phased](int index, bool success, const std::wstring&) {
        phased += QString::number(index) + (success ? QLatin1Char('t') : QLatin1Char('f'));
    });
    QString lines;
    connect(batch, &WorkflowBase::Finished, this, [&lines, batch] { lines = FailureLines(batch->Failures()); });
    test::WorkflowProbe probe(batch);
    QVERIFY(probe.Wait());

    QCOMPARE(probe.Success, message.isEmpty());
    QCOMPARE(probe.Message, message);
    QCOMPARE(lines, failures);
    QString expectedPhases;
    for (int i = 0; i < phases.size(); ++i) {
        expectedPhases += QString::number(i) + phases[i];
    }
    QCOMPARE(phased, expectedPhases);
    const float total = float(ids.size());
    QCOMPARE(probe.Progress.first(), qMakePair(0.0f, total));
    QCOMPARE(probe.Progress.last(), qMakePair(total, total));
    // A failed item leaves no trace: only the loaded families, each whole.
    QCOMPARE(FamilyNames(*m_document), families);
    QCOMPARE(m_document->Revision(), quint64(families.size()));
    QVERIFY(!probe.OffThread);
}

void tst_BatchWorkflows::multiLoadDownloadsAllBeforeLoading()
{
    DocumentService::Get()->SetCurrentDocument(m_document.get());
    QStringList events;
    connect(m_document.get(), &tarn::Document::Changed, this, [&events] { events << QStringLiteral("changed"); });
    auto* workflow = LoadMultiFromPublicIntoDocumentWorkflow::Create(
        Arguments({QStringLiteral("DOOR"), QStringLiteral("BROKEN"), QStringLiteral("WINDOW"), QStringLiteral("DOOR")},
                  tarn::RuntimeId::InvalidID, -1),
        nullptr);
    connect(workflow, &WorkflowBase::Progress, this,
            [&events](float done, float total) { events << QStringLiteral("%1/%2").arg(done).arg(total); });
    connect(workflow, &WorkflowBase::Report, this,
            [&events](const std::wstring& message) { events << QString::fromStdWString(message); });
    test::WorkflowProbe probe(workflow);
    QVERIFY(probe.Wait());

    QVERIFY(!probe.Success);
    QCOMPARE(probe.Message, QStringLiteral("部分失败"));
    QCOMPARE(events, (QStringList{QStringLiteral("0/4"), QStringLiteral("1/4"), QStringLiteral("2/4"),
                                  QStringLiteral("3/4"), QStringLiteral("4/4"), QStringLiteral("即将触发批量载入命令"),
                                  QStringLiteral("changed"), QStringLiteral("changed"), QStringLiteral("changed")}));
    QCOMPARE(FamilyNames(*m_document), (QStringList{QStringLiteral("门"), QStringLiteral("窗"), QStringLiteral("门(1)")}));
}

void tst_BatchWorkflows::multiLoadFailures_data()
{
    QTest::addColumn<QStringList>("ids");
    QTest::addColumn<bool>("documentOpen");
    QTest::addColumn<QString>("message");
    QTest::newRow("no document") << QStringList{QStringLiteral("DOOR")} << false << QStringLiteral("没有打开的文档");
    QTest::newRow("every download failed") << QStringList{QStringLiteral("BROKEN"), QStringLiteral("NOPE")} << true
                                           << QStringLiteral("全部失败");
    QTest::newRow("nothing to load") << QStringList() << true << QStringLiteral("全部失败");
}

void tst_BatchWorkflows::multiLoadFailures()
{
    QFETCH(QStringList, ids);
    QFETCH(bool, documentOpen);
    QFETCH(QString, message);
    DocumentService::Get()->SetCurrentDocument(documentOpen ? m_document.get() : nullptr);
    test::WorkflowProbe probe(
        LoadMultiFromPublicIntoDocumentWorkflow::Create(Arguments(ids, tarn::RuntimeId::InvalidID, -1), nullptr));
    QVERIFY(probe.Wait());
    QVERIFY(!probe.Success);
    QCOMPARE(probe.Message, message);
    QVERIFY(probe.Reports.isEmpty());
    QVERIFY(m_document->Families().empty());
}

void tst_BatchWorkflows::batchWithOneCorruptFileNamesIt_data()
{
    QTest::addColumn<bool>("multi");
    QTest::newRow("standard batch") << false;
    QTest::newRow("multi-load") << true;
}

void tst_BatchWorkflows::batchWithOneCorruptFileNamesIt()
{
    // Given three components, the second of whose files does not parse
    QFETCH(bool, multi);
    VelaLogger logger(QString(), false);
    IVelaLogger::Install(&logger);
    DocumentService::Get()->SetCurrentDocument(m_document.get());
    const auto arguments =
        Arguments({QStringLiteral("DOOR"), QStringLiteral("BROKEN"), QStringLiteral("WINDOW")},
                  multi ? tarn::RuntimeId::InvalidID : m_document->GetRuntimeId(), multi ? -1 : 1,
                  {QStringLiteral("门A"), QStringLiteral("坏件B"), QStringLiteral("窗C")});
    WorkflowBase* workflow = nullptr;
    std::vector<WorkflowFailure> failures;
    if (multi) {
        auto* load = LoadMultiFromPublicIntoDocumentWorkflow::Create(arguments, nullptr);
        connect(load, &WorkflowBase::Finished, this, [&failures, load] { failures = load->Failures(); });
        workflow = load;
    } else {
        auto* batch = new BatchWorkflow<LoadFromPublicIntoDocumentWorkflow, PublicComponentWorkflowArgument>(arguments,
                                                                                                           nullptr);
        connect(batch, &WorkflowBase::Finished, this, [&failures, batch] { failures = batch->Failures(); });
        workflow = batch;
    }
    test::WorkflowProbe probe(workflow);
    const bool done = probe.Wait();
    IVelaLogger::Install(nullptr);
    QVERIFY(done);

    // Then the others are loaded and only the corrupt one is named, with its reason
    QCOMPARE(FamilyNames(*m_document), (QStringList{QStringLiteral("门"), QStringLiteral("窗")}));
    QVERIFY(!probe.Success);
    // Both keep the bare text their callers compare; the list is beside it
    QCOMPARE(probe.Message, QStringLiteral("部分失败"));
    QCOMPARE(FailureLines(failures), QStringLiteral("坏件B：文件已损坏"));
    QCOMPARE(failures.front().Index, 1);
    QCOMPARE(QString::fromStdWString(failures.front().ComponentId), QStringLiteral("BROKEN"));

    // And the log holds the component with the full message
    const QStringList lines = logger.Lines().filter(QStringLiteral("BROKEN"));
    QVERIFY(!lines.isEmpty());
    QVERIFY(lines.first().contains(QStringLiteral("坏件B")));
    QVERIFY2(lines.first().contains(QStringLiteral("构件文件已损坏")), qPrintable(lines.first()));
}

void tst_BatchWorkflows::longFailureListsAreCapped()
{
    // Twelve components without a file: ten are named in batch order, then the count.
    DocumentService::Get()->SetCurrentDocument(m_document.get());
    QStringList ids;
    QStringList expected;
    for (int i = 0; i < 12; ++i) {
        ids << QStringLiteral("GONE%1").arg(i);
        if (i < 10) {
            expected << ids.last() + QStringLiteral("：获取地址失败");
        }
    }
    expected << QStringLiteral("… 等 12 个");
    auto* load = LoadMultiFromPublicIntoDocumentWorkflow::Create(Arguments(ids, tarn::RuntimeId::InvalidID, -1), nullptr);
    QString lines;
    connect(load, &WorkflowBase::Finished, this, [&lines, load] { lines = FailureLines(load->Failures()); });
    test::WorkflowProbe probe(load);
    QVERIFY(probe.Wait());
    QCOMPARE(probe.Message, QStringLiteral("全部失败"));
    QCOMPARE(lines.split(QLatin1Char('\n')), expected);
}

QTEST_MAIN(tst_BatchWorkflows)
#include "tst_BatchWorkflows.moc"
