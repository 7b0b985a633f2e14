#include "BatchWorkflow.h"
#include "ComponentFileCatalog.h"
#include "Document.h"
#include "DocumentService.h"
#include "LoadFromPublicIntoDocumentWorkflow.h"
#include "LoadMultiFromPublicIntoDocumentWorkflow.h"
#include "SilentPlazaPublicFamilyLoadOptions.h"
#include "WorkflowProbe.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vela;

namespace {

std::vector<PublicComponentWorkflowArgument> Arguments(const QStringList& ids, tarn::RuntimeId document, bool silentOptions)
{
    std::vector<PublicComponentWorkflowArgument> arguments;
    for (const QString& id : ids) {
        IComponent component;
        component.Id = id.toStdWString();
        arguments.emplace_back(component, L"1.0", document,
                               silentOptions ? std::make_shared<SilentPlazaPublicFamilyLoadOptions>(1) : nullptr);
    }
    return arguments;
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
    QTest::addColumn<QString>("phases");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("families");

    QTest::newRow("all loaded, a taken name renamed")
        << QStringList{QStringLiteral("DOOR"), QStringLiteral("WINDOW"), QStringLiteral("DOOR")} << QStringLiteral("ttt")
        << QString() << QStringList{QStringLiteral("门"), QStringLiteral("窗"), QStringLiteral("门(1)")};
    QTest::newRow("some failed")
        << QStringList{QStringLiteral("DOOR"), QStringLiteral("BROKEN"), QStringLiteral("WINDOW"), QStringLiteral("NOPE")}
        << QStringLiteral("tftf") << QStringLiteral("部分失败") << QStringList{QStringLiteral("门"), QStringLiteral("窗")};
    QTest::newRow("all failed") << QStringList{QStringLiteral("BROKEN"), QStringLiteral("NOPE")} << QStringLiteral("ff")
                                << QStringLiteral("全部失败") << QStringList();
}

void tst_BatchWorkflows::batchLoadsOneAfterAnother()
{
    QFETCH(QStringList, ids);
    QFETCH(QString, phases);
    QFETCH(QString, message);
    QFETCH(QStringList, families);

    auto* batch = new BatchWorkflow<LoadFromPublicIntoDocumentWorkflow, PublicComponentWorkflowArgument>(
        Arguments(ids, m_document->GetRuntimeId(), true), nullptr);
    QString phased;
    connect(batch, &BatchWorkflowBase::Phased, this, [&phased](int index, bool success, const std::wstring&) {
        phased += QString::number(index) + (success ? QLatin1Char('t') : QLatin1Char('f'));
    });
    test::WorkflowProbe probe(batch);
    QVERIFY(probe.Wait());

    QCOMPARE(probe.Success, message.isEmpty());
    QCOMPARE(probe.Message, message);
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
                  tarn::RuntimeId::InvalidID, false),
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
        LoadMultiFromPublicIntoDocumentWorkflow::Create(Arguments(ids, tarn::RuntimeId::InvalidID, false), nullptr));
    QVERIFY(probe.Wait());
    QVERIFY(!probe.Success);
    QCOMPARE(probe.Message, message);
    QVERIFY(probe.Reports.isEmpty());
    QVERIFY(m_document->Families().empty());
}

QTEST_MAIN(tst_BatchWorkflows)
#include "tst_BatchWorkflows.moc"
