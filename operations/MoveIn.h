#pragma once

#include "BookCheck.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace store {
class BookConnection;
}

namespace operations {

// What a move-in brought: the records of each table, by the table's name, and what the
// book's check finds in the book as it came (running totals the old program left apart from
// their entries, entries of a worker deleted long ago), kept as the old book had them.
struct MoveInReport {
    std::map<std::string, std::size_t> records;
    std::vector<Finding> findings;
};

// Moves the old program's book in: its five Paradox tables under `oldRoot` (the layout of the
// data root: worker/worker.db, PermitAdmin/PermitAdmin.DB, ...) become the records of `book`,
// every field with its value, keys kept and the next key above the highest either table ever
// gave. All five tables are read and checked before anything is written; then everything is
// written in one unit of work, stored unless `dryRun`. Refuses a book that holds any worker
// or entry already, naming it, and every table the old book cannot give whole (see
// readOldTable), with nothing written. Throws StoreError saying why.
MoveInReport moveIn(const std::filesystem::path& oldRoot, store::BookConnection& book, bool dryRun);

// The same into the local book under `dataRoot`, made there if it is not yet. Where the old
// tables are the data root itself, the old folder is kept byte for byte beside it
// (`dataRoot`.before-move-in) and the new book is made in its place; a move-in that fails
// puts the old folder back, and one cut short (the old folder kept, the new book empty) goes
// on from the kept folder when given again. A dry run makes nothing where the book belongs.
MoveInReport moveInLocally(const std::filesystem::path& oldRoot, const std::filesystem::path& dataRoot, bool dryRun);

// Where the old folder is kept when the old tables sat at the data root.
std::filesystem::path keptOldBook(const std::filesystem::path& dataRoot);

} // namespace operations
