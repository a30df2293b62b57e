#pragma once

#include <filesystem>

// Builds the whole program once (the main window, the data module on `dataRoot`, then
// every other window, hidden), runs the event loop until the main window closes, and
// releases it all. Any failure while building stops there: the exception box shows it
// and the main window is never shown. Always returns 0.
// REQUIRES: a running QApplication.
int startUp(const std::filesystem::path& dataRoot);
