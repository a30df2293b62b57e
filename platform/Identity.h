#pragma once

#include <string>

namespace platform {

// Who works at this desk, as the history of the book records it: the user's login name and
// the computer's name, in UTF-8; empty where the system does not say.
std::string userName();
std::string computerName();

} // namespace platform
