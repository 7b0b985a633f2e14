#include "HostNetworkDetector.h"
#include "IProjectManager.h"
#include "ProjectCloudComponentService.h"
#include "PropertyService.h"
#include "PublicCategoryService.h"
#include "PublicComponentService.h"
#include "ReplyQueue.h"
#include "RequestToken.h"
#include "ServiceRequest.h"
#include "SqliteCatalogBackend.h"
#include "TestCatalog.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "AwaitReply.h"
#include "CatalogQuery.h"

#include <memory>

using namespace vela;
using test::Answer;
using test::Condition;
using test::Ids;
using test::Wait;

namespace {

Answer<ComponentPage> Query(const std::wstring& category, const std::wstring& keyword, int pageIndex = 1,
                            int pageSize = 20, const Conditions& conditions = {})
{
    return Wait(PublicComponentService::Get()->GetComponents(L"S", L"1", category, keyword, pageIndex, pageSize, -1,
                                                             conditions));
}

} // namespace

class tst_SqliteCatalogBackend : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void categoryTreeInPreOrderWithMatches();
    void componentsByCategoryAndKeyword_data();
    void componentsByCategoryAndKeyword();
    void everyOperatorAndValueType_data();
    void everyOperatorAndValueType();
    void pagingEdges_data();
    void pagingEdges();
    void componentRecordsCarryResolvedUrls();
    void detailedComponent();
    void legendsSpecificationAndFile();
    void categoryPropertiesKeepKnownTypes();
    void unknownThingsAreErrors();
    void projectCloud();
    void missingCatalogFailsCleanly();
    void dirtyInputSearchesAsTheCleanText_data();
    void dirtyInputSearchesAsTheCleanText();
    void cancelledRequestsAreNotRun();
    void arbitraryTextNeverBreaksAQuery();

private:
    QTemporaryDir m_dir;
    QString m_folder;
    std::shared_ptr<SqliteCatalogBackend> m_backend;
};

void tst_SqliteCatalogBackend::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_folder = m_dir.filePath(QStringLiteral("catalog"));
    QString error;
    QVERIFY2(test::BuildTestCatalog(m_folder, &error), qPrintable(error));
    m_backend = std::make_shared<SqliteCatalogBackend>(m_folder);
    CatalogBackend::Install(m_backend);
    HostNetworkDetector::Get()->SetState(HostNetworkDetector::Online);
}

void tst_SqliteCatalogBackend::cleanupTestCase()
{
    CatalogBackend::Install(nullptr);
    m_backend.reset();
}

void tst_SqliteCatalogBackend::categoryTreeInPreOrderWithMatches()
{
    const auto answer = Wait(PublicCategoryService::Get()->GetCategories(L"S", L"1", L"", L"", {}));
    QVERIFY(!answer.FinishedInsideCall);
    QVERIFY(answer.Finished);
    QVERIFY(answer.Error.empty());
    QStringList rows;
    for (const auto& category : answer.Result) {
        rows << QStringLiteral("%1<%2 %3%4%5")
                    .arg(QString::fromStdWString(category->Code), QString::fromStdWString(category->ParentCode),
                         QString::fromStdWString(category->Name), category->IsLeaf() ? QStringLiteral(" leaf") : QString(),
                         category->HasMatches ? QStringLiteral(" *") : QString());
    }
    const QStringList expected = {
        QStringLiteral("ROOT< 全部构件 *"),      QStringLiteral("ARCH<ROOT 建筑 *"),
        QStringLiteral("DOOR<ARCH 门 leaf *"),   QStringLiteral("WIN<ARCH 窗 leaf *"),
        QStringLiteral("MEP<ROOT 机电 *"),       QStringLiteral("VALVE<MEP 阀门 leaf *"),
        QStringLiteral("EMPTY<MEP 空分类 leaf"),
    };
    QCOMPARE(rows, expected);
    // The tree refreshes the service's cache of categories by code.
    const ICategory* door = PublicCategoryService::Get()->GetCategoryByCode(L"DOOR");
    QVERIFY(door && door->IsLeaf() && door->Name == L"门");
    QVERIFY(!PublicCategoryService::Get()->GetCategoryByCode(L"NOPE"));
}

void tst_SqliteCatalogBackend::componentsByCategoryAndKeyword_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QStringList>("ids");

    const QStringList doors = {"D1", "D2", "D3", "D4", "D5"};
    const QStringList windows = {"W1", "W2", "W3", "W4"};
    const QStringList valves = {"V1", "V2", "V3", ""};
    QTest::newRow("all in tree order") << QString() << QString() << doors + windows + valves;
    QTest::newRow("root") << QStringLiteral("ROOT") << QString() << doors + windows + valves;
    QTest::newRow("leaf") << QStringLiteral("VALVE") << QString() << valves;
    QTest::newRow("empty leaf") << QStringLiteral("EMPTY") << QString() << QStringList{};
    QTest::newRow("keyword within category") << QStringLiteral("WIN") << QStringLiteral("推拉") << QStringList{"W1"};
    QTest::newRow("long substring") << QString() << QStringLiteral("单扇平开门") << QStringList{"D1"};
    QTest::newRow("no match") << QString() << QStringLiteral("电梯") << QStringList{};
}

void tst_SqliteCatalogBackend::componentsByCategoryAndKeyword()
{
    QFETCH(QString, category);
    QFETCH(QString, keyword);
    QFETCH(QStringList, ids);
    const auto answer = Query(category.toStdWString(), keyword.toStdWString());
    QVERIFY(!answer.FinishedInsideCall);
    QVERIFY(answer.Finished);
    QVERIFY2(answer.Error.empty(), qPrintable(QString::fromStdWString(answer.Error)));
    QVERIFY(answer.Result);
    QCOMPARE(Ids(answer.Result), ids);
    QCOMPARE(answer.Result->Total, qint64(ids.size()));
}

// A condition the engine cannot apply is refused rather than read loosely.
static const QStringList Refused{QStringLiteral("<refused>")};

void tst_SqliteCatalogBackend::everyOperatorAndValueType_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("op");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QStringList>("ids");

    using C = ConditionFilterOption;
    const auto row = [](const char* name, const char* code, int op, int type, const char* value,
                        const QStringList& ids, const char* from = "", const char* to = "") {
        QTest::newRow(name) << QString(code) << op << type << QString(value) << QString(from) << QString(to) << ids;
    };
    row("enum equal", "door.material", C::Equal, C::Enumeration, "wood", {"D1", "D4"});
    row("enum unknown value", "door.material", C::Equal, C::Enumeration, "gold", {});
    row("number equal", "door.width", C::Equal, C::Number, "1500", {"D2"});
    row("number greater", "door.width", C::Greater, C::Number, "1200", {"D2", "D3"});
    row("number greater or equal", "door.width", C::GreaterOrEqual, C::Number, "1200", {"D2", "D3", "D4"});
    row("number less", "door.width", C::Less, C::Number, "960", {"D1"});
    row("number less or equal", "door.width", C::LessOrEqual, C::Number, "960", {"D1", "D5"});
    row("between exclusive", "door.width", C::BetweenExclusive, C::Number, "", {"D2", "D4"}, "960", "1800");
    row("between inclusive", "door.width", C::Between, C::Number, "", {"D2", "D3", "D4", "D5"}, "960", "1800");
    row("decimal bound", "door.width", C::Greater, C::Number, "1499.5", {"D2", "D3"});
    row("int equal", "door.leaves", C::Equal, C::IntegerOrBoolean, "2", {"D2", "D3", "D4"});
    row("int between", "door.leaves", C::Between, C::IntegerOrBoolean, "", {"D1", "D5"}, "1", "1");
    row("boolean 1", "door.fire", C::Equal, C::IntegerOrBoolean, "1", {"D2", "D5"});
    row("boolean false", "door.fire", C::Equal, C::IntegerOrBoolean, "false", {"D1", "D3", "D4"});
    row("unknown property", "door.colour", C::Equal, C::Enumeration, "red", {});
    row("unknown operator", "door.width", 3, C::Number, "1", Refused);
    row("unknown value type", "door.width", C::Equal, 3, "1", Refused);
    row("text for a number", "door.width", C::Greater, C::Number, "wide", Refused);
    row("range on an enumeration", "door.width", C::Greater, C::Enumeration, "wood", Refused);
}

void tst_SqliteCatalogBackend::everyOperatorAndValueType()
{
    QFETCH(QString, code);
    QFETCH(int, op);
    QFETCH(int, type);
    QFETCH(QString, value);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QStringList, ids);
    const auto answer = Query(L"", L"", 1, 20, {Condition(code, op, type, value, from, to)});
    QVERIFY(answer.Finished);
    if (ids == Refused) {
        QVERIFY(!answer.Error.empty());
        QVERIFY(!answer.Result);
        return;
    }
    QVERIFY2(answer.Error.empty(), qPrintable(QString::fromStdWString(answer.Error)));
    QCOMPARE(Ids(answer.Result), ids);
    QCOMPARE(answer.Result->Total, qint64(ids.size()));
}

void tst_SqliteCatalogBackend::pagingEdges_data()
{
    QTest::addColumn<int>("pageIndex");
    QTest::addColumn<int>("pageSize");
    QTest::addColumn<QStringList>("ids");

    QTest::newRow("last partial page") << 4 << 4 << QStringList{""};
    QTest::newRow("far past the end") << 2000000000 << 20 << QStringList{};
    QTest::newRow("page index zero reads as first") << 0 << 2 << QStringList{"D1", "D2"};
    QTest::newRow("page size zero") << 1 << 0 << QStringList{};
    QTest::newRow("negative page size") << 1 << -5 << QStringList{};
}

void tst_SqliteCatalogBackend::pagingEdges()
{
    QFETCH(int, pageIndex);
    QFETCH(int, pageSize);
    QFETCH(QStringList, ids);
    const auto answer = Query(L"", L"", pageIndex, pageSize);
    QVERIFY(answer.Error.empty());
    QCOMPARE(Ids(answer.Result), ids);
    QCOMPARE(answer.Result->Total, qint64(13));
}

void tst_SqliteCatalogBackend::componentRecordsCarryResolvedUrls()
{
    const auto answer = Query(L"ARCH", L"", 1, 20);
    QVERIFY(answer.Error.empty());
    std::map<std::wstring, std::shared_ptr<IComponent>> byId;
    for (const auto& component : answer.Result->Data) {
        byId[component->Id] = component;
    }
    const QUrl d1(QString::fromStdWString(byId.at(L"D1")->ThumbnailUrl));
    QVERIFY(d1.isLocalFile());
    QCOMPARE(d1.toLocalFile(), m_folder + QStringLiteral("/files/thumbnails/D1.png"));
    QCOMPARE(QString::fromStdWString(byId.at(L"D1")->CategoryCode), QStringLiteral("DOOR"));
    QCOMPARE(QString::fromStdWString(byId.at(L"D1")->ShopId), QStringLiteral("SHOP-1"));
    // Missing, and pointing outside the catalog: no URL rather than a wrong one.
    QVERIFY(byId.at(L"D2")->ThumbnailUrl.empty());
    QVERIFY(byId.at(L"W1")->ThumbnailUrl.empty());
}

void tst_SqliteCatalogBackend::detailedComponent()
{
    const auto answer = Wait(PublicComponentService::Get()->GetDetailedComponent(L"S", L"1", L"D1"));
    QVERIFY(!answer.FinishedInsideCall);
    QVERIFY(answer.Error.empty());
    const auto detail = answer.Result;
    QVERIFY(detail);
    QCOMPARE(QString::fromStdWString(detail->Name), QStringLiteral("木质单扇平开门 M0921"));
    QCOMPARE(detail->CategoryPath, (std::vector<std::wstring>{L"全部构件", L"建筑", L"门"}));
    QCOMPARE(int(detail->Thumbnails.at(L"256").size()), 2);
    QCOMPARE(int(detail->Thumbnails.at(L"64").size()), 1);
    QCOMPARE(QUrl(QString::fromStdWString(detail->Thumbnails.at(L"256")[1])).toLocalFile(),
             m_folder + QStringLiteral("/files/b_256.png"));
    // The legend without an image is left out.
    QCOMPARE(int(detail->Legends.size()), 2);
    QCOMPARE(QString::fromStdWString(detail->Legends[1]->Name), QStringLiteral("立面图"));
    QCOMPARE(int(detail->Specifications.size()), 2);
    const auto& parameters = detail->Specifications[0]->Parameters;
    QStringList shown;
    for (const auto& entry : parameters) {
        shown << QStringLiteral("%1=%2%3%4")
                     .arg(QString::fromStdWString(entry.second->Name), QString::fromStdWString(entry.second->Value),
                          QString::fromStdWString(entry.second->Unit),
                          entry.second->IsVisible() ? QString() : QStringLiteral(" hidden"));
    }
    QCOMPARE(shown, (QStringList{"宽度=900mm", "高度=2100mm", "内部编码=X-17 hidden", "重量=kg"}));

    // D2: no thumbnail at all, a parameter without a name.
    const auto sparse = Wait(PublicComponentService::Get()->GetDetailedComponent(L"S", L"1", L"D2"));
    QVERIFY(sparse.Error.empty());
    QVERIFY(sparse.Result->Thumbnails.empty());
    QVERIFY(sparse.Result->Legends.empty());
    QCOMPARE(int(sparse.Result->Specifications.size()), 1);
    QCOMPARE(int(sparse.Result->Specifications[0]->Parameters.size()), 1);
    QCOMPARE(QString::fromStdWString(sparse.Result->Specifications[0]->Parameters.begin()->second->Name),
             QStringLiteral("厚度"));
}

void tst_SqliteCatalogBackend::legendsSpecificationAndFile()
{
    const auto legends = Wait(PublicComponentService::Get()->GetLegend(L"S", L"1", L"D3"));
    QVERIFY(!legends.FinishedInsideCall);
    QVERIFY(legends.Error.empty());
    QCOMPARE(int(legends.Result.size()), 2);
    QCOMPARE(QString::fromStdWString(legends.Result[0]->Name), QStringLiteral("平面图"));

    const auto specification = Wait(PublicComponentService::Get()->GetSpecification(L"S", L"1", L"D3", L"S2"));
    QVERIFY(specification.Error.empty());
    QCOMPARE(QString::fromStdWString(specification.Result->Name), QStringLiteral("M1021"));
    QCOMPARE(QString::fromStdWString(specification.Result->Id), QStringLiteral("S2"));
    QCOMPARE(int(specification.Result->Parameters.size()), 1);

    const auto url = Wait(PublicComponentService::Get()->GetComponentFileUrl(L"D1"));
    QVERIFY(url.Error.empty());
    tarn::ComponentFile file;
    QString error;
    QVERIFY2(tarn::ComponentFile::Read(QUrl(QString::fromStdWString(url.Result)).toLocalFile(), file, &error),
             qPrintable(error));
    QCOMPARE(file.FamilyName, QStringLiteral("木质单扇平开门"));
}

void tst_SqliteCatalogBackend::categoryPropertiesKeepKnownTypes()
{
    const auto door = Wait(PropertyService::Get()->GetCategoryProperty(L"S", L"1", L"DOOR", true));
    QVERIFY(!door.FinishedInsideCall);
    QVERIFY(door.Error.empty());
    QStringList rows;
    for (const auto& entry : door.Result->Properties) {
        QStringList values;
        for (const auto& value : entry.second->Values) {
            values << QString::fromStdWString(value.first + L"=" + value.second);
        }
        rows << QStringLiteral("%1 %2 %3 %4 [%5]")
                    .arg(QString::fromStdWString(entry.first), QString::fromStdWString(entry.second->Code),
                         QString::fromStdWString(entry.second->Type), QString::fromStdWString(entry.second->Unit),
                         values.join(QLatin1Char(',')));
    }
    rows.sort();
    QStringList expected = {
        QStringLiteral("宽度 door.width Number mm []"),
        QStringLiteral("扇数 door.leaves Int 扇 []"),
        QStringLiteral("材质 door.material Enum  [glass=玻璃,steel=钢质,wood=木质]"),
        QStringLiteral("防火 door.fire Logic  []"),
    };
    expected.sort();
    QCOMPARE(rows, expected);

    // A type in another letter case is spelled the known way; an unknown type is left out.
    const auto window = Wait(PropertyService::Get()->GetCategoryProperty(L"S", L"1", L"WIN", true));
    QVERIFY(window.Error.empty());
    QCOMPARE(int(window.Result->Properties.size()), 2);
    QCOMPARE(QString::fromStdWString(window.Result->Properties.at(L"框材")->Type), QStringLiteral("Enum"));

    const auto empty = Wait(PropertyService::Get()->GetCategoryProperty(L"S", L"1", L"EMPTY", true));
    QVERIFY(empty.Error.empty());
    QVERIFY(empty.Result && empty.Result->Properties.empty());
}

void tst_SqliteCatalogBackend::unknownThingsAreErrors()
{
    auto* service = PublicComponentService::Get();
    QVERIFY(!Wait(service->GetDetailedComponent(L"S", L"1", L"NOPE")).Error.empty());
    QVERIFY(!Wait(service->GetDetailedComponent(L"S", L"1", L"")).Error.empty());
    QVERIFY(!Wait(service->GetLegend(L"S", L"1", L"NOPE")).Error.empty());
    QVERIFY(!Wait(service->GetSpecification(L"S", L"1", L"D1", L"S9")).Error.empty());
    QVERIFY(!Wait(service->GetSpecification(L"S", L"1", L"NOPE", L"S1")).Error.empty());
    QVERIFY(!Wait(service->GetComponentFileUrl(L"NOPE")).Error.empty());
    QVERIFY(!Wait(PropertyService::Get()->GetCategoryProperty(L"S", L"1", L"NOPE", true)).Error.empty());
    const auto unknownCategory = Query(L"NOPE", L"");
    QVERIFY(unknownCategory.Finished);
    QVERIFY(!unknownCategory.Error.empty());
}

void tst_SqliteCatalogBackend::projectCloud()
{
    QTRY_COMPARE(QString::fromStdWString(IProjectManager::Get()->TryGetCurrentProjectNameById(L"P1001")),
                 QStringLiteral("协同示范项目"));
    QVERIFY(IProjectManager::Get()->TryGetCurrentProjectNameById(L"P404").empty());
    auto* cloud = ProjectCloudComponentService::Get();

    // The seeded project already holds the first components of the catalog.
    const auto seeded = Wait(cloud->CheckPublicComponentRespeats(L"P1001", {L"D1", L"W4"}));
    QVERIFY(!seeded.FinishedInsideCall);
    QVERIFY(seeded.Error.empty());
    QCOMPARE(int(seeded.Result.size()), 2);
    QVERIFY(seeded.Result[0]->IsExistedInProject());
    QVERIFY(!seeded.Result[1]->IsExistedInProject());

    const auto first = Wait(cloud->AddComponentFromPublic(L"P1002", {L"W4", L"NOPE", L"V2"}));
    QVERIFY(first.Error.empty());
    QCOMPARE(int(first.Result.size()), 2);
    QCOMPARE(QString::fromStdWString(first.Result[0]->Name), QStringLiteral("塑钢窗_标准款"));
    QCOMPARE(QString::fromStdWString(first.Result[0]->CategoryCode), QStringLiteral("WIN"));
    QCOMPARE(QString::fromStdWString(first.Result[0]->PublicComponentId), QStringLiteral("W4"));
    QCOMPARE(first.Result[0]->Version, 1);

    const auto repeats = Wait(cloud->CheckPublicComponentRespeats(L"P1002", {L"W4", L"V2", L"D1"}));
    QVERIFY(repeats.Error.empty());
    QCOMPARE(QVector<bool>({repeats.Result[0]->IsExistedInProject(), repeats.Result[1]->IsExistedInProject(),
                            repeats.Result[2]->IsExistedInProject()}),
             QVector<bool>({true, true, false}));
    // Only unknown components: nothing to add. Copies and unknown projects are the project store tests' own.
    QVERIFY(!Wait(cloud->AddComponentFromPublic(L"P1002", {L"NOPE"})).Error.empty());
}

void tst_SqliteCatalogBackend::missingCatalogFailsCleanly()
{
    const std::shared_ptr<CatalogBackend> installed = CatalogBackend::Current();
    const QString store = m_dir.filePath(QStringLiteral("projects/store.sqlite"));
    CatalogBackend::Install(std::make_shared<SqliteCatalogBackend>(m_dir.filePath(QStringLiteral("nowhere")), store));
    const auto components = Query(L"", L"门");
    QVERIFY(components.Finished);
    QVERIFY(!components.Error.empty());
    QVERIFY(!components.Result);
    QVERIFY(!Wait(PublicCategoryService::Get()->GetCategories(L"S", L"1", L"", L"", {})).Error.empty());
    // The project store works without a catalog, and is written where it was asked to be.
    const auto repeats = Wait(ProjectCloudComponentService::Get()->CheckPublicComponentRespeats(L"P1003", {L"D1"}));
    QVERIFY(repeats.Error.empty());
    QVERIFY(QFileInfo::exists(store));
    QVERIFY(!Wait(ProjectCloudComponentService::Get()->AddComponentFromPublic(L"P1003", {L"D1"})).Error.empty());
    CatalogBackend::Install(installed);
}

void tst_SqliteCatalogBackend::dirtyInputSearchesAsTheCleanText_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("material");
    QTest::addColumn<QStringList>("ids");

    const QChar nul(0);
    const QChar bom(0xFEFF);
    const QString none;
    QTest::newRow("NUL inside a long keyword") << QStringLiteral("单扇") + nul + QStringLiteral("平开门") << none
                                               << QStringList{"D1"};
    QTest::newRow("NUL after one character") << QStringLiteral("阀") + nul << none << QStringList{"V1", "V2", "V3", ""};
    QTest::newRow("two leading BOMs") << QString(bom) + bom + QStringLiteral("推拉") << none << QStringList{"D3", "W1"};
    QTest::newRow("BOM inside and after") << QStringLiteral("推") + bom + QStringLiteral("拉") + bom << none
                                          << QStringList{"D3", "W1"};
    QTest::newRow("only control characters") << QString(nul) + QChar(7) + bom + QChar('\t') << none
                                             << QStringList{"D1", "D2", "D3", "D4", "D5", "W1", "W2", "W3", "W4",
                                                            "V1", "V2", "V3", ""};
    QTest::newRow("NUL and BOM in a condition value") << none << QString(bom) + QStringLiteral("wood") + nul
                                                      << QStringList{"D1", "D4"};
}

// Given text with NUL, byte order marks or control characters straight, not
// cleaned by the service, the backend answers as for the clean text.
void tst_SqliteCatalogBackend::dirtyInputSearchesAsTheCleanText()
{
    QFETCH(QString, keyword);
    QFETCH(QString, material);
    QFETCH(QStringList, ids);
    ComponentQuery query;
    query.Keyword = keyword.toStdWString();
    if (!material.isEmpty()) {
        using C = ConditionFilterOption;
        query.Filters = {Condition("door.material", C::Equal, C::Enumeration, material)};
    }
    auto* direct = new CustomReply<ComponentPage>();
    m_backend->GetComponents(query, direct->Completer());
    const auto answer = Wait(direct);
    QVERIFY2(answer.Error.empty(), qPrintable(QString::fromStdWString(answer.Error)));
    QCOMPARE(Ids(answer.Result), ids);

    auto* tree = new CustomReply<CategoryList>();
    m_backend->GetCategories(CategoryQuery{query.Keyword, query.Filters}, tree->Completer());
    QVERIFY(Wait(tree).Error.empty());
}

void tst_SqliteCatalogBackend::cancelledRequestsAreNotRun()
{
    auto* reply = new CustomReply<ComponentPage>();
    auto token = std::make_shared<RequestToken>();
    QVERIFY(token->Cancel());
    {
        RequestToken::Scope scope(token);
        m_backend->GetComponents(ComponentQuery{}, reply->Completer());
    }
    const auto answer = Wait(reply);
    QCOMPARE(answer.Error, std::wstring(ReplyQueue::SupersededErrorText()));
    QVERIFY(!answer.Result);

    // Outside a service call there is no token, and the work runs.
    auto* plain = new CustomReply<ComponentPage>();
    m_backend->GetComponents(ComponentQuery{}, plain->Completer());
    QVERIFY(Wait(plain).Error.empty());
}

namespace {

// Text that has broken query building before: NUL, byte order marks, quotes,
// FTS5 syntax, LIKE wildcards, lone surrogates and values past U+10FFFF.
std::wstring ArbitraryText(QRandomGenerator& random)
{
    static const wchar_t special[] = {0, 0xFEFF, L'"', L'\'', L'%', L'_', L'\\', L'*', L':', L'(', L')', L'^',
                                      L'-', L' ', L'\t', 0x7F, 0x85, 0x3000, 0xD800, 0xDFFF, L'门', L'阀', L'N'};
    std::wstring text;
    const int length = random.bounded(14);
    for (int i = 0; i < length; ++i) {
        if (random.bounded(3) == 0) {
            text += wchar_t(random.bounded(0x110010));
        } else {
            text += special[random.bounded(int(sizeof(special) / sizeof(special[0])))];
        }
    }
    return text;
}

} // namespace

// A fixed-seed sweep over arbitrary keywords and condition values given
// straight to the backend: answers or clear refusals, never a database error.
void tst_SqliteCatalogBackend::arbitraryTextNeverBreaksAQuery()
{
    QRandomGenerator random(20261206);
    const char* codes[] = {"door.material", "door.width", "door.leaves", "door.fire", "nope"};
    const int operators[] = {1, 4, 5, 6, 7, 8, 9, 0, -3};
    const int types[] = {1, 2, 4, 3};
    const std::wstring databaseError = L"查询构件库失败";
    for (int round = 0; round < 150; ++round) {
        ComponentQuery query;
        query.Keyword = ArbitraryText(random);
        query.PageIndex = random.bounded(3) == 0 ? int(random.generate()) : 1;
        if (random.bounded(2) == 0) {
            auto condition =
                Condition(codes[random.bounded(5)], operators[random.bounded(9)], types[random.bounded(4)], "");
            condition->SetValue(ArbitraryText(random));
            condition->SetFromValue(ArbitraryText(random));
            condition->SetToValue(ArbitraryText(random));
            query.Filters.push_back(condition);
        }
        auto* components = new CustomReply<ComponentPage>();
        m_backend->GetComponents(query, components->Completer());
        const auto page = Wait(components);
        QVERIFY(page.Finished);
        QVERIFY2(page.Error.compare(0, databaseError.size(), databaseError) != 0,
                 qPrintable(QString::fromStdWString(page.Error)));
        QVERIFY(!page.Error.empty() || (page.Result && page.Result->Total >= 0));

        auto* tree = new CustomReply<CategoryList>();
        m_backend->GetCategories(CategoryQuery{query.Keyword, query.Filters}, tree->Completer());
        const auto categories = Wait(tree);
        QVERIFY2(categories.Error.compare(0, databaseError.size(), databaseError) != 0,
                 qPrintable(QString::fromStdWString(categories.Error)));
    }
}

QTEST_GUILESS_MAIN(tst_SqliteCatalogBackend)
#include "tst_SqliteCatalogBackend.moc"
