#pragma once

#include "Schema.h"

#include <optional>
#include <string>
#include <vector>

namespace server {

class ServerBookConnection;

// The history of a table on the server (History.h), in the table's own schema: the history
// table, its index by worker, and the trigger that writes it at every insert, change and
// delete, whoever writes. The clerk action and the desk come from the writing transaction's
// own settings, which only the program sets; the database user and the client's address
// stand for another program's desk.
std::vector<std::string> serverHistoryStatements(const store::TableDef& table);

// Whether the table's history and its trigger are there; empty when they are.
std::optional<std::string> serverHistoryProblem(ServerBookConnection& connection, const store::TableDef& table);

} // namespace server
