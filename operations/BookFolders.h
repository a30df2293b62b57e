#pragma once

#include <filesystem>
#include <string>

namespace operations {

// The folders beside the data root, named here only: a book's backups and its closed years'
// archives sit next to the book's own folder ("kestrave/Data" beside "kestrave/Backups" and
// "kestrave/Archive"), whatever the kind of book.
std::filesystem::path backupsBeside(const std::filesystem::path& dataRoot);
// A backup taken at `stamp` (YYYY-MM-DD_HHMMSS, with what a restore adds to it).
std::filesystem::path backupFolder(const std::filesystem::path& dataRoot, const std::string& stamp);
std::filesystem::path archivesBeside(const std::filesystem::path& dataRoot);

} // namespace operations
