#include "WholeNumber.h"

#include "Isolated.h"
#include "StoreError.h"
#include "Wording.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace store {

std::optional<std::int32_t> parseWholeNumber(std::string_view text)
{
    const bool plus = !text.empty() && text.front() == '+';
    if (plus)
        text.remove_prefix(1);
    const std::string_view digits = !plus && !text.empty() && text.front() == '-' ? text.substr(1) : text;
    if (digits.empty() || digits.front() < '0' || digits.front() > '9')
        return std::nullopt;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string notAWholeNumberMessage(std::string_view text)
{
    // Typed text with letters of another direction, or a pasted override, is isolated so it
    // cannot turn the message around; plain ASCII reads as the message always read.
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) { return (unsigned char)c < 0x80; });
    return "'" + (plain ? std::string(text) : isolated(text)) + "' is not a valid integer value";
}

std::string notAWholeNumberForFieldMessage(std::string_view text, std::string_view fieldName)
{
    return notAWholeNumberMessage(text) + " for field '" + std::string(fieldName) + "'";
}

namespace {

std::int32_t fitted(std::int64_t value, const std::string& what)
{
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        throw StoreError(worded("WholeNumber", "%1 خارج حدود الأعداد الصحيحة التي يتسع لها الدفتر (من %2 إلى %3)")
                             .arg(what)
                             .arg(isolatedLeftToRight("-2147483648"))
                             .arg(isolatedLeftToRight("2147483647")));
    return std::int32_t(value);
}

} // namespace

std::int32_t addWholeNumbers(std::int32_t a, std::int32_t b)
{
    return fitted(std::int64_t(a) + std::int64_t(b),
                  worded("WholeNumber", "ناتج %1").arg(isolatedLeftToRight(std::to_string(a) + " + " + std::to_string(b))));
}

std::int32_t storedWholeNumber(std::int64_t value)
{
    return fitted(value, worded("WholeNumber", "العدد %1").arg(isolatedLeftToRight(std::to_string(value))));
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
