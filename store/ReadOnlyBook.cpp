#include "ReadOnlyBook.h"

#include "Schema.h"
#include "Statement.h"
#include "StoreError.h"

#include <sqlite3.h>

namespace store {

std::string ReadOnlyBook::schemaOf(const TableDef& table)
{
    return &table == &workerTable() ? "main" : std::string(table.name);
}

ReadOnlyBook::ReadOnlyBook(const std::filesystem::path& dataRoot)
{
    const std::filesystem::path workers = workerTable().pathUnder(dataRoot);
    if (sqlite3_open_v2(workers.c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close_v2(db_);
        throw StoreError("Cannot read " + workers.string() + ": " + message);
    }
    try {
        sqlite3_busy_timeout(db_, 5000);
        for (const TableDef* table : allTables()) {
            if (table == &workerTable())
                continue;
            Statement attach(db_, "ATTACH DATABASE ?1 AS " + sqlName(schemaOf(*table)));
            attach.bind(1, table->pathUnder(dataRoot).string());
            attach.step();
        }
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
