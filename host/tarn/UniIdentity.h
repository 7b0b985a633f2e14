#pragma once

#include "tarn_export.h"

#include <string>

namespace tarn {

// A stable identity of a family type, unique across documents; empty is invalid.
class TARN_EXPORT UniIdentity
{
public:
    UniIdentity() = default;
    explicit UniIdentity(std::wstring value);

    // A fresh, valid identity.
    static UniIdentity Create();

    bool IsValid() const;
    const std::wstring& ToString() const;

    friend bool operator==(const UniIdentity& a, const UniIdentity& b) { return a.m_value == b.m_value; }
    friend bool operator!=(const UniIdentity& a, const UniIdentity& b) { return a.m_value != b.m_value; }
    friend bool operator<(const UniIdentity& a, const UniIdentity& b) { return a.m_value < b.m_value; }

private:
    std::wstring m_value;
};

} // namespace tarn
