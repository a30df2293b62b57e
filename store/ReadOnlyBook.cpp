#include "ReadOnlyBook.h"

#include "EngineFailure.h"
#include "Isolated.h"
#include "Schema.h"
#include "Statement.h"
#include "StoreError.h"

#include <sqlite3.h>

#include <cstdint>
#include <vector>

namespace store {

std::string ReadOnlyBook::schemaOf(const TableDef& table)
{
    return &table == &workerTable() ? "main" : std::string(table.name);
}

sqlite3* openAttachedBook(const std::filesystem::path& dataRoot, int flags)
{
    const std::filesystem::path workers = workerTable().pathUnder(dataRoot);
    sqlite3* db = nullptr;
    if (const int rc = sqlite3_open_v2(workers.string().c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr); rc != SQLITE_OK) {
        const std::string message = engineOpenFailure(db, rc, workers.string());
        sqlite3_close_v2(db);
        throw StoreError(message);
    }
    try {
        sqlite3_busy_timeout(db, 5000);
        keepTemporaryTablesInMemory(db);
        for (const TableDef* table : allTables()) {
            if (table == &workerTable())
                continue;
            Statement attach(db, "ATTACH DATABASE ?1 AS " + sqlName(ReadOnlyBook::schemaOf(*table)));
            attach.bind(1, table->pathUnder(dataRoot).string());
            attach.step();
        }
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
    return db;
}

void rollBackHotJournals(const std::filesystem::path& dataRoot)
{
    bool hot = false;
    for (const TableDef* table : allTables()) {
        std::error_code unknown;
        std::filesystem::path journal = table->pathUnder(dataRoot);
        journal += "-journal";
        const std::uintmax_t size = std::filesystem::file_size(journal, unknown);
        hot = hot || (!unknown && size > 0); // no journal at all is the common case
    }
    const std::filesystem::path workers = workerTable().pathUnder(dataRoot);
    std::vector<std::filesystem::path> superJournals;
    std::error_code unreadable;
    for (const auto& entry : std::filesystem::directory_iterator(workers.parent_path(), unreadable))
        if (entry.path().filename().string().starts_with(workers.filename().string() + "-mj"))
            superJournals.push_back(entry.path());
    if (!hot && superJournals.empty())
        return;
    try {
        // Reading the five files as the program does rolls a posting cut short back, all its files together.
        sqlite3* db = openAttachedBook(dataRoot, SQLITE_OPEN_READWRITE);
        try {
            sqlite3_busy_timeout(db, 0);
            // Holding the write lock of all five, no posting is being stored: a super-journal
            // left now belongs to none, and goes.
            const bool alone = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
            for (const TableDef* table : allTables()) {
                Statement touch(db, "SELECT count(*) FROM " + sqlName(ReadOnlyBook::schemaOf(*table)) + ".sqlite_schema");
                touch.step();
            }
            if (alone) {
                for (const std::filesystem::path& orphan : superJournals) {
                    std::error_code ignored;
                    std::filesystem::remove(orphan, ignored);
                }
                sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            }
        } catch (...) {
            sqlite3_close_v2(db);
            throw;
        }
        sqlite3_close_v2(db);
    } catch (const StoreError&) {
        // A book that cannot be written keeps its journal; reading it read-only says so.
    }
}

ReadOnlyBook::ReadOnlyBook(const std::filesystem::path& dataRoot)
    : db_((rollBackHotJournals(dataRoot), openAttachedBook(dataRoot, SQLITE_OPEN_READONLY)))
{
    try {
        // The read locks of all five are taken now and kept: one snapshot of the book.
        Statement(db_, "BEGIN").step();
        for (const TableDef* table : allTables()) {
            Statement touch(db_, "SELECT count(*) FROM " + sqlName(schemaOf(*table)) + ".sqlite_schema");
            touch.step();
        }
    } catch (...) {
        sqlite3_close_v2(db_);
        throw;
    }
}

ReadOnlyBook::~ReadOnlyBook()
{
    sqlite3_close_v2(db_); // the snapshot ends with it: nothing was written
}

} // namespace store
