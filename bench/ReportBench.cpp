// Generating the two reports on a book of 10,000 workers: the summary walks every worker,
// the detailed report one worker's entries.
#include "DataModule.h"
#include "LargeBook.h"
#include "ReportGenerator.h"
#include "Unitp2.h"
#include "Unitprint.h"


#include <benchmark/benchmark.h>


namespace {

using namespace bench_book;

void SummaryReportOfAllWorkers(benchmark::State& state)
{
    store::TDataModule1 book(largeBook());
    store::DataModule1 = &book;
    TFormPrint layout;
    std::size_t pages = 0;
    for (auto _ : state)
        pages = printing::generateReport(layout.QuickRep1).pages.size();
    state.counters["pages"] = double(pages);
    store::DataModule1 = nullptr;
}
BENCHMARK(SummaryReportOfAllWorkers)->Unit(benchmark::kMillisecond);

void DetailedReportOfOneWorker(benchmark::State& state)
{
    store::TDataModule1 book(largeBook());
    store::DataModule1 = &book;
    book.TableM.FindKey(workers / 2);
    TFormPrint1 layout;
    for (auto _ : state)
        benchmark::DoNotOptimize(printing::generateReport(layout.QuickRep1));
    store::DataModule1 = nullptr;
}
BENCHMARK(DetailedReportOfOneWorker)->Unit(benchmark::kMillisecond);

} // namespace
