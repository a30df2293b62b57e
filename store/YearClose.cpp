#include "YearClose.h"

#include "BookCopy.h"
#include "Isolated.h"
#include "LocalBookConnection.h"
#include "Schema.h"
#include "StoreError.h"

#include <limits>

namespace store {
namespace {

constexpr std::int32_t longService = 10; // years from which the entitlement is 21 days

std::int32_t entitlementFor(std::int32_t years)
{
    return years >= longService ? 21 : 14;
}

std::optional<std::int32_t> wholeNumber(const BookStatement& row, int column)
{
    if (row.isNull(column) || !row.isInteger(column))
        return std::nullopt;
    const std::int64_t value = row.integer(column);
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return std::int32_t(value);
}

// The table as SQL reaches it on `book`, whatever kind of book it is.
std::string target(BookConnection& book, const TableDef& table)
{
    return sqlName(book.schemaOf(table)) + "." + sqlName(table.name);
}

std::vector<YearCloseRow> plan(BookConnection& book, int year)
{
    std::vector<YearCloseRow> rows;
    BookStatement& workers = book.statement(
        "SELECT \"Auto\", coalesce(\"WorkerName\", ''), \"ServesYears\", \"ServesStart\", \"YearPermit\", "
        "\"AdministrationPermit\", \"HealthPermit\", \"NoHire\" FROM " + target(book, workerTable()) + " ORDER BY \"Auto\"");
    StatementUse use(workers);
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
std::vector<std::string> fingerprint(BookConnection& book)
{
    std::vector<std::string> lines;
    BookStatement& workers = book.statement("SELECT * FROM " + target(book, workerTable()) + " ORDER BY \"Auto\"");
    StatementUse reading(workers);
    while (workers.step()) {
        std::string line;
        for (std::size_t i = 0; i < workerTable().fields.size(); ++i)
            line += (workers.isNull(int(i)) ? std::string("\x01") : workers.text(int(i))) + '\x1f';
        lines.push_back(line);
    }
    for (const TableDef* table : allTables()) {
        if (table == &workerTable())
            continue;
        BookStatement& count = book.statement("SELECT count(*) FROM " + target(book, *table));
        StatementUse counting(count);
        count.step();
        lines.push_back(std::string(table->name) + ' ' + std::to_string(count.integer(0)));
    }
    return lines;
}

// A close cut short: its archive is ready under `closing`. If the book no longer is the one
// archived, the close was stored and only the archive's name is missing; else nothing of
// the close was stored and its archive goes.
void finishOrUndo(BookConnection& book, const std::filesystem::path& closing, const std::filesystem::path& archive)
{
    std::vector<std::string> archived;
    {
        LocalBookConnection archivedBook(closing, {});
        openEveryTable(archivedBook);
        archived = fingerprint(archivedBook);
    }
    std::filesystem::remove(closing / ".in-use");
    if (fingerprint(book) != archived) {
        std::filesystem::rename(closing, archive);
        throw StoreError("أُقفلت السنة من قبل، وأرشيفها في " + isolatedLeftToRight(archive.string()));
    }
    std::filesystem::remove_all(closing);
}

void applyClose(BookConnection& book, int year, const std::vector<YearCloseRow>& plan)
{
    BookStatement& update = book.statement(
        "UPDATE " + target(book, workerTable()) + " SET \"ServesYears\" = ?2, \"YearPermit\" = ?3, "
        "\"AdministrationPermit\" = NULL, \"HealthPermit\" = NULL, \"NoHire\" = NULL, \"ExcessMonth\" = NULL "
        "WHERE \"Auto\" = ?1");
    for (const YearCloseRow& row : plan) {
        StatementUse use(update);
        update.bind(1, row.worker);
        row.yearsAfter ? update.bind(2, *row.yearsAfter) : update.bindNull(2);
        row.entitlementAfter ? update.bind(3, *row.entitlementAfter) : update.bindNull(3);
        update.step();
    }
    book.noteWrite(workerTable());
    for (const TableDef* table : allTables())
        if (table != &workerTable()) {
            book.execute("DELETE FROM " + target(book, *table));
            book.noteWrite(*table);
        }
    // The hourly balance below a day is leave already taken: carried, as an entry of its own.
    BookStatement& carried = book.statement(
        "INSERT INTO " + target(book, permitHoursTable()) + " (\"Index\", \"Hours\", \"Minute\", \"HorsPermit\", "
        "\"Date\", \"Month\") SELECT \"Auto\", \"Hours\", \"Minute\", \"HorsPermit\", ?1, '' FROM "
        + target(book, workerTable()) + " WHERE coalesce(\"Hours\", 0) <> 0 OR coalesce(\"Minute\", 0) <> 0");
    StatementUse use(carried);
    carried.bind(1, "من " + std::to_string(year));
    carried.step();
    book.noteWrite(permitHoursTable());
}

} // namespace

std::vector<YearCloseRow> planYearClose(BookConnection& book, int year)
{
    return plan(book, year);
}

std::vector<YearCloseRow> planYearClose(const std::filesystem::path& dataRoot, int year)
{
    LocalBookConnection book(dataRoot, {});
    openEveryTable(book);
    return plan(book, year);
}

void closeYear(const std::filesystem::path& dataRoot, int year, int currentYear,
               const std::filesystem::path& archives)
{
    // Another program's write is a refusal, not a long wait.
    LocalBookConnection book(dataRoot, {"", 2000});
    openEveryTable(book);
    closeYear(book, year, currentYear, archives);
}

void closeYear(BookConnection& book, int year, int currentYear, const std::filesystem::path& archives)
{
    if (year > currentYear)
        throw StoreError("لم تنته سنة " + isolatedLeftToRight(std::to_string(year)) + " بعد: لا يمكن إقفالها");
    const std::filesystem::path archive = archives / std::to_string(year);
    if (std::filesystem::exists(archive))
        throw StoreError("سنة " + isolatedLeftToRight(std::to_string(year)) + " مقفلة من قبل، وأرشيفها في "
                         + isolatedLeftToRight(archive.string()));
    const std::filesystem::path closing = archives / (std::to_string(year) + ".closing");
    if (std::filesystem::exists(closing))
        finishOrUndo(book, closing, archive);

    try {
        book.beginWrite(); // no other program writes until the close is stored
    } catch (const StoreError& error) {
        throw StoreError(std::string("برنامج آخر يكتب في الدفتر: ") + error.what());
    }
    try {
        const std::vector<YearCloseRow> changes = plan(book, year);
        book.backUpInto(closing); // read beside our write lock, before anything is written
        applyClose(book, year, changes);
        book.commit();
    } catch (...) {
        book.rollback();
        std::error_code ignored;
        std::filesystem::remove_all(closing, ignored); // nothing of the close was stored
        throw;
    }
    std::filesystem::rename(closing, archive);
}

} // namespace store
