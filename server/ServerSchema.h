#pragma once

#include "Schema.h"
#include "ServerBook.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace server {

class ServerBookConnection;

// Whether the server's database holds the table `schema`.`table`.
bool serverTableExists(ServerBookConnection& connection, std::string_view schema, std::string_view table);

// The archives of the years closed, file by file: made by the setup, and by the first close
// of a book set up before they were kept.
std::string archivesSql();

// The SQL that reads a table's change count, which the server's triggers bump.
std::string changeCountSql();

// What keeps the server's table from being the book's `table`: missing, a field of the
// wrong name, order, type or size, a key that is not an identity, a missing index or
// change count or history. Empty when it is the book's table.
enum class WithHistory { Yes, No };
std::optional<std::string> serverTableProblem(ServerBookConnection& connection, const store::TableDef& table,
                                              WithHistory history = WithHistory::Yes);

// Creates, in one transaction, whichever of the five tables the server's database lacks,
// with its indexes and change count; an existing table is checked and left alone.
ServerSetupReport createMissingServerTables(ServerBookConnection& connection);

} // namespace server
