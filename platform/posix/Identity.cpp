#include "Identity.h"

#include <pwd.h>
#include <unistd.h>

#include <array>
#include <cstdlib>

namespace platform {

std::string userName()
{
    if (const passwd* entry = getpwuid(getuid()))
        return entry->pw_name;
    const char* named = std::getenv("USER");
    return named ? named : "";
}

std::string computerName()
{
    std::array<char, 256> name{};
    if (gethostname(name.data(), name.size() - 1) != 0)
        return {};
    return name.data();
}

} // namespace platform
