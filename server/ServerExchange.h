#pragma once

#include <string>

struct pg_conn;
struct pg_result;

namespace server {

// How one request to the server ended: its last result (the caller clears it), or none
// because the server did not answer in time or the connection broke.
struct Answer {
    pg_result* result = nullptr;
    bool inTime = true; // false: no answer within the wait; the request is still out
};

// Waits for the answer to the one request just sent on `pg`, at most `waitMs` ms in all:
// libpq alone would wait for a silent server for ever.
// A COPY's start is an answer too: its rows then go with sendCopyData and endCopy.
Answer awaitAnswer(pg_conn* pg, int waitMs);

// Hands the rows of a COPY under way (`data`, in COPY's text format) to the server, or its
// end, waiting at most `waitMs` ms for the server to take them; false when it did not, or
// the connection broke.
bool sendCopyData(pg_conn* pg, const std::string& data, int waitMs);
bool endCopy(pg_conn* pg, int waitMs);

} // namespace server
