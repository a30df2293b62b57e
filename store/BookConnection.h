#pragma once

#include "BookInUse.h"
#include "OddValue.h"
#include "Schema.h"
#include "Statement.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

struct sqlite3;

namespace store {

struct BookOptions {
    std::string vfs;          // SQLite file-access layer by name; empty for the system's own
    int busyTimeoutMs = 5000; // how long a statement waits for another program's lock, in ms
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

    // Opens the worker file, or attaches an entry file, and checks the table's shape before
    // anything is written to the file. REQUIRES: the worker table is opened before any entry table.
    // Throws StoreError naming the file when it is missing, unreadable or misshapen.
    void openTable(const TableDef& table);
    bool isOpen(const TableDef& table) const;
    // "main" for the worker table, the table's own name for an attached entry table.
    std::string schemaOf(const TableDef& table) const;
    std::string fileNamedIn(const std::string& sql) const;
    // The book's files that cannot be written: opened read-only by the engine, or in a
    // folder where the journal of a write cannot be made.
    std::vector<std::filesystem::path> unwritableFiles() const;

    // A prepared statement kept for the connection's lifetime, one per SQL text.
    Statement& statement(const std::string& sql);
    void execute(const std::string& sql);
    // Begins a write transaction holding the write lock on every open file. A file another
    // program switched to a write-ahead log would commit apart from the others: it is taken
    // back to the rollback journal when no one holds it, else StoreError names it and nothing begins.
    void beginWrite();
    bool inTransaction() const;
    // While a unit of work is open, every write joins its transaction.
    bool inUnitOfWork() const { return inUnitOfWork_; }
    void setInUnitOfWork(bool open) { inUnitOfWork_ = open; }
    std::int64_t lastInsertedKey() const;
    int changes() const; // records written by the last statement
    // Grows whenever the table's records change, through this connection or any other
    // program; cheap enough to ask at every move.
    std::int64_t tableChanges(const TableDef& table);
    void noteWrite(const TableDef& table) { ++writes_[table.name]; }
    // The writes to the table through this connection, a part of its change count.
    std::int64_t ownWrites(const TableDef& table) { return writes_[table.name]; }
    // Whether anything was written to the book through this connection.
    bool wroteAnything() const;
    const std::filesystem::path& dataRoot() const { return dataRoot_; }
    // Whether a wait for another program's lock has given up since the connection opened.
    int busyWaitsGivenUp() const { return busyWaitsGivenUp_; }

    // Each odd value goes to the listener once per connection; those met before a
    // listener is set wait for it.
    void noteOddValue(OddValue value);
    void setOddValueListener(std::function<void(const OddValue&)> listener);

    int fullScanSteps() const; // summed over every kept statement
    int sorts() const;
    void clearCounters();

private:
    static int waitForLock(void* connection, int attempt);
    void configure(const std::string& schema);
    // The path of an open file that has left the rollback journal for a write-ahead log.
    std::optional<std::string> fileOnWriteAheadLog();

    std::filesystem::path dataRoot_;
    BookOptions options_;
    std::optional<BookInUse> inUse_; // while the worker file is open
    sqlite3* db_ = nullptr;
    bool inUnitOfWork_ = false;
    std::set<std::string> open_;
    std::map<std::string, std::unique_ptr<Statement>> statements_;
    std::map<std::string_view, std::int64_t> writes_;
    int busyWaitsGivenUp_ = 0;
    std::set<std::tuple<std::string_view, std::int32_t, std::string_view>> oddValuesTold_;
    std::vector<OddValue> oddValuesWaiting_;
    std::function<void(const OddValue&)> oddValueListener_;
};

} // namespace store
