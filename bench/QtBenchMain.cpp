// Runs a benchmark binary's benchmarks inside a QApplication, on the offscreen platform
// unless another is set, so the program's windows can be built and driven without a display,
// with the engine set up as the program sets it up.
#include "EngineSetUp.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    store::setUpEngine(); // as the program sets it; the bare references share it
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
