#include "AppService.h"
#include "ComponentFileCatalog.h"
#include "Document.h"
#include "DocumentService.h"
#include "KelBulletin.h"
#include "KelMessageDialog.h"
#include "PlazaMainWindow.h"
#include "PlazaPublicComponentsTableModel.h"
#include "PlazaPublicComponentsTableView.h"
#include "VelaLogger.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace vela;

// What the batch load tells the user and the log when some components fail.
class tst_PlazaPublicPageBatchFailures : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void batchWithOneCorruptFileNamesIt_data();
    void batchWithOneCorruptFileNamesIt();

private:
    void CheckAndLoad(const QList<int>& rows);

    QTemporaryDir m_folder;
    std::shared_ptr<test::ComponentFileCatalog> m_catalog;
    std::unique_ptr<AppService> m_app;
    std::unique_ptr<tarn::Document> m_document;
    std::unique_ptr<VelaLogger> m_logger;
    PlazaMainWindow* m_window = nullptr;
    PlazaPublicComponentsTableModel* m_table = nullptr;
};

void tst_PlazaPublicPageBatchFailures::init()
{
    // Rows 0..5 are 木门0, 铝窗1, 木门2, ...; only the first four have files, and 木门2's is corrupt.
    m_catalog = std::make_shared<test::ComponentFileCatalog>(m_folder.path());
    const auto sample = test::MakeSampleBackend(6);
    m_catalog->Categories = sample->Categories;
    m_catalog->Components = sample->Components;
    m_catalog->AddComponent(L"C0000", QStringLiteral("木门A"), {QStringLiteral("M0921")});
    m_catalog->AddComponent(L"C0001", QStringLiteral("铝窗B"), {QStringLiteral("C1515")});
    m_catalog->AddRawFile(L"C0002", QByteArray("{ not a component"));
    m_catalog->AddComponent(L"C0003", QStringLiteral("铝窗C"), {QStringLiteral("C1818")});
    CatalogBackend::Install(m_catalog);

    m_logger = std::make_unique<VelaLogger>(QString(), false);
    IVelaLogger::Install(m_logger.get());
    m_document = std::make_unique<tarn::Document>(L"项目1");
    DocumentService::Get()->SetCurrentDocument(m_document.get());
    KelBulletin::ClearHistory();
    KelMessageDialog::ClearHistory();
    KelMessageDialog::ClearQueuedAnswers();

    PlazaMainWindow::Initialize();
    m_window = PlazaMainWindow::Get();
    m_table = m_window->findChild<PlazaPublicComponentsTableView*>()->Model();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QTRY_COMPARE(m_table->rowCount(), 6);
}

void tst_PlazaPublicPageBatchFailures::cleanup()
{
    PlazaMainWindow::Destroy();
    DocumentService::Get()->SetCurrentDocument(nullptr);
    m_document.reset();
    AppService::Install(nullptr);
    IVelaLogger::Install(nullptr);
    CatalogBackend::Install(nullptr);
}

void tst_PlazaPublicPageBatchFailures::CheckAndLoad(const QList<int>& rows)
{
    for (int row : rows) {
        QVERIFY(m_table->setData(m_table->index(row, 0), true, Qt::UserRole));
    }
    KelMessageDialog::QueueAnswer(1);
    m_window->findChild<QPushButton*>(QStringLiteral("PlazaPublicBatchLoadButton"))->click();
}

void tst_PlazaPublicPageBatchFailures::batchWithOneCorruptFileNamesIt_data()
{
    QTest::addColumn<bool>("multi");
    QTest::addColumn<QString>("text");
    QTest::newRow("standard batch") << false << QStringLiteral("部分构件载入失败，请检查网络后重试\n\n木门2：文件已损坏");
    QTest::newRow("multi-load") << true << QStringLiteral("部分失败\n\n木门2：文件已损坏");
}

void tst_PlazaPublicPageBatchFailures::batchWithOneCorruptFileNamesIt()
{
    QFETCH(bool, multi);
    QFETCH(QString, text);
    if (multi) {
        m_app = std::make_unique<AppService>(L"code", L"1.0", Product::Sorn);
        AppService::Install(m_app.get());
    }
    // Given three checked components, the middle one's file corrupt
    CheckAndLoad({0, 2, 3});

    // Then the dialog keeps its text, names the corrupt one with its reason, and no other
    QTRY_COMPARE(KelMessageDialog::History().size(), 1);
    QCOMPARE(KelMessageDialog::History().first().Text, text);
    QCOMPARE(m_document->Families().size(), size_t(2));
    QCOMPARE(m_table->GetCheckedCount(), 0);

    // And the log says which component failed and the whole message
    const QStringList lines = m_logger->Lines().filter(QStringLiteral("C0002"));
    QVERIFY(!lines.isEmpty());
    QVERIFY2(lines.first().contains(QStringLiteral("构件文件已损坏")), qPrintable(lines.first()));
}

QTEST_MAIN(tst_PlazaPublicPageBatchFailures)
#include "tst_PlazaPublicPageBatchFailures.moc"
