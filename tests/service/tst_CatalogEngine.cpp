#include "CatalogSchema.h"
#include "CatalogWriter.h"
#include "HostNetworkDetector.h"
#include "PublicCategoryService.h"
#include "PublicComponentService.h"
#include "SqliteCatalogBackend.h"

#include <QFile>
#include <QMutex>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include "AwaitReply.h"
#include "CatalogQuery.h"

#include <atomic>
#include <memory>

using namespace vela;
using test::Condition;
using test::Ids;
using test::Wait;

Q_DECLARE_METATYPE(vela::Conditions)

namespace {

using Option = std::shared_ptr<ConditionFilterOption>;

// A few thousand components over a small tree: one large leaf, a category
// holding components of its own beside its child, an empty leaf, and records
// a catalog may hold: a parent cycle, an orphan, components of a category that
// does not exist. Categories are added out of tree order. Names are drawn from
// pieces that overlap (Latin in both cases, CJK pairs, LIKE wildcards, quotes,
// a backslash), values are left out now and then.
bool BuildCatalog(const QString& folder, QString* error)
{
    CatalogWriter writer(folder + QLatin1Char('/') + CatalogSchema::FileName());
    if (!writer.Open(error)) {
        return false;
    }
    writer.AddProperty({QStringLiteral("kind"), QStringLiteral("种类"), QString(), QStringLiteral("Enum"),
                        {{QStringLiteral("x"), QStringLiteral("X")}, {QStringLiteral("y"), QStringLiteral("Y")}}});
    writer.AddProperty({QStringLiteral("width"), QStringLiteral("宽度"), QStringLiteral("mm"), QStringLiteral("Number"), {}});
    writer.AddProperty({QStringLiteral("leaves"), QStringLiteral("扇数"), QString(), QStringLiteral("Int"), {}});
    const QStringList properties{QStringLiteral("kind"), QStringLiteral("width"), QStringLiteral("leaves")};
    const QVector<CatalogWriter::Category> categories = {
        {QStringLiteral("ORPHAN"), QStringLiteral("NOPE"), QStringLiteral("孤儿"), true, {}},
        {QStringLiteral("A1"), QStringLiteral("A"), QStringLiteral("门"), true, properties},
        {QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("环甲"), false, {}},
        {QStringLiteral("ROOT"), QString(), QStringLiteral("全部"), false, {}},
        {QStringLiteral("A"), QStringLiteral("ROOT"), QStringLiteral("建筑"), false, {}},
        {QStringLiteral("A2"), QStringLiteral("A"), QStringLiteral("窗"), true, properties},
        {QStringLiteral("B1"), QStringLiteral("B"), QStringLiteral("阀门"), true, properties},
        {QStringLiteral("B"), QStringLiteral("ROOT"), QStringLiteral("机电"), false, properties},
        {QStringLiteral("Y"), QStringLiteral("X"), QStringLiteral("环乙"), false, {}},
        {QStringLiteral("E"), QStringLiteral("ROOT"), QStringLiteral("空"), true, {}},
    };
    for (const CatalogWriter::Category& category : categories) {
        writer.AddCategory(category);
    }
    const QStringList pieces{QStringLiteral("平开"), QStringLiteral("推拉"), QStringLiteral("门"), QStringLiteral("窗"),
                             QStringLiteral("Led"), QStringLiteral("ab"),   QStringLiteral("AB "), QStringLiteral("阀"),
                             QStringLiteral("钢质"), QStringLiteral("x"),   QStringLiteral("%"),  QStringLiteral("_"),
                             QStringLiteral("\"'\\-")};
    const QStringList leaves{QStringLiteral("A1"), QStringLiteral("A1"), QStringLiteral("A1"),     QStringLiteral("A2"),
                             QStringLiteral("B"),  QStringLiteral("B1"), QStringLiteral("ORPHAN"), QStringLiteral("Y"),
                             QStringLiteral("GHOST")};
    QRandomGenerator random(20261206);
    for (int i = 0; i < 3000; ++i) {
        CatalogWriter::Component component;
        component.Id = QStringLiteral("C%1").arg(i);
        for (int piece = 0, count = 1 + random.bounded(3); piece < count; ++piece) {
            component.Name += pieces[random.bounded(pieces.size())];
        }
        component.Name += QString::number(random.bounded(100));
        component.CategoryCode = leaves[random.bounded(leaves.size())];
        component.Thumbnail = QStringLiteral("files/thumbnails/%1.png").arg(component.Id);
        if (random.bounded(10) > 0) {
            component.Values << qMakePair(QStringLiteral("kind"), random.bounded(2) ? QStringLiteral("x") : QStringLiteral("y"));
        }
        if (random.bounded(10) > 0) {
            component.Values << qMakePair(QStringLiteral("width"), QString::number(600 + 100 * random.bounded(15)));
        }
        component.Values << qMakePair(QStringLiteral("leaves"), QString::number(1 + random.bounded(2)));
        if (!writer.AddComponent(component)) {
            *error = writer.LastError();
            return false;
        }
    }
    return writer.Finish(error);
}

// Every row of the catalog in memory, and the answers computed by looking at
// each one: what the engine must agree with.
struct BruteForce
{
    struct Row
    {
        QString Id;
        QString FoldedName;
        QString Category;
        // By property code: the text of an Enum, the number of the others.
        QHash<QString, QVariant> Values;
    };
    QVector<Row> Rows;
    QHash<QString, QString> Parents;
    QStringList CategoryOrder;

    bool Load(const QString& file)
    {
        const QString name = QStringLiteral("brute-force");
        bool ok = true;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(file);
            QSqlQuery query(db);
            ok = db.open() && query.exec(QStringLiteral("SELECT id, name, category_code FROM components ORDER BY seq"));
            while (ok && query.next()) {
                Rows.append({query.value(0).toString(), CatalogSchema::Fold(query.value(1).toString()),
                             query.value(2).toString(), {}});
            }
            ok = ok && query.exec(QStringLiteral("SELECT p.code, v.seq, v.number, v.text FROM component_values AS v "
                                                 "JOIN properties AS p ON p.pid = v.pid"));
            while (ok && query.next()) {
                Rows[query.value(1).toInt() - 1].Values.insert(query.value(0).toString(),
                                                               query.isNull(2) ? query.value(3) : query.value(2));
            }
            ok = ok && query.exec(QStringLiteral("SELECT code, parent_code FROM categories ORDER BY position"));
            while (ok && query.next()) {
                Parents.insert(query.value(0).toString(), query.value(1).toString());
                CategoryOrder << query.value(0).toString();
            }
        }
        QSqlDatabase::removeDatabase(name);
        return ok && !Rows.isEmpty();
    }

    static bool Passes(const Row& row, const ConditionFilterOption& c)
    {
        const QVariant value = row.Values.value(QString::fromStdWString(c.Code()));
        if (c.ValueType == ConditionFilterOption::Enumeration) {
            return value.type() == QVariant::String && value.toString() == QString::fromStdWString(c.Value());
        }
        if (value.type() != QVariant::Double) {
            return false;
        }
        const double n = value.toDouble();
        const double v = QString::fromStdWString(c.Value()).toDouble();
        const double from = QString::fromStdWString(c.FromValue()).toDouble();
        const double to = QString::fromStdWString(c.ToValue()).toDouble();
        switch (c.Operator) {
        case ConditionFilterOption::Equal: return n == v;
        case ConditionFilterOption::Greater: return n > v;
        case ConditionFilterOption::GreaterOrEqual: return n >= v;
        case ConditionFilterOption::Less: return n < v;
        case ConditionFilterOption::LessOrEqual: return n <= v;
        case ConditionFilterOption::Between: return from <= n && n <= to;
        case ConditionFilterOption::BetweenExclusive: return from < n && n < to;
        }
        return false;
    }

    bool Within(QString category, const QString& ancestor) const
    {
        for (int guard = 0; !category.isEmpty() && guard < 100; ++guard) {
            if (category == ancestor) {
                return true;
            }
            category = Parents.value(category);
        }
        return false;
    }

    bool Matches(const Row& row, const QString& keyword, const Conditions& conditions) const
    {
        return row.FoldedName.contains(CatalogSchema::Fold(keyword))
               && std::all_of(conditions.begin(), conditions.end(), [&](const Option& c) { return Passes(row, *c); });
    }

    QStringList Ids(const QString& category, const QString& keyword, const Conditions& conditions) const
    {
        QStringList ids;
        for (const Row& row : Rows) {
            if ((category.isEmpty() || Within(row.Category, category)) && Matches(row, keyword, conditions)) {
                ids << row.Id;
            }
        }
        return ids;
    }

    // Codes of the categories whose subtree holds a match, in tree order.
    QStringList MatchedCategories(const QString& keyword, const Conditions& conditions) const
    {
        QStringList codes;
        for (const QString& code : CategoryOrder) {
            if (!Ids(code, keyword, conditions).isEmpty()) {
                codes << code;
            }
        }
        return codes;
    }
};

} // namespace

class tst_CatalogEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void pagesTotalsAndTreeAgreeWithEveryRow_data();
    void pagesTotalsAndTreeAgreeWithEveryRow();
    void treeIsProperWhateverTheRecords();
    void everyKeywordFindsExactlyTheNamesHoldingIt();
    void cacheStaysBoundedOverManyQueries();
    void concurrentSameQueryGetsOneAnswer();
    void writerMisuseIsReported();

private:
    void CheckPages(const QString& category, const QString& keyword, const Conditions& conditions);

    QTemporaryDir m_dir;
    // The catalog as the writer makes it, and the same without the value
    // indexes, as an older writer made it.
    QString m_indexed;
    QString m_plain;
    BruteForce m_truth;
    std::shared_ptr<SqliteCatalogBackend> m_backend;
};

void tst_CatalogEngine::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_indexed = m_dir.filePath(QStringLiteral("indexed"));
    m_plain = m_dir.filePath(QStringLiteral("plain"));
    QVERIFY(QDir().mkpath(m_indexed) && QDir().mkpath(m_plain));
    QString error;
    QVERIFY2(BuildCatalog(m_indexed, &error), qPrintable(error));
    const QString plainFile = m_plain + QLatin1Char('/') + CatalogSchema::FileName();
    QVERIFY(QFile::copy(m_indexed + QLatin1Char('/') + CatalogSchema::FileName(), plainFile));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("drop-indexes"));
        db.setDatabaseName(plainFile);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.exec(QStringLiteral("DROP INDEX %1").arg(CatalogSchema::TextValueIndex())));
        QVERIFY(query.exec(QStringLiteral("DROP INDEX %1").arg(CatalogSchema::NumberValueIndex())));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("drop-indexes"));
    QVERIFY(m_truth.Load(plainFile));
    HostNetworkDetector::Get()->SetState(HostNetworkDetector::Online);
}

void tst_CatalogEngine::init()
{
    m_backend = std::make_shared<SqliteCatalogBackend>(m_indexed);
    CatalogBackend::Install(m_backend);
}

void tst_CatalogEngine::cleanup()
{
    CatalogBackend::Install(nullptr);
    m_backend.reset();
}

// First, middle, last and past-the-end pages at sizes 1, 20 and 500, each
// total and page compared with the rows themselves.
void tst_CatalogEngine::CheckPages(const QString& category, const QString& keyword, const Conditions& conditions)
{
    const QStringList expected = m_truth.Ids(category, keyword, conditions);
    for (const int size : {1, 20, 500}) {
        const int last = std::max(1, int((expected.size() + size - 1) / size));
        for (const int index : {1, (last + 1) / 2, last, last + 1}) {
            const auto answer = Wait(PublicComponentService::Get()->GetComponents(
                L"S", L"1", category.toStdWString(), keyword.toStdWString(), index, size, -1, conditions));
            QVERIFY2(answer.Finished && answer.Error.empty(), qPrintable(QString::fromStdWString(answer.Error)));
            QCOMPARE(answer.Result->Total, qint64(expected.size()));
            QCOMPARE(Ids(answer.Result), expected.mid((index - 1) * size, size));
        }
    }
}

void tst_CatalogEngine::pagesTotalsAndTreeAgreeWithEveryRow_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<Conditions>("conditions");
    using C = ConditionFilterOption;
    const Conditions none;
    const Option kind = Condition("kind", C::Equal, C::Enumeration, QStringLiteral("x"));
    const Option width = Condition("width", C::Between, C::Number, QString(), QStringLiteral("800"), QStringLiteral("1200"));
    const Option narrow = Condition("width", C::BetweenExclusive, C::Number, QString(), QStringLiteral("800"),
                                    QStringLiteral("1200"));
    const Option wide = Condition("width", C::Greater, C::Number, QStringLiteral("1500"));
    const Option one = Condition("leaves", C::Equal, C::IntegerOrBoolean, QStringLiteral("1"));
    const Option unknown = Condition("colour", C::Equal, C::Enumeration, QStringLiteral("x"));

    QTest::newRow("everything") << QString() << QString() << none;
    QTest::newRow("subtree") << QStringLiteral("A") << QString() << none;
    QTest::newRow("category with own components and a child") << QStringLiteral("B") << QString() << none;
    QTest::newRow("empty leaf") << QStringLiteral("E") << QString() << none;
    QTest::newRow("one letter, either case") << QString() << QStringLiteral("A") << none;
    QTest::newRow("CJK pair in a leaf") << QStringLiteral("A1") << QStringLiteral("平开") << none;
    QTest::newRow("trigram across pieces") << QString() << QStringLiteral("b 推") << none;
    QTest::newRow("enum condition") << QString() << QString() << Conditions{kind};
    QTest::newRow("range condition in a subtree") << QStringLiteral("A") << QString() << Conditions{width};
    QTest::newRow("two conditions in a leaf") << QStringLiteral("A1") << QString() << Conditions{kind, width};
    QTest::newRow("three conditions") << QString() << QString() << Conditions{wide, one, kind};
    QTest::newRow("keyword and two conditions") << QString() << QStringLiteral("a") << Conditions{narrow, kind};
    QTest::newRow("keyword, subtree, conditions") << QStringLiteral("B") << QStringLiteral("门") << Conditions{one, width};
    QTest::newRow("trigram and condition in a leaf") << QStringLiteral("A1") << QStringLiteral("led") << Conditions{one};
    QTest::newRow("unknown property") << QString() << QStringLiteral("门") << Conditions{unknown};
    QTest::newRow("no match") << QString() << QStringLiteral("电梯") << Conditions{kind};
}

void tst_CatalogEngine::pagesTotalsAndTreeAgreeWithEveryRow()
{
    QFETCH(QString, category);
    QFETCH(QString, keyword);
    QFETCH(Conditions, conditions);

    for (const QString& folder : {m_indexed, m_plain}) {
        // Given a backend that has not seen the query: pages computed for the
        // category, then the tree (the whole catalog), then pages again, read
        // from the cache.
        m_backend = std::make_shared<SqliteCatalogBackend>(folder);
        CatalogBackend::Install(m_backend);
        CheckPages(category, keyword, conditions);
        const auto tree = Wait(PublicCategoryService::Get()->GetCategories(L"S", L"1", L"", keyword.toStdWString(),
                                                                          conditions));
        QVERIFY(tree.Finished && tree.Error.empty());
        QStringList marked;
        for (const auto& node : tree.Result) {
            if (node->HasMatches) {
                marked << QString::fromStdWString(node->Code);
            }
        }
        QCOMPARE(marked, m_truth.MatchedCategories(keyword, conditions));
        CheckPages(category, keyword, conditions);
    }
}

void tst_CatalogEngine::treeIsProperWhateverTheRecords()
{
    const auto tree = Wait(PublicCategoryService::Get()->GetCategories(L"S", L"1", L"", L"", {}));
    QVERIFY(tree.Error.empty());
    QCOMPARE(int(tree.Result.size()), 10);
    // Every parent comes before its children; the orphan is a root.
    QStringList seen;
    for (const auto& category : tree.Result) {
        const QString parent = QString::fromStdWString(category->ParentCode);
        QVERIFY2(parent.isEmpty() || seen.contains(parent), qPrintable(parent));
        seen << QString::fromStdWString(category->Code);
        QVERIFY(category->Code != L"ORPHAN" || parent.isEmpty());
    }
}

void tst_CatalogEngine::everyKeywordFindsExactlyTheNamesHoldingIt()
{
    // Pieces of stored names in either letter case, text stored nowhere, quotes,
    // LIKE wildcards, SQL and full-text query syntax, blanks around.
    QSet<QString> keywords{QStringLiteral("门门门门门"), QStringLiteral("zz"),   QStringLiteral("%%%%"),
                           QStringLiteral("\""),         QStringLiteral("'"),    QStringLiteral("%"),
                           QStringLiteral("_"),          QStringLiteral("\\"),  QStringLiteral("x_"),
                           QStringLiteral("' OR 1=1 --"), QStringLiteral("门 OR 窗"), QStringLiteral("  推拉 ")};
    for (int i = 0; i < m_truth.Rows.size(); i += 29) {
        const QString& name = m_truth.Rows[i].FoldedName;
        for (int length = 1; length <= 4; ++length) {
            for (int from = 0; from + length <= name.size(); from += 3) {
                keywords << name.mid(from, length) << name.mid(from, length).toUpper();
            }
        }
    }
    for (const QString& keyword : keywords) {
        const QStringList expected = m_truth.Ids(QString(), keyword, {});
        const auto answer = Wait(
            PublicComponentService::Get()->GetComponents(L"S", L"1", L"", keyword.toStdWString(), 1, 1000, -1, {}));
        QVERIFY2(answer.Error.empty(), qPrintable(keyword + QString::fromStdWString(answer.Error)));
        QVERIFY2(answer.Result->Total == expected.size() && Ids(answer.Result) == expected.mid(0, 1000),
                 qPrintable(QStringLiteral("[%1]").arg(keyword)));
    }
}

void tst_CatalogEngine::cacheStaysBoundedOverManyQueries()
{
    const Option kind = Condition("kind", ConditionFilterOption::Equal, ConditionFilterOption::Enumeration,
                                  QStringLiteral("y"));
    for (int i = 0; i < 3 * SqliteCatalogBackend::MatchCacheEntries; ++i) {
        const auto answer = Wait(PublicComponentService::Get()->GetComponents(
            L"S", L"1", L"", QString::number(i % 100).toStdWString(), 1, 20, -1, i % 2 ? Conditions{kind} : Conditions{}));
        QVERIFY(answer.Finished && answer.Error.empty());
    }
    const SqliteCatalogBackend::CacheUse use = m_backend->MatchCacheUse();
    QCOMPARE(use.Entries, SqliteCatalogBackend::MatchCacheEntries);
    QVERIFY(use.Bytes > 0 && use.Bytes <= SqliteCatalogBackend::MatchCacheBytes);
}

void tst_CatalogEngine::concurrentSameQueryGetsOneAnswer()
{
    // Given two workers handed the same uncached query at once.
    ComponentQuery query;
    query.Keyword = L"a";
    query.PageIndex = 3;
    query.Filters = {Condition("leaves", ConditionFilterOption::Equal, ConditionFilterOption::IntegerOrBoolean,
                               QStringLiteral("2"))};
    struct Answers
    {
        QMutex Mutex;
        QVector<QPair<qint64, QStringList>> List;
        std::atomic<int> Count{0};
    };
    auto answers = std::make_shared<Answers>();
    for (int i = 0; i < 2; ++i) {
        m_backend->GetComponents(query, [answers](std::wstring error, ComponentPage page) {
            QMutexLocker lock(&answers->Mutex);
            answers->List.append({error.empty() && page ? page->Total : -1, page ? Ids(page) : QStringList()});
            ++answers->Count;
        });
    }
    QTRY_COMPARE(answers->Count.load(), 2);
    const QStringList expected = m_truth.Ids(QString(), QStringLiteral("a"), query.Filters);
    for (const auto& answer : answers->List) {
        QCOMPARE(answer.first, qint64(expected.size()));
        QCOMPARE(answer.second, expected.mid(40, 20));
    }
}

void tst_CatalogEngine::writerMisuseIsReported()
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

QTEST_MAIN(tst_CatalogEngine)
#include "tst_CatalogEngine.moc"
