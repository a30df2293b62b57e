#include "BookHistory.h"

#include "ActionOnBook.h"
#include "BookConnection.h"
#include "BookCopy.h"
#include "History.h"
#include "SpreadsheetFile.h"
#include "Wording.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>

namespace operations {

using namespace store;

namespace {

std::optional<std::string> value(const BookStatement& row, int column)
{
    return row.isNull(column) ? std::nullopt : std::optional<std::string>(row.text(column));
}

void readTable(BookConnection& book, const TableDef& table, const HistoryFilter& filter, std::vector<HistoryEntry>& into)
{
    const std::string sql = "SELECT \"Id\", \"At\", \"Worker\", \"Record\", \"Change\", \"Field\", \"Before\", \"After\", "
                            "\"Action\", \"Who\" FROM " + historyTarget(book, table) + " WHERE \"At\" >= ?1"
                            + (filter.worker ? " AND \"Worker\" = ?2" : "") + " ORDER BY \"Id\"";
    BookStatement& rows = book.statement(sql);
    StatementUse use(rows);
    rows.bind(1, filter.since);
    if (filter.worker)
        rows.bind(2, *filter.worker);
    while (rows.step()) {
        HistoryEntry entry;
        entry.table = &table;
        entry.id = rows.integer(0);
        entry.at = rows.integer(1);
        entry.worker = rows.integer(2);
        entry.record = rows.integer(3);
        entry.change = rows.text(4);
        entry.field = rows.text(5);
        entry.before = value(rows, 6);
        entry.after = value(rows, 7);
        entry.action = value(rows, 8);
        entry.who = rows.text(9);
        into.push_back(std::move(entry));
    }
}

// The names each worker had, in the order the history gave them, and the one it has now.
class NamesThen {
public:
    NamesThen(BookConnection& book, const HistoryFilter& filter)
    {
        const std::string onlyOne = filter.worker ? " AND \"Worker\" = ?1" : "";
        BookStatement& changes = book.statement("SELECT \"Worker\", \"At\", \"Before\", \"After\" FROM "
                                                + historyTarget(book, workerTable())
                                                + " WHERE \"Field\" = 'WorkerName'" + onlyOne + " ORDER BY \"Id\"");
        {
            StatementUse use(changes);
            if (filter.worker)
                changes.bind(1, *filter.worker);
            while (changes.step())
                changes_[changes.integer(0)].push_back({changes.integer(1), value(changes, 2), value(changes, 3)});
        }
        BookStatement& now = book.statement("SELECT \"Auto\", \"WorkerName\" FROM " + sqlName(book.schemaOf(workerTable()))
                                            + "." + sqlName(workerTable().name)
                                            + (filter.worker ? " WHERE \"Auto\" = ?1" : ""));
        StatementUse use(now);
        if (filter.worker)
            now.bind(1, *filter.worker);
        while (now.step())
            now_[now.integer(0)] = now.isNull(1) ? std::string() : now.text(1);
    }

    std::string at(std::int64_t worker, std::int64_t moment) const
    {
        const auto changed = changes_.find(worker);
        if (changed != changes_.end() && !changed->second.empty()) {
            const std::vector<Change>& list = changed->second;
            const auto after = std::find_if(list.rbegin(), list.rend(), [moment](const Change& c) { return c.at <= moment; });
            if (after != list.rend())
                return after->after.value_or(after->before.value_or(""));
            return list.front().before.value_or("");
        }
        const auto named = now_.find(worker);
        return named == now_.end() ? std::string() : named->second;
    }

private:
    struct Change {
        std::int64_t at;
        std::optional<std::string> before, after;
    };
    std::map<std::int64_t, std::vector<Change>> changes_;
    std::map<std::int64_t, std::string> now_;
};

std::string kindWords(const TableDef& table)
{
    if (&table == &permitAdminTable())
        return worded("BookHistory", "قيد إداري");
    if (&table == &permitHoursTable())
        return worded("BookHistory", "قيد ساعي");
    if (&table == &permitHealthTable())
        return worded("BookHistory", "قيد صحي");
    return worded("BookHistory", "قيد بلا أجر");
}

} // namespace

std::vector<HistoryEntry> readHistory(BookConnection& book, const HistoryFilter& filter)
{
    openEveryTable(book);
    std::vector<HistoryEntry> history;
    book.beginRead(); // one snapshot of the five histories
    try {
        for (const TableDef* table : allTables())
            readTable(book, *table, filter, history);
        const NamesThen names(book, filter);
        for (HistoryEntry& entry : history)
            entry.workerName = names.at(entry.worker, entry.at);
    } catch (...) {
        book.rollback();
        throw;
    }
    book.rollback(); // nothing was written: the snapshot ends
    const auto position = [](const TableDef* table) {
        return std::find(allTables().begin(), allTables().end(), table) - allTables().begin();
    };
    std::stable_sort(history.begin(), history.end(), [&](const HistoryEntry& a, const HistoryEntry& b) {
        if (a.at != b.at)
            return a.at > b.at;
        if (a.table != b.table)
            return position(a.table) > position(b.table); // a posting's entry after its worker's totals
        return a.id > b.id;
    });
    return history;
}

std::string localTimeText(std::int64_t at)
{
    const std::time_t moment = std::time_t(at);
    const std::tm* local = std::localtime(&moment);
    char text[32] = "";
    if (local)
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local);
    return text;
}

std::optional<std::int64_t> startOfDay(const std::string& date)
{
    int year = 0, month = 0, day = 0;
    char end = 0;
    if (date.size() != 10 || std::sscanf(date.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &end) != 3 || month < 1
        || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_isdst = -1;
    const std::time_t start = std::mktime(&local);
    if (start == std::time_t(-1) || local.tm_mday != day)
        return std::nullopt;
    return std::int64_t(start);
}

std::string actionWords(const HistoryEntry& entry)
{
    if (!entry.action)
        return worded("BookHistory", "برنامج آخر");
    const std::string& action = *entry.action;
    const std::pair<std::string_view, Wording> words[] = {
        {bookAction::administrative, worded("BookHistory", "إجازة إدارية")},
        {bookAction::hourly, worded("BookHistory", "إجازة ساعية")},
        {bookAction::sick, worded("BookHistory", "إجازة صحية")},
        {bookAction::unpaid, worded("BookHistory", "إجازة بلا أجر")},
        {bookAction::newWorker, worded("BookHistory", "عامل جديد")},
        {bookAction::correction, worded("BookHistory", "تعديل ذاتية عامل")},
        {bookAction::import, worded("BookHistory", "استيراد قائمة الموظفين")},
        {bookAction::moveIn, worded("BookHistory", "نقل الدفتر القديم")},
        {bookAction::yearClose, worded("BookHistory", "إقفال السنة")},
        {bookAction::restore, worded("BookHistory", "استعادة نسخة احتياطية")},
    };
    for (const auto& [code, said] : words)
        if (action == code)
            return said;
    return worded("BookHistory", "برنامج الإجازات");
}

std::string fieldWords(const HistoryEntry& entry)
{
    if (entry.change == "mark")
        return valueWords(entry.after); // what the operation said of the worker
    const std::pair<std::string_view, Wording> fields[] = {
        {"WorkerName", worded("BookHistory", "اسم العامل")},
        {"ServesYears", worded("BookHistory", "سنوات الخدمة")},
        {"ServesStart", worded("BookHistory", "بداية الخدمة")},
        {"YearPermit", worded("BookHistory", "الإستحقاق السنوي")},
        {"AdministrationPermit", worded("BookHistory", "الأيام الإدارية")},
        {"HorsPermit", worded("BookHistory", "نص الساعات")},
        {"HealthPermit", worded("BookHistory", "الأيام الصحية")},
        {"NoHire", worded("BookHistory", "الأيام بلا أجر")},
        {"ExcessMonth", worded("BookHistory", "الأيام المتجاوزة")},
        {"Hours", worded("BookHistory", "الساعات")},
        {"Minute", worded("BookHistory", "الدقائق")},
        {"Date", worded("BookHistory", "التاريخ")},
        {"Month", worded("BookHistory", "الشهر")},
        {"Index", worded("BookHistory", "العامل")},
    };
    std::string field = entry.field;
    for (const auto& [name, said] : fields)
        if (entry.field == name)
            field = said;
    if (entry.table == &workerTable())
        return field;
    return worded("BookHistory", "%1 %2: %3").arg(kindWords(*entry.table)).arg(entry.record).arg(field);
}

std::string valueWords(const std::optional<std::string>& value)
{
    return value ? *value : std::string("-");
}

void writeHistorySheet(const std::vector<HistoryEntry>& history, const std::filesystem::path& file)
{
    const std::vector<std::string> titles{"الوقت", "العامل", "اسم العامل", "ما غيّره", "ما تغيّر", "قبل", "بعد", "من"};
    std::vector<SheetRow> rows;
    for (const HistoryEntry& entry : history)
        rows.push_back({localTimeText(entry.at), entry.worker, entry.workerName, actionWords(entry),
                        fieldWords(entry),
                        entry.change == "mark" ? std::string() : valueWords(entry.before),
                        entry.change == "mark" ? std::string() : valueWords(entry.after), entry.who});
    writeSpreadsheet(file, titles, rows);
}

} // namespace operations
