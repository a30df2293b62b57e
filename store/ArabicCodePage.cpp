#include "ArabicCodePage.h"

#include "Isolated.h"
#include "StoreError.h"
#include "Wording.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace store {
namespace {

// The characters of bytes 0x80 to 0xFF of Windows-1256; bytes 0x20 to 0x7E are ASCII.
constexpr std::array<char32_t, 128> upperHalf = {
    0x20AC, 0x067E, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0679, 0x2039,
    0x0152, 0x0686, 0x0698, 0x0688, 0x06AF, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x06A9, 0x2122, 0x0691, 0x203A, 0x0153, 0x200C, 0x200D, 0x06BA, 0x00A0, 0x060C, 0x00A2, 0x00A3,
    0x00A4, 0x00A5, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x06BE, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x00B9, 0x061B, 0x00BB,
    0x00BC, 0x00BD, 0x00BE, 0x061F, 0x06C1, 0x0621, 0x0622, 0x0623, 0x0624, 0x0625, 0x0626, 0x0627,
    0x0628, 0x0629, 0x062A, 0x062B, 0x062C, 0x062D, 0x062E, 0x062F, 0x0630, 0x0631, 0x0632, 0x0633,
    0x0634, 0x0635, 0x0636, 0x00D7, 0x0637, 0x0638, 0x0639, 0x063A, 0x0640, 0x0641, 0x0642, 0x0643,
    0x00E0, 0x0644, 0x00E2, 0x0645, 0x0646, 0x0647, 0x0648, 0x00E7, 0x00E8, 0x00E9, 0x00EA, 0x00EB,
    0x0649, 0x064A, 0x00EE, 0x00EF, 0x064B, 0x064C, 0x064D, 0x064E, 0x00F4, 0x064F, 0x0650, 0x00F7,
    0x0651, 0x00F9, 0x0652, 0x00FB, 0x00FC, 0x200E, 0x200F, 0x06D2,
};

// The same characters in order, to be found by halving rather than one by one: every
// character of a name is looked up.
constexpr std::array<char32_t, 128> upperHalfInOrder = [] {
    std::array<char32_t, 128> inOrder = upperHalf;
    std::sort(inOrder.begin(), inOrder.end());
    return inOrder;
}();

bool inCodePage(char32_t c)
{
    if (c >= 0x20 && c <= 0x7E)
        return true;
    return std::binary_search(upperHalfInOrder.begin(), upperHalfInOrder.end(), c);
}

// Decodes one UTF-8 sequence at `pos`, advancing it; nullopt when the bytes are not UTF-8.
std::optional<char32_t> nextCharacter(std::string_view s, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(s[pos]);
    int length = 0;
    char32_t c = 0;
    if (lead < 0x80) { length = 1; c = lead; }
    else if ((lead & 0xE0) == 0xC0) { length = 2; c = lead & 0x1F; }
    else if ((lead & 0xF0) == 0xE0) { length = 3; c = lead & 0x0F; }
    else if ((lead & 0xF8) == 0xF0) { length = 4; c = lead & 0x07; }
    else return std::nullopt;
    if (pos + length > s.size())
        return std::nullopt;
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(s[pos + i]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        c = (c << 6) | (next & 0x3F);
    }
    static constexpr std::array<char32_t, 5> smallest = {0, 0, 0x80, 0x800, 0x10000};
    if (c < smallest[length])
        return std::nullopt; // overlong form
    pos += length;
    return c;
}

} // namespace

std::string fitTextToField(std::string_view utf8, int size, std::string_view fieldName)
{
    std::size_t pos = 0;
    int characters = 0;
    std::size_t cut = utf8.size();
    while (pos < utf8.size()) {
        const std::size_t start = pos;
        const auto c = nextCharacter(utf8, pos);
        if (!c)
            throw StoreError(worded("ArabicCodePage", "النص المكتوب للحقل %1 ليس نصاً سليماً (UTF-8)").arg(isolatedLeftToRight(fieldName)));
        if (!inCodePage(*c))
            throw StoreError(worded("ArabicCodePage", "في النص «%1» حرف لا يحفظه الدفتر في الحقل %2")
                                 .arg(isolated(utf8))
                                 .arg(isolatedLeftToRight(fieldName)));
        if (characters == size && cut == utf8.size())
            cut = start;
        ++characters;
    }
    return std::string(utf8.substr(0, cut));
}

bool isUtf8(std::string_view bytes)
{
    for (std::size_t pos = 0; pos < bytes.size();)
        if (!nextCharacter(bytes, pos))
            return false;
    return true;
}

void appendUtf8(std::string& utf8, char32_t c)
{
    if (c < 0x80) {
        utf8 += char(c);
    } else if (c < 0x800) {
        utf8 += char(0xC0 | (c >> 6));
        utf8 += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        utf8 += char(0xE0 | (c >> 12));
        utf8 += char(0x80 | ((c >> 6) & 0x3F));
        utf8 += char(0x80 | (c & 0x3F));
    } else {
        utf8 += char(0xF0 | (c >> 18));
        utf8 += char(0x80 | ((c >> 12) & 0x3F));
        utf8 += char(0x80 | ((c >> 6) & 0x3F));
        utf8 += char(0x80 | (c & 0x3F));
    }
}

std::string fromArabicCodePage(std::string_view bytes)
{
    std::string utf8;
    utf8.reserve(bytes.size() * 2);
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        appendUtf8(utf8, b < 0x80 ? char32_t(b) : upperHalf[b - 0x80]);
    }
    return utf8;
}

} // namespace store
