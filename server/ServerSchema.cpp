#include "ServerSchema.h"

#include "ClosedYears.h"
#include "Isolated.h"
#include "NameFolding.h"
#include "ServerBookConnection.h"
#include "ServerHistory.h"
#include "StoreError.h"
#include "Wording.h"

namespace server {
namespace {

using store::isolatedLeftToRight;
using store::sqlName;

std::string target(const store::TableDef& table)
{
    return sqlName(serverSchemaOf(table)) + "." + sqlName(table.name);
}

std::string columnType(const store::FieldDef& field)
{
    switch (field.type) {
    case store::FieldType::AutoIncrement:
        return "integer GENERATED ALWAYS AS IDENTITY PRIMARY KEY"; // never reused, as the book's keys
    case store::FieldType::Integer:
        return "integer";
    case store::FieldType::Text:
        // Byte order of the UTF-8 text, as the local book sorts it.
        return "varchar(" + std::to_string(field.size) + ") COLLATE \"C\"";
    }
    return {};
}

// The schema for the change counts, shared by the five tables.
const std::vector<std::string>& commonStatements()
{
    static const std::vector<std::string> statements{
        "CREATE SCHEMA IF NOT EXISTS \"ijazat\"",
        "CREATE TABLE IF NOT EXISTS \"ijazat\".\"changes\" (\"table\" text PRIMARY KEY, \"count\" bigint NOT NULL)",
        // As the book's owner: a desk's role counts changes without the right to set the counts.
        "CREATE OR REPLACE FUNCTION \"ijazat\".\"count_change\"() RETURNS trigger LANGUAGE plpgsql SECURITY DEFINER "
        "SET search_path = '' AS "
        "'BEGIN UPDATE \"ijazat\".\"changes\" SET \"count\" = \"count\" + 1 WHERE \"table\" = TG_TABLE_NAME; "
        "RETURN NULL; END'",
        archivesSql(),
        // The book's identity, new at every restore.
        "CREATE TABLE IF NOT EXISTS \"ijazat\".\"book\" (\"identity\" text NOT NULL)",
        "INSERT INTO \"ijazat\".\"book\" (\"identity\") SELECT md5(random()::text || clock_timestamp()::text) "
        "WHERE NOT EXISTS (SELECT 1 FROM \"ijazat\".\"book\")",
    };
    return statements;
}

std::vector<std::string> creationStatements(const store::TableDef& table)
{
    std::string columns;
    for (const store::FieldDef& field : table.fields)
        columns += (columns.empty() ? "" : ", ") + sqlName(field.name) + " " + columnType(field);
    std::vector<std::string> statements{
        "CREATE SCHEMA IF NOT EXISTS " + sqlName(serverSchemaOf(table)),
        "CREATE TABLE " + target(table) + " (" + columns + ")",
    };
    const std::string indexName(table.indexName.empty() ? table.indexField : table.indexName);
    // Each index ends in Auto: namesakes, and one worker's entries, come in the order they were made.
    statements.push_back("CREATE INDEX " + sqlName(indexName) + " ON " + target(table) + " (" + sqlName(table.indexField)
                         + ", \"Auto\")");
    if (&table == &store::workerTable())
        statements.push_back("CREATE INDEX " + sqlName(store::foldedNameIndex) + " ON " + target(table) + " (("
                             + store::foldedNameSql("\"WorkerName\"") + "), \"WorkerName\", \"Auto\")");
    statements.push_back("CREATE TRIGGER \"count_changes\" AFTER INSERT OR UPDATE OR DELETE OR TRUNCATE ON "
                         + target(table) + " FOR EACH STATEMENT EXECUTE FUNCTION \"ijazat\".\"count_change\"()");
    for (std::string& sql : serverHistoryStatements(table))
        statements.push_back(std::move(sql));
    return statements;
}

bool tableExists(ServerBookConnection& connection, const store::TableDef& table)
{
    return serverTableExists(connection, serverSchemaOf(table), table.name);
}

std::optional<std::string> fieldProblem(ServerBookConnection& connection, const store::TableDef& table)
{
    store::BookStatement& columns = connection.statement(
        "SELECT column_name::text, data_type::text, coalesce(character_maximum_length, 0), is_identity::text "
        "FROM information_schema.columns WHERE table_schema = ?1 AND table_name = ?2 ORDER BY ordinal_position");
    store::StatementUse use(columns);
    columns.bind(1, std::string_view(serverSchemaOf(table)));
    columns.bind(2, table.name);
    std::size_t position = 0;
    while (columns.step()) {
        if (position == table.fields.size())
            return store::worded("TableShape", "في الجدول حقل %1 لا يعرفه الدفتر").arg(isolatedLeftToRight(columns.text(0)));
        const store::FieldDef& wanted = table.fields[position];
        if (columns.text(0) != wanted.name)
            return store::worded("TableShape", "الحقل رقم %1 هو %2 والدفتر يحتاج %3")
                .arg((long long)position + 1)
                .arg(isolatedLeftToRight(columns.text(0)))
                .arg(isolatedLeftToRight(wanted.name));
        const bool text = wanted.type == store::FieldType::Text;
        const bool typed = text ? columns.text(1) == "character varying" && columns.integer(2) == wanted.size
                                : columns.text(1) == "integer";
        const bool identity = columns.text(3) == "YES";
        if (!typed || identity != (wanted.type == store::FieldType::AutoIncrement))
            return store::worded("TableShape", "نوع الحقل %1 هو %2 والدفتر يحتاج %3")
                .arg(isolatedLeftToRight(wanted.name))
                .arg(isolatedLeftToRight(columns.text(1)))
                .arg(isolatedLeftToRight(columnType(wanted)));
        ++position;
    }
    if (position < table.fields.size())
        return store::worded("TableShape", "ينقص الجدول الحقل %1").arg(isolatedLeftToRight(table.fields[position].name));
    return std::nullopt;
}

std::optional<std::string> indexProblem(ServerBookConnection& connection, const store::TableDef& table)
{
    std::vector<std::string> wanted{std::string(table.indexName.empty() ? table.indexField : table.indexName)};
    if (&table == &store::workerTable())
        wanted.emplace_back(store::foldedNameIndex);
    for (const std::string& index : wanted) {
        store::BookStatement& found = connection.statement(
            "SELECT 1 FROM pg_indexes WHERE schemaname = ?1 AND tablename = ?2 AND indexname = ?3");
        store::StatementUse use(found);
        found.bind(1, std::string_view(serverSchemaOf(table)));
        found.bind(2, table.name);
        found.bind(3, std::string_view(index));
        if (!found.step())
            return store::worded("ServerSchema", "ينقص الفهرس %1").arg(isolatedLeftToRight(index));
    }
    return std::nullopt;
}

bool bookIsWhole(ServerBookConnection& connection)
{
    for (const char* common : {"changes", "closed_years", "year_archives", "book"})
        if (!serverTableExists(connection, "ijazat", common))
            return false;
    for (const store::TableDef* table : store::allTables())
        if (serverTableProblem(connection, *table))
            return false;
    return true;
}

} // namespace

bool serverTableExists(ServerBookConnection& connection, std::string_view schema, std::string_view table)
{
    // The catalog, which every role reads: the information schema hides what a role may not use.
    store::BookStatement& exists = connection.statement(
        "SELECT 1 FROM pg_catalog.pg_class c JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
        "WHERE n.nspname = ?1 AND c.relname = ?2");
    store::StatementUse use(exists);
    exists.bind(1, schema);
    exists.bind(2, table);
    return exists.step();
}

std::string archivesSql()
{
    return "CREATE TABLE IF NOT EXISTS \"ijazat\".\"year_archives\" (\"Year\" integer, \"File\" text, "
           "\"Content\" bytea NOT NULL, PRIMARY KEY (\"Year\", \"File\"))";
}

std::string changeCountSql()
{
    return "SELECT \"count\" FROM \"ijazat\".\"changes\" WHERE \"table\" = ?1";
}

std::optional<std::string> serverTableProblem(ServerBookConnection& connection, const store::TableDef& table,
                                              WithHistory history)
{
    if (!tableExists(connection, table))
        return store::worded("ServerSchema", "ليس على الخادم جدول %1 (%2 يصنعه)")
            .arg(isolatedLeftToRight(serverSchemaOf(table) + "." + std::string(table.name)))
            .arg(isolatedLeftToRight("ijazat-setup --server"));
    {
        store::BookStatement& readable = connection.statement(
            "SELECT has_schema_privilege(?1, 'USAGE') AND has_table_privilege(?2, 'SELECT')");
        store::StatementUse use(readable);
        readable.bind(1, std::string_view(serverSchemaOf(table)));
        readable.bind(2, std::string_view(target(table)));
        if (readable.step() && readable.text(0) != "t")
            return store::worded("ServerSchema", "لا يحق لدور هذا المكتب قراءة الجدول %1: يعطيه مالك الدفتر الحق بالأمر %2")
                .arg(isolatedLeftToRight(serverSchemaOf(table) + "." + std::string(table.name)))
                .arg(isolatedLeftToRight("ijazat-setup --server ... --grant-clerk ROLE"));
    }
    if (auto problem = fieldProblem(connection, table))
        return problem;
    if (auto problem = indexProblem(connection, table))
        return problem;
    {
        store::BookStatement& counted = connection.statement(changeCountSql());
        store::StatementUse use(counted);
        counted.bind(1, table.name);
        if (!counted.step())
            return store::worded("ServerSchema", "ينقص عدّاد التغييرات للجدول %1").arg(isolatedLeftToRight(table.name));
    }
    return history == WithHistory::Yes ? serverHistoryProblem(connection, table) : std::nullopt;
}

ServerSetupReport createMissingServerTables(ServerBookConnection& connection)
{
    ServerSetupReport report;
    connection.beginWrite(); // two setups at once make each table once
    if (bookIsWhole(connection)) {
        connection.rollback(); // nothing to make: a desk's role writes nothing
        return report;
    }
    try {
        for (const std::string& sql : commonStatements())
            connection.execute(sql);
        store::makeClosedYearsRecord(connection);
        for (const store::TableDef* table : store::allTables()) {
            if (tableExists(connection, *table)) {
                // An older book is given the history it lacks; its rows are not touched.
                if (!serverTableProblem(connection, *table, WithHistory::No) && serverHistoryProblem(connection, *table)) {
                    for (const std::string& sql : serverHistoryStatements(*table))
                        connection.execute(sql);
                    report.historied.emplace_back(table->name);
                }
                if (auto problem = serverTableProblem(connection, *table))
                    report.problems.push_back(std::string(table->name) + ": " + *problem);
                continue;
            }
            for (const std::string& sql : creationStatements(*table))
                connection.execute(sql);
            store::BookStatement& counter = connection.statement(
                "INSERT INTO \"ijazat\".\"changes\" (\"table\", \"count\") VALUES (?1, 0) ON CONFLICT DO NOTHING");
            store::StatementUse use(counter);
            counter.bind(1, table->name);
            counter.step();
            report.created.emplace_back(table->name);
        }
        connection.commit();
    } catch (...) {
        connection.rollback();
        throw;
    }
    return report;
}

} // namespace server
