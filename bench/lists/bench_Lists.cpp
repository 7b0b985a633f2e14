// A full repaint of one page (20 cards, 20 table rows, thumbnails on disk) by the
// module's views and by Qt's plain views showing the same names and pictures,
// and the time to hand a page to each model.

#include "AppService.h"
#include "PathUtils.h"
#include "PlazaPublicComponentsCardListModel.h"
#include "PlazaPublicComponentsCardListView.h"
#include "PlazaPublicComponentsTableModel.h"
#include "PlazaPublicComponentsTableView.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QListView>
#include <QPainter>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>

#include <memory>
#include <vector>

using namespace vela;

namespace {

constexpr int PageSize = 20;
constexpr int ThumbnailSide = 256;
// Room for 5 x 4 cards and for 20 rows of 48 pixels under a 24-pixel header.
const QSize CardViewSize(5 * (128 + 13) + 13 + 10, 24 + 4 * (136 + 13) + 13);
const QSize TableViewSize(800, 24 + PageSize * 48 + 2);

using Page = std::vector<std::shared_ptr<IComponent>>;

Page& SamplePage()
{
    static Page page;
    return page;
}

QString ThumbnailFile(const IComponent& component)
{
    return QString::fromStdWString(PathUtils::GetThumbnailDownloadFilePath(component.ThumbnailUrl, L".png"));
}

// Twenty components whose thumbnails are already in the cache, as after a first visit.
void MakeSamplePage()
{
    for (int i = 0; i < PageSize; ++i) {
        auto component = std::make_shared<IComponent>();
        component->Id = L"bench-" + std::to_wstring(i);
        component->Name = L"构件 " + std::to_wstring(i);
        component->ThumbnailUrl = L"http://thumbnails.invalid/" + std::to_wstring(i) + L".png";
        QImage image(ThumbnailSide, ThumbnailSide, QImage::Format_ARGB32);
        image.fill(QColor::fromHsv(i * 17 % 360, 120, 230));
        QPainter painter(&image);
        painter.setBrush(Qt::darkGray);
        painter.drawEllipse(image.rect().adjusted(40, 40, -40, -40));
        painter.end();
        image.save(ThumbnailFile(*component));
        SamplePage().push_back(component);
    }
}

// Renders the viewport as a repaint would, into an image made once.
void Repaint(benchmark::State& state, QWidget* viewport)
{
    QImage target(viewport->size(), QImage::Format_ARGB32_Premultiplied);
    QApplication::processEvents();
    for (auto _ : state) {
        viewport->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}

void CardsRepaint(benchmark::State& state)
{
    PlazaPublicComponentsCardListView view(nullptr);
    view.resize(CardViewSize);
    view.Model()->SetComponents(SamplePage());
    view.show();
    Repaint(state, view.findChild<QListView*>()->viewport());
}

void PlainIconListRepaint(benchmark::State& state)
{
    QStandardItemModel model;
    for (const auto& component : SamplePage()) {
        model.appendRow(new QStandardItem(QIcon(ThumbnailFile(*component)), QString::fromStdWString(component->Name)));
    }
    QListView view;
    view.setViewMode(QListView::IconMode);
    view.setResizeMode(QListView::Adjust);
    view.setSpacing(13);
    view.setIconSize(QSize(96, 96));
    view.setGridSize(QSize(128, 136));
    view.setModel(&model);
    view.resize(CardViewSize - QSize(0, 24));
    view.show();
    Repaint(state, view.viewport());
}

void TableRepaint(benchmark::State& state)
{
    PlazaPublicComponentsTableView view(nullptr);
    view.resize(TableViewSize);
    view.Model()->SetComponents(SamplePage());
    view.show();
    Repaint(state, view.viewport());
}

void PlainTableRepaint(benchmark::State& state)
{
    QStandardItemModel model(0, 4);
    for (const auto& component : SamplePage()) {
        auto* check = new QStandardItem();
        check->setCheckable(true);
        auto* name = new QStandardItem(QIcon(ThumbnailFile(*component)), QString::fromStdWString(component->Name));
        model.appendRow({check, name, new QStandardItem(QStringLiteral("载入")), new QStandardItem(QStringLiteral("布置"))});
    }
    QTableView view;
    view.setModel(&model);
    view.setIconSize(QSize(38, 38));
    view.verticalHeader()->hide();
    view.verticalHeader()->setDefaultSectionSize(48);
    view.horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    view.resize(TableViewSize);
    view.show();
    Repaint(state, view.viewport());
}

void TableSetComponents(benchmark::State& state)
{
    PlazaPublicComponentsTableView view(nullptr);
    view.resize(TableViewSize);
    view.show();
    for (auto _ : state) {
        view.Model()->SetComponents(SamplePage());
    }
}

void CardsSetComponents(benchmark::State& state)
{
    PlazaPublicComponentsCardListView view(nullptr);
    view.resize(CardViewSize);
    view.show();
    for (auto _ : state) {
        view.Model()->SetComponents(SamplePage());
    }
}

// A new page as the user gets it: the rows replaced, laid out and painted.
template <class View>
void NewPageShown(benchmark::State& state, View& view, QWidget* viewport)
{
    view.show();
    QImage target(viewport->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        view.Model()->SetComponents(SamplePage());
        QApplication::processEvents(); // the views lay out a new page on their next turn of the loop
        viewport->render(&target);
    }
}

void TableNewPageShown(benchmark::State& state)
{
    PlazaPublicComponentsTableView view(nullptr);
    view.resize(TableViewSize);
    NewPageShown(state, view, view.viewport());
}

void CardsNewPageShown(benchmark::State& state)
{
    PlazaPublicComponentsCardListView view(nullptr);
    view.resize(CardViewSize);
    NewPageShown(state, view, view.findChild<QListView*>()->viewport());
}

void PlainTableSetItems(benchmark::State& state)
{
    QStandardItemModel model(0, 4);
    QTableView view;
    view.setModel(&model);
    view.resize(TableViewSize);
    view.show();
    for (auto _ : state) {
        model.removeRows(0, model.rowCount());
        for (const auto& component : SamplePage()) {
            auto* check = new QStandardItem();
            check->setCheckable(true);
            model.appendRow({check, new QStandardItem(QString::fromStdWString(component->Name)),
                new QStandardItem(QStringLiteral("载入")), new QStandardItem(QStringLiteral("布置"))});
        }
    }
}

} // namespace

BENCHMARK(CardsRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainIconListRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(TableRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainTableRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(TableSetComponents)->Unit(benchmark::kMicrosecond);
BENCHMARK(CardsSetComponents)->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainTableSetItems)->Unit(benchmark::kMicrosecond);
BENCHMARK(TableNewPageShown)->Unit(benchmark::kMicrosecond);
BENCHMARK(CardsNewPageShown)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Thumbnails go to a cache of their own, removed afterwards.
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    // A host with both operations, so the table paints its load and place texts.
    AppService service(L"bench", L"1.0", Product::Sorn);
    AppService::Install(&service);
    MakeSamplePage();
    benchmark::RunSpecifiedBenchmarks();
    SamplePage().clear();
    return 0;
}
