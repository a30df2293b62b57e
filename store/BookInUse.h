#pragma once

#include "FileLock.h"

#include <filesystem>

namespace store {

// A program's claim on the book at a data root, held for as long as this lives: every
// program that opens the book shares it, and a restore, which replaces the files under
// them, needs it alone. Kept as a lock on a small file in the data root.
class BookInUse {
public:
    enum class Claim { Shared, Alone };

    // Throws StoreError when the claim cannot be had at once: a shared one while a restore
    // runs, a lone one while any program has the book open. A shared claim on a folder where
    // no lock file can be made (a book on read-only media) is given without a lock.
    BookInUse(const std::filesystem::path& dataRoot, Claim claim);
    ~BookInUse();
    BookInUse(const BookInUse&) = delete;
    BookInUse& operator=(const BookInUse&) = delete;

private:
    platform::FileLock lock_;
};

} // namespace store
