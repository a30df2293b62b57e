#include "BookBackup.h"

#include "EngineFailure.h"
#include "Isolated.h"
#include "Leftovers.h"
#include "ReadOnlyBook.h"
#include "Schema.h"
#include "Statement.h"
#include "StoreError.h"
#include "Wording.h"
#include "TableShape.h"

#include <sqlite3.h>

#include <unistd.h>

#include <algorithm>
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

std::optional<std::string> fileProblem(const std::filesystem::path& file, const TableDef& table)
{
    if (!std::filesystem::is_regular_file(file))
        return worded("BookBackup", "%1: الملف غير موجود").arg(isolatedLeftToRight(file.string()));
    try {
        Connection db(file, SQLITE_OPEN_READONLY);
        Statement integrity(db.get(), "PRAGMA integrity_check");
        if (!integrity.step() || integrity.text(0) != "ok")
            return worded("BookBackup", "%1: الملف تالف (%2)")
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

std::optional<std::string> bookFileProblem(const std::filesystem::path& dataRoot)
{
    rollBackHotJournals(dataRoot);
    for (const TableDef* table : allTables())
        if (auto problem = fileProblem(table->pathUnder(dataRoot), *table))
            return problem;
    return std::nullopt;
}

void backUpBook(const std::filesystem::path& dataRoot, const std::filesystem::path& target)
{
    try {
        backUpWith(target, [&dataRoot](const std::filesystem::path& aside) {
            // One snapshot of the five files: a posting that spans several is in the copy whole
            // or not at all.
            const ReadOnlyBook source(dataRoot);
            for (const TableDef* table : allTables())
                copyFile(source.get(), ReadOnlyBook::schemaOf(*table), table->pathUnder(aside));
        });
    } catch (const StoreError&) {
        // A copy found damaged is a copy of a damaged book: the book's own file is named.
        if (auto problem = bookFileProblem(dataRoot))
            throw StoreError(worded("BookBackup", "لم تُؤخذ النسخة: في الدفتر نفسه عطب: %1").arg(*problem));
        throw;
    }
}

void backUpWith(const std::filesystem::path& target, const std::function<void(const std::filesystem::path& aside)>& fill)
{
    if (std::filesystem::exists(target))
        throw StoreError(worded("BookBackup", "لا يُنسخ الدفتر إلى %1: المجلد موجود من قبل")
                             .arg(isolatedLeftToRight(target.string())));
    // What a killed backup left beside it goes first; a live one's stays.
    removeLeftovers(target.parent_path(), "", ".partial-");
    const std::filesystem::path aside = target.string() + ".partial-" + std::to_string(getpid());
    std::filesystem::remove_all(aside);
    try {
        fill(aside);
        if (auto problem = bookFileProblem(aside))
            throw StoreError(worded("BookBackup", "لم تسلم النسخة الاحتياطية من الفحص: %1").arg(*problem));
        std::filesystem::create_directories(target.parent_path());
        std::filesystem::rename(aside, target);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove_all(aside, ignored);
        throw;
    }
}

} // namespace store

namespace store {

void backUpAutomatically(const std::filesystem::path& dataRoot, const std::filesystem::path& folder,
                         const std::string& stamp, int kept)
{
    backUpAutomatically([&dataRoot](const std::filesystem::path& target) { backUpBook(dataRoot, target); }, folder,
                        stamp, kept);
}

void backUpAutomatically(const std::function<void(const std::filesystem::path& target)>& backUp,
                         const std::filesystem::path& folder, const std::string& stamp, int kept)
{
    try {
        backUp(folder / ("auto-" + stamp));
    } catch (const std::exception& failure) {
        throw StoreError(worded("BookBackup", "لم تُؤخذ النسخة الاحتياطية التلقائية في %1، والدفتر كما هو: %2")
                             .arg(isolatedLeftToRight(folder.string()))
                             .arg(failure.what()));
    }
    std::vector<std::filesystem::path> automatic;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory() && name.rfind("auto-", 0) == 0 && name.find(".partial-") == std::string::npos
            && name.find(".pruning-") == std::string::npos)
            automatic.push_back(entry.path());
    }
    std::sort(automatic.begin(), automatic.end());
    for (std::size_t n = 0; n + std::size_t(kept) < automatic.size(); ++n) {
        // Renamed aside first: a kill while it is deleted never leaves half a backup under a backup's name.
        const std::filesystem::path pruned = automatic[n].string() + ".pruning-" + std::to_string(getpid());
        std::filesystem::rename(automatic[n], pruned);
        std::filesystem::remove_all(pruned);
    }
    removeLeftovers(folder, "", ".pruning-");
}

} // namespace store
