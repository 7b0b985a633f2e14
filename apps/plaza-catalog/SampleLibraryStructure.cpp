#include "ModelBuilder.h"
#include "SampleKit.h"
#include "SampleLibrary.h"

#include <cmath>

namespace vela {

using namespace kit;

namespace {

constexpr double Pi = 3.14159265358979323846;

const QVector<Maker> s_makers = {
    {QStringLiteral("SHOP-2001"), QStringLiteral("筑匠结构")},   {QStringLiteral("SHOP-2002"), QStringLiteral("宏基预制构件")},
    {QStringLiteral("SHOP-2003"), QStringLiteral("远图钢构")},   {QStringLiteral("SHOP-2004"), QStringLiteral("坚石基础工程")},
};

// An H (I) section: flanges `width` wide and `flange` thick, web `web` thick, overall `depth`.
QVector<ModelBuilder::Point2> HSection(double depth, double width, double web, double flange)
{
    const double w = width / 2;
    const double t = web / 2;
    const double d = depth / 2;
    return {{-w, -d}, {w, -d}, {w, -d + flange}, {t, -d + flange}, {t, d - flange}, {w, d - flange},
            {w, d},   {-w, d}, {-w, d - flange}, {-t, d - flange}, {-t, -d + flange}, {-w, -d + flange}};
}

// Starter bars left standing out of the top of a cast member.
void StarterBars(ModelBuilder& b, double cx, double cy, double z, double halfX, double halfY, bool round, int bars)
{
    for (int i = 0; i < bars; ++i) {
        double x = 0;
        double y = 0;
        if (round) {
            const double t = 2 * Pi * i / bars;
            x = cx + halfX * std::cos(t);
            y = cy + halfY * std::sin(t);
        } else {
            const int side = i % 4;
            const double along = (i / 4 + 1.0) / (bars / 4 + 1.0);
            const double corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
            const double* a = corners[side];
            const double* c = corners[(side + 1) % 4];
            x = cx + halfX * (a[0] + (c[0] - a[0]) * (i < 4 ? 0 : along));
            y = cy + halfY * (a[1] + (c[1] - a[1]) * (i < 4 ? 0 : along));
        }
        b.Post(QStringLiteral("插筋"), x, y, z, 12, 600, 0x7b4a35);
    }
}

} // namespace

void SampleLibrary::AddStructure()
{
    Group(QStringLiteral("S01"), QStringLiteral("S"), QStringLiteral("柱"));
    Group(QStringLiteral("S02"), QStringLiteral("S"), QStringLiteral("梁"));
    Group(QStringLiteral("S03"), QStringLiteral("S"), QStringLiteral("基础"));

    const QVector<QPair<QString, QString>> concreteGrades = {
        {QStringLiteral("C30"), QStringLiteral("C30")}, {QStringLiteral("C35"), QStringLiteral("C35")},
        {QStringLiteral("C40"), QStringLiteral("C40")}, {QStringLiteral("C50"), QStringLiteral("C50")}};
    const QVector<QPair<QString, QString>> steelGrades = {{QStringLiteral("Q235B"), QStringLiteral("Q235B")},
                                                          {QStringLiteral("Q355B"), QStringLiteral("Q355B")},
                                                          {QStringLiteral("Q390C"), QStringLiteral("Q390C")}};
    const auto columnProperties = [](const QVector<QPair<QString, QString>>& grades, const QString& sizeName) {
        return PropertySet{
            Enum(QStringLiteral("grade"), QStringLiteral("材料等级"), grades),
            Number(QStringLiteral("size"), sizeName, QStringLiteral("mm")),
            Int(QStringLiteral("height"), QStringLiteral("柱高"), QStringLiteral("mm")),
            Logic(QStringLiteral("seismic"), QStringLiteral("抗震加强区")),
        };
    };
    const auto concreteParams = [](Random& r, const Maker& maker, const QString& section, int height, const QString& grade,
                                   const QString& family) {
        Params p;
        p.Add(QStringLiteral("截面尺寸"), section, QStringLiteral("mm"))
            .Add(QStringLiteral("高度"), height, QStringLiteral("mm"))
            .Add(QStringLiteral("混凝土强度等级"), grade)
            .Add(QStringLiteral("纵筋"), QStringLiteral("%1C%2").arg(r.Pick(QVector<int>{8, 12, 16})).arg(r.Pick(QVector<int>{20, 22, 25})))
            .Add(QStringLiteral("箍筋"), QStringLiteral("C%1@100/200").arg(r.Pick(QVector<int>{8, 10})))
            .Add(QStringLiteral("保护层厚度"), r.Pick(QVector<int>{20, 25, 30}), QStringLiteral("mm"))
            .Add(QStringLiteral("抗震等级"), r.Pick(QStringList{QStringLiteral("一级"), QStringLiteral("二级"), QStringLiteral("三级")}))
            .Add(QStringLiteral("环境类别"), r.Pick(QStringList{QStringLiteral("一类"), QStringLiteral("二a类")}))
            .Add(QStringLiteral("构件厂家"), maker.Name)
            .Family(r, family);
        return p.List();
    };

    AddLeaf(QStringLiteral("S0101"), QStringLiteral("S01"), QStringLiteral("矩形混凝土柱"), 10,
            columnProperties(concreteGrades, QStringLiteral("截面边长")), [concreteParams, concreteGrades](Random& r, int index) {
                ComponentDesign d;
                const QString grade = concreteGrades[index % concreteGrades.size()].first;
                const QVector<int> sides = PickSome(r, QVector<int>{400, 500, 600, 700, 800}, r.Int(1, 4));
                const bool square = index % 3 != 2;
                const int height = r.Pick(QVector<int>{3000, 3600, 4200, 4500});
                const bool seismic = r.Chance(0.4);
                const Maker maker = PickMaker(r, s_makers);
                const auto section = [&](int side) {
                    return QStringLiteral("%1×%2").arg(side).arg(square ? side : side + 200);
                };
                d.FamilyName = (square ? QStringLiteral("方形") : QStringLiteral("矩形")) + QStringLiteral("混凝土柱 KZ");
                d.Name = d.FamilyName + QString::number(index + 1) + QLatin1Char(' ') + section(sides[0]) + QLatin1Char(' ') + grade;
                d.ShopId = maker.ShopId;
                for (int i = 0; i < sides.size(); ++i) {
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), section(sides[i]),
                                             concreteParams(r, maker, section(sides[i]), height, grade, QStringLiteral("结构柱"))});
                }
                d.Values = {{QStringLiteral("grade"), grade},
                            {QStringLiteral("size"), Num(sides[0])},
                            {QStringLiteral("height"), QString::number(height)},
                            {QStringLiteral("seismic"), seismic ? QStringLiteral("1") : QStringLiteral("0")}};
                ModelBuilder b(d.Model);
                const double w = sides[0];
                const double depth = square ? w : w + 200;
                b.Box(QStringLiteral("柱身"), 0, 0, 0, w, depth, height, Concrete);
                if (index % 2 == 0) {
                    StarterBars(b, w / 2, depth / 2, height, w / 2 - 50, depth / 2 - 50, false, 8);
                } else {
                    b.Box(QStringLiteral("楼板"), -500, -500, height, w + 1000, depth + 1000, 150, 0xc9c6be);
                }
                return d;
            });

    AddLeaf(QStringLiteral("S0102"), QStringLiteral("S01"), QStringLiteral("圆形混凝土柱"), 8,
            columnProperties(concreteGrades, QStringLiteral("直径")), [concreteParams, concreteGrades](Random& r, int index) {
                ComponentDesign d;
                const QString grade = concreteGrades[(index + 1) % concreteGrades.size()].first;
                const QVector<int> diameters = PickSome(r, QVector<int>{500, 600, 700, 800, 1000}, r.Int(1, 4));
                const int height = r.Pick(QVector<int>{3600, 4200, 5400});
                const bool seismic = r.Chance(0.4);
                const Maker maker = PickMaker(r, s_makers);
                d.FamilyName = QStringLiteral("圆形混凝土柱");
                d.Name = d.FamilyName + QStringLiteral(" D") + QString::number(diameters[0]) + QLatin1Char(' ') + grade
                         + (index % 2 ? QStringLiteral(" 清水") : QString());
                d.ShopId = maker.ShopId;
                for (int i = 0; i < diameters.size(); ++i) {
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("D%1").arg(diameters[i]),
                                             concreteParams(r, maker, QStringLiteral("Φ%1").arg(diameters[i]), height, grade,
                                                            QStringLiteral("结构柱"))});
                }
                d.Values = {{QStringLiteral("grade"), grade},
                            {QStringLiteral("size"), Num(diameters[0])},
                            {QStringLiteral("height"), QString::number(height)},
                            {QStringLiteral("seismic"), seismic ? QStringLiteral("1") : QStringLiteral("0")}};
                ModelBuilder b(d.Model);
                const double r0 = diameters[0] / 2.0;
                b.Post(QStringLiteral("柱身"), 0, 0, 0, r0, height, Concrete);
                if (index % 2 == 0) {
                    StarterBars(b, 0, 0, height, r0 - 60, r0 - 60, true, 10);
                } else {
                    b.Box(QStringLiteral("楼板"), -r0 - 500, -r0 - 500, height, 2 * r0 + 1000, 2 * r0 + 1000, 150, 0xc9c6be);
                }
                return d;
            });

    const auto steelParams = [](Random& r, const Maker& maker, const QString& section, double depth, double width,
                                double web, double flange, const QString& grade, const QString& family) {
        Params p;
        p.Add(QStringLiteral("截面规格"), section)
            .Add(QStringLiteral("截面高度"), depth, QStringLiteral("mm"))
            .Add(QStringLiteral("翼缘宽度"), width, QStringLiteral("mm"))
            .Add(QStringLiteral("腹板厚度"), web, QStringLiteral("mm"))
            .Add(QStringLiteral("翼缘厚度"), flange, QStringLiteral("mm"))
            .Add(QStringLiteral("钢材牌号"), grade)
            .Add(QStringLiteral("理论重量"), Num(std::round((2 * width * flange + (depth - 2 * flange) * web) * 7.85e-3)),
                 QStringLiteral("kg/m"))
            .Add(QStringLiteral("防腐涂装"), r.Pick(QStringList{QStringLiteral("环氧富锌底漆"), QStringLiteral("热浸镀锌")}))
            .Add(QStringLiteral("防火涂料"), r.Pick(QStringList{QStringLiteral("薄型 1.5h"), QStringLiteral("厚型 2.5h")}))
            .Add(QStringLiteral("构件厂家"), maker.Name)
            .Family(r, family);
        return p.List();
    };
    struct HProfile
    {
        int Depth;
        int Width;
        int Web;
        int Flange;
        const char* Series;
    };
    const QVector<HProfile> columnsH = {{200, 200, 8, 12, "HW"}, {250, 250, 9, 14, "HW"}, {300, 300, 10, 15, "HW"},
                                        {350, 350, 12, 19, "HW"}, {400, 400, 13, 21, "HW"}};
    AddLeaf(QStringLiteral("S0103"), QStringLiteral("S01"), QStringLiteral("H型钢柱"), 8, columnProperties(steelGrades, QStringLiteral("截面高度")),
            [steelParams, steelGrades, columnsH](Random& r, int index) {
                ComponentDesign d;
                const QString grade = steelGrades[index % steelGrades.size()].first;
                const QVector<HProfile> chosen = PickSome(r, columnsH, r.Int(1, 3));
                const int height = r.Pick(QVector<int>{3600, 4500, 6000});
                const Maker maker = PickMaker(r, s_makers);
                const auto name = [](const HProfile& h) {
                    return QStringLiteral("%1%2×%3").arg(QLatin1String(h.Series)).arg(h.Depth).arg(h.Width);
                };
                d.FamilyName = QStringLiteral("热轧H型钢柱");
                d.Name = d.FamilyName + QLatin1Char(' ') + name(chosen[0]) + QLatin1Char(' ') + grade;
                d.ShopId = maker.ShopId;
                for (int i = 0; i < chosen.size(); ++i) {
                    const HProfile& h = chosen[i];
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), name(h),
                                             steelParams(r, maker, name(h), h.Depth, h.Width, h.Web, h.Flange, grade, QStringLiteral("结构柱"))});
                }
                d.Values = {{QStringLiteral("grade"), grade},
                            {QStringLiteral("size"), Num(chosen[0].Depth)},
                            {QStringLiteral("height"), QString::number(height)},
                            {QStringLiteral("seismic"), r.Chance(0.3) ? QStringLiteral("1") : QStringLiteral("0")}};
                const HProfile& h = chosen[0];
                ModelBuilder b(d.Model);
                const double plate = h.Width + 200.0;
                b.Box(QStringLiteral("柱脚底板"), -plate / 2, -plate / 2, 0, plate, plate, 30, DarkSteel)
                    .Extrusion(QStringLiteral("柱身"), {0, 0, 30}, ModelBuilder::Plane::XY,
                               HSection(h.Depth, h.Width, h.Web, h.Flange), height - 50, 0x5f7488)
                    .Box(QStringLiteral("柱顶板"), -h.Width / 2.0 - 20, -h.Depth / 2.0 - 20, height - 20, h.Width + 40.0,
                         h.Depth + 40.0, 20, DarkSteel);
                for (const double x : {-plate / 2 + 50, plate / 2 - 50}) {
                    for (const double y : {-plate / 2 + 50, plate / 2 - 50}) {
                        b.Post(QStringLiteral("锚栓"), x, y, 30, 14, 90, Brass);
                    }
                }
                return d;
            });

    const PropertySet beamProperties = {
        Enum(QStringLiteral("grade"), QStringLiteral("材料等级"), concreteGrades + steelGrades),
        Number(QStringLiteral("span"), QStringLiteral("跨度"), QStringLiteral("mm")),
        Int(QStringLiteral("depth"), QStringLiteral("截面高度"), QStringLiteral("mm")),
        Logic(QStringLiteral("prestressed"), QStringLiteral("预应力")),
    };
    AddLeaf(QStringLiteral("S0201"), QStringLiteral("S02"), QStringLiteral("混凝土梁"), 10, beamProperties,
            [concreteParams, concreteGrades](Random& r, int index) {
                ComponentDesign d;
                const QString grade = concreteGrades[index % concreteGrades.size()].first;
                struct Section
                {
                    int Width;
                    int Depth;
                };
                const QVector<Section> chosen =
                    PickSome(r, QVector<Section>{{250, 500}, {300, 600}, {300, 700}, {350, 800}, {400, 900}}, r.Int(1, 4));
                const bool tee = index % 2 == 1;
                const bool prestressed = chosen[0].Depth >= 800 && r.Chance(0.6);
                const int span = r.Step(4800, 9000, 300);
                const Maker maker = PickMaker(r, s_makers);
                const auto section = [](const Section& s) { return QStringLiteral("%1×%2").arg(s.Width).arg(s.Depth); };
                d.FamilyName = (tee ? QStringLiteral("T形截面") : QStringLiteral("矩形截面")) + QString(prestressed ? QStringLiteral("预应力") : QString())
                               + QStringLiteral("混凝土梁 KL");
                d.Name = d.FamilyName + QString::number(index + 1) + QLatin1Char(' ') + section(chosen[0]);
                d.ShopId = maker.ShopId;
                for (int i = 0; i < chosen.size(); ++i) {
                    QVector<CatalogWriter::Parameter> params =
                        concreteParams(r, maker, section(chosen[i]), span, grade, QStringLiteral("结构框架"));
                    params[1].Name = QStringLiteral("跨度");
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), section(chosen[i]), params});
                }
                d.Values = {{QStringLiteral("grade"), grade},
                            {QStringLiteral("span"), Num(span)},
                            {QStringLiteral("depth"), QString::number(chosen[0].Depth)},
                            {QStringLiteral("prestressed"), prestressed ? QStringLiteral("1") : QStringLiteral("0")}};
                const Section& s = chosen[0];
                ModelBuilder b(d.Model);
                constexpr double Column = 500;
                b.Box(QStringLiteral("柱"), 0, -100, -900, Column, Column, 900 + s.Depth, 0xc9c6be)
                    .Box(QStringLiteral("柱"), span - Column, -100, -900, Column, Column, 900 + s.Depth, 0xc9c6be)
                    .Box(QStringLiteral("梁身"), 0, 0, 0, span, s.Width, s.Depth, Concrete);
                if (tee) {
                    b.Box(QStringLiteral("翼缘板"), 0, -600, s.Depth, span, s.Width + 1200.0, 120, 0xc9c6be);
                }
                d.View = {30, 22};
                return d;
            });

    const QVector<HProfile> beamsH = {{300, 150, 7, 10, "HN"}, {400, 200, 8, 13, "HN"}, {500, 200, 10, 16, "HN"},
                                      {600, 200, 11, 17, "HN"}, {700, 300, 13, 24, "HN"}};
    AddLeaf(QStringLiteral("S0202"), QStringLiteral("S02"), QStringLiteral("H型钢梁"), 8, beamProperties,
            [steelParams, steelGrades, beamsH](Random& r, int index) {
                ComponentDesign d;
                const QString grade = steelGrades[index % steelGrades.size()].first;
                const QVector<HProfile> chosen = PickSome(r, beamsH, r.Int(1, 4));
                const int span = r.Step(6000, 12000, 600);
                const Maker maker = PickMaker(r, s_makers);
                const auto name = [](const HProfile& h) {
                    return QStringLiteral("%1%2×%3").arg(QLatin1String(h.Series)).arg(h.Depth).arg(h.Width);
                };
                d.FamilyName = index % 2 ? QStringLiteral("焊接H型钢梁") : QStringLiteral("热轧H型钢梁");
                d.Name = d.FamilyName + QLatin1Char(' ') + name(chosen[0]) + QLatin1Char(' ') + grade;
                d.ShopId = maker.ShopId;
                for (int i = 0; i < chosen.size(); ++i) {
                    const HProfile& h = chosen[i];
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), name(h),
                                             steelParams(r, maker, name(h), h.Depth, h.Width, h.Web, h.Flange, grade, QStringLiteral("结构框架"))});
                }
                d.Values = {{QStringLiteral("grade"), grade},
                            {QStringLiteral("span"), Num(span)},
                            {QStringLiteral("depth"), QString::number(chosen[0].Depth)},
                            {QStringLiteral("prestressed"), QStringLiteral("0")}};
                const HProfile& h = chosen[0];
                ModelBuilder b(d.Model);
                // The section stands in the y-z plane, run along x.
                QVector<ModelBuilder::Point2> profile = HSection(h.Depth, h.Width, h.Web, h.Flange);
                for (ModelBuilder::Point2& p : profile) {
                    p[0] += h.Width / 2.0;
                    p[1] += h.Depth / 2.0;
                }
                const double length = std::min(span, 6000);
                b.Box(QStringLiteral("端板"), 0, -20, -40, 20, h.Width + 40.0, h.Depth + 80.0, DarkSteel)
                    .Extrusion(QStringLiteral("梁身"), {20, 0, 0}, ModelBuilder::Plane::YZ, profile, length - 40, 0x5f7488)
                    .Box(QStringLiteral("端板"), length - 20, -20, -40, 20, h.Width + 40.0, h.Depth + 80.0, DarkSteel);
                d.View = {30, 22};
                return d;
            });

    const PropertySet footingProperties = {
        Enum(QStringLiteral("grade"), QStringLiteral("混凝土强度等级"), concreteGrades),
        Number(QStringLiteral("depth"), QStringLiteral("埋深"), QStringLiteral("m")),
        Int(QStringLiteral("size"), QStringLiteral("底面边长/桩径"), QStringLiteral("mm")),
        Logic(QStringLiteral("cushion"), QStringLiteral("带垫层")),
    };
    AddLeaf(QStringLiteral("S0301"), QStringLiteral("S03"), QStringLiteral("独立基础"), 8, footingProperties,
            [concreteGrades](Random& r, int index) {
                ComponentDesign d;
                const QString grade = concreteGrades[index % 2].first;
                const QVector<int> sides = PickSome(r, QVector<int>{1800, 2100, 2400, 2700, 3000, 3600}, r.Int(1, 4));
                const int steps = index % 3 == 2 ? 1 : index % 3 + 2;
                const double depth = r.Step(15, 30, 5) / 10.0;
                const Maker maker = PickMaker(r, s_makers);
                d.FamilyName = (steps == 1 ? QStringLiteral("锥形") : QStringLiteral("阶形")) + QStringLiteral("独立基础");
                d.Name = d.FamilyName + QStringLiteral(" J-%1 ").arg(index + 1) + QStringLiteral("%1×%1").arg(sides[0]);
                d.ShopId = maker.ShopId;
                for (int i = 0; i < sides.size(); ++i) {
                    Params p;
                    p.Add(QStringLiteral("底面尺寸"), QStringLiteral("%1×%1").arg(sides[i]), QStringLiteral("mm"))
                        .Add(QStringLiteral("台阶数"), steps, QStringLiteral("阶"))
                        .Add(QStringLiteral("基础高度"), steps * 300 + 300, QStringLiteral("mm"))
                        .Add(QStringLiteral("混凝土强度等级"), grade)
                        .Add(QStringLiteral("底板配筋"), QStringLiteral("C%1@%2").arg(r.Pick(QVector<int>{12, 14, 16})).arg(r.Pick(QVector<int>{150, 200})))
                        .Add(QStringLiteral("埋深"), depth, QStringLiteral("m"))
                        .Add(QStringLiteral("地基承载力特征值"), r.Step(150, 300, 10), QStringLiteral("kPa"))
                        .Add(QStringLiteral("垫层"), QStringLiteral("C15 100厚"))
                        .Add(QStringLiteral("构件厂家"), maker.Name)
                        .Family(r, QStringLiteral("结构基础"));
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("%1×%1").arg(sides[i]), p.List()});
                }
                d.Values = {{QStringLiteral("grade"), grade},
                            {QStringLiteral("depth"), Num(depth)},
                            {QStringLiteral("size"), QString::number(sides[0])},
                            {QStringLiteral("cushion"), QStringLiteral("1")}};
                const double side = sides[0];
                ModelBuilder b(d.Model);
                b.Box(QStringLiteral("垫层"), -side / 2 - 100, -side / 2 - 100, -100, side + 200, side + 200, 100, 0xd4d1c8);
                double z = 0;
                if (steps == 1) {
                    b.Box(QStringLiteral("基础底板"), -side / 2, -side / 2, 0, side, side, 300, Concrete);
                    const QVector<ModelBuilder::Point2> slope = {{-side / 2, 300}, {side / 2, 300}, {300, 700}, {-300, 700}};
                    b.Extrusion(QStringLiteral("锥台"), {0, -side / 2, 0}, ModelBuilder::Plane::XZ, slope, side, Concrete);
                    z = 700;
                } else {
                    for (int s = 0; s < steps; ++s) {
                        const double w = side - s * (side - 700) / steps;
                        b.Box(QStringLiteral("台阶"), -w / 2, -w / 2, z, w, w, 300, Concrete);
                        z += 300;
                    }
                }
                b.Box(QStringLiteral("短柱"), -250, -250, z, 500, 500, 800, 0xc9c6be);
                StarterBars(b, 0, 0, z + 800, 200, 200, false, 8);
                return d;
            });

    AddLeaf(QStringLiteral("S0302"), QStringLiteral("S03"), QStringLiteral("灌注桩"), 6, footingProperties,
            [concreteGrades](Random& r, int index) {
                ComponentDesign d;
                const QString grade = concreteGrades[1 + index % 2].first;
                const QVector<int> diameters = PickSome(r, QVector<int>{600, 800, 1000, 1200}, r.Int(1, 3));
                const int length = r.Step(12, 36, 3);
                const bool bored = index % 2 == 0;
                const Maker maker = PickMaker(r, s_makers);
                d.FamilyName = bored ? QStringLiteral("钻孔灌注桩") : QStringLiteral("旋挖灌注桩");
                d.Name = d.FamilyName + QStringLiteral(" Φ%1 L=%2m").arg(diameters[0]).arg(length);
                d.ShopId = maker.ShopId;
                for (int i = 0; i < diameters.size(); ++i) {
                    Params p;
                    p.Add(QStringLiteral("桩径"), diameters[i], QStringLiteral("mm"))
                        .Add(QStringLiteral("有效桩长"), length, QStringLiteral("m"))
                        .Add(QStringLiteral("混凝土强度等级"), grade)
                        .Add(QStringLiteral("纵筋"), QStringLiteral("%1C%2").arg(r.Pick(QVector<int>{10, 12, 14})).arg(r.Pick(QVector<int>{18, 20})))
                        .Add(QStringLiteral("单桩承载力特征值"), r.Step(1500, 6000, 100), QStringLiteral("kN"))
                        .Add(QStringLiteral("持力层"), r.Pick(QStringList{QStringLiteral("中风化砂岩"), QStringLiteral("卵石层"), QStringLiteral("强风化泥岩")}))
                        .Add(QStringLiteral("承台尺寸"), QStringLiteral("%1×%1×1000").arg(diameters[i] + 800), QStringLiteral("mm"))
                        .Add(QStringLiteral("施工单位"), maker.Name)
                        .Family(r, QStringLiteral("结构基础"));
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("Φ%1").arg(diameters[i]), p.List()});
                }
                d.Values = {{QStringLiteral("grade"), grade},
                            {QStringLiteral("depth"), Num(length)},
                            {QStringLiteral("size"), QString::number(diameters[0])},
                            {QStringLiteral("cushion"), QStringLiteral("0")}};
                const double radius = diameters[0] / 2.0;
                const double cap = diameters[0] + 800.0;
                // A drawing-length segment of the pile, the rest is implied.
                const double shown = std::min(length * 1000.0, diameters[0] * 7.0);
                ModelBuilder b(d.Model);
                b.Post(QStringLiteral("桩身"), 0, 0, -shown, radius, shown, Concrete)
                    .Box(QStringLiteral("承台"), -cap / 2, -cap / 2, 0, cap, cap, 1000, 0xc9c6be);
                StarterBars(b, 0, 0, 1000, cap / 2 - 100, cap / 2 - 100, false, 8);
                return d;
            });
}

} // namespace vela
