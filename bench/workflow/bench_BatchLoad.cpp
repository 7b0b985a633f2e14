// Batch loading of generated components from a local catalog into a document
// shown in the demo host's document view: wall time, memory, and the longest
// stall of the user-interface thread.
//
//   bench_workflow_batch [--multi] [count...]     (default: 20 100 500)

#include "BatchWorkflow.h"
#include "ComponentFileCatalog.h"
#include "Document.h"
#include "DocumentService.h"
#include "DocumentView.h"
#include "LoadFromPublicIntoDocumentWorkflow.h"
#include "LoadMultiFromPublicIntoDocumentWorkflow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace vela;

namespace {

// Kilobytes of a field of /proc/self/status ("VmRSS", "VmHWM").
long StatusKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field)) {
            return line.mid(static_cast<int>(qstrlen(field)) + 1).simplified().split(' ').value(0).toLong();
        }
    }
    return -1;
}

// Measures the longest gap between ticks of a 1 ms timer.
class StallMeter : public QObject
{
public:
    StallMeter()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            m_longestNs = std::max(m_longestNs, m_clock.nsecsElapsed());
            m_clock.restart();
        });
    }
    void Start()
    {
        m_longestNs = 0;
        m_clock.start();
        m_timer.start();
    }
    double StopMs()
    {
        m_timer.stop();
        return m_longestNs / 1e6;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longestNs = 0;
};

void Run(int count, bool multi, const QString& folder)
{
    auto catalog = std::make_shared<test::ComponentFileCatalog>(folder);
    std::vector<PublicComponentWorkflowArgument> arguments;
    for (int i = 0; i < count; ++i) {
        const std::wstring id = QStringLiteral("C%1").arg(i, 5, 10, QLatin1Char('0')).toStdWString();
        catalog->AddComponent(id, QStringLiteral("构件%1").arg(i),
                              {QStringLiteral("标准"), QStringLiteral("加宽"), QStringLiteral("加高")}, 600 + i % 7 * 100);
        IComponent component;
        component.Id = id;
        arguments.emplace_back(component, L"1.0", tarn::RuntimeId::InvalidID, nullptr);
    }
    CatalogBackend::Install(catalog);

    tarn::Document document(L"基准文档");
    DocumentService::Get()->SetCurrentDocument(&document);
    for (PublicComponentWorkflowArgument& argument : arguments) {
        argument.DocumentId = multi ? tarn::RuntimeId::InvalidID : document.GetRuntimeId();
    }
    plazahost::DocumentView view;
    view.resize(600, 800);
    view.SetDocument(&document);
    view.show();

    const long rssBefore = StatusKb("VmRSS:");
    WorkflowBase* workflow = nullptr;
    if (multi) {
        workflow = LoadMultiFromPublicIntoDocumentWorkflow::Create(arguments, nullptr);
    } else {
        workflow = new BatchWorkflow<LoadFromPublicIntoDocumentWorkflow, PublicComponentWorkflowArgument>(arguments, nullptr);
    }
    bool success = false;
    QString message;
    QEventLoop loop;
    QObject::connect(workflow, &WorkflowBase::Finished, &loop, [&](bool ok, const std::wstring& text) {
        success = ok;
        message = QString::fromStdWString(text);
        loop.quit();
    });
    StallMeter stalls;
    QElapsedTimer clock;
    clock.start();
    stalls.Start();
    workflow->Proceed(true);
    loop.exec();
    const double elapsedMs = clock.nsecsElapsed() / 1e6;
    // The view's last refresh belongs to the batch as the user sees it.
    QTimer::singleShot(100, &loop, &QEventLoop::quit);
    loop.exec();
    const double longestStallMs = stalls.StopMs();

    std::printf("%-6s %4d components: %s%s, %8.1f ms (%6.2f ms each), longest UI stall %6.1f ms, "
                "families %zu, RSS +%ld kB, peak RSS %ld kB\n",
                multi ? "multi" : "batch", count, success ? "ok" : "FAILED ", qPrintable(message), elapsedMs,
                elapsedMs / count, longestStallMs, document.Families().size(), StatusKb("VmRSS:") - rssBefore,
                StatusKb("VmHWM:"));
    std::fflush(stdout);
    DocumentService::Get()->SetCurrentDocument(nullptr);
    CatalogBackend::Install(nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    // Downloads land in a throw-away cache, and no display is needed.
    QTemporaryDir home;
    qputenv("XDG_CACHE_HOME", home.filePath(QStringLiteral("cache")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);

    bool multi = false;
    QList<int> counts;
    for (const QString& argument : app.arguments().mid(1)) {
        if (argument == QLatin1String("--multi")) {
            multi = true;
        } else if (argument.toInt() > 0) {
            counts << argument.toInt();
        }
    }
    if (counts.isEmpty()) {
        counts = {20, 100, 500};
    }
    for (int count : counts) {
        QTemporaryDir catalogFolder;
        Run(count, multi, catalogFolder.path());
    }
    return 0;
}
