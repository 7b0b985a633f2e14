#pragma once

#include <map>
#include <memory>
#include <string>

namespace vela {

// One filterable property of a category. Type is "Enum", "Number", "Int" or "Logic".
struct CategoryPropertyDefinition
{
    std::wstring Code;
    std::wstring Name;
    std::wstring Unit;
    std::wstring Type;
    // Enumerated values: value to display text.
    std::map<std::wstring, std::wstring> Values;
};

// The properties of a category, by property name.
struct ICategoryProperty
{
    std::map<std::wstring, std::shared_ptr<CategoryPropertyDefinition>> Properties;
};

} // namespace vela
