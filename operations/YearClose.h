#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace store {
class BookConnection;
}

namespace operations {

// What closing a year does to one worker: the years of service and the entitlement now
// and in the new year. The entitlement follows the new years by the new-worker window's rule
// only where it is what that rule gave for the old ones; one typed by hand is kept.
struct YearCloseRow {
    std::int32_t worker = 0;
    std::string name;
    std::optional<std::int32_t> yearsNow, yearsAfter;
    std::optional<std::int32_t> entitlementNow, entitlementAfter;
    // The year's totals as they go to the archive, the hourly balance settled first.
    std::optional<std::int32_t> administrative, sick, unpaid, excess;
    std::optional<std::int32_t> hours, minutes; // the balance below a day, carried into the new year
    std::string hoursText;                      // that balance as the book writes it
    // What settling the balance moved within the closing year, as its entries record it:
    // the balance's hours and minutes changed by these, the administrative days by these.
    std::int32_t hoursSettled = 0, minutesSettled = 0, daysSettled = 0;
};

// The change closing `year` would make, worker by worker, in registration order. Throws
// StoreError naming a worker whose figures would leave 32 bits.
std::vector<YearCloseRow> planYearClose(store::BookConnection& book, int year);

// Why `year` cannot be closed on a day of `currentYear`, or nothing when it can. A year
// closes once it has ended, once, and in order: a book never closed may close any ended
// year, after that only the year after the last one closed. The book's own record of
// its closes decides (a book closed before that record was kept: the years archived in
// `archives`); a folder already at the archive's place is refused too.
std::optional<std::string> yearCloseRefusal(store::BookConnection& book, int year, int currentYear,
                                            const std::filesystem::path& archives);
// The year to propose closing on a day of `currentYear`: the year after the last one
// closed, or in a book never closed the year just ended.
int yearToClose(store::BookConnection& book, int currentYear, const std::filesystem::path& archives);

// Closes `year`, all or nothing, in one write transaction: whether it may be closed is
// decided once the book's write lock is held (yearCloseRefusal), so of two closes of one
// year exactly one closes; the hourly balance of a day or more is settled in the closing
// year (minutes to hours, hours to administrative days, each move an entry of its own);
// the book as it then stands is archived, checked, into `archives`/`year` (a book of its
// own, kept on the server too for a book there); the four entry tables are emptied (their
// numbers go on); every worker's leave totals and excess start empty; the balance below a
// day is carried as an hourly entry "من <year>"; years of service and entitlements move on
// as planYearClose says; the close is recorded in the book. Refused with nothing changed
// as yearCloseRefusal says, while another program writes, or when the archive fails.
// A close whose process died after storing it leaves its archive aside; the next close
// gives it its name. Returns where the archive is. Throws StoreError saying why.
std::filesystem::path closeYear(store::BookConnection& book, int year, int currentYear, const std::filesystem::path& archives);

} // namespace operations
