#pragma once

#include <filesystem>

namespace store {
class BookConnection;
}

namespace operations {

// Puts the book backed up in `backup` in place of `book`, whatever its kind. The backup is
// checked first; the book is claimed alone (a local book is refused while a program has it
// open); the book as it stands is backed up into `safeCopy`; then its five tables are emptied
// and filled from the backup, keys and all, in one unit of work under the book's write lock,
// so a crash at any moment leaves the old book or the restored one whole. Throws StoreError
// saying why not.
void restore(store::BookConnection& book, const std::filesystem::path& backup, const std::filesystem::path& safeCopy);

} // namespace operations
