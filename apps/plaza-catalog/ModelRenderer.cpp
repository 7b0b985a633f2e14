#include "ModelRenderer.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QVector3D>

#include <algorithm>
#include <cmath>

namespace vela {

namespace {

constexpr double Pi = 3.14159265358979323846;

using File = tarn::ComponentFile;

struct Face
{
    QVector<QVector3D> Points;
    QVector3D Normal;
    unsigned Color = 0;
    double Opacity = 1;
    // Facets of a curved surface: drawn without edges so the surface reads as one.
    bool Smooth = false;
    int Solid = 0;
};

QVector3D V(const File::Point3& p)
{
    return QVector3D(float(p[0]), float(p[1]), float(p[2]));
}

QVector3D PlaneAxisU(File::Plane plane)
{
    return plane == File::Plane::YZ ? QVector3D(0, 1, 0) : QVector3D(1, 0, 0);
}

QVector3D PlaneAxisV(File::Plane plane)
{
    return plane == File::Plane::XY ? QVector3D(0, 1, 0) : QVector3D(0, 0, 1);
}

QVector3D PlaneNormal(File::Plane plane)
{
    switch (plane) {
    case File::Plane::XY:
        return QVector3D(0, 0, 1);
    case File::Plane::XZ:
        return QVector3D(0, 1, 0);
    case File::Plane::YZ:
        return QVector3D(1, 0, 0);
    }
    return QVector3D(0, 0, 1);
}

// The angle, in radians, by which a profile turns at point i.
double Turn(const QVector<File::Point2>& profile, int i)
{
    const int n = profile.size();
    const File::Point2& a = profile[(i + n - 1) % n];
    const File::Point2& b = profile[i];
    const File::Point2& c = profile[(i + 1) % n];
    const double first = std::atan2(b[1] - a[1], b[0] - a[0]);
    const double second = std::atan2(c[1] - b[1], c[0] - b[0]);
    double turn = std::abs(second - first);
    if (turn > Pi) {
        turn = 2 * Pi - turn;
    }
    return turn;
}

bool IsConvex(const QVector<File::Point2>& profile)
{
    int sign = 0;
    const int n = profile.size();
    for (int i = 0; i < n; ++i) {
        const File::Point2& a = profile[i];
        const File::Point2& b = profile[(i + 1) % n];
        const File::Point2& c = profile[(i + 2) % n];
        const double cross = (b[0] - a[0]) * (c[1] - b[1]) - (b[1] - a[1]) * (c[0] - b[0]);
        if (std::abs(cross) < 1e-9) {
            continue;
        }
        const int s = cross > 0 ? 1 : -1;
        if (sign != 0 && s != sign) {
            return false;
        }
        sign = s;
    }
    return true;
}

void AddFace(QVector<Face>& faces, const File::Solid& solid, int index, QVector<QVector3D> points,
             const QVector3D& normal, bool smooth)
{
    Face face;
    face.Points = std::move(points);
    face.Normal = normal.normalized();
    face.Color = solid.Color;
    face.Opacity = solid.Opacity;
    face.Smooth = smooth;
    face.Solid = index;
    faces.append(face);
}

// Flat faces of every solid with outward normals.
QVector<Face> Tessellate(const File& model, int segments)
{
    QVector<Face> faces;
    for (int index = 0; index < model.Solids.size(); ++index) {
        const File::Solid& s = model.Solids[index];
        switch (s.Kind) {
        case File::SolidKind::Box: {
            const QVector3D o = V(s.Origin);
            const QVector3D d = V(s.Size);
            const auto p = [&](int x, int y, int z) { return o + QVector3D(x * d.x(), y * d.y(), z * d.z()); };
            AddFace(faces, s, index, {p(0, 0, 0), p(1, 0, 0), p(1, 0, 1), p(0, 0, 1)}, {0, -1, 0}, false);
            AddFace(faces, s, index, {p(1, 1, 0), p(0, 1, 0), p(0, 1, 1), p(1, 1, 1)}, {0, 1, 0}, false);
            AddFace(faces, s, index, {p(0, 1, 0), p(0, 0, 0), p(0, 0, 1), p(0, 1, 1)}, {-1, 0, 0}, false);
            AddFace(faces, s, index, {p(1, 0, 0), p(1, 1, 0), p(1, 1, 1), p(1, 0, 1)}, {1, 0, 0}, false);
            AddFace(faces, s, index, {p(0, 0, 1), p(1, 0, 1), p(1, 1, 1), p(0, 1, 1)}, {0, 0, 1}, false);
            AddFace(faces, s, index, {p(0, 1, 0), p(1, 1, 0), p(1, 0, 0), p(0, 0, 0)}, {0, 0, -1}, false);
            break;
        }
        case File::SolidKind::Cylinder: {
            const QVector3D a = V(s.Axis).normalized();
            const QVector3D helper = std::abs(a.z()) < 0.9f ? QVector3D(0, 0, 1) : QVector3D(1, 0, 0);
            const QVector3D u = QVector3D::crossProduct(a, helper).normalized();
            const QVector3D w = QVector3D::crossProduct(a, u);
            const QVector3D base = V(s.Origin);
            const QVector3D top = base + a * float(s.Length);
            QVector<QVector3D> bottomRing;
            QVector<QVector3D> topRing;
            for (int i = 0; i < segments; ++i) {
                const double t = 2 * Pi * i / segments;
                const QVector3D r = (u * float(std::cos(t)) + w * float(std::sin(t))) * float(s.Radius);
                bottomRing.append(base + r);
                topRing.append(top + r);
            }
            for (int i = 0; i < segments; ++i) {
                const int j = (i + 1) % segments;
                const double t = 2 * Pi * (i + 0.5) / segments;
                AddFace(faces, s, index, {bottomRing[i], bottomRing[j], topRing[j], topRing[i]},
                        u * float(std::cos(t)) + w * float(std::sin(t)), true);
            }
            QVector<QVector3D> reversed(bottomRing.rbegin(), bottomRing.rend());
            AddFace(faces, s, index, reversed, -a, false);
            AddFace(faces, s, index, topRing, a, false);
            break;
        }
        case File::SolidKind::Sphere: {
            const QVector3D c = V(s.Origin);
            const int stacks = std::max(6, segments / 2);
            const auto point = [&](int stack, int slice) {
                const double phi = Pi * stack / stacks - Pi / 2;
                const double theta = 2 * Pi * slice / segments;
                return QVector3D(float(std::cos(phi) * std::cos(theta)), float(std::cos(phi) * std::sin(theta)),
                                 float(std::sin(phi)));
            };
            for (int stack = 0; stack < stacks; ++stack) {
                for (int slice = 0; slice < segments; ++slice) {
                    const QVector3D n1 = point(stack, slice);
                    const QVector3D n2 = point(stack, slice + 1);
                    const QVector3D n3 = point(stack + 1, slice + 1);
                    const QVector3D n4 = point(stack + 1, slice);
                    const float r = float(s.Radius);
                    AddFace(faces, s, index, {c + n1 * r, c + n2 * r, c + n3 * r, c + n4 * r},
                            (n1 + n2 + n3 + n4).normalized(), true);
                }
            }
            break;
        }
        case File::SolidKind::Extrusion: {
            const QVector3D o = V(s.Origin);
            const QVector3D u = PlaneAxisU(s.ProfilePlane);
            const QVector3D w = PlaneAxisV(s.ProfilePlane);
            const QVector3D dir = PlaneNormal(s.ProfilePlane);
            const QVector3D offset = dir * float(s.Length);
            double area = 0;
            const int n = s.Profile.size();
            for (int i = 0; i < n; ++i) {
                const File::Point2& p = s.Profile[i];
                const File::Point2& q = s.Profile[(i + 1) % n];
                area += p[0] * q[1] - q[0] * p[1];
            }
            const double orientation = area >= 0 ? 1 : -1;
            QVector<QVector3D> bottom;
            QVector<QVector3D> top;
            for (const File::Point2& p : s.Profile) {
                const QVector3D point = o + u * float(p[0]) + w * float(p[1]);
                bottom.append(point);
                top.append(point + offset);
            }
            for (int i = 0; i < n; ++i) {
                const int j = (i + 1) % n;
                const double du = s.Profile[j][0] - s.Profile[i][0];
                const double dv = s.Profile[j][1] - s.Profile[i][1];
                const QVector3D normal = (u * float(dv) - w * float(du)) * float(orientation);
                // An edge between two gentle turns belongs to a curve of the profile.
                const bool smooth = Turn(s.Profile, i) < 0.55 && Turn(s.Profile, j) < 0.55;
                AddFace(faces, s, index, {bottom[i], bottom[j], top[j], top[i]}, normal, smooth);
            }
            AddFace(faces, s, index, bottom, -dir, false);
            AddFace(faces, s, index, top, dir, false);
            break;
        }
        }
    }
    return faces;
}

struct Camera
{
    QVector3D Right;
    QVector3D Up;
    // From the scene towards the viewer.
    QVector3D Towards;

    QPointF Project(const QVector3D& p) const { return QPointF(QVector3D::dotProduct(p, Right), -QVector3D::dotProduct(p, Up)); }
    double Depth(const QVector3D& p) const { return QVector3D::dotProduct(p, Towards); }
};

Camera MakeCamera(double azimuth, double elevation)
{
    const double az = azimuth * Pi / 180;
    const double el = elevation * Pi / 180;
    Camera camera;
    camera.Towards = QVector3D(float(std::sin(az) * std::cos(el)), float(-std::cos(az) * std::cos(el)),
                               float(std::sin(el)))
                         .normalized();
    camera.Right = QVector3D::crossProduct(-camera.Towards, QVector3D(0, 0, 1)).normalized();
    camera.Up = QVector3D::crossProduct(camera.Right, -camera.Towards).normalized();
    return camera;
}

QColor Shade(unsigned color, double intensity, double opacity)
{
    const auto channel = [&](int shift) {
        return std::clamp(int(((color >> shift) & 0xff) * intensity), 0, 255);
    };
    return QColor(channel(16), channel(8), channel(0), std::clamp(int(opacity * 255), 0, 255));
}

QPolygonF ConvexHull(QVector<QPointF> points)
{
    std::sort(points.begin(), points.end(), [](const QPointF& a, const QPointF& b) {
        return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
    });
    if (points.size() < 3) {
        return QPolygonF(points);
    }
    const auto cross = [](const QPointF& o, const QPointF& a, const QPointF& b) {
        return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
    };
    QVector<QPointF> hull(2 * points.size());
    int k = 0;
    for (int i = 0; i < points.size(); ++i) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], points[i]) <= 0) {
            --k;
        }
        hull[k++] = points[i];
    }
    for (int i = points.size() - 2, t = k + 1; i >= 0; --i) {
        while (k >= t && cross(hull[k - 2], hull[k - 1], points[i]) <= 0) {
            --k;
        }
        hull[k++] = points[i];
    }
    hull.resize(k - 1);
    return QPolygonF(hull);
}

} // namespace

QImage ModelRenderer::Thumbnail(const tarn::ComponentFile& model, int size, const View& view)
{
    constexpr double Fill = 0.80;
    const QColor backgroundTop(0xfb, 0xfc, 0xfd);
    const QColor backgroundBottom(0xe6, 0xea, 0xf0);
    const QVector3D light = QVector3D(0.45f, -0.6f, 0.85f).normalized();

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // Background
    QLinearGradient gradient(0, 0, 0, size);
    gradient.setColorAt(0, backgroundTop);
    gradient.setColorAt(1, backgroundBottom);
    painter.fillRect(image.rect(), gradient);

    const QVector<Face> faces = Tessellate(model, size >= 128 ? 28 : 14);
    if (faces.isEmpty()) {
        return image;
    }
    const Camera camera = MakeCamera(view.Azimuth, view.Elevation);
    QVector<QPointF> projected;
    for (const Face& face : faces) {
        for (const QVector3D& p : face.Points) {
            projected.append(camera.Project(p));
        }
    }
    const QRectF bounds = QPolygonF(projected).boundingRect();
    const double scale = Fill * size / std::max({bounds.width(), bounds.height(), 1.0});
    const QPointF offset = QPointF(size / 2.0, size / 2.0) - bounds.center() * scale;
    const auto toScreen = [&](const QVector3D& p) { return camera.Project(p) * scale + offset; };

    // Ground shadow: the footprint, softened by a few widening passes.
    File::Point3 low;
    File::Point3 high;
    // Seen from below (lamps, diffusers), there is no floor to cast on.
    if (view.Elevation > 0 && model.Bounds(low, high)) {
        painter.save();
        painter.setPen(Qt::NoPen);
        const double grow = std::max(high[0] - low[0], high[1] - low[1]) * 0.04;
        for (int pass = 0; pass < 4; ++pass) {
            const float g = float(grow * pass);
            const float z = float(low[2]);
            QPolygonF footprint;
            footprint << toScreen({float(low[0]) - g, float(low[1]) - g, z})
                      << toScreen({float(high[0]) + g, float(low[1]) - g, z})
                      << toScreen({float(high[0]) + g, float(high[1]) + g, z})
                      << toScreen({float(low[0]) - g, float(high[1]) + g, z});
            painter.setBrush(QColor(40, 50, 70, 22 - pass * 4));
            painter.drawPolygon(footprint);
        }
        painter.restore();
    }

    // Faces, farthest first; the back of opaque solids is never seen.
    QVector<const Face*> order;
    for (const Face& face : faces) {
        if (face.Opacity >= 1 && QVector3D::dotProduct(face.Normal, camera.Towards) <= 0) {
            continue;
        }
        order.append(&face);
    }
    const auto centreDepth = [&](const Face* face) {
        QVector3D sum;
        for (const QVector3D& p : face->Points) {
            sum += p;
        }
        return camera.Depth(sum / float(face->Points.size()));
    };
    QVector<QPair<double, const Face*>> sorted;
    for (const Face* face : order) {
        sorted.append({centreDepth(face), face});
    }
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    const double edge = std::max(0.5, size / 360.0);
    for (const auto& entry : sorted) {
        const Face& face = *entry.second;
        const double lambert = std::max(0.0f, QVector3D::dotProduct(face.Normal, light));
        const double facing = std::abs(QVector3D::dotProduct(face.Normal, camera.Towards));
        const QColor fill = Shade(face.Color, 0.52 + 0.4 * lambert + 0.12 * facing, face.Opacity);
        QPolygonF polygon;
        for (const QVector3D& p : face.Points) {
            polygon << toScreen(p);
        }
        painter.save();
        painter.setBrush(fill);
        if (face.Smooth || face.Opacity < 1) {
            painter.setPen(face.Opacity < 1 ? QPen(Qt::NoPen) : QPen(fill, 0.8));
        } else {
            painter.setPen(QPen(Shade(face.Color, 0.42, 1), edge, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        }
        painter.drawPolygon(polygon);
        painter.restore();
    }
    return image;
}

QImage ModelRenderer::Legend(const tarn::ComponentFile& model, Projection projection, int width, int height)
{
    constexpr int Margin = 34;
    const QColor ink(0x22, 0x22, 0x22);
    const QColor dimension(0x1f, 0x5f, 0xa8);

    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // Screen x, screen y (down) and nearness to the viewer of a model point.
    const auto screen = [projection](const QVector3D& p) {
        switch (projection) {
        case Projection::Plan:
            return QPointF(p.x(), -p.y());
        case Projection::Front:
            return QPointF(p.x(), -p.z());
        case Projection::Side:
            return QPointF(p.y(), -p.z());
        }
        return QPointF(p.x(), -p.y());
    };
    const auto nearness = [projection](const QVector3D& p) {
        switch (projection) {
        case Projection::Plan:
            return double(p.z());
        case Projection::Front:
            return double(-p.y());
        case Projection::Side:
            return double(p.x());
        }
        return 0.0;
    };

    // Convex solids draw as the hull of their points; other extrusions as their faces.
    struct Outline
    {
        QPolygonF Polygon;
        double Near = 0;
    };
    QVector<Outline> outlines;
    const QVector<Face> faces = Tessellate(model, 32);
    QVector<QVector<QPointF>> solidPoints(model.Solids.size());
    QVector<double> solidNear(model.Solids.size(), 0);
    QVector<int> solidCount(model.Solids.size(), 0);
    QVector<bool> convex(model.Solids.size(), true);
    for (int i = 0; i < model.Solids.size(); ++i) {
        const File::Solid& solid = model.Solids[i];
        convex[i] = solid.Kind != File::SolidKind::Extrusion || IsConvex(solid.Profile);
    }
    for (const Face& face : faces) {
        const bool asFaces = !convex[face.Solid];
        QPolygonF polygon;
        double near = 0;
        for (const QVector3D& p : face.Points) {
            polygon << screen(p);
            near += nearness(p);
            solidPoints[face.Solid].append(screen(p));
        }
        near /= face.Points.size();
        solidNear[face.Solid] += near;
        ++solidCount[face.Solid];
        if (asFaces) {
            outlines.append({polygon, near});
        }
    }
    for (int i = 0; i < model.Solids.size(); ++i) {
        if (convex[i] && !solidPoints[i].isEmpty()) {
            outlines.append({ConvexHull(solidPoints[i]), solidNear[i] / std::max(1, solidCount[i])});
        }
    }
    if (outlines.isEmpty()) {
        return image;
    }
    QPolygonF everything;
    for (const Outline& outline : outlines) {
        everything << outline.Polygon;
    }
    const QRectF bounds = everything.boundingRect();
    const double scale = std::min((width - 2.0 * Margin) / std::max(bounds.width(), 1.0),
                                  (height - 2.0 * Margin) / std::max(bounds.height(), 1.0));
    const QPointF offset = QPointF(width / 2.0, height / 2.0) - bounds.center() * scale;
    const auto place = [&](const QPointF& p) { return p * scale + offset; };
    std::stable_sort(outlines.begin(), outlines.end(), [](const Outline& a, const Outline& b) { return a.Near < b.Near; });

    // Hidden lines: each outline is filled white over what lies behind it.
    painter.save();
    painter.setPen(QPen(ink, 1.1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::white);
    for (const Outline& outline : outlines) {
        QPolygonF polygon;
        for (const QPointF& p : outline.Polygon) {
            polygon << place(p);
        }
        painter.drawPolygon(polygon);
    }
    painter.restore();

    // Overall dimensions, below and to the right.
    const QRectF drawn(place(bounds.topLeft()), place(bounds.bottomRight()));
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.save();
    painter.setFont(font);
    painter.setPen(QPen(dimension, 1));
    const double below = drawn.bottom() + 14;
    painter.drawLine(QPointF(drawn.left(), below), QPointF(drawn.right(), below));
    painter.drawLine(QPointF(drawn.left(), below - 4), QPointF(drawn.left(), below + 4));
    painter.drawLine(QPointF(drawn.right(), below - 4), QPointF(drawn.right(), below + 4));
    painter.drawText(QRectF(drawn.left(), below + 1, drawn.width(), 14), Qt::AlignHCenter | Qt::AlignTop,
                     QString::number(qRound(bounds.width())));
    const double right = drawn.right() + 14;
    painter.drawLine(QPointF(right, drawn.top()), QPointF(right, drawn.bottom()));
    painter.drawLine(QPointF(right - 4, drawn.top()), QPointF(right + 4, drawn.top()));
    painter.drawLine(QPointF(right - 4, drawn.bottom()), QPointF(right + 4, drawn.bottom()));
    painter.translate(right + 3, drawn.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-drawn.height() / 2, 0, drawn.height(), 14), Qt::AlignHCenter | Qt::AlignTop,
                     QString::number(qRound(bounds.height())));
    painter.restore();
    return image;
}

} // namespace vela
