#pragma once

#include <cstdint>
#include <optional>

namespace rules {

// The entitlement rule of the new-worker window: 14 days for 0 to 9 years of service,
// 21 from ten years on.
std::int32_t entitlementFor(std::int64_t yearsOfService);

// The years of service from the year service began to `thisYear`; none when the start lies
// after this year (an input error) or the years would leave 32 bits.
std::optional<std::int32_t> yearsOfService(std::int64_t start, std::int64_t thisYear);

} // namespace rules
