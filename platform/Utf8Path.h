#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// A path from its UTF-8 text, Arabic letters and all; `path::string()` gives that text back on
// every system. On Windows a path made straight from a narrow string would read it in the PC's
// code page instead.
std::filesystem::path utf8Path(std::string_view text);

// The name of an existing file or folder as a library that opens files by narrow names must
// be given it: its UTF-8 text here; on Windows its name in the PC's code page, or its short
// name where that cannot write it (a user folder named in Arabic on a PC set for English).
std::string narrowPath(const std::filesystem::path& existing);

// Whether files can be made in `folder` by this user.
bool folderWritable(const std::filesystem::path& folder);

} // namespace platform
