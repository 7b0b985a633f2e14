#include "LeafPicker.h"
#include "ModelBuilder.h"
#include "ModelRenderer.h"
#include "SampleLibrary.h"

#include <QTest>

using namespace vela;

namespace {

constexpr unsigned Red = 0xd02020;
constexpr unsigned Blue = 0x2040d0;

bool Reddish(QRgb pixel)
{
    return qRed(pixel) > qBlue(pixel) + 40;
}

bool Bluish(QRgb pixel)
{
    return qBlue(pixel) > qRed(pixel) + 40;
}

// Line work, antialiased: any clearly grey pixel that is not the blue of dimensions.
bool Ink(QRgb pixel)
{
    return qGray(pixel) < 200 && !Bluish(pixel);
}

} // namespace

// What the generator draws must show what is in front, fill the picture and
// keep legends readable; its designs must come out the same every time.
class tst_ModelRenderer : public QObject
{
    Q_OBJECT

private slots:
    void nearerSolidsHideFartherOnes_data();
    void nearerSolidsHideFartherOnes();
    void thumbnailsFillThePictureAndLeaveTheCorners();
    void glassShowsWhatIsBehind();
    void planOfAnUprightCylinderIsACircleWithItsSize();
    void anEmptyModelIsJustBackground();
    void sampleDesignsAreRepeatable();
    void crowdedLeafTakesExactlyItsShare();
};

void tst_ModelRenderer::nearerSolidsHideFartherOnes_data()
{
    QTest::addColumn<bool>("redFirst");
    QTest::addColumn<double>("elevation");

    QTest::newRow("front view, red listed first") << true << 0.0;
    QTest::newRow("front view, red listed last") << false << 0.0;
    QTest::newRow("from above, red listed first") << true << 89.0;
    QTest::newRow("from above, red listed last") << false << 89.0;
}

void tst_ModelRenderer::nearerSolidsHideFartherOnes()
{
    QFETCH(bool, redFirst);
    QFETCH(double, elevation);
    // A small red block in front of a large blue one, or lying on top of it
    // when seen from above; either way over the middle of the picture.
    const bool fromAbove = elevation > 45;
    tarn::ComponentFile model;
    ModelBuilder b(model);
    const auto red = [&] {
        fromAbove ? b.Box(QStringLiteral("red"), 400, 400, 1000, 200, 100, 100, Red)
                  : b.Box(QStringLiteral("red"), 400, 0, 400, 200, 100, 200, Red);
    };
    const auto blue = [&] { b.Box(QStringLiteral("blue"), 0, 300, 0, 1000, 300, 1000, Blue); };
    redFirst ? (red(), blue()) : (blue(), red());
    const QImage image = ModelRenderer::Thumbnail(model, 200, {0, elevation});
    const QRgb pixel = image.pixel(100, 100);
    QVERIFY2(Reddish(pixel), qPrintable(QStringLiteral("got #%1").arg(pixel & 0xffffff, 6, 16, QLatin1Char('0'))));
}

void tst_ModelRenderer::thumbnailsFillThePictureAndLeaveTheCorners()
{
    tarn::ComponentFile model;
    ModelBuilder(model).Box(QStringLiteral("block"), 0, 0, 0, 900, 50, 2100, Blue);
    const QImage image = ModelRenderer::Thumbnail(model, 256, {});
    QCOMPARE(image.size(), QSize(256, 256));
    int top = 256;
    int bottom = 0;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            if (Bluish(image.pixel(x, y))) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    QVERIFY(bottom - top > 256 * 0.7);
    QVERIFY(!Bluish(image.pixel(2, 2)));
    QVERIFY(!Bluish(image.pixel(253, 253)));
}

void tst_ModelRenderer::glassShowsWhatIsBehind()
{
    tarn::ComponentFile model;
    ModelBuilder(model)
        .Box(QStringLiteral("wall"), 0, 200, 0, 1000, 100, 1000, Red)
        .Box(QStringLiteral("glass"), 0, 0, 0, 1000, 10, 1000, Blue, 0.45);
    const QRgb pixel = ModelRenderer::Thumbnail(model, 200, {0, 0}).pixel(100, 100);
    QVERIFY(qRed(pixel) > 70);
    QVERIFY(qBlue(pixel) > 70);
}

void tst_ModelRenderer::planOfAnUprightCylinderIsACircleWithItsSize()
{
    tarn::ComponentFile model;
    ModelBuilder(model).Post(QStringLiteral("column"), 0, 0, 0, 300, 3000, Blue);
    const QImage plan = ModelRenderer::Legend(model, ModelRenderer::Projection::Plan, 320, 260);
    QCOMPARE(plan.size(), QSize(320, 260));
    // Hidden-line drawing: white inside, ink on the outline, on the centre line.
    const int cy = 130;
    QCOMPARE(plan.pixel(160, cy), qRgb(255, 255, 255));
    int inkLeft = -1;
    int inkRight = -1;
    for (int x = 0; x < 320; ++x) {
        if (Ink(plan.pixel(x, cy))) {
            inkLeft = inkLeft < 0 ? x : inkLeft;
            inkRight = x;
        }
    }
    QVERIFY(inkLeft > 0);
    // A circle: as wide as it is tall.
    int inkTop = -1;
    int inkBottom = -1;
    const int cx = (inkLeft + inkRight) / 2;
    for (int y = 0; y < 260; ++y) {
        if (Ink(plan.pixel(cx, y))) {
            inkTop = inkTop < 0 ? y : inkTop;
            inkBottom = y;
        }
    }
    QVERIFY(std::abs((inkRight - inkLeft) - (inkBottom - inkTop)) <= 3);
    // The dimension lines are drawn apart from the outline.
    bool dimension = false;
    for (int y = inkBottom + 2; y < 260 && !dimension; ++y) {
        dimension = Bluish(plan.pixel(cx, y));
    }
    QVERIFY(dimension);
}

void tst_ModelRenderer::anEmptyModelIsJustBackground()
{
    const tarn::ComponentFile empty;
    const QImage image = ModelRenderer::Thumbnail(empty, 64, {});
    QCOMPARE(image.size(), QSize(64, 64));
    QCOMPARE(image.pixel(10, 32), image.pixel(54, 32));
    const QImage legend = ModelRenderer::Legend(empty, ModelRenderer::Projection::Front, 100, 80);
    QCOMPARE(legend.pixel(50, 40), qRgb(255, 255, 255));
}

void tst_ModelRenderer::sampleDesignsAreRepeatable()
{
    const SampleLibrary library;
    QVERIFY(library.ComponentCount() >= 300);
    for (const SampleLibrary::Leaf& leaf : library.Leaves()) {
        Random first(99);
        Random second(99);
        const ComponentDesign a = library.Design(leaf, first, 1);
        const ComponentDesign b = library.Design(leaf, second, 1);
        QCOMPARE(a.Name, b.Name);
        QCOMPARE(a.Model.ToJson(), b.Model.ToJson());
        // Every design fills the leaf's four properties under their full codes.
        QCOMPARE(a.Values.size(), 4);
        for (const auto& value : a.Values) {
            QVERIFY2(value.first.startsWith(leaf.Code + QLatin1Char('.')), qPrintable(value.first));
        }
    }
}

// Given a share for one leaf, that leaf holds exactly the share and no drawn
// extras, the others still get components, and the sequence repeats per seed.
void tst_ModelRenderer::crowdedLeafTakesExactlyItsShare()
{
    const QVector<int> weights = {3, 1, 2};
    const auto pick = [&](int crowded, double share) {
        LeafPicker picker(weights, 1000, crowded, share);
        Random random(5);
        QVector<int> leaves;
        for (int i = 0; i < 1000; ++i) {
            leaves.append(picker.Next(random));
        }
        return leaves;
    };
    const QVector<int> crowded = pick(1, 0.3);
    QCOMPARE(crowded.count(1), 300);
    QVERIFY(crowded.count(0) > 300 && crowded.count(2) > 150);
    QCOMPARE(pick(1, 0.3), crowded);
    // Without a share the leaf gets only what its weight draws.
    QVERIFY(pick(-1, 0).count(1) < 250);
}

QTEST_MAIN(tst_ModelRenderer)
#include "tst_ModelRenderer.moc"
