#include "ModelBuilder.h"
#include "SampleKit.h"
#include "SampleLibrary.h"

#include <cmath>

namespace vela {

using namespace kit;

namespace {

constexpr double Pi = 3.14159265358979323846;

const QVector<Maker> s_makers = {
    {QStringLiteral("SHOP-3001"), QStringLiteral("宏达管业")},   {QStringLiteral("SHOP-3002"), QStringLiteral("恒盛阀门")},
    {QStringLiteral("SHOP-3003"), QStringLiteral("博远机电")},   {QStringLiteral("SHOP-3004"), QStringLiteral("安消消防设备")},
    {QStringLiteral("SHOP-3005"), QStringLiteral("润泉给排水")},
};

// Outside diameter of a pipe of nominal size DN, in millimetres.
double OutsideDiameter(int dn, bool plastic)
{
    static const QVector<QPair<int, QPair<double, double>>> table = {
        {15, {20, 21.3}},   {20, {25, 26.9}},   {25, {32, 33.7}},   {32, {40, 42.4}},   {40, {50, 48.3}},
        {50, {63, 60.3}},   {65, {75, 76.1}},   {80, {90, 88.9}},   {100, {110, 114.3}}, {125, {140, 139.7}},
        {150, {160, 168.3}}, {200, {225, 219.1}}, {250, {280, 273.0}}, {300, {315, 323.9}}};
    for (const auto& row : table) {
        if (row.first == dn) {
            return plastic ? row.second.first : row.second.second;
        }
    }
    return dn * 1.1;
}

void Flange(ModelBuilder& b, double x, double radius, unsigned color, double direction = 1)
{
    b.Cylinder(QStringLiteral("法兰"), {x, 0, 0}, {direction, 0, 0}, radius, std::max(14.0, radius * 0.18), color);
}

// A pipe run along x through the origin, with a coupling at each end.
void Pipe(tarn::ComponentFile& model, double outside, double length, unsigned color, bool insulated)
{
    ModelBuilder b(model);
    const double r = outside / 2;
    const double coupling = std::max(30.0, outside * 0.6);
    b.Cylinder(QStringLiteral("管身"), {0, 0, 0}, {1, 0, 0}, r, length, color)
        .Cylinder(QStringLiteral("管箍"), {-10, 0, 0}, {1, 0, 0}, r * 1.18, coupling, color)
        .Cylinder(QStringLiteral("管箍"), {length - coupling + 10, 0, 0}, {1, 0, 0}, r * 1.18, coupling, color);
    if (insulated) {
        b.Cylinder(QStringLiteral("保温层"), {length * 0.25, 0, 0}, {1, 0, 0}, r + 25, length * 0.5, 0x404448, 0.9);
    }
}

enum class ValveKind { Gate, Butterfly, Ball, Check };

void Valve(tarn::ComponentFile& model, ValveKind kind, int dn, bool electric)
{
    ModelBuilder b(model);
    const double od = OutsideDiameter(dn, false);
    const double flangeRadius = od * 0.95 + 25;
    const unsigned body = kind == ValveKind::Ball ? Brass : kind == ValveKind::Butterfly ? 0x35507a : 0x3c4650;
    double length = 0;
    double top = 0;
    switch (kind) {
    case ValveKind::Gate:
        length = dn * 1.6 + 80;
        Flange(b, 0, flangeRadius, body);
        b.Cylinder(QStringLiteral("阀体"), {0, 0, 0}, {1, 0, 0}, od * 0.62, length, body)
            .Sphere(QStringLiteral("阀腔"), {length / 2, 0, 0}, od * 0.75, body)
            .Post(QStringLiteral("阀盖"), length / 2, 0, 0, od * 0.38, od * 1.7, body)
            .Post(QStringLiteral("阀杆"), length / 2, 0, od * 1.7, od * 0.08 + 4, od * 0.9, Chrome);
        Flange(b, length, flangeRadius, body, -1);
        top = od * 2.6;
        break;
    case ValveKind::Butterfly:
        length = dn * 0.35 + 40;
        b.Cylinder(QStringLiteral("阀体"), {0, 0, 0}, {1, 0, 0}, flangeRadius, length, body)
            .Post(QStringLiteral("阀颈"), length / 2, 0, flangeRadius * 0.8, od * 0.14 + 6, od * 0.55, body);
        top = flangeRadius * 0.8 + od * 0.55;
        break;
    case ValveKind::Ball:
        length = dn * 1.5 + 60;
        b.Cylinder(QStringLiteral("阀体"), {0, 0, 0}, {1, 0, 0}, od * 0.62, length, body)
            .Sphere(QStringLiteral("球体"), {length / 2, 0, 0}, od * 0.8, body)
            .Post(QStringLiteral("阀杆"), length / 2, 0, od * 0.7, od * 0.12 + 3, od * 0.35, Chrome);
        top = od * 1.05;
        break;
    case ValveKind::Check:
        length = dn * 2.2 + 100;
        Flange(b, 0, flangeRadius, body);
        b.Cylinder(QStringLiteral("阀体"), {0, 0, 0}, {1, 0, 0}, od * 0.62, length, body)
            .Post(QStringLiteral("阀盖"), length / 2, 0, 0, od * 0.75, od * 0.85, body)
            .Post(QStringLiteral("螺栓盖板"), length / 2, 0, od * 0.85, od * 0.85, od * 0.12, body);
        Flange(b, length, flangeRadius, body, -1);
        return;
    }
    if (electric) {
        const double size = std::max(80.0, od * 1.1);
        b.Post(QStringLiteral("支架"), length / 2, 0, top, od * 0.15 + 5, size * 0.3, DarkSteel);
        top += size * 0.3;
        b.Box(QStringLiteral("电动执行器"), length / 2 - size / 2, -size / 2, top, size, size, size * 0.8, 0x5b7fa8)
            .Post(QStringLiteral("接线盒"), length / 2 + size / 2, 0, top + size * 0.2, size * 0.15, size * 0.4, Black);
    } else if (kind == ValveKind::Gate) {
        b.Post(QStringLiteral("手轮"), length / 2, 0, top - od * 0.2, od * 0.9 + 40, 22, Red);
    } else {
        const double lever = od * 2 + 80;
        b.Box(QStringLiteral("手柄"), length / 2 - 15, -12, top, lever, 24, 18, kind == ValveKind::Ball ? 0x1f5faa : Red);
    }
}

void Elbow(ModelBuilder& b, double radius, double bend, unsigned color)
{
    constexpr int Segments = 8;
    for (int i = 0; i < Segments; ++i) {
        const double t0 = (Pi / 2) * i / Segments;
        const double t1 = (Pi / 2) * (i + 1) / Segments;
        const ModelBuilder::Point3 a{bend * std::sin(t0), 0, bend - bend * std::cos(t0)};
        const ModelBuilder::Point3 c{bend * std::sin(t1), 0, bend - bend * std::cos(t1)};
        const double length = std::hypot(c[0] - a[0], c[2] - a[2]);
        b.Cylinder(QStringLiteral("弯头"), a, {c[0] - a[0], 0, c[2] - a[2]}, radius, length * 1.04, color);
    }
}

} // namespace

void SampleLibrary::AddPlumbingAndFire()
{
    Group(QStringLiteral("M01"), QStringLiteral("M"), QStringLiteral("给排水"));
    Group(QStringLiteral("M02"), QStringLiteral("M"), QStringLiteral("消防"));

    // Pipes
    const QVector<QPair<QString, QString>> pipeMaterials = {
        {QStringLiteral("ppr"), QStringLiteral("PPR")},          {QStringLiteral("pvc"), QStringLiteral("PVC-U")},
        {QStringLiteral("galv"), QStringLiteral("热镀锌钢管")},  {QStringLiteral("ss"), QStringLiteral("薄壁不锈钢管")},
        {QStringLiteral("cu"), QStringLiteral("紫铜管")},        {QStringLiteral("hdpe"), QStringLiteral("HDPE")}};
    AddLeaf(QStringLiteral("M0101"), QStringLiteral("M01"), QStringLiteral("给水管"), 12,
            {Enum(QStringLiteral("material"), QStringLiteral("管材"), pipeMaterials),
             Number(QStringLiteral("outside"), QStringLiteral("外径"), QStringLiteral("mm")),
             Int(QStringLiteral("dn"), QStringLiteral("公称直径"), QStringLiteral("DN")),
             Logic(QStringLiteral("insulated"), QStringLiteral("保温"))},
            [pipeMaterials](Random& r, int index) {
                ComponentDesign d;
                const QString material = pipeMaterials[index % pipeMaterials.size()].first;
                const bool plastic = material == QLatin1String("ppr") || material == QLatin1String("pvc") || material == QLatin1String("hdpe");
                const bool drain = material == QLatin1String("pvc") || material == QLatin1String("hdpe");
                const QVector<int> options = drain ? QVector<int>{50, 80, 100, 150, 200} : material == QLatin1String("cu") ? QVector<int>{15, 20, 25}
                                                                                              : QVector<int>{20, 25, 32, 40, 50, 65, 80, 100};
                const QVector<int> chosen = PickSome(r, options, r.Int(1, 4));
                const bool insulated = !drain && r.Chance(0.4);
                const Maker maker = PickMaker(r, s_makers);
                const QString text = TextOf(pipeMaterials, material);
                d.FamilyName = text + (drain ? QStringLiteral("排水管") : plastic ? QStringLiteral("给水管") : QString());
                d.Name = d.FamilyName + QStringLiteral(" DN%1").arg(chosen[0])
                         + (material == QLatin1String("ppr") ? QStringLiteral(" S%1").arg(r.Pick(QStringList{QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("3.2")})) : QString());
                d.ShopId = maker.ShopId;
                for (int i = 0; i < chosen.size(); ++i) {
                    const double od = OutsideDiameter(chosen[i], plastic);
                    Params p;
                    p.Add(QStringLiteral("公称直径"), QStringLiteral("DN%1").arg(chosen[i]))
                        .Add(QStringLiteral("外径"), od, QStringLiteral("mm"))
                        .Add(QStringLiteral("壁厚"), Num(std::round(od * (plastic ? 0.09 : 0.05) * 10) / 10), QStringLiteral("mm"))
                        .Add(QStringLiteral("管材"), text)
                        .Add(QStringLiteral("公称压力"), Num(drain ? 0.6 : r.Pick(QVector<double>{1.0, 1.6, 2.0})), QStringLiteral("MPa"))
                        .Add(QStringLiteral("连接方式"), plastic ? (drain ? QStringLiteral("粘接") : QStringLiteral("热熔")) : r.Pick(QStringList{QStringLiteral("螺纹"), QStringLiteral("卡压"), QStringLiteral("沟槽")}))
                        .Add(QStringLiteral("标准长度"), drain ? 4000 : 6000, QStringLiteral("mm"))
                        .Add(QStringLiteral("执行标准"), plastic ? QStringLiteral("GB/T 18742") : QStringLiteral("GB/T 3091"))
                        .Add(QStringLiteral("生产厂家"), maker.Name)
                        .Family(r, QStringLiteral("管道"));
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("DN%1").arg(chosen[i]), p.List()});
                }
                d.Values = {{QStringLiteral("material"), material},
                            {QStringLiteral("outside"), Num(OutsideDiameter(chosen[0], plastic))},
                            {QStringLiteral("dn"), QString::number(chosen[0])},
                            {QStringLiteral("insulated"), insulated ? QStringLiteral("1") : QStringLiteral("0")}};
                const unsigned color = material == QLatin1String("ppr") ? Green
                                       : material == QLatin1String("pvc") ? PvcGrey
                                       : material == QLatin1String("galv") ? 0x9ea3a6
                                       : material == QLatin1String("ss") ? Chrome
                                       : material == QLatin1String("cu") ? Copper : Black;
                Pipe(d.Model, OutsideDiameter(chosen[0], plastic), OutsideDiameter(chosen[0], plastic) * 9 + 300, color,
                     insulated);
                d.View = {32, 28};
                return d;
            });

    // Valves
    const QVector<QPair<QString, QString>> valveKinds = {
        {QStringLiteral("gate"), QStringLiteral("闸阀")}, {QStringLiteral("butterfly"), QStringLiteral("蝶阀")},
        {QStringLiteral("ball"), QStringLiteral("球阀")}, {QStringLiteral("check"), QStringLiteral("止回阀")}};
    AddLeaf(QStringLiteral("M0102"), QStringLiteral("M01"), QStringLiteral("阀门"), 14,
            {Enum(QStringLiteral("kind"), QStringLiteral("阀门类型"), valveKinds),
             Number(QStringLiteral("pressure"), QStringLiteral("公称压力"), QStringLiteral("MPa")),
             Int(QStringLiteral("dn"), QStringLiteral("公称直径"), QStringLiteral("DN")),
             Logic(QStringLiteral("electric"), QStringLiteral("电动执行器"))},
            [valveKinds](Random& r, int index) {
                ComponentDesign d;
                const int k = index % valveKinds.size();
                const ValveKind kind = static_cast<ValveKind>(k);
                const bool electric = kind != ValveKind::Check && index % 3 == 2;
                const QVector<int> options = kind == ValveKind::Ball ? QVector<int>{15, 20, 25, 32, 40, 50}
                                                                     : QVector<int>{50, 65, 80, 100, 125, 150, 200};
                const QVector<int> chosen = PickSome(r, options, r.Int(1, 4));
                const double pressure = r.Pick(QVector<double>{1.0, 1.6, 2.5});
                const QString model = kind == ValveKind::Gate ? QStringLiteral("Z%141H").arg(electric ? QStringLiteral("9") : QString())
                                      : kind == ValveKind::Butterfly ? QStringLiteral("D%171X").arg(electric ? QStringLiteral("9") : QString())
                                      : kind == ValveKind::Ball ? QStringLiteral("Q%111F").arg(electric ? QStringLiteral("9") : QString())
                                                                : QStringLiteral("H44H");
                const QString code = QStringLiteral("%1-%2").arg(model).arg(int(pressure * 10));
                const Maker maker = PickMaker(r, s_makers);
                const QString connection = kind == ValveKind::Ball ? QStringLiteral("螺纹") : kind == ValveKind::Butterfly ? QStringLiteral("对夹式") : QStringLiteral("法兰");
                d.FamilyName = (electric ? QStringLiteral("电动") : QString()) + connection + (kind == ValveKind::Check ? QStringLiteral("旋启式") : QString())
                               + TextOf(valveKinds, valveKinds[k].first);
                d.Name = d.FamilyName + QLatin1Char(' ') + code + QStringLiteral(" DN%1").arg(chosen[0]);
                d.ShopId = maker.ShopId;
                for (int i = 0; i < chosen.size(); ++i) {
                    Params p;
                    p.Add(QStringLiteral("公称直径"), QStringLiteral("DN%1").arg(chosen[i]))
                        .Add(QStringLiteral("公称压力"), pressure, QStringLiteral("MPa"))
                        .Add(QStringLiteral("型号"), code)
                        .Add(QStringLiteral("连接方式"), connection)
                        .Add(QStringLiteral("阀体材质"), kind == ValveKind::Ball ? QStringLiteral("黄铜") : r.Pick(QStringList{QStringLiteral("球墨铸铁"), QStringLiteral("碳钢 WCB"), QStringLiteral("不锈钢 CF8")}))
                        .Add(QStringLiteral("密封面"), r.Pick(QStringList{QStringLiteral("三元乙丙"), QStringLiteral("硬密封"), QStringLiteral("聚四氟乙烯")}))
                        .Add(QStringLiteral("适用温度"), QStringLiteral("-10~%1").arg(r.Pick(QVector<int>{80, 120, 150})), QStringLiteral("℃"))
                        .Add(QStringLiteral("驱动方式"), electric ? QStringLiteral("电动 AC220V") : kind == ValveKind::Gate ? QStringLiteral("手轮") : kind == ValveKind::Check ? QStringLiteral("自动") : QStringLiteral("手柄"))
                        .Add(QStringLiteral("结构长度"), qRound(chosen[i] * 1.6 + 80), QStringLiteral("mm"))
                        .Add(QStringLiteral("生产厂家"), maker.Name)
                        .Family(r, QStringLiteral("管道附件"));
                    if (electric) {
                        p.Add(QStringLiteral("执行器功率"), Num(r.Pick(QVector<double>{15, 25, 40})), QStringLiteral("W"));
                    }
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("DN%1").arg(chosen[i]), p.List()});
                }
                d.Values = {{QStringLiteral("kind"), valveKinds[k].first},
                            {QStringLiteral("pressure"), Num(pressure)},
                            {QStringLiteral("dn"), QString::number(chosen[0])},
                            {QStringLiteral("electric"), electric ? QStringLiteral("1") : QStringLiteral("0")}};
                Valve(d.Model, kind, chosen[0], electric);
                d.View = {30, 24};
                return d;
            });

    // Fittings
    const QVector<QPair<QString, QString>> fittingKinds = {
        {QStringLiteral("elbow"), QStringLiteral("90°弯头")}, {QStringLiteral("tee"), QStringLiteral("等径三通")},
        {QStringLiteral("reducer"), QStringLiteral("同心异径管")}, {QStringLiteral("cross"), QStringLiteral("四通")}};
    AddLeaf(QStringLiteral("M0103"), QStringLiteral("M01"), QStringLiteral("管件"), 10,
            {Enum(QStringLiteral("kind"), QStringLiteral("管件类型"), fittingKinds),
             Number(QStringLiteral("outside"), QStringLiteral("外径"), QStringLiteral("mm")),
             Int(QStringLiteral("dn"), QStringLiteral("公称直径"), QStringLiteral("DN")),
             Logic(QStringLiteral("flanged"), QStringLiteral("法兰连接"))},
            [fittingKinds](Random& r, int index) {
                ComponentDesign d;
                const QString kind = fittingKinds[index % fittingKinds.size()].first;
                const bool flanged = index % 3 == 1;
                const bool plastic = !flanged && index % 2 == 0;
                const QVector<int> chosen = PickSome(r, QVector<int>{25, 32, 50, 80, 100, 150}, r.Int(1, 4));
                const Maker maker = PickMaker(r, s_makers);
                const QString material = plastic ? QStringLiteral("PPR") : flanged ? QStringLiteral("碳钢") : QStringLiteral("热镀锌");
                d.FamilyName = material + (flanged ? QStringLiteral("法兰") : QString()) + TextOf(fittingKinds, kind);
                d.Name = d.FamilyName + QStringLiteral(" DN%1").arg(chosen[0]);
                d.ShopId = maker.ShopId;
                for (int i = 0; i < chosen.size(); ++i) {
                    const double od = OutsideDiameter(chosen[i], plastic);
                    Params p;
                    p.Add(QStringLiteral("公称直径"), QStringLiteral("DN%1").arg(chosen[i]))
                        .Add(QStringLiteral("外径"), od, QStringLiteral("mm"))
                        .Add(QStringLiteral("材质"), material)
                        .Add(QStringLiteral("连接方式"), flanged ? QStringLiteral("法兰") : plastic ? QStringLiteral("热熔") : QStringLiteral("螺纹"))
                        .Add(QStringLiteral("弯曲半径"), kind == QLatin1String("elbow") ? Num(1.5 * chosen[i]) : QStringLiteral("—"), QStringLiteral("mm"))
                        .Add(QStringLiteral("公称压力"), Num(r.Pick(QVector<double>{1.0, 1.6})), QStringLiteral("MPa"))
                        .Add(QStringLiteral("生产厂家"), maker.Name)
                        .Family(r, QStringLiteral("管件"));
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("DN%1").arg(chosen[i]), p.List()});
                }
                const double od = OutsideDiameter(chosen[0], plastic);
                d.Values = {{QStringLiteral("kind"), kind},
                            {QStringLiteral("outside"), Num(od)},
                            {QStringLiteral("dn"), QString::number(chosen[0])},
                            {QStringLiteral("flanged"), flanged ? QStringLiteral("1") : QStringLiteral("0")}};
                const unsigned color = plastic ? Green : flanged ? 0x3c4650 : 0x9ea3a6;
                const double r0 = od / 2;
                const double stub = od * 0.8 + 20;
                ModelBuilder b(d.Model);
                if (kind == QLatin1String("elbow")) {
                    const double bend = od * 1.5;
                    b.Cylinder(QStringLiteral("接口"), {-stub, 0, 0}, {1, 0, 0}, r0 * 1.12, stub, color);
                    Elbow(b, r0, bend, color);
                    b.Cylinder(QStringLiteral("接口"), {bend, 0, bend}, {0, 0, 1}, r0 * 1.12, stub, color);
                    if (flanged) {
                        b.Cylinder(QStringLiteral("法兰"), {-stub, 0, 0}, {1, 0, 0}, r0 * 2 + 20, 20, color)
                            .Cylinder(QStringLiteral("法兰"), {bend, 0, bend + stub - 20}, {0, 0, 1}, r0 * 2 + 20, 20, color);
                    }
                } else if (kind == QLatin1String("reducer")) {
                    const double small = r0 * 0.6;
                    b.Cylinder(QStringLiteral("大端"), {0, 0, 0}, {1, 0, 0}, r0 * 1.1, stub, color);
                    for (int step = 0; step < 4; ++step) {
                        const double radius = r0 - (r0 - small) * (step + 0.5) / 4;
                        b.Cylinder(QStringLiteral("锥段"), {stub + step * od * 0.2, 0, 0}, {1, 0, 0}, radius, od * 0.2, color);
                    }
                    b.Cylinder(QStringLiteral("小端"), {stub + od * 0.8, 0, 0}, {1, 0, 0}, small * 1.12, stub, color);
                } else {
                    const double run = 2 * stub + od;
                    b.Cylinder(QStringLiteral("主管"), {0, 0, 0}, {1, 0, 0}, r0 * 1.12, run, color)
                        .Cylinder(QStringLiteral("支管"), {run / 2, 0, 0}, {0, 0, 1}, r0 * 1.12, stub + r0, color);
                    if (kind == QLatin1String("cross")) {
                        b.Cylinder(QStringLiteral("支管"), {run / 2, 0, 0}, {0, 0, -1}, r0 * 1.12, stub + r0, color);
                    }
                    if (flanged) {
                        b.Cylinder(QStringLiteral("法兰"), {0, 0, 0}, {1, 0, 0}, r0 * 2 + 20, 20, color)
                            .Cylinder(QStringLiteral("法兰"), {run - 20, 0, 0}, {1, 0, 0}, r0 * 2 + 20, 20, color)
                            .Cylinder(QStringLiteral("法兰"), {run / 2, 0, stub + r0 - 20}, {0, 0, 1}, r0 * 2 + 20, 20, color);
                    }
                }
                d.View = {30, 24};
                return d;
            });

    // Hydrant cabinets
    AddLeaf(QStringLiteral("M0201"), QStringLiteral("M02"), QStringLiteral("消火栓箱"), 6,
            {Enum(QStringLiteral("install"), QStringLiteral("安装方式"),
                  {{QStringLiteral("surface"), QStringLiteral("明装")}, {QStringLiteral("recessed"), QStringLiteral("暗装")},
                   {QStringLiteral("semi"), QStringLiteral("半暗装")}}),
             Number(QStringLiteral("hose"), QStringLiteral("水带长度"), QStringLiteral("m")),
             Int(QStringLiteral("dn"), QStringLiteral("栓口直径"), QStringLiteral("DN")),
             Logic(QStringLiteral("reel"), QStringLiteral("带消防软管卷盘"))},
            [](Random& r, int index) {
                ComponentDesign d;
                const QString install = QStringList{QStringLiteral("surface"), QStringLiteral("recessed"), QStringLiteral("semi")}[index % 3];
                const bool reel = index % 2 == 0;
                struct Size
                {
                    int Width;
                    int Height;
                    int Depth;
                };
                const QVector<Size> chosen = PickSome(r, QVector<Size>{{650, 800, 240}, {700, 1000, 240}, {750, 1200, 240}, {750, 1600, 320}}, r.Int(1, 3));
                const Maker maker = PickMaker(r, s_makers);
                d.FamilyName = QStringLiteral("室内消火栓箱") + (reel ? QStringLiteral("（带卷盘）") : QString());
                d.Name = d.FamilyName + QStringLiteral(" SG24%1-65 %2×%3").arg(reel ? QStringLiteral("A") : QStringLiteral("B")).arg(chosen[0].Height).arg(chosen[0].Width);
                d.ShopId = maker.ShopId;
                for (int i = 0; i < chosen.size(); ++i) {
                    Params p;
                    p.Add(QStringLiteral("箱体尺寸"), QStringLiteral("%1×%2×%3").arg(chosen[i].Height).arg(chosen[i].Width).arg(chosen[i].Depth), QStringLiteral("mm"))
                        .Add(QStringLiteral("栓口直径"), QStringLiteral("DN65"))
                        .Add(QStringLiteral("水带"), QStringLiteral("DN65 25m"))
                        .Add(QStringLiteral("水枪"), QStringLiteral("QZ19"))
                        .Add(QStringLiteral("安装方式"), install == QLatin1String("surface") ? QStringLiteral("明装") : install == QLatin1String("recessed") ? QStringLiteral("暗装") : QStringLiteral("半暗装"))
                        .Add(QStringLiteral("箱体材质"), r.Pick(QStringList{QStringLiteral("冷轧钢板 1.2mm"), QStringLiteral("不锈钢 1.0mm")}))
                        .Add(QStringLiteral("消防卷盘"), reel ? QStringLiteral("JPS0.8-19/30") : QStringLiteral("无"))
                        .Add(QStringLiteral("生产厂家"), maker.Name)
                        .Family(r, QStringLiteral("消防设备"));
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("%1×%2").arg(chosen[i].Height).arg(chosen[i].Width), p.List()});
                }
                d.Values = {{QStringLiteral("install"), install},
                            {QStringLiteral("hose"), QStringLiteral("25")},
                            {QStringLiteral("dn"), QStringLiteral("65")},
                            {QStringLiteral("reel"), reel ? QStringLiteral("1") : QStringLiteral("0")}};
                const Size& s = chosen[0];
                ModelBuilder b(d.Model);
                b.Box(QStringLiteral("箱体"), 0, 0, 0, s.Width, s.Depth, s.Height, Red)
                    .Frame(QStringLiteral("箱门框"), 0, -18, 0, s.Width, s.Height, 18, 50, 0xb52a25)
                    .Box(QStringLiteral("玻璃"), 50, -12, 50, s.Width - 100.0, 6, s.Height - 100.0, Glass, 0.35)
                    .Cylinder(QStringLiteral("卷盘"), {s.Width / 2.0, 30, s.Height * 0.62}, {0, 1, 0}, s.Width * 0.34, 120, White)
                    .Cylinder(QStringLiteral("卷盘轴"), {s.Width / 2.0, 20, s.Height * 0.62}, {0, 1, 0}, 40, 140, Red)
                    .Box(QStringLiteral("栓口"), s.Width * 0.15, 40, s.Height * 0.18, 140, 120, 120, Brass)
                    .Box(QStringLiteral("拉手"), s.Width - 40.0, -40, s.Height * 0.45, 16, 22, 160, Chrome);
                d.View = {28, 18};
                return d;
            });

    // Sprinklers
    const QVector<QPair<QString, QString>> sprinklerKinds = {
        {QStringLiteral("upright"), QStringLiteral("直立型")}, {QStringLiteral("pendent"), QStringLiteral("下垂型")},
        {QStringLiteral("sidewall"), QStringLiteral("边墙型")}};
    AddLeaf(QStringLiteral("M0202"), QStringLiteral("M02"), QStringLiteral("喷头"), 6,
            {Enum(QStringLiteral("kind"), QStringLiteral("喷头类型"), sprinklerKinds),
             Number(QStringLiteral("temperature"), QStringLiteral("动作温度"), QStringLiteral("℃")),
             Int(QStringLiteral("k"), QStringLiteral("流量系数K"), QString()),
             Logic(QStringLiteral("fast"), QStringLiteral("快速响应"))},
            [sprinklerKinds](Random& r, int index) {
                ComponentDesign d;
                const int k = index % sprinklerKinds.size();
                const bool fast = index >= 3;
                const int temperature = r.Pick(QVector<int>{57, 68, 79, 93});
                const QVector<int> factors = PickSome(r, QVector<int>{80, 115, 161, 202}, r.Int(1, 3));
                const Maker maker = PickMaker(r, s_makers);
                d.FamilyName = TextOf(sprinklerKinds, sprinklerKinds[k].first) + (fast ? QStringLiteral("快速响应") : QString()) + QStringLiteral("玻璃球喷头");
                d.Name = d.FamilyName + QStringLiteral(" ZSTZ15/%1℃").arg(temperature);
                d.ShopId = maker.ShopId;
                for (int i = 0; i < factors.size(); ++i) {
                    Params p;
                    p.Add(QStringLiteral("流量系数K"), factors[i], QString())
                        .Add(QStringLiteral("动作温度"), temperature, QStringLiteral("℃"))
                        .Add(QStringLiteral("玻璃球颜色"), temperature == 57 ? QStringLiteral("橙") : temperature == 68 ? QStringLiteral("红") : temperature == 79 ? QStringLiteral("黄") : QStringLiteral("绿"))
                        .Add(QStringLiteral("接口螺纹"), factors[i] > 115 ? QStringLiteral("R3/4") : QStringLiteral("R1/2"))
                        .Add(QStringLiteral("响应时间指数"), fast ? QStringLiteral("≤50") : QStringLiteral("≤350"), QStringLiteral("(m·s)^0.5"))
                        .Add(QStringLiteral("工作压力"), Num(1.2), QStringLiteral("MPa"))
                        .Add(QStringLiteral("生产厂家"), maker.Name)
                        .Family(r, QStringLiteral("喷头"));
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("K=%1").arg(factors[i]), p.List()});
                }
                d.Values = {{QStringLiteral("kind"), sprinklerKinds[k].first},
                            {QStringLiteral("temperature"), Num(temperature)},
                            {QStringLiteral("k"), QString::number(factors[0])},
                            {QStringLiteral("fast"), fast ? QStringLiteral("1") : QStringLiteral("0")}};
                const unsigned bulb = temperature == 57 ? 0xf08a24 : temperature == 68 ? 0xd9312b : temperature == 79 ? 0xe8c326 : 0x3aa655;
                // Upright: thread at the bottom, deflector on top; the others the other way round.
                const double s = k == 0 ? 1 : -1;
                const double z0 = k == 0 ? 0 : 60;
                ModelBuilder b(d.Model);
                b.Cylinder(QStringLiteral("接口"), {0, 0, z0}, {0, 0, s}, 10, 14, Brass)
                    .Cylinder(QStringLiteral("本体"), {0, 0, z0 + s * 14}, {0, 0, s}, 12, 6, Brass)
                    .Box(QStringLiteral("框架"), -12, -3, std::min(z0 + s * 20, z0 + s * 46), 5, 6, 26, Brass)
                    .Box(QStringLiteral("框架"), 7, -3, std::min(z0 + s * 20, z0 + s * 46), 5, 6, 26, Brass)
                    .Cylinder(QStringLiteral("玻璃球"), {0, 0, z0 + s * 22}, {0, 0, s}, 2.6, 20, bulb, 0.85)
                    .Cylinder(QStringLiteral("溅水盘"), {0, 0, z0 + s * 46}, {0, 0, s}, k == 2 ? 14 : 17, 2, Brass);
                d.View = {30, k == 0 ? 20.0 : -15.0};
                return d;
            });

    // Extinguishers
    const QVector<QPair<QString, QString>> agents = {
        {QStringLiteral("abc"), QStringLiteral("ABC干粉")}, {QStringLiteral("co2"), QStringLiteral("二氧化碳")},
        {QStringLiteral("foam"), QStringLiteral("泡沫")}, {QStringLiteral("water"), QStringLiteral("水基")}};
    AddLeaf(QStringLiteral("M0203"), QStringLiteral("M02"), QStringLiteral("灭火器"), 6,
            {Enum(QStringLiteral("agent"), QStringLiteral("灭火剂"), agents),
             Number(QStringLiteral("charge"), QStringLiteral("充装量"), QStringLiteral("kg")),
             Int(QStringLiteral("rating"), QStringLiteral("灭火级别"), QStringLiteral("A")),
             Logic(QStringLiteral("cart"), QStringLiteral("推车式"))},
            [agents](Random& r, int index) {
                ComponentDesign d;
                const QString agent = agents[index % agents.size()].first;
                const bool cart = index >= 4;
                const QVector<double> charges = cart ? QVector<double>{20, 35, 50} : QVector<double>{2, 3, 4, 5, 8};
                const QVector<double> chosen = PickSome(r, charges, r.Int(1, 3));
                const int rating = cart ? 6 : chosen[0] >= 4 ? 2 : 1;
                const Maker maker = PickMaker(r, s_makers);
                const QString prefix = agent == QLatin1String("abc") ? QStringLiteral("MFZ/ABC") : agent == QLatin1String("co2") ? QStringLiteral("MT")
                                       : agent == QLatin1String("foam") ? QStringLiteral("MP") : QStringLiteral("MSZ");
                d.FamilyName = (cart ? QStringLiteral("推车式") : QStringLiteral("手提式")) + TextOf(agents, agent) + QStringLiteral("灭火器");
                d.Name = d.FamilyName + QLatin1Char(' ') + (cart ? QStringLiteral("MFTZ/ABC") : prefix) + Num(chosen[0]);
                d.ShopId = maker.ShopId;
                for (int i = 0; i < chosen.size(); ++i) {
                    Params p;
                    p.Add(QStringLiteral("充装量"), chosen[i], QStringLiteral("kg"))
                        .Add(QStringLiteral("灭火剂"), TextOf(agents, agent))
                        .Add(QStringLiteral("灭火级别"), QStringLiteral("%1A/%2B").arg(rating).arg(rating * 21 + 34))
                        .Add(QStringLiteral("有效喷射时间"), cart ? 40 : qRound(8 + chosen[i] * 1.5), QStringLiteral("s"))
                        .Add(QStringLiteral("喷射距离"), Num(cart ? 8 : 4 + chosen[i] * 0.2), QStringLiteral("m"))
                        .Add(QStringLiteral("使用温度"), QStringLiteral("-20~55"), QStringLiteral("℃"))
                        .Add(QStringLiteral("生产厂家"), maker.Name)
                        .Family(r, QStringLiteral("消防设备"));
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), Num(chosen[i]) + QStringLiteral("kg"), p.List()});
                }
                d.Values = {{QStringLiteral("agent"), agent},
                            {QStringLiteral("charge"), Num(chosen[0])},
                            {QStringLiteral("rating"), QString::number(rating)},
                            {QStringLiteral("cart"), cart ? QStringLiteral("1") : QStringLiteral("0")}};
                ModelBuilder b(d.Model);
                const double radius = cart ? 150 : 55 + chosen[0] * 4;
                const double height = cart ? 700 : 300 + chosen[0] * 30;
                const double lift = cart ? 120 : 0;
                b.Post(QStringLiteral("瓶体"), 0, 0, lift, radius, height, Red)
                    .Sphere(QStringLiteral("瓶肩"), {0, 0, lift + height}, radius * 0.98, Red)
                    .Post(QStringLiteral("瓶阀"), 0, 0, lift + height + radius * 0.8, 18, 60, Black)
                    .Box(QStringLiteral("压把"), -10, -14, lift + height + radius * 0.8 + 60, 120, 28, 14, Black)
                    .Cylinder(QStringLiteral("喷管"), {0, 18, lift + height + radius * 0.8 + 30}, {0, 1, -0.6}, 10, radius * 1.3, Black);
                if (cart) {
                    b.Cylinder(QStringLiteral("车轮"), {-radius - 60, 60, 120}, {1, 0, 0}, 120, 50, Black)
                        .Cylinder(QStringLiteral("车轮"), {radius + 10, 60, 120}, {1, 0, 0}, 120, 50, Black)
                        .Cylinder(QStringLiteral("车架"), {-radius - 10, 60, 120}, {1, 0, 0}, 15, 2 * radius + 20, DarkSteel)
                        .Cylinder(QStringLiteral("推把"), {0, 150, 100}, {0, 0.3, 1}, 15, height + 300, DarkSteel);
                }
                d.View = {30, 18};
                return d;
            });
}

} // namespace vela
