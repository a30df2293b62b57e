// Cursor operations against the bare prepared statements that do the same work, on a book
// of 10,000 workers and 100,000 entries.
#include "DataModule.h"
#include "Statement.h"
#include "TableSetup.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <vector>
#include <random>

namespace {

constexpr int workers = 10000;
// Entries of each kind per worker: 4 administrative, 2 hourly, 2 sick, 2 unpaid.
constexpr int entriesPerWorker[] = {4, 2, 2, 2};

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

// The bare side: one connection with the same files attached, as the book has.
struct BareBook {
    sqlite3* db = nullptr;
    BareBook()
    {
        const auto& root = largeBook();
        sqlite3_open_v2((root / "worker/worker.db").string().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
        for (const store::TableDef* table : store::allTables()) {
            if (table == &store::workerTable())
                continue;
            store::Statement attach(db, "ATTACH DATABASE ?1 AS " + store::sqlName(table->name));
            attach.bind(1, table->pathUnder(root).string());
            attach.step();
        }
        sqlite3_exec(db, "PRAGMA main.synchronous = FULL; PRAGMA PermitAdmin.synchronous = FULL", nullptr, nullptr,
                     nullptr);
        for (const char* table : {"PermitAdmin", "PermitHours", "PermitHealth", "PermitNoHire"})
            entries.push_back(std::make_unique<store::Statement>(
                db, std::string("SELECT * FROM ") + table + "." + table + " WHERE \"Index\" = ?1 ORDER BY Auto LIMIT 1"));
    }
    ~BareBook() { sqlite3_close_v2(db); }

    // What the four master links do when TableM stands on another worker.
    void seekFirstEntries(std::int32_t worker)
    {
        for (auto& entry : entries) {
            entry->bind(1, worker);
            if (entry->step())
                readAll(*entry, 5);
            entry->reset();
        }
    }

    std::vector<std::unique_ptr<store::Statement>> entries;
};

std::vector<std::string> typedPrefixes()
{
    std::mt19937 random(7);
    std::vector<std::string> prefixes;
    for (int i = 0; i < 1000; ++i)
        prefixes.push_back("worker " + std::to_string(random() % workers).substr(0, 1 + random() % 4));
    return prefixes;
}

void CursorFindNearest(benchmark::State& state)
{
    store::TDataModule1 dm(largeBook());
    const auto prefixes = typedPrefixes();
    std::size_t i = 0;
    for (auto _ : state) {
        dm.TableMWN.FindNearest(prefixes[i++ % prefixes.size()]);
        benchmark::DoNotOptimize(dm.TableMWNWorkerName.Text());
    }
}
BENCHMARK(CursorFindNearest);

void BareFindNearest(benchmark::State& state)
{
    BareBook bare;
    store::Statement seek(bare.db, "SELECT * FROM worker WHERE WorkerName >= ?1 ORDER BY WorkerName, Auto LIMIT 1");
    const auto prefixes = typedPrefixes();
    std::size_t i = 0;
    for (auto _ : state) {
        seek.bind(1, std::string_view(prefixes[i++ % prefixes.size()]));
        if (seek.step())
            readAll(seek, 12);
        seek.reset();
    }
}
BENCHMARK(BareFindNearest);

void CursorFindKey(benchmark::State& state)
{
    store::TDataModule1 dm(largeBook());
    std::mt19937 random(11);
    for (auto _ : state) {
        dm.TableM.FindKey(std::int32_t(1 + random() % workers));
        benchmark::DoNotOptimize(dm.TableMWorkerName.Text());
    }
}
BENCHMARK(CursorFindKey);

void BareFindKey(benchmark::State& state)
{
    BareBook bare;
    store::Statement seek(bare.db, "SELECT * FROM worker WHERE Auto = ?1");
    // Positioning TableM also puts the four entry cursors on the worker's first entries.
    std::mt19937 random(11);
    for (auto _ : state) {
        const std::int32_t key = std::int32_t(1 + random() % workers);
        seek.bind(1, key);
        if (seek.step())
            readAll(seek, 12);
        seek.reset();
        bare.seekFirstEntries(key);
    }
}
BENCHMARK(BareFindKey);

void CursorNextWithLinkedEntries(benchmark::State& state)
{
    store::TDataModule1 dm(largeBook());
    for (auto _ : state) {
        dm.TableM.Next();
        if (dm.TableM.Eof())
            dm.TableM.First();
        benchmark::DoNotOptimize(dm.TablePermitAdminDate.Text());
    }
}
BENCHMARK(CursorNextWithLinkedEntries);

void BareNextWithLinkedEntries(benchmark::State& state)
{
    BareBook bare;
    store::Statement next(bare.db, "SELECT * FROM worker WHERE Auto > ?1 ORDER BY Auto LIMIT 1");
    std::int64_t current = 0;
    for (auto _ : state) {
        next.bind(1, current);
        if (next.step()) {
            current = next.integer(0);
            readAll(next, 12);
        } else {
            current = 0;
        }
        next.reset();
        bare.seekFirstEntries(std::int32_t(current));
    }
}
BENCHMARK(BareNextWithLinkedEntries);

void CursorPostingInUnitOfWork(benchmark::State& state)
{
    store::TDataModule1 dm(largeBook());
    dm.TableM.FindKey(workers / 2);
    for (auto _ : state) {
        store::UnitOfWork work = dm.beginWork();
        dm.TableM.Edit();
        dm.TableMAdministrationPermit.SetAsInteger(dm.TableMAdministrationPermit.AsInteger() + 1);
        dm.TableM.Post();
        dm.TablePermitAdmin.Insert();
        dm.TablePermitAdminAdministrationPermit.SetAsInteger(1);
        dm.TablePermitAdminDate.SetText("09/12/2026");
        dm.TablePermitAdmin.Post();
        work.commit();
    }
}
BENCHMARK(CursorPostingInUnitOfWork)->Unit(benchmark::kMillisecond);

void BarePostingInTransaction(benchmark::State& state)
{
    BareBook bare;
    store::Statement begin(bare.db, "BEGIN IMMEDIATE");
    store::Statement commit(bare.db, "COMMIT");
    store::Statement update(bare.db, "UPDATE worker SET AdministrationPermit = ifnull(AdministrationPermit, 0) + 1 "
                                     "WHERE Auto = ?1");
    store::Statement insert(bare.db, "INSERT INTO PermitAdmin.PermitAdmin (\"Index\", AdministrationPermit, \"Date\") "
                                     "VALUES (?1, 1, '09/12/2026')");
    for (auto _ : state) {
        begin.step();
        begin.reset();
        update.bind(1, workers / 2);
        update.step();
        update.reset();
        insert.bind(1, workers / 2);
        insert.step();
        insert.reset();
        commit.step();
        commit.reset();
    }
}
BENCHMARK(BarePostingInTransaction)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
