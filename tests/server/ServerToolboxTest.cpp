// The toolbox and the setup tool on a book kept on a server: the choice recorded for the
// user, a backup that is an ordinary local book, a restore into the server, and check,
// export and import through it.
#include "BookBackup.h"
#include "LocalBookFiles.h"
#include "OldTables.h"
#include "BookCommands.h"
#include "BookPlace.h"
#include "ServerBook.h"
#include "StoreError.h"
#include "TempBook.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

using testing_support::addWorker;
using testing_support::ServerBook;

namespace {

// A home and settings of the test's own, so the choice it records and the backups it takes
// are nobody's.
class ServerToolbox : public ::testing::Test {
protected:
    ServerToolbox()
    {
        std::filesystem::create_directories(config);
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        setenv("HOME", user.c_str(), 1);
    }

    struct Outcome {
        int status;
        std::string out, err;
    };
    static Outcome book(const std::vector<std::string>& args)
    {
        std::ostringstream out, err;
        const int status = runBookCommand(args, out, err, "2026-12-09_101500");
        return {status, out.str(), err.str()};
    }
    // A program of the package, run as the clerk's shell would, with the test's settings.
    std::pair<int, std::string> run(const std::string& program, const std::string& arguments) const
    {
        // The test's HOME and settings; the toolbox speaking English, as under most test machines' locale.
        const std::string command = "LC_ALL=C.UTF-8 LANGUAGE= " + program + " " + arguments + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        std::string said;
        char chunk[512];
        while (std::fgets(chunk, sizeof chunk, pipe))
            said += chunk;
        const int status = pclose(pipe);
        return {WEXITSTATUS(status), said};
    }

    testing_support::TempBook home; // a folder of the test's own
    std::filesystem::path user = home.root().parent_path() / "user";
    std::filesystem::path config = user / ".config";
    ServerBook server;
};

std::vector<std::string> workerNames(store::TDataModule1& book)
{
    std::vector<std::string> names;
    for (const std::int32_t key : book.TableM.keysInOrder()) {
        book.TableM.FindKey(key);
        names.push_back(book.TableMWorkerName.Text());
    }
    return names;
}

} // namespace

TEST_F(ServerToolbox, TheSetupRecordsTheServerForTheProgramAndTheToolboxAndLocalGoesBack)
{
    const auto [made, said] = run(IJAZAT_SETUP, "--server '" + server.conninfo() + "'");
    EXPECT_EQ(made, 0) << said;
    EXPECT_NE(said.find("all five tables are present"), std::string::npos) << said;
    addWorker(*server.open(), "سالم");
    const auto [checked, report] = run(IJAZAT_BOOK, "check");
    EXPECT_EQ(checked, 0) << report;
    EXPECT_NE(report.find("findings: 0, in the book on"), std::string::npos) << report;

    const auto [unreachable, refusal] = run(IJAZAT_SETUP, "--server 'host=/nonexistent port=5999 dbname=x'");
    EXPECT_EQ(unreachable, 1);
    EXPECT_NE(refusal.find("/nonexistent:5999/x"), std::string::npos) << refusal;
    EXPECT_NE(run(IJAZAT_BOOK, "check").second.find("on "), std::string::npos) << "a failed setup keeps the choice";

    EXPECT_EQ(run(IJAZAT_SETUP, "--local").first, 0);
    EXPECT_EQ(operations::chosenBook(user).server, std::nullopt);
}

TEST_F(ServerToolbox, ABackupOfAServerBookIsALocalBookAndARestoreLoadsOneIntoTheServer)
{
    operations::chooseServer(server.conninfo());
    {
        auto desk = server.open();
        for (const char* name : {"أحمد", "هدى", "Salim"})
            addWorker(*desk, name);
        desk->TableM.Last();
        desk->TableM.Delete(); // key 3 is given, and must never come back
    }
    const std::filesystem::path backup = home.root().parent_path() / "backup";
    const auto backedUp = book({"backup", "--to", backup.string()});
    ASSERT_EQ(backedUp.status, 0) << backedUp.err;
    EXPECT_EQ(store::bookFileProblem(backup), std::nullopt);
    {
        store::TDataModule1 copy(backup);
        EXPECT_EQ(workerNames(copy), (std::vector<std::string>{"أحمد", "هدى"}));
    }

    addWorker(*server.open(), "نور"); // a change after the backup, which the restore undoes
    const auto restored = book({"restore", backup.string()});
    ASSERT_EQ(restored.status, 0) << restored.err;
    auto desk = server.open();
    EXPECT_EQ(workerNames(*desk), (std::vector<std::string>{"أحمد", "هدى"}));
    EXPECT_EQ(addWorker(*desk, "زياد"), 5) << "keys go on above every key the server gave";
    const std::filesystem::path before = user / "kestrave/Backups/2026-12-09_101500_before-restore";
    store::TDataModule1 asItWas(before);
    EXPECT_EQ(workerNames(asItWas), (std::vector<std::string>{"أحمد", "هدى", "نور"}));
}

TEST_F(ServerToolbox, CheckExportAndImportWorkOnTheServerBook)
{
    operations::chooseServer(server.conninfo());
    const std::filesystem::path list = home.root().parent_path() / "staff.csv";
    std::ofstream(list) << "اسم العامل,بداية الخدمة\nإبراهيم,2010\nفاطمة,2020\n";
    const auto imported = book({"import", list.string()});
    ASSERT_EQ(imported.status, 0) << imported.err;
    const auto again = book({"import", list.string()});
    EXPECT_EQ(again.status, 1) << "names already in the server's book are refused";

    const std::filesystem::path sheet = home.root().parent_path() / "summary.csv";
    const auto exported = book({"export", sheet.string()});
    ASSERT_EQ(exported.status, 0) << exported.err;
    std::ifstream in(sheet);
    std::stringstream written;
    written << in.rdbuf();
    EXPECT_NE(written.str().find("إبراهيم,16,2010,21"), std::string::npos) << written.str();
    EXPECT_NE(written.str().find("فاطمة,6,2020,14"), std::string::npos) << written.str();

    const auto checked = book({"check"});
    EXPECT_EQ(checked.status, 0) << checked.err;
    EXPECT_NE(checked.out.find("الملاحظات: 0"), std::string::npos) << checked.out;
    // Read on the server itself: a total changed there by a tool that left the history out is
    // found, naming the table.
    server.administer("ALTER TABLE \"worker\".\"worker\" DISABLE TRIGGER \"record_history\"; "
                      "UPDATE \"worker\".\"worker\" SET \"AdministrationPermit\" = 7 WHERE \"WorkerName\" = 'فاطمة'; "
                      "ALTER TABLE \"worker\".\"worker\" ENABLE TRIGGER \"record_history\"");
    const auto inconsistent = book({"check"});
    EXPECT_EQ(inconsistent.status, 0) << inconsistent.err;
    EXPECT_NE(inconsistent.out.find("worker\u2069: العامل 2 «\u2068فاطمة\u2069»: الأيام الإدارية 7، وقيوده تعطي 0"),
              std::string::npos)
        << inconsistent.out;
}

TEST_F(ServerToolbox, TheOldBookMovesIntoTheServerBookWithItsKeysAndItsInconsistenciesKept)
{
    operations::chooseServer(server.conninfo());
    const std::filesystem::path old = home.root().parent_path() / "old";
    testing_support::writeOldBook(old);
    const auto moved = book({"move-in", old.string()});
    ASSERT_EQ(moved.status, 0) << moved.err;
    auto desk = server.open();
    EXPECT_EQ(workerNames(*desk), (std::vector<std::string>{"سالم الحلبي ", "Huda", "نور"}));
    desk->TableM.FindKey(2147483000);
    EXPECT_EQ(desk->TableMWorkerName.Text(), "نور") << "the keys kept";
    EXPECT_NE(book({"check"}).out.find("الملاحظات: 2،"), std::string::npos) << "check finds what the move-in kept";
}

TEST_F(ServerToolbox, ClosingAYearOfTheServerBookArchivesItLocallyAndStartsTheNewYearOnTheServer)
{
    operations::chooseServer(server.conninfo());
    std::int32_t worker = 0;
    {
        auto desk = server.open();
        worker = addWorker(*desk, "سالم");
        desk->TableM.FindKey(worker);
        desk->TableM.Edit();
        desk->TableMServesStart.SetAsInteger(2016);
        desk->TableMServesYears.SetAsInteger(9);
        desk->TableMAdministrationPermit.SetAsInteger(3);
        desk->TableMHours.SetAsInteger(5);
        desk->TableM.Post();
        testing_support::addEntry(desk->TablePermitAdmin, "AdministrationPermit", 3);
    }
    const auto closed = book({"close-year", "2025"});
    ASSERT_EQ(closed.status, 0) << closed.err;
    const std::filesystem::path archive = user / "kestrave/Archive/2025";
    {
        store::TDataModule1 archived(archive);
        archived.TableM.FindKey(worker);
        EXPECT_EQ(archived.TableMAdministrationPermit.AsInteger(), 3) << "the year as it stood";
        EXPECT_EQ(archived.TablePermitAdmin.keysInOrder().size(), 1u);
    }
    auto desk = server.open();
    desk->TableM.FindKey(worker);
    EXPECT_EQ(desk->TableMServesYears.AsInteger(), 10);
    EXPECT_EQ(desk->TableMAdministrationPermit.Text(), "");
    EXPECT_TRUE(desk->TablePermitAdmin.IsEmpty());
    ASSERT_EQ(desk->TablePermitHours.keysInOrder().size(), 1u) << "the hours below a day are carried";
    EXPECT_EQ(desk->TablePermitHours.FieldByName("Date").Text(), "من 2025");
    EXPECT_EQ(book({"close-year", "2025"}).status, 1) << "a year closes once";

    // Another desk has no archive folder: the book's own record refuses it, and the
    // archive comes from the server.
    const auto archived = testing_support::readBook(archive);
    std::filesystem::remove_all(archive.parent_path());
    const auto elsewhere = book({"close-year", "2025"});
    EXPECT_EQ(elsewhere.status, 1);
    EXPECT_NE(elsewhere.err.find("مقفلة من قبل"), std::string::npos) << elsewhere.err;
    const auto fetched = book({"archive", "2025"});
    ASSERT_EQ(fetched.status, 0) << fetched.err;
    EXPECT_EQ(testing_support::readBook(archive), archived);
    EXPECT_EQ(book({"archive", "2024"}).status, 1) << "no archive of a year never closed";
}

TEST(ServerChoice, ABareNameIsAServiceAndAConnectionStringOrURIIsKeptAsGiven)
{
    for (const auto& [given, meant] : std::vector<std::pair<std::string, std::string>>{
             {"leavebook", "service=leavebook"},
             {"host=db port=5432 dbname=leave", "host=db port=5432 dbname=leave"},
             {"postgresql://db/leave", "postgresql://db/leave"},
             {"service=office", "service=office"}})
        EXPECT_EQ(operations::connectionString(given), meant) << given;
}
