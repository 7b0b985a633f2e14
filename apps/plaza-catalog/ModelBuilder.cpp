#include "ModelBuilder.h"

#include <cmath>

namespace vela {

namespace {

constexpr double Pi = 3.14159265358979323846;

} // namespace

ModelBuilder::ModelBuilder(tarn::ComponentFile& model)
    : m_model(model)
{
}

ModelBuilder& ModelBuilder::Box(const QString& name, double x, double y, double z, double dx, double dy, double dz,
                                unsigned color, double opacity)
{
    tarn::ComponentFile::Solid solid;
    solid.Name = name;
    solid.Kind = tarn::ComponentFile::SolidKind::Box;
    solid.Origin = {x, y, z};
    solid.Size = {std::max(0.0, dx), std::max(0.0, dy), std::max(0.0, dz)};
    solid.Color = color;
    solid.Opacity = opacity;
    m_model.Solids.append(solid);
    return *this;
}

ModelBuilder& ModelBuilder::Cylinder(const QString& name, const Point3& base, const Point3& axis, double radius,
                                     double length, unsigned color, double opacity)
{
    tarn::ComponentFile::Solid solid;
    solid.Name = name;
    solid.Kind = tarn::ComponentFile::SolidKind::Cylinder;
    solid.Origin = base;
    const double norm = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
    solid.Axis = {axis[0] / norm, axis[1] / norm, axis[2] / norm};
    solid.Radius = radius;
    solid.Length = length;
    solid.Color = color;
    solid.Opacity = opacity;
    m_model.Solids.append(solid);
    return *this;
}

ModelBuilder& ModelBuilder::Post(const QString& name, double x, double y, double z, double radius, double height,
                                 unsigned color)
{
    return Cylinder(name, {x, y, z}, {0, 0, 1}, radius, height, color);
}

ModelBuilder& ModelBuilder::Sphere(const QString& name, const Point3& centre, double radius, unsigned color,
                                   double opacity)
{
    tarn::ComponentFile::Solid solid;
    solid.Name = name;
    solid.Kind = tarn::ComponentFile::SolidKind::Sphere;
    solid.Origin = centre;
    solid.Radius = radius;
    solid.Color = color;
    solid.Opacity = opacity;
    m_model.Solids.append(solid);
    return *this;
}

ModelBuilder& ModelBuilder::Extrusion(const QString& name, const Point3& origin, Plane plane,
                                      const QVector<Point2>& profile, double depth, unsigned color, double opacity)
{
    tarn::ComponentFile::Solid solid;
    solid.Name = name;
    solid.Kind = tarn::ComponentFile::SolidKind::Extrusion;
    solid.Origin = origin;
    solid.ProfilePlane = plane;
    solid.Profile = profile;
    solid.Length = depth;
    solid.Color = color;
    solid.Opacity = opacity;
    m_model.Solids.append(solid);
    return *this;
}

ModelBuilder& ModelBuilder::Frame(const QString& name, double x, double y, double z, double width, double height,
                                  double depth, double bar, unsigned color)
{
    Box(name, x, y, z, bar, depth, height, color);
    Box(name, x + width - bar, y, z, bar, depth, height, color);
    Box(name, x + bar, y, z + height - bar, width - 2 * bar, depth, bar, color);
    return Box(name, x + bar, y, z, width - 2 * bar, depth, bar, color);
}

ModelBuilder& ModelBuilder::Legs(const QString& name, double x, double y, double z, double width, double depth,
                                 double height, double size, double inset, unsigned color)
{
    for (const double lx : {x + inset, x + width - inset - size}) {
        for (const double ly : {y + inset, y + depth - inset - size}) {
            Box(name, lx, ly, z, size, size, height, color);
        }
    }
    return *this;
}

QVector<ModelBuilder::Point2> ModelBuilder::RoundedRectangle(double width, double depth, double radius, int steps)
{
    QVector<Point2> points;
    const double r = std::min(radius, std::min(width, depth) / 2);
    const Point2 centres[4] = {{width - r, r}, {width - r, depth - r}, {r, depth - r}, {r, r}};
    for (int corner = 0; corner < 4; ++corner) {
        const double start = -Pi / 2 + corner * Pi / 2;
        for (int i = 0; i <= steps; ++i) {
            const double t = start + (Pi / 2) * i / steps;
            points.append({centres[corner][0] + r * std::cos(t), centres[corner][1] + r * std::sin(t)});
        }
    }
    return points;
}

QVector<ModelBuilder::Point2> ModelBuilder::Ellipse(double centreX, double centreY, double radiusX, double radiusY,
                                                    int steps)
{
    QVector<Point2> points;
    for (int i = 0; i < steps; ++i) {
        const double t = 2 * Pi * i / steps;
        points.append({centreX + radiusX * std::cos(t), centreY + radiusY * std::sin(t)});
    }
    return points;
}

} // namespace vela
