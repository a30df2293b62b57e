#include "BuiltInDataRoot.h"
#include "CommandLine.h"
#include "EngineSetUp.h"
#include "GuardedApplication.h"
#include "StartUp.h"
#include "Utf8Path.h"

#include <iostream>

int main(int argc, char** argv)
{
    // The arguments are read before any window system is asked for, so `--help` answers
    // on a machine without a display too.
    const std::vector<std::string> args = platform::commandLine(argc, argv);
    const bool otherBook = args.size() == 2 && args[0] == "--data-root";
    if (!args.empty() && !otherBook) {
        const bool asked = args.size() == 1 && args[0] == "--help";
        (asked ? std::cout : std::cerr) << "usage: ijazat [--data-root DIR]\n"
                                           "opens the leave book chosen with ijazat-setup (default: kestrave/Data in the\n"
                                           "home folder); --data-root opens another local one: an archived year, a backup\n";
        return asked ? 0 : 2;
    }
    store::setUpEngine();
    controls::GuardedApplication application(argc, argv);
    controls::GuardedApplication::setDesktopFileName(QStringLiteral("org.ijazat.ijazat"));
    // The book this user chose with ijazat-setup, unless another folder is named.
    return startUp(otherBook ? operations::BookPlace(platform::utf8Path(args[1])) : operations::chosenBook(platform::builtInDataRoot()));
}
