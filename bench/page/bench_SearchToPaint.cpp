// What a user waits for on the page, through the real page, service layer and
// catalog, until both result models are filled and the visible card view has
// repainted:
//   - the first page after the window opens on a new backend;
//   - the Return key in the search box, over nine keywords;
//   - a click on the last page of the pager (from the first page each time);
//   - a broad keyword in a leaf with two conditions: the second condition set
//     (the leaf and conditions as bench_catalog_service picks them).
// Prints p50, p95 and max per case as Markdown table rows.
//
//   bench_search_to_paint CATALOG_FOLDER [RUNS]

#include "AppService.h"
#include "BenchCatalog.h"
#include "CatalogSchema.h"
#include "CategoriesTreeModel.h"
#include "CategoriesTreeView.h"
#include "ConditionFiltersPane.h"
#include "Pager.h"
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
#include <QFileInfo>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

using namespace vela;

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

// Waits until `done` holds, turning the event loop.
bool WaitFor(const std::function<bool()>& done)
{
    QElapsedTimer guard;
    guard.start();
    while (!done() && guard.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    }
    return done();
}

// The open window and what a run watches in it: the lists taking a page and
// the card view painting after that.
class PageProbe
{
public:
    explicit PageProbe(const QString& folder)
    {
        CatalogBackend::Install(std::make_shared<SqliteCatalogBackend>(folder));
        PlazaMainWindow::Initialize();
        Window = PlazaMainWindow::Get();
        Cards = Window->findChild<PlazaPublicComponentsCardListView*>();
        Table = Window->findChild<PlazaPublicComponentsTableView*>();
        Search = Window->findChild<SearchTextBox*>(QStringLiteral("SearchLineEdit"));
        Tree = Window->findChild<CategoriesTreeView*>();
        Filters = Window->findChild<ConditionFiltersPane*>();
        Paging = Window->findChild<Pager*>();
        QWidget* viewport = Window->findChild<QListView*>(QStringLiteral("PlazaPublicComponentsCardListView"))->viewport();
        viewport->installEventFilter(&m_counter);
        QObject::connect(Table->Model(), &PlazaPublicComponentsTableModel::TableUpdated, Window,
                         [this] { ++m_tableUpdates; });
        QObject::connect(Cards->Model(), &PlazaPublicComponentsCardListModel::ListUpdated, Window, [this] {
            ++m_cardUpdates;
            m_paintsAtUpdate = m_counter.Paints;
        });
    }

    ~PageProbe()
    {
        PlazaMainWindow::Destroy();
        CatalogBackend::Install(nullptr);
    }

    // Milliseconds from `act` to the next page in both lists and painted; -1 when it never came.
    double Measure(const std::function<void()>& act)
    {
        const int tableBefore = m_tableUpdates;
        const int cardBefore = m_cardUpdates;
        QElapsedTimer timer;
        timer.start();
        act();
        const bool filled = WaitFor([&] {
            return m_tableUpdates > tableBefore && m_cardUpdates > cardBefore && m_counter.Paints > m_paintsAtUpdate;
        });
        return filled ? timer.nsecsElapsed() / 1e6 : -1;
    }

    // Lets the answers still on their way (the tree) come in before the next run.
    void Settle()
    {
        QElapsedTimer quiet;
        quiet.start();
        while (quiet.elapsed() < 30) {
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
        }
    }

    // The pager's button for `page`, as a user sees it.
    QPushButton* PageButton(unsigned long long page) const
    {
        for (QPushButton* button : Paging->findChildren<QPushButton*>()) {
            if (button->isVisible() && button->text() == QString::number(page)) {
                return button;
            }
        }
        return nullptr;
    }

    void ClickPage(unsigned long long page)
    {
        if (QPushButton* button = PageButton(page)) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            emit Paging->CurrentPageChanged(page);
        }
    }

    bool ClickCategory(const std::wstring& code)
    {
        Tree->ExpandToCategory(code);
        const QModelIndex index = Tree->Model()->IndexOfCode(code);
        if (!index.isValid()) {
            return false;
        }
        Tree->scrollTo(index);
        QTest::mouseClick(Tree->viewport(), Qt::LeftButton, Qt::NoModifier, Tree->visualRect(index).center());
        return true;
    }

    PlazaMainWindow* Window = nullptr;
    PlazaPublicComponentsCardListView* Cards = nullptr;
    PlazaPublicComponentsTableView* Table = nullptr;
    SearchTextBox* Search = nullptr;
    CategoriesTreeView* Tree = nullptr;
    ConditionFiltersPane* Filters = nullptr;
    Pager* Paging = nullptr;

private:
    PaintCounter m_counter;
    int m_tableUpdates = 0;
    int m_cardUpdates = 0;
    // Paints counted when the card list took its page: the repaint comes after.
    int m_paintsAtUpdate = 0;
};

// `shown`: what the page showed after the last run, as the pager tells it.
void Report(const QString& folder, const char* label, const std::vector<double>& times, const Pager* shown)
{
    // Matches, and the page the pager stands on.
    std::printf("| %s | %s | %llu, page %llu | %zu | %.1f | %.1f | %.1f |\n", qPrintable(QFileInfo(folder).fileName()),
                label, shown->Total(), shown->CurrentPage(), times.size(), Percentile(times, 0.5), Percentile(times, 0.95),
                *std::max_element(times.begin(), times.end()));
    std::fflush(stdout);
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
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 40;
    bench::BenchCatalog catalog;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-facts"));
        db.setDatabaseName(folder + QLatin1Char('/') + CatalogSchema::FileName());
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open() || !catalog.Read(db)) {
            std::fprintf(stderr, "cannot read %s: %s\n", argv[1], qPrintable(catalog.Error()));
            return 1;
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-facts"));
    AppService appService(L"bench", L"1.0", Product::Sorn);
    AppService::Install(&appService);
    std::printf("| catalog | case | matches | runs | p50 ms | p95 ms | max ms |\n|---|---|---:|---:|---:|---:|---:|\n");

    // The first page after start: a new backend and a new window each time.
    std::vector<double> first;
    for (int run = 0; run < std::min(runs, 10); ++run) {
        PageProbe probe(folder);
        const bool last = run + 1 == std::min(runs, 10);
        const double ms = probe.Measure([&] { probe.Window->show(); });
        if (ms < 0) {
            std::fprintf(stderr, "the first page never arrived\n");
            return 1;
        }
        first.push_back(ms);
        probe.Settle();
        if (last) {
            Report(folder, "first page after start", first, probe.Paging);
        }
    }

    PageProbe probe(folder);
    probe.Window->show();
    if (probe.Measure([] {}) < 0 && probe.Cards->Model()->rowCount() == 0) {
        std::fprintf(stderr, "the first page never arrived\n");
        return 1;
    }
    probe.Settle();

    const auto measure = [&](const char* label, const std::function<void(int)>& prepare,
                             const std::function<void(int)>& act) {
        std::vector<double> times;
        for (int run = 0; run < runs; ++run) {
            prepare(run);
            const double ms = probe.Measure([&] { act(run); });
            if (ms < 0) {
                std::fprintf(stderr, "%s: run %d did not finish\n", label, run);
                return false;
            }
            times.push_back(ms);
            probe.Settle();
        }
        Report(folder, label, times, probe.Paging);
        return true;
    };
    const auto search = [&](const QStringList& keywords) {
        return [&probe, keywords](int run) {
            probe.Search->setText(keywords[run % keywords.size()]);
            QTest::keyClick(probe.Search, Qt::Key_Return);
        };
    };
    const auto nothing = [](int) {};

    const QStringList keywords = {QStringLiteral("门"),   QStringLiteral("窗"),   QStringLiteral("平开"),
                                  QStringLiteral("阀门"), QStringLiteral("钢"),   QStringLiteral("灯"),
                                  QStringLiteral("管"),   QStringLiteral("防火"), QStringLiteral("Low")};
    if (!measure("Return, nine keywords", nothing, search(keywords))) {
        return 1;
    }

    // The whole library, from its first page to its last.
    probe.Search->clear();
    probe.Measure([&] { QTest::keyClick(probe.Search, Qt::Key_Return); });
    probe.Settle();
    const auto toFirstPage = [&](int) {
        if (probe.Paging->CurrentPage() != 1) {
            probe.Measure([&] { probe.ClickPage(1); });
            probe.Settle();
        }
    };
    if (!measure("click the last page (whole library)", toFirstPage,
                 [&](int) { probe.ClickPage(probe.Paging->PageCount()); })) {
        return 1;
    }

    // A broad keyword, into the leaf (a search starts from the root and drops
    // conditions, a category click keeps the keyword), the first condition,
    // then the one measured: the second condition, as the filters report it.
    const bench::BenchCondition& choice = catalog.Conditions[0];
    const bench::BenchCondition& range = catalog.Conditions[1];
    EnumerableConditionFilterItem enumerable;
    enumerable.SetName(choice.PropertyName);
    enumerable.Tag = QString::fromStdWString(choice.Option->Code());
    RangeBasedConditionFilterItem between;
    between.SetName(range.PropertyName);
    between.Tag = QString::fromStdWString(range.Option->Code());
    // Whole numbers come from the filter as int.
    const auto typed = [](const QVariant& value) {
        const double number = value.toDouble();
        return number == std::floor(number) ? QVariant(int(number)) : QVariant(number);
    };
    const QStringList broad = {QStringLiteral("a"), QStringLiteral("门"), QStringLiteral("平开")};
    bool ready = true;
    const auto intoLeaf = [&](int run) {
        probe.Measure([&] { search(broad)(run); });
        probe.Settle();
        ready = probe.Measure([&] { ready = probe.ClickCategory(catalog.Leaf.Code.toStdWString()); }) >= 0 && ready;
        WaitFor([&] { return probe.Filters->isVisible(); });
        probe.Settle();
        probe.Measure([&] {
            emit probe.Filters->EnumerableConditionChanged(enumerable, QString::fromStdWString(choice.Option->Value()));
        });
        probe.Settle();
    };
    const QString label = QStringLiteral("keyword a / 门 / 平开 in %1, %2 set, then %3")
                              .arg(catalog.Leaf.Name, choice.Label, range.Label);
    if (!measure(qPrintable(label), intoLeaf, [&](int) {
            emit probe.Filters->RangeBasedConditionChanged(between, typed(range.Values[0]), typed(range.Values[1]));
        })
        || !ready) {
        std::fprintf(stderr, "the leaf %s could not be opened\n", qPrintable(catalog.Leaf.Code));
        return 1;
    }
    AppService::Install(nullptr);
    return 0;
}
