#pragma once

#include <string>
#include <string_view>

namespace store {

// A worker's name as the name order compares it: the alef with hamza or madda, and the
// alef wasla, as alef; teh marbuta as heh; alef maksura and yeh with hamza as yeh; waw with
// hamza as waw; the short-vowel marks and the tatweel dropped; Latin letters in lower case.
// So "ابراهيم" finds "إبراهيم", "فاطمه" finds "فاطمة" and "salim" finds "Salim".
//
// It is an expression of SQLite's own functions (lower, replace) over `operand`, so the
// index built on it needs nothing another SQLite tool lacks: any tool can still read and
// write the worker table. The same expression folds what the clerk types, which is what
// lets a search seek in that index.
std::string foldedNameSql(std::string_view operand);

// The index of the worker table in folded-name order, then stored order, then Auto.
inline constexpr std::string_view foldedNameIndex = "WorkerNameFolded";
std::string foldedNameIndexStatement();

} // namespace store
