#include "KeyList.h"

namespace controls {

std::optional<std::int32_t> KeyList::keyAt(int row) const
{
    if (row < 0 || row >= size())
        return std::nullopt;
    return keys_[std::size_t(row)];
}

int KeyList::rowOf(std::int32_t key) const
{
    const auto found = rowsByKey_.find(key);
    return found == rowsByKey_.end() ? -1 : found->second;
}

void KeyList::replace(std::vector<std::int32_t> keys, std::int64_t readAt)
{
    keys_ = std::move(keys);
    readAt_ = readAt;
    indexRows();
}

void KeyList::insert(int row, std::int32_t key)
{
    keys_.insert(keys_.begin() + row, key);
    indexRows();
}

void KeyList::remove(int row)
{
    keys_.erase(keys_.begin() + row);
    indexRows();
}

void KeyList::indexRows()
{
    rowsByKey_.clear();
    for (std::size_t row = 0; row < keys_.size(); ++row)
        rowsByKey_.emplace(keys_[row], int(row));
}

} // namespace controls
