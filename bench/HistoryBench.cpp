// What a year of an office's work adds to the book's files as history: 200 workers, 3,000
// postings of the four kinds and 500 corrections, made through the program's own postings
// and cursors on a fresh book; beside it, the size of the same book's leave tables.
#include "ActionOnBook.h"
#include "AdministrativePosting.h"
#include "DataModule.h"
#include "DaysPosting.h"
#include "HourlyPosting.h"
#include "Schema.h"
#include "Statement.h"
#include "TableSetup.h"

#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <unistd.h>

namespace {

// Bytes of the pages the file gives to its history, and to everything else.
std::pair<double, double> pagesOf(const std::filesystem::path& file)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.string().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    std::pair<double, double> bytes;
    {
        store::Statement pages(db, "SELECT name LIKE '%History%', sum(pgsize) FROM dbstat GROUP BY 1");
        while (pages.step())
            (pages.integer(0) ? bytes.first : bytes.second) += double(pages.integer(1));
    }
    sqlite3_close_v2(db);
    return bytes;
}

void OfficeYearOfHistory(benchmark::State& state)
{
    const std::filesystem::path root = std::filesystem::temp_directory_path() / ("ijazat-office-year-" + std::to_string(getpid()));
    for (auto _ : state) {
        std::filesystem::remove_all(root);
        store::createMissingTables(root);
        store::TDataModule1 book(root);
        std::vector<std::int32_t> staff;
        {
            const store::ActionOnBook registering(book.connection(), store::bookAction::newWorker);
            for (int i = 0; i < 200; ++i) {
                book.TableM.Insert();
                book.TableMWorkerName.SetText("أحمد عبد الله الحلبي " + std::to_string(i));
                book.TableMServesStart.SetAsInteger(2000 + i % 25);
                book.TableMServesYears.SetAsInteger(26 - i % 25);
                book.TableMYearPermit.SetAsInteger(i % 25 < 16 ? 21 : 14);
                book.TableM.Post();
                staff.push_back(book.TableMAuto.AsInteger());
            }
        }
        for (int posting = 0; posting < 3000; ++posting) {
            book.TableM.FindKey(staff[std::size_t(posting * 7 % 200)]);
            const leave::LeaveDate date{std::to_string(1 + posting % 28), std::to_string(1 + posting % 12), "2026"};
            switch (posting % 4) {
            case 0: leave::postAdministrativeLeave(book, "1", date); break;
            case 1: leave::postHourlyLeave(book, "2", "30", date); break;
            case 2: leave::postDaysLeave(book, leave::DaysLeave::Sick, "2", date); break;
            default: leave::postDaysLeave(book, leave::DaysLeave::Unpaid, "1", date); break;
            }
        }
        const store::ActionOnBook correcting(book.connection(), store::bookAction::correction);
        for (int correction = 0; correction < 500; ++correction) {
            book.TableM.FindKey(staff[std::size_t(correction * 13 % 200)]);
            book.TableM.Edit();
            book.TableMYearPermit.SetAsInteger(14 + correction % 8);
            book.TableM.Post();
        }
    }
    double history = 0, tables = 0;
    for (const store::TableDef* table : store::allTables()) {
        const auto [inHistory, rest] = pagesOf(table->pathUnder(root));
        history += inHistory;
        tables += rest;
    }
    state.counters["history_MB"] = history / 1e6;
    state.counters["tables_MB"] = tables / 1e6;
    state.counters["history_per_tables"] = history / tables;
    std::filesystem::remove_all(root);
}
BENCHMARK(OfficeYearOfHistory)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
