#pragma once

#include "Schema.h"

#include <optional>
#include <string>
#include <string_view>

struct sqlite3;

namespace store {

// What keeps the file opened as `schema` from being the book's table `table`: a missing
// or misshapen table, a field of the wrong name, order or type, a missing index.
// Empty when it is exactly the book's table. Throws StoreError when the file cannot be read.
std::optional<std::string> tableShapeProblem(sqlite3* db, std::string_view schema, const TableDef& table);

} // namespace store
