#include "BookExport.h"

#include "BookCopy.h"
#include "SpreadsheetFile.h"

namespace operations {
namespace {

// The titles of the summary sheet's columns, in its order.
const std::vector<std::string> summaryTitles = {"اسم العامل", "سنوات الخدمة", "بداية الخدمة",
                                                "الإستحقاق السنوي", "إدارية", "ساعية",
                                                "صحية", "بلا اجر", "عدد الأيام المتجاوزة"};
const std::vector<std::string> entryTitles = {"اسم العامل", "نوع الإجازة", "المقدار", "التاريخ", "الشهر"};

std::string kindName(store::EntryKind kind)
{
    switch (kind) {
    case store::EntryKind::Administrative:
        return "إدارية";
    case store::EntryKind::Hourly:
        return "ساعية";
    case store::EntryKind::Sick:
        return "صحية";
    case store::EntryKind::Unpaid:
        break;
    }
    return "بلا اجر";
}

} // namespace

void exportBook(store::BookConnection& book, const std::filesystem::path& file, bool entries)
{
    store::openEveryTable(book);
    if (!entries) {
        writeSpreadsheet(file, summaryTitles, store::summaryRows(book));
        return;
    }
    std::vector<store::SheetRow> rows;
    for (const store::EntryRow& entry : store::entryRows(book))
        rows.push_back({entry.worker, kindName(entry.kind), entry.amount, entry.date, entry.month});
    writeSpreadsheet(file, entryTitles, rows);
}

} // namespace operations
