#include "LocalBookFiles.h"

#include "EngineFailure.h"
#include "Isolated.h"
#include "ReadOnlyBook.h"
#include "Schema.h"
#include "Statement.h"
#include "StoreError.h"
#include "TableShape.h"
#include "Wording.h"

#include <sqlite3.h>

#include <fstream>
#include <future>
#include <vector>

namespace store {
namespace {

// An SQLite connection for the length of a scope.
class Connection {
public:
    Connection(const std::filesystem::path& file, int flags)
    {
        if (const int rc = sqlite3_open_v2(file.string().c_str(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr); rc != SQLITE_OK) {
            const std::string message = engineOpenFailure(db_, rc, file.string());
            sqlite3_close_v2(db_);
            throw StoreError(message);
        }
        sqlite3_busy_timeout(db_, 5000);
    }
    ~Connection() { sqlite3_close_v2(db_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    sqlite3* get() const { return db_; }

private:
    sqlite3* db_ = nullptr;
};

void copyFile(sqlite3* source, const std::string& schema, const std::filesystem::path& copy)
{
    std::filesystem::create_directories(copy.parent_path());
    Connection target(copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    sqlite3_backup* backup = sqlite3_backup_init(target.get(), "main", source, schema.c_str());
    if (!backup)
        throw StoreError(engineFailure(sqlite3_extended_errcode(target.get()), copy.string(), sqlite3_errmsg(target.get())));
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE || finished != SQLITE_OK)
        throw StoreError(engineFailure(stepped != SQLITE_DONE ? stepped : finished, copy.string(),
                                       sqlite3_errstr(stepped != SQLITE_DONE ? stepped : finished),
                                       sqlite3_system_errno(target.get())));
}

// A file read through once holds a few pages at a time: they are in the system's cache already,
// and a cache of the engine's own, grown a page at a time, faults in fresh memory for each.
void readThroughOnce(sqlite3* db)
{
    Statement(db, "PRAGMA cache_size = 32").step();
}

std::optional<std::string> fileProblem(const std::filesystem::path& file, const TableDef& table, Proof proof)
{
    if (!std::filesystem::is_regular_file(file))
        return worded("LocalBookFiles", "%1: الملف غير موجود").arg(isolatedLeftToRight(file.string()));
    try {
        Connection db(file, SQLITE_OPEN_READONLY);
        readThroughOnce(db.get());
        Statement integrity(db.get(), proof == Proof::Whole ? "PRAGMA integrity_check" : "PRAGMA quick_check");
        if (!integrity.step() || integrity.text(0) != "ok")
            return worded("LocalBookFiles", "%1: الملف تالف (%2)")
                .arg(isolatedLeftToRight(file.string()))
                .arg(isolatedLeftToRight(integrity.text(0)));
        if (auto problem = tableShapeProblem(db.get(), "main", table))
            return isolatedLeftToRight(file.string()) + ": " + *problem;
    } catch (const StoreError& error) {
        return error.what(); // the engine's failure names the file itself
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> bookFileProblem(const std::filesystem::path& dataRoot, Proof proof)
{
    rollBackHotJournals(dataRoot);
    // Each file read through on a thread of its own: the proof takes the time of the largest
    // file where the machine has the cores, and still names the first file found wrong.
    std::vector<std::future<std::optional<std::string>>> proofs;
    for (const TableDef* table : allTables())
        proofs.push_back(std::async(std::launch::async, [&dataRoot, table, proof] {
            return fileProblem(table->pathUnder(dataRoot), *table, proof);
        }));
    std::optional<std::string> first;
    for (auto& answer : proofs)
        if (std::optional<std::string> problem = answer.get(); problem && !first)
            first = std::move(problem);
    return first;
}

std::optional<std::string> damagedPages(const std::filesystem::path& file)
{
    const Connection db(file, SQLITE_OPEN_READONLY);
    readThroughOnce(db.get());
    Statement whole(db.get(), "PRAGMA quick_check(1)");
    if (whole.step() && whole.text(0) != "ok")
        return whole.text(0);
    return std::nullopt;
}

void copyBookFiles(const std::filesystem::path& dataRoot, const std::filesystem::path& aside)
{
    // One snapshot of the five files: a posting that spans several is in the copy whole or not at all.
    const ReadOnlyBook source(dataRoot);
    for (const TableDef* table : allTables())
        copyFile(source.get(), ReadOnlyBook::schemaOf(*table), table->pathUnder(aside));
}

void copyFileAsItLies(sqlite3* db, const std::string& schema, const std::filesystem::path& copy)
{
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(db, schema.c_str(), SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file || !file->pMethods)
        throw StoreError(worded("LocalBookFiles", "%1: لم يُنسخ الملف").arg(isolatedLeftToRight(copy.string())));
    const auto failed = [&copy](int code) {
        return StoreError(engineFailure(code, copy.string(), sqlite3_errstr(code)));
    };
    sqlite3_int64 size = 0;
    if (const int rc = file->pMethods->xFileSize(file, &size); rc != SQLITE_OK)
        throw failed(rc);
    std::filesystem::create_directories(copy.parent_path());
    std::ofstream out(copy, std::ios::binary | std::ios::trunc);
    std::vector<char> chunk(1 << 20);
    for (sqlite3_int64 at = 0; at < size && out; at += sqlite3_int64(chunk.size())) {
        const int length = int(std::min<sqlite3_int64>(sqlite3_int64(chunk.size()), size - at));
        if (const int rc = file->pMethods->xRead(file, chunk.data(), length, at); rc != SQLITE_OK)
            throw failed(rc);
        out.write(chunk.data(), length);
    }
    out.close();
    if (!out)
        throw failed(SQLITE_IOERR_WRITE);
}

} // namespace store
