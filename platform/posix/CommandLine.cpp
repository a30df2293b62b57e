#include "CommandLine.h"

namespace platform {

std::vector<std::string> commandLine(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

void consoleInUtf8()
{
}

} // namespace platform
