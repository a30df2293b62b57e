// The book on a server beside the same book in local files, at 10,000 workers: a posting
// (one unit of work, the book's write lock taken), a key seek and a name seek, on the
// server's socket and through a proxy adding 20 ms each way as an office network might;
// the time from a server that stops answering to the clerk's box; a restore beside the
// backup of the same book. The server is a throwaway cluster on this machine's Unix socket,
// started by bench/run; its connection string is in $IJAZAT_BENCH_CLUSTER/conninfo.
#include "AdministrativePosting.h"
#include "BookBackup.h"
#include "BookCopy.h"
#include "BookRestore.h"
#include "DataModule.h"
#include "LargeBook.h"
#include "LocalBookConnection.h"
#include "ServerBookConnection.h"
#include "ServerSchema.h"
#include "StoreError.h"
#include "TcpProxy.h"

#include <benchmark/benchmark.h>
#include <libpq-fe.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <stdexcept>
#include <unistd.h>

namespace {

using namespace bench_book;

void run(const std::string& conninfo, const std::string& sql)
{
    PGconn* pg = PQconnectdb(conninfo.c_str());
    PQclear(PQexec(pg, sql.c_str()));
    PQfinish(pg);
}

// The 10,000-worker book loaded once into a database of its own on the cluster.
const std::string& serverBook()
{
    static const std::string conninfo = [] {
        const char* folder = std::getenv("IJAZAT_BENCH_CLUSTER");
        if (!folder)
            throw std::runtime_error("IJAZAT_BENCH_CLUSTER is not set: run the benchmarks through bench/run");
        std::string cluster;
        std::getline(std::ifstream(std::string(folder) + "/conninfo"), cluster);
        const std::string database = "bench_" + std::to_string(getpid());
        run(cluster, "CREATE DATABASE " + database);
        const std::string book = cluster.substr(0, cluster.rfind("dbname=")) + "dbname=" + database;
        server::ServerBookConnection into(book, std::filesystem::temp_directory_path());
        server::createMissingServerTables(into);
        store::LocalBookConnection from(largeBook(), {});
        store::transferBook(from, into, false);
        run(book, "ANALYZE");
        return book;
    }();
    return conninfo;
}

// 0: the local book; 1: the server on its socket; 2: the server through the slow network.
enum Where { Local, Server, SlowNetwork };

testing_support::TcpProxy& slowNetwork()
{
    static testing_support::TcpProxy proxy(testing_support::socketOf(serverBook()));
    proxy.delay(std::chrono::milliseconds(20));
    return proxy;
}

std::unique_ptr<store::TDataModule1> openBook(std::int64_t where, store::BookOptions options = {})
{
    if (where == Local)
        return std::make_unique<store::TDataModule1>(writableBook());
    const std::string conninfo = where == Server ? serverBook() : testing_support::throughProxy(serverBook(), slowNetwork());
    return std::make_unique<store::TDataModule1>(
        std::make_unique<server::ServerBookConnection>(conninfo, std::filesystem::temp_directory_path(), options));
}

void Posting(benchmark::State& state)
{
    const auto book = openBook(state.range(0));
    book->TableM.FindKey(workers / 2);
    for (auto _ : state)
        leave::postAdministrativeLeave(*book, "1", {"09", "12", "2026"});
}
BENCHMARK(Posting)->Arg(Local)->Arg(Server)->Arg(SlowNetwork)->ArgName("where")->Unit(benchmark::kMillisecond);

void KeySeek(benchmark::State& state)
{
    const auto book = openBook(state.range(0));
    std::mt19937 random(3);
    for (auto _ : state) {
        book->TableM.FindKey(std::int32_t(1 + random() % workers));
        benchmark::DoNotOptimize(book->TableMWorkerName.Text());
    }
}
BENCHMARK(KeySeek)->Arg(Local)->Arg(Server)->ArgName("where")->Unit(benchmark::kMicrosecond);

void NameSeek(benchmark::State& state)
{
    const auto book = openBook(state.range(0));
    std::mt19937 random(5);
    for (auto _ : state) {
        book->TableMWN.FindNearest(nameOf(int(random() % workers)).substr(0, 8));
        benchmark::DoNotOptimize(book->TableMWNWorkerName.Text());
    }
}
BENCHMARK(NameSeek)->Arg(Local)->Arg(Server)->Arg(SlowNetwork)->ArgName("where")->Unit(benchmark::kMicrosecond);

// From the moment the server stops answering to the clerk's box, as the program waits by default.
void FrozenServerToBox(benchmark::State& state)
{
    const auto book = openBook(SlowNetwork);
    book->TableM.FindKey(workers / 2);
    for (auto _ : state) {
        slowNetwork().fault(testing_support::TcpProxy::Fault::Freeze);
        try {
            leave::postAdministrativeLeave(*book, "1", {"09", "12", "2026"});
        } catch (const store::StoreError&) {
            // the box the clerk would see
        }
        state.PauseTiming();
        slowNetwork().fault(testing_support::TcpProxy::Fault::None);
        state.ResumeTiming();
    }
}
BENCHMARK(FrozenServerToBox)->Iterations(1)->Unit(benchmark::kSecond);

// A restore of the server's book from its own backup, beside that backup.
void BackupAndRestore(benchmark::State& state)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("ijazat-bench-restore-" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    {
        server::ServerBookConnection book(serverBook(), folder);
        operations::backUp(book, folder / "backup");
    }
    int round = 0;
    for (auto _ : state) {
        server::ServerBookConnection book(serverBook(), folder);
        if (state.range(0) == 0)
            operations::backUp(book, folder / ("copy-" + std::to_string(round++)));
        else
            operations::restore(book, folder / "backup", folder / ("safe-" + std::to_string(round++)));
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BackupAndRestore)->Arg(0)->Arg(1)->ArgName("restore")->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
