#pragma once

#include <algorithm>
#include <cstdint>

namespace rules {

// The administrative days beyond the yearly entitlement: the days less the entitlement when
// that is more than nothing, else nothing. Wide figures, so a difference of opposite signs
// never wraps; the caller says what does not fit its field.
constexpr std::int64_t excessDays(std::int64_t administrativeDays, std::int64_t entitlement)
{
    return std::max<std::int64_t>(0, administrativeDays - entitlement);
}

} // namespace rules
