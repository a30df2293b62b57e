#include "BookRestore.h"

#include "BookBackup.h"
#include "BookCopy.h"
#include "BookInUse.h"
#include "EngineFailure.h"
#include "Isolated.h"
#include "Leftovers.h"
#include "LocalBookConnection.h"
#include "StoreError.h"
#include "Wording.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <stdio.h>
#include <unistd.h>

namespace store {

namespace {

// Whether a disk or a share is mounted on the folder itself, as the system's table of mounts says.
bool isMountPoint(const std::filesystem::path& folder)
{
    std::error_code unknown;
    const std::string wanted = std::filesystem::canonical(folder, unknown).string();
    std::ifstream mounts("/proc/self/mountinfo");
    for (std::string line; std::getline(mounts, line);) {
        std::istringstream fields(line);
        std::string id, parent, device, root, mountPoint;
        fields >> id >> parent >> device >> root >> mountPoint;
        // Blanks and the like are written as octal escapes ("\040").
        std::string point;
        for (std::size_t at = 0; at < mountPoint.size(); ++at)
            if (mountPoint[at] == '\\' && at + 3 < mountPoint.size()) {
                point += char(std::stoi(mountPoint.substr(at + 1, 3), nullptr, 8));
                at += 3;
            } else {
                point += mountPoint[at];
            }
        if (!unknown && point == wanted)
            return true;
    }
    return false;
}

} // namespace

void restoreBook(const std::filesystem::path& dataRoot, const std::filesystem::path& backup,
                 const std::filesystem::path& safeCopy)
{
    if (auto problem = bookFileProblem(backup))
        throw StoreError(worded("BookRestore", "لا تُستعاد النسخة الاحتياطية: %1").arg(*problem));
    const BookInUse alone(dataRoot, BookInUse::Claim::Alone);
    backUpBook(dataRoot, safeCopy);
    if (isMountPoint(dataRoot)) {
        // The folder itself cannot move (a disk or a share is mounted on it): its five tables
        // take the backup's records instead, in one transaction over the five files.
        LocalBookConnection from(backup, {});
        LocalBookConnection into(dataRoot, {"", 5000, true});
        transferBook(from, into, true);
        std::filesystem::remove(backup / ".in-use"); // the backup's own claim, while it was read
        return;
    }
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
        throw StoreError(worded("BookRestore", "تعذّر وضع النسخة مكان الدفتر: %1")
                             .arg(systemFailure(why, isolatedLeftToRight(dataRoot.string()))));
    }
    std::error_code ignored;
    std::filesystem::remove_all(ready, ignored); // the old book, kept in `safeCopy`
}

} // namespace store
