#include "ServiceYears.h"

#include "WholeNumber.h"

#include <limits>
#include <string>

namespace store {
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

std::optional<std::int32_t> writtenWholeNumber(std::string_view written)
{
    std::string plain;
    for (std::size_t at = 0; at < written.size(); ++at) {
        const auto byte = static_cast<unsigned char>(written[at]);
        // Arabic-Indic digits U+0660 to U+0669 (D9 A0 to D9 A9) and the extended ones U+06F0 to
        // U+06F9 (DB B0 to DB B9), in UTF-8.
        if ((byte == 0xD9 || byte == 0xDB) && at + 1 < written.size()) {
            const auto next = static_cast<unsigned char>(written[at + 1]);
            const unsigned char first = byte == 0xD9 ? 0xA0 : 0xB0;
            if (next >= first && next <= first + 9) {
                plain += char('0' + (next - first));
                ++at;
                continue;
            }
        }
        plain += char(byte);
    }
    const std::size_t from = plain.find_first_not_of(" \t");
    if (from == std::string::npos)
        return std::nullopt;
    return parseWholeNumber(std::string_view(plain).substr(from, plain.find_last_not_of(" \t") + 1 - from));
}

} // namespace store
