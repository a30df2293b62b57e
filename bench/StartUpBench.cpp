// Start-up as the clerk meets it, process and all: from starting the program on an empty
// book, on 10,000 and on 100,000 workers to its main window's first paint, beside a bare Qt
// window started the same way.
#include "LargeBook.h"
#include "ProgramRun.h"
#include "TableSetup.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

using bench_book::besideThisProgram;
using bench_book::secondsToRun;

void StartUpToTheMainWindow(benchmark::State& state)
{
    QTemporaryDir emptyBook;
    const int count = int(state.range(0));
    std::filesystem::path book = emptyBook.path().toStdString();
    if (count == 0)
        store::createMissingTables(book);
    else
        book = bench_book::writableBook(count);
    for (auto _ : state)
        state.SetIterationTime(secondsToRun(besideThisProgram("program_start_up"), {book.string()}, "painted"));
}
BENCHMARK(StartUpToTheMainWindow)
    ->Arg(0)
    ->Arg(bench_book::workers)
    ->Arg(bench_book::manyWorkers)
    ->ArgName("workers")
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

void BareQtWindow(benchmark::State& state)
{
    for (auto _ : state)
        state.SetIterationTime(secondsToRun(besideThisProgram("bare_window"), {}, "painted"));
}
BENCHMARK(BareQtWindow)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
