#include "YearClose.h"

#include "Isolated.h"
#include "BookBackup.h"
#include "ReadOnlyBook.h"
#include "Schema.h"
#include "Statement.h"
#include "StoreError.h"

#include <sqlite3.h>

#include <limits>

namespace store {
namespace {

constexpr std::int32_t longService = 10; // years from which the entitlement is 21 days

std::int32_t entitlementFor(std::int32_t years)
{
    return years >= longService ? 21 : 14;
}

std::optional<std::int32_t> wholeNumber(const Statement& row, int column)
{
    if (row.isNull(column) || !row.isInteger(column))
        return std::nullopt;
    const std::int64_t value = row.integer(column);
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return std::int32_t(value);
}

const char* const workersSql = "SELECT \"Auto\", ifnull(\"WorkerName\", ''), \"ServesYears\", \"ServesStart\", "
                               "\"YearPermit\", \"AdministrationPermit\", \"HealthPermit\", \"NoHire\" "
                               "FROM main.\"worker\" ORDER BY \"Auto\"";

std::vector<YearCloseRow> plan(sqlite3* db, int year)
{
    std::vector<YearCloseRow> rows;
    Statement workers(db, workersSql);
    while (workers.step()) {
        YearCloseRow row{std::int32_t(workers.integer(0)), workers.text(1), wholeNumber(workers, 2), std::nullopt,
                         wholeNumber(workers, 4), std::nullopt, wholeNumber(workers, 5), wholeNumber(workers, 6),
                         wholeNumber(workers, 7)};
        std::optional<std::int64_t> after;
        if (const auto start = wholeNumber(workers, 3))
            after = std::int64_t(year) + 1 - *start;
        else if (row.yearsNow)
            after = std::int64_t(*row.yearsNow) + 1;
        if (after && (*after < std::numeric_limits<std::int32_t>::min() || *after > std::numeric_limits<std::int32_t>::max()))
            throw StoreError("العامل " + isolatedLeftToRight(std::to_string(row.worker)) + " «" + isolated(row.name)
                             + "» ستزيد سنوات خدمته على ما يتسع له الدفتر");
        if (after)
            row.yearsAfter = std::int32_t(*after);
        row.entitlementAfter = row.entitlementNow;
        if (row.yearsNow && row.yearsAfter && row.entitlementNow && *row.entitlementNow == entitlementFor(*row.yearsNow))
            row.entitlementAfter = entitlementFor(*row.yearsAfter);
        rows.push_back(std::move(row));
    }
    return rows;
}

// Everything the worker table holds, and how many entries each table holds: enough to tell
// a book from the one it was before a close.
std::vector<std::string> fingerprint(const std::filesystem::path& dataRoot)
{
    const ReadOnlyBook book(dataRoot);
    std::vector<std::string> lines;
    Statement workers(book.get(), "SELECT * FROM main.\"worker\" ORDER BY \"Auto\"");
    while (workers.step()) {
        std::string line;
        for (std::size_t i = 0; i < workerTable().fields.size(); ++i)
            line += (workers.isNull(int(i)) ? std::string("\x01") : workers.text(int(i))) + '\x1f';
        lines.push_back(line);
    }
    for (const TableDef* table : allTables()) {
        if (table == &workerTable())
            continue;
        Statement count(book.get(), "SELECT count(*) FROM " + sqlName(table->name) + "." + sqlName(table->name));
        count.step();
        lines.push_back(std::string(table->name) + ' ' + count.text(0));
    }
    return lines;
}

// A close cut short: its archive is ready under `closing`. If the book no longer is the one
// archived, the close was stored and only the archive's name is missing; else nothing of
// the close was stored and its archive goes.
void finishOrUndo(const std::filesystem::path& dataRoot, const std::filesystem::path& closing,
                  const std::filesystem::path& archive)
{
    if (fingerprint(dataRoot) != fingerprint(closing)) {
        std::filesystem::rename(closing, archive);
        throw StoreError("أُقفلت السنة من قبل، وأرشيفها في " + isolatedLeftToRight(archive.string()));
    }
    std::filesystem::remove_all(closing);
}

// The live book, opened to be written, all five files in one transaction.
class WritableBook {
public:
    explicit WritableBook(const std::filesystem::path& dataRoot)
        : db_(openAttachedBook(dataRoot, SQLITE_OPEN_READWRITE))
    {
        sqlite3_busy_timeout(db_, 2000); // another program's write is a refusal, not a long wait
    }
    ~WritableBook()
    {
        if (sqlite3_get_autocommit(db_) == 0)
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(db_);
    }
    WritableBook(const WritableBook&) = delete;
    WritableBook& operator=(const WritableBook&) = delete;
    sqlite3* get() const { return db_; }
    void run(const std::string& sql) { Statement(db_, sql).step(); }

private:
    sqlite3* db_ = nullptr;
};

void applyClose(sqlite3* db, int year, const std::vector<YearCloseRow>& plan)
{
    Statement update(db, "UPDATE main.\"worker\" SET \"ServesYears\" = ?2, \"YearPermit\" = ?3, "
                         "\"AdministrationPermit\" = NULL, \"HealthPermit\" = NULL, \"NoHire\" = NULL, "
                         "\"ExcessMonth\" = NULL WHERE \"Auto\" = ?1");
    for (const YearCloseRow& row : plan) {
        update.bind(1, row.worker);
        row.yearsAfter ? update.bind(2, *row.yearsAfter) : update.bindNull(2);
        row.entitlementAfter ? update.bind(3, *row.entitlementAfter) : update.bindNull(3);
        update.step();
        update.reset();
    }
    for (const TableDef* table : allTables())
        if (table != &workerTable())
            Statement(db, "DELETE FROM " + sqlName(table->name) + "." + sqlName(table->name)).step();
    // The hourly balance below a day is leave already taken: carried, as an entry of its own.
    Statement carried(db, "INSERT INTO \"PermitHours\".\"PermitHours\" (\"Index\", \"Hours\", \"Minute\", "
                          "\"HorsPermit\", \"Date\", \"Month\") SELECT \"Auto\", \"Hours\", \"Minute\", "
                          "\"HorsPermit\", ?1, '' FROM main.\"worker\" WHERE ifnull(\"Hours\", 0) <> 0 "
                          "OR ifnull(\"Minute\", 0) <> 0");
    carried.bind(1, "من " + std::to_string(year));
    carried.step();
}

} // namespace

std::vector<YearCloseRow> planYearClose(const std::filesystem::path& dataRoot, int year)
{
    const ReadOnlyBook book(dataRoot);
    return plan(book.get(), year);
}

void closeYear(const std::filesystem::path& dataRoot, int year, int currentYear,
               const std::filesystem::path& archives)
{
    if (year > currentYear)
        throw StoreError("لم تنته سنة " + isolatedLeftToRight(std::to_string(year)) + " بعد: لا يمكن إقفالها");
    const std::filesystem::path archive = archives / std::to_string(year);
    if (std::filesystem::exists(archive))
        throw StoreError("سنة " + isolatedLeftToRight(std::to_string(year)) + " مقفلة من قبل، وأرشيفها في "
                         + isolatedLeftToRight(archive.string()));
    const std::filesystem::path closing = archives / (std::to_string(year) + ".closing");
    if (std::filesystem::exists(closing))
        finishOrUndo(dataRoot, closing, archive);

    WritableBook book(dataRoot);
    try {
        book.run("BEGIN IMMEDIATE"); // no other program writes until the close is stored
    } catch (const StoreError& error) {
        throw StoreError(std::string("برنامج آخر يكتب في الدفتر: ") + error.what());
    }
    const std::vector<YearCloseRow> changes = plan(book.get(), year);
    backUpBook(dataRoot, closing); // read beside our write lock, before anything is written
    try {
        applyClose(book.get(), year, changes);
        book.run("COMMIT");
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove_all(closing, ignored); // nothing of the close was stored
        throw;
    }
    std::filesystem::rename(closing, archive);
}

} // namespace store
