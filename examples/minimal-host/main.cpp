// The smallest host of the Plaza module: it provides the catalog backend and
// the application information, opens Plaza and, with --smoke, exits once the
// first page of components is listed.
#include "AppService.h"
#include "CatalogBackend.h"
#include "PlazaAnalyzeService.h"
#include "PlazaMainWindow.h"
#include "PlazaPublicComponentsTableView.h"
#include "SqliteCatalogBackend.h"
#include "VelaLogger.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

// Ends the run with `code` once every event loop, the modal window's too, has returned.
void Finish(int code, const char* message)
{
    std::fprintf(code == 0 ? stdout : stderr, "%s\n", message);
    if (vela::PlazaMainWindow* window = vela::PlazaMainWindow::Get()) {
        window->done(0);
    }
    QCoreApplication::exit(code);
}

// Watches the result table until it holds a row; the table is filled on the
// first show from the reply to the first page's request.
void ExitWhenListed(QAbstractItemModel* model, int deadlineMs)
{
    auto check = [model] {
        if (model->rowCount() > 0) {
            std::printf("listed %d components\n", model->rowCount());
            Finish(0, "smoke: first page listed");
        }
    };
    QObject::connect(model, &QAbstractItemModel::rowsInserted, model, check);
    QObject::connect(model, &QAbstractItemModel::modelReset, model, check);
    QObject::connect(model, &QAbstractItemModel::layoutChanged, model, check);
    QTimer::singleShot(deadlineMs, model, [deadlineMs] {
        std::fprintf(stderr, "smoke: no component listed within %d ms\n", deadlineMs);
        Finish(1, "smoke: failed");
    });
}

// Asks the backend for the first page itself, so that a catalog that cannot
// be read ends the smoke run at once with the backend's reason instead of at
// the deadline. The answer comes from a worker thread; it is handled on the
// user-interface thread, through the application, which outlives the backend.
void ExitOnBackendError()
{
    vela::CatalogBackend::Current()->GetComponents(
        vela::ComponentQuery(), [](std::wstring error, vela::ComponentPage) {
            if (error.empty()) {
                return;
            }
            QMetaObject::invokeMethod(QCoreApplication::instance(), [error] {
                const QString message = QStringLiteral("smoke: the catalog failed: %1").arg(QString::fromStdWString(error));
                Finish(1, qPrintable(message));
            }, Qt::QueuedConnection);
        });
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("plaza-minimal-host"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A minimal host application of the Plaza module."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("catalog"), QStringLiteral("Catalog folder to browse."));
    const QCommandLineOption smokeOption(QStringLiteral("smoke"),
                                         QStringLiteral("Exit 0 once the first page of components is listed."));
    const QCommandLineOption timeoutOption(QStringLiteral("timeout"),
                                           QStringLiteral("How long --smoke waits for the list, in milliseconds."),
                                           QStringLiteral("ms"), QStringLiteral("30000"));
    parser.addOptions({smokeOption, timeoutOption});
    parser.process(app);

    if (parser.positionalArguments().size() != 1) {
        std::fprintf(stderr, "usage: plaza-minimal-host [--smoke] [--timeout ms] CATALOG_FOLDER\n");
        return 2;
    }
    const QString catalogFolder = QFileInfo(parser.positionalArguments().first()).absoluteFilePath();
    if (!QFileInfo(catalogFolder).isDir()) {
        std::fprintf(stderr, "catalog folder not found: %s\n", qPrintable(catalogFolder));
        return 2;
    }
    bool timeoutOk = false;
    const int timeoutMs = parser.value(timeoutOption).toInt(&timeoutOk);
    if (!timeoutOk || timeoutMs <= 0) {
        std::fprintf(stderr, "not a timeout in milliseconds: %s\n", qPrintable(parser.value(timeoutOption)));
        return 2;
    }

    // What the module expects of its host: logging, analytics, application
    // information and a catalog backend, installed before Plaza starts.
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dataFolder);
    vela::VelaLogger logger(dataFolder + QStringLiteral("/plaza-minimal-host.log"), false);
    vela::IVelaLogger::Install(&logger);
    vela::PlazaAnalyzeService analytics(dataFolder + QStringLiteral("/events.jsonl"));
    vela::PlazaAnalyzeService::Install(&analytics);
    vela::AppService appService(L"PlazaMinimalHost", L"1.0", vela::Product::Sorn);
    vela::AppService::Install(&appService);
    vela::CatalogBackend::Install(std::make_shared<vela::SqliteCatalogBackend>(catalogFolder, QString()));

    vela::PlazaMainWindow::Initialize();
    vela::PlazaMainWindow* window = vela::PlazaMainWindow::Get();
    if (!window) {
        std::fprintf(stderr, "Plaza did not start\n");
        return 1;
    }
    if (parser.isSet(smokeOption)) {
        auto* table = window->findChild<vela::PlazaPublicComponentsTableView*>();
        if (!table || !table->model()) {
            std::fprintf(stderr, "Plaza has no component table\n");
            return 1;
        }
        ExitWhenListed(table->model(), timeoutMs);
        ExitOnBackendError();
    } else {
        // Closing Plaza ends this host, which has no window of its own.
        QObject::connect(window, &QDialog::finished, &app, [] { QCoreApplication::quit(); });
    }
    window->Display(0);
    const int exitCode = QApplication::exec();

    vela::PlazaMainWindow::Destroy();
    vela::CatalogBackend::Install(nullptr);
    vela::AppService::Install(nullptr);
    vela::PlazaAnalyzeService::Install(nullptr);
    vela::IVelaLogger::Install(nullptr);
    return exitCode;
}
