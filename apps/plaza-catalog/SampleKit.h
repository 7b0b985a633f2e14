#pragma once

// Small helpers shared by the recipes of the sample library.

#include "CatalogWriter.h"
#include "Random.h"

#include <QString>
#include <QVector>

#include <algorithm>
#include <cmath>

namespace vela::kit {

// Colours as 0xRRGGBB.
constexpr unsigned Wood = 0xa8703f;
constexpr unsigned LightWood = 0xcfa274;
constexpr unsigned DarkWood = 0x6b4429;
constexpr unsigned Steel = 0x8c939c;
constexpr unsigned DarkSteel = 0x4d535b;
constexpr unsigned Aluminium = 0xc9ced4;
constexpr unsigned White = 0xf1f1ee;
constexpr unsigned Glass = 0x8cc4e6;
constexpr unsigned Concrete = 0xb3b0a8;
constexpr unsigned Brick = 0xb25a3c;
constexpr unsigned Mortar = 0xd6d0c2;
constexpr unsigned Red = 0xc62f2a;
constexpr unsigned Green = 0x5a9e5c;
constexpr unsigned PvcGrey = 0xd7d8d3;
constexpr unsigned Copper = 0xc07a48;
constexpr unsigned Brass = 0xc8a23a;
constexpr unsigned Black = 0x2a2a2a;
constexpr unsigned Chrome = 0xd3d8dd;
constexpr unsigned Ceramic = 0xf6f6f3;
constexpr unsigned FabricBlue = 0x52729f;
constexpr unsigned FabricGrey = 0x8a8c8f;
constexpr unsigned Leather = 0x7a4b32;
constexpr unsigned Light = 0xfff6d8;
constexpr unsigned Gypsum = 0xe9e6df;
constexpr double GlassOpacity = 0.45;

inline CatalogWriter::Property Enum(const QString& key, const QString& name,
                                    const QVector<QPair<QString, QString>>& choices)
{
    return {key, name, QString(), QStringLiteral("Enum"), choices};
}

inline CatalogWriter::Property Number(const QString& key, const QString& name, const QString& unit)
{
    return {key, name, unit, QStringLiteral("Number"), {}};
}

inline CatalogWriter::Property Int(const QString& key, const QString& name, const QString& unit)
{
    return {key, name, unit, QStringLiteral("Int"), {}};
}

inline CatalogWriter::Property Logic(const QString& key, const QString& name)
{
    return {key, name, QString(), QStringLiteral("Logic"), {}};
}

// The display text of an enumerated value.
inline QString TextOf(const QVector<QPair<QString, QString>>& choices, const QString& value)
{
    for (const auto& choice : choices) {
        if (choice.first == value) {
            return choice.second;
        }
    }
    return value;
}

inline QString Num(double value)
{
    return std::abs(value - std::round(value)) < 1e-9 ? QString::number(qint64(std::round(value)))
                                                       : QString::number(value, 'g', 6);
}

// Two-digit decimetres, as drawing codes write sizes ("M0921": 900 by 2100).
inline QString Dm(int millimetres)
{
    return QStringLiteral("%1").arg(millimetres / 100, 2, 10, QLatin1Char('0'));
}

struct Maker
{
    QString ShopId;
    QString Name;
};

inline Maker PickMaker(Random& random, const QVector<Maker>& makers)
{
    return random.Pick(makers);
}

// `count` different entries of `options`, in their original order.
template <class T>
QVector<T> PickSome(Random& random, const QVector<T>& options, int count)
{
    QVector<int> indexes;
    for (int i = 0; i < options.size(); ++i) {
        indexes.append(i);
    }
    for (int i = 0; i < indexes.size(); ++i) {
        std::swap(indexes[i], indexes[random.Int(i, indexes.size() - 1)]);
    }
    indexes.resize(std::min(count, int(indexes.size())));
    std::sort(indexes.begin(), indexes.end());
    QVector<T> picked;
    for (int index : indexes) {
        picked.append(options[index]);
    }
    return picked;
}

// The parameters of one specification, in display order.
class Params
{
public:
    Params& Add(const QString& name, const QString& value, const QString& unit = QString())
    {
        m_list.append({name, value, unit, true});
        return *this;
    }
    Params& Add(const QString& name, double value, const QString& unit)
    {
        return Add(name, Num(value), unit);
    }
    Params& Hide(const QString& name, const QString& value)
    {
        m_list.append({name, value, QString(), false});
        return *this;
    }
    // What every family of the library carries but the panel does not show.
    Params& Family(Random& random, const QString& category)
    {
        Hide(QStringLiteral("族类别"), category);
        Hide(QStringLiteral("内部编码"),
             QStringLiteral("%1").arg(random.Next() & 0xffffffffu, 8, 16, QLatin1Char('0')).toUpper());
        return Hide(QStringLiteral("模型版本"), QStringLiteral("2.%1").arg(random.Int(0, 4)));
    }
    QVector<CatalogWriter::Parameter> List() const { return m_list; }

private:
    QVector<CatalogWriter::Parameter> m_list;
};

} // namespace vela::kit
