#include "LocalHistory.h"

#include "History.h"
#include "Isolated.h"
#include "Statement.h"
#include "Wording.h"

#include <array>

namespace store {
namespace {

struct Trigger {
    std::string_view event;  // INSERT, UPDATE, DELETE
    std::string_view change; // as the history names it
    std::string_view suffix; // of the trigger's name
};

constexpr std::array<Trigger, 3> triggers{{
    {"INSERT", "insert", "Insert"},
    {"UPDATE", "update", "Update"},
    {"DELETE", "delete", "Delete"},
}};

std::string triggerName(const TableDef& table, const Trigger& trigger)
{
    return historyTableName(table) + std::string(trigger.suffix);
}

// One row per field whose value the change made new: a field the insert left empty, or the
// delete found empty, changed nothing.
std::string triggerStatement(const TableDef& table, std::string_view schema, const Trigger& trigger)
{
    const bool update = trigger.event == "UPDATE";
    const std::string row = trigger.event == "DELETE" ? "OLD" : "NEW";
    const std::string worker = row + "." + sqlName(&table == &workerTable() ? "Auto" : "Index");
    std::string fields;
    for (const std::string_view field : recordedFields(table, update)) {
        const std::string before = trigger.event == "INSERT" ? "NULL" : "OLD." + sqlName(field);
        const std::string after = trigger.event == "DELETE" ? "NULL" : "NEW." + sqlName(field);
        fields += (fields.empty() ? "SELECT '" : " UNION ALL SELECT '") + std::string(field) + "' AS f, " + before
                  + " AS b, " + after + " AS a";
    }
    return "CREATE TRIGGER " + sqlName(schema) + "." + sqlName(triggerName(table, trigger)) + " AFTER "
           + std::string(trigger.event) + " ON " + sqlName(table.name) + " BEGIN INSERT INTO "
           + sqlName(historyTableName(table))
           + " (\"At\", \"Worker\", \"Record\", \"Change\", \"Field\", \"Before\", \"After\") "
             "SELECT CAST(strftime('%s', 'now') AS INTEGER), " + worker + ", " + row + ".\"Auto\", '"
           + std::string(trigger.change) + "', f, b, a FROM (" + fields + ") WHERE " + (update ? "b IS NOT a" : trigger.event == "INSERT" ? "a IS NOT NULL" : "b IS NOT NULL")
           + "; END";
}

} // namespace

std::vector<std::string> localHistoryTableStatements(const TableDef& table, std::string_view schema)
{
    const std::string history = sqlName(historyTableName(table));
    // Before and After keep each value as the field held it, number or text.
    return {"CREATE TABLE " + sqlName(schema) + "." + history
                + " (\"Id\" INTEGER PRIMARY KEY, \"At\" INTEGER, \"Worker\" INTEGER, \"Record\" INTEGER, "
                  "\"Change\" TEXT, \"Field\" TEXT, \"Before\", \"After\", \"Action\" TEXT, \"Who\" TEXT)",
            "CREATE INDEX " + sqlName(schema) + "." + sqlName(historyTableName(table) + "Worker") + " ON " + history
                + " (\"Worker\")"};
}

std::vector<std::string> localHistoryTriggerStatements(const TableDef& table, std::string_view schema)
{
    std::vector<std::string> statements;
    for (const Trigger& trigger : triggers)
        statements.push_back(triggerStatement(table, schema, trigger));
    return statements;
}

std::vector<std::string> localHistoryDropStatements(const TableDef& table, std::string_view schema)
{
    std::vector<std::string> statements;
    for (const Trigger& trigger : triggers)
        statements.push_back("DROP TRIGGER IF EXISTS " + sqlName(schema) + "." + sqlName(triggerName(table, trigger)));
    return statements;
}

bool holdsLocalHistoryTable(sqlite3* db, std::string_view schema, const TableDef& table)
{
    Statement held(db, "SELECT 1 FROM " + sqlName(schema) + ".sqlite_schema WHERE type = 'table' AND name = ?1");
    held.bind(1, historyTableName(table));
    return held.step();
}

std::optional<std::string> localHistoryProblem(sqlite3* db, std::string_view schema, const TableDef& table)
{
    Statement held(db, "SELECT 1 FROM " + sqlName(schema) + ".sqlite_schema WHERE type = ?1 AND name = ?2 AND tbl_name = ?3");
    const auto holds = [&](std::string_view type, const std::string& name, const std::string& of) {
        held.reset();
        held.bind(1, type);
        held.bind(2, name);
        held.bind(3, of);
        return held.step();
    };
    const std::string history = historyTableName(table);
    const auto missing = [](const std::string& name) {
        return worded("LocalHistory", "ينقص سجل التغييرات %1 (يضيفه %2)")
            .arg(isolatedLeftToRight(name))
            .arg(isolatedLeftToRight("ijazat-setup"))
            .text();
    };
    if (!holds("table", history, history))
        return missing(history);
    for (const Trigger& trigger : triggers)
        if (!holds("trigger", triggerName(table, trigger), std::string(table.name)))
            return missing(triggerName(table, trigger));
    return std::nullopt;
}

} // namespace store
