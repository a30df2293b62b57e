#include "CommandLine.h"

#include <windows.h>
#include <shellapi.h>

namespace platform {
namespace {

std::string utf8(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string converted(std::size_t(size - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, converted.data(), size, nullptr, nullptr);
    return converted;
}

} // namespace

std::vector<std::string> commandLine(int argc, char** argv)
{
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide)
        return std::vector<std::string>(argv + 1, argv + argc);
    std::vector<std::string> arguments;
    for (int n = 1; n < count; ++n)
        arguments.push_back(utf8(wide[n]));
    LocalFree(wide);
    return arguments;
}

void consoleInUtf8()
{
    SetConsoleOutputCP(CP_UTF8);
}

} // namespace platform
