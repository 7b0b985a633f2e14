#include "ModelBuilder.h"
#include "SampleKit.h"
#include "SampleLibrary.h"

#include <cmath>

namespace vela {

using namespace kit;

namespace {

const QVector<Maker> s_makers = {
    {QStringLiteral("SHOP-1001"), QStringLiteral("华建门窗")},   {QStringLiteral("SHOP-1002"), QStringLiteral("中泰建材")},
    {QStringLiteral("SHOP-1003"), QStringLiteral("青松幕墙")},   {QStringLiteral("SHOP-1004"), QStringLiteral("安固防火")},
    {QStringLiteral("SHOP-1005"), QStringLiteral("筑匠建筑科技")},
};

// Door leaves: one, two equal, or a wide and a narrow one (子母门).
enum class DoorLeaves { Single, Double, Unequal };

void SwingDoor(tarn::ComponentFile& model, int width, int height, DoorLeaves leaves, unsigned leafColor,
               unsigned frameColor, bool vision, bool fireDoor)
{
    constexpr double Bar = 60;
    constexpr double Depth = 120;
    constexpr double Thickness = 45;
    ModelBuilder b(model);
    b.Box(QStringLiteral("门框"), 0, 0, 0, Bar, Depth, height, frameColor)
        .Box(QStringLiteral("门框"), width - Bar, 0, 0, Bar, Depth, height, frameColor)
        .Box(QStringLiteral("门框"), Bar, 0, height - Bar, width - 2 * Bar, Depth, Bar, frameColor);
    const double inner = width - 2 * Bar;
    QVector<double> split;
    switch (leaves) {
    case DoorLeaves::Single:
        split = {inner};
        break;
    case DoorLeaves::Double:
        split = {inner / 2, inner / 2};
        break;
    case DoorLeaves::Unequal:
        split = {inner * 2 / 3, inner / 3};
        break;
    }
    const double leafY = (Depth - Thickness) / 2;
    const double leafHeight = height - Bar - 10;
    double x = Bar;
    for (int i = 0; i < split.size(); ++i) {
        const double w = split[i] - 4;
        b.Box(QStringLiteral("门扇"), x + 2, leafY, 8, w, Thickness, leafHeight, leafColor);
        // Panels or a vision lite on the face of the leaf.
        const double inset = std::min(110.0, w * 0.15);
        const double panelWidth = w - 2 * inset;
        const double upper = leafHeight * 0.55;
        if (vision) {
            b.Box(QStringLiteral("观察窗框"), x + 2 + inset - 15, leafY - 8, upper, panelWidth + 30, 8,
                  leafHeight * 0.3 + 30, fireDoor ? DarkSteel : frameColor)
                .Box(QStringLiteral("观察窗玻璃"), x + 2 + inset, leafY - 10, upper + 15, panelWidth, 6,
                     leafHeight * 0.3, Glass, GlassOpacity);
        } else if (!fireDoor) {
            b.Box(QStringLiteral("门板造型"), x + 2 + inset, leafY - 6, upper, panelWidth, 6, leafHeight * 0.33,
                  leafColor);
        }
        if (!fireDoor) {
            b.Box(QStringLiteral("门板造型"), x + 2 + inset, leafY - 6, 150, panelWidth, 6, leafHeight * 0.33,
                  leafColor);
        }
        // Lever handle on the free edge of each leaf.
        const bool rightEdge = i == 0 && split.size() > 1;
        const double hx = rightEdge ? x + w - 70 : x + 2 + 70;
        const double direction = rightEdge ? -1 : 1;
        b.Cylinder(QStringLiteral("执手"), {hx, leafY, 1000}, {0, -1, 0}, 22, 55, Chrome)
            .Cylinder(QStringLiteral("执手"), {hx, leafY - 55, 1000}, {direction, 0, 0}, 11, 130, Chrome);
        if (fireDoor) {
            const double barLength = w * 0.7;
            const double bx = rightEdge ? x + w - barLength - 60 : x + 60;
            b.Cylinder(QStringLiteral("推杠"), {bx, leafY - 70, 950}, {1, 0, 0}, 16, barLength, Red)
                .Box(QStringLiteral("推杠支座"), bx, leafY - 70, 930, 40, 70, 40, DarkSteel)
                .Box(QStringLiteral("推杠支座"), bx + barLength - 40, leafY - 70, 930, 40, 70, 40, DarkSteel)
                .Box(QStringLiteral("闭门器"), x + w / 2 - 150, leafY - 50, leafHeight - 90, 300, 50, 70, Steel);
        }
        x += split[i];
    }
}

void SlidingDoor(tarn::ComponentFile& model, int width, int height, int panels, unsigned frameColor)
{
    constexpr double Bar = 50;
    ModelBuilder b(model);
    b.Box(QStringLiteral("门框"), 0, 0, 0, Bar, 140, height, frameColor)
        .Box(QStringLiteral("门框"), width - Bar, 0, 0, Bar, 140, height, frameColor)
        .Box(QStringLiteral("上轨"), Bar, 0, height - 90, width - 2 * Bar, 140, 90, frameColor)
        .Box(QStringLiteral("下轨"), Bar, 0, 0, width - 2 * Bar, 140, 20, frameColor);
    const double inner = width - 2 * Bar;
    const double panelWidth = inner / panels + 30;
    for (int i = 0; i < panels; ++i) {
        const double px = Bar + std::min(inner - panelWidth, i * (inner / panels) - 15.0);
        const double py = 20 + (i % 2) * 55;
        const double ph = height - 90 - 20;
        b.Frame(QStringLiteral("门扇框"), std::max(double(Bar), px), py, 20, panelWidth, ph, 45, 55, frameColor)
            .Box(QStringLiteral("门扇玻璃"), std::max(double(Bar), px) + 55, py + 18, 75, panelWidth - 110, 8,
                 ph - 110, Glass, GlassOpacity)
            .Box(QStringLiteral("拉手"), std::max(double(Bar), px) + (i % 2 ? 25 : panelWidth - 45), py - 25, 800, 20, 25,
                 500, DarkSteel);
    }
}

void RollerShutter(tarn::ComponentFile& model, int width, int height, unsigned slatColor)
{
    ModelBuilder b(model);
    constexpr double Rail = 80;
    b.Box(QStringLiteral("导轨"), 0, 0, 0, Rail, 120, height, DarkSteel)
        .Box(QStringLiteral("导轨"), width - Rail, 0, 0, Rail, 120, height, DarkSteel)
        .Box(QStringLiteral("卷轴箱"), -40, -60, height, width + 80, 360, 380, Steel);
    const double slat = 77;
    int count = 0;
    for (double z = 40; z + slat <= height && count < 60; z += slat, ++count) {
        b.Box(QStringLiteral("帘片"), Rail - 20, 40, z, width - 2 * Rail + 40, 22, slat - 7, slatColor);
    }
    b.Box(QStringLiteral("底梁"), Rail - 20, 30, 0, width - 2 * Rail + 40, 42, 40, DarkSteel)
        .Box(QStringLiteral("锁"), width / 2.0 - 60, 20, 20, 120, 12, 50, Chrome);
}

// A window frame with `columns` glazed sashes; `offset` staggers sashes in depth (sliding).
void Window(tarn::ComponentFile& model, int width, int height, int columns, unsigned frameColor, bool insulated,
            bool sliding)
{
    constexpr double Bar = 60;
    constexpr double Depth = 80;
    ModelBuilder b(model);
    b.Frame(QStringLiteral("窗框"), 0, 0, 0, width, height, Depth, Bar, frameColor)
        .Box(QStringLiteral("窗台"), -40, -50, -30, width + 80, 180, 30, White);
    const double inner = width - 2 * Bar;
    const double glass = insulated ? 24 : 6;
    for (int i = 0; i < columns; ++i) {
        double sashWidth = inner / columns;
        double sx = Bar + i * sashWidth;
        double sy = 12;
        if (sliding) {
            sashWidth += 25;
            sx = Bar + std::min(inner - sashWidth, i * (inner / columns) - 12.0);
            sx = std::max(double(Bar), sx);
            sy = 8 + (i % 2) * 36;
        } else if (i > 0) {
            b.Box(QStringLiteral("中梃"), sx - 25, 0, Bar, 50, Depth, height - 2 * Bar, frameColor);
        }
        const double sashBar = 50;
        const double sw = sliding ? sashWidth : sashWidth - (i > 0 ? 25 : 0) - (i + 1 < columns ? 25 : 0);
        const double sxx = sliding ? sx : sx + (i > 0 ? 25 : 0);
        b.Frame(QStringLiteral("窗扇"), sxx, sy, Bar, sw, height - 2 * Bar, 32, sashBar, frameColor)
            .Box(QStringLiteral("玻璃"), sxx + sashBar, sy + 16 - glass / 2, Bar + sashBar, sw - 2 * sashBar, glass,
                 height - 2 * Bar - 2 * sashBar, Glass, GlassOpacity);
        if (!sliding) {
            b.Box(QStringLiteral("执手"), sxx + sw - 40, sy - 30, height / 2.0, 18, 30, 110, Chrome);
        }
    }
}

void Louvre(tarn::ComponentFile& model, int width, int height, unsigned color)
{
    constexpr double Bar = 50;
    ModelBuilder b(model);
    b.Frame(QStringLiteral("百叶框"), 0, 0, 0, width, height, 110, Bar, color);
    const QVector<ModelBuilder::Point2> blade = {{0, 0}, {70, 58}, {64, 66}, {-6, 8}};
    for (double z = Bar + 10; z + 66 < height - Bar; z += 70) {
        b.Extrusion(QStringLiteral("叶片"), {Bar, 20, z}, ModelBuilder::Plane::YZ, blade, width - 2 * Bar, color);
    }
}

void FixedWindow(tarn::ComponentFile& model, int width, int height, int columns, int rows, unsigned frameColor)
{
    constexpr double Bar = 60;
    ModelBuilder b(model);
    b.Frame(QStringLiteral("窗框"), 0, 0, 0, width, height, 80, Bar, frameColor)
        .Box(QStringLiteral("玻璃"), Bar, 30, Bar, width - 2 * Bar, 24, height - 2 * Bar, Glass, GlassOpacity);
    for (int i = 1; i < columns; ++i) {
        b.Box(QStringLiteral("竖梃"), i * width / double(columns) - 20, -5, Bar, 40, 90, height - 2 * Bar, frameColor);
    }
    for (int j = 1; j < rows; ++j) {
        b.Box(QStringLiteral("横梃"), Bar, -5, j * height / double(rows) - 20, width - 2 * Bar, 90, 40, frameColor);
    }
}

void MasonryWall(tarn::ComponentFile& model, int length, int height, int thickness, int unitLength, int unitHeight,
                 unsigned color)
{
    // Each unit carries the joints beside and below it: one long mortar bed
    // would be drawn over the units that lie farther from the viewer.
    constexpr double Joint = 10;
    ModelBuilder b(model);
    int course = 0;
    for (double z = 0; z + unitHeight <= height + 1 && course < 40; z += unitHeight + Joint, ++course) {
        double x = course % 2 ? -unitLength / 2.0 : 0;
        for (; x < length; x += unitLength + Joint) {
            const double from = std::max(0.0, x);
            const double to = std::min(double(length), x + unitLength);
            if (to - from <= 20) {
                continue;
            }
            b.Box(QStringLiteral("砌块"), from, 0, z, to - from, thickness, unitHeight, color);
            if (to + Joint <= length) {
                b.Box(QStringLiteral("灰缝"), to, 6, z, Joint, thickness - 12, unitHeight, Mortar);
            }
            if (z > 0) {
                b.Box(QStringLiteral("灰缝"), from, 6, z - Joint, std::min(to + Joint, double(length)) - from,
                      thickness - 12, Joint, Mortar);
            }
        }
    }
}

void CurtainWall(tarn::ComponentFile& model, int panelWidth, int panelHeight, int columns, int rows, bool hidden)
{
    ModelBuilder b(model);
    const double width = panelWidth * columns;
    const double height = panelHeight * rows;
    for (int i = 0; i <= columns; ++i) {
        b.Box(QStringLiteral("立柱"), i * panelWidth - 30, hidden ? 40 : 0, 0, 60, 160, height, Aluminium);
    }
    for (int j = 0; j <= rows; ++j) {
        b.Box(QStringLiteral("横梁"), 0, hidden ? 40 : 10, j * panelHeight - 30, width, 120, 60, Aluminium);
    }
    for (int i = 0; i < columns; ++i) {
        for (int j = 0; j < rows; ++j) {
            const double gap = hidden ? 10 : 30;
            b.Box(QStringLiteral("玻璃面板"), i * panelWidth + gap, hidden ? 8 : 40, j * panelHeight + gap,
                  panelWidth - 2 * gap, 28, panelHeight - 2 * gap, Glass, 0.55);
        }
    }
}

void Partition(tarn::ComponentFile& model, int length, int height, int thickness, bool board)
{
    ModelBuilder b(model);
    if (board) {
        // Precast strip panels side by side.
        for (int x = 0; x < length; x += 600) {
            b.Box(QStringLiteral("条板"), x, 0, 0, std::min(595, length - x), thickness, height, Gypsum);
        }
        return;
    }
    constexpr double Skin = 12;
    b.Box(QStringLiteral("天龙骨"), 0, Skin, height - 40, length, thickness - 2 * Skin, 40, Steel)
        .Box(QStringLiteral("地龙骨"), 0, Skin, 0, length, thickness - 2 * Skin, 40, Steel);
    for (double x = 0; x < length; x += 600) {
        b.Box(QStringLiteral("竖龙骨"), x, Skin, 40, 50, thickness - 2 * Skin, height - 80, Steel);
    }
    // The front board stops short so the studs show at the end.
    b.Box(QStringLiteral("石膏板"), 0, 0, 0, length - 650, Skin, height, Gypsum)
        .Box(QStringLiteral("石膏板"), 0, thickness - Skin, 0, length, Skin, height, Gypsum);
}

QVector<ModelBuilder::Point2> StairProfile(int steps, double tread, double rise, bool mirrored, double run)
{
    QVector<ModelBuilder::Point2> profile;
    const auto add = [&](double u, double v) { profile.append({mirrored ? run - u : u, v}); };
    add(0, 0);
    for (int i = 0; i < steps; ++i) {
        add(i * tread, (i + 1) * rise);
        add((i + 1) * tread, (i + 1) * rise);
    }
    add(steps * tread, steps * rise - 320);
    add(320, 0);
    return profile;
}

void Handrail(ModelBuilder& b, double x, double y0, double z0, int steps, double tread, double rise, double direction)
{
    for (int i = 0; i <= steps; i += 3) {
        b.Post(QStringLiteral("栏杆立柱"), x, y0 + direction * (i * tread + tread / 2), z0 + i * rise, 18, 900, Steel);
    }
    const double length = std::hypot(steps * tread, steps * rise);
    b.Cylinder(QStringLiteral("扶手"), {x, y0 + direction * tread / 2, z0 + 900}, {0, direction * tread, rise}, 28,
               length, DarkWood);
}

void StraightStair(tarn::ComponentFile& model, int width, int steps, double tread, double rise, unsigned color,
                   bool slab, bool rail)
{
    ModelBuilder b(model);
    if (slab) {
        b.Extrusion(QStringLiteral("梯段"), {0, 0, 0}, ModelBuilder::Plane::YZ,
                    StairProfile(steps, tread, rise, false, 0), width, color);
    } else {
        const QVector<ModelBuilder::Point2> stringer = {
            {0, 0}, {steps * tread, steps * rise - 60}, {steps * tread, steps * rise + 120}, {0, 180}};
        b.Extrusion(QStringLiteral("梯梁"), {0, 0, 0}, ModelBuilder::Plane::YZ, stringer, 16, DarkSteel)
            .Extrusion(QStringLiteral("梯梁"), {width - 16.0, 0, 0}, ModelBuilder::Plane::YZ, stringer, 16, DarkSteel);
        for (int i = 0; i < steps; ++i) {
            b.Box(QStringLiteral("踏板"), 16, i * tread, (i + 1) * rise - 40, width - 32, tread + 20, 40, color);
        }
    }
    if (rail) {
        Handrail(b, width - 60, 0, 0, steps, tread, rise, 1);
    }
}

void DoubleRunStair(tarn::ComponentFile& model, int width, int steps, double tread, double rise, unsigned color,
                    bool rail)
{
    ModelBuilder b(model);
    const int first = steps / 2;
    const int second = steps - first;
    const double run = first * tread;
    const double landing = width + 100;
    b.Extrusion(QStringLiteral("梯段"), {0, 0, 0}, ModelBuilder::Plane::YZ, StairProfile(first, tread, rise, false, 0),
                width, color)
        .Box(QStringLiteral("休息平台"), 0, run, first * rise - 160, 2 * width + 100, landing, 160, color)
        .Extrusion(QStringLiteral("梯段"), {width + 100.0, run - second * tread, first * rise}, ModelBuilder::Plane::YZ,
                   StairProfile(second, tread, rise, true, second * tread), width, color);
    if (rail) {
        Handrail(b, width - 40, 0, 0, first, tread, rise, 1);
        Handrail(b, width + 140, run, first * rise, second, tread, rise, -1);
    }
}

void Railing(tarn::ComponentFile& model, int length, int height, bool glass, unsigned color)
{
    ModelBuilder b(model);
    const int posts = std::max(2, length / 1000 + 1);
    const double spacing = double(length) / (posts - 1);
    for (int i = 0; i < posts; ++i) {
        b.Box(QStringLiteral("立柱"), i * spacing - 25, 0, 0, 50, 50, height - 50, color);
    }
    b.Cylinder(QStringLiteral("扶手"), {-40, 25, height - 25.0}, {1, 0, 0}, 32, length + 80, glass ? Chrome : DarkWood);
    if (glass) {
        for (int i = 0; i + 1 < posts; ++i) {
            b.Box(QStringLiteral("玻璃栏板"), i * spacing + 40, 18, 100, spacing - 80, 14, height - 250, Glass, 0.5);
        }
    } else {
        b.Box(QStringLiteral("下横杆"), 0, 15, 100, length, 20, 30, color);
        for (double x = 120; x < length - 60; x += 120) {
            b.Box(QStringLiteral("栏杆"), x - 8, 17, 130, 16, 16, height - 210, color);
        }
    }
}

} // namespace

void SampleLibrary::AddArchitecture()
{
    Group(QStringLiteral("A01"), QStringLiteral("A"), QStringLiteral("门"));
    Group(QStringLiteral("A02"), QStringLiteral("A"), QStringLiteral("窗"));
    Group(QStringLiteral("A03"), QStringLiteral("A"), QStringLiteral("墙体"));
    Group(QStringLiteral("A04"), QStringLiteral("A"), QStringLiteral("楼梯栏杆"));

    // Doors
    const QVector<QPair<QString, QString>> doorMaterials = {
        {QStringLiteral("wood"), QStringLiteral("木质")}, {QStringLiteral("steel"), QStringLiteral("钢质")},
        {QStringLiteral("aluminium"), QStringLiteral("铝合金")}, {QStringLiteral("glass"), QStringLiteral("玻璃")}};
    const PropertySet doorProperties = {
        Enum(QStringLiteral("material"), QStringLiteral("材质"), doorMaterials),
        Number(QStringLiteral("width"), QStringLiteral("洞口宽度"), QStringLiteral("mm")),
        Int(QStringLiteral("leaves"), QStringLiteral("门扇数"), QStringLiteral("扇")),
        Logic(QStringLiteral("vision"), QStringLiteral("带观察窗")),
    };
    const auto doorParams = [](Random& r, const Maker& maker, int width, int height, const QString& material,
                               const QString& opening, int soundDb) {
        Params p;
        p.Add(QStringLiteral("洞口宽度"), width, QStringLiteral("mm"))
            .Add(QStringLiteral("洞口高度"), height, QStringLiteral("mm"))
            .Add(QStringLiteral("门扇厚度"), r.Pick(QVector<int>{40, 45, 50}), QStringLiteral("mm"))
            .Add(QStringLiteral("框料宽度"), 60, QStringLiteral("mm"))
            .Add(QStringLiteral("材质"), material)
            .Add(QStringLiteral("开启方向"), opening)
            .Add(QStringLiteral("五金配置"), r.Pick(QStringList{QStringLiteral("不锈钢执手锁"), QStringLiteral("静音磁吸锁"),
                                                               QStringLiteral("智能指纹锁")}))
            .Add(QStringLiteral("隔声量"), soundDb, QStringLiteral("dB"))
            .Add(QStringLiteral("重量"), qRound(width * height / 1e6 * r.Int(22, 38)), QStringLiteral("kg"))
            .Add(QStringLiteral("生产厂家"), maker.Name)
            .Family(r, QStringLiteral("门"));
        return p.List();
    };

    AddLeaf(QStringLiteral("A0101"), QStringLiteral("A01"), QStringLiteral("平开门"), 12, doorProperties,
            [doorParams, doorMaterials](Random& r, int index) {
                ComponentDesign d;
                const DoorLeaves leaves = index % 3 == 0 ? DoorLeaves::Double : index % 3 == 1 ? DoorLeaves::Single : DoorLeaves::Unequal;
                const QString material = index % 4 == 3 ? QStringLiteral("aluminium")
                                                        : index % 2 ? QStringLiteral("wood") : QStringLiteral("steel");
                const bool vision = r.Chance(0.35);
                const QVector<int> widths = leaves == DoorLeaves::Single ? QVector<int>{800, 900, 1000}
                                            : leaves == DoorLeaves::Double ? QVector<int>{1200, 1500, 1800}
                                                                      : QVector<int>{1200, 1350, 1500};
                const QVector<int> chosen = PickSome(r, widths, r.Int(1, 3));
                const int height = r.Pick(QVector<int>{2100, 2100, 2200, 2400});
                const QString leafText = leaves == DoorLeaves::Single ? QStringLiteral("单扇")
                                         : leaves == DoorLeaves::Double ? QStringLiteral("双扇")
                                                                   : QStringLiteral("子母");
                const QString style = material == QLatin1String("wood")
                                          ? r.Pick(QStringList{QStringLiteral("实木复合"), QStringLiteral("简约"),
                                                               QStringLiteral("新中式"), QStringLiteral("欧式浮雕")})
                                          : material == QLatin1String("steel") ? r.Pick(QStringList{QStringLiteral("防盗"), QStringLiteral("入户"), QString()})
                                                                               : QStringLiteral("极简");
                const Maker maker = PickMaker(r, s_makers);
                d.FamilyName = style + TextOf(doorMaterials, material) + leafText + QStringLiteral("平开门");
                d.Name = d.FamilyName + QStringLiteral(" M") + Dm(chosen[0]) + Dm(height);
                d.ShopId = maker.ShopId;
                for (int i = 0; i < chosen.size(); ++i) {
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("M") + Dm(chosen[i]) + Dm(height),
                                             doorParams(r, maker, chosen[i], height, TextOf(doorMaterials, material),
                                                        r.Pick(QStringList{QStringLiteral("内开右"), QStringLiteral("内开左"),
                                                                           QStringLiteral("外开右"), QStringLiteral("外开左")}),
                                                        r.Int(25, 35))});
                }
                d.Values = {{QStringLiteral("material"), material},
                            {QStringLiteral("width"), Num(chosen[0])},
                            {QStringLiteral("leaves"), QString::number(leaves == DoorLeaves::Single ? 1 : 2)},
                            {QStringLiteral("vision"), vision ? QStringLiteral("1") : QStringLiteral("0")}};
                const unsigned leafColor = material == QLatin1String("wood") ? r.Pick(QVector<unsigned>{Wood, LightWood, DarkWood})
                                           : material == QLatin1String("steel") ? r.Pick(QVector<unsigned>{0x5b6470, 0x7a3b2e, 0x8c939c})
                                                                                : Aluminium;
                SwingDoor(d.Model, chosen[0], height, leaves, leafColor, material == QLatin1String("wood") ? DarkWood : DarkSteel,
                          vision, false);
                return d;
            });

    AddLeaf(QStringLiteral("A0102"), QStringLiteral("A01"), QStringLiteral("推拉门"), 8, doorProperties,
            [doorParams](Random& r, int index) {
                ComponentDesign d;
                const int panels = index % 3 == 2 ? 4 : 2;
                const bool aluminium = index % 2 == 0;
                const QVector<int> chosen = PickSome(r, panels == 4 ? QVector<int>{2400, 2700, 3000, 3600}
                                                                     : QVector<int>{1500, 1800, 2100},
                                                     r.Int(1, 3));
                const int height = r.Pick(QVector<int>{2100, 2400, 2400});
                const Maker maker = PickMaker(r, s_makers);
                const QString prefix = aluminium ? r.Pick(QStringList{QStringLiteral("铝合金"), QStringLiteral("极窄边框铝合金")})
                                                 : QStringLiteral("钢化玻璃");
                d.FamilyName = prefix + (panels == 4 ? QStringLiteral("四扇") : QStringLiteral("两扇")) + QStringLiteral("推拉门");
                d.Name = d.FamilyName + QStringLiteral(" TLM") + Dm(chosen[0]) + Dm(height);
                d.ShopId = maker.ShopId;
                for (int i = 0; i < chosen.size(); ++i) {
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("TLM") + Dm(chosen[i]) + Dm(height),
                                             doorParams(r, maker, chosen[i], height,
                                                        aluminium ? QStringLiteral("铝合金") : QStringLiteral("玻璃"),
                                                        QStringLiteral("推拉"), r.Int(20, 28))});
                }
                d.Values = {{QStringLiteral("material"), aluminium ? QStringLiteral("aluminium") : QStringLiteral("glass")},
                            {QStringLiteral("width"), Num(chosen[0])},
                            {QStringLiteral("leaves"), QString::number(panels)},
                            {QStringLiteral("vision"), QStringLiteral("1")}};
                SlidingDoor(d.Model, chosen[0], height, panels, aluminium ? r.Pick(QVector<unsigned>{Aluminium, 0x3d3f42}) : Chrome);
                return d;
            });

    AddLeaf(QStringLiteral("A0103"), QStringLiteral("A01"), QStringLiteral("防火门"), 10, doorProperties,
            [doorParams](Random& r, int index) {
                ComponentDesign d;
                const QString grade = QStringList{QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")}[index % 3];
                const bool twoLeaves = index % 2 == 1;
                const bool wood = index % 5 == 4;
                const bool vision = r.Chance(0.5);
                const QVector<int> chosen = PickSome(r, twoLeaves ? QVector<int>{1200, 1500, 1800} : QVector<int>{900, 1000, 1100},
                                                     r.Int(1, 3));
                const int height = r.Pick(QVector<int>{2100, 2200});
                const Maker maker = PickMaker(r, s_makers);
                d.FamilyName = (wood ? QStringLiteral("木质") : QStringLiteral("钢质")) + grade + QStringLiteral("级")
                               + (twoLeaves ? QStringLiteral("双扇") : QStringLiteral("单扇")) + QStringLiteral("防火门");
                d.Name = d.FamilyName + QStringLiteral(" FM") + grade + Dm(chosen[0]) + Dm(height);
                d.ShopId = maker.ShopId;
                for (int i = 0; i < chosen.size(); ++i) {
                    QVector<CatalogWriter::Parameter> params = doorParams(r, maker, chosen[i], height,
                                                                          wood ? QStringLiteral("木质") : QStringLiteral("钢质"),
                                                                          QStringLiteral("外开"), r.Int(30, 38));
                    params.insert(5, {QStringLiteral("耐火完整性"),
                                      grade == QStringLiteral("甲") ? QStringLiteral("1.5") : grade == QStringLiteral("乙") ? QStringLiteral("1.0") : QStringLiteral("0.5"),
                                      QStringLiteral("h"), true});
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("FM") + grade + Dm(chosen[i]) + Dm(height), params});
                }
                d.Values = {{QStringLiteral("material"), wood ? QStringLiteral("wood") : QStringLiteral("steel")},
                            {QStringLiteral("width"), Num(chosen[0])},
                            {QStringLiteral("leaves"), QString::number(twoLeaves ? 2 : 1)},
                            {QStringLiteral("vision"), vision ? QStringLiteral("1") : QStringLiteral("0")}};
                SwingDoor(d.Model, chosen[0], height, twoLeaves ? DoorLeaves::Double : DoorLeaves::Single,
                          wood ? Wood : r.Pick(QVector<unsigned>{0x8b2f2a, 0x6f7780, 0x5d6a5a}), DarkSteel, vision, true);
                return d;
            });

    AddLeaf(QStringLiteral("A0104"), QStringLiteral("A01"), QStringLiteral("卷帘门"), 6, doorProperties,
            [doorParams](Random& r, int index) {
                ComponentDesign d;
                const bool fire = index % 2 == 1;
                const QVector<int> chosen = PickSome(r, QVector<int>{2400, 3000, 3600, 4200, 4800}, r.Int(1, 4));
                const int height = r.Pick(QVector<int>{2700, 3000, 3600});
                const Maker maker = PickMaker(r, s_makers);
                d.FamilyName = fire ? QStringLiteral("特级防火卷帘门") : r.Pick(QStringList{QStringLiteral("铝合金卷帘门"), QStringLiteral("电动彩钢卷帘门")});
                d.Name = d.FamilyName + (fire ? QStringLiteral(" FJL") : QStringLiteral(" JLM")) + Dm(chosen[0]) + Dm(height);
                d.ShopId = maker.ShopId;
                for (int i = 0; i < chosen.size(); ++i) {
                    QVector<CatalogWriter::Parameter> params =
                        doorParams(r, maker, chosen[i], height, fire ? QStringLiteral("钢质") : QStringLiteral("铝合金"),
                                   QStringLiteral("上卷"), r.Int(15, 22));
                    params.insert(6, {QStringLiteral("电机功率"), Num(r.Pick(QVector<double>{0.37, 0.55, 0.75})), QStringLiteral("kW"), true});
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), (fire ? QStringLiteral("FJL") : QStringLiteral("JLM")) + Dm(chosen[i]) + Dm(height), params});
                }
                d.Values = {{QStringLiteral("material"), fire ? QStringLiteral("steel") : QStringLiteral("aluminium")},
                            {QStringLiteral("width"), Num(chosen[0])},
                            {QStringLiteral("leaves"), QStringLiteral("1")},
                            {QStringLiteral("vision"), QStringLiteral("0")}};
                RollerShutter(d.Model, chosen[0], height, fire ? 0x9aa1a8 : r.Pick(QVector<unsigned>{Aluminium, 0x6f8fa8, 0xb9b19a}));
                return d;
            });

    // Windows
    const QVector<QPair<QString, QString>> frames = {
        {QStringLiteral("alu"), QStringLiteral("铝合金")}, {QStringLiteral("bridge"), QStringLiteral("断桥铝")},
        {QStringLiteral("upvc"), QStringLiteral("塑钢")}, {QStringLiteral("wood"), QStringLiteral("实木")}};
    const PropertySet windowProperties = {
        Enum(QStringLiteral("frame"), QStringLiteral("框材"), frames),
        Number(QStringLiteral("width"), QStringLiteral("洞口宽度"), QStringLiteral("mm")),
        Int(QStringLiteral("panes"), QStringLiteral("分格数"), QStringLiteral("格")),
        Logic(QStringLiteral("insulated"), QStringLiteral("中空玻璃")),
    };
    const auto windowParams = [](Random& r, const Maker& maker, int width, int height, const QString& frame, bool insulated,
                                 const QString& opening) {
        Params p;
        p.Add(QStringLiteral("洞口宽度"), width, QStringLiteral("mm"))
            .Add(QStringLiteral("洞口高度"), height, QStringLiteral("mm"))
            .Add(QStringLiteral("窗台高度"), r.Pick(QVector<int>{600, 900, 900, 1000}), QStringLiteral("mm"))
            .Add(QStringLiteral("框材"), frame)
            .Add(QStringLiteral("玻璃配置"), insulated ? r.Pick(QStringList{QStringLiteral("5+12A+5"), QStringLiteral("6+12A+6 Low-E")})
                                                     : QStringLiteral("6mm钢化"))
            .Add(QStringLiteral("开启方式"), opening)
            .Add(QStringLiteral("传热系数"), Num(insulated ? r.Int(18, 26) / 10.0 : r.Int(45, 58) / 10.0), QStringLiteral("W/(m²·K)"))
            .Add(QStringLiteral("气密性等级"), QString::number(r.Int(4, 8)))
            .Add(QStringLiteral("生产厂家"), maker.Name)
            .Family(r, QStringLiteral("窗"));
        return p.List();
    };
    struct WindowKind
    {
        const char* Code;
        const char* Name;
        int Count;
        const char* Prefix;
    };
    const WindowKind windowKinds[] = {{"A0201", "平开窗", 10, "C"}, {"A0202", "推拉窗", 10, "TC"},
                                      {"A0203", "百叶窗", 6, "BY"}, {"A0204", "固定窗", 6, "GC"}};
    for (const WindowKind& kind : windowKinds) {
        const QString code = QLatin1String(kind.Code);
        const QString leafName = QString::fromUtf8(kind.Name);
        const QString prefix = QLatin1String(kind.Prefix);
        AddLeaf(code, QStringLiteral("A02"), leafName, kind.Count, windowProperties,
                [windowParams, frames, code, leafName, prefix](Random& r, int index) {
                    ComponentDesign d;
                    const bool louvre = code == QLatin1String("A0203");
                    const bool fixed = code == QLatin1String("A0204");
                    const bool sliding = code == QLatin1String("A0202");
                    const QString frame = louvre ? QStringLiteral("alu") : frames[index % frames.size()].first;
                    const bool insulated = !louvre && (frame == QLatin1String("bridge") || r.Chance(0.4));
                    const QVector<int> chosen = PickSome(r, QVector<int>{600, 900, 1200, 1500, 1800, 2100}, r.Int(1, 4));
                    const int height = fixed && index % 2 ? 2400 : r.Pick(QVector<int>{1200, 1500, 1800});
                    const int columns = fixed ? std::max(1, chosen[0] / 900) : sliding ? 2 : std::max(1, std::min(3, chosen[0] / 600));
                    const Maker maker = PickMaker(r, s_makers);
                    const QString frameText = TextOf(frames, frame);
                    d.FamilyName = louvre ? r.Pick(QStringList{QStringLiteral("铝合金防雨百叶窗"), QStringLiteral("铝合金通风百叶窗")})
                                          : frameText + (fixed && height > 2000 ? QStringLiteral("落地") : QString()) + leafName;
                    d.Name = d.FamilyName + QLatin1Char(' ') + prefix + Dm(chosen[0]) + Dm(height);
                    d.ShopId = maker.ShopId;
                    for (int i = 0; i < chosen.size(); ++i) {
                        d.Specifications.append({QStringLiteral("S%1").arg(i + 1), prefix + Dm(chosen[i]) + Dm(height),
                                                 windowParams(r, maker, chosen[i], height, frameText, insulated,
                                                              fixed ? QStringLiteral("固定") : sliding ? QStringLiteral("推拉") : louvre ? QStringLiteral("固定百叶") : QStringLiteral("内平开"))});
                    }
                    d.Values = {{QStringLiteral("frame"), frame},
                                {QStringLiteral("width"), Num(chosen[0])},
                                {QStringLiteral("panes"), QString::number(columns)},
                                {QStringLiteral("insulated"), insulated ? QStringLiteral("1") : QStringLiteral("0")}};
                    const unsigned color = frame == QLatin1String("wood") ? Wood
                                           : frame == QLatin1String("upvc") ? White
                                                                            : r.Pick(QVector<unsigned>{Aluminium, 0x45484c, 0x8a7b6a});
                    if (louvre) {
                        Louvre(d.Model, chosen[0], height, color);
                    } else if (fixed) {
                        FixedWindow(d.Model, chosen[0], height, columns, height > 2000 ? 3 : 1, color);
                    } else {
                        Window(d.Model, chosen[0], height, columns, color, insulated, sliding);
                    }
                    return d;
                });
    }

    // Walls
    const PropertySet masonryProperties = {
        Enum(QStringLiteral("material"), QStringLiteral("砌体材料"),
             {{QStringLiteral("shale"), QStringLiteral("页岩多孔砖")}, {QStringLiteral("aac"), QStringLiteral("加气混凝土砌块")},
              {QStringLiteral("lime"), QStringLiteral("灰砂砖")}, {QStringLiteral("hollow"), QStringLiteral("混凝土空心砌块")}}),
        Number(QStringLiteral("thickness"), QStringLiteral("墙厚"), QStringLiteral("mm")),
        Int(QStringLiteral("fire"), QStringLiteral("耐火极限"), QStringLiteral("h")),
        Logic(QStringLiteral("bearing"), QStringLiteral("承重墙")),
    };
    AddLeaf(QStringLiteral("A0301"), QStringLiteral("A03"), QStringLiteral("砌体墙"), 8, masonryProperties,
            [masonryProperties](Random& r, int index) {
                ComponentDesign d;
                const auto& choices = masonryProperties[0].Choices;
                const QString material = choices[index % choices.size()].first;
                const bool brick = material == QLatin1String("shale") || material == QLatin1String("lime");
                const QVector<int> thicknesses = brick ? QVector<int>{120, 180, 240, 370} : QVector<int>{100, 150, 200, 250};
                const QVector<int> chosen = PickSome(r, thicknesses, r.Int(1, 4));
                const bool bearing = brick && chosen.last() >= 240;
                const Maker maker = PickMaker(r, s_makers);
                d.FamilyName = TextOf(choices, material) + QStringLiteral("墙");
                d.Name = d.FamilyName + QLatin1Char(' ') + QString::number(chosen[0]) + QStringLiteral("厚");
                d.ShopId = maker.ShopId;
                for (int i = 0; i < chosen.size(); ++i) {
                    Params p;
                    p.Add(QStringLiteral("墙厚"), chosen[i], QStringLiteral("mm"))
                        .Add(QStringLiteral("砌体材料"), TextOf(choices, material))
                        .Add(QStringLiteral("强度等级"), brick ? r.Pick(QStringList{QStringLiteral("MU10"), QStringLiteral("MU15")})
                                                            : r.Pick(QStringList{QStringLiteral("A3.5"), QStringLiteral("A5.0")}))
                        .Add(QStringLiteral("砂浆"), r.Pick(QStringList{QStringLiteral("M5混合砂浆"), QStringLiteral("M7.5水泥砂浆"), QStringLiteral("专用砌筑砂浆")}))
                        .Add(QStringLiteral("干密度"), brick ? r.Int(1300, 1800) : r.Int(500, 700), QStringLiteral("kg/m³"))
                        .Add(QStringLiteral("耐火极限"), chosen[i] >= 200 ? 4 : 3, QStringLiteral("h"))
                        .Add(QStringLiteral("生产厂家"), maker.Name)
                        .Family(r, QStringLiteral("墙"));
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QString::number(chosen[i]) + QStringLiteral("厚"), p.List()});
                }
                d.Values = {{QStringLiteral("material"), material},
                            {QStringLiteral("thickness"), Num(chosen[0])},
                            {QStringLiteral("fire"), chosen[0] >= 200 ? QStringLiteral("4") : QStringLiteral("3")},
                            {QStringLiteral("bearing"), bearing ? QStringLiteral("1") : QStringLiteral("0")}};
                MasonryWall(d.Model, 1800, 1200, chosen[0], brick ? 240 : 600, brick ? 53 : 200,
                            material == QLatin1String("shale") ? Brick : material == QLatin1String("lime") ? 0xd9d3c5
                                                                  : material == QLatin1String("aac") ? 0xe6e3dc : Concrete);
                return d;
            });

    const PropertySet curtainProperties = {
        Enum(QStringLiteral("system"), QStringLiteral("幕墙体系"),
             {{QStringLiteral("hidden"), QStringLiteral("隐框")}, {QStringLiteral("exposed"), QStringLiteral("明框")},
              {QStringLiteral("semi"), QStringLiteral("半隐框")}}),
        Number(QStringLiteral("module"), QStringLiteral("分格宽度"), QStringLiteral("mm")),
        Int(QStringLiteral("floors"), QStringLiteral("适用层高"), QStringLiteral("mm")),
        Logic(QStringLiteral("unitized"), QStringLiteral("单元式")),
    };
    AddLeaf(QStringLiteral("A0302"), QStringLiteral("A03"), QStringLiteral("玻璃幕墙"), 6, curtainProperties,
            [curtainProperties](Random& r, int index) {
                ComponentDesign d;
                const auto& systems = curtainProperties[0].Choices;
                const QString system = systems[index % systems.size()].first;
                const bool unitized = index % 2 == 0;
                const QVector<int> chosen = PickSome(r, QVector<int>{1200, 1350, 1500, 1800}, r.Int(1, 3));
                const int floor = r.Pick(QVector<int>{3600, 4200, 4500});
                const Maker maker = PickMaker(r, s_makers);
                d.FamilyName = TextOf(systems, system) + QStringLiteral("玻璃幕墙") + (unitized ? QStringLiteral(" 单元式") : QStringLiteral(" 框架式"));
                d.Name = d.FamilyName + QLatin1Char(' ') + QString::number(chosen[0]) + QStringLiteral("分格");
                d.ShopId = maker.ShopId;
                for (int i = 0; i < chosen.size(); ++i) {
                    Params p;
                    p.Add(QStringLiteral("分格宽度"), chosen[i], QStringLiteral("mm"))
                        .Add(QStringLiteral("分格高度"), floor / 2, QStringLiteral("mm"))
                        .Add(QStringLiteral("立柱截面"), QStringLiteral("60×%1").arg(r.Pick(QVector<int>{150, 180, 200})), QStringLiteral("mm"))
                        .Add(QStringLiteral("玻璃配置"), r.Pick(QStringList{QStringLiteral("8+12A+8 Low-E"), QStringLiteral("10+12A+10 超白")}))
                        .Add(QStringLiteral("型材表面"), r.Pick(QStringList{QStringLiteral("氟碳喷涂"), QStringLiteral("阳极氧化")}))
                        .Add(QStringLiteral("抗风压性能"), QString::number(r.Int(4, 7)), QStringLiteral("级"))
                        .Add(QStringLiteral("水密性能"), QString::number(r.Int(3, 5)), QStringLiteral("级"))
                        .Add(QStringLiteral("生产厂家"), maker.Name)
                        .Family(r, QStringLiteral("幕墙"));
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QString::number(chosen[i]) + QStringLiteral("×") + QString::number(floor / 2), p.List()});
                }
                d.Values = {{QStringLiteral("system"), system},
                            {QStringLiteral("module"), Num(chosen[0])},
                            {QStringLiteral("floors"), QString::number(floor)},
                            {QStringLiteral("unitized"), unitized ? QStringLiteral("1") : QStringLiteral("0")}};
                CurtainWall(d.Model, chosen[0], floor / 2, 3, 2, system == QLatin1String("hidden"));
                return d;
            });

    const PropertySet partitionProperties = {
        Enum(QStringLiteral("system"), QStringLiteral("隔墙体系"),
             {{QStringLiteral("gypsum"), QStringLiteral("轻钢龙骨石膏板")}, {QStringLiteral("alc"), QStringLiteral("ALC条板")},
              {QStringLiteral("gfrc"), QStringLiteral("GRC轻质条板")}}),
        Number(QStringLiteral("thickness"), QStringLiteral("墙厚"), QStringLiteral("mm")),
        Int(QStringLiteral("sound"), QStringLiteral("隔声量"), QStringLiteral("dB")),
        Logic(QStringLiteral("moisture"), QStringLiteral("防潮")),
    };
    AddLeaf(QStringLiteral("A0303"), QStringLiteral("A03"), QStringLiteral("轻质隔墙"), 6, partitionProperties,
            [partitionProperties](Random& r, int index) {
                ComponentDesign d;
                const auto& systems = partitionProperties[0].Choices;
                const QString system = systems[index % systems.size()].first;
                const bool studs = system == QLatin1String("gypsum");
                const QVector<int> chosen = PickSome(r, studs ? QVector<int>{100, 125, 150} : QVector<int>{90, 100, 120, 150}, r.Int(1, 3));
                const bool moisture = r.Chance(0.4);
                const int sound = r.Int(38, 50);
                const Maker maker = PickMaker(r, s_makers);
                d.FamilyName = TextOf(systems, system) + QStringLiteral("隔墙") + (moisture ? QStringLiteral("（防潮）") : QString());
                d.Name = d.FamilyName + QLatin1Char(' ') + QString::number(chosen[0]) + QStringLiteral("厚");
                d.ShopId = maker.ShopId;
                for (int i = 0; i < chosen.size(); ++i) {
                    Params p;
                    p.Add(QStringLiteral("墙厚"), chosen[i], QStringLiteral("mm"))
                        .Add(QStringLiteral("龙骨规格"), studs ? QStringLiteral("C%1×50×0.6").arg(chosen[i] - 25) : QStringLiteral("无"))
                        .Add(QStringLiteral("面板"), studs ? QStringLiteral("12mm纸面石膏板双面") : TextOf(systems, system))
                        .Add(QStringLiteral("隔声量"), sound + i, QStringLiteral("dB"))
                        .Add(QStringLiteral("耐火极限"), Num(r.Pick(QVector<double>{1, 1.5, 2})), QStringLiteral("h"))
                        .Add(QStringLiteral("最大高度"), r.Pick(QVector<int>{3600, 4200, 5000}), QStringLiteral("mm"))
                        .Add(QStringLiteral("生产厂家"), maker.Name)
                        .Family(r, QStringLiteral("墙"));
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QString::number(chosen[i]) + QStringLiteral("厚"), p.List()});
                }
                d.Values = {{QStringLiteral("system"), system},
                            {QStringLiteral("thickness"), Num(chosen[0])},
                            {QStringLiteral("sound"), QString::number(sound)},
                            {QStringLiteral("moisture"), moisture ? QStringLiteral("1") : QStringLiteral("0")}};
                Partition(d.Model, 2400, 2000, chosen[0], !studs);
                return d;
            });

    // Stairs and railings
    const QVector<QPair<QString, QString>> stairMaterials = {
        {QStringLiteral("concrete"), QStringLiteral("钢筋混凝土")}, {QStringLiteral("steel"), QStringLiteral("钢结构")},
        {QStringLiteral("wood"), QStringLiteral("实木")}};
    const PropertySet stairProperties = {
        Enum(QStringLiteral("material"), QStringLiteral("材料"), stairMaterials),
        Number(QStringLiteral("width"), QStringLiteral("梯段宽度"), QStringLiteral("mm")),
        Int(QStringLiteral("steps"), QStringLiteral("踏步数"), QStringLiteral("级")),
        Logic(QStringLiteral("rail"), QStringLiteral("带扶手")),
    };
    const auto stairParams = [](Random& r, const Maker& maker, int width, int steps, double tread, double rise,
                                const QString& material) {
        Params p;
        p.Add(QStringLiteral("梯段宽度"), width, QStringLiteral("mm"))
            .Add(QStringLiteral("踏步数"), steps, QStringLiteral("级"))
            .Add(QStringLiteral("踏步宽度"), tread, QStringLiteral("mm"))
            .Add(QStringLiteral("踏步高度"), rise, QStringLiteral("mm"))
            .Add(QStringLiteral("梯板厚度"), material == QStringLiteral("钢筋混凝土") ? 120 : 40, QStringLiteral("mm"))
            .Add(QStringLiteral("材料"), material)
            .Add(QStringLiteral("栏杆高度"), 1050, QStringLiteral("mm"))
            .Add(QStringLiteral("生产厂家"), maker.Name)
            .Family(r, QStringLiteral("楼梯"));
        return p.List();
    };
    for (const bool doubleRun : {false, true}) {
        AddLeaf(doubleRun ? QStringLiteral("A0402") : QStringLiteral("A0401"), QStringLiteral("A04"),
                doubleRun ? QStringLiteral("双跑楼梯") : QStringLiteral("直跑楼梯"), 6, stairProperties,
                [stairParams, stairMaterials, doubleRun](Random& r, int index) {
                    ComponentDesign d;
                    const QString material = doubleRun ? QStringLiteral("concrete") : stairMaterials[index % 3].first;
                    const QVector<int> chosen = PickSome(r, QVector<int>{1000, 1100, 1200, 1400}, r.Int(1, 3));
                    const int steps = doubleRun ? r.Pick(QVector<int>{18, 20, 22, 24}) : r.Int(10, 15);
                    const double rise = doubleRun ? 150 + 5 * r.Int(0, 3) : 160 + 5 * r.Int(0, 3);
                    const double tread = 260 + 10 * r.Int(0, 4);
                    const bool rail = doubleRun || index % 3 != 2;
                    const Maker maker = PickMaker(r, s_makers);
                    d.FamilyName = TextOf(stairMaterials, material) + (doubleRun ? QStringLiteral("平行双跑楼梯") : QStringLiteral("直跑楼梯"));
                    d.Name = d.FamilyName + QLatin1Char(' ') + QString::number(chosen[0]) + QStringLiteral("宽 ") + QString::number(steps)
                             + QStringLiteral("级");
                    d.ShopId = maker.ShopId;
                    for (int i = 0; i < chosen.size(); ++i) {
                        d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QString::number(chosen[i]) + QStringLiteral("宽"),
                                                 stairParams(r, maker, chosen[i], steps, tread, rise, TextOf(stairMaterials, material))});
                    }
                    d.Values = {{QStringLiteral("material"), material},
                                {QStringLiteral("width"), Num(chosen[0])},
                                {QStringLiteral("steps"), QString::number(steps)},
                                {QStringLiteral("rail"), rail ? QStringLiteral("1") : QStringLiteral("0")}};
                    const unsigned color = material == QLatin1String("concrete") ? Concrete
                                           : material == QLatin1String("wood") ? LightWood : 0x3f4a56;
                    if (doubleRun) {
                        DoubleRunStair(d.Model, chosen[0], steps, tread, rise, color, rail);
                    } else {
                        StraightStair(d.Model, chosen[0], steps, tread, rise, color, material == QLatin1String("concrete"), rail);
                    }
                    d.View = {-40, 28};
                    return d;
                });
    }

    const QVector<QPair<QString, QString>> railingKinds = {
        {QStringLiteral("glass"), QStringLiteral("不锈钢玻璃栏杆")}, {QStringLiteral("iron"), QStringLiteral("铁艺栏杆")},
        {QStringLiteral("steel"), QStringLiteral("方管钢栏杆")}, {QStringLiteral("wood"), QStringLiteral("木扶手金属栏杆")}};
    const PropertySet railingProperties = {
        Enum(QStringLiteral("kind"), QStringLiteral("栏杆形式"), railingKinds),
        Number(QStringLiteral("height"), QStringLiteral("栏杆高度"), QStringLiteral("mm")),
        Int(QStringLiteral("load"), QStringLiteral("水平荷载"), QStringLiteral("kN/m")),
        Logic(QStringLiteral("outdoor"), QStringLiteral("室外使用")),
    };
    AddLeaf(QStringLiteral("A0403"), QStringLiteral("A04"), QStringLiteral("栏杆扶手"), 8, railingProperties,
            [railingKinds](Random& r, int index) {
                ComponentDesign d;
                const QString kind = railingKinds[index % railingKinds.size()].first;
                const QVector<int> chosen = PickSome(r, QVector<int>{900, 1050, 1100, 1200}, r.Int(1, 3));
                const bool outdoor = r.Chance(0.5);
                const int load = outdoor ? 1 : r.Int(1, 2);
                const Maker maker = PickMaker(r, s_makers);
                d.FamilyName = TextOf(railingKinds, kind);
                d.Name = d.FamilyName + QLatin1Char(' ') + QString::number(chosen[0]) + QStringLiteral("高");
                d.ShopId = maker.ShopId;
                for (int i = 0; i < chosen.size(); ++i) {
                    Params p;
                    p.Add(QStringLiteral("栏杆高度"), chosen[i], QStringLiteral("mm"))
                        .Add(QStringLiteral("立柱间距"), 1000, QStringLiteral("mm"))
                        .Add(QStringLiteral("扶手直径"), 64, QStringLiteral("mm"))
                        .Add(QStringLiteral("栏杆净距"), kind == QLatin1String("glass") ? 0 : 104, QStringLiteral("mm"))
                        .Add(QStringLiteral("水平荷载"), load, QStringLiteral("kN/m"))
                        .Add(QStringLiteral("表面处理"), r.Pick(QStringList{QStringLiteral("拉丝"), QStringLiteral("喷塑"), QStringLiteral("氟碳漆")}))
                        .Add(QStringLiteral("生产厂家"), maker.Name)
                        .Family(r, QStringLiteral("栏杆扶手"));
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QString::number(chosen[i]) + QStringLiteral("高"), p.List()});
                }
                d.Values = {{QStringLiteral("kind"), kind},
                            {QStringLiteral("height"), Num(chosen[0])},
                            {QStringLiteral("load"), QString::number(load)},
                            {QStringLiteral("outdoor"), outdoor ? QStringLiteral("1") : QStringLiteral("0")}};
                Railing(d.Model, 3000, chosen[0], kind == QLatin1String("glass"),
                        kind == QLatin1String("glass") ? Chrome : kind == QLatin1String("iron") ? Black : DarkSteel);
                return d;
            });
}

} // namespace vela
