#include "ReadOnlyBook.h"

#include "Isolated.h"
#include "Schema.h"
#include "Statement.h"
#include "StoreError.h"

#include <sqlite3.h>

namespace store {

std::string ReadOnlyBook::schemaOf(const TableDef& table)
{
    return &table == &workerTable() ? "main" : std::string(table.name);
}

sqlite3* openAttachedBook(const std::filesystem::path& dataRoot, int flags)
{
    const std::filesystem::path workers = workerTable().pathUnder(dataRoot);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(workers.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        const std::string message = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close_v2(db);
        throw StoreError("تعذّر فتح " + isolatedLeftToRight(workers.string()) + ": " + message);
    }
    try {
        sqlite3_busy_timeout(db, 5000);
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
        const std::filesystem::path journal = table->pathUnder(dataRoot).string() + "-journal";
        hot = hot || std::filesystem::file_size(journal, unknown) > 0;
    }
    if (!hot)
        return;
    try {
        // Reading the five files as the program does rolls a posting cut short back, all its files together.
        sqlite3* db = openAttachedBook(dataRoot, SQLITE_OPEN_READWRITE);
        try {
            for (const TableDef* table : allTables()) {
                Statement touch(db, "SELECT count(*) FROM " + sqlName(ReadOnlyBook::schemaOf(*table)) + ".sqlite_schema");
                touch.step();
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
