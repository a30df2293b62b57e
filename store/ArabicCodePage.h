#pragma once

#include <string>
#include <string_view>

namespace store {

// Text fields hold printable characters of the Arabic Windows code page (Windows-1256),
// kept as UTF-8. Returns the text cut to `size` characters, or throws StoreError naming
// the field when the text is not UTF-8 or holds a character the code page lacks.
std::string fitTextToField(std::string_view utf8, int size, std::string_view fieldName);

// Whether the bytes are UTF-8 throughout.
bool isUtf8(std::string_view bytes);
// Text in the Arabic Windows code page, as UTF-8.
std::string fromArabicCodePage(std::string_view bytes);
// A character as UTF-8.
void appendUtf8(std::string& utf8, char32_t c);

} // namespace store
