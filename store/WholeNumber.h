#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace store {

// The platform's text-to-integer conversion: an optional "+" or "-" followed by decimal
// digits and nothing else (no blanks), within the 32-bit signed range.
std::optional<std::int32_t> parseWholeNumber(std::string_view text);

// A year or a number of days as the clerk writes it: blanks around it, and Arabic-Indic
// digits (٢٠١٠, ۲۰۱۰) as well as 0 to 9. Nothing when it is no whole number.
std::optional<std::int32_t> writtenWholeNumber(std::string_view written);

// "'%s' is not a valid integer value": the conversion failure the leave windows report.
std::string notAWholeNumberMessage(std::string_view text);

// "'%s' is not a valid integer value for field '%s'": a field refusing a typed text.
std::string notAWholeNumberForFieldMessage(std::string_view text, std::string_view fieldName);

// a + b, or StoreError when the sum leaves the 32-bit signed range the book stores.
std::int32_t addWholeNumbers(std::int32_t a, std::int32_t b);
// The value as the book stores it, or StoreError when it leaves the 32-bit signed range.
std::int32_t storedWholeNumber(std::int64_t value);

} // namespace store
