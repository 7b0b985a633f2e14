#include "CatalogGenerator.h"

#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

namespace {

int Usage()
{
    QTextStream(stderr) << "usage: plaza-catalog sample FOLDER\n"
                           "       plaza-catalog synthetic COUNT FOLDER [--seed N]\n";
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    // Drawing text into images needs a platform, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QString error;
    bool ok = false;
    if (args.size() == 2 && args[0] == QLatin1String("sample")) {
        ok = vela::CatalogGenerator::BuildSample(args[1], &error);
    } else if ((args.size() == 3 || args.size() == 5) && args[0] == QLatin1String("synthetic")) {
        bool countOk = false;
        const qint64 count = args[1].toLongLong(&countOk);
        uint64_t seed = 7;
        if (args.size() == 5) {
            bool seedOk = false;
            seed = args[4].toULongLong(&seedOk);
            if (args[3] != QLatin1String("--seed") || !seedOk) {
                return Usage();
            }
        }
        if (!countOk || count < 0 || count > 10000000) {
            return Usage();
        }
        ok = vela::CatalogGenerator::BuildSynthetic(args[2], count, seed, &error);
    } else {
        return Usage();
    }
    if (!ok) {
        QTextStream(stderr) << "plaza-catalog: " << error << '\n';
        return 1;
    }
    return 0;
}
