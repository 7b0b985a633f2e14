#include "CatalogGenerator.h"

#include "CatalogSchema.h"
#include "CatalogWriter.h"
#include "LeafPicker.h"
#include "SampleLibrary.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace vela {

namespace {

constexpr int ThumbnailSize = 256;
constexpr int SmallThumbnailSize = 64;
constexpr int LegendWidth = 320;
constexpr int LegendHeight = 260;

// One sample component with where its files are.
struct SampleEntry
{
    QString Id;
    int Leaf = 0;
    ComponentDesign Design;
    CatalogWriter::Detail Detail;
    QString Thumbnail;
    QString File;
};

// A seed of its own for every component, so that one recipe changing does
// not reshuffle the rest of the library.
uint64_t ComponentSeed(uint64_t seed, const QString& leaf, int index)
{
    uint64_t hash = 1469598103934665603ull ^ seed;
    for (const QChar c : leaf) {
        hash = (hash ^ c.unicode()) * 1099511628211ull;
    }
    hash = (hash ^ uint64_t(index)) * 1099511628211ull;
    return hash;
}

void Report(const QString& text)
{
    QTextStream(stderr) << text << Qt::endl;
}

bool PrepareFolder(const QString& folder, QString* error)
{
    QDir files(folder + QStringLiteral("/files"));
    if (files.exists() && !files.removeRecursively()) {
        *error = QStringLiteral("cannot clear %1").arg(files.path());
        return false;
    }
    for (const char* sub : {"files/thumbnails", "files/legends", "files/components"}) {
        if (!QDir().mkpath(folder + QLatin1Char('/') + QLatin1String(sub))) {
            *error = QStringLiteral("cannot create %1/%2").arg(folder, QLatin1String(sub));
            return false;
        }
    }
    return true;
}

// Draws and writes the files of one component.
bool WriteFiles(const QString& folder, const SampleEntry& entry, QString* error)
{
    const ModelRenderer::View front = entry.Design.View;
    const ModelRenderer::View other{-front.Azimuth, std::min(60.0, front.Elevation + 10)};
    const QImage a = ModelRenderer::Thumbnail(entry.Design.Model, ThumbnailSize, front);
    const QImage b = ModelRenderer::Thumbnail(entry.Design.Model, ThumbnailSize, other);
    const QImage small = a.scaled(SmallThumbnailSize, SmallThumbnailSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QString base = folder + QLatin1Char('/');
    const QStringList thumbnails256 = entry.Detail.Thumbnails.value(QStringLiteral("256"));
    const QStringList thumbnails64 = entry.Detail.Thumbnails.value(QStringLiteral("64"));
    bool ok = a.save(base + thumbnails256[0]) && b.save(base + thumbnails256[1]) && small.save(base + thumbnails64[0]);
    const ModelRenderer::Projection projections[] = {ModelRenderer::Projection::Plan, ModelRenderer::Projection::Front,
                                                     ModelRenderer::Projection::Side};
    for (int i = 0; ok && i < entry.Detail.Legends.size(); ++i) {
        ok = ModelRenderer::Legend(entry.Design.Model, projections[i], LegendWidth, LegendHeight)
                 .save(base + entry.Detail.Legends[i].Url);
    }
    if (!ok) {
        *error = QStringLiteral("cannot write the images of %1").arg(entry.Id);
        return false;
    }
    return entry.Design.Model.Write(base + entry.File, error);
}

// Designs every sample component and writes its files, on a few threads.
bool WriteSample(const QString& folder, const SampleLibrary& library, QVector<SampleEntry>& entries, QString* error)
{
    if (!PrepareFolder(folder, error)) {
        return false;
    }
    const QVector<SampleLibrary::Leaf>& leaves = library.Leaves();
    int number = 0;
    for (int leaf = 0; leaf < leaves.size(); ++leaf) {
        for (int index = 0; index < leaves[leaf].Count; ++index) {
            SampleEntry entry;
            entry.Id = QStringLiteral("GJ%1").arg(100001 + number++);
            entry.Leaf = leaf;
            Random random(ComponentSeed(CatalogGenerator::SampleSeed, leaves[leaf].Code, index));
            entry.Design = library.Design(leaves[leaf], random, index);
            const QString stem = QStringLiteral("files/thumbnails/") + entry.Id;
            entry.Thumbnail = stem + QStringLiteral("_a.png");
            entry.File = QStringLiteral("files/components/%1.json").arg(entry.Id);
            entry.Detail.Thumbnails.insert(QStringLiteral("256"), {entry.Thumbnail, stem + QStringLiteral("_b.png")});
            entry.Detail.Thumbnails.insert(QStringLiteral("64"), {stem + QStringLiteral("_s.png")});
            entry.Detail.Legends = {{QStringLiteral("平面图"), QStringLiteral("files/legends/%1_plan.png").arg(entry.Id)},
                                    {QStringLiteral("立面图"), QStringLiteral("files/legends/%1_front.png").arg(entry.Id)}};
            if (index % 2 == 0) {
                entry.Detail.Legends.append(
                    {QStringLiteral("侧立面图"), QStringLiteral("files/legends/%1_side.png").arg(entry.Id)});
            }
            entry.Detail.Specifications = entry.Design.Specifications;
            entries.append(entry);
        }
    }

    const int workers = std::max(1, std::min(4, QThread::idealThreadCount()));
    std::atomic<int> next{0};
    std::mutex failure;
    QString firstError;
    std::vector<std::thread> threads;
    for (int w = 0; w < workers; ++w) {
        threads.emplace_back([&] {
            for (int i = next++; i < entries.size(); i = next++) {
                QString message;
                if (!WriteFiles(folder, entries[i], &message)) {
                    std::lock_guard<std::mutex> lock(failure);
                    if (firstError.isEmpty()) {
                        firstError = message;
                    }
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    if (!firstError.isEmpty()) {
        *error = firstError;
        return false;
    }
    return true;
}

bool StartCatalog(CatalogWriter& writer, const SampleLibrary& library, QString* error)
{
    if (!writer.Open(error)) {
        return false;
    }
    for (const CatalogWriter::Property& property : library.Properties()) {
        if (!writer.AddProperty(property)) {
            *error = writer.LastError();
            return false;
        }
    }
    for (const CatalogWriter::Category& category : library.Categories()) {
        if (!writer.AddCategory(category)) {
            *error = writer.LastError();
            return false;
        }
    }
    return true;
}

// A maker's model code: letters from the shop, then the serial in base 36.
QString ModelCode(const QString& shopId, qint64 serial)
{
    static const char* prefixes[] = {"HJ", "ZT", "QS", "AG", "ZJ", "HD", "HS", "MG", "AJ", "JY", "BY", "RF"};
    const int shop = shopId.right(2).toInt();
    return QStringLiteral("%1-%2").arg(QLatin1String(prefixes[shop % 12]),
                                       QString::number(serial, 36).toUpper().rightJustified(5, QLatin1Char('0')));
}

} // namespace

bool CatalogGenerator::BuildSample(const QString& folder, QString* error)
{
    QElapsedTimer timer;
    timer.start();
    const SampleLibrary library;
    QVector<SampleEntry> entries;
    if (!WriteSample(folder, library, entries, error)) {
        return false;
    }
    CatalogWriter writer(folder + QLatin1Char('/') + CatalogSchema::FileName());
    if (!StartCatalog(writer, library, error)) {
        return false;
    }
    for (const SampleEntry& entry : entries) {
        CatalogWriter::Component component;
        component.Id = entry.Id;
        component.Name = entry.Design.Name;
        component.CategoryCode = library.Leaves()[entry.Leaf].Code;
        component.ShopId = entry.Design.ShopId;
        component.Thumbnail = entry.Thumbnail;
        component.File = entry.File;
        component.Detail = writer.AddDetail(entry.Detail);
        component.Values = entry.Design.Values;
        if (component.Detail < 0 || !writer.AddComponent(component)) {
            *error = writer.LastError();
            return false;
        }
    }
    if (!writer.Finish(error)) {
        return false;
    }
    Report(QStringLiteral("sample catalog: %1 components in %2 ms").arg(entries.size()).arg(timer.elapsed()));
    return true;
}

bool CatalogGenerator::BuildSynthetic(const QString& folder, qint64 count, uint64_t seed, QString* error,
                                      const CrowdedLeaf& crowding)
{
    QElapsedTimer timer;
    timer.start();
    const SampleLibrary library;
    const QVector<SampleLibrary::Leaf>& leaves = library.Leaves();
    int crowdedLeaf = -1;
    if (crowding.Share > 0) {
        const auto found = std::find_if(leaves.begin(), leaves.end(),
                                        [&](const SampleLibrary::Leaf& leaf) { return leaf.Code == crowding.LeafCode; });
        if (found == leaves.end() || crowding.Share > 1) {
            *error = found == leaves.end() ? QStringLiteral("no leaf category %1").arg(crowding.LeafCode)
                                           : QStringLiteral("a share is at most 1");
            return false;
        }
        crowdedLeaf = int(found - leaves.begin());
    }
    QVector<SampleEntry> entries;
    if (!WriteSample(folder, library, entries, error)) {
        return false;
    }
    CatalogWriter writer(folder + QLatin1Char('/') + CatalogSchema::FileName());
    if (!StartCatalog(writer, library, error)) {
        return false;
    }
    // Synthetic components borrow the drawn files and details of a sample
    // component of their leaf.
    QVector<QVector<int>> samplesOfLeaf(leaves.size());
    QVector<qint64> details(entries.size());
    for (int i = 0; i < entries.size(); ++i) {
        samplesOfLeaf[entries[i].Leaf].append(i);
        details[i] = writer.AddDetail(entries[i].Detail);
    }
    QVector<int> weights;
    for (const SampleLibrary::Leaf& leaf : leaves) {
        weights.append(leaf.Count);
    }
    LeafPicker picker(weights, count, crowdedLeaf, crowding.Share);
    Random random(seed);
    for (qint64 n = 0; n < count; ++n) {
        const int leaf = picker.Next(random);
        const int index = random.Int(0, leaves[leaf].Count - 1);
        Random own(random.Next());
        const ComponentDesign design = library.Design(leaves[leaf], own, index);
        const SampleEntry& sample = entries[samplesOfLeaf[leaf][index % samplesOfLeaf[leaf].size()]];

        CatalogWriter::Component component;
        component.Id = QStringLiteral("SY%1").arg(n + 1, 8, 10, QLatin1Char('0'));
        component.Name = design.Name + QLatin1Char(' ') + ModelCode(design.ShopId, n);
        component.CategoryCode = leaves[leaf].Code;
        component.ShopId = design.ShopId;
        component.Thumbnail = sample.Thumbnail;
        component.File = sample.File;
        component.Detail = details[samplesOfLeaf[leaf][index % samplesOfLeaf[leaf].size()]];
        component.Values = design.Values;
        if (!writer.AddComponent(component)) {
            *error = writer.LastError();
            return false;
        }
        if ((n + 1) % 100000 == 0) {
            Report(QStringLiteral("  %1 components staged (%2 s)").arg(n + 1).arg(timer.elapsed() / 1000));
        }
    }
    if (!writer.Finish(error)) {
        return false;
    }
    if (crowdedLeaf >= 0) {
        Report(QStringLiteral("  %1 of them in %2 %3")
                   .arg(picker.CrowdedCount())
                   .arg(leaves[crowdedLeaf].Code, leaves[crowdedLeaf].Name));
    }
    Report(QStringLiteral("synthetic catalog: %1 components in %2 s").arg(count).arg(timer.elapsed() / 1000.0));
    return true;
}

} // namespace vela
