#pragma once

// The book the benchmarks run on: 10,000 workers and 100,000 entries, built once per run
// in the temporary folder, and the same files opened bare, without the store.
#include "Statement.h"

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace bench_book {

constexpr int workers = 10000;

std::string nameOf(int i);
const std::filesystem::path& largeBook();
void readAll(store::Statement& statement, int columns);

// One connection with the same files attached, as the book has.
struct BareBook {
    BareBook();
    ~BareBook();
    BareBook(const BareBook&) = delete;
    BareBook& operator=(const BareBook&) = delete;

    // What the four master links do when TableM stands on another worker.
    void seekFirstEntries(std::int32_t worker);

    sqlite3* db = nullptr;
    std::vector<std::unique_ptr<store::Statement>> entries;
};

} // namespace bench_book
