// The store's behaviours the windows rely on, run on both kinds of book: the five local
// files and a database on the tests' own PostgreSQL cluster.
#include "ServerBooks.h"
#include "StoreError.h"
#include "TwoAtOnce.h"
#include "YearClose.h"

#include <gtest/gtest.h>

#include <unistd.h>


using testing_support::addWorker;
using testing_support::thrownBy;

namespace {

class BothBooks : public ::testing::TestWithParam<testing_support::BookKind> {
protected:
    std::unique_ptr<testing_support::AnyBook> book = GetParam().make();
    std::unique_ptr<store::TDataModule1> ours = book->open();

    std::vector<std::string> namesInOrder(store::Cursor& cursor)
    {
        std::vector<std::string> names;
        for (cursor.First(); !cursor.IsEmpty(); cursor.Next()) {
            names.push_back(cursor.FieldByName("WorkerName").Text());
            if (cursor.Eof())
                break;
        }
        names.pop_back(); // Next on the last record stays on it
        return names;
    }
};

} // namespace

TEST_P(BothBooks, CursorsMoveSeekAndStandWhereTheOrderSays)
{
    for (const char* name : {"زياد", "إبراهيم", "Salim", "احمد", "فاطمة"})
        addWorker(*ours, name);
    store::Cursor& m = ours->TableM;
    m.First();
    EXPECT_EQ(ours->TableMWorkerName.Text(), "زياد");
    EXPECT_TRUE(m.Bof());
    EXPECT_EQ(m.MoveBy(3), 3);
    EXPECT_EQ(ours->TableMWorkerName.Text(), "احمد");
    EXPECT_EQ(m.MoveBy(5), 1) << "a move stops at the end";
    EXPECT_TRUE(m.Eof());
    m.Prior();
    EXPECT_EQ(ours->TableMAuto.AsInteger(), 4);
    EXPECT_TRUE(m.FindKey(2));
    EXPECT_EQ(ours->TableMWorkerName.Text(), "إبراهيم");
    EXPECT_FALSE(m.FindKey(99));
    EXPECT_EQ(ours->TableMAuto.AsInteger(), 2) << "a key not found leaves the cursor where it stood";

    // Latin first, then Arabic folded: إبراهيم and احمد sort as ابراهيم and احمد.
    EXPECT_EQ(namesInOrder(ours->TableMWN), (std::vector<std::string>{"Salim", "إبراهيم", "احمد", "زياد", "فاطمة"}));
    EXPECT_EQ(ours->TableMWN.keysInOrder(), (std::vector<std::int32_t>{3, 2, 4, 1, 5}));
    for (const auto& [typed, found] : std::vector<std::pair<const char*, const char*>>{
             {"", "Salim"}, {"salim", "Salim"}, {"ابراهيم", "إبراهيم"}, {"أحمد", "احمد"}, {"فاطمه", "فاطمة"}, {"ي", "فاطمة"}}) {
        ours->TableMWN.FindNearest(typed);
        EXPECT_EQ(ours->TableMWNWorkerName.Text(), found) << typed;
    }
}

TEST_P(BothBooks, ChangesAreStoredTheEntriesFollowTheirWorkerAndDeletesStandOnTheNext)
{
    const std::int32_t first = addWorker(*ours, "أحمد");
    const std::int32_t second = addWorker(*ours, "سالم");
    ours->TableM.FindKey(first);
    testing_support::addEntry(ours->TablePermitAdmin, "AdministrationPermit", 3);
    testing_support::addEntry(ours->TablePermitAdmin, "AdministrationPermit", 4);
    ours->TableM.FindKey(second);
    EXPECT_TRUE(ours->TablePermitAdmin.IsEmpty()) << "the entries are the first worker's";
    ours->TableM.FindKey(first);
    EXPECT_EQ(ours->TablePermitAdmin.keysInOrder().size(), 2u);
    EXPECT_EQ(ours->TablePermitAdmin.FieldByName("AdministrationPermit").AsInteger(), 3);

    ours->TableM.Edit();
    ours->TableMYearPermit.SetAsInteger(21);
    ours->TableM.Post();
    auto theirs = book->open();
    theirs->TableM.FindKey(first);
    EXPECT_EQ(theirs->TableMYearPermit.AsInteger(), 21);
    EXPECT_EQ(theirs->TableMServesYears.Text(), "") << "an empty field stays empty";

    ours->TableM.Delete();
    EXPECT_EQ(ours->TableMAuto.AsInteger(), second);
    EXPECT_EQ(theirs->TableM.FindKey(first), false);
}

TEST_P(BothBooks, AUnitOfWorkStoresAllOrNothingAndPutsTheCursorsBack)
{
    const std::int32_t worker = addWorker(*ours, "هدى");
    {
        store::UnitOfWork work = ours->beginWork(store::bookAction::administrative);
        ours->TableM.Edit();
        ours->TableMAdministrationPermit.SetAsInteger(5);
        ours->TableM.Post();
        testing_support::addEntry(ours->TablePermitAdmin, "AdministrationPermit", 5);
        // left without commit
    }
    auto theirs = book->open();
    theirs->TableM.FindKey(worker);
    EXPECT_EQ(theirs->TableMAdministrationPermit.Text(), "");
    EXPECT_TRUE(theirs->TablePermitAdmin.IsEmpty());
    EXPECT_EQ(ours->TableMAdministrationPermit.Text(), "") << "the cursor is put back";
    {
        store::UnitOfWork work = ours->beginWork(store::bookAction::administrative);
        ours->TableM.Edit();
        ours->TableMAdministrationPermit.SetAsInteger(5);
        ours->TableM.Post();
        testing_support::addEntry(ours->TablePermitAdmin, "AdministrationPermit", 5);
        work.commit();
    }
    theirs->TableM.Refresh();
    EXPECT_EQ(theirs->TableMAdministrationPermit.AsInteger(), 5);
    EXPECT_EQ(theirs->TablePermitAdmin.keysInOrder().size(), 1u);
}

TEST_P(BothBooks, AnotherProgramsChangesAreCountedAndADeletedRecordIsNeverWritten)
{
    const std::int32_t worker = addWorker(*ours, "علي");
    auto theirs = book->open();
    const std::int64_t before = ours->TableM.tableChanges();
    addWorker(*theirs, "نور");
    EXPECT_NE(ours->TableM.tableChanges(), before) << "another program's insert is noticed";
    EXPECT_EQ(ours->TableM.keysInOrder().size(), 2u);

    const std::int64_t ownBefore = ours->TableM.tableChanges();
    ours->TableM.FindKey(worker);
    ours->TableM.Edit();
    ours->TableMServesStart.SetAsInteger(2010);
    ours->TableM.Post();
    EXPECT_EQ(ours->TableM.tableChanges(), ownBefore + 1) << "each own write counts once";

    ours->TableM.Edit();
    ours->TableMServesStart.SetAsInteger(2011);
    theirs->TableM.FindKey(worker);
    theirs->TableM.Delete();
    EXPECT_EQ(thrownBy([&] { ours->TableM.Post(); }), store::recordDeletedElsewhere);
    EXPECT_EQ(theirs->TableM.keysInOrder().size(), 1u) << "the deleted worker is not written back";
}

TEST_P(BothBooks, TwoClosesOfOneYearStartedTogetherCloseItOnceYearAfterYear)
{
    // Years of service but no start year: each close adds one, so a second close would show.
    const std::int32_t worker = addWorker(*ours, "بلا بداية");
    ours->TableM.FindKey(worker);
    ours->TableM.Edit();
    ours->TableMServesYears.SetAsInteger(9);
    ours->TableM.Post();
    ours.reset();
    const std::filesystem::path desks = std::filesystem::temp_directory_path() / ("ijazat-desks-" + std::to_string(getpid()));
    for (int year = 2026; year < 2031; ++year) {
        SCOPED_TRACE(year);
        const int closed = testing_support::succeededOfTwo([&](int desk) {
            // Desks of a server book each keep archives of their own; one computer, one folder.
            const auto archives = desks / (GetParam().name == "server" ? std::to_string(desk) : std::string("shared"));
            try {
                operations::closeYear(book->open({"", 10000})->connection(), year, 2040, archives);
            } catch (const store::StoreError&) {
                return 1;
            }
            return 0;
        });
        EXPECT_EQ(closed, 1);
        EXPECT_EQ(book->stored().at("worker").at(0).at(2), std::to_string(10 + year - 2026));
    }
    std::filesystem::remove_all(desks);
}

INSTANTIATE_TEST_SUITE_P(Kinds, BothBooks, ::testing::Values(testing_support::localBooks(), testing_support::serverBooks()),
                         testing_support::kindName);
