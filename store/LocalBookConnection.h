#pragma once

#include "BookConnection.h"
#include "BookInUse.h"
#include "Statement.h"

#include <future>
#include <memory>
#include <optional>

struct sqlite3;

namespace store {

// The book in five local SQLite files. The worker file is the connection's main database
// and the four entry files are attached to it, so one transaction can span all five files
// and commit atomically (rollback journal, synchronous=FULL). It never creates a file.
class LocalBookConnection final : public BookConnection {
public:
    LocalBookConnection(std::filesystem::path dataRoot, BookOptions options);
    ~LocalBookConnection() override;

    void openTable(const TableDef& table) override;
    bool isOpen(const TableDef& table) const override;
    // "main" for the worker table, the table's own name for an attached entry table.
    std::string schemaOf(const TableDef& table) const override;
    Statement& statement(const std::string& sql) override;
    // A file another program switched to a write-ahead log would commit apart from the
    // others: it is taken back to the rollback journal when no one holds it, else
    // StoreError names it and nothing begins.
    void beginWrite() override;
    void beginRead() override;
    bool inTransaction() const override;
    // Names the clerk action and who made it on every history row the book wrote in the
    // transaction (its own triggers cannot know them), then stores the transaction.
    void commit() override;
    void rollback() override;
    // Drops the history's triggers for the transaction; they are made again before it is stored.
    void quietHistory() override;
    // SQLite's data_version of the table's file, plus the writes through this connection.
    std::int64_t tableChanges(const TableDef& table) override;
    std::string place() const override { return dataRoot().string(); }
    std::string whereIs(const TableDef& table) const override { return table.pathUnder(dataRoot()).string(); }
    // Files opened read-only by the engine, or in a folder where the journal of a write
    // cannot be made.
    std::vector<std::string> unwritableParts() override;
    // Beside the workers, in their file.
    std::string closedYearsTable() const override { return "\"main\".\"ClosedYears\""; }
    bool holdsClosedYears() override;
    int busyWaitsGivenUp() const override { return busyWaitsGivenUp_; }
    PageProof pageProof() override;
    std::optional<std::string> pageDamage() override;
    void copyInto(const std::filesystem::path& aside) override;
    std::optional<std::string> fileProblem() override;
    void claimAlone() override;
    std::string insertKeepingKeySql(const TableDef& table) const override;
    std::int64_t keysGiven(const TableDef& table) override;
    void giveKeysAbove(const TableDef& table, std::int64_t highest) override;

    int fullScanSteps() const override;
    int sorts() const override;
    void clearCounters() override;

private:
    // The number of the last history row of each open table when the write began.
    void noteHistoryMarks();
    static int waitForLock(void* connection, int attempt);
    void configure(const std::string& schema);
    // The one table file a statement names, or the book's folder for one over several files
    // or none: where its failure is told.
    std::string fileNamedIn(const std::string& sql) const;
    // The path of an open file that has left the rollback journal for a write-ahead log.
    std::optional<std::string> fileOnWriteAheadLog();

    void nameHistoryRows() override;
    void startPageProof();
    // The first damage the proof of the pages found, once every file opened is proven.
    const std::optional<std::string>& awaitPageProof();

    BookOptions options_;
    std::map<std::string, std::int64_t> historyMarks_;
    bool quiet_ = false;
    std::optional<BookInUse> inUse_; // while the worker file is open
    sqlite3* db_ = nullptr;
    std::set<std::string> open_;
    std::map<std::string, std::unique_ptr<Statement>> statements_;
    int busyWaitsGivenUp_ = 0;
    // The files opened whose pages are read beside the program (BookOptions::pagesProven):
    // those not yet begun, the proof under way, and the first damage found. The proof begins
    // when its answer is first asked for, so it never slows the window's showing.
    std::vector<std::filesystem::path> unproven_;
    std::future<std::optional<std::string>> pageProof_;
    std::optional<std::string> pageDamage_;
};

} // namespace store
