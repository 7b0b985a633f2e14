#include "ComponentFile.h"

#include "AtomicFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarn {

namespace {

// A component file is a small model; anything bigger is not one of ours.
constexpr qint64 MaximumFileSize = 64 * 1024 * 1024;
constexpr int MaximumProfilePoints = 10000;
constexpr const char* FormatName = "plaza-component";

bool Fail(QString* error, const QString& message)
{
    if (error) {
        *error = message;
    }
    return false;
}

bool ReadNumber(const QJsonValue& value, double& out)
{
    if (!value.isDouble()) {
        return false;
    }
    out = value.toDouble();
    return std::isfinite(out);
}

bool ReadPoint3(const QJsonValue& value, ComponentFile::Point3& out)
{
    const QJsonArray array = value.toArray();
    if (!value.isArray() || array.size() != 3) {
        return false;
    }
    for (int i = 0; i < 3; ++i) {
        if (!ReadNumber(array.at(i), out[static_cast<size_t>(i)])) {
            return false;
        }
    }
    return true;
}

bool ReadColor(const QJsonValue& value, unsigned& out)
{
    if (value.isUndefined()) {
        return true;
    }
    const QString text = value.toString();
    if (text.size() != 7 || !text.startsWith(QLatin1Char('#'))) {
        return false;
    }
    bool ok = false;
    const unsigned color = text.midRef(1).toUInt(&ok, 16);
    if (ok) {
        out = color;
    }
    return ok;
}

QString ColorText(unsigned color)
{
    return QStringLiteral("#%1").arg(color & 0xffffffu, 6, 16, QLatin1Char('0'));
}

QJsonArray PointArray(const ComponentFile::Point3& point)
{
    return QJsonArray{point[0], point[1], point[2]};
}

const char* KindName(ComponentFile::SolidKind kind)
{
    switch (kind) {
    case ComponentFile::SolidKind::Box:
        return "box";
    case ComponentFile::SolidKind::Cylinder:
        return "cylinder";
    case ComponentFile::SolidKind::Sphere:
        return "sphere";
    case ComponentFile::SolidKind::Extrusion:
        return "extrusion";
    }
    return "box";
}

const char* PlaneName(ComponentFile::Plane plane)
{
    switch (plane) {
    case ComponentFile::Plane::XY:
        return "xy";
    case ComponentFile::Plane::XZ:
        return "xz";
    case ComponentFile::Plane::YZ:
        return "yz";
    }
    return "xy";
}

// Where a profile point lies in model space, before extrusion.
ComponentFile::Point3 ProfilePoint(const ComponentFile::Solid& solid, const ComponentFile::Point2& p)
{
    const ComponentFile::Point3& o = solid.Origin;
    switch (solid.ProfilePlane) {
    case ComponentFile::Plane::XY:
        return {o[0] + p[0], o[1] + p[1], o[2]};
    case ComponentFile::Plane::XZ:
        return {o[0] + p[0], o[1], o[2] + p[1]};
    case ComponentFile::Plane::YZ:
        return {o[0], o[1] + p[0], o[2] + p[1]};
    }
    return o;
}

ComponentFile::Point3 ExtrusionDirection(ComponentFile::Plane plane)
{
    switch (plane) {
    case ComponentFile::Plane::XY:
        return {0, 0, 1};
    case ComponentFile::Plane::XZ:
        return {0, 1, 0};
    case ComponentFile::Plane::YZ:
        return {1, 0, 0};
    }
    return {0, 0, 1};
}

bool ReadSolid(const QJsonObject& object, ComponentFile::Solid& solid, QString& why)
{
    solid.Name = object.value(QStringLiteral("name")).toString();
    const QString kind = object.value(QStringLiteral("kind")).toString();
    if (!ReadColor(object.value(QStringLiteral("color")), solid.Color)) {
        why = QStringLiteral("bad color");
        return false;
    }
    const QJsonValue opacity = object.value(QStringLiteral("opacity"));
    if (!opacity.isUndefined() && (!ReadNumber(opacity, solid.Opacity) || solid.Opacity < 0 || solid.Opacity > 1)) {
        why = QStringLiteral("opacity must be between 0 and 1");
        return false;
    }

    if (kind == QLatin1String("box")) {
        solid.Kind = ComponentFile::SolidKind::Box;
        if (!ReadPoint3(object.value(QStringLiteral("origin")), solid.Origin)
            || !ReadPoint3(object.value(QStringLiteral("size")), solid.Size)) {
            why = QStringLiteral("a box needs origin and size");
            return false;
        }
        if (solid.Size[0] < 0 || solid.Size[1] < 0 || solid.Size[2] < 0) {
            why = QStringLiteral("negative box size");
            return false;
        }
        return true;
    }
    if (kind == QLatin1String("cylinder")) {
        solid.Kind = ComponentFile::SolidKind::Cylinder;
        if (!ReadPoint3(object.value(QStringLiteral("base")), solid.Origin)
            || !ReadPoint3(object.value(QStringLiteral("axis")), solid.Axis)
            || !ReadNumber(object.value(QStringLiteral("radius")), solid.Radius)
            || !ReadNumber(object.value(QStringLiteral("length")), solid.Length)) {
            why = QStringLiteral("a cylinder needs base, axis, radius and length");
            return false;
        }
        const double norm = std::sqrt(solid.Axis[0] * solid.Axis[0] + solid.Axis[1] * solid.Axis[1]
                                      + solid.Axis[2] * solid.Axis[2]);
        if (!(norm > 1e-12) || !std::isfinite(norm)) {
            why = QStringLiteral("zero cylinder axis");
            return false;
        }
        for (double& a : solid.Axis) {
            a /= norm;
        }
        if (solid.Radius <= 0 || solid.Length < 0) {
            why = QStringLiteral("bad cylinder radius or length");
            return false;
        }
        return true;
    }
    if (kind == QLatin1String("sphere")) {
        solid.Kind = ComponentFile::SolidKind::Sphere;
        if (!ReadPoint3(object.value(QStringLiteral("centre")), solid.Origin)
            || !ReadNumber(object.value(QStringLiteral("radius")), solid.Radius) || solid.Radius <= 0) {
            why = QStringLiteral("a sphere needs a centre and a positive radius");
            return false;
        }
        return true;
    }
    if (kind == QLatin1String("extrusion")) {
        solid.Kind = ComponentFile::SolidKind::Extrusion;
        const QString plane = object.value(QStringLiteral("plane")).toString(QStringLiteral("xy"));
        if (plane == QLatin1String("xy")) {
            solid.ProfilePlane = ComponentFile::Plane::XY;
        } else if (plane == QLatin1String("xz")) {
            solid.ProfilePlane = ComponentFile::Plane::XZ;
        } else if (plane == QLatin1String("yz")) {
            solid.ProfilePlane = ComponentFile::Plane::YZ;
        } else {
            why = QStringLiteral("unknown plane \"%1\"").arg(plane);
            return false;
        }
        if (!ReadPoint3(object.value(QStringLiteral("origin")), solid.Origin)
            || !ReadNumber(object.value(QStringLiteral("depth")), solid.Length) || solid.Length < 0) {
            why = QStringLiteral("an extrusion needs an origin and a depth");
            return false;
        }
        const QJsonArray profile = object.value(QStringLiteral("profile")).toArray();
        if (profile.size() < 3 || profile.size() > MaximumProfilePoints) {
            why = QStringLiteral("a profile needs at least three points");
            return false;
        }
        solid.Profile.reserve(profile.size());
        for (const QJsonValue& value : profile) {
            const QJsonArray pair = value.toArray();
            ComponentFile::Point2 point{0, 0};
            if (pair.size() != 2 || !ReadNumber(pair.at(0), point[0]) || !ReadNumber(pair.at(1), point[1])) {
                why = QStringLiteral("a profile point is not a pair of numbers");
                return false;
            }
            solid.Profile.append(point);
        }
        return true;
    }
    why = kind.isEmpty() ? QStringLiteral("missing kind") : QStringLiteral("unknown kind \"%1\"").arg(kind);
    return false;
}

} // namespace

bool ComponentFile::Read(const QString& path, ComponentFile& out, QString* error)
{
    if (path.isEmpty()) {
        return Fail(error, QStringLiteral("no component file path given"));
    }
    QFile file(path);
    if (!file.exists()) {
        return Fail(error, QStringLiteral("component file %1 does not exist").arg(path));
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return Fail(error, QStringLiteral("cannot open component file %1: %2").arg(path, file.errorString()));
    }
    if (file.size() > MaximumFileSize) {
        return Fail(error, QStringLiteral("component file %1 is too large").arg(path));
    }
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty()) {
        return Fail(error, QStringLiteral("component file %1 is empty").arg(path));
    }
    QString why;
    if (!Parse(bytes, out, &why)) {
        return Fail(error, QStringLiteral("component file %1 is not valid: %2").arg(path, why));
    }
    return true;
}

bool ComponentFile::Parse(const QByteArray& json, ComponentFile& out, QString* error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        return Fail(error, QStringLiteral("not JSON (%1 at offset %2)")
                               .arg(parseError.errorString())
                               .arg(parseError.offset));
    }
    if (!document.isObject()) {
        return Fail(error, QStringLiteral("not a JSON object"));
    }
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != QLatin1String(FormatName)) {
        return Fail(error, QStringLiteral("not a plaza-component file"));
    }
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() != FormatVersion) {
        return Fail(error, QStringLiteral("unsupported version %1").arg(version.toVariant().toString()));
    }

    ComponentFile file;
    file.FamilyName = root.value(QStringLiteral("familyName")).toString();
    if (file.FamilyName.trimmed().isEmpty()) {
        return Fail(error, QStringLiteral("missing family name"));
    }
    file.CategoryCode = root.value(QStringLiteral("categoryCode")).toString();

    const QJsonArray types = root.value(QStringLiteral("types")).toArray();
    if (types.isEmpty()) {
        return Fail(error, QStringLiteral("a family needs at least one type"));
    }
    QSet<QString> typeNames;
    for (const QJsonValue& value : types) {
        const QJsonObject object = value.toObject();
        Type type;
        type.Name = object.value(QStringLiteral("name")).toString();
        if (type.Name.trimmed().isEmpty()) {
            return Fail(error, QStringLiteral("a type has no name"));
        }
        if (typeNames.contains(type.Name)) {
            return Fail(error, QStringLiteral("type \"%1\" appears twice").arg(type.Name));
        }
        typeNames.insert(type.Name);
        const QJsonValue parameters = object.value(QStringLiteral("parameters"));
        if (!parameters.isUndefined() && !parameters.isArray()) {
            return Fail(error, QStringLiteral("parameters of type \"%1\" are not a list").arg(type.Name));
        }
        for (const QJsonValue& entry : parameters.toArray()) {
            const QJsonObject p = entry.toObject();
            Parameter parameter;
            parameter.Name = p.value(QStringLiteral("name")).toString();
            if (parameter.Name.isEmpty()) {
                return Fail(error, QStringLiteral("a parameter of type \"%1\" has no name").arg(type.Name));
            }
            const QJsonValue v = p.value(QStringLiteral("value"));
            parameter.Value = v.isDouble() ? QString::number(v.toDouble()) : v.toString();
            parameter.Unit = p.value(QStringLiteral("unit")).toString();
            type.Parameters.append(parameter);
        }
        file.Types.append(type);
    }

    const QJsonValue solids = root.value(QStringLiteral("solids"));
    if (!solids.isUndefined() && !solids.isArray()) {
        return Fail(error, QStringLiteral("solids are not a list"));
    }
    int index = 0;
    for (const QJsonValue& value : solids.toArray()) {
        Solid solid;
        QString why;
        if (!value.isObject() || !ReadSolid(value.toObject(), solid, why)) {
            return Fail(error, QStringLiteral("solid %1: %2").arg(index).arg(why.isEmpty() ? QStringLiteral("not an object") : why));
        }
        file.Solids.append(solid);
        ++index;
    }

    out = file;
    return true;
}

QByteArray ComponentFile::ToJson() const
{
    QJsonArray types;
    for (const Type& type : Types) {
        QJsonArray parameters;
        for (const Parameter& parameter : type.Parameters) {
            QJsonObject p{{QStringLiteral("name"), parameter.Name}, {QStringLiteral("value"), parameter.Value}};
            if (!parameter.Unit.isEmpty()) {
                p.insert(QStringLiteral("unit"), parameter.Unit);
            }
            parameters.append(p);
        }
        types.append(QJsonObject{{QStringLiteral("name"), type.Name}, {QStringLiteral("parameters"), parameters}});
    }

    QJsonArray solids;
    for (const Solid& solid : Solids) {
        QJsonObject s{{QStringLiteral("name"), solid.Name},
                      {QStringLiteral("kind"), QLatin1String(KindName(solid.Kind))},
                      {QStringLiteral("color"), ColorText(solid.Color)}};
        if (solid.Opacity != 1) {
            s.insert(QStringLiteral("opacity"), solid.Opacity);
        }
        switch (solid.Kind) {
        case SolidKind::Box:
            s.insert(QStringLiteral("origin"), PointArray(solid.Origin));
            s.insert(QStringLiteral("size"), PointArray(solid.Size));
            break;
        case SolidKind::Cylinder:
            s.insert(QStringLiteral("base"), PointArray(solid.Origin));
            s.insert(QStringLiteral("axis"), PointArray(solid.Axis));
            s.insert(QStringLiteral("radius"), solid.Radius);
            s.insert(QStringLiteral("length"), solid.Length);
            break;
        case SolidKind::Sphere:
            s.insert(QStringLiteral("centre"), PointArray(solid.Origin));
            s.insert(QStringLiteral("radius"), solid.Radius);
            break;
        case SolidKind::Extrusion: {
            QJsonArray profile;
            for (const Point2& p : solid.Profile) {
                profile.append(QJsonArray{p[0], p[1]});
            }
            s.insert(QStringLiteral("origin"), PointArray(solid.Origin));
            s.insert(QStringLiteral("plane"), QLatin1String(PlaneName(solid.ProfilePlane)));
            s.insert(QStringLiteral("profile"), profile);
            s.insert(QStringLiteral("depth"), solid.Length);
            break;
        }
        }
        solids.append(s);
    }

    QJsonObject root{{QStringLiteral("format"), QLatin1String(FormatName)},
                     {QStringLiteral("version"), FormatVersion},
                     {QStringLiteral("familyName"), FamilyName},
                     {QStringLiteral("types"), types},
                     {QStringLiteral("solids"), solids}};
    if (!CategoryCode.isEmpty()) {
        root.insert(QStringLiteral("categoryCode"), CategoryCode);
    }
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

bool ComponentFile::Write(const QString& path, QString* error, QString* reason) const
{
    // The copy on disk must read back as a component file before it replaces the old one.
    const auto readsBack = [](const QString& written, QString* why) {
        ComponentFile file;
        return Read(written, file, why);
    };
    return vela::AtomicFile::Write(path, ToJson(), readsBack, error, reason);
}

bool ComponentFile::Bounds(Point3& minimum, Point3& maximum) const
{
    constexpr double Inf = std::numeric_limits<double>::infinity();
    Point3 lo{Inf, Inf, Inf};
    Point3 hi{-Inf, -Inf, -Inf};
    const auto include = [&](const Point3& p, const Point3& pad) {
        for (size_t i = 0; i < 3; ++i) {
            lo[i] = std::min(lo[i], p[i] - pad[i]);
            hi[i] = std::max(hi[i], p[i] + pad[i]);
        }
    };
    const Point3 none{0, 0, 0};
    for (const Solid& solid : Solids) {
        switch (solid.Kind) {
        case SolidKind::Box:
            include(solid.Origin, none);
            include({solid.Origin[0] + solid.Size[0], solid.Origin[1] + solid.Size[1], solid.Origin[2] + solid.Size[2]},
                    none);
            break;
        case SolidKind::Cylinder: {
            // A disc of radius r normal to unit axis a reaches r*sqrt(1 - a_i^2) along axis i.
            Point3 pad;
            for (size_t i = 0; i < 3; ++i) {
                pad[i] = solid.Radius * std::sqrt(std::max(0.0, 1 - solid.Axis[i] * solid.Axis[i]));
            }
            include(solid.Origin, pad);
            include({solid.Origin[0] + solid.Axis[0] * solid.Length, solid.Origin[1] + solid.Axis[1] * solid.Length,
                     solid.Origin[2] + solid.Axis[2] * solid.Length},
                    pad);
            break;
        }
        case SolidKind::Sphere:
            include(solid.Origin, {solid.Radius, solid.Radius, solid.Radius});
            break;
        case SolidKind::Extrusion: {
            const Point3 d = ExtrusionDirection(solid.ProfilePlane);
            for (const Point2& p : solid.Profile) {
                const Point3 q = ProfilePoint(solid, p);
                include(q, none);
                include({q[0] + d[0] * solid.Length, q[1] + d[1] * solid.Length, q[2] + d[2] * solid.Length}, none);
            }
            break;
        }
        }
    }
    if (Solids.isEmpty()) {
        return false;
    }
    minimum = lo;
    maximum = hi;
    return true;
}

const ComponentFile::Type* ComponentFile::FindType(const QString& name) const
{
    for (const Type& type : Types) {
        if (type.Name == name) {
            return &type;
        }
    }
    return nullptr;
}

} // namespace tarn
