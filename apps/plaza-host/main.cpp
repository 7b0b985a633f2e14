#include "AppService.h"
#include "HostMainWindow.h"
#include "HostNetworkDetector.h"
#include "HttpCatalogBackend.h"
#include "PlazaAnalyzeService.h"
#include "PlazaMainWindow.h"
#include "PlazaTour.h"
#include "PlazaTranslations.h"
#include "QuitOnSignal.h"
#include "SqliteCatalogBackend.h"
#include "VelaLogger.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QTranslator>
#include <QUrl>

#include <cstdio>
#include <initializer_list>
#include <memory>

namespace {

bool HasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// Read before the application exists, because the platform is chosen then.
bool HasArgument(int argc, char* argv[], std::initializer_list<const char*> names)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        for (const char* name : names) {
            if (argument == name || argument.startsWith(QByteArray(name) + '=')) {
                return true;
            }
        }
    }
    return false;
}

// Platforms that show nothing to a person: without a tour the host would wait unseen.
bool ShowsNothing(const QString& platform)
{
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

constexpr char NoDisplayMessage[] = "no display: use --tour DIR or a real display\n";

vela::Product ParseProduct(const QString& name, bool* ok)
{
    *ok = true;
    if (name == QLatin1String("sorn")) {
        return vela::Product::Sorn;
    }
    if (name == QLatin1String("lumen")) {
        return vela::Product::Lumen;
    }
    if (name == QLatin1String("rivo")) {
        return vela::Product::Rivo;
    }
    *ok = false;
    return vela::Product::Sorn;
}

// Qt's own texts (OK, Cancel, ...), the demo host's and Plaza's in one language.
// Chinese is the source language of the host and of Plaza, so only Qt needs a catalog for it.
bool InstallTranslations(const QString& language)
{
    static QTranslator qtTranslator;
    static QTranslator hostTranslator;
    if (language == QLatin1String("zh")) {
        if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                              QLibraryInfo::location(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(&qtTranslator);
        }
        return vela::PlazaTranslations::Install(QLocale(QLocale::Chinese, QLocale::China));
    }
    if (language == QLatin1String("en")) {
        if (hostTranslator.load(QStringLiteral(":/vela/translations/plaza-host_en.qm"))) {
            QCoreApplication::installTranslator(&hostTranslator);
        }
        return vela::PlazaTranslations::Install(QLocale(QLocale::English, QLocale::UnitedStates))
               && !hostTranslator.isEmpty();
    }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    // A tour always runs on the offscreen platform; help and version need no display.
    const bool touring = HasArgument(argc, argv, {"--tour"});
    const bool informational = HasArgument(argc, argv, {"-h", "--help", "--help-all", "-v", "--version"});
    if (touring || informational) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    } else if (!HasDisplay()) {
        std::fputs(NoDisplayMessage, stderr);
        return 2;
    }
    // Sharp on high-density screens; both must be set before the application exists.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication app(argc, argv);
    // Names the settings file and the data folders (see the README's "Where data goes").
    QApplication::setApplicationName(QStringLiteral("plaza-host"));
    QApplication::setOrganizationName(QStringLiteral("Vela"));
    QApplication::setApplicationVersion(QStringLiteral(PLAZA_VERSION));
    // The host application's own user-interface font.
    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(12);
    QApplication::setFont(font);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Demo host application of the Plaza public component library."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption productOption(QStringLiteral("product"),
                                           QStringLiteral("Product to emulate: sorn (default), lumen or rivo."),
                                           QStringLiteral("name"), QStringLiteral("sorn"));
    const QCommandLineOption catalogOption(
        QStringLiteral("catalog"), QStringLiteral("Catalog folder (default: the build's sample catalog)."),
        QStringLiteral("path"), QStringLiteral(PLAZA_DEFAULT_CATALOG));
    const QCommandLineOption tourOption(
        QStringLiteral("tour"),
        QStringLiteral("Run the scripted tour, save screenshots into the folder."),
        QStringLiteral("folder"));
    const QCommandLineOption serverOption(
        QStringLiteral("server"),
        QStringLiteral("Browse a plaza-catalog-server at this address instead."),
        QStringLiteral("url"));
    const QCommandLineOption langOption(QStringLiteral("lang"),
                                        QStringLiteral("Interface language: zh (default) or en."),
                                        QStringLiteral("language"), QStringLiteral("zh"));
    parser.addOptions({productOption, catalogOption, tourOption, serverOption, langOption});
    parser.process(app);
    if (!InstallTranslations(parser.value(langOption))) {
        std::fprintf(stderr, "unknown language '%s' (use zh or en)\n", qPrintable(parser.value(langOption)));
        return 2;
    }

    bool productOk = false;
    const vela::Product product = ParseProduct(parser.value(productOption), &productOk);
    if (!productOk) {
        std::fprintf(stderr, "unknown product '%s' (use sorn, lumen or rivo)\n",
                     qPrintable(parser.value(productOption)));
        return 2;
    }
    const QString tourFolder = parser.value(tourOption);
    if (tourFolder.isEmpty() && ShowsNothing(QGuiApplication::platformName())) {
        std::fputs(NoDisplayMessage, stderr);
        return 2;
    }

    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dataFolder);
    // The log file gets every line; the console only warnings and errors, unless
    // QT_LOGGING_RULES asks for more (it is read after these rules).
    QLoggingCategory::setFilterRules(QStringLiteral("vela.*.debug=false\nvela.*.info=false"));
    vela::VelaLogger logger(dataFolder + QStringLiteral("/plaza-host.log"), true);
    vela::IVelaLogger::Install(&logger);
    vela::PlazaAnalyzeService analytics(dataFolder + QStringLiteral("/events.jsonl"));
    vela::PlazaAnalyzeService::Install(&analytics);
    vela::AppService appService(L"VelaDesign", L"2026.1", product);
    vela::AppService::Install(&appService);

    const QString catalogFolder = QFileInfo(parser.value(catalogOption)).absoluteFilePath();
    const QUrl server = QUrl::fromUserInput(parser.value(serverOption));
    if (parser.isSet(serverOption)) {
        const QString scheme = server.scheme();
        if (!server.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
            std::fprintf(stderr, "not a server address: %s (use http://host:port)\n",
                         qPrintable(parser.value(serverOption)));
            return 2;
        }
        vela::CatalogBackend::Install(std::make_shared<vela::HttpCatalogBackend>(server));
        // Plaza goes offline by itself when the server stops answering, and back when it returns.
        vela::HostNetworkDetector::Get()->Watch(server);
    } else if (QFileInfo::exists(catalogFolder)) {
        // A tour starts from empty projects every time; a person's additions are kept.
        const QString projectStore = tourFolder.isEmpty() ? dataFolder + QStringLiteral("/projects.sqlite") : QString();
        vela::CatalogBackend::Install(std::make_shared<vela::SqliteCatalogBackend>(catalogFolder, projectStore));
    } else {
        std::fprintf(stderr, "catalog not found: %s (build the project to make the sample catalog)\n",
                     qPrintable(catalogFolder));
    }

    // The application creates Plaza once, after its services and before anything may ask for it.
    vela::PlazaMainWindow::Initialize();
    int exitCode = 0;
    {
        plazahost::HostMainWindow host(parser.isSet(serverOption) ? server.toString() : catalogFolder);
        host.CheckCatalog();
        std::unique_ptr<plazahost::PlazaTour> tour;
        if (!tourFolder.isEmpty()) {
            tour = std::make_unique<plazahost::PlazaTour>(&host, tourFolder);
            QObject::connect(tour.get(), &plazahost::PlazaTour::Done, &app, [&] {
                const QStringList failed = tour->FailedSteps();
                std::printf("tour: screenshots are in %s\n", qPrintable(QDir(tourFolder).absolutePath()));
                if (!failed.isEmpty()) {
                    std::fprintf(stderr, "tour: %d step(s) incomplete: %s\n", static_cast<int>(failed.size()),
                                 qPrintable(failed.join(QStringLiteral(", "))));
                }
                QApplication::exit(failed.isEmpty() ? 0 : 1);
            });
            host.show();
            tour->Start();
        } else {
            host.RememberLayout();
            new plazahost::QuitOnSignal(&host);
            host.show();
        }
        exitCode = QApplication::exec();
        vela::PlazaMainWindow::Destroy();
    }
    vela::HostNetworkDetector::Get()->Watch(QUrl());
    vela::CatalogBackend::Install(nullptr);
    vela::AppService::Install(nullptr);
    vela::PlazaAnalyzeService::Install(nullptr);
    vela::IVelaLogger::Install(nullptr);
    return exitCode;
}
