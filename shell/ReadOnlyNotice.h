#pragma once

namespace store {
class BookConnection;
}

// Tells the clerk once, as the program starts, that the book cannot be written (a
// read-only disk or folder), naming the folder and each such file: before, the first
// save was the first to say so, after the clerk had typed a whole leave.
void warnIfReadOnly(store::BookConnection& connection);
