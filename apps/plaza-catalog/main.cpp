#include "CatalogGenerator.h"

#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

namespace {

const char* UsageText = "usage: plaza-catalog sample FOLDER\n"
                        "       plaza-catalog synthetic COUNT FOLDER [--seed N] [--skew SHARE[:LEAF]]\n"
                        "\n"
                        "  sample     the sample library with its drawn thumbnails, legends and files\n"
                        "  synthetic  COUNT components spread over the sample library's leaves\n"
                        "  --seed N   another catalog of the same size (default 7); the same seed\n"
                        "             always builds the same catalog\n"
                        "  --skew SHARE[:LEAF]\n"
                        "             puts SHARE (0 to 1) of the components into one leaf category,\n"
                        "             A0101 (平开门) unless LEAF gives another leaf code; the rest are\n"
                        "             spread over the other leaves. --skew 0.3 builds the crowded leaf\n"
                        "             of the benchmarks.\n";

int Usage()
{
    QTextStream(stderr) << UsageText;
    return 2;
}

// "0.3" or "0.3:A0101".
bool ParseSkew(const QString& text, vela::CrowdedLeaf& crowding)
{
    const int colon = text.indexOf(QLatin1Char(':'));
    bool ok = false;
    crowding.Share = text.left(colon).toDouble(&ok);
    if (colon >= 0) {
        crowding.LeafCode = text.mid(colon + 1);
    }
    return ok && crowding.Share >= 0 && crowding.Share <= 1 && !crowding.LeafCode.isEmpty();
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
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        QTextStream(stdout) << UsageText;
        return 0;
    }
    QString error;
    bool ok = false;
    if (args.size() == 2 && args[0] == QLatin1String("sample")) {
        ok = vela::CatalogGenerator::BuildSample(args[1], &error);
    } else if (args.size() >= 3 && args.size() % 2 == 1 && args[0] == QLatin1String("synthetic")) {
        bool countOk = false;
        const qint64 count = args[1].toLongLong(&countOk);
        uint64_t seed = 7;
        vela::CrowdedLeaf crowding;
        for (int i = 3; i + 1 < args.size(); i += 2) {
            bool valueOk = false;
            if (args[i] == QLatin1String("--seed")) {
                seed = args[i + 1].toULongLong(&valueOk);
            } else if (args[i] == QLatin1String("--skew")) {
                valueOk = ParseSkew(args[i + 1], crowding);
            }
            if (!valueOk) {
                return Usage();
            }
        }
        if (!countOk || count < 0 || count > 10000000) {
            return Usage();
        }
        ok = vela::CatalogGenerator::BuildSynthetic(args[2], count, seed, &error, crowding);
    } else {
        return Usage();
    }
    if (!ok) {
        QTextStream(stderr) << "plaza-catalog: " << error << '\n';
        return 1;
    }
    return 0;
}
