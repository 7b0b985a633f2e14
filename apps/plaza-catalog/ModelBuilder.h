#pragma once

#include "ComponentFile.h"

#include <QVector>

namespace vela {

// Adds solids to a component model in millimetres: x to the right, y away
// from the viewer (the front face at y = 0), z up.
class ModelBuilder
{
public:
    using Point3 = tarn::ComponentFile::Point3;
    using Point2 = tarn::ComponentFile::Point2;
    using Plane = tarn::ComponentFile::Plane;

    explicit ModelBuilder(tarn::ComponentFile& model);

    ModelBuilder& Box(const QString& name, double x, double y, double z, double dx, double dy, double dz,
                      unsigned color, double opacity = 1);
    ModelBuilder& Cylinder(const QString& name, const Point3& base, const Point3& axis, double radius, double length,
                           unsigned color, double opacity = 1);
    // Upright cylinder standing on (x, y, z).
    ModelBuilder& Post(const QString& name, double x, double y, double z, double radius, double height, unsigned color);
    ModelBuilder& Sphere(const QString& name, const Point3& centre, double radius, unsigned color, double opacity = 1);
    ModelBuilder& Extrusion(const QString& name, const Point3& origin, Plane plane, const QVector<Point2>& profile,
                            double depth, unsigned color, double opacity = 1);

    // A rectangular frame standing in the x-z plane: outer size width x height, bars `bar` wide, `depth` deep.
    ModelBuilder& Frame(const QString& name, double x, double y, double z, double width, double height, double depth,
                        double bar, unsigned color);
    // Four legs under a rectangle, inset by `inset`.
    ModelBuilder& Legs(const QString& name, double x, double y, double z, double width, double depth, double height,
                       double size, double inset, unsigned color);

    // A rounded rectangle of the given corner radius as a profile.
    static QVector<Point2> RoundedRectangle(double width, double depth, double radius, int steps = 4);
    static QVector<Point2> Ellipse(double centreX, double centreY, double radiusX, double radiusY, int steps = 24);

private:
    tarn::ComponentFile& m_model;
};

} // namespace vela
