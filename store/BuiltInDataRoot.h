#pragma once

#include <filesystem>

namespace store {

// Where the book lives unless told otherwise: "D:\kestrave\Data" on Windows, kestrave/Data
// under the user's home folder elsewhere. Only the program's entry points call this;
// everything below them takes the data root as a parameter.
std::filesystem::path builtInDataRoot();

} // namespace store
