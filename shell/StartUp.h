#pragma once

#include <filesystem>

// On a first run (no data root at all) makes the empty book there and tells the clerk where.
// Builds the whole program once (the main window, the data module on `dataRoot`, then
// every other window, hidden), runs the event loop until the main window closes, and
// releases it all. Any failure while building stops there: the exception box shows it
// and the main window is never shown. Always returns 0.
// REQUIRES: a running QApplication.
int startUp(const std::filesystem::path& dataRoot);
