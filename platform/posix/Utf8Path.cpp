#include "Utf8Path.h"

#include <unistd.h>

namespace platform {

std::filesystem::path utf8Path(std::string_view text)
{
    return std::filesystem::path(text);
}

std::string narrowPath(const std::filesystem::path& existing)
{
    return existing.string();
}

bool folderWritable(const std::filesystem::path& folder)
{
    return ::access(folder.c_str(), W_OK) == 0;
}

} // namespace platform
