#include "BookInUse.h"

#include "EngineFailure.h"
#include "Isolated.h"
#include "StoreError.h"
#include "Wording.h"

namespace store {

BookInUse::BookInUse(const std::filesystem::path& dataRoot, Claim claim)
{
    const std::filesystem::path file = dataRoot / ".in-use";
    switch (lock_.take(file, claim == Claim::Alone ? platform::FileLock::Kind::Alone : platform::FileLock::Kind::Shared)) {
    case platform::FileLock::Outcome::Held:
        return;
    case platform::FileLock::Outcome::Unopened:
        if (claim == Claim::Shared)
            return;
        [[fallthrough]];
    case platform::FileLock::Outcome::Failed:
        throw StoreError(systemFailure(lock_.failure(), isolatedLeftToRight(file.string())));
    case platform::FileLock::Outcome::TakenElsewhere:
        break;
    }
    throw StoreError((claim == Claim::Alone ? worded("BookInUse", "الدفتر في %1 مفتوح في برنامج: أغلقه أولاً")
                                            : worded("BookInUse", "الدفتر في %1 تجري استعادته: انتظر حتى تنتهي"))
                         .arg(isolatedLeftToRight(dataRoot.string())));
}

BookInUse::~BookInUse() = default;

} // namespace store
