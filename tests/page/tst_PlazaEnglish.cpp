#include "AppService.h"
#include "CategoriesTreeView.h"
#include "ComponentFileCatalog.h"
#include "ConditionFiltersPane.h"
#include "Document.h"
#include "DocumentService.h"
#include "HostNetworkDetector.h"
#include "KelBulletin.h"
#include "Pager.h"
#include "PlazaAnalyzeService.h"
#include "PlazaMainWindow.h"
#include "PlazaPublicComponentsTableModel.h"
#include "PlazaPublicComponentsTableView.h"
#include "PlazaTranslations.h"
#include "SearchTextBox.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

using namespace vela;

namespace {

// Han characters and the full-width punctuation that only Chinese texts use.
const QRegularExpression Chinese(QStringLiteral("[\\x{3000}-\\x{303f}\\x{3400}-\\x{9fff}\\x{ff08}\\x{ff09}\\x{ff0c}\\x{ff1a}]"));

// Every text the window shows or announces, except the names the catalog gives.
// The test catalog is all Latin, so any Chinese left is an untranslated text.
QStringList ChineseTexts(QWidget* window)
{
    QStringList found;
    const auto check = [&found](const QObject* owner, const QString& text) {
        if (text.contains(Chinese)) {
            found << QStringLiteral("%1: %2").arg(owner->metaObject()->className(), text);
        }
    };
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        check(widget, widget->windowTitle());
        check(widget, widget->toolTip());
        check(widget, widget->accessibleName());
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            check(label, label->text());
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            check(button, button->text());
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            check(edit, edit->placeholderText());
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            check(combo, combo->currentText());
        }
    }
    // The table draws its header and operation links from the model.
    if (auto* view = window->findChild<PlazaPublicComponentsTableView*>()) {
        const QAbstractItemModel* model = view->model();
        for (int column = 0; column < model->columnCount(); ++column) {
            for (int role : {int(Qt::DisplayRole), int(Qt::AccessibleDescriptionRole)}) {
                check(view, model->headerData(column, Qt::Horizontal, role).toString());
            }
            for (int row = 0; row < model->rowCount(); ++row) {
                check(view, model->index(row, column).data().toString());
            }
        }
    }
    return found;
}

#define VERIFY_ENGLISH(window)                                                                                 \
    do {                                                                                                       \
        const QStringList left = ChineseTexts(window);                                                         \
        QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char('\n'))));                                    \
    } while (false)

QAbstractButton* VisibleButton(QWidget* parent, const QString& text)
{
    for (QAbstractButton* button : parent->findChildren<QAbstractButton*>()) {
        if (button->text() == text && button->isVisible()) {
            return button;
        }
    }
    return nullptr;
}

bool BulletinShown(const QString& message)
{
    const QVector<KelBulletin::Record> history = KelBulletin::History();
    return std::any_of(history.begin(), history.end(),
                       [&message](const KelBulletin::Record& shown) { return shown.Message == message; });
}

} // namespace

// The page's main flows with the English catalogs installed: every text reads
// in English and every operation still acts on its translated text.
class tst_PlazaEnglish : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void browsingSearchingFilteringAndPaging();
    void nothingFoundOffersClearingFilters();
    void tableLoadLinkLoadsTheComponent();
    void aMissingCatalogIsExplainedInEnglish();

private:
    void WaitForPage();
    void Search(const QString& keyword);

    QTemporaryDir m_folder;
    std::shared_ptr<test::ComponentFileCatalog> m_catalog;
    std::unique_ptr<PlazaAnalyzeService> m_analytics;
    std::unique_ptr<AppService> m_app;
    std::unique_ptr<tarn::Document> m_document;
    PlazaMainWindow* m_window = nullptr;
    PlazaPublicComponentsTableModel* m_table = nullptr;
};

void tst_PlazaEnglish::initTestCase()
{
    QVERIFY(PlazaTranslations::Install(QLocale(QLocale::English, QLocale::UnitedStates)));
}

void tst_PlazaEnglish::init()
{
    // The sample catalog with Latin names.
    m_catalog = std::make_shared<test::ComponentFileCatalog>(m_folder.path());
    const auto sample = test::MakeSampleBackend(45);
    m_catalog->Categories = sample->Categories;
    m_catalog->Components = sample->Components;
    m_catalog->Categories[0]->Name = L"Library";
    m_catalog->Categories[1]->Name = L"Doors";
    m_catalog->Categories[2]->Name = L"Windows";
    for (int i = 0; i < 45; ++i) {
        m_catalog->Components[size_t(i)]->Name = QStringLiteral("%1 %2").arg(i % 2 ? "Window" : "Door").arg(i).toStdWString();
    }
    m_catalog->AddComponent(L"C0000", QStringLiteral("Door 0"), {QStringLiteral("D0921")});
    auto properties = std::make_shared<ICategoryProperty>();
    auto material = std::make_shared<CategoryPropertyDefinition>();
    material->Code = L"MATERIAL";
    material->Name = L"Material";
    material->Type = L"Enum";
    material->Values = {{L"wood", L"Wood"}, {L"steel", L"Steel"}};
    properties->Properties[material->Name] = material;
    m_catalog->PropertiesByCategory[L"DOORS"] = properties;
    CatalogBackend::Install(m_catalog);

    m_analytics = std::make_unique<PlazaAnalyzeService>();
    PlazaAnalyzeService::Install(m_analytics.get());
    m_app = std::make_unique<AppService>(L"code", L"1.0", Product::Sorn);
    AppService::Install(m_app.get());
    m_document = std::make_unique<tarn::Document>(L"Project 1");
    DocumentService::Get()->SetCurrentDocument(m_document.get());
    HostNetworkDetector::Get()->SetState(HostNetworkDetector::Online);
    KelBulletin::ClearHistory();

    PlazaMainWindow::Initialize();
    m_window = PlazaMainWindow::Get();
    m_table = m_window->findChild<PlazaPublicComponentsTableView*>()->Model();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    WaitForPage();
}

void tst_PlazaEnglish::cleanup()
{
    PlazaMainWindow::Destroy();
    DocumentService::Get()->SetCurrentDocument(nullptr);
    m_document.reset();
    AppService::Install(nullptr);
    PlazaAnalyzeService::Install(nullptr);
    CatalogBackend::Install(nullptr);
}

void tst_PlazaEnglish::WaitForPage()
{
    QTRY_VERIFY(m_table->rowCount() > 0);
    QCoreApplication::processEvents();
}

void tst_PlazaEnglish::Search(const QString& keyword)
{
    auto* box = m_window->findChild<SearchTextBox*>(QStringLiteral("SearchLineEdit"));
    box->clear();
    QTest::keyClicks(box, keyword);
    QTest::keyClick(box, Qt::Key_Return);
}

void tst_PlazaEnglish::browsingSearchingFilteringAndPaging()
{
    VERIFY_ENGLISH(m_window);
    QVERIFY(VisibleButton(m_window, QStringLiteral("Load Selected")));

    Search(QStringLiteral("Door"));
    QTRY_COMPARE(m_catalog->ComponentRequests.back().Asked.Keyword, std::wstring(L"Door"));
    WaitForPage();
    auto* tree = m_window->findChild<CategoriesTreeView*>();
    const QModelIndex doors = tree->Model()->IndexOfCode(L"DOORS");
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, tree->visualRect(doors).center());
    QTRY_COMPARE(m_catalog->ComponentRequests.back().Asked.CategoryCode, std::wstring(L"DOORS"));
    WaitForPage();
    VERIFY_ENGLISH(m_window);

    // An enumerated condition: the selector offers "Select" until a value is picked.
    auto* filters = m_window->findChild<ConditionFiltersPane*>();
    QTRY_VERIFY(filters->findChild<QComboBox*>() && filters->findChild<QComboBox*>()->isVisible());
    auto* combo = filters->findChild<QComboBox*>();
    VERIFY_ENGLISH(m_window);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QTRY_COMPARE(m_catalog->ComponentRequests.back().Asked.Filters.size(), size_t(1));
    WaitForPage();
    QVERIFY(VisibleButton(m_window, QStringLiteral("Clear filters")));
    VERIFY_ENGLISH(m_window);

    // Page flip through the pager's own button.
    QTest::mouseClick(VisibleButton(m_window, QStringLiteral("Clear filters")), Qt::LeftButton);
    QTRY_VERIFY(m_catalog->ComponentRequests.back().Asked.Keyword.empty());
    WaitForPage();
    QAbstractButton* next = VisibleButton(m_window->findChild<Pager*>(), QStringLiteral("Next"));
    QVERIFY(next);
    QTest::mouseClick(next, Qt::LeftButton);
    QTRY_COMPARE(m_catalog->ComponentRequests.back().Asked.PageIndex, 2);
    WaitForPage();
    VERIFY_ENGLISH(m_window);
}

void tst_PlazaEnglish::nothingFoundOffersClearingFilters()
{
    Search(QStringLiteral("nothing like this"));
    auto* message = m_window->findChild<QLabel*>(QStringLiteral("PlazaPublicEmptyStateText"));
    QTRY_VERIFY(message && message->isVisible());
    QCOMPARE(message->text(), QStringLiteral("No matching components"));
    VERIFY_ENGLISH(m_window);

    auto* clear = m_window->findChild<QPushButton*>(QStringLiteral("PlazaPublicEmptyStateClearButton"));
    QCOMPARE(clear->text(), QStringLiteral("Clear filters"));
    QTest::mouseClick(clear, Qt::LeftButton);
    QVERIFY(m_catalog->ComponentRequests.back().Asked.Keyword.empty());
    WaitForPage();
    QVERIFY(!message->isVisible());
}

void tst_PlazaEnglish::tableLoadLinkLoadsTheComponent()
{
    QTest::mouseClick(m_window->findChild<QPushButton*>(QStringLiteral("SwitchToListModeButton")), Qt::LeftButton);
    auto* view = m_window->findChild<PlazaPublicComponentsTableView*>();
    QTRY_VERIFY(view->isVisible());
    // Columns: check box, name, load, place.
    const QModelIndex link = m_table->index(0, 2);
    QCOMPARE(link.data().toString(), QStringLiteral("Load"));
    // The link is the text at the cell's left edge.
    const QRect cell = view->visualRect(link);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(cell.left() + 8, cell.center().y()));

    QTRY_VERIFY(m_document->FindFamily(L"Door 0"));
    QTRY_VERIFY(BulletinShown(QStringLiteral("Loaded")));
    for (const KelBulletin::Record& shown : KelBulletin::History()) {
        QVERIFY2(!shown.Message.contains(Chinese), qPrintable(shown.Message));
    }
}

void tst_PlazaEnglish::aMissingCatalogIsExplainedInEnglish()
{
    // The service layer's own reason reaches the list area.
    CatalogBackend::Install(nullptr);
    m_window->findChild<QPushButton*>(QStringLiteral("PlazaPublicRefreshButton"))->click();
    auto* reason = m_window->findChild<QLabel*>(QStringLiteral("PlazaPublicEmptyStateReason"));
    QTRY_VERIFY(reason && reason->isVisible());
    QCOMPARE(reason->text(), QStringLiteral("No component library is available"));
    VERIFY_ENGLISH(m_window);
}

QTEST_MAIN(tst_PlazaEnglish)
#include "tst_PlazaEnglish.moc"
