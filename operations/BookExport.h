#pragma once

#include <filesystem>

namespace store {
class BookConnection;
}

namespace operations {

// Hands the book to a spreadsheet: the summary (one row per worker, with the summary
// sheet's columns and titles) or, with `entries`, every entry of every kind.
void exportBook(store::BookConnection& book, const std::filesystem::path& file, bool entries);

} // namespace operations
