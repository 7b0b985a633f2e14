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
//   bench_catalog_service --memory 250 /tmp/plaza-bench/c1m     (memory after varied searches)
//
// The two conditions are taken from the catalog itself (see BenchCatalog):
// properties of the leaf given by --leaf (平开门, the leaf --skew crowds, by
// default), at values that match a good part of it.

#include "BenchCatalog.h"
#include "CatalogSchema.h"
#include "HostNetworkDetector.h"
#include "PublicCategoryService.h"
#include "PublicComponentService.h"
#include "SqliteCatalogBackend.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSemaphore>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>
#include <QThread>
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

// The matches of a keyword and conditions inside a seq range, written the
// plain way: a driving index (keyword grams or trigrams, one condition, or the
// components) with the other conditions probed per row.
struct Matching
{
    QString Seq = QStringLiteral("d.seq");
    QString From;
    QVariantList Values;
};

Matching Match(const QString& keyword, qint64 first, qint64 last, QVector<bench::BenchCondition> conditions)
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
        // One FTS5 phrase, quotes doubled.
        QString phrase = folded;
        phrase.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        m.Values << QStringLiteral("\"%1\"").arg(phrase) << first << last;
    } else if (!conditions.isEmpty()) {
        const bench::BenchCondition lead = conditions.takeFirst();
        m.From = QStringLiteral("FROM component_values AS d WHERE d.pid = ? AND d.seq BETWEEN ? AND ? AND (%1)")
                     .arg(lead.Predicate.arg(QStringLiteral("d")));
        m.Values << lead.Pid << first << last << lead.Values;
    } else {
        m.From = QStringLiteral("FROM components AS d WHERE d.seq BETWEEN ? AND ?");
        m.Values << first << last;
    }
    int index = 0;
    for (const bench::BenchCondition& probe : conditions) {
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
    QString error;
    if (!bench::ExecBound(query, sql, values, &error)) {
        Out() << "direct query failed: " << error << Qt::endl;
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

// A page of component rows for the matches, counting them all first unless
// the count is known (no keyword, no conditions). The match count, or -1.
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

QVector<Case> MakeCases(const QString& folder, const bench::BenchCatalog& catalog)
{
    QVector<Case> cases;
    const QVector<bench::BenchCondition> conditions = catalog.Conditions;
    const QString both = conditions[0].Label + QStringLiteral(", ") + conditions[1].Label;
    const auto components = [&](const QString& label, const QString& keyword, const bench::BenchCategory& scope,
                                bool filtered, qint64 pageIndex, qint64 pageSize) {
        Case c;
        c.Label = label;
        c.Query.Keyword = keyword.toStdWString();
        c.Query.CategoryCode = scope.Code.toStdWString();
        c.Query.PageIndex = int32_t(pageIndex);
        c.Query.PageSize = int32_t(pageSize);
        const QVector<bench::BenchCondition> used = filtered ? conditions : QVector<bench::BenchCondition>();
        c.Query.Filters = filtered ? catalog.Options() : Conditions();
        const qint64 first = scope.Code.isEmpty() ? catalog.First : scope.First;
        const qint64 last = scope.Code.isEmpty() ? catalog.Last : scope.Last;
        const qint64 known = keyword.isEmpty() && !filtered ? (scope.Code.isEmpty() ? catalog.Count : scope.Count) : -1;
        c.Direct = [=](QSqlDatabase& db) {
            return DirectPage(db, Match(keyword, first, last, used), pageSize, (pageIndex - 1) * pageSize, known);
        };
        cases.append(c);
    };
    const bench::BenchCategory all;
    const bench::BenchCategory& leaf = catalog.Leaf;

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
    tree.Query.Filters = catalog.Options();
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
    start.Direct = [folder](QSqlDatabase&) -> qint64 {
        const QString name = QStringLiteral("bench-first");
        qint64 total = -1;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(folder + QLatin1Char('/') + CatalogSchema::FileName());
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            if (db.open()) {
                QSqlQuery pragma(db);
                pragma.exec(QStringLiteral("PRAGMA mmap_size=2147483648"));
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

// Anonymous (not file-mapped) memory of this process in MB, from /proc.
double AnonymousMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("RssAnon:")) {
            return line.mid(8).trimmed().split(' ').value(0).toDouble() / 1024.0;
        }
    }
    return -1;
}

// Anonymous memory before and after `searches` varied searches (keywords,
// scopes, conditions, pages; each with its tree, as the page asks), on a
// backend in a process that has nothing else open, so that what grows is the
// backend's.
int MeasureMemory(const QStringList& folders, const QString& leafCode, int searches)
{
    Out() << "| catalog | searches | anonymous memory before | after | largest after a search |\n"
          << "|---|---:|---:|---:|---:|" << Qt::endl;
    for (const QString& folder : folders) {
        bench::BenchCatalog catalog;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-facts"));
            db.setDatabaseName(folder + QLatin1Char('/') + CatalogSchema::FileName());
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            if (!db.open() || !catalog.Read(db, leafCode)) {
                Out() << "cannot read " << folder << ": " << catalog.Error() << Qt::endl;
                return 1;
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("bench-facts"));
        const QStringList keywords = {QStringLiteral("门"),  QStringLiteral("窗"),   QStringLiteral("平开"),
                                      QStringLiteral("阀"),  QStringLiteral("钢"),   QStringLiteral("灯"),
                                      QStringLiteral("管"),  QStringLiteral("防火"), QStringLiteral("low"),
                                      QStringLiteral("a"),   QStringLiteral("led"),  QStringLiteral("dn50"),
                                      QString(),             QStringLiteral("木"),   QStringLiteral("hj-")};
        const QStringList scopes = {QString(), catalog.Discipline.Code, catalog.Leaf.Code, QStringLiteral("M")};
        const double before = AnonymousMegabytes();
        double largest = before;
        std::shared_ptr<SqliteCatalogBackend> backend = Install(folder, false);
        for (int i = 0; i < searches; ++i) {
            Case tree;
            tree.What = Case::Kind::Categories;
            tree.Query.Keyword = keywords[i % keywords.size()].toStdWString();
            tree.Query.Filters = i % 3 == 0 ? catalog.Options() : Conditions();
            Case page = tree;
            page.What = Case::Kind::Components;
            page.Query.CategoryCode = scopes[(i / keywords.size()) % scopes.size()].toStdWString();
            page.Query.PageIndex = QVector<int32_t>{1, 2, 7, 1, 50}[i % 5];
            qint64 count = 0;
            ServiceRoundTrip(tree, count);
            ServiceRoundTrip(page, count);
            if (count < 0) {
                return 1;
            }
            largest = std::max(largest, AnonymousMegabytes());
        }
        Out() << "| " << QFileInfo(folder).fileName() << " | " << searches << " | "
              << QString::number(before, 'f', 1) << " MB | " << QString::number(AnonymousMegabytes(), 'f', 1)
              << " MB | " << QString::number(largest, 'f', 1) << " MB |" << Qt::endl;
        CatalogBackend::Install(nullptr);
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int runs = 60;
    int searches = 0;
    QString leafCode = QStringLiteral("A0101");
    while (args.size() >= 2 && args[0].startsWith(QLatin1String("--"))) {
        if (args[0] == QLatin1String("--runs")) {
            runs = std::max(5, args[1].toInt());
        } else if (args[0] == QLatin1String("--memory")) {
            searches = std::max(1, args[1].toInt());
        } else if (args[0] == QLatin1String("--leaf")) {
            leafCode = args[1];
        } else {
            break;
        }
        args = args.mid(2);
    }
    if (args.isEmpty() || args[0].startsWith(QLatin1String("--"))) {
        Out() << "usage: bench_catalog_service [--runs N | --memory SEARCHES] [--leaf CODE] CATALOG_FOLDER..."
              << Qt::endl;
        return 2;
    }
    HostNetworkDetector::Get()->SetState(HostNetworkDetector::Online);
    if (searches > 0) {
        return MeasureMemory(args, leafCode, searches);
    }

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
            bench::BenchCatalog catalog;
            if (!catalog.Read(db, leafCode)) {
                Out() << "cannot read " << folder << ": " << catalog.Error() << Qt::endl;
                return 1;
            }

            for (const Case& c : MakeCases(folder, catalog)) {
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
