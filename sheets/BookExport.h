#pragma once

#include <filesystem>

// Hands the book to a spreadsheet: the summary (one row per worker, with the summary
// sheet's columns and titles) or, with `entries`, every entry of every kind.
void exportBook(const std::filesystem::path& dataRoot, const std::filesystem::path& file, bool entries);
