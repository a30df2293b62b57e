#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace store {

// A value another program wrote into a whole-number field that is not a 32-bit whole
// number (2^40, the text 'abc'). The book reads it as empty; the clerk is told once.
struct OddValue {
    std::string_view table;
    std::int32_t record = 0;            // the record's Auto
    std::string workerName;             // the worker table's record: its name
    std::optional<std::int32_t> worker; // an entry's record: the Auto of its worker (Index), if readable
    std::string_view field;
    std::string stored; // the value as the engine gives it in text
};

} // namespace store
