#include "DataModule.h"
#include "FaultVfs.h"
#include "RecordingLink.h"
#include "StoreError.h"
#include "TempBook.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

using store::CursorState;
using store::StoreError;
using testing_support::BookContents;
using testing_support::FaultVfs;
using testing_support::readBook;
using testing_support::TempBook;

namespace {

// A book with two workers, the second current, and one administrative entry of theirs.
void fill(store::TDataModule1& dm)
{
    testing_support::addWorker(dm, "First");
    testing_support::addWorker(dm, "Second", 2);
    testing_support::addEntry(dm.TablePermitAdmin, "AdministrationPermit", 1);
}

// The writes of an administrative posting of 3 days, across the worker and entry files.
void post3Days(store::TDataModule1& dm)
{
    dm.TableM.Edit();
    dm.TableMAdministrationPermit.SetAsInteger(dm.TableMAdministrationPermit.AsInteger() + 3);
    dm.TableM.Post();
    dm.TablePermitAdmin.Insert();
    dm.TablePermitAdminAdministrationPermit.SetAsInteger(3);
    dm.TablePermitAdminDate.SetText("09/12/2026");
    dm.TablePermitAdminMonth.SetText("12");
    dm.TablePermitAdmin.Post();
    const int excess = dm.TableMAdministrationPermit.AsInteger() - dm.TableMYearPermit.AsInteger();
    dm.TablePermitAdmin.Edit();
    dm.TablePermitAdminExcessMonth.SetAsInteger(excess > 0 ? excess : 0);
    dm.TablePermitAdmin.Post();
    dm.TableM.Edit();
    dm.TableMExcessMonth.SetAsInteger(excess > 0 ? excess : 0);
    dm.TableM.Post();
}

void postInUnit(store::TDataModule1& dm)
{
    store::UnitOfWork work = dm.beginWork(store::bookAction::administrative);
    post3Days(dm);
    work.commit();
}

struct Book : ::testing::Test {
    TempBook book;
    std::unique_ptr<store::TDataModule1> dm;
    BookContents before, after;
    void SetUp() override
    {
        FaultVfs::install();
        FaultVfs::reset();
        {
            TempBook reference;
            auto ref = reference.open();
            fill(*ref);
            postInUnit(*ref);
            after = readBook(reference.root());
        }
        dm = book.open({FaultVfs::name, 100});
        fill(*dm);
        before = readBook(book.root());
    }
    void TearDown() override { FaultVfs::reset(); }
};

} // namespace

TEST_F(Book, CommitStoresEveryWriteAcrossTheFiles)
{
    postInUnit(*dm);
    EXPECT_EQ(readBook(book.root()), after);
    EXPECT_EQ(after.at("PermitAdmin").size(), 2u);
    EXPECT_EQ(after.at("worker").back()[9], "1") << "the excess of 3 days over 2";
}

TEST_F(Book, LeavingWithoutCommitStoresNothingAndPutsTheCursorsBack)
{
    dm->TablePermitHours.Insert(); // a pending change from before the unit began
    dm->TablePermitHoursHours.SetAsInteger(2);
    testing_support::RecordingLink grid(dm->DataSourceM);
    const auto adminBefore = dm->TablePermitAdmin.snapshot();
    {
        store::UnitOfWork work = dm->beginWork(store::bookAction::administrative);
        dm->TableM.Edit();
        dm->TableMNoHire.SetAsInteger(5);
        dm->TableM.Post(); // also settles the pending hourly entry, inside the unit
        dm->TablePermitAdmin.Insert();
        dm->TablePermitAdminAdministrationPermit.SetAsInteger(3);
        dm->TablePermitAdmin.Post();
        grid.events.clear();
    }
    EXPECT_EQ(readBook(book.root()), before);
    EXPECT_EQ(dm->TableMNoHire.Text(), "");
    EXPECT_EQ(dm->TableMWorkerName.Text(), "Second");
    EXPECT_EQ(dm->TablePermitAdmin.snapshot().current, adminBefore.current);
    EXPECT_EQ(dm->TablePermitAdminAdministrationPermit.AsInteger(), 1);
    EXPECT_EQ(dm->TablePermitHours.State(), CursorState::Inserting) << "as before the unit";
    EXPECT_EQ(dm->TablePermitHoursHours.AsInteger(), 2);
    EXPECT_NE(std::find(grid.events.begin(), grid.events.end(), "dataset"), grid.events.end());
    dm->TablePermitHours.Cancel();
    postInUnit(*dm);
    EXPECT_EQ(readBook(book.root()), after) << "a retry posts exactly once";
}

// How many durable operations the posting takes on a freshly opened book.
int operationsOfAPosting()
{
    TempBook probe;
    {
        auto p = probe.open();
        fill(*p);
    }
    store::TDataModule1 p(probe.root(), {FaultVfs::name, 100});
    p.TableM.Last();
    FaultVfs::reset();
    postInUnit(p);
    return FaultVfs::operations();
}

TEST_F(Book, AFailureAtAnyWriteLeavesTheBookAndCursorsAsBeforeOrStoresAll)
{
    dm.reset();
    const int operations = operationsOfAPosting();
    ASSERT_GT(operations, 5);
    int failed = 0;
    for (int n = 1; n <= operations; ++n) {
        SCOPED_TRACE("failing durable operation " + std::to_string(n) + " of " + std::to_string(operations));
        TempBook victim;
        {
            auto v = victim.open();
            fill(*v);
        }
        store::TDataModule1 v(victim.root(), {FaultVfs::name, 100});
        v.TableM.Last();
        const store::CursorSnapshot workerBefore = v.TableM.snapshot();
        const store::CursorSnapshot entryBefore = v.TablePermitAdmin.snapshot();
        FaultVfs::failAt(n);
        bool threw = false;
        try {
            postInUnit(v);
        } catch (const StoreError&) {
            threw = true;
        }
        FaultVfs::reset();
        if (threw) {
            // Before the commit point: nothing stored, every cursor as before the posting.
            ++failed;
            ASSERT_EQ(readBook(victim.root()), before);
            EXPECT_EQ(v.TableM.State(), CursorState::Browsing);
            EXPECT_EQ(v.TableM.snapshot().current, workerBefore.current);
            EXPECT_EQ(v.TablePermitAdmin.snapshot().current, entryBefore.current);
            EXPECT_EQ(v.TablePermitAdmin.State(), CursorState::Browsing);
            postInUnit(v);
        }
        // Otherwise the failure came while cleaning up after the commit point: the unit is stored.
        EXPECT_EQ(readBook(victim.root()), after) << "the retry, or the posting itself, stored it once";
    }
    EXPECT_GT(failed, operations / 2) << "most durable operations come before the commit point";
}

TEST_F(Book, AKillAtAnyMomentLeavesTheWholeUnitOrNoneOfIt)
{
    dm.reset();
    const int operations = operationsOfAPosting();
    int sawBefore = 0, sawAfter = 0;
    for (int n = 1; n <= operations + 1; ++n) {
        SCOPED_TRACE("killed before durable operation " + std::to_string(n));
        TempBook victim;
        {
            auto v = victim.open();
            fill(*v);
        }
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            store::TDataModule1 v(victim.root(), {FaultVfs::name, 100});
            v.TableM.Last();
            FaultVfs::killAt(n);
            postInUnit(v);
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        const BookContents found = readBook(victim.root());
        if (found == before)
            ++sawBefore;
        else if (found == after)
            ++sawAfter;
        else
            ADD_FAILURE() << "the book holds part of the unit";
        EXPECT_NO_THROW(victim.open()) << "the book opens again";
    }
    EXPECT_GT(sawBefore, 0);
    EXPECT_GT(sawAfter, 0) << "the last run was not killed, so it stored everything";
}

TEST_F(Book, OnlyOneUnitOfWorkAtATime)
{
    store::UnitOfWork work = dm->beginWork(store::bookAction::administrative);
    EXPECT_THROW(dm->beginWork(store::bookAction::administrative), StoreError);
}
