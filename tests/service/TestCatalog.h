#pragma once

#include "CatalogWriter.h"
#include "ComponentFile.h"

#include <QDir>
#include <QString>

namespace vela::test {

// A small catalog with a known content, malformed rows included:
//
//   ROOT 全部构件
//     ARCH 建筑
//       DOOR 门      D1..D5       material (Enum), width (Number), leaves (Int), fire (Logic)
//       WIN 窗       W1..W4       frame (Enum), width (Number), colour (unknown type "Color")
//     MEP 机电
//       VALVE 阀门   V1..V3 and one without an id
//       EMPTY 空分类 (no components)
//
// D1 has a real component file; D2 has no thumbnail and a parameter without a
// name; W1's thumbnail points outside the catalog folder.
inline bool BuildTestCatalog(const QString& folder, QString* error)
{
    QDir().mkpath(folder + QStringLiteral("/files/components"));
    CatalogWriter writer(folder + QStringLiteral("/catalog.sqlite"));
    if (!writer.Open(error)) {
        return false;
    }
    // Plain literals are UTF-8 here; spelled out, they keep the table readable.
    const QVector<CatalogWriter::Property> properties = {
        {"door.material", "材质", "", "Enum", {{"wood", "木质"}, {"steel", "钢质"}, {"glass", "玻璃"}}},
        {"door.width", "宽度", "mm", "Number", {}},
        {"door.leaves", "扇数", "扇", "Int", {}},
        {"door.fire", "防火", "", "Logic", {}},
        {"win.frame", "框材", "", "enum", {{"alu", "铝合金"}, {"pvc", "塑钢"}}},
        {"win.width", "宽度", "mm", "Number", {}},
        {"win.colour", "颜色", "", "Color", {}},
    };
    for (const CatalogWriter::Property& property : properties) {
        writer.AddProperty(property);
    }
    // Added out of tree order on purpose: the writer orders them.
    const QVector<CatalogWriter::Category> categories = {
        {"VALVE", "MEP", "阀门", true, {}},
        {"ROOT", "", "全部构件", false, {}},
        {"ARCH", "ROOT", "建筑", false, {}},
        {"DOOR", "ARCH", "门", true, {"door.material", "door.width", "door.leaves", "door.fire"}},
        {"WIN", "ARCH", "窗", true, {"win.frame", "win.width", "win.colour"}},
        {"MEP", "ROOT", "机电", false, {}},
        {"EMPTY", "MEP", "空分类", true, {}},
    };
    for (const CatalogWriter::Category& category : categories) {
        writer.AddCategory(category);
    }

    CatalogWriter::Detail detail;
    detail.Thumbnails["256"] = QStringList{"files/a_256.png", "files/b_256.png"};
    detail.Thumbnails["64"] = QStringList{"files/a_64.png"};
    detail.Legends = {{"平面图", "files/plan.png"}, {"立面图", "files/elevation.png"}, {"无图", ""}};
    detail.Specifications = {
        {"S1", "M0921",
         {{"宽度", "900", "mm", true}, {"高度", "2100", "mm", true}, {"内部编码", "X-17", "", false},
          {"重量", "", "kg", true}}},
        {"S2", "M1021", {{"宽度", "1000", "", true}}},
    };
    const qint64 full = writer.AddDetail(detail);
    CatalogWriter::Detail broken;
    broken.Specifications = {{"S1", "默认", {{"", "lost", "", true}, {"厚度", "45", "mm", true}}}};
    const qint64 sparse = writer.AddDetail(broken);

    struct Row
    {
        const char* Id;
        QString Name;
        const char* Category;
        qint64 Detail;
        QVector<QPair<QString, QString>> Values;
    };
    const auto v = [](const char* code, const QString& value) { return qMakePair(QLatin1String(code), value); };
    const QVector<Row> rows = {
        {"V1", QStringLiteral("法兰闸阀 Z41H DN100"), "VALVE", full, {}},
        {"D1", QStringLiteral("木质单扇平开门 M0921"), "DOOR", full,
         {v("door.material", "wood"), v("door.width", "900"), v("door.leaves", "1"), v("door.fire", "0")}},
        {"D2", QStringLiteral("钢质双扇防火门 FM1521"), "DOOR", sparse,
         {v("door.material", "steel"), v("door.width", "1500"), v("door.leaves", "2"), v("door.fire", "1")}},
        {"D3", QStringLiteral("玻璃推拉门 TLM1824"), "DOOR", full,
         {v("door.material", "glass"), v("door.width", "1800"), v("door.leaves", "2"), v("door.fire", "0")}},
        {"D4", QStringLiteral("木质子母门 M1221"), "DOOR", full,
         {v("door.material", "wood"), v("door.width", "1200"), v("door.leaves", "2"), v("door.fire", "0")}},
        {"D5", QStringLiteral("防盗门 \"安全\"型 'A'"), "DOOR", full,
         {v("door.material", "steel"), v("door.width", "960"), v("door.leaves", "1"), v("door.fire", "1")}},
        {"W1", QStringLiteral("铝合金推拉窗 TC1515"), "WIN", full, {v("win.frame", "alu"), v("win.width", "1500")}},
        {"W2", QStringLiteral("断桥铝平开窗 C0915"), "WIN", full, {v("win.frame", "alu"), v("win.width", "900")}},
        {"W3", QStringLiteral("百叶窗 50%开孔率"), "WIN", full, {v("win.frame", "pvc"), v("win.width", "600")}},
        {"W4", QStringLiteral("塑钢窗_标准款"), "WIN", full, {v("win.frame", "pvc"), v("win.width", "1200")}},
        {"V2", QStringLiteral("LED指示蝶阀 D341X"), "VALVE", full, {}},
        {"V3", QStringLiteral("球阀 Q41F\\DN50"), "VALVE", full, {}},
        {"", QStringLiteral("无编号阀门"), "VALVE", full, {}},
    };
    for (const Row& row : rows) {
        CatalogWriter::Component component;
        component.Id = QLatin1String(row.Id);
        component.Name = row.Name;
        component.CategoryCode = QLatin1String(row.Category);
        component.ShopId = QStringLiteral("SHOP-1");
        component.Detail = row.Detail;
        component.Values = row.Values;
        component.File = QStringLiteral("files/components/%1.json").arg(component.Id);
        if (component.Id == QLatin1String("W1")) {
            component.Thumbnail = QStringLiteral("../../outside.png");
        } else if (component.Id != QLatin1String("D2")) {
            component.Thumbnail = QStringLiteral("files/thumbnails/%1.png").arg(component.Id);
        }
        if (!writer.AddComponent(component)) {
            *error = writer.LastError();
            return false;
        }
    }
    if (!writer.Finish(error)) {
        return false;
    }

    tarn::ComponentFile file;
    file.FamilyName = QStringLiteral("木质单扇平开门");
    file.CategoryCode = QStringLiteral("DOOR");
    file.Types = {{QStringLiteral("M0921"), {{QStringLiteral("宽度"), QStringLiteral("900"), QStringLiteral("mm")}}}};
    tarn::ComponentFile::Solid leaf;
    leaf.Name = QStringLiteral("门扇");
    leaf.Size = {900, 40, 2100};
    file.Solids = {leaf};
    return file.Write(folder + QStringLiteral("/files/components/D1.json"), error);
}

} // namespace vela::test
