#pragma once

#include <string>
#include <vector>

namespace platform {

// The program's arguments after its name, each in UTF-8 as typed: on Windows read from the
// system's own wide command line, since `argv` there holds only what the PC's code page can.
std::vector<std::string> commandLine(int argc, char** argv);

// What the program writes on its console is read as UTF-8, as it is written; on Windows the
// console would take it in the PC's code page and turn the Arabic into signs.
void consoleInUtf8();

} // namespace platform
