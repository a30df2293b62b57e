#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace store {

enum class FieldType { AutoIncrement, Integer, Text };

struct FieldDef {
    std::string_view name;
    FieldType type;
    int size; // characters, for text fields; 0 otherwise
};

// One of the five tables of the leave book: one SQLite file under the data root,
// holding a single table of the same name and its secondary index.
struct TableDef {
    std::string_view name;      // the SQL table's name, and the schema it is attached as
    std::string_view directory; // below the data root
    std::string_view file;      // inside the directory, spelled exactly
    std::vector<FieldDef> fields;
    std::string_view indexName;  // empty: the index is chosen by its key field, whatever its name
    std::string_view indexField; // the one key field of the secondary index

    std::filesystem::path pathUnder(const std::filesystem::path& dataRoot) const;
    std::filesystem::path relativePath() const;
    // REQUIRES: the table has such a field.
    int fieldPosition(std::string_view fieldName) const;
    // The statements that create the empty table and its index in a fresh file.
    std::vector<std::string> creationStatements() const;
};

const TableDef& workerTable();
const TableDef& permitAdminTable();
const TableDef& permitHoursTable();
const TableDef& permitHealthTable();
const TableDef& permitNoHireTable();

// worker first, then the four entry tables in the order the cursors open them.
const std::array<const TableDef*, 5>& allTables();

// The name quoted as an SQL identifier; only our own fixed names ever pass through it.
std::string sqlName(std::string_view identifier);

} // namespace store
