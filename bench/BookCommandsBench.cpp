// The toolbox's backup, check and close-year run as the clerk runs them, process and all, on
// the office-like book, each beside the bare SQLite work that is its floor, run right after it
// in the same iteration: the five files copied through the online backup; an integrity check
// of each and one query summing the entries per worker; the five files copied and one SQL
// script closing the year.
#include "LargeBook.h"
#include "ProgramRun.h"
#include "Schema.h"
#include "Statement.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace {

using namespace bench_book;

const std::filesystem::path toolbox = IJAZAT_BOOK_TOOLBOX;

std::filesystem::path folderOf(const QTemporaryDir& dir)
{
    return dir.path().toStdString();
}

sqlite3* opened(const std::filesystem::path& file, int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.string().c_str(), &db, flags, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open " + file.string());
    return db;
}

void run(sqlite3* db, const std::string& sql)
{
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
}

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The toolbox's time beside its bare floor's, each iteration running both back to back on the
// same book, so a busy spell of the shared machine falls on both: the ratio is each pair's.
class SideBySide {
public:
    explicit SideBySide(benchmark::State& state) : state_(state) {}
    ~SideBySide()
    {
        state_.counters["bare_ms"] = benchmark::Counter(bareSeconds_ * 1000, benchmark::Counter::kAvgIterations);
        state_.counters["ratio"] = benchmark::Counter(ratios_, benchmark::Counter::kAvgIterations);
    }
    SideBySide(const SideBySide&) = delete;
    SideBySide& operator=(const SideBySide&) = delete;

    void told(double toolboxSeconds, double bareSeconds)
    {
        state_.SetIterationTime(toolboxSeconds);
        bareSeconds_ += bareSeconds;
        ratios_ += toolboxSeconds / bareSeconds;
    }

private:
    benchmark::State& state_;
    double bareSeconds_ = 0;
    double ratios_ = 0;
};

// The five files copied through the online backup.
double bareBackup(const std::filesystem::path& book, const std::filesystem::path& target)
{
    const auto start = Clock::now();
    for (const store::TableDef* table : store::allTables()) {
        std::filesystem::create_directories(table->pathUnder(target).parent_path());
        sqlite3* from = opened(table->pathUnder(book), SQLITE_OPEN_READONLY);
        sqlite3* into = opened(table->pathUnder(target));
        sqlite3_backup* backup = sqlite3_backup_init(into, "main", from, "main");
        sqlite3_backup_step(backup, -1);
        if (sqlite3_backup_finish(backup) != SQLITE_OK)
            throw std::runtime_error("bare backup failed");
        sqlite3_close(into);
        sqlite3_close(from);
    }
    return secondsSince(start);
}

void ToolboxBackup(benchmark::State& state)
{
    const std::filesystem::path book = largeBook(int(state.range(0)));
    QTemporaryDir backups;
    SideBySide timed(state);
    int n = 0;
    for (auto _ : state) {
        const std::filesystem::path ours = folderOf(backups) / std::to_string(n++);
        const std::filesystem::path bare = folderOf(backups) / std::to_string(n++);
        timed.told(secondsToRun(toolbox, {"--data-root", book.string(), "backup", "--to", ours.string()}), bareBackup(book, bare));
        std::filesystem::remove_all(ours);
        std::filesystem::remove_all(bare);
    }
}

// An integrity check of each file and one query summing the entries per worker.
double bareCheck(BareBook& bare)
{
    const auto start = Clock::now();
    for (const store::TableDef* table : store::allTables()) {
        store::Statement check(bare.db, "PRAGMA " + store::sqlName(table->name == "worker" ? "main" : table->name)
                                            + ".integrity_check");
        if (!check.step() || check.text(0) != "ok")
            throw std::runtime_error("the bench book is damaged");
    }
    store::Statement sums(bare.db,
                          "SELECT w.Auto, w.AdministrationPermit, w.HealthPermit, w.NoHire, w.Hours, w.Minute, "
                          "(SELECT sum(AdministrationPermit) FROM PermitAdmin.PermitAdmin e WHERE e.\"Index\" = w.Auto), "
                          "(SELECT sum(Hours * 60 + Minute) FROM PermitHours.PermitHours e WHERE e.\"Index\" = w.Auto), "
                          "(SELECT sum(HealthPermit) FROM PermitHealth.PermitHealth e WHERE e.\"Index\" = w.Auto), "
                          "(SELECT sum(NoHire) FROM PermitNoHire.PermitNoHire e WHERE e.\"Index\" = w.Auto) "
                          "FROM worker w ORDER BY w.Auto");
    while (sums.step())
        readAll(sums, 10);
    return secondsSince(start);
}

void ToolboxCheck(benchmark::State& state)
{
    const std::filesystem::path book = writableBook(int(state.range(0)));
    BareBook bare(int(state.range(0)));
    SideBySide timed(state);
    for (auto _ : state)
        timed.told(secondsToRun(toolbox, {"--data-root", book.string(), "check"}), bareCheck(bare));
}

// A fresh copy of `book` as Data in a folder of its own: the close archives beside it.
std::filesystem::path freshCopy(const QTemporaryDir& place, const std::filesystem::path& book)
{
    const std::filesystem::path data = folderOf(place) / "Data";
    std::filesystem::remove_all(folderOf(place) / "Archive");
    std::filesystem::remove_all(data);
    std::filesystem::copy(book, data, std::filesystem::copy_options::recursive);
    return data;
}

// The five files copied and one SQL script closing the year, on the book without its
// history's triggers, as the close quiets them; the script empties the history itself.
double bareClose(const QTemporaryDir& place, int workers)
{
    const std::filesystem::path book = freshCopy(place, writableBook(workers, History::Unrecorded));
    const auto start = Clock::now();
    for (const store::TableDef* table : store::allTables()) {
        std::filesystem::create_directories(table->pathUnder(folderOf(place) / "Archive/2025").parent_path());
        std::filesystem::copy_file(table->pathUnder(book), table->pathUnder(folderOf(place) / "Archive/2025"));
    }
    BareBook closing(book);
    run(closing.db, "BEGIN IMMEDIATE");
    run(closing.db, "INSERT INTO PermitHours.PermitHours (\"Index\", Hours, Minute, HorsPermit, \"Date\", \"Month\") "
                    "SELECT Auto, Hours, Minute, HorsPermit, 'من 2025', NULL FROM worker");
    for (const char* entries : {"PermitAdmin", "PermitHealth", "PermitNoHire"})
        run(closing.db, std::string("DELETE FROM ") + entries + "." + entries);
    run(closing.db, "DELETE FROM PermitHours.PermitHours WHERE \"Date\" <> 'من 2025'");
    run(closing.db, "UPDATE worker SET ServesYears = ServesYears + 1, AdministrationPermit = NULL, "
                    "HealthPermit = NULL, NoHire = NULL, ExcessMonth = NULL, "
                    "YearPermit = CASE WHEN ServesYears + 1 < 10 THEN 14 ELSE 21 END");
    for (const store::TableDef* table : store::allTables())
        run(closing.db, "DELETE FROM " + store::sqlName(table->name == "worker" ? "main" : table->name) + "."
                            + store::sqlName(std::string(table->name) + "History"));
    run(closing.db, "INSERT INTO workerHistory (\"At\", \"Worker\", \"Record\", \"Change\", \"Action\") "
                    "SELECT 0, Auto, Auto, 'mark', '2025' FROM worker");
    run(closing.db, "COMMIT");
    return secondsSince(start);
}

void ToolboxCloseYear(benchmark::State& state)
{
    QTemporaryDir place;
    SideBySide timed(state);
    for (auto _ : state) {
        const std::filesystem::path book = freshCopy(place, largeBook(int(state.range(0))));
        const double toolboxSeconds = secondsToRun(toolbox, {"--data-root", book.string(), "close-year", "2025"});
        timed.told(toolboxSeconds, bareClose(place, int(state.range(0))));
    }
}

} // namespace

BENCHMARK(ToolboxBackup)->Arg(workers)->Arg(manyWorkers)->ArgName("workers")->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(ToolboxCheck)->Arg(workers)->Arg(manyWorkers)->ArgName("workers")->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(ToolboxCloseYear)->Arg(workers)->Arg(manyWorkers)->ArgName("workers")->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
