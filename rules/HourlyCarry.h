#pragma once

#include <cstdint>
#include <string>

namespace rules {

// The hourly balance turns into administrative days by two carries: 60 minutes to an
// hour, then 8 hours to a day. Wide figures, so a carry never wraps; the caller says
// what does not fit its fields.
constexpr std::int64_t minutesInAnHour = 60;
constexpr std::int64_t hoursInADay = 8;

struct HourlyBalance {
    std::int64_t days = 0; // administrative days, the carried ones included
    std::int64_t hours = 0;
    std::int64_t minutes = 0;
};

// What one hourly posting carries: each carry at most once, so a balance of 120 minutes
// or 16 hours still holds a carry afterwards. A balance below either, whatever its sign,
// is never carried.
void carryOnce(HourlyBalance& balance);
// Every carry the balance holds, as many postings of nothing would make them one by one:
// afterwards fewer than 60 minutes and fewer than 8 hours are left.
void carryAll(HourlyBalance& balance);

// The hours text of a balance or an entry: the hours, ".", the minutes, each in plain
// digits; an empty figure stays empty.
std::string hoursText(const std::string& hours, const std::string& minutes);

} // namespace rules
