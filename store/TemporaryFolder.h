#pragma once

#include <filesystem>

namespace store {

// The system's folder for temporary files (TMPDIR, else /tmp). Throws StoreError naming the
// folder, as the clerk or the scheduled task set it, when it is not a folder.
std::filesystem::path temporaryFolder();

} // namespace store
