#pragma once

namespace rules {

// How many characters each text of the book holds: what a window, an import or a close
// writes is cut or refused at these sizes, and the tables are made with them.
constexpr int workerNameSize = 30;  // WorkerName
constexpr int hoursTextSize = 5;    // HorsPermit, "hours.minutes"
constexpr int entryDateSize = 12;   // Date of an entry
constexpr int entryMonthSize = 2;   // Month of an entry

} // namespace rules
