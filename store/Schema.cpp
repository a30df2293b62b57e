#include "Schema.h"

#include "FieldSizes.h"

#include "NameFolding.h"

#include <stdexcept>

namespace store {
namespace {

constexpr FieldDef autoField{"Auto", FieldType::AutoIncrement, 0};
constexpr FieldDef indexField{"Index", FieldType::Integer, 0};
constexpr FieldDef dateField{"Date", FieldType::Text, rules::entryDateSize};
constexpr FieldDef monthField{"Month", FieldType::Text, rules::entryMonthSize};

// Every entry table begins with its own Auto and the Auto of its worker in Index.
TableDef entryTable(std::string_view name, std::string_view file, std::vector<FieldDef> own)
{
    std::vector<FieldDef> fields{autoField, indexField};
    fields.insert(fields.end(), own.begin(), own.end());
    return TableDef{name, name, file, std::move(fields), "indexx", "Index"};
}

} // namespace

std::filesystem::path TableDef::relativePath() const
{
    return std::filesystem::path(std::string(directory)) / std::string(file);
}

std::filesystem::path TableDef::pathUnder(const std::filesystem::path& dataRoot) const
{
    return dataRoot / relativePath();
}

int TableDef::fieldPosition(std::string_view fieldName) const
{
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name == fieldName)
            return int(i);
    throw std::logic_error("table " + std::string(name) + " has no field " + std::string(fieldName));
}

std::vector<std::string> TableDef::creationStatements() const
{
    std::string table = "CREATE TABLE " + sqlName(name) + " (";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            table += ", ";
        table += sqlName(fields[i].name);
        switch (fields[i].type) {
        case FieldType::AutoIncrement: table += " INTEGER PRIMARY KEY AUTOINCREMENT"; break;
        case FieldType::Integer: table += " INTEGER"; break;
        case FieldType::Text: table += " TEXT"; break;
        }
    }
    table += ")";
    std::vector<std::string> statements{
        table, "CREATE INDEX " + sqlName(indexName.empty() ? indexField : indexName) + " ON " + sqlName(name) + " ("
                   + sqlName(indexField) + ")"};
    if (this == &workerTable())
        statements.push_back(foldedNameIndexStatement());
    return statements;
}

const TableDef& workerTable()
{
    static const TableDef table{
        "worker", "worker", "worker.db",
        {
            autoField,
            {"WorkerName", FieldType::Text, rules::workerNameSize},
            {"ServesYears", FieldType::Integer, 0},
            {"ServesStart", FieldType::Integer, 0},
            {"YearPermit", FieldType::Integer, 0},
            {"AdministrationPermit", FieldType::Integer, 0},
            {"HorsPermit", FieldType::Text, rules::hoursTextSize},
            {"HealthPermit", FieldType::Integer, 0},
            {"NoHire", FieldType::Integer, 0},
            {"ExcessMonth", FieldType::Integer, 0},
            {"Hours", FieldType::Integer, 0},
            {"Minute", FieldType::Integer, 0},
        },
        "", "WorkerName"};
    return table;
}

const TableDef& permitAdminTable()
{
    static const TableDef table = entryTable("PermitAdmin", "PermitAdmin.DB", {{"AdministrationPermit", FieldType::Integer, 0},
                                                {"ExcessMonth", FieldType::Integer, 0},
                                                dateField, monthField});
    return table;
}

const TableDef& permitHoursTable()
{
    static const TableDef table = entryTable("PermitHours", "PermitHours.DB", {{"HorsPermit", FieldType::Text, rules::hoursTextSize},
                                                {"ExcessMonth", FieldType::Integer, 0},
                                                {"Hours", FieldType::Integer, 0},
                                                {"Minute", FieldType::Integer, 0},
                                                dateField, monthField});
    return table;
}

const TableDef& permitHealthTable()
{
    static const TableDef table = entryTable("PermitHealth", "PermitHealth.DB", {{"HealthPermit", FieldType::Integer, 0}, dateField, monthField});
    return table;
}

const TableDef& permitNoHireTable()
{
    static const TableDef table = entryTable("PermitNoHire", "PermitNoHire.DB", {{"NoHire", FieldType::Integer, 0}, dateField, monthField});
    return table;
}

const std::array<const TableDef*, 5>& allTables()
{
    static const std::array<const TableDef*, 5> tables{
        &workerTable(), &permitAdminTable(), &permitHoursTable(), &permitHealthTable(), &permitNoHireTable()};
    return tables;
}

std::string sqlName(std::string_view identifier)
{
    std::string out = "\"";
    for (char c : identifier) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

} // namespace store
