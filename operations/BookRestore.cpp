#include "BookRestore.h"

#include "ActionOnBook.h"
#include "BookBackup.h"
#include "BookCopy.h"
#include "LocalBookConnection.h"
#include "LocalBookFiles.h"
#include "StoreError.h"
#include "Wording.h"

namespace operations {

void restore(store::BookConnection& book, const std::filesystem::path& backup, const std::filesystem::path& safeCopy)
{
    if (auto problem = store::bookFileProblem(backup))
        throw store::StoreError(store::worded("BookRestore", "لا تُستعاد النسخة الاحتياطية: %1").arg(*problem));
    book.claimAlone();
    backUp(book, safeCopy);
    {
        // The book as it stood, history and all, is kept in the safe copy; the restored book
        // carries the backup's history and says, for every worker, that it was restored.
        const store::ActionOnBook restoring(book, store::bookAction::restore);
        store::LocalBookConnection from(backup, {});
        store::transferBook(from, book, true, backup.string());
    }
    std::filesystem::remove(backup / ".in-use"); // the backup's own claim, while it was read
}

} // namespace operations
