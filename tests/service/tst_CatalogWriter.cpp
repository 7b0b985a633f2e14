#include "CatalogWriter.h"
#include "HostNetworkDetector.h"
#include "PublicCategoryService.h"
#include "PublicComponentService.h"
#include "SqliteCatalogBackend.h"

#include "AwaitReply.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <memory>
#include <random>
#include <set>

using namespace vela;
using test::Await;

namespace {

std::set<QString> Ids(const ComponentPage& page)
{
    std::set<QString> ids;
    for (const auto& component : page->Data) {
        ids.insert(QString::fromStdWString(component->Id));
    }
    return ids;
}

ComponentPage Query(const QString& category, const QString& keyword)
{
    return Await(PublicComponentService::Get()->GetComponents(L"S", L"1", category.toStdWString(),
                                                              keyword.toStdWString(), 1, 1000, -1, {}));
}

} // namespace

// Catalogs written from records in any order answer exactly what their
// records say: every category holds the components of its subtree, and every
// keyword finds exactly the names that contain it.
class tst_CatalogWriter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyCategoryHoldsItsSubtree();
    void everyKeywordFindsExactlyTheNamesHoldingIt();
    void misuseIsReported();

private:
    QTemporaryDir m_dir;
    // Component id to name and category.
    std::map<QString, QPair<QString, QString>> m_components;
};

void tst_CatalogWriter::initTestCase()
{
    // Given a random tree written in shuffled order, with a cycle, an orphan
    // and components of a category that does not exist,
    std::mt19937 random(20240607);
    QVector<CatalogWriter::Category> categories;
    for (int i = 0; i < 30; ++i) {
        const QString code = QStringLiteral("C%1").arg(i);
        const QString parent = i == 0 ? QString() : QStringLiteral("C%1").arg(std::uniform_int_distribution<int>(0, i - 1)(random));
        categories.append({code, parent, QStringLiteral("分类%1").arg(i), false, {}});
    }
    categories.append({QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("环甲"), false, {}});
    categories.append({QStringLiteral("Y"), QStringLiteral("X"), QStringLiteral("环乙"), false, {}});
    categories.append({QStringLiteral("ORPHAN"), QStringLiteral("NOPE"), QStringLiteral("孤儿"), true, {}});
    std::shuffle(categories.begin(), categories.end(), random);

    const QString alphabet = QStringLiteral("门窗平开推拉阀管钢木AbCdLeD09%_\" \\-");
    QStringList codes;
    for (const auto& category : categories) {
        codes << category.Code;
    }
    codes << QStringLiteral("GHOST");

    const QString file = m_dir.filePath(QStringLiteral("catalog.sqlite"));
    CatalogWriter writer(file);
    QString error;
    QVERIFY2(writer.Open(&error), qPrintable(error));
    for (const auto& category : categories) {
        QVERIFY(writer.AddCategory(category));
    }
    for (int i = 0; i < 300; ++i) {
        QString name;
        const int length = std::uniform_int_distribution<int>(1, 12)(random);
        for (int c = 0; c < length; ++c) {
            name += alphabet[std::uniform_int_distribution<int>(0, alphabet.size() - 1)(random)];
        }
        CatalogWriter::Component component;
        component.Id = QStringLiteral("P%1").arg(i);
        component.Name = name;
        component.CategoryCode = codes[std::uniform_int_distribution<int>(0, codes.size() - 1)(random)];
        QVERIFY(writer.AddComponent(component));
        m_components[component.Id] = {name, component.CategoryCode};
    }
    QVERIFY2(writer.Finish(&error), qPrintable(error));
    CatalogBackend::Install(std::make_shared<SqliteCatalogBackend>(file));
    HostNetworkDetector::Get()->SetState(HostNetworkDetector::Online);
}

void tst_CatalogWriter::cleanupTestCase()
{
    CatalogBackend::Install(nullptr);
}

void tst_CatalogWriter::everyCategoryHoldsItsSubtree()
{
    const CategoryList tree = Await(PublicCategoryService::Get()->GetCategories(L"S", L"1", L"", L"", {}));
    QCOMPARE(int(tree.size()), 33);
    // A proper tree: every parent comes before its children.
    std::map<QString, QString> parentOf;
    for (const auto& category : tree) {
        const QString code = QString::fromStdWString(category->Code);
        const QString parent = QString::fromStdWString(category->ParentCode);
        QVERIFY2(parent.isEmpty() || parentOf.count(parent), qPrintable(code));
        parentOf[code] = parent;
    }
    QCOMPARE(parentOf.at(QStringLiteral("ORPHAN")), QString());

    const auto inSubtree = [&](QString code, const QString& top) {
        for (int guard = 0; !code.isEmpty() && guard < 64; ++guard) {
            if (code == top) {
                return true;
            }
            code = parentOf.count(code) ? parentOf.at(code) : QString();
        }
        return false;
    };
    for (const auto& category : tree) {
        const QString code = QString::fromStdWString(category->Code);
        std::set<QString> expected;
        for (const auto& entry : m_components) {
            if (inSubtree(entry.second.second, code)) {
                expected.insert(entry.first);
            }
        }
        const ComponentPage page = Query(code, QString());
        QVERIFY(page);
        QCOMPARE(Ids(page), expected);
        QCOMPARE(page->Total, qint64(expected.size()));
        QCOMPARE(category->HasMatches, !expected.empty());
    }
    // Everything, the components of the missing category included.
    const ComponentPage all = Query(QString(), QString());
    QCOMPARE(all->Total, qint64(m_components.size()));
    QCOMPARE(int(all->Data.size()), int(m_components.size()));
}

void tst_CatalogWriter::everyKeywordFindsExactlyTheNamesHoldingIt()
{
    // Substrings of stored names, in both letter cases, and a few that exist nowhere.
    std::set<QString> keywords = {QStringLiteral("门门门门门"), QStringLiteral("zz"), QStringLiteral("%%%%")};
    int n = 0;
    for (const auto& entry : m_components) {
        if (n++ % 9 != 0) {
            continue;
        }
        const QString& name = entry.second.first;
        for (int length = 1; length <= 4; ++length) {
            for (int from = 0; from + length <= name.size(); from += 3) {
                keywords.insert(name.mid(from, length));
                keywords.insert(name.mid(from, length).toUpper());
            }
        }
    }
    for (const QString& keyword : keywords) {
        const QString wanted = keyword.trimmed().toLower();
        std::set<QString> expected;
        for (const auto& entry : m_components) {
            if (wanted.isEmpty() || entry.second.first.toLower().contains(wanted)) {
                expected.insert(entry.first);
            }
        }
        std::wstring error;
        const ComponentPage page = Await(PublicComponentService::Get()->GetComponents(
                                             L"S", L"1", L"", keyword.toStdWString(), 1, 1000, -1, {}),
                                         &error);
        QVERIFY2(page, qPrintable(keyword + QLatin1Char(' ') + QString::fromStdWString(error)));
        QVERIFY2(Ids(page) == expected, qPrintable(QStringLiteral("keyword [%1]").arg(keyword)));
        QCOMPARE(page->Total, qint64(expected.size()));
    }
}

void tst_CatalogWriter::misuseIsReported()
{
    CatalogWriter writer(m_dir.filePath(QStringLiteral("other.sqlite")));
    QVERIFY(!writer.AddCategory({QStringLiteral("A"), QString(), QStringLiteral("甲"), true, {}}));
    QVERIFY(!writer.LastError().isEmpty());
    QString error;
    QVERIFY(!writer.Finish(&error));
    QVERIFY(!error.isEmpty());

    QVERIFY(writer.Open(&error));
    QVERIFY(writer.AddCategory({QStringLiteral("A"), QString(), QStringLiteral("甲"), true, {}}));
    QVERIFY(!writer.AddCategory({QStringLiteral("A"), QString(), QStringLiteral("乙"), true, {}}));
    QVERIFY(!writer.AddCategory({QString(), QString(), QStringLiteral("无编码"), true, {}}));
    QVERIFY(writer.AddProperty({QStringLiteral("p"), QStringLiteral("宽度"), QString(), QStringLiteral("Number"), {}}));
    QVERIFY(!writer.AddProperty({QStringLiteral("p"), QStringLiteral("宽度"), QString(), QStringLiteral("Number"), {}}));
    QVERIFY(!writer.Open(&error));
    QVERIFY(writer.Finish(&error));
}

QTEST_GUILESS_MAIN(tst_CatalogWriter)
#include "tst_CatalogWriter.moc"
