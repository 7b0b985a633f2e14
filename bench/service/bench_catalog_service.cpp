// Request-to-Finished time of component queries through the service layer,
// measured on the caller's (user-interface) thread, beside the same query run
// directly on the catalog database.
//
//   plaza-catalog synthetic 1000000 /tmp/plaza-bench/c1m
//   bench_catalog_service [--runs N] /tmp/plaza-bench/c10k /tmp/plaza-bench/c100k /tmp/plaza-bench/c1m

#include "CatalogSchema.h"
#include "HostNetworkDetector.h"
#include "PublicCategoryService.h"
#include "PublicComponentService.h"
#include "SqliteCatalogBackend.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
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

struct Case
{
    QString Label;
    ComponentQuery Query;
    // The same work written straight against the schema: a count (or a
    // stored count) and one page of component rows.
    std::function<bool(QSqlDatabase&)> Direct;
};

struct Range
{
    qint64 First = 0;
    qint64 Last = -1;
    qint64 Count = 0;
};

bool ReadRange(QSqlDatabase& db, const QString& code, Range& range)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (code.isEmpty()) {
        // Three statements: min() and max() are only instant on their own.
        query.exec(QStringLiteral("SELECT min(seq) FROM components"));
        query.next();
        range.First = query.value(0).toLongLong();
        query.exec(QStringLiteral("SELECT max(seq) FROM components"));
        query.next();
        range.Last = query.value(0).toLongLong();
        query.exec(QStringLiteral("SELECT value FROM meta WHERE key = 'component_count'"));
        query.next();
        range.Count = query.value(0).toLongLong();
        return true;
    } else {
        query.prepare(QStringLiteral("SELECT first_seq, last_seq, component_count FROM categories WHERE code = ?"));
        query.addBindValue(code);
        query.exec();
    }
    if (!query.next()) {
        return false;
    }
    range = {query.value(0).toLongLong(), query.value(1).toLongLong(), query.value(2).toLongLong()};
    return true;
}

// Reads every column of a page the way the backend does.
bool ReadPage(QSqlQuery& query)
{
    int rows = 0;
    while (query.next()) {
        for (int column = 0; column < 5; ++column) {
            query.value(column).toString();
        }
        ++rows;
    }
    return rows >= 0;
}

// count(*) over `from`, then a page of 20 at `offset`, binding `values` (the range last but the probes).
bool CountAndPage(QSqlDatabase& db, const QString& seq, const QString& from, const QVariantList& values, qint64 offset)
{
    QSqlQuery count(db);
    count.setForwardOnly(true);
    count.prepare(QStringLiteral("SELECT count(*) ") + from);
    for (int i = 0; i < values.size(); ++i) {
        count.bindValue(i, values[i]);
    }
    if (!count.exec() || !count.next()) {
        Out() << "direct count failed: " << count.lastError().text() << Qt::endl;
        return false;
    }
    count.value(0).toLongLong();
    QSqlQuery page(db);
    page.setForwardOnly(true);
    page.prepare(QStringLiteral("SELECT c.id, c.name, c.category_code, c.thumbnail, c.shop_id FROM "
                                "(SELECT %1 AS seq %2 ORDER BY %1 LIMIT 20 OFFSET ?) AS p "
                                "JOIN components AS c ON c.seq = p.seq ORDER BY c.seq")
                     .arg(seq, from));
    int index = 0;
    for (; index < values.size(); ++index) {
        page.bindValue(index, values[index]);
    }
    page.bindValue(index, offset);
    if (!page.exec()) {
        Out() << "direct page failed: " << page.lastError().text() << Qt::endl;
        return false;
    }
    return ReadPage(page);
}

QVector<Case> MakeCases()
{
    QVector<Case> cases;
    const auto keyword = [&](const QString& label, const QString& text) {
        Case c;
        c.Label = label;
        c.Query.Keyword = text.toStdWString();
        c.Direct = [text](QSqlDatabase& db) {
            Range all;
            ReadRange(db, QString(), all);
            const QVector<uint> points = CatalogSchema::Fold(text).toUcs4();
            if (points.size() <= 2) {
                const qint64 gram = points.size() == 1 ? CatalogSchema::GramCode(points[0])
                                                       : CatalogSchema::GramCode(points[0], points[1]);
                return CountAndPage(db, QStringLiteral("d.seq"),
                                    QStringLiteral("FROM name_grams AS d WHERE d.gram = ? AND d.seq BETWEEN ? AND ?"),
                                    {gram, all.First, all.Last}, 0);
            }
            return CountAndPage(db, QStringLiteral("d.rowid"),
                                QStringLiteral("FROM name_trigrams AS d WHERE name_trigrams MATCH ? AND d.rowid BETWEEN ? AND ?"),
                                {QStringLiteral("\"%1\"").arg(CatalogSchema::Fold(text)), all.First, all.Last}, 0);
        };
        cases.append(c);
    };
    keyword(QStringLiteral("keyword, one CJK character (门)"), QStringLiteral("门"));
    keyword(QStringLiteral("keyword, two CJK characters (平开)"), QStringLiteral("平开"));
    keyword(QStringLiteral("keyword, Latin word (led)"), QStringLiteral("led"));

    Case subtree;
    subtree.Label = QStringLiteral("category subtree (机电)");
    subtree.Query.CategoryCode = L"M";
    subtree.Direct = [](QSqlDatabase& db) {
        Range range;
        ReadRange(db, QStringLiteral("M"), range);
        QSqlQuery page(db);
        page.setForwardOnly(true);
        page.prepare(QStringLiteral("SELECT c.id, c.name, c.category_code, c.thumbnail, c.shop_id FROM components AS c "
                                    "WHERE c.seq BETWEEN ? AND ? ORDER BY c.seq LIMIT 20 OFFSET 0"));
        page.addBindValue(range.First);
        page.addBindValue(range.Last);
        return page.exec() && ReadPage(page);
    };
    cases.append(subtree);

    Case conditions;
    conditions.Label = QStringLiteral("two property conditions (平开门: 木质, 宽度 800~1200)");
    conditions.Query.CategoryCode = L"A0101";
    auto material = std::make_shared<ConditionFilterOption>();
    material->SetCode(L"A0101.material");
    material->SetValue(L"wood");
    material->Operator = ConditionFilterOption::Equal;
    material->ValueType = ConditionFilterOption::Enumeration;
    auto width = std::make_shared<ConditionFilterOption>();
    width->SetCode(L"A0101.width");
    width->SetFromValue(L"800");
    width->SetToValue(L"1200");
    width->Operator = ConditionFilterOption::Between;
    width->ValueType = ConditionFilterOption::Number;
    conditions.Query.Filters = {material, width};
    conditions.Direct = [](QSqlDatabase& db) {
        Range range;
        ReadRange(db, QStringLiteral("A0101"), range);
        QSqlQuery pid(db);
        pid.exec(QStringLiteral("SELECT (SELECT pid FROM properties WHERE code = 'A0101.material'), "
                                "(SELECT pid FROM properties WHERE code = 'A0101.width')"));
        pid.next();
        return CountAndPage(db, QStringLiteral("d.seq"),
                            QStringLiteral("FROM component_values AS d WHERE d.pid = ? AND d.seq BETWEEN ? AND ? "
                                           "AND (d.text = ?) AND EXISTS (SELECT 1 FROM component_values AS v0 "
                                           "WHERE v0.pid = ? AND v0.seq = d.seq AND (v0.number >= ? AND v0.number <= ?))"),
                            {pid.value(0), range.First, range.Last, QStringLiteral("wood"), pid.value(1), 800.0, 1200.0},
                            0);
    };
    cases.append(conditions);

    Case page;
    page.Label = QStringLiteral("page 500 of everything");
    page.Query.PageIndex = 500;
    page.Direct = [](QSqlDatabase& db) {
        Range all;
        ReadRange(db, QString(), all);
        QSqlQuery rows(db);
        rows.setForwardOnly(true);
        rows.prepare(QStringLiteral("SELECT c.id, c.name, c.category_code, c.thumbnail, c.shop_id FROM components AS c "
                                    "WHERE c.seq BETWEEN ? AND ? ORDER BY c.seq LIMIT 20 OFFSET 9980"));
        rows.addBindValue(all.First);
        rows.addBindValue(all.Last);
        return rows.exec() && ReadPage(rows);
    };
    cases.append(page);
    return cases;
}

double Percentile(QVector<double> samples, double p)
{
    std::sort(samples.begin(), samples.end());
    const int index = std::min(int(samples.size()) - 1, int(std::ceil(p * samples.size())) - 1);
    return samples[std::max(0, index)];
}

// Sends the request and runs the caller's event loop until Finished.
double ServiceRoundTrip(const ComponentQuery& query, qint64& total)
{
    QElapsedTimer timer;
    QEventLoop loop;
    timer.start();
    auto* reply = PublicComponentService::Get()->GetComponents(L"S", L"1", query.CategoryCode, query.Keyword,
                                                               query.PageIndex, query.PageSize, -1, query.Filters);
    double elapsed = 0;
    QObject::connect(reply, &CustomReplyBase::Finished, &loop, [&] {
        elapsed = timer.nsecsElapsed() / 1e6;
        total = reply->Error().empty() && reply->Result() ? reply->Result()->Total : -1;
        loop.quit();
    });
    loop.exec();
    reply->deleteLater();
    return elapsed;
}

// The tree with its matches marked, which the page asks for beside every page of components.
double CategoryRoundTrip(const std::wstring& keyword)
{
    QElapsedTimer timer;
    QEventLoop loop;
    timer.start();
    auto* reply = PublicCategoryService::Get()->GetCategories(L"S", L"1", L"", keyword, {});
    double elapsed = 0;
    QObject::connect(reply, &CustomReplyBase::Finished, &loop, [&] {
        elapsed = timer.nsecsElapsed() / 1e6;
        loop.quit();
    });
    loop.exec();
    reply->deleteLater();
    return elapsed;
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
    const QVector<Case> cases = MakeCases();

    Out() << "| catalog | query | matches | service p50 | service p95 | direct p50 | direct p95 | p50 ratio | p95 ratio |\n"
          << "|---|---|---:|---:|---:|---:|---:|---:|---:|" << Qt::endl;
    for (const QString& folder : args) {
        if (!QFileInfo::exists(folder + QLatin1Char('/') + CatalogSchema::FileName())) {
            Out() << "no catalog in " << folder << Qt::endl;
            continue;
        }
        CatalogBackend::Install(std::make_shared<SqliteCatalogBackend>(folder));
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

            for (const Case& c : cases) {
                QVector<double> service;
                QVector<double> direct;
                qint64 total = 0;
                // Warm both paths, then alternate so neither gets the other's cache.
                for (int i = 0; i < 3; ++i) {
                    ServiceRoundTrip(c.Query, total);
                    c.Direct(db);
                }
                for (int i = 0; i < runs; ++i) {
                    service.append(ServiceRoundTrip(c.Query, total));
                    QElapsedTimer timer;
                    timer.start();
                    if (!c.Direct(db)) {
                        return 1;
                    }
                    direct.append(timer.nsecsElapsed() / 1e6);
                }
                const double s50 = Percentile(service, 0.5);
                const double s95 = Percentile(service, 0.95);
                const double d50 = Percentile(direct, 0.5);
                const double d95 = Percentile(direct, 0.95);
                Out() << "| " << QFileInfo(folder).fileName() << " | " << c.Label << " | " << total << " | "
                      << QString::number(s50, 'f', 2) << " ms | " << QString::number(s95, 'f', 2) << " ms | "
                      << QString::number(d50, 'f', 2) << " ms | " << QString::number(d95, 'f', 2) << " ms | "
                      << QString::number(s50 / d50, 'f', 2) << " | " << QString::number(s95 / d95, 'f', 2) << " |"
                      << Qt::endl;
            }
            for (const QString& keyword : {QStringLiteral("门"), QStringLiteral("led")}) {
                QVector<double> service;
                for (int i = 0; i < runs + 3; ++i) {
                    const double elapsed = CategoryRoundTrip(keyword.toStdWString());
                    if (i >= 3) {
                        service.append(elapsed);
                    }
                }
                Out() << "| " << QFileInfo(folder).fileName() << " | category tree, keyword " << keyword << " | | "
                      << QString::number(Percentile(service, 0.5), 'f', 2) << " ms | "
                      << QString::number(Percentile(service, 0.95), 'f', 2) << " ms | | | | |" << Qt::endl;
            }
        }
        QSqlDatabase::removeDatabase(connection);
        CatalogBackend::Install(nullptr);
    }
    return 0;
}
