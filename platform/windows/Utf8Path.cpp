#include "Utf8Path.h"

#include <io.h>
#include <optional>
#include <string>
#include <windows.h>

namespace platform {

std::filesystem::path utf8Path(std::string_view text)
{
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(text.data()), text.size()));
}

namespace {

// The name in the PC's code page, or nothing when a letter of it has no place there.
std::optional<std::string> inCodePage(const std::wstring& name)
{
    BOOL lost = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(), int(name.size()), nullptr, 0,
                                         nullptr, &lost);
    if (lost || size <= 0)
        return std::nullopt;
    std::string narrow(std::size_t(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(), int(name.size()), narrow.data(), size, nullptr, &lost);
    if (lost)
        return std::nullopt;
    return narrow;
}

} // namespace

std::string narrowPath(const std::filesystem::path& existing)
{
    if (auto narrow = inCodePage(existing.native()))
        return *narrow;
    std::wstring shortName(MAX_PATH, L'\0');
    const DWORD length = GetShortPathNameW(existing.c_str(), shortName.data(), DWORD(shortName.size()));
    if (length > 0 && length < shortName.size()) {
        shortName.resize(length);
        if (auto narrow = inCodePage(shortName))
            return *narrow;
    }
    return existing.string(); // the library will say it cannot open it
}

bool folderWritable(const std::filesystem::path& folder)
{
    return _waccess(folder.c_str(), 2) == 0;
}

} // namespace platform
