#include "Schema.h"
#include "Statement.h"
#include "TableSetup.h"
#include "TempBook.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string bytesOf(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void runSql(const std::filesystem::path& path, const std::string& sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.string().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

struct FreshRoot : ::testing::Test {
    std::filesystem::path root = std::filesystem::temp_directory_path() / ("ijazat-setup-" + std::to_string(getpid()));
    void SetUp() override { std::filesystem::remove_all(root); }
    void TearDown() override { std::filesystem::remove_all(root); }
};

} // namespace

TEST_F(FreshRoot, CreatesTheFiveTablesAtTheirExactPaths)
{
    const store::SetupReport report = store::createMissingTables(root);
    EXPECT_TRUE(report.problems.empty());
    EXPECT_EQ(report.created, (std::vector<std::string>{"worker/worker.db", "PermitAdmin/PermitAdmin.DB",
                                                        "PermitHours/PermitHours.DB", "PermitHealth/PermitHealth.DB",
                                                        "PermitNoHire/PermitNoHire.DB"}));
    for (const std::string& relative : report.created)
        EXPECT_TRUE(std::filesystem::is_regular_file(root / relative)) << relative;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root / "worker"), {}), 1)
        << "nothing but the table is left in its folder";
}

TEST_F(FreshRoot, TablesHoldTheFieldsInStoredOrderWithTheirIndexes)
{
    store::createMissingTables(root);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((root / "PermitHours/PermitHours.DB").string().c_str(), &db), SQLITE_OK);
    {
        store::Statement columns(db, "SELECT name, type FROM pragma_table_info('PermitHours')");
        std::vector<std::string> seen;
        while (columns.step())
            seen.push_back(columns.text(0) + " " + columns.text(1));
        EXPECT_EQ(seen, (std::vector<std::string>{"Auto INTEGER", "Index INTEGER", "HorsPermit TEXT",
                                                  "ExcessMonth INTEGER", "Hours INTEGER", "Minute INTEGER",
                                                  "Date TEXT", "Month TEXT"}));
        store::Statement index(db, "SELECT name FROM pragma_index_info('indexx')");
        ASSERT_TRUE(index.step());
        EXPECT_EQ(index.text(0), "Index");
    }
    sqlite3_close(db);
}

TEST_F(FreshRoot, ASecondRunCreatesNothingAndLeavesTheFilesAlone)
{
    store::createMissingTables(root);
    {
        store::TDataModule1 book(root);
        testing_support::addWorker(book, "Salim");
    }
    const std::string before = bytesOf(root / "worker/worker.db");
    const store::SetupReport again = store::createMissingTables(root);
    EXPECT_TRUE(again.created.empty());
    EXPECT_TRUE(again.problems.empty());
    EXPECT_EQ(bytesOf(root / "worker/worker.db"), before);
}

TEST_F(FreshRoot, CreatesOnlyTheMissingTable)
{
    store::createMissingTables(root);
    std::filesystem::remove_all(root / "PermitHealth");
    const store::SetupReport report = store::createMissingTables(root);
    EXPECT_EQ(report.created, std::vector<std::string>{"PermitHealth/PermitHealth.DB"});
}

TEST_F(FreshRoot, AForeignFileIsReportedAndLeftUntouched)
{
    std::filesystem::create_directories(root / "PermitAdmin");
    std::ofstream(root / "PermitAdmin/PermitAdmin.DB") << "not a table at all";
    const store::SetupReport report = store::createMissingTables(root);
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_NE(report.problems.front().find("PermitAdmin.DB"), std::string::npos);
    EXPECT_EQ(bytesOf(root / "PermitAdmin/PermitAdmin.DB"), "not a table at all");
    EXPECT_EQ(report.created.size(), 4u) << "the other tables are still created";
}

TEST_F(FreshRoot, ATableOfTheWrongShapeIsReportedAndLeftUntouched)
{
    store::createMissingTables(root);
    const struct {
        const char* file;
        const char* sql;
        const char* problem;
    } cases[] = {
        {"worker/worker.db", "DROP INDEX \"WorkerName\"", "WorkerName"},
        {"worker/worker.db", "DROP INDEX WorkerNameFolded; CREATE INDEX WorkerNameFolded ON worker (lower(WorkerName))",
         "ليس الذي يصنعه الدفتر"},
        {"PermitAdmin/PermitAdmin.DB", "ALTER TABLE PermitAdmin RENAME COLUMN Month TO Mon", "Month"},
        {"PermitHealth/PermitHealth.DB", "ALTER TABLE PermitHealth ADD COLUMN Extra INTEGER", "Extra"},
        {"PermitNoHire/PermitNoHire.DB", "DROP TABLE PermitNoHire; CREATE TABLE PermitNoHire(x)", "Auto"},
    };
    for (const auto& damage : cases) {
        SCOPED_TRACE(damage.file);
        runSql(root / damage.file, damage.sql);
        const std::string before = bytesOf(root / damage.file);
        const store::SetupReport report = store::createMissingTables(root);
        ASSERT_EQ(report.problems.size(), 1u);
        EXPECT_NE(report.problems.front().find(damage.problem), std::string::npos) << report.problems.front();
        EXPECT_EQ(bytesOf(root / damage.file), before);
        std::filesystem::remove(root / damage.file);
        store::createMissingTables(root);
    }
}

// A book made before the history, or one whose trigger a tool removed: the program refuses
// it and says what adds the history; the setup tool adds it, touching no row.
TEST(History, AnOlderBookIsGivenItsHistoryByTheSetupToolWithItsRowsUntouched)
{
    for (const char* removed : {"DROP TRIGGER workerHistoryInsert; DROP TRIGGER workerHistoryUpdate; "
                                "DROP TRIGGER workerHistoryDelete; DROP TABLE workerHistory",
                                "DROP TRIGGER workerHistoryDelete"}) {
        SCOPED_TRACE(removed);
        testing_support::TempBook book;
        testing_support::addWorker(*book.open(), "Salim");
        runSql(book.root() / "worker/worker.db", removed);
        const testing_support::BookContents before = testing_support::readBook(book.root());
        EXPECT_NE(testing_support::thrownBy([&] { book.open(); }).find("\u2066ijazat-setup"), std::string::npos);

        const store::SetupReport report = store::createMissingTables(book.root());
        EXPECT_EQ(report.historied, std::vector<std::string>{"worker/worker.db"});
        EXPECT_TRUE(report.problems.empty()) << report.problems.front();
        EXPECT_EQ(testing_support::readBook(book.root()), before);
        book.open()->TableM.Delete();
        sqlite3* db = nullptr;
        sqlite3_open((book.root() / "worker/worker.db").string().c_str(), &db);
        {
            store::Statement deleted(db, "SELECT count(*) FROM workerHistory WHERE Change = 'delete'");
            deleted.step();
            EXPECT_EQ(deleted.integer(0), 3) << "the delete is recorded: name, entitlement, hours text";
        }
        sqlite3_close(db);
        EXPECT_TRUE(store::createMissingTables(book.root()).historied.empty()) << "added once";
    }
}

TEST(AutoNumbers, GrowAndAreNeverReusedAfterADelete)
{
    testing_support::TempBook book;
    auto dm = book.open();
    const int first = testing_support::addWorker(*dm, "A");
    const int second = testing_support::addWorker(*dm, "B");
    EXPECT_GT(second, first);
    dm->TableM.Last();
    dm->TableM.Delete();
    const int third = testing_support::addWorker(*dm, "C");
    EXPECT_GT(third, second);
    dm.reset();
    dm = book.open();
    dm->TableM.Last();
    dm->TableM.Delete();
    EXPECT_GT(testing_support::addWorker(*dm, "D"), third) << "not even after the program restarts";
}
