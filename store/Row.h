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

} // namespace store
