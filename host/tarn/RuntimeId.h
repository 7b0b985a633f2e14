#pragma once

#include "tarn_export.h"

#include <cstdint>

namespace tarn {

// Identifies a document (or an element) for the lifetime of the process.
class TARN_EXPORT RuntimeId
{
public:
    static const RuntimeId InvalidID;

    constexpr RuntimeId() = default;
    constexpr explicit RuntimeId(int64_t value) : m_value(value) {}

    // A fresh id, never handed out before in this process.
    static RuntimeId Next();

    constexpr int64_t Value() const { return m_value; }
    constexpr bool IsValid() const { return m_value > 0; }

    friend constexpr bool operator==(RuntimeId a, RuntimeId b) { return a.m_value == b.m_value; }
    friend constexpr bool operator!=(RuntimeId a, RuntimeId b) { return a.m_value != b.m_value; }
    friend constexpr bool operator<(RuntimeId a, RuntimeId b) { return a.m_value < b.m_value; }

private:
    int64_t m_value = 0;
};

} // namespace tarn
