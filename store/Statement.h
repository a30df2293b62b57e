#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

// One prepared SQLite statement. Values are only ever bound, never spliced into the text.
// Every failure throws StoreError saying in Arabic what happened to which file (`file`,
// or the connection's main file), with the table engine's own text after it.
class Statement {
public:
    Statement(sqlite3* db, std::string_view sql, std::string file = {});
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bindNull(int position);          // positions count from 1
    void bind(int position, std::int64_t value);
    void bind(int position, std::string_view text);

    bool step();                          // true while a row is ready
    void reset();                         // finishes the statement and clears its bindings

    bool isNull(int column) const;        // columns count from 0
    bool isInteger(int column) const;
    bool isText(int column) const;
    std::int64_t integer(int column) const;
    std::string text(int column) const;

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

// Finishes a statement when the scope ends, so no read stays open on the files.
class StatementUse {
public:
    explicit StatementUse(Statement& statement) : statement_(statement) {}
    ~StatementUse() { statement_.reset(); }
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;
    Statement* operator->() { return &statement_; }

private:
    Statement& statement_;
};

} // namespace store
