// The year-close window on the office-like book: shown (the plan read and the grid fitted
// and painted) and the year changed, beside reading the same plan's columns bare.
#include "BuiltOnFirstNeed.h"
#include "CountedBoxes.h"
#include "LargeBook.h"
#include "ProgramObjects.h"
#include "Unitcloseyear.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

using namespace bench_book;

double heldMegabytes()
{
    return double(mallinfo2().uordblks) / (1024 * 1024);
}

struct YearWindow {
    explicit YearWindow(const benchmark::State& state)
    {
        objects.build(writableBook(int(state.range(0))));
        controls::built(FormCloseYear);
    }
    CountedBoxes boxes;
    ProgramObjects objects;
};

void ShowTheYearWindow(benchmark::State& state)
{
    const YearWindow program(state);
    const double before = heldMegabytes();
    for (auto _ : state) {
        FormCloseYear->show();
        FormCloseYear->Grid1->repaint();
        state.PauseTiming();
        state.counters["held_MB"] = heldMegabytes() - before;
        FormCloseYear->hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(ShowTheYearWindow)->Arg(workers)->Arg(manyWorkers)->Iterations(3)->Unit(benchmark::kMillisecond);

void ChangeTheYear(benchmark::State& state)
{
    const YearWindow program(state);
    FormCloseYear->show();
    QApplication::processEvents();
    int year = 2024;
    for (auto _ : state) {
        FormCloseYear->Edit1->setText(QString::number(year));
        FormCloseYear->Grid1->repaint();
        year = year == 2024 ? 2025 : 2024;
    }
    FormCloseYear->hide();
}
BENCHMARK(ChangeTheYear)->Arg(workers)->Arg(manyWorkers)->Iterations(3)->Unit(benchmark::kMillisecond);

void BareReadOfThePlan(benchmark::State& state)
{
    BareBook bare(int(state.range(0)));
    for (auto _ : state) {
        store::Statement workers(bare.db, "SELECT Auto, coalesce(WorkerName, ''), ServesYears, ServesStart, YearPermit, "
                                          "AdministrationPermit, HealthPermit, NoHire, ExcessMonth, Hours, Minute, "
                                          "coalesce(HorsPermit, '') FROM worker ORDER BY Auto");
        while (workers.step())
            readAll(workers, 12);
    }
}
BENCHMARK(BareReadOfThePlan)->Arg(workers)->Arg(manyWorkers)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
