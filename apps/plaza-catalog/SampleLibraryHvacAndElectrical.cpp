#include "ModelBuilder.h"
#include "SampleKit.h"
#include "SampleLibrary.h"


namespace vela {

using namespace kit;

namespace {

const QVector<Maker> s_makers = {
    {QStringLiteral("SHOP-4001"), QStringLiteral("瑞风暖通")},   {QStringLiteral("SHOP-4002"), QStringLiteral("明光照明")},
    {QStringLiteral("SHOP-4003"), QStringLiteral("博远机电")},   {QStringLiteral("SHOP-4004"), QStringLiteral("正泰安电气")},
    {QStringLiteral("SHOP-4005"), QStringLiteral("清源空调设备")},
};

QString Flag(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

void SampleLibrary::AddHvacAndElectrical()
{
    Group(QStringLiteral("M03"), QStringLiteral("M"), QStringLiteral("暖通"));
    Group(QStringLiteral("M04"), QStringLiteral("M"), QStringLiteral("照明"));
    Group(QStringLiteral("M05"), QStringLiteral("M"), QStringLiteral("电气"));

    // Ducts
    const QVector<QPair<QString, QString>> ductMaterials = {
        {QStringLiteral("galv"), QStringLiteral("镀锌钢板")}, {QStringLiteral("ss"), QStringLiteral("不锈钢板")},
        {QStringLiteral("composite"), QStringLiteral("酚醛复合")}, {QStringLiteral("round"), QStringLiteral("螺旋圆管")}};
    AddLeaf(QStringLiteral("M0301"), QStringLiteral("M03"), QStringLiteral("风管"), 8,
            {Enum(QStringLiteral("material"), QStringLiteral("风管材料"), ductMaterials),
             Number(QStringLiteral("width"), QStringLiteral("宽度/直径"), QStringLiteral("mm")),
             Int(QStringLiteral("thickness"), QStringLiteral("板厚"), QStringLiteral("0.1mm")),
             Logic(QStringLiteral("insulated"), QStringLiteral("保温"))},
            [ductMaterials](Random& r, int index) {
                ComponentDesign d;
                const QString material = ductMaterials[index % ductMaterials.size()].first;
                const bool round = material == QLatin1String("round");
                const bool insulated = material != QLatin1String("composite") && r.Chance(0.4);
                struct Section
                {
                    int Width;
                    int Height;
                };
                const QVector<Section> chosen = PickSome(
                    r, round ? QVector<Section>{{200, 200}, {250, 250}, {315, 315}, {400, 400}, {500, 500}}
                             : QVector<Section>{{400, 200}, {500, 250}, {630, 320}, {800, 400}, {1000, 500}, {1250, 630}},
                    r.Int(1, 4));
                const int gauge = chosen[0].Width > 630 ? 10 : chosen[0].Width > 320 ? 8 : 6;
                const Maker maker = PickMaker(r, s_makers);
                const auto section = [round](const Section& s) {
                    return round ? QStringLiteral("Φ%1").arg(s.Width) : QStringLiteral("%1×%2").arg(s.Width).arg(s.Height);
                };
                d.FamilyName = TextOf(ductMaterials, material) + (round ? QString() : QStringLiteral("矩形风管")) + (insulated ? QStringLiteral("（保温）") : QString());
                d.Name = d.FamilyName + QLatin1Char(' ') + section(chosen[0]);
                d.ShopId = maker.ShopId;
                for (int i = 0; i < chosen.size(); ++i) {
                    Params p;
                    p.Add(QStringLiteral("截面尺寸"), section(chosen[i]), QStringLiteral("mm"))
                        .Add(QStringLiteral("板厚"), Num(gauge / 10.0), QStringLiteral("mm"))
                        .Add(QStringLiteral("材料"), TextOf(ductMaterials, material))
                        .Add(QStringLiteral("连接方式"), round ? QStringLiteral("承插") : r.Pick(QStringList{QStringLiteral("共板法兰"), QStringLiteral("角钢法兰")}))
                        .Add(QStringLiteral("系统类型"), r.Pick(QStringList{QStringLiteral("送风"), QStringLiteral("回风"), QStringLiteral("排风"), QStringLiteral("新风")}))
                        .Add(QStringLiteral("保温"), insulated ? QStringLiteral("离心玻璃棉 30mm") : QStringLiteral("无"))
                        .Add(QStringLiteral("节长"), 1200, QStringLiteral("mm"))
                        .Add(QStringLiteral("漏风等级"), r.Pick(QStringList{QStringLiteral("低压"), QStringLiteral("中压")}))
                        .Add(QStringLiteral("生产厂家"), maker.Name)
                        .Family(r, QStringLiteral("风管"));
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), section(chosen[i]), p.List()});
                }
                d.Values = {{QStringLiteral("material"), material},
                            {QStringLiteral("width"), Num(chosen[0].Width)},
                            {QStringLiteral("thickness"), QString::number(gauge)},
                            {QStringLiteral("insulated"), Flag(insulated)}};
                const Section& s = chosen[0];
                const unsigned color = material == QLatin1String("composite") ? 0xe3e0d6 : material == QLatin1String("ss") ? Chrome : 0xb7bcc2;
                ModelBuilder b(d.Model);
                constexpr double Length = 1200;
                if (round) {
                    b.Cylinder(QStringLiteral("风管"), {0, 0, 0}, {1, 0, 0}, s.Width / 2.0, Length, color)
                        .Cylinder(QStringLiteral("承口"), {Length - 60, 0, 0}, {1, 0, 0}, s.Width / 2.0 + 8, 80, color);
                    for (double x = 150; x < Length - 60; x += 150) {
                        b.Cylinder(QStringLiteral("螺旋缝"), {x, 0, 0}, {1, 0, 0}, s.Width / 2.0 + 3, 10, color);
                    }
                } else {
                    const double y = -s.Width / 2.0;
                    b.Box(QStringLiteral("风管"), 0, y, 0, Length, s.Width, s.Height, color);
                    for (const double x : {0.0, Length - 30}) {
                        b.Box(QStringLiteral("法兰"), x, y - 25, -25, 30, s.Width + 50.0, s.Height + 50.0, 0x9aa0a6);
                    }
                }
                if (insulated) {
                    b.Box(QStringLiteral("保温层"), 200, -s.Width / 2.0 - 35, round ? -s.Height / 2.0 - 35 : -35, Length - 400,
                          s.Width + 70.0, s.Height + 70.0, 0xd9c36a, 0.95);
                }
                d.View = {35, 25};
                return d;
            });

    // Fan coil units
    const QVector<QPair<QString, QString>> coilKinds = {
        {QStringLiteral("concealed"), QStringLiteral("卧式暗装")}, {QStringLiteral("exposed"), QStringLiteral("卧式明装")},
        {QStringLiteral("vertical"), QStringLiteral("立式明装")}, {QStringLiteral("cassette"), QStringLiteral("卡式四出风")}};
    AddLeaf(QStringLiteral("M0302"), QStringLiteral("M03"), QStringLiteral("风机盘管"), 8,
            {Enum(QStringLiteral("kind"), QStringLiteral("安装形式"), coilKinds),
             Number(QStringLiteral("airflow"), QStringLiteral("额定风量"), QStringLiteral("m³/h")),
             Int(QStringLiteral("rows"), QStringLiteral("盘管排数"), QStringLiteral("排")),
             Logic(QStringLiteral("ec"), QStringLiteral("EC电机"))},
            [coilKinds](Random& r, int index) {
                ComponentDesign d;
                const QString kind = coilKinds[index % coilKinds.size()].first;
                const bool ec = index >= 4;
                const int rows = r.Pick(QVector<int>{2, 3, 3, 4});
                const QVector<int> models = PickSome(r, QVector<int>{34, 51, 68, 85, 102, 136}, r.Int(1, 4));
                const Maker maker = PickMaker(r, s_makers);
                d.FamilyName = TextOf(coilKinds, kind) + QStringLiteral("风机盘管") + (ec ? QStringLiteral(" EC") : QString());
                d.Name = d.FamilyName + QStringLiteral(" FP-%1").arg(models[0]) + (kind == QLatin1String("cassette") ? QStringLiteral("KM") : QStringLiteral("WA"));
                d.ShopId = maker.ShopId;
                for (int i = 0; i < models.size(); ++i) {
                    Params p;
                    p.Add(QStringLiteral("型号"), QStringLiteral("FP-%1").arg(models[i]))
                        .Add(QStringLiteral("额定风量"), models[i] * 10, QStringLiteral("m³/h"))
                        .Add(QStringLiteral("供冷量"), qRound(models[i] * 53.5), QStringLiteral("W"))
                        .Add(QStringLiteral("供热量"), qRound(models[i] * 80.0), QStringLiteral("W"))
                        .Add(QStringLiteral("输入功率"), qRound(models[i] * (ec ? 0.6 : 0.95)), QStringLiteral("W"))
                        .Add(QStringLiteral("噪声"), 32 + models[i] / 10, QStringLiteral("dB(A)"))
                        .Add(QStringLiteral("盘管排数"), rows, QStringLiteral("排"))
                        .Add(QStringLiteral("水管接口"), QStringLiteral("RC3/4"))
                        .Add(QStringLiteral("生产厂家"), maker.Name)
                        .Family(r, QStringLiteral("机械设备"));
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("FP-%1").arg(models[i]), p.List()});
                }
                d.Values = {{QStringLiteral("kind"), kind},
                            {QStringLiteral("airflow"), Num(models[0] * 10)},
                            {QStringLiteral("rows"), QString::number(rows)},
                            {QStringLiteral("ec"), Flag(ec)}};
                ModelBuilder b(d.Model);
                const double width = 700 + models[0] * 5;
                if (kind == QLatin1String("cassette")) {
                    const double panel = models[0] > 68 ? 950 : 650;
                    b.Box(QStringLiteral("机身"), 60, 60, 0, panel - 120, panel - 120, 260, 0xd5d7d9)
                        .Box(QStringLiteral("面板"), 0, 0, -40, panel, panel, 40, White)
                        .Box(QStringLiteral("回风格栅"), panel * 0.3, panel * 0.3, -44, panel * 0.4, panel * 0.4, 4, 0xc8cbce);
                    for (int side = 0; side < 4; ++side) {
                        const bool alongX = side % 2 == 0;
                        const double offset = side < 2 ? panel * 0.1 : panel * 0.82;
                        b.Box(QStringLiteral("出风口"), alongX ? panel * 0.2 : offset, alongX ? offset : panel * 0.2, -44,
                              alongX ? panel * 0.6 : panel * 0.08, alongX ? panel * 0.08 : panel * 0.6, 4, 0x4a4f55);
                    }
                    d.View = {30, -28};
                } else if (kind == QLatin1String("vertical")) {
                    b.Box(QStringLiteral("机身"), 0, 0, 120, width, 220, 600, White)
                        .Box(QStringLiteral("出风格栅"), 60, 40, 720, width - 120, 140, 8, 0x9aa0a6)
                        .Box(QStringLiteral("底座"), 30, 20, 0, width - 60, 180, 120, 0x606468);
                    for (double z = 180; z < 660; z += 40) {
                        b.Box(QStringLiteral("回风百叶"), 60, -6, z, width - 120, 6, 18, 0xe0e2e4);
                    }
                } else {
                    const bool exposed = kind == QLatin1String("exposed");
                    const unsigned body = exposed ? White : 0xa9afb5;
                    b.Box(QStringLiteral("机身"), 0, 0, 0, width, 480, 240, body)
                        .Box(QStringLiteral("出风口"), 60, 480, 30, width - 120, 80, 160, 0x8d9399)
                        .Box(QStringLiteral("凝水盘"), -20, -20, -30, width + 40, 520, 30, 0x6b7177)
                        .Cylinder(QStringLiteral("供水管"), {width, 120, 150}, {1, 0, 0}, 14, 140, Copper)
                        .Cylinder(QStringLiteral("回水管"), {width, 200, 150}, {1, 0, 0}, 14, 140, Copper);
                    for (double z = 30; z < 220; z += 30) {
                        b.Box(QStringLiteral("回风格栅"), 60, -5, z, width - 120, 5, 12, 0x5d6369);
                    }
                }
                return d;
            });

    // Diffusers
    const QVector<QPair<QString, QString>> diffuserShapes = {
        {QStringLiteral("square"), QStringLiteral("方形")}, {QStringLiteral("round"), QStringLiteral("圆形")},
        {QStringLiteral("linear"), QStringLiteral("条形")}};
    AddLeaf(QStringLiteral("M0303"), QStringLiteral("M03"), QStringLiteral("散流器"), 6,
            {Enum(QStringLiteral("shape"), QStringLiteral("外形"), diffuserShapes),
             Number(QStringLiteral("neck"), QStringLiteral("喉部尺寸"), QStringLiteral("mm")),
             Int(QStringLiteral("layers"), QStringLiteral("叶片层数"), QStringLiteral("层")),
             Logic(QStringLiteral("damper"), QStringLiteral("带调节阀"))},
            [diffuserShapes](Random& r, int index) {
                ComponentDesign d;
                const QString shape = diffuserShapes[index % diffuserShapes.size()].first;
                const bool damper = index >= 3;
                const int layers = shape == QLatin1String("linear") ? 2 : r.Int(3, 4);
                const QVector<int> necks = PickSome(r, QVector<int>{150, 200, 250, 300, 400}, r.Int(1, 4));
                const Maker maker = PickMaker(r, s_makers);
                d.FamilyName = TextOf(diffuserShapes, shape) + QStringLiteral("散流器") + (damper ? QStringLiteral("（带调节阀）") : QString());
                d.Name = d.FamilyName + (shape == QLatin1String("linear") ? QStringLiteral(" %1×100").arg(necks[0] * 4) : QStringLiteral(" %1×%1").arg(necks[0]));
                d.ShopId = maker.ShopId;
                for (int i = 0; i < necks.size(); ++i) {
                    Params p;
                    p.Add(QStringLiteral("喉部尺寸"), necks[i], QStringLiteral("mm"))
                        .Add(QStringLiteral("面板尺寸"), necks[i] + 140, QStringLiteral("mm"))
                        .Add(QStringLiteral("叶片层数"), layers, QStringLiteral("层"))
                        .Add(QStringLiteral("材质"), r.Pick(QStringList{QStringLiteral("铝合金"), QStringLiteral("钢制喷塑")}))
                        .Add(QStringLiteral("额定风量"), qRound(necks[i] * necks[i] * 0.011), QStringLiteral("m³/h"))
                        .Add(QStringLiteral("表面颜色"), QStringLiteral("白色 RAL9016"))
                        .Add(QStringLiteral("生产厂家"), maker.Name)
                        .Family(r, QStringLiteral("风道末端"));
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("%1").arg(necks[i]), p.List()});
                }
                d.Values = {{QStringLiteral("shape"), shape},
                            {QStringLiteral("neck"), Num(necks[0])},
                            {QStringLiteral("layers"), QString::number(layers)},
                            {QStringLiteral("damper"), Flag(damper)}};
                ModelBuilder b(d.Model);
                const double face = necks[0] + 140;
                if (shape == QLatin1String("round")) {
                    b.Post(QStringLiteral("颈部"), 0, 0, 0, necks[0] / 2.0, 120, 0xd0d3d6);
                    for (int ring = 0; ring < layers; ++ring) {
                        b.Post(QStringLiteral("叶片"), 0, 0, -20.0 * (ring + 1), face / 2 * (1 - 0.2 * ring), 16, White);
                    }
                } else if (shape == QLatin1String("linear")) {
                    const double length = necks[0] * 4;
                    b.Box(QStringLiteral("静压箱"), 0, 20, 0, length, 120, 200, 0xb7bcc2)
                        .Box(QStringLiteral("面框"), -20, 0, -20, length + 40, 160, 20, White);
                    for (int slot = 0; slot < 2; ++slot) {
                        b.Box(QStringLiteral("出风槽"), 10, 30 + slot * 60, -24, length - 20, 40, 4, 0x3c4146);
                    }
                } else {
                    b.Box(QStringLiteral("颈部"), -necks[0] / 2.0, -necks[0] / 2.0, 0, necks[0], necks[0], 120, 0xd0d3d6);
                    for (int ring = 0; ring < layers; ++ring) {
                        const double size = face * (1 - 0.22 * ring);
                        b.Box(QStringLiteral("叶片"), -size / 2, -size / 2, -18.0 * (ring + 1), size, size, 18, ring % 2 ? 0xe6e8ea : White);
                    }
                }
                d.View = {30, -30};
                return d;
            });

    // Lighting
    const QVector<QPair<QString, QString>> sources = {
        {QStringLiteral("led"), QStringLiteral("LED")}, {QStringLiteral("fluorescent"), QStringLiteral("荧光")},
        {QStringLiteral("halogen"), QStringLiteral("卤素")}};
    const PropertySet lightProperties = {
        Enum(QStringLiteral("source"), QStringLiteral("光源类型"), sources),
        Number(QStringLiteral("power"), QStringLiteral("功率"), QStringLiteral("W")),
        Int(QStringLiteral("cct"), QStringLiteral("色温"), QStringLiteral("K")),
        Logic(QStringLiteral("emergency"), QStringLiteral("应急照明")),
    };
    const auto lightParams = [](Random& r, const Maker& maker, double power, int cct, const QString& source,
                                const QString& size) {
        Params p;
        p.Add(QStringLiteral("额定功率"), power, QStringLiteral("W"))
            .Add(QStringLiteral("光通量"), qRound(power * (source == QStringLiteral("LED") ? 100 : 65)), QStringLiteral("lm"))
            .Add(QStringLiteral("色温"), cct, QStringLiteral("K"))
            .Add(QStringLiteral("显色指数"), QStringLiteral("Ra≥%1").arg(r.Pick(QVector<int>{80, 90})))
            .Add(QStringLiteral("光源"), source)
            .Add(QStringLiteral("外形尺寸"), size, QStringLiteral("mm"))
            .Add(QStringLiteral("防护等级"), r.Pick(QStringList{QStringLiteral("IP20"), QStringLiteral("IP44"), QStringLiteral("IP54")}))
            .Add(QStringLiteral("额定电压"), QStringLiteral("AC220V"))
            .Add(QStringLiteral("生产厂家"), maker.Name)
            .Family(r, QStringLiteral("照明设备"));
        return p.List();
    };
    AddLeaf(QStringLiteral("M0401"), QStringLiteral("M04"), QStringLiteral("吸顶灯"), 8, lightProperties,
            [lightParams, sources](Random& r, int index) {
                ComponentDesign d;
                const QString source = index % 4 == 3 ? QStringLiteral("fluorescent") : QStringLiteral("led");
                const bool square = index % 2 == 1;
                const bool emergency = index % 5 == 4;
                const int cct = r.Pick(QVector<int>{3000, 4000, 5000, 6500});
                const QVector<int> sizes = PickSome(r, QVector<int>{300, 400, 500, 600}, r.Int(1, 4));
                const Maker maker = PickMaker(r, s_makers);
                const auto power = [](int size) { return size / 20.0 + 6; };
                d.FamilyName = TextOf(sources, source) + (square ? QStringLiteral("方形") : QStringLiteral("圆形")) + QStringLiteral("吸顶灯")
                               + (emergency ? QStringLiteral("（带应急）") : QString());
                d.Name = d.FamilyName + QStringLiteral(" %1W Φ%2").arg(Num(power(sizes[0]))).arg(sizes[0]);
                d.ShopId = maker.ShopId;
                for (int i = 0; i < sizes.size(); ++i) {
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("%1W").arg(Num(power(sizes[i]))),
                                             lightParams(r, maker, power(sizes[i]), cct, TextOf(sources, source), QStringLiteral("%1×%1×80").arg(sizes[i]))});
                }
                d.Values = {{QStringLiteral("source"), source},
                            {QStringLiteral("power"), Num(power(sizes[0]))},
                            {QStringLiteral("cct"), QString::number(cct)},
                            {QStringLiteral("emergency"), Flag(emergency)}};
                const double size = sizes[0];
                ModelBuilder b(d.Model);
                if (square) {
                    b.Box(QStringLiteral("底盘"), -size / 2, -size / 2, 0, size, size, 40, White)
                        .Box(QStringLiteral("灯罩"), -size / 2 + 15, -size / 2 + 15, -40, size - 30, size - 30, 40, Light);
                } else {
                    b.Post(QStringLiteral("底盘"), 0, 0, 0, size / 2, 40, White)
                        .Post(QStringLiteral("灯罩"), 0, 0, -45, size / 2 - 12, 45, Light)
                        .Post(QStringLiteral("装饰环"), 0, 0, -50, size / 4, 5, 0xe8d9a8);
                }
                d.View = {30, -25};
                return d;
            });

    AddLeaf(QStringLiteral("M0402"), QStringLiteral("M04"), QStringLiteral("筒灯"), 8, lightProperties,
            [lightParams, sources](Random& r, int index) {
                ComponentDesign d;
                const QString source = index % 4 == 3 ? QStringLiteral("halogen") : QStringLiteral("led");
                const bool emergency = index % 3 == 2;
                const int cct = r.Pick(QVector<int>{3000, 4000, 5700});
                const QVector<int> inches = PickSome(r, QVector<int>{2, 3, 4, 6, 8}, r.Int(1, 4));
                const bool black = index % 2 == 1;
                const Maker maker = PickMaker(r, s_makers);
                const auto power = [](int inch) { return inch * 2.5 - 1; };
                const auto hole = [](int inch) { return inch * 25 + 5; };
                d.FamilyName = TextOf(sources, source) + (black ? QStringLiteral("防眩黑框") : QString()) + QStringLiteral("嵌入式筒灯") + (emergency ? QStringLiteral("（带应急）") : QString());
                d.Name = d.FamilyName + QStringLiteral(" %1寸 %2W 开孔Φ%3").arg(inches[0]).arg(Num(power(inches[0]))).arg(hole(inches[0]));
                d.ShopId = maker.ShopId;
                for (int i = 0; i < inches.size(); ++i) {
                    QVector<CatalogWriter::Parameter> params = lightParams(r, maker, power(inches[i]), cct, TextOf(sources, source),
                                                                           QStringLiteral("Φ%1×%2").arg(hole(inches[i]) + 20).arg(60 + inches[i] * 5));
                    params.insert(6, {QStringLiteral("开孔尺寸"), QStringLiteral("Φ%1").arg(hole(inches[i])), QStringLiteral("mm"), true});
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("%1寸").arg(inches[i]), params});
                }
                d.Values = {{QStringLiteral("source"), source},
                            {QStringLiteral("power"), Num(power(inches[0]))},
                            {QStringLiteral("cct"), QString::number(cct)},
                            {QStringLiteral("emergency"), Flag(emergency)}};
                const double radius = hole(inches[0]) / 2.0;
                ModelBuilder b(d.Model);
                b.Post(QStringLiteral("灯体"), 0, 0, 0, radius - 5, 50 + inches[0] * 5, 0xbfc4c9)
                    .Post(QStringLiteral("面环"), 0, 0, -8, radius + 10, 8, black ? Black : White)
                    .Post(QStringLiteral("发光面"), 0, 0, -10, radius - 12, 4, Light)
                    .Box(QStringLiteral("弹簧卡"), radius - 5, -4, 10, 14, 8, 24, Chrome)
                    .Box(QStringLiteral("弹簧卡"), -radius - 9, -4, 10, 14, 8, 24, Chrome);
                d.View = {30, -22};
                return d;
            });

    AddLeaf(QStringLiteral("M0403"), QStringLiteral("M04"), QStringLiteral("吊灯"), 8, lightProperties,
            [lightParams](Random& r, int index) {
                ComponentDesign d;
                const bool globe = index % 2 == 0;
                const int cct = r.Pick(QVector<int>{2700, 3000, 4000});
                const QVector<int> sizes = PickSome(r, QVector<int>{200, 250, 300, 400}, r.Int(1, 4));
                const Maker maker = PickMaker(r, s_makers);
                d.FamilyName = globe ? r.Pick(QStringList{QStringLiteral("北欧玻璃球吊灯"), QStringLiteral("奶白玻璃球吊灯")})
                                     : r.Pick(QStringList{QStringLiteral("工业风金属吊灯"), QStringLiteral("简约铝罩吊灯")});
                d.Name = d.FamilyName + QStringLiteral(" Φ%1").arg(sizes[0]);
                d.ShopId = maker.ShopId;
                for (int i = 0; i < sizes.size(); ++i) {
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("Φ%1").arg(sizes[i]),
                                             lightParams(r, maker, 6 + sizes[i] / 50, cct, QStringLiteral("LED"), QStringLiteral("Φ%1").arg(sizes[i]))});
                }
                d.Values = {{QStringLiteral("source"), QStringLiteral("led")},
                            {QStringLiteral("power"), Num(6 + sizes[0] / 50)},
                            {QStringLiteral("cct"), QString::number(cct)},
                            {QStringLiteral("emergency"), QStringLiteral("0")}};
                const double size = sizes[0];
                ModelBuilder b(d.Model);
                const unsigned metal = r.Pick(QVector<unsigned>{Black, 0x2f5d50, Brass, White});
                const double drop = size * 1.6;
                b.Post(QStringLiteral("吸顶盘"), 0, 0, drop, 60, 25, metal)
                    .Post(QStringLiteral("吊线"), 0, 0, size * 0.45, 3, drop - size * 0.45, Black);
                if (globe) {
                    b.Sphere(QStringLiteral("灯罩"), {0, 0, 0}, size / 2, r.Chance(0.5) ? 0xf4f1e8 : 0xd8e8f0, 0.8)
                        .Post(QStringLiteral("灯头"), 0, 0, size * 0.42, 30, 50, metal)
                        .Sphere(QStringLiteral("灯泡"), {0, 0, 0}, size / 6, Light);
                } else {
                    for (int step = 0; step < 5; ++step) {
                        const double radius = size / 2 * (0.35 + 0.65 * (5 - step) / 5.0);
                        b.Post(QStringLiteral("灯罩"), 0, 0, step * size * 0.08, radius, size * 0.08, metal);
                    }
                    b.Post(QStringLiteral("灯罩顶"), 0, 0, size * 0.4, 35, 40, metal)
                        .Sphere(QStringLiteral("灯泡"), {0, 0, 0}, size / 7, Light);
                }
                d.View = {30, 12};
                return d;
            });

    // Switches and sockets
    const QVector<QPair<QString, QString>> deviceKinds = {
        {QStringLiteral("switch"), QStringLiteral("开关")}, {QStringLiteral("socket"), QStringLiteral("插座")},
        {QStringLiteral("combo"), QStringLiteral("开关插座")}};
    AddLeaf(QStringLiteral("M0501"), QStringLiteral("M05"), QStringLiteral("开关插座"), 10,
            {Enum(QStringLiteral("kind"), QStringLiteral("面板类型"), deviceKinds),
             Number(QStringLiteral("current"), QStringLiteral("额定电流"), QStringLiteral("A")),
             Int(QStringLiteral("gangs"), QStringLiteral("联数"), QStringLiteral("联")),
             Logic(QStringLiteral("waterproof"), QStringLiteral("防溅"))},
            [](Random& r, int index) {
                ComponentDesign d;
                const int variant = index % 5;
                const QString kind = variant < 3 ? QStringLiteral("switch") : variant == 3 ? QStringLiteral("socket") : QStringLiteral("combo");
                const int gangs = kind == QLatin1String("switch") ? variant + 1 : 1;
                const bool waterproof = index >= 7;
                const double current = kind == QLatin1String("switch") ? 10 : r.Pick(QVector<double>{10, 16});
                const Maker maker = PickMaker(r, s_makers);
                const QString gangText = QStringList{QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三")}[gangs - 1];
                d.FamilyName = QStringLiteral("86型")
                               + (kind == QLatin1String("switch") ? gangText + QStringLiteral("开") + (index % 2 ? QStringLiteral("双控") : QStringLiteral("单控")) + QStringLiteral("开关")
                                  : kind == QLatin1String("socket") ? (current > 10 ? QStringLiteral("16A三孔空调插座") : QStringLiteral("五孔插座"))
                                                                  : QStringLiteral("一开五孔插座"))
                               + (waterproof ? QStringLiteral("（带防溅盒）") : QString());
                d.Name = d.FamilyName + QStringLiteral(" %1A").arg(Num(current)) + (index % 3 ? QStringLiteral(" 雅白") : QStringLiteral(" 星空灰"));
                d.ShopId = maker.ShopId;
                const QVector<QString> finishes = PickSome(r, QVector<QString>{QStringLiteral("雅白"), QStringLiteral("星空灰"), QStringLiteral("香槟金"), QStringLiteral("哑光黑")}, r.Int(1, 4));
                for (int i = 0; i < finishes.size(); ++i) {
                    Params p;
                    p.Add(QStringLiteral("额定电流"), current, QStringLiteral("A"))
                        .Add(QStringLiteral("额定电压"), QStringLiteral("250V~"))
                        .Add(QStringLiteral("联数"), gangs, QStringLiteral("联"))
                        .Add(QStringLiteral("面板尺寸"), QStringLiteral("86×86"), QStringLiteral("mm"))
                        .Add(QStringLiteral("面板颜色"), finishes[i])
                        .Add(QStringLiteral("安装高度"), kind == QLatin1String("switch") ? 1300 : 300, QStringLiteral("mm"))
                        .Add(QStringLiteral("面板材料"), QStringLiteral("阻燃PC"))
                        .Add(QStringLiteral("生产厂家"), maker.Name)
                        .Family(r, QStringLiteral("电气装置"));
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), finishes[i], p.List()});
                }
                d.Values = {{QStringLiteral("kind"), kind},
                            {QStringLiteral("current"), Num(current)},
                            {QStringLiteral("gangs"), QString::number(gangs)},
                            {QStringLiteral("waterproof"), Flag(waterproof)}};
                const unsigned face = index % 3 ? White : 0x6d7278;
                const unsigned dark = 0x33373b;
                ModelBuilder b(d.Model);
                b.Box(QStringLiteral("面板"), 0, 0, 0, 86, 10, 86, face);
                if (kind == QLatin1String("switch")) {
                    const double w = 70.0 / gangs;
                    for (int g = 0; g < gangs; ++g) {
                        b.Box(QStringLiteral("按键"), 8 + g * w + 1, -4, 8, w - 2, 4, 70, face);
                    }
                } else {
                    const double top = kind == QLatin1String("combo") ? 58 : 50;
                    if (kind == QLatin1String("combo")) {
                        b.Box(QStringLiteral("按键"), 10, -4, 62, 66, 4, 18, face);
                    }
                    b.Box(QStringLiteral("插孔"), 30, -1, top, 3, 2, 10, dark).Box(QStringLiteral("插孔"), 53, -1, top, 3, 2, 10, dark);
                    b.Box(QStringLiteral("插孔"), 41.5, -1, top - 24, 3, 2, 11, dark)
                        .Extrusion(QStringLiteral("插孔"), {26, -1, top - 34}, ModelBuilder::Plane::XZ, {{0, 0}, {8, 8}, {6, 10}, {-2, 2}}, 2, dark)
                        .Extrusion(QStringLiteral("插孔"), {60, -1, top - 34}, ModelBuilder::Plane::XZ, {{0, 0}, {2, 2}, {-6, 10}, {-8, 8}}, 2, dark);
                }
                if (waterproof) {
                    b.Box(QStringLiteral("防溅盒"), -6, -24, -6, 98, 24, 98, 0xd8e6ee, 0.4);
                }
                d.View = {28, 14};
                return d;
            });

    // Distribution boards
    const QVector<QPair<QString, QString>> boardKinds = {
        {QStringLiteral("lighting"), QStringLiteral("照明")}, {QStringLiteral("power"), QStringLiteral("动力")},
        {QStringLiteral("meter"), QStringLiteral("计量")}};
    AddLeaf(QStringLiteral("M0502"), QStringLiteral("M05"), QStringLiteral("配电箱"), 8,
            {Enum(QStringLiteral("kind"), QStringLiteral("配电箱类型"), boardKinds),
             Number(QStringLiteral("current"), QStringLiteral("进线额定电流"), QStringLiteral("A")),
             Int(QStringLiteral("circuits"), QStringLiteral("回路数"), QStringLiteral("路")),
             Logic(QStringLiteral("flush"), QStringLiteral("暗装"))},
            [boardKinds](Random& r, int index) {
                ComponentDesign d;
                const QString kind = boardKinds[index % boardKinds.size()].first;
                const bool flush = index % 2 == 0;
                const QVector<int> circuits = PickSome(r, QVector<int>{8, 12, 16, 20, 24, 36}, r.Int(1, 4));
                const double current = kind == QLatin1String("power") ? r.Pick(QVector<double>{100, 160, 250}) : r.Pick(QVector<double>{32, 40, 63});
                const Maker maker = PickMaker(r, s_makers);
                const QString code = kind == QLatin1String("lighting") ? QStringLiteral("AL") : kind == QLatin1String("power") ? QStringLiteral("AP") : QStringLiteral("AW");
                d.FamilyName = TextOf(boardKinds, kind) + QStringLiteral("配电箱") + (flush ? QStringLiteral("（暗装）") : QStringLiteral("（明装）"));
                d.Name = d.FamilyName + QStringLiteral(" %1-%2回路").arg(code).arg(circuits[0]);
                d.ShopId = maker.ShopId;
                const auto size = [](int count) {
                    return QSize(count <= 12 ? 300 : count <= 20 ? 420 : 540, count <= 16 ? 400 : 600);
                };
                for (int i = 0; i < circuits.size(); ++i) {
                    const QSize s = size(circuits[i]);
                    Params p;
                    p.Add(QStringLiteral("回路数"), circuits[i], QStringLiteral("路"))
                        .Add(QStringLiteral("进线额定电流"), current, QStringLiteral("A"))
                        .Add(QStringLiteral("箱体尺寸"), QStringLiteral("%1×%2×%3").arg(s.width()).arg(s.height()).arg(flush ? 120 : 160), QStringLiteral("mm"))
                        .Add(QStringLiteral("防护等级"), r.Pick(QStringList{QStringLiteral("IP30"), QStringLiteral("IP40"), QStringLiteral("IP54")}))
                        .Add(QStringLiteral("进线方式"), r.Pick(QStringList{QStringLiteral("上进上出"), QStringLiteral("下进上出")}))
                        .Add(QStringLiteral("主开关"), QStringLiteral("%1A/3P").arg(Num(current)))
                        .Add(QStringLiteral("箱体材质"), QStringLiteral("冷轧钢板 1.5mm"))
                        .Add(QStringLiteral("生产厂家"), maker.Name)
                        .Family(r, QStringLiteral("电气设备"));
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("%1回路").arg(circuits[i]), p.List()});
                }
                d.Values = {{QStringLiteral("kind"), kind},
                            {QStringLiteral("current"), Num(current)},
                            {QStringLiteral("circuits"), QString::number(circuits[0])},
                            {QStringLiteral("flush"), Flag(flush)}};
                const QSize s = size(circuits[0]);
                const double depth = flush ? 120 : 160;
                const unsigned body = kind == QLatin1String("power") ? 0xb8bcbf : 0xdcdedf;
                ModelBuilder b(d.Model);
                b.Box(QStringLiteral("箱体"), 0, 0, 0, s.width(), depth, s.height(), body)
                    .Box(QStringLiteral("箱门"), 10, -12, 10, s.width() - 20.0, 12, s.height() - 20.0, body)
                    .Box(QStringLiteral("观察窗"), s.width() * 0.15, -14, s.height() * 0.55, s.width() * 0.7, 4, s.height() * 0.18, 0x3d4750, 0.6)
                    .Cylinder(QStringLiteral("门锁"), {s.width() - 40.0, -12, s.height() / 2.0}, {0, -1, 0}, 12, 14, Chrome)
                    .Box(QStringLiteral("标识牌"), s.width() * 0.3, -14, s.height() * 0.82, s.width() * 0.4, 3, 28, 0xf2c230);
                for (double z = 30; z < s.height() * 0.3; z += 22) {
                    b.Box(QStringLiteral("散热百叶"), s.width() * 0.25, -15, z, s.width() * 0.5, 4, 8, 0x8c9196);
                }
                d.View = {30, 16};
                return d;
            });
}

} // namespace vela
