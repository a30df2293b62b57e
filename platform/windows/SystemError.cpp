#include "SystemError.h"

namespace platform {

std::error_code systemError(int number)
{
    return std::error_code(number, std::system_category());
}

} // namespace platform
