#include "BookConnection.h"

#include "StoreError.h"
#include "TableShape.h"

#include <sqlite3.h>

namespace store {

BookConnection::BookConnection(std::filesystem::path dataRoot, BookOptions options)
    : dataRoot_(std::move(dataRoot)), options_(std::move(options))
{
}

BookConnection::~BookConnection()
{
    statements_.clear();
    sqlite3_close_v2(db_);
}

std::string BookConnection::schemaOf(const TableDef& table) const
{
    return &table == &workerTable() ? "main" : std::string(table.name);
}

bool BookConnection::isOpen(const TableDef& table) const
{
    return open_.count(std::string(table.name)) > 0;
}

void BookConnection::openTable(const TableDef& table)
{
    if (isOpen(table))
        return;
    const std::filesystem::path path = table.pathUnder(dataRoot_);
    const std::string schema = schemaOf(table);
    const std::string cannotOpen = "Cannot open table " + path.string() + ": ";
    if (schema == "main") {
        sqlite3* db = nullptr;
        const int rc = sqlite3_open_v2(path.string().c_str(), &db, SQLITE_OPEN_READWRITE,
                                       options_.vfs.empty() ? nullptr : options_.vfs.c_str());
        if (rc != SQLITE_OK) {
            const std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
            sqlite3_close_v2(db);
            throw StoreError(cannotOpen + message);
        }
        db_ = db;
        sqlite3_busy_timeout(db_, options_.busyTimeoutMs);
        sqlite3_extended_result_codes(db_, 1);
    } else {
        if (!db_)
            throw StoreError(cannotOpen + "the worker table must be opened first");
        // Attached files open with the worker file's flags, so a missing file is never created.
        Statement attach(db_, "ATTACH DATABASE ?1 AS " + sqlName(schema));
        attach.bind(1, path.string());
        try {
            attach.step();
        } catch (const StoreError& error) {
            throw StoreError(cannotOpen + error.what());
        }
    }
    try {
        configure(schema);
        if (auto problem = tableShapeProblem(db_, schema, table))
            throw StoreError(*problem);
    } catch (const StoreError& error) {
        if (schema == "main") {
            sqlite3_close_v2(db_);
            db_ = nullptr;
        } else {
            Statement detach(db_, "DETACH DATABASE " + sqlName(schema));
            detach.step();
        }
        throw StoreError(cannotOpen + error.what());
    }
    open_.insert(std::string(table.name));
}

void BookConnection::configure(const std::string& schema)
{
    // A rollback journal on every file lets one transaction commit across all five.
    Statement journal(db_, "PRAGMA " + sqlName(schema) + ".journal_mode = DELETE");
    journal.step();
    Statement synchronous(db_, "PRAGMA " + sqlName(schema) + ".synchronous = FULL");
    synchronous.step();
}

Statement& BookConnection::statement(const std::string& sql)
{
    if (!db_)
        throw StoreError("The leave book is not open");
    auto& kept = statements_[sql];
    if (!kept)
        kept = std::make_unique<Statement>(db_, sql);
    return *kept;
}

void BookConnection::execute(const std::string& sql)
{
    Statement& once = statement(sql);
    StatementUse use(once);
    while (use->step()) {
    }
}

bool BookConnection::inTransaction() const
{
    return db_ && sqlite3_get_autocommit(db_) == 0;
}

std::int64_t BookConnection::lastInsertedKey() const
{
    return sqlite3_last_insert_rowid(db_);
}

std::int64_t BookConnection::totalChanges() const
{
    return sqlite3_total_changes64(db_);
}

int BookConnection::changes() const
{
    return sqlite3_changes(db_);
}

int BookConnection::fullScanSteps() const
{
    int steps = 0;
    for (const auto& [sql, kept] : statements_)
        steps += kept->fullScanSteps();
    return steps;
}

int BookConnection::sorts() const
{
    int count = 0;
    for (const auto& [sql, kept] : statements_)
        count += kept->sorts();
    return count;
}

void BookConnection::clearCounters()
{
    for (const auto& [sql, kept] : statements_)
        kept->clearCounters();
}

} // namespace store
