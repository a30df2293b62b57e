#include "DataModule.h"
#include "AnyBook.h"
#include "StoreError.h"

#include <gtest/gtest.h>

using store::CursorState;
using testing_support::addEntry;
using testing_support::addWorker;

namespace {

// Two workers; the first has two administrative entries, the second one. On both kinds of book.
struct LinkedEntries : ::testing::TestWithParam<testing_support::BookKind> {
    std::unique_ptr<testing_support::AnyBook> book = GetParam().make();
    std::unique_ptr<store::TDataModule1> dm = book->open();
    store::Cursor& m = dm->TableM;
    store::Cursor& admin = dm->TablePermitAdmin;
    int first = 0, second = 0;
    void SetUp() override
    {
        first = addWorker(*dm, "First");
        addEntry(admin, "AdministrationPermit", 1);
        addEntry(admin, "AdministrationPermit", 2);
        second = addWorker(*dm, "Second");
        addEntry(admin, "AdministrationPermit", 3);
        m.First();
    }
    int days() const { return dm->TablePermitAdminAdministrationPermit.AsInteger(); }
    std::size_t storedEntries() const { return book->stored().at("PermitAdmin").size(); }
};

} // namespace

TEST_P(LinkedEntries, EntryCursorsShowOnlyTheCurrentWorkersEntriesInRecordedOrder)
{
    EXPECT_EQ(days(), 1);
    EXPECT_EQ(dm->TablePermitAdminIndex.AsInteger(), first);
    admin.Next();
    EXPECT_EQ(days(), 2);
    admin.Next();
    EXPECT_EQ(days(), 2);
    EXPECT_TRUE(admin.Eof());
    m.Next();
    EXPECT_EQ(days(), 3) << "moving TableM puts the entry cursor on the new worker's first entry";
    EXPECT_TRUE(admin.Bof());
    EXPECT_TRUE(dm->TablePermitHours.IsEmpty());
    EXPECT_FALSE(admin.FindKey(1)) << "an entry of another worker is out of range";
}

TEST_P(LinkedEntries, RepostingTheSameWorkerLeavesTheEntryCursorWhereItStood)
{
    admin.Last();
    EXPECT_EQ(days(), 2);
    m.Edit();
    dm->TableMAdministrationPermit.SetAsInteger(3);
    m.Post();
    EXPECT_EQ(days(), 2);
    m.Refresh();
    EXPECT_EQ(days(), 2);
    EXPECT_FALSE(m.FindKey(999));
    EXPECT_EQ(days(), 2) << "a FindKey that finds nothing changes nothing";
    EXPECT_TRUE(m.FindKey(first));
    EXPECT_EQ(days(), 2) << "finding the same worker again keeps the entry";
    EXPECT_TRUE(m.FindKey(second));
    EXPECT_EQ(days(), 3);
}

TEST_P(LinkedEntries, InsertCopiesTheWorkersAutoWithoutCountingItAsAChange)
{
    m.Next();
    admin.Insert();
    EXPECT_EQ(dm->TablePermitAdminIndex.AsInteger(), second);
    EXPECT_FALSE(admin.Modified());
    m.First(); // settles the linked entry cursor: only Index was set, so it is dropped
    EXPECT_EQ(admin.State(), CursorState::Browsing);
    EXPECT_EQ(storedEntries(), 3u);
}

TEST_P(LinkedEntries, MovingTableMPostsAnAssignedEntryFirst)
{
    admin.Insert();
    dm->TablePermitAdminAdministrationPermit.SetAsInteger(7);
    m.Next();
    EXPECT_EQ(storedEntries(), 4u);
    EXPECT_EQ(book->stored().at("PermitAdmin").back()[1], std::to_string(first))
        << "the entry belongs to the worker it was begun for";
    EXPECT_EQ(days(), 3);
}

TEST_P(LinkedEntries, TableMPostAndEditSettleTheLinkedEntryCursors)
{
    admin.Edit();
    dm->TablePermitAdminExcessMonth.SetAsInteger(9);
    m.Edit(); // beginning a change on TableM settles the entries
    EXPECT_EQ(admin.State(), CursorState::Browsing);
    EXPECT_EQ(book->stored().at("PermitAdmin").front()[3], "9");

    admin.Edit();
    dm->TablePermitAdminExcessMonth.SetAsInteger(8);
    dm->TableMNoHire.SetAsInteger(1);
    m.Post();
    EXPECT_EQ(book->stored().at("PermitAdmin").front()[3], "8");
}

TEST_P(LinkedEntries, ANewWorkerNotYetPostedShowsNoEntries)
{
    m.Insert();
    EXPECT_TRUE(admin.IsEmpty());
    admin.Insert();
    EXPECT_TRUE(dm->TablePermitAdminIndex.IsNull());
    admin.Cancel();
    m.Cancel();
    EXPECT_EQ(days(), 1) << "back on the first worker's first entry";
    m.Insert();
    dm->TableMWorkerName.SetText("Third");
    m.Post();
    EXPECT_TRUE(admin.IsEmpty());
}

TEST_P(LinkedEntries, EditOfAnEmptyEntryCursorCreatesAnEntry)
{
    m.Insert();
    dm->TableMWorkerName.SetText("Third");
    m.Post();
    const int third = dm->TableMAuto.AsInteger();
    admin.Edit();
    EXPECT_EQ(admin.State(), CursorState::Inserting);
    dm->TablePermitAdminExcessMonth.SetAsInteger(2);
    admin.Post();
    const auto entry = book->stored().at("PermitAdmin").back();
    EXPECT_EQ(entry, (std::vector<std::string>{entry[0], std::to_string(third), "<null>", "2", "", ""}))
        << "only Index and ExcessMonth hold values";
}

TEST_P(LinkedEntries, DeletingAWorkerKeepsItsEntries)
{
    m.Delete();
    EXPECT_EQ(dm->TableMWorkerName.Text(), "Second");
    EXPECT_EQ(storedEntries(), 3u);
    EXPECT_EQ(days(), 3);
    m.Delete();
    EXPECT_TRUE(admin.IsEmpty()) << "no worker, no entries shown";
    EXPECT_EQ(storedEntries(), 3u);
}

TEST_P(LinkedEntries, AllFourEntryCursorsFollowTableM)
{
    addEntry(dm->TablePermitHours, "Hours", 5);
    addEntry(dm->TablePermitHealth, "HealthPermit", 2);
    addEntry(dm->TablePermitNoHire, "NoHire", 1);
    m.Next();
    EXPECT_TRUE(dm->TablePermitHours.IsEmpty());
    EXPECT_TRUE(dm->TablePermitHealth.IsEmpty());
    EXPECT_TRUE(dm->TablePermitNoHire.IsEmpty());
    m.Prior();
    EXPECT_EQ(dm->TablePermitHoursHours.AsInteger(), 5);
    EXPECT_EQ(dm->TablePermitHealthHealthPermit.AsInteger(), 2);
    EXPECT_EQ(dm->TablePermitNoHireNoHire.AsInteger(), 1);
}

INSTANTIATE_TEST_SUITE_P(Kinds, LinkedEntries, ::testing::ValuesIn(testing_support::kindsOfBook()), testing_support::kindName);
