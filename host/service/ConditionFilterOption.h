#pragma once

#include "vela_service_export.h"

#include <cstdint>
#include <string>

namespace vela {

// One property condition of a component query.
class VELA_SERVICE_EXPORT ConditionFilterOption
{
public:
    // Operator codes.
    static constexpr int32_t Equal = 1;
    static constexpr int32_t Greater = 4;
    static constexpr int32_t GreaterOrEqual = 5;
    static constexpr int32_t Less = 6;
    static constexpr int32_t LessOrEqual = 7;
    static constexpr int32_t BetweenExclusive = 8;
    static constexpr int32_t Between = 9;
    // Value type codes.
    static constexpr int32_t IntegerOrBoolean = 1;
    static constexpr int32_t Number = 2;
    static constexpr int32_t Enumeration = 4;

    const std::wstring& Code() const { return m_code; }
    const std::wstring& Name() const { return m_name; }
    const std::wstring& Value() const { return m_value; }
    const std::wstring& FromValue() const { return m_fromValue; }
    const std::wstring& ToValue() const { return m_toValue; }

    void SetCode(const std::wstring& code) { m_code = code; }
    void SetName(const std::wstring& name) { m_name = name; }
    void SetValue(const std::wstring& value) { m_value = value; }
    void SetFromValue(const std::wstring& value) { m_fromValue = value; }
    void SetToValue(const std::wstring& value) { m_toValue = value; }

    int32_t Operator = 0;
    int32_t ValueType = 0;

private:
    std::wstring m_code;
    std::wstring m_name;
    std::wstring m_value;
    std::wstring m_fromValue;
    std::wstring m_toValue;
};

} // namespace vela
