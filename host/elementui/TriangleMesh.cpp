#include "TriangleMesh.h"

#include <QCoreApplication>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace vela {

namespace {

using Solid = tarn::ComponentFile::Solid;
using Point2 = tarn::ComponentFile::Point2;
using Point3 = tarn::ComponentFile::Point3;

constexpr int MinimumSegments = 6;
constexpr int MaximumSegments = 256;

QVector3D Moved(const Point3& p, const Point3& offset)
{
    return QVector3D(static_cast<float>(p[0] - offset[0]), static_cast<float>(p[1] - offset[1]),
                     static_cast<float>(p[2] - offset[2]));
}

bool IsFinite(const QVector3D& v)
{
    return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z());
}

double Cross2(const Point2& o, const Point2& a, const Point2& b)
{
    return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0]);
}

double SignedArea(const QVector<Point2>& polygon, const QVector<int>& ring)
{
    double twice = 0;
    for (int i = 0; i < ring.size(); ++i) {
        const Point2& p = polygon[ring[i]];
        const Point2& q = polygon[ring[(i + 1) % ring.size()]];
        twice += p[0] * q[1] - q[0] * p[1];
    }
    return twice / 2;
}

// Inside or on the border of the counter-clockwise triangle abc.
bool InTriangle(const Point2& p, const Point2& a, const Point2& b, const Point2& c)
{
    return Cross2(a, b, p) >= 0 && Cross2(b, c, p) >= 0 && Cross2(c, a, p) >= 0;
}

// The profile's points without repeats, the closing repeat included.
QVector<int> DistinctRing(const QVector<Point2>& polygon)
{
    QVector<int> ring;
    for (int i = 0; i < polygon.size(); ++i) {
        if (ring.isEmpty() || polygon[ring.last()] != polygon[i]) {
            ring.append(i);
        }
    }
    while (ring.size() > 1 && polygon[ring.first()] == polygon[ring.last()]) {
        ring.removeLast();
    }
    return ring;
}

} // namespace

bool TriangleMesh::IsWithinLimits(const tarn::ComponentFile& file, QString* why, int segments)
{
    const auto refuse = [why](const char* text, qint64 count, qint64 limit) {
        if (why) {
            *why = QCoreApplication::translate("TriangleMesh", text).arg(count).arg(limit);
        }
        return false;
    };
    segments = std::clamp(segments, MinimumSegments, MaximumSegments);
    qint64 points = 0;
    qint64 triangles = 0;
    for (const Solid& solid : file.Solids) {
        switch (solid.Kind) {
        case tarn::ComponentFile::SolidKind::Box:
            triangles += 12;
            break;
        case tarn::ComponentFile::SolidKind::Cylinder:
            triangles += 4 * segments;
            break;
        case tarn::ComponentFile::SolidKind::Sphere:
            triangles += 2 * segments * std::max(3, segments / 2);
            break;
        case tarn::ComponentFile::SolidKind::Extrusion:
            if (solid.Profile.size() > MaxProfilePoints) {
                return refuse(QT_TRANSLATE_NOOP("TriangleMesh", "轮廓点数 %1 超过上限 %2"), solid.Profile.size(), MaxProfilePoints);
            }
            points += solid.Profile.size();
            triangles += 4 * qint64(solid.Profile.size());
            break;
        }
    }
    if (points > MaxTotalProfilePoints) {
        return refuse(QT_TRANSLATE_NOOP("TriangleMesh", "轮廓点总数 %1 超过上限 %2"), points, MaxTotalProfilePoints);
    }
    if (triangles > MaxTriangles) {
        return refuse(QT_TRANSLATE_NOOP("TriangleMesh", "三角形数 %1 超过上限 %2"), triangles, MaxTriangles);
    }
    return true;
}

TriangleMesh TriangleMesh::FromComponentFile(const tarn::ComponentFile& file, int segments)
{
    TriangleMesh mesh;
    Point3 minimum;
    Point3 maximum;
    if (!file.Bounds(minimum, maximum)) {
        return mesh;
    }
    const Point3 centre{(minimum[0] + maximum[0]) / 2, (minimum[1] + maximum[1]) / 2,
                        (minimum[2] + maximum[2]) / 2};
    for (const Solid& solid : file.Solids) {
        mesh.AddSolid(solid, centre, segments);
    }
    return mesh;
}

void TriangleMesh::AddSolid(const Solid& solid, const Point3& offset, int segments)
{
    segments = std::clamp(segments, MinimumSegments, MaximumSegments);
    m_color = 0xff000000u | (solid.Color & 0xffffffu);
    m_opacity = static_cast<float>(std::clamp(solid.Opacity, 0.0, 1.0));
    switch (solid.Kind) {
    case tarn::ComponentFile::SolidKind::Box:
        AddBox(solid, offset);
        break;
    case tarn::ComponentFile::SolidKind::Cylinder:
        AddCylinder(solid, offset, segments);
        break;
    case tarn::ComponentFile::SolidKind::Sphere:
        AddSphere(solid, offset, segments);
        break;
    case tarn::ComponentFile::SolidKind::Extrusion:
        AddExtrusion(solid, offset);
        break;
    }
}

double TriangleMesh::Area() const
{
    double area = 0;
    for (const Triangle& t : m_triangles) {
        const QVector3D u = t.Corners[1].Position - t.Corners[0].Position;
        const QVector3D v = t.Corners[2].Position - t.Corners[0].Position;
        area += QVector3D::crossProduct(u, v).length() / 2.0;
    }
    return area;
}

void TriangleMesh::AddBox(const Solid& solid, const Point3& offset)
{
    const QVector3D o = Moved(solid.Origin, offset);
    const QVector3D s(static_cast<float>(solid.Size[0]), static_cast<float>(solid.Size[1]),
                      static_cast<float>(solid.Size[2]));
    const auto corner = [&](int x, int y, int z) {
        return o + QVector3D(x * s.x(), y * s.y(), z * s.z());
    };
    AddQuad(corner(0, 0, 0), corner(0, 1, 0), corner(1, 1, 0), corner(1, 0, 0), QVector3D(0, 0, -1));
    AddQuad(corner(0, 0, 1), corner(1, 0, 1), corner(1, 1, 1), corner(0, 1, 1), QVector3D(0, 0, 1));
    AddQuad(corner(0, 0, 0), corner(1, 0, 0), corner(1, 0, 1), corner(0, 0, 1), QVector3D(0, -1, 0));
    AddQuad(corner(0, 1, 0), corner(0, 1, 1), corner(1, 1, 1), corner(1, 1, 0), QVector3D(0, 1, 0));
    AddQuad(corner(0, 0, 0), corner(0, 0, 1), corner(0, 1, 1), corner(0, 1, 0), QVector3D(-1, 0, 0));
    AddQuad(corner(1, 0, 0), corner(1, 1, 0), corner(1, 1, 1), corner(1, 0, 1), QVector3D(1, 0, 0));
}

void TriangleMesh::AddCylinder(const Solid& solid, const Point3& offset, int segments)
{
    const QVector3D axis = QVector3D(static_cast<float>(solid.Axis[0]), static_cast<float>(solid.Axis[1]),
                                     static_cast<float>(solid.Axis[2]))
                               .normalized();
    if (axis.isNull()) {
        return;
    }
    // Any direction not parallel to the axis gives the disc's two in-plane axes.
    const QVector3D helper = std::abs(axis.z()) < 0.9f ? QVector3D(0, 0, 1) : QVector3D(1, 0, 0);
    const QVector3D u = QVector3D::crossProduct(axis, helper).normalized();
    const QVector3D v = QVector3D::crossProduct(axis, u);
    const QVector3D base = Moved(solid.Origin, offset);
    const QVector3D top = base + axis * static_cast<float>(solid.Length);
    const float radius = static_cast<float>(solid.Radius);

    for (int i = 0; i < segments; ++i) {
        const double a0 = 2 * M_PI * i / segments;
        const double a1 = 2 * M_PI * (i + 1) / segments;
        const QVector3D r0 = u * static_cast<float>(std::cos(a0)) + v * static_cast<float>(std::sin(a0));
        const QVector3D r1 = u * static_cast<float>(std::cos(a1)) + v * static_cast<float>(std::sin(a1));
        // Side, smooth: each corner keeps its radial normal.
        AddTriangle({Vertex{base + r0 * radius, r0}, Vertex{base + r1 * radius, r1}, Vertex{top + r1 * radius, r1}});
        AddTriangle({Vertex{base + r0 * radius, r0}, Vertex{top + r1 * radius, r1}, Vertex{top + r0 * radius, r0}});
        // Caps.
        AddFlat(base, base + r1 * radius, base + r0 * radius, -axis);
        AddFlat(top, top + r0 * radius, top + r1 * radius, axis);
    }
}

void TriangleMesh::AddSphere(const Solid& solid, const Point3& offset, int segments)
{
    const QVector3D centre = Moved(solid.Origin, offset);
    const float radius = static_cast<float>(solid.Radius);
    const int rings = std::max(3, segments / 2);
    const auto direction = [&](int ring, int segment) {
        const double polar = M_PI * ring / rings;
        const double azimuth = 2 * M_PI * segment / segments;
        return QVector3D(static_cast<float>(std::sin(polar) * std::cos(azimuth)),
                         static_cast<float>(std::sin(polar) * std::sin(azimuth)),
                         static_cast<float>(std::cos(polar)));
    };
    for (int ring = 0; ring < rings; ++ring) {
        for (int segment = 0; segment < segments; ++segment) {
            const QVector3D n00 = direction(ring, segment);
            const QVector3D n01 = direction(ring, segment + 1);
            const QVector3D n10 = direction(ring + 1, segment);
            const QVector3D n11 = direction(ring + 1, segment + 1);
            // At the poles one of the two triangles collapses and is dropped.
            AddTriangle({Vertex{centre + n00 * radius, n00}, Vertex{centre + n10 * radius, n10},
                         Vertex{centre + n11 * radius, n11}});
            AddTriangle({Vertex{centre + n00 * radius, n00}, Vertex{centre + n11 * radius, n11},
                         Vertex{centre + n01 * radius, n01}});
        }
    }
}

void TriangleMesh::AddExtrusion(const Solid& solid, const Point3& offset)
{
    const QVector3D origin = Moved(solid.Origin, offset);
    QVector3D axisU;
    QVector3D axisV;
    QVector3D along;
    switch (solid.ProfilePlane) {
    case tarn::ComponentFile::Plane::XY:
        axisU = {1, 0, 0};
        axisV = {0, 1, 0};
        along = {0, 0, 1};
        break;
    case tarn::ComponentFile::Plane::XZ:
        axisU = {1, 0, 0};
        axisV = {0, 0, 1};
        along = {0, 1, 0};
        break;
    case tarn::ComponentFile::Plane::YZ:
        axisU = {0, 1, 0};
        axisV = {0, 0, 1};
        along = {1, 0, 0};
        break;
    }
    const QVector3D lift = along * static_cast<float>(solid.Length);
    const auto place = [&](const Point2& p) {
        return origin + axisU * static_cast<float>(p[0]) + axisV * static_cast<float>(p[1]);
    };

    if (solid.Profile.size() > MaxProfilePoints) {
        return;
    }

    // Caps.
    const QVector<int> triangles = Triangulate(solid.Profile);
    for (int i = 0; i + 2 < triangles.size(); i += 3) {
        const QVector3D a = place(solid.Profile[triangles[i]]);
        const QVector3D b = place(solid.Profile[triangles[i + 1]]);
        const QVector3D c = place(solid.Profile[triangles[i + 2]]);
        AddFlat(a, c, b, -along);
        if (solid.Length > 0) {
            AddFlat(a + lift, b + lift, c + lift, along);
        }
    }
    if (!(solid.Length > 0)) {
        return;
    }

    // Sides: the outward normal of an edge depends on which way the profile turns.
    const QVector<int> ring = DistinctRing(solid.Profile);
    if (ring.size() < 3) {
        return;
    }
    const double orientation = SignedArea(solid.Profile, ring) >= 0 ? 1.0 : -1.0;
    for (int i = 0; i < ring.size(); ++i) {
        const Point2& p = solid.Profile[ring[i]];
        const Point2& q = solid.Profile[ring[(i + 1) % ring.size()]];
        const double du = q[0] - p[0];
        const double dv = q[1] - p[1];
        const QVector3D normal = (axisU * static_cast<float>(dv * orientation)
                                  - axisV * static_cast<float>(du * orientation))
                                     .normalized();
        const QVector3D a = place(p);
        const QVector3D b = place(q);
        AddQuad(a, b, b + lift, a + lift, normal);
    }
}

void TriangleMesh::AddTriangle(const std::array<Vertex, 3>& corners)
{
    for (const Vertex& v : corners) {
        if (!IsFinite(v.Position) || !IsFinite(v.Normal)) {
            return;
        }
    }
    const QVector3D e1 = corners[1].Position - corners[0].Position;
    const QVector3D e2 = corners[2].Position - corners[0].Position;
    const QVector3D e3 = corners[2].Position - corners[1].Position;
    const float longest = std::max({e1.lengthSquared(), e2.lengthSquared(), e3.lengthSquared()});
    const float twiceArea = QVector3D::crossProduct(e1, e2).length();
    // Slivers thinner than float precision would only add noise to the picture.
    if (!(longest > 0) || !(twiceArea > 1e-6f * longest)) {
        return;
    }

    const bool first = m_triangles.isEmpty();
    Triangle triangle;
    triangle.Corners = corners;
    triangle.Color = m_color;
    triangle.Opacity = m_opacity;
    m_triangles.append(triangle);
    for (size_t i = 0; i < corners.size(); ++i) {
        const QVector3D& p = corners[i].Position;
        if (first && i == 0) {
            m_minimum = m_maximum = p;
            continue;
        }
        m_minimum = QVector3D(std::min(m_minimum.x(), p.x()), std::min(m_minimum.y(), p.y()),
                              std::min(m_minimum.z(), p.z()));
        m_maximum = QVector3D(std::max(m_maximum.x(), p.x()), std::max(m_maximum.y(), p.y()),
                              std::max(m_maximum.z(), p.z()));
    }
}

void TriangleMesh::AddFlat(const QVector3D& a, const QVector3D& b, const QVector3D& c, const QVector3D& normal)
{
    AddTriangle({Vertex{a, normal}, Vertex{b, normal}, Vertex{c, normal}});
}

void TriangleMesh::AddQuad(const QVector3D& a, const QVector3D& b, const QVector3D& c, const QVector3D& d,
                           const QVector3D& normal)
{
    AddFlat(a, b, c, normal);
    AddFlat(a, c, d, normal);
}

QVector<int> TriangleMesh::Triangulate(const QVector<Point2>& polygon)
{
    QVector<int> result;
    QVector<int> ring = DistinctRing(polygon);
    if (ring.size() < 3) {
        return result;
    }
    const double area = SignedArea(polygon, ring);
    if (!std::isfinite(area)) {
        return result;
    }
    // No area at all: either every point is on one line (nothing to fill) or
    // the profile crosses itself with lobes that cancel out (still drawn).
    const bool collinear = std::all_of(ring.begin() + 2, ring.end(), [&](int k) {
        return Cross2(polygon[ring[0]], polygon[ring[1]], polygon[k]) == 0;
    });
    if (collinear) {
        return result;
    }
    if (area < 0) {
        std::reverse(ring.begin(), ring.end());
    }

    // Ear clipping: cut off a convex corner whose triangle holds no other point.
    result.reserve((ring.size() - 2) * 3);
    int misses = 0;
    int i = 0;
    while (ring.size() > 3) {
        const int n = ring.size();
        const int prev = ring[(i + n - 1) % n];
        const int cur = ring[i % n];
        const int next = ring[(i + 1) % n];
        const Point2& a = polygon[prev];
        const Point2& b = polygon[cur];
        const Point2& c = polygon[next];
        bool ear = Cross2(a, b, c) > 0;
        for (int k = 0; ear && k < n; ++k) {
            const int other = ring[k];
            if (other == prev || other == cur || other == next) {
                continue;
            }
            const Point2& p = polygon[other];
            if (p != a && p != b && p != c && InTriangle(p, a, b, c)) {
                ear = false;
            }
        }
        if (ear) {
            result << prev << cur << next;
            ring.remove(i % n);
            misses = 0;
            i = i % ring.size();
            continue;
        }
        // A flat corner adds nothing; drop it so the search can go on.
        if (Cross2(a, b, c) == 0) {
            ring.remove(i % n);
            misses = 0;
            i = i % ring.size();
            continue;
        }
        if (++misses > n) {
            // No ear left: the profile crosses itself. Fan the rest rather than lose the face.
            for (int k = 1; k + 1 < ring.size(); ++k) {
                result << ring[0] << ring[k] << ring[k + 1];
            }
            return result;
        }
        i = (i + 1) % n;
    }
    if (ring.size() == 3 && Cross2(polygon[ring[0]], polygon[ring[1]], polygon[ring[2]]) != 0) {
        result << ring[0] << ring[1] << ring[2];
    }
    return result;
}

} // namespace vela
