#include "BuiltInDataRoot.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace platform {

std::filesystem::path builtInDataRoot()
{
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* user = getpwuid(getuid());
        home = user ? user->pw_dir : "/";
    }
    return std::filesystem::path(home) / "kestrave" / "Data";
}

} // namespace platform
