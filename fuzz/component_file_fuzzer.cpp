// The component-file reader on arbitrary bytes.
//
// A rejected file leaves the target untouched and says why; an accepted one
// has what every reader relies on (a family name, distinct named types, sane
// solids) and reads back the same after being written out.
#include "ComponentFile.h"

#include <QByteArray>
#include <QSet>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

using tarn::ComponentFile;

[[noreturn]] void Finding(const char* what)
{
    std::fprintf(stderr, "component_file_fuzzer: %s\n", what);
    std::abort();
}

bool SameNumbers(const ComponentFile::Point3& a, const ComponentFile::Point3& b, double tolerance)
{
    for (size_t i = 0; i < 3; ++i) {
        if (!(std::fabs(a[i] - b[i]) <= tolerance)) {
            return false;
        }
    }
    return true;
}

bool SameSolid(const ComponentFile::Solid& a, const ComponentFile::Solid& b)
{
    // The axis is normalised again on reading, which may move its last bit.
    constexpr double AxisTolerance = 1e-12;
    return a.Name == b.Name && a.Kind == b.Kind && a.Origin == b.Origin && a.Size == b.Size
           && SameNumbers(a.Axis, b.Axis, AxisTolerance) && a.Radius == b.Radius && a.Length == b.Length
           && a.ProfilePlane == b.ProfilePlane && a.Profile == b.Profile && a.Color == b.Color
           && a.Opacity == b.Opacity;
}

bool SameFile(const ComponentFile& a, const ComponentFile& b)
{
    if (a.FamilyName != b.FamilyName || a.CategoryCode != b.CategoryCode || a.Types.size() != b.Types.size()
        || a.Solids.size() != b.Solids.size()) {
        return false;
    }
    for (int i = 0; i < a.Types.size(); ++i) {
        const ComponentFile::Type& x = a.Types.at(i);
        const ComponentFile::Type& y = b.Types.at(i);
        if (x.Name != y.Name || x.Parameters.size() != y.Parameters.size()) {
            return false;
        }
        for (int j = 0; j < x.Parameters.size(); ++j) {
            const ComponentFile::Parameter& p = x.Parameters.at(j);
            const ComponentFile::Parameter& q = y.Parameters.at(j);
            if (p.Name != q.Name || p.Value != q.Value || p.Unit != q.Unit) {
                return false;
            }
        }
    }
    for (int i = 0; i < a.Solids.size(); ++i) {
        if (!SameSolid(a.Solids.at(i), b.Solids.at(i))) {
            return false;
        }
    }
    return true;
}

void CheckAccepted(const ComponentFile& file)
{
    if (file.FamilyName.trimmed().isEmpty()) {
        Finding("accepted a file without a family name");
    }
    if (file.Types.isEmpty()) {
        Finding("accepted a family without types");
    }
    QSet<QString> names;
    for (const ComponentFile::Type& type : file.Types) {
        if (type.Name.trimmed().isEmpty() || names.contains(type.Name)) {
            Finding("accepted a type without a name or a repeated one");
        }
        names.insert(type.Name);
        if (file.FindType(type.Name) != &type) {
            Finding("FindType does not find an accepted type");
        }
    }
    for (const ComponentFile::Solid& solid : file.Solids) {
        if (!(solid.Opacity >= 0 && solid.Opacity <= 1) || solid.Color > 0xffffffu) {
            Finding("accepted a solid with a bad colour or opacity");
        }
        if (solid.Kind == ComponentFile::SolidKind::Extrusion && solid.Profile.size() < 3) {
            Finding("accepted an extrusion with fewer than three profile points");
        }
        if ((solid.Kind == ComponentFile::SolidKind::Cylinder || solid.Kind == ComponentFile::SolidKind::Sphere)
            && !(solid.Radius > 0)) {
            Finding("accepted a round solid without a positive radius");
        }
    }
    ComponentFile::Point3 minimum{};
    ComponentFile::Point3 maximum{};
    if (file.Bounds(minimum, maximum) == file.Solids.isEmpty()) {
        Finding("bounds do not follow whether there are solids");
    }

    ComponentFile again;
    QString error;
    if (!ComponentFile::Parse(file.ToJson(), again, &error)) {
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        Finding("a file written out does not read back");
    }
    if (!SameFile(file, again)) {
        Finding("a file written out reads back different");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));

    // A target already holding something, to see that a rejection leaves it alone.
    ComponentFile file;
    file.FamilyName = QStringLiteral("untouched");
    QString error;
    if (!ComponentFile::Parse(bytes, file, &error)) {
        if (error.isEmpty()) {
            Finding("rejected without saying why");
        }
        if (file.FamilyName != QLatin1String("untouched") || !file.Types.isEmpty() || !file.Solids.isEmpty()) {
            Finding("a rejected file changed the target");
        }
        return 0;
    }
    CheckAccepted(file);
    return 0;
}
