#include "AppService.h"
#include "CategoriesTreeView.h"
#include "ConditionFiltersPane.h"
#include "ConditionValuesPane.h"
#include "EventFields.h"
#include "HostNetworkDetector.h"
#include "Pager.h"
#include "PlazaAnalyzeService.h"
#include "PlazaMainWindow.h"
#include "PlazaPublicComponentsCardListModel.h"
#include "PlazaPublicComponentsCardListView.h"
#include "PlazaPublicComponentsTableModel.h"
#include "PlazaPublicComponentsTableView.h"
#include "PlazaPublicPage.h"
#include "ScriptedCatalogBackend.h"
#include "SearchTextBox.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace vela;

namespace {

// Delivers every reply and event already on its way, so that a check that
// nothing more happened is not a race.
void Settle()
{
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// Types text as an input method commits it, one character per key press
// (QTest::keyClicks only knows Latin keys).
void Type(QWidget* widget, const QString& text)
{
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &release);
    }
}

RangeBasedConditionFilterItem Width()
{
    RangeBasedConditionFilterItem width;
    width.SetName(QStringLiteral("宽度"));
    width.Tag = QStringLiteral("WIDTH");
    return width;
}

// What a user sees at the centre of the list area: the topmost widget there.
QWidget* TopmostAtCentreOf(QWidget* area)
{
    return area->childAt(area->rect().center());
}

} // namespace

// The page's browsing loop driven as a user does, against a scripted catalog.
class tst_PlazaPublicPageBrowsing : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typingSendsNothingReturnSearches();
    void categoryClickKeepsKeywordAndDropsConditionsAndChecks();
    void pagingKeepsChecksAndRefreshDropsThem();
    void categoryReplyWithoutRootKeepsTheOldRoot();
    void slowThenFastSearchShowsTheLastSearch_data();
    void slowThenFastSearchShowsTheLastSearch();
    void aSupersededTreeKeepsTheExpansion();
    void rangeConditions();
    void sameEnumeratedValueTwiceThenRemovingTheKeywordChip();
    void checksMirrorOnceEachWay();
    void offlineThenTwoOnlineNotificationsReloadTwice();
    void queryEventCarriesItsRequest();
    void nothingFoundSaysSoAndClearingListsAgain_data();
    void nothingFoundSaysSoAndClearingListsAgain();
    void aFailedRequestShowsItsReasonUntilAGoodPage_data();
    void aFailedRequestShowsItsReasonUntilAGoodPage();
    void iconOnlyButtonsHaveTooltipsAndNames();

private:
    void SearchFor(const QString& keyword);
    const ComponentQuery& LastQuery() const { return m_backend->ComponentRequests.back().Asked; }
    size_t QueryCount() const { return m_backend->ComponentRequests.size(); }
    void WaitForPage();
    void ClickCategory(const std::wstring& code);
    void ShowDoorFilters();
    void CheckTableRow(int row) { QVERIFY(m_table->setData(m_table->index(row, 0), true, Qt::UserRole)); }
    QPushButton* Button(const char* name) const { return m_window->findChild<QPushButton*>(QString::fromLatin1(name)); }
    SearchTextBox* SearchBox() const { return m_window->findChild<SearchTextBox*>(QStringLiteral("SearchLineEdit")); }
    QString BatchText() const { return Button("PlazaPublicBatchLoadButton")->text(); }
    QStringList ValueTexts() const;
    QWidget* EmptyState() const { return m_window->findChild<QWidget*>(QStringLiteral("PlazaPublicEmptyStateWidget")); }
    QString EmptyStateText(const char* name) const;

    std::shared_ptr<test::ScriptedCatalogBackend> m_backend;
    std::unique_ptr<PlazaAnalyzeService> m_analytics;
    std::unique_ptr<AppService> m_app;
    PlazaMainWindow* m_window = nullptr;
    PlazaPublicComponentsTableModel* m_table = nullptr;
    PlazaPublicComponentsCardListModel* m_cards = nullptr;
    ConditionFiltersPane* m_filters = nullptr;
};

void tst_PlazaPublicPageBrowsing::init()
{
    m_backend = test::MakeSampleBackend(45);
    auto properties = std::make_shared<ICategoryProperty>();
    const auto define = [&](const wchar_t* code, const wchar_t* name, const wchar_t* type, const wchar_t* unit) {
        auto definition = std::make_shared<CategoryPropertyDefinition>();
        definition->Code = code;
        definition->Name = name;
        definition->Type = type;
        definition->Unit = unit;
        properties->Properties[name] = definition;
        return definition;
    };
    define(L"WIDTH", L"宽度", L"Number", L"mm");
    define(L"MATERIAL", L"材质", L"Enum", L"")->Values = {{L"wood", L"木"}, {L"steel", L"钢"}};
    m_backend->PropertiesByCategory[L"DOORS"] = properties;
    CatalogBackend::Install(m_backend);
    m_analytics = std::make_unique<PlazaAnalyzeService>();
    PlazaAnalyzeService::Install(m_analytics.get());
    m_app = std::make_unique<AppService>(L"code", L"1.0", Product::Sorn);
    AppService::Install(m_app.get());
    HostNetworkDetector::Get()->SetState(HostNetworkDetector::Online);

    PlazaMainWindow::Initialize();
    m_window = PlazaMainWindow::Get();
    m_table = m_window->findChild<PlazaPublicComponentsTableView*>()->Model();
    m_cards = m_window->findChild<PlazaPublicComponentsCardListView*>()->Model();
    m_filters = m_window->findChild<ConditionFiltersPane*>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    WaitForPage();
}

void tst_PlazaPublicPageBrowsing::cleanup()
{
    PlazaMainWindow::Destroy();
    AppService::Install(nullptr);
    PlazaAnalyzeService::Install(nullptr);
    CatalogBackend::Install(nullptr);
}

void tst_PlazaPublicPageBrowsing::WaitForPage()
{
    QTRY_VERIFY(m_table->rowCount() > 0);
    Settle();
}

void tst_PlazaPublicPageBrowsing::SearchFor(const QString& keyword)
{
    auto* box = SearchBox();
    box->clear();
    Type(box, keyword);
    QTest::keyClick(box, Qt::Key_Return);
}

void tst_PlazaPublicPageBrowsing::ClickCategory(const std::wstring& code)
{
    auto* tree = m_window->findChild<CategoriesTreeView*>();
    const QModelIndex index = tree->Model()->IndexOfCode(code);
    QVERIFY(index.isValid());
    tree->scrollTo(index);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, tree->visualRect(index).center());
}

void tst_PlazaPublicPageBrowsing::ShowDoorFilters()
{
    ClickCategory(L"DOORS");
    QTRY_VERIFY(m_window->findChild<QFrame*>(QStringLiteral("PropertyConditionFiltersPane"))->isVisible());
}

QStringList tst_PlazaPublicPageBrowsing::ValueTexts() const
{
    QStringList texts;
    auto* pane = m_window->findChild<ConditionValuesPane*>();
    for (QLabel* label : pane->findChildren<QLabel*>()) {
        texts.append(label->text());
    }
    for (QAbstractButton* button : pane->findChildren<QAbstractButton*>()) {
        texts.append(button->text());
    }
    return texts;
}

void tst_PlazaPublicPageBrowsing::typingSendsNothingReturnSearches()
{
    auto* box = SearchBox();
    const size_t before = QueryCount();
    Type(box, QStringLiteral("木门"));
    QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
    Settle();
    QCOMPARE(QueryCount(), before);

    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(QueryCount(), before + 1);
    QCOMPARE(LastQuery().Keyword, std::wstring(L"木门"));
    QCOMPARE(LastQuery().CategoryCode, std::wstring(L"ROOT"));
    QCOMPARE(LastQuery().PageIndex, 1);

    emit box->Searched();
    QCOMPARE(QueryCount(), before + 2);
    QCOMPARE(LastQuery().Keyword, std::wstring(L"木门"));
}

void tst_PlazaPublicPageBrowsing::categoryClickKeepsKeywordAndDropsConditionsAndChecks()
{
    SearchFor(QStringLiteral("木"));
    WaitForPage();
    ShowDoorFilters();
    QCOMPARE(LastQuery().CategoryCode, std::wstring(L"DOORS"));
    WaitForPage();

    // A condition and a check, then another category.
    emit m_filters->RangeBasedConditionChanged(Width(), QVariant(800), QVariant(1000));
    QCOMPARE(LastQuery().Filters.size(), size_t(1));
    WaitForPage();
    CheckTableRow(0);
    QCOMPARE(BatchText(), QStringLiteral("批量载入 (1)"));

    ClickCategory(L"WINDOWS");
    QTRY_COMPARE(LastQuery().CategoryCode, std::wstring(L"WINDOWS"));
    QCOMPARE(LastQuery().Keyword, std::wstring(L"木"));
    QVERIFY(LastQuery().Filters.empty());
    QCOMPARE(BatchText(), QStringLiteral("批量载入"));
}

void tst_PlazaPublicPageBrowsing::pagingKeepsChecksAndRefreshDropsThem()
{
    CheckTableRow(0);
    CheckTableRow(1);
    auto* pager = m_window->findChild<Pager*>();
    QCOMPARE(pager->PageCount(), 3ull);
    emit pager->CurrentPageChanged(2);
    QCOMPARE(LastQuery().PageIndex, 2);
    QTRY_COMPARE(m_table->GetCheckedCount(), 0);
    CheckTableRow(3);
    QCOMPARE(BatchText(), QStringLiteral("批量载入 (3)"));

    // Back on page 1 the earlier checks show again, in both views.
    emit pager->CurrentPageChanged(1);
    QTRY_COMPARE(m_table->GetCheckedCount(), 2);
    QCOMPARE(m_cards->data(m_cards->index(1, 0), Qt::CheckStateRole).toBool(), true);

    Button("PlazaPublicRefreshButton")->click();
    QCOMPARE(LastQuery().PageIndex, 1);
    QCOMPARE(BatchText(), QStringLiteral("批量载入"));
    QCOMPARE(m_table->GetCheckedCount(), 0);
}

void tst_PlazaPublicPageBrowsing::categoryReplyWithoutRootKeepsTheOldRoot()
{
    // Given a tree answer that has lost its root...
    m_backend->Categories.erase(m_backend->Categories.begin());
    Button("PlazaPublicRefreshButton")->click();
    QTRY_COMPARE(m_window->findChild<CategoriesTreeView*>()->Model()->rowCount(), 0);
    // ...a reset still goes back to the root learnt before.
    SearchFor(QStringLiteral("门"));
    QCOMPARE(LastQuery().CategoryCode, std::wstring(L"ROOT"));
}

void tst_PlazaPublicPageBrowsing::slowThenFastSearchShowsTheLastSearch_data()
{
    QTest::addColumn<bool>("slowAlreadyRunning");
    QTest::newRow("slow search running") << true;
    QTest::newRow("slow search still queued") << false;
}

// Given Return on a slow keyword and at once on a fast one, when the fast
// answers come first, then the lists, the total and the pager end up those of
// the last search, the one the search box shows.
void tst_PlazaPublicPageBrowsing::slowThenFastSearchShowsTheLastSearch()
{
    QFETCH(bool, slowAlreadyRunning);
    m_backend->Held = true;
    SearchFor(QStringLiteral("木门"));
    const size_t slow = QueryCount() - 1;
    const size_t slowTree = m_backend->CategoryRequests.size() - 1;
    if (slowAlreadyRunning) {
        QVERIFY(m_backend->ComponentRequests[slow].Start());
        QVERIFY(m_backend->CategoryRequests[slowTree].Start());
    }
    SearchFor(QStringLiteral("铝窗"));
    const size_t fast = QueryCount() - 1;
    QCOMPARE(fast, slow + 1);

    m_backend->ReleaseCategories(slowTree + 1);
    m_backend->ReleaseComponents(fast);
    Settle();
    m_backend->ReleaseComponents(slow);
    m_backend->ReleaseCategories(slowTree);
    QTRY_VERIFY(m_table->rowCount() > 0 && m_table->index(0, 1).data().toString().startsWith(QStringLiteral("铝窗")));
    Settle();
    QVERIFY(m_table->index(0, 1).data().toString().startsWith(QStringLiteral("铝窗")));
    QVERIFY(m_cards->index(0, 0).data().toString().startsWith(QStringLiteral("铝窗")));
    QCOMPARE(m_window->findChild<Pager*>()->Total(), 22ull);
    QVERIFY(m_window->findChild<ConditionValuesPane*>()->ResultCountText().contains(QStringLiteral("22")));
    QCOMPARE(SearchBox()->text(), QStringLiteral("铝窗"));
    QCOMPARE(m_window->findChild<CategoriesTreeView*>()->Model()->rowCount(), 1);
}

// The superseded tree request fails just before the newer one fills the tree;
// what the user had opened stays open.
void tst_PlazaPublicPageBrowsing::aSupersededTreeKeepsTheExpansion()
{
    auto* tree = m_window->findChild<CategoriesTreeView*>();
    auto wood = std::make_shared<ICategory>();
    wood->Code = L"WOOD";
    wood->Name = L"木质";
    wood->ParentCode = L"DOORS";
    wood->Leaf = true;
    m_backend->Categories[1]->Leaf = false;
    m_backend->Categories.push_back(wood);
    Button("PlazaPublicRefreshButton")->click();
    QTRY_VERIFY(tree->Model()->IndexOfCode(L"WOOD").isValid());
    tree->expand(tree->Model()->IndexOfCode(L"DOORS"));

    m_backend->Held = true;
    SearchFor(QStringLiteral("木门"));
    SearchFor(QStringLiteral("铝窗"));
    m_backend->ReleaseCategories(m_backend->CategoryRequests.size() - 1);
    QTRY_VERIFY(m_backend->CategoryRequests.size() >= 2
                && m_backend->CategoryRequests[m_backend->CategoryRequests.size() - 2].IsCancelled());
    Settle();
    QVERIFY(tree->isExpanded(tree->Model()->IndexOfCode(L"DOORS")));
    QVERIFY(tree->isExpanded(tree->Model()->IndexOfCode(L"ROOT")));
}

void tst_PlazaPublicPageBrowsing::rangeConditions()
{
    ShowDoorFilters();
    const RangeBasedConditionFilterItem width = Width();
    const size_t before = QueryCount();

    // New: minimum above maximum adds nothing and asks nothing.
    emit m_filters->RangeBasedConditionChanged(width, QVariant(1000), QVariant(800));
    QCOMPARE(QueryCount(), before);

    emit m_filters->RangeBasedConditionChanged(width, QVariant(800), QVariant(1000));
    QCOMPARE(QueryCount(), before + 1);
    QCOMPARE(LastQuery().Filters.size(), size_t(1));
    const ConditionFilterOption& between = *LastQuery().Filters.front();
    QCOMPARE(between.Operator, 9);
    QCOMPARE(between.ValueType, 2);
    QCOMPARE(between.FromValue(), std::wstring(L"800"));
    QCOMPARE(between.ToValue(), std::wstring(L"1000"));
    QVERIFY(ValueTexts().join(QLatin1Char('|')).contains(QStringLiteral("800~1000mm")));

    emit m_filters->RangeBasedConditionChanged(width, QVariant(900), QVariant());
    QCOMPARE(LastQuery().Filters.front()->Operator, 5);
    QVERIFY(ValueTexts().join(QLatin1Char('|')).contains(QStringLiteral("≥900mm")));

    // Existing: minimum above maximum removes the condition and asks again.
    emit m_filters->RangeBasedConditionChanged(width, QVariant(1000), QVariant(800));
    QCOMPARE(QueryCount(), before + 3);
    QVERIFY(LastQuery().Filters.empty());
}

void tst_PlazaPublicPageBrowsing::sameEnumeratedValueTwiceThenRemovingTheKeywordChip()
{
    SearchFor(QStringLiteral("木"));
    ShowDoorFilters();
    EnumerableConditionFilterItem material;
    material.SetName(QStringLiteral("材质"));
    material.Tag = QStringLiteral("MATERIAL");
    const size_t before = QueryCount();
    emit m_filters->EnumerableConditionChanged(material, QVariant(QStringLiteral("wood")));
    emit m_filters->EnumerableConditionChanged(material, QVariant(QStringLiteral("wood")));
    QCOMPARE(QueryCount(), before + 1);
    QCOMPARE(LastQuery().Filters.size(), size_t(1));
    const ConditionFilterOption& option = *LastQuery().Filters.front();
    QCOMPARE(option.Operator, 1);
    QCOMPARE(option.ValueType, 4);
    QCOMPARE(option.Value(), std::wstring(L"wood"));
    QVERIFY(ValueTexts().join(QLatin1Char('|')).contains(QStringLiteral("木")));

    // Removing the keyword chip resets keyword, category and conditions.
    GeneralConditionValueItem keyword;
    keyword.Tag = QStringLiteral("keyword");
    emit m_window->findChild<ConditionValuesPane*>()->RemoveConditionValueRequired(keyword);
    QVERIFY(LastQuery().Keyword.empty());
    QCOMPARE(LastQuery().CategoryCode, std::wstring(L"ROOT"));
    QVERIFY(LastQuery().Filters.empty());
    QVERIFY(SearchBox()->text().isEmpty());
}

void tst_PlazaPublicPageBrowsing::checksMirrorOnceEachWay()
{
    QSignalSpy tableReports(m_table, &PlazaPublicComponentsTableModel::ComponentCheckStateChanged);
    QSignalSpy cardReports(m_cards, &PlazaPublicComponentsCardListModel::ComponentCheckStateChanged);

    CheckTableRow(2);
    QCOMPARE(m_cards->data(m_cards->index(2, 0), Qt::CheckStateRole).toBool(), true);
    QCOMPARE(tableReports.count(), 1);
    QCOMPARE(cardReports.count(), 1);

    QVERIFY(m_cards->setData(m_cards->index(2, 0), false, Qt::CheckStateRole));
    QCOMPARE(m_table->data(m_table->index(2, 0), Qt::UserRole).toBool(), false);
    QCOMPARE(tableReports.count(), 2);
    QCOMPARE(cardReports.count(), 2);
    QCOMPARE(BatchText(), QStringLiteral("批量载入"));
}

void tst_PlazaPublicPageBrowsing::offlineThenTwoOnlineNotificationsReloadTwice()
{
    CheckTableRow(0);
    auto* offlinePage = m_window->findChild<QWidget*>(QStringLiteral("ComponentsNoNetworkBaseWidget"));
    HostNetworkDetector::Get()->SetState(HostNetworkDetector::Offline);
    QVERIFY(offlinePage->isVisible());
    QCOMPARE(BatchText(), QStringLiteral("批量载入"));

    const size_t before = QueryCount();
    HostNetworkDetector::Get()->SetState(HostNetworkDetector::Online);
    HostNetworkDetector::Get()->SetState(HostNetworkDetector::Online);
    QCOMPARE(QueryCount(), before);
    QTRY_COMPARE(QueryCount(), before + 2);
    QVERIFY(!offlinePage->isVisible());
}

void tst_PlazaPublicPageBrowsing::queryEventCarriesItsRequest()
{
    m_analytics->ClearEvents();
    SearchFor(QStringLiteral("铝窗"));
    QTRY_VERIFY(!m_analytics->Events().isEmpty());
    const auto event = m_analytics->Events().last();
    QCOMPARE(event.first, QStringLiteral("shopComponentQuery"));
    QCOMPARE(event.second.keys().size(), 7);
    QCOMPARE(test::EventFields(event.second, {"keyword", "category_id", "category_code", "category_name", "result_count",
                                              "display_type", "non_filter_condition"}),
             QStringLiteral("铝窗||ROOT|全部|22|card_mode|"));
}

QString tst_PlazaPublicPageBrowsing::EmptyStateText(const char* name) const
{
    auto* label = m_window->findChild<QLabel*>(QString::fromLatin1(name));
    return label && label->isVisible() ? label->text() : QString();
}

void tst_PlazaPublicPageBrowsing::nothingFoundSaysSoAndClearingListsAgain_data()
{
    QTest::addColumn<QString>("modeButton");
    QTest::newRow("card mode") << QStringLiteral("SwitchToCardModeButton");
    QTest::newRow("table mode") << QStringLiteral("SwitchToListModeButton");
}

void tst_PlazaPublicPageBrowsing::nothingFoundSaysSoAndClearingListsAgain()
{
    QFETCH(QString, modeButton);
    QTest::mouseClick(Button(qPrintable(modeButton)), Qt::LeftButton);
    QVERIFY(!EmptyState() || !EmptyState()->isVisible());

    SearchFor(QStringLiteral("不存在的构件"));
    QTRY_VERIFY(EmptyState() && EmptyState()->isVisible());
    QCOMPARE(m_table->rowCount(), 0);
    QCOMPARE(EmptyStateText("PlazaPublicEmptyStateText"), QStringLiteral("没有找到相关构件"));
    auto* area = m_window->findChild<QWidget*>(QStringLiteral("ContentCollectionAndPagerBaseWidget"));
    QVERIFY(EmptyState()->isAncestorOf(TopmostAtCentreOf(area)));
    // Switching the view keeps the message above it.
    QTest::mouseClick(Button(modeButton == QLatin1String("SwitchToCardModeButton") ? "SwitchToListModeButton"
                                                                                    : "SwitchToCardModeButton"),
                      Qt::LeftButton);
    QVERIFY(EmptyState()->isAncestorOf(TopmostAtCentreOf(area)));

    auto* clear = Button("PlazaPublicEmptyStateClearButton");
    QVERIFY(clear->isVisible());
    QCOMPARE(clear->text(), QStringLiteral("清空条件"));
    QTest::mouseClick(clear, Qt::LeftButton);
    QVERIFY(LastQuery().Keyword.empty());
    QCOMPARE(LastQuery().CategoryCode, std::wstring(L"ROOT"));
    QVERIFY(SearchBox()->text().isEmpty());
    WaitForPage();
    QVERIFY(!EmptyState()->isVisible());
}

void tst_PlazaPublicPageBrowsing::aFailedRequestShowsItsReasonUntilAGoodPage_data()
{
    QTest::addColumn<QString>("reason");
    QTest::newRow("short reason") << QStringLiteral("无法打开构件目录 catalog.sqlite");
    QTest::newRow("long reason") << QStringLiteral("服务器错误 500: ") + QString(400, QLatin1Char('x'));
}

// Given a backend whose component answer fails, the list area says why
// instead of staying blank; the next good page takes its place.
void tst_PlazaPublicPageBrowsing::aFailedRequestShowsItsReasonUntilAGoodPage()
{
    QFETCH(QString, reason);
    m_backend->Held = true;
    Button("PlazaPublicRefreshButton")->click();
    m_backend->ReleaseCategories(m_backend->CategoryRequests.size() - 1);
    m_backend->ComponentRequests.back().Answer(reason.toStdWString(), nullptr);
    QTRY_VERIFY(EmptyState() && EmptyState()->isVisible());
    QCOMPARE(m_table->rowCount(), 0);
    QCOMPARE(EmptyStateText("PlazaPublicEmptyStateText"), QStringLiteral("构件列表加载失败"));
    const QString shown = EmptyStateText("PlazaPublicEmptyStateReason");
    QVERIFY2(shown.startsWith(reason.left(20)), qPrintable(shown));
    auto* reasonLabel = m_window->findChild<QLabel*>(QStringLiteral("PlazaPublicEmptyStateReason"));
    QVERIFY(reasonLabel->fontMetrics().horizontalAdvance(shown) <= reasonLabel->contentsRect().width());
    QVERIFY(!Button("PlazaPublicEmptyStateClearButton")->isVisible());

    // Offline shows the no-network page, not the message; back online the page asks again and fails again.
    HostNetworkDetector::Get()->SetState(HostNetworkDetector::Offline);
    QVERIFY(!EmptyState()->isVisible());
    const size_t asked = QueryCount();
    HostNetworkDetector::Get()->SetState(HostNetworkDetector::Online);
    QTRY_COMPARE(QueryCount(), asked + 1);
    m_backend->ComponentRequests.back().Answer(reason.toStdWString(), nullptr);
    auto* retry = Button("PlazaPublicEmptyStateRetryButton");
    QTRY_VERIFY(retry->isVisible());

    m_backend->Held = false;
    QTest::mouseClick(retry, Qt::LeftButton);
    WaitForPage();
    QVERIFY(!EmptyState()->isVisible());
}

// A button that only shows an icon still says what it does, on hover and to
// a screen reader.
void tst_PlazaPublicPageBrowsing::iconOnlyButtonsHaveTooltipsAndNames()
{
    // A keyword chip brings its remove button; the detail panel's buttons exist while it is hidden.
    SearchFor(QStringLiteral("木"));
    WaitForPage();
    QStringList undescribed;
    int iconOnly = 0;
    for (QAbstractButton* button : m_window->findChild<PlazaPublicPage*>()->findChildren<QAbstractButton*>()) {
        auto* toolButton = qobject_cast<QToolButton*>(button);
        const bool showsText = !button->text().isEmpty()
                               && (!toolButton || toolButton->toolButtonStyle() != Qt::ToolButtonIconOnly);
        if (showsText || button->icon().isNull()) {
            continue;
        }
        ++iconOnly;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        if (button->toolTip().isEmpty() || !accessible || accessible->text(QAccessible::Name).isEmpty()) {
            undescribed.append(button->objectName() + QLatin1Char('/')
                               + QString::fromLatin1(button->metaObject()->className()));
        }
    }
    QVERIFY(iconOnly >= 5);
    QVERIFY2(undescribed.isEmpty(), qPrintable(undescribed.join(QStringLiteral(", "))));
}

QTEST_MAIN(tst_PlazaPublicPageBrowsing)
#include "tst_PlazaPublicPageBrowsing.moc"
