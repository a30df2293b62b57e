#include "BusyWait.h"

namespace store {
namespace {

// The program has one thread and, in practice, one book: one budget serves every connection.
bool spent = false;

} // namespace

void renewBusyWait()
{
    spent = false;
}

bool busyWaitSpent()
{
    return spent;
}

void spendBusyWait()
{
    spent = true;
}

} // namespace store
