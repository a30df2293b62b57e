#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace store {

// One prepared statement of a book, whichever engine keeps it. Values are only ever
// bound, never spliced into the text; parameters are written ?1, ?2, … in the SQL.
// Every failure throws StoreError saying in Arabic what happened, and where.
class BookStatement {
public:
    virtual ~BookStatement() = default;

    virtual void bindNull(int position) = 0; // positions count from 1
    virtual void bind(int position, std::int64_t value) = 0;
    virtual void bind(int position, std::string_view text) = 0;

    virtual bool step() = 0;  // true while a row is ready
    virtual void reset() = 0; // finishes the statement and clears its bindings

    virtual bool isNull(int column) const = 0; // columns count from 0
    virtual bool isInteger(int column) const = 0;
    virtual bool isText(int column) const = 0;
    virtual std::int64_t integer(int column) const = 0;
    virtual std::string text(int column) const = 0;
};

// Finishes a statement when the scope ends, so no read stays open on the book.
class StatementUse {
public:
    explicit StatementUse(BookStatement& statement) : statement_(statement) {}
    ~StatementUse() { statement_.reset(); }
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;
    BookStatement* operator->() { return &statement_; }

private:
    BookStatement& statement_;
};

} // namespace store
