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

// A value found in a file or a list, as a message echoes it: its control characters
// written out, never acted on by the terminal or the window that shows it.
inline std::string controlsWrittenOut(std::string_view value)
{
    std::string said;
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            static constexpr char digits[] = "0123456789abcdef";
            said += std::string("\\x") + digits[byte >> 4] + digits[byte & 0x0f];
        } else {
            said += c;
        }
    }
    return said;
}

} // namespace store
