#pragma once

#include <system_error>

namespace platform {

// An error number as the system's own calls give it (and the table engine keeps it): errno
// here, the system's error code on Windows.
std::error_code systemError(int number);

} // namespace platform
