#pragma once

#include "Schema.h"

#include <optional>
#include <string>
#include <string_view>

struct sqlite3;

namespace store {

enum class FoldedNames { NotNeeded, Indexed, Missing, Foreign };

// Whether the worker table has the index that finds names however they are spelt, as the
// book makes it. A book made before that index lacks it until the setup tool adds it.
FoldedNames foldedNamesIndex(sqlite3* db, std::string_view schema, const TableDef& table);

// What the setup tool adds to an older book (the index of folded names, the history) is
// left out of the check of the book's table itself.
enum class ShapeCheck { Whole, BesidesUpgrades };

// What keeps the file opened as `schema` from being the book's table `table`: a missing
// or misshapen table, a field of the wrong name, order or type, a missing index, a missing history.
// Empty when it is exactly the book's table. Throws StoreError when the file cannot be read.
std::optional<std::string> tableShapeProblem(sqlite3* db, std::string_view schema, const TableDef& table,
                                             ShapeCheck check = ShapeCheck::Whole);

} // namespace store
