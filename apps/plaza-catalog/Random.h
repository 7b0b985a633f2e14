#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdint>

namespace vela {

// A seeded random source whose sequence is the same on every platform and
// standard library, so that a catalog built twice is the same catalog.
class Random
{
public:
    explicit Random(uint64_t seed);

    uint64_t Next();
    // In [low, high], both included.
    int Int(int low, int high);
    // In [low, high).
    double Real(double low, double high);
    bool Chance(double probability);
    // A multiple of `step` in [low, high].
    int Step(int low, int high, int step);

    template <class T>
    const T& Pick(const QVector<T>& items)
    {
        return items[Int(0, items.size() - 1)];
    }
    QString Pick(const QStringList& items);

private:
    uint64_t m_state;
};

} // namespace vela
