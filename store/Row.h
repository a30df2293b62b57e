#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace store {

// One field's value: empty, a 32-bit whole number, or UTF-8 text.
using FieldValue = std::variant<std::monostate, std::int32_t, std::string>;

// The values of one record in the table's stored field order; Auto comes first.
using Row = std::vector<FieldValue>;

inline std::int32_t autoOf(const Row& row)
{
    return std::get<std::int32_t>(row.front());
}

// A value as a field's edit text: decimal digits for a number ("-" when negative), the
// text itself, or nothing when empty.
inline std::string valueText(const FieldValue& value)
{
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return std::to_string(*number);
    if (const auto* text = std::get_if<std::string>(&value))
        return *text;
    return {};
}

} // namespace store
