#include "DataModule.h"
#include "Statement.h"
#include "TableSetup.h"
#include "TempBook.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

using testing_support::TempBook;

namespace {

// Another SQLite tool writing the worker table with nothing but SQLite's own functions.
void writeAsAnotherTool(const std::filesystem::path& root, const std::vector<const char*>& names)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((root / "worker/worker.db").string().c_str(), &db), SQLITE_OK);
    for (const char* name : names) {
        store::Statement insert(db, "INSERT INTO worker (WorkerName) VALUES (?1)");
        if (name)
            insert.bind(1, std::string_view(name));
        insert.step();
    }
    {
        store::Statement rename(db, "UPDATE worker SET WorkerName = WorkerName WHERE Auto = 1");
        rename.step();
    } // finalized before the close, which would otherwise fail and keep the connection
    sqlite3_close(db);
}

std::vector<std::int32_t> walk(store::Cursor& cursor, bool forward)
{
    std::vector<std::int32_t> seen;
    forward ? cursor.First() : cursor.Last();
    while (!cursor.IsEmpty()) {
        seen.push_back(cursor.FieldByName("Auto").AsInteger());
        forward ? cursor.Next() : cursor.Prior();
        if (forward ? cursor.Eof() : cursor.Bof())
            break;
    }
    return seen;
}

} // namespace

// Each spelling finds the other, both ways. Beside the stored name the book holds the
// typed text with a letter after it: a search that compared unfolded bytes would stand on
// that one, since it sorts between the two spellings or after both.
TEST(FoldedNames, EachSpellingOfANameFindsTheOther)
{
    // The alef wasla and the superscript alef are outside the book's character set: they
    // can only be typed, never stored.
    const struct {
        const char* one;
        const char* other;
        bool oneStorable = true;
    } spellings[] = {
        {"إبراهيم", "ابراهيم"}, {"أحمد", "احمد"},   {"آمنة", "امنة"},          {"ٱلياس", "الياس", false},
        {"فاطمة", "فاطمه"},     {"مصطفى", "مصطفي"}, {"مؤمن", "مومن"},          {"هانئ", "هاني"},
        {"مُحَمَّد", "محمد"},       {"عـلـي", "علي"},   {"رحمٰن", "رحمن", false}, {"Salim", "salim"},
        {"SALIM", "Salim"},     {"أُسامة", "اسامه"},
    };
    for (const auto& spelling : spellings)
        for (const bool reversed : {false, true}) {
            if (!reversed && !spelling.oneStorable)
                continue;
            const std::string stored = reversed ? spelling.other : spelling.one;
            const std::string typed = reversed ? spelling.one : spelling.other;
            SCOPED_TRACE("stored " + stored + ", typed " + typed);
            TempBook book;
            auto dm = book.open();
            testing_support::addWorker(*dm, (reversed && !spelling.oneStorable ? stored : typed) + "ز");
            const std::int32_t wanted = testing_support::addWorker(*dm, stored);
            dm->TableMWN.FindNearest(typed);
            EXPECT_EQ(dm->TableMWNAuto.AsInteger(), wanted) << "stood on " << dm->TableMWNWorkerName.Text();
        }
}

// Names that fold alike keep their stored order, then Auto, so namesakes follow one
// another; a name left NULL comes first. The grids' key list, a walk either way and the
// search agree, on names another SQLite tool wrote.
TEST(FoldedNames, NamesakesFollowOneAnotherInStoredOrderThenAuto)
{
    TempBook book;
    writeAsAnotherTool(book.root(), {"فاطمة", "فاطمه", "فاطمة", "فاطِمة", "احمد", nullptr, "أحمد", "Zaid", "zaid"});
    auto dm = book.open();
    // احمد/أحمد fold alike: أ (d8 a3) sorts before ا (d8 a7) as stored. Latin folds to
    // lower case and sorts before Arabic. فاطمة (ة d8 a9) < فاطمه (ه d9 87) < فاطِمة (kasra d9 90).
    const std::vector<std::int32_t> expected{6, 8, 9, 7, 5, 1, 3, 2, 4};
    EXPECT_EQ(dm->TableMWN.keysInOrder(), expected);
    EXPECT_EQ(walk(dm->TableMWN, true), expected);
    EXPECT_EQ(walk(dm->TableMWN, false), std::vector<std::int32_t>(expected.rbegin(), expected.rend()));
    dm->TableMWN.FindNearest("فاطمه");
    EXPECT_EQ(dm->TableMWNAuto.AsInteger(), 1);
    dm->TableMWN.FindNearest("ZAID");
    EXPECT_EQ(dm->TableMWNAuto.AsInteger(), 8);
}

// A book made before the index of folded names: the program refuses it and says what
// adds the index; the setup tool adds it without touching a row, and only once.
TEST(FoldedNames, AnOlderBookIsGivenItsIndexByTheSetupToolWithItsRowsUntouched)
{
    TempBook book;
    writeAsAnotherTool(book.root(), {"إبراهيم", "Salim"});
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open((book.root() / "worker/worker.db").string().c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, "DROP INDEX WorkerNameFolded", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    const testing_support::BookContents before = testing_support::readBook(book.root());
    EXPECT_NE(testing_support::thrownBy([&] { book.open(); }).find("يضيفه \u2066ijazat-setup"), std::string::npos);

    const store::SetupReport report = store::createMissingTables(book.root());
    EXPECT_TRUE(report.problems.empty()) << report.problems.front();
    EXPECT_EQ(report.indexed, std::vector<std::string>{"worker/worker.db"});
    EXPECT_TRUE(report.created.empty());
    EXPECT_EQ(testing_support::readBook(book.root()), before);
    auto dm = book.open();
    dm->TableMWN.FindNearest("ابراهيم");
    EXPECT_EQ(dm->TableMWNAuto.AsInteger(), 1);
    EXPECT_TRUE(store::createMissingTables(book.root()).indexed.empty()) << "added once";
}
