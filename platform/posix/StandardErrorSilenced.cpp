#include "StandardErrorSilenced.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

StandardErrorSilenced::StandardErrorSilenced()
{
    std::fflush(stderr);
    const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (nowhere < 0)
        return;
    kept_ = ::dup(STDERR_FILENO);
    if (kept_ >= 0)
        ::dup2(nowhere, STDERR_FILENO);
    ::close(nowhere);
}

StandardErrorSilenced::~StandardErrorSilenced()
{
    if (kept_ < 0)
        return;
    std::fflush(stderr);
    ::dup2(kept_, STDERR_FILENO);
    ::close(kept_);
}

} // namespace platform
