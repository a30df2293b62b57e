#pragma once

#include <filesystem>

namespace platform {

// Returns once what was written to `file` is on the disk itself, not only in the system's
// cache: a copy then outlasts a power cut. Throws std::filesystem::filesystem_error.
void keepOnDisk(const std::filesystem::path& file);

} // namespace platform
