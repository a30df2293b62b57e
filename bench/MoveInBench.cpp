// The move-in of an old book of 10,000 workers and 100,000 entries (Paradox tables written
// with pxlib), beside bare inserts of the same rows into the same five files in one
// transaction.
#include "BookCopy.h"
#include "LocalBookConnection.h"
#include "MoveIn.h"
#include "OldTable.h"
#include "OldTables.h"
#include "Schema.h"
#include "Statement.h"
#include "TableSetup.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <unistd.h>

namespace {

constexpr int workers = 10000, entriesPerWorker = 10;

const std::filesystem::path& oldBook()
{
    static const std::filesystem::path root = [] {
        const std::filesystem::path made = std::filesystem::temp_directory_path() / ("ijazat-old-book-" + std::to_string(getpid()));
        std::filesystem::remove_all(made);
        std::vector<std::vector<std::string>> people, admin;
        for (int n = 1; n <= workers; ++n) {
            people.push_back({std::to_string(n), "\xC7\xCD\xE3\xCF " + std::to_string(n), "12", "2014", "21",
                              std::to_string(entriesPerWorker), "", "", "", "0", "", ""});
            for (int e = 0; e < entriesPerWorker; ++e)
                admin.push_back({std::to_string((n - 1) * entriesPerWorker + e + 1), std::to_string(n), "1", "0",
                                 "1/2/2026", "2"});
        }
        using testing_support::oldLayout;
        testing_support::writeOldTable(store::workerTable().pathUnder(made), oldLayout(store::workerTable()), people);
        testing_support::writeOldTable(store::permitAdminTable().pathUnder(made), oldLayout(store::permitAdminTable()), admin);
        for (const store::TableDef* table : {&store::permitHoursTable(), &store::permitHealthTable(), &store::permitNoHireTable()})
            testing_support::writeOldTable(table->pathUnder(made), oldLayout(*table), {});
        return made;
    }();
    return root;
}

// An empty book of its own for each run.
std::filesystem::path emptyBook()
{
    const std::filesystem::path root = std::filesystem::temp_directory_path() / ("ijazat-moved-" + std::to_string(getpid()));
    std::filesystem::remove_all(root);
    store::createMissingTables(root);
    return root;
}

void MoveIn(benchmark::State& state)
{
    oldBook();
    for (auto _ : state) {
        state.PauseTiming();
        const std::filesystem::path root = emptyBook();
        state.ResumeTiming();
        store::LocalBookConnection book(root, {});
        benchmark::DoNotOptimize(operations::moveIn(oldBook(), book, false));
    }
}
BENCHMARK(MoveIn)->Unit(benchmark::kMillisecond);

// The floor: the same rows, read by the same reader, inserted with bare prepared statements
// in one transaction over the five files.
void BareInserts(benchmark::State& state)
{
    std::vector<std::pair<const store::TableDef*, operations::OldTable>> tables;
    for (const store::TableDef* table : store::allTables())
        tables.emplace_back(table, operations::readOldTable(table->pathUnder(oldBook()), *table));
    for (auto _ : state) {
        state.PauseTiming();
        const std::filesystem::path root = emptyBook();
        state.ResumeTiming();
        sqlite3* db = nullptr;
        sqlite3_open_v2(store::workerTable().pathUnder(root).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
        for (const store::TableDef* table : store::allTables())
            if (table != &store::workerTable()) {
                store::Statement attach(db, "ATTACH DATABASE ?1 AS " + store::sqlName(table->name));
                attach.bind(1, table->pathUnder(root).string());
                attach.step();
            }
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        for (const auto& [table, old] : tables) {
            std::string places;
            for (std::size_t i = 0; i < table->fields.size(); ++i)
                places += (i ? ", ?" : "?") + std::to_string(i + 1);
            const std::string schema = table == &store::workerTable() ? "main" : std::string(table->name);
            store::Statement insert(db, "INSERT INTO " + store::sqlName(schema) + "." + store::sqlName(table->name)
                                            + " VALUES (" + places + ")");
            for (const store::Row& row : old.rows) {
                for (std::size_t i = 0; i < row.size(); ++i) {
                    if (const auto* number = std::get_if<std::int32_t>(&row[i]))
                        insert.bind(int(i) + 1, std::int64_t(*number));
                    else if (const auto* text = std::get_if<std::string>(&row[i]))
                        insert.bind(int(i) + 1, std::string_view(*text));
                    else
                        insert.bindNull(int(i) + 1);
                }
                insert.step();
                insert.reset();
            }
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close_v2(db);
    }
}
BENCHMARK(BareInserts)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
