#include "SpreadsheetFile.h"
#include "EngineFailure.h"
#include "Isolated.h"
#include "Leftovers.h"
#include "StandardErrorSilenced.h"
#include "TemporaryFolder.h"
#include "Utf8Path.h"
#include "Wording.h"

#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace {

std::string cannotWrite(const std::filesystem::path& file)
{
    return store::worded("SpreadsheetFile", "تعذّرت الكتابة في الملف %1").arg(store::isolatedLeftToRight(file.string()));
}

std::string xlsxFailure(lxw_error error, int errorNumber, const std::filesystem::path& file,
                        const std::filesystem::path& temporary)
{
    switch (error) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return store::worded("SpreadsheetFile", "لا تكفي الذاكرة لكتابة الملف %1").arg(store::isolatedLeftToRight(file.string()));
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
        // The library writes each part of the workbook to a temporary file first.
        return store::worded("SpreadsheetFile", "لم يُكتب الملف %1: %2")
            .arg(store::isolatedLeftToRight(file.string()))
            .arg(store::systemFailure(errorNumber ? errorNumber : EIO, store::isolatedLeftToRight(temporary.string())));
    default:
        return errorNumber ? store::systemFailure(errorNumber, store::isolatedLeftToRight(file.string())) : cannotWrite(file);
    }
}


std::string lowerCase(std::string text)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string csvField(std::string text)
{
    // A text a spreadsheet would take for a formula ("=1+1", "+972 5", "-Ali", "@sum") is
    // kept a text by a leading apostrophe, as spreadsheets read it.
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos)
        text.insert(0, 1, '\'');
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string csvField(const store::SheetCell& cell)
{
    if (const auto* number = std::get_if<std::int64_t>(&cell))
        return std::to_string(*number);
    if (const auto* text = std::get_if<std::string>(&cell))
        return csvField(*text);
    return {};
}

void writeCsv(const std::filesystem::path& aside, const std::filesystem::path& file,
              const std::vector<std::string>& titles, const std::vector<store::SheetRow>& rows)
{
    errno = 0;
    std::ofstream out(aside, std::ios::binary | std::ios::trunc);
    out << "\xEF\xBB\xBF";
    for (std::size_t i = 0; i < titles.size(); ++i)
        out << (i ? "," : "") << csvField(titles[i]);
    out << "\r\n";
    for (const store::SheetRow& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i)
            out << (i ? "," : "") << csvField(row[i]);
        out << "\r\n";
    }
    out.close();
    if (!out)
        throw std::runtime_error(errno ? store::systemFailure(errno, store::isolatedLeftToRight(file.string()))
                                       : cannotWrite(file));
}

void writeXlsx(const std::filesystem::path& aside, const std::filesystem::path& file,
               const std::vector<std::string>& titles, const std::vector<store::SheetRow>& rows)
{
    // Its temporary files go where every other program's do, so a full temporary folder is named as such.
    const std::filesystem::path temporary = store::temporaryFolder();
    std::string temporaryName = platform::narrowPath(temporary);
    lxw_workbook_options options{};
    options.tmpdir = temporaryName.data();
    lxw_workbook* workbook = workbook_new_opt(aside.string().c_str(), &options);
    if (!workbook)
        throw std::runtime_error(xlsxFailure(LXW_ERROR_MEMORY_MALLOC_FAILED, 0, file, temporary));
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    worksheet_right_to_left(sheet);
    worksheet_freeze_panes(sheet, 1, 0);
    lxw_format* bold = workbook_add_format(workbook);
    format_set_bold(bold);
    for (std::size_t column = 0; column < titles.size(); ++column)
        worksheet_write_string(sheet, 0, lxw_col_t(column), titles[column].c_str(), bold);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto line = lxw_row_t(r + 1);
        for (std::size_t column = 0; column < rows[r].size(); ++column) {
            const store::SheetCell& cell = rows[r][column];
            if (const auto* number = std::get_if<std::int64_t>(&cell))
                worksheet_write_number(sheet, line, lxw_col_t(column), double(*number), nullptr);
            else if (const auto* text = std::get_if<std::string>(&cell))
                worksheet_write_string(sheet, line, lxw_col_t(column), text->c_str(), nullptr);
        }
    }
    errno = 0;
    lxw_error closed;
    {
        // The spreadsheet library tells its failures on the standard error in its own words; the
        // clerk is told each failure once, in the book's words, from the error it returns.
        const platform::StandardErrorSilenced quiet;
        closed = workbook_close(workbook);
    }
    if (closed != LXW_NO_ERROR)
        throw std::runtime_error(xlsxFailure(closed, errno, file, temporary));
}

} // namespace

void writeSpreadsheet(const std::filesystem::path& file, const std::vector<std::string>& titles,
                      const std::vector<store::SheetRow>& rows)
{
    const std::string ending = lowerCase(file.extension().string());
    if (ending != ".csv" && ending != ".xlsx")
        throw std::invalid_argument(store::worded("SpreadsheetFile", "يُكتب جدول البيانات في ملف ينتهي بـ%1 أو %2: %3")
                                        .arg(store::isolatedLeftToRight(".xlsx"))
                                        .arg(store::isolatedLeftToRight(".csv"))
                                        .arg(store::isolatedLeftToRight(file.string())));
    // Written aside under a name no spreadsheet opens as finished; what a killed export left goes.
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    store::removeLeftovers(folder, file.filename().string(), ".partial-");
    const std::filesystem::path aside = store::asideOf(file, ".partial-");
    try {
        if (ending == ".csv")
            writeCsv(aside, file, titles, rows);
        else
            writeXlsx(aside, file, titles, rows);
        std::filesystem::rename(aside, file);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(aside, ignored);
        throw;
    }
}
