#include "TableSetup.h"

#include "EngineFailure.h"
#include "Isolated.h"
#include "LocalHistory.h"
#include "NameFolding.h"
#include "Schema.h"
#include "Statement.h"
#include "StoreError.h"
#include "Wording.h"
#include "TableShape.h"

#include <sqlite3.h>

#include <memory>

namespace store {
namespace {

struct Closer {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Database = std::unique_ptr<sqlite3, Closer>;

Database open(const std::filesystem::path& path, int flags)
{
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.string().c_str(), &db, flags, nullptr);
    Database owned(db);
    if (rc != SQLITE_OK)
        throw StoreError(engineOpenFailure(db, rc, path.string()));
    return owned;
}

void run(sqlite3* db, const std::string& sql)
{
    Statement statement(db, sql);
    while (statement.step()) {
    }
}

// An existing table is left as it is, but for what a book made before them lacks: the index
// of folded names, and the history with its triggers. Neither touches a row, and each is
// added all or nothing.
std::optional<std::string> checkOrUpgrade(const std::filesystem::path& path, const TableDef& table, bool& indexed,
                                          bool& historied)
{
    try {
        Database db = open(path, SQLITE_OPEN_READWRITE);
        if (auto problem = tableShapeProblem(db.get(), "main", table, ShapeCheck::BesidesUpgrades))
            return problem;
        sqlite3_busy_timeout(db.get(), 5000);
        if (foldedNamesIndex(db.get(), "main", table) == FoldedNames::Missing) {
            run(db.get(), "BEGIN IMMEDIATE");
            run(db.get(), foldedNameIndexStatement());
            run(db.get(), "COMMIT");
            indexed = true;
        }
        if (localHistoryProblem(db.get(), "main", table)) {
            run(db.get(), "BEGIN IMMEDIATE");
            if (!holdsLocalHistoryTable(db.get(), "main", table))
                for (const std::string& sql : localHistoryTableStatements(table, "main"))
                    run(db.get(), sql);
            for (const std::string& sql : localHistoryDropStatements(table, "main"))
                run(db.get(), sql);
            for (const std::string& sql : localHistoryTriggerStatements(table, "main"))
                run(db.get(), sql);
            run(db.get(), "COMMIT");
            historied = true;
        }
        return tableShapeProblem(db.get(), "main", table);
    } catch (const StoreError& error) {
        return std::string(error.what());
    }
}

// Builds the table in a file of its own beside the target and moves it into place only
// when complete, so an interrupted setup never leaves a half-made table under its name.
void create(const std::filesystem::path& path, const TableDef& table)
{
    std::filesystem::create_directories(path.parent_path());
    std::filesystem::path building = path;
    building += ".building";
    std::filesystem::remove(building);
    {
        Database db = open(building, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        run(db.get(), "BEGIN IMMEDIATE");
        for (const std::string& sql : table.creationStatements())
            run(db.get(), sql);
        for (const std::string& sql : localHistoryTableStatements(table, "main"))
            run(db.get(), sql);
        for (const std::string& sql : localHistoryTriggerStatements(table, "main"))
            run(db.get(), sql);
        run(db.get(), "COMMIT");
    }
    std::filesystem::rename(building, path);
}

} // namespace

SetupReport createMissingTables(const std::filesystem::path& dataRoot)
{
    SetupReport report;
    for (const TableDef* table : allTables()) {
        const std::filesystem::path path = table->pathUnder(dataRoot);
        const std::string name = table->relativePath().generic_string();
        std::error_code error;
        if (std::filesystem::exists(path, error) || error) {
            bool indexed = false, historied = false;
            if (auto problem = checkOrUpgrade(path, *table, indexed, historied))
                report.problems.push_back(worded("TableSetup", "%1: ليس جدولاً من جداول الدفتر كما يحتاجها: %2")
                                              .arg(isolatedLeftToRight(path.string()))
                                              .arg(*problem));
            if (indexed)
                report.indexed.push_back(name);
            if (historied)
                report.historied.push_back(name);
            continue;
        }
        try {
            create(path, *table);
            report.created.push_back(name);
        } catch (const std::exception& failure) {
            report.problems.push_back(
                worded("TableSetup", "%1: تعذّر إنشاؤه: %2").arg(isolatedLeftToRight(path.string())).arg(failure.what()));
        }
    }
    return report;
}

} // namespace store
