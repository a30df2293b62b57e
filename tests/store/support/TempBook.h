#pragma once

#include "DataModule.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace testing_support {

// A data root holding the five empty tables, in a fresh temporary folder of its own.
class TempBook {
public:
    TempBook();
    ~TempBook();
    TempBook(const TempBook&) = delete;
    TempBook& operator=(const TempBook&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::unique_ptr<store::TDataModule1> open(store::BookOptions options = {}) const;

private:
    std::filesystem::path root_;
};

// Every record of every table as stored, read with a separate connection, for comparing
// the whole book before and after an operation.
using BookContents = std::map<std::string, std::vector<std::vector<std::string>>>;
BookContents readBook(const std::filesystem::path& root);

// A connection to the local book under `root`, for a book operation to run on.
std::unique_ptr<store::BookConnection> connectionTo(const std::filesystem::path& root);
// The records a statement over `table` reads, each value as text and NULL as "<null>".
std::vector<std::vector<std::string>> recordsOf(store::BookStatement& rows, const store::TableDef& table);

// Adds a worker through TableM and returns its Auto.
std::int32_t addWorker(store::TDataModule1& book, const std::string& name, int yearPermit = 14);
// Adds an entry for the worker TableM stands on, with the given count field set.
void addEntry(store::Cursor& entries, const std::string& countField, int count);

// Writes over the one page of the table's file that neither opening the book nor moving its
// cursors reads (its history's index, or the index named `index`), as a failing disk would:
// only reading every page finds it.
void damageAPageNoOpeningReads(const std::filesystem::path& root, const store::TableDef& table,
                               const std::string& index = {});

// The message of the StoreError that `action` throws, the message of any other exception
// after "not a store error: ", or "nothing thrown".
std::string thrownBy(const std::function<void()>& action);

} // namespace testing_support
