#pragma once

#include "ComponentFile.h"
#include "vela_elementui_export.h"

#include <QRgb>
#include <QString>
#include <QVector3D>
#include <QVector>

#include <array>

namespace vela {

// The solids of a component file cut into lit triangles for the 3D preview.
class VELA_ELEMENTUI_EXPORT TriangleMesh
{
public:
    struct Vertex
    {
        QVector3D Position;
        // Unit length, pointing out of the solid.
        QVector3D Normal;
    };

    struct Triangle
    {
        std::array<Vertex, 3> Corners;
        QRgb Color = 0xffa0a0a0;
        float Opacity = 1;
    };

    // Segments around a full turn of a cylinder or a sphere.
    static constexpr int DefaultSegments = 32;

    // Cutting a profile into triangles grows with the square of its points (and worse
    // for jagged ones), so the preview bounds its work: larger files are not cut at all.
    static constexpr int MaxProfilePoints = 4096;
    static constexpr int MaxTotalProfilePoints = 32768;
    // About 80 bytes each, and every one is drawn on each turn of the view.
    static constexpr qint64 MaxTriangles = 1'000'000;

    // Whether every limit above holds for `file` cut with `segments`; when not, `why`
    // says which is exceeded.
    static bool IsWithinLimits(const tarn::ComponentFile& file, QString* why, int segments = DefaultSegments);

    // Every solid of `file`, moved so the centre of the file's bounding box is
    // the origin: model coordinates far from zero keep their precision in floats.
    static TriangleMesh FromComponentFile(const tarn::ComponentFile& file, int segments = DefaultSegments);

    // Adds one solid, moved by -`offset`. Degenerate faces are left out, and so is an
    // extrusion whose profile exceeds MaxProfilePoints.
    void AddSolid(const tarn::ComponentFile::Solid& solid, const tarn::ComponentFile::Point3& offset, int segments);

    bool IsEmpty() const { return m_triangles.isEmpty(); }
    int Count() const { return m_triangles.size(); }
    const QVector<Triangle>& Triangles() const { return m_triangles; }

    // The box around every corner; both zero for an empty mesh.
    QVector3D Minimum() const { return m_minimum; }
    QVector3D Maximum() const { return m_maximum; }
    // Total area of the triangles.
    double Area() const;

    // Indices into `polygon`, three per triangle, covering a simple polygon of
    // either orientation. Collinear or repeated points are allowed; a polygon
    // that is not simple still yields triangles (a fan) rather than nothing.
    static QVector<int> Triangulate(const QVector<tarn::ComponentFile::Point2>& polygon);

private:
    using Point3 = tarn::ComponentFile::Point3;

    void AddBox(const tarn::ComponentFile::Solid& solid, const Point3& offset);
    void AddCylinder(const tarn::ComponentFile::Solid& solid, const Point3& offset, int segments);
    void AddSphere(const tarn::ComponentFile::Solid& solid, const Point3& offset, int segments);
    void AddExtrusion(const tarn::ComponentFile::Solid& solid, const Point3& offset);

    // Each corner with its own normal; dropped when degenerate or not finite.
    void AddTriangle(const std::array<Vertex, 3>& corners);
    // A flat face whose normal is `normal`.
    void AddFlat(const QVector3D& a, const QVector3D& b, const QVector3D& c, const QVector3D& normal);
    void AddQuad(const QVector3D& a, const QVector3D& b, const QVector3D& c, const QVector3D& d,
                 const QVector3D& normal);

    QVector<Triangle> m_triangles;
    QVector3D m_minimum;
    QVector3D m_maximum;
    // Look of the solid being added.
    QRgb m_color = 0xffa0a0a0;
    float m_opacity = 1;
};

} // namespace vela
