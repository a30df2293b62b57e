#pragma once

#include <string>
#include <string_view>

namespace store {

// Text fields hold printable characters of the Arabic Windows code page (Windows-1256),
// kept as UTF-8. Returns the text cut to `size` characters, or throws StoreError naming
// the field when the text is not UTF-8 or holds a character the code page lacks.
std::string fitTextToField(std::string_view utf8, int size, std::string_view fieldName);

} // namespace store
