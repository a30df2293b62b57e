#pragma once

#include "Schema.h"

#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

// A field of a Paradox table as the old program laid it out (pxlib's field types).
struct OldField {
    const char* name;
    char type;
    int length;
};

// The old program's layout of a table: Auto, then long integers and alpha texts as the book
// has them.
std::vector<OldField> oldLayout(const store::TableDef& table);

// Writes a Paradox table with pxlib: each row's values in field order, "" a blank, texts
// already in code page 1256, numbers as decimal text. Throws std::runtime_error when pxlib
// cannot.
void writeOldTable(const std::filesystem::path& file, const std::vector<OldField>& layout,
                   const std::vector<std::vector<std::string>>& rows);

// An old book of the five tables under `root`: keys with gaps up to a high one (2147483000),
// blanks, Arabic names in code page 1256 ("سالم الحلبي " with its trailing space, "نور"), a
// worker (3) whose administrative total (6) differs from its entries (5), and an entry of a
// worker deleted long ago (77).
void writeOldBook(const std::filesystem::path& root);

} // namespace testing_support
