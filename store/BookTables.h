#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

namespace store {

class BookConnection;

// A value as a spreadsheet holds it: nothing, a whole number, or a text.
using SheetCell = std::variant<std::monostate, std::int64_t, std::string>;
using SheetRow = std::vector<SheetCell>;

// Each is read in one snapshot of the book, of either kind.

// One row per worker, in registration order: name, years of service, start of service,
// yearly entitlement, administrative days, hourly balance ("h.m"), sick days, unpaid days,
// excess days, as the summary sheet shows them.
std::vector<SheetRow> summaryRows(BookConnection& book);

enum class EntryKind { Administrative, Hourly, Sick, Unpaid };

// Every entry of every kind, by worker (registration order) then kind then the order they
// were posted: the worker's name, the kind, the amount (days, or the hours text "h.m"),
// the date text and the month. An entry of no worker has an empty name.
struct EntryRow {
    std::string worker;
    EntryKind kind;
    SheetCell amount;
    std::string date;
    std::string month;
};
std::vector<EntryRow> entryRows(BookConnection& book);

} // namespace store
