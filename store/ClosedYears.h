#pragma once

#include <vector>

namespace store {

class BookConnection;

// The years closed, as the book itself records them, lowest first: none in a book never
// closed, or made before the record was kept.
std::vector<int> closedYears(BookConnection& book);

// Makes the record in a book that has none yet. REQUIRES: a write transaction is open.
void makeClosedYearsRecord(BookConnection& book);

// Records `year` as closed, making the record in a book that has none yet.
// REQUIRES: a write transaction is open on the book.
void recordClosedYear(BookConnection& book, int year);

// Puts the record of `from` in place of the record of `into`, as a copy of the whole book
// carries it. REQUIRES: a read on `from` and a write on `into` are open.
void copyClosedYears(BookConnection& from, BookConnection& into);

} // namespace store
