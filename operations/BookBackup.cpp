#include "BookBackup.h"

#include "BookConnection.h"
#include "BookCopy.h"
#include "CopyUnderProof.h"
#include "Isolated.h"
#include "Leftovers.h"
#include "StoreError.h"
#include "Wording.h"


#include <algorithm>
#include <vector>

namespace operations {

using store::isolatedLeftToRight;
using store::StoreError;
using store::worded;

void backUp(store::BookConnection& book, const std::filesystem::path& target)
{
    try {
        backUpWith(target, [&book](const std::filesystem::path& aside) { book.copyInto(aside); });
    } catch (const StoreError&) {
        // A copy found damaged is a copy of a damaged book: the book's own file is named.
        if (auto problem = book.fileProblem())
            throw StoreError(worded("BookBackup", "لم تُؤخذ النسخة: في الدفتر نفسه عطب: %1").arg(*problem));
        throw;
    }
}

bool fetchArchive(store::BookConnection& book, int year, const std::filesystem::path& target)
{
    struct NothingKept {};
    try {
        backUpWith(target, [&](const std::filesystem::path& aside) {
            if (!book.copyArchiveInto(year, aside))
                throw NothingKept{};
        });
    } catch (const NothingKept&) {
        return false;
    }
    return true;
}

void backUpWith(const std::filesystem::path& target, const std::function<void(const std::filesystem::path& aside)>& fill)
{
    CopyUnderProof(target, fill).keep();
}

void backUpAutomatically(store::BookConnection& book, const std::filesystem::path& folder, const std::string& stamp,
                         int kept)
{
    try {
        backUp(book, folder / ("auto-" + stamp));
    } catch (const std::exception& failure) {
        throw StoreError(worded("BookBackup", "لم تُؤخذ النسخة الاحتياطية التلقائية في %1، والدفتر كما هو: %2")
                             .arg(isolatedLeftToRight(folder.string()))
                             .arg(failure.what()));
    }
    std::vector<std::filesystem::path> automatic;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory() && name.rfind("auto-", 0) == 0 && name.find(".partial-") == std::string::npos
            && name.find(".pruning-") == std::string::npos)
            automatic.push_back(entry.path());
    }
    std::sort(automatic.begin(), automatic.end());
    for (std::size_t n = 0; n + std::size_t(kept) < automatic.size(); ++n) {
        // Renamed aside first: a kill while it is deleted never leaves half a backup under a backup's name.
        const std::filesystem::path pruned = store::asideOf(automatic[n], ".pruning-");
        std::filesystem::rename(automatic[n], pruned);
        std::filesystem::remove_all(pruned);
    }
    store::removeLeftovers(folder, "", ".pruning-");
}

} // namespace operations
