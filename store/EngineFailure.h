#pragma once

#include <filesystem>
#include <string>
#include <system_error>

struct sqlite3;

namespace store {

// A failure of the table engine as the clerk reads it: what happened, in Arabic, and to
// which file; the engine's own text follows on a line of its own, for whoever has to mend it.
// A failure of the disk under the engine is told by the system's error (`systemError`, the
// engine's last) where there is one: a file grown past the system's limit is not a "disk I/O error".
std::string engineFailure(int engineCode, const std::string& file, const std::string& engineText, int systemError = 0);

// The same for a file the engine could not open: `db` as the engine left it (perhaps none), `rc` its answer.
std::string engineOpenFailure(sqlite3* db, int rc, const std::string& file);

// A failure of the system's file operations (copying, renaming, removing a folder) as the
// clerk reads it: what went wrong, in words, and which files; the system's text follows.
std::string fileFailure(const std::filesystem::filesystem_error& failure);

// The same for a failure the system gave as an error number, on `files` (already isolated).
std::string systemFailure(int errorNumber, const std::string& files);
std::string systemFailure(const std::error_code& failure, const std::string& files);

} // namespace store
