#pragma once

namespace store {

// The engine as this program wants it, set once before any book is opened: it keeps no count
// of its memory, a count kept under one lock that every thread takes at every allocation, on
// which a proof of the pages reading five files on threads of their own, beside the program's
// own work, queued. The program never reads that count.
void setUpEngine();

} // namespace store
