#pragma once

#include <filesystem>

namespace store {

// Puts the book backed up in `backup` in place of the book at `dataRoot`. The backup is
// checked first; no program may have the book open; the current book is first backed up
// into `safeCopy`. The restored files are made ready beside the data root, then the two
// folders are exchanged in one step, so a crash at any moment leaves either the old book
// or the restored one whole under the data root. Throws StoreError saying why not.
void restoreBook(const std::filesystem::path& dataRoot, const std::filesystem::path& backup,
                 const std::filesystem::path& safeCopy);

} // namespace store
