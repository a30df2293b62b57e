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

} // namespace testing_support
