// The old program's book, five Paradox tables the tests write with pxlib, moved in.
#include "AdministrativePosting.h"
#include "BookCheck.h"
#include "BookCommands.h"
#include "BookTables.h"
#include "DataModule.h"
#include "MoveIn.h"
#include "OldTables.h"
#include "Schema.h"
#include "TempBook.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <fstream>
#include <sstream>

using testing_support::oldLayout;
using testing_support::OldField;
using testing_support::TempBook;
using testing_support::writeOldBook;
using testing_support::writeOldTable;

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

Outcome book(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = runBookCommand(args, out, err, "2026-12-09_101500");
    return {status, out.str(), err.str()};
}

std::string bytesOf(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

TEST(MoveIn, BringsTheOldBookWholeKeysBlanksAndArabicTextKeptAndItsInconsistenciesTold)
{
    TempBook old, fresh;
    writeOldBook(old.root());
    const Outcome dry = book({"--data-root", fresh.root().string(), "move-in", old.root().string(), "--dry-run"});
    ASSERT_EQ(dry.status, 0) << dry.err;
    EXPECT_TRUE(testing_support::readBook(fresh.root()).at("worker").empty()) << "a dry run writes nothing";

    const Outcome moved = book({"--data-root", fresh.root().string(), "move-in", old.root().string()});
    ASSERT_EQ(moved.status, 0) << moved.err;
    EXPECT_EQ(moved.out.substr(moved.out.find('\n')), dry.out.substr(dry.out.find('\n'))) << "the dry run told the same";
    for (const char* counted : {"العمال: 3\n", "القيود الإدارية: 2\n", "القيود الساعية: 1\n", "القيود الصحية: 2\n",
                                "القيود بلا أجر: 0\n"})
        EXPECT_NE(moved.out.find(counted), std::string::npos) << counted << moved.out;

    const auto stored = testing_support::readBook(fresh.root());
    using Record = std::vector<std::string>;
    EXPECT_EQ(stored.at("worker"), (std::vector<Record>{
                                       {"3", "سالم الحلبي ", "12", "2014", "21", "6", "1.30", "<null>", "<null>", "0", "1", "30"},
                                       {"9", "Huda", "<null>", "<null>", "14", "<null>", "<null>", "2", "<null>", "<null>",
                                        "<null>", "<null>"},
                                       {"2147483000", "نور", "1", "2025", "14", "3", "<null>", "<null>", "<null>", "0",
                                        "<null>", "<null>"}}));
    EXPECT_EQ(stored.at("PermitAdmin")[1], (Record{"4", "2147483000", "3", "<null>", " 5/3/2026", "3"}));
    // What check finds in the new book is what the move-in told: kept, never corrected.
    const auto findings = operations::checkBook(*testing_support::connectionTo(fresh.root()));
    ASSERT_EQ(findings.size(), 2u) << "Salim's administrative days, and the entry of a worker deleted long ago";
    for (const operations::Finding& finding : findings)
        EXPECT_NE(moved.out.find("كما كان في الدفتر القديم: " + finding.text), std::string::npos) << finding.text;

    // Its history says each field of each record came with the move-in, printed or as a sheet.
    const Outcome history = book({"--data-root", fresh.root().string(), "history", "--worker", "3"});
    ASSERT_EQ(history.status, 0) << history.err;
    std::istringstream lines(history.out);
    int moveInLines = 0, otherLines = 0;
    for (std::string line; std::getline(lines, line);)
        ++(line.find("«\u2068سالم الحلبي \u2069»  نقل الدفتر القديم  ") != std::string::npos ? moveInLines : otherLines);
    EXPECT_EQ(otherLines, 1) << "only the count\n" << history.out;
    EXPECT_NE(history.out.find("أسطر السجل: " + std::to_string(moveInLines) + "\n"), std::string::npos) << history.out;
    EXPECT_GE(moveInLines, 9) << "Salim's nine fields given, and his entries'";
    const std::filesystem::path sheet = fresh.root().parent_path() / "history.csv";
    ASSERT_EQ(book({"--data-root", fresh.root().string(), "history", "--csv", sheet.string()}).status, 0);
    EXPECT_EQ(bytesOf(sheet).find("\xEF\xBB\xBFالوقت,العامل,اسم العامل"), 0u);
    EXPECT_EQ(book({"--data-root", fresh.root().string(), "history", "--since", "9/12/2026"}).status, 2);

    // The program works on it: every worker in the summary, a posting to a moved worker.
    const std::unique_ptr<store::TDataModule1> opened = fresh.open();
    EXPECT_EQ(store::summaryRows(opened->connection()).size(), 3u);
    opened->TableM.FindKey(3);
    leave::postAdministrativeLeave(*opened, "1", {"9", "12", "2026"});
    EXPECT_EQ(opened->TableMAdministrationPermit.AsInteger(), 7);
    EXPECT_GT(opened->TablePermitAdmin.FieldByName("Auto").AsInteger(), 4) << "keys go on above the old ones";
}

// A table the old book cannot give whole refuses the move-in, naming the table and why, and
// nothing is written; so does a book that is not empty.
TEST(MoveIn, RefusesABadTableOrABookNotEmptyWithNothingWritten)
{
    const auto layoutWithout = [](const store::TableDef& table, std::size_t dropped) {
        std::vector<OldField> fields = oldLayout(table);
        fields.erase(fields.begin() + std::ptrdiff_t(dropped));
        return fields;
    };
    struct Spoiling {
        const char* what;
        std::function<void(const std::filesystem::path& old)> spoil;
        std::string file, said;
    };
    const std::vector<Spoiling> spoilings = {
        {"not Paradox", [](const auto& old) { std::ofstream(store::permitHoursTable().pathUnder(old)) << "SQLite format 3"; },
         "PermitHours/PermitHours.DB", "ليس جدولاً من جداول Paradox"},
        {"cut short", [](const auto& old) { std::filesystem::resize_file(store::workerTable().pathUnder(old), 2100); },
         "worker/worker.db", "الملف مقطوع"},
        {"missing", [](const auto& old) { std::filesystem::remove(store::permitNoHireTable().pathUnder(old)); },
         "PermitNoHire/PermitNoHire.DB", "الملف غير موجود"},
        {"a field less",
         [&](const auto& old) {
             writeOldTable(store::workerTable().pathUnder(old), layoutWithout(store::workerTable(), 11), {});
         },
         "worker/worker.db", "في الجدول 11 حقلاً والدفتر يحتاج 12"},
        {"another type",
         [](const auto& old) {
             std::vector<OldField> fields = oldLayout(store::permitAdminTable());
             fields[4].length = 10;
             writeOldTable(store::permitAdminTable().pathUnder(old), fields, {});
         },
         "PermitAdmin/PermitAdmin.DB", "نوع الحقل \u2066Date\u2069 ليس \u2066A12 (Alpha)\u2069"},
        {"another name",
         [](const auto& old) {
             std::vector<OldField> fields = oldLayout(store::permitHealthTable());
             fields[2].name = "Days";
             writeOldTable(store::permitHealthTable().pathUnder(old), fields, {});
         },
         "PermitHealth/PermitHealth.DB", "الحقل رقم 3 هو \u2066Days\u2069 والدفتر يحتاج \u2066HealthPermit\u2069"},
        {"a book not empty", [](const auto&) {}, "", "عمال أو قيود من قبل"},
    };
    for (const Spoiling& spoiling : spoilings) {
        SCOPED_TRACE(spoiling.what);
        TempBook old, fresh;
        writeOldBook(old.root());
        spoiling.spoil(old.root());
        if (spoiling.file.empty())
            testing_support::addWorker(*fresh.open(), "Already");
        const auto before = testing_support::readBook(fresh.root());
        const Outcome refused = book({"--data-root", fresh.root().string(), "move-in", old.root().string()});
        EXPECT_EQ(refused.status, 1) << refused.out;
        EXPECT_NE(refused.err.find(spoiling.said), std::string::npos) << refused.err;
        EXPECT_NE(refused.err.find((spoiling.file.empty() ? fresh.root() : old.root() / spoiling.file).string()),
                  std::string::npos)
            << refused.err;
        EXPECT_EQ(testing_support::readBook(fresh.root()), before) << "nothing written";
    }
}

// The old tables at the very place the book belongs: kept byte for byte beside it, the new
// book made in their place; the program's start-up meeting them names the command.
TEST(MoveIn, AtTheDataRootKeepsTheOldFolderAsItWasAndMakesTheBookInItsPlace)
{
    TempBook place;
    std::filesystem::remove_all(place.root());
    writeOldBook(place.root());
    const std::filesystem::path oldWorkers = store::workerTable().pathUnder(place.root());
    const std::string bytes = bytesOf(oldWorkers);

    EXPECT_EQ(book({"--data-root", place.root().string(), "move-in", place.root().string(), "--dry-run"}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(operations::keptOldBook(place.root()))) << "a dry run moves nothing";
    const Outcome moved = book({"--data-root", place.root().string(), "move-in", place.root().string()});
    ASSERT_EQ(moved.status, 0) << moved.err;
    const std::filesystem::path kept = store::workerTable().pathUnder(operations::keptOldBook(place.root()));
    EXPECT_EQ(bytesOf(kept), bytes) << "the old table, byte for byte";
    EXPECT_EQ(testing_support::readBook(place.root()).at("worker").size(), 3u);
    EXPECT_EQ(book({"--data-root", place.root().string(), "move-in", place.root().string()}).status, 1)
        << "a second move-in finds the book no longer empty";
    EXPECT_EQ(bytesOf(kept), bytes) << "the kept folder untouched";

    // A move-in cut short after the old folder was kept goes on from it when given again.
    std::filesystem::remove_all(place.root());
    const Outcome again = book({"--data-root", place.root().string(), "move-in", place.root().string()});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(testing_support::readBook(place.root()).at("worker").size(), 3u);
}
