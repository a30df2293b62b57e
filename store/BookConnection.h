#pragma once

#include "BookStatement.h"
#include "OddValue.h"
#include "Schema.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace store {

struct BookOptions {
    std::string vfs;          // SQLite file-access layer by name; empty for the system's own
    int busyTimeoutMs = 5000; // how long a write waits for another program's lock, in ms
    // A book on a server: how long any one answer of the server is waited for, and how long
    // the server lets a desk's unit of work stand idle before it ends it and frees the lock.
    int serverWaitMs = 15000;
    int idleInTransactionMs = 10000;
    // When a local book's files have every page read, so that a damaged one is refused
    // before anything is written to it: as they open; before the first change, on a connection
    // of their own from when the answer is first asked for or a write begins (a program asks
    // once its window shows: a large book's pages take longer to read than that), every change
    // waiting for the answer and refused as the open would be; or by the caller itself (a check
    // reads every page beside its findings, a copy is proven once it is written, a year's close
    // proves its archive, the book page for page, before it changes the book).
    enum class PagesProven { AtOpen, BeforeFirstWrite, ByCaller };
    PagesProven pagesProven = PagesProven::AtOpen;
};

// Where the proof of the book's pages stands: still under way, or answered with the damage
// found, naming its file (none when every page is whole).
struct PageProof {
    bool answered = true;
    std::optional<std::string> damage;
};

// The one connection of the program to its book: the five local files, or a database
// on a server. Cursors, units of work, reports and the book operations go through it and
// know no more. Both kinds keep the same promises: one writer at a time and readers never
// blocked; a unit of work stored all or nothing; keys never given twice, even across a
// restore; the same name order; every wait for another program bounded, once per clerk
// action; every failure a StoreError saying what, where and why, and nothing half stored.
class BookConnection {
public:
    virtual ~BookConnection() = default;
    BookConnection(const BookConnection&) = delete;
    BookConnection& operator=(const BookConnection&) = delete;

    // Opens the table and checks its shape before anything is written to it. REQUIRES: the
    // worker table is opened before any entry table. Throws StoreError naming the file or
    // the server when it is missing, unreadable or misshapen.
    virtual void openTable(const TableDef& table) = 0;
    virtual bool isOpen(const TableDef& table) const = 0;
    // The schema the table is reached through in SQL: "schema"."table".
    virtual std::string schemaOf(const TableDef& table) const = 0;

    // A prepared statement kept for the connection's lifetime, one per SQL text.
    virtual BookStatement& statement(const std::string& sql) = 0;
    void execute(const std::string& sql);
    // Begins a write transaction holding the book's write lock: one writer at a time,
    // readers never blocked.
    virtual void beginWrite() = 0;
    // Begins a read transaction: one consistent view of all five tables.
    virtual void beginRead() = 0;
    virtual bool inTransaction() const = 0;
    // Ends the transaction begun, storing it or dropping it.
    virtual void commit() { execute("COMMIT"); }
    // Nothing when no transaction is open any more (an engine may have ended it itself).
    virtual void rollback();
    // The clerk action the book's history records for what is written now (ActionOnBook.h).
    const std::string& action() const { return action_; }
    void setAction(std::string action) { action_ = std::move(action); }
    // Who writes, as the history records it: the user and the computer.
    virtual std::string who() const;
    // For the rest of the write transaction begun, the book records no history of its own:
    // an operation that rewrites the book wholesale (a restore, a year close) writes its own.
    virtual void quietHistory() = 0;
    // Names the clerk action and the writer on the history rows the book wrote so far in the
    // write transaction begun, as storing it would: before a copy of the book is read within it.
    virtual void nameHistoryRows() {}
    // What an insert that keeps the row's own number says to the engine, before VALUES.
    virtual std::string keepingKeyClause() const { return {}; }
    // After a history's rows were copied in numbers and all: new rows are numbered above them.
    virtual void historyCopied(const TableDef& /*table*/) {}
    // While a unit of work is open, every write joins its transaction.
    bool inUnitOfWork() const { return inUnitOfWork_; }
    void setInUnitOfWork(bool open) { inUnitOfWork_ = open; }

    // Grows whenever the table's records change, through this connection or any other
    // program, by one for each write through this connection; cheap enough to ask at every move.
    virtual std::int64_t tableChanges(const TableDef& table) = 0;
    void noteWrite(const TableDef& table) { ++writes_[table.name]; }
    std::int64_t ownWrites(const TableDef& table) { return writes_[table.name]; }
    // Whether anything was written to the book through this connection.
    bool wroteAnything() const;

    // The local folder the book's backups and archives go beside: the data root of a local
    // book, the user's own data root for a book on a server.
    const std::filesystem::path& dataRoot() const { return dataRoot_; }
    // Where the book is, as the clerk is told it: the data root, or the server.
    virtual std::string place() const = 0;
    // Where a table is kept, as the clerk is told it: its file, or its table on the server.
    virtual std::string whereIs(const TableDef& table) const = 0;
    // The parts of the book that cannot be written (read-only files, a read-only role).
    virtual std::vector<std::string> unwritableParts() = 0;
    // The proof of the pages of the files opened so far (BookOptions::pagesProven); a book
    // proven otherwise than before its first write, or kept on a server, is answered and whole.
    virtual PageProof pageProof() { return {}; }
    // The damage that proof found, once it answers; none when every page is whole.
    virtual std::optional<std::string> pageDamage() { return std::nullopt; }
    // Whether a wait for another program's lock has given up since the connection opened.
    virtual int busyWaitsGivenUp() const { return 0; }

    // Each odd value goes to the listener once per connection; those met before a
    // listener is set wait for it.
    void noteOddValue(OddValue value);
    void setOddValueListener(std::function<void(const OddValue&)> listener);

    // A copy of the whole book, as one snapshot of what is committed, into the new folder
    // `aside` as an ordinary local book, taken while the book is in use (and while this
    // connection holds its write lock: the copy is read beside it). Unchecked: a backup
    // checks it before giving it its name.
    virtual void copyInto(const std::filesystem::path& aside) = 0;
    // What is wrong with the files the book is kept in, naming the file; none when they are
    // whole (a server keeps its own).
    virtual std::optional<std::string> fileProblem() { return std::nullopt; }
    // Claims the book for this connection alone before its tables are opened (a restore):
    // refused, saying so, while another program has it open. A server book has its desks
    // wait on the book's write lock instead.
    virtual void claimAlone() {}
    // The book's records were replaced wholesale (a restore), in the transaction begun.
    virtual void bookReplaced() {}

    // The record of the years closed, kept in the book itself so that every desk and every
    // copy of the book knows it: "schema"."table". A book made before the record was kept
    // does not hold it yet; the first close makes it.
    virtual std::string closedYearsTable() const = 0;
    virtual bool holdsClosedYears() = 0;
    // A closed year's archive (the local book in `archive`) kept with the book, in the
    // transaction begun, so that every desk of a shared book can have it. A local book's
    // archive sits beside it already: nothing more is kept.
    virtual void keepArchive(int /*year*/, const std::filesystem::path& /*archive*/) {}
    // Writes the archive kept of `year` into the folder `aside`, unchecked; false, writing
    // nothing, when the book keeps none.
    virtual bool copyArchiveInto(int /*year*/, const std::filesystem::path& /*aside*/) { return false; }

    // Writes every row `read` gives into `target` ("schema"."table"), filling `columns` in
    // order, numbers and all: a prepared insert a row, or the engine's bulk path on a server.
    // REQUIRES: a write transaction is open.
    virtual void insertRows(BookStatement& read, const std::string& target, const std::vector<std::string>& columns);

    // For copying a whole book, keys and all (a backup, a restore): the insert that keeps
    // the record's own Auto; the highest Auto the table ever gave (0 for none); and the
    // table told to give only keys above `highest` from now on.
    virtual std::string insertKeepingKeySql(const TableDef& table) const = 0;
    virtual std::int64_t keysGiven(const TableDef& table) = 0;
    virtual void giveKeysAbove(const TableDef& table, std::int64_t highest) = 0;

    // Rows stepped over without an index, and temporary sorts, since the last clear:
    // what the local engine counts of its own plans.
    virtual int fullScanSteps() const { return 0; }
    virtual int sorts() const { return 0; }
    virtual void clearCounters() {}

protected:
    explicit BookConnection(std::filesystem::path dataRoot);

private:
    std::filesystem::path dataRoot_;
    bool inUnitOfWork_ = false;
    std::string action_;
    std::string desk_; // the user and the computer, asked once
    std::map<std::string_view, std::int64_t> writes_;
    std::set<std::tuple<std::string_view, std::int32_t, std::string_view>> oddValuesTold_;
    std::vector<OddValue> oddValuesWaiting_;
    std::function<void(const OddValue&)> oddValueListener_;
};

} // namespace store
