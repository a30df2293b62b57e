// Start-up as the clerk meets it, process and all: from starting the program on an empty
// book, on 10,000 and on 100,000 workers to its main window's first paint, beside a bare Qt
// window started the same way.
#include "LargeBook.h"
#include "TableSetup.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::filesystem::path besideThisProgram(const char* name)
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / name;
}

// Starts `program` with `argument`, and returns the seconds until it says it was painted.
double secondsToFirstPaint(const std::filesystem::path& program, const std::string& argument)
{
    int said[2];
    if (pipe(said) != 0)
        throw std::runtime_error("no pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, said[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, said[0]);
    const std::string path = program.string();
    std::vector<char*> arguments{const_cast<char*>(path.c_str())};
    if (!argument.empty())
        arguments.push_back(const_cast<char*>(argument.c_str()));
    arguments.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, path.c_str(), &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(said[1]);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + path);
    std::string line;
    char c = 0;
    while (line != "painted" && read(said[0], &c, 1) == 1)
        line = c == '\n' ? line : line + c;
    const auto painted = std::chrono::steady_clock::now();
    close(said[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (line != "painted" || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(path + " never painted its window");
    return std::chrono::duration<double>(painted - start).count();
}

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
        state.SetIterationTime(secondsToFirstPaint(besideThisProgram("program_start_up"), book.string()));
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
        state.SetIterationTime(secondsToFirstPaint(besideThisProgram("bare_window"), {}));
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
