#pragma once

#include "tarn_export.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <array>

namespace tarn {

// The file a public component is delivered in: one family, its types and a
// simple solid model to preview and place.
//
// Format: a UTF-8 JSON object, lengths in millimetres, colours "#rrggbb".
//
//   {
//     "format": "plaza-component",           required, exactly this text
//     "version": 1,                          required, 1 is the only version
//     "familyName": "单扇平开门",             required, not empty
//     "categoryCode": "A01-02-01",           optional
//     "types": [                             required, at least one
//       { "name": "M0921",                   required, not empty, unique
//         "parameters": [                    optional
//           { "name": "宽度", "value": "900", "unit": "mm" }   unit optional
//         ] }
//     ],
//     "solids": [                            optional (no geometry)
//       { "name": "门扇", "kind": "box",
//         "origin": [x, y, z],               the minimum corner
//         "size": [dx, dy, dz] },            each >= 0
//       { "name": "管身", "kind": "cylinder",
//         "base": [x, y, z],                 centre of the base disc
//         "axis": [ax, ay, az],              direction, not zero
//         "radius": r, "length": l },        r > 0, l >= 0
//       { "name": "灯泡", "kind": "sphere",
//         "centre": [x, y, z], "radius": r },
//       { "name": "椅背", "kind": "extrusion",
//         "origin": [x, y, z],
//         "plane": "xy",                     "xy": profile (u, v) at (x+u, y+v, z), extruded along +z
//                                            "xz": at (x+u, y, z+v), extruded along +y
//                                            "yz": at (x, y+u, z+v), extruded along +x
//         "profile": [[u, v], ...],          at least three points, a simple polygon
//         "depth": d }                       d >= 0
//     ]
//   }
//
// Every solid may also carry "color" (default "#a0a0a0") and "opacity"
// (0 to 1, default 1). Unknown keys are ignored so later versions can add
// fields; anything else out of shape rejects the whole file.
class TARN_EXPORT ComponentFile
{
public:
    using Point3 = std::array<double, 3>;
    using Point2 = std::array<double, 2>;

    struct Parameter
    {
        QString Name;
        QString Value;
        QString Unit;
    };

    struct Type
    {
        QString Name;
        QVector<Parameter> Parameters;
    };

    enum class SolidKind { Box, Cylinder, Sphere, Extrusion };
    enum class Plane { XY, XZ, YZ };

    struct Solid
    {
        QString Name;
        SolidKind Kind = SolidKind::Box;
        // Box: minimum corner; cylinder: base centre; sphere: centre; extrusion: profile origin.
        Point3 Origin{0, 0, 0};
        // Box only.
        Point3 Size{0, 0, 0};
        // Cylinder only, unit length after reading.
        Point3 Axis{0, 0, 1};
        // Cylinder and sphere.
        double Radius = 0;
        // Cylinder length or extrusion depth.
        double Length = 0;
        // Extrusion only.
        Plane ProfilePlane = Plane::XY;
        QVector<Point2> Profile;
        // 0xRRGGBB.
        unsigned Color = 0xa0a0a0;
        double Opacity = 1;
    };

    static constexpr int FormatVersion = 1;

    QString FamilyName;
    QString CategoryCode;
    QVector<Type> Types;
    QVector<Solid> Solids;

    // False with a message in `error` (when given) for a missing, empty,
    // unreadable or malformed file; `out` is then left unchanged.
    static bool Read(const QString& path, ComponentFile& out, QString* error);
    static bool Parse(const QByteArray& json, ComponentFile& out, QString* error);

    QByteArray ToJson() const;
    // Replaces `path` only with a complete copy that reads back; on a full or
    // unwritable disk the old file stays, `error` says why and `reason` names
    // the kind of failure in a few words ("磁盘空间不足", "没有写入权限", ...).
    bool Write(const QString& path, QString* error, QString* reason = nullptr) const;

    // The axis-aligned box holding every solid; false when there is none.
    bool Bounds(Point3& minimum, Point3& maximum) const;

    // The type of that name, or null.
    const Type* FindType(const QString& name) const;
};

} // namespace tarn
