#include "ServiceYears.h"

#include <limits>

namespace rules {
namespace {

constexpr std::int64_t longService = 10; // years from which the entitlement is 21 days

} // namespace

std::int32_t entitlementFor(std::int64_t yearsOfService)
{
    return yearsOfService >= longService ? 21 : 14;
}

std::optional<std::int32_t> yearsOfService(std::int64_t start, std::int64_t thisYear)
{
    const std::int64_t years = thisYear - start;
    if (years < 0 || years > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return std::int32_t(years);
}

} // namespace rules
