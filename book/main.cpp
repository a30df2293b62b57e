// ijazat-book: the book's toolbox (backup, check), for the clerk's desk or a scheduled task.
#include "BookCommands.h"
#include "CommandLine.h"
#include "EngineSetUp.h"
#include "ToolboxLanguage.h"

#include <chrono>
#include <ctime>
#include <iostream>

int main(int argc, char** argv)
{
    store::setUpEngine();
    platform::consoleInUtf8();
    speakTheUsersLanguage();
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    char stamp[32] = {};
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H%M%S", std::localtime(&now));
    return runBookCommand(platform::commandLine(argc, argv), std::cout, std::cerr, stamp);
}
