#include "BusyWait.h"
#include "DataModule.h"
#include "StoreError.h"
#include "TempBook.h"

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

using store::CursorState;
using store::StoreError;
using testing_support::addWorker;
using testing_support::readBook;
using testing_support::TempBook;
using testing_support::thrownBy;

namespace {

// Another program holding the write lock on one of the book's files.
class WriteLock {
public:
    explicit WriteLock(const std::filesystem::path& file)
    {
        sqlite3_open(file.string().c_str(), &db_);
        sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    }
    ~WriteLock() { release(); }
    void release()
    {
        if (db_)
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
        db_ = nullptr;
    }

private:
    sqlite3* db_ = nullptr;
};

struct TwoPrograms : ::testing::Test {
    TempBook book;
    std::unique_ptr<store::TDataModule1> ours = book.open({"", 50});
    std::unique_ptr<store::TDataModule1> theirs = book.open({"", 50});
};

} // namespace

TEST_F(TwoPrograms, ChangesPostedByTheOtherShowAtTheNextMove)
{
    addWorker(*ours, "Zaid");
    theirs->TableM.First();
    addWorker(*theirs, "Amal");
    testing_support::addEntry(theirs->TablePermitHealth, "HealthPermit", 4);
    ours->TableM.Next();
    EXPECT_EQ(ours->TableMWorkerName.Text(), "Amal");
    EXPECT_EQ(ours->TablePermitHealthHealthPermit.AsInteger(), 4);
    ours->TableMWN.FindNearest("A");
    EXPECT_EQ(ours->TableMWNWorkerName.Text(), "Amal");
}

TEST_F(TwoPrograms, AWriteWaitsForTheOthersLockThenFailsKeepingThePendingChange)
{
    addWorker(*ours, "Zaid");
    ours->TableM.Edit();
    ours->TableMYearPermit.SetAsInteger(21);
    WriteLock lock(book.root() / "worker/worker.db");
    EXPECT_NE(thrownBy([&] { ours->TableM.Post(); }).find("database is locked"), std::string::npos);
    EXPECT_EQ(ours->TableM.State(), CursorState::Editing);
    EXPECT_EQ(ours->TableMYearPermit.AsInteger(), 21);
    lock.release();
    ours->TableM.Post();
    EXPECT_EQ(readBook(book.root()).at("worker").front()[4], "21");
}

TEST_F(TwoPrograms, AUnitOfWorkWaitsForALockOnAnyOfTheFiveFiles)
{
    addWorker(*ours, "Zaid");
    const auto before = readBook(book.root());
    WriteLock lock(book.root() / "PermitNoHire/PermitNoHire.DB");
    EXPECT_NE(thrownBy([&] { store::UnitOfWork work = ours->beginWork(store::bookAction::administrative); }).find("database is locked"),
              std::string::npos);
    EXPECT_EQ(readBook(book.root()), before);
    lock.release();
    store::UnitOfWork work = ours->beginWork(store::bookAction::administrative);
    work.commit();
}

TEST_F(TwoPrograms, ADeleteByTheOtherMakesOurEditFailClearly)
{
    addWorker(*ours, "Zaid");
    theirs->TableM.First();
    ours->TableM.Edit();
    ours->TableMYearPermit.SetAsInteger(21);
    theirs->TableM.Delete();
    EXPECT_NE(thrownBy([&] { ours->TableM.Post(); }).find(store::recordDeletedElsewhere), std::string::npos);
    EXPECT_EQ(ours->TableM.State(), CursorState::Editing);
    ours->TableM.Cancel();
    ours->TableM.Refresh();
    EXPECT_TRUE(ours->TableM.IsEmpty());
}

namespace {

// Runs SQL on one of the book's files as another program would, with a connection of its own.
void asAnotherProgram(const std::filesystem::path& file, const std::string& sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.string().c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
}

std::string fileBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct OddValueCase {
    const char* table;
    const char* field;
    const char* written; // as SQL
    const char* told;    // as the clerk is told it
};

} // namespace

TEST(AnotherProgramsValues, OneThatIsNoWholeNumberOf32BitsReadsEmptyAndIsToldOnce)
{
    for (const OddValueCase& odd : {OddValueCase{"worker", "NoHire", "1099511627776", "1099511627776"},
                                    OddValueCase{"worker", "YearPermit", "'abc'", "abc"},
                                    OddValueCase{"worker", "Hours", "-2147483649", "-2147483649"},
                                    OddValueCase{"worker", "ServesStart", "2.5", "2.5"},
                                    OddValueCase{"PermitAdmin", "ExcessMonth", "'x1'", "x1"}}) {
        SCOPED_TRACE(std::string(odd.table) + "." + odd.field);
        TempBook book;
        std::int32_t worker = 0;
        {
            auto first = book.open();
            addWorker(*first, "Amal");
            worker = addWorker(*first, "Zaid");
            testing_support::addEntry(first->TablePermitAdmin, "AdministrationPermit", 2);
        }
        const store::TableDef& table = std::string(odd.table) == "worker" ? store::workerTable() : store::permitAdminTable();
        asAnotherProgram(table.pathUnder(book.root()),
                         "UPDATE " + std::string(odd.table) + " SET " + odd.field + " = " + odd.written + " WHERE Auto = "
                             + std::to_string(table.name == "worker" ? worker : 1));
        auto ours = book.open();
        std::vector<store::OddValue> told;
        ours->connection().setOddValueListener([&](const store::OddValue& value) { told.push_back(value); });
        EXPECT_TRUE(told.empty()) << "the first worker is sound";
        ours->TableM.Last();
        ours->TableM.First();
        ours->TableM.Last();
        store::Cursor& holder = table.name == "worker" ? ours->TableM : ours->TablePermitAdmin;
        EXPECT_TRUE(holder.FieldByName(odd.field).IsNull());
        ASSERT_EQ(told.size(), 1u) << "told once, however often it is read";
        EXPECT_EQ(told[0].table, table.name);
        EXPECT_EQ(told[0].field, odd.field);
        EXPECT_EQ(told[0].stored, odd.told);
        if (table.name == "worker") {
            EXPECT_EQ(told[0].record, worker);
            EXPECT_EQ(told[0].workerName, "Zaid");
        } else {
            EXPECT_EQ(told[0].worker, worker);
        }
        // Another field of the record changed by the clerk leaves the odd value as it was.
        holder.Edit();
        holder.FieldByName(table.name == "worker" ? "WorkerName" : "Date").SetText("changed");
        holder.Post();
        const auto stored = readBook(book.root()).at(std::string(odd.table));
        EXPECT_EQ(stored.back()[std::size_t(table.fieldPosition(odd.field))], odd.told);
    }
}

TEST(AnotherProgramsValues, WorkersWhoseNameIsNullSortAndAreFoundLikeAnEmptyName)
{
    TempBook book;
    asAnotherProgram(book.root() / "worker/worker.db",
                     "INSERT INTO worker (WorkerName) VALUES ('B'), (NULL), (''), ('A'), (NULL)");
    auto ours = book.open();
    store::Cursor& byName = ours->TableMWN;
    const std::vector<std::int32_t> inNameOrder = {2, 5, 3, 4, 1};
    EXPECT_EQ(byName.keysInOrder(), inNameOrder);
    ours->connection().clearCounters();
    std::vector<std::int32_t> forward, backward;
    byName.First();
    do
        forward.push_back(ours->TableMWNAuto.AsInteger());
    while (byName.MoveBy(1) == 1);
    do
        backward.insert(backward.begin(), ours->TableMWNAuto.AsInteger());
    while (byName.MoveBy(-1) == -1);
    EXPECT_EQ(forward, inNameOrder);
    EXPECT_EQ(backward, inNameOrder);
    EXPECT_EQ(byName.MoveBy(3), 3);
    EXPECT_EQ(ours->TableMWNAuto.AsInteger(), 4);
    EXPECT_EQ(byName.MoveBy(-4), -3);
    EXPECT_EQ(ours->TableMWNAuto.AsInteger(), 2);
    byName.Last();
    byName.FindNearest("");
    EXPECT_EQ(ours->TableMWNAuto.AsInteger(), 2);
    EXPECT_EQ(ours->TableMWNWorkerName.Text(), "");
    byName.FindNearest("A");
    EXPECT_EQ(ours->TableMWNAuto.AsInteger(), 4);
    EXPECT_EQ(ours->connection().fullScanSteps(), 0);
}

TEST(AnotherProgramsFiles, AFileThatIsNotOursIsRefusedUntouched)
{
    TempBook book;
    const std::filesystem::path hours = book.root() / "PermitHours/PermitHours.DB";
    std::filesystem::remove(hours);
    asAnotherProgram(hours, "PRAGMA journal_mode = WAL; CREATE TABLE notes (Auto INTEGER PRIMARY KEY, text TEXT)");
    const std::string before = fileBytes(hours);
    EXPECT_NE(thrownBy([&] { book.open(); }).find("PermitHours.DB"), std::string::npos);
    EXPECT_EQ(fileBytes(hours), before);
}

TEST_F(TwoPrograms, AFileSwitchedToAWriteAheadLogIsRefusedByNameWhileHeldThenTakenBack)
{
    addWorker(*ours, "Zaid");
    const std::filesystem::path admin = book.root() / "PermitAdmin/PermitAdmin.DB";
    sqlite3* held = nullptr;
    ASSERT_EQ(sqlite3_open(admin.string().c_str(), &held), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(held, "PRAGMA journal_mode = WAL; SELECT count(*) FROM PermitAdmin", nullptr, nullptr, nullptr),
              SQLITE_OK);
    const auto before = readBook(book.root());
    auto post = [&] {
        store::UnitOfWork work = ours->beginWork(store::bookAction::administrative);
        ours->TableM.Edit();
        ours->TableMAdministrationPermit.SetAsInteger(3);
        ours->TableM.Post();
        testing_support::addEntry(ours->TablePermitAdmin, "AdministrationPermit", 3);
        work.commit();
    };
    store::renewBusyWait();
    const std::string refusal = thrownBy(post);
    EXPECT_NE(refusal.find(admin.string()), std::string::npos) << refusal;
    EXPECT_NE(refusal.find("سجل الكتابة المسبقة"), std::string::npos) << refusal;
    EXPECT_EQ(readBook(book.root()), before);
    sqlite3_close(held);
    store::renewBusyWait();
    EXPECT_EQ(thrownBy(post), "nothing thrown");
    EXPECT_EQ(fileBytes(admin).at(18), 1) << "back on the rollback journal";
    EXPECT_EQ(readBook(book.root()).at("PermitAdmin").size(), 1u);
}

TEST_F(TwoPrograms, OneClerkActionWaitsForAnotherProgramsLockOnlyOnce)
{
    addWorker(*ours, "Zaid");
    addWorker(*ours, "Amal");
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open((book.root() / "worker/worker.db").string().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE; UPDATE worker SET NoHire = 1", nullptr, nullptr, nullptr), SQLITE_OK);
    store::renewBusyWait();
    for (int read = 0; read < 3; ++read)
        EXPECT_NE(thrownBy([&] { ours->TableM.First(); }).find("locked"), std::string::npos);
    EXPECT_EQ(ours->connection().busyWaitsGivenUp(), 1) << "later statements of the action give up at once";
    store::renewBusyWait();
    EXPECT_NE(thrownBy([&] { ours->TableM.Last(); }).find("locked"), std::string::npos);
    EXPECT_EQ(ours->connection().busyWaitsGivenUp(), 2) << "the next action waits again";
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    ours->TableM.First();
    EXPECT_EQ(ours->TableMWorkerName.Text(), "Zaid");
}

TEST_F(TwoPrograms, EachTablesChangeCountGrowsWithItsOwnRecordsOnly)
{
    addWorker(*ours, "Zaid");
    const std::int64_t workers = ours->TableM.tableChanges();
    const std::int64_t sickDays = ours->TablePermitHealth.tableChanges();
    theirs->TableM.First();
    testing_support::addEntry(theirs->TablePermitHealth, "HealthPermit", 2);
    EXPECT_EQ(ours->TableM.tableChanges(), workers);
    EXPECT_GT(ours->TablePermitHealth.tableChanges(), sickDays);
    addWorker(*ours, "Amal");
    EXPECT_GT(ours->TableM.tableChanges(), workers) << "our own writes count too";
}

TEST_F(TwoPrograms, ACopyTakenUnderOurWriteLockIsTheBookAsItLiesAndKeepsTheLock)
{
    // Workers enough that the worker file is read in several pieces, the last one short.
    asAnotherProgram(book.root() / "worker/worker.db",
                     "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 30000) "
                     "INSERT INTO worker (WorkerName) SELECT 'عامل ' || i FROM n");
    const std::filesystem::path aside = book.root().parent_path() / "copied";
    // The copying program and the other one are processes of their own, each with its own
    // locks: within one process the engine keeps its locks for itself, whatever the system's.
    std::array<int, 2> copied{}, done{};
    ASSERT_EQ(pipe(copied.data()), 0);
    ASSERT_EQ(pipe(done.data()), 0);
    const pid_t copying = fork();
    if (copying == 0) {
        try {
            const auto copier = book.open({"", 50});
            copier->connection().beginWrite();
            copier->connection().copyInto(aside);
            char signal = 'c';
            (void)!write(copied[1], &signal, 1);
            (void)!read(done[0], &signal, 1);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "the copier: %s\n", error.what());
            _exit(1);
        }
        _exit(0);
    }
    close(copied[1]); // a copier that failed ends the wait below
    char signal = 0;
    ASSERT_EQ(read(copied[0], &signal, 1), 1);
    const pid_t other = fork();
    if (other == 0) {
        sqlite3* db = nullptr;
        sqlite3_open((book.root() / "worker/worker.db").string().c_str(), &db);
        _exit(sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr));
    }
    int status = -1;
    ASSERT_EQ(waitpid(other, &status, 0), other);
    EXPECT_EQ(WEXITSTATUS(status), SQLITE_BUSY) << "copying let go of none of the copier's locks";
    (void)!write(done[1], &signal, 1);
    waitpid(copying, &status, 0);
    for (const store::TableDef* table : store::allTables())
        EXPECT_EQ(fileBytes(table->pathUnder(aside)), fileBytes(table->pathUnder(book.root()))) << table->name;
    std::filesystem::remove_all(aside);
}
