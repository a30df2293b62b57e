#include "BookConnection.h"

#include "ActionOnBook.h"
#include "Identity.h"

#include <utility>

namespace store {

BookConnection::BookConnection(std::filesystem::path dataRoot)
    : dataRoot_(std::move(dataRoot)), action_(bookAction::program),
      desk_(platform::userName() + "@" + platform::computerName())
{
}

std::string BookConnection::who() const
{
    return desk_;
}

void BookConnection::execute(const std::string& sql)
{
    BookStatement& once = statement(sql);
    StatementUse use(once);
    while (use->step()) {
    }
}

void BookConnection::rollback()
{
    if (inTransaction())
        execute("ROLLBACK");
}

bool BookConnection::wroteAnything() const
{
    for (const auto& [table, writes] : writes_)
        if (writes > 0)
            return true;
    return false;
}

void BookConnection::noteOddValue(OddValue value)
{
    if (!oddValuesTold_.emplace(value.table, value.record, value.field).second)
        return;
    if (oddValueListener_)
        oddValueListener_(value);
    else
        oddValuesWaiting_.push_back(std::move(value));
}

void BookConnection::setOddValueListener(std::function<void(const OddValue&)> listener)
{
    oddValueListener_ = std::move(listener);
    if (!oddValueListener_)
        return;
    for (const OddValue& waiting : std::exchange(oddValuesWaiting_, {}))
        oddValueListener_(waiting);
}

} // namespace store
