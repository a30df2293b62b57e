#include "LargeBook.h"

#include "LocalHistory.h"
#include "Schema.h"
#include "TableSetup.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <map>

namespace bench_book {
namespace {

// Entries of each kind per worker: 4 administrative, 2 hourly, 2 sick, 2 unpaid.
constexpr int entriesPerWorker[] = {4, 2, 2, 2};

} // namespace

std::string nameOf(int i, int count)
{
    return "worker " + std::to_string((std::int64_t(i) * 7919) % count);
}

namespace {

void dropHistoryTriggers(sqlite3* db, const store::TableDef& table)
{
    for (const std::string& sql : store::localHistoryDropStatements(table, "main"))
        sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
}

// The book as an office's would be: its workers and entries there before its history began.
void build(const std::filesystem::path& path, int count)
{
    std::filesystem::remove_all(path);
    store::createMissingTables(path);
    for (std::size_t t = 0; t < store::allTables().size(); ++t) {
        const store::TableDef& table = *store::allTables()[t];
        sqlite3* db = nullptr;
        sqlite3_open(table.pathUnder(path).string().c_str(), &db);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        dropHistoryTriggers(db, table);
        {
            if (t == 0) {
                store::Statement insert(db, "INSERT INTO worker (WorkerName, YearPermit) VALUES (?1, 14)");
                for (int i = 0; i < count; ++i) {
                    insert.bind(1, nameOf(i, count));
                    insert.step();
                    insert.reset();
                }
            } else {
                store::Statement insert(db, "INSERT INTO " + store::sqlName(table.name)
                                                + " (\"Index\", \"Date\") VALUES (?1, '01/01/2026')");
                for (int k = 0; k < entriesPerWorker[t - 1]; ++k)
                    for (int worker = 1; worker <= count; ++worker) {
                        insert.bind(1, worker);
                        insert.step();
                        insert.reset();
                    }
            }
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    store::createMissingTables(path); // the history's triggers again
}

} // namespace

const std::filesystem::path& largeBook(int count)
{
    // Built once, then kept beside the benchmarks: the large one takes a while to write.
    static std::map<int, std::filesystem::path> books;
    auto& path = books[count];
    if (path.empty()) {
        path = std::filesystem::path(IJAZAT_BENCH_BOOKS) / std::to_string(count);
        if (!std::filesystem::exists(path / "complete")) {
            build(path, count);
            std::ofstream(path / "complete") << count << " workers\n";
        }
        store::createMissingTables(path); // a book kept from an older build gets the indexes it lacks
    }
    return path;
}

const std::filesystem::path& writableBook(int count, History history)
{
    static std::map<std::pair<int, History>, std::filesystem::path> copies;
    auto& path = copies[{count, history}];
    if (path.empty()) {
        path = std::filesystem::temp_directory_path()
               / ("ijazat-bench-" + std::to_string(count) + (history == History::Recorded ? "" : "-unrecorded"));
        std::filesystem::remove_all(path);
        std::filesystem::copy(largeBook(count), path, std::filesystem::copy_options::recursive);
        if (history == History::Unrecorded)
            for (const store::TableDef* table : store::allTables()) {
                sqlite3* db = nullptr;
                sqlite3_open(table->pathUnder(path).string().c_str(), &db);
                dropHistoryTriggers(db, *table);
                sqlite3_close(db);
            }
    }
    return path;
}

void readAll(store::Statement& statement, int columns)
{
    for (int c = 0; c < columns; ++c)
        benchmark::DoNotOptimize(statement.isNull(c) ? std::string() : statement.text(c));
}

BareBook::BareBook(int count, History history)
{
    const auto& root = writableBook(count, history);
    sqlite3_open_v2((root / "worker/worker.db").string().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, "PRAGMA main.synchronous = FULL", nullptr, nullptr, nullptr);
    for (const store::TableDef* table : store::allTables()) {
        if (table == &store::workerTable())
            continue;
        store::Statement attach(db, "ATTACH DATABASE ?1 AS " + store::sqlName(table->name));
        attach.bind(1, table->pathUnder(root).string());
        attach.step();
        sqlite3_exec(db, ("PRAGMA " + store::sqlName(table->name) + ".synchronous = FULL").c_str(), nullptr, nullptr,
                     nullptr);
    }
    for (const char* table : {"PermitAdmin", "PermitHours", "PermitHealth", "PermitNoHire"})
        entries.push_back(std::make_unique<store::Statement>(
            db, std::string("SELECT * FROM ") + table + "." + table + " WHERE \"Index\" = ?1 ORDER BY Auto LIMIT 1"));
}

BareBook::~BareBook()
{
    entries.clear();
    sqlite3_close_v2(db);
}

void BareBook::seekFirstEntries(std::int32_t worker)
{
    for (auto& entry : entries) {
        entry->bind(1, worker);
        if (entry->step())
            readAll(*entry, 5);
        entry->reset();
    }
}

} // namespace bench_book
