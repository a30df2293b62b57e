#pragma once

#include <filesystem>

namespace platform {

// Where the book lives unless told otherwise: "D:\kestrave\Data" on Windows, or the user's own
// kestrave\Data folder on a PC without a D: drive of its own; kestrave/Data under the home
// folder elsewhere. Only the programs' entry points call this; everything below them takes
// the data root as a parameter.
std::filesystem::path builtInDataRoot();

} // namespace platform
