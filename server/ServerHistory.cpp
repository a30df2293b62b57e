#include "ServerHistory.h"

#include "History.h"
#include "Isolated.h"
#include "ServerBookConnection.h"
#include "ServerSchema.h"
#include "Wording.h"

namespace server {
namespace {

using store::sqlName;

std::string history(const store::TableDef& table)
{
    return sqlName(serverSchemaOf(table)) + "." + sqlName(store::historyTableName(table));
}

std::string recorder(const store::TableDef& table)
{
    return sqlName(serverSchemaOf(table)) + "." + sqlName(store::historyTableName(table) + "Record");
}

// The rows one change writes: a field per VALUES row, kept where it was given a new value.
std::string rowsOf(const store::TableDef& table, const std::string& change, bool update)
{
    const std::string worker = &table == &store::workerTable() ? "\"Auto\"" : "\"Index\"";
    const std::string row = change == "delete" ? "OLD" : "NEW";
    std::string values;
    for (const std::string_view field : store::recordedFields(table, update)) {
        const std::string before = change == "insert" ? "NULL" : "OLD." + sqlName(field) + "::text";
        const std::string after = change == "delete" ? "NULL" : "NEW." + sqlName(field) + "::text";
        values += (values.empty() ? "" : ", ") + std::string("('") + std::string(field) + "', " + before + ", " + after + ")";
    }
    return "INSERT INTO " + history(table)
           + " (\"At\", \"Worker\", \"Record\", \"Change\", \"Field\", \"Before\", \"After\", \"Action\", \"Who\") "
             "SELECT extract(epoch FROM now())::bigint, " + row + "." + worker + ", " + row + ".\"Auto\", '" + change
           + "', f, b, a, nullif(current_setting('ijazat.action', true), ''), session_user || '@' || "
             "coalesce(nullif(current_setting('ijazat.desk', true), ''), host(inet_client_addr()), 'localhost') "
             "FROM (VALUES " + values + ") AS c(f, b, a) WHERE b IS DISTINCT FROM a;";
}

} // namespace

std::vector<std::string> serverHistoryStatements(const store::TableDef& table)
{
    const std::string body = "BEGIN IF current_setting('ijazat.quiet', true) = 'on' THEN RETURN NULL; END IF; "
                             "IF TG_OP = 'INSERT' THEN " + rowsOf(table, "insert", false)
                             + " ELSIF TG_OP = 'UPDATE' THEN " + rowsOf(table, "update", true)
                             + " ELSE " + rowsOf(table, "delete", false) + " END IF; RETURN NULL; END";
    return {
        "CREATE TABLE IF NOT EXISTS " + history(table)
            + " (\"Id\" bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY, \"At\" bigint, \"Worker\" integer, "
              "\"Record\" integer, \"Change\" text, \"Field\" text, \"Before\" text, \"After\" text, \"Action\" text, "
              "\"Who\" text)",
        "CREATE INDEX IF NOT EXISTS " + sqlName(store::historyTableName(table) + "Worker") + " ON " + history(table)
            + " (\"Worker\", \"Id\")",
        // As the book's owner: a desk's role records its changes without the right to write the history.
        "CREATE OR REPLACE FUNCTION " + recorder(table) + "() RETURNS trigger LANGUAGE plpgsql SECURITY DEFINER "
            "SET search_path = '' AS $body$" + body + "$body$",
        "DROP TRIGGER IF EXISTS \"record_history\" ON " + sqlName(serverSchemaOf(table)) + "." + sqlName(table.name),
        "CREATE TRIGGER \"record_history\" AFTER INSERT OR UPDATE OR DELETE ON " + sqlName(serverSchemaOf(table)) + "."
            + sqlName(table.name) + " FOR EACH ROW EXECUTE FUNCTION " + recorder(table) + "()",
    };
}

std::optional<std::string> serverHistoryProblem(ServerBookConnection& connection, const store::TableDef& table)
{
    const auto missing = [](const std::string& what) {
        return store::worded("ServerHistory", "ينقص سجل التغييرات %1 (يضيفه %2)")
            .arg(store::isolatedLeftToRight(what))
            .arg(store::isolatedLeftToRight("ijazat-setup --server"))
            .text();
    };
    if (!serverTableExists(connection, serverSchemaOf(table), store::historyTableName(table)))
        return missing(store::historyTableName(table));
    store::BookStatement& trigger = connection.statement(
        "SELECT 1 FROM pg_trigger t JOIN pg_class c ON c.oid = t.tgrelid JOIN pg_namespace n ON n.oid = c.relnamespace "
        "WHERE n.nspname = ?1 AND c.relname = ?2 AND t.tgname = 'record_history' AND t.tgenabled <> 'D'");
    store::StatementUse use(trigger);
    trigger.bind(1, std::string_view(serverSchemaOf(table)));
    trigger.bind(2, table.name);
    if (!trigger.step())
        return missing(std::string(table.name) + ".record_history");
    return std::nullopt;
}

} // namespace server
