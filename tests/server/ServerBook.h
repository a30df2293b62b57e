#pragma once

#include "DataModule.h"

#include <memory>
#include <string>

namespace testing_support {

// A fresh database of its own on the tests' throwaway cluster, with the book's five tables
// made as `ijazat-setup --server` makes them; dropped again at the end. The cluster's
// folder is in IJAZAT_TEST_CLUSTER, set by the CTest fixture that started it.
class ServerBook {
public:
    ServerBook();
    ~ServerBook();
    ServerBook(const ServerBook&) = delete;
    ServerBook& operator=(const ServerBook&) = delete;

    const std::string& conninfo() const { return conninfo_; }
    // A program's connection to the book: each call is another program.
    std::unique_ptr<store::TDataModule1> open(store::BookOptions options = {}) const;
    // Runs SQL as the cluster's administrator (another session than the book's).
    void administer(const std::string& sql) const;

    // The connection string of the cluster's own "postgres" database.
    static std::string clusterConninfo();

private:
    std::string database_;
    std::string conninfo_;
};

} // namespace testing_support
