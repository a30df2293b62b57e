#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace store {
class BookConnection;
}

namespace operations {

// One thing found wrong with a book: damage (a file that is not whole or not the book's
// own) or an inconsistency (a book edited by hand may hold them), said in one line that
// names the file, the record and the field where it can.
struct Finding {
    bool damage = false;
    std::string text;
};

// Checks the book, whatever its kind, as one snapshot: the integrity and shape of its files; entries whose
// worker no longer exists; values outside 32 bits or of the wrong type; texts outside the
// book's character set or longer than their field; and, for every worker, whether its
// running totals agree with its entries: administrative days are its administrative entries
// plus the days its hourly entries carried, replayed in order with the hourly carry rule;
// sick and unpaid days are their entries; the hourly balance is the replay's remainder;
// the excess is the administrative days over the entitlement, and the hours text is the
// balance's hours and minutes, as the postings write them. A total that differs from its
// entries by what the corrections recorded in the book's history moved is explained and not
// told; a field whose value is not the last its history gave it was changed unrecorded.
std::vector<Finding> checkBook(store::BookConnection& book);
// The inconsistencies as the transaction the caller began on `book` reads it (its own
// writes included), the tables open and their files known whole.
std::vector<Finding> findingsWithin(store::BookConnection& book);

} // namespace operations
