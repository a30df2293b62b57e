#include "SpreadsheetFile.h"
#include "Isolated.h"
#include "Leftovers.h"

#include <xlsxwriter.h>

#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace {

std::string cannotWrite(const std::filesystem::path& file)
{
    return "تعذّرت الكتابة في الملف " + store::isolatedLeftToRight(file.string());
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

void writeCsv(const std::filesystem::path& file, const std::vector<std::string>& titles,
              const std::vector<store::SheetRow>& rows)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << "\xEF\xBB\xBF";
    for (std::size_t i = 0; i < titles.size(); ++i)
        out << (i ? "," : "") << csvField(titles[i]);
    out << "\r\n";
    for (const store::SheetRow& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i)
            out << (i ? "," : "") << csvField(row[i]);
        out << "\r\n";
    }
    out.flush();
    if (!out)
        throw std::runtime_error(cannotWrite(file));
}

void writeXlsx(const std::filesystem::path& file, const std::vector<std::string>& titles,
               const std::vector<store::SheetRow>& rows)
{
    lxw_workbook* workbook = workbook_new(file.c_str());
    if (!workbook)
        throw std::runtime_error(cannotWrite(file));
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
    const lxw_error closed = workbook_close(workbook);
    if (closed != LXW_NO_ERROR)
        throw std::runtime_error(cannotWrite(file) + ": " + lxw_strerror(closed));
}

} // namespace

void writeSpreadsheet(const std::filesystem::path& file, const std::vector<std::string>& titles,
                      const std::vector<store::SheetRow>& rows)
{
    const std::string ending = lowerCase(file.extension().string());
    if (ending != ".csv" && ending != ".xlsx")
        throw std::invalid_argument("the file must end in .xlsx or .csv: " + file.string());
    // Written aside under a name no spreadsheet opens as finished; what a killed export left goes.
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    store::removeLeftovers(folder, file.filename().string(), ".partial-");
    const std::filesystem::path aside = file.string() + ".partial-" + std::to_string(getpid());
    try {
        if (ending == ".csv")
            writeCsv(aside, titles, rows);
        else
            writeXlsx(aside, titles, rows);
        std::filesystem::rename(aside, file);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(aside, ignored);
        throw;
    }
}
