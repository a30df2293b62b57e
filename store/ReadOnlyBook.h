#pragma once

#include <filesystem>
#include <string>

struct sqlite3;

namespace store {

// A connection to the book's five files: the worker file opened with `flags`, the four entry
// files attached under their tables' names. The caller closes it. Throws StoreError naming the file.
sqlite3* openAttachedBook(const std::filesystem::path& dataRoot, int flags);

// A posting a killed program left half-written (a hot journal beside a file) is rolled back,
// as the program's next opening would, so a reader sees the book whole rather than refusing
// it as damaged; a super-journal a killed commit left, which no posting owns, goes. A book
// that cannot be written is left as it is.
void rollBackHotJournals(const std::filesystem::path& dataRoot);

// The five files of a book opened to be read only, the four entry files attached under their
// tables' names, and all read in one snapshot: what the toolbox reads, it reads as it stood
// at one moment, even while another program posts. Throws StoreError naming the file.
class ReadOnlyBook {
public:
    explicit ReadOnlyBook(const std::filesystem::path& dataRoot);
    ~ReadOnlyBook();
    ReadOnlyBook(const ReadOnlyBook&) = delete;
    ReadOnlyBook& operator=(const ReadOnlyBook&) = delete;

    sqlite3* get() const { return db_; }
    // The schema a table is read under: "main" for the workers, else the table's name.
    static std::string schemaOf(const struct TableDef& table);

private:
    sqlite3* db_ = nullptr;
};

} // namespace store
