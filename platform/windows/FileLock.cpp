#include "FileLock.h"

#include <windows.h>

namespace platform {

FileLock::Outcome FileLock::take(const std::filesystem::path& file, Kind kind)
{
    giveBack();
    // Others may read, write and remove the file itself: only the lock on its first byte counts.
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        failure_ = std::error_code(int(GetLastError()), std::system_category());
        return Outcome::Unopened;
    }
    OVERLAPPED firstByte = {};
    const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (kind == Kind::Alone ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    if (LockFileEx(handle, flags, 0, 1, 0, &firstByte)) {
        handle_ = reinterpret_cast<std::intptr_t>(handle);
        return Outcome::Held;
    }
    const DWORD why = GetLastError();
    CloseHandle(handle);
    if (why == ERROR_LOCK_VIOLATION || why == ERROR_IO_PENDING)
        return Outcome::TakenElsewhere;
    failure_ = std::error_code(int(why), std::system_category());
    return Outcome::Failed;
}

void FileLock::giveBack() noexcept
{
    if (handle_ != -1)
        CloseHandle(reinterpret_cast<HANDLE>(handle_)); // gives the lock back
    handle_ = -1;
}

FileLock::~FileLock()
{
    giveBack();
}

} // namespace platform
