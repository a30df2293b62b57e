#pragma once

// The books the benchmarks run on, made like an office's: 10,000 (or 100,000) workers with
// Arabic three-part names and every total filled, ten dated entries each, and one worker with
// 5,000 more; built once and kept in the build folder, and the same files opened bare.
#include "Statement.h"

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace bench_book {

constexpr int workers = 10000;
constexpr int manyWorkers = 100000;

std::string nameOf(int i, int count = workers);
// REQUIRES: count is workers or manyWorkers.
const std::filesystem::path& largeBook(int count = workers);
// A copy of that book for a benchmark that writes, made once per run in the temporary
// folder, so the kept book stays as built and every run measures the same book. Without
// its history, the copy's history triggers are gone: the same writes, nothing recorded.
enum class History { Recorded, Unrecorded };
const std::filesystem::path& writableBook(int count = workers, History history = History::Recorded);
void readAll(store::Statement& statement, int columns);

// One connection with the same files attached, as the book has.
struct BareBook {
    explicit BareBook(int count = workers, History history = History::Recorded);
    explicit BareBook(const std::filesystem::path& root);
    ~BareBook();
    BareBook(const BareBook&) = delete;
    BareBook& operator=(const BareBook&) = delete;

    // What the four master links do when TableM stands on another worker.
    void seekFirstEntries(std::int32_t worker);

    sqlite3* db = nullptr;
    std::vector<std::unique_ptr<store::Statement>> entries;
};

} // namespace bench_book
