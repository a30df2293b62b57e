#include "ServerExchange.h"

#include <libpq-fe.h>

#include <poll.h>

#include <chrono>

namespace server {
namespace {

using Clock = std::chrono::steady_clock;

int remainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? int(left) : 0;
}

// Waits until the connection's socket is ready for `events`, or the deadline passes.
bool ready(pg_conn* pg, short events, Clock::time_point deadline)
{
    pollfd socket{PQsocket(pg), events, 0};
    for (;;) {
        const int waited = poll(&socket, 1, remainingMs(deadline));
        if (waited > 0)
            return true;
        if (waited == 0)
            return false;
        // interrupted by a signal: wait again for what is left
    }
}

} // namespace

Answer awaitAnswer(pg_conn* pg, int waitMs)
{
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    // The request itself may not have left yet: a silent server's full window keeps it.
    for (int flushed = PQflush(pg); flushed != 0; flushed = PQflush(pg)) {
        if (flushed < 0)
            return {PQgetResult(pg), true};
        if (!ready(pg, POLLOUT | POLLIN, deadline))
            return {nullptr, false};
        if (PQconsumeInput(pg) == 0)
            return {PQgetResult(pg), true};
    }
    Answer answer;
    for (;;) {
        while (PQisBusy(pg)) {
            if (!ready(pg, POLLIN, deadline)) {
                PQclear(answer.result);
                return {nullptr, false};
            }
            if (PQconsumeInput(pg) == 0)
                break; // the connection broke: PQgetResult says how
        }
        PGresult* next = PQgetResult(pg);
        if (!next)
            return answer;
        PQclear(answer.result);
        answer.result = next;
        if (PQstatus(pg) == CONNECTION_BAD || PQresultStatus(next) == PGRES_COPY_IN)
            return answer;
    }
}

namespace {

// Waits until what libpq holds back has gone to the server.
bool flushed(pg_conn* pg, Clock::time_point deadline)
{
    for (int left = PQflush(pg); left != 0; left = PQflush(pg))
        if (left < 0 || !ready(pg, POLLOUT, deadline))
            return false;
    return true;
}

} // namespace

namespace {

// Hands something of a COPY to libpq (`put`: 1 taken, 0 not yet, -1 failed) and on to the server.
template <typename Put>
bool handOver(pg_conn* pg, int waitMs, Put put)
{
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        const int taken = put();
        if (taken < 0)
            return false;
        if (taken == 1)
            return flushed(pg, deadline);
        if (!ready(pg, POLLOUT, deadline) || PQflush(pg) < 0)
            return false;
    }
}

} // namespace

bool sendCopyData(pg_conn* pg, const std::string& data, int waitMs)
{
    return handOver(pg, waitMs, [&] { return PQputCopyData(pg, data.data(), int(data.size())); });
}

bool endCopy(pg_conn* pg, int waitMs)
{
    return handOver(pg, waitMs, [pg] { return PQputCopyEnd(pg, nullptr); });
}

} // namespace server
