#include "CategoriesTreeView.h"

#include <QAbstractItemModelTester>
#include <QtTest>

using namespace vela;

using Categories = std::vector<std::shared_ptr<ICategory>>;
Q_DECLARE_METATYPE(Categories)

namespace {

std::shared_ptr<ICategory> Category(const wchar_t* code, const wchar_t* parent, bool hasMatches = true)
{
    auto category = std::make_shared<ICategory>();
    category->Code = code;
    category->Name = std::wstring(L"name-") + code;
    category->ParentCode = parent;
    category->HasMatches = hasMatches;
    return category;
}

// The tree as text: "A(B(D) C)" lists each node's code followed by its children.
QString TreeText(const CategoriesTreeModel& model, const QModelIndex& parent = QModelIndex())
{
    QStringList parts;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        QString part = QString::fromStdWString(model.CategoryAt(index)->Code);
        if (model.rowCount(index) > 0)
            part += QLatin1Char('(') + TreeText(model, index) + QLatin1Char(')');
        parts << part;
    }
    return parts.join(QLatin1Char(' '));
}

// A root R with two branches; B has a child D.
Categories SampleTree()
{
    return {Category(L"R", L""), Category(L"A", L"R"), Category(L"B", L"R"), Category(L"D", L"B")};
}

} // namespace

// Building the tree from the flat list and keeping selection and expansion across replacements.
class tst_CategoriesTreeView : public QObject
{
    Q_OBJECT

private slots:
    void buildsTreeFromFlatList_data();
    void buildsTreeFromFlatList();
    void greysCategoriesWithoutMatches();
    void selectionAndExpansionByCodeSurviveReplacement();
    void anEmptiedTreeKeepsItsExpansionForTheNextOne();
    void clickReportsTheCategory();
};

void tst_CategoriesTreeView::buildsTreeFromFlatList_data()
{
    QTest::addColumn<Categories>("categories");
    QTest::addColumn<QString>("tree");

    QTest::newRow("children follow the given order")
        << Categories{Category(L"R", L""), Category(L"B", L"R"), Category(L"A", L"R"), Category(L"S", L"")}
        << "R(B A) S";
    QTest::newRow("child listed before its parent")
        << Categories{Category(L"D", L"B"), Category(L"R", L""), Category(L"B", L"R")} << "R(B(D))";
    QTest::newRow("orphan dropped with its subtree")
        << Categories{Category(L"R", L""), Category(L"O", L"missing"), Category(L"P", L"O")} << "R";
    QTest::newRow("nulls, empty codes and repeats dropped")
        << Categories{nullptr, Category(L"R", L""), Category(L"", L"R"), Category(L"A", L"R"), Category(L"A", L""),
                      nullptr}
        << "R(A)";
    QTest::newRow("cycle without a root dropped")
        << Categories{Category(L"R", L""), Category(L"X", L"Y"), Category(L"Y", L"X"), Category(L"Z", L"Z")} << "R";
    QTest::newRow("empty list") << Categories{} << "";
}

void tst_CategoriesTreeView::buildsTreeFromFlatList()
{
    QFETCH(Categories, categories);
    QFETCH(QString, tree);

    CategoriesTreeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.SetCategories(SampleTree());
    model.SetCategories(categories);

    QCOMPARE(TreeText(model), tree);
}

void tst_CategoriesTreeView::greysCategoriesWithoutMatches()
{
    CategoriesTreeModel model;
    model.SetCategories({Category(L"R", L""), Category(L"A", L"R", false)});
    const auto colour = [&](const wchar_t* code) { return model.data(model.IndexOfCode(code), Qt::ForegroundRole); };
    QCOMPARE(model.data(model.IndexOfCode(L"A")).toString(), QStringLiteral("name-A"));
    QVERIFY(colour(L"R") != colour(L"A"));
}

void tst_CategoriesTreeView::selectionAndExpansionByCodeSurviveReplacement()
{
    CategoriesTreeView view(nullptr);
    view.Model()->SetCategories(SampleTree());
    view.ExpandCategory(L"R");
    view.ExpandToCategory(L"D");
    view.SelectCategory(L"D");
    const auto expanded = view.GetExpandedCategoryCodes();
    QCOMPARE(expanded, (std::vector<std::wstring>{L"R", L"B"}));

    // When the same categories arrive again as new records, the caller re-applies by code.
    view.Model()->SetCategories(SampleTree());
    QVERIFY(view.GetExpandedCategoryCodes().empty());
    view.SelectCategory(L"D");
    view.ExpandCategories(expanded);
    QCOMPARE(view.GetExpandedCategoryCodes(), expanded);
    QCOMPARE(view.selectionModel()->selectedIndexes(), QModelIndexList{view.Model()->IndexOfCode(L"D")});

    view.SelectCategory(L"unknown");
    QVERIFY(view.selectionModel()->selectedIndexes().isEmpty());
}

// A failed or superseded request empties the tree just before the next
// answer: the caller reads the expansion from the empty tree and re-applies it.
void tst_CategoriesTreeView::anEmptiedTreeKeepsItsExpansionForTheNextOne()
{
    CategoriesTreeView view(nullptr);
    view.Model()->SetCategories(SampleTree());
    view.ExpandToCategory(L"D");
    const std::vector<std::wstring> expanded{L"R", L"B"};
    QCOMPARE(view.GetExpandedCategoryCodes(), expanded);

    view.Model()->SetCategories({});
    view.Model()->SetCategories({});
    QCOMPARE(view.GetExpandedCategoryCodes(), expanded);
    const auto kept = view.GetExpandedCategoryCodes();
    view.Model()->SetCategories(SampleTree());
    view.ExpandCategories(kept);
    QCOMPARE(view.GetExpandedCategoryCodes(), expanded);

    // A filled tree answers what it shows.
    view.collapse(view.Model()->IndexOfCode(L"B"));
    QCOMPARE(view.GetExpandedCategoryCodes(), std::vector<std::wstring>{L"R"});
}

void tst_CategoriesTreeView::clickReportsTheCategory()
{
    CategoriesTreeView view(nullptr);
    view.resize(200, 300);
    view.Model()->SetCategories(SampleTree());
    view.ExpandToCategory(L"D");
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    std::vector<ICategory*> clicked;
    connect(&view, &CategoriesTreeView::CategoryClicked, this, [&](ICategory* category) { clicked.push_back(category); });

    const QRect rect = view.visualRect(view.Model()->IndexOfCode(L"D"));
    QCOMPARE(rect.height(), 28);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());

    QCOMPARE(clicked.size(), size_t(1));
    QVERIFY(clicked[0]);
    QCOMPARE(clicked[0]->Code, std::wstring(L"D"));

    // Empty space below the rows reports nothing.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 290));
    QCOMPARE(clicked.size(), size_t(1));
}

QTEST_MAIN(tst_CategoriesTreeView)
#include "tst_CategoriesTreeView.moc"
