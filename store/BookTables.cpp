#include "BookTables.h"

#include "BookConnection.h"
#include "ReadSnapshot.h"
#include "Schema.h"

namespace store {
namespace {

SheetCell cellOf(const BookStatement& row, int column)
{
    if (row.isNull(column))
        return std::monostate();
    if (row.isInteger(column))
        return row.integer(column);
    return row.text(column);
}

std::string target(BookConnection& book, const TableDef& table)
{
    return sqlName(book.schemaOf(table)) + "." + sqlName(table.name);
}

} // namespace

std::vector<SheetRow> summaryRows(BookConnection& book)
{
    const ReadSnapshot reading(book);
    BookStatement& workers = book.statement(
        "SELECT \"WorkerName\", \"ServesYears\", \"ServesStart\", \"YearPermit\", \"AdministrationPermit\", "
        "\"HorsPermit\", \"HealthPermit\", \"NoHire\", \"ExcessMonth\" FROM " + target(book, workerTable())
        + " ORDER BY \"Auto\"");
    StatementUse use(workers);
    std::vector<SheetRow> rows;
    while (workers.step()) {
        SheetRow& row = rows.emplace_back();
        for (int column = 0; column < 9; ++column)
            row.push_back(cellOf(workers, column));
    }
    return rows;
}

std::vector<EntryRow> entryRows(BookConnection& book)
{
    const ReadSnapshot reading(book);
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
        // The amount column is a number in three tables and a text in one: each kind's
        // amount goes in a column of its own type, so both engines accept the union.
        const bool hours = kind.kind == EntryKind::Hourly;
        const std::string amount = "e." + sqlName(kind.amount);
        sql += std::string(sql.empty() ? "" : " UNION ALL ") + "SELECT coalesce(w.\"Auto\", -1) AS worker, "
               + std::to_string(int(kind.kind)) + " AS kind, e.\"Auto\" AS entry, coalesce(w.\"WorkerName\", ''), "
               + (hours ? "NULL" : amount) + ", " + (hours ? amount : "NULL")
               + ", coalesce(e.\"Date\", ''), coalesce(e.\"Month\", '') FROM " + target(book, kind.table)
               + " AS e LEFT JOIN " + target(book, workerTable()) + " AS w ON w.\"Auto\" = e.\"Index\"";
    }
    BookStatement& entries = book.statement(sql + " ORDER BY worker, kind, entry");
    StatementUse use(entries);
    std::vector<EntryRow> rows;
    while (entries.step()) {
        const EntryKind kind = EntryKind(entries.integer(1));
        rows.push_back({entries.text(3), kind, cellOf(entries, kind == EntryKind::Hourly ? 5 : 4), entries.text(6),
                        entries.text(7)});
    }
    return rows;
}

} // namespace store
