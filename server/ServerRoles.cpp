#include "ServerRoles.h"

#include "History.h"
#include "ServerBookConnection.h"

namespace server {
namespace {

std::string quoted(const std::string& schema, const std::string& table)
{
    return store::sqlName(schema) + "." + store::sqlName(table);
}

// The GRANT statements, each run by the server with the role's name it was given as a value.
std::string grants(DeskRole kind)
{
    std::string schemas = "\"ijazat\"", rows, readOnly, sequences;
    for (const store::TableDef* table : store::allTables()) {
        const std::string schema = serverSchemaOf(*table);
        schemas += ", " + store::sqlName(schema);
        rows += (rows.empty() ? "" : ", ") + quoted(schema, std::string(table->name));
        readOnly += (readOnly.empty() ? "" : ", ") + quoted(schema, store::historyTableName(*table));
        sequences += (sequences.empty() ? "" : ", ") + store::sqlName(schema);
    }
    readOnly += ", \"ijazat\".\"changes\", \"ijazat\".\"closed_years\", \"ijazat\".\"year_archives\", \"ijazat\".\"book\"";
    const std::string onRows = kind == DeskRole::Clerk ? "SELECT, INSERT, UPDATE, DELETE" : "SELECT";
    const auto grant = [](const std::string& what) {
        return "EXECUTE format('GRANT " + what + " TO %I', current_setting('ijazat.grantee')); ";
    };
    return "DO $grants$ BEGIN " + grant("USAGE ON SCHEMA " + schemas) + grant(onRows + " ON " + rows)
           + grant("SELECT ON " + readOnly) + grant("USAGE, SELECT ON ALL SEQUENCES IN SCHEMA " + sequences)
           + "END $grants$";
}

} // namespace

void grantDeskRole(ServerBookConnection& connection, DeskRole kind, const std::string& role)
{
    connection.beginWrite();
    try {
        store::BookStatement& grantee = connection.statement("SELECT set_config('ijazat.grantee', ?1, true)");
        {
            store::StatementUse use(grantee);
            grantee.bind(1, std::string_view(role));
            grantee.step();
        }
        connection.execute(grants(kind));
        connection.commit();
    } catch (...) {
        connection.rollback();
        throw;
    }
}

} // namespace server
