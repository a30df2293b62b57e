// ijazat-setup [DATA_ROOT] | --server CONNINFO | --local: makes whichever of the leave
// book's five tables is missing, in a local folder or on a server, and records for this
// user which book the program opens.
#include "BookPlace.h"
#include "BuiltInDataRoot.h"
#include "CommandLine.h"
#include "ServerBook.h"
#include "StoreError.h"
#include "TableSetup.h"
#include "Utf8Path.h"

#include <cstring>
#include <iostream>

namespace {

constexpr const char* usage =
    "usage: ijazat-setup [DATA_ROOT]\n"
    "       ijazat-setup --server CONNINFO [--grant-clerk ROLE]... [--grant-reader ROLE]...\n"
    "       ijazat-setup --local\n"
    "DATA_ROOT: creates whichever of the book's five tables is missing under DATA_ROOT\n"
    "  (default: kestrave/Data in the home folder); existing ones are left alone\n"
    "--server: the same in an existing PostgreSQL database (CONNINFO: a libpq connection\n"
    "  string or service=NAME; keep passwords in ~/.pgpass), then the program and the\n"
    "  toolbox open that book for this user. A book already whole is not written to, so a\n"
    "  desk's own role may choose it. Run as the book's owner, --grant-clerk gives an existing\n"
    "  role what a desk needs to read and post, --grant-reader what a manager needs to read,\n"
    "  print, export and back up; neither may change the book's shape\n"
    "--local: the program and the toolbox open the local folder again\n";

int setUpLocal(const std::filesystem::path& root)
{
    const store::SetupReport report = store::createMissingTables(root);
    for (const std::string& table : report.created)
        std::cout << "created " << (root / table).make_preferred().string() << "\n";
    for (const std::string& table : report.indexed)
        std::cout << "added the index of folded names to " << (root / table).make_preferred().string() << "\n";
    for (const std::string& table : report.historied)
        std::cout << "added the history of changes to " << (root / table).make_preferred().string() << "\n";
    if (report.created.empty() && report.indexed.empty() && report.historied.empty() && report.problems.empty())
        std::cout << "all five tables are present under " << root.string() << "\n";
    for (const std::string& problem : report.problems)
        std::cerr << problem << "\n";
    return report.problems.empty() ? 0 : 1;
}

int setUpServer(const std::string& conninfo, const std::vector<server::RoleGrant>& grants)
{
    const std::string where = server::describeServer(conninfo);
    try {
        const server::ServerSetupReport report = server::setUpServerBook(conninfo, platform::builtInDataRoot(), grants);
        for (const std::string& table : report.created)
            std::cout << "created " << table << " on " << where << "\n";
        for (const std::string& table : report.historied)
            std::cout << "added the history of changes to " << table << " on " << where << "\n";
        for (const std::string& problem : report.problems)
            std::cerr << problem << "\n";
        if (!report.problems.empty())
            return 1;
        if (report.created.empty() && report.historied.empty())
            std::cout << "all five tables are present on " << where << "\n";
        for (const server::RoleGrant& grant : grants)
            std::cout << "the role " << grant.role << (grant.kind == server::DeskRole::Clerk ? " reads and posts" : " reads")
                      << " the book on " << where << "\n";
    } catch (const store::StoreError& failure) {
        std::cerr << failure.what() << "\n";
        return 1;
    }
    operations::chooseServer(conninfo);
    std::cout << "the program and the toolbox now open the book on " << where << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    platform::consoleInUtf8();
    const std::vector<std::string> args = platform::commandLine(argc, argv);
    const std::string first = args.empty() ? "" : args[0];
    if (args.size() == 1 && first == "--help") {
        std::cout << usage;
        return 0;
    }
    if (args.size() >= 2 && first == "--server") {
        std::vector<server::RoleGrant> grants;
        for (std::size_t at = 2; at < args.size(); at += 2) {
            const bool clerk = args[at] == "--grant-clerk";
            if ((!clerk && args[at] != "--grant-reader") || at + 1 >= args.size()) {
                std::cerr << usage;
                return 2;
            }
            grants.push_back({clerk ? server::DeskRole::Clerk : server::DeskRole::Reader, args[at + 1]});
        }
        return setUpServer(operations::connectionString(args[1]), grants);
    }
    if (args.size() == 1 && first == "--local") {
        operations::chooseLocal();
        std::cout << "the program and the toolbox now open the book under " << platform::builtInDataRoot().string() << "\n";
        return 0;
    }
    // A folder is never taken for an option: "--hepl" would otherwise become a book.
    if (args.size() > 1 || (args.size() == 1 && first[0] == '-')) {
        std::cerr << usage;
        return 2;
    }
    return setUpLocal(args.size() == 1 ? platform::utf8Path(first) : platform::builtInDataRoot());
}
