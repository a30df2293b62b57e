#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace store {

class BookConnection;

// What closing a year does to one worker: the years of service and the entitlement now
// and in the new year. The entitlement follows the new years by the new-worker window's rule
// only where it is what that rule gave for the old ones; one typed by hand is kept.
struct YearCloseRow {
    std::int32_t worker = 0;
    std::string name;
    std::optional<std::int32_t> yearsNow, yearsAfter;
    std::optional<std::int32_t> entitlementNow, entitlementAfter;
    // The year's totals, which go to the archive.
    std::optional<std::int32_t> administrative, sick, unpaid;
};

// The change closing `year` would make, worker by worker, in registration order. Throws
// StoreError naming a worker whose years would leave 32 bits.
std::vector<YearCloseRow> planYearClose(BookConnection& book, int year);
// The same for the local book under `dataRoot`.
std::vector<YearCloseRow> planYearClose(const std::filesystem::path& dataRoot, int year);

// Closes `year`, all or nothing: the book as it stands is archived, checked, into
// `archives`/`year` (a book of its own); the four entry tables are emptied (their numbers go
// on); every worker's leave totals and excess start empty; the hourly balance below a day is
// carried into the new year, as an hourly entry "من <year>" so the book's totals still agree
// with its entries; years of service and entitlements move on as planYearClose says.
// Refused with nothing changed: a year already archived, a year not yet ended, another
// program writing the book, a failed archive. A close cut short by a crash is finished, or
// undone, by the next close of that year. Throws StoreError saying why.
void closeYear(BookConnection& book, int year, int currentYear, const std::filesystem::path& archives);
// The same for the local book under `dataRoot`, on a connection of its own.
void closeYear(const std::filesystem::path& dataRoot, int year, int currentYear,
               const std::filesystem::path& archives);

} // namespace store
