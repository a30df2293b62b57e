#include "LargeBook.h"

#include "LocalHistory.h"
#include "Schema.h"
#include "TableSetup.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <map>

namespace bench_book {
namespace {

// Entries of each kind per worker: 4 administrative, 2 hourly, 2 sick, 2 unpaid; and one
// worker, in the middle of the book, with 5,000 more.
constexpr int entriesPerWorker[] = {4, 2, 2, 2};
constexpr int manyEntries[] = {2000, 1000, 1000, 1000};

// Three-part names as an office's are written: 40 given names, 50 fathers' names (some of
// them two words), 50 family names.
const char* const givenNames[] = {
    "أحمد", "محمد", "محمود", "مصطفى", "علي", "عمر", "خالد", "سامر", "ياسر", "فادي", "رامي", "باسل", "هشام", "وليد",
    "زياد", "نبيل", "جمال", "كمال", "ماهر", "طارق", "فاطمة", "مريم", "زينب", "هدى", "سعاد", "ليلى", "نور", "رنا",
    "هبة", "سمر", "لمى", "ريم", "دعاء", "إيمان", "آمنة", "عائشة", "خديجة", "رقية", "إبراهيم", "يوسف"};
const char* const fathersNames[] = {
    "عبد الله", "عبد الرحمن", "عبد الكريم", "عبد الرزاق", "عبد الحميد", "حسن", "حسين", "سليمان", "داود", "موسى",
    "عيسى", "يعقوب", "إسماعيل", "إسحاق", "صالح", "سالم", "سعيد", "راشد", "حامد", "شاكر", "ناصر", "منصور", "فيصل",
    "عادل", "عدنان", "غسان", "مروان", "عثمان", "بكر", "جعفر", "رضا", "نزار", "وائل", "بشار", "هاني", "سامي", "فؤاد",
    "رياض", "عماد", "أنور", "أسعد", "أمين", "توفيق", "جميل", "حمدي", "زكي", "شريف", "صبحي", "ضياء", "مأمون"};
const char* const familyNames[] = {
    "الحلبي", "الدمشقي", "الحمصي", "الحموي", "اللاذقي", "الإدلبي", "الرقي", "الديري", "الحسني", "الشامي", "المصري",
    "البغدادي", "الموصلي", "البيروتي", "الطرابلسي", "النابلسي", "الخليلي", "المقدسي", "العطار", "النجار", "الحداد",
    "الخياط", "الصباغ", "الدباغ", "القصاب", "الطحان", "الحلاق", "الصائغ", "الزيات", "السمان", "الشيخ", "الخطيب",
    "الإمام", "القاضي", "المفتي", "الحكيم", "الطبيب", "الكاتب", "الشاعر", "العلي", "الأحمد", "المحمد", "الحسن",
    "الزعبي", "الخوري", "العظمة", "الأتاسي", "الجابري", "القدسي", "الكيلاني"};

} // namespace

std::string nameOf(int i, int count)
{
    const int n = int((std::int64_t(i) * 7919) % count);
    return std::string(givenNames[n % 40]) + " " + fathersNames[(n / 40) % 50] + " " + familyNames[(n / 2000) % 50];
}

namespace {

void dropHistoryTriggers(sqlite3* db, const store::TableDef& table)
{
    for (const std::string& sql : store::localHistoryDropStatements(table, "main"))
        sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
}

// The book as an office's would be: its workers and entries there before its history began.
void build(const std::filesystem::path& path, int count)
{
    std::filesystem::remove_all(path);
    store::createMissingTables(path);
    for (std::size_t t = 0; t < store::allTables().size(); ++t) {
        const store::TableDef& table = *store::allTables()[t];
        sqlite3* db = nullptr;
        sqlite3_open(table.pathUnder(path).string().c_str(), &db);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        dropHistoryTriggers(db, table);
        {
            const int heavy = count / 2;
            if (t == 0) {
                // Every total filled, as the entries below make them.
                store::Statement insert(db, "INSERT INTO worker (WorkerName, ServesYears, ServesStart, YearPermit, "
                                            "AdministrationPermit, HorsPermit, HealthPermit, NoHire, ExcessMonth, Hours, "
                                            "Minute) VALUES (?1, ?2, ?3, ?4, ?5, '5.0', ?6, ?6, ?7, 5, 0)");
                for (int i = 0; i < count; ++i) {
                    const int years = 1 + i % 30;
                    const bool many = i + 1 == heavy;
                    // The heavy worker's thousand hours carried 125 days.
                    const int entitlement = years < 10 ? 14 : 21, days = many ? 2000 + 4 + 125 : 4;
                    insert.bind(1, nameOf(i, count));
                    insert.bind(2, years);
                    insert.bind(3, 2026 - years);
                    insert.bind(4, entitlement);
                    insert.bind(5, days);
                    insert.bind(6, many ? 1002 : 2);
                    insert.bind(7, std::max(0, days - entitlement));
                    insert.step();
                    insert.reset();
                }
            } else {
                // An entry a day and a month of the year, its amount as the clerk typed it.
                const bool hourly = &table == &store::permitHoursTable();
                const std::string amount = hourly ? "Hours, Minute, HorsPermit" : std::string(table.fields[2].name);
                const std::string values = hourly ? "?2, ?3, ?4" : "?2";
                store::Statement insert(db, "INSERT INTO " + store::sqlName(table.name) + " (\"Index\", " + amount
                                                + ", \"Date\", \"Month\") VALUES (?1, " + values + ", ?5, ?6)");
                const auto add = [&](int worker, int k, bool many) {
                    const int day = 1 + k % 28, month = 1 + k % 12;
                    insert.bind(1, worker);
                    insert.bind(2, hourly ? (many ? 1 : 2) : 1);
                    if (hourly) {
                        insert.bind(3, many ? 0 : 30);
                        insert.bind(4, std::string_view(many ? "1.0" : "2.30"));
                    }
                    insert.bind(5, std::to_string(day) + "/" + std::to_string(month) + "/2026");
                    insert.bind(6, std::to_string(month));
                    insert.step();
                    insert.reset();
                };
                for (int k = 0; k < entriesPerWorker[t - 1]; ++k)
                    for (int worker = 1; worker <= count; ++worker)
                        add(worker, k + worker, false);
                for (int k = 0; k < manyEntries[t - 1]; ++k)
                    add(heavy, k, true);
            }
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    store::createMissingTables(path); // the history's triggers again
}

} // namespace

const std::filesystem::path& largeBook(int count)
{
    // Built once, then kept beside the benchmarks: the large one takes a while to write.
    static std::map<int, std::filesystem::path> books;
    auto& path = books[count];
    if (path.empty()) {
        path = std::filesystem::path(IJAZAT_BENCH_BOOKS) / std::to_string(count);
        // A book kept from an older build, made otherwise, is made again.
        if (!std::filesystem::exists(path / "office-book")) {
            build(path, count);
            std::ofstream(path / "office-book") << count << " workers\n";
        }
        store::createMissingTables(path); // a book kept from an older build gets the indexes it lacks
    }
    return path;
}

const std::filesystem::path& writableBook(int count, History history)
{
    static std::map<std::pair<int, History>, std::filesystem::path> copies;
    auto& path = copies[{count, history}];
    if (path.empty()) {
        path = std::filesystem::temp_directory_path()
               / ("ijazat-bench-" + std::to_string(count) + (history == History::Recorded ? "" : "-unrecorded"));
        std::filesystem::remove_all(path);
        std::filesystem::copy(largeBook(count), path, std::filesystem::copy_options::recursive);
        if (history == History::Unrecorded)
            for (const store::TableDef* table : store::allTables()) {
                sqlite3* db = nullptr;
                sqlite3_open(table->pathUnder(path).string().c_str(), &db);
                dropHistoryTriggers(db, *table);
                sqlite3_close(db);
            }
    }
    return path;
}

void readAll(store::Statement& statement, int columns)
{
    for (int c = 0; c < columns; ++c)
        benchmark::DoNotOptimize(statement.isNull(c) ? std::string() : statement.text(c));
}

BareBook::BareBook(int count, History history) : BareBook(writableBook(count, history)) {}

BareBook::BareBook(const std::filesystem::path& root)
{
    sqlite3_open_v2((root / "worker/worker.db").string().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, "PRAGMA main.synchronous = FULL", nullptr, nullptr, nullptr);
    for (const store::TableDef* table : store::allTables()) {
        if (table == &store::workerTable())
            continue;
        store::Statement attach(db, "ATTACH DATABASE ?1 AS " + store::sqlName(table->name));
        attach.bind(1, table->pathUnder(root).string());
        attach.step();
        sqlite3_exec(db, ("PRAGMA " + store::sqlName(table->name) + ".synchronous = FULL").c_str(), nullptr, nullptr,
                     nullptr);
    }
    for (const char* table : {"PermitAdmin", "PermitHours", "PermitHealth", "PermitNoHire"})
        entries.push_back(std::make_unique<store::Statement>(
            db, std::string("SELECT * FROM ") + table + "." + table + " WHERE \"Index\" = ?1 ORDER BY Auto LIMIT 1"));
}

BareBook::~BareBook()
{
    entries.clear();
    sqlite3_close_v2(db);
}

void BareBook::seekFirstEntries(std::int32_t worker)
{
    for (auto& entry : entries) {
        entry->bind(1, worker);
        if (entry->step())
            readAll(*entry, 5);
        entry->reset();
    }
}

} // namespace bench_book
