#include "ComponentFile.h"
#include "HostNetworkDetector.h"
#include "PropertyService.h"
#include "PublicCategoryService.h"
#include "PublicComponentService.h"
#include "SqliteCatalogBackend.h"

#include "AwaitReply.h"
#include "CatalogQuery.h"

#include <QImage>
#include <QSet>
#include <QTest>
#include <QUrl>

#include <memory>
#include <set>

using namespace vela;
using test::Await;

namespace {

QString Local(const std::wstring& url)
{
    return QUrl(QString::fromStdWString(url)).toLocalFile();
}

} // namespace

// The catalog that ships with the build, read through the service layer as
// the demo host reads it.
class tst_SampleCatalog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void treeIsDeepWithPropertiesOfEveryTypeOnLeaves();
    void everyComponentIsComplete();
    void propertyFiltersFindComponents();

private:
    CategoryList m_categories;
    ComponentList m_components;
};

void tst_SampleCatalog::initTestCase()
{
    const QString folder = qEnvironmentVariable("PLAZA_SAMPLE_CATALOG");
    QVERIFY2(!folder.isEmpty(), "PLAZA_SAMPLE_CATALOG is not set");
    CatalogBackend::Install(std::make_shared<SqliteCatalogBackend>(folder));
    HostNetworkDetector::Get()->SetState(HostNetworkDetector::Online);
    std::wstring error;
    m_categories = Await(PublicCategoryService::Get()->GetCategories(L"S", L"1", L"", L"", {}), &error);
    QVERIFY2(error.empty(), qPrintable(QString::fromStdWString(error)));
    const ComponentPage page =
        Await(PublicComponentService::Get()->GetComponents(L"S", L"1", L"", L"", 1, 1000, -1, {}), &error);
    QVERIFY(error.empty());
    m_components = page->Data;
    QCOMPARE(page->Total, qint64(m_components.size()));
}

void tst_SampleCatalog::cleanupTestCase()
{
    CatalogBackend::Install(nullptr);
}

void tst_SampleCatalog::treeIsDeepWithPropertiesOfEveryTypeOnLeaves()
{
    QMap<QString, QString> parents;
    for (const auto& category : m_categories) {
        parents.insert(QString::fromStdWString(category->Code), QString::fromStdWString(category->ParentCode));
    }
    int roots = 0;
    int deepest = 0;
    for (const auto& category : m_categories) {
        int depth = 1;
        for (QString up = parents.value(QString::fromStdWString(category->Code)); !up.isEmpty(); up = parents.value(up)) {
            ++depth;
        }
        deepest = std::max(deepest, depth);
        roots += category->ParentCode.empty() ? 1 : 0;
        if (!category->IsLeaf()) {
            continue;
        }
        QVERIFY(category->HasMatches);
        const auto properties = Await(PropertyService::Get()->GetCategoryProperty(L"S", L"1", category->Code, true));
        QVERIFY(properties);
        QSet<QString> types;
        for (const auto& entry : properties->Properties) {
            types.insert(QString::fromStdWString(entry.second->Type));
            if (entry.second->Type == L"Enum") {
                QVERIFY(entry.second->Values.size() >= 2);
            }
        }
        QCOMPARE(types, (QSet<QString>{"Enum", "Number", "Int", "Logic"}));
    }
    QCOMPARE(roots, 1);
    QVERIFY(deepest >= 3);
}

void tst_SampleCatalog::everyComponentIsComplete()
{
    QVERIFY(m_components.size() >= 300);
    std::set<std::wstring> ids;
    int hiddenParameters = 0;
    for (const auto& component : m_components) {
        QVERIFY(!component->Id.empty());
        QVERIFY(!ids.count(component->Id));
        ids.insert(component->Id);
        QVERIFY(!component->ShopId.empty());
        const QImage listImage(Local(component->ThumbnailUrl));
        QCOMPARE(listImage.size(), QSize(256, 256));

        std::wstring error;
        const auto detail = Await(PublicComponentService::Get()->GetDetailedComponent(L"S", L"1", component->Id), &error);
        QVERIFY2(detail, qPrintable(QString::fromStdWString(component->Id + L": " + error)));
        QCOMPARE(int(detail->CategoryPath.size()), 4);
        QCOMPARE(int(detail->Thumbnails.at(L"256").size()), 2);
        QCOMPARE(QImage(Local(detail->Thumbnails.at(L"64").front())).size(), QSize(64, 64));
        QVERIFY(detail->Legends.size() >= 2);
        QVERIFY(!QImage(Local(detail->Legends.front()->ImageUrl)).isNull());
        QVERIFY(detail->Specifications.size() >= 1 && detail->Specifications.size() <= 4);
        for (const auto& specification : detail->Specifications) {
            QVERIFY(specification->Parameters.size() >= 5 && specification->Parameters.size() <= 15);
            for (const auto& parameter : specification->Parameters) {
                hiddenParameters += parameter.second->IsVisible() ? 0 : 1;
            }
        }

        const std::wstring url = Await(PublicComponentService::Get()->GetComponentFileUrl(component->Id), &error);
        tarn::ComponentFile file;
        QString readError;
        QVERIFY2(tarn::ComponentFile::Read(Local(url), file, &readError), qPrintable(readError));
        QCOMPARE(file.Types.size(), int(detail->Specifications.size()));
        QCOMPARE(file.Types.front().Name, QString::fromStdWString(detail->Specifications.front()->Name));
        QCOMPARE(file.CategoryCode, QString::fromStdWString(component->CategoryCode));
        QVERIFY(file.Solids.size() >= 2);
    }
    QVERIFY(hiddenParameters > 0);
}

void tst_SampleCatalog::propertyFiltersFindComponents()
{
    // Wooden swing doors of 800 to 1200 mm: some, and all of them doors.
    using C = ConditionFilterOption;
    const auto material =
        test::Condition(QStringLiteral("A0101.material"), C::Equal, C::Enumeration, QStringLiteral("wood"));
    const auto width = test::Condition(QStringLiteral("A0101.width"), C::Between, C::Number, QString(),
                                       QStringLiteral("800"), QStringLiteral("1200"));
    const ComponentPage page = Await(
        PublicComponentService::Get()->GetComponents(L"S", L"1", L"A01", L"", 1, 20, -1, {material, width}));
    QVERIFY(page);
    QVERIFY(page->Total > 0);
    for (const auto& component : page->Data) {
        QCOMPARE(QString::fromStdWString(component->CategoryCode), QStringLiteral("A0101"));
        QVERIFY(QString::fromStdWString(component->Name).contains(QStringLiteral("木")));
    }
}

QTEST_MAIN(tst_SampleCatalog)
#include "tst_SampleCatalog.moc"
