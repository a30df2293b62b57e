#pragma once

#include "BookConnection.h"

#include <filesystem>
#include <functional>
#include <string_view>

namespace store {

// Copies every record of the five tables of `from` into the empty tables of `into`, each
// with its own Auto, and leaves `into` giving only keys above any `from` ever gave, or
// any it gave itself: a key is never given twice, even across a restore. The record of
// the years closed and the history go with them, `into` recording no history of its own for
// the copy. Runs inside the transactions the caller began: a read (or a write) on `from`, a
// write on `into`, whose history is empty.
void copyBook(BookConnection& from, BookConnection& into);

// A new local book in the folder `aside` holding the book as `from` reads it in the
// transaction the caller began on it: a write's own changes not yet stored included.
void copyIntoNewLocalBook(BookConnection& from, const std::filesystem::path& aside);

// Writes the local book in the folder `copy` (a copy being made) in one transaction through
// `write`, its tables opened first, their pages proven as `options` says; then lets it go, no
// program's claim left on it.
void writeIntoCopy(const std::filesystem::path& copy, const BookOptions& options,
                   const std::function<void(BookConnection&)>& write);

// Opens the five tables, in the order the cursors open them.
void openEveryTable(BookConnection& connection);

// The whole copy as one step: both books' tables opened, one snapshot of `from` read, and
// `into` written in one transaction, emptied first (history and all) when `replacing`; then
// every worker's history says `note`, when one is given.
void transferBook(BookConnection& from, BookConnection& into, bool replacing, std::string_view note = {});

} // namespace store
