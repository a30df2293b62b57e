#include "BuiltInDataRoot.h"
#include "GuardedApplication.h"
#include "StartUp.h"

#include <cstring>
#include <iostream>

int main(int argc, char** argv)
{
    // The arguments are read before any window system is asked for, so `--help` answers
    // on a machine without a display too.
    const bool otherBook = argc == 3 && std::strcmp(argv[1], "--data-root") == 0;
    if (argc != 1 && !otherBook) {
        const bool asked = argc == 2 && std::strcmp(argv[1], "--help") == 0;
        (asked ? std::cout : std::cerr) << "usage: ijazat [--data-root DIR]\n"
                                           "opens the leave book chosen with ijazat-setup (default: kestrave/Data in the\n"
                                           "home folder); --data-root opens another local one: an archived year, a backup\n";
        return asked ? 0 : 2;
    }
    controls::GuardedApplication application(argc, argv);
    controls::GuardedApplication::setDesktopFileName(QStringLiteral("org.ijazat.ijazat"));
    // The book this user chose with ijazat-setup, unless another folder is named.
    return startUp(otherBook ? operations::BookPlace(argv[2]) : operations::chosenBook(store::builtInDataRoot()));
}
