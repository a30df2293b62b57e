// The XLSX writer's library, loaded the first time a workbook is written: a desk or a toolbox
// command that writes none starts without it and the libraries it brings. Each function the
// spreadsheet file calls is defined here, with the library's own declaration, and passes the
// call on.
#include "Isolated.h"
#include "LibraryOnDemand.h"
#include "Wording.h"

#include <xlsxwriter.h>

#include <stdexcept>

namespace {

[[noreturn]] void notLoaded(const std::string& why)
{
    throw std::runtime_error(store::worded("XlsxLibrary", "لم تُحمَّل مكتبة كتابة ملفات XLSX: %1. ثبّت الحزمة libxlsxwriter4")
                                 .arg(store::isolatedLeftToRight(why)));
}

} // namespace

#define PASSED_ON(returned, name, parameters, arguments) \
    PASSED_ON_TO("libxlsxwriter.so.4", notLoaded, returned, name, parameters, arguments)

extern "C" {
PASSED_ON(lxw_workbook*, workbook_new_opt, (const char* filename, lxw_workbook_options* options), (filename, options))
PASSED_ON(lxw_worksheet*, workbook_add_worksheet, (lxw_workbook * workbook, const char* sheetname), (workbook, sheetname))
PASSED_ON(lxw_format*, workbook_add_format, (lxw_workbook * workbook), (workbook))
PASSED_ON(lxw_error, workbook_close, (lxw_workbook * workbook), (workbook))
PASSED_ON(void, format_set_bold, (lxw_format * format), (format))
PASSED_ON(void, worksheet_right_to_left, (lxw_worksheet * worksheet), (worksheet))
PASSED_ON(void, worksheet_freeze_panes, (lxw_worksheet * worksheet, lxw_row_t row, lxw_col_t col), (worksheet, row, col))
PASSED_ON(lxw_error, worksheet_write_number,
          (lxw_worksheet * worksheet, lxw_row_t row, lxw_col_t col, double number, lxw_format* format),
          (worksheet, row, col, number, format))
PASSED_ON(lxw_error, worksheet_write_string,
          (lxw_worksheet * worksheet, lxw_row_t row, lxw_col_t col, const char* string, lxw_format* format),
          (worksheet, row, col, string, format))
}
