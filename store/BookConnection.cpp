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

void BookConnection::insertRows(BookStatement& read, const std::string& target, const std::vector<std::string>& columns)
{
    std::string names, values;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        names += (i ? ", " : "") + sqlName(columns[i]);
        values += (i ? ", ?" : "?") + std::to_string(i + 1);
    }
    BookStatement& write = statement("INSERT INTO " + target + " (" + names + ") " + keepingKeyClause() + " VALUES (" + values + ")");
    StatementUse reading(read);
    while (read.step()) {
        StatementUse writing(write);
        for (int column = 0; column < int(columns.size()); ++column) {
            if (read.isNull(column))
                write.bindNull(column + 1);
            else if (read.isInteger(column))
                write.bind(column + 1, read.integer(column));
            else
                write.bind(column + 1, std::string_view(read.text(column)));
        }
        write.step();
    }
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
