#include "DurableFile.h"

#include <windows.h>

namespace platform {

void keepOnDisk(const std::filesystem::path& file)
{
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        throw std::filesystem::filesystem_error("CreateFileW", file,
                                                std::error_code(int(GetLastError()), std::system_category()));
    const BOOL flushed = FlushFileBuffers(handle);
    const DWORD why = GetLastError();
    CloseHandle(handle);
    if (!flushed)
        throw std::filesystem::filesystem_error("FlushFileBuffers", file, std::error_code(int(why), std::system_category()));
}

} // namespace platform
