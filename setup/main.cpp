// ijazat-setup [DATA_ROOT]: creates whichever of the leave book's five tables is missing.
#include "BuiltInDataRoot.h"
#include "TableSetup.h"

#include <cstring>
#include <iostream>

namespace {

constexpr const char* usage = "usage: ijazat-setup [DATA_ROOT]\n"
                              "creates whichever of the book's five tables is missing under DATA_ROOT\n"
                              "(default: kestrave/Data in the home folder); existing ones are left alone\n";

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::cout << usage;
        return 0;
    }
    // A folder is never taken for an option: "--hepl" would otherwise become a book.
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
        std::cerr << usage;
        return 2;
    }
    const std::filesystem::path root = argc == 2 ? std::filesystem::path(argv[1]) : store::builtInDataRoot();
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
