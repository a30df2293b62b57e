#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace store {

struct SetupReport {
    std::vector<std::string> created;  // relative paths of the tables made now
    std::vector<std::string> problems; // files that exist but are not the book's tables
};

// Creates each of the five tables that is missing under the data root, empty and with
// its index. An existing file is never altered, emptied or overwritten: when it is not
// the book's table, the report says why and the file is left as it is.
SetupReport createMissingTables(const std::filesystem::path& dataRoot);

} // namespace store
