#include "StandardErrorSilenced.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace platform {

StandardErrorSilenced::StandardErrorSilenced()
{
    std::fflush(stderr);
    const int nowhere = _open("NUL", _O_WRONLY | _O_NOINHERIT);
    if (nowhere < 0)
        return;
    kept_ = _dup(_fileno(stderr));
    if (kept_ >= 0)
        _dup2(nowhere, _fileno(stderr));
    _close(nowhere);
}

StandardErrorSilenced::~StandardErrorSilenced()
{
    if (kept_ < 0)
        return;
    std::fflush(stderr);
    _dup2(kept_, _fileno(stderr));
    _close(kept_);
}

} // namespace platform
