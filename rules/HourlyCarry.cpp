#include "HourlyCarry.h"

namespace rules {

void carryOnce(HourlyBalance& balance)
{
    if (balance.minutes >= minutesInAnHour) {
        balance.hours += 1;
        balance.minutes -= minutesInAnHour;
    }
    if (balance.hours >= hoursInADay) {
        balance.days += 1;
        balance.hours -= hoursInADay;
    }
}

void carryAll(HourlyBalance& balance)
{
    if (balance.minutes >= minutesInAnHour) {
        balance.hours += balance.minutes / minutesInAnHour;
        balance.minutes %= minutesInAnHour;
    }
    if (balance.hours >= hoursInADay) {
        balance.days += balance.hours / hoursInADay;
        balance.hours %= hoursInADay;
    }
}

std::string hoursText(const std::string& hours, const std::string& minutes)
{
    return hours + "." + minutes;
}

} // namespace rules
