#include "Processes.h"

#include <windows.h>

namespace platform {

long thisProcess()
{
    return long(GetCurrentProcessId());
}

bool processRunning(long process)
{
    if (process <= 0)
        return false;
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(process));
    if (!handle)
        return GetLastError() == ERROR_ACCESS_DENIED; // another user's, and running
    DWORD exitCode = 0;
    const bool running = GetExitCodeProcess(handle, &exitCode) && exitCode == STILL_ACTIVE;
    CloseHandle(handle);
    return running;
}

} // namespace platform
