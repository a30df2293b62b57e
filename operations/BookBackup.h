#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace store {
class BookConnection;
}

namespace operations {

// A backup's making, whatever the book: a copy filled by `fill` and kept once proven (CopyUnderProof).
void backUpWith(const std::filesystem::path& target, const std::function<void(const std::filesystem::path& aside)>& fill);

// A checked copy of the whole book, as one snapshot of what is committed, into the new folder
// `target` as an ordinary local book (a backup of a server book opens anywhere), taken while
// the book is in use. A copy found damaged because the book is names the book's own file.
void backUp(store::BookConnection& book, const std::filesystem::path& target);

// The archive the book keeps of a closed `year`, checked, into the new folder `target`;
// false, with nothing written, when the book keeps none.
bool fetchArchive(store::BookConnection& book, int year, const std::filesystem::path& target);

// The backup the program takes when it ends after changing the book: into
// `folder`/auto-`stamp`, keeping the `kept` newest automatic backups there (stamps sort by
// time) and removing older ones, each renamed aside before it is deleted. Throws what the
// backup throws; the book is never touched.
void backUpAutomatically(store::BookConnection& book, const std::filesystem::path& folder, const std::string& stamp,
                         int kept = 10);

} // namespace operations
