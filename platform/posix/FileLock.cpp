#include "FileLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

FileLock::Outcome FileLock::take(const std::filesystem::path& file, Kind kind)
{
    giveBack();
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        failure_ = std::error_code(errno, std::generic_category());
        return Outcome::Unopened;
    }
    if (::flock(fd, (kind == Kind::Alone ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0) {
        handle_ = fd;
        return Outcome::Held;
    }
    const int why = errno;
    ::close(fd);
    if (why == EWOULDBLOCK)
        return Outcome::TakenElsewhere;
    failure_ = std::error_code(why, std::generic_category());
    return Outcome::Failed;
}

void FileLock::giveBack() noexcept
{
    if (handle_ >= 0)
        ::close(int(handle_)); // gives the lock back
    handle_ = -1;
}

FileLock::~FileLock()
{
    giveBack();
}

} // namespace platform
