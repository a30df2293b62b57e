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

// What a clerk types into a leave window's name box, a keystroke at a time: Latin names in
// any case, and Arabic ones spelt without their hamza, as people type them.
std::vector<std::string> typedPrefixes(int count)
{
    std::mt19937 random(7);
    std::vector<std::string> prefixes;
    for (int i = 0; i < 1000; ++i) {
        const std::string typed = (i % 2 ? "WORKER " : "worker ") + std::to_string(random() % unsigned(count));
        prefixes.push_back(typed.substr(0, 8 + random() % 4));
    }
    for (const char* arabic : {"ا", "اب", "ابر", "ابراهيم", "فاطمه", "مصطفي"})
        prefixes.push_back(arabic);
    return prefixes;
}

// The seek through the index of folded names, beside a bare seek of the same text in the
// plain name index: what the folding costs. The full-scan steps must stay 0.
void CursorFindNearest(benchmark::State& state)
{
    const int count = int(state.range(0));
    store::TDataModule1 dm(writableBook(count));
    const auto prefixes = typedPrefixes(count);
    std::size_t i = 0;
    dm.connection().clearCounters();
    for (auto _ : state) {
        dm.TableMWN.FindNearest(prefixes[i++ % prefixes.size()]);
        benchmark::DoNotOptimize(dm.TableMWNWorkerName.Text());
    }
    state.counters["fullScanSteps"] = dm.connection().fullScanSteps();
}
BENCHMARK(CursorFindNearest)->Arg(workers)->Arg(100000);

void BareFindNearest(benchmark::State& state)
{
    const int count = int(state.range(0));
    BareBook bare(count);
    store::Statement seek(bare.db, "SELECT * FROM worker WHERE WorkerName >= ?1 ORDER BY WorkerName, Auto LIMIT 1");
    const auto prefixes = typedPrefixes(count);
    std::size_t i = 0;
    for (auto _ : state) {
        seek.bind(1, std::string_view(prefixes[i++ % prefixes.size()]));
        if (seek.step())
            readAll(seek, 12);
        seek.reset();
    }
}
BENCHMARK(BareFindNearest)->Arg(workers)->Arg(100000);

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
        store::UnitOfWork work = dm.beginWork(store::bookAction::administrative);
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
