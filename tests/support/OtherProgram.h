#pragma once

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <filesystem>

namespace testing_support {

// Another program with the book's worker file open: a second desk, or an SQLite tool.
class OtherProgram {
public:
    explicit OtherProgram(const std::filesystem::path& root)
    {
        sqlite3_open((root / "worker/worker.db").string().c_str(), &db_);
    }
    ~OtherProgram() { sqlite3_close(db_); }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;
    void run(const char* sql) { ASSERT_EQ(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql; }

private:
    sqlite3* db_ = nullptr;
};

} // namespace testing_support
