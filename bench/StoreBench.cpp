// Cursor operations against the bare prepared statements that do the same work, on a book
// of 10,000 workers and 100,000 entries.
#include "DataModule.h"
#include "LargeBook.h"
#include "Statement.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <vector>
#include <random>

namespace {

using namespace bench_book;

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
    store::TDataModule1 dm(writableBook());
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
    store::TDataModule1 dm(writableBook());
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
    store::TDataModule1 dm(writableBook());
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
    store::TDataModule1 dm(writableBook());
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
