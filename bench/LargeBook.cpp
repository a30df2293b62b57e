#include "LargeBook.h"

#include "Schema.h"
#include "TableSetup.h"

#include <benchmark/benchmark.h>

namespace bench_book {
namespace {

// Entries of each kind per worker: 4 administrative, 2 hourly, 2 sick, 2 unpaid.
constexpr int entriesPerWorker[] = {4, 2, 2, 2};

} // namespace

std::string nameOf(int i)
{
    return "worker " + std::to_string((i * 7919) % workers);
}

const std::filesystem::path& largeBook()
{
    static const std::filesystem::path root = [] {
        const auto path = std::filesystem::temp_directory_path() / "ijazat-bench-book";
        std::filesystem::remove_all(path);
        store::createMissingTables(path);
        for (std::size_t t = 0; t < store::allTables().size(); ++t) {
            const store::TableDef& table = *store::allTables()[t];
            sqlite3* db = nullptr;
            sqlite3_open(table.pathUnder(path).string().c_str(), &db);
            sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
            {
                if (t == 0) {
                    store::Statement insert(db, "INSERT INTO worker (WorkerName, YearPermit) VALUES (?1, 14)");
                    for (int i = 0; i < workers; ++i) {
                        insert.bind(1, nameOf(i));
                        insert.step();
                        insert.reset();
                    }
                } else {
                    store::Statement insert(db, "INSERT INTO " + store::sqlName(table.name)
                                                    + " (\"Index\", \"Date\") VALUES (?1, '01/01/2026')");
                    for (int k = 0; k < entriesPerWorker[t - 1]; ++k)
                        for (int worker = 1; worker <= workers; ++worker) {
                            insert.bind(1, worker);
                            insert.step();
                            insert.reset();
                        }
                }
            }
            sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
            sqlite3_close(db);
        }
        return path;
    }();
    return root;
}

void readAll(store::Statement& statement, int columns)
{
    for (int c = 0; c < columns; ++c)
        benchmark::DoNotOptimize(statement.isNull(c) ? std::string() : statement.text(c));
}

BareBook::BareBook()
{
    const auto& root = largeBook();
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
