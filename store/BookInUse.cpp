#include "BookInUse.h"

#include "EngineFailure.h"
#include "Isolated.h"
#include "StoreError.h"
#include "Wording.h"

#include <cerrno>
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
        throw StoreError(systemFailure(errno, isolatedLeftToRight(file.string())));
    }
    if (::flock(fd_, (claim == Claim::Alone ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0)
        return;
    const int why = errno;
    ::close(fd_);
    fd_ = -1;
    if (why != EWOULDBLOCK)
        throw StoreError(systemFailure(why, isolatedLeftToRight(file.string())));
    throw StoreError((claim == Claim::Alone ? worded("BookInUse", "الدفتر في %1 مفتوح في برنامج: أغلقه أولاً")
                                            : worded("BookInUse", "الدفتر في %1 تجري استعادته: انتظر حتى تنتهي"))
                         .arg(isolatedLeftToRight(dataRoot.string())));
}

BookInUse::~BookInUse()
{
    if (fd_ >= 0)
        ::close(fd_); // gives the lock back
}

} // namespace store
