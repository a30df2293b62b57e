#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace controls {

// The ordered keys of the records a list shows, with the book's change count when they were
// read: a list knows which record each row is, and whether the table changed since, without
// holding a record. Rows are found by key in constant time.
class KeyList {
public:
    int size() const { return int(keys_.size()); }
    // The key of `row`, or none outside the list.
    std::optional<std::int32_t> keyAt(int row) const;
    // The row of `key`, or -1 when the list does not hold it.
    int rowOf(std::int32_t key) const;

    // The keys as read when the table's change count was `readAt`.
    void replace(std::vector<std::int32_t> keys, std::int64_t readAt);
    // Whether the table changed since the keys were read.
    bool staleAgainst(std::int64_t tableChanges) const { return tableChanges != readAt_; }
    // This program's own writes, which the list takes in itself, so it stays in step.
    void takeOwnWrites(std::int64_t writes) { readAt_ += writes; }
    void insert(int row, std::int32_t key);
    void remove(int row);

private:
    void indexRows();

    std::vector<std::int32_t> keys_;
    std::unordered_map<std::int32_t, int> rowsByKey_;
    std::int64_t readAt_ = -1; // unknown until read: stale against every count
};

} // namespace controls
