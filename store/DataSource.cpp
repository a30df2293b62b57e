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
    links_.erase(std::remove(links_.begin(), links_.end(), &link), links_.end());
}

} // namespace store
