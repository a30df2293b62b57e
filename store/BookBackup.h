#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace store {

// Copies the book's five files into `target`, a folder that must not exist yet, in the
// same layout, so the copy is a book of its own. The copy is consistent even while another
// program posts: the five files are read in one read transaction, so a posting that spans
// several of them is in the copy whole or not at all, and each is copied through SQLite's
// online backup. The copy is written aside, checked (integrity and shape of every table),
// and only then given its final name. Throws StoreError naming the file when it cannot.
void backUpBook(const std::filesystem::path& dataRoot, const std::filesystem::path& target);

// A backup's making, whatever the book: `fill` writes the five files into the folder it is
// given beside `target`; they are checked there and only then given `target`'s name. A
// `target` that exists is refused; a failure leaves nothing behind.
void backUpWith(const std::filesystem::path& target, const std::function<void(const std::filesystem::path& aside)>& fill);

// The backup the program takes when it ends after changing the book: into
// `folder`/auto-`stamp`, keeping the `kept` newest automatic backups there (stamps sort by
// time) and removing older ones. Throws what backUpBook throws; the book is never touched.
void backUpAutomatically(const std::filesystem::path& dataRoot, const std::filesystem::path& folder,
                         const std::string& stamp, int kept = 10);
// The same for a book that `backUp` copies into the folder it is given.
void backUpAutomatically(const std::function<void(const std::filesystem::path& target)>& backUp,
                         const std::filesystem::path& folder, const std::string& stamp, int kept = 10);

// Whether the five files under `dataRoot` are whole SQLite files holding exactly the book's
// tables; the first problem found, naming its file, or empty when there is none.
std::optional<std::string> bookFileProblem(const std::filesystem::path& dataRoot);

} // namespace store
