#include "ComponentFile.h"
#include "MeshRenderer.h"
#include "ModelViewport.h"
#include "Mox3DPreviewer.h"
#include "TriangleMesh.h"

#include <QSemaphore>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

#include <cmath>

using namespace vela;
using File = tarn::ComponentFile;

using Profile = QVector<tarn::ComponentFile::Point2>;
Q_DECLARE_METATYPE(tarn::ComponentFile::Solid)
Q_DECLARE_METATYPE(Profile)
Q_DECLARE_METATYPE(QVector<tarn::ComponentFile::Solid>)

namespace {

File::Solid Solid(File::SolidKind kind, File::Point3 origin, double radius = 0, double length = 0)
{
    File::Solid solid;
    solid.Kind = kind;
    solid.Origin = origin;
    solid.Radius = radius;
    solid.Length = length;
    return solid;
}

File::Solid Box(File::Point3 origin, File::Point3 size)
{
    File::Solid solid = Solid(File::SolidKind::Box, origin);
    solid.Size = size;
    return solid;
}

File::Solid Cylinder(File::Point3 base, File::Point3 axis, double radius, double length)
{
    File::Solid solid = Solid(File::SolidKind::Cylinder, base, radius, length);
    solid.Axis = axis;
    return solid;
}

File::Solid Sphere(File::Point3 centre, double radius)
{
    return Solid(File::SolidKind::Sphere, centre, radius);
}

File::Solid Extrusion(File::Plane plane, QVector<File::Point2> profile, double depth)
{
    File::Solid solid = Solid(File::SolidKind::Extrusion, {100, 200, 300}, 0, depth);
    solid.ProfilePlane = plane;
    solid.Profile = std::move(profile);
    return solid;
}

// The file as the reader gives it back, axes made unit length.
File FileWith(QVector<File::Solid> solids)
{
    File file;
    file.FamilyName = QStringLiteral("测试构件");
    file.Types.append({QStringLiteral("T1"), {}});
    file.Solids = std::move(solids);
    File read;
    return File::Parse(file.ToJson(), read, nullptr) ? read : file;
}

// An L of area 3 and perimeter 8 (unit squares), counter-clockwise.
const QVector<File::Point2> LShape{{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}};

QVector<File::Point2> Circle(int points)
{
    QVector<File::Point2> circle;
    for (int i = 0; i < points; ++i) {
        const double angle = 2 * M_PI * i / points;
        circle.append({std::cos(angle), std::sin(angle)});
    }
    return circle;
}

double PolygonArea(const QVector<File::Point2>& polygon, const QVector<int>& triangles)
{
    double area = 0;
    for (int i = 0; i + 2 < triangles.size(); i += 3) {
        const File::Point2& a = polygon[triangles[i]];
        const File::Point2& b = polygon[triangles[i + 1]];
        const File::Point2& c = polygon[triangles[i + 2]];
        area += std::abs((b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0])) / 2;
    }
    return area;
}

bool IsBackground(QRgb pixel)
{
    // The background is a pale grey-blue gradient; shaded faces are darker.
    return qRed(pixel) >= 225 && qGreen(pixel) >= 230 && qBlue(pixel) >= 238;
}

void SendDrag(QWidget* widget, QPoint from, QPoint to)
{
    QMouseEvent press(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    // QTest::mouseMove carries no buttons, so the move is sent by hand.
    QMouseEvent move(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

} // namespace

// Reading, cutting into triangles and drawing a component file's solids.
class tst_Mox3DPreviewer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void solidsBecomeClosedOutwardSurfaces_data();
    void solidsBecomeClosedOutwardSurfaces();
    void profilesOfAnyShapeAreTriangulated_data();
    void profilesOfAnyShapeAreTriangulated();
    void degenerateSolidsAddNothingBroken();

    void renderingFitsAndShadesTheModel();
    void dragTurnsAndWheelZoomsTheView();

    void previewerReportsWhatItLoaded_data();
    void previewerReportsWhatItLoaded();
    void lastLoadWinsAndDeletionIsSafe();
    void previewRunsOnThreadsOfItsOwn();

private:
    QString Write(const QString& name, const QByteArray& bytes);

    QTemporaryDir m_dir;
};

void tst_Mox3DPreviewer::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString tst_Mox3DPreviewer::Write(const QString& name, const QByteArray& bytes)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes);
    }
    return path;
}

void tst_Mox3DPreviewer::solidsBecomeClosedOutwardSurfaces_data()
{
    QTest::addColumn<File::Solid>("solid");
    QTest::addColumn<double>("area");
    QTest::addColumn<bool>("convex");

    const double pi = M_PI;
    QTest::newRow("box") << Box({10, 20, 30}, {900, 50, 2100}) << 2 * (900 * 50 + 50 * 2100 + 2100 * 900.0) << true;
    QTest::newRow("slanted cylinder") << Cylinder({0, 0, 0}, {1, 1, 1}, 40, 300)
                                      << 2 * pi * 40 * 40 + 2 * pi * 40 * 300 << true;
    QTest::newRow("sphere") << Sphere({-5, 5, 1000}, 120) << 4 * pi * 120 * 120 << true;
    QTest::newRow("L extrusion xy") << Extrusion(File::Plane::XY, LShape, 5) << 2 * 3 + 8 * 5.0 << false;
    QVector<File::Point2> clockwise = LShape;
    std::reverse(clockwise.begin(), clockwise.end());
    QTest::newRow("clockwise L extrusion xz") << Extrusion(File::Plane::XZ, clockwise, 5) << 2 * 3 + 8 * 5.0 << false;
    QTest::newRow("flat profile yz") << Extrusion(File::Plane::YZ, LShape, 0) << 3.0 << false;
}

void tst_Mox3DPreviewer::solidsBecomeClosedOutwardSurfaces()
{
    QFETCH(File::Solid, solid);
    QFETCH(double, area);
    QFETCH(bool, convex);

    const File file = FileWith({solid});
    const TriangleMesh mesh = TriangleMesh::FromComponentFile(file);
    QVERIFY(!mesh.IsEmpty());
    // Round solids are polygons: a little less surface than the true one.
    QVERIFY2(std::abs(mesh.Area() - area) <= area * 0.02, qPrintable(QString::number(mesh.Area())));

    // Moved to the origin, same extent as the file says.
    File::Point3 lo;
    File::Point3 hi;
    QVERIFY(file.Bounds(lo, hi));
    const QVector3D extent = mesh.Maximum() - mesh.Minimum();
    for (int i = 0; i < 3; ++i) {
        QVERIFY(std::abs(extent[i] - (hi[static_cast<size_t>(i)] - lo[static_cast<size_t>(i)])) <= 0.02 * extent.length() + 1e-3);
        QVERIFY(std::abs(mesh.Maximum()[i] + mesh.Minimum()[i]) <= 0.02 * extent.length() + 1e-3);
    }

    const QVector3D centre = (mesh.Maximum() + mesh.Minimum()) / 2;
    for (const TriangleMesh::Triangle& t : mesh.Triangles()) {
        const QVector3D centroid = (t.Corners[0].Position + t.Corners[1].Position + t.Corners[2].Position) / 3;
        for (const TriangleMesh::Vertex& v : t.Corners) {
            QVERIFY(std::abs(v.Normal.length() - 1) < 1e-3);
            if (convex) {
                QVERIFY(QVector3D::dotProduct(v.Normal, centroid - centre) > 0);
            }
        }
    }
}

void tst_Mox3DPreviewer::profilesOfAnyShapeAreTriangulated_data()
{
    QTest::addColumn<Profile>("profile");
    QTest::addColumn<double>("area");

    QTest::newRow("comb") << Profile{{0, 0}, {5, 0}, {5, 3}, {4, 3}, {4, 1}, {3, 1}, {3, 3},
                                                   {2, 3}, {2, 1}, {1, 1}, {1, 3}, {0, 3}}
                          << 11.0;
    QTest::newRow("repeats and collinear points")
        << Profile{{0, 0}, {1, 0}, {1, 0}, {2, 0}, {2, 2}, {1, 2}, {0, 2}, {0, 0}} << 4.0;
    QTest::newRow("clockwise arrow") << Profile{{0, 0}, {2, 4}, {4, 0}, {2, 1}} << 6.0;
    QTest::newRow("all on a line") << Profile{{0, 0}, {1, 1}, {2, 2}} << 0.0;
}

void tst_Mox3DPreviewer::profilesOfAnyShapeAreTriangulated()
{
    QFETCH(Profile, profile);
    QFETCH(double, area);

    const QVector<int> triangles = TriangleMesh::Triangulate(profile);
    QCOMPARE(triangles.size() % 3, 0);
    QVERIFY(std::all_of(triangles.begin(), triangles.end(), [&](int i) { return i >= 0 && i < profile.size(); }));
    QVERIFY2(std::abs(PolygonArea(profile, triangles) - area) < 1e-9,
             qPrintable(QString::number(PolygonArea(profile, triangles))));
}

void tst_Mox3DPreviewer::degenerateSolidsAddNothingBroken()
{
    // A bow tie crosses itself: some triangles, never none and never a crash.
    const QVector<File::Point2> bowTie{{0, 0}, {2, 2}, {2, 0}, {0, 2}};
    QVERIFY(!TriangleMesh::Triangulate(bowTie).isEmpty());

    const File file = FileWith({Box({0, 0, 0}, {0, 0, 0}), Box({0, 0, 0}, {10, 10, 0}),
                                Extrusion(File::Plane::XY, {{0, 0}, {1, 1}, {2, 2}}, 10),
                                Box({1e300, 0, 0}, {1e300, 1, 1})});
    const TriangleMesh mesh = TriangleMesh::FromComponentFile(file);
    for (const TriangleMesh::Triangle& t : mesh.Triangles()) {
        for (const TriangleMesh::Vertex& v : t.Corners) {
            QVERIFY(std::isfinite(v.Position.x()) && std::isfinite(v.Position.y()) && std::isfinite(v.Position.z()));
        }
    }
    QVERIFY(TriangleMesh::FromComponentFile(FileWith({Box({0, 0, 0}, {0, 5, 5})})).IsEmpty() == false);
    QVERIFY(TriangleMesh::FromComponentFile(FileWith({Box({0, 0, 0}, {0, 0, 5})})).IsEmpty());
    QVERIFY(TriangleMesh::FromComponentFile(FileWith({})).IsEmpty());
}

void tst_Mox3DPreviewer::renderingFitsAndShadesTheModel()
{
    const TriangleMesh mesh = TriangleMesh::FromComponentFile(FileWith({Box({0, 0, 0}, {1000, 1000, 1000})}));
    const QSize size(200, 160);
    const QImage picture = MeshRenderer::Render(mesh, size, MeshRenderer::View());
    QCOMPARE(picture.size(), size);

    // The cube fills the middle and stays inside the picture.
    QVERIFY(!IsBackground(picture.pixel(100, 80)));
    for (int x = 0; x < size.width(); ++x) {
        QVERIFY(IsBackground(picture.pixel(x, 0)) && IsBackground(picture.pixel(x, size.height() - 1)));
    }
    // Seen from above, the top and the two visible sides are lit differently.
    QSet<QRgb> faces;
    faces << picture.pixel(100, 50) << picture.pixel(80, 100) << picture.pixel(120, 100);
    QCOMPARE(faces.size(), 3);

    // Zooming out shrinks it; turning it changes what is seen.
    MeshRenderer::View far;
    far.Zoom = 0.3f;
    const QImage small = MeshRenderer::Render(mesh, size, far);
    QVERIFY(IsBackground(small.pixel(100, 30)));
    QVERIFY(!IsBackground(small.pixel(100, 80)));
    MeshRenderer::View turned;
    turned.Yaw += 30;
    QVERIFY(MeshRenderer::Render(mesh, size, turned) != picture);

    // A see-through solid in front of an opaque one lets it show through.
    File::Solid glass = Box({-500, -3000, -500}, {2000, 10, 2000});
    glass.Opacity = 0.3;
    glass.Color = 0xffffff;
    File::Solid red = Box({0, 0, 0}, {1000, 1000, 1000});
    red.Color = 0xff0000;
    MeshRenderer::View front;
    front.Yaw = 0;
    front.Elevation = 0;
    const QImage through = MeshRenderer::Render(TriangleMesh::FromComponentFile(FileWith({glass, red})), size, front);
    const QRgb middle = through.pixel(100, 80);
    QVERIFY(qRed(middle) > qGreen(middle) + 40);
    QVERIFY(qGreen(middle) > 40);
}

void tst_Mox3DPreviewer::dragTurnsAndWheelZoomsTheView()
{
    ModelViewport viewport(nullptr);
    viewport.resize(320, 240);
    viewport.SetMesh(std::make_shared<TriangleMesh>(
        TriangleMesh::FromComponentFile(FileWith({Box({0, 0, 0}, {10, 20, 30})}))));
    viewport.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewport));
    const MeshRenderer::View start = viewport.View();

    SendDrag(&viewport, QPoint(100, 100), QPoint(140, 90));
    QCOMPARE(viewport.View().Yaw, start.Yaw + 20);
    QCOMPARE(viewport.View().Elevation, start.Elevation - 5);
    SendDrag(&viewport, QPoint(100, 10), QPoint(100, 1000));
    QCOMPARE(viewport.View().Elevation, 89.0f);

    QWheelEvent wheel(QPointF(160, 120), QPointF(viewport.mapToGlobal(QPoint(160, 120))), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&viewport, &wheel);
    QVERIFY(viewport.View().Zoom > start.Zoom * 1.1f);

    QTest::mouseDClick(&viewport, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    QCOMPARE(viewport.View().Yaw, start.Yaw);
    QCOMPARE(viewport.View().Zoom, start.Zoom);
    QVERIFY(!viewport.grab().isNull());
}

void tst_Mox3DPreviewer::previewerReportsWhatItLoaded_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("success");
    QTest::addColumn<QString>("message");
    // What the detail line must name, for a refused model the count over the limit.
    QTest::addColumn<QString>("detail");

    const QString broken = QStringLiteral("无法打开构件文件，文件可能已损坏");
    const QString noGeometry = QStringLiteral("该构件没有可预览的几何模型");
    const QString tooComplex = QStringLiteral("构件模型过于复杂，无法预览");
    const auto write = [this](const char* name, const QVector<File::Solid>& solids) {
        return Write(QString::fromLatin1(name), FileWith(solids).ToJson());
    };
    QTest::newRow("good") << write("good.json", {Box({0, 0, 0}, {1, 2, 3}), Sphere({0, 0, 5}, 1)}) << true
                          << QString() << QString();
    QTest::newRow("no solids") << write("empty.json", {}) << false << noGeometry << QString();
    QTest::newRow("only flat solids") << write("flat.json", {Box({0, 0, 0}, {0, 0, 9})}) << false << noGeometry
                                      << QString();
    QTest::newRow("not json") << Write("corrupt.json", "{\"format\": \"plaza-comp") << false << broken << QString();
    QTest::newRow("zero bytes") << Write("zero.json", QByteArray()) << false << broken << QString();
    QTest::newRow("missing") << m_dir.filePath("absent.json") << false << broken << QString();
    QTest::newRow("no path") << QString() << false << broken << QString();

    const int points = TriangleMesh::MaxProfilePoints + 1;
    QTest::newRow("one profile with too many points")
        << write("points.json", {Extrusion(File::Plane::XY, Circle(points), 1)}) << false << tooComplex
        << QString::number(points);
    const int profiles = TriangleMesh::MaxTotalProfilePoints / 4000 + 1;
    QTest::newRow("too many profile points in all")
        << write("profiles.json", QVector<File::Solid>(profiles, Extrusion(File::Plane::XZ, Circle(4000), 1)))
        << false << tooComplex << QString::number(profiles * 4000);
    const int spheres = static_cast<int>(TriangleMesh::MaxTriangles / 1024) + 1;
    QTest::newRow("too many triangles") << write("spheres.json", QVector<File::Solid>(spheres, Sphere({0, 0, 0}, 1)))
                                        << false << tooComplex << QString::number(spheres * 1024);
}

void tst_Mox3DPreviewer::previewerReportsWhatItLoaded()
{
    QFETCH(QString, path);
    QFETCH(bool, success);
    QFETCH(QString, message);
    QFETCH(QString, detail);

    Mox3DPreviewer previewer(nullptr);
    previewer.resize(800, 500);
    previewer.show();
    QSignalSpy finished(&previewer, &Mox3DPreviewer::LoadFinished);
    auto parameter = std::make_shared<IParameter>(IParameter{L"宽度", L"900", L"mm", false});
    previewer.Load(path.toStdWString(), {parameter});
    // The parameters show at once, before the file is read.
    QCOMPARE(previewer.Parameters().size(), size_t(1));
    QVERIFY(previewer.IsLoading());

    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.at(0).at(0).toBool(), success);
    QVERIFY(!previewer.IsLoading());
    QCOMPARE(previewer.Viewport()->Message(), message);
    QCOMPARE(previewer.Viewport()->Mesh() != nullptr, success);
    const bool unreadable = message.contains(QStringLiteral("损坏"));
    QVERIFY(!unreadable || !previewer.Viewport()->Detail().isEmpty());
    QVERIFY2(previewer.Viewport()->Detail().contains(detail), qPrintable(previewer.Viewport()->Detail()));
    // A file that reads, even one too large to show, names its family.
    QCOMPARE(previewer.FamilyName(), unreadable ? QString() : QStringLiteral("测试构件"));
    QVERIFY(!previewer.grab().isNull());
}

void tst_Mox3DPreviewer::lastLoadWinsAndDeletionIsSafe()
{
    const QString good = Write("first.json", FileWith({Box({0, 0, 0}, {1, 1, 1})}).ToJson());
    const QString bad = Write("second.json", "nonsense");
    {
        Mox3DPreviewer previewer(nullptr);
        QSignalSpy finished(&previewer, &Mox3DPreviewer::LoadFinished);
        previewer.Load(good.toStdWString(), {});
        previewer.Load(bad.toStdWString(), {});
        QVERIFY(finished.wait(10000));
        Mox3DPreviewer::ThreadPool()->waitForDone();
        QCoreApplication::processEvents();
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.at(0).at(0).toBool(), false);
        QCOMPARE(previewer.FilePath(), bad);
    }
    {
        // Gone before the reading thread answers: the answer is dropped.
        auto previewer = std::make_unique<Mox3DPreviewer>(nullptr);
        previewer->Load(good.toStdWString(), {});
        previewer.reset();
        Mox3DPreviewer::ThreadPool()->waitForDone();
        QCoreApplication::processEvents();
    }
}

void tst_Mox3DPreviewer::previewRunsOnThreadsOfItsOwn()
{
    // Given every thread of the shared pool busy (decoding thumbnails, say) until the end.
    struct Busy
    {
        QSemaphore Done;
        int Threads = QThreadPool::globalInstance()->maxThreadCount();
        ~Busy()
        {
            Done.release(Threads);
            QThreadPool::globalInstance()->waitForDone();
        }
    } busy;
    for (int i = 0; i < busy.Threads; ++i) {
        QThreadPool::globalInstance()->start([&busy] { busy.Done.acquire(); });
    }

    // The preview still comes.
    const QString small = Write("small.json", FileWith({Extrusion(File::Plane::XY, LShape, 1)}).ToJson());
    Mox3DPreviewer previewer(nullptr);
    QSignalSpy finished(&previewer, &Mox3DPreviewer::LoadFinished);
    previewer.Load(small.toStdWString(), {});
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.at(0).at(0).toBool(), true);
    QVERIFY(previewer.Viewport()->Mesh());
}

QTEST_MAIN(tst_Mox3DPreviewer)
#include "tst_Mox3DPreviewer.moc"
