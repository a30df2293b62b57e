// ijazat-setup [DATA_ROOT] | --server CONNINFO | --local: makes whichever of the leave
// book's five tables is missing, in a local folder or on a server, and records for this
// user which book the program opens.
#include "BookPlace.h"
#include "BuiltInDataRoot.h"
#include "ServerBookConnection.h"
#include "ServerFailure.h"
#include "ServerSchema.h"
#include "StoreError.h"
#include "TableSetup.h"

#include <cstring>
#include <iostream>

namespace {

constexpr const char* usage =
    "usage: ijazat-setup [DATA_ROOT]\n"
    "       ijazat-setup --server CONNINFO\n"
    "       ijazat-setup --local\n"
    "DATA_ROOT: creates whichever of the book's five tables is missing under DATA_ROOT\n"
    "  (default: kestrave/Data in the home folder); existing ones are left alone\n"
    "--server: the same in an existing PostgreSQL database (CONNINFO: a libpq connection\n"
    "  string or service=NAME; keep passwords in ~/.pgpass), then the program and the\n"
    "  toolbox open that book for this user\n"
    "--local: the program and the toolbox open the local folder again\n";

int setUpLocal(const std::filesystem::path& root)
{
    const store::SetupReport report = store::createMissingTables(root);
    for (const std::string& table : report.created)
        std::cout << "created " << (root / table).string() << "\n";
    for (const std::string& table : report.indexed)
        std::cout << "added the index of folded names to " << (root / table).string() << "\n";
    if (report.created.empty() && report.indexed.empty() && report.problems.empty())
        std::cout << "all five tables are present under " << root.string() << "\n";
    for (const std::string& problem : report.problems)
        std::cerr << problem << "\n";
    return report.problems.empty() ? 0 : 1;
}

int setUpServer(const std::string& conninfo)
{
    const std::string where = server::describeServer(conninfo);
    try {
        server::ServerBookConnection connection(conninfo, store::builtInDataRoot());
        const server::ServerSetupReport report = server::createMissingServerTables(connection);
        for (const std::string& table : report.created)
            std::cout << "created " << table << " on " << where << "\n";
        for (const std::string& problem : report.problems)
            std::cerr << problem << "\n";
        if (!report.problems.empty())
            return 1;
        if (report.created.empty())
            std::cout << "all five tables are present on " << where << "\n";
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
    const std::string first = argc > 1 ? argv[1] : "";
    if (argc == 2 && first == "--help") {
        std::cout << usage;
        return 0;
    }
    if (argc == 3 && first == "--server")
        return setUpServer(operations::connectionString(argv[2]));
    if (argc == 2 && first == "--local") {
        operations::chooseLocal();
        std::cout << "the program and the toolbox now open the book under " << store::builtInDataRoot().string() << "\n";
        return 0;
    }
    // A folder is never taken for an option: "--hepl" would otherwise become a book.
    if (argc > 2 || (argc == 2 && first[0] == '-')) {
        std::cerr << usage;
        return 2;
    }
    return setUpLocal(argc == 2 ? std::filesystem::path(first) : store::builtInDataRoot());
}
