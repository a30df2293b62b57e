#include "DataModule.h"
#include "Statement.h"
#include "TempBook.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

using testing_support::TempBook;

namespace {

// 10,000 workers with made-up names, and three entries of each kind for every tenth one.
void fillLargeBook(const std::filesystem::path& root)
{
    for (const store::TableDef* table : store::allTables()) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(table->pathUnder(root).string().c_str(), &db), SQLITE_OK);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        if (table == &store::workerTable()) {
            store::Statement insert(db, "INSERT INTO worker (WorkerName, YearPermit) VALUES (?1, 14)");
            for (int i = 0; i < 10000; ++i) {
                insert.bind(1, "worker " + std::to_string((i * 7919) % 10000));
                insert.step();
                insert.reset();
            }
        } else {
            store::Statement insert(db, "INSERT INTO " + store::sqlName(table->name) + " (\"Index\") VALUES (?1)");
            for (int worker = 1; worker <= 10000; worker += 10)
                for (int k = 0; k < 3; ++k) {
                    insert.bind(1, worker);
                    insert.step();
                    insert.reset();
                }
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
}

} // namespace

TEST(IndexSeeks, NameSearchKeySearchAndMovesNeverScanOrSort)
{
    TempBook book;
    fillLargeBook(book.root());
    auto dm = book.open();
    store::BookConnection& connection = dm->connection();
    connection.clearCounters();

    for (const char* typed : {"", "w", "wo", "worker 5", "worker 99", "WORKER 9999", "zzz", "إبراهيم", "ـ", "\xd8\xb3"})
        dm->TableMWN.FindNearest(typed);
    EXPECT_EQ(dm->TableMWNWorkerName.Text(), "worker 9999") << "nearest to the Arabic letter is the last name";
    for (int key : {1, 11, 5000, 9991, 10000, 20000})
        dm->TableM.FindKey(key);
    dm->TableMWN.MoveBy(50);
    dm->TableMWN.MoveBy(-20);
    dm->TableM.First();
    for (int i = 0; i < 25; ++i)
        dm->TableM.Next(); // with the four linked entry cursors following
    dm->TablePermitAdmin.Last();
    dm->TableM.Last();
    EXPECT_EQ(connection.fullScanSteps(), 0);
    EXPECT_EQ(connection.sorts(), 0);

    // A grid's list of keys walks the index in order: no temporary sort.
    dm->TableM.FindKey(11);
    EXPECT_EQ(dm->TableMWN.keysInOrder().size(), 10000u);
    EXPECT_EQ(dm->TablePermitHours.keysInOrder().size(), 3u);
    EXPECT_EQ(connection.sorts(), 0);
    const std::vector<std::int32_t> byName = dm->TableMWN.keysInOrder();
    dm->TableMWN.First();
    EXPECT_EQ(byName.front(), dm->TableMWNAuto.AsInteger());
    dm->TableMWN.Next();
    EXPECT_EQ(byName.at(1), dm->TableMWNAuto.AsInteger());

    // The counter does see a scan: a search on a field with no index.
    store::BookStatement& unindexed = connection.statement("SELECT count(*) FROM worker WHERE HorsPermit = ?1");
    unindexed.bind(1, std::string_view("1.0"));
    unindexed.step();
    unindexed.reset();
    EXPECT_GT(connection.fullScanSteps(), 0);
}
