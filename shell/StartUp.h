#pragma once

#include "BookPlace.h"

// On a first run (no local data root at all) makes the empty book there and tells the
// clerk where. Builds the program (the main window and the data module on the book at
// `place`; every other window is built the first time it is needed), runs the event loop
// until the main window closes, and releases it all. Any failure while building stops there: the exception box shows it
// and the main window is never shown. Always returns 0.
// REQUIRES: a running QApplication.
int startUp(const operations::BookPlace& place);
