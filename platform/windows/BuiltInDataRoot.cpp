#include "BuiltInDataRoot.h"

#include <windows.h>

namespace platform {

std::filesystem::path builtInDataRoot()
{
    // The office's book has always lived on D:. A PC whose D: is a disc drive, or that has
    // none, keeps it in the user's own folder instead.
    const UINT drive = GetDriveTypeW(L"D:\\");
    if (drive == DRIVE_FIXED || drive == DRIVE_REMOTE)
        return std::filesystem::path(LR"(D:\kestrave\Data)");
    wchar_t profile[MAX_PATH + 1] = {};
    const DWORD length = GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH + 1);
    const std::filesystem::path home = length > 0 && length <= MAX_PATH ? std::filesystem::path(profile)
                                                                        : std::filesystem::path(LR"(C:\)");
    return home / L"kestrave" / L"Data";
}

} // namespace platform
