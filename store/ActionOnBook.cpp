#include "ActionOnBook.h"

#include "BookConnection.h"

namespace store {

bool bookAction::isPosting(std::string_view action)
{
    return action == administrative || action == hourly || action == sick || action == unpaid;
}

ActionOnBook::ActionOnBook(BookConnection& book, std::string_view action) : book_(book), before_(book.action())
{
    book_.setAction(std::string(action));
}

ActionOnBook::~ActionOnBook()
{
    book_.setAction(before_);
}

} // namespace store
