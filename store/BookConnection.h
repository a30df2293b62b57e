#pragma once

#include "Schema.h"
#include "Statement.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>

struct sqlite3;

namespace store {

struct BookOptions {
    std::string vfs;          // SQLite file-access layer by name; empty for the system's own
    int busyTimeoutMs = 5000; // how long a write waits for another program's lock, in ms
};

// The one SQLite connection of the leave book. The worker file is its main database and
// the four entry files are attached to it, so one transaction can span all five files
// and commit atomically (rollback journal, synchronous=FULL). It never creates a file.
class BookConnection {
public:
    BookConnection(std::filesystem::path dataRoot, BookOptions options);
    ~BookConnection();
    BookConnection(const BookConnection&) = delete;
    BookConnection& operator=(const BookConnection&) = delete;

    // Opens the worker file, or attaches an entry file, and checks the table's shape.
    // REQUIRES: the worker table is opened before any entry table.
    // Throws StoreError naming the file when it is missing, unreadable or misshapen.
    void openTable(const TableDef& table);
    bool isOpen(const TableDef& table) const;
    // "main" for the worker table, the table's own name for an attached entry table.
    std::string schemaOf(const TableDef& table) const;

    // A prepared statement kept for the connection's lifetime, one per SQL text.
    Statement& statement(const std::string& sql);
    void execute(const std::string& sql);
    bool inTransaction() const;
    // While a unit of work is open, every write joins its transaction.
    bool inUnitOfWork() const { return inUnitOfWork_; }
    void setInUnitOfWork(bool open) { inUnitOfWork_ = open; }
    std::int64_t lastInsertedKey() const;
    int changes() const; // records written by the last statement
    std::int64_t totalChanges() const; // records written since the connection opened

    int fullScanSteps() const; // summed over every kept statement
    int sorts() const;
    void clearCounters();

private:
    void configure(const std::string& schema);

    std::filesystem::path dataRoot_;
    BookOptions options_;
    sqlite3* db_ = nullptr;
    bool inUnitOfWork_ = false;
    std::set<std::string> open_;
    std::map<std::string, std::unique_ptr<Statement>> statements_;
};

} // namespace store
