#include "DataModule.h"
#include "FaultVfs.h"
#include "ReadSnapshot.h"
#include "RecordingLink.h"
#include "StoreError.h"
#include "TempBook.h"

#include <gtest/gtest.h>

using store::CursorState;
using store::StoreError;
using testing_support::addWorker;
using testing_support::readBook;
using testing_support::TempBook;
using testing_support::thrownBy;

namespace {

struct Changes : ::testing::Test {
    TempBook book;
    std::unique_ptr<store::TDataModule1> dm = book.open();
    store::Cursor& m = dm->TableM;
    std::size_t storedWorkers() const { return readBook(book.root()).at("worker").size(); }
};

} // namespace

TEST_F(Changes, InsertThenPostStoresANewRecordAndStandsOnIt)
{
    addWorker(*dm, "Zaid");
    m.Insert();
    EXPECT_EQ(m.State(), CursorState::Inserting);
    EXPECT_FALSE(m.Modified());
    EXPECT_TRUE(dm->TableMAuto.IsNull()) << "Auto is empty while the record is pending";
    dm->TableMWorkerName.SetText("Amal");
    EXPECT_TRUE(m.Modified());
    m.Post();
    EXPECT_EQ(m.State(), CursorState::Browsing);
    EXPECT_EQ(dm->TableMWorkerName.Text(), "Amal");
    EXPECT_FALSE(dm->TableMAuto.IsNull());
    EXPECT_EQ(storedWorkers(), 2u);
    EXPECT_TRUE(dm->TableMYearPermit.IsNull()) << "unassigned fields stay empty";
}

TEST_F(Changes, CancelDropsTheNewRecordAndReturnsToTheRecordBefore)
{
    addWorker(*dm, "Zaid");
    addWorker(*dm, "Amal");
    m.First();
    m.Insert();
    dm->TableMWorkerName.SetText("Huda");
    m.Cancel();
    EXPECT_EQ(dm->TableMWorkerName.Text(), "Zaid");
    EXPECT_EQ(storedWorkers(), 2u);
    m.Append();
    EXPECT_TRUE(m.Appended());
    m.Cancel();
    EXPECT_EQ(dm->TableMWorkerName.Text(), "Zaid");
    m.Cancel(); // browsing: nothing happens
    EXPECT_EQ(m.State(), CursorState::Browsing);
}

TEST_F(Changes, SettlingPostsAnAssignedChangeAndDropsAnUntouchedOne)
{
    addWorker(*dm, "Zaid");
    m.Insert();
    m.Next(); // settles: nothing was assigned
    EXPECT_EQ(m.State(), CursorState::Browsing);
    EXPECT_EQ(storedWorkers(), 1u);

    m.Insert();
    dm->TableMWorkerName.SetText("Half typed");
    m.First(); // settles: a field was assigned
    EXPECT_EQ(storedWorkers(), 2u);
    m.Last();
    EXPECT_EQ(dm->TableMWorkerName.Text(), "Half typed");
    EXPECT_TRUE(dm->TableMYearPermit.IsNull());
}

TEST_F(Changes, AssigningTheSameValueStillCountsAsAChange)
{
    addWorker(*dm, "Zaid");
    m.Edit();
    EXPECT_FALSE(m.Modified());
    dm->TableMWorkerName.SetText("Zaid");
    EXPECT_TRUE(m.Modified());
}

TEST_F(Changes, EditRereadsTheRecordAsStoredAndKeepsAPendingEdit)
{
    addWorker(*dm, "Zaid");
    auto other = book.open();
    other->TableM.Edit();
    other->TableMYearPermit.SetAsInteger(21);
    other->TableM.Post();
    EXPECT_EQ(dm->TableMYearPermit.AsInteger(), 14);
    m.Edit();
    EXPECT_EQ(m.State(), CursorState::Editing);
    EXPECT_EQ(dm->TableMYearPermit.AsInteger(), 21);
    dm->TableMServesStart.SetAsInteger(2010);
    m.Edit(); // while editing: nothing happens
    EXPECT_EQ(dm->TableMServesStart.AsInteger(), 2010);
    EXPECT_TRUE(m.Modified());
    m.Post();
    const auto stored = readBook(book.root()).at("worker").front();
    EXPECT_EQ(stored[3], "2010");
    EXPECT_EQ(stored[4], "21") << "the other program's change is kept";
}

TEST_F(Changes, AnEditPostsOnlyTheFieldsItAssigned)
{
    addWorker(*dm, "Zaid");
    auto other = book.open();
    m.Edit();
    other->TableM.Edit();
    other->TableMNoHire.SetAsInteger(4);
    other->TableM.Post();
    dm->TableMWorkerName.SetText("Zaid Ali");
    m.Post();
    EXPECT_EQ(dm->TableMNoHire.AsInteger(), 4);
}

TEST_F(Changes, WritesAndPostsWhileBrowsingAreRefused)
{
    addWorker(*dm, "Zaid");
    EXPECT_NE(thrownBy([&] { dm->TableMWorkerName.SetText("x"); }).find("ليس في وضع التعديل أو الإضافة"),
              std::string::npos);
    EXPECT_THROW(dm->TableMYearPermit.SetAsInteger(1), StoreError);
    EXPECT_THROW(m.Post(), StoreError);
    m.Edit();
    EXPECT_THROW(dm->TableMAuto.SetAsInteger(99), StoreError) << "Auto is the table's";
    EXPECT_FALSE(m.Modified());
}

TEST_F(Changes, IntegerFieldsTakeWholeNumbersAsTextAndRefuseAnythingElse)
{
    addWorker(*dm, "Zaid");
    m.Edit();
    dm->TableMServesStart.SetText("-2010");
    EXPECT_EQ(dm->TableMServesStart.AsInteger(), -2010);
    EXPECT_EQ(dm->TableMServesStart.Text(), "-2010");
    m.Post();
    m.Edit();
    EXPECT_EQ(thrownBy([&] { dm->TableMServesStart.SetText("20x0"); }),
              "'20x0' is not a valid integer value for field 'ServesStart'");
    EXPECT_EQ(dm->TableMServesStart.Text(), "-2010") << "the field keeps its value";
    EXPECT_FALSE(m.Modified()) << "a refused text assigns nothing";
    EXPECT_THROW(dm->TableMServesStart.SetText("2147483648"), StoreError);
    EXPECT_THROW(dm->TableMServesStart.SetText(" 5"), StoreError);
    dm->TableMServesStart.SetText("");
    EXPECT_TRUE(dm->TableMServesStart.IsNull());
    EXPECT_TRUE(m.Modified());
    m.Post();
    EXPECT_EQ(readBook(book.root()).at("worker").front()[3], "<null>");
}

TEST_F(Changes, ANumberOutside32BitsIsRefusedAndNothingIsWritten)
{
    addWorker(*dm, "Zaid");
    m.Edit();
    dm->TableMNoHire.SetAsInteger(std::int64_t(2147483647));
    EXPECT_THROW(dm->TableMNoHire.SetAsInteger(std::int64_t(dm->TableMNoHire.AsInteger()) + 1), StoreError);
    EXPECT_THROW(dm->TableMNoHire.SetAsInteger(std::int64_t(-2147483647) - 2), StoreError);
    EXPECT_EQ(dm->TableMNoHire.AsInteger(), 2147483647);
    m.Cancel();
    m.Edit();
    EXPECT_THROW(dm->TableMNoHire.SetAsInteger(std::int64_t(1) << 40), StoreError);
    EXPECT_FALSE(m.Modified());
}

TEST_F(Changes, TextFieldsAreCutToTheirSizeWithoutAReport)
{
    m.Insert();
    dm->TableMWorkerName.SetText("abcdefghijklmnopqrstuvwxyz12345");
    dm->TableMHorsPermit.SetText("100.15");
    m.Post();
    EXPECT_EQ(dm->TableMWorkerName.Text(), "abcdefghijklmnopqrstuvwxyz1234");
    EXPECT_EQ(dm->TableMHorsPermit.Text(), "100.1");
    m.Edit();
    dm->TableMHorsPermit.SetAsInteger(-123456);
    EXPECT_EQ(dm->TableMHorsPermit.Text(), "-1234");
    EXPECT_THROW(dm->TableMWorkerName.SetText("\xf0\x9f\x98\x80"), StoreError);
}

TEST_F(Changes, DeleteStandsOnTheFollowingRecordOrTheNewLast)
{
    addWorker(*dm, "A");
    addWorker(*dm, "B");
    addWorker(*dm, "C");
    m.First();
    m.Delete();
    EXPECT_EQ(dm->TableMWorkerName.Text(), "B");
    m.Last();
    m.Edit();
    dm->TableMWorkerName.SetText("changed");
    m.Delete(); // the pending edit is lost with the record
    EXPECT_EQ(dm->TableMWorkerName.Text(), "B");
    EXPECT_TRUE(m.Eof());
    EXPECT_EQ(m.State(), CursorState::Browsing);
    m.Insert();
    m.Delete(); // a new record is only dropped
    EXPECT_EQ(storedWorkers(), 1u);
    m.Delete();
    EXPECT_TRUE(m.IsEmpty());
    EXPECT_NE(thrownBy([&] { m.Delete(); }).find("لا سجل"), std::string::npos);
}

TEST_F(Changes, ControlsHandOverTypedTextWhenTheCursorSettlesOrPosts)
{
    addWorker(*dm, "Zaid");
    testing_support::RecordingLink box(dm->DataSourceM);
    m.Edit();
    box.type(dm->TableMServesStart, "2001");
    EXPECT_FALSE(m.Modified());
    m.Next(); // settling asks the box for its text, which sets the changed flag
    EXPECT_EQ(readBook(book.root()).at("worker").front()[3], "2001");

    m.Insert();
    box.type(dm->TableMWorkerName, "Amal");
    m.Post();
    EXPECT_EQ(dm->TableMWorkerName.Text(), "Amal");
}

TEST_F(Changes, ARefusedHandOverLeavesThePendingChangeInPlace)
{
    addWorker(*dm, "Zaid");
    testing_support::RecordingLink box(dm->DataSourceM);
    m.Edit();
    dm->TableMWorkerName.SetText("Zaid Ali");
    box.type(dm->TableMServesStart, "abc");
    EXPECT_EQ(thrownBy([&] { m.Next(); }), "'abc' is not a valid integer value for field 'ServesStart'");
    EXPECT_EQ(m.State(), CursorState::Editing);
    EXPECT_EQ(dm->TableMWorkerName.Text(), "Zaid Ali");
    EXPECT_EQ(readBook(book.root()).at("worker").front()[1], "Zaid");
}

TEST_F(Changes, DataSourcesTellTheirControlsOfEveryChange)
{
    addWorker(*dm, "Zaid");
    testing_support::RecordingLink grid(dm->DataSourceM);
    m.Edit();
    dm->TableMYearPermit.SetAsInteger(21);
    m.Post();
    EXPECT_EQ(grid.events, (std::vector<std::string>{"state", "record", "field YearPermit", "update",
                                                     "written changed 1 in 1", "state", "record"}));
    grid.events.clear();
    m.Insert();
    dm->TableMWorkerName.SetText("Amal");
    m.Post();
    EXPECT_NE(std::find(grid.events.begin(), grid.events.end(), "written added 2 in 1"), grid.events.end())
        << "a new record changes the rows a grid shows";
    grid.events.clear();
    m.Delete();
    EXPECT_EQ(grid.events, (std::vector<std::string>{"written removed 2 in 1", "state", "record"}));
}

TEST_F(Changes, ABatchWalkLeavesControlsBehindAndTellsThemOnceButMasterLinksFollowEveryMove)
{
    addWorker(*dm, "Zaid");
    testing_support::addEntry(dm->TablePermitAdmin, "AdministrationPermit", 2);
    addWorker(*dm, "Amal");
    m.First();
    testing_support::RecordingLink grid(dm->DataSourceM);
    testing_support::RecordingLink entries(dm->DataSourcePermitAdmin);
    {
        const store::ControlsDisabled walk(m);
        const store::ControlsDisabled nested(m);
        m.Next();
        EXPECT_TRUE(dm->TablePermitAdmin.IsEmpty()) << "Amal's entries, none: the link followed";
        m.First();
        EXPECT_EQ(dm->TablePermitAdminAdministrationPermit.AsInteger(), 2);
        m.Last();
        EXPECT_TRUE(grid.events.empty());
        EXPECT_TRUE(entries.events.empty()) << "the controls of the cursors that follow pause too";
    }
    EXPECT_EQ(grid.events, (std::vector<std::string>{"state", "dataset"})) << "told once, at the end";
    EXPECT_EQ(entries.events, (std::vector<std::string>{"state", "dataset"}));
    EXPECT_EQ(dm->TableMWorkerName.Text(), "Amal");
    grid.events.clear();
    {
        const store::ControlsDisabled still(m);
    }
    EXPECT_TRUE(grid.events.empty()) << "nothing missed, nothing told";
}

TEST_F(Changes, ClosingTheBookDropsAPendingChange)
{
    addWorker(*dm, "Zaid");
    m.Insert();
    dm->TableMWorkerName.SetText("Never stored");
    dm.reset();
    EXPECT_EQ(storedWorkers(), 1u);
}

TEST(FailedPost, KeepsTheStateAndThePendingChangeForTheNextSettle)
{
    testing_support::FaultVfs::install();
    TempBook book;
    auto dm = book.open({testing_support::FaultVfs::name, 100});
    addWorker(*dm, "Zaid");
    const auto before = readBook(book.root());
    dm->TableM.Edit();
    dm->TableMYearPermit.SetAsInteger(21);
    testing_support::FaultVfs::failAt(1);
    EXPECT_THROW(dm->TableM.Post(), StoreError);
    testing_support::FaultVfs::reset();
    EXPECT_EQ(dm->TableM.State(), CursorState::Editing);
    EXPECT_TRUE(dm->TableM.Modified());
    EXPECT_EQ(dm->TableMYearPermit.AsInteger(), 21);
    EXPECT_EQ(readBook(book.root()), before);
    dm->TableM.Next(); // the next settle writes it
    EXPECT_EQ(readBook(book.root()).at("worker").front()[4], "21");
}

TEST_F(Changes, ALinkRemovedWhileLinksAreToldIsNotToldAgainAndTheOthersStillAre)
{
    addWorker(*dm, "Zaid");
    auto first = std::make_unique<testing_support::RecordingLink>(dm->DataSourceM);
    testing_support::RecordingLink last(dm->DataSourceM);
    struct Remover : store::DataLink {
        std::unique_ptr<testing_support::RecordingLink>& target;
        explicit Remover(std::unique_ptr<testing_support::RecordingLink>& removed) : target(removed) {}
        void recordChanged() override { target.reset(); }
    } remover(first);
    dm->DataSourceM.addLink(remover);
    m.First();
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(last.events, (std::vector<std::string>{"record"}));
    m.First();
    EXPECT_EQ(last.events, (std::vector<std::string>{"record", "record"}));
    dm->DataSourceM.removeLink(remover);
}

TEST(ReadSnapshot, AWalkSeesTheBookAsItStoodAndAnotherProgramsWriteWaitsForItsEnd)
{
    TempBook book;
    auto ours = book.open();
    addWorker(*ours, "Zaid");
    auto theirs = book.open({"", 0});
    {
        const store::ReadSnapshot walk(ours->TableM);
        ours->TableM.First();
        EXPECT_NE(thrownBy([&] { addWorker(*theirs, "Amal"); }).find("locked"), std::string::npos);
        EXPECT_EQ(ours->TableM.MoveBy(1), 0) << "nothing was added under the walk";
    }
    theirs->TableM.Post(); // the refused worker, still pending, once the walk is over
    EXPECT_EQ(readBook(book.root()).at("worker").size(), 2u);
}
