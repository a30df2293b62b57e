// How long one clerk action freezes the desk while another program holds the book locked,
// beside the book's own wait for a lock (its busy timeout) measured in the same run: moving
// in the worker editing grid, showing a leave window, and saving a leave.
#include "DataModule.h"
#include "CountedBoxes.h"
#include "Guard.h"
#include "LargeBook.h"
#include "Unitadministrationpermit.h"
#include "Unitallworkerchang.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using namespace bench_book;

constexpr int timeoutMs = 250;

// Another program holding the worker file locked, readers and writers alike.
struct LockHeldElsewhere {
    LockHeldElsewhere()
    {
        sqlite3_open((largeBook() / "worker/worker.db").string().c_str(), &db);
        sqlite3_exec(db, "BEGIN EXCLUSIVE; UPDATE worker SET NoHire = NoHire WHERE Auto = 1", nullptr, nullptr, nullptr);
    }
    ~LockHeldElsewhere()
    {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    sqlite3* db = nullptr;
};

// `open` builds the window while the book is free; each iteration then times one action
// while it is locked, boxes included.
template <typename Window, typename Action> void underLock(benchmark::State& state, Window*& shown, Action action)
{
    store::TDataModule1 book(largeBook(), {"", timeoutMs});
    store::DataModule1 = &book;
    CountedBoxes boxes;
    auto window = std::make_unique<Window>();
    shown = window.get();
    window->show();
    QApplication::processEvents();
    {
        LockHeldElsewhere lock;
        for (auto _ : state) {
            const auto start = std::chrono::steady_clock::now();
            action(*window);
            QApplication::processEvents();
            state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
    }
    state.counters["timeout_ms"] = timeoutMs;
    state.counters["boxes_per_action"] = benchmark::Counter(boxes.shown, benchmark::Counter::kAvgIterations);
    window.reset();
    shown = nullptr;
    store::DataModule1 = nullptr;
}

void MoveInTheEditingGrid(benchmark::State& state)
{
    underLock(state, FormAllWorkerChang,
              [](TFormAllWorkerChang& window) { QTest::keyClick(window.DBGrid1, Qt::Key_Down); });
}
BENCHMARK(MoveInTheEditingGrid)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void ShowALeaveWindow(benchmark::State& state)
{
    QPushButton opener; // as the main window's button shows it
    underLock(state, FormAdministrationPermit, [&opener](TFormAdministrationPermit& window) {
        if (!opener.isVisible()) {
            controls::connectGuarded(&opener, &QPushButton::clicked, &opener, [&window] { window.show(); });
            opener.show();
        }
        window.hide();
        QTest::mouseClick(&opener, Qt::LeftButton);
    });
}
BENCHMARK(ShowALeaveWindow)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void SaveALeave(benchmark::State& state)
{
    underLock(state, FormAdministrationPermit,
              [](TFormAdministrationPermit& window) { QTest::mouseClick(window.BitBtn2, Qt::LeftButton); });
}
BENCHMARK(SaveALeave)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace
