#include "BookBackup.h"
#include "BookCheck.h"
#include "BookCommands.h"
#include "BookCopy.h"
#include "BookFolders.h"
#include "History.h"
#include "BookRestore.h"
#include "DataModule.h"
#include "FaultVfs.h"
#include "LocalBookConnection.h"
#include "LocalBookFiles.h"
#include "StoreError.h"
#include "TableSetup.h"
#include "TempBook.h"
#include "TwoAtOnce.h"
#include "YearClose.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>
#include <csignal>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using testing_support::TempBook;

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

const char* const january2027 = "2027-01-05_090000";

// A path as the toolbox's Arabic messages set it.
std::string isolatedPath(const std::filesystem::path& path)
{
    return "\u2066" + path.string() + "\u2069";
}

// The toolbox run on a day the test chooses.
Outcome book(const std::vector<std::string>& args, const std::string& now = "2026-12-09_101500")
{
    std::ostringstream out, err;
    const int status = runBookCommand(args, out, err, now);
    return {status, out.str(), err.str()};
}

// Another program posting administrative days to worker 1 in a loop, each posting one
// transaction across the worker file and the entry file, until the file `stop` appears.
pid_t postInALoop(const std::filesystem::path& root, const std::filesystem::path& stop)
{
    const pid_t child = fork();
    if (child != 0)
        return child;
    sqlite3* db = nullptr;
    sqlite3_open((root / "worker/worker.db").string().c_str(), &db);
    sqlite3_busy_timeout(db, 10000);
    const std::string attach = "ATTACH DATABASE '" + (root / "PermitAdmin/PermitAdmin.DB").string() + "' AS PermitAdmin";
    sqlite3_exec(db, attach.c_str(), nullptr, nullptr, nullptr);
    while (!std::filesystem::exists(stop)) {
        const int rc = sqlite3_exec(db,
                                    "BEGIN IMMEDIATE;"
                                    "UPDATE worker SET AdministrationPermit = ifnull(AdministrationPermit, 0) + 1, ExcessMonth = "
                                    "max(0, ifnull(AdministrationPermit, 0) + 1 - ifnull(YearPermit, 0)) WHERE Auto = 1;"
                                    "INSERT INTO PermitAdmin.PermitAdmin (\"Index\", AdministrationPermit, \"Date\") VALUES (1, 1, 'x');"
                                    "COMMIT;",
                                    nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        usleep(1000); // a busy desk, not a tight loop that would starve every reader
    }
    sqlite3_close(db);
    _exit(0);
}

// The worker's administrative total and the sum of its entries, as a backup holds them.
std::pair<int, int> totalAndEntries(const std::filesystem::path& root)
{
    store::TDataModule1 copy(root);
    copy.TableM.FindKey(1);
    int entries = 0;
    copy.TablePermitAdmin.First();
    while (!copy.TablePermitAdmin.IsEmpty()) {
        entries += copy.TablePermitAdminAdministrationPermit.AsInteger();
        if (copy.TablePermitAdmin.MoveBy(1) == 0)
            break;
    }
    return {copy.TableMAdministrationPermit.AsInteger(), entries};
}

} // namespace

TEST(Backup, TakenWhileAnotherProgramPostsIsAWholeBookWithEveryPostingWholeOrAbsent)
{
    TempBook live;
    {
        auto opened = live.open();
        testing_support::addWorker(*opened, "Zaid");
    }
    const std::filesystem::path stop = live.root().parent_path() / "stop";
    const pid_t poster = postInALoop(live.root(), stop);
    std::vector<std::filesystem::path> backups;
    for (int n = 0; n < 5; ++n) {
        const std::filesystem::path target = live.root().parent_path() / ("backup-" + std::to_string(n));
        operations::backUp(*testing_support::connectionTo(live.root()), target);
        backups.push_back(target);
    }
    std::ofstream(stop) << "stop";
    int status = 0;
    waitpid(poster, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    for (const auto& backup : backups) {
        SCOPED_TRACE(backup.string());
        EXPECT_TRUE(operations::checkBook(*testing_support::connectionTo(backup)).empty()) << "whole, with every total equal to its entries";
        EXPECT_FALSE(std::filesystem::exists(backup.string() + ".partial-" + std::to_string(getpid())));
    }
    EXPECT_GT(totalAndEntries(backups.back()).first, 0) << "the backups were taken while it posted";
    const auto [total, entries] = totalAndEntries(live.root());
    EXPECT_EQ(total, entries);
}

TEST(Toolbox, CommandsSayWhatTheyDidOrWhyNotWithTheirExitStatus)
{
    TempBook live;
    const std::string root = live.root().string();
    const std::filesystem::path into = live.root() / "copy";

    const Outcome help = book({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("backup [--to DIR]"), std::string::npos);

    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{}, {"--data-root"}, {"--data-root", root, "fly"}, {"--data-root", root, "backup", "--to"},
          {"--data-root", root, "check", "--all"}, {"--colour"}}) {
        const Outcome refused = book(wrong);
        EXPECT_EQ(refused.status, 2) << refused.err;
        EXPECT_NE(refused.err.find("الاستعمال:"), std::string::npos);
    }

    const Outcome backedUp = book({"--data-root", root, "backup", "--to", into.string()});
    EXPECT_EQ(backedUp.status, 0) << backedUp.err;
    EXPECT_EQ(store::bookFileProblem(into), std::nullopt);
    const Outcome again = book({"--data-root", root, "backup", "--to", into.string()});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find(into.string()), std::string::npos) << again.err;
    EXPECT_EQ(std::count(again.err.begin(), again.err.end(), '\n'), 1) << "one line saying why";

    EXPECT_EQ(operations::backupFolder("/home/clerk/kestrave/Data", "2026-12-09_101500"),
              std::filesystem::path("/home/clerk/kestrave/Backups/2026-12-09_101500"));

    EXPECT_EQ(book({"--data-root", root, "check"}).status, 0);
    std::ofstream(live.root() / "PermitHours/PermitHours.DB", std::ios::trunc) << "not a book";
    const Outcome damaged = book({"--data-root", root, "check"});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.out.find("تالف: الملف " + isolatedPath(live.root() / "PermitHours/PermitHours.DB") + " تالف"), std::string::npos)
        << damaged.out;
    const Outcome refusedBackup = book({"--data-root", root, "backup", "--to", (live.root() / "copy2").string()});
    EXPECT_EQ(refusedBackup.status, 1);
    EXPECT_FALSE(std::filesystem::exists(live.root() / "copy2")) << "nothing under the final name";
}

namespace {

std::string firstWorkerOf(const std::filesystem::path& root)
{
    store::TDataModule1 opened(root);
    return opened.TableMWorkerName.Text();
}

// A live book holding "Old" and a backup of another holding "Restored".
struct TwoBooks {
    TwoBooks()
    {
        testing_support::addWorker(*live.open(), "Old");
        testing_support::addWorker(*other.open(), "Restored");
        operations::backUp(*testing_support::connectionTo(other.root()), backup);
    }
    TempBook live, other;
    std::filesystem::path backup = other.root() / "backup";
};

} // namespace

TEST(Restore, ChecksTheBackupRefusesAnOpenBookKeepsTheOldOneAndPutsTheBackupInPlace)
{
    TwoBooks books;
    const std::string root = books.live.root().string();
    {
        const auto open = books.live.open(); // the program at the desk
        const Outcome refused = book({"--data-root", root, "restore", books.backup.string()});
        EXPECT_EQ(refused.status, 1);
        EXPECT_NE(refused.err.find("مفتوح في برنامج"), std::string::npos) << refused.err;
    }
    std::ofstream(books.backup / "PermitNoHire/PermitNoHire.DB", std::ios::trunc) << "garbage";
    const Outcome damaged = book({"--data-root", root, "restore", books.backup.string()});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.err.find("PermitNoHire.DB"), std::string::npos) << damaged.err;
    EXPECT_EQ(firstWorkerOf(books.live.root()), "Old");

    std::filesystem::remove_all(books.backup);
    operations::backUp(*testing_support::connectionTo(books.other.root()), books.backup);
    const Outcome restored = book({"--data-root", root, "restore", books.backup.string()});
    ASSERT_EQ(restored.status, 0) << restored.err;
    EXPECT_EQ(firstWorkerOf(books.live.root()), "Restored");
    const auto safeCopy = operations::backupFolder(books.live.root(), "2026-12-09_101500_before-restore");
    EXPECT_EQ(firstWorkerOf(safeCopy), "Old") << "the book as it was is kept";
    EXPECT_EQ(book({"--data-root", root, "restore"}).status, 2);
}

// Offices mount a second disk or a share on the data root: the folder cannot move, so the
// restore exchanges its contents instead, with the same promises.
TEST(Restore, PutsTheBackupInPlaceOnADataRootThatIsAMountPoint)
{
    TwoBooks books;
    const std::filesystem::path disk = books.live.root().parent_path() / "disk";
    std::filesystem::copy(books.live.root(), disk, std::filesystem::copy_options::recursive);
    std::filesystem::remove(disk / ".in-use");
    const std::string mount = "mount --bind '" + disk.string() + "' '" + books.live.root().string() + "' 2>/dev/null";
    if (std::system(mount.c_str()) != 0)
        GTEST_SKIP() << "this machine lets no test mount a folder";
    const Outcome restored = book({"--data-root", books.live.root().string(), "restore", books.backup.string()});
    const std::string first = firstWorkerOf(books.live.root());
    std::system(("umount '" + books.live.root().string() + "'").c_str());
    ASSERT_EQ(restored.status, 0) << restored.err;
    EXPECT_EQ(first, "Restored");
    EXPECT_EQ(firstWorkerOf(operations::backupFolder(books.live.root(), "2026-12-09_101500_before-restore")), "Old");
    EXPECT_EQ(firstWorkerOf(disk), "Restored") << "restored on the mounted disk itself";
}

namespace {

// Runs `operation` in a child process killed right before the n-th durable write of the book's
// connection (opened on the counting file layer), for n = 1, 2, ... until a run is not killed:
// a power cut at each moment the book itself is written. `check` looks at what each run left,
// told whether that run finished.
void killedAtEveryDurableWrite(const std::function<void()>& prepare, const std::function<void()>& operation,
                               const std::function<void(bool finished)>& check)
{
    for (int n = 1; n < 5000; ++n) {
        SCOPED_TRACE("killed before durable write " + std::to_string(n));
        prepare();
        const pid_t child = fork();
        if (child == 0) {
            testing_support::FaultVfs::install();
            testing_support::FaultVfs::killAt(n);
            try {
                operation();
            } catch (...) {
                _exit(1);
            }
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        const bool killed = WIFEXITED(status) && WEXITSTATUS(status) == 86;
        check(!killed);
        if (!killed) {
            EXPECT_EQ(status, 0) << "the last run, not killed, finished";
            EXPECT_GT(n, 3) << "killed at every write before that";
            return;
        }
    }
    ADD_FAILURE() << "no run finished";
}

} // namespace

TEST(Restore, KilledAtAnyWriteLeavesAWholeBookTheOldOrTheRestored)
{
    std::optional<TwoBooks> books;
    int sawOld = 0;
    killedAtEveryDurableWrite([&] { books.emplace(); },
                              [&] {
                                  store::LocalBookConnection book(books->live.root(), {testing_support::FaultVfs::name});
                                  operations::restore(book, books->backup, books->live.root().string() + "-safe");
                              },
                              [&](bool finished) {
                                  EXPECT_EQ(store::bookFileProblem(books->live.root()), std::nullopt);
                                  const std::string worker = firstWorkerOf(books->live.root());
                                  EXPECT_TRUE(worker == "Restored" || (!finished && worker == "Old")) << worker;
                                  sawOld += worker == "Old";
                              });
    EXPECT_GT(sawOld, 0);
}

namespace {

void runOn(const std::filesystem::path& file, const std::string& sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.string().c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "") << sql;
    sqlite3_free(error);
    sqlite3_close(db);
}

// Rows written straight into each of the five files, as another program would: one
// statement a table, in the book's order of tables.
void fillBook(const std::filesystem::path& root, const std::array<const char*, 5>& statements)
{
    for (std::size_t n = 0; n < statements.size(); ++n)
        runOn(store::allTables()[n]->pathUnder(root), statements[n]);
}

// A book whose totals agree with its entries: administrative 3 + 2 and one day carried by
// the hours (5:30 then 3:40 makes 9:10, a day and 1:10 over); 4 sick and 2 unpaid days;
// no excess within 14 days.
void consistentBook(const std::filesystem::path& root)
{
    fillBook(root, {"INSERT INTO worker (WorkerName, YearPermit, AdministrationPermit, HealthPermit, NoHire, Hours, "
                    "Minute, HorsPermit) VALUES ('Zaid', 14, 6, 4, 2, 1, 10, '1.10')",
                    "INSERT INTO PermitAdmin (\"Index\", AdministrationPermit) VALUES (1, 3), (1, 2)",
                    "INSERT INTO PermitHours (\"Index\", Hours, Minute) VALUES (1, 5, 30), (1, 3, 40)",
                    "INSERT INTO PermitHealth (\"Index\", HealthPermit) VALUES (1, 4)",
                    "INSERT INTO PermitNoHire (\"Index\", NoHire) VALUES (1, 2)"});
}

} // namespace

TEST(Check, FindsEachKindOfDamageAndInconsistencyAndNothingInASoundBook)
{
    struct Spoiling {
        const char* file;
        const char* sql;
        const char* found;
    };
    const Spoiling spoilings[] = {
        {"worker/worker.db", "UPDATE worker SET AdministrationPermit = 7", "الأيام الإدارية 7، وقيوده تعطي 6"},
        {"worker/worker.db", "UPDATE worker SET Minute = 40", "دقائق الرصيد الساعي 40، وقيوده تعطي 10"},
        {"worker/worker.db", "UPDATE worker SET HealthPermit = 0", "الأيام الصحية 0، وقيوده تعطي 4"},
        {"worker/worker.db", "UPDATE worker SET YearPermit = 4", "الأيام المتجاوزة 0، وأيامه الإدارية فوق استحقاقه تعطي 2"},
        {"worker/worker.db", "UPDATE worker SET HorsPermit = '1.1'",
         "نص الساعات «\u20661.1\u2069»، وساعاته ودقائقه تعطي «\u20661.10\u2069»"},
        {"PermitNoHire/PermitNoHire.DB", "INSERT INTO PermitNoHire (\"Index\", NoHire) VALUES (1, 1)",
         "worker/worker.db\u2069: العامل 1 «\u2068Zaid\u2069»: الأيام بلا أجر 2، وقيوده تعطي 3"},
        {"PermitHealth/PermitHealth.DB", "INSERT INTO PermitHealth (\"Index\", HealthPermit) VALUES (99, 1)",
         "السجل 2: قيد للعامل \u206699\u2069، وليس في الدفتر"},
        {"PermitAdmin/PermitAdmin.DB", "INSERT INTO PermitAdmin (\"Index\") VALUES (NULL)", "قيد ليس لعامل"},
        {"PermitHealth/PermitHealth.DB", "INSERT INTO PermitHealth (\"Index\", HealthPermit) VALUES ('1x', 1)",
         "السجل 2: قيد للعامل \u20661x\u2069، وليس في الدفتر"},
        {"worker/worker.db", "UPDATE worker SET ServesYears = 'abc'",
         "في الحقل \u2066ServesYears\u2069 «\u2068abc\u2069»، وليس عدداً صحيحاً من 32 بتاً"},
        {"worker/worker.db", "UPDATE worker SET YearPermit = 1099511627776", "«\u20681099511627776\u2069»، وليس عدداً صحيحاً"},
        {"worker/worker.db", "UPDATE worker SET WorkerName = 'abcdefghijklmnopqrstuvwxyz12345'",
         "في الحقل \u2066WorkerName\u2069 أكثر من حروفه الـ30"},
        {"worker/worker.db", "UPDATE worker SET WorkerName = '中'", "حرف لا يحفظه الدفتر"},
        {"PermitAdmin/PermitAdmin.DB", "UPDATE PermitAdmin SET \"Date\" = X'00ff'", "في الحقل \u2066Date\u2069 حرف لا يحفظه الدفتر"},
    };
    {
        TempBook sound;
        consistentBook(sound.root());
        const auto findings = operations::checkBook(*testing_support::connectionTo(sound.root()));
        EXPECT_TRUE(findings.empty()) << (findings.empty() ? "" : findings.front().text);
    }
    for (const Spoiling& spoiling : spoilings) {
        SCOPED_TRACE(spoiling.sql);
        TempBook spoiled;
        consistentBook(spoiled.root());
        // As damage, or a program that removed the history's triggers first, would: unrecorded.
        std::string unrecorded;
        for (const store::TableDef* table : store::allTables())
            if (table->relativePath().generic_string() == spoiling.file)
                for (const char* change : {"Insert", "Update", "Delete"})
                    unrecorded += "DROP TRIGGER \"" + store::historyTableName(*table) + change + "\"; ";
        runOn(spoiled.root() / spoiling.file, unrecorded + spoiling.sql);
        store::createMissingTables(spoiled.root());
        const Outcome checked = book({"--data-root", spoiled.root().string(), "check"});
        EXPECT_EQ(checked.status, 0) << "inconsistent, not damaged";
        EXPECT_NE(checked.out.find(spoiling.found), std::string::npos) << checked.out;
        EXPECT_EQ(checked.out.rfind("غير متسق: \u2066" + spoiled.root().string(), 0), 0u) << checked.out;
    }
}

// The system's limits told in words, naming what hit them: a file grown past the size a
// scheduled task may write, and a temporary folder that is not there.
TEST(Toolbox, TellsASystemLimitInWordsNamingTheFileOrFolder)
{
    TempBook live;
    runOn(live.root() / "worker/worker.db", "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
                                            "INSERT INTO worker (WorkerName, YearPermit) SELECT 'worker ' || i, 14 FROM n");
    const std::filesystem::path copy = live.root().parent_path() / "copy", sheet = live.root().parent_path() / "sheet.csv";
    for (const auto& [command, said] : std::vector<std::pair<std::string, std::string>>{
             {"backup --to " + copy.string(), "الملف أكبر مما يسمح به النظام"},
             {"export " + sheet.string(), "الملف أكبر مما يسمح به النظام: " + isolatedPath(sheet)}}) {
        const std::string limited = "sh -c \"trap '' XFSZ; ulimit -f 100; LC_ALL=ar_SY.UTF-8 " + std::string(IJAZAT_BOOK)
                                    + " --data-root " + live.root().string() + " " + command + " 2>&1\"";
        FILE* pipe = popen(limited.c_str(), "r");
        std::string out;
        for (char chunk[512]; std::fgets(chunk, sizeof chunk, pipe);)
            out += chunk;
        EXPECT_EQ(WEXITSTATUS(pclose(pipe)), 1) << out;
        EXPECT_NE(out.find(said), std::string::npos) << out;
        EXPECT_EQ(out.find("disk I/O error"), std::string::npos) << out;
    }
    EXPECT_FALSE(std::filesystem::exists(copy) || std::filesystem::exists(sheet)) << "nothing half-written under its name";

    setenv("TMPDIR", "/nonexistent-temporary", 1);
    const Outcome exported = book({"--data-root", live.root().string(), "export", (copy / "sheet.xlsx").string()});
    unsetenv("TMPDIR");
    EXPECT_EQ(exported.status, 1);
    EXPECT_NE(exported.err.find("المجلد المؤقت: لا يوجد " + isolatedPath("/nonexistent-temporary")), std::string::npos)
        << exported.err;

    const std::filesystem::path notAFolder = live.root() / "Backups";
    std::ofstream(notAFolder) << "a file where the backups' folder should be";
    const std::string failed = testing_support::thrownBy([&] { operations::backUpAutomatically(*testing_support::connectionTo(live.root()), notAFolder, "2026-12-09_101500"); });
    EXPECT_EQ(failed.rfind("لم تُؤخذ النسخة الاحتياطية التلقائية في " + isolatedPath(notAFolder) + "، والدفتر كما هو: ", 0), 0u)
        << failed;
}

namespace {

std::string readAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// One part of an XLSX file, as unzip reads it.
std::string partOf(const std::filesystem::path& xlsx, const std::string& part)
{
    const std::string command = "unzip -p '" + xlsx.string() + "' " + part;
    std::string read;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            read.append(buffer, got);
        pclose(pipe);
    }
    return read;
}

} // namespace

// After a program was killed mid-posting: the half-written posting is rolled back rather than
// the book refused, and what killed backups and restores left beside it goes.
TEST(Backup, AfterAKillTheBookIsReadWholeAndNothingKilledRunsLeftStays)
{
    TempBook live;
    fillBook(live.root(), {"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
                           "INSERT INTO worker (WorkerName, YearPermit) SELECT 'worker ' || i, 14 FROM n",
                           "SELECT 1", "SELECT 1", "SELECT 1", "SELECT 1"});
    const std::filesystem::path begun = live.root().parent_path() / "begun";
    const pid_t writer = fork();
    if (writer == 0) {
        sqlite3* db = nullptr;
        sqlite3_open((live.root() / "worker/worker.db").c_str(), &db);
        // A small cache spills the changed pages into the file before the commit, as a long posting may.
        sqlite3_exec(db, "PRAGMA cache_size = 2; BEGIN IMMEDIATE; UPDATE worker SET NoHire = 1", nullptr, nullptr, nullptr);
        std::ofstream(begun) << "begun";
        pause();
        _exit(0);
    }
    while (!std::filesystem::exists(begun))
        usleep(1000);
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
    ASSERT_GT(std::filesystem::file_size(live.root() / "worker/worker.db-journal"), 0u) << "a hot journal";
    const std::filesystem::path backups = live.root().parent_path() / "Backups";
    std::filesystem::create_directories(backups / ("auto-x.partial-" + std::to_string(writer)) / "worker");
    std::filesystem::create_directories(backups / ("auto-y.pruning-" + std::to_string(writer)));
    const std::filesystem::path orphan = live.root() / "worker/worker.db-mj1A2B3C4D"; // a killed commit's super-journal
    std::ofstream(orphan) << std::string(64, 'x');
    const Outcome checked = book({"--data-root", live.root().string(), "check"});
    EXPECT_EQ(checked.status, 0) << checked.out << checked.err;
    EXPECT_NE(checked.out.find("الملاحظات: 0"), std::string::npos) << checked.out;
    EXPECT_FALSE(std::filesystem::exists(orphan));
    const Outcome backedUp = book({"--data-root", live.root().string(), "backup", "--to", (backups / "night").string()});
    EXPECT_EQ(backedUp.status, 0) << backedUp.err;
    operations::backUpAutomatically(*testing_support::connectionTo(live.root()), backups, "2026-12-09_101500", 1);
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(backups))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"auto-2026-12-09_101500", "night"})) << "no leftover";
    EXPECT_TRUE(testing_support::readBook(backups / "night").at("worker").at(0).at(8) == "<null>") << "rolled back";

    // A failure of the system's file operations is told in words, never as its raw text.
    std::ofstream(backups / "a-file") << "x";
    const Outcome blocked = book({"--data-root", live.root().string(), "backup", "--to", (backups / "a-file/night").string()});
    EXPECT_EQ(blocked.status, 1);
    EXPECT_NE(blocked.err.find("في الطريق ملف حيث يلزم مجلد"), std::string::npos) << blocked.err;
    EXPECT_EQ(blocked.err.find("filesystem error"), std::string::npos) << blocked.err;

    // A damaged book is named as the book, not as its copy.
    {
        std::fstream damage(live.root() / "worker/worker.db", std::ios::in | std::ios::out | std::ios::binary);
        damage.seekp(4096 * 3);
        damage << std::string(4096, '\x5a');
    }
    const Outcome refused = book({"--data-root", live.root().string(), "backup", "--to", (backups / "damaged").string()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find(isolatedPath(live.root() / "worker/worker.db")), std::string::npos) << refused.err;
    EXPECT_EQ(refused.err.find(".partial-"), std::string::npos) << refused.err;
    // So by a year's close, whose archive carries a damaged page the close itself never reads
    // and is proven while the close changes the book.
    TempBook unread;
    consistentBook(unread.root());
    testing_support::damageAPageNoOpeningReads(unread.root(), store::workerTable(), "WorkerNameFolded");
    const auto bookBytes = [&unread] {
        std::vector<std::string> bytes;
        for (const store::TableDef* table : store::allTables())
            bytes.push_back(readAll(table->pathUnder(unread.root())));
        return bytes;
    };
    const std::vector<std::string> asItWas = bookBytes();
    const Outcome notClosed = book({"--data-root", unread.root().string(), "close-year", "2025"});
    EXPECT_EQ(notClosed.status, 1);
    EXPECT_TRUE(bookBytes() == asItWas) << "what the close changed before its archive answered is undone";
    EXPECT_NE(notClosed.err.find(isolatedPath(unread.root() / "worker/worker.db")), std::string::npos)
        << notClosed.err;
    const std::filesystem::path archives = operations::archivesBeside(unread.root());
    EXPECT_TRUE(!std::filesystem::exists(archives) || std::filesystem::is_empty(archives)) << "no archive of a close not made";
    const std::string opening = testing_support::thrownBy([&] { live.open(); });
    EXPECT_NE(opening.find("تالف"), std::string::npos) << "the program is not opened on it either: " << opening;
    EXPECT_NE(opening.find(isolatedPath(live.root() / "worker/worker.db")), std::string::npos) << opening;
}

TEST(Export, TheSummaryAndEveryEntryReadBackFromCsvAndXlsxAsTheBookHoldsThem)
{
    TempBook live;
    consistentBook(live.root());
    runOn(live.root() / "worker/worker.db",
          "INSERT INTO worker (WorkerName, ServesYears, ServesStart, YearPermit) VALUES ('هدى, \"الكبرى\"', 12, 2014, 21), "
          "('=1+1', NULL, NULL, 14), ('@sum', NULL, NULL, 14)");
    const std::string root = live.root().string();
    const std::filesystem::path csv = live.root().parent_path() / "summary.csv";
    // What a killed export left is removed by the next; a partial file never ends in .csv.
    const pid_t killed = fork();
    if (killed == 0)
        _exit(0);
    waitpid(killed, nullptr, 0);
    const std::filesystem::path leftover = csv.string() + ".partial-" + std::to_string(killed);
    std::ofstream(leftover) << "half";
    ASSERT_EQ(book({"--data-root", root, "export", csv.string()}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(leftover));
    EXPECT_EQ(readAll(csv), "\xEF\xBB\xBF"
                            "اسم العامل,سنوات الخدمة,بداية الخدمة,الإستحقاق السنوي,إدارية,ساعية,صحية,بلا اجر,"
                            "عدد الأيام المتجاوزة\r\n"
                            "Zaid,,,14,6,1.10,4,2,\r\n"
                            "\"هدى, \"\"الكبرى\"\"\",12,2014,21,,,,,\r\n"
                            "'=1+1,,,14,,,,,\r\n'@sum,,,14,,,,,\r\n")
        << "a name a spreadsheet would run as a formula stays a text";

    const std::filesystem::path entries = live.root().parent_path() / "entries.csv";
    ASSERT_EQ(book({"--data-root", root, "export", entries.string(), "--entries"}).status, 0);
    const std::string lines = readAll(entries);
    EXPECT_NE(lines.find("Zaid,إدارية,3,,\r\nZaid,إدارية,2,,\r\nZaid,ساعية,,,\r\n"), std::string::npos) << lines;
    EXPECT_NE(lines.find("Zaid,صحية,4,,\r\nZaid,بلا اجر,2,,\r\n"), std::string::npos) << lines;

    const std::filesystem::path xlsx = live.root().parent_path() / "summary.xlsx";
    ASSERT_EQ(book({"--data-root", root, "export", xlsx.string()}).status, 0);
    const std::string sheet = partOf(xlsx, "xl/worksheets/sheet1.xml");
    EXPECT_NE(sheet.find("rightToLeft=\"1\""), std::string::npos) << "a right-to-left sheet";
    EXPECT_NE(sheet.find("ySplit=\"1\""), std::string::npos) << "the title row frozen";
    EXPECT_NE(sheet.find("<c r=\"E2\"><v>6</v></c>"), std::string::npos) << "a number as a number: " << sheet;
    EXPECT_NE(partOf(xlsx, "xl/sharedStrings.xml").find("الإستحقاق السنوي"), std::string::npos);

    EXPECT_EQ(book({"--data-root", root, "export", "summary.ods"}).status, 2);
    EXPECT_EQ(book({"--data-root", root, "export", "/no/such/folder/summary.csv"}).status, 1);
}

TEST(Import, AStaffListIsTakenWholeOrNotAtAllWithEveryBadLineNamed)
{
    TempBook live;
    testing_support::addWorker(*live.open(), "Salim");
    const std::string root = live.root().string();
    const std::filesystem::path list = live.root().parent_path() / "staff.csv";
    const auto write = [&](const std::vector<std::string>& bad) {
        std::ofstream out(list, std::ios::trunc);
        out << "\xEF\xBB\xBF" << "اسم العامل,بداية الخدمة,الإستحقاق السنوي\r\n";
        for (int n = 1; n <= 200; ++n) {
            if (n == 50 || n == 120 || n == 199)
                out << bad[std::size_t(n == 50 ? 0 : n == 120 ? 1 : 2)] << "\r\n";
            else
                out << "\"worker, " << n << "\"," << (2000 + n % 26) << ",\r\n";
        }
    };
    write({",2010,", "Salim,2012,", "Huda,20x1,"});
    const Outcome refused = book({"--data-root", root, "import", list.string()});
    EXPECT_EQ(refused.status, 1);
    for (const char* named : {"السطر 51: الاسم فارغ", "السطر 121: «\u2068Salim\u2069» في الدفتر من قبل",
                              "السطر 200: بداية الخدمة «\u206820x1\u2069» ليست عدداً صحيحاً",
                              "لم يُحفظ شيء: الأسطر المرفوضة 3"})
        EXPECT_NE(refused.out.find(named), std::string::npos) << named << "\n" << refused.out;
    EXPECT_EQ(testing_support::readBook(live.root()).at("worker").size(), 1u) << "nothing stored";

    write({"Amal,2027,", "abcdefghijklmnopqrstuvwxyz12345,2000,", "中,2000,"});
    const Outcome more = book({"--data-root", root, "import", list.string(), "--dry-run"});
    EXPECT_EQ(more.status, 1);
    for (const char* named : {"السطر 51: بداية الخدمة \u20682027\u2069 بعد هذه السنة", "السطر 121: الاسم أطول",
                              "السطر 200: في الاسم «\u2068中\u2069» حرف لا يحفظه الدفتر"})
        EXPECT_NE(more.out.find(named), std::string::npos) << named << "\n" << more.out;

    write({"Amal,2020,", "Bilal,2016,", "Huda,2010,7"});
    const Outcome dry = book({"--data-root", root, "import", list.string(), "--dry-run"});
    EXPECT_EQ(dry.status, 0) << dry.out;
    EXPECT_NE(dry.out.find("العمال الذين سيُحفظون: 200"), std::string::npos);
    EXPECT_EQ(testing_support::readBook(live.root()).at("worker").size(), 1u);
    const Outcome stored = book({"--data-root", root, "import", list.string()});
    ASSERT_EQ(stored.status, 0) << stored.out;
    const auto workers = testing_support::readBook(live.root()).at("worker");
    ASSERT_EQ(workers.size(), 201u);
    // Auto, WorkerName, ServesYears, ServesStart, YearPermit
    EXPECT_EQ(workers[1][1], "worker, 1");
    EXPECT_EQ(std::vector<std::string>(workers[50].begin() + 1, workers[50].begin() + 5),
              (std::vector<std::string>{"Amal", "6", "2020", "14"}));
    EXPECT_EQ(std::vector<std::string>(workers[120].begin() + 1, workers[120].begin() + 5),
              (std::vector<std::string>{"Bilal", "10", "2016", "21"}));
    EXPECT_EQ(workers[199][4], "7") << "an entitlement in the list is kept";
    EXPECT_EQ(book({"--data-root", root, "import"}).status, 2);
}

// Files the clerk brings: each is read as what it is, or refused unread saying what it is.
TEST(Import, ReadsEveryEncodingAndLineEndAndTheWindowsWritingAndRefusesWhatIsNoList)
{
    TempBook live;
    testing_support::addWorker(*live.open(), "فاطمة");
    const std::filesystem::path folder = live.root().parent_path();
    const std::string utf8 = "اسم العامل,بداية الخدمة,الإستحقاق السنوي\nسالم, ٢٠١٠ ,\nHuda,,30\n";
    std::string utf16le("\xFF\xFE", 2);
    for (const char c : std::string_view("name,start\r\nAli,2020"))
        utf16le += std::string{c, '\0'};
    const std::string cp1256 = "\xC7\xD3\xE3 \xC7\xE1\xDA\xC7\xE3\xE1,\xC8\xCF\xC7\xED\xC9 \xC7\xE1\xCE\xCF\xE3\xC9\r\xD3\xC7\xE1\xE3,2010\r";
    struct Case {
        const char* file;
        std::string bytes;
        std::string said; // in what the toolbox prints
        int status;
    } cases[] = {
        {"utf8.csv", utf8, "سيُحفظ السطر 3: \u2068Huda\u2069، منذ -، سنوات الخدمة -، الاستحقاق 30", 0},
        {"arabic-indic.csv", utf8, "سيُحفظ السطر 2: \u2068سالم\u2069، منذ 2010، سنوات الخدمة 17، الاستحقاق 21", 0},
        {"utf16.csv", utf16le, "بترميز UTF-16\nسيُحفظ السطر 2: \u2068Ali\u2069، منذ 2020", 0},
        {"cp1256.csv", cp1256, "بترميز Windows-1256\nسيُحفظ السطر 2: \u2068سالم\u2069، منذ 2010", 0},
        {"folded.csv", "name,start\nفاطمه ,2010\nSALIM,2011\nsalim,2012\n", "السطر 2: «\u2068فاطمه\u2069» في الدفتر من قبل", 1},
        {"folded-in-list.csv", "name,start\nSALIM,2011\nsalim,2012\n", "السطر 3: «\u2068salim\u2069» في الدفتر من قبل أو في سطر سابق", 1},
        {"book.xlsx", std::string("PK\x03\x04", 4) + std::string(100, 'x'), "مصنّف جداول بيانات", 1},
        {"binary.csv", std::string("name\0\x01\x02", 7), "ملف ثنائي", 1},
        {"no-start.csv", "name,start\nAmal,\n", "السطر 2: لم تُذكر بداية الخدمة ولا الاستحقاق", 1},
        {"control.csv", "name,start\nAmal,20\x1b[1m10\n", "«\u206820\\x1b[1m10\u2069» ليست عدداً صحيحاً", 1},
    };
    for (const Case& given : cases) {
        SCOPED_TRACE(given.file);
        std::ofstream(folder / given.file, std::ios::binary) << given.bytes;
        const Outcome read = book({"--data-root", live.root().string(), "import", (folder / given.file).string(), "--dry-run"}, january2027);
        EXPECT_EQ(read.status, given.status) << read.out << read.err;
        EXPECT_NE((read.out + read.err).find(given.said), std::string::npos) << read.out << read.err;
    }
    ASSERT_EQ(mkfifo((folder / "pipe.csv").c_str(), 0600), 0);
    for (const std::filesystem::path& unread : {folder / "pipe.csv", std::filesystem::path("/dev/zero"), folder}) {
        const Outcome refused = book({"--data-root", live.root().string(), "import", unread.string()});
        EXPECT_EQ(refused.status, 1) << unread;
        EXPECT_NE(refused.err.find("ليس ملفاً"), std::string::npos) << refused.err;
    }
    EXPECT_EQ(testing_support::readBook(live.root()).at("worker").size(), 1u) << "nothing stored";
}

TEST(Import, TwoImportsOfOneListStartedTogetherStoreItOnce)
{
    TempBook live;
    const std::filesystem::path list = live.root().parent_path() / "staff.csv";
    {
        std::ofstream out(list);
        out << "name,start\n";
        for (int n = 1; n <= 300; ++n)
            out << "worker " << n << "," << 2000 + n % 20 << "\n";
    }
    EXPECT_EQ(testing_support::succeededOfTwo(
                  [&](int) { return book({"--data-root", live.root().string(), "import", list.string()}).status; }),
              1);
    EXPECT_EQ(testing_support::readBook(live.root()).at("worker").size(), 300u);
}

namespace {

// Workers for a close of 2026: one crossing ten years, one with a hand-typed entitlement,
// one with years but no start, one with an hourly balance to carry; and their entries.
void bookOf2026(const std::filesystem::path& root)
{
    fillBook(root, {"INSERT INTO worker (WorkerName, ServesYears, ServesStart, YearPermit, AdministrationPermit, "
                    "HealthPermit, NoHire, ExcessMonth, Hours, Minute, HorsPermit) VALUES "
                    "('Crossing', 9, 2017, 14, 16, NULL, NULL, 2, NULL, NULL, NULL), "
                    "('Typed', 3, 2023, 30, NULL, 1, NULL, NULL, NULL, NULL, NULL), "
                    "('NoStart', 4, NULL, 14, NULL, NULL, 2, NULL, NULL, NULL, NULL), "
                    "('Hours', NULL, NULL, NULL, 1, NULL, NULL, 1, 1, 10, '1.10')",
                    "INSERT INTO PermitAdmin (\"Index\", AdministrationPermit) VALUES (1, 16)",
                    "INSERT INTO PermitHours (\"Index\", Hours, Minute) VALUES (4, 5, 30), (4, 3, 40)",
                    "INSERT INTO PermitHealth (\"Index\", HealthPermit) VALUES (2, 1)",
                    "INSERT INTO PermitNoHire (\"Index\", NoHire) VALUES (3, 2)"});
}

std::string firstFinding(const std::filesystem::path& root)
{
    const auto findings = operations::checkBook(*testing_support::connectionTo(root));
    return findings.empty() ? "" : findings.front().text;
}

} // namespace

TEST(CloseYear, ArchivesTheYearStartsTheTotalsAgainAndMovesYearsAndEntitlementsOn)
{
    TempBook live;
    bookOf2026(live.root());
    ASSERT_EQ(firstFinding(live.root()), "");
    const auto before = testing_support::readBook(live.root());
    const std::string root = live.root().string();
    const Outcome dry = book({"--data-root", root, "close-year", "2026", "--dry-run"}, january2027);
    EXPECT_EQ(dry.status, 0);
    EXPECT_NE(dry.out.find("1 «\u2068Crossing\u2069»: سنوات الخدمة من 9 إلى 10، الاستحقاق من 14 إلى 21، أيام سُوّيت من "
                           "الساعات 0، الساعات المنقولة \u2066-\u2069"),
              std::string::npos)
        << dry.out;
    EXPECT_NE(dry.out.find("4 «\u2068Hours\u2069»: سنوات الخدمة من - إلى -، الاستحقاق من - إلى -، أيام سُوّيت من الساعات 0، "
                           "الساعات المنقولة \u20661.10\u2069"),
              std::string::npos)
        << dry.out;
    EXPECT_EQ(testing_support::readBook(live.root()), before) << "a dry run changes nothing";

    const Outcome december = book({"--data-root", root, "close-year", "2026"});
    EXPECT_EQ(december.status, 1) << "2026 has not ended on 9 December";
    EXPECT_NE(december.err.find("لم تنته سنة"), std::string::npos) << december.err;
    EXPECT_EQ(book({"--data-root", root, "close-year", "2026", "--dry-run"}).status, 1);
    EXPECT_EQ(testing_support::readBook(live.root()), before);
    const Outcome closed = book({"--data-root", root, "close-year", "2026"}, january2027);
    ASSERT_EQ(closed.status, 0) << closed.err;
    const std::filesystem::path archive = live.root().parent_path() / "Archive" / "2026";
    EXPECT_NE(closed.out.find(archive.string()), std::string::npos) << closed.out;
    EXPECT_EQ(testing_support::readBook(archive), before) << "the archive is the book as it stood";
    EXPECT_EQ(firstFinding(archive), "");

    const auto after = testing_support::readBook(live.root());
    // Auto, WorkerName, ServesYears, ServesStart, YearPermit, AdministrationPermit, HorsPermit,
    // HealthPermit, NoHire, ExcessMonth, Hours, Minute
    const auto& workers = after.at("worker");
    EXPECT_EQ(workers[0][2], "10");
    EXPECT_EQ(workers[0][4], "21") << "ten years of service from the new year";
    EXPECT_EQ(workers[1][4], "30") << "a hand-typed entitlement is kept";
    EXPECT_EQ(workers[2][2], "5") << "no start year: the years grow by one";
    EXPECT_EQ(workers[3][2], "<null>") << "no years stay none";
    for (const auto& worker : workers)
        for (const std::size_t total : {5u, 7u, 8u, 9u})
            EXPECT_EQ(worker[total], "<null>") << worker[1] << " " << total;
    EXPECT_EQ(workers[3][10], "1");
    EXPECT_EQ(workers[3][11], "10") << "the hourly balance below a day is carried";
    EXPECT_TRUE(after.at("PermitAdmin").empty());
    ASSERT_EQ(after.at("PermitHours").size(), 1u) << "the carried balance, as an entry of its own";
    EXPECT_EQ(after.at("PermitHours")[0][0], "3") << "entry numbers go on";
    EXPECT_EQ(firstFinding(live.root()), "");

    // Once, and in order: 2026 again, 2025 after it, and 2027 before it has ended are refused.
    for (const auto& [year, now, said] : std::vector<std::tuple<const char*, const char*, const char*>>{
             {"2026", january2027, "مقفلة من قبل"},
             {"2025", "2028-02-01_090000", "آخر سنة أُقفلت هي"},
             {"2027", january2027, "لم تنته سنة"}}) {
        const Outcome refused = book({"--data-root", root, "close-year", year}, now);
        EXPECT_EQ(refused.status, 1) << year;
        EXPECT_NE(refused.err.find(said), std::string::npos) << refused.err;
        EXPECT_EQ(testing_support::readBook(live.root()), after) << year << ": nothing changed";
    }
    const Outcome next = book({"--data-root", root, "close-year", "2027"}, "2028-02-01_090000");
    EXPECT_EQ(next.status, 0) << next.err;
    EXPECT_EQ(testing_support::readBook(live.root()).at("worker")[0][2], "11");
}

TEST(CloseYear, ABookNeverClosedClosesAnyEndedYearAndTheNextOneAfterIt)
{
    TempBook live;
    bookOf2026(live.root());
    const std::string root = live.root().string();
    ASSERT_EQ(book({"--data-root", root, "close-year", "2024"}, january2027).status, 0);
    const Outcome skipping = book({"--data-root", root, "close-year", "2026"}, january2027);
    EXPECT_EQ(skipping.status, 1);
    EXPECT_NE(skipping.err.find("والسنة التي تُقفل الآن هي"), std::string::npos) << skipping.err;
    // The book's own record decides, not the archive folders this desk happens to hold.
    std::filesystem::remove_all(live.root().parent_path() / "Archive");
    EXPECT_EQ(book({"--data-root", root, "close-year", "2024"}, january2027).status, 1);
    EXPECT_EQ(book({"--data-root", root, "close-year", "2025"}, january2027).status, 0);
    EXPECT_EQ(testing_support::readBook(live.root()).at("worker")[0][2], "9") << "2017 to the end of 2025";
}

TEST(CloseYear, BalancesOfADayOrMoreAreSettledInTheClosingYearAndOnlyWhatIsBelowADayIsCarried)
{
    struct Balance {
        const char* entries; // hourly entries of worker 1, as postings made them
        int administrative, hours, minutes;
        const char* hoursText;
        int settledDays, settledExcess; // the archive's administrative days and excess (entitlement 2)
        const char* carried;            // the new year's hourly balance
    };
    const Balance balances[] = {
        {"(1, 20, 0)", 1, 12, 0, "12.0", 2, 0, "4.0"},
        {"(1, 0, 130)", 0, 1, 70, "1.70", 0, 0, "2.10"},
        {"(1, 0, -30)", 0, 0, -30, "0.-30", 0, 0, "0.-30"},
        {"(1, 31, 70)", 1, 24, 10, "24.10", 4, 2, "0.10"},
        {"(1, 7, 50)", 0, 7, 50, "7.50", 0, 0, "7.50"},
    };
    for (const Balance& balance : balances) {
        SCOPED_TRACE(balance.hoursText);
        TempBook live;
        const std::string worker = "INSERT INTO worker (WorkerName, YearPermit, AdministrationPermit, Hours, Minute, "
                                   "HorsPermit, ExcessMonth) VALUES ('Huda', 2, " + std::to_string(balance.administrative)
                                   + ", " + std::to_string(balance.hours) + ", " + std::to_string(balance.minutes) + ", '"
                                   + balance.hoursText + "', 0)";
        const std::string hours = std::string("INSERT INTO PermitHours (\"Index\", Hours, Minute) VALUES ") + balance.entries;
        fillBook(live.root(), {worker.c_str(), "SELECT 1", hours.c_str(), "SELECT 1", "SELECT 1"});
        ASSERT_EQ(firstFinding(live.root()), "");
        ASSERT_EQ(book({"--data-root", live.root().string(), "close-year", "2026"}, january2027).status, 0);
        const std::filesystem::path archive = live.root().parent_path() / "Archive" / "2026";
        EXPECT_EQ(firstFinding(archive), "") << "the archive's totals are what its entries give";
        EXPECT_EQ(firstFinding(live.root()), "") << "and so are the new year's";
        const auto archived = testing_support::readBook(archive).at("worker")[0];
        EXPECT_EQ(archived[5], std::to_string(balance.settledDays));
        EXPECT_EQ(archived[9], std::to_string(balance.settledExcess));
        const auto now = testing_support::readBook(live.root());
        EXPECT_EQ(now.at("worker")[0][6], balance.carried);
        ASSERT_EQ(now.at("PermitHours").size(), 1u);
        EXPECT_EQ(now.at("PermitHours")[0][2], balance.carried) << "the entry that carries it";
    }
}

TEST(CloseYear, KilledAtAnyWriteLeavesTheOldBookOrTheClosedOneWithItsArchive)
{
    std::optional<TempBook> live;
    testing_support::BookContents before;
    std::filesystem::path archives;
    int sawOld = 0;
    killedAtEveryDurableWrite(
        [&] {
            live.emplace();
            bookOf2026(live->root());
            before = testing_support::readBook(live->root());
            archives = live->root().parent_path() / "Archive";
        },
        [&] {
            store::LocalBookConnection book(live->root(), {testing_support::FaultVfs::name, 2000});
            store::openEveryTable(book);
            operations::closeYear(book, 2026, 2027, archives);
        },
        [&](bool finished) {
            const bool stored = testing_support::readBook(live->root()).at("PermitAdmin").empty();
            EXPECT_TRUE(stored || !finished);
            if (!stored) {
                EXPECT_EQ(testing_support::readBook(live->root()), before) << "not closed: the old book, whole";
            }
            sawOld += !stored;
            EXPECT_EQ(firstFinding(live->root()), "") << "whole and consistent either way";
            // The next close names the archive of a close cut short after it was stored, or makes the close.
            try {
                operations::closeYear(*testing_support::connectionTo(live->root()), 2026, 2027, archives);
                EXPECT_FALSE(stored);
            } catch (const store::StoreError& error) {
                EXPECT_TRUE(stored) << error.what();
                EXPECT_NE(std::string(error.what()).find("مقفلة من قبل"), std::string::npos) << error.what();
            }
            EXPECT_EQ(testing_support::readBook(archives / "2026"), before);
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator(archives), {}), 1) << "no leftovers";
        });
    EXPECT_GT(sawOld, 0);
}
TEST(CloseYear, RefusedWithNothingChangedWhileAnotherProgramWrites)
{
    TempBook live;
    bookOf2026(live.root());
    const auto before = testing_support::readBook(live.root());
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open((live.root() / "PermitHealth/PermitHealth.DB").string().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    const Outcome refused = book({"--data-root", live.root().string(), "close-year", "2026"}, january2027);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("الدفتر يستعمله برنامج آخر"), std::string::npos) << refused.err;
    EXPECT_EQ(testing_support::readBook(live.root()), before);
    EXPECT_FALSE(std::filesystem::exists(live.root().parent_path() / "Archive" / "2026"));
    const std::filesystem::path archives = live.root().parent_path() / "Archive";
    EXPECT_TRUE(!std::filesystem::exists(archives) || std::filesystem::is_empty(archives)) << "nothing left behind";
}
