#include "BuiltInDataRoot.h"
#include "GuardedApplication.h"
#include "StartUp.h"

#include <cstring>
#include <iostream>

int main(int argc, char** argv)
{
    controls::GuardedApplication application(argc, argv);
    // `ijazat --data-root DIR` opens another book: an archived year, a restored backup.
    if (argc == 3 && std::strcmp(argv[1], "--data-root") == 0)
        return startUp(argv[2]);
    if (argc != 1) {
        std::cerr << "usage: ijazat [--data-root DIR]\n";
        return 2;
    }
    return startUp(store::builtInDataRoot());
}
