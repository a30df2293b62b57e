#pragma once

#include <string>

struct pg_conn;
struct pg_result;

namespace server {

// A failure of the server as the clerk reads it, in Arabic: the connection lost or never
// made, the book locked by another desk, read-only, a full disk; the server's own text
// follows on a line of its own. `result` may be null (a failure with no result).
std::string serverFailure(const std::string& server, pg_conn* connection, const pg_result* result);

} // namespace server
