#include "DataModule.h"
#include "StoreError.h"
#include "TempBook.h"

#include <sqlite3.h>

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
    EXPECT_NE(thrownBy([&] { store::UnitOfWork work = ours->beginWork(); }).find("database is locked"),
              std::string::npos);
    EXPECT_EQ(readBook(book.root()), before);
    lock.release();
    store::UnitOfWork work = ours->beginWork();
    work.commit();
}

TEST_F(TwoPrograms, ADeleteByTheOtherMakesOurEditFailClearly)
{
    addWorker(*ours, "Zaid");
    theirs->TableM.First();
    ours->TableM.Edit();
    ours->TableMYearPermit.SetAsInteger(21);
    theirs->TableM.Delete();
    EXPECT_NE(thrownBy([&] { ours->TableM.Post(); }).find("deleted by another user"), std::string::npos);
    EXPECT_EQ(ours->TableM.State(), CursorState::Editing);
    ours->TableM.Cancel();
    ours->TableM.Refresh();
    EXPECT_TRUE(ours->TableM.IsEmpty());
}
