#pragma once

#include <string>
#include <string_view>

namespace store {

class BookConnection;

// What the clerk is doing while the book is written, as each row of the book's history
// records it. Rows the book records with no action were written by another program.
namespace bookAction {
inline constexpr std::string_view program = "ijazat"; // the program, no action named
inline constexpr std::string_view administrative = "administrative";
inline constexpr std::string_view hourly = "hourly";
inline constexpr std::string_view sick = "sick";
inline constexpr std::string_view unpaid = "unpaid";
inline constexpr std::string_view newWorker = "new-worker";
inline constexpr std::string_view correction = "correction";
inline constexpr std::string_view import = "import";
inline constexpr std::string_view moveIn = "move-in";
inline constexpr std::string_view yearClose = "year-close";
inline constexpr std::string_view restore = "restore";
// Whether the action is one of the four postings, which change a total and add its entry together.
bool isPosting(std::string_view action);
} // namespace bookAction

// Names the clerk action for the writes made while it lasts; the action before it comes back after.
class ActionOnBook {
public:
    ActionOnBook(BookConnection& book, std::string_view action);
    ~ActionOnBook();
    ActionOnBook(const ActionOnBook&) = delete;
    ActionOnBook& operator=(const ActionOnBook&) = delete;

private:
    BookConnection& book_;
    std::string before_;
};

} // namespace store
