// ijazat-setup [DATA_ROOT]: creates whichever of the leave book's five tables is missing.
#include "BuiltInDataRoot.h"
#include "TableSetup.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::cerr << "usage: ijazat-setup [DATA_ROOT]\n";
        return 2;
    }
    const std::filesystem::path root = argc == 2 ? std::filesystem::path(argv[1]) : store::builtInDataRoot();
    const store::SetupReport report = store::createMissingTables(root);
    for (const std::string& table : report.created)
        std::cout << "created " << (root / table).string() << "\n";
    if (report.created.empty() && report.problems.empty())
        std::cout << "all five tables are present under " << root.string() << "\n";
    for (const std::string& problem : report.problems)
        std::cerr << problem << "\n";
    return report.problems.empty() ? 0 : 1;
}
