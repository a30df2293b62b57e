#pragma once

#include "ServerBook.h"

#include <string>

namespace server {

class ServerBookConnection;

// A clerk's role may change the rows of the five tables (the history and the change counts
// are written for it by the book's own functions, and only read); a reader's only reads.
// Neither may change the book's shape; closing a year and restoring stay the owner's.
// Gives `role` (an existing role of the server) its rights, in one transaction. The role's
// name goes to the server as a value, never into the SQL. Throws StoreError saying why not.
void grantDeskRole(ServerBookConnection& connection, DeskRole kind, const std::string& role);

} // namespace server
