// Concurrent additions into one collaboration project through the catalog
// server: each client checks for repeats, then adds, one component at a time,
// as the page does. Reports the time per addition (repeat check included) and
// whether any addition was lost or doubled.
//
//   bench_project_adds                       # SQLite store in a temporary folder
//   bench_project_adds --postgres            # a throwaway PostgreSQL cluster
//   bench_project_adds --projects CONNECTION [--clients 8] [--adds 20]

#include "HttpCatalogBackend.h"
#include "PostgresCluster.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <future>
#include <memory>
#include <thread>
#include <vector>

using namespace vela;

namespace {

QTextStream& Out()
{
    static QTextStream out(stdout);
    return out;
}

// Waits here for one backend answer.
template <class T, class Call>
std::pair<std::wstring, T> Sync(Call call)
{
    auto promise = std::make_shared<std::promise<std::pair<std::wstring, T>>>();
    auto future = promise->get_future();
    call([promise](std::wstring error, T result) { promise->set_value({std::move(error), std::move(result)}); });
    return future.get();
}

double Percentile(std::vector<double> values, double p)
{
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, size_t(p * double(values.size() - 1) + 0.5));
    return values[index];
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption projectsOption(QStringLiteral("projects"), QStringLiteral("Project store connection."),
                                            QStringLiteral("connection"));
    const QCommandLineOption postgresOption(QStringLiteral("postgres"),
                                            QStringLiteral("Keep projects in a throwaway PostgreSQL cluster."));
    const QCommandLineOption clientsOption(QStringLiteral("clients"), QStringLiteral("Clients at once."),
                                           QStringLiteral("n"), QStringLiteral("8"));
    const QCommandLineOption addsOption(QStringLiteral("adds"), QStringLiteral("Additions per client."),
                                        QStringLiteral("n"), QStringLiteral("20"));
    parser.addOptions({projectsOption, postgresOption, clientsOption, addsOption});
    parser.process(app);
    const int clients = std::max(1, parser.value(clientsOption).toInt());
    const int adds = std::max(1, parser.value(addsOption).toInt());

    QTemporaryDir folder;
    std::unique_ptr<test::PostgresCluster> cluster;
    QString connection = parser.value(projectsOption);
    if (parser.isSet(postgresOption)) {
        cluster = std::make_unique<test::PostgresCluster>();
        if (!cluster->Start()) {
            Out() << "cannot start PostgreSQL: " << cluster->Error() << "\n";
            return 1;
        }
        connection = cluster->ConnectionString();
    } else if (connection.isEmpty()) {
        connection = folder.filePath(QStringLiteral("projects.sqlite"));
    }

    QProcess server;
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server.start(QStringLiteral(PLAZA_CATALOG_SERVER),
                 {QStringLiteral("--catalog"), QStringLiteral(PLAZA_SAMPLE_CATALOG), QStringLiteral("--port"),
                  QStringLiteral("0"), QStringLiteral("--projects"), connection});
    server.setStandardErrorFile(QProcess::nullDevice());
    if (!server.waitForReadyRead(20000)) {
        Out() << "the server did not start\n";
        return 1;
    }
    const QUrl url(QStringLiteral("http://127.0.0.1:%1").arg(server.readLine().trimmed().toInt()));

    // Components to add: the first of the catalog, one per addition.
    HttpCatalogBackend probe(url);
    ComponentQuery query;
    query.PageSize = adds;
    const auto page = Sync<ComponentPage>([&](auto done) { probe.GetComponents(query, std::move(done)); });
    const auto before = Sync<ProjectComponentList>([&](auto done) { probe.GetProjectComponents(L"P1002", done); });
    if (!page.first.empty() || !page.second || !before.first.empty()) {
        Out() << "server not usable: " << QString::fromStdWString(page.first + before.first) << "\n";
        return 1;
    }
    std::vector<std::wstring> ids;
    for (const auto& component : page.second->Data) {
        ids.push_back(component->Id);
    }

    // Every client its own backend, on its own thread, all at once.
    std::vector<std::vector<double>> times(static_cast<size_t>(clients));
    std::vector<ProjectComponentList> added(static_cast<size_t>(clients));
    std::vector<int> failures(static_cast<size_t>(clients), 0);
    std::vector<std::thread> threads;
    QElapsedTimer wall;
    wall.start();
    for (int client = 0; client < clients; ++client) {
        threads.emplace_back([&, client] {
            HttpCatalogBackend backend(url);
            for (int i = 0; i < adds; ++i) {
                const std::vector<std::wstring> one{ids[size_t(i) % ids.size()]};
                QElapsedTimer timer;
                timer.start();
                const auto repeats = Sync<RepeatCheckList>(
                    [&](auto done) { backend.CheckPublicComponentRespeats(L"P1002", one, std::move(done)); });
                const auto result = Sync<ProjectComponentList>(
                    [&](auto done) { backend.AddComponentFromPublic(L"P1002", one, std::move(done)); });
                times[size_t(client)].push_back(double(timer.nsecsElapsed()) / 1e6);
                if (!repeats.first.empty() || !result.first.empty()) {
                    ++failures[size_t(client)];
                }
                added[size_t(client)].insert(added[size_t(client)].end(), result.second.begin(), result.second.end());
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    const double seconds = double(wall.nsecsElapsed()) / 1e9;

    std::vector<double> all;
    QSet<QString> answered;
    int failed = 0;
    for (int client = 0; client < clients; ++client) {
        all.insert(all.end(), times[size_t(client)].begin(), times[size_t(client)].end());
        failed += failures[size_t(client)];
        for (const auto& component : added[size_t(client)]) {
            answered.insert(QString::fromStdWString(component->Id));
        }
    }
    const auto after = Sync<ProjectComponentList>([&](auto done) { probe.GetProjectComponents(L"P1002", done); });
    QSet<QString> stored;
    int rows = 0;
    for (const auto& component : after.second) {
        const QString id = QString::fromStdWString(component->Id);
        bool isNew = true;
        for (const auto& old : before.second) {
            isNew = isNew && old->Id != component->Id;
        }
        if (isNew) {
            stored.insert(id);
            ++rows;
        }
    }
    const int expected = clients * adds;
    const int lost = int((answered - stored).size());
    const int duplicated = rows - int(stored.size()) + std::max(0, int((stored - answered).size()));

    Out() << "store: " << (cluster ? QStringLiteral("PostgreSQL (throwaway cluster)") : connection) << "\n"
          << clients << " clients x " << adds << " additions, " << QString::number(seconds, 'f', 2) << " s\n"
          << "per addition with its repeat check, ms: p50 " << QString::number(Percentile(all, 0.5), 'f', 1)
          << ", p95 " << QString::number(Percentile(all, 0.95), 'f', 1) << ", max "
          << QString::number(Percentile(all, 1.0), 'f', 1) << "\n"
          << "answered " << answered.size() << " of " << expected << ", failed " << failed << ", new rows " << rows
          << ", lost " << lost << ", duplicated " << duplicated << "\n";
    Out().flush();
    server.terminate();
    server.waitForFinished(10000);
    return lost == 0 && duplicated == 0 && failed == 0 && rows == expected ? 0 : 1;
}
