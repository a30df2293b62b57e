#include "BuiltInDataRoot.h"

#include <cstdlib>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace store {

std::filesystem::path builtInDataRoot()
{
#ifdef _WIN32
    return std::filesystem::path(R"(D:\kestrave\Data)");
#else
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* user = getpwuid(getuid());
        home = user ? user->pw_dir : "/";
    }
    return std::filesystem::path(home) / "kestrave" / "Data";
#endif
}

} // namespace store
