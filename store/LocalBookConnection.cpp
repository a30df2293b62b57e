#include "LocalBookConnection.h"

#include "History.h"
#include "LocalBookFiles.h"
#include "LocalHistory.h"
#include "BusyWait.h"
#include "EngineFailure.h"
#include "Isolated.h"
#include "StoreError.h"
#include "Wording.h"
#include "TableShape.h"
#include "Utf8Path.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <utility>


namespace store {

namespace {

std::string cannotOpenTable(const std::filesystem::path& path, const std::string& why)
{
    return worded("LocalBookConnection", "تعذّر فتح جدول الدفتر %1: %2").arg(isolatedLeftToRight(path.string())).arg(why);
}

std::string damagedFile(const std::string& engineSays)
{
    return worded("LocalBookConnection", "الملف تالف (%1): يُستعاد من نسخة احتياطية، %2 يقول ما فيه")
        .arg(isolatedLeftToRight(engineSays))
        .arg(isolatedLeftToRight("ijazat-book check"));
}

} // namespace

LocalBookConnection::LocalBookConnection(std::filesystem::path dataRoot, BookOptions options)
    : BookConnection(std::move(dataRoot)), options_(std::move(options))
{
    renewBusyWait();
}

int LocalBookConnection::waitForLock(void* connection, int attempt)
{
    auto& self = *static_cast<LocalBookConnection*>(connection);
    // Short naps first, as the engine's own wait takes them: most locks are a posting's few milliseconds.
    static constexpr std::array<int, 12> naps = {1, 2, 5, 10, 15, 20, 25, 25, 25, 50, 50, 100};
    int waited = 0;
    for (int n = 0; n < attempt; ++n)
        waited += naps[std::size_t(std::min(n, int(naps.size()) - 1))];
    const int remaining = self.options_.busyTimeoutMs - waited;
    if (busyWaitSpent())
        return 0;
    if (remaining <= 0) {
        ++self.busyWaitsGivenUp_;
        spendBusyWait();
        return 0;
    }
    sqlite3_sleep(std::min(remaining, naps[std::size_t(std::min(attempt, int(naps.size()) - 1))]));
    return 1;
}

LocalBookConnection::~LocalBookConnection()
{
    statements_.clear();
    sqlite3_close_v2(db_);
}

std::string LocalBookConnection::schemaOf(const TableDef& table) const
{
    return &table == &workerTable() ? "main" : std::string(table.name);
}

bool LocalBookConnection::isOpen(const TableDef& table) const
{
    return open_.count(std::string(table.name)) > 0;
}

void LocalBookConnection::openTable(const TableDef& table)
{
    if (isOpen(table))
        return;
    const std::filesystem::path path = table.pathUnder(dataRoot());
    const std::string schema = schemaOf(table);
    const auto cannotOpen = [&path](const std::string& why) { return cannotOpenTable(path, why); };
    if (schema == "main") {
        if (!inUse_) {
            try {
                inUse_.emplace(dataRoot(), BookInUse::Claim::Shared);
            } catch (const StoreError& error) {
                throw StoreError(cannotOpen(error.what()));
            }
        }
        sqlite3* db = nullptr;
        // One thread uses the book: the engine's locking of the connection at every call is
        // only cost.
        const int rc = sqlite3_open_v2(path.string().c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                                       options_.vfs.empty() ? nullptr : options_.vfs.c_str());
        if (rc != SQLITE_OK) {
            const std::string message = engineOpenFailure(db, rc, path.string());
            sqlite3_close_v2(db);
            throw StoreError(message); // it names the file already
        }
        db_ = db;
        keepTemporaryTablesInMemory(db_);
        sqlite3_busy_handler(db_, &LocalBookConnection::waitForLock, this);
        sqlite3_extended_result_codes(db_, 1);
    } else {
        if (!db_)
            throw StoreError(cannotOpen(worded("LocalBookConnection", "يُفتح جدول العاملين أولاً")));
        // Attached files open with the worker file's flags, so a missing file is never created.
        Statement attach(db_, "ATTACH DATABASE ?1 AS " + sqlName(schema), path.string());
        attach.bind(1, path.string());
        attach.step(); // a failure names the file already
    }
    try {
        // A file that is not a table of ours is refused before anything is written to it, and
        // so is one with a damaged page, which a posting would only damage further.
        if (auto problem = tableShapeProblem(db_, schema, table))
            throw StoreError(*problem);
        if (options_.pagesProven == BookOptions::PagesProven::BeforeFirstWrite) {
            unproven_.push_back(path);
        } else if (options_.pagesProven == BookOptions::PagesProven::AtOpen) {
            if (auto damage = damagedPages(path))
                throw StoreError(damagedFile(*damage));
        }
        configure(schema);
    } catch (const StoreError& error) {
        if (schema == "main") {
            sqlite3_close_v2(db_);
            db_ = nullptr;
        } else {
            Statement detach(db_, "DETACH DATABASE " + sqlName(schema));
            detach.step();
        }
        throw StoreError(cannotOpen(error.what()));
    }
    open_.insert(std::string(table.name));
}

void LocalBookConnection::configure(const std::string& schema)
{
    // A rollback journal on every file lets one transaction commit across all five.
    Statement journal(db_, "PRAGMA " + sqlName(schema) + ".journal_mode = DELETE");
    journal.step();
    Statement synchronous(db_, "PRAGMA " + sqlName(schema) + ".synchronous = FULL");
    synchronous.step();
    // What is deleted is written over where its page is written anyway, not by writing every
    // freed page again (and keeping it in the journal first): that doubled what a year's close,
    // whose entries live on in its archive, wrote to the book.
    Statement deleted(db_, "PRAGMA " + sqlName(schema) + ".secure_delete = FAST");
    deleted.step();
}

Statement& LocalBookConnection::statement(const std::string& sql)
{
    if (!db_)
        throw StoreError("دفتر الإجازات غير مفتوح");
    auto& kept = statements_[sql];
    if (!kept)
        kept = std::make_unique<Statement>(db_, sql, fileNamedIn(sql));
    // Nothing goes into a file with a damaged page, which a write would only damage further:
    // a write waits for the proof of the pages, while what only reads goes on beside it.
    if ((pageProof_.valid() || !unproven_.empty() || pageDamage_) && kept->writes())
        if (const auto& damage = awaitPageProof())
            throw StoreError(*damage);
    return *kept;
}

std::vector<std::string> LocalBookConnection::unwritableParts()
{
    std::vector<std::string> unwritable;
    for (const TableDef* table : allTables()) {
        if (!isOpen(*table))
            continue;
        const std::filesystem::path file = table->pathUnder(dataRoot());
        if (sqlite3_db_readonly(db_, schemaOf(*table).c_str()) == 1 || !platform::folderWritable(file.parent_path()))
            unwritable.push_back(file.string());
    }
    return unwritable;
}

// The file a statement's failure is told against: the one table file it names, or the
// book's folder for a statement over several files or none (a transaction's begin and end).
std::string LocalBookConnection::fileNamedIn(const std::string& sql) const
{
    const TableDef* named = nullptr;
    for (const TableDef* table : allTables()) {
        if (!isOpen(*table) || sql.find(sqlName(schemaOf(*table)) + ".") == std::string::npos)
            continue;
        if (named)
            return dataRoot().string();
        named = table;
    }
    return named ? named->pathUnder(dataRoot()).string() : dataRoot().string();
}

void LocalBookConnection::startPageProof()
{
    if (pageProof_.valid() || unproven_.empty())
        return;
    // One file after another on one thread: the window being shown keeps the other core.
    pageProof_ = std::async(std::launch::async, [files = std::move(unproven_)]() -> std::optional<std::string> {
        for (const std::filesystem::path& file : files) {
            try {
                if (auto damage = damagedPages(file))
                    return cannotOpenTable(file, damagedFile(*damage));
            } catch (const StoreError& error) {
                return cannotOpenTable(file, error.what());
            }
        }
        return std::nullopt;
    });
    unproven_.clear();
}

PageProof LocalBookConnection::pageProof()
{
    startPageProof();
    if (pageProof_.valid() && pageProof_.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return {false, std::nullopt};
    return {true, awaitPageProof()};
}

std::optional<std::string> LocalBookConnection::pageDamage()
{
    return awaitPageProof();
}

const std::optional<std::string>& LocalBookConnection::awaitPageProof()
{
    startPageProof();
    while (pageProof_.valid()) {
        if (std::optional<std::string> damage = pageProof_.get(); damage && !pageDamage_)
            pageDamage_ = std::move(damage);
        startPageProof(); // files opened while it was under way
    }
    return pageDamage_;
}

void LocalBookConnection::beginWrite()
{
    // The pages are proven while the write reads what it needs; its first change waits for
    // the answer (see statement). A book found damaged already is refused at once.
    startPageProof();
    if (pageDamage_)
        throw StoreError(*pageDamage_);
    // IMMEDIATE takes the write lock at once and waits for it: a deferred begin that reads
    // first is refused without waiting while another program writes.
    execute("BEGIN IMMEDIATE");
    if (!fileOnWriteAheadLog()) {
        noteHistoryMarks();
        return;
    }
    execute("ROLLBACK");
    for (const TableDef* table : allTables()) {
        if (!isOpen(*table))
            continue;
        try {
            configure(schemaOf(*table));
        } catch (const StoreError&) {
            // Still held by the program that switched it; refused below.
        }
    }
    execute("BEGIN IMMEDIATE");
    if (const std::optional<std::string> file = fileOnWriteAheadLog()) {
        execute("ROLLBACK");
        throw StoreError(worded("LocalBookConnection",
                                "لم يُحفظ شيء: حوّل برنامج آخر الملف %1 إلى سجل الكتابة المسبقة (WAL)، فلا تُحفظ "
                                "الملفات الخمسة معاً. أغلق البرنامج الآخر وأعد المحاولة")
                             .arg(isolatedLeftToRight(*file)));
    }
    noteHistoryMarks();
}

void LocalBookConnection::noteHistoryMarks()
{
    historyMarks_.clear();
    for (const TableDef* table : allTables()) {
        if (!isOpen(*table))
            continue;
        Statement& last = statement("SELECT coalesce(max(\"Id\"), 0) FROM " + historyTarget(*this, *table));
        StatementUse use(last);
        last.step();
        historyMarks_[std::string(table->name)] = last.integer(0);
    }
}

void LocalBookConnection::nameHistoryRows()
{
    const std::string writer = who();
    for (const TableDef* table : allTables()) {
        const auto mark = historyMarks_.find(std::string(table->name));
        if (mark == historyMarks_.end())
            continue;
        Statement& name = statement("UPDATE " + historyTarget(*this, *table)
                                    + " SET \"Action\" = ?1, \"Who\" = ?2 WHERE \"Id\" > ?3 AND \"Action\" IS NULL");
        StatementUse use(name);
        name.bind(1, std::string_view(action()));
        name.bind(2, std::string_view(writer));
        name.bind(3, mark->second);
        name.step();
    }
}

void LocalBookConnection::commit()
{
    // Rows written while the history was quiet are the operation's own, or copies that keep
    // what they said: only those the triggers wrote before are named.
    if (inTransaction() && !historyMarks_.empty()) {
        if (quiet_) {
            for (const TableDef* table : allTables())
                if (isOpen(*table))
                    for (const std::string& sql : localHistoryTriggerStatements(*table, schemaOf(*table)))
                        execute(sql);
        } else {
            nameHistoryRows();
        }
    }
    quiet_ = false;
    historyMarks_.clear();
    execute("COMMIT");
}

void LocalBookConnection::rollback()
{
    quiet_ = false;
    historyMarks_.clear();
    BookConnection::rollback();
}

void LocalBookConnection::quietHistory()
{
    if (quiet_)
        return;
    nameHistoryRows();
    for (const TableDef* table : allTables())
        if (isOpen(*table))
            for (const std::string& sql : localHistoryDropStatements(*table, schemaOf(*table)))
                execute(sql);
    quiet_ = true;
}

std::optional<std::string> LocalBookConnection::fileOnWriteAheadLog()
{
    for (const TableDef* table : allTables()) {
        if (!isOpen(*table))
            continue;
        Statement& mode = statement("PRAGMA " + sqlName(schemaOf(*table)) + ".journal_mode");
        StatementUse use(mode);
        if (mode.step() && mode.text(0) == "wal")
            return table->pathUnder(dataRoot()).string();
    }
    return std::nullopt;
}

bool LocalBookConnection::holdsClosedYears()
{
    Statement& held = statement("SELECT 1 FROM \"main\".sqlite_schema WHERE type = 'table' AND name = ?1");
    StatementUse use(held);
    held.bind(1, std::string_view("ClosedYears"));
    return held.step();
}

std::int64_t LocalBookConnection::tableChanges(const TableDef& table)
{
    Statement& version = statement("PRAGMA " + sqlName(schemaOf(table)) + ".data_version");
    StatementUse use(version);
    version.step();
    return version.integer(0) + ownWrites(table);
}

void LocalBookConnection::copyInto(const std::filesystem::path& aside)
{
    // Under this connection's own write lock on every file, before it has changed a page (a
    // change first puts the page's old content in the file's journal), no program can change
    // the files: they are copied as they lie, far faster than page by page through the engine.
    const bool heldUnchanged = std::all_of(allTables().begin(), allTables().end(), [this](const TableDef* table) {
        std::error_code unknown;
        return isOpen(*table) && sqlite3_txn_state(db_, schemaOf(*table).c_str()) == SQLITE_TXN_WRITE
               && !std::filesystem::exists(table->pathUnder(dataRoot()).string() + "-journal", unknown) && !unknown;
    });
    if (!heldUnchanged) {
        copyBookFiles(dataRoot(), aside);
        return;
    }
    for (const TableDef* table : allTables())
        copyFileAsItLies(db_, schemaOf(*table), table->pathUnder(aside));
}

std::optional<std::string> LocalBookConnection::fileProblem()
{
    return bookFileProblem(dataRoot());
}

void LocalBookConnection::claimAlone()
{
    if (db_)
        throw std::logic_error("the book is claimed alone before its tables are opened");
    inUse_.emplace(dataRoot(), BookInUse::Claim::Alone);
}

std::string LocalBookConnection::insertKeepingKeySql(const TableDef& table) const
{
    std::string columns, values;
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        columns += (i ? ", " : "") + sqlName(table.fields[i].name);
        values += (i ? ", ?" : "?") + std::to_string(i + 1);
    }
    return "INSERT INTO " + sqlName(schemaOf(table)) + "." + sqlName(table.name) + " (" + columns + ") VALUES (" + values
           + ")";
}

std::int64_t LocalBookConnection::keysGiven(const TableDef& table)
{
    Statement& given = statement("SELECT seq FROM " + sqlName(schemaOf(table)) + ".sqlite_sequence WHERE name = ?1");
    StatementUse use(given);
    given.bind(1, table.name);
    return given.step() ? given.integer(0) : 0;
}

void LocalBookConnection::giveKeysAbove(const TableDef& table, std::int64_t highest)
{
    // The engine keeps one row a table here, made at the table's first insert.
    const std::string sequence = sqlName(schemaOf(table)) + ".sqlite_sequence";
    Statement& forget = statement("DELETE FROM " + sequence + " WHERE name = ?1");
    StatementUse forgetting(forget);
    forget.bind(1, table.name);
    forget.step();
    Statement& give = statement("INSERT INTO " + sequence + " (name, seq) VALUES (?1, ?2)");
    StatementUse giving(give);
    give.bind(1, table.name);
    give.bind(2, highest);
    give.step();
}

void LocalBookConnection::beginRead()
{
    execute("BEGIN");
}

bool LocalBookConnection::inTransaction() const
{
    return db_ && sqlite3_get_autocommit(db_) == 0;
}

int LocalBookConnection::fullScanSteps() const
{
    int steps = 0;
    for (const auto& [sql, kept] : statements_)
        steps += kept->fullScanSteps();
    return steps;
}

int LocalBookConnection::sorts() const
{
    int count = 0;
    for (const auto& [sql, kept] : statements_)
        count += kept->sorts();
    return count;
}

void LocalBookConnection::clearCounters()
{
    for (const auto& [sql, kept] : statements_)
        kept->clearCounters();
}

} // namespace store
