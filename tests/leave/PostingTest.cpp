#include "AdministrativePosting.h"
#include "BookCheck.h"
#include "DaysPosting.h"
#include "FaultVfs.h"
#include "HourlyPosting.h"
#include "StoreError.h"
#include "TempBook.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/wait.h>
#include <unistd.h>
#include <limits>

using leave::LeaveDate;
using testing_support::FaultVfs;
using testing_support::TempBook;

namespace {

const LeaveDate december8{"08", "12", "2026"};

// A book with one worker, TableM standing on it, its fields set as given.
class Posting : public ::testing::Test {
protected:
    void SetUp() override
    {
        worker = testing_support::addWorker(*book, "Ahmad", 14);
    }

    void setWorker(std::initializer_list<std::pair<const char*, std::int32_t>> values)
    {
        book->TableM.Edit();
        for (const auto& [field, value] : values)
            book->TableM.FieldByName(field).SetAsInteger(value);
        book->TableM.Post();
    }
    std::int32_t stored(const char* field) const { return book->TableM.FieldByName(field).AsInteger(); }
    std::string text(const char* field) const { return book->TableM.FieldByName(field).Text(); }
    std::vector<std::vector<std::string>> entries(const char* table) const
    {
        return testing_support::readBook(folder.root())[table];
    }
    void admin(const std::string& count) { leave::postAdministrativeLeave(*book, count, december8); }
    void hourly(const std::string& hours, const std::string& minutes)
    {
        leave::postHourlyLeave(*book, hours, minutes, december8);
    }
    std::tuple<std::int32_t, std::int32_t, std::string> balance() const
    {
        return {stored("Hours"), stored("Minute"), text("HorsPermit")};
    }

    TempBook folder;
    std::unique_ptr<store::TDataModule1> book = folder.open();
    std::int32_t worker = 0;
};

// PermitAdmin fields in stored order.
enum AdminEntry { EntryAuto, EntryIndex, EntryCount, EntryExcess, EntryDate, EntryMonth };
// PermitHours fields in stored order.
enum HoursEntry { HoursAuto, HoursIndex, HoursText, HoursExcess, HoursHours, HoursMinute, HoursDate, HoursMonth };

TEST_F(Posting, AdministrativeDaysBeyondTheEntitlementAreCarriedAsExcessOnEachEntryAndTheWorker)
{
    setWorker({{"AdministrationPermit", 10}});
    admin("3");
    EXPECT_EQ(stored("AdministrationPermit"), 13);
    EXPECT_EQ(stored("ExcessMonth"), 0);
    admin("2");
    EXPECT_EQ(stored("ExcessMonth"), 1);
    admin("4");
    EXPECT_EQ(stored("AdministrationPermit"), 19);
    EXPECT_EQ(stored("ExcessMonth"), 5);
    const auto rows = entries("PermitAdmin");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][EntryExcess], "0");
    EXPECT_EQ(rows[1][EntryExcess], "1");
    EXPECT_EQ(rows[2][EntryExcess], "5");
    EXPECT_EQ(rows[2][EntryCount], "4");
    EXPECT_EQ(rows[2][EntryIndex], std::to_string(worker));
    EXPECT_EQ(rows[2][EntryDate], "08/12/2026");
    EXPECT_EQ(rows[2][EntryMonth], "12");
    EXPECT_EQ(book->TablePermitAdminAuto.Text(), rows[2][EntryAuto]) << "the entry cursor stands on the new entry";
}

TEST_F(Posting, ATotalLandingOnTheEntitlementStoresNoExcessAndAnEmptyEntitlementCountsEveryDay)
{
    setWorker({{"AdministrationPermit", 11}});
    admin("3");
    EXPECT_EQ(stored("ExcessMonth"), 0);

    book->TableM.Edit();
    book->TableMYearPermit.Clear();
    book->TableM.Post();
    admin("2");
    EXPECT_EQ(stored("ExcessMonth"), 16);
}

TEST_F(Posting, ZeroAndNegativeCountsAreAppliedAsTypedAndTheExcessFallsBack)
{
    setWorker({{"AdministrationPermit", 16}});
    admin("0");
    EXPECT_EQ(stored("ExcessMonth"), 2);
    admin("-5");
    EXPECT_EQ(stored("AdministrationPermit"), 11);
    EXPECT_EQ(stored("ExcessMonth"), 0);
    const auto rows = entries("PermitAdmin");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][EntryCount], "0");
    EXPECT_EQ(rows[0][EntryExcess], "2") << "an earlier entry keeps its figure";
    EXPECT_EQ(rows[1][EntryCount], "-5");
    EXPECT_EQ(rows[1][EntryExcess], "0");
}

TEST_F(Posting, AnAmountThatIsNotAWholeNumberChangesNothing)
{
    const testing_support::BookContents before = testing_support::readBook(folder.root());
    for (const char* typed : {"x", " 3", "3 ", "  ", "1.5", "", "2147483648"}) {
        SCOPED_TRACE(typed);
        EXPECT_EQ(testing_support::thrownBy([&] { admin(typed); }),
                  "not a store error: '" + std::string(typed) + "' is not a valid integer value");
        EXPECT_EQ(book->TableM.State(), store::CursorState::Browsing);
    }
    EXPECT_EQ(testing_support::thrownBy([&] { hourly("2", ""); }), "not a store error: '' is not a valid integer value");
    EXPECT_EQ(book->TableM.State(), store::CursorState::Browsing) << "no raised hours are left pending";
    EXPECT_EQ(testing_support::readBook(folder.root()), before);
}

TEST_F(Posting, ATotalThatWouldLeaveTheStoredRangeIsRefusedWholly)
{
    setWorker({{"AdministrationPermit", std::numeric_limits<std::int32_t>::max()}, {"HealthPermit", -2147483647}});
    const testing_support::BookContents before = testing_support::readBook(folder.root());
    EXPECT_NE(testing_support::thrownBy([&] { admin("1"); }), "nothing thrown");
    EXPECT_NE(testing_support::thrownBy([&] { leave::postDaysLeave(*book, leave::DaysLeave::Sick, "-2", december8); }),
              "nothing thrown");
    EXPECT_EQ(testing_support::readBook(folder.root()), before);
    setWorker({{"AdministrationPermit", 2000000000}, {"YearPermit", -2000000000}});
    const testing_support::BookContents wide = testing_support::readBook(folder.root());
    EXPECT_NE(testing_support::thrownBy([&] { admin("0"); }), "nothing thrown") << "an excess beyond 32 bits";
    EXPECT_EQ(testing_support::readBook(folder.root()), wide);
    EXPECT_EQ(book->TableM.State(), store::CursorState::Browsing);
    EXPECT_EQ(book->TablePermitAdmin.State(), store::CursorState::Browsing);
    EXPECT_TRUE(book->TablePermitAdmin.IsEmpty());
}

TEST_F(Posting, WithNoWorkerToChargeNothingIsWritten)
{
    book->TableM.Delete();
    const testing_support::BookContents before = testing_support::readBook(folder.root());
    EXPECT_NE(testing_support::thrownBy([&] { admin("1"); }), "nothing thrown");
    EXPECT_NE(testing_support::thrownBy([&] { hourly("1", "0"); }), "nothing thrown");
    EXPECT_EQ(testing_support::readBook(folder.root()), before);
}

TEST_F(Posting, TheHourlyWorkedExampleComesOutAsWritten)
{
    setWorker({{"Hours", 7}, {"Minute", 50}, {"AdministrationPermit", 14}});
    hourly("2", "30");
    EXPECT_EQ(balance(), std::make_tuple(2, 20, std::string("2.20")));
    EXPECT_EQ(stored("AdministrationPermit"), 15);
    EXPECT_EQ(stored("ExcessMonth"), 1);
    const auto rows = entries("PermitHours");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][HoursHours], "2");
    EXPECT_EQ(rows[0][HoursMinute], "30");
    EXPECT_EQ(rows[0][HoursText], "2.30");
    EXPECT_EQ(rows[0][HoursExcess], "<null>") << "the hourly entry's own excess stays empty";
    EXPECT_EQ(rows[0][HoursDate], "08/12/2026");
    EXPECT_EQ(rows[0][HoursMonth], "12");
    EXPECT_TRUE(entries("PermitAdmin").empty()) << "no administrative entry is made for the carried day";
}

TEST_F(Posting, MinutesAndHoursCarryOncePerPosting)
{
    setWorker({{"Minute", 45}});
    hourly("0", "30");
    EXPECT_EQ(balance(), std::make_tuple(1, 15, std::string("1.15")));

    setWorker({{"Hours", 7}, {"Minute", 0}, {"AdministrationPermit", 0}});
    hourly("1", "0");
    EXPECT_EQ(balance(), std::make_tuple(0, 0, std::string("0.0")));
    EXPECT_EQ(stored("AdministrationPermit"), 1);

    setWorker({{"Hours", 0}, {"Minute", 0}});
    hourly("0", "130");
    EXPECT_EQ(balance(), std::make_tuple(1, 70, std::string("1.70")));
    hourly("0", "0");
    EXPECT_EQ(balance(), std::make_tuple(2, 10, std::string("2.10")));

    setWorker({{"Hours", 0}, {"Minute", 0}, {"AdministrationPermit", 0}});
    hourly("20", "0");
    EXPECT_EQ(balance(), std::make_tuple(12, 0, std::string("12.0")));
    EXPECT_EQ(stored("AdministrationPermit"), 1);
    hourly("0", "0");
    EXPECT_EQ(stored("Hours"), 4);
    EXPECT_EQ(stored("AdministrationPermit"), 2);

    setWorker({{"Hours", 7}, {"Minute", 30}, {"AdministrationPermit", 0}});
    hourly("0", "30");
    EXPECT_EQ(balance(), std::make_tuple(0, 0, std::string("0.0")));
    EXPECT_EQ(stored("AdministrationPermit"), 1);
}

TEST_F(Posting, AnEntryKeepsTheTypedValuesWithoutCarries)
{
    hourly("0", "90");
    const auto rows = entries("PermitHours");
    EXPECT_EQ(rows.at(0)[HoursMinute], "90");
    EXPECT_EQ(rows.at(0)[HoursText], "0.90");
    EXPECT_EQ(balance(), std::make_tuple(1, 30, std::string("1.30")));
}

TEST_F(Posting, NegativeHoursAndMinutesAreAddedAsTypedAndNeverCarried)
{
    setWorker({{"Hours", 2}, {"Minute", 10}});
    hourly("-5", "-70");
    EXPECT_EQ(balance(), std::make_tuple(-3, -60, std::string("-3.-6")));
    EXPECT_EQ(entries("PermitHours").at(0)[HoursText], "-5.-7") << "hours texts are cut to 5 characters";
    EXPECT_EQ(stored("AdministrationPermit"), 0);
}

TEST_F(Posting, ACarriedDayPastTheEntitlementMarksTheWorkerButNoAdministrativeEntry)
{
    setWorker({{"AdministrationPermit", 13}, {"Hours", 6}});
    admin("1");
    const auto adminBefore = entries("PermitAdmin");
    hourly("2", "0");
    EXPECT_EQ(stored("AdministrationPermit"), 15);
    EXPECT_EQ(stored("ExcessMonth"), 1);
    EXPECT_EQ(entries("PermitAdmin"), adminBefore) << "an older entry keeps its figure";
}

TEST_F(Posting, SickAndUnpaidDaysTouchOnlyTheirOwnTotalAndTable)
{
    setWorker({{"HealthPermit", 2}, {"AdministrationPermit", 20}, {"ExcessMonth", 6}});
    admin("0");
    const auto adminEntries = entries("PermitAdmin");
    leave::postDaysLeave(*book, leave::DaysLeave::Sick, "3", december8);
    EXPECT_EQ(stored("HealthPermit"), 5);
    leave::postDaysLeave(*book, leave::DaysLeave::Unpaid, "-1", {"8", "", ""});
    EXPECT_EQ(stored("NoHire"), -1);
    EXPECT_EQ(stored("AdministrationPermit"), 20);
    EXPECT_EQ(stored("ExcessMonth"), 6);
    EXPECT_EQ(entries("PermitAdmin"), adminEntries);
    const auto sick = entries("PermitHealth");
    ASSERT_EQ(sick.size(), 1u);
    EXPECT_EQ(sick[0], (std::vector<std::string>{sick[0][0], std::to_string(worker), "3", "08/12/2026", "12"}));
    const auto unpaid = entries("PermitNoHire");
    ASSERT_EQ(unpaid.size(), 1u);
    EXPECT_EQ(unpaid[0][2], "-1");
    EXPECT_EQ(unpaid[0][3], "8//") << "an empty month and year are joined as typed";
    EXPECT_EQ(unpaid[0][4], "");
}

TEST_F(Posting, TheDateTextIsCutToTwelveAndTheMonthToTwo)
{
    admin("1");
    leave::postAdministrativeLeave(*book, "1", {"8", "123", "20261"});
    leave::postAdministrativeLeave(*book, "1", {"08", "12", "20262026202"});
    const auto rows = entries("PermitAdmin");
    EXPECT_EQ(rows[1][EntryDate], "8/123/20261");
    EXPECT_EQ(rows[1][EntryMonth], "12");
    EXPECT_EQ(rows[2][EntryDate], "08/12/202620");
}

// ---- a failing disk at any point of any posting ----

struct PostingCase {
    const char* name;
    std::function<void(store::TDataModule1&)> post;
};

void fillForFaults(store::TDataModule1& book)
{
    for (const char* name : {"Ahmad", "Salim"})
        testing_support::addWorker(book, name, 14);
    book.TableM.First();
    testing_support::addEntry(book.TablePermitAdmin, "AdministrationPermit", 3);
    book.TableM.Edit();
    book.TableMAdministrationPermit.SetAsInteger(13);
    book.TableMHours.SetAsInteger(7);
    book.TableMMinute.SetAsInteger(50);
    book.TableM.Post();
}

class FailingDisk : public ::testing::TestWithParam<PostingCase> {
protected:
    void SetUp() override { FaultVfs::install(); }
    void TearDown() override { FaultVfs::reset(); }

    struct Probe {
        testing_support::BookContents before, after;
        int operations = 0; // durable operations the posting takes
    };
    // The posting run once without a fault on a fresh book.
    static Probe probe(const PostingCase& posting)
    {
        Probe found;
        TempBook book;
        {
            auto filling = book.open();
            fillForFaults(*filling);
        }
        found.before = testing_support::readBook(book.root());
        store::TDataModule1 opened(book.root(), {FaultVfs::name, 100});
        FaultVfs::reset();
        posting.post(opened);
        found.operations = FaultVfs::operations();
        found.after = testing_support::readBook(book.root());
        return found;
    }
};

TEST_P(FailingDisk, LeavesTheBookAndTheCursorsAsBeforeAndARetryPostsOnce)
{
    const PostingCase& posting = GetParam();
    const auto [before, after, operations] = probe(posting);
    ASSERT_GT(operations, 3);
    int refused = 0;
    for (int n = 1; n <= operations; ++n) {
        SCOPED_TRACE(std::string(posting.name) + ", failing durable operation " + std::to_string(n));
        TempBook victim;
        {
            auto filling = victim.open();
            fillForFaults(*filling);
        }
        store::TDataModule1 book(victim.root(), {FaultVfs::name, 100});
        std::vector<store::CursorSnapshot> cursorsBefore;
        for (store::Cursor* cursor : book.cursors())
            cursorsBefore.push_back(cursor->snapshot());
        FaultVfs::failAt(n);
        bool threw = false;
        try {
            posting.post(book);
        } catch (const store::StoreError&) {
            threw = true;
        }
        FaultVfs::reset();
        if (threw) {
            ++refused;
            ASSERT_EQ(testing_support::readBook(victim.root()), before);
            for (std::size_t c = 0; c < cursorsBefore.size(); ++c) {
                const store::CursorSnapshot now = book.cursors()[c]->snapshot();
                EXPECT_EQ(now.state, cursorsBefore[c].state) << book.cursors()[c]->name();
                EXPECT_EQ(now.current, cursorsBefore[c].current) << book.cursors()[c]->name();
            }
            posting.post(book);
        }
        EXPECT_EQ(testing_support::readBook(victim.root()), after);
    }
    EXPECT_GT(refused, 0);
}

TEST_P(FailingDisk, AKillAtAnyMomentLeavesTheWholePostingOrNoneOfIt)
{
    const PostingCase& posting = GetParam();
    const auto [before, after, operations] = probe(posting);
    int sawBefore = 0, sawAfter = 0;
    for (int n = 1; n <= operations + 1; ++n) {
        SCOPED_TRACE(std::string(posting.name) + ", killed before durable operation " + std::to_string(n));
        TempBook victim;
        {
            auto filling = victim.open();
            fillForFaults(*filling);
        }
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            store::TDataModule1 book(victim.root(), {FaultVfs::name, 100});
            FaultVfs::killAt(n);
            posting.post(book);
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        const testing_support::BookContents found = testing_support::readBook(victim.root());
        if (found == before)
            ++sawBefore;
        else if (found == after)
            ++sawAfter;
        else
            ADD_FAILURE() << "the book holds part of the posting";
    }
    EXPECT_GT(sawBefore, 0);
    EXPECT_GT(sawAfter, 0) << "the last run was not killed, so it stored the whole posting";
}

INSTANTIATE_TEST_SUITE_P(
    EveryPosting, FailingDisk,
    ::testing::Values(
        PostingCase{"administrative", [](store::TDataModule1& b) { leave::postAdministrativeLeave(b, "2", december8); }},
        PostingCase{"hourly", [](store::TDataModule1& b) { leave::postHourlyLeave(b, "2", "30", december8); }},
        PostingCase{"sick",
                    [](store::TDataModule1& b) { leave::postDaysLeave(b, leave::DaysLeave::Sick, "3", december8); }},
        PostingCase{"unpaid",
                    [](store::TDataModule1& b) { leave::postDaysLeave(b, leave::DaysLeave::Unpaid, "1", december8); }}),
    [](const ::testing::TestParamInfo<PostingCase>& named) { return std::string(named.param.name); });

} // namespace

TEST_F(Posting, TheBookCheckReplaysPostingsOfEveryKindToTheTotalsTheyLeft)
{
    const std::int32_t second = testing_support::addWorker(*book, "Huda", 21);
    for (const std::int32_t who : {worker, second}) {
        ASSERT_TRUE(book->TableM.FindKey(who));
        admin("3");
        hourly("5", "30");
        hourly("3", "40"); // carries a day, with 1:10 left
        hourly("7", "55");
        hourly("0", "75");
        admin("20");
        leave::postDaysLeave(*book, leave::DaysLeave::Sick, "4", december8);
        leave::postDaysLeave(*book, leave::DaysLeave::Unpaid, "2", december8);
    }
    const auto findings = operations::checkBook(*testing_support::connectionTo(folder.root()));
    EXPECT_TRUE(findings.empty()) << (findings.empty() ? "" : findings.front().text);
}
