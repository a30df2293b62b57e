// Desks that log in with only the rights they need: a clerk's role reads and posts, a reader's
// reads and backs up, neither changes the book's shape or its history; a role without rights
// and a password in the connection string are refused in words.
#include "AdministrativePosting.h"
#include "BookBackup.h"
#include "BookHistory.h"
#include "LocalBookFiles.h"
#include "ServerBook.h"
#include "ServerSchema.h" // and through it the server's own ServerBook.h
#include "TempBook.h"

#include <libpq-fe.h>

#include <gtest/gtest.h>

#include <unistd.h>

using testing_support::thrownBy;

namespace {

void onCluster(const std::string& sql)
{
    PGconn* pg = PQconnectdb(testing_support::ServerBook::clusterConninfo().c_str());
    PQclear(PQexec(pg, sql.c_str()));
    PQfinish(pg);
}

// Three login roles of the cluster, gone with the test.
struct Roles {
    const std::string suffix = "_" + std::to_string(getpid());
    const std::string clerk = "clerk" + suffix, reader = "reader" + suffix, stranger = "stranger" + suffix;
    Roles() { onCluster("CREATE ROLE " + clerk + " LOGIN; CREATE ROLE " + reader + " LOGIN; CREATE ROLE " + stranger + " LOGIN"); }
    ~Roles() { onCluster("DROP ROLE " + clerk + "; DROP ROLE " + reader + "; DROP ROLE " + stranger); }
};

std::string as(const std::string& conninfo, const std::string& role)
{
    std::string given = conninfo;
    given.replace(given.find("user=ijazat"), 11, "user=" + role);
    return given;
}

} // namespace

TEST(DeskRoles, AClerkPostsAReaderReadsAndBacksUpAndNeitherChangesTheBooksShapeOrHistory)
{
    const Roles roles;
    testing_support::ServerBook book;
    const std::filesystem::path desk = std::filesystem::temp_directory_path();
    const server::ServerSetupReport granted = server::setUpServerBook(
        book.conninfo(), desk, {{server::DeskRole::Clerk, roles.clerk}, {server::DeskRole::Reader, roles.reader}});
    ASSERT_TRUE(granted.problems.empty()) << granted.problems.front();

    const std::string clerk = as(book.conninfo(), roles.clerk);
    const server::ServerSetupReport chosen = server::setUpServerBook(clerk, desk);
    EXPECT_TRUE(chosen.created.empty() && chosen.problems.empty()) << "a whole book is chosen without a word of DDL";
    auto clerkDesk = std::make_unique<store::TDataModule1>(server::openServerBook(clerk, desk));
    EXPECT_TRUE(clerkDesk->connection().unwritableParts().empty());
    const std::int32_t worker = testing_support::addWorker(*clerkDesk, "سعاد");
    leave::postAdministrativeLeave(*clerkDesk, "2", {"5", "3", "2026"});
    const auto history = operations::readHistory(clerkDesk->connection(), {});
    ASSERT_FALSE(history.empty());
    EXPECT_EQ(history.front().who.rfind(roles.clerk + "@", 0), 0u) << history.front().who;
    for (const char* forbidden : {"DROP TABLE \"worker\".\"worker\"", "DELETE FROM \"worker\".\"workerHistory\"",
                                  "UPDATE \"ijazat\".\"changes\" SET \"count\" = 0"})
        EXPECT_NE(thrownBy([&] { clerkDesk->connection().execute(forbidden); }).find("(للقراءة فقط أو بلا إذن)"),
                  std::string::npos)
            << forbidden;

    auto readerDesk = std::make_unique<store::TDataModule1>(server::openServerBook(as(book.conninfo(), roles.reader), desk));
    EXPECT_EQ(readerDesk->connection().unwritableParts().size(), 5u) << "the program tells the clerk at start-up";
    readerDesk->TableM.FindKey(worker);
    EXPECT_NE(thrownBy([&] { leave::postAdministrativeLeave(*readerDesk, "1", {"6", "3", "2026"}); })
                  .find("(للقراءة فقط أو بلا إذن)"),
              std::string::npos);
    const testing_support::TempBook scratch;
    const std::filesystem::path copy = scratch.root().parent_path() / "reader-backup";
    operations::backUp(readerDesk->connection(), copy);
    EXPECT_EQ(store::bookFileProblem(copy), std::nullopt);
    EXPECT_EQ(testing_support::readBook(copy).at("PermitAdmin").size(), 1u);

    EXPECT_NE(thrownBy([&] { server::openServerBook(as(book.conninfo(), roles.stranger), desk)->openTable(store::workerTable()); })
                  .find("لا يحق لدور هذا المكتب قراءة الجدول"),
              std::string::npos);
    EXPECT_NE(thrownBy([&] { server::openServerBook(book.conninfo() + " password=secret", desk); }).find("~/.pgpass"),
              std::string::npos);
}
