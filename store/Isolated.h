#pragma once

#include <string>
#include <string_view>

namespace store {

// A piece set inside an Arabic message in a unicode isolate, so its own direction cannot
// turn the words around it: a file's path reads left to right; what the clerk typed takes
// its direction from its first letter, and an override pasted into it ends with it.
inline std::string isolatedLeftToRight(std::string_view text)
{
    return "\u2066" + std::string(text) + "\u2069";
}

inline std::string isolated(std::string_view text)
{
    return "\u2068" + std::string(text) + "\u2069";
}

} // namespace store
