#include "BookTables.h"

#include "ReadOnlyBook.h"
#include "Schema.h"
#include "Statement.h"

namespace store {
namespace {

SheetCell cellOf(const Statement& row, int column)
{
    if (row.isNull(column))
        return std::monostate();
    if (row.isInteger(column))
        return row.integer(column);
    return row.text(column);
}

} // namespace

std::vector<SheetRow> summaryRows(const std::filesystem::path& dataRoot)
{
    const ReadOnlyBook book(dataRoot);
    Statement workers(book.get(), "SELECT \"WorkerName\", \"ServesYears\", \"ServesStart\", \"YearPermit\", "
                                  "\"AdministrationPermit\", \"HorsPermit\", \"HealthPermit\", \"NoHire\", "
                                  "\"ExcessMonth\" FROM main.\"worker\" ORDER BY \"Auto\"");
    std::vector<SheetRow> rows;
    while (workers.step()) {
        SheetRow& row = rows.emplace_back();
        for (int column = 0; column < 9; ++column)
            row.push_back(cellOf(workers, column));
    }
    return rows;
}

std::vector<EntryRow> entryRows(const std::filesystem::path& dataRoot)
{
    const ReadOnlyBook book(dataRoot);
    struct Kind {
        EntryKind kind;
        const TableDef& table;
        const char* amount;
    };
    const Kind kinds[] = {{EntryKind::Administrative, permitAdminTable(), "AdministrationPermit"},
                          {EntryKind::Hourly, permitHoursTable(), "HorsPermit"},
                          {EntryKind::Sick, permitHealthTable(), "HealthPermit"},
                          {EntryKind::Unpaid, permitNoHireTable(), "NoHire"}};
    std::string sql;
    for (const Kind& kind : kinds) {
        const std::string table = sqlName(kind.table.name) + "." + sqlName(kind.table.name);
        sql += std::string(sql.empty() ? "" : " UNION ALL ") + "SELECT ifnull(w.\"Auto\", -1) AS worker, "
               + std::to_string(int(kind.kind)) + " AS kind, e.\"Auto\" AS entry, ifnull(w.\"WorkerName\", ''), e."
               + sqlName(kind.amount) + ", ifnull(e.\"Date\", ''), ifnull(e.\"Month\", '') FROM " + table
               + " AS e LEFT JOIN main.\"worker\" AS w ON w.\"Auto\" = e.\"Index\"";
    }
    Statement entries(book.get(), sql + " ORDER BY worker, kind, entry");
    std::vector<EntryRow> rows;
    while (entries.step())
        rows.push_back({entries.text(3), EntryKind(entries.integer(1)), cellOf(entries, 4), entries.text(5),
                        entries.text(6)});
    return rows;
}

} // namespace store
