#include "BookRestore.h"

#include "BookBackup.h"
#include "BookInUse.h"
#include "Isolated.h"
#include "Leftovers.h"
#include "StoreError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

namespace store {

void restoreBook(const std::filesystem::path& dataRoot, const std::filesystem::path& backup,
                 const std::filesystem::path& safeCopy)
{
    if (auto problem = bookFileProblem(backup))
        throw StoreError("لا تُستعاد النسخة الاحتياطية: " + *problem);
    const BookInUse alone(dataRoot, BookInUse::Claim::Alone);
    backUpBook(dataRoot, safeCopy);
    const std::filesystem::path root = dataRoot.lexically_normal();
    removeLeftovers(root.parent_path(), root.filename().string(), ".restoring-"); // what a killed restore left
    const std::filesystem::path ready = root.string() + ".restoring-" + std::to_string(getpid());
    std::filesystem::remove_all(ready);
    backUpBook(backup, ready); // copied and checked beside the book, on the same disk
    // One step: the data root holds the restored book and `ready` the old one, or neither moved.
    if (::renameat2(AT_FDCWD, ready.c_str(), AT_FDCWD, dataRoot.c_str(), RENAME_EXCHANGE) != 0) {
        const int why = errno;
        std::error_code ignored;
        std::filesystem::remove_all(ready, ignored);
        throw StoreError("تعذّر وضع النسخة مكان الدفتر في " + isolatedLeftToRight(dataRoot.string()) + ": "
                         + std::strerror(why));
    }
    std::error_code ignored;
    std::filesystem::remove_all(ready, ignored); // the old book, kept in `safeCopy`
}

} // namespace store
