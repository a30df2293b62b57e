// The book on a server beside the same book in local files, at 10,000 workers: a posting
// (one unit of work, the book's write lock taken), a key seek and a name seek. The server
// is a throwaway cluster on this machine's Unix socket, started by bench/run; its
// connection string is in $IJAZAT_BENCH_CLUSTER/conninfo.
#include "AdministrativePosting.h"
#include "BookCopy.h"
#include "DataModule.h"
#include "LargeBook.h"
#include "LocalBookConnection.h"
#include "ServerBookConnection.h"
#include "ServerSchema.h"

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

std::unique_ptr<store::TDataModule1> openBook(bool onServer)
{
    if (onServer)
        return std::make_unique<store::TDataModule1>(
            std::make_unique<server::ServerBookConnection>(serverBook(), std::filesystem::temp_directory_path()));
    return std::make_unique<store::TDataModule1>(writableBook());
}

void Posting(benchmark::State& state)
{
    const auto book = openBook(state.range(0) == 1);
    book->TableM.FindKey(workers / 2);
    for (auto _ : state)
        leave::postAdministrativeLeave(*book, "1", {"09", "12", "2026"});
}
BENCHMARK(Posting)->Arg(0)->Arg(1)->ArgName("server")->Unit(benchmark::kMillisecond);

void KeySeek(benchmark::State& state)
{
    const auto book = openBook(state.range(0) == 1);
    std::mt19937 random(3);
    for (auto _ : state) {
        book->TableM.FindKey(std::int32_t(1 + random() % workers));
        benchmark::DoNotOptimize(book->TableMWorkerName.Text());
    }
}
BENCHMARK(KeySeek)->Arg(0)->Arg(1)->ArgName("server")->Unit(benchmark::kMicrosecond);

void NameSeek(benchmark::State& state)
{
    const auto book = openBook(state.range(0) == 1);
    std::mt19937 random(5);
    for (auto _ : state) {
        book->TableMWN.FindNearest(nameOf(int(random() % workers)).substr(0, 8));
        benchmark::DoNotOptimize(book->TableMWNWorkerName.Text());
    }
}
BENCHMARK(NameSeek)->Arg(0)->Arg(1)->ArgName("server")->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
