// Request-to-Finished time of catalog queries through the service layer,
// measured on the caller's (user-interface) thread, beside the same work
// written straight against the catalog database where there is such a thing.
// Covers the README's queries and the paths users take that are heavy at a
// million components: the last page, broad keywords with conditions, the
// category tree, a crowded leaf, and the first request after start.
//
//   plaza-catalog synthetic 1000000 /tmp/plaza-bench/c1m
//   plaza-catalog synthetic 1000000 /tmp/plaza-bench/c1m-skew --skew 0.3
//   bench_catalog_service [--runs N] /tmp/plaza-bench/c1m /tmp/plaza-bench/c1m-skew
//
// The two conditions are taken from the catalog itself: the leaf holding the
// most components, its first enumerated property at its most common value and
// its first numeric property between the quartiles of its values.

#include "CatalogSchema.h"
#include "HostNetworkDetector.h"
#include "PublicCategoryService.h"
#include "PublicComponentService.h"
#include "SqliteCatalogBackend.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QThread>
#include <QSemaphore>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

using namespace vela;

namespace {

QTextStream& Out()
{
    static QTextStream out(stdout);
    return out;
}

// One condition as the service gets it and as SQL over an alias of component_values.
struct Condition
{
    std::shared_ptr<ConditionFilterOption> Option;
    qint64 Pid = 0;
    // Uses %1 for the alias.
    QString Predicate;
    QVariantList Values;
    QString Label;
};

// The matches of a keyword and conditions inside a seq range, written the
// plain way: a driving index (keyword grams or trigrams, one condition, or the
// components) with the other conditions probed per row.
struct Matching
{
    QString Seq = QStringLiteral("d.seq");
    QString From;
    QVariantList Values;
};

Matching Match(const QString& keyword, qint64 first, qint64 last, QVector<Condition> conditions)
{
    Matching m;
    const QString folded = CatalogSchema::Fold(keyword);
    const QVector<uint> points = folded.toUcs4();
    if (points.size() == 1 || points.size() == 2) {
        m.From = QStringLiteral("FROM name_grams AS d WHERE d.gram = ? AND d.seq BETWEEN ? AND ?");
        m.Values << (points.size() == 1 ? CatalogSchema::GramCode(points[0])
                                        : CatalogSchema::GramCode(points[0], points[1]))
                 << first << last;
    } else if (points.size() > 2) {
        m.Seq = QStringLiteral("d.rowid");
        m.From = QStringLiteral("FROM name_trigrams AS d WHERE name_trigrams MATCH ? AND d.rowid BETWEEN ? AND ?");
        m.Values << QStringLiteral("\"%1\"").arg(folded) << first << last;
    } else if (!conditions.isEmpty()) {
        const Condition lead = conditions.takeFirst();
        m.From = QStringLiteral("FROM component_values AS d WHERE d.pid = ? AND d.seq BETWEEN ? AND ? AND (%1)")
                     .arg(lead.Predicate.arg(QStringLiteral("d")));
        m.Values << lead.Pid << first << last << lead.Values;
    } else {
        m.From = QStringLiteral("FROM components AS d WHERE d.seq BETWEEN ? AND ?");
        m.Values << first << last;
    }
    int index = 0;
    for (const Condition& probe : conditions) {
        const QString alias = QStringLiteral("v%1").arg(index++);
        m.From += QStringLiteral(" AND EXISTS (SELECT 1 FROM component_values AS %1 WHERE %1.pid = ? AND %1.seq = %2 "
                                 "AND (%3))")
                      .arg(alias, m.Seq, probe.Predicate.arg(alias));
        m.Values << probe.Pid << probe.Values;
    }
    return m;
}

bool Exec(QSqlQuery& query, const QString& sql, const QVariantList& values)
{
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        Out() << "direct query failed: " << query.lastError().text() << Qt::endl;
        return false;
    }
    for (int i = 0; i < values.size(); ++i) {
        query.bindValue(i, values[i]);
    }
    if (!query.exec()) {
        Out() << "direct query failed: " << query.lastError().text() << Qt::endl;
        return false;
    }
    return true;
}

// Reads every column of a page the way the backend does; the number of rows.
qint64 ReadPage(QSqlQuery& query)
{
    qint64 rows = 0;
    while (query.next()) {
        for (int column = 0; column < 5; ++column) {
            query.value(column).toString();
        }
        ++rows;
    }
    return rows;
}

// A page of component rows for the matches; `count` also counts them all
// first, as a query with a keyword or conditions must. The match count, or -1.
qint64 DirectPage(QSqlDatabase& db, const Matching& m, qint64 pageSize, qint64 offset, qint64 knownCount = -1)
{
    qint64 total = knownCount;
    if (total < 0) {
        QSqlQuery count(db);
        if (!Exec(count, QStringLiteral("SELECT count(*) ") + m.From, m.Values) || !count.next()) {
            return -1;
        }
        total = count.value(0).toLongLong();
    }
    QSqlQuery page(db);
    const QString sql = QStringLiteral("SELECT c.id, c.name, c.category_code, c.thumbnail, c.shop_id FROM "
                                       "(SELECT %1 AS seq %2 ORDER BY %1 LIMIT ? OFFSET ?) AS p "
                                       "JOIN components AS c ON c.seq = p.seq ORDER BY c.seq")
                            .arg(m.Seq, m.From);
    if (!Exec(page, sql, QVariantList(m.Values) << pageSize << offset)) {
        return -1;
    }
    ReadPage(page);
    return total;
}

struct Category
{
    QString Code;
    QString Name;
    QString Parent;
    qint64 First = 0;
    qint64 Last = -1;
    qint64 Count = 0;
};

// What the cases need to know of one catalog, read once.
struct Catalog
{
    QString Folder;
    QHash<QString, Category> Categories;
    qint64 First = 0;
    qint64 Last = -1;
    qint64 Count = 0;
    Category LargestLeaf;
    Category Discipline;
    QVector<Condition> Conditions;

    Category Of(const QString& code) const { return Categories.value(code); }
};

bool ReadCatalog(QSqlDatabase& db, Catalog& catalog)
{
    QSqlQuery query(db);
    if (!Exec(query, QStringLiteral("SELECT code, name, parent_code, first_seq, last_seq, component_count, leaf "
                                    "FROM categories ORDER BY position"),
              {})) {
        return false;
    }
    while (query.next()) {
        const Category category{query.value(0).toString(),     query.value(1).toString(),
                                query.value(2).toString(),     query.value(3).toLongLong(),
                                query.value(4).toLongLong(),   query.value(5).toLongLong()};
        catalog.Categories.insert(category.Code, category);
        if (query.value(6).toInt() != 0 && category.Count > catalog.LargestLeaf.Count) {
            catalog.LargestLeaf = category;
        }
    }
    // Two statements: min() and max() are only instant on their own.
    for (const QString& sql : {QStringLiteral("SELECT min(seq) FROM components"),
                               QStringLiteral("SELECT max(seq) FROM components"),
                               QStringLiteral("SELECT value FROM meta WHERE key = 'component_count'")}) {
        if (!Exec(query, sql, {}) || !query.next()) {
            return false;
        }
        (sql.contains(QLatin1String("min")) ? catalog.First
                                             : sql.contains(QLatin1String("max")) ? catalog.Last : catalog.Count) =
            query.value(0).toLongLong();
    }
    if (catalog.LargestLeaf.Count == 0) {
        Out() << "the catalog has no components" << Qt::endl;
        return false;
    }
    // The discipline holding the leaf: the child of the root on its path.
    Category discipline = catalog.LargestLeaf;
    while (!catalog.Of(discipline.Parent).Parent.isEmpty()) {
        discipline = catalog.Of(discipline.Parent);
    }
    catalog.Discipline = discipline;

    const Category& leaf = catalog.LargestLeaf;
    const QString properties = QStringLiteral("SELECT p.pid, p.code, p.name, p.type FROM category_properties AS cp "
                                              "JOIN properties AS p ON p.pid = cp.pid WHERE cp.category_code = ? "
                                              "AND p.type IN (%1) ORDER BY cp.position LIMIT 1");
    // The most common value of the first enumerated property.
    if (!Exec(query, properties.arg(QStringLiteral("'Enum'")), {leaf.Code}) || !query.next()) {
        Out() << "leaf " << leaf.Code << " has no enumerated property" << Qt::endl;
        return false;
    }
    Condition choice;
    choice.Pid = query.value(0).toLongLong();
    const QString choiceCode = query.value(1).toString();
    const QString choiceName = query.value(2).toString();
    if (!Exec(query,
              QStringLiteral("SELECT v.text, (SELECT text FROM property_choices WHERE pid = v.pid AND value = v.text) "
                             "FROM component_values AS v WHERE v.pid = ? AND v.seq BETWEEN ? AND ? "
                             "GROUP BY v.text ORDER BY count(*) DESC, v.text LIMIT 1"),
              {choice.Pid, leaf.First, leaf.Last})
        || !query.next()) {
        return false;
    }
    const QString value = query.value(0).toString();
    choice.Option = std::make_shared<ConditionFilterOption>();
    choice.Option->SetCode(choiceCode.toStdWString());
    choice.Option->SetValue(value.toStdWString());
    choice.Option->Operator = ConditionFilterOption::Equal;
    choice.Option->ValueType = ConditionFilterOption::Enumeration;
    choice.Predicate = QStringLiteral("%1.text = ?");
    choice.Values = {value};
    choice.Label = choiceName + QStringLiteral(" = ") + query.value(1).toString();

    // The first numeric property between the quartiles of its values.
    if (!Exec(query, properties.arg(QStringLiteral("'Number', 'Int'")), {leaf.Code}) || !query.next()) {
        Out() << "leaf " << leaf.Code << " has no numeric property" << Qt::endl;
        return false;
    }
    Condition range;
    range.Pid = query.value(0).toLongLong();
    const QString rangeCode = query.value(1).toString();
    const QString rangeName = query.value(2).toString();
    const bool integer = query.value(3).toString() == QLatin1String("Int");
    const QString ordered = QStringLiteral("SELECT number FROM component_values WHERE pid = ? AND seq BETWEEN ? AND ? "
                                           "ORDER BY number LIMIT 1 OFFSET ?");
    double bounds[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        if (!Exec(query, ordered, {range.Pid, leaf.First, leaf.Last, leaf.Count * (1 + 2 * i) / 4}) || !query.next()) {
            return false;
        }
        bounds[i] = query.value(0).toDouble();
    }
    range.Option = std::make_shared<ConditionFilterOption>();
    range.Option->SetCode(rangeCode.toStdWString());
    range.Option->SetFromValue(QString::number(bounds[0]).toStdWString());
    range.Option->SetToValue(QString::number(bounds[1]).toStdWString());
    range.Option->Operator = ConditionFilterOption::Between;
    range.Option->ValueType = integer ? ConditionFilterOption::IntegerOrBoolean : ConditionFilterOption::Number;
    range.Predicate = QStringLiteral("%1.number >= ? AND %1.number <= ?");
    range.Values = {bounds[0], bounds[1]};
    range.Label = QStringLiteral("%1 %2–%3").arg(rangeName).arg(bounds[0]).arg(bounds[1]);
    catalog.Conditions = {choice, range};
    return true;
}

Conditions Options(const QVector<Condition>& conditions)
{
    Conditions options;
    for (const Condition& condition : conditions) {
        options.push_back(condition.Option);
    }
    return options;
}

struct Case
{
    enum class Kind { Components, Categories, FirstRequest };

    QString Label;
    Kind What = Kind::Components;
    ComponentQuery Query;
    // The same work straight on the database: the match count, or -1 on a
    // failure. Empty when there is nothing direct to compare with.
    std::function<qint64(QSqlDatabase&)> Direct;
};

qint64 LastPage(qint64 total, qint64 pageSize)
{
    return std::max<qint64>(1, (total + pageSize - 1) / pageSize);
}

QVector<Case> MakeCases(const Catalog& catalog)
{
    QVector<Case> cases;
    const QVector<Condition> conditions = catalog.Conditions;
    const QString both = conditions[0].Label + QStringLiteral(", ") + conditions[1].Label;
    const auto components = [&](const QString& label, const QString& keyword, const Category& scope, bool filtered,
                                qint64 pageIndex, qint64 pageSize) {
        Case c;
        c.Label = label;
        c.Query.Keyword = keyword.toStdWString();
        c.Query.CategoryCode = scope.Code.toStdWString();
        c.Query.PageIndex = int32_t(pageIndex);
        c.Query.PageSize = int32_t(pageSize);
        const QVector<Condition> used = filtered ? conditions : QVector<Condition>();
        c.Query.Filters = Options(used);
        const qint64 first = scope.Code.isEmpty() ? catalog.First : scope.First;
        const qint64 last = scope.Code.isEmpty() ? catalog.Last : scope.Last;
        const qint64 known = keyword.isEmpty() && !filtered ? (scope.Code.isEmpty() ? catalog.Count : scope.Count) : -1;
        c.Direct = [=](QSqlDatabase& db) {
            return DirectPage(db, Match(keyword, first, last, used), pageSize, (pageIndex - 1) * pageSize, known);
        };
        cases.append(c);
    };
    const Category all;
    const Category& leaf = catalog.LargestLeaf;

    // The README's queries.
    components(QStringLiteral("keyword 门"), QStringLiteral("门"), all, false, 1, 20);
    components(QStringLiteral("keyword 平开"), QStringLiteral("平开"), all, false, 1, 20);
    components(QStringLiteral("keyword led"), QStringLiteral("led"), all, false, 1, 20);
    components(QStringLiteral("subtree 机电"), QString(), catalog.Of(QStringLiteral("M")), false, 1, 20);
    components(QStringLiteral("2 conditions in %1 (%2)").arg(leaf.Name, both), QString(), leaf, true, 1, 20);
    components(QStringLiteral("page 500"), QString(), all, false, 500, 20);

    // The paths that grow with the catalog.
    components(QStringLiteral("last page, page size 20"), QString(), all, false, LastPage(catalog.Count, 20), 20);
    components(QStringLiteral("last page, page size 500"), QString(), all, false, LastPage(catalog.Count, 500), 500);
    components(QStringLiteral("keyword a + whole library + 2 conditions"), QStringLiteral("a"), all, true, 1, 20);

    Case tree;
    tree.Label = QStringLiteral("category tree, keyword a + 2 conditions");
    tree.What = Case::Kind::Categories;
    tree.Query.Keyword = L"a";
    tree.Query.Filters = Options(conditions);
    // Which categories hold a match, in one statement over every match.
    tree.Direct = [=](QSqlDatabase& db) -> qint64 {
        const Matching m = Match(QStringLiteral("a"), catalog.First, catalog.Last, conditions);
        QSqlQuery query(db);
        if (!Exec(query,
                  QStringLiteral("SELECT DISTINCT c.category_code FROM (SELECT %1 AS seq %2) AS m "
                                 "JOIN components AS c ON c.seq = m.seq")
                      .arg(m.Seq, m.From),
                  m.Values)) {
            return -1;
        }
        qint64 leaves = 0;
        while (query.next()) {
            ++leaves;
        }
        return leaves;
    };
    cases.append(tree);

    components(QStringLiteral("keyword 门 + subtree %1 + 2 conditions").arg(catalog.Discipline.Name),
               QStringLiteral("门"), catalog.Discipline, true, 1, 20);
    components(QStringLiteral("leaf %1 (%2) + 2 conditions").arg(leaf.Name).arg(leaf.Count), QString(), leaf, true, 1,
               20);
    components(QStringLiteral("leaf %1 + 2 conditions, page size 500").arg(leaf.Name), QString(), leaf, true, 1, 500);
    components(QStringLiteral("leaf %1, keyword 平开 + 2 conditions").arg(leaf.Name), QStringLiteral("平开"), leaf, true,
               1, 20);

    Case start;
    start.Label = QStringLiteral("first request after start (first page)");
    start.What = Case::Kind::FirstRequest;
    // A new connection that reads the tree and the seq range, then the page.
    start.Direct = [folder = catalog.Folder](QSqlDatabase&) -> qint64 {
        const QString name = QStringLiteral("bench-first");
        qint64 total = -1;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(folder + QLatin1Char('/') + CatalogSchema::FileName());
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            if (db.open()) {
                QSqlQuery pragma(db);
                pragma.exec(QStringLiteral("PRAGMA mmap_size=2147483648"));
                Catalog fresh;
                fresh.Folder = folder;
                QSqlQuery tree(db);
                if (Exec(tree, QStringLiteral("SELECT code, parent_code, name, leaf, first_seq, own_last_seq, last_seq, "
                                              "component_count FROM categories ORDER BY position"),
                         {})) {
                    while (tree.next()) {
                    }
                }
                QSqlQuery range(db);
                qint64 bounds[3] = {0, -1, 0};
                int i = 0;
                for (const QString& sql : {QStringLiteral("SELECT min(seq) FROM components"),
                                           QStringLiteral("SELECT max(seq) FROM components"),
                                           QStringLiteral("SELECT value FROM meta WHERE key = 'component_count'")}) {
                    if (Exec(range, sql, {}) && range.next()) {
                        bounds[i] = range.value(0).toLongLong();
                    }
                    ++i;
                }
                total = DirectPage(db, Match(QString(), bounds[0], bounds[1], {}), 20, 0, bounds[2]);
            }
        }
        QSqlDatabase::removeDatabase(name);
        return total;
    };
    cases.append(start);

    for (const QString& keyword : {QStringLiteral("门"), QStringLiteral("led")}) {
        Case c;
        c.Label = QStringLiteral("category tree, keyword ") + keyword;
        c.What = Case::Kind::Categories;
        c.Query.Keyword = keyword.toStdWString();
        cases.append(c);
    }
    return cases;
}

double Percentile(QVector<double> samples, double p)
{
    std::sort(samples.begin(), samples.end());
    const int index = std::min(int(samples.size()) - 1, int(std::ceil(p * samples.size())) - 1);
    return samples[std::max(0, index)];
}

// Sends the request and runs the caller's event loop until Finished; the
// number of matches (components) or of categories with a match (tree) goes to `count`.
double ServiceRoundTrip(const Case& c, qint64& count)
{
    QElapsedTimer timer;
    QEventLoop loop;
    double elapsed = 0;
    timer.start();
    if (c.What == Case::Kind::Categories) {
        auto* reply = PublicCategoryService::Get()->GetCategories(L"S", L"1", L"", c.Query.Keyword, c.Query.Filters);
        QObject::connect(reply, &CustomReplyBase::Finished, &loop, [&] {
            elapsed = timer.nsecsElapsed() / 1e6;
            count = -1;
            if (reply->Error().empty()) {
                const CategoryList& categories = reply->Result();
                count = std::count_if(categories.begin(), categories.end(),
                                      [](const std::shared_ptr<ICategory>& category) {
                                          return category && category->Leaf && category->HasMatches;
                                      });
            }
            loop.quit();
        });
        loop.exec();
        reply->deleteLater();
        return elapsed;
    }
    const ComponentQuery& query = c.Query;
    auto* reply = PublicComponentService::Get()->GetComponents(L"S", L"1", query.CategoryCode, query.Keyword,
                                                               query.PageIndex, query.PageSize, -1, query.Filters);
    QObject::connect(reply, &CustomReplyBase::Finished, &loop, [&] {
        elapsed = timer.nsecsElapsed() / 1e6;
        count = reply->Error().empty() && reply->Result() ? reply->Result()->Total : -1;
        if (!reply->Error().empty()) {
            Out() << "service error: " << QString::fromStdWString(reply->Error()) << Qt::endl;
        }
        loop.quit();
    });
    loop.exec();
    reply->deleteLater();
    return elapsed;
}

QString Figures(const QVector<double>& samples)
{
    if (samples.isEmpty()) {
        return QStringLiteral("–");
    }
    return QStringLiteral("%1 / %2 / %3")
        .arg(Percentile(samples, 0.5), 0, 'f', 2)
        .arg(Percentile(samples, 0.95), 0, 'f', 2)
        .arg(*std::max_element(samples.begin(), samples.end()), 0, 'f', 2);
}

// A new backend, installed; `warm` first has each of its worker threads
// answer an unrelated first page, so that connections are open and the tree
// is read, but no query of the cases has been seen.
std::shared_ptr<SqliteCatalogBackend> Install(const QString& folder, bool warm)
{
    CatalogBackend::Install(nullptr);
    auto backend = std::make_shared<SqliteCatalogBackend>(folder);
    CatalogBackend::Install(backend);
    if (warm) {
        const int threads = std::max(4, QThread::idealThreadCount());
        QSemaphore answered;
        for (int i = 0; i < threads; ++i) {
            ComponentQuery query;
            query.PageIndex = 1 + i;
            backend->GetComponents(query, [&answered](std::wstring, ComponentPage) { answered.release(); });
        }
        answered.acquire(threads);
    }
    return backend;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int runs = 60;
    if (args.size() >= 2 && args[0] == QLatin1String("--runs")) {
        runs = std::max(5, args[1].toInt());
        args = args.mid(2);
    }
    if (args.isEmpty()) {
        Out() << "usage: bench_catalog_service [--runs N] CATALOG_FOLDER..." << Qt::endl;
        return 2;
    }
    HostNetworkDetector::Get()->SetState(HostNetworkDetector::Online);

    Out() << "milliseconds, p50 / p95 / max; new query: " << std::max(5, runs / 3)
          << " runs, each on a new backend; repeated and direct: " << runs
          << " runs; matches: components, or leaves with a match for the tree; ratio: service p50 over direct p50 "
             "(new / repeated)\n\n"
          << "| catalog | query | matches | service, new query | service, repeated | direct | p50 ratio |\n"
          << "|---|---|---:|---:|---:|---:|---:|" << Qt::endl;
    for (const QString& folder : args) {
        if (!QFileInfo::exists(folder + QLatin1Char('/') + CatalogSchema::FileName())) {
            Out() << "no catalog in " << folder << Qt::endl;
            continue;
        }
        const QString connection = QStringLiteral("bench-direct");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(folder + QLatin1Char('/') + CatalogSchema::FileName());
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            db.open();
            QSqlQuery pragma(db);
            pragma.exec(QStringLiteral("PRAGMA mmap_size=2147483648"));
            pragma.exec(QStringLiteral("PRAGMA cache_size=-65536"));
            pragma.exec(QStringLiteral("PRAGMA temp_store=MEMORY"));
            Catalog catalog;
            catalog.Folder = folder;
            if (!ReadCatalog(db, catalog)) {
                Out() << "cannot read " << folder << Qt::endl;
                return 1;
            }

            for (const Case& c : MakeCases(catalog)) {
                QVector<double> fresh;
                QVector<double> repeated;
                QVector<double> direct;
                qint64 count = 0;
                qint64 directCount = 0;
                const bool start = c.What == Case::Kind::FirstRequest;
                std::shared_ptr<SqliteCatalogBackend> backend;
                // A query the backend has not seen, on a new backend each time.
                for (int i = -1; i < std::max(5, runs / 3); ++i) {
                    backend = Install(folder, !start);
                    const double elapsed = ServiceRoundTrip(c, count);
                    if (count < 0) {
                        return 1;
                    }
                    if (i >= 0) {
                        fresh.append(elapsed);
                    }
                }
                // The same query again and again, beside the direct SQL;
                // alternating so that neither gets the other's cache.
                backend = Install(folder, true);
                for (int i = -3; i < runs; ++i) {
                    const double elapsed = ServiceRoundTrip(c, count);
                    if (count < 0) {
                        return 1;
                    }
                    QElapsedTimer timer;
                    timer.start();
                    if (c.Direct && (directCount = c.Direct(db)) < 0) {
                        return 1;
                    }
                    const double directElapsed = timer.nsecsElapsed() / 1e6;
                    if (i >= 0 && !start) {
                        repeated.append(elapsed);
                    }
                    if (i >= 0 && c.Direct) {
                        direct.append(directElapsed);
                    }
                }
                CatalogBackend::Install(nullptr);
                backend.reset();
                QString matches = QString::number(count);
                if (c.Direct && directCount != count) {
                    matches += QStringLiteral(" (direct: %1)").arg(directCount);
                }
                QString ratio;
                if (!direct.isEmpty()) {
                    const double d50 = Percentile(direct, 0.5);
                    ratio = QString::number(Percentile(fresh, 0.5) / d50, 'f', 2);
                    if (!repeated.isEmpty()) {
                        ratio += QStringLiteral(" / ") + QString::number(Percentile(repeated, 0.5) / d50, 'f', 2);
                    }
                }
                Out() << "| " << QFileInfo(folder).fileName() << " | " << c.Label << " | " << matches << " | "
                      << Figures(fresh) << " | " << Figures(repeated) << " | " << Figures(direct) << " | " << ratio
                      << " |" << Qt::endl;
            }
        }
        QSqlDatabase::removeDatabase(connection);
    }
    return 0;
}
