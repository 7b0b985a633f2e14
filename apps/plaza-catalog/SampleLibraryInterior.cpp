#include "ModelBuilder.h"
#include "SampleKit.h"
#include "SampleLibrary.h"

#include <cmath>

namespace vela {

using namespace kit;

namespace {

constexpr double Pi = 3.14159265358979323846;

const QVector<Maker> s_makers = {
    {QStringLiteral("SHOP-5001"), QStringLiteral("安居家具")},   {QStringLiteral("SHOP-5002"), QStringLiteral("木语家居")},
    {QStringLiteral("SHOP-5003"), QStringLiteral("洁雅卫浴")},   {QStringLiteral("SHOP-5004"), QStringLiteral("恒洁陶瓷")},
    {QStringLiteral("SHOP-5005"), QStringLiteral("森屿办公家具")},
};

QString Flag(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QVector<CatalogWriter::Parameter> FurnitureParams(Random& r, const Maker& maker, int width, int depth, int height,
                                                  const QString& material, const QString& family)
{
    Params p;
    p.Add(QStringLiteral("宽度"), width, QStringLiteral("mm"))
        .Add(QStringLiteral("深度"), depth, QStringLiteral("mm"))
        .Add(QStringLiteral("高度"), height, QStringLiteral("mm"))
        .Add(QStringLiteral("主材"), material)
        .Add(QStringLiteral("表面工艺"), r.Pick(QStringList{QStringLiteral("木蜡油"), QStringLiteral("PU哑光漆"), QStringLiteral("三聚氰胺饰面"), QStringLiteral("烤漆")}))
        .Add(QStringLiteral("环保等级"), r.Pick(QStringList{QStringLiteral("E0"), QStringLiteral("E1"), QStringLiteral("ENF")}))
        .Add(QStringLiteral("重量"), qRound(double(width) * depth * height / 1e7 * r.Int(3, 7) / 10.0 + 3), QStringLiteral("kg"))
        .Add(QStringLiteral("生产厂家"), maker.Name)
        .Family(r, family);
    return p.List();
}

void DiningChair(ModelBuilder& b, double width, double seat, unsigned frame, unsigned cushion, bool arms)
{
    const double depth = width * 1.05;
    b.Legs(QStringLiteral("椅腿"), 0, 0, 0, width, depth, seat - 30, 40, 10, frame)
        .Box(QStringLiteral("座面"), 0, 0, seat - 30, width, depth, 30, frame)
        .Box(QStringLiteral("坐垫"), 15, 15, seat, width - 30, depth - 30, 35, cushion);
    // Back posts lean back a little: a profile in the y-z plane.
    const QVector<ModelBuilder::Point2> post = {{0, 0}, {40, 0}, {70, 430}, {30, 430}};
    b.Extrusion(QStringLiteral("靠背立柱"), {10, depth - 50, seat}, ModelBuilder::Plane::YZ, post, 40, frame)
        .Extrusion(QStringLiteral("靠背立柱"), {width - 50, depth - 50, seat}, ModelBuilder::Plane::YZ, post, 40, frame);
    const QVector<ModelBuilder::Point2> rest = {{0, 0}, {25, 0}, {45, 200}, {20, 200}};
    b.Extrusion(QStringLiteral("靠背"), {50, depth - 30, seat + 200}, ModelBuilder::Plane::YZ, rest, width - 100, cushion);
    if (arms) {
        b.Box(QStringLiteral("扶手"), -10, depth * 0.2, seat + 200, 50, depth * 0.7, 30, frame)
            .Box(QStringLiteral("扶手"), width - 40, depth * 0.2, seat + 200, 50, depth * 0.7, 30, frame)
            .Box(QStringLiteral("扶手立柱"), 0, depth * 0.25, seat, 30, 30, 200, frame)
            .Box(QStringLiteral("扶手立柱"), width - 30, depth * 0.25, seat, 30, 30, 200, frame);
    }
}

void OfficeChair(ModelBuilder& b, double width, double seat, unsigned cushion)
{
    const double cx = width / 2;
    const double cy = width / 2;
    for (int leg = 0; leg < 5; ++leg) {
        const double t = 2 * Pi * leg / 5 + Pi / 2;
        b.Cylinder(QStringLiteral("椅脚"), {cx, cy, 70}, {std::cos(t), std::sin(t), -0.08}, 18, 320, Black)
            .Sphere(QStringLiteral("脚轮"), {cx + 320 * std::cos(t), cy + 320 * std::sin(t), 30}, 30, Black);
    }
    b.Post(QStringLiteral("气杆"), cx, cy, 70, 25, seat - 150, Chrome)
        .Box(QStringLiteral("底盘"), cx - 100, cy - 120, seat - 90, 200, 240, 30, Black)
        .Extrusion(QStringLiteral("坐垫"), {cx - width / 2, cy - width / 2 - 20, seat - 60}, ModelBuilder::Plane::XY,
                   ModelBuilder::RoundedRectangle(width, width, 60), 80, cushion);
    const QVector<ModelBuilder::Point2> back = {{0, 0}, {40, 0}, {90, 560}, {50, 560}};
    b.Extrusion(QStringLiteral("靠背"), {cx - width * 0.42, cy + width / 2 - 30, seat + 40}, ModelBuilder::Plane::YZ, back,
                width * 0.84, cushion)
        .Box(QStringLiteral("靠背连接件"), cx - 30, cy + width / 2 - 40, seat - 40, 60, 40, 140, Black)
        .Box(QStringLiteral("扶手"), cx - width / 2 - 40, cy - 100, seat + 180, 60, 260, 30, Black)
        .Box(QStringLiteral("扶手"), cx + width / 2 - 20, cy - 100, seat + 180, 60, 260, 30, Black)
        .Box(QStringLiteral("扶手支架"), cx - width / 2 - 30, cy - 20, seat - 40, 40, 40, 220, Black)
        .Box(QStringLiteral("扶手支架"), cx + width / 2 - 10, cy - 20, seat - 40, 40, 40, 220, Black);
}

} // namespace

void SampleLibrary::AddInterior()
{
    Group(QStringLiteral("I01"), QStringLiteral("I"), QStringLiteral("家具"));
    Group(QStringLiteral("I02"), QStringLiteral("I"), QStringLiteral("卫浴洁具"));

    const QVector<QPair<QString, QString>> furnitureMaterials = {
        {QStringLiteral("solid"), QStringLiteral("实木")}, {QStringLiteral("board"), QStringLiteral("人造板")},
        {QStringLiteral("metal"), QStringLiteral("金属")}, {QStringLiteral("fabric"), QStringLiteral("布艺")},
        {QStringLiteral("leather"), QStringLiteral("皮革")}};

    // Chairs
    AddLeaf(QStringLiteral("I0101"), QStringLiteral("I01"), QStringLiteral("椅子"), 12,
            {Enum(QStringLiteral("material"), QStringLiteral("主材"), furnitureMaterials),
             Number(QStringLiteral("seat"), QStringLiteral("座高"), QStringLiteral("mm")),
             Int(QStringLiteral("load"), QStringLiteral("承重"), QStringLiteral("kg")),
             Logic(QStringLiteral("arms"), QStringLiteral("带扶手"))},
            [](Random& r, int index) {
                ComponentDesign d;
                const bool office = index % 3 == 2;
                const bool arms = office || index % 4 == 1;
                const QString material = office ? QStringLiteral("fabric") : index % 2 ? QStringLiteral("solid") : QStringLiteral("metal");
                const QVector<int> widths = PickSome(r, office ? QVector<int>{560, 600, 650} : QVector<int>{420, 450, 480, 520}, r.Int(1, 3));
                const int seat = office ? 460 : r.Pick(QVector<int>{430, 450, 460});
                const int load = office ? 150 : r.Pick(QVector<int>{120, 150});
                const Maker maker = PickMaker(r, s_makers);
                d.FamilyName = office ? r.Pick(QStringList{QStringLiteral("人体工学网布办公椅"), QStringLiteral("升降转椅"), QStringLiteral("会议椅")})
                                      : (material == QLatin1String("solid") ? r.Pick(QStringList{QStringLiteral("北欧实木"), QStringLiteral("新中式实木"), QStringLiteral("胡桃木")})
                                                                            : r.Pick(QStringList{QStringLiteral("金属框"), QStringLiteral("铁艺")}))
                                            + (arms ? QStringLiteral("扶手椅") : QStringLiteral("餐椅"));
                d.Name = d.FamilyName + QStringLiteral(" %1宽").arg(widths[0]);
                d.ShopId = maker.ShopId;
                for (int i = 0; i < widths.size(); ++i) {
                    QVector<CatalogWriter::Parameter> params = FurnitureParams(r, maker, widths[i], qRound(widths[i] * 1.05), office ? 1150 : 850,
                                                                               office ? QStringLiteral("网布/尼龙") : material == QLatin1String("solid") ? QStringLiteral("白蜡木") : QStringLiteral("碳钢"),
                                                                               QStringLiteral("家具"));
                    params.insert(3, {QStringLiteral("座高"), QString::number(seat), QStringLiteral("mm"), true});
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("%1宽").arg(widths[i]), params});
                }
                d.Values = {{QStringLiteral("material"), material},
                            {QStringLiteral("seat"), Num(seat)},
                            {QStringLiteral("load"), QString::number(load)},
                            {QStringLiteral("arms"), Flag(arms)}};
                ModelBuilder b(d.Model);
                const unsigned cushion = r.Pick(QVector<unsigned>{FabricBlue, FabricGrey, 0xb0533c, 0x6e8b5e, Leather});
                if (office) {
                    OfficeChair(b, widths[0], seat, r.Pick(QVector<unsigned>{Black, 0x3b4a5c, FabricGrey}));
                } else {
                    DiningChair(b, widths[0], seat, material == QLatin1String("solid") ? r.Pick(QVector<unsigned>{Wood, LightWood, DarkWood}) : Black,
                                cushion, arms);
                }
                return d;
            });

    // Tables
    AddLeaf(QStringLiteral("I0102"), QStringLiteral("I01"), QStringLiteral("桌子"), 10,
            {Enum(QStringLiteral("material"), QStringLiteral("主材"), furnitureMaterials),
             Number(QStringLiteral("length"), QStringLiteral("长度"), QStringLiteral("mm")),
             Int(QStringLiteral("seats"), QStringLiteral("适用人数"), QStringLiteral("人")),
             Logic(QStringLiteral("foldable"), QStringLiteral("可折叠"))},
            [](Random& r, int index) {
                ComponentDesign d;
                const int kind = index % 3;  // 0 dining, 1 round, 2 desk
                const QString material = kind == 2 ? QStringLiteral("board") : QStringLiteral("solid");
                const QVector<int> lengths = PickSome(r, kind == 1 ? QVector<int>{800, 900, 1200, 1400} : kind == 0 ? QVector<int>{1200, 1400, 1600, 1800}
                                                                                                      : QVector<int>{1000, 1200, 1400, 1600},
                                                      r.Int(1, 4));
                const int seats = kind == 2 ? 1 : lengths[0] / 300;
                const bool foldable = kind == 0 && index % 4 == 0;
                const Maker maker = PickMaker(r, s_makers);
                d.FamilyName = kind == 1 ? QStringLiteral("实木圆餐桌") : kind == 0 ? r.Pick(QStringList{QStringLiteral("北欧实木长餐桌"), QStringLiteral("岩板餐桌")}) + (foldable ? QStringLiteral("（可伸缩）") : QString())
                                                                                   : r.Pick(QStringList{QStringLiteral("简约办公桌"), QStringLiteral("电脑书桌")});
                d.Name = d.FamilyName + (kind == 1 ? QStringLiteral(" Φ%1").arg(lengths[0]) : QStringLiteral(" %1×%2").arg(lengths[0]).arg(kind == 0 ? 800 : 700));
                d.ShopId = maker.ShopId;
                for (int i = 0; i < lengths.size(); ++i) {
                    const int depth = kind == 1 ? lengths[i] : kind == 0 ? 800 : 700;
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), kind == 1 ? QStringLiteral("Φ%1").arg(lengths[i]) : QStringLiteral("%1×%2").arg(lengths[i]).arg(depth),
                                             FurnitureParams(r, maker, lengths[i], depth, kind == 2 ? 750 : 760,
                                                             kind == 2 ? QStringLiteral("颗粒板/钢架") : QStringLiteral("橡木"), QStringLiteral("家具"))});
                }
                d.Values = {{QStringLiteral("material"), material},
                            {QStringLiteral("length"), Num(lengths[0])},
                            {QStringLiteral("seats"), QString::number(seats)},
                            {QStringLiteral("foldable"), Flag(foldable)}};
                ModelBuilder b(d.Model);
                const double l = lengths[0];
                const unsigned top = kind == 2 ? r.Pick(QVector<unsigned>{White, LightWood, 0x7d6650}) : r.Pick(QVector<unsigned>{Wood, LightWood, 0xe8e4dc});
                if (kind == 1) {
                    b.Post(QStringLiteral("桌面"), 0, 0, 725, l / 2, 35, top)
                        .Post(QStringLiteral("中柱"), 0, 0, 60, 70, 665, DarkWood)
                        .Post(QStringLiteral("底座"), 0, 0, 0, l * 0.28, 60, DarkWood);
                } else if (kind == 0) {
                    b.Box(QStringLiteral("桌面"), 0, 0, 725, l, 800, 35, top)
                        .Box(QStringLiteral("望板"), 60, 60, 640, l - 120, 680, 85, DarkWood)
                        .Legs(QStringLiteral("桌腿"), 0, 0, 0, l, 800, 725, 60, 40, DarkWood);
                } else {
                    b.Box(QStringLiteral("桌面"), 0, 0, 725, l, 700, 25, top)
                        .Box(QStringLiteral("侧板"), 30, 40, 0, 30, 620, 725, Black)
                        .Box(QStringLiteral("侧板"), l - 60, 40, 0, 30, 620, 725, Black)
                        .Box(QStringLiteral("挡板"), 60, 600, 350, l - 120, 18, 350, top)
                        .Box(QStringLiteral("抽屉柜"), l - 480, 60, 0, 400, 560, 600, top)
                        .Box(QStringLiteral("抽屉拉手"), l - 320, 50, 480, 80, 10, 14, Chrome)
                        .Box(QStringLiteral("抽屉拉手"), l - 320, 50, 280, 80, 10, 14, Chrome);
                }
                return d;
            });

    // Sofas
    AddLeaf(QStringLiteral("I0103"), QStringLiteral("I01"), QStringLiteral("沙发"), 8,
            {Enum(QStringLiteral("material"), QStringLiteral("面料"), furnitureMaterials),
             Number(QStringLiteral("length"), QStringLiteral("长度"), QStringLiteral("mm")),
             Int(QStringLiteral("seats"), QStringLiteral("座位数"), QStringLiteral("人")),
             Logic(QStringLiteral("recliner"), QStringLiteral("电动功能位"))},
            [](Random& r, int index) {
                ComponentDesign d;
                const int seats = index % 3 + 1;
                const bool leather = index % 2 == 1;
                const bool recliner = index >= 5;
                const QVector<int> lengths = seats == 1 ? QVector<int>{850, 900, 950} : seats == 2 ? QVector<int>{1500, 1600, 1700} : QVector<int>{2100, 2200, 2400};
                const QVector<int> chosen = PickSome(r, lengths, r.Int(1, 3));
                const Maker maker = PickMaker(r, s_makers);
                const QString count = QStringList{QStringLiteral("单人位"), QStringLiteral("双人位"), QStringLiteral("三人位")}[seats - 1];
                d.FamilyName = (leather ? QStringLiteral("头层牛皮") : r.Pick(QStringList{QStringLiteral("科技布"), QStringLiteral("亚麻布艺")})) + count + QStringLiteral("沙发")
                               + (recliner ? QStringLiteral("（电动）") : QString());
                d.Name = d.FamilyName + QStringLiteral(" %1").arg(chosen[0]);
                d.ShopId = maker.ShopId;
                for (int i = 0; i < chosen.size(); ++i) {
                    QVector<CatalogWriter::Parameter> params = FurnitureParams(r, maker, chosen[i], 900, 820, leather ? QStringLiteral("头层牛皮") : QStringLiteral("布艺"), QStringLiteral("家具"));
                    params.insert(3, {QStringLiteral("座深"), QString::number(r.Pick(QVector<int>{540, 580, 600})), QStringLiteral("mm"), true});
                    params.insert(4, {QStringLiteral("填充物"), r.Pick(QStringList{QStringLiteral("高回弹海绵"), QStringLiteral("羽绒+海绵")}), QString(), true});
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QString::number(chosen[i]), params});
                }
                d.Values = {{QStringLiteral("material"), leather ? QStringLiteral("leather") : QStringLiteral("fabric")},
                            {QStringLiteral("length"), Num(chosen[0])},
                            {QStringLiteral("seats"), QString::number(seats)},
                            {QStringLiteral("recliner"), Flag(recliner)}};
                const unsigned cover = leather ? r.Pick(QVector<unsigned>{Leather, 0x3a3330, 0xb9a58a}) : r.Pick(QVector<unsigned>{FabricGrey, FabricBlue, 0x7f8c6f, 0xc2b8a3});
                const double length = chosen[0];
                constexpr double Arm = 150;
                constexpr double Depth = 900;
                ModelBuilder b(d.Model);
                b.Legs(QStringLiteral("沙发脚"), 0, 0, 0, length, Depth, 100, 40, 40, DarkWood)
                    .Box(QStringLiteral("底座"), 0, 0, 100, length, Depth, 280, cover)
                    .Box(QStringLiteral("扶手"), 0, 0, 100, Arm, Depth, 520, cover)
                    .Box(QStringLiteral("扶手"), length - Arm, 0, 100, Arm, Depth, 520, cover)
                    .Box(QStringLiteral("靠背"), Arm, Depth - 220, 380, length - 2 * Arm, 220, 440, cover);
                const double cushion = (length - 2 * Arm) / seats;
                for (int s = 0; s < seats; ++s) {
                    b.Box(QStringLiteral("坐垫"), Arm + s * cushion + 5, 20, 380, cushion - 10, Depth - 240, 130, cover)
                        .Box(QStringLiteral("靠垫"), Arm + s * cushion + 15, Depth - 340, 510, cushion - 30, 130, 330, cover);
                }
                return d;
            });

    // Beds
    AddLeaf(QStringLiteral("I0104"), QStringLiteral("I01"), QStringLiteral("床"), 8,
            {Enum(QStringLiteral("material"), QStringLiteral("主材"), furnitureMaterials),
             Number(QStringLiteral("width"), QStringLiteral("床宽"), QStringLiteral("mm")),
             Int(QStringLiteral("drawers"), QStringLiteral("储物抽屉数"), QStringLiteral("个")),
             Logic(QStringLiteral("storage"), QStringLiteral("高箱储物"))},
            [](Random& r, int index) {
                ComponentDesign d;
                const bool upholstered = index % 2 == 1;
                const bool storage = index % 3 == 2;
                const int drawers = storage ? 0 : r.Pick(QVector<int>{0, 2, 4});
                const QVector<int> widths = PickSome(r, QVector<int>{1200, 1500, 1800, 2000}, r.Int(1, 4));
                const Maker maker = PickMaker(r, s_makers);
                d.FamilyName = (upholstered ? QStringLiteral("软包") : QStringLiteral("实木")) + (storage ? QStringLiteral("高箱") : QString())
                               + (widths[0] >= 1500 ? QStringLiteral("双人床") : QStringLiteral("单人床"));
                d.Name = d.FamilyName + QStringLiteral(" %1×2000").arg(widths[0]);
                d.ShopId = maker.ShopId;
                for (int i = 0; i < widths.size(); ++i) {
                    QVector<CatalogWriter::Parameter> params = FurnitureParams(r, maker, widths[i] + 100, 2150, 1100,
                                                                               upholstered ? QStringLiteral("科技布/松木框架") : QStringLiteral("橡木"), QStringLiteral("家具"));
                    params.insert(0, {QStringLiteral("适用床垫"), QStringLiteral("%1×2000").arg(widths[i]), QStringLiteral("mm"), true});
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("%1×2000").arg(widths[i]), params});
                }
                d.Values = {{QStringLiteral("material"), upholstered ? QStringLiteral("fabric") : QStringLiteral("solid")},
                            {QStringLiteral("width"), Num(widths[0])},
                            {QStringLiteral("drawers"), QString::number(drawers)},
                            {QStringLiteral("storage"), Flag(storage)}};
                const double w = widths[0] + 100;
                constexpr double Length = 2150;
                const unsigned frame = upholstered ? r.Pick(QVector<unsigned>{FabricGrey, 0xa89f91, FabricBlue}) : r.Pick(QVector<unsigned>{Wood, LightWood});
                const unsigned duvet = r.Pick(QVector<unsigned>{0xe9e4da, 0x9fb4c8, 0xc9a9a0, 0xd8dccf});
                ModelBuilder b(d.Model);
                b.Box(QStringLiteral("床架"), 0, 0, storage ? 0 : 120, w, Length, storage ? 420 : 300, frame)
                    .Box(QStringLiteral("床头"), 0, Length, 0, w, 90, 1100, frame)
                    .Box(QStringLiteral("床垫"), 50, 30, storage ? 420 : 420, w - 100, Length - 60, 220, White)
                    .Box(QStringLiteral("被子"), 40, 20, 560, w - 80, Length * 0.68, 110, duvet)
                    .Box(QStringLiteral("枕头"), 110, Length - 520, 640, w / 2 - 160, 420, 120, 0xf7f5ef)
                    .Box(QStringLiteral("枕头"), w / 2 + 50, Length - 520, 640, w / 2 - 160, 420, 120, 0xf7f5ef);
                if (!storage) {
                    b.Legs(QStringLiteral("床腿"), 0, 0, 0, w, Length, 120, 60, 30, DarkWood);
                }
                for (int drawer = 0; drawer < drawers / 2; ++drawer) {
                    b.Box(QStringLiteral("抽屉"), -8, 200 + drawer * 850, 150, 8, 700, 240, frame);
                }
                return d;
            });

    // Cabinets
    AddLeaf(QStringLiteral("I0105"), QStringLiteral("I01"), QStringLiteral("柜子"), 10,
            {Enum(QStringLiteral("material"), QStringLiteral("主材"), furnitureMaterials),
             Number(QStringLiteral("width"), QStringLiteral("宽度"), QStringLiteral("mm")),
             Int(QStringLiteral("doors"), QStringLiteral("门数"), QStringLiteral("扇")),
             Logic(QStringLiteral("lock"), QStringLiteral("带锁"))},
            [](Random& r, int index) {
                ComponentDesign d;
                const int kind = index % 3;  // wardrobe, bookcase, filing cabinet
                const QVector<int> widths = PickSome(r, kind == 0 ? QVector<int>{1200, 1600, 2000, 2400} : kind == 1 ? QVector<int>{800, 1000, 1200}
                                                                                                           : QVector<int>{450, 900},
                                                     r.Int(1, 3));
                const int doors = kind == 0 ? widths[0] / 400 : kind == 1 ? 0 : 4;
                const bool lock = kind == 2 || index % 4 == 0;
                const QString material = kind == 2 ? QStringLiteral("metal") : index % 2 ? QStringLiteral("solid") : QStringLiteral("board");
                const Maker maker = PickMaker(r, s_makers);
                d.FamilyName = kind == 0 ? (material == QLatin1String("solid") ? QStringLiteral("实木平开门衣柜") : QStringLiteral("板式平开门衣柜"))
                               : kind == 1 ? r.Pick(QStringList{QStringLiteral("开放式书架"), QStringLiteral("五层书柜")})
                                           : QStringLiteral("钢制四抽文件柜");
                d.Name = d.FamilyName + QStringLiteral(" %1宽").arg(widths[0]);
                d.ShopId = maker.ShopId;
                const int height = kind == 0 ? 2200 : kind == 1 ? 1800 : 1320;
                const int depth = kind == 0 ? 600 : kind == 1 ? 320 : 620;
                for (int i = 0; i < widths.size(); ++i) {
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("%1宽").arg(widths[i]),
                                             FurnitureParams(r, maker, widths[i], depth, height,
                                                             kind == 2 ? QStringLiteral("冷轧钢板") : material == QLatin1String("solid") ? QStringLiteral("北美白橡") : QStringLiteral("颗粒板"),
                                                             QStringLiteral("家具"))});
                }
                d.Values = {{QStringLiteral("material"), material},
                            {QStringLiteral("width"), Num(widths[0])},
                            {QStringLiteral("doors"), QString::number(doors)},
                            {QStringLiteral("lock"), Flag(lock)}};
                const double w = widths[0];
                const unsigned body = kind == 2 ? r.Pick(QVector<unsigned>{0xc7cacc, 0x4a5560}) : material == QLatin1String("solid") ? r.Pick(QVector<unsigned>{Wood, LightWood}) : r.Pick(QVector<unsigned>{White, 0xd9cbb5, 0x8d8f91});
                ModelBuilder b(d.Model);
                if (kind == 1) {
                    b.Box(QStringLiteral("侧板"), 0, 0, 0, 25, depth, height, body)
                        .Box(QStringLiteral("侧板"), w - 25, 0, 0, 25, depth, height, body)
                        .Box(QStringLiteral("背板"), 25, depth - 10, 0, w - 50, 10, height, body);
                    for (int shelf = 0; shelf <= 5; ++shelf) {
                        b.Box(QStringLiteral("层板"), 25, 0, shelf * (height - 25) / 5.0, w - 50, depth - 10, 25, body);
                    }
                    // A few books on the shelves.
                    for (int shelf = 0; shelf < 4; ++shelf) {
                        double x = 40;
                        while (x < w * 0.6) {
                            const double thick = r.Int(25, 50);
                            b.Box(QStringLiteral("书"), x, 40, shelf * (height - 25) / 5.0 + 25, thick, depth - 80, r.Int(200, 290),
                                  r.Pick(QVector<unsigned>{0x9c3b2e, 0x2f5d7a, 0xd2b25a, 0x3f6b45, 0xe0ddd5}));
                            x += thick + 2;
                        }
                    }
                } else {
                    b.Box(QStringLiteral("柜体"), 0, 0, 0, w, depth, height, body);
                    const int fronts = kind == 0 ? doors : 4;
                    for (int f = 0; f < fronts; ++f) {
                        if (kind == 0) {
                            const double dw = w / fronts;
                            b.Box(QStringLiteral("柜门"), f * dw + 2, -18, 60, dw - 4, 18, height - 62, body)
                                .Box(QStringLiteral("拉手"), f % 2 ? f * dw + 30 : (f + 1) * dw - 50, -38, height * 0.45, 20, 20, 260, Chrome);
                        } else {
                            const double dh = (height - 40) / 4.0;
                            b.Box(QStringLiteral("抽屉面板"), 15, -15, 20 + f * dh + 3, w - 30, 15, dh - 6, body)
                                .Box(QStringLiteral("抽屉拉手"), w / 2 - 60, -35, 20 + f * dh + dh * 0.6, 120, 20, 20, Chrome);
                        }
                    }
                }
                return d;
            });

    // Toilets
    const QVector<QPair<QString, QString>> toiletKinds = {
        {QStringLiteral("onepiece"), QStringLiteral("连体式")}, {QStringLiteral("split"), QStringLiteral("分体式")},
        {QStringLiteral("wall"), QStringLiteral("壁挂式")}, {QStringLiteral("smart"), QStringLiteral("智能一体式")}};
    AddLeaf(QStringLiteral("I0201"), QStringLiteral("I02"), QStringLiteral("坐便器"), 8,
            {Enum(QStringLiteral("kind"), QStringLiteral("类型"), toiletKinds),
             Number(QStringLiteral("pitch"), QStringLiteral("坑距"), QStringLiteral("mm")),
             Int(QStringLiteral("grade"), QStringLiteral("用水效率等级"), QStringLiteral("级")),
             Logic(QStringLiteral("saving"), QStringLiteral("节水型"))},
            [toiletKinds](Random& r, int index) {
                ComponentDesign d;
                const QString kind = toiletKinds[index % toiletKinds.size()].first;
                const int grade = r.Int(1, 3);
                const QVector<int> pitches = kind == QLatin1String("wall") ? QVector<int>{180} : PickSome(r, QVector<int>{300, 350, 400}, r.Int(1, 3));
                const Maker maker = PickMaker(r, s_makers);
                d.FamilyName = TextOf(toiletKinds, kind) + QStringLiteral("坐便器");
                d.Name = d.FamilyName + (kind == QLatin1String("wall") ? QStringLiteral(" 隐藏水箱") : QStringLiteral(" %1坑距").arg(pitches[0]))
                         + QStringLiteral(" %1L").arg(grade == 1 ? QStringLiteral("4.0") : grade == 2 ? QStringLiteral("5.0") : QStringLiteral("6.4"));
                d.ShopId = maker.ShopId;
                for (int i = 0; i < pitches.size(); ++i) {
                    Params p;
                    p.Add(QStringLiteral("坑距"), pitches[i], QStringLiteral("mm"))
                        .Add(QStringLiteral("外形尺寸"), kind == QLatin1String("wall") ? QStringLiteral("360×520×350") : QStringLiteral("380×700×780"), QStringLiteral("mm"))
                        .Add(QStringLiteral("冲水方式"), r.Pick(QStringList{QStringLiteral("虹吸式"), QStringLiteral("直冲式"), QStringLiteral("漩涡虹吸")}))
                        .Add(QStringLiteral("平均用水量"), grade == 1 ? QStringLiteral("4.0") : grade == 2 ? QStringLiteral("5.0") : QStringLiteral("6.4"), QStringLiteral("L"))
                        .Add(QStringLiteral("用水效率等级"), grade, QStringLiteral("级"))
                        .Add(QStringLiteral("材质"), QStringLiteral("高温陶瓷"))
                        .Add(QStringLiteral("盖板"), QStringLiteral("缓降PP盖板"))
                        .Add(QStringLiteral("生产厂家"), maker.Name)
                        .Family(r, QStringLiteral("卫浴装置"));
                    if (kind == QLatin1String("smart")) {
                        p.Add(QStringLiteral("额定功率"), 1200, QStringLiteral("W"));
                    }
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("%1坑距").arg(pitches[i]), p.List()});
                }
                d.Values = {{QStringLiteral("kind"), kind},
                            {QStringLiteral("pitch"), Num(pitches[0])},
                            {QStringLiteral("grade"), QString::number(grade)},
                            {QStringLiteral("saving"), Flag(grade <= 2)}};
                ModelBuilder b(d.Model);
                const bool wall = kind == QLatin1String("wall");
                const double lift = wall ? 250 : 0;
                // Front of the bowl towards the viewer (y = 0), cistern at the back.
                if (!wall) {
                    b.Extrusion(QStringLiteral("底座"), {190, 300, 0}, ModelBuilder::Plane::XY, ModelBuilder::Ellipse(0, 0, 120, 200, 28), 330, Ceramic);
                } else {
                    b.Box(QStringLiteral("墙面"), -200, 620, 0, 780, 40, 1100, 0xd9d6cf)
                        .Extrusion(QStringLiteral("挂件"), {190, 400, lift}, ModelBuilder::Plane::XY, ModelBuilder::Ellipse(0, 0, 150, 230, 28), 80, Ceramic);
                }
                b.Extrusion(QStringLiteral("坐圈"), {190, 270, lift + 330}, ModelBuilder::Plane::XY, ModelBuilder::Ellipse(0, 0, 185, 260, 32), 70, Ceramic)
                    .Extrusion(QStringLiteral("盖板"), {190, 270, lift + 400}, ModelBuilder::Plane::XY, ModelBuilder::Ellipse(0, 0, 175, 245, 32), 25,
                               kind == QLatin1String("smart") ? 0xe9eaec : White);
                if (kind == QLatin1String("smart")) {
                    b.Box(QStringLiteral("控制座"), 20, 480, lift + 330, 340, 180, 140, 0xe9eaec);
                } else if (!wall) {
                    const double tankZ = kind == QLatin1String("onepiece") ? 330 : 420;
                    b.Extrusion(QStringLiteral("水箱"), {20, 500, tankZ}, ModelBuilder::Plane::XY, ModelBuilder::RoundedRectangle(340, 170, 40), 780 - tankZ, Ceramic)
                        .Post(QStringLiteral("冲水按钮"), 190, 585, 780, 25, 8, Chrome);
                } else {
                    b.Box(QStringLiteral("冲水面板"), 110, 610, 900, 160, 10, 110, White);
                }
                d.View = {35, 25};
                return d;
            });

    // Basins
    const QVector<QPair<QString, QString>> basinKinds = {
        {QStringLiteral("pedestal"), QStringLiteral("立柱盆")}, {QStringLiteral("counter"), QStringLiteral("台上盆")},
        {QStringLiteral("wall"), QStringLiteral("挂墙盆")}, {QStringLiteral("vanity"), QStringLiteral("浴室柜组合")}};
    AddLeaf(QStringLiteral("I0202"), QStringLiteral("I02"), QStringLiteral("洗脸盆"), 8,
            {Enum(QStringLiteral("kind"), QStringLiteral("安装类型"), basinKinds),
             Number(QStringLiteral("width"), QStringLiteral("宽度"), QStringLiteral("mm")),
             Int(QStringLiteral("holes"), QStringLiteral("龙头孔数"), QStringLiteral("孔")),
             Logic(QStringLiteral("overflow"), QStringLiteral("带溢水口"))},
            [basinKinds](Random& r, int index) {
                ComponentDesign d;
                const QString kind = basinKinds[index % basinKinds.size()].first;
                const QVector<int> widths = PickSome(r, kind == QLatin1String("vanity") ? QVector<int>{600, 800, 1000} : QVector<int>{450, 500, 550, 600}, r.Int(1, 3));
                const bool overflow = kind != QLatin1String("counter") || r.Chance(0.3);
                const int holes = r.Pick(QVector<int>{0, 1, 1, 3});
                const Maker maker = PickMaker(r, s_makers);
                d.FamilyName = (kind == QLatin1String("vanity") ? QStringLiteral("") : QStringLiteral("陶瓷")) + TextOf(basinKinds, kind);
                d.Name = d.FamilyName + QStringLiteral(" %1宽").arg(widths[0]);
                d.ShopId = maker.ShopId;
                for (int i = 0; i < widths.size(); ++i) {
                    Params p;
                    p.Add(QStringLiteral("宽度"), widths[i], QStringLiteral("mm"))
                        .Add(QStringLiteral("深度"), widths[i] < 500 ? 380 : 450, QStringLiteral("mm"))
                        .Add(QStringLiteral("安装高度"), 800, QStringLiteral("mm"))
                        .Add(QStringLiteral("龙头孔数"), holes, QStringLiteral("孔"))
                        .Add(QStringLiteral("溢水口"), overflow ? QStringLiteral("有") : QStringLiteral("无"))
                        .Add(QStringLiteral("材质"), QStringLiteral("陶瓷"))
                        .Add(QStringLiteral("釉面"), r.Pick(QStringList{QStringLiteral("易洁釉"), QStringLiteral("哑光釉")}))
                        .Add(QStringLiteral("生产厂家"), maker.Name)
                        .Family(r, QStringLiteral("卫浴装置"));
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("%1宽").arg(widths[i]), p.List()});
                }
                d.Values = {{QStringLiteral("kind"), kind},
                            {QStringLiteral("width"), Num(widths[0])},
                            {QStringLiteral("holes"), QString::number(holes)},
                            {QStringLiteral("overflow"), Flag(overflow)}};
                const double w = widths[0];
                const double depth = w < 500 ? 380 : 450;
                ModelBuilder b(d.Model);
                double rim = 820;
                if (kind == QLatin1String("pedestal")) {
                    b.Extrusion(QStringLiteral("立柱"), {w / 2, depth * 0.6, 0}, ModelBuilder::Plane::XY, ModelBuilder::Ellipse(0, 0, 90, 80, 24), 660, Ceramic);
                } else if (kind == QLatin1String("vanity") || kind == QLatin1String("counter")) {
                    const unsigned wood = r.Pick(QVector<unsigned>{Wood, 0x5d6670, White});
                    b.Box(QStringLiteral("柜体"), 0, 0, 150, w, depth + 50, 500, wood)
                        .Box(QStringLiteral("台面"), -10, -10, 650, w + 20, depth + 70, 30, 0xe6e3dd)
                        .Box(QStringLiteral("柜门"), 10, -18, 170, w / 2 - 15, 18, 460, wood)
                        .Box(QStringLiteral("柜门"), w / 2 + 5, -18, 170, w / 2 - 15, 18, 460, wood);
                    rim = kind == QLatin1String("counter") ? 830 : 680;
                } else {
                    b.Box(QStringLiteral("墙面"), -150, depth, 300, w + 300, 40, 1000, 0xd9d6cf);
                }
                const double bowlZ = rim - 180;
                b.Extrusion(QStringLiteral("盆体"), {w / 2, depth / 2, bowlZ}, ModelBuilder::Plane::XY, ModelBuilder::Ellipse(0, 0, w / 2, depth / 2, 32), 180, Ceramic)
                    .Extrusion(QStringLiteral("盆内"), {w / 2, depth * 0.45, rim}, ModelBuilder::Plane::XY, ModelBuilder::Ellipse(0, 0, w / 2 - 40, depth / 2 - 50, 32), 2, 0xe4e6e6)
                    .Post(QStringLiteral("龙头"), w / 2, depth - 60, rim, 18, 180, Chrome)
                    .Cylinder(QStringLiteral("出水嘴"), {w / 2, depth - 60, rim + 170}, {0, -1, -0.15}, 12, 110, Chrome)
                    .Box(QStringLiteral("把手"), w / 2 - 8, depth - 70, rim + 180, 16, 60, 12, Chrome);
                return d;
            });

    // Bathtubs
    const QVector<QPair<QString, QString>> tubMaterials = {
        {QStringLiteral("acrylic"), QStringLiteral("亚克力")}, {QStringLiteral("cast"), QStringLiteral("铸铁搪瓷")},
        {QStringLiteral("steel"), QStringLiteral("钢板搪瓷")}};
    AddLeaf(QStringLiteral("I0203"), QStringLiteral("I02"), QStringLiteral("浴缸"), 6,
            {Enum(QStringLiteral("material"), QStringLiteral("材质"), tubMaterials),
             Number(QStringLiteral("length"), QStringLiteral("长度"), QStringLiteral("mm")),
             Int(QStringLiteral("capacity"), QStringLiteral("满水容量"), QStringLiteral("L")),
             Logic(QStringLiteral("massage"), QStringLiteral("按摩功能"))},
            [tubMaterials](Random& r, int index) {
                ComponentDesign d;
                const QString material = tubMaterials[index % tubMaterials.size()].first;
                const bool freestanding = index % 2 == 1;
                const bool massage = !freestanding && index >= 3;
                const QVector<int> lengths = PickSome(r, QVector<int>{1400, 1500, 1600, 1700, 1800}, r.Int(1, 4));
                const Maker maker = PickMaker(r, s_makers);
                const auto capacity = [](int length) { return length / 10 + 60; };
                d.FamilyName = TextOf(tubMaterials, material) + (freestanding ? QStringLiteral("独立式") : QStringLiteral("嵌入式")) + (massage ? QStringLiteral("按摩") : QString())
                               + QStringLiteral("浴缸");
                d.Name = d.FamilyName + QStringLiteral(" %1×%2").arg(lengths[0]).arg(freestanding ? 800 : 750);
                d.ShopId = maker.ShopId;
                for (int i = 0; i < lengths.size(); ++i) {
                    Params p;
                    p.Add(QStringLiteral("长度"), lengths[i], QStringLiteral("mm"))
                        .Add(QStringLiteral("宽度"), freestanding ? 800 : 750, QStringLiteral("mm"))
                        .Add(QStringLiteral("高度"), 580, QStringLiteral("mm"))
                        .Add(QStringLiteral("满水容量"), capacity(lengths[i]), QStringLiteral("L"))
                        .Add(QStringLiteral("材质"), TextOf(tubMaterials, material))
                        .Add(QStringLiteral("排水方式"), QStringLiteral("翻板式下水"))
                        .Add(QStringLiteral("生产厂家"), maker.Name)
                        .Family(r, QStringLiteral("卫浴装置"));
                    if (massage) {
                        p.Add(QStringLiteral("按摩泵功率"), 750, QStringLiteral("W"));
                    }
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("%1").arg(lengths[i]), p.List()});
                }
                d.Values = {{QStringLiteral("material"), material},
                            {QStringLiteral("length"), Num(lengths[0])},
                            {QStringLiteral("capacity"), QString::number(capacity(lengths[0]))},
                            {QStringLiteral("massage"), Flag(massage)}};
                const double l = lengths[0];
                ModelBuilder b(d.Model);
                if (freestanding) {
                    b.Extrusion(QStringLiteral("缸体"), {l / 2, 400, 60}, ModelBuilder::Plane::XY, ModelBuilder::Ellipse(0, 0, l / 2, 400, 40), 540, Ceramic)
                        .Extrusion(QStringLiteral("缸内"), {l / 2, 400, 601}, ModelBuilder::Plane::XY, ModelBuilder::Ellipse(0, 0, l / 2 - 70, 330, 40), 1, 0xdfe9ee);
                    for (const double x : {l * 0.2, l * 0.8}) {
                        for (const double y : {150.0, 650.0}) {
                            b.Sphere(QStringLiteral("缸脚"), {x, y, 40}, 45, Brass);
                        }
                    }
                    b.Post(QStringLiteral("落地龙头"), l + 120, 400, 0, 22, 900, Chrome)
                        .Cylinder(QStringLiteral("出水嘴"), {l + 120, 400, 880}, {-1, 0, -0.2}, 14, 200, Chrome);
                } else {
                    b.Extrusion(QStringLiteral("缸体"), {0, 0, 0}, ModelBuilder::Plane::XY, ModelBuilder::RoundedRectangle(l, 750, 60), 580, material == QLatin1String("cast") ? 0xf3f1ea : Ceramic)
                        .Extrusion(QStringLiteral("缸内"), {90, 90, 581}, ModelBuilder::Plane::XY, ModelBuilder::RoundedRectangle(l - 180, 570, 200, 6), 1, 0xdfe9ee)
                        .Post(QStringLiteral("龙头"), l - 60, 375, 580, 20, 120, Chrome)
                        .Cylinder(QStringLiteral("出水嘴"), {l - 60, 375, 690}, {-1, 0, -0.1}, 14, 130, Chrome);
                    if (massage) {
                        for (const double y : {180.0, 570.0}) {
                            b.Post(QStringLiteral("喷嘴"), l * 0.35, y, 581, 22, 3, Chrome).Post(QStringLiteral("喷嘴"), l * 0.6, y, 581, 22, 3, Chrome);
                        }
                    }
                }
                return d;
            });

    // Shower enclosures
    const QVector<QPair<QString, QString>> showerShapes = {
        {QStringLiteral("square"), QStringLiteral("方形")}, {QStringLiteral("straight"), QStringLiteral("一字型")},
        {QStringLiteral("l"), QStringLiteral("L型")}};
    AddLeaf(QStringLiteral("I0204"), QStringLiteral("I02"), QStringLiteral("淋浴房"), 6,
            {Enum(QStringLiteral("shape"), QStringLiteral("形状"), showerShapes),
             Number(QStringLiteral("width"), QStringLiteral("宽度"), QStringLiteral("mm")),
             Int(QStringLiteral("panels"), QStringLiteral("玻璃面数"), QStringLiteral("面")),
             Logic(QStringLiteral("tray"), QStringLiteral("带底盆"))},
            [showerShapes](Random& r, int index) {
                ComponentDesign d;
                const QString shape = showerShapes[index % showerShapes.size()].first;
                const bool tray = index % 2 == 0;
                const int panels = shape == QLatin1String("straight") ? 2 : shape == QLatin1String("l") ? 2 : 3;
                const QVector<int> widths = PickSome(r, QVector<int>{900, 1000, 1200, 1400}, r.Int(1, 4));
                const Maker maker = PickMaker(r, s_makers);
                d.FamilyName = TextOf(showerShapes, shape) + QStringLiteral("淋浴房") + (tray ? QStringLiteral("（含底盆）") : QString());
                d.Name = d.FamilyName + QStringLiteral(" %1×900 8mm钢化").arg(widths[0]);
                d.ShopId = maker.ShopId;
                for (int i = 0; i < widths.size(); ++i) {
                    Params p;
                    p.Add(QStringLiteral("宽度"), widths[i], QStringLiteral("mm"))
                        .Add(QStringLiteral("深度"), 900, QStringLiteral("mm"))
                        .Add(QStringLiteral("高度"), 1950, QStringLiteral("mm"))
                        .Add(QStringLiteral("玻璃"), QStringLiteral("8mm 3C钢化玻璃"))
                        .Add(QStringLiteral("型材"), r.Pick(QStringList{QStringLiteral("铝合金 拉丝"), QStringLiteral("304不锈钢")}))
                        .Add(QStringLiteral("开门方式"), shape == QLatin1String("straight") ? QStringLiteral("推拉") : QStringLiteral("平开"))
                        .Add(QStringLiteral("生产厂家"), maker.Name)
                        .Family(r, QStringLiteral("卫浴装置"));
                    d.Specifications.append({QStringLiteral("S%1").arg(i + 1), QStringLiteral("%1×900").arg(widths[i]), p.List()});
                }
                d.Values = {{QStringLiteral("shape"), shape},
                            {QStringLiteral("width"), Num(widths[0])},
                            {QStringLiteral("panels"), QString::number(panels)},
                            {QStringLiteral("tray"), Flag(tray)}};
                const double w = widths[0];
                constexpr double Depth = 900;
                constexpr double Height = 1950;
                ModelBuilder b(d.Model);
                const double floor = tray ? 60 : 0;
                if (tray) {
                    b.Box(QStringLiteral("底盆"), 0, 0, 0, w, Depth, 60, White);
                } else {
                    b.Box(QStringLiteral("挡水条"), 0, 0, 0, w, Depth, 8, 0x9a9da0);
                }
                b.Box(QStringLiteral("墙面"), 0, Depth, 0, w, 40, Height + 200, 0xd9d6cf)
                    .Box(QStringLiteral("前玻璃"), 30, 20, floor, w / 2, 10, Height, Glass, 0.35)
                    .Box(QStringLiteral("前玻璃"), w / 2, 45, floor, w / 2 - 30, 10, Height, Glass, 0.35)
                    .Box(QStringLiteral("顶杆"), 0, 20, floor + Height - 40, w, 40, 40, Chrome)
                    .Box(QStringLiteral("型材"), w - 30, 0, floor, 30, 60, Height, Chrome)
                    .Box(QStringLiteral("拉手"), w / 2 + 40, 15, floor + 900, 20, 30, 300, Chrome);
                if (panels == 3 || shape == QLatin1String("l")) {
                    b.Box(QStringLiteral("侧玻璃"), 0, 40, floor, 10, Depth - 40, Height, Glass, 0.35)
                        .Box(QStringLiteral("型材"), 0, 0, floor, 30, 60, Height, Chrome);
                }
                b.Post(QStringLiteral("花洒立管"), w - 200, Depth - 60, floor + 800, 14, 1150, Chrome)
                    .Cylinder(QStringLiteral("花洒"), {w - 200, Depth - 300, floor + 1980}, {0, 0, -1}, 120, 15, Chrome)
                    .Cylinder(QStringLiteral("花洒臂"), {w - 200, Depth - 60, floor + 1950}, {0, -1, 0}, 12, 240, Chrome)
                    .Box(QStringLiteral("混水阀"), w - 260, Depth - 60, floor + 1000, 120, 60, 80, Chrome);
                d.View = {35, 25};
                return d;
            });
}

} // namespace vela
