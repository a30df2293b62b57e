#pragma once

namespace store {
class BookConnection;
}

// Tells the clerk, in one box for all those met by one action, of every value another
// program wrote that the book cannot read as a whole number: which worker or entry, which
// field, and what it holds. Each is told once; it shows blank meanwhile.
void tellOddValues(store::BookConnection& connection);
