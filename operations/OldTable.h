#pragma once

#include "Row.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace store {
struct TableDef;
}

namespace operations {

// One table of the old program's book, a Paradox table, read whole through pxlib: its records
// in stored order as the new book's rows (a blank field is empty, never 0; a text made UTF-8
// from the Arabic Windows code page with the book's own table, spaces kept), and the highest
// key the table ever gave by its own counter.
struct OldTable {
    std::vector<store::Row> rows;
    std::int64_t keysGiven = 0;
};

// Reads `file` as the old table `table` describes. Refuses, with StoreError naming the file
// and saying why, a file that is no Paradox table or is damaged or cut short, a table whose
// fields are not the book's (the field and what was expected), and a record that cannot be
// read.
OldTable readOldTable(const std::filesystem::path& file, const store::TableDef& table);

// Whether the data root holds the old program's tables rather than a book: its workers'
// file is a Paradox table, not one of the book's own files.
bool holdsOldTables(const std::filesystem::path& dataRoot);

} // namespace operations
