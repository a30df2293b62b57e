#include "YearClose.h"

#include "ActionOnBook.h"
#include "ArabicCodePage.h"
#include "BookConnection.h"
#include "BookCopy.h"
#include "ClosedYears.h"
#include "CopyUnderProof.h"
#include "Excess.h"
#include "FieldSizes.h"
#include "History.h"
#include "HourlyCarry.h"
#include "Isolated.h"
#include "Leftovers.h"
#include "Processes.h"
#include "Schema.h"
#include "ServiceYears.h"
#include "StoreError.h"
#include "Wording.h"

#include <algorithm>
#include <functional>
#include <limits>


namespace operations {

using namespace store;

namespace {

constexpr std::string_view closingMark = ".closing-";

std::string year(int value)
{
    return isolatedLeftToRight(std::to_string(value));
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

std::string figureText(const std::optional<std::int32_t>& value)
{
    return value ? std::to_string(*value) : std::string();
}

// The table as SQL reaches it on `book`, whatever kind of book it is.
std::string target(BookConnection& book, const TableDef& table)
{
    return sqlName(book.schemaOf(table)) + "." + sqlName(table.name);
}

// The hourly balance of a day or more settled as the hourly posting's carries would, had
// they run as often as needed.
void settle(YearCloseRow& row)
{
    rules::HourlyBalance balance{row.administrative.value_or(0), row.hours.value_or(0), row.minutes.value_or(0)};
    const rules::HourlyBalance before = balance;
    rules::carryAll(balance);
    if (balance.days == before.days && balance.hours == before.hours)
        return;
    const std::int64_t excess = rules::excessDays(balance.days, row.entitlementNow.value_or(0));
    const std::int64_t moved = before.minutes - balance.minutes;
    for (const std::int64_t value : {balance.days, excess, moved})
        if (value > std::numeric_limits<std::int32_t>::max())
            throw StoreError(worded("YearClose", "العامل %1 «%2»: أيام رصيد ساعاته أكبر مما يتسع له الدفتر")
                                 .arg(isolatedLeftToRight(std::to_string(row.worker)))
                                 .arg(isolated(row.name)));
    row.hoursSettled = std::int32_t(balance.hours - before.hours);
    row.minutesSettled = std::int32_t(-moved);
    row.daysSettled = std::int32_t(balance.days - before.days);
    row.administrative = std::int32_t(balance.days);
    row.hours = std::int32_t(balance.hours);
    row.minutes = std::int32_t(balance.minutes);
    row.excess = std::int32_t(excess);
    row.hoursText = fitTextToField(rules::hoursText(figureText(row.hours), figureText(row.minutes)), rules::hoursTextSize, "HorsPermit");
}

std::vector<YearCloseRow> plan(BookConnection& book, int closing)
{
    std::vector<YearCloseRow> rows;
    {
        // A row a worker, made in place: a large book's plan is not moved as it grows.
        BookStatement& count = book.statement("SELECT count(*) FROM " + target(book, workerTable()));
        StatementUse use(count);
        if (count.step())
            rows.reserve(std::size_t(count.integer(0)));
    }
    BookStatement& workers = book.statement(
        "SELECT \"Auto\", coalesce(\"WorkerName\", ''), \"ServesYears\", \"ServesStart\", \"YearPermit\", "
        "\"AdministrationPermit\", \"HealthPermit\", \"NoHire\", \"ExcessMonth\", \"Hours\", \"Minute\", "
        "coalesce(\"HorsPermit\", '') FROM " + target(book, workerTable()) + " ORDER BY \"Auto\"");
    StatementUse use(workers);
    while (workers.step()) {
        YearCloseRow row;
        row.worker = std::int32_t(workers.integer(0));
        row.name = workers.text(1);
        row.yearsNow = wholeNumber(workers, 2);
        row.entitlementNow = wholeNumber(workers, 4);
        row.administrative = wholeNumber(workers, 5);
        row.sick = wholeNumber(workers, 6);
        row.unpaid = wholeNumber(workers, 7);
        row.excess = wholeNumber(workers, 8);
        row.hours = wholeNumber(workers, 9);
        row.minutes = wholeNumber(workers, 10);
        row.hoursText = workers.text(11);
        std::optional<std::int64_t> after;
        if (const auto start = wholeNumber(workers, 3))
            after = std::int64_t(closing) + 1 - *start;
        else if (row.yearsNow)
            after = std::int64_t(*row.yearsNow) + 1;
        if (after && (*after < std::numeric_limits<std::int32_t>::min() || *after > std::numeric_limits<std::int32_t>::max()))
            throw StoreError(worded("YearClose", "العامل %1 «%2» ستزيد سنوات خدمته على ما يتسع له الدفتر")
                                 .arg(isolatedLeftToRight(std::to_string(row.worker)))
                                 .arg(isolated(row.name)));
        if (after)
            row.yearsAfter = std::int32_t(*after);
        row.entitlementAfter = row.entitlementNow;
        if (row.yearsNow && row.yearsAfter && row.entitlementNow && *row.entitlementNow == rules::entitlementFor(*row.yearsNow))
            row.entitlementAfter = rules::entitlementFor(*row.yearsAfter);
        settle(row);
        rows.push_back(std::move(row));
    }
    return rows;
}

// The years closed: the book's own record, or, in a book closed before that record was
// kept, the years archived beside it.
std::vector<int> yearsClosed(BookConnection& book, const std::filesystem::path& archives)
{
    std::vector<int> years = closedYears(book);
    if (!years.empty())
        return years;
    std::error_code unreadable;
    for (const auto& entry : std::filesystem::directory_iterator(archives, unreadable)) {
        const std::string name = entry.path().filename().string();
        if (name.size() == 4 && name.find_first_not_of("0123456789") == std::string::npos && entry.is_directory(unreadable))
            years.push_back(std::stoi(name));
    }
    std::sort(years.begin(), years.end());
    return years;
}

std::string nextAfter(int lastClosed, int currentYear)
{
    return lastClosed + 1 < currentYear
               ? worded("YearClose", "والسنة التي تُقفل الآن هي %1").arg(year(lastClosed + 1))
               : worded("YearClose", "والسنة التالية %1 تُقفل من أول يوم في سنة %2")
                     .arg(year(lastClosed + 1))
                     .arg(year(lastClosed + 2));
}

// Archives left aside by closes whose program died: one whose close was stored gets its
// name; any other (a close undone, a copy cut short) goes. REQUIRES: the write lock is held,
// so no close is under way but those of programs still running.
void finishLeftovers(const std::vector<int>& closed, const std::filesystem::path& archives)
{
    std::error_code unreadable;
    std::vector<std::filesystem::path> leftovers;
    for (const auto& entry : std::filesystem::directory_iterator(archives, unreadable)) {
        const std::string name = entry.path().filename().string();
        if (name.size() < 4 || name.find_first_not_of("0123456789") != 4)
            continue;
        const long owner = leftoverOwner(name, name.substr(0, 4), closingMark);
        if (owner != 0 && !platform::processRunning(owner))
            leftovers.push_back(entry.path());
    }
    for (const std::filesystem::path& leftover : leftovers) {
        const std::string name = leftover.filename().string();
        const int closedYear = std::stoi(name.substr(0, 4));
        const std::filesystem::path archive = archives / name.substr(0, 4);
        const bool whole = name.find('.', 4 + closingMark.size()) == std::string::npos;
        if (whole && std::binary_search(closed.begin(), closed.end(), closedYear) && !std::filesystem::exists(archive))
            std::filesystem::rename(leftover, archive);
        else
            std::filesystem::remove_all(leftover);
    }
}

// Settling the balance is recorded as entries of the closing year, so its archive's
// totals are what its entries add up to: the hours and minutes moved, and the days they made.
void recordSettlements(BookConnection& book, int closing, const std::vector<YearCloseRow>& plan)
{
    BookStatement& worker = book.statement(
        "UPDATE " + target(book, workerTable()) + " SET \"Hours\" = ?2, \"Minute\" = ?3, \"HorsPermit\" = ?4, "
        "\"AdministrationPermit\" = ?5, \"ExcessMonth\" = ?6 WHERE \"Auto\" = ?1");
    BookStatement& hourly = book.statement(
        "INSERT INTO " + target(book, permitHoursTable()) + " (\"Index\", \"Hours\", \"Minute\", \"HorsPermit\", "
        "\"Date\", \"Month\") VALUES (?1, ?2, ?3, ?4, ?5, '')");
    BookStatement& administrative = book.statement(
        "INSERT INTO " + target(book, permitAdminTable()) + " (\"Index\", \"AdministrationPermit\", \"ExcessMonth\", "
        "\"Date\", \"Month\") VALUES (?1, ?2, ?3, ?4, '')");
    const std::string settled = "تسوية " + std::to_string(closing);
    for (const YearCloseRow& row : plan) {
        if (row.hoursSettled == 0 && row.minutesSettled == 0 && row.daysSettled == 0)
            continue;
        {
            StatementUse use(worker);
            worker.bind(1, row.worker);
            worker.bind(2, *row.hours);
            worker.bind(3, *row.minutes);
            worker.bind(4, std::string_view(row.hoursText));
            worker.bind(5, *row.administrative);
            worker.bind(6, *row.excess);
            worker.step();
        }
        {
            StatementUse use(hourly);
            hourly.bind(1, row.worker);
            hourly.bind(2, row.hoursSettled);
            hourly.bind(3, row.minutesSettled);
            hourly.bind(4, std::string_view(fitTextToField(
                               rules::hoursText(std::to_string(row.hoursSettled), std::to_string(row.minutesSettled)), rules::hoursTextSize, "HorsPermit")));
            hourly.bind(5, std::string_view(settled));
            hourly.step();
        }
        if (row.daysSettled != 0) {
            StatementUse use(administrative);
            administrative.bind(1, row.worker);
            administrative.bind(2, row.daysSettled);
            administrative.bind(3, *row.excess);
            administrative.bind(4, std::string_view(settled));
            administrative.step();
        }
    }
    book.noteWrite(workerTable());
    book.noteWrite(permitHoursTable());
    book.noteWrite(permitAdminTable());
}

// The archive: the book as the close's lock found it, copied beside the lock (a local book
// file by file), then settled in the copy as the close settles the book. So it holds the
// closing year as it now stands, settled, its history with it, without the book being
// written out row by row.
void fillArchive(BookConnection& book, int closing, const std::vector<YearCloseRow>& changes,
                 const std::filesystem::path& copy)
{
    book.copyInto(copy);
    BookOptions provenOnceSettled; // by CopyUnderProof, as every copy is
    provenOnceSettled.pagesProven = BookOptions::PagesProven::ByCaller;
    writeIntoCopy(copy, provenOnceSettled, [&](BookConnection& archive) {
        const ActionOnBook closingYear(archive, bookAction::yearClose);
        recordSettlements(archive, closing, changes);
        archive.nameHistoryRows(); // while the action is the close's
    });
    // A book whose pages were read beside the copying: its damage is told as the book's,
    // before the copy, which carries it, is proven and told as damaged itself.
    if (auto damage = book.pageDamage())
        throw StoreError(*damage);
}

// The archive is the book page for page: one that cannot be made or is found damaged may be
// a copy of a damaged book, whose own file is then named, read once the close's changes are
// undone.
void namingADamagedBook(BookConnection& book, const std::function<void()>& archiving)
{
    try {
        archiving();
    } catch (const StoreError&) {
        book.rollback();
        if (auto problem = book.fileProblem())
            throw StoreError(*problem);
        throw;
    }
}

void applyClose(BookConnection& book, int closing, const std::vector<YearCloseRow>& plan)
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
    carried.bind(1, "من " + std::to_string(closing));
    carried.step();
    book.noteWrite(permitHoursTable());
}

} // namespace

std::vector<YearCloseRow> planYearClose(BookConnection& book, int closing)
{
    openEveryTable(book);
    return plan(book, closing);
}

std::optional<std::string> yearCloseRefusal(BookConnection& book, int closing, int currentYear,
                                            const std::filesystem::path& archives)
{
    openEveryTable(book);
    if (closing >= currentYear)
        return worded("YearClose", "لم تنته سنة %1 بعد: تُقفل من أول يوم في سنة %2").arg(year(closing)).arg(year(closing + 1));
    const std::vector<int> closed = yearsClosed(book, archives);
    if (!closed.empty()) {
        const int last = closed.back();
        if (std::binary_search(closed.begin(), closed.end(), closing))
            return worded("YearClose", "سنة %1 مقفلة من قبل، %2").arg(year(closing)).arg(nextAfter(last, currentYear));
        if (closing != last + 1)
            return worded("YearClose", "تُقفل السنوات بالترتيب وآخر سنة أُقفلت هي %1، %2")
                .arg(year(last))
                .arg(nextAfter(last, currentYear));
    }
    const std::filesystem::path archive = archives / std::to_string(closing);
    if (std::filesystem::exists(archive))
        return worded("YearClose", "في %1 أرشيف لسنة %2 من قبل والدفتر لا يذكر إقفالها: انقله من مكانه ثم أعد الإقفال")
            .arg(isolatedLeftToRight(archive.string()))
            .arg(year(closing));
    return std::nullopt;
}

int yearToClose(BookConnection& book, int currentYear, const std::filesystem::path& archives)
{
    openEveryTable(book);
    const std::vector<int> closed = yearsClosed(book, archives);
    return closed.empty() ? currentYear - 1 : std::min(closed.back() + 1, currentYear - 1);
}

std::filesystem::path closeYear(BookConnection& book, int closing, int currentYear, const std::filesystem::path& archives)
{
    openEveryTable(book);
    if (closing >= currentYear) // told at once, without waiting for the lock
        throw StoreError(*yearCloseRefusal(book, closing, currentYear, archives));
    const ActionOnBook closingYear(book, bookAction::yearClose);
    try {
        book.beginWrite(); // no other program writes, nor closes, until the close is stored
    } catch (const StoreError& error) {
        throw StoreError(worded("YearClose", "الدفتر يستعمله برنامج آخر: %1").arg(error.what()));
    }
    const std::filesystem::path archive = archives / std::to_string(closing);
    const std::filesystem::path aside = asideOf(archive, closingMark);
    try {
        finishLeftovers(closedYears(book), archives);
        if (auto refusal = yearCloseRefusal(book, closing, currentYear, archives))
            throw StoreError(*refusal);
        const std::vector<YearCloseRow> changes = plan(book, closing);
        // The archive is proven while the close changes the book, and answers for the book's
        // pages before anything is stored.
        std::optional<CopyUnderProof> archived;
        namingADamagedBook(book, [&] {
            archived.emplace(aside, [&](const std::filesystem::path& copy) { fillArchive(book, closing, changes, copy); });
        });
        recordSettlements(book, closing, changes);
        book.nameHistoryRows();
        // The year's history went to the archive; the new year's begins with the close.
        book.quietHistory();
        applyClose(book, closing, changes);
        emptyHistory(book);
        markEveryWorker(book, std::to_string(closing));
        recordClosedYear(book, closing);
        namingADamagedBook(book, [&] { archived->keep(); });
        book.keepArchive(closing, aside);
        book.commit();
    } catch (...) {
        book.rollback();
        std::error_code ignored;
        std::filesystem::remove_all(aside, ignored); // nothing of the close was stored
        throw;
    }
    // The close is stored: a folder that cannot take its name now gets it at the next close.
    std::error_code unnamed;
    std::filesystem::rename(aside, archive, unnamed);
    return unnamed ? aside : archive;
}

} // namespace operations
