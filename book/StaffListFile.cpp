#include "StaffListFile.h"

#include "ArabicCodePage.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

// Far above a staff list of any office; far below what would fill the memory.
constexpr std::uintmax_t largestList = 16 * 1024 * 1024;

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian)
{
    std::string utf8;
    const auto unit = [&](std::size_t at) {
        const auto first = static_cast<unsigned char>(bytes[at]), second = static_cast<unsigned char>(bytes[at + 1]);
        return char32_t(bigEndian ? first << 8 | second : second << 8 | first);
    };
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        char32_t c = unit(at);
        if (c >= 0xD800 && c < 0xDC00 && at + 3 < bytes.size()) {
            const char32_t low = unit(at + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                at += 2;
            }
        }
        store::appendUtf8(utf8, c);
    }
    return utf8;
}

} // namespace

StaffListText readStaffList(const std::filesystem::path& list)
{
    std::error_code unreadable;
    const std::filesystem::file_status status = std::filesystem::status(list, unreadable);
    if (unreadable)
        throw std::runtime_error(list.string() + ": cannot be read (" + unreadable.message() + ")");
    if (!std::filesystem::is_regular_file(status))
        throw std::runtime_error(list.string() + ": not a file (a folder, a pipe or a device): give the staff list saved as CSV");
    if (std::filesystem::file_size(list) > largestList)
        throw std::runtime_error(list.string() + ": larger than any staff list (over 16 MB): give the staff list saved as CSV");
    std::ifstream in(list, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof())
        throw std::runtime_error(list.string() + ": cannot be read");
    const std::string_view view(bytes);
    if (view.starts_with("\xEF\xBB\xBF"))
        return {std::string(view.substr(3)), "UTF-8"};
    if (view.starts_with("\xFF\xFE") || view.starts_with("\xFE\xFF"))
        return {utf16ToUtf8(view.substr(2), view[0] == '\xFE'), "UTF-16"};
    if (view.starts_with("PK\x03\x04"))
        throw std::runtime_error(list.string() + ": a spreadsheet workbook (XLSX or another zipped file), not CSV: "
                                 "save it as CSV first");
    if (view.find('\0') != std::string_view::npos)
        throw std::runtime_error(list.string() + ": a binary file, not a CSV text: save the staff list as CSV first");
    if (store::isUtf8(view))
        return {bytes, "UTF-8"};
    return {store::fromArabicCodePage(view), "Windows-1256"};
}
