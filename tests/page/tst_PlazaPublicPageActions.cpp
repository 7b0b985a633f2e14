#include "AppService.h"
#include "ComponentFileCatalog.h"
#include "Container.h"
#include "Document.h"
#include "DocumentService.h"
#include "EventFields.h"
#include "IInternalRivoCollaborationProjectComponentService.h"
#include "KelBulletin.h"
#include "KelMessageDialog.h"
#include "ModalSteps.h"
#include "PlazaAnalyzeService.h"
#include "PlazaMainWindow.h"
#include "PlazaPublicComponentItemDelegate.h"
#include "PlazaPublicComponentsTableModel.h"
#include "PlazaPublicComponentsTableView.h"
#include "PlazaPublicPage.h"
#include "PublicComponentRepeatCheckDialog.h"
#include "VelaLogger.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <QtTest>

#include <functional>

using namespace vela;

// Loading, placing, batch loading and adding into a project, driven through
// the lists' requests against real component files.
class tst_PlazaPublicPageActions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void refusedWithoutIdOrDocument_data();
    void refusedWithoutIdOrDocument();
    void loadReportsSuccessAndItsEvent_data();
    void loadReportsSuccessAndItsEvent();
    void corruptFileShowsLoadFailed();
    void conflictIsAskedAndCancelShowsNothing();
    void placeClosesTheWindowWithoutANotice();
    void batchWithNothingChecked_data();
    void batchWithNothingChecked();
    void batchFailuresAreSummed_data();
    void batchFailuresAreSummed();
    void batchSuccessSendsOneEvent();
    void addIntoProjectWithRepeatCheck();
    void collaborationServiceSummarisesWhatWasAdded();
    void collaborationServiceFailures();
    void twoConflictQuestionsAtOnce();
    void batchFailureMessageWhileAConflictQuestionIsOpen();
    void windowDestroyedWhileTheRepeatCheckIsOpen();

private:
    IComponent Component(int index) const { return *m_catalog->Components.at(static_cast<size_t>(index)); }
    void Check(int row) { QVERIFY(m_table->setData(m_table->index(row, 0), true, Qt::UserRole)); }
    void ClickBatch() { m_window->findChild<QPushButton*>(QStringLiteral("PlazaPublicBatchLoadButton"))->click(); }
    void UseProduct(int product);
    bool BulletinShown(const QString& message, int icon, int duration) const;
    QJsonObject LastEvent(const QString& name) const;
    PlazaPublicPage* Page() const { return m_window->findChild<PlazaPublicPage*>(); }

    QTemporaryDir m_folder;
    std::shared_ptr<test::ComponentFileCatalog> m_catalog;
    std::unique_ptr<PlazaAnalyzeService> m_analytics;
    std::unique_ptr<AppService> m_app;
    std::unique_ptr<tarn::Document> m_document;
    std::unique_ptr<VelaLogger> m_logger;
    PlazaMainWindow* m_window = nullptr;
    PlazaPublicComponentsTableModel* m_table = nullptr;
    PlazaPublicComponentItemDelegate* m_delegate = nullptr;
};

void tst_PlazaPublicPageActions::init()
{
    m_catalog = std::make_shared<test::ComponentFileCatalog>(m_folder.path());
    const auto sample = test::MakeSampleBackend(6);
    m_catalog->Categories = sample->Categories;
    m_catalog->Components = sample->Components;
    m_catalog->AddComponent(L"C0000", QStringLiteral("木门A"), {QStringLiteral("M0921"), QStringLiteral("M1021")});
    m_catalog->AddComponent(L"C0001", QStringLiteral("铝窗B"), {QStringLiteral("C1515")});
    m_catalog->AddRawFile(L"C0002", QByteArray("{ not a component"));
    m_catalog->AddComponent(L"C0003", QStringLiteral("木门C"), {QStringLiteral("M0821")});
    CatalogBackend::Install(m_catalog);

    m_analytics = std::make_unique<PlazaAnalyzeService>();
    PlazaAnalyzeService::Install(m_analytics.get());
    m_logger = std::make_unique<VelaLogger>(QString(), false);
    IVelaLogger::Install(m_logger.get());
    UseProduct(int(Product::Sorn));
    m_document = std::make_unique<tarn::Document>(L"项目1");
    DocumentService::Get()->SetCurrentDocument(m_document.get());
    KelBulletin::ClearHistory();
    KelMessageDialog::ClearHistory();
    KelMessageDialog::ClearQueuedAnswers();

    PlazaMainWindow::Initialize();
    m_window = PlazaMainWindow::Get();
    auto* view = m_window->findChild<PlazaPublicComponentsTableView*>();
    m_table = view->Model();
    m_delegate = view->ItemDelegate();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QTRY_COMPARE(m_table->rowCount(), 6);
}

void tst_PlazaPublicPageActions::cleanup()
{
    PlazaMainWindow::Destroy();
    DocumentService::Get()->SetCurrentDocument(nullptr);
    m_document.reset();
    AppService::Install(nullptr);
    IVelaLogger::Install(nullptr);
    PlazaAnalyzeService::Install(nullptr);
    CatalogBackend::Install(nullptr);
}

// A negative product means no application service at all.
void tst_PlazaPublicPageActions::UseProduct(int product)
{
    m_app = product < 0 ? nullptr : std::make_unique<AppService>(L"code", L"1.0", Product(product));
    AppService::Install(m_app.get());
}

bool tst_PlazaPublicPageActions::BulletinShown(const QString& message, int icon, int duration) const
{
    for (const KelBulletin::Record& record : KelBulletin::History()) {
        if (record.Message == message && record.Icon == icon && (duration < 0 || record.Duration == duration)) {
            return true;
        }
    }
    return false;
}

QJsonObject tst_PlazaPublicPageActions::LastEvent(const QString& name) const
{
    QJsonObject found;
    for (const auto& event : m_analytics->Events()) {
        if (event.first == name) {
            found = event.second;
        }
    }
    return found;
}

void tst_PlazaPublicPageActions::refusedWithoutIdOrDocument_data()
{
    QTest::addColumn<bool>("place");
    QTest::addColumn<bool>("nameless");
    QTest::addColumn<QString>("message");
    QTest::newRow("load") << false << false << QStringLiteral("没有打开的文档");
    QTest::newRow("place") << true << false << QStringLiteral("没有打开的文档");
    QTest::newRow("empty id is refused first") << false << true << QStringLiteral("公共构件Id为空");
}

void tst_PlazaPublicPageActions::refusedWithoutIdOrDocument()
{
    QFETCH(bool, place);
    QFETCH(bool, nameless);
    QFETCH(QString, message);
    DocumentService::Get()->SetCurrentDocument(nullptr);
    IComponent component = Component(0);
    if (nameless) {
        component.Id.clear();
    }
    if (place) {
        emit m_delegate->PlaceComponentIntoDocumentRequired(component);
    } else {
        emit m_delegate->LoadComponentIntoDocumentRequired(component);
    }
    QCOMPARE(KelBulletin::History().size(), 1);
    QVERIFY(BulletinShown(message, 3, 3000));
}

void tst_PlazaPublicPageActions::loadReportsSuccessAndItsEvent_data()
{
    QTest::addColumn<int>("product");
    QTest::addColumn<int>("component");
    QTest::addColumn<QString>("fields");
    QTest::newRow("sorn, into the document") << int(Product::Sorn) << 0
                                             << QStringLiteral("C0000|DOORS|门||项目1|false|(none)");
    // Lumen loads into its own library and goes on without an open document.
    QTest::newRow("lumen, without a document") << int(Product::Lumen) << 1
                                               << QStringLiteral("C0001|WINDOWS|窗|||false|(none)");
}

void tst_PlazaPublicPageActions::loadReportsSuccessAndItsEvent()
{
    QFETCH(int, product);
    QFETCH(int, component);
    QFETCH(QString, fields);
    UseProduct(product);
    const bool lumen = product == int(Product::Lumen);
    if (lumen) {
        DocumentService::Get()->SetCurrentDocument(nullptr);
    }
    emit m_delegate->LoadComponentIntoDocumentRequired(Component(component));
    QVERIFY(BulletinShown(QStringLiteral("正在准备，请稍候..."), 4, -1));
    QTRY_VERIFY(BulletinShown(QStringLiteral("载入成功"), 5, 2000));
    QCOMPARE(m_document->FindFamily(L"木门A") != nullptr, !lumen);
    QVERIFY(!BulletinShown(QStringLiteral("载入失败"), 3, -1));
    QCOMPARE(test::EventFields(LastEvent(QStringLiteral("shopComponentLoad")),
                               {"component_id", "category_code", "category_name", "project_id", "project_name", "batch",
                                "shop_id"}),
             fields);
}

void tst_PlazaPublicPageActions::corruptFileShowsLoadFailed()
{
    emit m_delegate->LoadComponentIntoDocumentRequired(Component(2));
    QTRY_VERIFY(BulletinShown(QStringLiteral("载入失败"), 3, 1000));
    QVERIFY(m_document->Families().empty());
    QVERIFY(LastEvent(QStringLiteral("shopComponentLoad")).isEmpty());
}

void tst_PlazaPublicPageActions::conflictIsAskedAndCancelShowsNothing()
{
    emit m_delegate->LoadComponentIntoDocumentRequired(Component(0));
    QTRY_VERIFY(m_document->FindFamily(L"木门A"));

    // Cancelling the question ends the load without a failure notice.
    KelMessageDialog::QueueAnswer(2);
    KelBulletin::ClearHistory();
    emit m_delegate->LoadComponentIntoDocumentRequired(Component(0));
    QTRY_COMPARE(KelMessageDialog::History().size(), 1);
    QTRY_VERIFY(KelBulletin::OpenBulletins().isEmpty());
    QVERIFY(!BulletinShown(QStringLiteral("载入失败"), 3, 1000));
    QCOMPARE(m_document->Families().size(), size_t(1));
}

void tst_PlazaPublicPageActions::placeClosesTheWindowWithoutANotice()
{
    emit m_delegate->PlaceComponentIntoDocumentRequired(Component(1));
    QTRY_VERIFY(!m_window->isVisible());
    QTRY_COMPARE(m_document->Instances().size(), size_t(1));
    QVERIFY(!BulletinShown(QStringLiteral("载入成功"), 5, 2000));
    QTRY_VERIFY(!LastEvent(QStringLiteral("shopComponentPlace")).isEmpty());
    QCOMPARE(test::EventFields(LastEvent(QStringLiteral("shopComponentPlace")), {"component_id", "batch"}),
             QStringLiteral("C0001|(none)"));
}

void tst_PlazaPublicPageActions::batchWithNothingChecked_data()
{
    QTest::addColumn<int>("product");
    QTest::newRow("multi-load (Sorn)") << int(Product::Sorn);
    QTest::newRow("Lumen batch") << int(Product::Lumen);
    QTest::newRow("standard batch (no product)") << -1;
}

void tst_PlazaPublicPageActions::batchWithNothingChecked()
{
    QFETCH(int, product);
    UseProduct(product);
    QWidget* mask = m_window->findChild<QWidget*>(QStringLiteral("PlazaMainWindowMask"));
    auto* batch = m_window->findChild<QPushButton*>(QStringLiteral("PlazaPublicBatchLoadButton"));
    // The button is disabled with nothing checked; its click handler still guards.
    batch->setEnabled(true);
    ClickBatch();
    QVERIFY(BulletinShown(QStringLiteral("未选中任何可载入构件"), 1, 3000));
    QVERIFY(m_window->childAt(m_window->rect().center()) != mask);
}

void tst_PlazaPublicPageActions::batchFailuresAreSummed_data()
{
    // Row 2's file is corrupt and row 4 has none; the fixed text comes first, then who failed and why.
    QTest::addColumn<bool>("multi");
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QString>("message");
    QTest::newRow("all failed") << false << QList<int>{2, 4}
                                << QStringLiteral("载入失败，请检查网络后重试\n\n木门2：文件已损坏\n木门4：获取地址失败");
    QTest::newRow("one corrupt file") << false << QList<int>{0, 2, 3}
                                      << QStringLiteral("部分构件载入失败，请检查网络后重试\n\n木门2：文件已损坏");
    QTest::newRow("one corrupt file, multi-load") << true << QList<int>{0, 2, 3}
                                                  << QStringLiteral("部分失败\n\n木门2：文件已损坏");
    QTest::newRow("all failed, multi-load") << true << QList<int>{2, 4}
                                            << QStringLiteral("全部失败\n\n木门2：文件已损坏\n木门4：获取地址失败");
}

void tst_PlazaPublicPageActions::batchFailuresAreSummed()
{
    QFETCH(bool, multi);
    QFETCH(QList<int>, rows);
    QFETCH(QString, message);
    if (!multi) {
        UseProduct(-1);
    }
    for (int row : rows) {
        Check(row);
    }
    KelMessageDialog::QueueAnswer(1);
    // The multi-load masks the page for its whole run.
    QWidget* mask = m_window->findChild<QWidget*>(QStringLiteral("PlazaMainWindowMask"));
    ClickBatch();
    QCOMPARE(m_window->childAt(m_window->rect().center()) == mask, multi);
    QTRY_COMPARE(KelMessageDialog::History().size(), 1);
    QCOMPARE(KelMessageDialog::History().first().Text, message);
    QVERIFY(m_window->childAt(m_window->rect().center()) != mask);
    QCOMPARE(m_table->GetCheckedCount(), 0);
    QVERIFY(LastEvent(QStringLiteral("shopComponentLoad")).isEmpty());

    // The log keeps the whole reason of the corrupt one.
    const QStringList logged = m_logger->Lines().filter(QStringLiteral("C0002"));
    QVERIFY(!logged.isEmpty());
    QVERIFY2(logged.first().contains(QStringLiteral("构件文件已损坏")), qPrintable(logged.first()));
}

void tst_PlazaPublicPageActions::batchSuccessSendsOneEvent()
{
    UseProduct(-1);
    Check(0);
    Check(1);
    ClickBatch();
    QTRY_VERIFY(BulletinShown(QStringLiteral("批量载入成功"), 5, 1000));
    QCOMPARE(m_document->Families().size(), size_t(2));
    QCOMPARE(test::EventFields(LastEvent(QStringLiteral("shopComponentLoad")), {"component_id", "category_code", "batch"}),
             QStringLiteral("C0000,C0001|DOORS,WINDOWS|true"));
}

namespace {

PublicComponentRepeatCheckDialog* RepeatCheck()
{
    return qobject_cast<PublicComponentRepeatCheckDialog*>(QApplication::activeModalWidget());
}

// Presses a button of the repeat check dialog as soon as it runs.
void AnswerRepeatCheck(const QString& buttonName)
{
    test::When([] { return RepeatCheck() != nullptr; },
               [buttonName] { RepeatCheck()->findChild<QPushButton*>(buttonName)->click(); });
}

} // namespace

void tst_PlazaPublicPageActions::addIntoProjectWithRepeatCheck()
{
    UseProduct(int(Product::Rivo));

    // Without a project there is nowhere to add.
    Check(0);
    ClickBatch();
    QVERIFY(BulletinShown(QStringLiteral("协同项目id为空"), 3, 3000));

    Page()->SetAddIntoProjectContext(AddIntoProjectContext(L"P1"));
    Check(1);
    ClickBatch();
    QTRY_VERIFY(BulletinShown(QStringLiteral("载入成功"), 5, 2000));
    QCOMPARE(Page()->GetAddIntoProjectContext().AddedComponents().size(), size_t(2));
    QCOMPARE(m_table->GetCheckedCount(), 0);
    QCOMPARE(test::EventFields(LastEvent(QStringLiteral("shopComponentLoad")),
                               {"shop_id", "shop_name", "project_id", "project_name", "batch"}),
             QStringLiteral("SHOP,SHOP|,|P1|协同示范项目|true"));

    // Both are in the project now: skipping them leaves nothing to add.
    KelBulletin::ClearHistory();
    Check(0);
    Check(1);
    AnswerRepeatCheck(QStringLiteral("SkipButton"));
    ClickBatch();
    QTRY_VERIFY(BulletinShown(QStringLiteral("没有任何可载入的构件"), 1, 3000));
    QCOMPARE(m_table->GetCheckedCount(), 0);

    // Skipping keeps the new one only; cancelling adds nothing and clears the checks.
    Check(0);
    Check(3);
    AnswerRepeatCheck(QStringLiteral("SkipButton"));
    ClickBatch();
    QTRY_COMPARE(m_catalog->Added.size(), size_t(2));
    QCOMPARE(m_catalog->Added.back(), std::vector<std::wstring>{L"C0003"});
    Check(0);
    AnswerRepeatCheck(QStringLiteral("ButtonCancel"));
    ClickBatch();
    QTRY_COMPARE(m_table->GetCheckedCount(), 0);
    QCOMPARE(m_catalog->Added.size(), size_t(2));

    // Adding all sends the repeated one again; the project keeps it as a copy.
    Check(0);
    AnswerRepeatCheck(QStringLiteral("ButtonOk"));
    ClickBatch();
    QTRY_COMPARE(m_catalog->Added.size(), size_t(3));
    QCOMPARE(m_catalog->Added.back(), std::vector<std::wstring>{L"C0000"});
}

void tst_PlazaPublicPageActions::collaborationServiceSummarisesWhatWasAdded()
{
    auto* service = Container::Get()->Resolve<IInternalRivoCollaborationProjectComponentService>();
    QVERIFY(service);
    m_window->hide();
    // While the window runs, the user adds two components one by one, then closes it.
    QTimer::singleShot(20, m_window, [this] {
        emit m_delegate->AddComponentIntoProjectRequired(Component(0));
        emit m_delegate->AddComponentIntoProjectRequired(Component(1));
    });
    auto* closer = new QTimer(m_window);
    connect(closer, &QTimer::timeout, m_window, [this] {
        if (Page()->GetAddIntoProjectContext().AddedComponents().size() == 2) {
            m_window->accept();
        }
    });
    closer->start(10);
    std::wstring error;
    const auto added = service->AddComponentsFromPublic(InternalAddComponentOptions(L"P7"), error);
    closer->stop();

    QVERIFY(error.empty());
    QCOMPARE(added.size(), size_t(2));
    QCOMPARE(m_logger->Lines().last(),
             QStringLiteral("INFO add component(s) from public into project 'P7', added project component(s) info: "
                            "[{id:P-C0000, version:1, name:副本 C0000, categoryCode:DOORS, publicComponentId:C0000},"
                            "{id:P-C0001, version:1, name:副本 C0001, categoryCode:DOORS, publicComponentId:C0001}]"));

    // Closing at once adds nothing.
    QTimer::singleShot(20, m_window, [this] { m_window->accept(); });
    QVERIFY(service->AddComponentsFromPublic(InternalAddComponentOptions(L"P8"), error).empty());
    QVERIFY(m_logger->Lines().last().endsWith(QStringLiteral("into project 'P8', added project component(s) info: []")));
}

void tst_PlazaPublicPageActions::collaborationServiceFailures()
{
    auto* service = Container::Get()->Resolve<IInternalRivoCollaborationProjectComponentService>();
    std::wstring error;
    QVERIFY(service->AddComponentsFromPublic(InternalAddComponentOptions(L""), error).empty());
    QCOMPARE(QString::fromStdWString(error), QStringLiteral("projectId is empty"));
    QCOMPARE(m_logger->Lines().last(), QStringLiteral("ERROR projectId is empty"));

    PlazaMainWindow::Destroy();
    error.clear();
    QVERIFY(service->AddComponentsFromPublic(InternalAddComponentOptions(L"P1"), error).empty());
    QCOMPARE(QString::fromStdWString(error), QStringLiteral("fail to get pPlazaMainWindow."));
}

namespace {

QList<KelMessageDialog*> VisibleQuestions()
{
    QList<KelMessageDialog*> visible;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<KelMessageDialog*>(widget); dialog && dialog->isVisible()) {
            visible << dialog;
        }
    }
    return visible;
}

KelMessageDialog* TopQuestion()
{
    return qobject_cast<KelMessageDialog*>(QApplication::activeModalWidget());
}

// The text of a message dialog, then the labels of its visible buttons.
QStringList Shown(KelMessageDialog* dialog)
{
    QStringList shown{dialog->findChild<QLabel*>(QStringLiteral("KelMessageDialogText"))->text()};
    for (const auto& [value, button] : dialog->ButtonsByValue()) {
        if (button->isVisible()) {
            shown << button->text();
        }
    }
    return shown;
}

QString ConflictQuestion(const QString& name)
{
    return QStringLiteral("项目中已存在“%1”，选择需要进行的操作?\r\n\r\n重命名：名称更改为“%1(1)”\r\n覆盖：覆盖项目中重名构件").arg(name);
}

const QStringList ConflictButtons{QStringLiteral("取消"), QStringLiteral("重命名"), QStringLiteral("覆盖")};

} // namespace

void tst_PlazaPublicPageActions::twoConflictQuestionsAtOnce()
{
    // Given 木门A and 木门C in the document
    emit m_delegate->LoadComponentIntoDocumentRequired(Component(0));
    emit m_delegate->LoadComponentIntoDocumentRequired(Component(3));
    QTRY_VERIFY(m_document->FindFamily(L"木门A") && m_document->FindFamily(L"木门C"));
    const tarn::RuntimeId doorC = m_document->FindFamily(L"木门C")->GetRuntimeId();

    // When both are loaded again and both questions are open at once, 木门C
    // is answered 覆盖 and 木门A 重命名, each on its own question
    QStringList onScreen;
    const auto answer = [](KelMessageDialog* question) {
        const bool aboutC = Shown(question).first().contains(QStringLiteral("木门C"));
        question->ButtonsByValue()[aboutC ? 8 : 4]->click();
    };
    test::When([] { return VisibleQuestions().size() == 2; }, [&] {
        KelMessageDialog* top = TopQuestion();
        for (KelMessageDialog* question : VisibleQuestions()) {
            onScreen << Shown(question).join(QLatin1Char('|'));
        }
        answer(top);
        test::When([] { return VisibleQuestions().size() == 1; }, [&] { answer(VisibleQuestions().front()); });
    });
    emit m_delegate->LoadComponentIntoDocumentRequired(Component(0));
    emit m_delegate->LoadComponentIntoDocumentRequired(Component(3));
    QTRY_COMPARE(KelMessageDialog::History().size(), 2);

    // Then 木门A was renamed and 木门C overwritten
    QTRY_VERIFY(m_document->FindFamily(L"木门A(1)"));
    onScreen.sort();
    QCOMPARE(onScreen, (QStringList{(QStringList{ConflictQuestion(QStringLiteral("木门A"))} + ConflictButtons).join('|'),
                                    (QStringList{ConflictQuestion(QStringLiteral("木门C"))} + ConflictButtons).join('|')}));
    QTRY_VERIFY(m_document->FindFamily(L"木门C")->GetRuntimeId() != doorC);
    QCOMPARE(m_document->Families().size(), size_t(3));
    QVERIFY(!m_document->FindFamily(L"木门C(1)"));
}

void tst_PlazaPublicPageActions::batchFailureMessageWhileAConflictQuestionIsOpen()
{
    UseProduct(-1);
    emit m_delegate->LoadComponentIntoDocumentRequired(Component(0));
    QTRY_VERIFY(m_document->FindFamily(L"木门A"));

    // Given the conflict question for 木门A on screen
    QStringList questionMeanwhile;
    QStringList message;
    QStringList questionAfterwards;
    test::When([] { return VisibleQuestions().size() == 1; }, [&] {
        // When a batch fails meanwhile, its message is dismissed, and the question is answered 重命名
        Check(2);
        Check(4);
        ClickBatch();
        test::When([] { return VisibleQuestions().size() == 2; }, [&] {
            KelMessageDialog* top = TopQuestion();
            message = Shown(top);
            questionMeanwhile = Shown(VisibleQuestions().at(VisibleQuestions().front() == top ? 1 : 0));
            top->ButtonsByValue()[1]->click();
            test::When([] { return VisibleQuestions().size() == 1; }, [&] {
                questionAfterwards = Shown(VisibleQuestions().front());
                VisibleQuestions().front()->ButtonsByValue()[4]->click();
            });
        });
    });
    emit m_delegate->LoadComponentIntoDocumentRequired(Component(0));
    QTRY_COMPARE(KelMessageDialog::History().size(), 2);

    // Then the question kept its text and buttons, and the load got the user's answer to it
    const QStringList question = QStringList{ConflictQuestion(QStringLiteral("木门A"))} + ConflictButtons;
    QCOMPARE(message.size(), 2);
    QVERIFY(message.first().startsWith(QStringLiteral("载入失败，请检查网络后重试\n\n")));
    QCOMPARE(message.last(), QStringLiteral("确定"));
    QCOMPARE(questionMeanwhile, question);
    QCOMPARE(questionAfterwards, question);
    QCOMPARE(KelMessageDialog::History().at(0).Result, int(KelMessageDialog::Ok));
    QCOMPARE(KelMessageDialog::History().at(1).Result, int(KelMessageDialog::Yes));
    QTRY_VERIFY(m_document->FindFamily(L"木门A(1)"));
    QCOMPARE(m_document->Families().size(), size_t(2));
}

void tst_PlazaPublicPageActions::windowDestroyedWhileTheRepeatCheckIsOpen()
{
    UseProduct(int(Product::Rivo));
    Page()->SetAddIntoProjectContext(AddIntoProjectContext(L"P1"));
    emit m_delegate->AddComponentIntoProjectRequired(Component(0));
    QTRY_COMPARE(m_catalog->Added.size(), size_t(1));

    // Given the repeat check open for a component already in the project
    bool destroyed = false;
    test::When([] { return RepeatCheck() != nullptr; }, [&destroyed] {
        // When the host destroys the window meanwhile
        PlazaMainWindow::Destroy();
        destroyed = true;
    });
    Check(0);
    Check(1);
    ClickBatch();
    QTRY_VERIFY(destroyed);

    // Then nothing is added
    QCOMPARE(m_catalog->Added.size(), size_t(1));
}

QTEST_MAIN(tst_PlazaPublicPageActions)
#include "tst_PlazaPublicPageActions.moc"
