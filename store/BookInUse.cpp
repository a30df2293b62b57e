#include "BookInUse.h"

#include "Isolated.h"
#include "StoreError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace store {

BookInUse::BookInUse(const std::filesystem::path& dataRoot, Claim claim)
{
    const std::filesystem::path file = dataRoot / ".in-use";
    fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        if (claim == Claim::Shared)
            return;
        throw StoreError("تعذّر حجز الدفتر في " + isolatedLeftToRight(dataRoot.string()) + ": " + std::strerror(errno));
    }
    if (::flock(fd_, (claim == Claim::Alone ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0)
        return;
    const int why = errno;
    ::close(fd_);
    fd_ = -1;
    if (why != EWOULDBLOCK)
        throw StoreError("تعذّر حجز الدفتر في " + isolatedLeftToRight(dataRoot.string()) + ": " + std::strerror(why));
    throw StoreError(claim == Claim::Alone
                         ? "الدفتر في " + isolatedLeftToRight(dataRoot.string()) + " مفتوح في برنامج: أغلقه أولاً"
                         : "الدفتر في " + isolatedLeftToRight(dataRoot.string()) + " تجري استعادته: انتظر حتى تنتهي");
}

BookInUse::~BookInUse()
{
    if (fd_ >= 0)
        ::close(fd_); // gives the lock back
}

} // namespace store
