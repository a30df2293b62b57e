#pragma once

namespace store {

class BookConnection;

// Copies every record of the five tables of `from` into the empty tables of `into`, each
// with its own Auto, and leaves `into` giving only keys above any `from` ever gave, or
// any it gave itself: a key is never given twice, even across a restore. Runs inside the
// transactions the caller began: a read on `from`, a write on `into`.
void copyBook(BookConnection& from, BookConnection& into);

// Opens the five tables, in the order the cursors open them.
void openEveryTable(BookConnection& connection);

// Empties the five tables of `into` (inside the caller's write transaction).
void emptyBook(BookConnection& into);

} // namespace store
