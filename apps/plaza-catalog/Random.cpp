#include "Random.h"

namespace vela {

Random::Random(uint64_t seed)
    : m_state(seed)
{
}

uint64_t Random::Next()
{
    // SplitMix64.
    uint64_t z = (m_state += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

int Random::Int(int low, int high)
{
    if (high <= low) {
        return low;
    }
    const uint64_t span = uint64_t(int64_t(high) - int64_t(low)) + 1;
    return int(int64_t(low) + int64_t(Next() % span));
}

double Random::Real(double low, double high)
{
    return low + (high - low) * double(Next() >> 11) / double(uint64_t(1) << 53);
}

bool Random::Chance(double probability)
{
    return Real(0, 1) < probability;
}

int Random::Step(int low, int high, int step)
{
    return low + step * Int(0, (high - low) / step);
}

QString Random::Pick(const QStringList& items)
{
    return items.isEmpty() ? QString() : items[Int(0, items.size() - 1)];
}

} // namespace vela
