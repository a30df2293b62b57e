#pragma once

#include "BookStatement.h"

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

// The engine's temporary tables (sorting, grouping, a statement's own journal) kept in memory
// rather than in the system's temporary folder: a full disk the engine reports is then always
// the book's own, and the clerk is told the right one.
void keepTemporaryTablesInMemory(sqlite3* db);

// One prepared SQLite statement; failures name `file`, or the connection's main file.
class Statement final : public BookStatement {
public:
    Statement(sqlite3* db, std::string_view sql, std::string file = {});
    ~Statement() override;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bindNull(int position) override;
    void bind(int position, std::int64_t value) override;
    void bind(int position, std::string_view text) override;

    bool step() override;
    void reset() override;

    bool isNull(int column) const override;
    bool isInteger(int column) const override;
    bool isText(int column) const override;
    std::int64_t integer(int column) const override;
    std::string text(int column) const override;

    // Whether running it may change what a file holds: not a read, a pragma, nor a transaction's
    // begin or end.
    bool writes() const;

    int fullScanSteps() const;            // rows stepped over without an index since the last clear
    int sorts() const;                    // temporary sorts since the last clear
    void clearCounters();

private:
    [[noreturn]] void fail() const;
    [[noreturn]] void fail(int code, const std::string& engineText) const;

    sqlite3* db_;
    std::string file_;
    sqlite3_stmt* stmt_ = nullptr;
};

} // namespace store
