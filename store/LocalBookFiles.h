#pragma once

#include <filesystem>
#include <optional>
#include <string>

struct sqlite3;

namespace store {

// The five files of a local book as files: whether they are whole, and a copy of them.

// How whole a file is proven: every page and every index entry against its row (a book
// checked, or a backup about to replace one), or every page and the order of every key
// (a copy just written page for page from a book open and in use: a bad page is caught).
enum class Proof { Whole, Pages };

// Whether the five files under `dataRoot` are whole SQLite files holding exactly the book's
// tables; the first problem found, naming its file, or empty when there is none. A posting
// a killed program left half-written is rolled back first, as opening the book would.
std::optional<std::string> bookFileProblem(const std::filesystem::path& dataRoot, Proof proof = Proof::Whole);

// What the engine says of the first damaged page of one table's file, read through on a
// connection of its own; none when every page is whole.
std::optional<std::string> damagedPages(const std::filesystem::path& file);

// Copies the five files under `dataRoot` into the folder `aside`, in the same layout, as one
// snapshot: read in one read transaction, so a posting that spans several files is in the
// copy whole or not at all, even while another program posts; each file through SQLite's
// online backup. Unchecked: the caller checks the copy. Throws StoreError naming the file.
void copyBookFiles(const std::filesystem::path& dataRoot, const std::filesystem::path& aside);
// The file of the database `schema` on `db` copied to `copy` as it lies, left to the caller to
// keep on the disk: only for a file no program can change meanwhile, whose writer holds it locked and has changed
// nothing yet. Read through the engine's own handle: a second handle to it, once closed, would
// let go of the engine's locks. Throws StoreError naming the file.
void copyFileAsItLies(sqlite3* db, const std::string& schema, const std::filesystem::path& copy);

} // namespace store
