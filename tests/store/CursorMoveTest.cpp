#include "DataModule.h"
#include "AnyBook.h"
#include "StoreError.h"

#include <gtest/gtest.h>

using testing_support::addWorker;

namespace {

// On both kinds of book: the local files and a database on a server.
struct ThreeWorkers : ::testing::TestWithParam<testing_support::BookKind> {
    std::unique_ptr<testing_support::AnyBook> book = GetParam().make();
    std::unique_ptr<store::TDataModule1> dm = book->open();
    int zaid = 0, amal = 0, huda = 0;
    void SetUp() override
    {
        zaid = addWorker(*dm, "Zaid");
        amal = addWorker(*dm, "Amal");
        huda = addWorker(*dm, "Huda");
        dm->TableM.First();
        dm->TableMWN.First();
    }
    std::string name() const { return dm->TableMWorkerName.Text(); }
    std::string nameInOrder() const { return dm->TableMWNWorkerName.Text(); }
};

} // namespace

TEST_P(ThreeWorkers, MovesThroughRegistrationOrderAndStopsAtTheEnds)
{
    auto& m = dm->TableM;
    EXPECT_TRUE(m.Bof());
    EXPECT_FALSE(m.Eof());
    m.Next();
    EXPECT_EQ(name(), "Amal");
    EXPECT_FALSE(m.Bof());
    m.Next();
    EXPECT_EQ(name(), "Huda");
    EXPECT_FALSE(m.Eof()) << "reaching the last record is not yet the end";
    m.Next();
    EXPECT_EQ(name(), "Huda");
    EXPECT_TRUE(m.Eof()) << "a forward move that stopped";
    m.Prior();
    EXPECT_EQ(name(), "Amal");
    EXPECT_FALSE(m.Eof());
    m.Prior();
    m.Prior();
    EXPECT_EQ(name(), "Zaid");
    EXPECT_TRUE(m.Bof());
    m.Last();
    EXPECT_TRUE(m.Eof());
    EXPECT_EQ(name(), "Huda");
}

TEST_P(ThreeWorkers, MoveByReportsHowFarItReallyMoved)
{
    auto& m = dm->TableM;
    EXPECT_EQ(m.MoveBy(2), 2);
    EXPECT_EQ(name(), "Huda");
    EXPECT_FALSE(m.Eof());
    EXPECT_EQ(m.MoveBy(5), 0);
    EXPECT_TRUE(m.Eof());
    EXPECT_EQ(m.MoveBy(-5), -2);
    EXPECT_EQ(name(), "Zaid");
    EXPECT_TRUE(m.Bof());
    EXPECT_EQ(m.MoveBy(0), 0);
    EXPECT_EQ(name(), "Zaid");
    EXPECT_EQ(m.MoveBy(std::numeric_limits<int>::min()), 0);
    EXPECT_EQ(m.MoveBy(std::numeric_limits<int>::max()), 2);
}

struct EmptyCursor : ::testing::TestWithParam<testing_support::BookKind> {};

TEST_P(EmptyCursor, ReportsEmptyAtBothEndsAndReadsEmptyFields)
{
    const std::unique_ptr<testing_support::AnyBook> book = GetParam().make();
    auto dm = book->open();
    auto& m = dm->TableM;
    EXPECT_TRUE(m.IsEmpty());
    EXPECT_TRUE(m.Bof());
    EXPECT_TRUE(m.Eof());
    EXPECT_TRUE(m.CanModify());
    m.Next();
    m.Last();
    EXPECT_EQ(m.MoveBy(-3), 0);
    EXPECT_TRUE(m.IsEmpty());
    EXPECT_EQ(dm->TableMYearPermit.AsInteger(), 0);
    EXPECT_EQ(dm->TableMYearPermit.Text(), "");
    EXPECT_EQ(dm->TableMWorkerName.Text(), "");
    EXPECT_FALSE(m.FindKey(1));
    dm->TableMWN.FindNearest("x");
    EXPECT_TRUE(dm->TableMWN.IsEmpty());
    EXPECT_THROW(m.Delete(), store::StoreError);
}

TEST_P(ThreeWorkers, FindKeyStandsOnTheWorkerOrStaysWhereItWas)
{
    dm->TableM.Next();
    EXPECT_TRUE(dm->TableM.FindKey(huda));
    EXPECT_EQ(name(), "Huda");
    EXPECT_FALSE(dm->TableM.FindKey(huda + 100));
    EXPECT_EQ(name(), "Huda");
    EXPECT_FALSE(dm->TableM.FindKey(0));
    EXPECT_EQ(name(), "Huda");
}

TEST_P(ThreeWorkers, FindNearestStandsOnTheFirstNameAtOrAfterTheText)
{
    auto& wn = dm->TableMWN;
    wn.FindNearest("H");
    EXPECT_EQ(nameInOrder(), "Huda");
    wn.FindNearest("Huda");
    EXPECT_EQ(nameInOrder(), "Huda");
    wn.FindNearest("Hudb");
    EXPECT_EQ(nameInOrder(), "Zaid");
    wn.FindNearest("");
    EXPECT_EQ(nameInOrder(), "Amal") << "the empty text finds the first name";
    wn.FindNearest("zzz");
    EXPECT_EQ(nameInOrder(), "Zaid") << "a text after every name finds the last";
    EXPECT_EQ(name(), "Zaid") << "TableM did not move";
    EXPECT_THROW(dm->TableM.FindNearest("A"), store::StoreError) << "TableM has no name order";
}

TEST_P(ThreeWorkers, NameOrderWalksNamesakesInRegistrationOrder)
{
    const int secondAmal = addWorker(*dm, "Amal");
    auto& wn = dm->TableMWN;
    wn.FindNearest("Amal");
    EXPECT_EQ(dm->TableMWNAuto.AsInteger(), amal);
    wn.Next();
    EXPECT_EQ(dm->TableMWNAuto.AsInteger(), secondAmal);
    wn.Next();
    EXPECT_EQ(nameInOrder(), "Huda");
    wn.Prior();
    EXPECT_EQ(dm->TableMWNAuto.AsInteger(), secondAmal);
    wn.Prior();
    EXPECT_EQ(dm->TableMWNAuto.AsInteger(), amal);
    EXPECT_EQ(wn.MoveBy(3), 3);
    EXPECT_EQ(nameInOrder(), "Zaid");
}

TEST_P(ThreeWorkers, ArabicNamesSortAndSearchThroughTheIndex)
{
    const std::string salim = "\xd8\xb3\xd8\xa7\xd9\x84\xd9\x85";     // سالم
    const std::string ahmad = "\xd8\xa3\xd8\xad\xd9\x85\xd8\xaf";     // أحمد
    addWorker(*dm, salim);
    addWorker(*dm, ahmad);
    dm->TableMWN.FindNearest("\xd8\xb3"); // the letter seen first in سالم
    EXPECT_EQ(nameInOrder(), salim);
    dm->TableMWN.Last();
    EXPECT_EQ(nameInOrder(), salim) << "Arabic letters sort after Latin ones";
    dm->TableMWN.Prior();
    EXPECT_EQ(nameInOrder(), ahmad);
}

TEST_P(ThreeWorkers, TheTwoWorkerCursorsMoveIndependentlyButSeeEachOthersChanges)
{
    dm->TableMWN.Last();
    EXPECT_EQ(name(), "Zaid");
    dm->TableM.Last();
    dm->TableM.Edit();
    dm->TableMWorkerName.SetText("Zainab");
    dm->TableM.Post();
    EXPECT_EQ(nameInOrder(), "Zaid") << "TableMWN keeps what it read until it moves";
    dm->TableMWN.FindNearest("Z");
    EXPECT_EQ(nameInOrder(), "Zaid");
    dm->TableMWN.Next();
    EXPECT_EQ(nameInOrder(), "Zainab") << "the change shows at the next move";
    dm->TableM.Delete();
    dm->TableMWN.FindNearest("Zainab");
    EXPECT_EQ(nameInOrder(), "Zaid") << "the deleted record is gone";
}

TEST_P(ThreeWorkers, RefreshRereadsTheCurrentRecordOrWhatFollowedIt)
{
    auto other = book->open();
    dm->TableM.Next(); // Amal
    other->TableM.Next();
    other->TableM.Edit();
    other->TableMYearPermit.SetAsInteger(21);
    other->TableM.Post();
    EXPECT_EQ(dm->TableMYearPermit.AsInteger(), 14);
    dm->TableM.Refresh();
    EXPECT_EQ(dm->TableMYearPermit.AsInteger(), 21);
    other->TableM.Delete();
    dm->TableM.Refresh();
    EXPECT_EQ(name(), "Huda");
}

INSTANTIATE_TEST_SUITE_P(Kinds, ThreeWorkers, ::testing::ValuesIn(testing_support::kindsOfBook()), testing_support::kindName);
INSTANTIATE_TEST_SUITE_P(Kinds, EmptyCursor, ::testing::ValuesIn(testing_support::kindsOfBook()), testing_support::kindName);
