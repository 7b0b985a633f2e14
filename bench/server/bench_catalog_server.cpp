// Load on plaza-catalog-server: starts the server on a free loopback port for
// a catalog folder, then N concurrent keep-alive clients send the README's
// query mix (the six "Service round trip" queries) until a request budget or
// a time limit runs out, at each client count. Prints answered requests per
// second and p50 / p95 / max (a 503 is asked again after its Retry-After, and
// the wait counts), then the single-client round trip through the service layer
// over HTTP (HttpCatalogBackend) beside the embedded catalog
// (SqliteCatalogBackend) for the same queries. The server is stopped at the end.
//
//   bench_catalog_server [--clients 1,16,64] [--requests N] [--seconds S] [--runs N]
//                        CATALOG_FOLDER [-- SERVER_OPTION...]
//
// Options after "--" go to the server (for example --threads 64).

#include "BenchCatalog.h"
#include "CatalogJson.h"
#include "CatalogSchema.h"
#include "HostNetworkDetector.h"
#include "HttpCatalogBackend.h"
#include "PublicComponentService.h"
#include "SqliteCatalogBackend.h"

#include <httplib.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include <unistd.h>

using namespace vela;

namespace {

QTextStream& Out()
{
    static QTextStream out(stdout);
    return out;
}

// The server's process id for the signal handler below.
std::atomic<qint64> s_serverPid{0};

// Interrupted or told to stop: the server must not outlive the benchmark.
extern "C" void StopServerAndExit(int signal)
{
    const qint64 pid = s_serverPid.load();
    if (pid > 0) {
        ::kill(pid_t(pid), SIGTERM);
    }
    ::_exit(128 + signal);
}

// The real server on a free loopback port, stopped with SIGTERM (then killed)
// when this goes or when the benchmark is interrupted.
class ServerProcess
{
public:
    ~ServerProcess()
    {
        s_serverPid = 0;
        if (m_process.state() == QProcess::NotRunning) {
            return;
        }
        m_process.terminate();
        if (!m_process.waitForFinished(10000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    // The port it listens on, or 0.
    int Start(const QString& folder, const QStringList& options)
    {
        // One log line per request: far too many to keep.
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start(QStringLiteral(PLAZA_CATALOG_SERVER),
                        QStringList{QStringLiteral("--catalog"), folder, QStringLiteral("--host"),
                                    QStringLiteral("127.0.0.1"), QStringLiteral("--port"), QStringLiteral("0")}
                            + options);
        if (!m_process.waitForStarted(10000)) {
            return 0;
        }
        s_serverPid = m_process.processId();
        for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
            std::signal(signal, StopServerAndExit);
        }
        const QDeadlineTimer deadline(10000);
        while (!m_process.canReadLine() && !deadline.hasExpired() && m_process.state() == QProcess::Running) {
            m_process.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())));
        }
        return m_process.readLine().trimmed().toInt();
    }

private:
    QProcess m_process;
};

struct MixQuery
{
    QString Label;
    ComponentQuery Query;
    std::string Body;
    // A component detail (a GET) instead of a query (a POST with a body).
    std::wstring DetailId;
};

// The README's six service queries, the conditions read from the catalog as
// bench_catalog_service reads them.
std::vector<MixQuery> Mix(const bench::BenchCatalog& catalog)
{
    std::vector<MixQuery> mix(6);
    mix[0].Label = QStringLiteral("keyword 门");
    mix[0].Query.Keyword = L"门";
    mix[1].Label = QStringLiteral("keyword 平开");
    mix[1].Query.Keyword = L"平开";
    mix[2].Label = QStringLiteral("keyword led");
    mix[2].Query.Keyword = L"led";
    mix[3].Label = QStringLiteral("subtree 机电");
    mix[3].Query.CategoryCode = L"M";
    mix[4].Label = QStringLiteral("2 conditions in %1 (%2, %3)")
                       .arg(catalog.Leaf.Name, catalog.Conditions[0].Label, catalog.Conditions[1].Label);
    mix[4].Query.CategoryCode = catalog.Leaf.Code.toStdWString();
    mix[4].Query.Filters = catalog.Options();
    mix[5].Label = QStringLiteral("page 500");
    mix[5].Query.PageIndex = 500;
    for (MixQuery& q : mix) {
        q.Body = CatalogJson::Bytes(CatalogJson::FromComponentQuery(q.Query)).toStdString();
    }
    return mix;
}

double Percentile(std::vector<double> samples, double p)
{
    if (samples.empty()) {
        return 0;
    }
    std::sort(samples.begin(), samples.end());
    const int index = std::min(int(samples.size()) - 1, int(std::ceil(p * samples.size())) - 1);
    return samples[size_t(std::max(0, index))];
}

QString Figures(const std::vector<double>& samples)
{
    if (samples.empty()) {
        return QStringLiteral("–");
    }
    return QStringLiteral("%1 / %2 / %3")
        .arg(Percentile(samples, 0.5), 0, 'f', 2)
        .arg(Percentile(samples, 0.95), 0, 'f', 2)
        .arg(*std::max_element(samples.begin(), samples.end()), 0, 'f', 2);
}

struct LoadResult
{
    std::vector<double> Latencies;
    qint64 Busy = 0;
    qint64 Failed = 0;
    // Why the first failed request failed.
    std::string Reason;
    double Seconds = 0;
};

// `clients` threads, each with one keep-alive connection, taking requests
// from a shared budget until it or the time runs out.
LoadResult Load(int port, const std::vector<MixQuery>& mix, int clients, qint64 budget, double seconds)
{
    using Clock = std::chrono::steady_clock;
    std::atomic<qint64> next{0};
    std::mutex merge;
    LoadResult result;
    const Clock::time_point start = Clock::now();
    const Clock::time_point end = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    std::vector<std::thread> threads;
    for (int c = 0; c < clients; ++c) {
        threads.emplace_back([&, c] {
            httplib::Client client("127.0.0.1", port);
            client.set_keep_alive(true);
            client.set_tcp_nodelay(true);
            client.set_connection_timeout(5);
            client.set_read_timeout(30);
            std::vector<double> latencies;
            qint64 busy = 0;
            qint64 failed = 0;
            std::string reason;
            for (qint64 n = next++; n < budget && Clock::now() < end; n = next++) {
                const MixQuery& q = mix[size_t((n + c) % qint64(mix.size()))];
                const Clock::time_point sent = Clock::now();
                // A busy server is asked again after the wait it names, as a client would;
                // the wait counts in the request's time.
                httplib::Result answer = client.Post("/api/v1/components/query", q.Body, "application/json");
                // The server closes a kept-alive connection after a number of requests; a request that
                // met the closing connection is sent again on a new one, as HTTP clients do.
                if (!answer && (answer.error() == httplib::Error::Read || answer.error() == httplib::Error::Write)) {
                    answer = client.Post("/api/v1/components/query", q.Body, "application/json");
                }
                while (answer && answer->status == 503 && Clock::now() < end) {
                    ++busy;
                    const int wait = std::clamp(std::atoi(answer->get_header_value("Retry-After").c_str()), 0, 5);
                    std::this_thread::sleep_until(std::min(end, Clock::now() + std::chrono::seconds(wait)));
                    answer = client.Post("/api/v1/components/query", q.Body, "application/json");
                }
                const double ms = std::chrono::duration<double, std::milli>(Clock::now() - sent).count();
                if (answer && answer->status == 200) {
                    latencies.push_back(ms);
                } else {
                    ++failed;
                    if (reason.empty()) {
                        reason = answer ? "HTTP " + std::to_string(answer->status) : httplib::to_string(answer.error());
                    }
                }
            }
            std::lock_guard<std::mutex> lock(merge);
            result.Latencies.insert(result.Latencies.end(), latencies.begin(), latencies.end());
            result.Busy += busy;
            result.Failed += failed;
            if (result.Reason.empty()) {
                result.Reason = reason;
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    result.Seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return result;
}

// Request to Finished on this thread, through the installed backend; the
// request's total goes to `total` (1 for a detail), -1 on an error.
double RoundTrip(const MixQuery& query, qint64& total)
{
    QElapsedTimer timer;
    QEventLoop loop;
    double elapsed = 0;
    const auto finish = [&](CustomReplyBase* reply, qint64 count) {
        elapsed = timer.nsecsElapsed() / 1e6;
        total = reply->Error().empty() ? count : -1;
        if (!reply->Error().empty()) {
            Out() << "error: " << QString::fromStdWString(reply->Error()) << Qt::endl;
        }
        reply->deleteLater();
        loop.quit();
    };
    timer.start();
    if (!query.DetailId.empty()) {
        auto* reply = PublicComponentService::Get()->GetDetailedComponent(L"S", L"1", query.DetailId);
        QObject::connect(reply, &CustomReplyBase::Finished, &loop, [&, reply] { finish(reply, reply->Result() ? 1 : -1); });
    } else {
        const ComponentQuery& q = query.Query;
        auto* reply = PublicComponentService::Get()->GetComponents(L"S", L"1", q.CategoryCode, q.Keyword, q.PageIndex,
                                                                   q.PageSize, -1, q.Filters);
        QObject::connect(reply, &CustomReplyBase::Finished, &loop,
                         [&, reply] { finish(reply, reply->Result() ? reply->Result()->Total : -1); });
    }
    loop.exec();
    return elapsed;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QStringList serverOptions;
    const int dashes = int(args.indexOf(QStringLiteral("--")));
    if (dashes >= 0) {
        serverOptions = args.mid(dashes + 1);
        args = args.mid(0, dashes);
    }
    QList<int> clientCounts = {1, 16, 64};
    qint64 budget = 3000;
    double seconds = 20;
    int runs = 60;
    while (args.size() >= 2 && args[0].startsWith(QLatin1String("--"))) {
        if (args[0] == QLatin1String("--clients")) {
            clientCounts.clear();
            for (const QString& count : args[1].split(QLatin1Char(','))) {
                clientCounts.append(std::clamp(count.toInt(), 1, 1024));
            }
        } else if (args[0] == QLatin1String("--requests")) {
            budget = std::max(1LL, args[1].toLongLong());
        } else if (args[0] == QLatin1String("--seconds")) {
            seconds = std::clamp(args[1].toDouble(), 1.0, 600.0);
        } else if (args[0] == QLatin1String("--runs")) {
            runs = std::max(5, args[1].toInt());
        } else {
            break;
        }
        args = args.mid(2);
    }
    if (args.size() != 1) {
        Out() << "usage: bench_catalog_server [--clients 1,16,64] [--requests N] [--seconds S] [--runs N] "
                 "CATALOG_FOLDER [-- SERVER_OPTION...]"
              << Qt::endl;
        return 2;
    }
    const QString folder = args[0];
    const QString name = QFileInfo(folder).fileName();
    bench::BenchCatalog catalog;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-facts"));
        db.setDatabaseName(folder + QLatin1Char('/') + CatalogSchema::FileName());
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open() || !catalog.Read(db)) {
            Out() << "cannot read " << folder << ": " << catalog.Error() << Qt::endl;
            return 1;
        }
    }
    const std::vector<MixQuery> mix = Mix(catalog);
    // The round trips add a plain GET to the mix's POSTs.
    std::vector<MixQuery> trips = mix;
    trips.emplace_back();
    trips.back().Label = QStringLiteral("component detail (GET)");
    {
        QSqlDatabase db = QSqlDatabase::database(QStringLiteral("bench-facts"));
        QSqlQuery first(db);
        if (!bench::ExecBound(first, QStringLiteral("SELECT id FROM components ORDER BY seq LIMIT 1"), {})
            || !first.next()) {
            Out() << "the catalog has no component" << Qt::endl;
            return 1;
        }
        trips.back().DetailId = first.value(0).toString().toStdWString();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-facts"));

    ServerProcess server;
    const int port = server.Start(folder, serverOptions);
    if (port <= 0) {
        Out() << "the server did not start" << Qt::endl;
        return 1;
    }
    const QString shownOptions = serverOptions.join(QLatin1Char(' '));
    Out() << "server on 127.0.0.1:" << port << (shownOptions.isEmpty() ? QString() : QLatin1Char(' ') + shownOptions)
          << "; mix: ";
    for (const MixQuery& q : mix) {
        Out() << q.Label << (&q == &mix.back() ? "\n\n" : "; ");
    }
    // Warm the server's connections and the catalog's pages.
    Load(port, mix, 4, 60, seconds);

    Out() << "| catalog | clients | answered | requests/s | p50 / p95 / max ms | busy answers (503) | failed |\n"
          << "|---|---:|---:|---:|---:|---:|---:|" << Qt::endl;
    for (const int clients : clientCounts) {
        const LoadResult result = Load(port, mix, clients, budget, seconds);
        Out() << "| " << name << " | " << clients << " | " << result.Latencies.size() << " | "
              << QString::number(double(result.Latencies.size()) / result.Seconds, 'f', 0) << " | "
              << Figures(result.Latencies) << " | " << result.Busy << " | " << result.Failed
              << (result.Reason.empty() ? QString() : QStringLiteral(" (%1)").arg(QString::fromStdString(result.Reason)))
              << " |" << Qt::endl;
    }

    // One client through the service layer: over HTTP, then embedded.
    HostNetworkDetector::Get()->SetState(HostNetworkDetector::Online);
    std::map<int, std::vector<double>> http;
    std::map<int, std::vector<double>> embedded;
    std::map<int, qint64> totals;
    for (int side = 0; side < 2; ++side) {
        if (side == 0) {
            CatalogBackend::Install(
                std::make_shared<HttpCatalogBackend>(QUrl(QStringLiteral("http://127.0.0.1:%1").arg(port))));
        } else {
            CatalogBackend::Install(std::make_shared<SqliteCatalogBackend>(folder));
        }
        for (int i = 0; i < int(trips.size()); ++i) {
            for (int run = -3; run < runs; ++run) {
                qint64 total = 0;
                const double ms = RoundTrip(trips[size_t(i)], total);
                if (total < 0) {
                    return 1;
                }
                if (run >= 0) {
                    (side == 0 ? http : embedded)[i].push_back(ms);
                }
                if (side == 1 && totals[i] != total) {
                    Out() << "totals differ for " << trips[size_t(i)].Label << ": " << totals[i] << " over HTTP, "
                          << total << " embedded" << Qt::endl;
                }
                totals[i] = total;
            }
        }
        CatalogBackend::Install(nullptr);
    }
    Out() << "\n| catalog | query | matches | HTTP p50 / p95 / max ms | embedded p50 / p95 / max ms | p50 added |\n"
          << "|---|---|---:|---:|---:|---:|" << Qt::endl;
    for (int i = 0; i < int(trips.size()); ++i) {
        Out() << "| " << name << " | " << trips[size_t(i)].Label << " | " << totals[i] << " | " << Figures(http[i])
              << " | " << Figures(embedded[i]) << " | "
              << QString::number(Percentile(http[i], 0.5) - Percentile(embedded[i], 0.5), 'f', 2) << " ms |"
              << Qt::endl;
    }
    return 0;
}
