#pragma once

namespace store {

// One wait for another program's lock per clerk action: the first statement that meets a
// lock waits for it, up to the book's timeout; once a wait has given up, every later
// statement gives up at once until the next clerk action renews the wait, so one action
// never freezes the desk for longer than one timeout, however many reads it makes.
void renewBusyWait();
bool busyWaitSpent();
void spendBusyWait();

} // namespace store
