// The book's history on both kinds of book: every change, by a clerk action or by another
// program, leaves its rows in the same unit of work; a failed posting leaves none; a year
// close and a restore write their own; check tells a correction from an unrecorded change.
#include "ActionOnBook.h"
#include "AdministrativePosting.h"
#include "BookBackup.h"
#include "BookCheck.h"
#include "BookHistory.h"
#include "BookRestore.h"
#include "DaysPosting.h"
#include "HourlyPosting.h"
#include "ServerBook.h"
#include "ServerBookConnection.h"
#include "StaffImport.h"
#include "TableSetup.h"
#include "TempBook.h"
#include "YearClose.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <set>
#include <sstream>

using testing_support::addWorker;

namespace {

// A book of one kind, and another program writing its worker table: an SQLite tool on the
// local file, an administrator's session on the server.
class Book {
public:
    virtual ~Book() = default;
    virtual std::unique_ptr<store::TDataModule1> open() const = 0;
    // `sql` names the worker table as {worker}.
    virtual void anotherProgram(const std::string& sql) const = 0;
    // A connection with no table open yet, as a restore takes it.
    virtual std::unique_ptr<store::BookConnection> connect() const = 0;
    // The same with the history's triggers out of the way, and back after.
    virtual void unrecorded(const std::string& sql) const = 0;
};

std::string withTable(std::string sql, const std::string& table)
{
    sql.replace(sql.find("{worker}"), 8, table);
    return sql;
}

class LocalBook final : public Book {
public:
    std::unique_ptr<store::TDataModule1> open() const override { return made_.open(); }
    std::unique_ptr<store::BookConnection> connect() const override { return testing_support::connectionTo(made_.root()); }
    void anotherProgram(const std::string& sql) const override
    {
        sqlite3* db = nullptr;
        sqlite3_open((made_.root() / "worker/worker.db").string().c_str(), &db);
        char* error = nullptr;
        const int rc = sqlite3_exec(db, withTable(sql, "\"worker\"").c_str(), nullptr, nullptr, &error);
        const std::string said = error ? error : "";
        sqlite3_free(error);
        sqlite3_close(db);
        if (rc != SQLITE_OK)
            throw std::runtime_error(said);
    }
    void unrecorded(const std::string& sql) const override
    {
        anotherProgram("DROP TRIGGER \"workerHistoryUpdate\"; " + sql);
        store::createMissingTables(made_.root()); // the setup gives the triggers back
    }

private:
    testing_support::TempBook made_;
};

class OnServer final : public Book {
public:
    std::unique_ptr<store::TDataModule1> open() const override { return made_.open(); }
    std::unique_ptr<store::BookConnection> connect() const override
    {
        return std::make_unique<server::ServerBookConnection>(made_.conninfo(), std::filesystem::temp_directory_path());
    }
    void anotherProgram(const std::string& sql) const override { made_.administer(withTable(sql, "\"worker\".\"worker\"")); }
    void unrecorded(const std::string& sql) const override
    {
        const std::string table = "ALTER TABLE \"worker\".\"worker\" ";
        anotherProgram(table + "DISABLE TRIGGER \"record_history\"; " + sql + "; " + table
                       + "ENABLE TRIGGER \"record_history\"");
    }

private:
    testing_support::ServerBook made_;
};

struct Kind {
    std::string name;
    std::function<std::unique_ptr<Book>()> make;
};

void PrintTo(const Kind& kind, std::ostream* out)
{
    *out << kind.name;
}

// Each row as "action table change field before after", in no particular order.
std::multiset<std::string> rowsOf(store::BookConnection& book, std::int64_t worker)
{
    operations::HistoryFilter filter;
    filter.worker = worker;
    std::multiset<std::string> rows;
    for (const operations::HistoryEntry& entry : operations::readHistory(book, filter))
        rows.insert(entry.action.value_or("other") + " " + std::string(entry.table->name) + " " + entry.change + " "
                    + entry.field + " " + entry.before.value_or("-") + " " + entry.after.value_or("-"));
    return rows;
}

std::size_t rowCount(store::BookConnection& book)
{
    return operations::readHistory(book, {}).size();
}

std::vector<std::string> findings(store::BookConnection& book)
{
    std::vector<std::string> said;
    for (const operations::Finding& finding : operations::checkBook(book))
        said.push_back(finding.text);
    return said;
}

const leave::LeaveDate march{"5", "3", "2026"};

class Histories : public ::testing::TestWithParam<Kind> {
protected:
    std::unique_ptr<Book> book = GetParam().make();
    std::unique_ptr<store::TDataModule1> ours = book->open();

    std::int32_t newWorker(const std::string& name)
    {
        const store::ActionOnBook registering(ours->connection(), store::bookAction::newWorker);
        return addWorker(*ours, name);
    }
};

} // namespace

TEST_P(Histories, EveryClerkActionAndAnotherProgramLeaveExactlyTheRowsOfWhatTheyChanged)
{
    const std::int32_t worker = newWorker("سعاد");
    leave::postAdministrativeLeave(*ours, "3", march);
    leave::postHourlyLeave(*ours, "9", "0", march); // a day carried, an hour left
    leave::postDaysLeave(*ours, leave::DaysLeave::Sick, "2", march);
    leave::postDaysLeave(*ours, leave::DaysLeave::Unpaid, "1", march);
    {
        const store::ActionOnBook correcting(ours->connection(), store::bookAction::correction);
        ours->TableM.Edit();
        ours->TableMYearPermit.SetAsInteger(21);
        ours->TableM.Post();
        ours->TablePermitHealth.Delete();
    }
    book->anotherProgram("UPDATE {worker} SET \"ServesStart\" = 2001");
    const std::multiset<std::string> expected{
        "new-worker worker insert WorkerName - سعاد",
        "new-worker worker insert YearPermit - 14",
        "new-worker worker insert HorsPermit - ", // the empty hours text a new worker is given
        "administrative worker update AdministrationPermit - 3",
        "administrative worker update ExcessMonth - 0",
        "administrative PermitAdmin insert AdministrationPermit - 3",
        "administrative PermitAdmin insert Date - 5/3/2026",
        "administrative PermitAdmin insert Month - 3",
        "administrative PermitAdmin update ExcessMonth - 0",
        "hourly worker update Hours - 9", // the sums are stored before the carry
        "hourly worker update Hours 9 1",
        "hourly worker update Minute - 0",
        "hourly worker update HorsPermit  1.0",
        "hourly worker update AdministrationPermit 3 4",
        "hourly PermitHours insert HorsPermit - 9.0",
        "hourly PermitHours insert Hours - 9",
        "hourly PermitHours insert Minute - 0",
        "hourly PermitHours insert Date - 5/3/2026",
        "hourly PermitHours insert Month - 3",
        "sick worker update HealthPermit - 2",
        "sick PermitHealth insert HealthPermit - 2",
        "sick PermitHealth insert Date - 5/3/2026",
        "sick PermitHealth insert Month - 3",
        "unpaid worker update NoHire - 1",
        "unpaid PermitNoHire insert NoHire - 1",
        "unpaid PermitNoHire insert Date - 5/3/2026",
        "unpaid PermitNoHire insert Month - 3",
        "correction worker update YearPermit 14 21",
        "correction PermitHealth delete HealthPermit 2 -",
        "correction PermitHealth delete Date 5/3/2026 -",
        "correction PermitHealth delete Month 3 -",
        "other worker update ServesStart - 2001",
    };
    EXPECT_EQ(rowsOf(ours->connection(), worker), expected);

    const testing_support::TempBook scratch;
    const std::filesystem::path list = scratch.root().parent_path() / "staff.csv";
    std::ofstream(list) << "اسم العامل,بداية الخدمة\nهند,2020\n";
    std::ostringstream out;
    ASSERT_TRUE(operations::importStaff(*ours, list, 2026, {}, out)) << out.str();
    EXPECT_EQ(rowsOf(ours->connection(), worker + 1),
              (std::multiset<std::string>{"import worker insert WorkerName - هند", "import worker insert HorsPermit - ",
                                          "import worker insert ServesYears - 6",
                                          "import worker insert ServesStart - 2020", "import worker insert YearPermit - 14"}));
}

TEST_P(Histories, AFailedPostingLeavesNoRowAndCheckTellsACorrectionFromAnUnrecordedChange)
{
    const std::int32_t worker = newWorker("نادر");
    leave::postAdministrativeLeave(*ours, "5", march);
    const std::size_t before = rowCount(ours->connection());
    book->anotherProgram("UPDATE {worker} SET \"HealthPermit\" = 2147483647");
    ours->TableM.Refresh();
    EXPECT_ANY_THROW(leave::postDaysLeave(*ours, leave::DaysLeave::Sick, "1", march));
    EXPECT_EQ(rowCount(ours->connection()), before + 1) << "only the other program's change";

    {
        const store::ActionOnBook correcting(ours->connection(), store::bookAction::correction);
        ours->TableM.Edit();
        ours->TableMAdministrationPermit.SetAsInteger(7); // two days the entries do not hold
        ours->TableM.Post();
    }
    EXPECT_EQ(findings(ours->connection()), std::vector<std::string>{}) << "both changes are in the history";

    // A total its entries do not give, and a field its history did not give, neither recorded.
    book->unrecorded("UPDATE {worker} SET \"NoHire\" = 4, \"YearPermit\" = 30");
    const std::vector<std::string> told = findings(ours->connection());
    ASSERT_EQ(told.size(), 2u) << ::testing::PrintToString(told);
    EXPECT_NE(told[0].find("العامل " + std::to_string(worker) + " «\u2068نادر\u2069»: الأيام بلا أجر 4، وقيوده تعطي 0"),
              std::string::npos) << told[0];
    EXPECT_NE(told[1].find("السجل " + std::to_string(worker) + ": الحقل \u2066YearPermit\u2069 «\u206830\u2069»، وآخر ما "
                           "سجّله سجل التغييرات «\u206814\u2069»"),
              std::string::npos) << told[1];
}

TEST_P(Histories, AYearCloseArchivesTheHistoryAndARestoreBringsBackTheBackupsWithAMarkPerWorker)
{
    const std::int32_t worker = newWorker("ليلى");
    newWorker("مازن");
    ours->TableM.FindKey(worker);
    leave::postAdministrativeLeave(*ours, "2", march);
    const testing_support::TempBook scratch;
    const std::filesystem::path folders = scratch.root().parent_path();
    operations::backUp(ours->connection(), folders / "backup");
    const std::size_t backedUp = rowCount(ours->connection());

    leave::postDaysLeave(*ours, leave::DaysLeave::Sick, "1", march);
    const std::size_t kept = rowCount(ours->connection());
    operations::closeYear(ours->connection(), 2026, 2027, folders / "Archive");
    const auto archived = testing_support::connectionTo(folders / "Archive/2026");
    EXPECT_EQ(rowCount(*archived), kept) << "the year's history goes with its book";
    EXPECT_EQ(rowsOf(ours->connection(), worker), (std::multiset<std::string>{"year-close worker mark  - 2026"}));
    EXPECT_EQ(rowCount(ours->connection()), 2u) << "one row per worker";
    EXPECT_EQ(findings(ours->connection()), std::vector<std::string>{});

    ours.reset();
    operations::restore(*book->connect(), folders / "backup", folders / "safe");
    ours = book->open();
    const std::string restored = "restore worker mark  - " + (folders / "backup").string();
    EXPECT_EQ(rowCount(ours->connection()), backedUp + 2);
    EXPECT_EQ(rowsOf(ours->connection(), worker).count(restored), 1u);
    EXPECT_EQ(rowsOf(ours->connection(), worker).count("administrative worker update AdministrationPermit - 2"), 1u);
    EXPECT_EQ(rowCount(*testing_support::connectionTo(folders / "safe")), 2u) << "the history as it stood is kept";
    EXPECT_EQ(findings(ours->connection()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Kinds, Histories,
                         ::testing::Values(Kind{"local", [] { return std::unique_ptr<Book>(std::make_unique<LocalBook>()); }},
                                           Kind{"server", [] { return std::unique_ptr<Book>(std::make_unique<OnServer>()); }}),
                         [](const ::testing::TestParamInfo<Kind>& kind) { return kind.param.name; });
