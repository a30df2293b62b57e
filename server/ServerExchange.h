#pragma once

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
Answer awaitAnswer(pg_conn* pg, int waitMs);

} // namespace server
