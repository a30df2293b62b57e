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

ReadOnlyBook::ReadOnlyBook(const std::filesystem::path& dataRoot) : db_(openAttachedBook(dataRoot, SQLITE_OPEN_READONLY))
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
