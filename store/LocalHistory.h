#pragma once

#include "Schema.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace store {

// The history of a table in its own SQLite file (History.h): the table, its index by worker,
// and the three triggers that write it. The triggers use the engine's own functions only,
// so any SQLite tool that writes the file writes the history too.

// The history table and its index, for the file opened as `schema`.
std::vector<std::string> localHistoryTableStatements(const TableDef& table, std::string_view schema);
// The triggers that record inserts, changes and deletes, and the statements that drop them.
std::vector<std::string> localHistoryTriggerStatements(const TableDef& table, std::string_view schema);
std::vector<std::string> localHistoryDropStatements(const TableDef& table, std::string_view schema);

bool holdsLocalHistoryTable(sqlite3* db, std::string_view schema, const TableDef& table);
// What keeps the file from keeping the table's history: the history table or a trigger
// missing. Empty when it keeps it.
std::optional<std::string> localHistoryProblem(sqlite3* db, std::string_view schema, const TableDef& table);

} // namespace store
