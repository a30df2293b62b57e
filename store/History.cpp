#include "History.h"

#include "BookConnection.h"

#include <ctime>

namespace store {

std::string historyTableName(const TableDef& table)
{
    return std::string(table.name) + "History";
}

const std::vector<std::string_view>& historyColumns()
{
    static const std::vector<std::string_view> columns{"Id",    "At",     "Worker", "Record", "Change",
                                                       "Field", "Before", "After",  "Action", "Who"};
    return columns;
}

std::vector<std::string_view> recordedFields(const TableDef& table, bool update)
{
    std::vector<std::string_view> fields;
    for (const FieldDef& field : table.fields)
        if (field.type != FieldType::AutoIncrement && (update || field.name != "Index"))
            fields.push_back(field.name);
    return fields;
}

std::string historyTarget(const BookConnection& book, const TableDef& table)
{
    return sqlName(book.schemaOf(table)) + "." + sqlName(historyTableName(table));
}

void copyHistory(BookConnection& from, BookConnection& into)
{
    std::string columns;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < historyColumns().size(); ++i) {
        columns += (i ? ", " : "") + sqlName(historyColumns()[i]);
        names.emplace_back(historyColumns()[i]);
    }
    for (const TableDef* table : allTables()) {
        BookStatement& read = from.statement("SELECT " + columns + " FROM " + historyTarget(from, *table) + " ORDER BY \"Id\"");
        into.insertRows(read, historyTarget(into, *table), names);
        into.historyCopied(*table);
    }
}

void emptyHistory(BookConnection& book)
{
    for (const TableDef* table : allTables())
        book.execute("DELETE FROM " + historyTarget(book, *table));
}

void markEveryWorker(BookConnection& book, std::string_view note)
{
    const TableDef& workers = workerTable();
    BookStatement& mark = book.statement(
        "INSERT INTO " + historyTarget(book, workers)
        + " (\"At\", \"Worker\", \"Record\", \"Change\", \"Action\", \"Who\", \"After\") SELECT ?1, \"Auto\", \"Auto\", "
          "'mark', ?2, ?3, ?4 FROM " + sqlName(book.schemaOf(workers)) + "." + sqlName(workers.name) + " ORDER BY \"Auto\"");
    StatementUse use(mark);
    mark.bind(1, std::int64_t(std::time(nullptr)));
    mark.bind(2, std::string_view(book.action()));
    mark.bind(3, std::string_view(book.who()));
    mark.bind(4, note);
    mark.step();
}

} // namespace store
