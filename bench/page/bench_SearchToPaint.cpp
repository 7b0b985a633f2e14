// From the Return key in the search box to both result models filled and the
// visible card view repainted, through the real page, service layer and
// catalog. Prints p50 and p95 over the runs.
//
//   bench_search_to_paint CATALOG_FOLDER [RUNS]

#include "AppService.h"
#include "PlazaMainWindow.h"
#include "PlazaPublicComponentsCardListModel.h"
#include "PlazaPublicComponentsCardListView.h"
#include "PlazaPublicComponentsTableModel.h"
#include "PlazaPublicComponentsTableView.h"
#include "SearchTextBox.h"
#include "SqliteCatalogBackend.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QListView>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Counts paint events of the watched viewport.
class PaintCounter : public QObject
{
public:
    int Paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++Paints;
        }
        return QObject::eventFilter(watched, event);
    }
};

double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, static_cast<size_t>(fraction * (values.size() - 1) + 0.5));
    return values[index];
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_search_to_paint CATALOG_FOLDER [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 40;
    vela::CatalogBackend::Install(std::make_shared<vela::SqliteCatalogBackend>(QString::fromLocal8Bit(argv[1])));
    vela::AppService appService(L"bench", L"1.0", vela::Product::Sorn);
    vela::AppService::Install(&appService);

    vela::PlazaMainWindow::Initialize();
    vela::PlazaMainWindow* window = vela::PlazaMainWindow::Get();
    auto* cards = window->findChild<vela::PlazaPublicComponentsCardListView*>();
    auto* table = window->findChild<vela::PlazaPublicComponentsTableView*>();
    auto* viewport = window->findChild<QListView*>(QStringLiteral("PlazaPublicComponentsCardListView"))->viewport();
    auto* search = window->findChild<vela::SearchTextBox*>(QStringLiteral("SearchLineEdit"));
    PaintCounter counter;
    viewport->installEventFilter(&counter);

    int tableUpdates = 0;
    int cardUpdates = 0;
    // Paints counted when the card list took its page: the repaint comes after.
    int paintsAtUpdate = 0;
    QObject::connect(table->Model(), &vela::PlazaPublicComponentsTableModel::TableUpdated, [&] { ++tableUpdates; });
    QObject::connect(cards->Model(), &vela::PlazaPublicComponentsCardListModel::ListUpdated, [&] {
        ++cardUpdates;
        paintsAtUpdate = counter.Paints;
    });

    // Waits until `done` holds, turning the event loop.
    const auto waitFor = [](const std::function<bool()>& done) {
        QElapsedTimer guard;
        guard.start();
        while (!done() && guard.elapsed() < 30000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
        }
        return done();
    };

    window->show();
    if (!waitFor([&] { return cardUpdates > 0; })) {
        std::fprintf(stderr, "the first page never arrived\n");
        return 1;
    }

    const QStringList keywords = {QStringLiteral("门"),   QStringLiteral("窗"),   QStringLiteral("平开"),
                                  QStringLiteral("阀门"), QStringLiteral("钢"),   QStringLiteral("灯"),
                                  QStringLiteral("管"),   QStringLiteral("防火"), QStringLiteral("Low")};
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        search->setText(keywords[run % keywords.size()]);
        const int tableBefore = tableUpdates;
        const int cardBefore = cardUpdates;
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(search, Qt::Key_Return);
        const bool filled = waitFor([&] {
            return tableUpdates > tableBefore && cardUpdates > cardBefore && counter.Paints > paintsAtUpdate;
        });
        const double ms = timer.nsecsElapsed() / 1e6;
        if (!filled) {
            std::fprintf(stderr, "run %d did not finish\n", run);
            return 1;
        }
        times.push_back(ms);
    }
    std::printf("catalog %s, %d runs: p50 %.1f ms, p95 %.1f ms, max %.1f ms\n", argv[1], runs,
                Percentile(times, 0.5), Percentile(times, 0.95), *std::max_element(times.begin(), times.end()));
    vela::PlazaMainWindow::Destroy();
    vela::CatalogBackend::Install(nullptr);
    vela::AppService::Install(nullptr);
    return 0;
}
