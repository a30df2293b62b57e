#include "BookCheck.h"

#include "ActionOnBook.h"
#include "ArabicCodePage.h"
#include "BookConnection.h"
#include "BookCopy.h"
#include "Excess.h"
#include "FieldSizes.h"
#include "History.h"
#include "HourlyCarry.h"
#include "Isolated.h"
#include "LocalBookConnection.h"
#include "Schema.h"
#include "StoreError.h"
#include "Wording.h"

#include <algorithm>
#include <array>
#include <exception>
#include <future>
#include <limits>
#include <map>
#include <set>

namespace operations {

using namespace store;

namespace {

std::string target(const BookConnection& book, const TableDef& table)
{
    return sqlName(book.schemaOf(table)) + "." + sqlName(table.name);
}

// What the history says of the changes that neither a posting nor the move-in made
// (corrections, other programs, imports): how much each moved a worker's total or its entries
// of the kind, by worker and field, and the value each field of a worker was last given.
class Corrections {
public:
    explicit Corrections(BookConnection& book)
    {
        const auto moves = [&](const TableDef& table, std::map<std::pair<std::int64_t, std::string>, std::int64_t>& into) {
            BookStatement& rows = book.statement(
                "SELECT \"Worker\", \"Field\", sum(CAST(coalesce(\"After\", '0') AS bigint) - CAST(coalesce(\"Before\", '0') "
                "AS bigint)), sum(CASE WHEN \"Change\" = 'insert' THEN 0 ELSE 1 END) FROM " + historyTarget(book, table)
                + " WHERE \"Change\" <> 'mark' AND (\"Action\" IS NULL OR \"Action\" NOT IN ('administrative', 'hourly', "
                  "'sick', 'unpaid', 'move-in')) AND \"Field\" IN ('AdministrationPermit', 'HealthPermit', 'NoHire', "
                  "'Hours', 'Minute') GROUP BY \"Worker\", \"Field\"");
            StatementUse use(rows);
            while (rows.step()) {
                into[{rows.integer(0), rows.text(1)}] += rows.integer(2);
                if (rows.integer(3) > 0)
                    changed_.insert({rows.integer(0), rows.text(1)});
            }
        };
        moves(workerTable(), totals_);
        for (const TableDef* table : allTables())
            if (table != &workerTable())
                moves(*table, entries_);
        BookStatement& given = book.statement("SELECT \"Worker\", \"Field\", \"After\", \"Action\", \"Change\" FROM "
                                              + historyTarget(book, workerTable())
                                              + " WHERE \"Change\" <> 'mark' ORDER BY \"Id\"");
        StatementUse use(given);
        while (given.step()) {
            const std::pair<std::int64_t, std::string> key{given.integer(0), given.text(1)};
            last_[key] = given.isNull(2) ? std::nullopt : std::optional<std::string>(given.text(2));
            const bool byPosting = !given.isNull(3) && (bookAction::isPosting(given.text(3)) || given.text(3) == bookAction::moveIn);
            if (!byPosting && given.text(4) != "insert")
                corrected_.insert(key);
        }
    }

    // Whether the corrections account for a total that differs from its entries by
    // `difference`: to the day for sick and unpaid days, which only add up; for the
    // administrative days and the hourly balance, whose hours carry into days, when the
    // total or an entry that makes it was corrected or deleted at all (a record made with
    // its figures is where its story starts, not a correction).
    bool explain(std::int64_t worker, const std::string& field, std::int64_t difference) const
    {
        if (field == "HealthPermit" || field == "NoHire")
            return difference == moved(totals_, worker, field) - moved(entries_, worker, field);
        return std::any_of(carried.begin(), carried.end(),
                           [&](const char* part) { return changed_.count({worker, part}) > 0; });
    }
    // Whether any of the fields was changed other than by a posting.
    bool corrected(std::int64_t worker, std::initializer_list<const char*> fields) const
    {
        return std::any_of(fields.begin(), fields.end(),
                           [&](const char* field) { return corrected_.count({worker, field}) > 0; });
    }
    // The value the history last gave the field, when it gave one.
    const std::optional<std::string>* lastGiven(std::int64_t worker, const std::string& field) const
    {
        const auto found = last_.find({worker, field});
        return found == last_.end() ? nullptr : &found->second;
    }

private:
    static constexpr std::array<const char*, 3> carried{"AdministrationPermit", "Hours", "Minute"};

    static std::int64_t moved(const std::map<std::pair<std::int64_t, std::string>, std::int64_t>& by, std::int64_t worker,
                              const std::string& field)
    {
        const auto found = by.find({worker, field});
        return found == by.end() ? 0 : found->second;
    }

    std::map<std::pair<std::int64_t, std::string>, std::int64_t> totals_, entries_;
    std::map<std::pair<std::int64_t, std::string>, std::optional<std::string>> last_;
    std::set<std::pair<std::int64_t, std::string>> changed_; // by a change or a delete
    std::set<std::pair<std::int64_t, std::string>> corrected_;
};

// What a worker's entries add up to, replayed as the postings made them.
struct Expected {
    rules::HourlyBalance hourly; // its days: the administrative entries and the days the hours carried
    std::int64_t sick = 0;
    std::int64_t unpaid = 0;
};

class Checking {
public:
    explicit Checking(BookConnection& book) : book_(book) {}

    std::vector<Finding> findings()
    {
        for (const TableDef* table : allTables())
            readThrough(*table);
        const Corrections corrections(book_);
        totals(corrections);
        unrecorded(corrections);
        return std::move(found_);
    }

private:
    void note(const TableDef& table, std::int64_t record, const std::string& what)
    {
        found_.push_back({false, worded("BookCheck", "%1: السجل %2: %3")
                                     .arg(isolatedLeftToRight(book_.whereIs(table)))
                                     .arg(record)
                                     .arg(what)});
    }

    // Every row of the table read once: its odd values, an entry that is no worker's, and what
    // the worker's entries add up to. Workers are read first, so an entry's worker is known.
    void readThrough(const TableDef& table)
    {
        BookStatement& rows = book_.statement("SELECT * FROM " + target(book_, table) + " ORDER BY \"Auto\"");
        const bool entries = &table != &workerTable();
        const int index = entries ? table.fieldPosition("Index") : 0;
        std::vector<std::pair<std::int64_t, std::string>> orphans; // told after the table's odd values, by record
        StatementUse reading(rows);
        while (rows.step()) {
            const std::int64_t record = rows.integer(0);
            oddValues(table, rows, record);
            if (!entries) {
                workers_.insert(record);
            } else if (rows.isNull(index)) {
                orphans.emplace_back(record, worded("BookCheck", "قيد ليس لعامل"));
            } else {
                if (!rows.isInteger(index) || workers_.count(rows.integer(index)) == 0)
                    orphans.emplace_back(record, worded("BookCheck", "قيد للعامل %1، وليس في الدفتر")
                                                     .arg(isolatedLeftToRight(controlsWrittenOut(rows.text(index)))));
                add(table, rows, expected_[rows.integer(index)]);
            }
        }
        for (const auto& [record, what] : orphans)
            note(table, record, what);
    }

    void oddValues(const TableDef& table, const BookStatement& rows, std::int64_t record)
    {
        for (std::size_t i = 1; i < table.fields.size(); ++i) {
            const FieldDef& field = table.fields[i];
            const int column = int(i);
            if (rows.isNull(column))
                continue;
            // Worded only for a value told: a sound book's values are only looked at.
            const auto name = [&field] { return isolatedLeftToRight(field.name); };
            const auto shown = [&rows, column] { return isolated(controlsWrittenOut(rows.text(column))); };
            if (field.type != FieldType::Text) {
                if (!rows.isInteger(column) || rows.integer(column) < std::numeric_limits<std::int32_t>::min()
                    || rows.integer(column) > std::numeric_limits<std::int32_t>::max())
                    note(table, record,
                         worded("BookCheck", "في الحقل %1 «%2»، وليس عدداً صحيحاً من 32 بتاً").arg(name()).arg(shown()));
                continue;
            }
            // Read as text first: bytes that are not text are then told as a character the book cannot keep.
            const std::string held = rows.text(column);
            if (!rows.isText(column)) {
                note(table, record, worded("BookCheck", "في الحقل %1 «%2»، وليس نصاً").arg(name()).arg(shown()));
                continue;
            }
            try {
                if (fitTextToField(held, field.size, field.name) != held)
                    note(table, record, worded("BookCheck", "في الحقل %1 أكثر من حروفه الـ%2").arg(name()).arg(field.size));
            } catch (const StoreError&) {
                note(table, record, worded("BookCheck", "في الحقل %1 حرف لا يحفظه الدفتر").arg(name()));
            }
        }
    }

    // What one entry adds to its worker's totals, as its posting did: the hourly entries in
    // the order they were posted, each carrying as the posting carries.
    static void add(const TableDef& table, const BookStatement& entry, Expected& into)
    {
        const auto figure = [&](std::string_view field) { return entry.integer(table.fieldPosition(field)); };
        if (&table == &permitAdminTable()) {
            into.hourly.days += figure("AdministrationPermit");
        } else if (&table == &permitHealthTable()) {
            into.sick += figure("HealthPermit");
        } else if (&table == &permitNoHireTable()) {
            into.unpaid += figure("NoHire");
        } else {
            into.hourly.hours += figure("Hours");
            into.hourly.minutes += figure("Minute");
            rules::carryOnce(into.hourly);
        }
    }

    // A field whose value is not the one its history last gave it was changed without the
    // book's history: with its triggers removed, or by damage.
    void unrecorded(const Corrections& corrections)
    {
        BookStatement& rows = book_.statement("SELECT * FROM " + target(book_, workerTable()) + " ORDER BY \"Auto\"");
        StatementUse reading(rows);
        while (rows.step()) {
            for (std::size_t i = 1; i < workerTable().fields.size(); ++i) {
                const std::string field(workerTable().fields[i].name);
                const std::optional<std::string>* given = corrections.lastGiven(rows.integer(0), field);
                const int column = int(i);
                const std::optional<std::string> now = rows.isNull(column) ? std::nullopt : std::optional<std::string>(rows.text(column));
                if (given && *given != now)
                    note(workerTable(), rows.integer(0),
                         worded("BookCheck", "الحقل %1 «%2»، وآخر ما سجّله سجل التغييرات «%3»: تغيّر دون أن يُسجَّل")
                             .arg(isolatedLeftToRight(field))
                             .arg(isolated(controlsWrittenOut(now.value_or(""))))
                             .arg(isolated(controlsWrittenOut(given->value_or("")))));
            }
        }
    }

    void totals(const Corrections& corrections)
    {
        BookStatement& workers = book_.statement(
            "SELECT \"Auto\", coalesce(\"WorkerName\", ''), coalesce(\"AdministrationPermit\", 0), "
            "coalesce(\"HealthPermit\", 0), coalesce(\"NoHire\", 0), coalesce(\"Hours\", 0), coalesce(\"Minute\", 0), "
            "coalesce(\"ExcessMonth\", 0), coalesce(\"YearPermit\", 0), coalesce(CAST(\"Hours\" AS TEXT), ''), "
            "coalesce(CAST(\"Minute\" AS TEXT), ''), coalesce(\"HorsPermit\", '') FROM "
            + target(book_, workerTable()) + " ORDER BY \"Auto\"");
        // Worded once, not for every worker.
        const std::string administrative = worded("BookCheck", "الأيام الإدارية");
        const std::string sick = worded("BookCheck", "الأيام الصحية");
        const std::string unpaid = worded("BookCheck", "الأيام بلا أجر");
        const std::string hours = worded("BookCheck", "ساعات الرصيد الساعي");
        const std::string minutes = worded("BookCheck", "دقائق الرصيد الساعي");
        StatementUse reading(workers);
        while (workers.step()) {
            const Expected& wanted = expected_[workers.integer(0)];
            const auto say = [&](const std::string& what) {
                found_.push_back({false, worded("BookCheck", "%1: العامل %2 «%3»: %4")
                                             .arg(isolatedLeftToRight(book_.whereIs(workerTable())))
                                             .arg(workers.integer(0))
                                             .arg(isolated(controlsWrittenOut(workers.text(1))))
                                             .arg(what)});
            };
            const std::int64_t worker = workers.integer(0);
            const auto compare = [&](int column, const std::string& what, std::int64_t entries) {
                static constexpr const char* fields[] = {nullptr, nullptr, "AdministrationPermit", "HealthPermit",
                                                         "NoHire", "Hours", "Minute"};
                if (workers.integer(column) != entries
                    && !corrections.explain(worker, fields[column], workers.integer(column) - entries))
                    say(worded("BookCheck", "%1 %2، وقيوده تعطي %3").arg(what).arg(workers.integer(column)).arg(entries));
            };
            compare(2, administrative, wanted.hourly.days);
            compare(3, sick, wanted.sick);
            compare(4, unpaid, wanted.unpaid);
            compare(5, hours, wanted.hourly.hours);
            compare(6, minutes, wanted.hourly.minutes);
            // The excess and the hours text as the postings write them from the worker's own figures.
            const std::int64_t excess = rules::excessDays(workers.integer(2), workers.integer(8));
            if (workers.integer(7) != excess
                && !corrections.corrected(worker, {"ExcessMonth", "AdministrationPermit", "YearPermit"}))
                say(worded("BookCheck", "الأيام المتجاوزة %1، وأيامه الإدارية فوق استحقاقه تعطي %2")
                        .arg(workers.integer(7))
                        .arg(excess));
            const std::string figures = workers.text(9) + workers.text(10);
            std::string hoursText = figures.empty() ? std::string() : rules::hoursText(workers.text(9), workers.text(10));
            try {
                hoursText = fitTextToField(hoursText, rules::hoursTextSize, "HorsPermit");
            } catch (const StoreError&) {
                continue; // told already, as a value outside the character set
            }
            if (workers.text(11) != hoursText && !corrections.corrected(worker, {"HorsPermit", "Hours", "Minute"}))
                say(worded("BookCheck", "نص الساعات «%1»، وساعاته ودقائقه تعطي «%2»")
                        .arg(isolatedLeftToRight(controlsWrittenOut(workers.text(11))))
                        .arg(isolatedLeftToRight(hoursText)));
        }
    }

    BookConnection& book_;
    std::vector<Finding> found_;
    std::set<std::int64_t> workers_;
    std::map<std::int64_t, Expected> expected_; // by worker
};

} // namespace

std::vector<Finding> findingsWithin(BookConnection& book)
{
    return Checking(book).findings();
}

std::vector<Finding> checkBook(BookConnection& book)
{
    // Every page is read through beside the findings, on connections of its own; a file found
    // damaged is told alone, whatever was read from it meanwhile.
    std::future<std::optional<std::string>> damage = std::async(std::launch::async, [&book] { return book.fileProblem(); });
    std::vector<Finding> findings;
    std::exception_ptr failed;
    try {
        openEveryTable(book);
        // One snapshot: a posting made meanwhile is seen whole or not at all.
        book.beginRead();
        try {
            findings = findingsWithin(book);
        } catch (...) {
            book.rollback();
            throw;
        }
        book.rollback(); // nothing was written: the snapshot ends
    } catch (...) {
        failed = std::current_exception();
    }
    if (std::optional<std::string> problem = damage.get())
        return {{true, *problem}};
    if (failed)
        std::rethrow_exception(failed);
    return findings;
}

} // namespace operations
