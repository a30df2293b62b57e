#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace store {

// The entitlement rule of the new-worker window: 14 days for 0 to 9 years of service,
// 21 from ten years on.
std::int32_t entitlementFor(std::int64_t yearsOfService);

// The years of service from the year service began to `thisYear`; none when the start lies
// after this year (an input error) or the years would leave 32 bits.
std::optional<std::int32_t> yearsOfService(std::int64_t start, std::int64_t thisYear);

// A year or a number of days as the clerk writes it: blanks around it, and Arabic-Indic
// digits (٢٠١٠, ۲۰۱۰) as well as 0 to 9. Nothing when it is no whole number.
std::optional<std::int32_t> writtenWholeNumber(std::string_view written);

} // namespace store
