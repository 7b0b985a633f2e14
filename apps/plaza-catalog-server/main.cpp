#include "CatalogSchema.h"
#include "CatalogServer.h"
#include "ProjectStore.h"
#include "SqliteCatalogBackend.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <pthread.h>
#include <thread>

namespace {

bool IntValue(const QCommandLineParser& parser, const QCommandLineOption& option, int minimum, int maximum, int& out)
{
    bool ok = false;
    const int value = parser.value(option).toInt(&ok);
    if (!ok || value < minimum || value > maximum) {
        std::fprintf(stderr, "--%s must be a number from %d to %d\n", qPrintable(option.names().constFirst()),
                     minimum, maximum);
        return false;
    }
    out = value;
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    // Blocked before any thread starts, so that every thread inherits the mask
    // and only the waiting thread below ever takes these signals.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("plaza-catalog-server"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Serves a Plaza catalog folder over HTTP."));
    parser.addHelpOption();
    const QCommandLineOption catalogOption(QStringLiteral("catalog"), QStringLiteral("Catalog folder to serve."),
                                           QStringLiteral("path"), QStringLiteral(PLAZA_DEFAULT_CATALOG));
    const QCommandLineOption hostOption(QStringLiteral("host"), QStringLiteral("Address to listen on."),
                                        QStringLiteral("address"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Port to listen on; 0 picks a free one. The port is printed "
                                                       "as the first line on standard output."),
                                        QStringLiteral("port"), QStringLiteral("8080"));
    const QCommandLineOption threadsOption(QStringLiteral("threads"),
                                           QStringLiteral("Connection threads: clients served at once."),
                                           QStringLiteral("n"), QStringLiteral("64"));
    const QCommandLineOption queriesOption(QStringLiteral("max-queries"),
                                           QStringLiteral("Catalog queries at once; others wait up to --queue-wait."),
                                           QStringLiteral("n"), QStringLiteral("8"));
    const QCommandLineOption queueWaitOption(QStringLiteral("queue-wait"),
                                             QStringLiteral("Longest wait for a query's turn before answering 503, "
                                                            "in milliseconds."),
                                             QStringLiteral("ms"), QStringLiteral("1000"));
    const QCommandLineOption pageSizeOption(QStringLiteral("max-page-size"),
                                            QStringLiteral("Largest page of components."), QStringLiteral("n"),
                                            QStringLiteral("500"));
    const QCommandLineOption latencyOption(QStringLiteral("latency"),
                                           QStringLiteral("Delay every answer by this many milliseconds."),
                                           QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption timeoutOption(QStringLiteral("query-timeout"),
                                           QStringLiteral("Longest wait for one catalog query, in milliseconds."),
                                           QStringLiteral("ms"), QStringLiteral("30000"));
    const QCommandLineOption publicUrlOption(
        QStringLiteral("public-url"),
        QStringLiteral("Address clients use to reach the server (behind a load balancer); "
                       "by default each request's Host header."),
        QStringLiteral("url"));
    const QCommandLineOption projectsOption(
        QStringLiteral("projects"),
        QStringLiteral("Where collaboration projects are kept: a PostgreSQL connection string "
                       "(postgresql://user@host/db, or host=... dbname=...) or a SQLite file; "
                       "by default projects.sqlite in the server's data folder."),
        QStringLiteral("connection"));
    parser.addOptions({catalogOption, hostOption, portOption, threadsOption, queriesOption, queueWaitOption, pageSizeOption,
                       latencyOption, timeoutOption, publicUrlOption, projectsOption});
    parser.process(app);

    plazaserver::CatalogServerOptions options;
    int port = 0;
    if (!IntValue(parser, portOption, 0, 65535, port) || !IntValue(parser, threadsOption, 1, 1024, options.Threads)
        || !IntValue(parser, queriesOption, 1, 1024, options.MaxQueries)
        || !IntValue(parser, queueWaitOption, 0, 60000, options.QueueWaitMs)
        || !IntValue(parser, pageSizeOption, 1, 1000, options.MaxPageSize)
        || !IntValue(parser, latencyOption, 0, 600000, options.LatencyMs)
        || !IntValue(parser, timeoutOption, 1, 600000, options.QueryTimeoutMs)) {
        return 2;
    }
    options.PublicUrl = parser.value(publicUrlOption);

    const QString catalog = QFileInfo(parser.value(catalogOption)).absoluteFilePath();
    const QString catalogFile = catalog.endsWith(QLatin1String(".sqlite"), Qt::CaseInsensitive)
                                    ? catalog
                                    : catalog + QLatin1Char('/') + vela::CatalogSchema::FileName();
    if (!QFileInfo(catalogFile).isFile()) {
        std::fprintf(stderr, "catalog not found: %s\n", qPrintable(catalogFile));
        return 2;
    }

    QString projectsConnection = parser.value(projectsOption);
    if (projectsConnection.isEmpty()) {
        projectsConnection =
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/projects.sqlite");
    }
    auto projects = std::make_shared<vela::ProjectStore>(projectsConnection);
    // The schema is brought up to date before anything is served; a store this program cannot use stops it here.
    const std::wstring projectsError = projects->Open();
    if (!projectsError.empty()) {
        std::fprintf(stderr, "project store: %s\n", QString::fromStdWString(projectsError).toUtf8().constData());
        return 2;
    }

    int exitCode = 0;
    {
        // Read-only on the catalog; projects are written to the project store.
        auto backend = std::make_shared<vela::SqliteCatalogBackend>(catalog, projects);
        plazaserver::CatalogServer server(backend, backend->CatalogFolder(), options);
        const int bound = server.Bind(parser.value(hostOption).toStdString(), port);
        if (bound < 0) {
            std::fprintf(stderr, "cannot listen on %s:%d\n", qPrintable(parser.value(hostOption)), port);
            return 1;
        }
        std::printf("%d\n", bound);
        std::fflush(stdout);
        std::fprintf(stderr, "serving %s on %s:%d, projects in %s\n", qPrintable(backend->CatalogFolder()),
                     qPrintable(parser.value(hostOption)), bound, qPrintable(projects->Description()));

        std::atomic<bool> listening{true};
        std::atomic<bool> signalled{false};
        std::thread signalThread([&] {
            int signal = 0;
            sigwait(&stopSignals, &signal);
            signalled = true;
            // stop() does nothing until the server runs; a signal may come just before.
            while (listening && !server.IsRunning()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            server.Stop();
        });
        if (!server.Listen()) {
            std::fprintf(stderr, "server failed\n");
            exitCode = 1;
        }
        listening = false;
        // Wakes the signal thread when the server ended by itself.
        if (!signalled) {
            pthread_kill(signalThread.native_handle(), SIGTERM);
        }
        signalThread.join();
        std::fprintf(stderr, "stopped\n");
    }
    return exitCode;
}
