#include "Processes.h"

#include <cerrno>
#include <signal.h>
#include <unistd.h>

namespace platform {

long thisProcess()
{
    return long(::getpid());
}

bool processRunning(long process)
{
    return process > 0 && (::kill(pid_t(process), 0) == 0 || errno == EPERM);
}

} // namespace platform
