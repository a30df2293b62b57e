#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace store {
class TDataModule1;
}

namespace leave {

// A typed amount that is not a whole number: "'%s' is not a valid integer value".
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The standard text-to-integer conversion of a typed amount (an optional sign and decimal
// digits, within 32 bits); throws ConversionError.
std::int32_t typedWholeNumber(const std::string& text);

// The date boxes' texts, exactly as typed.
struct LeaveDate {
    std::string day;
    std::string month;
    std::string year;

    // day + "/" + month + "/" + year, untrimmed and unchecked; the Date field cuts it to 12.
    std::string text() const { return day + "/" + month + "/" + year; }
};

// A posting charges the worker TableM stands on; a book with no such worker has nobody to
// charge, and a posting would otherwise begin a nameless worker. Throws StoreError.
void requireSelectedWorker(const store::TDataModule1& book);

} // namespace leave
