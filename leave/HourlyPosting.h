#pragma once

#include "LeaveInput.h"

namespace store {
class Field;
}

namespace leave {

// Hours, ".", minutes, each as the field's own text: 3 h 5 min give "3.5", 3 h 50 min "3.50".
std::string hoursText(const store::Field& hours, const store::Field& minute);

// Adds the typed hours and minutes to the selected worker's balance, carries 60 minutes
// into an hour and then 8 hours into an administrative day (each once), writes the
// balance's hours text, appends an hourly entry with the typed values, and stores the
// worker's excess. Both amounts are converted before anything is written. All of it or
// nothing: on any failure the book and the cursors are as before, and the error is thrown.
void postHourlyLeave(store::TDataModule1& book, const std::string& hoursTyped, const std::string& minutesTyped,
                     const LeaveDate& date);

} // namespace leave
