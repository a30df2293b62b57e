#include "StaffListFile.h"

#include "ArabicCodePage.h"
#include "EngineFailure.h"
#include "Isolated.h"
#include "Wording.h"

#include <cerrno>
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

std::runtime_error refused(const std::filesystem::path& list, store::Wording why)
{
    return std::runtime_error(std::move(why).arg(store::isolatedLeftToRight(list.string())).text());
}

} // namespace

StaffListText readStaffList(const std::filesystem::path& list)
{
    std::error_code unreadable;
    const std::filesystem::file_status status = std::filesystem::status(list, unreadable);
    if (unreadable)
        throw std::runtime_error(store::systemFailure(unreadable, store::isolatedLeftToRight(list.string())));
    if (!std::filesystem::is_regular_file(status))
        throw refused(list, store::worded("StaffListFile",
                                          "%1: ليس ملفاً (مجلد أو أنبوب أو جهاز): أعطِ قائمة الموظفين محفوظة بصيغة CSV"));
    if (std::filesystem::file_size(list) > largestList)
        throw refused(list, store::worded("StaffListFile", "%1: أكبر من أي قائمة موظفين (فوق 16 ميغابايت): أعطِ قائمة "
                                                            "الموظفين محفوظة بصيغة CSV"));
    errno = 0;
    std::ifstream in(list, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof())
        throw std::runtime_error(store::systemFailure(errno ? errno : EIO, store::isolatedLeftToRight(list.string())));
    const std::string_view view(bytes);
    if (view.starts_with("\xEF\xBB\xBF"))
        return {std::string(view.substr(3)), "UTF-8"};
    if (view.starts_with("\xFF\xFE") || view.starts_with("\xFE\xFF"))
        return {utf16ToUtf8(view.substr(2), view[0] == '\xFE'), "UTF-16"};
    if (view.starts_with("PK\x03\x04"))
        throw refused(list, store::worded("StaffListFile", "%1: مصنّف جداول بيانات (XLSX أو ملف مضغوط آخر) لا CSV: "
                                                            "احفظه بصيغة CSV أولاً"));
    if (view.find('\0') != std::string_view::npos)
        throw refused(list, store::worded("StaffListFile",
                                          "%1: ملف ثنائي لا نص CSV: احفظ قائمة الموظفين بصيغة CSV أولاً"));
    if (store::isUtf8(view))
        return {bytes, "UTF-8"};
    return {store::fromArabicCodePage(view), "Windows-1256"};
}

bool readCsvLine(std::istream& in, std::vector<std::string>& fields)
{
    fields.clear();
    std::string field;
    bool quoted = false, any = false;
    for (char c; in.get(c);) {
        any = true;
        if (quoted) {
            if (c == '"' && in.peek() == '"')
                field += char(in.get());
            else if (c == '"')
                quoted = false;
            else
                field += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.push_back(std::move(field));
            field.clear();
        } else if (c == '\n') {
            break;
        } else if (c == '\r') {
            if (in.peek() == '\n')
                in.get();
            break;
        } else {
            field += c;
        }
    }
    if (!any)
        return false;
    fields.push_back(std::move(field));
    return true;
}
