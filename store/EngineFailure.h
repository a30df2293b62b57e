#pragma once

#include <filesystem>
#include <string>

namespace store {

// A failure of the table engine as the clerk reads it: what happened, in Arabic, and to
// which file; the engine's own text follows on a line of its own, for whoever has to mend it.
std::string engineFailure(int engineCode, const std::string& file, const std::string& engineText);

// A failure of the system's file operations (copying, renaming, removing a folder) as the
// clerk reads it: what went wrong, in words, and which files; the system's text follows.
std::string fileFailure(const std::filesystem::filesystem_error& failure);

} // namespace store
