#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace store {

struct SetupReport {
    std::vector<std::string> created;  // relative paths of the tables made now
    std::vector<std::string> indexed;  // tables of an older book given the index of folded names
    std::vector<std::string> historied; // tables of an older book given their history
    std::vector<std::string> problems; // files that exist but are not the book's tables
};

// Creates each of the five tables that is missing under the data root, empty and with
// its indexes. An existing file is never emptied or overwritten, and its rows are never
// touched: an older table is only given the index of folded names and the history it lacks. When
// a file is not the book's table, the report says why and the file is left as it is.
SetupReport createMissingTables(const std::filesystem::path& dataRoot);

} // namespace store
