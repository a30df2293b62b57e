#pragma once

#include "Schema.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace store {

class BookConnection;

// Beside each table of the book, in its own file or schema, the book keeps that table's
// history: a row for every field that an insert, a change or a delete gave a new value,
// written by the book itself in the same unit of work as the change, whoever made it.
//
//   Id      the row's number, in the order written
//   At      when, in seconds since 1970 (UTC)
//   Worker  the worker the record belongs to: its Auto, or an entry's Index
//   Record  the record's own Auto
//   Change  "insert", "update", "delete", or "mark" for a row an operation writes about a
//           worker as a whole (a year closed, a book restored)
//   Field   the field, empty for a mark
//   Before  the value before, empty for an insert
//   After   the value after, empty for a delete; a mark's note
//   Action  the clerk action (ActionOnBook.h); empty when another program made the change
//   Who     the user and the computer (or, on a server, the database user and the desk)

std::string historyTableName(const TableDef& table); // "<table>History"
const std::vector<std::string_view>& historyColumns();
// The fields whose changes are recorded: all but Auto; an entry's Index only when it changes.
std::vector<std::string_view> recordedFields(const TableDef& table, bool update);

// "schema"."<table>History" on `book`.
std::string historyTarget(const BookConnection& book, const TableDef& table);

// Copies the history of every table from `from` into `into`, row for row, numbers and all.
// REQUIRES: a read on `from` and a write on `into` are open, and `into`'s history is empty.
void copyHistory(BookConnection& from, BookConnection& into);

// Empties the history of every table (a year close, once it is archived).
// REQUIRES: a write is open and the history is quiet (BookConnection::quietHistory).
void emptyHistory(BookConnection& book);

// One "mark" row for every worker of the book, saying `note`, under the action named on the
// connection. REQUIRES: a write is open.
void markEveryWorker(BookConnection& book, std::string_view note);

} // namespace store
