#include "DataSource.h"

#include "Cursor.h"

#include <algorithm>

namespace store {

DataSource::DataSource(std::string name, Cursor& cursor) : name_(std::move(name)), cursor_(cursor)
{
    cursor_.addSource(*this);
}

DataSource::~DataSource()
{
    cursor_.removeSource(*this);
}

void DataSource::addLink(DataLink& link)
{
    links_.push_back(&link);
}

void DataSource::removeLink(DataLink& link)
{
    if (notifying_ > 0)
        std::replace(links_.begin(), links_.end(), &link, static_cast<DataLink*>(nullptr));
    else
        links_.erase(std::remove(links_.begin(), links_.end(), &link), links_.end());
}

void DataSource::finishNotifying() const noexcept
{
    if (--notifying_ == 0)
        links_.erase(std::remove(links_.begin(), links_.end(), nullptr), links_.end());
}

} // namespace store
