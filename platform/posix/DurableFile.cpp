#include "DurableFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

void keepOnDisk(const std::filesystem::path& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw std::filesystem::filesystem_error("open", file, std::error_code(errno, std::generic_category()));
    const int synced = ::fsync(fd);
    const int why = errno;
    ::close(fd);
    if (synced != 0)
        throw std::filesystem::filesystem_error("fsync", file, std::error_code(why, std::generic_category()));
}

} // namespace platform
