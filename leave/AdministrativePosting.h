#pragma once

#include "LeaveInput.h"

namespace leave {

// Adds the typed days to the selected worker's AdministrationPermit, appends an
// administrative entry with the days, date and month, and stores the excess on the entry
// and on the worker. All of it or nothing: on any failure the book and the cursors are as
// before, and the error is thrown.
void postAdministrativeLeave(store::TDataModule1& book, const std::string& countText, const LeaveDate& date);

} // namespace leave
