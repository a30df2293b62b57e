#include "Identity.h"

#include <windows.h>

#include <string>

namespace platform {
namespace {

std::string utf8(const wchar_t* text, DWORD length)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, int(length), nullptr, 0, nullptr, nullptr);
    std::string out(std::size_t(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, int(length), out.data(), size, nullptr, nullptr);
    return out;
}

std::string variable(const wchar_t* name)
{
    wchar_t value[256];
    const DWORD length = GetEnvironmentVariableW(name, value, 256);
    return length > 0 && length < 256 ? utf8(value, length) : std::string();
}

} // namespace

std::string userName()
{
    return variable(L"USERNAME");
}

std::string computerName()
{
    return variable(L"COMPUTERNAME");
}

} // namespace platform
