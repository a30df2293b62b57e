#pragma once

#include "LeaveInput.h"

namespace leave {

enum class DaysLeave { Sick, Unpaid };

// Adds the typed days to the selected worker's HealthPermit or NoHire and appends an entry
// of that kind with the days, date and month. Nothing of the entitlement or the excess is
// read or touched. All of it or nothing, as every posting.
void postDaysLeave(store::TDataModule1& book, DaysLeave kind, const std::string& countText, const LeaveDate& date);

} // namespace leave
